// Option look-ups: special keys, the two tables, the "DEF" and "OPC" zone steps and [name]
// references.

#include "ParamsTestSupport.h"
#include "ProcessContext.h"
#include "TdaOpc.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

QString opc(const TdaOpc& par, const QString& key) {
    QString value = QStringLiteral("unset");
    par.OpcCon(key, value);
    return value;
}

// Walks a file to the end of its zones.
void walk(TdaOpc& par, const QString& file) {
    par.ZonIni(file);
    QString name = QStringLiteral("x"), type, description;
    int count = 0;
    while (!name.isEmpty())
        par.ZonSeg(name, type, count, description);
    par.ZonFim();
}

} // namespace

TEST(OptionLookup, SpecialKeysComeBeforeTheTables) {
    zvtest::ParamsContext context({"-X", "5", "-Y"});
    context.scope()->setTempFolder(zvtest::kTmp + QStringLiteral("/"));
    context.scope()->setHomeFolder(QStringLiteral("/home/pessoa"));
    TdaOpc par;
    par.LcIni(QString());
    par.OpcAct(QStringLiteral("LC:~X"), QStringLiteral("stored"));
    par.OpcAct(QStringLiteral("WIN:TMP"), QStringLiteral("stored"));
    const ProcessContext& pc = context.scope().context();
    const struct {
        const char16_t* key;
        QString value;
    } cases[] = {
        {u" app:path ", zvtest::kApp},
        {u"win:dir", pc.windowsFolder()},
        {u"WIN:SYS ", pc.systemFolder()},
        {u"WIN:TMP", zvtest::kTmp},
        {u" usr:dir", QStringLiteral("/home/pessoa")},
        // A switch that is the last word, or absent, has no value (never the first word).
        {u"LC:Y", QString()},
        {u"LC:Z", QString()},
        {u"LC:~X", QStringLiteral("stored")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(opc(par, QString::fromUtf16(c.key)), c.value) << zvtest::u8(c.key);
    EXPECT_FALSE(pc.windowsFolder().isEmpty());
    double number = -1;
    par.OpcCon(QStringLiteral("LC:X"), number);
    EXPECT_EQ(number, 5);
}

TEST(OptionLookup, DefZonesReplaceUserOptionsThenReadTheCommandLine) {
    zvtest::TempDir dir;
    dir.write("pasta/x", "");
    zvtest::ParamsContext context({"MODO=2", "-FP", dir.path("pasta")});
    const QString file =
        dir.write("sub/d.par", zvtest::parFile({"#DEF:IDE - d", "Modo [MODO]=1", "Outro [OUTRO]=o",
                                                "Debug [DbgModo]= S ", "##", "#DEF:IDE - again",
                                                "Novo [NOVO]=n", "##"}));
    TdaOpc par;
    par.OpcAct(QStringLiteral("parfic"), QStringLiteral("user"));
    par.ZonIni(file);
    QString name, type, description;
    int count = 0;
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(opc(par, QStringLiteral("PARFIC")), QStringLiteral("d.par"));
    EXPECT_EQ(opc(par, QStringLiteral("ParDir")), dir.path("sub"));
    EXPECT_EQ(opc(par, QStringLiteral("OUTRO")), QStringLiteral("o"));
    QString value;
    int found = -1;
    par.opcUsa(QStringLiteral("PARFIC"), value, found);
    EXPECT_EQ(found, 0);
    par.OpcSN(QStringLiteral("dbgmodo"), found);
    EXPECT_EQ(found, 1);
    // The zone step reads the command line without a default name: a folder gives no path.
    EXPECT_EQ(par.PathFpa(), QString());

    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(opc(par, QStringLiteral("OUTRO")), QString());
    EXPECT_EQ(opc(par, QStringLiteral("NOVO")), QStringLiteral("n"));
    EXPECT_EQ(opc(par, QStringLiteral("MODO")), QStringLiteral("2"));
    par.ZonFim();
}

TEST(OptionLookup, ReferencesAreReplacedAtMost21Times) {
    zvtest::ParamsContext context({"-X", "5"});
    TdaOpc par;
    par.LcIni(QString());
    par.OpcAct(QStringLiteral("SELF"), QStringLiteral("[SELF]"));
    par.OpcAct(QStringLiteral("GROW"), QStringLiteral("[GROW]x"));
    par.OpcAct(QStringLiteral("B"), QStringLiteral("C=D"));
    par.OpcAct(QStringLiteral("CHAIN"), QStringLiteral("[b]/x"));
    par.OpcAct(QStringLiteral("PASTA"), QStringLiteral("[APP:PATH]/Dados"));
    const struct {
        const char16_t* text;
        QString expected;
    } cases[] = {
        {u"x[]y[B]", QStringLiteral("x[]y[B]")},
        {u"[SELF]", QStringLiteral("[SELF]")},
        {u"[GROW]", QStringLiteral("[GROW]") + QString(21, u'x')},
        {u"[CHAIN]", QStringLiteral("C=D/x")},
        {u"[nada]z", QStringLiteral("z")},
        {u"[PASTA]/f.txt", zvtest::kApp + QStringLiteral("/Dados/f.txt")},
        {u"a[lc:x][B]", QStringLiteral("a5C=D")},
        {u"[K=v] sem par ] [", QStringLiteral(" sem par ] [")},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf16(c.text), out;
        par.OpcSbr(text, out);
        EXPECT_EQ(out, c.expected) << zvtest::u8(c.text);
        EXPECT_EQ(text, QString::fromUtf16(c.text));
        par.OpcSbr(text);
        EXPECT_EQ(text, c.expected) << zvtest::u8(c.text);
    }
    // Values come back unresolved; OpcPath resolves them (one round before the 21).
    EXPECT_EQ(opc(par, QStringLiteral("PASTA")), QStringLiteral("[APP:PATH]/Dados"));
    QString path;
    par.OpcPath(QStringLiteral("PASTA"), path);
    EXPECT_EQ(path, zvtest::kApp + QStringLiteral("/Dados"));
    par.OpcPath(QStringLiteral("GROW"), path);
    EXPECT_EQ(path, QStringLiteral("[GROW]") + QString(23, u'x'));
}

TEST(OptionLookup, OptionRecordsOfTheOpcZone) {
    zvtest::ParamsContext context;
    TdaOpc par;
    walk(par, zvtest::dataPath("params/sample.par"));
    int count = -1;
    par.OpcTabPrp(QStringLiteral("*"), count);
    EXPECT_EQ(count, 2);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        QString label, value, name;
        par.OpcTabCon(label, value, name);
        seen.append(label + u'|' + value + u'|' + name);
    }
    // "F:" values have their references replaced when the zone is read.
    EXPECT_EQ(seen, QStringList({"Ficheiro de dados|" + zvtest::kApp + "/Dados/dados.txt|DADOS",
                                 "Cor de fundo|255,255,255|FUNDO", "||"}));
    par.OpcTabPrp(QStringLiteral(" fu "), count);
    EXPECT_EQ(count, 1);
    par.OpcTabPrp(QStringLiteral("X,DA"), count);
    EXPECT_EQ(count, 1);
}

TEST(OptionLookup, UserTableStaysUsableAfterAnyReset) {
    zvtest::ParamsContext context;
    TdaOpc par;
    par.OpcAct(QStringLiteral("A"), QStringLiteral("1"));
    par.OpcIni(QStringLiteral("X"));
    EXPECT_EQ(opc(par, QStringLiteral("A")), QString());
    par.OpcAct(QStringLiteral("B"), QStringLiteral("2"));
    EXPECT_EQ(opc(par, QStringLiteral("b")), QStringLiteral("2"));

    // The debug switch reads the entry "DBG" & name as yes/no.
    par.MemOpcPrp(QStringLiteral("Debug [DBGMODO]=S"), 1);
    int count = 0;
    par.MemReg(count, 0);
    Variant flag(int16_t(7)), letter(QStringLiteral(""));
    par.OpcDbg(QStringLiteral("modo"), flag);
    par.OpcDbg(QStringLiteral("modo"), letter, 1);
    EXPECT_EQ(flag.numericValue(), 1);
    EXPECT_EQ(letter.rawString(), QStringLiteral("N"));
}

// A number target reads the option's text as the language's conversion does: a value too
// small to hold is 0; the overflow of one too large for a Double is trapped (0); nothing
// escapes.
TEST(OptionLookup, NumberTargetsTakeTinyAndHugeValues) {
    zvtest::TempDir dir;
    zvtest::ParamsContext context;
    const QString file = dir.write(
        "n.par", zvtest::parFile({"#DEF:IDE - d", "Grande [G]=6e401", "Pequeno [P]=1e-400",
                                  "Negativo [N]=-1e-400", "Meio [M]=2.5e3x", "##"}));
    TdaOpc par;
    walk(par, file);
    const struct {
        const char* key;
        double value;
    } cases[] = {{"G", 0}, {"P", 0}, {"N", 0}, {"M", 2500}, {"ABSENT", 0}};
    for (const auto& c : cases) {
        double number = -7;
        EXPECT_NO_THROW(par.OpcCon(QString::fromLatin1(c.key), number));
        EXPECT_EQ(number, c.value) << c.key;
        Variant v(-7.0);
        par.OpcCon(QString::fromLatin1(c.key), v);
        EXPECT_EQ(v.numericValue(), c.value) << c.key;
    }
}
