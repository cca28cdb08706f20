// Syntax errors: number, line, column and source text as AddCode reports them, and the forms
// of the language the parser must accept.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;

namespace {

class SyntaxErrors : public ::testing::TestWithParam<CompileErrorCase> {};

TEST_P(SyntaxErrors, ReportNumberLineAndColumn) {
    expectCompileError(GetParam());
}

const CompileErrorCase kSyntaxCases[] = {
    {"x = \"abc", 1033, 1, 4},
    {"x = 1 +", 1023, 1, 7},
    {"Sub Foo(a, b)\nEnd Sub\nFoo(1, 2)", 1044, 3, 5},
    {"If x Then\ny = 1", 1014, 2, 5},
    {"For i = 1 To 3\nNext i", 1025, 2, 5},
    {"Exit Do", 1039, 1, 5},
    {"Sub S\nExit Function\nEnd Sub", 1039, 2, 5},
    {"Dim a\nDim a", 1041, 2, 4},
    {"Sub F(a, a)\nEnd Sub", 1041, 1, 9},
    {"Dim F\nSub F\nEnd Sub", 1041, 1, 4},
    {"x = 1 y", 1025, 1, 6},
    {"Sub A\nEnd Function", 1016, 2, 4},
    {"Function A\nEnd Sub", 1015, 2, 4},
    {"Const c = x", 1045, 1, 10},
    {"x = 5 @", 1032, 1, 6},
    {"Next", 1055, 1, 0},
    {"Loop", 1038, 1, 0},
    {"x = (1 + 2", 1006, 1, 10},
    {"Select Case x\nCase 1 To 2\nEnd Select", 1025, 2, 7},
    {"Dim a(n)", 1026, 1, 6},
    {"If x Then Foo Else Bar", 1023, 1, 14},
    {"While x\nLoop", 1018, 2, 0},
    {"Do\nLoop While", 1023, 2, 10},
    {"Do Until x\nLoop While y", 1025, 2, 5},
    {"x = 1\nOption Explicit", 1024, 2, 0},
    {"On Error GoTo Handler", 1002, 1, 14},
    {"If x Then\nElse\nElse\nEnd If", 1014, 3, 0},
    {"With x\n.a = 1\nEnd If", 1029, 3, 4},
    {"Select Case x\nx = 1\nEnd Select", 1021, 2, 0},
    {"For Each a b\nNext", 1046, 1, 11},
    {"For a(1) = 1 To 2\nNext", 1040, 1, 5},
    {"x = 1 _\n+ 2 _\n+ )", 1023, 3, 2},
    {"Dim Out", 1041, 1, 4},
};

INSTANTIATE_TEST_SUITE_P(Table, SyntaxErrors, ::testing::ValuesIn(kSyntaxCases));

TEST(Syntax, IdentifierLongerThan255IsRefused) {
    Engine e;
    QString name(256, u'a');
    EXPECT_EQ(errorOf([&] { e.sc.addCode(name + QStringLiteral(" = 1")); }), 1030);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QString(255, u'a') + QStringLiteral(" = 1")); }), 0);
}

TEST(Syntax, DeepNestingIsRefusedNotOverflowed) {
    Engine e;
    QString code =
        QStringLiteral("x = ") + QString(5000, u'(') + QStringLiteral("1") + QString(5000, u')');
    EXPECT_EQ(errorOf([&] { e.sc.addCode(code); }), 28);
    const QString blocks = QStringLiteral("If x Then\n").repeated(3000);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(blocks); }), 28);
    // Long chains of operators and members build deep trees without any parentheses.
    const QString sum = QStringLiteral("x = 1") + QStringLiteral(" + 1").repeated(100000);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(sum); }), 28);
    const QString members = QStringLiteral("x = a") + QStringLiteral(".b").repeated(100000);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(members); }), 28);
    // A long but reasonable expression is fine.
    const QString fine = QStringLiteral("x = 0") + QStringLiteral(" + 1").repeated(300);
    EXPECT_EQ(e.run(fine + QStringLiteral("\nOut.Print x")), QStringLiteral("300"));
}

TEST(Syntax, ErrorKeepsTheSourceLine) {
    Engine e;
    EXPECT_NE(errorOf([&] { e.sc.addCode(QStringLiteral("a = 1\r\nb = (2\r\nc = 3")); }), 0);
    EXPECT_EQ(e.sc.error().line, 2);
    EXPECT_EQ(e.sc.error().text, QStringLiteral("b = (2"));
}

TEST(Syntax, FailingAddCodeDefinesAndRunsNothing) {
    Engine e;
    EXPECT_EQ(errorOf([&] {
                  e.sc.addCode(QStringLiteral("Sub Good\nEnd Sub\nDim g\ng = 1\nOut.Print 1\n"
                                              "x = = 2"));
              }),
              1023);
    EXPECT_TRUE(e.printed.isEmpty());
    EXPECT_TRUE(e.sc.procedures().empty());
    EXPECT_EQ(errorOf([&] { e.sc.procedure(QStringLiteral("Good")); }), 32811);
    EXPECT_TRUE(e.sc.eval(QStringLiteral("g")).isEmpty());
}

TEST(Syntax, EvalWantsExactlyOneExpression) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("")); }), 1023);
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("1 2")); }), 1025);
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("x = 1 : y")); }), 1025);
    // "=" is a comparison in an expression.
    EXPECT_EQ(e.evalText(QStringLiteral("1 = 1")), QStringLiteral("True"));
}

struct AcceptCase {
    const char* code;
    const char* printed;
};

class Accepted : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(Accepted, RunsAsWritten) {
    const AcceptCase& c = GetParam();
    Engine e;
    expectOutcome(e, c.code, c.printed, 0, [&] { return e.run(QString::fromUtf8(c.code)); });
}

const AcceptCase kAcceptCases[] = {
    // Keywords and names are case-blind; comments with ' and Rem.
    {"DIM x : x = 2 ' note\nrem another\nOUT.PRINT X : Rem last", "2"},
    // Line continuation joins lines.
    {"x = 1 + _\n    2 _\n  + 3\nOut.Print x", "6"},
    // Bracketed names.
    {"[my var] = 5\nOut.Print [my var]", "5"},
    // A one-line If takes every ":" statement up to Else.
    {"If True Then Out.Print 1 : Out.Print 2 Else Out.Print 3 : Out.Print 4", "1|2"},
    {"If False Then Out.Print 1 : Out.Print 2 Else Out.Print 3 : Out.Print 4", "3|4"},
    {"If True Then If False Then Out.Print 1 Else Out.Print 2", "2"},
    {"If True Then : Out.Print 1\nOut.Print 2", "1|2"},
    // A parenthesised group after a method name starts the first argument.
    {"Out.Print (1 + 2) * 3", "9"},
    {"Sub Two(a, b)\nOut.Print a & b\nEnd Sub\nTwo (1), 2", "12"},
    {"Sub One(a)\nOut.Print a\nEnd Sub\nOne(5)\nCall One(6)", "5|6"},
    // Operators written the other way round.
    {"Out.Print 1 =< 2 : Out.Print 2 => 2 : Out.Print 1 >< 2", "True|True|True"},
    // Numbers: hex, octal, exponents, leading dot.
    {"Out.Print &H1F + &O10 + 1E2 + .5", "139.5"},
    // Line ends of all kinds.
    {"Out.Print 1\r\nOut.Print 2\rOut.Print 3\nOut.Print 4", "1|2|3|4"},
    // Statements separated by colons, empty statements.
    {"::Out.Print 1:::Out.Print 2", "1|2"},
    // Member names may be keywords.
    {"Out.Print Err.Number", "0"},
    // Exit Do passes through a While...Wend inside the Do.
    {"Do\nWhile True\nExit Do\nWend\nLoop\nOut.Print 1", "1"},
};

INSTANTIATE_TEST_SUITE_P(Table, Accepted, ::testing::ValuesIn(kAcceptCases));

} // namespace
