// Math built-ins: Atn, Cos, Sin, Tan, Exp, Log, Sqr, Sgn and Round (half to even, on the
// decimal digits the number shows). Null gives Null.

#include "Builtin.h"
#include "Convert.h"
#include "DecimalDigits.h"

#include <algorithm>
#include <cmath>

namespace zv::vbs {

namespace {

using A = std::span<const Variant>;

Variant real(const Variant& v, double (*f)(double)) {
    if (v.isNull()) return Variant::null();
    double r = f(toDouble(v));
    if (std::isnan(r)) throw VbError(err::InvalidCall);
    if (!std::isfinite(r)) throw VbError(err::Overflow);
    return Variant(r);
}

Variant fnAtn(Interpreter&, A a) {
    return real(a[0], [](double x) { return std::atan(x); });
}
Variant fnCos(Interpreter&, A a) {
    return real(a[0], [](double x) { return std::cos(x); });
}
Variant fnSin(Interpreter&, A a) {
    return real(a[0], [](double x) { return std::sin(x); });
}
Variant fnTan(Interpreter&, A a) {
    return real(a[0], [](double x) { return std::tan(x); });
}
Variant fnExp(Interpreter&, A a) {
    return real(a[0], [](double x) { return std::exp(x); });
}
Variant fnLog(Interpreter&, A a) {
    return real(a[0], [](double x) {
        if (x <= 0) throw VbError(err::InvalidCall);
        return std::log(x);
    });
}
Variant fnSqr(Interpreter&, A a) {
    return real(a[0], [](double x) {
        if (x < 0) throw VbError(err::InvalidCall);
        return std::sqrt(x);
    });
}

Variant fnSgn(Interpreter&, A a) {
    if (a[0].isNull()) throw VbError(err::InvalidNull);
    double x = toDouble(a[0]);
    return Variant(int16_t(x > 0 ? 1 : x < 0 ? -1 : 0));
}

double roundDecimal(double x, int decimals) {
    DecimalDigits d = DecimalDigits::of(x);
    d.round(decimals, true);
    return d.toDouble();
}

// Round(x[, decimals]): whole numbers and Booleans stay as they are; Single, Double, Currency
// and Date keep their subtype; a numeric text gives a Double.
Variant fnRound(Interpreter&, A a) {
    int decimals = given(a, 1) ? argLong(a[1]) : 0;
    if (decimals < 0) throw VbError(err::InvalidCall);
    if (a[0].isNull()) return Variant::null();
    if (a[0].isBoolean()) return a[0];
    Variant n = toNumber(a[0]);
    switch (n.varType()) {
    case vbInteger:
    case vbLong:
    case vbByte:
    case vbBoolean:
        return n;
    case vbSingle:
        // The digits a Single shows (7), not those of its binary value.
        return Variant(
            float(roundDecimal(parseNumber(singleText(n.rawSingle())).value_or(0), decimals)));
    case vbCurrency: {
        if (decimals >= 4) return n;
        int64_t unit = 1;
        for (int i = decimals; i < 4; ++i)
            unit *= 10;
        int64_t c = n.rawCurrency();
        int64_t q = c / unit, r = c % unit;
        int64_t twice = 2 * (r < 0 ? -r : r);
        if (twice > unit || (twice == unit && q % 2 != 0)) q += c < 0 ? -1 : 1;
        return Variant::currencyScaled(q * unit);
    }
    case vbDate:
        return Variant::date(roundDecimal(n.rawDate(), decimals));
    default:
        return Variant(roundDecimal(n.numericValue(), decimals));
    }
}

// RGB(red, green, blue): the colour as a Long, red in the low byte; a part above 255 counts as
// 255, a negative one is 5.
Variant fnRGB(Interpreter&, A a) {
    int32_t colour = 0;
    for (size_t i = 0; i < 3; ++i) {
        int32_t part = argLong(a[i]);
        if (part < 0) throw VbError(err::InvalidCall);
        colour |= std::min(part, 255) << (8 * i);
    }
    return Variant(colour);
}

} // namespace

void registerMathBuiltins(BuiltinRegistry& r) {
    r.function("RGB", 3, 3, fnRGB);
    r.function("Atn", 1, 1, fnAtn);
    r.function("Cos", 1, 1, fnCos);
    r.function("Sin", 1, 1, fnSin);
    r.function("Tan", 1, 1, fnTan);
    r.function("Exp", 1, 1, fnExp);
    r.function("Log", 1, 1, fnLog);
    r.function("Sqr", 1, 1, fnSqr);
    r.function("Sgn", 1, 1, fnSgn);
    r.function("Round", 1, 2, fnRound);
}

} // namespace zv::vbs
