// The core built-ins and the script's names against them: type tests, conversions, bounds, text
// functions, constants, and user definitions that hide a built-in.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;

namespace {

class Builtins : public ::testing::TestWithParam<EvalCase> {};

TEST_P(Builtins, Evaluate) {
    const EvalCase& c = GetParam();
    Engine e;
    e.sc.executeStatement(QStringLiteral("Dim fixed(3), grid(1, 4), dyn()"));
    expectOutcome(e, c.expr, c.text, c.error,
                  [&] { return shown(e.sc.eval(QString::fromUtf8(c.expr))); });
}

const EvalCase kCases[] = {
    {"TypeName(1) & TypeName(\"\") & TypeName(Null) & TypeName(Empty)", "IntegerStringNullEmpty"},
    {"TypeName(Tst) & TypeName(Nothing) & TypeName(fixed)", "TestHostNothingVariant()"},
    {"VarType(1) & \",\" & VarType(\"a\") & \",\" & VarType(fixed)", "2,8,8204"},
    {"VarType(Tst)", "2"}, // the type of the default value
    {"IsEmpty(Empty) & IsEmpty(\"\") & IsNull(Null) & IsObject(Tst) & IsArray(fixed)",
     "TrueFalseTrueTrueTrue"},
    {"IsNumeric(\"12.5\") & IsNumeric(\"\") & IsNumeric(\"1,5\") & IsNumeric(True)",
     "TrueFalseFalseTrue"},
    {"CInt(2.5) & CInt(3.5) & CInt(-2.5)", "24-2"},
    {"CInt(40000)", nullptr, 6},
    {"CInt(\"x\")", nullptr, 13},
    {"CLng(\"  12 \") + 1", "13"},
    {"TypeName(CDbl(1)) & TypeName(CLng(1)) & TypeName(CByte(1)) & TypeName(CSng(1))",
     "DoubleLongByteSingle"},
    {"CBool(\"true\") & CBool(0) & CBool(\"2\")", "TrueFalseTrue"},
    {"CStr(1.5) & CStr(True)", "1.5True"},
    {"CStr(Null)", nullptr, 94},
    {"UBound(fixed) & LBound(fixed) & UBound(grid, 2) & UBound(grid, 1)", "3041"},
    {"UBound(grid, 3)", nullptr, 9},
    {"UBound(dyn)", nullptr, 9},
    {"UBound(1)", nullptr, 13},
    {"UBound(Array())", "-1"},
    {"Array(1, \"b\")(1)", "b"},
    {"Len(\"ação\") & Len(1234) & Len(Null)", "44"},
    {"Len(Null)", "Null"},
    {"UCase(\"straße é\") & LCase(\"ÀÉ\")", "STRAßE Éàé"},
    {"Left(\"abc\", 2) & Right(\"abc\", 2) & Mid(\"abcdef\", 2, 3) & Mid(\"abc\", 2)", "abbcbcdbc"},
    {"Left(\"abc\", -1)", nullptr, 5},
    {"InStr(\"abcabc\", \"c\") & InStr(4, \"abcabc\", \"c\") & InStr(\"a\", \"z\")", "360"},
    {"InStr(1, \"ABC\", \"b\", vbTextCompare)", "2"},
    {"Replace(\"a.b.c\", \".\", \"\")", "abc"},
    {"\"[\" & Trim(\" a \") & LTrim(\" b \") & RTrim(\" c \") & \"]\"", "[ab  c]"},
    {"Join(Split(\"1,2,3\", \",\"), \"+\")", "1+2+3"},
    {"UBound(Split(\"\"))", "-1"},
    {"Chr(65) & Asc(\"A\") & Chr(128)", "A65€"},
    {"Space(3) & \"|\"", "   |"},
    {"StrComp(\"a\", \"A\") & StrComp(\"a\", \"A\", 1)", "10"},
    {"Abs(-5) & Abs(-2.5) & Int(-1.5) & Fix(-1.5) & Int(1.5)", "52.5-2-11"},
    {"TypeName(Abs(-32768))", "Long"},
    {"Len(vbCrLf) & Len(vbNewLine) & Asc(vbTab) & Len(vbNullString)", "2290"},
    {"vbObjectError", "-2147221504"},
    {"vbString & vbArray", "88192"},
    {"Len()", nullptr, 450},
    {"Len(1, 2)", nullptr, 450},
};

INSTANTIATE_TEST_SUITE_P(Table, Builtins, ::testing::ValuesIn(kCases));

TEST(BuiltinNames, ScriptDefinitionsHideBuiltins) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("Function Len(x) : Len = \"own\" : End Function\n"
                                   "Out.Print Len(\"abc\")")),
              QStringLiteral("own"));
    // Later code sees the script's definition too.
    EXPECT_EQ(e.run(QStringLiteral("Out.Print Len(\"abcd\")")), QStringLiteral("own"));
    EXPECT_EQ(e.run(QStringLiteral("Sub S : Dim Trim : Trim = 5 : Out.Print Trim : End Sub\nS")),
              QStringLiteral("5"));
    EXPECT_EQ(e.run(QStringLiteral("Out.Print Trim(\" x \")")), QStringLiteral("x"));
}

TEST(BuiltinRnd, RepeatsAfterANegativeSeed) {
    Engine e;
    EXPECT_EQ(
        e.run(QStringLiteral("x = Rnd(-1) : Randomize 7 : a = Rnd : b = Rnd\n"
                             "x = Rnd(-1) : Randomize 7 : c = Rnd : d = Rnd\n"
                             "Out.Print (a = c) And (b = d) And (a <> b)\n"
                             "Out.Print TypeName(a) & (a >= 0 And a < 1) & (Rnd(0) = Rnd(0))")),
        QStringLiteral("True|SingleTrueTrue"));
}

TEST(BuiltinNames, ConstantsCannotBeAssigned) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("vbCrLf = 1")); }), 501);
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("TypeName = 1")); }), 501);
}

TEST(GlobalNames, RedefinitionAcrossCodeUnits) {
    Engine e;
    e.sc.addCode(QStringLiteral("Dim v : v = 1\nConst K = 2\nSub P : End Sub"));
    // A variable may be declared again (it keeps its value); other kinds may not change.
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Dim v")); }), 0);
    EXPECT_EQ(e.evalText(QStringLiteral("v")), QStringLiteral("1"));
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Sub v : End Sub")); }), 1041);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Dim K")); }), 1041);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Const v = 3")); }), 1041);
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Dim P")); }), 1041);
    // A procedure may be redefined.
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Sub P : Out.Print 9 : End Sub")); }), 0);
    EXPECT_EQ(e.run(QStringLiteral("P")), QStringLiteral("9"));
    // A host global made by ExecuteStatement blocks a procedure of that name.
    e.sc.executeStatement(QStringLiteral("FxRes = 1"));
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Function FxRes : End Function")); }),
              1041);
}

TEST(Frames, DeepCallsCrossChunksAndKeepReferences) {
    Engine e;
    // Many locals per call and a deep chain: the slot stack moves to new chunks and back.
    QString code = QStringLiteral("Sub Deep(n, acc)\n"
                                  "  Dim a, b, c, d, e, f, g, h, i, j\n"
                                  "  a = n : j = n\n"
                                  "  If n > 0 Then Deep n - 1, acc\n"
                                  "  acc = acc + a + j\n"
                                  "End Sub\n"
                                  "total = 0\n"
                                  "For k = 1 To 3\n"
                                  "  Deep 600, total\n"
                                  "Next\n"
                                  "Out.Print total");
    EXPECT_EQ(e.run(code), QStringLiteral("1081800"));
}

} // namespace
