// NumFxd: writing numbers: fill characters, format masks, separator formats and the fixed
// two-part layout of version numbers.

#include "NumFxd.h"

#include "Convert.h"
#include "GlbVar.h"
#include "Text.h"
#include "TxtGlb.h"

#include <charconv>
#include <cmath>

namespace zv {

namespace {

// The longest mask digit count honoured: more digits than a Double holds mean nothing and
// would only build huge texts.
constexpr int kMaxMaskDigits = 255;

// The decimal digits of a >= 0 rounded half away from zero to decs decimals: integer digits
// and exactly decs decimal digits. Works on the shortest decimal text of the Double, so 1.005
// (written "1.005") rounds to 1.01, as a person reading the number expects.
void roundedDigits(double a, int decs, QString& intDigits, QString& decDigits) {
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    const QString s = QString::fromLatin1(buf, int(res.ptr - buf));
    const qsizetype dot = s.indexOf(u'.');
    QString ip = dot < 0 ? s : s.left(dot);
    QString fp = dot < 0 ? QString() : s.mid(dot + 1);
    if (fp.size() > decs) {
        const bool up = fp.at(decs) >= u'5';
        fp.truncate(decs);
        if (up) {
            QString all = ip + fp;
            qsizetype i = all.size() - 1;
            while (i >= 0 && all.at(i) == u'9') {
                all[i] = u'0';
                --i;
            }
            if (i < 0)
                all.prepend(u'1');
            else
                all[i] = QChar(all.at(i).unicode() + 1);
            ip = all.left(all.size() - decs);
            fp = all.right(decs);
        }
    }
    while (fp.size() < decs)
        fp += u'0';
    intDigits = ip;
    decDigits = fp;
}

// Integer and decimal parts written with the widths "i.d" (0 or less: unfilled). A part
// longer than its width keeps its rightmost digits, unless whole is set: then it is only
// filled, never cut.
QString fixedParts(double intPart, double decPart, const QString& widths, bool whole = false) {
    double wi = 0, wd = 0;
    NumFxdDig(Variant(widths), wi, wd);
    auto part = [whole](double value, double width) {
        const QString plain = TxCnv(Variant(value));
        int w = int(qBound(-1.0, width, double(kMaxMaskDigits)));
        if (whole && w < plain.size()) w = int(plain.size());
        QString out;
        NumTxPad(Variant(value), w, QStringLiteral("0"), out);
        return out;
    };
    return part(intPart, wi) + u'.' + part(decPart, wd);
}

} // namespace

// A number through a format mask (see the header).
QString formatByMask(double d, const QString& mask) {
    if (mask.isEmpty()) return TxCnv(Variant(d));
    const qsizetype dot = mask.indexOf(u'.');
    const QString intMask = dot < 0 ? mask : mask.left(dot);
    const QString decMask = dot < 0 ? QString() : mask.mid(dot + 1);
    const int minInt = int(intMask.count(u'0'));
    const bool group = intMask.contains(u',');
    const int decs = int(decMask.count(u'0') + decMask.count(u'#'));
    const int minDec = int(decMask.count(u'0'));

    QString ip, fp;
    roundedDigits(std::fabs(d), decs, ip, fp);
    while (ip.startsWith(u'0'))
        ip.remove(0, 1);
    while (ip.size() < minInt)
        ip.prepend(u'0');
    while (fp.size() > minDec && fp.endsWith(u'0'))
        fp.chop(1);
    bool zero = true;
    for (QChar c : ip + fp) {
        if (c != u'0') zero = false;
    }

    if (group) {
        for (qsizetype p = ip.size() - 3; p > 0; p -= 3)
            ip.insert(p, runtimeLocale().group);
    }
    QString text = d < 0 && !zero ? QStringLiteral("-") : QString();
    text += ip;
    if (dot >= 0) text += runtimeLocale().decimal + fp;
    return text;
}

void NumTxPad(const Variant& value, int width, const QString& fill, QString& out) {
    const double v = NumDbl(value);
    const QString t = TxCnv(Variant(v));
    if (width <= 0) {
        out = t;
        return;
    }
    const QChar f = v < 0 || fill.isEmpty() ? QChar(u' ') : fill.at(0);
    out = Right(QString(width, f) + t, width);
}

void NumIntDec(const Variant& value, Variant& intPart, Variant& decPart) {
    QString text;
    TxCnvPrp(value, text);
    QString before, after;
    int found = 0;
    TxSepCut(text, QStringLiteral("."), before, after, found);
    VarAtr(Variant(before), intPart);
    VarAtr(Variant(after), decPart);
}

void NumMscCnt(const Variant& spec, int& intDigits, int& decDigits, int& total, int& grouped,
               int& groups) {
    Variant iv{0.0};
    Variant dv{0.0};
    NumIntDec(spec, iv, dv);
    auto digits = [](const Variant& v) {
        const double d = v.isDouble() ? v.rawDouble() : 0.0;
        return int(qBound(double(-kMaxMaskDigits), d, double(kMaxMaskDigits)));
    };
    intDigits = digits(iv);
    decDigits = qMax(0, digits(dv));
    grouped = 0;
    groups = 0;
    if (intDigits >= 0) {
        grouped = 1;
        groups = int(roundHalfEven(std::fabs(intDigits / 3.0)));
    } else {
        intDigits = -intDigits;
    }
    total = intDigits + decDigits + (decDigits > 0 ? 1 : 0);
}

void NumMscTx(int intDigits, int decDigits, int grouped, QString& mask) {
    QString m;
    if (intDigits > 0) m = QString(intDigits - 1, u'#') + u'0';
    if (grouped == 1) {
        for (int p = intDigits - 3; p >= 1; p -= 4)
            m[p - 1] = u',';
    }
    if (decDigits > 0) m += u'.' + QString(decDigits, u'0');
    if (m.startsWith(u',')) m[0] = u'#';
    mask = m;
}

void NumMscVal(const Variant& spec, QString& mask) {
    int intDigits = 0, decDigits = 0, total = 0, grouped = 0, groups = 0;
    NumMscCnt(spec, intDigits, decDigits, total, grouped, groups);
    NumMscTx(intDigits, decDigits, grouped, mask);
}

void NumFmtCnv(const QString& fromFmt, const QString& toFmt, const QString& value, QString& out) {
    const QString group = fromFmt.left(1);
    const QString decimal = fromFmt.mid(1, 1);
    const QString toGroup = toFmt.left(1);
    const QString toDecimal = toFmt.mid(1, 1);
    const QString mark(QChar(1));
    const bool blankGroup = group == u" ";
    QString t = value;
    const int length = int(t.size());
    if (blankGroup) t = Trim(t);
    // Through a mark, so that a group separator and a decimal separator can trade places.
    TxSbs(t, group, mark, t);
    TxSbs(t, decimal, toDecimal, t);
    if (toGroup.isEmpty())
        t.remove(mark);
    else
        TxSbs(t, mark, toGroup, t);
    if (blankGroup) t = TxPad(t, -length);
    out = t;
}

void NumFmtCnv(const QString& fromFmt, const QString& toFmt, QString& value) {
    QString out;
    NumFmtCnv(fromFmt, toFmt, value, out);
    value = out;
}

void NumFmtSaiCnv(const QString& fmt, const QString& value, QString& out) {
    if (fmt.isEmpty())
        out = value;
    else
        NumFmtCnv(numFxdState().NumFmtSai, fmt, value, out);
}

void NumFmtSaiCnv(const QString& fmt, QString& value) {
    QString out;
    NumFmtSaiCnv(fmt, value, out);
    value = out;
}

QString NumFmt(const Variant& spec, const Variant& value, const Variant& opts) {
    QString mask;
    NumMscVal(spec, mask);
    Variant number;
    NumVal(value, number);
    const double d = NumDbl(number);
    // A zero value keeps its own text ("0", or "" for Empty).
    const QString plain = TxCnv(number);
    QString text = d == 0 ? plain : formatByMask(d, mask);
    // Right-aligned in the width of the unformatted text: filled, never cut.
    if (text.size() < plain.size()) text.prepend(QString(plain.size() - text.size(), u' '));
    NumFmtSaiCnv(numFxdState().NumFmtSai, text);
    if (opts.isString()) {
        const QString o = Trim(opts.rawString());
        if (UCase(o) == u"T") {
            text = Trim(text);
        } else if (const auto width = parseNumber(o)) {
            text = TxPad(text, int(qBound(-1e6, roundHalfEven(*width), 1e6)));
        }
    } else if (opts.isNumber()) {
        text = TxPad(text, int(qBound(-1e6, roundHalfEven(opts.numericValue()), 1e6)));
    }
    return text;
}

void NumFxdDig(const Variant& value, double& intPart, double& decPart) {
    const QString text = TxCnv(value);
    QString before, after;
    int found = 0;
    TxSepCut(text, QStringLiteral("."), before, after, found);
    intPart = Val(before);
    decPart = Val(after);
}

void NumFxdSpc(double intPart, double decPart, Variant& value) {
    VarAtr(Variant(TxCnv(Variant(intPart)) + u'.' + TxCnv(Variant(decPart))), value);
}

QString NumFxdTx(const Variant& value, const QString& widths) {
    double i = 0, d = 0;
    NumFxdDig(Variant(std::fabs(NumDbl(value))), i, d);
    return fixedParts(i, d, widths);
}

void NumFxdFmt(const QString& spec, const Variant& value, Variant& out) {
    QString rest = spec;
    QString mode;
    int found = 0;
    TxSep(rest, QStringLiteral(","), mode, found);
    mode = Trim(mode);
    QString widths = Trim(rest);
    if (widths.isEmpty()) widths = QStringLiteral("0.0");

    QString result;
    if (mode == u"+" || mode == u"*.+" || mode == u"+.0") {
        double i = 0, d = 0;
        NumFxdDig(value, i, d);
        // The parts are carried as whole numbers and written directly: 1.9 + 1 is 1.10, which
        // a pass through a Double would read back as 1.1. A part that outgrows its width is
        // written whole (2.99 + 1 is 2.100 in widths 1.2), so a version never goes back.
        if (mode == u"+.0") {
            i += 1;
            d = 0;
        } else {
            d += 1;
        }
        result = fixedParts(std::fabs(i), std::fabs(d), widths, true);
    } else if (value.isString()) {
        result = Trim(value.rawString());
    } else {
        Variant number;
        NumVal(value, number);
        result = NumFxdTx(number, widths);
    }
    VarAtr(Variant(result), out);
}

} // namespace zv
