// Operators, literal typing, number text and comparisons as scripts see them, table-driven:
// each expression with the subtype and text of its value, or the error it raises.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;

namespace {

struct ValueCase {
    const char* expr;
    const char* typeName; // nullptr: the expression raises `error`
    const char* text;
    int error = 0;
};

class Values : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Values, EvaluateToSubtypeAndText) {
    const ValueCase& c = GetParam();
    Engine e;
    e.sc.executeStatement(
        QStringLiteral("s1 = \"1\" : s100 = \"100\" : n1000 = 1000 : "
                       "n1 = 1 : sabc = \"abc\" : sTrue = \"True\" : Dim arr(2)"));
    zv::Variant v;
    int err = errorOf([&] { v = e.sc.eval(QString::fromUtf8(c.expr)); });
    if (!c.typeName) {
        EXPECT_EQ(err, c.error) << c.expr;
        return;
    }
    ASSERT_EQ(err, 0) << c.expr;
    EXPECT_EQ(zv::TypeName(v), QString::fromUtf8(c.typeName)) << c.expr;
    QString text = v.isNull() ? QStringLiteral("Null") : v.isArray() ? QString() : zv::toText(v);
    EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.expr;
}

const ValueCase kArithmetic[] = {
    // Literal typing.
    {"32767", "Integer", "32767"},
    {"32768", "Long", "32768"},
    {"2147483648", "Double", "2147483648"},
    {"-32768", "Long", "-32768"},
    {"1.0", "Double", "1"},
    {"&HFF", "Integer", "255"},
    {"&HFFFF", "Integer", "-1"},
    {"&HFFFF&", "Long", "65535"},
    {"&H10000", "Long", "65536"},
    {"&O777", "Integer", "511"},
    {"1E3", "Double", "1000"},
    // Widening on overflow.
    {"32767 + 1", "Long", "32768"},
    {"2147483647 + 1", "Double", "2147483648"},
    {"-32768 - 1", "Long", "-32769"},
    {"200 * 200", "Long", "40000"},
    {"True + 1", "Integer", "0"},
    {"Empty + 1", "Integer", "1"},
    {"1 + 1.5", "Double", "2.5"},
    // Division and the integer operators.
    {"10 / 4", "Double", "2.5"},
    {"10 / 5", "Double", "2"},
    {"7.5 \\ 2", "Long", "4"},
    {"6.5 \\ 2", "Long", "3"},
    {"-7 \\ 2", "Integer", "-3"},
    {"5.5 Mod 2", "Long", "0"},
    {"-7 Mod 2", "Integer", "-1"},
    {"1 / 0", nullptr, nullptr, 11},
    {"1 \\ 0", nullptr, nullptr, 11},
    {"1 Mod 0", nullptr, nullptr, 11},
    {"2 ^ 10", "Double", "1024"},
    {"-2 ^ 2", "Double", "4"},
    {"-(2 ^ 2)", "Double", "-4"},
    {"2 ^ -1", "Double", "0.5"},
    {"2 ^ 3 ^ 2", "Double", "64"},
    // Strings and +, &.
    {"\"1\" + \"2\"", "String", "12"},
    {"1 + \"2\"", "Double", "3"},
    {"1 + \"x\"", nullptr, nullptr, 13},
    {"\"a\" & 1 & True", "String", "a1True"},
    {"\"a\" & Null", "String", "a"},
    {"Null & Null", "Null", "Null"},
    {"Null + 1", "Null", "Null"},
    // Logic is bitwise on numbers.
    {"6 And 3", "Integer", "2"},
    {"6 Or 3", "Integer", "7"},
    {"6 Xor 3", "Integer", "5"},
    {"Not 0", "Integer", "-1"},
    {"Not True", "Boolean", "False"},
    {"True Imp False", "Boolean", "False"},
    {"False Eqv False", "Boolean", "True"},
    {"Null And False", "Boolean", "False"},
    {"Null Or True", "Boolean", "True"},
    // Number text: at most 15 significant digits.
    {"0.1 + 0.2", "Double", "0.3"},
    {"1 / 3", "Double", "0.333333333333333"},
    {"1E15", "Double", "1E+15"},
    {"123456789012345", "Double", "123456789012345"},
    {"1E-6", "Double", "1E-06"},
    // Arrays and objects.
    {"arr", "Variant()", ""},
    {"arr + 1", nullptr, nullptr, 13},
    {"Nothing + 1", nullptr, nullptr, 91},
};

INSTANTIATE_TEST_SUITE_P(Arithmetic, Values, ::testing::ValuesIn(kArithmetic));

const ValueCase kComparisons[] = {
    {"1 < 2", "Boolean", "True"},
    {"2 <= 2", "Boolean", "True"},
    {"3 = 3.0", "Boolean", "True"},
    {"-1 = True", "Boolean", "True"},
    {"\"B\" < \"a\"", "Boolean", "True"}, // binary order: upper case first
    {"\"abc\" < \"abd\"", "Boolean", "True"},
    {"\"\" = Empty", "Boolean", "True"},
    {"0 = Empty", "Boolean", "True"},
    {"Null = Null", "Null", "Null"},
    {"1 = Null", "Null", "Null"},
    // A literal decides: the other side takes the literal's type.
    {"s1 = 1", "Boolean", "True"},
    {"1 = s1", "Boolean", "True"},
    {"n1 = \"1\"", "Boolean", "True"},
    {"n1000 < \"9\"", "Boolean", "True"}, // "1000" < "9" as text
    {"sabc = 1", nullptr, nullptr, 13},
    // Both literals: the string is read as a number.
    {"1 = \"1\"", "Boolean", "True"},
    {"10 < \"9\"", "Boolean", "False"},
    // Neither a literal: a number is less than any string.
    {"s100 > n1000", "Boolean", "True"},
    {"n1 = s1", "Boolean", "False"},
    {"n1 < sabc", "Boolean", "True"},
    // Parenthesised and negated literals stay literals; True does not count as one.
    {"s1 = (1)", "Boolean", "True"},
    {"\"-1\" = -1", "Boolean", "True"},
    {"sTrue = True", "Boolean", "False"},
    // Is compares object identity.
    {"Out Is Out", "Boolean", "True"},
    {"Nothing Is Nothing", "Boolean", "True"},
    {"1 Is Nothing", nullptr, nullptr, 424},
};

INSTANTIATE_TEST_SUITE_P(Comparisons, Values, ::testing::ValuesIn(kComparisons));

TEST(ValueRules, SelectCaseComparesWithTheLiteralRule) {
    Engine e;
    QString code = QStringLiteral("opcSel = \"2\"\n"
                                  "Select Case opcSel\n"
                                  "Case 1: Out.Print \"one\"\n"
                                  "Case 2: Out.Print \"two\"\n"
                                  "Case Else: Out.Print \"else\"\n"
                                  "End Select\n"
                                  "v = 2 : w = \"2\"\n"
                                  "Select Case v\n"
                                  "Case w: Out.Print \"same\"\n"
                                  "Case Else: Out.Print \"different\"\n"
                                  "End Select");
    EXPECT_EQ(e.run(code), QStringLiteral("two|different"));
}

TEST(ValueRules, ConstantsAreNoLiterals) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("Const ONE = 1\ns = \"1\"\nOut.Print s = ONE")),
              QStringLiteral("False"));
}

} // namespace
