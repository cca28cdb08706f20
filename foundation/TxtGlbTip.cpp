// TxtGlb: the yes/no convention, typed values and formats by code, outline numbers.

#include "TxtGlb.h"

#include "Convert.h"
#include "Datas.h"
#include "NumFxd.h"
#include "Text.h"

namespace zv {

namespace {

// Is code within first..last by character code (the ranges "DT".."DTz", "N".."Nz").
bool inRange(const QString& code, const QString& first, const QString& last) {
    return StrComp(code, first) >= 0 && StrComp(code, last) <= 0;
}

bool isYes(const Variant& value) {
    Variant yn{int16_t(0)};
    TxSN(value, yn, 0);
    return yn.isInteger16() && yn.rawInteger() == 1;
}

} // namespace

void TxSN(const Variant& value, Variant& target, int inv) {
    // Null, numbers beyond the 16-bit range and values without a number mean no: callers treat
    // the yes/no reading as one that never fails.
    int yn = 0;
    vbTrap([&] {
        Variant number;
        NumVal(value, number);
        yn = CInt(number);
    });
    if (value.isString()) {
        const QString t = UCase(Trim(value.rawString()));
        if (t == u"S" || t == u"SI" || t == u"SIM") yn = 1;
    } else if (value.isBoolean()) {
        yn = value.rawBoolean() ? 1 : 0;
    } else if (yn != 1) {
        yn = 0;
    }
    if (inv == 1) yn = yn != 1 ? 1 : 0;
    const bool yes = yn == 1;
    if (target.isString())
        target = Variant(yes ? QStringLiteral("Sim") : QStringLiteral("Não"));
    else
        target = Variant(int16_t(yes ? 1 : 0));
}

Variant TxTipCnv(const Variant& value, const QString& code) {
    const QString written = Trim(code);
    const QString c = UCase(written);
    const bool yes = isYes(value);
    if (c == u"SN") return Variant(yes ? QStringLiteral("S") : QStringLiteral("N"));
    if (c == u"TX3") return Variant(yes ? QStringLiteral("Sim") : QStringLiteral("Não"));
    if (inRange(c, QStringLiteral("VOP:"), QStringLiteral("VOP:z"))) {
        // "VOP:no,yes": the no text first, the yes text second.
        QString rest = written;
        QString head, noText, yesText;
        int found = 0;
        TxSep(rest, QStringLiteral(":"), head, found);
        TxSep(rest, QStringLiteral(","), noText, found);
        TxSep(rest, QStringLiteral(","), yesText, found);
        const QString chosen = Trim(yes ? yesText : noText);
        if (const auto number = parseNumber(chosen)) return Variant(*number);
        return Variant(chosen);
    }
    if (c == u"TF") return Variant(yes);
    return Variant(int16_t(yes ? 1 : 0));
}

void TxTipFmt(const QString& code, const QString& spec, Variant& value) {
    const QString c = UCase(Trim(code));
    if (inRange(c, QStringLiteral("DT"), QStringLiteral("DTz"))) {
        // The date module's codes are those after the "DT" of the typed code.
        value = Variant(DtaFmt(c.mid(2), value));
    } else if (inRange(c, QStringLiteral("N"), QStringLiteral("Nz"))) {
        value = Variant(NumFmt(Variant(spec), value));
    } else if (c == u"SN") {
        Variant text{QString()};
        TxSN(value, text, 0);
        value = text;
    }
}

int NivNum(const QString& num) {
    QStringList levels;
    int count = 0;
    TxArrSep(num, QStringLiteral("."), levels, count);
    return count;
}

void NivSep(const QString& num, int n, QString& head, QString& tail) {
    QStringList levels;
    int count = 0;
    TxArrSep(num, QStringLiteral("."), levels, count);
    if (n > count) {
        head.clear();
        tail.clear();
        return;
    }
    if (n < 0) n = 0;
    head = levels.mid(1, n).join(u'.');
    tail = levels.mid(1 + n).join(u'.');
}

void NivArrCmp(const QList<int>& widths, int k, int& w) {
    if (k >= 0 && k < widths.size())
        w = widths.at(k);
    else
        w = widths.isEmpty() ? 0 : widths.at(0);
}

void NivArrOrd(const QList<int>& widths, const QList<int>& levels, QStringList& out) {
    const int n = int(levels.size()) - 1;
    out = QStringList(n > 0 ? n + 1 : 1);
    if (n < 1) return;
    constexpr int kTop = 99;
    auto level = [](int v) { return v < 0 ? 0 : (v > kTop ? kTop : v); };
    int counters[kTop + 1] = {};
    const int base = level(levels.at(1));
    int previous = base - 1;
    for (int i = 1; i <= n; ++i) {
        const int lev = level(levels.at(i));
        if (lev > previous) {
            for (int k = previous + 1; k <= lev; ++k)
                counters[k] = 1;
        } else if (lev < previous) {
            for (int k = lev + 1; k <= previous; ++k)
                counters[k] = 0;
            ++counters[lev];
        } else {
            ++counters[lev];
        }
        // A row shallower than the first one shows its numbering from its own level.
        const int from = lev < base ? lev : base;
        QString number;
        for (int k = from; k <= lev; ++k) {
            int w = 0;
            NivArrCmp(widths, k, w);
            QString part;
            NumTxPad(Variant(double(counters[k])), w, QStringLiteral("0"), part);
            TxJun(number, QStringLiteral("."), Variant(part));
        }
        out[i] = number;
        previous = lev;
    }
}

} // namespace zv
