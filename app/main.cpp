// zelvyn [-FP file] [name=value ...]: the setup wizard.
//
// The program makes the application object, puts the desktop's services (message boxes, event
// pump, dialogs, document opener, window operations) into its process context and runs the
// start-up from the background form. Its exit status is that of the start routine: 1 when the
// definition is missing, cannot be read or cannot be used (no pages, a script that does not
// compile), and when the wizard could not be started and the person declined to try again; 0
// for every other end.

#include "DateTime.h"
#include "ProcessContext.h"
#include "QtServices.h"
#include "VbError.h"
#include "ZelVynFun.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZelVyn"));
    // The wizard ends when its start routine returns, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    zv::ProcessContext& context = zv::ProcessContext::current();
    zv::installQtServices(context);
    // One clock for the whole program: the process context's.
    zv::setClock([&context] { return context.now(); });

    int status = 0;
    try {
        zv::ZelVynFun background;
        background.load();
        status = background.startup();
    } catch (const zv::ProgramEnd& end) {
        status = end.exitCode();
    } catch (const zv::VbError& e) {
        const QString line =
            QStringLiteral("zelvyn: error %1: %2\n").arg(e.number()).arg(e.description());
        std::fputs(line.toLocal8Bit().constData(), stderr);
        status = 1;
    }
    zv::setClock({});
    return status;
}
