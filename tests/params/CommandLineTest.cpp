// The object's command line: words, switches, name=value options and the "-FP" path.

#include "ParamsTestSupport.h"
#include "TdaOpc.h"

#include <gtest/gtest.h>

using namespace zv;

TEST(CommandLine, ParameterFilePath) {
    zvtest::TempDir dir;
    dir.write("dados/x", "");
    dir.write("com espaco/x", "");
    const QString file = dir.write("f.par", "");
    const QString def = QStringLiteral("ZelVyn.par");
    const struct {
        const char* what;
        QStringList args;
        QString defaultName;
        QString expected;
    } cases[] = {
        {"folder", {"-fp", dir.path("dados")}, def, dir.path("dados/ZelVyn.par")},
        {"folder with separator", {"-FP", dir.path("dados/")}, def, dir.path("dados/ZelVyn.par")},
        {"folder without default", {"-FP", dir.path("dados")}, "", ""},
        {"missing path as given", {"-FP", dir.path("falta")}, def, dir.path("falta")},
        {"file as given", {"x", "-FP", file}, def, file},
        {"folder with blanks",
         {"-FP", dir.path("com espaco")},
         def,
         dir.path("com espaco/ZelVyn.par")},
        {"-FP last", {"a", "-FP"}, def, zvtest::kApp + QStringLiteral("/ZelVyn.par")},
        {"no -FP", {"a=b"}, def, zvtest::kApp + QStringLiteral("/ZelVyn.par")},
        {"no -FP, no default", {}, "", ""},
    };
    for (const auto& c : cases) {
        zvtest::ParamsContext context(c.args);
        TdaOpc par;
        par.setPathFpa(QStringLiteral("old"));
        par.LcIni(c.defaultName);
        EXPECT_EQ(par.PathFpa(), c.expected) << c.what;
        EXPECT_EQ(par.NumArg(), c.args.size()) << c.what;
    }
}

TEST(CommandLine, SwitchesAndWords) {
    zvtest::ParamsContext context({"-X", "5", "a b", "A=", "A=B=C", "-last"});
    TdaOpc par;
    par.LcIni(QString());
    EXPECT_EQ(par.NumArg(), 6);
    EXPECT_EQ(par.commandLine().args().at(0), QStringLiteral("-X 5 a b A= A=B=C -last"));

    // A switch that is absent or last has no value: found 0 and "", never the first word.
    const struct {
        const char16_t* name;
        int found;
        const char16_t* value;
    } byName[] = {{u"-x", 1, u"5"}, {u"5", 1, u"a b"}, {u"-Y", 0, u""}, {u"-LAST", 0, u""}};
    for (const auto& c : byName) {
        QString value = QStringLiteral("old");
        int found = -1;
        par.LcCon(QString::fromUtf16(c.name), value, found);
        EXPECT_EQ(found, c.found) << zvtest::u8(c.name);
        EXPECT_EQ(value, QString::fromUtf16(c.value)) << zvtest::u8(c.name);
    }
    QString word;
    int found = -1;
    par.LcCon(7, word, found);
    EXPECT_EQ(found, 0);
    par.LcCon(3, word, found);
    EXPECT_EQ(word, QStringLiteral("a b"));
    Variant num(3.5);
    par.LcCon(QStringLiteral("-Y"), num, found);
    EXPECT_TRUE(num.isInteger16());
    int position = -1;
    par.LcExi(QStringLiteral("A=b=c"), position);
    EXPECT_EQ(position, 5);

    // Only words with a value after their first "=" become options.
    QString value;
    par.opcUsa(QStringLiteral("A"), value, found);
    EXPECT_EQ(value, QStringLiteral("B=C"));
    par.OpcIni(QStringLiteral("A"));
    par.LcPrpArg(QStringLiteral("  Z=  -x 7 A= "));
    EXPECT_EQ(par.NumArg(), 4);
    par.LcRegVar();
    EXPECT_EQ(par.options().user().count(), 0);
}
