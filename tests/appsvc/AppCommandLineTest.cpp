// The command line of SupApp: switches, the parameter file, the options file and its values,
// and appsvc-tool run as a program.

#include "ApiDec.h"
#include "AppSvcTestSupport.h"
#include "FileHandles.h"
#include "ScopedProcessContext.h"
#include "SupApp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zv;
using zvtest::TempDir;
using zvtest::textOf;

namespace {

// A process context with a program folder of the test's own and the given words; the current
// folder is the test's "atual" folder while it lives.
class CommandLineContext {
public:
    explicit CommandLineContext(const QStringList& words) {
        QDir().mkpath(temp.path("atual"));
        QDir().mkpath(temp.path("prog"));
        saved_ = QDir::currentPath();
        QDir::setCurrent(temp.path("atual"));
        ctx->setProgramFolder(temp.path("prog"));
        ctx->setArguments(QStringList{QStringLiteral("prog")} + words);
    }
    ~CommandLineContext() {
        QDir::setCurrent(saved_);
        resetFileHandles();
    }
    // Copies a file of the tests' data to relative (under the temporary folder).
    QString copy(const QString& data, const QString& relative) const {
        QFile f(zvtest::dataPath(QStringLiteral("appsvc/") + data));
        f.open(QIODevice::ReadOnly);
        return temp.write(relative, f.readAll());
    }

    TempDir temp;
    ScopedProcessContext ctx;

private:
    QString saved_;
};

QString tool() {
    return QStringLiteral(ZV_APPSVC_TOOL);
}

// Runs appsvc-tool in folder; its output lines.
QStringList runTool(const QStringList& args, const QString& folder, int* status = nullptr) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(tool(), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    if (status) *status = p.exitCode();
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (out.endsWith(u'\n')) out.chop(1);
    return out.split(u'\n');
}

} // namespace

TEST(AppCommandLine, SwitchesAndWords) {
    CommandLineContext c({"-fp", "/d/My Wizard/x.par", "-X", "5", "-Y"});
    SupApp app;
    app.LcIni(QStringLiteral("ZelVyn.par"));
    EXPECT_EQ(app.LcNop(), 5);
    EXPECT_EQ(app.LcConCmd(), "-fp /d/My Wizard/x.par -X 5 -Y");
    EXPECT_EQ(app.parameterFile(), "/d/My Wizard/x.par"); // one word, blank and all
    EXPECT_EQ(app.LcExi(QStringLiteral("-FP")), 1);
    EXPECT_EQ(app.LcExi(QStringLiteral("-fp")), 0); // names are given in upper case
    int index = 0, ok = -1;
    app.LcIxv(QStringLiteral("-Y"), index, ok);
    EXPECT_EQ(index, 6);
    EXPECT_EQ(ok, 0);
    app.LcIxv(QStringLiteral("-Z"), index, ok);
    EXPECT_EQ(index, -1);
    Variant value{0.0};
    app.LcCon(QStringLiteral("-X"), value, ok);
    EXPECT_EQ(value.numericValue(), 5);
    Variant text{QStringLiteral("old")};
    app.LcCon(QStringLiteral("-Y"), text, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(textOf(text), "");
    app.LcCon(2, text, ok);
    EXPECT_EQ(textOf(text), "/d/My Wizard/x.par");

    Variant result;
    app.LcOpcCon(QStringLiteral("-X"), result, QStringLiteral("idx"));
    EXPECT_TRUE(result.isInteger16());
    EXPECT_EQ(result.rawInteger(), 3);
    app.LcOpcCon(QStringLiteral("-Y"), result, QStringLiteral("IXV"));
    EXPECT_EQ(result.rawInteger(), 6);
    app.LcOpcCon(QStringLiteral("-Y"), result, QStringLiteral("EXI"));
    EXPECT_EQ(result.rawInteger(), 1);
    app.LcOpcCon(QStringLiteral("-Z"), result, QStringLiteral("EXI"));
    EXPECT_EQ(result.rawInteger(), 0);
    app.LcOpcCon(QStringLiteral("-X"), result, QString());
    EXPECT_EQ(textOf(result), "5");
}

TEST(AppCommandLine, ParameterFileByDefault) {
    CommandLineContext c({"-FP"});
    SupApp app;
    app.LcIni(QStringLiteral("ZelVyn.par"));
    EXPECT_EQ(app.parameterFile(), c.temp.path("prog/ZelVyn.par"));
    QString path;
    int exists = -1;
    app.LcConFpa(path, exists);
    EXPECT_EQ(exists, 0);
    app.LcIni(QString());
    EXPECT_EQ(app.parameterFile(), "");
}

TEST(AppCommandLine, OptionsFileSearch) {
    // Where each candidate is, and which one is found: as given, then the current folder, the
    // program's folder and the parameter file's folder, each directly, in OpcAut and in Aut.
    const struct {
        QStringList places;
        QString found; // under the temporary folder; "" none
    } cases[] = {
        {{"param/Aut/opc.txt", "prog/OpcAut/opc.txt"}, "prog/OpcAut/opc.txt"},
        {{"param/Aut/opc.txt", "atual/Aut/opc.txt"}, "atual/Aut/opc.txt"},
        {{"param/Aut/opc.txt", "prog/Aut/x"}, "param/Aut/opc.txt"},
        {{"param/opc/opc.txt"}, ""},
    };
    for (const auto& k : cases) {
        CommandLineContext c({});
        c.ctx->setArguments({"prog", "-AUT", "opc.txt", "-FP", c.temp.path("param/x.par")});
        for (const QString& place : k.places)
            c.copy(QStringLiteral("opc.txt"), place);
        SupApp app;
        app.LcIni(QString());
        // A file of the current folder is named relative to it, as it was found.
        const QString found = QDir(c.temp.path("atual")).absoluteFilePath(app.optionsFile());
        EXPECT_EQ(app.optionsFile().isEmpty() ? QString() : found,
                  k.found.isEmpty() ? QString() : c.temp.path(k.found))
            << k.places.join(u' ').toStdString();
    }
}

TEST(AppCommandLine, OptionsFileValues) {
    CommandLineContext c({});
    const QString opc = c.copy(QStringLiteral("opc.txt"), QStringLiteral("opc.txt"));
    c.ctx->setArguments({"prog", "-AUT", opc, "MODO=2", "-DESTINO", "/outro"});
    SupApp app;
    app.LcIni(QString());
    QString path;
    int exists = 0;
    app.LcConAut(path, exists);
    EXPECT_EQ(exists, 1);
    Variant result;
    app.LcOpcCon(QStringLiteral("MODO"), result, QString());
    EXPECT_EQ(textOf(result), "2"); // the command line overrides the file's DEF zone
    app.LcOpcCon(QStringLiteral("ATIVO"), result, QStringLiteral(" sn"));
    EXPECT_EQ(result.rawInteger(), 1);
    app.LcOpcCon(QStringLiteral("DESTINO"), result, QString());
    EXPECT_EQ(textOf(result), "/srv/dados");
    app.LcOpcCon(QStringLiteral("-DESTINO"), result, QString());
    EXPECT_EQ(textOf(result), "/outro");
    app.LcOpcCon(QStringLiteral("NADA"), result, QStringLiteral("EXI"));
    EXPECT_EQ(result.rawInteger(), 0);
}

TEST(AppCommandLine, ToolPrintsPathsAndValueWithBlanksKept) {
    TempDir temp;
    QFile par(zvtest::dataPath(QStringLiteral("appsvc/x.par")));
    QFile opc(zvtest::dataPath(QStringLiteral("appsvc/opc.txt")));
    ASSERT_TRUE(par.open(QIODevice::ReadOnly) && opc.open(QIODevice::ReadOnly));
    const QString file = temp.write(QStringLiteral("My Wizard/x.par"), par.readAll());
    temp.write(QStringLiteral("My Wizard/Aut/opc.txt"), opc.readAll());
    int status = -1;
    EXPECT_EQ(runTool({"appinfo", "-FP", file, "-AUT", "opc.txt", "MODO=2"}, temp.path(), &status),
              QStringList({file, temp.path("My Wizard/Aut/opc.txt"), "2"}));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(runTool({"appinfo", "-AUT", "falta.txt"}, temp.path()), QStringList({"", "", ""}));
    runTool({"appinfo2"}, temp.path(), &status);
    EXPECT_EQ(status, 2);
}

TEST(AppCommandLine, ToolPrintsTheVersionLine) {
    TempDir temp;
    ScopedProcessContext ctx; // the system's own answers, as in the tool
    apiDecReset();
    QString text, number;
    SopVerTx(text, number);
    EXPECT_EQ(runTool({"osversion"}, temp.path()), QStringList({text}));
}
