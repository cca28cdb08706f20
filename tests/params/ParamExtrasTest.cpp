// Entry groups, option rows and the search of a folder's parameter files; the pardump verbs
// that edit a file, list its zones and its option rows, with their exit statuses.

#include "ParamsTestSupport.h"
#include "TdaOpc.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zv;
using zvtest::ParamsContext;

namespace {

const QString kSample = zvtest::dataPath("params/sample.par");

struct Exit {
    int code = -1;
    QString out;
    QString err;
};

Exit pardump(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(ZV_PARDUMP), args);
    Exit r;
    if (!p.waitForFinished(30000)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

TEST(ParamExtras, OptionRowsBySelector) {
    ParamsContext context;
    TdaOpc par;
    int count = 0;
    const OpcRow um{"Opcao um", "1", "A", "[PASTA]/um.txt"};
    const OpcRow dois{"Opcao dois", "0", "B", "dois"};
    const OpcRow tres{"Opcao tres", "1", "C", "tres"};
    const struct {
        const char* selector;
        std::vector<OpcRow> rows;
    } cases[] = {
        {"", {um, dois, tres}}, {"*", {um, tres}}, {"C,B", {tres}}, {"A", {um}}, {"X", {}}};
    for (const auto& c : cases) {
        par.tbOpcPrp(kSample, c.selector, "", count);
        EXPECT_EQ(count, int(c.rows.size())) << c.selector;
        EXPECT_EQ(std::vector<OpcRow>(par.tbOpcRows().begin() + 1, par.tbOpcRows().end()), c.rows)
            << c.selector;
    }
    // The table of rows: label, name, and the value's folder and file name, resolved.
    par.tbOpcPrp(kSample, "*", "", count);
    QList<QStringList> table;
    int n = 9;
    par.tbOpcPro(table, n);
    ASSERT_EQ(n, 2);
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table[1], QStringList({"Opcao um", "A", zvtest::kApp + "/Dados", "um.txt", "", "", "",
                                     "", "", ""}));
    EXPECT_EQ(table[2].mid(0, 4), QStringList({"Opcao tres", "C", "", "tres"}));

    // With the check on, an option "VOP" in the definitions drops every row.
    zvtest::TempDir dir;
    const QString file = dir.write("v.par", zvtest::parFile({"#DEF - d", "Chave [VOP]=x", "##",
                                                             "#TBO - t", "Um [1:A]=u", "##"}));
    par.tbOpcPrp(file, "", "", count);
    EXPECT_EQ(count, 1);
    par.tbOpcVob(1);
    par.tbOpcPrp(file, "", "", count);
    EXPECT_EQ(count, 0);
    par.tbOpcPrp(kSample, "", "", count);
    EXPECT_EQ(count, 3);
}

TEST(ParamExtras, EntryGroupsBecomeUserOptions) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file =
        dir.write("g.par", zvtest::parFile({"#DEF - d", "Base [BASE]=/b", "##", "#GRP - g",
                                            "Pasta [pasta]=[BASE]/x", "Cor [Cor]=1", "##"}));
    TdaOpc par;
    QString name, type, description, value;
    int count = 0, n = -5;
    par.ZonIni(file);
    par.ZonSeg(name, type, count, description);
    par.ZonSeg(name, type, count, description);
    QList<QStringList> group;
    par.GrpDirIni(group);
    par.GrpDirNum(group, n);
    EXPECT_EQ(n, 0);
    par.GrpDirCon(group, count);
    par.ZonFim();
    par.GrpDirNum(group, n);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(group[0], QStringList({"", "pasta", "Cor"}));
    EXPECT_EQ(group[1], QStringList({"", "/b/x", "1"}));
    EXPECT_EQ(group[2], QStringList({"", "Pasta", "Cor"}));
    par.OpcCon("PASTA", value);
    EXPECT_EQ(value, QStringLiteral("/b/x"));

    group[1][2] = "2";
    par.GrpDirReg(group);
    par.OpcCon("cor", value);
    EXPECT_EQ(value, QStringLiteral("2"));
    par.GrpDirLib(group);
    par.GrpDirNum(group, n);
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(group.isEmpty());
}

TEST(ParamExtras, FileSearchListsDescriptionsAndNeverOpensPipes) {
    ParamsContext context;
    zvtest::TempDir dir;
    dir.write("b.par", zvtest::parFile({"#A - a", "##"}));
    dir.write("A.PAR",
              QByteArray("'Nome : a\n'Tipo : x\n'Data\n'Versao\n'Descricao  : Primeiro\n"));
    dir.write("c.txt", "x");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path("p.par")).constData(), 0600), 0);
    const int code = zvtest::runInChild([&] {
        ::alarm(10);
        TdaOpc par;
        QList<QStringList> table;
        int count = 0;
        par.FpaPsq(dir.path(), "*.par", table, count);
        if (count != 3 || table.size() != 4) return 1;
        if (table[1] != QStringList({"Primeiro", "A.PAR", dir.path("A.PAR")})) return 2;
        if (table[2] != QStringList({"teste", "b.par", dir.path("b.par")})) return 3;
        if (table[3] != QStringList({"", "p.par", dir.path("p.par")})) return 4;
        return 0;
    });
    EXPECT_EQ(code, 0);
}

TEST(ParamExtras, PardumpVerbsAndTheirExitStatuses) {
    zvtest::TempDir dir;
    const QString file = dir.path("t.par");
    QFile::copy(kSample, file);
    const QByteArray sample = zvtest::fileBytes(kSample);

    Exit r = pardump({"--set", "NADA=1", "--mode", "0", file});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(dir.read("t.par"), sample);

    r = pardump({"--set", "DBGMODO=S", "--mode", "2", file});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(dir.read("t.par"),
              QByteArray(sample).replace("[DbgModo]= N \r\n", "[DbgModo]=S\r\n"));

    r = pardump({"--set", "A]=1", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("refused")) << r.err.toStdString();
    r = pardump({"--set", "A=1", dir.path("none.par")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("cannot be read")) << r.err.toStdString();
    r = pardump({"--set", "A=1", "--mode", "x", file});
    EXPECT_EQ(r.code, 2);

    r = pardump({"--zones", file});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("DEF\nLINHAS\nVBS\nNOTAS\nOPC\nTBO\nFIM\n"));
    r = pardump({"--zones", dir.path("none.par")});
    EXPECT_EQ(r.code, 1);

    r = pardump({"--tbo", "*", file});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              QStringLiteral("row 1: label \"Opcao um\" a \"1\" b \"A\" value \"[PASTA]/um.txt\"\n"
                             "row 2: label \"Opcao tres\" a \"1\" b \"C\" value \"tres\"\n"));
}
