// Text built-ins beyond the core set: InStrRev, String, StrReverse, AscW, ChrW, Filter, and the
// Hex and Oct forms of numbers.

#include "Builtin.h"
#include "Convert.h"
#include "Text.h"

namespace zv::vbs {

namespace {

using A = std::span<const Variant>;

// InStrRev(s, find[, start[, compare]]): unlike InStr, a Null text is 94 too.
Variant fnInStrRev(Interpreter&, A a) {
    if (a[0].isNull() || a[1].isNull()) throw VbError(err::InvalidNull);
    int start = given(a, 2) ? argLong(a[2]) : -1;
    CompareMode mode = compareArg(a, 3);
    return Variant(int32_t(InStrRev(toText(a[0]), toText(a[1]), start, mode)));
}

// String(n, c): c is a character code or a text whose first character is repeated.
Variant fnString(Interpreter&, A a) {
    if (a[0].isNull() || a[1].isNull()) return Variant::null();
    int n = argLong(a[0]);
    QChar c;
    if (a[1].isString()) {
        if (a[1].rawString().isEmpty()) throw VbError(err::InvalidCall);
        c = a[1].rawString()[0];
    } else {
        int code = argLong(a[1]);
        if (code < 0) throw VbError(err::InvalidCall);
        c = Chr(code % 256)[0];
    }
    return Variant(String(n, c));
}

Variant fnStrReverse(Interpreter&, A a) {
    return Variant(StrReverse(toText(a[0])));
}

Variant fnAscW(Interpreter&, A a) {
    return Variant(int16_t(AscW(toText(a[0]))));
}

Variant fnChrW(Interpreter&, A a) {
    return Variant(ChrW(argLong(a[0])));
}

// Filter(list, value[, include[, compare]]): the elements that contain value (include True,
// the default) or that do not, as a new list from 0.
Variant fnFilter(Interpreter&, A a) {
    if (a[0].isNull()) throw VbError(err::InvalidNull);
    if (!a[0].isArray() || a[0].array().dimensions() != 1) throw VbError(err::TypeMismatch);
    QString find = toText(a[1]);
    bool include = given(a, 2) ? CBool(a[2]) : true;
    CompareMode mode = compareArg(a, 3);
    std::vector<Variant> kept;
    for (const Variant& element : a[0].array().elements()) {
        QString text = toText(element);
        bool found = InStr(1, text, find, mode) > 0;
        if (found == include) kept.emplace_back(text);
    }
    return Variant::list(std::move(kept));
}

// The whole number Hex and Oct show: Integer and Boolean values in 16 bits, Bytes in 8,
// anything else rounded to a Long (32 bits); negative numbers in two's complement.
uint32_t radixValue(const Variant& v) {
    switch (v.varType()) {
    case vbInteger:
        return uint16_t(v.rawInteger());
    case vbBoolean:
        return v.rawBoolean() ? 0xFFFFu : 0u;
    case vbByte:
        return v.rawByte();
    default:
        return uint32_t(CLng(v));
    }
}

QString radixText(const Variant& v, int base) {
    if (v.isEmpty()) return QStringLiteral("0");
    return QString::number(radixValue(v), base).toUpper();
}

Variant fnHex(Interpreter&, A a) {
    if (a[0].isNull()) return Variant::null();
    return Variant(radixText(a[0], 16));
}

Variant fnOct(Interpreter&, A a) {
    if (a[0].isNull()) return Variant::null();
    return Variant(radixText(a[0], 8));
}

} // namespace

void registerTextBuiltins(BuiltinRegistry& r) {
    r.function("InStrRev", 2, 4, fnInStrRev);
    r.function("String", 2, 2, fnString);
    r.function("StrReverse", 1, 1, fnStrReverse);
    r.function("AscW", 1, 1, fnAscW);
    r.function("ChrW", 1, 1, fnChrW);
    r.function("Filter", 2, 4, fnFilter);
    r.function("Hex", 1, 1, fnHex);
    r.function("Oct", 1, 1, fnOct);
}

} // namespace zv::vbs
