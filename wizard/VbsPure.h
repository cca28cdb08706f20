#pragma once
// VbsPure: which script expressions can be evaluated again with the same result. An expression
// is pure when evaluating it can do nothing but read the given variables: it is made of numbers,
// string literals, the operators of arithmetic, comparison and logic, parentheses, True, False,
// Empty, Null and the names of the variables, and nothing else. Any call (of a procedure or a
// built-in function), member, object, date literal, second statement, comment or line
// continuation makes it impure, as does any name that is not one of the variables; the test is
// conservative: what it cannot vouch for is impure. A blank expression is pure: it runs nothing
// (and fails).
//
// While no script code runs, a pure expression gives the same value every time, so the wizard
// engine defines its variables and evaluates the positions of its controls once, not once per
// zone or per control.

#include <QSet>
#include <QString>
#include <QStringView>

namespace zv {

// variables: the names of the variables, upper case.
bool vbsPureExpression(QStringView expression, const QSet<QString>& variables);
// A plain script name: an ASCII letter, then ASCII letters, digits and "_".
bool vbsPlainName(QStringView name);

} // namespace zv
