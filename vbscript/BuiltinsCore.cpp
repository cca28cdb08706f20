// The core built-ins: the Err object, type tests and conversions, array bounds, the commonest
// text functions.

#include "Builtin.h"
#include "Convert.h"
#include "DateTime.h"
#include "Interpreter.h"
#include "Text.h"

#include <cmath>
#include <cstring>

namespace zv::vbs {

namespace {

using A = std::span<const Variant>;

Variant nullOr(const Variant& v, Variant (*f)(const Variant&)) {
    return v.isNull() ? Variant::null() : f(v);
}

const VArray& arrayArg(const Variant& v) {
    if (!v.isArray()) throw VbError(err::TypeMismatch);
    return v.array();
}

int dimensionArg(A a) {
    return given(a, 1) ? argLong(a[1]) : 1;
}

Variant fnTypeName(Interpreter&, A a) {
    return Variant(TypeName(a[0]));
}
Variant fnVarType(Interpreter&, A a) {
    int t = a[0].varType();
    if (a[0].isObject() && a[0].rawObject()) {
        // An object with a default value reports the type of that value.
        vbTrap([&] { t = a[0].rawObject()->defaultValue().varType(); });
    }
    return Variant(int16_t(t));
}
Variant fnIsEmpty(Interpreter&, A a) {
    return Variant(a[0].isEmpty());
}
Variant fnIsNull(Interpreter&, A a) {
    return Variant(a[0].isNull());
}
Variant fnIsObject(Interpreter&, A a) {
    return Variant(a[0].isObject());
}
Variant fnIsArray(Interpreter&, A a) {
    return Variant(a[0].isArray());
}

// A function of one argument whose value is f's of it, as a Variant of f's type.
template <auto f> Variant ofFirst(Interpreter&, A a) {
    return Variant(f(a[0]));
}
Variant fnCCur(Interpreter&, A a) {
    return Variant::currencyScaled(CCur(a[0]));
}
Variant fnCDate(Interpreter&, A a) {
    return Variant::date(CDate(a[0]));
}

Variant fnLBound(Interpreter&, A a) {
    return Variant(arrayArg(a[0]).lbound(dimensionArg(a)));
}
Variant fnUBound(Interpreter&, A a) {
    return Variant(arrayArg(a[0]).ubound(dimensionArg(a)));
}
Variant fnArray(Interpreter&, A a) {
    return Variant::list(std::vector<Variant>(a.begin(), a.end()));
}

Variant fnLen(Interpreter&, A a) {
    if (a[0].isNull()) return Variant::null();
    return Variant(int32_t(Len(toText(a[0]))));
}
Variant fnUCase(Interpreter&, A a) {
    return nullOr(a[0], [](const Variant& v) { return Variant(UCase(toText(v))); });
}
Variant fnLCase(Interpreter&, A a) {
    return nullOr(a[0], [](const Variant& v) { return Variant(LCase(toText(v))); });
}
Variant fnTrim(Interpreter&, A a) {
    return nullOr(a[0], [](const Variant& v) { return Variant(Trim(toText(v))); });
}
Variant fnLTrim(Interpreter&, A a) {
    return nullOr(a[0], [](const Variant& v) { return Variant(LTrim(toText(v))); });
}
Variant fnRTrim(Interpreter&, A a) {
    return nullOr(a[0], [](const Variant& v) { return Variant(RTrim(toText(v))); });
}
// Left, Right: a negative length is 5 even for a Null text (which gives Null).
Variant fnLeft(Interpreter&, A a) {
    int n = argLong(a[1]);
    if (n < 0) throw VbError(err::InvalidCall);
    if (a[0].isNull()) return Variant::null();
    return Variant(Left(toText(a[0]), n));
}
Variant fnRight(Interpreter&, A a) {
    int n = argLong(a[1]);
    if (n < 0) throw VbError(err::InvalidCall);
    if (a[0].isNull()) return Variant::null();
    return Variant(Right(toText(a[0]), n));
}
// Mid(s, start[, length]): a Null length is 94 before start is read; start below 1 and a
// negative length are 5, also for a Null text (which gives Null).
Variant fnMid(Interpreter&, A a) {
    if (given(a, 2) && a[2].isNull()) throw VbError(err::InvalidNull);
    int start = argLong(a[1]);
    int length = given(a, 2) ? argLong(a[2]) : -1;
    if (start < 1 || (given(a, 2) && length < 0)) throw VbError(err::InvalidCall);
    if (a[0].isNull()) return Variant::null();
    return Variant(Mid(toText(a[0]), start, length));
}
Variant fnInStr(Interpreter&, A a) {
    // InStr([start,] s, find[, compare])
    size_t base = 0;
    int start = 1;
    if (a.size() >= 3) {
        start = given(a, 0) ? argLong(a[0]) : 1;
        base = 1;
    }
    if (a[base].isNull() || a[base + 1].isNull()) return Variant::null();
    return Variant(
        int32_t(InStr(start, toText(a[base]), toText(a[base + 1]), compareArg(a, base + 2))));
}
// Replace(s, find, with[, start[, count[, compare]]]): any Null is 94.
Variant fnReplace(Interpreter&, A a) {
    if (a[0].isNull()) throw VbError(err::InvalidNull);
    int start = given(a, 3) ? argLong(a[3]) : 1;
    int count = given(a, 4) ? argLong(a[4]) : -1;
    return Variant(
        Replace(toText(a[0]), toText(a[1]), toText(a[2]), start, count, compareArg(a, 5)));
}
Variant fnChr(Interpreter&, A a) {
    return Variant(Chr(argLong(a[0])));
}
Variant fnAsc(Interpreter&, A a) {
    return Variant(int16_t(Asc(toText(a[0]))));
}
Variant fnSpace(Interpreter&, A a) {
    return Variant(Space(argLong(a[0])));
}
Variant fnStrComp(Interpreter&, A a) {
    if (a[0].isNull() || a[1].isNull()) return Variant::null();
    return Variant(int16_t(StrComp(toText(a[0]), toText(a[1]), compareArg(a, 2))));
}
Variant fnSplit(Interpreter&, A a) {
    QString delim = given(a, 1) ? toText(a[1]) : QStringLiteral(" ");
    int count = given(a, 2) ? argLong(a[2]) : -1;
    return SplitV(toText(a[0]), delim, count, compareArg(a, 3));
}
// Join(list[, delimiter]): Null 94, an object 438, anything but a list of one dimension 13, as
// is a Null element.
Variant fnJoin(Interpreter&, A a) {
    if (a[0].isNull() || (given(a, 1) && a[1].isNull())) throw VbError(err::InvalidNull);
    if (a[0].isObject()) throw VbError(err::NoSuchMember);
    if (!a[0].isArray() || a[0].array().dimensions() > 1) throw VbError(err::TypeMismatch);
    for (const Variant& v : a[0].array().elements())
        if (v.isNull()) throw VbError(err::TypeMismatch);
    QString delim = given(a, 1) ? toText(a[1]) : QStringLiteral(" ");
    return Variant(JoinV(a[0], delim));
}

Variant fnAbs(Interpreter&, A a) {
    const Variant& v = a[0];
    if (v.isNull()) return Variant::null();
    Variant n = toNumber(v);
    if (n.isInteger16())
        return n.rawInteger() == INT16_MIN ? Variant(int32_t(32768))
                                           : Variant(int16_t(std::abs(n.rawInteger())));
    if (n.isLong())
        return n.rawLong() == INT32_MIN ? Variant(2147483648.0)
                                        : Variant(int32_t(std::abs(n.rawLong())));
    if (n.isCurrency()) return Variant::currencyScaled(std::llabs(n.rawCurrency()));
    if (n.varType() == vbByte) return n;
    if (n.varType() == vbSingle) return Variant(std::fabs(n.rawSingle()));
    return Variant(std::fabs(n.numericValue()));
}
Variant wholeOf(const Variant& v, double (*round)(double)) {
    if (v.isNull()) return Variant::null();
    Variant n = toNumber(v);
    switch (n.varType()) {
    case vbInteger:
    case vbLong:
    case vbByte:
        return n;
    case vbSingle:
        return Variant(float(round(n.rawSingle())));
    case vbCurrency:
        return Variant::currencyScaled(int64_t(round(double(n.rawCurrency()) / 10000.0) * 10000));
    case vbDate:
        return Variant::date(round(n.rawDate()));
    default:
        return Variant(round(n.numericValue()));
    }
}
Variant fnInt(Interpreter&, A a) {
    return wholeOf(a[0], [](double d) { return std::floor(d); });
}
Variant fnFix(Interpreter&, A a) {
    return wholeOf(a[0], [](double d) { return std::trunc(d); });
}

Variant fnErr(Interpreter& in, A) {
    return Variant(in.errObject());
}

// Rnd: the language's generator, x = (x * 1140671485 + 12820163) mod 2^24, as a Single in
// [0, 1). A negative argument reseeds from its bits (the same number, the same value), zero
// repeats the last value.
Variant fnRnd(Interpreter& in, A a) {
    uint32_t& x = in.randomState();
    if (given(a, 0)) {
        float n = CSng(a[0]);
        if (n == 0) return Variant(float(double(x) / 16777216.0));
        if (n < 0) {
            uint32_t bits;
            std::memcpy(&bits, &n, sizeof bits);
            x = (bits + (bits >> 24)) & 0xFFFFFF;
        }
    }
    x = (x * 1140671485u + 12820163u) & 0xFFFFFF;
    return Variant(float(double(x) / 16777216.0));
}

// Randomize [n]: mixes n (the seconds since midnight when left out) into the generator.
Variant fnRandomize(Interpreter& in, A a) {
    double seed = given(a, 0) ? CDbl(a[0]) : Timer();
    uint64_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    uint32_t mixed = uint32_t(bits >> 32) ^ uint32_t(bits);
    uint32_t& x = in.randomState();
    x = (((mixed ^ (mixed >> 16)) & 0xFFFF) << 8 | (x & 0xFF)) & 0xFFFFFF;
    return {};
}

} // namespace

void registerCoreBuiltins(BuiltinRegistry& r) {
    r.object("Err", fnErr);

    r.function("TypeName", 1, 1, fnTypeName);
    r.function("VarType", 1, 1, fnVarType);
    r.function("IsEmpty", 1, 1, fnIsEmpty);
    r.function("IsNull", 1, 1, fnIsNull);
    r.function("IsObject", 1, 1, fnIsObject);
    r.function("IsArray", 1, 1, fnIsArray);
    r.function("IsNumeric", 1, 1, ofFirst<IsNumeric>);
    r.function("IsDate", 1, 1, ofFirst<IsDate>);

    r.conversion("CStr", ofFirst<CStr>);
    r.conversion("CInt", ofFirst<CInt>);
    r.conversion("CLng", ofFirst<CLng>);
    r.conversion("CDbl", ofFirst<CDbl>);
    r.conversion("CSng", ofFirst<CSng>);
    r.conversion("CByte", ofFirst<CByte>);
    r.conversion("CBool", ofFirst<CBool>);
    r.conversion("CCur", fnCCur);
    r.conversion("CDate", fnCDate);

    r.function("LBound", 1, 2, fnLBound);
    r.function("UBound", 1, 2, fnUBound);
    r.function("Array", 0, 1 << 16, fnArray);

    r.function("Len", 1, 1, fnLen);
    r.function("UCase", 1, 1, fnUCase);
    r.function("LCase", 1, 1, fnLCase);
    r.function("Trim", 1, 1, fnTrim);
    r.function("LTrim", 1, 1, fnLTrim);
    r.function("RTrim", 1, 1, fnRTrim);
    r.function("Left", 2, 2, fnLeft);
    r.function("Right", 2, 2, fnRight);
    r.function("Mid", 2, 3, fnMid);
    r.function("InStr", 2, 4, fnInStr);
    r.function("Replace", 3, 6, fnReplace);
    r.function("Chr", 1, 1, fnChr);
    r.function("Asc", 1, 1, fnAsc);
    r.function("Space", 1, 1, fnSpace);
    r.function("StrComp", 2, 3, fnStrComp);
    r.function("Split", 1, 4, fnSplit);
    r.function("Join", 1, 2, fnJoin);

    r.function("Rnd", 0, 1, fnRnd);
    r.statement("Randomize", 0, 1, fnRandomize);
    r.function("Abs", 1, 1, fnAbs);
    r.function("Int", 1, 1, fnInt);
    r.function("Fix", 1, 1, fnFix);
}

} // namespace zv::vbs
