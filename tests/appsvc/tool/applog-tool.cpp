// applog-tool: the log files of SupLogReg from a shell, for tests that run several programs
// writing one log at once.
//
//   applog-tool stress --log FILE --id W --records N --lines L [--wait-stdin]
//       writes N records to FILE through the line buffer (cmpReg). Record r is the line
//       "BEGIN W r", L lines "W r j " followed by 80 characters, and "END W r". Prints "W r ok"
//       or "W r fail" for each record as soon as it is written.
//   applog-tool hold --log FILE --seconds S [--wait-stdin]
//       takes FILE's lock as a writer does, prints "locked", keeps it S seconds and lets it go
//       (prints "busy" and exits 1 when the lock cannot be had).
//
// --wait-stdin first waits until the standard input ends, so that a test can start several
// of them at the same moment by closing one pipe. Exit status 0, 1 for a failure, 2 for a
// command line it does not understand.

#include "FileLayer.h"
#include "LogLayout.h"
#include "SupLogReg.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

void printLine(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

int usage() {
    std::fputs("usage: applog-tool stress --log FILE --id W --records N --lines L [--wait-stdin]\n"
               "       applog-tool hold --log FILE --seconds S [--wait-stdin]\n",
               stderr);
    return 2;
}

// The value after option name, or "" when there is none.
QString option(const QStringList& args, const QString& name) {
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

void waitForStdinEnd() {
    char buf[256];
    while (::read(STDIN_FILENO, buf, sizeof buf) > 0) {
    }
}

int stress(const QString& log, const QString& id, int records, int lines) {
    zv::SupLogReg reg;
    const QString kind = QStringLiteral("STRESS");
    reg.PrpGrp(kind, QStringLiteral("Ensaio"), log, zv::Variant(int16_t(1)),
               zv::Variant(int16_t(1)));
    const QString filler =
        QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789").repeated(3).left(80);
    for (int r = 1; r <= records; ++r) {
        const QString head = id + u' ' + QString::number(r);
        reg.cmpIni();
        reg.CmpRtx(QStringLiteral("BEGIN ") + head);
        for (int j = 1; j <= lines; ++j)
            reg.CmpRtx(head + u' ' + QString::number(j) + u' ' + filler);
        reg.CmpRtx(QStringLiteral("END ") + head);
        int ok = 0;
        reg.cmpReg(kind, ok);
        printLine(head + (ok == 1 ? QStringLiteral(" ok") : QStringLiteral(" fail")));
    }
    return 0;
}

int hold(const QString& log, int seconds) {
    namespace file = zv::file;
    file::FileLock lock;
    const QByteArray path = file::nativeName(zv::loglayout::lockPathOf(log));
    if (lock.tryLockFile(path, zv::SupLogReg::kLockAttempts, zv::SupLogReg::kAttemptPauseMs)) {
        printLine(QStringLiteral("busy"));
        return 1;
    }
    printLine(QStringLiteral("locked"));
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    lock.unlockAndRemove();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString command = args.value(1);
    const QString log = option(args, QStringLiteral("--log"));
    if (log.isEmpty()) return usage();
    bool ok1 = false, ok2 = false;
    if (command == u"stress") {
        const QString id = option(args, QStringLiteral("--id"));
        const int records = option(args, QStringLiteral("--records")).toInt(&ok1);
        const int lines = option(args, QStringLiteral("--lines")).toInt(&ok2);
        if (id.isEmpty() || id.contains(u' ') || !ok1 || !ok2) return usage();
        if (args.contains(QStringLiteral("--wait-stdin"))) waitForStdinEnd();
        return stress(log, id, records, lines);
    }
    if (command == u"hold") {
        const int seconds = option(args, QStringLiteral("--seconds")).toInt(&ok1);
        if (!ok1 || seconds < 0) return usage();
        if (args.contains(QStringLiteral("--wait-stdin"))) waitForStdinEnd();
        return hold(log, seconds);
    }
    return usage();
}
