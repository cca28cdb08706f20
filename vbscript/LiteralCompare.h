#pragma once
// Comparison of a number with a string as the language does it: a literal written in the code
// has a "hard" type. When exactly one side is such a literal, the other side is converted to
// the literal's type (opcSel = 1 is True when opcSel holds the text "1"); when both are
// literals the string is read as a number; when neither is, the number is less than any
// string. A Const or a built-in constant is not a literal. Every other pairing is the
// runtime's comparison.

#include "Operators.h"
#include "Variant.h"

namespace zv::vbs {

Order literalRuleOrder(const Variant& a, const Variant& b, bool hardA, bool hardB);
// Select Case: whether test equals a Case value (Null equals nothing).
bool literalRuleEquals(const Variant& a, const Variant& b, bool hardA, bool hardB);

} // namespace zv::vbs
