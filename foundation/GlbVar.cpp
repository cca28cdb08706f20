// GlbVar: the name index, name-value tables and typed assignment.

#include "GlbVar.h"

#include "Convert.h"
#include "Dispatch.h"
#include "NumFxd.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

constexpr int kMaxCode = 32000;
const QChar kNul(u'\0');

QChar ansiChar(int code) {
    return cp1252ToChar(uint8_t(code));
}

int ansiCode(QChar c) {
    const int code = charToCp1252(c);
    return code < 0 ? 63 : code;
}

// One entry of an index text: kind, two code characters, NUL, name, NUL.
struct IdxEntry {
    int kind = 0;
    int code = 0;
    QString name;
    qsizetype next = 0; // where the following entry starts
};

// The entry that starts at p (0-based); false when the text holds no whole entry there.
bool entryAt(const QString& idx, qsizetype p, IdxEntry& e) {
    if (p + 4 > idx.size() || idx.at(p + 3) != kNul) return false;
    const qsizetype end = idx.indexOf(kNul, p + 4);
    if (end < 0) return false;
    e.kind = ansiCode(idx.at(p));
    e.code = ansiCode(idx.at(p + 1)) * 256 + ansiCode(idx.at(p + 2));
    e.name = idx.mid(p + 4, end - p - 4);
    e.next = end + 1;
    return true;
}

} // namespace

void IdxCodTx(int code, QString& txt, int& ok) {
    if (code < 1 || code > kMaxCode) {
        txt.clear();
        ok = 0;
        return;
    }
    txt = QString(ansiChar(code / 256)) + ansiChar(code % 256);
    ok = 1;
}

void IdxPosVal(const QString& txt, int& code) {
    code = txt.size() < 2 ? 0 : ansiCode(txt.at(0)) * 256 + ansiCode(txt.at(1));
}

void IdxReg(QString& idx, const QString& name, int kind, int code, int& ok) {
    ok = 0;
    if (kind < 1 || kind > 255) return;
    QString codeTx;
    IdxCodTx(code, codeTx, ok);
    if (!ok) return;
    idx += ansiChar(kind) + codeTx + kNul + name + kNul;
}

void IdxCon(const QString& idx, const QString& name, int& kind, int& code) {
    kind = 0;
    code = 0;
    // Entry by entry, comparing whole names: a search for NUL & name & NUL alone could match
    // the code characters of another entry (a code below 256 starts with a NUL).
    IdxEntry e;
    for (qsizetype p = 0; entryAt(idx, p, e); p = e.next) {
        if (e.name == name) {
            kind = e.kind;
            code = e.code;
            return;
        }
    }
}

void IdxEntNom(QString& work, QString& name) {
    IdxEntry e;
    if (!entryAt(work, 0, e)) {
        // Not an entry: nothing more can be read from it.
        name.clear();
        work.clear();
        return;
    }
    name = e.name;
    work = work.mid(e.next);
}

bool IdxEntLer(const QString& idx, qsizetype& pos, int& kind, int& code, QString& name) {
    IdxEntry e;
    if (pos < 0 || !entryAt(idx, pos, e)) return false;
    kind = e.kind;
    code = e.code;
    name = e.name;
    pos = e.next;
    return true;
}

void IdxArrIni(QStringList& idx) {
    idx = QStringList{QString(), QString()};
}

void IdxArrRegExe(QStringList& idx, const QString& name, const QString& value, int& code) {
    if (idx.size() < 2) idx.resize(2);
    int kind = 0;
    int c = 0;
    IdxCon(idx.at(0), name, kind, c);
    if (c == 0) {
        c = int(qBound(0.0, Val(idx.at(1)), double(kMaxCode))) + 1;
        QString index = idx.at(0);
        int ok = 0;
        IdxReg(index, name, 1, c, ok);
        if (!ok) {
            code = 0;
            return;
        }
        if (idx.size() < c + 2) idx.resize(c + 2);
        idx[0] = index;
        idx[1] = Str(Variant(int32_t(c)));
    }
    if (idx.size() < c + 2) idx.resize(c + 2);
    idx[c + 1] = value;
    code = c;
}

void IdxArrReg(QStringList& idx, const QString& name, const QString& value) {
    int code = 0;
    IdxArrRegExe(idx, name, value, code);
}

void IdxArrCon(const QStringList& idx, const QString& name, QString& value, int& code) {
    int kind = 0;
    int c = 0;
    if (!idx.isEmpty()) IdxCon(idx.at(0), name, kind, c);
    if (c > 0 && c + 1 < idx.size()) {
        value = idx.at(c + 1);
        code = c;
    } else {
        value.clear();
        code = 0;
    }
}

void IdxArrLisReg(const QStringList& idx, QStringList& names, int& count) {
    names = QStringList{QString()};
    QString work = idx.isEmpty() ? QString() : idx.at(0);
    while (!work.isEmpty()) {
        QString name;
        IdxEntNom(work, name);
        names.append(name);
        ++count;
    }
}

void VarAtr(const Variant& value, Variant& target, const QString& type) {
    if (!type.isEmpty()) VarIniTip(target, type);
    // a value that cannot be converted leaves target as it was
    vbTrap([&] {
        if (target.isString())
            target = value.isString() ? value : Variant(TxCnv(value));
        else
            target = Variant(NumDbl(value));
    });
}

void VarAtr2(const Variant& value, Variant& target, const QString& type) {
    VarAtr(value, target, type);
}

void VarAtrOpc(const QString& opts, const Variant& value, Variant& target) {
    // as VarAtr: a value that cannot be converted leaves target as it was
    vbTrap([&] {
        if (!target.isString()) {
            double d = 0;
            if (value.isString())
                NumTxVal(value.rawString(), d);
            else
                d = NumDbl(value);
            target = Variant(d);
            return;
        }
        QString t = value.isString() ? value.rawString() : TxCnv(value);
        if (opts.contains(u'M')) t = UCase(t);
        if (opts.contains(u'T')) t = Trim(t);
        target = Variant(t);
    });
}

void VarAtrSN(const Variant& value, Variant& target, const QString& type) {
    if (VarTipCon(target, type) == u"T") {
        Variant yesNo{QString()};
        TxSN(value, yesNo, 0);
        target = Variant(Left(yesNo.rawString(), 1));
    } else {
        Variant yesNo{int16_t(0)};
        TxSN(value, yesNo, 0);
        target = yesNo;
    }
}

void VarIniTip(Variant& target, const QString& type) {
    bool text = target.isString();
    if (!type.isEmpty()) {
        const QChar last = type.back();
        text = last == u'$' || last == u'T';
    }
    target = text ? Variant(QString()) : Variant(int16_t(0));
}

QString VarTipCon(const Variant& value, const QString& type) {
    if (type == u"N") return QStringLiteral("N");
    if (type == u"T") return QStringLiteral("T");
    return value.isString() ? QStringLiteral("T") : QStringLiteral("N");
}

void VarObLer(const Variant& src, Variant& target) {
    // The work value is no text, so every reading is kept as a number.
    Variant work;
    VarAtr(src, work);
    if (src.isObject() && !src.isNothing()) {
        // a control without one of these properties keeps what the others gave
        for (const char* property : {"Text", "Caption", "Value"})
            vbTrap([&] { VarAtr(src.rawObject()->get(QString::fromLatin1(property)), work); });
    }
    VarAtr(work, target);
}

} // namespace zv
