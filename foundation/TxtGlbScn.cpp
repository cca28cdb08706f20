// TxtGlb: character sets, quoting for scripts, character replacement, error texts, lists and
// lines.

#include "TxtGlb.h"

#include "Convert.h"
#include "Text.h"

#include <QCoreApplication>

namespace zv {

void TxChrFil(int mode, const QString& text, const QString& set, QString& out) {
    if (mode < 0 || mode > 3) {
        out = text;
        return;
    }
    QString t;
    if (mode == 0) {
        for (QChar c : text) {
            if (!set.contains(c)) t += c;
        }
    } else {
        t = text;
    }
    if (mode == 1 || mode == 3) {
        qsizetype i = 0;
        while (i < t.size() && set.contains(t.at(i)))
            ++i;
        t = t.mid(i);
    }
    if (mode == 2 || mode == 3) {
        qsizetype n = t.size();
        while (n > 0 && set.contains(t.at(n - 1)))
            --n;
        t.truncate(n);
    }
    out = t;
}

QString TxAspRet(const QString& text) {
    QString t = text;
    if (t.startsWith(u'"')) t.remove(0, 1);
    if (t.endsWith(u'"')) t.chop(1);
    return t;
}

QString TxVbsAsp(const QString& text) {
    QString t = TxAspRet(text);
    t.replace(u'"', u'\'');
    // A script string literal cannot hold line breaks or other control characters: those are
    // written as Chr(n) pieces joined to the literal parts, so the expression stays valid and
    // evaluates to the same text.
    QString out = QStringLiteral("\"");
    bool inLiteral = true;
    for (QChar c : t) {
        const ushort u = c.unicode();
        if (u < 32 || u == 127) {
            if (inLiteral) out += u'"';
            out += QStringLiteral(" & Chr(") + QString::number(u) + u')';
            inLiteral = false;
        } else {
            if (!inLiteral) out += QStringLiteral(" & \"");
            inLiteral = true;
            out += c;
        }
    }
    if (inLiteral) out += u'"';
    return out;
}

void TxSbs(const QString& text, const QString& find, const QString& repl, QString& out) {
    QString t = text;
    if (!find.isEmpty() && !repl.isEmpty()) {
        int p = InStr(t, find);
        while (p) {
            t[p - 1] = repl.at(0);
            p = p + 1 > t.size() ? 0 : InStr(p + 1, t, find);
        }
    }
    out = t;
}

void TxValDbl(const QString& text, double& value, int& ok) {
    value = Val(text);
    ok = 1;
}

void TxValVar(const QString& text, Variant& target, int& ok) {
    ok = 1;
    if (target.isString())
        target = Variant(text);
    else
        target = Variant(Val(text));
}

void ErrTx(int errNum, QString& text, QString& source) {
    // Raising 0 is itself an invalid call: its text is the one of error 5.
    const qint64 n = errNum < 0 ? -qint64(errNum) : qint64(errNum);
    const int number = n == 0 ? 5 : int(qMin<qint64>(n, 2147483647));
    const VbError error(number);
    source = error.source().isEmpty() ? QCoreApplication::applicationName() : error.source();
    text = QStringLiteral("Erro : ") + Str(Variant(int32_t(number))) + QStringLiteral(" - ") +
           error.description();
}

void TxJun(QString& text, const QString& sep, const Variant& item) {
    QString t;
    TxCnvPrp(item, t);
    if (t.isEmpty()) return;
    if (!text.isEmpty()) text += sep;
    text += t;
}

void TxLinAdi(QString& text, const QString& line) {
    if (!text.isEmpty()) text += QStringLiteral("\r\n");
    text += line;
}

void TxJunLin(const QString& mode, QString& text, const Variant& item, const QString& sep) {
    QString t;
    TxCnvPrp(item, t);
    if (t.isEmpty() && mode == u"T") return;
    if (!text.isEmpty()) text += sep.isEmpty() ? QStringLiteral("\r\n") : sep;
    text += t;
}

void ArrAdi(QStringList& arr, const QString& item) {
    arr.append(item);
}

} // namespace zv
