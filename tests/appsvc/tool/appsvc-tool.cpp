// appsvc-tool: the application services from a shell.
//
//   appsvc-tool appinfo [words...]   the program's command line as SupApp reads it: prints the
//                                    parameter file (-FP), the options file (-AUT) and the value
//                                    of the switch MODO, one per line
//   appsvc-tool osversion            prints the operating system's version line
//
// The words after "appinfo" are the command line that SupApp sees, as if the program had been
// started with them. Exit status 0, or 2 for a command it does not know.

#include "ProcessContext.h"
#include "SupApp.h"
#include "SupSysOp.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void printLine(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString command = args.value(1);
    if (command == u"appinfo") {
        // SupApp reads the words that follow the command, the program's name first.
        zv::ProcessContext::current().setArguments(QStringList{args.value(0)} + args.mid(2));
        zv::SupApp sup;
        sup.LcIni(QString());
        zv::Variant mode{QString()};
        sup.LcOpcCon(QStringLiteral("MODO"), mode, QString());
        printLine(sup.parameterFile());
        printLine(sup.optionsFile());
        printLine(mode.rawString());
        return 0;
    }
    if (command == u"osversion" && args.size() == 2) {
        zv::SupSysOp os;
        printLine(os.Version());
        return 0;
    }
    std::fputs("usage: appsvc-tool appinfo [-FP file] [-AUT file] [name=value ...]\n"
               "       appsvc-tool osversion\n",
               stderr);
    return 2;
}
