// ApiDec: windows on top and redrawing; starting programs, waiting for them, opening documents.

#include "ApiDec.h"

#include "Convert.h"
#include "ProcessContext.h"
#include "ProgramRunner.h"
#include "Text.h"
#include "VbError.h"

#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <thread>

namespace zv {

namespace {

// The object-error base that the program start adds to its error numbers.
constexpr int kObjectErrorBase = -2147221504;

// The window an object stands for (its "hwnd" property); 0 when it has none.
WindowHandle windowOf(const DispatchPtr& obj) {
    WindowHandle window = 0;
    if (!obj) return window;
    vbTrap([&] {
        const double h = toDouble(obj->get(QStringLiteral("hwnd")));
        window = h < 0 ? WindowHandle(uint32_t(int32_t(h))) : WindowHandle(h);
    });
    return window;
}

void setTopmost(const DispatchPtr& form, bool on) {
    const WindowHandle w = windowOf(form);
    if (w) ProcessContext::current().windows().setTopmost(w, on);
}

// The error number of a program that could not start.
int startErrorNumber(int err) {
    if (err == ENOENT || err == ENOTDIR) return zv::err::FileNotFound;
    if (err == EACCES || err == EPERM) return zv::err::PermissionDenied;
    return vbErrorFromErrno(err);
}

} // namespace

void WinTopLig(const DispatchPtr& form) {
    setTopmost(form, true);
}

void WinTopDlg(const DispatchPtr& form) {
    setTopmost(form, false);
}

void WinTopIni(const DispatchPtr& form) {
    WinTopLig(form);
    WinTopDlg(form);
}

void WinRedSit(const DispatchPtr& control, int flag) {
    const WindowHandle w = windowOf(control);
    if (w) ProcessContext::current().windows().setRedraw(w, flag != 0);
}

void WinRedLig(const DispatchPtr& control) {
    WinRedSit(control, -1);
    if (control) vbTrap([&] { control->call(QStringLiteral("Refresh")); });
}

void WinRedDlg(const DispatchPtr& control) {
    WinRedSit(control, 0);
}

int PgmJanTip(std::optional<int> style) {
    return style && *style >= 0 && *style <= 6 ? *style : 6;
}

void PgmShell(std::optional<int> style, const QString& cmd, int& taskId, int& err) {
    PgmJanTip(style); // accepted; the started program chooses its own window
    taskId = 0;
    err = 0;
    const QStringList argv = splitCommandLine(cmd);
    if (argv.isEmpty()) {
        err = zv::err::InvalidCall + kObjectErrorBase;
        return;
    }
    int e = 0;
    const pid_t pid = ChildProcesses::instance().start(argv, e);
    if (pid <= 0) {
        err = startErrorNumber(e) + kObjectErrorBase;
        return;
    }
    taskId = int(pid);
}

void PgmExe(const QString& cmd, int& ok) {
    int taskId = 0, err = 0;
    PgmShell(1, cmd, taskId, err);
    ok = err == 0 ? 1 : 0;
}

QString PgmEsp(const QString& mode, int taskId, std::optional<double> timeout) {
    qint64 ms = -1;
    if (timeout && *timeout >= 0) {
        const double t = *timeout * 1000.0;
        ms = t >= 9.0e15 ? -1 : qint64(std::llround(t));
    }
    ChildProcesses& children = ChildProcesses::instance();
    if (UCase(Trim(mode)) == QLatin1String("B")) {
        switch (children.wait(pid_t(taskId), ms)) {
        case WaitResult::Ended:
            return QStringLiteral("NOR");
        case WaitResult::TimedOut:
            return QStringLiteral("TO");
        case WaitResult::Failed:
            return QStringLiteral("ERR");
        }
        return QString();
    }
    // Polling keeps the windows alive; the busy mark keeps their buttons from starting other
    // work meanwhile.
    EventPump& pump = ProcessContext::current().pump();
    const EventPump::BusyToken busy = pump.busy();
    bool running;
    do {
        running = children.isRunning(pid_t(taskId));
        pump.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (running);
    return QStringLiteral("NOR");
}

Variant PgmShellEsp(const QString& mode, const QString& cmd, std::optional<int> style,
                    std::optional<double> timeout) {
    int taskId = 0, err = 0;
    PgmShell(style, cmd, taskId, err);
    if (taskId != 0) return Variant(PgmEsp(mode, taskId, timeout));
    return Variant(int32_t(err));
}

void PgmAbr(const QString& file, int& ok) {
    ok = 0;
    if (file.isEmpty()) return;
    // A bare name is looked for in the current folder first, then on PATH.
    const bool local = !file.contains(u'/') && QFileInfo::exists(file);
    const QString program = findExecutable(local ? QStringLiteral("./") + file : file);
    if (!program.isEmpty()) {
        int e = 0;
        ok = ChildProcesses::instance().start(QStringList{program}, e) > 0 ? 1 : 0;
        return;
    }
    ok = ProcessContext::current().opener().open(file) ? 1 : 0;
}

} // namespace zv
