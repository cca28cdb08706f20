// NumFxd: reading numbers, integer division, array extremes.

#include "NumFxd.h"

#include "Convert.h"
#include "ModuleState.h"
#include "Text.h"

#include <cstdlib>

namespace zv {

NumFxdState& numFxdState() {
    return moduleState<NumFxdState>();
}

void numFxdReset() {
    resetModuleState<NumFxdState>();
}

void NumVal(const Variant& value, Variant& result) {
    // A text whose number overflows leaves result as it was.
    vbTrap([&] { result = value.isString() ? Variant(Val(value.rawString())) : value; });
}

double NumDbl(const Variant& value) {
    Variant number;
    NumVal(value, number);
    return CDbl(number);
}

void NumFmtEntCnv(const QString& fmt, const QString& value, QString& out) {
    if (fmt.isEmpty()) {
        out = value;
        return;
    }
    QString t = value;
    const QString group = fmt.left(1);
    const QString decimal = fmt.mid(1, 1);
    if (!group.isEmpty()) t.remove(group);
    t.remove(u' ');
    if (!decimal.isEmpty()) {
        const qsizetype p = t.indexOf(decimal);
        if (p >= 0) t[p] = u'.';
    }
    out = t;
}

void NumFmtEntCnv(const QString& fmt, QString& value) {
    QString out;
    NumFmtEntCnv(fmt, value, out);
    value = out;
}

void NumTxVal(const QString& text, double& result) {
    QString t;
    NumFmtEntCnv(numFxdState().NumFmtEnt, text, t);
    // as NumVal: result keeps what it had
    vbTrap([&] { result = Val(t); });
}

double NumTxValVar(const QString& text) {
    double result = 0;
    NumTxVal(text, result);
    return result;
}

void NumTxDbl(const QString& text, double& number) {
    number = NumTxValVar(text);
}

namespace {

int32_t checkedLong(int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) vbRaise(err::Overflow);
    return int32_t(v);
}

// The extreme element of an array; elements that cannot be read as a number are skipped.
double arrayExtreme(const Variant& arr, bool largest) {
    if (!arr.isArray()) return 0;
    bool have = false;
    double best = 0;
    for (const Variant& element : arr.array().elements()) {
        vbTrap([&] {
            const double v = NumDbl(element);
            if (!have || (largest ? v >= best : v <= best)) {
                best = v;
                have = true;
            }
        });
    }
    return best;
}

} // namespace

void NumDivInt(int32_t a, int32_t b, int32_t& quotient, int32_t& remainder, int32_t& product,
               int32_t& lastIndex) {
    if (b == 0) vbRaise(err::DivisionByZero);
    // Integer division truncates toward zero, as the language's "\" does.
    const int64_t q = int64_t(a) / int64_t(b);
    const int64_t p = int64_t(b) * q;
    const int32_t qq = checkedLong(q);
    const int32_t last = checkedLong(p + b - 1);
    quotient = qq;
    product = int32_t(p);
    lastIndex = last;
    remainder = int32_t(int64_t(a) - p);
}

void NumDivRes(int32_t a, int32_t b, int32_t& quotient, int32_t& remainder, int32_t& product,
               int32_t& lastIndex) {
    int32_t q = 0, r = 0, p = 0, last = 0;
    NumDivInt(checkedLong(int64_t(a) - 1), b, q, r, p, last);
    quotient = checkedLong(int64_t(q) + 1);
    remainder = checkedLong(int64_t(r) + 1);
    product = checkedLong(int64_t(p) + 1);
    lastIndex = checkedLong(int64_t(last) + 1);
}

double NumArrMax(const Variant& arr) {
    return arrayExtreme(arr, true);
}
double NumArrMin(const Variant& arr) {
    return arrayExtreme(arr, false);
}

void VarTroca(Variant& a, Variant& b) {
    a.swap(b);
}

} // namespace zv
