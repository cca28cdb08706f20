// Statements, expressions and typed variables in the script's global scope, function argument
// variables, and the text of the last script error.

#include "ScriptHostSupport.h"

using namespace zv;

namespace {

TEST(Variables, StatementsAndExpressionsByResultType) {
    shtest::Bound b;
    int ok = 0;
    b.sup.ExeCmd(QStringLiteral("x = 5"), ok);
    EXPECT_EQ(ok, 1);
    b.sup.ExeCmd(QStringLiteral("x = "), ok);
    EXPECT_EQ(ok, 0);
    const struct {
        bool ra; // ExeCalcRa
        const char* expr;
        Variant start;
        int ok;
        Variant result;
    } cases[] = {
        {false, "x * 2", QString(), 1, "10"},  {false, "x * 2", Variant(), 1, 10.0},
        {false, "\"7b\"", int16_t(3), 1, 7.0}, {false, "1/0", "old", 0, QString()},
        {false, "1/0", 4.5, 0, int16_t(0)},    {true, "\"ab\"", 3.0, 1, "ab"},
        {true, "x + 0.5", QString(), 1, 5.5},
    };
    for (const auto& c : cases) {
        Variant r = c.start;
        (b.sup.*(c.ra ? &VbsSup::ExeCalcRa : &VbsSup::ExeCalc))(QString::fromUtf8(c.expr), r, ok);
        EXPECT_EQ(ok, c.ok) << c.expr;
        EXPECT_TRUE(r.sameAs(c.result)) << c.expr << " gave " << vbsLiteral(r).toStdString();
    }
    EXPECT_TRUE(b.sup.ExeCalcRes(QStringLiteral("x")).sameAs(Variant(int16_t(5))));
    EXPECT_TRUE(b.sup.ExeCalcRes(QStringLiteral("1/0")).isEmpty());
}

TEST(Variables, TypedVariables) {
    shtest::Bound b;
    const std::pair<const char*, Variant> written[] = {
        {"n$", int16_t(5)}, {"m", int16_t(5)}, {"t", "a\"bc"}, {"q", "\"hi\""}};
    for (const auto& [name, value] : written)
        b.sup.VarReg(QString::fromUtf8(name), value);
    EXPECT_TRUE(b.eval("n").sameAs(Variant("5")));
    EXPECT_TRUE(b.eval("m").sameAs(Variant(int16_t(5))));
    EXPECT_EQ(b.text("t & q"), QStringLiteral("a'bc\"hi\"")); // q keeps its quotes

    const std::pair<const char*, Variant> read[] = {{"n$", "5"}, {"m", 5.0}, {"t", 0.0}};
    for (const auto& [name, want] : read) {
        Variant r;
        b.sup.VarCon(QString::fromUtf8(name), r);
        EXPECT_TRUE(r.sameAs(want)) << name;
    }
    const std::pair<const char*, const char*> kinds[] = {
        {"\"texto\"", "A"},  {" nome$ ", "A"}, {"Left$(x, 2)", "A"},   {"12", "N"},
        {"Soma(1, 2)", "N"}, {"(a$)", "N"},    {"x$ + Mid(y, 1)", "N"}};
    QString type;
    for (const auto& [expr, code] : kinds) {
        EXPECT_EQ(b.sup.TipVL(QString::fromUtf8(expr), type), QString::fromUtf8(code)) << expr;
        EXPECT_EQ(type, QString::fromUtf8(code));
    }
}

TEST(Variables, FunctionArgumentVariables) {
    shtest::Bound b;
    b.code(QStringLiteral("abc = 7"));
    QString list = QStringLiteral(" 5 ,\"txt\", abc");
    Variant r;
    b.sup.FxArgSepReg(QStringLiteral("Fa"), list, QStringLiteral("Xb"), r);
    EXPECT_TRUE(r.sameAs(Variant(5.0)));
    EXPECT_TRUE(b.eval("FA_XB").sameAs(Variant(int16_t(5))));
    b.sup.FxArgSepReg(QStringLiteral("Fa"), list, QStringLiteral("Xc"), r);
    b.sup.FxArgSepReg(QStringLiteral(" fa"), list, QStringLiteral("xd "), r);
    EXPECT_EQ(list, QString());
    // Back: a quoted text without its quotes, a number as a number, any other text read as an
    // expression; each in the result's own type.
    const struct {
        const char* arg;
        Variant start;
        Variant want;
    } stored[] = {{"Xb", Variant(), 5.0},
                  {"Xb", QString(), "5"},
                  {"xc", QString(), "txt"},
                  {"XD", int16_t(0), 7.0}};
    for (const auto& c : stored) {
        Variant got = c.start;
        b.sup.FxArgCon(QStringLiteral("fA"), QString::fromUtf8(c.arg), got);
        EXPECT_TRUE(got.sameAs(c.want)) << c.arg << " gave " << vbsLiteral(got).toStdString();
    }
}

TEST(Variables, ErrorText) {
    shtest::Bound b;
    int32_t number = -1;
    QString description, position;
    b.sup.VbsErr(number, description, position);
    EXPECT_EQ(QString::number(number) + description + position, QStringLiteral("0Sem erro"));

    int ok = 0;
    b.sup.PgmRegExe(QStringLiteral("a = 1\r\nb = 2\r\n  c = a / 0"), ok);
    b.sup.ExeCmd(QStringLiteral("d = 1"), ok); // a success does not clear the error
    b.sup.VbsErr(number, description, position);
    EXPECT_EQ(number, 11);
    EXPECT_EQ(description, QStringLiteral("Division by zero"));
    EXPECT_EQ(position, QStringLiteral("LIN:3  COL:2  COD:  c = a / 0"));

    // An error with no source line has no COD part.
    EXPECT_THROW(b.form->engine->run(QStringLiteral("Nada"), {}), VbError);
    b.sup.VbsErr(number, description, position);
    EXPECT_EQ(position, QStringLiteral("LIN:0  COL:0"));
}

// A definition's script nested too deep (30,000 one-line Ifs) does not compile: the host gets
// 28 with its line and nothing runs; the engine works on.
TEST(Variables, CodeNestedTooDeepIsAnErrorWithItsLine) {
    shtest::Bound b;
    int ok = -1;
    b.sup.PgmRegExe(QStringLiteral("x = 1\r\n") + QStringLiteral("If 1 Then ").repeated(30000) +
                        QStringLiteral("x = 2"),
                    ok);
    EXPECT_EQ(ok, 0);
    int32_t number = -1;
    QString description, position;
    b.sup.VbsErr(number, description, position);
    EXPECT_EQ(number, 28);
    EXPECT_EQ(description, QStringLiteral("Out of stack space"));
    EXPECT_TRUE(position.startsWith(QStringLiteral("LIN:2 "))) << position.toStdString();
    b.code(QStringLiteral("y = 3"));
}

} // namespace
