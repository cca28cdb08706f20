// Writing new parameter files: the exact bytes of a window table, option line layout, files
// that read back to what was written (values with line ends and a final "+" included), and
// writes that are refused or fail without touching the old file.

#include "Encoding.h"
#include "ParamsTestSupport.h"
#include "TdaOpc.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::ParamsContext;

namespace {

// The window table as the form support creates it.
int writeWindowTable(TdaOpc& par, const QString& file) {
    par.tboFic(file);
    par.CabPrp("", "", "", "Situacao de janelas");
    if (const int e = par.CabCri(0)) return e;
    par.RegGrpCabVer();
    par.RegGrpVer("", "", "", 0);
    par.RegGrpCabDef();
    par.RegGrpFim();
    return par.RegFim();
}

} // namespace

TEST(ParamWrite, WindowTableHasTheExactBytesInEachFormat) {
    ParamsContext context;
    context.fixDate();
    zvtest::TempDir dir;
    const QByteArray golden = zvtest::fileBytes(zvtest::dataPath("params/janelas.par"));
    TdaOpc par;
    ASSERT_EQ(writeWindowTable(par, dir.path("janelas.par")), 0);
    EXPECT_EQ(dir.read("janelas.par"), golden);

    // Asked for, the Windows format: the same lines ended by CR LF.
    par.setFmtNov(TextFormat{TextEncoding::Windows1252, false, LineEnd::CrLf, true});
    ASSERT_EQ(writeWindowTable(par, dir.path("janelas.par")), 0);
    EXPECT_EQ(dir.read("janelas.par"), QByteArray(golden).replace("\n", "\r\n"));
    // Without the request again, a file rewritten keeps the format of the one it replaces.
    par.setFmtNov(std::nullopt);
    ASSERT_EQ(writeWindowTable(par, dir.path("janelas.par")), 0);
    EXPECT_EQ(dir.read("janelas.par"), QByteArray(golden).replace("\n", "\r\n"));

    // A window position inserted before the "##" and read back through the options.
    int count = 0;
    ASSERT_EQ(par.RegPrp(dir.path("janelas.par"), count), 0);
    EXPECT_EQ(count, 19);
    ASSERT_EQ(par.RegVarAlt("FRMMAIN", "0,0,9600,6780,0", 2), 0);
    ASSERT_EQ(par.RegExe("", 0), 0);
    QString line, value;
    par.RegPrp(dir.path("janelas.par"), count);
    par.RegConIdx(17, line);
    EXPECT_EQ(line, QStringLiteral("??? [FRMMAIN]=0,0,9600,6780,0"));
    TdaOpc reader;
    reader.ZonIniLer(dir.path("janelas.par"));
    reader.OpcCon("frmMain", value);
    reader.ZonFim();
    EXPECT_EQ(value, QStringLiteral("0,0,9600,6780,0"));
}

TEST(ParamWrite, OptionLinesPutTheKeyAtTheColumn) {
    ParamsContext context;
    TdaOpc par;
    QString line;
    const struct {
        const char *key, *label, *value;
        int column;
        const char* line;
    } cases[] = {
        {"NOM", "Nome", "x", 20, "Nome           [NOM]=x"},
        {"NOM", "Nome", "x", 5, "Nome [NOM]=x"},
        {"NOM", "Nome", "x", 9, "Nome[NOM]=x"},
        {"COR", "Cor de fundo", "255,255,255", 30, "Cor de fundo             [COR]=255,255,255"},
        // The escapes of a value: line ends, and a final "+" that would join the next line.
        {"K", "Texto", "a\r\nb+", 10, "Texto  [K]=achr$(13,10)bchr$(43)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(par.RegOpcPrp(c.key, c.label, c.value, c.column, line), 0) << c.line;
        EXPECT_EQ(line, QString(c.line));
    }
    // Keys that cannot be read back are refused.
    for (const char* key : {"", "  ", "A[B", "A]B", "A\rB", "A\nB"}) {
        line = "x";
        EXPECT_EQ(par.RegOpcPrp(key, "Nome", "x", 20, line), err::InvalidCall) << key;
        EXPECT_EQ(line, QString());
    }
    // So is a label that would move the key or make the line no entry.
    EXPECT_EQ(par.RegOpcPrp("K", "a[b]", "x", 20, line), err::InvalidCall);
    EXPECT_EQ(par.RegOpcPrp("K", "a=", "x", 0, line), err::InvalidCall);
}

TEST(ParamWrite, NewFileReadsBackToWhatWasWritten) {
    ParamsContext context;
    context.fixDate();
    zvtest::TempDir dir;
    const QString file = dir.path("sub/novo.par");
    const QStringList values{"simples", "  com brancos  ", "termina em +",  "duas\r\nlinhas\n",
                             "+",       "chr$(65) fica A", "Configuração €"};
    TdaOpc par;
    par.tboFic(file);
    par.CabPrp("tab", "2025/01/15", "2.3", "Tabela de teste");
    // The folder is missing: the file cannot be started and nothing is written.
    EXPECT_EQ(par.CabCri(0), err::PathNotFound);
    EXPECT_EQ(par.RegGrpOpc("K", "k", "v", 10), err::PathNotFound);
    EXPECT_EQ(par.RegFim(), err::PathNotFound);
    EXPECT_FALSE(QFile::exists(file));

    QDir().mkpath(dir.path("sub"));
    ASSERT_EQ(par.CabCri(0), 0);
    par.RegGrpCabVer();
    par.RegGrpVer("", "", "", 1);
    par.RegGrpCab("val", "ide", "Valores");
    for (int i = 0; i < values.size(); ++i)
        ASSERT_EQ(par.RegGrpOpc(QString("V%1").arg(i), QString("Valor %1").arg(i), values[i], 20),
                  0);
    ASSERT_EQ(par.RegGrpOpa("OFF", "Desligado", "x", 20), 0);
    par.RegGrpFim();
    par.RegZonIdt("NOTA", "TX", {"", "uma linha", "", "outra +", "junta"}, "Notas");
    par.RegZon("CRU:ZTX", {"", "crua +", "", "  ##x"}, "Texto cru");
    ASSERT_EQ(par.RegFim(), 0);

    TdaOpc reader;
    reader.ZonIni(file);
    EXPECT_EQ(reader.CabLin(1), QStringLiteral("'Nome       : novo.par"));
    EXPECT_EQ(reader.CabLin(3), QStringLiteral("'Data       : 2025/01/15"));
    EXPECT_EQ(reader.CabLin(4), QStringLiteral("'Versao     : 2.3"));
    EXPECT_EQ(reader.TipFic(), QStringLiteral("TAB"));
    reader.ZonFim();

    const std::vector<zvtest::ReadZone> zones = zvtest::readZones(file);
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].name, QStringLiteral("VAL"));
    EXPECT_EQ(zones[0].description, QStringLiteral("Valores"));
    // The commented line is no entry.
    ASSERT_EQ(zones[0].count, values.size());
    for (int i = 0; i < values.size(); ++i) {
        const TdaReg& r = zones[0].entries[size_t(i)];
        EXPECT_EQ(r.Chv, QString("V%1").arg(i));
        EXPECT_EQ(r.Nom, QString("Valor %1").arg(i));
        // "chr$(" written by the caller is the format's own escape.
        EXPECT_EQ(r.Val, i == 5 ? QStringLiteral("A fica A") : values[i]) << i;
        EXPECT_EQ(r.Pos, 22);
    }
    EXPECT_EQ(zones[1].type, QStringLiteral("TX"));
    EXPECT_EQ(zones[1].lines,
              QStringList({QString('\'') + QString(79, u'='), "uma linha", "outra junta"}));
    EXPECT_EQ(zones[2].type, QStringLiteral("ZTX"));
    EXPECT_EQ(zones[2].lines,
              QStringList({QString('\'') + QString(79, u'='), "crua +", "", "  ##x"}));
}

TEST(ParamWrite, RefusedLinesAndFailedWritesKeepTheOldFile) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file = dir.write("t.par", "velho\n");
    TdaOpc par;

    // A refused key spoils the whole file: the old one stays.
    par.tboFic(file);
    par.CabPrp("", "", "", "x");
    ASSERT_EQ(par.CabCri(0), 0);
    par.RegGrpCabDef();
    EXPECT_EQ(par.RegGrpOpc("A]B", "x", "1", 10), err::InvalidCall);
    EXPECT_EQ(par.RegGrpOpc("C", "x", "1", 10), err::InvalidCall);
    EXPECT_EQ(par.RegFim(), err::InvalidCall);
    EXPECT_EQ(dir.read("t.par"), QByteArray("velho\n"));

    // In a zone whose escapes are off, a value that needs one cannot be written.
    ASSERT_EQ(par.CabCri(0), 0);
    par.RegGrpCab("VBS", "IDE", "Script [CnvChr=0]");
    EXPECT_EQ(par.RegGrpOpc("A", "x", "plain", 10), 0);
    EXPECT_EQ(par.RegGrpOpc("B", "x", "ends+", 10), err::InvalidCall);
    EXPECT_EQ(par.RegFim(), err::InvalidCall);
    // A zone name that would not read back, and a character the file's encoding lacks.
    ASSERT_EQ(par.CabCri(0), 0);
    par.RegGrpCab("DUAS PALAVRAS", "IDE", "x");
    EXPECT_EQ(par.RegFim(), err::InvalidCall);
    par.setFmtNov(TextFormat{TextEncoding::Windows1252, false, LineEnd::CrLf, true});
    ASSERT_EQ(par.CabCri(0), 0);
    par.RegTx("Ω");
    EXPECT_EQ(par.RegFim(), err::InvalidCall);
    EXPECT_EQ(dir.read("t.par"), QByteArray("velho\n"));

    // A folder, a device and a pipe are never replaced by a file.
    par.tboFic(dir.path());
    EXPECT_EQ(par.CabCri(1), err::PathFileAccess);
    par.tboFic("/dev/null");
    EXPECT_EQ(par.CabCri(1), err::PathFileAccess);
    EXPECT_EQ(zvtest::namesIn(dir.path()), QStringList{"t.par"});
}

TEST(ParamWrite, FileTooLargeForItsLimitKeepsTheOldOne) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file = dir.write("t.par", QByteArray(600, 'x'));
    const int code = zvtest::runInChild([&] {
        zvtest::limitFileSize(500);
        TdaOpc par;
        par.tboFic(file);
        par.CabPrp("", "", "", "x");
        if (par.CabCri(0) != 0) return 1;
        par.RegGrpCabDef();
        for (int i = 0; i < 20; ++i)
            par.RegGrpOpc(QString("K%1").arg(i), "Chave", QString(40, u'v'), 20);
        par.RegGrpFim();
        return par.RegFim() == err::DiskFull ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.read("t.par"), QByteArray(600, 'x'));
    EXPECT_EQ(zvtest::namesIn(dir.path()), QStringList{"t.par"});
}
