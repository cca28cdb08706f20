// Zone copies and templates on loaded files: a written file copied zone by zone comes out
// byte for byte; zones are found by the reader's rules (raw zones with "##x" lines, zones
// without frame lines, "#" lines inside text zones); templates become zones that read back.

#include "Encoding.h"
#include "ParamsTestSupport.h"
#include "TdaOpc.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::ParamsContext;

namespace {

const QString kSample = zvtest::dataPath("params/sample.par");
const QString kFrame = QString('\'') + QString(79, u'=');

// A file written by the writers: header, version history and three zones.
void writeSource(const QString& file) {
    TdaOpc par;
    par.setFmtNov(TextFormat{TextEncoding::Windows1252, false, LineEnd::CrLf, true});
    par.tboFic(file);
    par.CabPrp("TST", "", "", "Três zonas");
    par.CabCri(0);
    par.RegGrpCabVer();
    par.RegGrpVer("", "", "", 0);
    par.RegGrpCabDef();
    par.RegGrpOpc("NOM", "Nome", "Configuração", 20);
    par.RegGrpOpc("MAIS", "Mais", "a+", 20);
    par.RegGrpFim();
    par.RegZonIdt("LIN", "TX", {"", "um", "#dois"}, "Linhas");
    par.RegZonIdt("CRU", "ZTX", {"", "##x", ""}, "Cru");
    ASSERT_EQ(par.RegFim(), 0);
}

} // namespace

TEST(ParamZoneCopy, WrittenFileCopiedZoneByZoneIsByteIdentical) {
    ParamsContext context;
    context.fixDate();
    zvtest::TempDir dir;
    writeSource(dir.path("a.par"));
    TdaOpc par;
    int count = 0;
    ASSERT_EQ(par.RegPrp(dir.path("a.par"), count), 0);
    QStringList names;
    par.RegZonIdz(names, count);
    EXPECT_EQ(names, QStringList({"", "DEF", "LIN", "CRU"}));
    ASSERT_EQ(par.RegFicPrp(dir.path("b.par")), 0);
    par.RegZonCab("COP");
    for (int i = 1; i <= count; ++i)
        par.RegZonCop(names.at(i));
    ASSERT_EQ(par.RegFim(), 0);
    EXPECT_EQ(dir.read("b.par"), dir.read("a.par"));

    // The walk gives the leading lines, then each zone from its frame through "##".
    QString name;
    QStringList lines;
    count = -1;
    par.RegZonCon(name, lines, count);
    EXPECT_EQ(name, QString());
    ASSERT_EQ(count, 11);
    EXPECT_EQ(lines.at(11), QStringLiteral("Versao base"));
    par.RegZonCon(name, lines, count);
    EXPECT_EQ(name, QStringLiteral("DEF"));
    EXPECT_EQ(lines.mid(1), QStringList({kFrame, "#DEF:IDE - Definicoes base", kFrame,
                                         "Nome           [NOM]=Configuração",
                                         "Mais          [MAIS]=achr$(43)", "##"}));
    par.RegZonCon(name, lines, count);
    par.RegZonCon(name, lines, count);
    EXPECT_EQ(name, QStringLiteral("CRU"));
    par.RegZonCon(name, lines, count);
    EXPECT_EQ(name, QString());
    EXPECT_EQ(count, 0);

    // The other head: the first six lines, and a version record of the header's version.
    ASSERT_EQ(par.RegFicPrp(dir.path("c.par")), 0);
    par.RegZonCab("NOVA");
    ASSERT_EQ(par.RegFim(), 0);
    const QStringList head = readTextFile(dir.path("c.par")).lines;
    ASSERT_EQ(head.size(), 13);
    EXPECT_EQ(head.at(1), QStringLiteral("'Tipo       : TST"));
    EXPECT_EQ(head.at(10), QStringLiteral("Versao 1.0"));
}

TEST(ParamZoneCopy, ZonesAreFoundByTheReadersRules) {
    ParamsContext context;
    TdaOpc par;
    int count = 0;
    ASSERT_EQ(par.RegPrp(kSample, count), 0);
    QStringList names, lines;
    par.RegZonIdz(names, count);
    // A "#" line inside a text zone and an indented one open no zone.
    EXPECT_EQ(names, QStringList({"", "DEF", "LINHAS", "VBS", "NOTAS", "OPC", "TBO", "FIM"}));

    // A raw zone ends only at a line whose trimmed text is "##".
    par.RegZonCtx("NOTAS", lines, count);
    EXPECT_EQ(lines.mid(1),
              QStringList({"linha crua com chr$(65) e +", "", "+sem juncao", "##x nao fecha"}));
    EXPECT_EQ(par.ZonLocAtu().name, QStringLiteral("NOTAS"));
    EXPECT_EQ(par.ZonLocAtu().type, QStringLiteral("ZTX"));
    EXPECT_EQ(par.ZonLocAtu().description, QStringLiteral("Texto cru"));
    // A zone without frame lines loses no line of its body.
    par.RegZonCtx("TBO", lines, count);
    EXPECT_EQ(lines.mid(1), QStringList({"Opcao um   [1:A,x]=[PASTA]/um.txt",
                                         "Opcao dois [0:B]=dois", "Opcao tres [1:C]=tres"}));
    par.RegZonCtx("NADA", lines, count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(par.ZonLocAtu().name, QString());

    // Copies start at the frame line when there is one, at the header when not.
    zvtest::TempDir dir;
    ASSERT_EQ(par.RegFicPrp(dir.path("z.par")), 0);
    par.RegZonCop("NOTAS");
    par.RegZonCop("TBO");
    par.RegZonCop("NADA");
    ASSERT_EQ(par.RegFim(), 0);
    const QStringList sample = readTextFile(kSample).lines;
    const QStringList twoEmpty{QString(), QString()};
    EXPECT_EQ(readTextFile(dir.path("z.par")).lines,
              sample.mid(64, 6) + twoEmpty + sample.mid(78, 5) + twoEmpty);

    lines = {"", "a", "", "b", "", ""};
    count = 5;
    par.RegZonRed(lines, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(lines, QStringList({"", "a", "", "b"}));
}

TEST(ParamZoneCopy, TemplatesBecomeZonesThatReadBack) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString source =
        dir.write("t.par", zvtest::parFile({kFrame, "#_MATCLI:IDE - Cliente [n]", kFrame,
                                            "Nome [NOME]=?", "Pasta [PASTA]=x+", "+y", "##"}));
    TdaOpc par;
    int count = 0;
    ASSERT_EQ(par.RegPrp(source, count), 0);
    par.RegZonMatPrp("CLI");
    EXPECT_EQ(par.RegZonMatAct("nome", "Ana", 0), 0);
    EXPECT_EQ(par.RegZonMatAct("PASTA", "/dados", 0), 0);
    EXPECT_EQ(par.RegZonMatAct("NOVO", "1", 2), 0);
    ASSERT_EQ(par.RegFicPrp(dir.path("out.par")), 0);
    par.RegZonCab("COP");
    par.RegZonMatReg("1");
    EXPECT_EQ(par.RegZonMatAct("NOME", "Rui", 0), 0);
    par.RegZonMatReg("");
    ASSERT_EQ(par.RegFim(), 0);

    const std::vector<zvtest::ReadZone> zones = zvtest::readZones(dir.path("out.par"));
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0].name, QStringLiteral("CLI"));
    EXPECT_EQ(zones[0].description, QStringLiteral("Cliente 1"));
    EXPECT_EQ(zones[1].description, QStringLiteral("Cliente"));
    ASSERT_EQ(zones[0].count, 3);
    EXPECT_EQ(zones[0].entries[0].Val, QStringLiteral("Ana"));
    EXPECT_EQ(zones[0].entries[1].Val, QStringLiteral("/dados"));
    EXPECT_EQ(zones[0].entries[2].Chv, QStringLiteral("NOVO"));
    EXPECT_EQ(zones[1].entries[0].Val, QStringLiteral("Rui"));
    // The template's own zone is left as it was in the source.
    EXPECT_EQ(zvtest::readValue(source, "_MATCLI", "NOME"), QStringLiteral("?"));
}
