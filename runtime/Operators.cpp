#include "Operators.h"

#include "Convert.h"
#include "Dispatch.h"
#include "Text.h"
#include "ValueLimit.h"

#include <cmath>
#include <limits>

namespace zv {

namespace {

// Arithmetic rank of an operand after the Empty/Null/String rules: the result of an
// operation takes the higher rank of its operands and widens further on overflow.
enum Rank { RByte, RInteger, RLong, RSingle, RDouble, RCurrency, RDate };

Rank rankOf(const Variant& v) {
    switch (v.varType()) {
    case vbByte:
        return RByte;
    case vbEmpty:
    case vbInteger:
    case vbBoolean:
        return RInteger;
    case vbLong:
        return RLong;
    case vbSingle:
        return RSingle;
    case vbCurrency:
        return RCurrency;
    case vbDate:
        return RDate;
    default:
        return RDouble;
    }
}

// Turns an operand into a plain numeric Variant: objects give their default value, Strings
// their number (13 when not numeric), arrays and Error values 13.
const Variant& numericOperand(const Variant& v, Variant& holder) {
    switch (v.varType()) {
    case vbString:
        holder = Variant(toDouble(v));
        return holder;
    case vbObject: {
        Variant value = dereference(v);
        if (value.isObject() || value.isArray() || value.isError())
            throw VbError(err::TypeMismatch);
        holder = value.isString() ? Variant(toDouble(value)) : std::move(value);
        return holder;
    }
    case vbError:
        throw VbError(err::TypeMismatch);
    default:
        if (v.isArray()) throw VbError(err::TypeMismatch);
        return v;
    }
}

int64_t integral(const Variant& v) {
    switch (v.varType()) {
    case vbInteger:
        return v.rawInteger();
    case vbLong:
        return v.rawLong();
    case vbByte:
        return v.rawByte();
    case vbBoolean:
        return v.rawBoolean() ? -1 : 0;
    default:
        return 0; // Empty
    }
}

Variant fromInteger(int64_t r, Rank rank) {
    if (rank == RByte && r >= 0 && r <= 255) return Variant(uint8_t(r));
    if (rank <= RInteger && r >= -32768 && r <= 32767) return Variant(int16_t(r));
    if (r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max())
        return Variant(int32_t(r));
    return Variant(double(r));
}

Variant fromReal(double r, Rank rank) {
    if (std::isnan(r) || std::isinf(r)) throw VbError(err::Overflow);
    if (rank == RSingle && std::fabs(r) <= double(std::numeric_limits<float>::max()))
        return Variant(float(r));
    if (rank == RDate) {
        if (r < -657434.0 || r >= 2958466.0) throw VbError(err::Overflow);
        return Variant::date(r);
    }
    return Variant(r);
}

Variant fromCurrency(double scaled) {
    double r = std::nearbyint(scaled);
    if (!(std::fabs(r) <= 9.2233720368547758e18)) throw VbError(err::Overflow);
    return Variant::currencyScaled(int64_t(r));
}

// Two texts one after the other (7 past the value size limit).
QString joined(const QString& a, const QString& b) {
    checkTextLength(int64_t(a.size()) + b.size());
    return a + b;
}

enum class Arith { Add, Sub, Mul };

Variant arith(Arith op, const Variant& a0, const Variant& b0) {
    // Fast path: the common Integer/Long cases without any conversion.
    int ta = a0.varType(), tb = b0.varType();
    if ((ta == vbInteger || ta == vbLong) && (tb == vbInteger || tb == vbLong)) {
        int64_t x = ta == vbInteger ? a0.rawInteger() : a0.rawLong();
        int64_t y = tb == vbInteger ? b0.rawInteger() : b0.rawLong();
        int64_t r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        return fromInteger(r, (ta == vbLong || tb == vbLong) ? RLong : RInteger);
    }
    if (ta == vbDouble && tb == vbDouble) {
        double x = a0.rawDouble(), y = b0.rawDouble();
        return fromReal(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y, RDouble);
    }
    if (a0.isNull() || b0.isNull()) return Variant::null();
    Variant ha, hb;
    const Variant& a = numericOperand(a0, ha);
    const Variant& b = numericOperand(b0, hb);
    if (a.isNull() || b.isNull()) return Variant::null();
    Rank ra = rankOf(a), rb = rankOf(b);
    Rank rank = std::max(ra, rb);
    // Dates: date + number stays a date; date - date is a number of days; products are numbers.
    if (rank == RDate) {
        double x = a.numericValue(), y = b.numericValue();
        if (op == Arith::Add) return fromReal(x + y, RDate);
        if (op == Arith::Sub)
            return fromReal(x - y, (ra == RDate && rb == RDate) ? RDouble : RDate);
        return fromReal(x * y, RDouble);
    }
    if (rank == RCurrency) {
        if (ra == RSingle || ra == RDouble || rb == RSingle || rb == RDouble) {
            double x = a.numericValue(), y = b.numericValue();
            return fromReal(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y, RDouble);
        }
        double x = ra == RCurrency ? double(a.rawCurrency()) : a.numericValue() * 10000.0;
        double y = rb == RCurrency ? double(b.rawCurrency()) : b.numericValue() * 10000.0;
        if (op == Arith::Mul) return fromCurrency(x * y / 10000.0);
        return fromCurrency(op == Arith::Add ? x + y : x - y);
    }
    if (rank <= RLong) {
        int64_t x = integral(a), y = integral(b);
        int64_t r = op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y;
        return fromInteger(r, rank);
    }
    double x = a.numericValue(), y = b.numericValue();
    return fromReal(op == Arith::Add ? x + y : op == Arith::Sub ? x - y : x * y, rank);
}

// The operand of \, Mod and the bitwise operators: rounded half to even to a whole number,
// with the rank that decides the result's subtype (Integer or Long; Byte for two Bytes).
struct WholeOperand {
    int64_t value;
    Rank rank;
};

WholeOperand wholeOperand(const Variant& v0) {
    Variant holder;
    const Variant& v = numericOperand(v0, holder);
    Rank r = rankOf(v);
    if (r <= RLong) return {integral(v), r};
    double d = roundHalfEven(v.isCurrency() ? double(v.rawCurrency()) / 10000.0 : v.numericValue());
    if (!(d >= -2147483648.0 && d <= 2147483647.0)) throw VbError(err::Overflow);
    return {int64_t(d), RLong};
}

// A Boolean operand of the logical operators, or a whole number.
struct LogicOperand {
    bool isBool;
    bool isNull;
    WholeOperand whole;
};

LogicOperand logicOperand(const Variant& v) {
    if (v.isNull()) return {false, true, {0, RInteger}};
    if (v.isBoolean()) return {true, false, {v.rawBoolean() ? -1 : 0, RInteger}};
    if (v.isString()) {
        if (auto b = booleanText(v.rawString())) return {true, false, {*b ? -1 : 0, RInteger}};
    }
    if (v.isObject()) return logicOperand(dereference(v));
    return {false, false, wholeOperand(v)};
}

enum class Logic { And, Or, Xor, Eqv, Imp };

int64_t applyLogic(Logic op, int64_t x, int64_t y) {
    switch (op) {
    case Logic::And:
        return x & y;
    case Logic::Or:
        return x | y;
    case Logic::Xor:
        return x ^ y;
    case Logic::Eqv:
        return ~(x ^ y);
    case Logic::Imp:
        return ~x | y;
    }
    return 0;
}

Variant logic(Logic op, const Variant& a0, const Variant& b0) {
    if (a0.isBoolean() && b0.isBoolean())
        return Variant(applyLogic(op, a0.rawBoolean() ? -1 : 0, b0.rawBoolean() ? -1 : 0) != 0);
    LogicOperand a = logicOperand(a0), b = logicOperand(b0);
    if (a.isNull || b.isNull) {
        // Null is "unknown": the result is known only where the other side decides it.
        const LogicOperand& other = a.isNull ? b : a;
        if (a.isNull && b.isNull) return Variant::null();
        int64_t o = other.whole.value;
        switch (op) {
        case Logic::And:
            if (o == 0) return other.isBool ? Variant(false) : fromInteger(0, other.whole.rank);
            return Variant::null();
        case Logic::Or:
            if (other.isBool && o != 0) return Variant(true);
            if (!other.isBool && o == -1) return fromInteger(-1, other.whole.rank);
            return Variant::null();
        case Logic::Imp:
            if (a.isNull) { // Null Imp b
                if (b.isBool && b.whole.value != 0) return Variant(true);
                if (!b.isBool && b.whole.value == -1) return fromInteger(-1, b.whole.rank);
                return Variant::null();
            }
            // a Imp Null
            if (a.whole.value == 0) return a.isBool ? Variant(true) : fromInteger(-1, a.whole.rank);
            return Variant::null();
        default:
            return Variant::null();
        }
    }
    int64_t r = applyLogic(op, a.whole.value, b.whole.value);
    if (a.isBool && b.isBool) return Variant(r != 0);
    Rank rank = std::max(a.isBool ? RInteger : a.whole.rank, b.isBool ? RInteger : b.whole.rank);
    if (rank == RByte) return Variant(uint8_t(r & 0xFF));
    if (rank <= RInteger) return Variant(int16_t(r));
    return Variant(int32_t(r));
}

bool numericLike(const Variant& v) {
    return v.isNumber() || v.isBoolean() || v.isDate() || v.isEmpty();
}

template <typename T> Order orderOf(T x, T y) {
    return x < y ? Order::Less : x > y ? Order::Greater : Order::Equal;
}

Variant relational(const Variant& a, const Variant& b, CompareMode mode, bool (*test)(Order)) {
    Order o = compare(a, b, mode);
    if (o == Order::Null) return Variant::null();
    return Variant(test(o));
}

} // namespace

Variant opAdd(const Variant& a, const Variant& b) {
    int ta = a.varType(), tb = b.varType();
    if (ta == vbString && tb == vbString) return Variant(joined(a.rawString(), b.rawString()));
    // Empty + String is the String; String + Empty likewise.
    if (ta == vbString && tb == vbEmpty) return a;
    if (ta == vbEmpty && tb == vbString) return b;
    return arith(Arith::Add, a, b);
}

Variant opSub(const Variant& a, const Variant& b) {
    return arith(Arith::Sub, a, b);
}

Variant opMul(const Variant& a, const Variant& b) {
    return arith(Arith::Mul, a, b);
}

Variant opDiv(const Variant& a0, const Variant& b0) {
    if (a0.isNull() || b0.isNull()) return Variant::null();
    Variant ha, hb;
    const Variant& a = numericOperand(a0, ha);
    const Variant& b = numericOperand(b0, hb);
    if (a.isNull() || b.isNull()) return Variant::null();
    double x = a.numericValue(), y = b.numericValue();
    if (y == 0) throw VbError(x == 0 ? err::Overflow : err::DivisionByZero);
    Rank r = std::max(rankOf(a), rankOf(b));
    return fromReal(x / y, r == RSingle ? RSingle : RDouble);
}

Variant opIntDiv(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return Variant::null();
    WholeOperand x = wholeOperand(a), y = wholeOperand(b);
    if (y.value == 0) throw VbError(err::DivisionByZero);
    return fromInteger(x.value / y.value, std::max(x.rank, y.rank));
}

Variant opMod(const Variant& a, const Variant& b) {
    if (a.isNull() || b.isNull()) return Variant::null();
    WholeOperand x = wholeOperand(a), y = wholeOperand(b);
    if (y.value == 0) throw VbError(err::DivisionByZero);
    return fromInteger(x.value % y.value, std::max(x.rank, y.rank));
}

Variant opPow(const Variant& a0, const Variant& b0) {
    if (a0.isNull() || b0.isNull()) return Variant::null();
    double x = toDouble(a0), y = toDouble(b0);
    double r = std::pow(x, y);
    if (std::isnan(r)) throw VbError(err::InvalidCall);
    if (std::isinf(r)) throw VbError(x == 0 ? err::DivisionByZero : err::Overflow);
    return Variant(r);
}

Variant opNeg(const Variant& a0) {
    switch (a0.varType()) {
    case vbNull:
        return Variant::null();
    case vbEmpty:
        return Variant(int16_t(0));
    case vbInteger:
        return fromInteger(-int64_t(a0.rawInteger()), RInteger);
    case vbLong:
        return fromInteger(-int64_t(a0.rawLong()), RLong);
    case vbBoolean:
        return Variant(int16_t(a0.rawBoolean() ? 1 : 0));
    case vbByte:
        return Variant(int16_t(-int(a0.rawByte())));
    case vbSingle:
        return Variant(-a0.rawSingle());
    case vbDouble:
        return Variant(-a0.rawDouble());
    case vbDate:
        return Variant::date(-a0.rawDate());
    case vbCurrency:
        return Variant::currencyScaled(-a0.rawCurrency());
    default: {
        Variant h;
        const Variant& a = numericOperand(a0, h);
        return opNeg(Variant(a));
    }
    }
}

Variant opConcat(const Variant& a, const Variant& b) {
    if (a.isNull() && b.isNull()) return Variant::null();
    if (a.isString() && b.isString()) return Variant(joined(a.rawString(), b.rawString()));
    QString x = a.isNull() ? QString() : toText(a);
    QString y = b.isNull() ? QString() : toText(b);
    return Variant(joined(x, y));
}

Variant opNot(const Variant& a) {
    switch (a.varType()) {
    case vbNull:
        return Variant::null();
    case vbBoolean:
        return Variant(!a.rawBoolean());
    case vbEmpty:
        return Variant(int16_t(-1));
    case vbInteger:
        return Variant(int16_t(~a.rawInteger()));
    case vbByte:
        return Variant(uint8_t(~a.rawByte()));
    case vbLong:
        return Variant(int32_t(~a.rawLong()));
    default: {
        LogicOperand o = logicOperand(a);
        if (o.isNull) return Variant::null();
        if (o.isBool) return Variant(o.whole.value == 0);
        return Variant(int32_t(~o.whole.value));
    }
    }
}

Variant opAnd(const Variant& a, const Variant& b) {
    return logic(Logic::And, a, b);
}
Variant opOr(const Variant& a, const Variant& b) {
    return logic(Logic::Or, a, b);
}
Variant opXor(const Variant& a, const Variant& b) {
    return logic(Logic::Xor, a, b);
}
Variant opEqv(const Variant& a, const Variant& b) {
    return logic(Logic::Eqv, a, b);
}
Variant opImp(const Variant& a, const Variant& b) {
    return logic(Logic::Imp, a, b);
}

Order compare(const Variant& a, const Variant& b, CompareMode mode) {
    int ta = a.varType(), tb = b.varType();
    if (ta == vbString && tb == vbString) {
        int c = compareText(a.rawString(), b.rawString(), mode);
        return c < 0 ? Order::Less : c > 0 ? Order::Greater : Order::Equal;
    }
    if (ta == vbNull || tb == vbNull) return Order::Null;
    if (ta == vbObject || tb == vbObject) return compare(dereference(a), dereference(b), mode);
    if (a.isArray() || b.isArray() || ta == vbError || tb == vbError)
        throw VbError(err::TypeMismatch);
    if (ta == vbString || tb == vbString) {
        // Empty stands for "" beside a String; a number sorts before any String.
        if (ta == vbEmpty) return compare(Variant(QString()), b, mode);
        if (tb == vbEmpty) return compare(a, Variant(QString()), mode);
        return ta == vbString ? Order::Greater : Order::Less;
    }
    if ((ta == vbInteger || ta == vbLong) && (tb == vbInteger || tb == vbLong))
        return orderOf<int64_t>(integral(a), integral(b));
    if (ta == vbCurrency && tb == vbCurrency) return orderOf(a.rawCurrency(), b.rawCurrency());
    if (numericLike(a) && numericLike(b)) return orderOf(a.numericValue(), b.numericValue());
    throw VbError(err::TypeMismatch);
}

Variant opEq(const Variant& a, const Variant& b, CompareMode m) {
    return relational(a, b, m, [](Order o) { return o == Order::Equal; });
}
Variant opNe(const Variant& a, const Variant& b, CompareMode m) {
    return relational(a, b, m, [](Order o) { return o != Order::Equal; });
}
Variant opLt(const Variant& a, const Variant& b, CompareMode m) {
    return relational(a, b, m, [](Order o) { return o == Order::Less; });
}
Variant opLe(const Variant& a, const Variant& b, CompareMode m) {
    return relational(a, b, m, [](Order o) { return o != Order::Greater; });
}
Variant opGt(const Variant& a, const Variant& b, CompareMode m) {
    return relational(a, b, m, [](Order o) { return o == Order::Greater; });
}
Variant opGe(const Variant& a, const Variant& b, CompareMode m) {
    return relational(a, b, m, [](Order o) { return o != Order::Less; });
}

bool opIs(const Variant& a, const Variant& b) {
    if (!a.isObject() || !b.isObject()) throw VbError(err::ObjectRequired);
    return a.rawObject() == b.rawObject();
}

bool truthOf(const Variant& v) {
    switch (v.varType()) {
    case vbBoolean:
        return v.rawBoolean();
    case vbNull:
    case vbEmpty:
        return false;
    case vbString:
        return CBool(v);
    case vbObject:
        return truthOf(dereference(v));
    case vbError:
        throw VbError(err::TypeMismatch);
    default:
        if (v.isArray()) throw VbError(err::TypeMismatch);
        return v.numericValue() != 0;
    }
}

} // namespace zv
