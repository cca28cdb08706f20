// What a program that asks too much gets: code nested too deep is refused with 28 (never a
// crash), values nested deep are freed, strings and arrays past the size limit raise 7, and
// the host's step limit ends any loop.

#include "VbsTestSupport.h"

#include "ValueLimit.h"

#include <gtest/gtest.h>

using namespace zv;
using vbstest::Engine;
using vbstest::errorOf;

namespace {

QString repeated(const char* piece, int times) {
    return QString::fromLatin1(piece).repeated(times);
}

// Every way of nesting code, far deeper than the native stack could take: each is refused
// with 28 on its first line, and the engine works on.
TEST(Limits, CodeNestedTooDeepIsRefusedWith28) {
    const int deep = 30000;
    const QString programs[] = {
        repeated("If 1 Then ", deep) + "x = 1",
        "x = " + repeated("(", deep) + "1" + repeated(")", deep),
        "x = " + repeated("Not ", deep) + "1",
        "x = " + repeated("-", deep) + "1",
        "x = " + repeated("(1 + ", deep) + "1" + repeated(")", deep),
        repeated("If 1 Then\n", deep) + repeated("End If\n", deep),
        repeated("Select Case 1\nCase 1\n", deep) + repeated("End Select\n", deep),
        repeated("With Tst\n", deep) + repeated("End With\n", deep),
        repeated("Do\n", deep) + repeated("Loop\n", deep),
        repeated("For i = 1 To 1\n", deep) + repeated("Next\n", deep),
        "x = Array" + repeated("(Array", deep) + repeated(")", deep),
    };
    Engine e;
    for (const QString& program : programs) {
        SCOPED_TRACE(program.left(30).toStdString());
        EXPECT_EQ(errorOf([&] { e.sc.addCode(program); }), err::OutOfStack);
        EXPECT_GT(e.sc.error().line, 0);
        EXPECT_EQ(errorOf([&] { e.sc.eval(program.mid(4)); }) != 0, true);
    }
    // Parentheses that each hold a long chain: deep trees whichever way they are counted.
    QString chain = QStringLiteral("1");
    for (int i = 0; i < 150; ++i)
        chain = "(" + chain + repeated("+1", 300) + ")";
    EXPECT_EQ(errorOf([&] { e.sc.addCode("x = " + chain); }), err::OutOfStack);
    EXPECT_EQ(e.run("Out.Print 1 + 1"), "2");
}

// Code at the depth the guard allows still runs.
TEST(Limits, ModerateNestingRuns) {
    Engine e;
    EXPECT_EQ(e.run(repeated("If 1 Then ", 40) + "Out.Print \"in\""), "in");
    EXPECT_EQ(e.run("Out.Print " + repeated("(", 60) + "2" + repeated(")", 60)), "2");
    EXPECT_EQ(e.run(repeated("With Tst\n", 30) + "Out.Print .Prop\n" + repeated("End With\n", 30)),
              "0");
}

// Values nested 200,000 levels deep are freed without exhausting the stack, and objects
// with Class_Terminate still run it once each.
TEST(Limits, DeepValuesAreFreed) {
    Engine e;
    EXPECT_EQ(
        e.run("a = Array()\nFor i = 1 To 200000\na = Array(a)\nNext\na = 0\nOut.Print \"ok\""),
        "ok");
    EXPECT_EQ(e.run("Class Node\nPublic nxt\nEnd Class\nSet h = Nothing\n"
                    "For i = 1 To 200000\nSet n = New Node\nSet n.nxt = h\nSet h = n\nNext\n"
                    "Set n = Nothing\nSet h = Nothing\nOut.Print \"ok\""),
              "ok");
    EXPECT_EQ(e.run("Class T\nPublic nxt\nSub Class_Terminate\ncount = count + 1\nEnd Sub\n"
                    "End Class\ncount = 0\nSet h = Nothing\n"
                    "For i = 1 To 5000\nSet n = New T\nSet n.nxt = h\nSet h = n\nNext\n"
                    "Set n = Nothing\nSet h = Nothing\nOut.Print count"),
              "5000");
}

struct ValueLimit : testing::Test {
    ~ValueLimit() override { setValueSizeLimit(0); }
};

// Past the size limit a string or an array raises 7, which the script can trap and go on.
TEST_F(ValueLimit, HugeStringsAndArraysRaise7AndTheProgramGoesOn) {
    Engine e;
    const char* cases[] = {
        "s = String(1073741824, \"a\")",       "s = Space(2000000000)", "ReDim a(2147483647)",
        "ReDim a(65535, 65535, 65535, 65535)", "ReDim a(300000000)",
    };
    for (const char* c : cases) {
        SCOPED_TRACE(c);
        EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\n%1\nOut.Print Err.Number & \" \" & "
                                       "Err.Description\nOut.Print \"goes on\"")
                            .arg(QString::fromLatin1(c))),
                  "7 Out of memory|goes on");
    }
    EXPECT_EQ(e.run("s = String(1000, \"a\")\nOut.Print Len(s)"), "1000");
}

// Growth one step at a time stops at the limit the host set: concatenation (also the in-place
// form "s = s & x"), Replace and Join.
TEST_F(ValueLimit, GrowthStopsAtTheHostsLimit) {
    setValueSizeLimit(1 << 20); // 512 Ki characters
    Engine e;
    const char* growers[] = {
        "s = \"ab\"\nDo\ns = s & s\nLoop",
        "s = \"ab\"\nDo\nt = s\ns = s & t\nLoop",
        "s = \"ab\"\nDo\nt = s\ns = s & t & \"cd\"\nLoop",
        "s = \"ab\"\nDo\nt = s\ns = t & \"cd\" & t\nLoop",
        "s = \"ab\"\nDo\ns = s + s\nLoop",
        "s = String(1000, \"a\")\nDo\ns = Replace(s, \"a\", \"aa\")\nLoop",
        "s = \"ab\"\nDo\ns = Join(Array(s, s, s), \"-\")\nLoop",
    };
    for (const char* g : growers) {
        SCOPED_TRACE(g);
        EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\n%1 Until Err.Number <> 0\n"
                                       "Out.Print Err.Number\nOut.Print Len(s) <= 524288")
                            .arg(QString::fromLatin1(g))),
                  "7|True");
    }
    EXPECT_EQ(errorOf([&] { e.sc.addCode("a = Split(Space(400000), \" \")"); }), err::OutOfMemory);
}

// The step limit ends a loop that never ends, also one that traps every error; each host call
// gets the whole budget again, and the engine works on.
TEST(Limits, StepLimitEndsEndlessCode) {
    Engine e;
    e.sc.setStepLimit(10000);
    const char* endless[] = {
        "Do\nLoop",
        "While True\nWend",
        "For i = 1 To 2 Step 0\nNext",
        "On Error Resume Next\nDo\nx = x + 1\nLoop",
        "Sub S\nOn Error Resume Next\nDo\nLoop\nEnd Sub\nOn Error Resume Next\nDo\nS\nLoop",
        "Function F(n)\nF = F(n + 1)\nEnd Function\nOn Error Resume Next\nDo\nF 1\nLoop",
    };
    for (const char* code : endless) {
        SCOPED_TRACE(code);
        try {
            e.sc.addCode(QString::fromLatin1(code));
            ADD_FAILURE() << "no error";
        } catch (const VbError& ex) {
            EXPECT_EQ(ex.number(), vbs::kStepLimitError);
            EXPECT_TRUE(ex.description().endsWith(": 'step limit'"))
                << ex.description().toStdString();
        }
    }
    EXPECT_EQ(e.run("For i = 1 To 3000\nx = i\nNext\nOut.Print x"), "3000");
    EXPECT_EQ(e.run("For i = 1 To 3000\nx = i\nNext\nOut.Print x"), "3000");
    e.sc.setStepLimit(0);
    EXPECT_EQ(e.run("For i = 1 To 30000\nx = i\nNext\nOut.Print x"), "30000");
}

} // namespace
