// Script classes: members and their visibility, properties, default members, Me and New,
// Class_Initialize and Class_Terminate, compile errors, and objects seen from the host.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;
using zv::Variant;

namespace {

struct ClassCase {
    const char* name;
    const char* code;
    const char* printed; // lines joined with "|"; nullptr: raises `error`
    int error = 0;
};

class ClassPrograms : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ClassPrograms, Run) {
    const ClassCase& c = GetParam();
    Engine e;
    expectOutcome(e, c.name, c.printed, c.error, [&] { return e.run(QString::fromUtf8(c.code)); });
}

const ClassCase kClassCases[] = {
    {"fields and methods",
     "Class Pt\nPublic X, Y\nFunction Sum() : Sum = X + Y : End Function\nEnd Class\n"
     "Set p = New Pt : p.X = 2 : p.Y = 3 : Out.Print p.Sum() & p.Sum",
     "55"},
    {"members without Me inside methods",
     "Class K\nPrivate n\nSub Add(k) : n = n + k : Show : End Sub\n"
     "Private Sub Show : Out.Print \"n=\" & n : End Sub\nEnd Class\n"
     "Set c = New K : c.Add 2 : c.Add 3",
     "n=2|n=5"},
    {"locals hide members, members hide globals",
     "x = \"global\" : y = \"global\"\nClass K\nPublic x\n"
     "Sub T : Dim y : y = \"local\" : x = \"member\" : Out.Print x & y : End Sub\nEnd Class\n"
     "Set c = New K : c.T : Out.Print x & c.x",
     "memberlocal|globalmember"},
    {"property get, let and set",
     "Class K\nPrivate v, o\nProperty Get V2 : V2 = v * 2 : End Property\n"
     "Property Let V2(n) : v = n : End Property\n"
     "Property Set Obj(x) : Set o = x : End Property\n"
     "Property Get Obj : Set Obj = o : End Property\nEnd Class\n"
     "Set c = New K : c.V2 = 21 : Set c.Obj = Tst : Out.Print c.V2 & TypeName(c.Obj)",
     "42TestHost"},
    {"property with index arguments",
     "Class Grid\nPrivate cells(2, 2)\n"
     "Public Property Get Cell(r, k) : Cell = cells(r, k) : End Property\n"
     "Public Property Let Cell(r, k, v) : cells(r, k) = v : End Property\nEnd Class\n"
     "Set g = New Grid : g.Cell(1, 2) = \"b\" : Out.Print g.Cell(1, 2) & \"|\" & g.Cell(0, 0) & "
     "\"|\"",
     "b||"},
    {"let of a property inside the class",
     "Class K\nPrivate v\nProperty Let P(n) : v = n * 10 : End Property\n"
     "Sub SetIt : P = 4 : Out.Print v : End Sub\nEnd Class\nSet c = New K : c.SetIt",
     "40"},
    {"default property",
     "Class Lst\nPrivate items\nSub Class_Initialize : items = Array(\"a\", \"b\") : End Sub\n"
     "Public Default Property Get Item(i) : Item = items(i) : End Property\nEnd Class\n"
     "Set l = New Lst : Out.Print l(1) & l.Item(0)",
     "ba"},
    {"default function used as a value",
     "Class Val\nPublic Default Function Value : Value = 7 : End Function\nEnd Class\n"
     "Set v = New Val : x = v : Out.Print x + v",
     "14"},
    {"exit property and exit function",
     "Class K\nProperty Get P : P = 1 : Exit Property : P = 2 : End Property\n"
     "Function F : F = 3 : Exit Function : F = 4 : End Function\nEnd Class\n"
     "Set c = New K : Out.Print c.P & c.F",
     "13"},
    {"Me passes the object on",
     "Sub Show(o) : Out.Print o.Tag : End Sub\n"
     "Class K\nPublic Tag\nFunction Self : Set Self = Me : End Function\n"
     "Sub Give : Show Me : End Sub\nEnd Class\n"
     "Set c = New K : c.Tag = \"t\" : c.Give : Out.Print (c.Self Is c)",
     "t|True"},
    {"byref arguments of methods write back",
     "Class K\nSub Inc(ByRef a, ByVal b) : a = a + 1 : b = b + 1 : End Sub\nEnd Class\n"
     "Set c = New K : x = 1 : y = 1 : c.Inc x, y : Out.Print x & y",
     "21"},
    {"fields by reference to other procedures",
     "Sub Double(v) : v = v * 2 : End Sub\n"
     "Class K\nPublic n, arr(1)\nSub Go : n = 3 : arr(1) = 5 : Double n : Double arr(1) : "
     "Out.Print n & arr(1) : End Sub\nEnd Class\nSet c = New K : c.Go",
     "610"},
    {"array fields from outside",
     "Class K\nPublic a(2), d()\nEnd Class\n"
     "Set c = New K : c.a(1) = \"x\" : Out.Print c.a(1) & UBound(c.a) & IsArray(c.d)",
     "x2True"},
    {"for each over a field array",
     "Class K\nPrivate items(2)\nSub Fill : items(0) = 1 : items(1) = 2 : items(2) = 3 : End Sub\n"
     "Function Total : Dim i : For Each i In items : Total = Total + i : Next : End Function\n"
     "End Class\nSet c = New K : c.Fill : Out.Print c.Total",
     "6"},
    {"recursion in a method",
     "Class Mth\nFunction Fact(n)\nIf n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)\n"
     "End Function\nEnd Class\nSet m = New Mth : Out.Print m.Fact(10)",
     "3628800"},
    {"option explicit accepts members",
     "Option Explicit\nDim c\nClass K\nPrivate n\nSub S : n = 1 : Out.Print n : End Sub\n"
     "End Class\nSet c = New K : c.S",
     "1"},
    {"objects of one class are separate",
     "Class K\nPublic v\nEnd Class\nSet a = New K : Set b = New K : a.v = 1 : b.v = 2\n"
     "Out.Print a.v & b.v & (a Is b)",
     "12False"},
    {"with block on Me",
     "Class K\nPublic a, b\nSub Fill : With Me : .a = 1 : .b = 2 : End With : End Sub\n"
     "End Class\nSet c = New K : c.Fill : Out.Print c.a + c.b",
     "3"},
    {"typename and vartype",
     "Class Thing\nEnd Class\nSet t = New Thing\n"
     "Out.Print TypeName(t) & VarType(t) & IsObject(t) & (t Is Nothing)",
     "Thing9TrueFalse"},
    {"private members are hidden outside", "Class K\nPrivate p\nEnd Class\nSet c = New K : x = c.p",
     nullptr, 438},
    {"private method", "Class K\nPrivate Sub S : End Sub\nEnd Class\nSet c = New K : c.S", nullptr,
     438},
    {"private through Me",
     "Class K\nPrivate p\nSub S : x = Me.p : End Sub\nEnd Class\nSet c = New K : c.S", nullptr,
     438},
    {"read-only property",
     "Class K\nProperty Get P : End Property\nEnd Class\nSet c = New K : c.P = 1", nullptr, 438},
    {"set of a property with only let",
     "Class K\nProperty Let P(v) : End Property\nEnd Class\nSet c = New K : Set c.P = Tst", nullptr,
     438},
    {"wrong argument count", "Class K\nSub S(a) : End Sub\nEnd Class\nSet c = New K : c.S 1, 2",
     nullptr, 450},
    {"no default member", "Class K\nEnd Class\nSet c = New K : x = c + 1", nullptr, 438},
    {"assigning an object without Set", "Class K\nEnd Class\nx = New K", nullptr, 438},
    {"unknown class", "Set x = New Nowhere", nullptr, 506},
    {"not a collection", "Class K\nEnd Class\nFor Each i In New K : Next", nullptr, 451},
    {"a class name is no procedure", "Class K\nEnd Class\nK 1", nullptr, 13},
    {"an error in Class_Initialize reaches New",
     "Class K\nSub Class_Initialize : Err.Raise 1234 : End Sub\nEnd Class\nSet c = New K", nullptr,
     1234},
};

INSTANTIATE_TEST_SUITE_P(Table, ClassPrograms, ::testing::ValuesIn(kClassCases));

class ClassSyntax : public ::testing::TestWithParam<CompileErrorCase> {};

TEST_P(ClassSyntax, ReportsNumberLineAndColumn) {
    expectCompileError(GetParam());
}

const CompileErrorCase kClassSyntaxCases[] = {
    {"Class C\nSub S\nEnd Sub", 1014, 3, 7},
    {"Class C\nEnd Sub", 1047, 2, 4},
    {"Class C\nx = 1\nEnd Class", 1024, 2, 0},
    {"Class C\nDim a\nPublic A\nEnd Class", 1041, 3, 7},
    {"Class C\nSub X : End Sub\nFunction X : End Function\nEnd Class", 1041, 3, 9},
    {"Class C\nProperty Get P : End Property\nProperty Get P : End Property\nEnd Class", 1041, 3,
     13},
    {"Class C\nProperty Get P(a) : End Property\nProperty Let P(v) : End Property\nEnd Class", 1051,
     3, 13},
    {"Class C\nProperty Let P : End Property\nEnd Class", 1054, 2, 13},
    {"Class C\nProperty P : End Property\nEnd Class", 1049, 2, 9},
    {"Class C\nProperty Get P : End Sub\nEnd Class", 1050, 2, 21},
    {"Class C\nPrivate Default Sub S : End Sub\nEnd Class", 1057, 2, 8},
    {"Class C\nDefault Sub S : End Sub\nEnd Class", 1057, 2, 0},
    {"Class C\nPublic Default Property Let P(v) : End Property\nEnd Class", 1058, 2, 28},
    {"Class C\nPublic Default Sub A : End Sub\nPublic Default Sub B : End Sub\nEnd Class", 1052, 3,
     19},
    {"Class C\nSub Class_Initialize(a) : End Sub\nEnd Class", 1053, 2, 4},
    {"Property Get P\nEnd Property", 1048, 1, 0},
    {"Sub S\nClass C\nEnd Class\nEnd Sub", 1024, 2, 0},
    {"Sub S : Exit Property : End Sub", 1039, 1, 13},
    {"Class C\nEnd Class\nClass c\nEnd Class", 1041, 3, 6},
    {"Dim C\nClass C\nEnd Class", 1041, 1, 4},
    {"Set x = New", 1010, 1, 11},
};

INSTANTIATE_TEST_SUITE_P(Table, ClassSyntax, ::testing::ValuesIn(kClassSyntaxCases));

TEST(ClassLife, TerminateRunsWhenTheLastReferenceGoes) {
    Engine e;
    e.sc.addCode(QStringLiteral("Class T\nPublic Id\n"
                                "Sub Class_Terminate : Out.Print \"end \" & Id : End Sub\n"
                                "End Class\n"
                                "Function Make(i) : Set Make = New T : Make.Id = i : End Function\n"
                                "Function Local() : Dim t : Set t = Make(\"local\") : Local = 1 : "
                                "End Function"));
    EXPECT_EQ(e.run(QStringLiteral("Set a = Make(1) : Set b = a\n"
                                   "Set a = Nothing : Out.Print \"still\"\n"
                                   "Set b = Make(2) : Out.Print \"replaced\"\n"
                                   "Out.Print Local() & \" returned\"\n"
                                   "Make 3 : Out.Print \"statement done\"")),
              QStringLiteral("still|end 1|replaced|end local|1 returned|end 3|statement done"));
    // The host's own reference: terminated when the host lets go of it.
    Variant held = e.sc.eval(QStringLiteral("Make(\"held\")"));
    EXPECT_EQ(e.run(QStringLiteral("Out.Print \"host holds it\"")),
              QStringLiteral("host holds it"));
    e.printed.clear();
    held.clear();
    EXPECT_EQ(e.printed.join(u'|'), QStringLiteral("end held"));
    // A reset terminates what the globals hold (b), while Out still exists.
    e.printed.clear();
    e.sc.reset();
    EXPECT_EQ(e.printed.join(u'|'), QStringLiteral("end 2"));
}

TEST(ClassLife, TerminateErrorsGoNowhereAndLeaveErrAlone) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("Class T\nSub Class_Terminate : Out.Print \"ending\" : "
                                   "x = 1 / 0 : Out.Print \"not here\" : End Sub\nEnd Class\n"
                                   "On Error Resume Next\nErr.Raise 9\n"
                                   "Set obj = New T : Set obj = Nothing\n"
                                   "Out.Print Err.Number")),
              QStringLiteral("ending|9"));
}

TEST(ClassLife, ObjectsThatReferToEachOtherAreFreedWithTheEngine) {
    std::weak_ptr<zv::Dispatch> watched;
    {
        Engine e;
        e.run(QStringLiteral("Class N\nPublic Other\nEnd Class\n"
                             "Set a = New N : Set b = New N : Set a.Other = b : Set b.Other = a"));
        watched = e.sc.eval(QStringLiteral("a")).rawObject();
        e.sc.executeStatement(QStringLiteral("Set a = Nothing : Set b = Nothing"));
        EXPECT_FALSE(watched.expired()); // the cycle keeps them, as it would anywhere
    }
    EXPECT_TRUE(watched.expired());
}

TEST(ClassErrors, AnErrorInAMethodIsReportedWhereItHappened) {
    Engine e;
    e.sc.addCode(QStringLiteral("Class C\n"
                                "  Sub Fail\n"
                                "    Dim z\n"
                                "    z = 1 / 0\n"
                                "  End Sub\n"
                                "End Class\n"
                                "Set obj = New C"));
    EXPECT_EQ(errorOf([&] { e.sc.executeStatement(QStringLiteral("obj.Fail")); }), 11);
    EXPECT_EQ(e.sc.error().line, 4);
    EXPECT_EQ(e.sc.error().column, 4);
    EXPECT_EQ(e.sc.error().text, QStringLiteral("    z = 1 / 0"));
    // The caller's handler takes it.
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\nobj.Fail\nOut.Print Err.Number")),
              QStringLiteral("11"));
}

TEST(ClassObjects, TheHostSeesPublicMembersOnly) {
    Engine e;
    e.sc.addCode(QStringLiteral("Class Box\nPublic Content\nPrivate secret\n"
                                "Public Default Property Get Size : Size = Len(Content) : "
                                "End Property\n"
                                "Public Function Wrap(ByRef s) : s = \"[\" & s & \"]\" : "
                                "Wrap = s : End Function\n"
                                "Private Sub Hidden : End Sub\nEnd Class\n"
                                "Set b = New Box"));
    Variant v = e.sc.eval(QStringLiteral("b"));
    ASSERT_TRUE(v.isObject());
    zv::DispatchPtr box = v.rawObject();
    EXPECT_EQ(box->typeName(), QStringLiteral("Box"));
    box->put(QStringLiteral("content"), Variant("abc"));
    EXPECT_EQ(zv::toText(box->defaultValue()), QStringLiteral("3"));
    std::vector<Variant> args = {Variant("x")};
    EXPECT_EQ(zv::toText(box->call(QStringLiteral("Wrap"), args)), QStringLiteral("[x]"));
    EXPECT_EQ(zv::toText(args[0]), QStringLiteral("[x]"));
    EXPECT_EQ(box->memberId(QStringLiteral("secret")), zv::kDispIdUnknown);
    EXPECT_EQ(box->memberId(QStringLiteral("Hidden")), zv::kDispIdUnknown);
    EXPECT_EQ(errorOf([&] { box->put(QStringLiteral("Size"), Variant(1)); }), 438);
    EXPECT_EQ(errorOf([&] { box->call(QStringLiteral("Wrap")); }), 450);

    // Objects outlive a reset (their code still runs) and the engine, which leaves them inert:
    // their fields are dropped (breaking cycles) and their methods cannot run.
    e.sc.reset();
    EXPECT_EQ(zv::toText(box->defaultValue()), QStringLiteral("3"));
    {
        zv::vbs::ScriptControl other;
        other.addCode(QStringLiteral("Class K\nPublic F\nFunction M : M = 1 : End Function\n"
                                     "End Class\nSet obj = New K : obj.F = 5"));
        box = other.eval(QStringLiteral("obj")).rawObject();
    }
    EXPECT_TRUE(box->get(QStringLiteral("F")).isEmpty());
    EXPECT_EQ(errorOf([&] { box->call(QStringLiteral("M")); }), 91);
}

TEST(ClassObjects, ClassesAreNoProceduresOrCodeObjectMembers) {
    Engine e;
    e.sc.addCode(QStringLiteral("Class C\nSub M : End Sub\nEnd Class\nSub P : End Sub"));
    auto procs = e.sc.procedures();
    ASSERT_EQ(procs.size(), 1u);
    EXPECT_EQ(procs[0].name, QStringLiteral("P"));
    EXPECT_EQ(e.sc.codeObject()->memberId(QStringLiteral("C")), zv::kDispIdUnknown);
    EXPECT_EQ(errorOf([&] { e.sc.addObject(QStringLiteral("c"), makeTestHost()); }), 457);
}

} // namespace
