#pragma once
// Inline forms of the commonest operations on numbers (Integer, Long, Double), with exactly the
// runtime's rules: Integer widens to Long and Long to Double on overflow. Anything else goes to
// the runtime's operators. No allocation happens for numbers.

#include "Ast.h"
#include "Operators.h"
#include "Variant.h"

#include <cmath>
#include <cstdint>

namespace zv::vbs::fast {

inline bool isIntegral(int t) {
    return t == vbInteger || t == vbLong;
}

inline int64_t integral(const Variant& v) {
    return v.varType() == vbInteger ? v.rawInteger() : v.rawLong();
}

// An integer result typed by its operands: Integer while both are Integer and it fits, Long
// while it fits, else Double.
inline Variant fromIntegral(int64_t r, bool bothInteger) {
    if (bothInteger && r >= -32768 && r <= 32767) return Variant(int16_t(r));
    if (r >= INT32_MIN && r <= INT32_MAX) return Variant(int32_t(r));
    return Variant(double(r));
}

// The value of a Double or integral operand as a double (false for other subtypes).
inline bool asReal(const Variant& v, double& out) {
    switch (v.varType()) {
    case vbDouble:
        out = v.rawDouble();
        return true;
    case vbInteger:
        out = v.rawInteger();
        return true;
    case vbLong:
        out = v.rawLong();
        return true;
    default:
        return false;
    }
}

inline Variant realResult(double r, const Variant& a, const Variant& b,
                          Variant (*slow)(const Variant&, const Variant&)) {
    if (std::isfinite(r)) return Variant(r);
    return slow(a, b); // raises the overflow
}

inline Variant add(const Variant& a, const Variant& b) {
    int ta = a.varType(), tb = b.varType();
    if (isIntegral(ta) && isIntegral(tb))
        return fromIntegral(integral(a) + integral(b), ta == vbInteger && tb == vbInteger);
    if (ta == vbDouble || tb == vbDouble) {
        double x, y;
        if (asReal(a, x) && asReal(b, y)) return realResult(x + y, a, b, opAdd);
    }
    return opAdd(a, b);
}

inline Variant sub(const Variant& a, const Variant& b) {
    int ta = a.varType(), tb = b.varType();
    if (isIntegral(ta) && isIntegral(tb))
        return fromIntegral(integral(a) - integral(b), ta == vbInteger && tb == vbInteger);
    if (ta == vbDouble || tb == vbDouble) {
        double x, y;
        if (asReal(a, x) && asReal(b, y)) return realResult(x - y, a, b, opSub);
    }
    return opSub(a, b);
}

inline Variant mul(const Variant& a, const Variant& b) {
    int ta = a.varType(), tb = b.varType();
    if (isIntegral(ta) && isIntegral(tb))
        return fromIntegral(integral(a) * integral(b), ta == vbInteger && tb == vbInteger);
    if (ta == vbDouble || tb == vbDouble) {
        double x, y;
        if (asReal(a, x) && asReal(b, y)) return realResult(x * y, a, b, opMul);
    }
    return opMul(a, b);
}

// v = v + step, written in place (the loop counter of For).
inline void addInPlace(Variant& v, const Variant& step) {
    int tv = v.varType(), ts = step.varType();
    if (isIntegral(tv) && isIntegral(ts)) {
        int64_t r = integral(v) + integral(step);
        if (tv == vbInteger && ts == vbInteger && r >= -32768 && r <= 32767)
            v = Variant(int16_t(r));
        else if (r >= INT32_MIN && r <= INT32_MAX)
            v = Variant(int32_t(r));
        else
            v = Variant(double(r));
        return;
    }
    v = add(v, step);
}

inline Variant div(const Variant& a, const Variant& b) {
    double x, y;
    if (asReal(a, x) && asReal(b, y) && y != 0) {
        double r = x / y;
        if (std::isfinite(r)) return Variant(r);
    }
    return opDiv(a, b);
}

// Order of two numeric operands: -1, 0, 1; false when either is no Integer/Long/Double.
inline bool order(const Variant& a, const Variant& b, int& out) {
    int ta = a.varType(), tb = b.varType();
    if (isIntegral(ta) && isIntegral(tb)) {
        int64_t x = integral(a), y = integral(b);
        out = x < y ? -1 : x > y ? 1 : 0;
        return true;
    }
    double x, y;
    if (asReal(a, x) && asReal(b, y)) {
        out = x < y ? -1 : x > y ? 1 : 0;
        return true;
    }
    return false;
}

// Whether a comparison operator holds for an order (-1, 0, 1).
inline bool holds(Op op, int o) {
    switch (op) {
    case Op::Eq:
        return o == 0;
    case Op::Ne:
        return o != 0;
    case Op::Lt:
        return o < 0;
    case Op::Gt:
        return o > 0;
    case Op::Le:
        return o <= 0;
    case Op::Ge:
        return o >= 0;
    default:
        return false;
    }
}

} // namespace zv::vbs::fast
