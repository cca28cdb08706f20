// Calling script procedures: Arg variables and parameters, results of subs and functions, the
// argument counts, procedures the host does not run, and the literals written into the script.

#include "ScriptHostSupport.h"

#include "DateTime.h"
#include "TestSupport.h"

using namespace zv;

namespace {

struct Calls : ::testing::Test {
    shtest::Bound b;
    QString kind;
    void SetUp() override {
        QString code;
        int ok = 0;
        b.sup.PgmLer(zvtest::dataPath(QStringLiteral("script/procedures.vbs")), 1, code, ok);
        b.code(code);
    }
    Variant call(std::vector<Variant> args) {
        return b.sup.SupVbsFx(Variant::list(std::move(args)), kind);
    }
    static std::vector<Variant> numbered(const char* name, int16_t n) {
        std::vector<Variant> args{name};
        for (int16_t i = 1; i <= n; ++i)
            args.emplace_back(i);
        return args;
    }
};

TEST_F(Calls, ArgumentsReachParametersAndArgVariables) {
    EXPECT_TRUE(call({"Soma", int16_t(2), int16_t(3), int16_t(7)}).sameAs(Variant(int16_t(5))));
    EXPECT_EQ(kind, QStringLiteral("F"));
    EXPECT_EQ(b.text("Arg1 & Arg2 & Arg3"), QStringLiteral("237")); // Arg3 set all the same
    EXPECT_EQ(toText(call({"Eco", "x"})), QStringLiteral("x|Empty|Empty"));
    // The parameter gets the caller's text; Arg1 its literal, quotes turned into apostrophes.
    EXPECT_EQ(toText(call({"Eco", QStringLiteral("a\"b"), 1.5, true})),
              QStringLiteral("aQb|Double|Boolean"));
    EXPECT_EQ(b.text("Arg1 & TypeName(Arg2) & TypeName(Arg3)"), QStringLiteral("a'bDoubleBoolean"));

    // Changes to parameters never reach the caller; a sub answers its success flag.
    Variant arr = Variant::list({"Marca", int16_t(1)});
    EXPECT_TRUE(b.sup.SupVbsFx(arr, kind).sameAs(Variant(int16_t(1))));
    EXPECT_EQ(kind, QStringLiteral("P"));
    EXPECT_EQ(arr.array().at1(1).rawInteger(), 1);
}

TEST_F(Calls, ArgumentCounts) {
    call({"Args", "p", "q", "r"});
    // 0 arguments, and 10 or more: called with none, the Arg variables keep their values.
    EXPECT_EQ(toText(call({"Args"})), QStringLiteral("p/q/r"));
    EXPECT_EQ(toText(call(numbered("Args", 10))), QStringLiteral("p/q/r"));
    EXPECT_TRUE(call(numbered("Soma", 10)).sameAs(Variant(int16_t(0)))); // Empty + Empty
    // 1 and 9 arguments; fewer than before leave the higher Arg variables as they were.
    EXPECT_EQ(toText(call({"Args", "z"})), QStringLiteral("z/q/r"));
    EXPECT_EQ(toText(call(numbered("Nove", 9))), QStringLiteral("19"));
}

TEST_F(Calls, FailuresGiveNoStaleValues) {
    EXPECT_EQ(toText(call({"Soma", int16_t(1), int16_t(1)})), QStringLiteral("2"));
    EXPECT_TRUE(call({"Falhar"}).isEmpty()); // not the value of the call before
    EXPECT_EQ(b.sup.lastCallFlag(), 0);

    // Ten parameters: not run, and the call is a failure.
    call({"Soma", int16_t(1), int16_t(1)});
    EXPECT_TRUE(call({"Dez", int16_t(1)}).isEmpty());
    EXPECT_EQ(b.sup.lastCallFlag(), 0);
    int ok = 1;
    b.sup.PgmCmd(QStringLiteral("Dez"), ok);
    EXPECT_EQ(ok, 0);

    EXPECT_TRUE(call({"Falha"}).sameAs(Variant(int16_t(0))));
    EXPECT_EQ(kind, QStringLiteral("P"));
    EXPECT_TRUE(call({"Nada", int16_t(1)}).sameAs(Variant(int16_t(0))));
    EXPECT_EQ(kind, QStringLiteral("?"));
    EXPECT_TRUE(b.sup.PgmFxExe(QStringLiteral("Nada")).isEmpty());
    EXPECT_TRUE(b.sup.SupVbsFx(Variant(5), kind).sameAs(Variant(int16_t(0)))); // no array
}

TEST_F(Calls, PgmCmdAndPgmFxExe) {
    call({"Args", "p"});
    int ok = 0;
    b.sup.PgmCmd(QStringLiteral("Soma"), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(b.text("TypeName(FxRes) & FxRes & Arg1"), QStringLiteral("Integer0p"));
    EXPECT_EQ(toText(b.sup.PgmFxExe(QStringLiteral("soma"), {int16_t(4), 0.5})),
              QStringLiteral("4.5"));
}

TEST_F(Calls, ValuesTravelBackThroughFxRes) {
    const double when = DateSerial(2024, 5, 1) + TimeSerial(13, 4, 5);
    const std::pair<Variant, Variant> cases[] = {
        {"\"quoted\"", "quoted"},
        {"a\"b", "a'b"},
        {"l1\r\nl2\tx", "l1\r\nl2\tx"},
        {int16_t(7), int16_t(7)},
        {1.5e-7, 1.5e-7},
        {true, true},
        {Variant(), Variant()},
        {Variant::null(), Variant::null()},
        {Variant::date(when), Variant::date(when)},
        {Variant::list({int16_t(1)}), Variant()},
    };
    for (const auto& [in, out] : cases) {
        call({"Soma", int16_t(1), int16_t(1)}); // a value that must not come back
        const Variant got = call({"Mesmo", in});
        EXPECT_TRUE(got.sameAs(out))
            << vbsLiteral(in).toStdString() << " gave " << vbsLiteral(got).toStdString();
    }
    EXPECT_EQ(vbsLiteral(Variant::date(when)), QStringLiteral("#05/01/2024 13:04:05#"));
    EXPECT_EQ(vbsLiteral("a\rb"), QStringLiteral("\"a\" & Chr(13) & \"b\""));
}

} // namespace
