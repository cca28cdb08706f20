// Editing parameter files loaded whole: an unchanged file is written back byte for byte in
// its own format; one value changes one entry and nothing else (labels holding "=", stray
// "+" lines and continued entries around it); new keys land where a read finds them, once;
// deletions take their continuation lines along; failed loads and writes keep the file.

#include "Encoding.h"
#include "ParamsTestSupport.h"
#include "TdaOpc.h"
#include "VbError.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zv;
using zvtest::ParamsContext;

namespace {

const QString kSample = zvtest::dataPath("params/sample.par");

// One edit session: load, one change, write back.
int editOnce(const QString& file, const QString& key, const QString& value, int mode) {
    TdaOpc par;
    int count = 0;
    if (const int e = par.RegPrp(file, count)) return e;
    if (const int e = par.RegVarAlt(key, value, mode)) return e;
    return par.RegExe("", 0);
}

// The lines of a file in which only the lines listed differ from before (1-based numbers,
// with their new texts).
QStringList changed(QStringList before, const QList<std::pair<int, QString>>& lines) {
    for (const auto& [n, text] : lines)
        before[n - 1] = text;
    return before;
}

} // namespace

TEST(ParamEdit, UnchangedFileIsWrittenBackByteForByte) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QStringList lines = readTextFile(kSample).lines + QStringList{"«»", "fim  "};
    const TextFormat formats[] = {
        {TextEncoding::Windows1252, false, LineEnd::CrLf, true},
        {TextEncoding::Utf8, true, LineEnd::Lf, false},
        {TextEncoding::Utf8, false, LineEnd::Cr, true},
    };
    for (const TextFormat& format : formats) {
        writeTextFile(dir.path("t.par"), lines, format);
        const QByteArray before = dir.read("t.par");
        TdaOpc par;
        int count = 0;
        ASSERT_EQ(par.RegPrp(dir.path("t.par"), count), 0);
        EXPECT_EQ(count, lines.size());
        // A key that is not there, in the mode that adds nothing.
        EXPECT_EQ(par.RegVarAlt("NADA", "1", 0), 0);
        ASSERT_EQ(par.RegExe("", 0), 0);
        EXPECT_EQ(dir.read("t.par"), before);
        // The array went with the write: a second write has nothing to write.
        EXPECT_EQ(par.RegExe("", 0), err::InvalidCall);
        EXPECT_EQ(dir.read("t.par"), before);
    }
}

TEST(ParamEdit, OneValueChangesOnlyItsEntry) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QStringList sample = readTextFile(kSample).lines;
    const QString file = dir.path("t.par");
    const struct {
        const char* key;
        const char* value;
        QList<std::pair<int, QString>> lines;
    } cases[] = {
        // The label holds "=": the line is cut where the reader cuts it, after the key.
        {"DbgModo", "S", {{26, "Debug (S=Sim) [DbgModo]=S"}}},
        // The next line begins with "+" but is an entry of its own: it stays.
        {"modo", "3", {{19, "Modo            [MODO]=3"}}},
        // A continued entry: exactly the lines the reader joins to it are blanked.
        {"LONGO", "x", {{21, "Texto longo     [LONGO]=x"}, {22, ""}, {23, ""}}},
        {"LISTA", " b ", {{24, "Lista           [LISTA]= b "}, {25, ""}}},
        // A line the reader trims: its blanks and a final "+" are escaped.
        {"SOLTO", "z+", {{20, "+Solto [SOLTO]=zchr$(43)"}}},
        {"SOLTO", "z ", {{20, "+Solto [SOLTO]=zchr$(32)"}}},
        // A typed key is found under its name, with or without its type.
        {"DADOS", "d", {{75, "Ficheiro de dados [F:DADOS]=d"}}},
        {"F:DADOS", "d", {{75, "Ficheiro de dados [F:DADOS]=d"}}},
    };
    for (const auto& c : cases) {
        writeTextFile(file, sample, readTextFile(kSample).format);
        ASSERT_EQ(editOnce(file, c.key, c.value, 2), 0) << c.key;
        EXPECT_EQ(readTextFile(file).lines, changed(sample, c.lines)) << c.key;
        const bool typed = QString(c.key).contains("DADOS");
        const QString key = typed ? QStringLiteral("F:DADOS") : QString(c.key).toUpper();
        EXPECT_EQ(zvtest::readValue(file, typed ? "OPC" : "DEF", key), QString(c.value)) << c.key;
    }
    // The reader's value of the edit session agrees.
    TdaOpc par;
    int count = 0, ok = 0;
    QString value;
    par.RegPrp(kSample, count);
    par.RegCon("dbgmodo", value, ok);
    EXPECT_EQ(value, QStringLiteral(" N "));
    par.RegCon("LONGO", value, ok);
    EXPECT_EQ(value, QStringLiteral("primeira parte,  segunda parte, fim"));
    par.RegCon("NADA", value, ok);
    EXPECT_EQ(value, QString());
    EXPECT_EQ(ok, 1);
}

TEST(ParamEdit, NewKeysLandOnceWhereAReadFindsThem) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file =
        dir.write("t.par", zvtest::parFile({"#A - a", "x [K]=1", "##", "", "#B - b", "y [L]=2",
                                            "##", "Depois [DEPOIS]=1", "#T:TX - t", "texto"}));
    TdaOpc par;
    int count = 0;
    ASSERT_EQ(par.RegPrp(file, count), 0);
    // Mode 0 adds nothing, and the file stays byte for byte.
    EXPECT_EQ(par.RegVarAlt("NOVO", "0", 0), 0);
    EXPECT_EQ(par.edited().count(), count);
    // Mode 2 inserts before the "##" of the last entry zone; a second call changes that line.
    EXPECT_EQ(par.RegVarAlt("Novo", "5", 2), 0);
    EXPECT_EQ(par.RegVarAlt("NOVO", "6", 2), 0);
    EXPECT_EQ(par.edited().count(), count + 1);
    // A key below the insertion point moved with its line.
    EXPECT_EQ(par.RegVarAlt("DEPOIS", "2", 0), 0);
    // Mode 1 appends.
    EXPECT_EQ(par.RegVarAlt("FIM", "9", 1), 0);
    ASSERT_EQ(par.RegExe("", 0), 0);
    const QStringList lines = readTextFile(file).lines;
    EXPECT_EQ(lines.mid(5),
              QStringList({"#A - a", "x [K]=1", "##", "", "#B - b", "y [L]=2", "??? [Novo]=6", "##",
                           "Depois [DEPOIS]=2", "#T:TX - t", "texto", "??? [FIM]=9"}));
    EXPECT_EQ(zvtest::readValue(file, "B", "NOVO"), QStringLiteral("6"));

    // A file whose only zone is a text zone gets nothing in mode 2, and stays as it was.
    dir.write("t.par", zvtest::parFile({"#T:TX - t", "a", "##"}));
    const QByteArray text = dir.read("t.par");
    EXPECT_EQ(editOnce(file, "NOVO", "1", 2), 0);
    EXPECT_EQ(dir.read("t.par"), text);
}

TEST(ParamEdit, ValuesReadBackExactlyOrAreRefused) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file = dir.write(
        "t.par",
        zvtest::parFile({"#A - a", "x [K]=1", "##", "#B - b [CnvChr=0]", "y [L]=2", "##"}));
    for (const QString& value : {QString("a\r\nb"), QString("ends+"), QString("+"),
                                 QString("  blanks  "), QString("\n##\n#X - injected")}) {
        ASSERT_EQ(editOnce(file, "K", value, 0), 0);
        EXPECT_EQ(zvtest::readValue(file, "A", "K"), value);
        const std::vector<zvtest::ReadZone> zones = zvtest::readZones(file);
        ASSERT_EQ(zones.size(), 2u);
        EXPECT_EQ(zones[0].count, 1);
    }
    // Where escapes are off they cannot be used: refused, and the file is unchanged.
    const QByteArray before = dir.read("t.par");
    EXPECT_EQ(editOnce(file, "L", "a\nb", 0), err::InvalidCall);
    EXPECT_EQ(editOnce(file, "L", "ends+", 0), err::InvalidCall);
    EXPECT_EQ(editOnce(file, "L", "plain", 0), 0);
    EXPECT_EQ(zvtest::readValue(file, "B", "L"), QStringLiteral("plain"));
    // Keys that cannot be read back are refused; so is a character the encoding lacks.
    dir.write("t.par", before);
    for (const char* key : {"", "A]B", "[A", "A\nB"})
        EXPECT_EQ(editOnce(file, key, "1", 1), err::InvalidCall) << key;
    // (A Windows file: one of its bytes is no UTF-8.)
    writeTextFile(file, readTextFile(file).lines + QStringList{"' Configuração"},
                  TextFormat{TextEncoding::Windows1252, false, LineEnd::CrLf, true});
    EXPECT_EQ(editOnce(file, "K", "Ω", 0), err::InvalidCall);
    EXPECT_EQ(editOnce(file, "K", "ção", 0), 0);
    EXPECT_TRUE(dir.read("t.par").contains("x [K]=\xE7\xE3o\r\n"));
}

TEST(ParamEdit, DeletionTakesTheContinuationLinesAlong) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QStringList body{"#A - a",  "Cor [COR]=1+", "+Falso [FALSO]=2",
                           "x [K]=1", "##",           "' Configuração"};
    const QString file = dir.write("t.par", zvtest::parFile(body));
    TdaOpc par;
    int count = 0;
    ASSERT_EQ(par.RegPrp(file, count), 0);
    EXPECT_EQ(par.RegVarEli("COR"), 0);
    EXPECT_EQ(par.RegVarEli("NADA"), 0);
    ASSERT_EQ(par.RegExe("", 1), 0);
    EXPECT_EQ(readTextFile(file).lines.mid(5),
              QStringList({"#A - a", "x [K]=1", "##", "' Configuração"}));

    // Mode 0 keeps the marks, as the two bytes of a Windows file; no entry is read from them.
    writeTextFile(file, readTextFile(dir.write("u.par", zvtest::parFile(body))).lines,
                  TextFormat{TextEncoding::Windows1252, false, LineEnd::CrLf, true});
    par.RegPrp(file, count);
    par.RegVarEli("cor");
    // A deleted key is no longer found: setting it adds it anew.
    EXPECT_EQ(par.RegVarAlt("COR", "3", 2), 0);
    ASSERT_EQ(par.RegExe("", 0), 0);
    EXPECT_TRUE(dir.read("t.par").contains("#A - a\r\n\xAB\xBB\r\n\xAB\xBB\r\nx [K]=1\r\n"));
    const std::vector<zvtest::ReadZone> zones = zvtest::readZones(file);
    ASSERT_EQ(zones.size(), 1u);
    ASSERT_EQ(zones[0].count, 2);
    EXPECT_EQ(zones[0].entries[1].Val, QStringLiteral("3"));
}

TEST(ParamEdit, HeaderFieldsAndEveryLineOfAKey) {
    ParamsContext context;
    context.fixDate();
    zvtest::TempDir dir;
    const QString file =
        dir.write("a.par", zvtest::parFile({"#P - p", "Cor [FRM]=1", "Cor [FRM]=2", "##"}));
    TdaOpc par;
    int count = 0;
    ASSERT_EQ(par.RegPrp(file, count), 0);
    // The name is the loaded file's, whatever file the object named since.
    par.tboFic(dir.path("outro.par"));
    EXPECT_EQ(par.RegCabAct("nom", "x"), 0);
    EXPECT_EQ(par.RegCabAct("TIP", ""), 0);
    EXPECT_EQ(par.RegCabAct("DAT", ""), 0);
    EXPECT_EQ(par.RegCabAct("VER", "+"), 0);
    EXPECT_EQ(par.RegCabAct("INF", "Nova"), 0);
    EXPECT_EQ(par.RegCabAct("XYZ", "y"), 0);
    EXPECT_EQ(par.RegCabAlt(6, "x"), err::InvalidCall);
    EXPECT_EQ(par.RegCabAlt(5, "a\nb"), err::InvalidCall);
    // A key written twice: every line takes the value (a read keeps the last one).
    EXPECT_EQ(par.RegVarAltTod("FRM", "9", 0), 0);
    ASSERT_EQ(par.RegExe("", 0), 0);
    EXPECT_EQ(readTextFile(file).lines,
              QStringList({"'Nome       : a.par", "'Tipo       : PAR", "'Data       : 2026/12/07",
                           "'Versao     : 1.1", "'Descricao  : Nova", "#P - p", "Cor [FRM]=9",
                           "Cor [FRM]=9", "##"}));
}

TEST(ParamEdit, FailedLoadsNeverWrite) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file = dir.write("t.par", zvtest::parFile({"#A - a", "x [K]=1", "##"}));
    const QByteArray before = dir.read("t.par");
    TdaOpc par;
    int count = 0;
    EXPECT_EQ(par.RegPrp(dir.path("none.par"), count), err::FileNotFound);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(par.RegVarAlt("K", "2", 1), err::InvalidCall);
    EXPECT_EQ(par.RegExe(file, 0), err::InvalidCall);
    EXPECT_EQ(par.RegPrp(dir.path(), count), err::PathFileAccess);
    EXPECT_EQ(par.RegExe(file, 1), err::InvalidCall);
    EXPECT_EQ(dir.read("t.par"), before);
    EXPECT_EQ(context.boxes(), 0);

    // Written under another name: its folder is made.
    ASSERT_EQ(par.RegPrp(file, count), 0);
    ASSERT_EQ(par.RegExe(dir.path("novo/copia.par"), 0), 0);
    EXPECT_EQ(dir.read("novo/copia.par"), before);
}

TEST(ParamEdit, RewriteBeyondTheFileSizeLimitKeepsTheFileWhole) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString file = dir.write("t.par", zvtest::parFile({"#A - a", "x [K]=1", "##"}));
    const QByteArray before = dir.read("t.par");
    const int code = zvtest::runInChild([&] {
        zvtest::limitFileSize(before.size());
        TdaOpc par;
        int count = 0;
        if (par.RegPrp(file, count) != 0) return 1;
        if (par.RegVarAlt("K", QString(500, u'v'), 0) != 0) return 2;
        if (par.RegExe("", 0) != err::DiskFull) return 3;
        // The lines are kept for another try.
        return par.edited().loaded() ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.read("t.par"), before);
    EXPECT_EQ(zvtest::namesIn(dir.path()), QStringList{"t.par"});
}

TEST(ParamEdit, PipesAndDevicesAreNeverOpened) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString fifo = dir.path("fifo.par");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opening a pipe without a writer for reading would wait for ever: the child is ended by
    // its alarm if anything tries.
    const int code = zvtest::runInChild([&] {
        ::alarm(10);
        TdaOpc par;
        int count = 0;
        if (par.ZonIniExi(fifo) != QString()) return 1;
        if (par.ZonIniExi("/dev/zero") != QString()) return 2;
        if (par.RegPrp(fifo, count) != err::PathFileAccess || count != -1) return 3;
        par.tboFic(fifo);
        if (par.CabCri(1) != err::PathFileAccess) return 4;
        return 0;
    });
    EXPECT_EQ(code, 0);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}
