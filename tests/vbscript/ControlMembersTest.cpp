// The Script Control members beyond running code: Timeout, the site window, AddObject's
// names, Reset while code runs, and the Procedures and Error objects with their lifetimes.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;
using zv::Variant;

namespace {

TEST(ControlSettings, TimeoutAndSiteWindowAreKeptAcrossReset) {
    zv::vbs::ScriptControl sc;
    EXPECT_EQ(sc.timeout(), 10000);
    EXPECT_EQ(sc.siteWindow(), zv::WindowHandle(0));
    for (int ms : {-1, 0, 250}) {
        sc.setTimeout(ms);
        EXPECT_EQ(sc.timeout(), ms);
    }
    EXPECT_EQ(errorOf([&] { sc.setTimeout(-2); }), 380);
    EXPECT_EQ(sc.timeout(), 250);
    sc.setSiteWindow(0x1234);
    sc.reset();
    EXPECT_EQ(sc.timeout(), 250);
    EXPECT_EQ(sc.siteWindow(), zv::WindowHandle(0x1234));
}

struct AddObjectCase {
    const char* name;
    int error;
};

class AddObjectNames : public ::testing::TestWithParam<AddObjectCase> {};

TEST_P(AddObjectNames, AreCheckedAgainstWhatTheScriptHolds) {
    Engine e;
    e.sc.addCode(QStringLiteral("Dim var : Const Konst = 1\nSub Proc : End Sub\n"
                                "Class Cls : End Class\nx = onlyUsed"));
    int err = errorOf([&] { e.sc.addObject(QString::fromUtf8(GetParam().name), makeTestHost()); });
    EXPECT_EQ(err, GetParam().error) << GetParam().name;
}

const AddObjectCase kAddObjectCases[] = {
    {"Fresh", 0}, {"onlyUsed", 0}, // read by code, but never defined
    {"Len", 0},                    // a built-in's name: the object hides it from later code
    {"out", 457}, {"VAR", 457},    {"Konst", 457},   {"proc", 457},  {"Cls", 457},
    {"", 5},      {"1st", 5},      {"two words", 5}, {"dot.ted", 5},
};

INSTANTIATE_TEST_SUITE_P(Table, AddObjectNames, ::testing::ValuesIn(kAddObjectCases));

TEST(AddObject, NullObjectsAreRefusedAndResetFreesTheNames) {
    Engine e;
    EXPECT_EQ(errorOf([&] { e.sc.addObject(QStringLiteral("None"), nullptr); }), 424);
    EXPECT_EQ(errorOf([&] { e.sc.addObject(QStringLiteral("Out"), makeTestHost()); }), 457);
    e.sc.reset();
    EXPECT_EQ(errorOf([&] { e.sc.addObject(QStringLiteral("Out"), makeTestHost()); }), 0);
    // Added while code runs, an object is usable by the rest of that code.
    auto adder = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Adder"));
    adder->addMethod(QStringLiteral("Add"), [&](zv::Args a) {
        e.sc.addObject(zv::toText(*a[0]), makeTestHost());
        return Variant();
    });
    e.sc.addObject(QStringLiteral("Adder"), adder);
    e.sc.addCode(QStringLiteral("Adder.Add \"Late\" : Late.Prop = 5 : v = Late"));
    EXPECT_EQ(e.evalText(QStringLiteral("v")), QStringLiteral("5"));
}

TEST(Reset, RefusedWhileCodeRunsLeavesEverythingInPlace) {
    Engine e;
    auto host = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Host"));
    QString refusal;
    host->addMethod(QStringLiteral("TryReset"), [&](zv::Args) {
        try {
            e.sc.reset();
        } catch (const zv::VbError& err) {
            refusal = QString::number(err.number()) + u' ' + err.description();
        }
        return Variant();
    });
    e.sc.addObject(QStringLiteral("Host"), host);
    EXPECT_EQ(e.run(QStringLiteral("Dim g : g = 1\nSub P : Host.TryReset : g = g + 1 : End Sub\n"
                                   "P : Out.Print g")),
              QStringLiteral("2"));
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("5 Invalid procedure call or argument: '")))
        << refusal.toStdString();
    EXPECT_EQ(e.sc.procedures().size(), 1u);
    EXPECT_EQ(errorOf([&] { e.sc.reset(); }), 0);
    EXPECT_TRUE(e.sc.procedures().empty());
}

TEST(ProceduresObject, CountItemAndEnumeration) {
    Engine e;
    e.sc.addCode(QStringLiteral("Function Two(a, b) : End Function\nSub One(x) : End Sub"));
    zv::DispatchPtr procs = e.sc.proceduresObject();
    EXPECT_EQ(procs->typeName(), QStringLiteral("Procedures"));
    EXPECT_EQ(procs->get(QStringLiteral("Count")).rawLong(), 2);
    auto item = [&](Variant key) { return procs->get(QStringLiteral("Item"), {key}).rawObject(); };
    zv::DispatchPtr two = item(Variant("TWO"));
    EXPECT_EQ(zv::toText(two->get(QStringLiteral("Name"))), QStringLiteral("Two"));
    EXPECT_EQ(two->get(QStringLiteral("NumArgs")).rawLong(), 2);
    EXPECT_TRUE(two->get(QStringLiteral("HasReturnValue")).rawBoolean());
    EXPECT_EQ(zv::toText(item(Variant(int16_t(2)))->get(QStringLiteral("Name"))),
              QStringLiteral("One"));
    EXPECT_FALSE(item(Variant(int16_t(2)))->get(QStringLiteral("HasReturnValue")).rawBoolean());
    for (Variant bad : {Variant("Three"), Variant(int16_t(0)), Variant(int16_t(3))})
        EXPECT_EQ(errorOf([&] { item(bad); }), 32811);
    EXPECT_EQ(errorOf([&] { procs->get(QStringLiteral("Item")); }), 450);

    // The collection follows the engine: new code, redefinition in place, reset.
    e.sc.addCode(QStringLiteral("Sub Two : End Sub\nSub Three : End Sub"));
    QStringList names;
    std::unique_ptr<zv::Enumerator> all = procs->enumerate();
    Variant p;
    while (all->next(p))
        names << zv::toText(p.rawObject()->get(QStringLiteral("Name"))) +
                     zv::toText(p.rawObject()->get(QStringLiteral("NumArgs")));
    EXPECT_EQ(names, (QStringList{"Two0", "One1", "Three0"}));
    e.sc.reset();
    EXPECT_EQ(procs->get(QStringLiteral("Count")).rawLong(), 0);
    EXPECT_EQ(errorOf([&] { e.sc.procedure(QStringLiteral("One")); }), 32811);
}

TEST(ProceduresObject, OutlivingTheEngineRaises91) {
    zv::DispatchPtr procs;
    {
        zv::vbs::ScriptControl sc;
        procs = sc.proceduresObject();
    }
    EXPECT_EQ(errorOf([&] { procs->get(QStringLiteral("Count")); }), 91);
}

QString errorFields(const zv::DispatchPtr& err) {
    QStringList parts;
    for (const char* f : {"Number", "Description", "Source", "Line", "Column", "Text"})
        parts << zv::toText(err->get(QString::fromLatin1(f)));
    return parts.join(u'|');
}

TEST(ErrorObject, LivesFromOneErrorToTheNext) {
    Engine e;
    zv::DispatchPtr err = e.sc.errorObject();
    EXPECT_EQ(errorFields(err), QStringLiteral("0|||0|0|"));
    errorOf([&] { e.sc.addCode(QStringLiteral("x = 1\ny = (2")); });
    EXPECT_EQ(errorFields(err),
              QStringLiteral("1006|Expected ')'|Microsoft VBScript compilation error|2|6|y = (2"));
    // Successful calls and errors the script handles itself leave it.
    e.sc.eval(QStringLiteral("1 + 1"));
    e.run(QStringLiteral("On Error Resume Next\nz = 1 / 0"));
    EXPECT_EQ(err->get(QStringLiteral("Number")).rawLong(), 1006);
    // The next error that reaches the host replaces it.
    errorOf([&] { e.sc.executeStatement(QStringLiteral("a = 1\n  b = CInt(\"x\")")); });
    EXPECT_EQ(
        errorFields(err),
        QStringLiteral("13|Type mismatch|Microsoft VBScript runtime error|2|2|  b = CInt(\"x\")"));
    EXPECT_EQ(err->defaultValue().rawLong(), 13);
    err->call(QStringLiteral("Clear"));
    EXPECT_EQ(e.sc.error().number, 0);
    EXPECT_EQ(errorFields(err), QStringLiteral("0|||0|0|"));
    // A reset clears it too; the object stays valid.
    errorOf([&] { e.sc.eval(QStringLiteral("Nope(")); });
    EXPECT_NE(e.sc.error().number, 0);
    e.sc.reset();
    EXPECT_EQ(err->get(QStringLiteral("Number")).rawLong(), 0);
}

TEST(ErrorObject, HostErrorsKeepTheirSource) {
    Engine e;
    auto host = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Host"));
    host->addMethod(QStringLiteral("Fail"), [](zv::Args) -> Variant {
        throw zv::VbError(53, QStringLiteral("File not found"), QStringLiteral("HostLib"));
    });
    e.sc.addObject(QStringLiteral("Host"), host);
    EXPECT_EQ(errorOf([&] { e.sc.executeStatement(QStringLiteral("Host.Fail")); }), 53);
    EXPECT_EQ(zv::toText(e.sc.errorObject()->get(QStringLiteral("Source"))),
              QStringLiteral("HostLib"));
}

} // namespace
