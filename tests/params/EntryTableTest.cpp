// The entry table of the current zone: look-ups, the key index and the zone arrays.

#include "EntryTable.h"
#include "ParamsTestSupport.h"
#include "TdaOpc.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

// The sample file walked to its first zone ("DEF") with a fixed command line.
class SampleDef : public ::testing::Test {
protected:
    SampleDef() : context_({"MODO=2", "-X", "5"}) {
        par.ZonIni(zvtest::dataPath("params/sample.par"));
        par.ZonSeg(name, type, count, description);
    }
    ~SampleDef() override { par.ZonFim(); }

    zvtest::ParamsContext context_;
    TdaOpc par;
    QString name, type, description;
    int count = 0;
};

} // namespace

TEST_F(SampleDef, MemConFindsTheFirstEntryOfAnIndexKey) {
    ASSERT_EQ(count, 12);
    QString value, lineType;
    int ok = -1;
    par.MemCon(QStringLiteral("TIT"), value, ok, lineType);
    EXPECT_EQ(QStringList({value, lineType}), QStringList({"Pagina 1", "="}));
    par.MemCon(QStringLiteral(" dup "), value, ok);
    EXPECT_EQ(value, QStringLiteral("primeiro"));

    // An absent key (the group prefix is not part of the index key) leaves the outputs alone.
    value = lineType = QStringLiteral("keep");
    par.MemCon(QStringLiteral("PAG.TIT"), value, ok, lineType);
    EXPECT_EQ(QStringList({value, lineType}), QStringList({"keep", "keep"}));
    EXPECT_EQ(ok, 0);

    // Text targets get the value with its blanks, number targets its leading number.
    double number = 7;
    par.MemCon(QStringLiteral("DBGMODO"), value, ok);
    par.MemCon(QStringLiteral("DBGMODO"), number, ok);
    EXPECT_EQ(value, QStringLiteral(" N "));
    EXPECT_EQ(number, 0);
    Variant text(QStringLiteral("")), empty;
    par.MemCon(QStringLiteral("MODO"), text, ok, lineType);
    par.MemCon(QStringLiteral("MODO"), empty, ok, lineType);
    EXPECT_EQ(text.rawString(), QStringLiteral("1"));
    EXPECT_TRUE(empty.isDouble());

    // Records by number: 0 is the spare one, past the end is absent.
    value = QStringLiteral("keep");
    par.MemConTxp(0, value, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(value, QString());
    par.MemConTxp(13, value, ok);
    EXPECT_EQ(ok, 0);

    QString label, key;
    par.MemCmp(QStringLiteral("DBGMODO"), label, key, value, ok);
    EXPECT_EQ(QStringList({label, key, value}), QStringList({"Debug (S=Sim)", "DbgModo", " N "}));
    int yes = -1;
    par.MemSN(QStringLiteral("MODO"), yes);
    EXPECT_EQ(yes, 1);
    par.MemPath(QStringLiteral("PASTA"), value, ok, lineType);
    EXPECT_EQ(value, zvtest::kApp + QStringLiteral("/Dados"));
}

TEST_F(SampleDef, StoredRecordsAndReadingOnAcrossZones) {
    par.MemOpcReg(QString(), QStringLiteral("x"));
    par.MemOpcReg(QStringLiteral("grp.novo"), QStringLiteral("5 kg"));
    EXPECT_EQ(par.entries().last(), 13);
    double number = 0;
    int ok = 0;
    par.MemCon(QStringLiteral("NOVO"), number, ok);
    EXPECT_EQ(number, 5);

    // LerPar reads on to the next entry line, across zones: lines between zones and the
    // script's assignments are entry lines too.
    QString key, value;
    QStringList keys;
    for (int i = 0; i < 3; ++i) {
        par.LerPar(value, key);
        keys.append(key);
    }
    EXPECT_EQ(keys, QStringList({"LIVRE", "", "F:DADOS"}));
    par.LerPar(number, key);
    EXPECT_EQ(number, 255);
}

TEST_F(SampleDef, ZoneArrays) {
    NameValueTable table;
    table.set(QStringLiteral("OLD"), QStringLiteral("o"));
    par.ZonArr(QStringLiteral("IDE"), count, table);
    QString value;
    EXPECT_EQ(table.count(), 11);
    EXPECT_TRUE(table.get(QStringLiteral("DUP"), value));
    EXPECT_EQ(value, QStringLiteral("segundo"));
    EXPECT_TRUE(table.contains(QStringLiteral("PAG.TIT")));
    // Modes after "IDE" up to "IDEx" add to the table given; others leave it alone.
    NameValueTable merged;
    merged.set(QStringLiteral("OLD"), QStringLiteral("o"));
    par.ZonArr(QStringLiteral("IDEA"), 2, merged);
    par.ZonArr(QStringLiteral("IDEy"), count, merged);
    EXPECT_EQ(merged.count(), 3);

    QList<QStringList> rows;
    par.ZonArr(QStringLiteral("MUL"), count, rows);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(QStringList({rows[0][0], rows[0][9], rows[1][9], rows[2][9]}),
              QStringList({"", "Titulo pagina", "PAG.TIT", "Pagina 1"}));

    QStringList values;
    par.ZonArr(QStringLiteral("FIC"), count + 2, values);
    ASSERT_EQ(values.size(), count + 3);
    EXPECT_EQ(QStringList({values[2], values[8], values[count + 2]}),
              QStringList({zvtest::kApp + "/Dados", zvtest::kTmp, ""}));
}

TEST(EntryIndex, HoldsMoreThan32000KeysAndTheFirstOfEachKey) {
    zvtest::ParamsContext context;
    zvtest::TempDir dir;
    QStringList body{"#BIG - muitas"};
    for (int i = 1; i <= 33000; ++i)
        body.append(QStringLiteral("e [K%1]=%1").arg(i));
    body.append("e [K1]=again");
    body.append("##");
    TdaOpc par;
    par.ZonIni(dir.write("big.par", zvtest::parFile(body)));
    QString name, type, description, value;
    int count = 0, ok = 0;
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(count, 33001);
    par.MemCon(QStringLiteral("K33000"), value, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(value, QStringLiteral("33000"));
    par.MemCon(QStringLiteral("K1"), value, ok);
    EXPECT_EQ(value, QStringLiteral("1"));
    par.ZonFim();
}

TEST(EntryIndex, NeverPointsPastTheTableAfterARestart) {
    EntryTable table;
    int count = 0;
    for (const char* k : {"A", "B", "C"}) {
        TdaReg r;
        r.Chv = QString::fromLatin1(k);
        table.add(r, count, 0);
    }
    count = 1;
    TdaReg d;
    d.Chv = QStringLiteral("D");
    table.add(d, count, 0);
    EXPECT_EQ(table.last(), 2);
    EXPECT_EQ(table.find(QStringLiteral("A")), 1);
    EXPECT_EQ(table.find(QStringLiteral("B")), -1);
    EXPECT_EQ(table.find(QStringLiteral("C")), -1);
    EXPECT_EQ(table.find(QStringLiteral("D")), 2);
    // With keepEmpty 0 an entry without key is not stored.
    TdaReg none;
    EXPECT_FALSE(table.add(none, count, 0));
    EXPECT_EQ(count, 2);

    // A new zone over the records of the last one (the index emptied, the records kept):
    // each entry is found under its own number, and a restart within the zone still cuts the
    // index.
    table.clearIndex();
    count = 0;
    for (const char* k : {"X", "Y"}) {
        TdaReg r;
        r.Chv = QString::fromLatin1(k);
        table.add(r, count, 0);
    }
    EXPECT_EQ(table.find(QStringLiteral("X")), 1);
    EXPECT_EQ(table.find(QStringLiteral("Y")), 2);
    EXPECT_EQ(table.find(QStringLiteral("D")), -1);
    count = 0;
    TdaReg z;
    z.Chv = QStringLiteral("Z");
    table.add(z, count, 0);
    EXPECT_EQ(table.find(QStringLiteral("X")), -1);
    EXPECT_EQ(table.find(QStringLiteral("Y")), -1);
    EXPECT_EQ(table.find(QStringLiteral("Z")), 1);
    EXPECT_EQ(table.last(), 1);
}
