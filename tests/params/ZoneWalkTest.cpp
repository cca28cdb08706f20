// The zone walk of whole files: the golden listing of a realistic file in every encoding and
// line end, the pardump program, failed and nested opens, and how zones end.

#include "Encoding.h"
#include "ParDump.h"
#include "ParamsTestSupport.h"
#include "TdaOpc.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zv;
using zvtest::ParamsContext;

namespace {

// The words pardump is given for the golden listing; the words after the file are the
// command line that the "DEF" zone reads.
QStringList dumpArgs(const QString& file) {
    const QString options = "--opc MODO --opc LC:X --opc lc:y --opc App:Path --opc WIN:TMP "
                            "--opc ParFic --opc B --opc A --opc DUP --opc PASTA --opc DbgModo "
                            "--path PASTA";
    return options.split(u' ') + QStringList{file, "MODO=2", "-X", "5", "A=", "B=C=D"};
}

QString expectedDump() {
    QFile f(zvtest::dataPath("params/sample.dump"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

QString dumpInProcess(const QString& file) {
    const QStringList args = dumpArgs(file);
    ParamsContext context(args);
    ParDumpRequest request;
    QString error;
    EXPECT_TRUE(parDumpArgs(args, request, error)) << error.toStdString();
    QString out;
    QTextStream stream(&out);
    parDump(request, stream);
    stream.flush();
    EXPECT_EQ(context.boxes(), 0);
    return out.replace(zvtest::kApp, "<APP>").replace(zvtest::kTmp, "<TMP>");
}

struct Variation {
    const char* what;
    TextFormat format;
};

} // namespace

TEST(ZoneWalk, SampleFileGivesTheGoldenListing) {
    EXPECT_EQ(dumpInProcess(zvtest::dataPath("params/sample.par")), expectedDump());
}

TEST(ZoneWalk, EveryEncodingAndLineEndReadsTheSame) {
    const TextFileContent sample = readTextFile(zvtest::dataPath("params/sample.par"));
    ASSERT_EQ(sample.format.encoding, TextEncoding::Windows1252);
    const Variation variations[] = {
        {"UTF-8 LF", {TextEncoding::Utf8, false, LineEnd::Lf, true}},
        {"UTF-8 CR LF with mark", {TextEncoding::Utf8, true, LineEnd::CrLf, true}},
        {"UTF-8 CR, no final line end", {TextEncoding::Utf8, false, LineEnd::Cr, false}},
        {"Windows-1252 LF", {TextEncoding::Windows1252, false, LineEnd::Lf, true}},
        {"Windows-1252 CR", {TextEncoding::Windows1252, false, LineEnd::Cr, true}},
        {"Windows-1252 CR LF, no final line end",
         {TextEncoding::Windows1252, false, LineEnd::CrLf, false}},
    };
    zvtest::TempDir dir;
    for (const Variation& v : variations) {
        const QString file = dir.path("sample.par");
        writeTextFile(file, sample.lines, v.format);
        EXPECT_EQ(dumpInProcess(file), expectedDump()) << v.what;
    }
}

TEST(ZoneWalk, PardumpProgramPrintsTheListing) {
    zvtest::TempDir tmp;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZV_PARDUMP), dumpArgs(zvtest::dataPath("params/sample.par")));
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString app = QFileInfo(QStringLiteral(ZV_PARDUMP)).absolutePath();
    const QString out = QString::fromUtf8(p.readAllStandardOutput())
                            .replace(app, "<APP>")
                            .replace(tmp.path(), "<TMP>");
    EXPECT_EQ(out, expectedDump());

    QProcess bad;
    bad.start(QStringLiteral(ZV_PARDUMP), {"--opc"});
    ASSERT_TRUE(bad.waitForFinished(30000));
    EXPECT_NE(bad.exitCode(), 0);
}

TEST(ZoneWalk, MissingFileIsReportedOnceAndHasNoZones) {
    ParamsContext context;
    zvtest::TempDir dir;
    TdaOpc par;
    EXPECT_EQ(par.ZonIniExi(dir.path("none.par")), QString());
    EXPECT_EQ(context.boxes(), 0);

    par.ZonIni(dir.path("none.par"), QStringLiteral("nota"));
    ASSERT_EQ(context.boxes(), 1);
    const MessageBoxRequest& box = context.scope().headless().messageBox->shown().at(0).request;
    EXPECT_EQ(box.title, QStringLiteral("Erro a abrir ficheiro"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Erro : 53   ")));
    EXPECT_TRUE(box.text.endsWith(dir.path("none.par") + QStringLiteral("   (LER)")));
    QString name = QStringLiteral("x"), type, description;
    int count = -1;
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(name, QString());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(par.CabLin(1), QString());
    EXPECT_EQ(par.TipFic(), QString());
    par.ZonFim();
    EXPECT_EQ(context.boxes(), 1);
}

TEST(ZoneWalk, NestedOpensCloseInOrder) {
    ParamsContext context;
    zvtest::TempDir dir;
    const QString outer =
        dir.write("a.par", zvtest::parFile({"#A - a", "x [K]=1", "##", "#B - b", "y [K]=2", "##"}));
    const QString inner = dir.write("b.par", zvtest::parFile({"#Z - z", "z [K]=9", "##"}));
    TdaOpc par;
    QString name, type, description, value;
    int count = 0, ok = 0;
    par.ZonIni(outer);
    par.ZonSeg(name, type, count, description);
    ASSERT_EQ(name, QStringLiteral("A"));

    // A nested walk of another file, then a failed open that the caller closes all the same.
    par.ZonIni(inner);
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(name, QStringLiteral("Z"));
    par.ZonFim();
    par.tboPrp(dir.path("missing.par"));
    EXPECT_EQ(context.boxes(), 1);
    // A file the caller opens on the number the failed open did not get to keep.
    const int own = FreeFile();
    Open(inner, FileMode::Input, own);
    par.tboFim();
    EXPECT_TRUE(isFileNumberOpen(own));
    Close(own);

    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(name, QStringLiteral("B"));
    par.MemCon(QStringLiteral("K"), value, ok);
    EXPECT_EQ(value, QStringLiteral("2"));
    // FxFim closes what is still open; closing with nothing open does nothing.
    par.ZonIni(inner);
    par.FxFim();
    EXPECT_FALSE(isFileNumberOpen(1));
    EXPECT_FALSE(isFileNumberOpen(2));
    par.ZonFim();
}

TEST(ZoneWalk, ZonesWithoutEndRunOnAndShortFilesLoseTheirHeader) {
    ParamsContext context;
    zvtest::TempDir dir;
    TdaOpc par;
    QString name, type, description;
    int count = 0;
    // An entry zone without "##" takes the next header's entries as its own.
    par.ZonIni(dir.write("a.par", zvtest::parFile({"#A - a", "x [K]=1", "#B - b", "y [L]=2"})));
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(count, 2);
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(name, QString());
    par.ZonFim();
    // A text zone without "##" takes the header as text.
    par.ZonIni(dir.write("b.par", zvtest::parFile({"#T:TX - t", "um", "#B - b", "dois"})));
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(par.ZonTx().at(2), QStringLiteral("#B - b"));
    par.ZonFim();
    // Without its five header lines a file loses its first five lines, zone header included.
    par.ZonIni(dir.write("c.par", "#A - a\r\nx [K]=1\r\n##\r\n"));
    EXPECT_EQ(par.CabLin(1), QStringLiteral("#A - a"));
    par.ZonSeg(name, type, count, description);
    EXPECT_EQ(name, QString());
    par.ZonFim();
}
