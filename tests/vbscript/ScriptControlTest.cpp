// The Script Control members: Run with arguments by reference, procedures, CodeObject, Reset,
// re-entrant calls from host methods, and the depth limit.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;
using zv::Variant;

namespace {

TEST(ScriptControl, RunBindsArgumentsToTheCallersVariants) {
    Engine e;
    e.sc.addCode(QStringLiteral("Function F(a, ByVal b)\na = a * 2 : b = b * 2\nF = a + b\n"
                                "End Function\nSub S(x) : x = \"sub\" : End Sub"));
    std::vector<Variant> args = {Variant(int16_t(3)), Variant(int16_t(4))};
    Variant r = e.sc.run(QStringLiteral("f"), args);
    EXPECT_EQ(zv::toText(r), QStringLiteral("14"));
    EXPECT_EQ(zv::toText(args[0]), QStringLiteral("6")); // ByRef written back
    EXPECT_EQ(zv::toText(args[1]), QStringLiteral("4")); // ByVal untouched
    std::vector<Variant> one = {Variant()};
    EXPECT_TRUE(e.sc.run(QStringLiteral("S"), one).isEmpty());
    EXPECT_EQ(zv::toText(one[0]), QStringLiteral("sub"));
}

TEST(ScriptControl, RunFailures) {
    Engine e;
    e.sc.addCode(QStringLiteral("Sub Two(a, b) : End Sub\nDim v"));
    std::vector<Variant> none;
    EXPECT_EQ(errorOf([&] { e.sc.run(QStringLiteral("Unknown"), none); }), 35);
    EXPECT_EQ(errorOf([&] { e.sc.run(QStringLiteral("v"), none); }), 35);
    EXPECT_EQ(errorOf([&] { e.sc.run(QStringLiteral("Two"), none); }), 450);
    EXPECT_EQ(e.sc.error().number, 450);
}

TEST(ScriptControl, ProceduresInDefinitionOrder) {
    Engine e;
    e.sc.addCode(QStringLiteral("Sub B(x) : End Sub\nFunction A() : End Function"));
    e.sc.addCode(QStringLiteral("Function C(p, q, r) : End Function\nSub B(x, y) : End Sub"));
    e.sc.executeStatement(QStringLiteral("Sub D : End Sub"));
    auto procs = e.sc.procedures();
    ASSERT_EQ(procs.size(), 4u);
    EXPECT_EQ(procs[0].name, QStringLiteral("B"));
    EXPECT_EQ(procs[0].numArgs, 2); // redefined, keeps its place
    EXPECT_FALSE(procs[0].hasReturnValue);
    EXPECT_EQ(procs[1].name, QStringLiteral("A"));
    EXPECT_TRUE(procs[1].hasReturnValue);
    EXPECT_EQ(procs[2].name, QStringLiteral("C"));
    EXPECT_EQ(procs[2].numArgs, 3);
    EXPECT_EQ(procs[3].name, QStringLiteral("D"));
    EXPECT_EQ(e.sc.procedure(QStringLiteral("c")).name, QStringLiteral("C"));
    EXPECT_NE(errorOf([&] { e.sc.procedure(QStringLiteral("Nope")); }), 0);
}

TEST(ScriptControl, ExecuteStatementCreatesGlobalsAndEvalReadsThem) {
    Engine e;
    e.sc.executeStatement(QStringLiteral("Arg1=5"));
    e.sc.executeStatement(QStringLiteral("FxRes=\"P2\""));
    EXPECT_EQ(e.sc.eval(QStringLiteral("Arg1 * 2")).rawInteger(), 10);
    EXPECT_EQ(e.evalText(QStringLiteral("FxRes")), QStringLiteral("P2"));
    Variant obj = e.sc.eval(QStringLiteral("Tst"));
    EXPECT_TRUE(obj.isObject()); // an object comes back as itself
}

TEST(ScriptControl, AddObjectRules) {
    Engine e;
    e.sc.addCode(QStringLiteral("Dim taken\nSub Proc : End Sub"));
    auto obj = makeTestHost();
    EXPECT_NE(errorOf([&] { e.sc.addObject(QStringLiteral("Out"), obj); }), 0);
    EXPECT_NE(errorOf([&] { e.sc.addObject(QStringLiteral("taken"), obj); }), 0);
    EXPECT_NE(errorOf([&] { e.sc.addObject(QStringLiteral("proc"), obj); }), 0);
    EXPECT_NE(errorOf([&] { e.sc.addObject(QStringLiteral("not a name"), obj); }), 0);
    EXPECT_EQ(errorOf([&] { e.sc.addObject(QStringLiteral("Second"), obj); }), 0);
    EXPECT_EQ(e.run(QStringLiteral("Second.Prop = 3 : Out.Print Tst.Prop")), QStringLiteral("0"));
    // Code cannot redefine a named object.
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("Sub Second : End Sub")); }), 1041);
}

TEST(ScriptControl, AddMembersMakesAnObjectsMembersGlobal) {
    Engine e;
    auto host = makeTestHost();
    e.sc.addObject(QStringLiteral("Merged"), host, true);
    EXPECT_EQ(e.run(QStringLiteral("Prop = 4 : Out.Print Prop * 2\n"
                                   "a = 1 : b = 2 : Swap a, b : Out.Print a & b\n"
                                   "Sub S : Prop = 9 : Out.Print Prop : End Sub\nS\n"
                                   "Out.Print Merged.Prop")),
              QStringLiteral("8|21|9|9"));
    // The script's own names come first.
    EXPECT_EQ(e.run(QStringLiteral("Dim Swap : Swap = \"mine\" : Out.Print Swap")),
              QStringLiteral("mine"));
}

TEST(ScriptControl, ResetDiscardsEverything) {
    Engine e;
    e.sc.addCode(QStringLiteral("Dim g : g = 1\nSub P : End Sub"));
    e.sc.reset();
    EXPECT_TRUE(e.sc.procedures().empty());
    EXPECT_TRUE(e.sc.eval(QStringLiteral("g")).isEmpty());
    EXPECT_TRUE(e.sc.eval(QStringLiteral("Out")).isEmpty()); // named objects are gone too
    EXPECT_EQ(errorOf([&] { e.sc.addObject(QStringLiteral("Out"), makeTestHost()); }), 0);
}

TEST(ScriptControl, CodeObjectGetsPutsAndCalls) {
    Engine e;
    e.sc.addCode(QStringLiteral("Dim v : v = 2\nConst K = 3\n"
                                "Function Twice(x) : Twice = x * 2 : x = 0 : End Function"));
    zv::DispatchPtr code = e.sc.codeObject();
    EXPECT_EQ(code->get(QStringLiteral("V")).rawInteger(), 2);
    EXPECT_EQ(code->get(QStringLiteral("K")).rawInteger(), 3);
    code->put(QStringLiteral("v"), Variant(int16_t(9)));
    EXPECT_EQ(e.sc.eval(QStringLiteral("v")).rawInteger(), 9);
    std::vector<Variant> args = {Variant(int16_t(21))};
    EXPECT_EQ(code->call(QStringLiteral("Twice"), args).rawInteger(), 42);
    EXPECT_EQ(args[0].rawInteger(), 0);
    EXPECT_EQ(errorOf([&] { code->get(QStringLiteral("nothingThere")); }), 438);
    EXPECT_EQ(errorOf([&] { code->put(QStringLiteral("newName"), Variant(1)); }), 438);
    EXPECT_EQ(errorOf([&] { code->put(QStringLiteral("K"), Variant(1)); }), 501);
    // The object follows the engine through a reset.
    e.sc.reset();
    EXPECT_EQ(errorOf([&] { code->get(QStringLiteral("v")); }), 438);
}

// A host object whose methods call back into the engine that runs the script.
zv::DispatchPtr makeReentrantHost(zv::vbs::ScriptControl& sc) {
    auto host = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Host"));
    host->addMethod(QStringLiteral("Exec"), [&sc](zv::Args a) {
        sc.executeStatement(zv::toText(*a[0]));
        return Variant();
    });
    host->addMethod(QStringLiteral("Calc"),
                    [&sc](zv::Args a) { return sc.eval(zv::toText(*a[0])); });
    host->addMethod(QStringLiteral("RunIt"), [&sc](zv::Args a) {
        std::vector<Variant> args;
        for (size_t i = 1; i < a.size(); ++i)
            args.push_back(*a[i]);
        return sc.run(zv::toText(*a[0]), args);
    });
    host->addMethod(QStringLiteral("Load"), [&sc](zv::Args a) {
        sc.addCode(zv::toText(*a[0]));
        return Variant();
    });
    host->addMethod(QStringLiteral("Reset"), [&sc](zv::Args) {
        sc.reset();
        return Variant();
    });
    host->addMethod(QStringLiteral("Trapped"), [&sc](zv::Args a) {
        try {
            sc.executeStatement(zv::toText(*a[0]));
        } catch (const zv::VbError& e) {
            return Variant(int32_t(e.number()));
        }
        return Variant(int32_t(0));
    });
    return host;
}

// An engine with the reentrant host object as "Host".
struct HostEngine : Engine {
    HostEngine() { sc.addObject(QStringLiteral("Host"), makeReentrantHost(sc)); }
};

TEST(ScriptControl, HostMethodsMayCallBackIntoTheEngine) {
    HostEngine e;
    EXPECT_EQ(e.run(QStringLiteral("Function Sq(n) : Sq = n * n : End Function\n"
                                   "Sub Main\n"
                                   "  Host.Exec \"opcSel = \"\"1\"\"\"\n"
                                   "  Out.Print opcSel\n"
                                   "  Out.Print Host.Calc(\"Sq(7) + 1\")\n"
                                   "  Out.Print Host.RunIt(\"Sq\", 5)\n"
                                   "End Sub\n"
                                   "Main")),
              QStringLiteral("1|50|25"));
}

TEST(ScriptControl, RedefiningARunningProcedureKeepsItAlive) {
    HostEngine e;
    EXPECT_EQ(e.run(QStringLiteral("Sub Me1\n"
                                   "  Host.Load \"Sub Me1 : Out.Print \"\"new\"\" : End Sub\"\n"
                                   "  Dim i, s\n"
                                   "  For i = 1 To 3 : s = s & i : Next\n"
                                   "  Out.Print \"old \" & s\n"
                                   "End Sub\n"
                                   "Me1\nMe1")),
              QStringLiteral("old 123|new"));
}

TEST(ScriptControl, ResetIsRefusedWhileCodeRuns) {
    HostEngine e;
    EXPECT_EQ(e.run(QStringLiteral("Dim kept : kept = 1\n"
                                   "On Error Resume Next\nHost.Reset\n"
                                   "Out.Print Err.Number <> 0\nOut.Print kept")),
              QStringLiteral("True|1"));
    EXPECT_FALSE(e.sc.isRunning());
    EXPECT_EQ(errorOf([&] { e.sc.reset(); }), 0);
}

TEST(ScriptControl, ErrorsTrappedByTheHostDoNotTouchTheScriptsErr) {
    HostEngine e;
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\n"
                                   "r = Host.Trapped(\"x = 1 / 0\")\n"
                                   "Out.Print r & \" \" & Err.Number")),
              QStringLiteral("11 0"));
    EXPECT_EQ(e.sc.error().number, 11); // the engine's error record has it
    // Not trapped by the host, the inner error is the host call's error.
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\nHost.Exec \"y = CInt(\"\"q\"\")\"\n"
                                   "Out.Print Err.Number")),
              QStringLiteral("13"));
}

TEST(ScriptControl, DeepRecursionRaisesOutOfStackSpace) {
    Engine e;
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral("Function Down(n) : Down = Down(n + 1) : End Function\n"
                                       "x = Down(0)"));
              }),
              28);
    EXPECT_EQ(e.sc.error().description, QStringLiteral("Out of stack space"));
    // The script can take it, and the engine works afterwards.
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\nx = Down(0)\nOut.Print Err.Number")),
              QStringLiteral("28"));
    EXPECT_EQ(e.run(QStringLiteral("Function Depth(n)\nIf n = 0 Then Depth = 0 Else Depth = "
                                   "1 + Depth(n - 1)\nEnd Function\nOut.Print Depth(500)")),
              QStringLiteral("500"));
}

TEST(ScriptControl, DeepRecursionThroughTheHostIsBoundedToo) {
    HostEngine e;
    EXPECT_EQ(
        errorOf([&] { e.run(QStringLiteral("Sub Again : Host.Exec \"Again\" : End Sub\nAgain")); }),
        28);
    EXPECT_FALSE(e.sc.isRunning());
}

} // namespace
