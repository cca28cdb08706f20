#pragma once
// The language's operators on Variants, written once for the script engine and the modules.
// Arithmetic promotes Integer -> Long -> Double on overflow; Null propagates; Empty counts as 0
// or "" by the other side.

#include "Variant.h"

namespace zv {

Variant opAdd(const Variant& a, const Variant& b);
Variant opSub(const Variant& a, const Variant& b);
Variant opMul(const Variant& a, const Variant& b);
Variant opDiv(const Variant& a, const Variant& b);
Variant opIntDiv(const Variant& a, const Variant& b);
Variant opMod(const Variant& a, const Variant& b);
Variant opPow(const Variant& a, const Variant& b);
Variant opNeg(const Variant& a);
Variant opConcat(const Variant& a, const Variant& b);

Variant opNot(const Variant& a);
Variant opAnd(const Variant& a, const Variant& b);
Variant opOr(const Variant& a, const Variant& b);
Variant opXor(const Variant& a, const Variant& b);
Variant opEqv(const Variant& a, const Variant& b);
Variant opImp(const Variant& a, const Variant& b);

enum class CompareMode { Binary = 0, Text = 1 };

// Result of comparing two values: Null when either side is Null.
enum class Order { Less = -1, Equal = 0, Greater = 1, Null = 2 };

// Comparison as the language's operators do it: both numeric (numbers, Boolean, Date, Empty)
// numerically; both String by code (Binary) or case-blind with the Windows-1252 rules (Text);
// Empty against a String as ""; a number against a String: the number is less. Objects are
// compared by their default value.
Order compare(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);

// The six relational operators: Boolean results, Null when either side is Null.
Variant opEq(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);
Variant opNe(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);
Variant opLt(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);
Variant opLe(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);
Variant opGt(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);
Variant opGe(const Variant& a, const Variant& b, CompareMode mode = CompareMode::Binary);

// Object identity (the Is operator); 424 when either side is not an object.
bool opIs(const Variant& a, const Variant& b);

// The truth of a condition: Null is False, numbers non-zero, a String must read as a number or
// "True"/"False" (else 13), objects by their default value.
bool truthOf(const Variant& v);

} // namespace zv
