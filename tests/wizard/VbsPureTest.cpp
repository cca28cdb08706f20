// Which script expressions are pure: what the wizard engine may evaluate once and use again while
// no script code runs.

#include "VbsPure.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(VbsPure, ExpressionsThatOnlyReadTheVariables) {
    const QSet<QString> variables{QStringLiteral("XMAX"), QStringLiteral("MARGEM"),
                                  QStringLiteral("ZNTXT_X1"), QStringLiteral("ZNTXT_X2"),
                                  QStringLiteral("PRODUTO")};
    const struct {
        const char* expression;
        bool pure;
    } cases[] = {
        {"xMax - 2 * Margem", true},
        {"(ZnTxt_X2 - ZnTxt_X1) / 2", true},
        {"\"a\"\"b\" & produto", true},
        {"1.5E-3 + .5 - 7e2 \\ 3 ^ 2", true},
        {"Not xMax And Margem Mod 3 Or Margem Xor 1 Eqv 2 Imp 3", true},
        {"True Or Empty = Null <> False", true},
        {"Margem >= 10", true},
        {"\t", true},
        {"", true},
        // calls, members and names that are no variable
        {"Rnd", false},
        {"Int(2.5)", false},
        {"Margem(1)", false},
        {"Margem (1)", false},
        {"(Margem)(1)", false},
        {"Vyn.FxPgm", false},
        {"Margem.Valor", false},
        {"Margem + Outra", false},
        {"Margem Is Nothing", false},
        // forms this test does not vouch for
        {"1: Margem = 2", false},
        {"1 ' nota", false},
        {"#2024-01-01#", false},
        {"Margem _", false},
        {"\"aberto", false},
        {"&H10", false},
        {"1abc", false},
        {"1.2.3", false},
        {"Margem, 2", false},
        {"[Margem]", false},
        {"Çedilha", false},
        {"\"a\nb\"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vbsPureExpression(QString::fromUtf8(c.expression), variables), c.pure)
            << c.expression;
}

TEST(VbsPure, PlainNames) {
    for (const char* name : {"A", "ZnTxt_X1", "x9"})
        EXPECT_TRUE(vbsPlainName(QString::fromUtf8(name))) << name;
    for (const char* name : {"", "_a", "1a", "a.b", "Zn Txt", "a(1)", "Ação"})
        EXPECT_FALSE(vbsPlainName(QString::fromUtf8(name))) << name;
}
