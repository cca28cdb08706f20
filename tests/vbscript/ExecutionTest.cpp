// Statements, scopes and argument binding: what a program prints.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;

namespace {

struct ProgramCase {
    const char* name;
    const char* code;
    const char* printed;
};

class Programs : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(Programs, PrintWhatTheyShould) {
    const ProgramCase& c = GetParam();
    Engine e;
    expectOutcome(e, c.name, c.printed, 0, [&] { return e.run(QString::fromUtf8(c.code)); });
}

std::string caseName(const ::testing::TestParamInfo<ProgramCase>& info) {
    return info.param.name;
}

const ProgramCase kLoops[] = {
    {"ForEndsPastTheLimit", "For i = 1 To 3 : Next : Out.Print i", "4"},
    {"ForEmptyKeepsStart", "For i = 5 To 1 : Out.Print \"x\" : Next : Out.Print i", "5"},
    {"ForNegativeStep", "For i = 10 To 1 Step -4 : Out.Print i : Next", "10|6|2"},
    {"ForFractionalStep", "For i = 0 To 1 Step 0.25 : s = s & i & \" \" : Next : Out.Print s",
     "0 0.25 0.5 0.75 1 "},
    {"ForBoundsEvaluatedOnce", "n = 3 : For i = 1 To n : n = 10 : Next : Out.Print i & \" \" & n",
     "4 10"},
    {"ForCounterTypeWidens", "For i = 32766 To 32768 : Next : Out.Print TypeName(i) & i",
     "Long32769"},
    {"ExitForInnermost",
     "For i = 1 To 3\nFor j = 1 To 3\nIf j = 2 Then Exit For\ns = s & i & j\nNext\nNext\n"
     "Out.Print s",
     "112131"},
    {"DoWhilePre", "Do While i < 3 : i = i + 1 : Loop : Out.Print i", "3"},
    {"DoUntilPost", "Do : i = i + 1 : Loop Until i >= 0 : Out.Print i", "1"},
    {"DoLoopExit", "Do : i = i + 1 : If i = 4 Then Exit Do\nLoop : Out.Print i", "4"},
    {"WhileWend", "While i < 2 : i = i + 1 : Wend : Out.Print i", "2"},
    {"NullConditionIsFalse", "Do While Null : Out.Print 1 : Loop : Out.Print 2", "2"},
    {"ForEachArrayCopies",
     "a = Array(1, 2, 3)\nFor Each x In a : x = x * 10 : s = s & x : Next\n"
     "Out.Print s & \" \" & a(0)",
     "102030 1"},
    {"ForEachMultiDim",
     "Dim m(1, 1) : m(0, 0) = 1 : m(1, 0) = 2 : m(0, 1) = 3 : m(1, 1) = 4\n"
     "For Each x In m : s = s & x : Next : Out.Print s",
     "1234"},
    {"ForEachExitFor", "For Each x In Array(1, 2, 3) : If x = 2 Then Exit For\nNext : Out.Print x",
     "2"},
};

INSTANTIATE_TEST_SUITE_P(Loops, Programs, ::testing::ValuesIn(kLoops), caseName);

const ProgramCase kProcedures[] = {
    {"FunctionValueByName", "Function F(a) : F = a * 2 : End Function : Out.Print F(4)", "8"},
    {"FunctionNameReadsValue", "Function F() : F = 1 : F = F + 1 : End Function : Out.Print F()",
     "2"},
    {"FunctionWithoutValueIsEmpty", "Function F() : End Function : Out.Print TypeName(F())",
     "Empty"},
    {"ExitFunctionKeepsValue",
     "Function F() : F = 5 : Exit Function : F = 6 : End Function : Out.Print F", "5"},
    {"Recursion",
     "Function Fact(n)\nIf n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)\n"
     "End Function\nOut.Print Fact(12)",
     "479001600"},
    {"ProceduresAreHoisted", "Out.Print Later(1)\nFunction Later(x) : Later = x + 1 : End Function",
     "2"},
    {"LastDefinitionWins", "Sub P : Out.Print 1 : End Sub\nSub P : Out.Print 2 : End Sub\nP", "2"},
    {"LocalsShadowGlobals",
     "x = \"g\"\nSub S : Dim x : x = \"l\" : Out.Print x : End Sub\nS : Out.Print x", "l|g"},
    {"UndeclaredInProcedureIsLocal",
     "Sub S : y = 5 : Out.Print y : End Sub\nS : Out.Print TypeName(y)", "5|Empty"},
    {"GlobalAssignedInProcedure", "Dim g\nSub S : g = 5 : End Sub\nS : Out.Print g", "5"},
    {"LaterGlobalSeenByProcedure", "Sub S : Out.Print late : End Sub\nlate = 7\nS", "7"},
    {"LocalArraysStartAfresh",
     "Sub S : Dim a(1) : Out.Print IsEmpty(a(0)) : a(0) = 1 : End Sub\nS : S", "True|True"},
    {"LocalConst", "Sub S : Const K = 3 : Out.Print K * 2 : End Sub\nS", "6"},
};

INSTANTIATE_TEST_SUITE_P(Procedures, Programs, ::testing::ValuesIn(kProcedures), caseName);

const ProgramCase kByRef[] = {
    {"VariableByReference", "Sub Inc(x) : x = x + 1 : End Sub\nn = 1 : Inc n : Out.Print n", "2"},
    {"ExplicitByRef", "Sub Inc(ByRef x) : x = x + 1 : End Sub\nn = 1 : Inc n : Out.Print n", "2"},
    {"ByValCopies", "Sub Inc(ByVal x) : x = x + 1 : End Sub\nn = 1 : Inc n : Out.Print n", "1"},
    {"ParenthesesPassAValue", "Sub Inc(x) : x = x + 1 : End Sub\nn = 1 : Inc (n) : Out.Print n",
     "1"},
    {"CallKeepsReference", "Sub Inc(x) : x = x + 1 : End Sub\nn = 1 : Call Inc(n) : Out.Print n",
     "2"},
    {"LocalPassedOn",
     "Sub Inc(x) : x = x + 1 : End Sub\n"
     "Sub Twice(y) : Inc y : Inc y : End Sub\nn = 1 : Twice n : Out.Print n",
     "3"},
    {"LocalVariableOfCaller",
     "Sub Inc(x) : x = x + 1 : End Sub\nSub S : Dim k : k = 5 : Inc k : Out.Print k : End Sub\nS",
     "6"},
    {"ArrayElementByReference",
     "Sub Inc(x) : x = x + 1 : End Sub\nDim a(2) : a(1) = 5 : Inc a(1) : Out.Print a(1)", "6"},
    {"ExpressionIsATemporary",
     "Sub Inc(x) : x = x + 1 : End Sub\nn = 1 : Inc n + 0 : Inc 5 : Out.Print n", "1"},
    {"ConstantIsATemporary", "Const K = 1\nSub Inc(x) : x = x + 1 : End Sub\nInc K : Out.Print K",
     "1"},
    {"SameVariableTwice",
     "Sub Both(a, b) : a = a + 1 : b = b + 10 : End Sub\nn = 0 : Both n, n : Out.Print n", "11"},
    {"FunctionResultByName",
     "Function F(x) : x = 9 : F = 1 : End Function\nn = 0 : r = F(n) : Out.Print n & r", "91"},
    {"UndeclaredVariableIsCreated",
     "Sub SetIt(x) : x = \"set\" : End Sub\nSetIt fresh : Out.Print fresh", "set"},
};

INSTANTIATE_TEST_SUITE_P(ByRef, Programs, ::testing::ValuesIn(kByRef), caseName);

const ProgramCase kStatements[] = {
    {"ArraysAndBounds", "Dim m(2, 3) : Out.Print UBound(m) & UBound(m, 2) & LBound(m)", "230"},
    {"ReDimPreserveKeepsValues",
     "ReDim a(2) : a(2) = \"x\" : ReDim Preserve a(5) : Out.Print a(2) & UBound(a)", "x5"},
    {"ReDimClears", "ReDim a(2) : a(0) = 1 : ReDim a(3) : Out.Print IsEmpty(a(0))", "True"},
    {"EraseFixedResetsElements",
     "Dim a(1) : a(0) = 5 : Erase a : Out.Print IsEmpty(a(0)) & UBound(a)", "True1"},
    {"ArrayAssignmentCopies", "a = Array(1, 2) : b = a : b(0) = 9 : Out.Print a(0) & b(0)", "19"},
    {"ElseIfChain",
     "x = 2\nIf x = 1 Then\nOut.Print 1\nElseIf x = 2 Then\nOut.Print 2\nElse\nOut.Print 3\n"
     "End If",
     "2"},
    {"SelectCaseLists",
     "For Each v In Array(1, 5, 9)\nSelect Case v\nCase 1, 2 : Out.Print \"a\"\n"
     "Case 4, 5, 6 : Out.Print \"b\"\nCase Else : Out.Print \"c\"\nEnd Select\nNext",
     "a|b|c"},
    {"WithBlock", "With Tst : .Prop = 4 : Out.Print .Prop * 2 : End With", "8"},
    {"ConstAndNegatedLiteral", "Const A = -2, B = \"t\" : Out.Print A & B", "-2t"},
    {"AppendInPlace",
     "s = \"a\" : t = s : For i = 1 To 3 : s = s & i & \"-\" : Next : Out.Print s & \" \" & t",
     "a1-2-3- a"},
    {"AppendSeesOldValueFirst",
     "Function G() : s = \"z\" : G = \"!\" : End Function\ns = \"a\" : s = s & G()\nOut.Print s",
     "a!"},
};

INSTANTIATE_TEST_SUITE_P(Statements, Programs, ::testing::ValuesIn(kStatements), caseName);

TEST(Execution, HostMethodsWriteThroughReferences) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("a = 1 : b = 2 : Tst.Swap a, b : Out.Print a & b\n"
                                   "Dim arr(1) : Tst.SetOut arr(1) : Out.Print arr(1)\n"
                                   "c = \"keep\" : Tst.SetOut (c) : Out.Print c\n"
                                   "Sub S(p) : Tst.SetOut p : End Sub\n"
                                   "d = 0 : S d : Out.Print d")),
              QStringLiteral("21|set by host|keep|set by host"));
}

TEST(Execution, DefaultMemberOfAnObject) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("Tst.Prop = 5 : x = Tst : Out.Print x + 1\n"
                                   "Set o = Tst : o.Prop = 7 : Out.Print Tst\n"
                                   "If Tst Then Out.Print \"true\"")),
              QStringLiteral("6|7|true"));
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Set y = 5")); }), 424);
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Set n = Nothing : z = n")); }), 91);
}

TEST(Execution, LockedArrayRefusesResizeWhileAnElementIsBound) {
    Engine e;
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral("Dim a()\nReDim a(3)\n"
                                       "Sub S(x) : ReDim a(5) : End Sub\nS a(1)"));
              }),
              10);
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral("b = Array(1, 2)\nSub T(x) : b = 0 : End Sub\nT b(0)"));
              }),
              10);
    // The lock ends with the call.
    EXPECT_EQ(e.run(QStringLiteral("Sub U(x) : x = 5 : End Sub\nc = Array(1, 2) : U c(0)\n"
                                   "ReDim Preserve c(4) : Out.Print c(0) & UBound(c)")),
              QStringLiteral("54"));
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral("d = Array(1, 2)\nFor Each x In d : ReDim d(5) : Next"));
              }),
              10);
    // Element writes during For Each are seen by the loop.
    EXPECT_EQ(e.run(QStringLiteral("f = Array(1, 2, 3)\nFor Each x In f : f(2) = 9 : acc = acc & x "
                                   ": Next : Out.Print acc")),
              QStringLiteral("129"));
}

TEST(Execution, OptionExplicitDemandsDeclaredNames) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Option Explicit\nx = 1")); }), 500);
    EXPECT_EQ(e.sc.error().description, QStringLiteral("Variable is undefined: 'x'"));
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Option Explicit\nOut.Print y")); }), 500);
    EXPECT_EQ(
        errorOf([&] { e.run(QStringLiteral("Option Explicit\nSub S : z = 1 : End Sub\nS")); }),
        500);
    // Globals created later by the host resolve inside Option Explicit code.
    Engine f;
    f.sc.addCode(QStringLiteral("Option Explicit\nSub Show : Out.Print opcSel : End Sub"));
    f.sc.executeStatement(QStringLiteral("opcSel = \"1\""));
    f.printed.clear();
    std::vector<zv::Variant> none;
    f.sc.run(QStringLiteral("Show"), none);
    EXPECT_EQ(f.printed.join(u'|'), QStringLiteral("1"));
    // Without Option Explicit, unknown names read as Empty.
    Engine g;
    EXPECT_EQ(g.run(QStringLiteral("Out.Print TypeName(nothingHere)")), QStringLiteral("Empty"));
}

TEST(Execution, NamedObjectsCannotBeAssigned) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Out = 1")); }), 501);
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Const C = 1\nC = 2")); }), 501);
}

TEST(Execution, CallsOfUndefinedProcedures) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Missing 1, 2")); }), 13);
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("x = Missing2(1)")); }), 13);
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("Sub Two(a, b) : End Sub\nTwo 1")); }), 450);
}

} // namespace

// The call path's quick forms keep the general rules: n + 1 and n - 1 passed or assigned widen
// Integer to Long and Long to Double and leave other subtypes to the operators; a function's
// value leaves its frame whatever it holds, also through Exit Function and recursion; an If
// run inside its block traps errors and reports positions as any statement.
TEST(Execution, QuickCallPathsKeepTheGeneralRules) {
    Engine e;
    EXPECT_EQ(
        e.run(QStringLiteral(
            "Function T(v) : T = TypeName(v) & \" \" & v : End Function\n"
            "i = 32767 : l = 2147483647 : m = -32768 : s = \"4\"\n"
            "Out.Print T(i + 1) & \",\" & T(i - 1) & \",\" & T(l + 1) & \",\" & T(m - 1)\n"
            "Out.Print T(s + 1) & \",\" & T(Null + 1) & \",\" & T(1.5 - i)\n"
            "x = m - 1 : y = l + l : z = i + 1 : Out.Print T(x) & \",\" & T(y) & \",\" & T(z)")),
        QStringLiteral("Long 32768,Integer 32766,Double 2147483648,Long -32769|"
                       "Double 5,Null ,Double -32765.5|"
                       "Long -32769,Double 4294967294,Long 32768"));
    EXPECT_EQ(
        errorOf([&] { e.run(QStringLiteral("Function U(v) : End Function\nq = U(\"a\" - 1)")); }),
        13);
    EXPECT_EQ(
        e.run(QStringLiteral(
            "Function Txt(n) : Txt = String(n, \"z\") : End Function\n"
            "Function Arr(n) : Arr = Array(n, n + 1) : End Function\n"
            "Function Obj() : Set Obj = Tst : End Function\n"
            "Function Early(n)\nEarly = n * 2\nIf n > 1 Then Exit Function\nEarly = -1\n"
            "End Function\n"
            "Function None() : End Function\n"
            "Function Fib(n)\nIf n < 2 Then\nFib = n\nElse\nFib = Fib(n - 1) + Fib(n - 2)\n"
            "End If\nEnd Function\n"
            "a = Arr(3) : Out.Print Txt(3) & \",\" & a(1) & \",\" & TypeName(Obj()) & \",\" & "
            "Early(5) & \",\" & Early(1) & \",\" & IsEmpty(None()) & \",\" & Fib(15)")),
        QStringLiteral("zzz,4,TestHost,10,-1,True,610"));
    Engine c;
    // Two calls (or elements, or built-ins) joined by an operator: the left one runs first,
    // and the operator's own rules apply to what they return.
    EXPECT_EQ(c.run(QStringLiteral(
                  "Dim trail\nFunction L(v) : trail = trail & \"L\" : L = v : End Function\n"
                  "Function R(v) : trail = trail & \"R\" : R = v : End Function\n"
                  "Dim p(1) : p(0) = 7 : p(1) = \"2\"\n"
                  "Out.Print L(\"a\") + R(\"b\") & \",\" & L(3) - R(\"1\") & \",\" & "
                  "TypeName(L(Null) + R(1)) & \",\" & L(32767) + R(1) & \",\" & "
                  "p(0) * p(1) & \",\" & Len(\"ab\") + Len(\"c\") & \",\" & trail")),
              QStringLiteral("ab,2,Null,32768,14,3,LRLRLRLR"));
    EXPECT_EQ(errorOf([&] {
                  c.run(QStringLiteral("Function A1() : A1 = \"x\" : End Function\n"
                                       "Function B1() : B1 = 1 : End Function\nq = A1() + B1()"));
              }),
              13);
    // By reference: the caller's variable, an array element; by value: a parenthesized copy.
    EXPECT_EQ(e.run(QStringLiteral("Sub Bump(a, b) : a = a + 1 : b = b + a : End Sub\n"
                                   "x = 0 : y = 0 : For k = 1 To 3 : Bump x, y : Next\n"
                                   "Dim v(1) : v(1) = 10 : Bump v(1), y : w = 5 : Bump (w), y\n"
                                   "Out.Print x & \",\" & y & \",\" & v(1) & \",\" & w")),
              QStringLiteral("3,23,11,5"));
    // An error inside an If's branch: trapped there by the procedure's own On Error Resume
    // Next, which goes on with the branch's next statement; untrapped, it has its own line.
    EXPECT_EQ(e.run(QStringLiteral(
                  "Function G(n)\nOn Error Resume Next\nIf n > 0 Then\nG = 1 / 0\nG = Err.Number\n"
                  "End If\nEnd Function\nOut.Print G(1)")),
              QStringLiteral("11"));
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral(
                      "Sub H(n)\nIf n > 0 Then\nx = 1\ny = 1 / 0\nEnd If\nEnd Sub\nH 1"));
              }),
              11);
    EXPECT_EQ(e.sc.error().line, 4);
    // An arm of one assignment: trapped, the code goes on after the If; untrapped, the error
    // has the assignment's line, in the Then arm and in the Else arm.
    EXPECT_EQ(
        e.run(QStringLiteral(
            "Function Arm(n)\nOn Error Resume Next\nIf n > 0 Then\nArm = 1 / 0\nElse\nArm = 2\n"
            "End If\nArm = Arm & \"/\" & Err.Number\nEnd Function\nOut.Print Arm(1) & \" \" & "
            "Arm(0)")),
        QStringLiteral("/11 2/0"));
    for (const char* arm :
         {"If n > 0 Then\ny = 1 / 0\nElse\ny = 0\n", "If n < 0 Then\ny = 0\nElse\ny = 1 / 0\n"}) {
        EXPECT_EQ(errorOf([&] {
                      const QString name = arm[5] == '>' ? "LThen" : "LElse";
                      e.run("Sub " + name + "(n)\n" + QString::fromUtf8(arm) + "End If\nEnd Sub\n" +
                            name + " 1");
                  }),
                  11)
            << arm;
        EXPECT_EQ(e.sc.error().line, arm[5] == '>' ? 3 : 5) << arm;
    }
}
