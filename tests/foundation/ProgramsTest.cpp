// Starting programs and waiting for them (ApiDec), with the helper program zv_child.
#include "ApiDec.h"

#include "ProgramRunner.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace zv;

namespace {

constexpr int kObjectErrorBase = -2147221504;

QString child() {
    return zvtest::binPath("helpers/foundation/zv_child");
}

class Programs : public ::testing::Test {
protected:
    ScopedProcessContext ctx;
    zvtest::TempDir tmp;
};
class ProgramWait : public Programs {};

TEST_F(Programs, SplitsCommandsWithoutAShell) {
    struct Case {
        QString cmd;
        QStringList argv;
    } cases[] = {
        {"prog a  b", {"prog", "a", "b"}},
        {R"(prog "two words" x;y)", {"prog", "two words", "x;y"}},
        {R"("/opt/My App/run" "" $HOME|cat)", {"/opt/My App/run", "", "$HOME|cat"}},
        {R"(prog a"b c"d)", {"prog", "ab cd"}},
        {"   ", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitCommandLine(c.cmd), c.argv) << c.cmd.toStdString();
}

TEST_F(Programs, UnquotedProgramWithBlanksIsFoundWordByWord) {
    const QString dir = tmp.path("My Apps");
    QDir().mkpath(dir);
    const QString prog = dir + "/zv child";
    ASSERT_TRUE(QFile::copy(child(), prog));
    EXPECT_EQ(splitCommandLine(prog + " args out.txt"), (QStringList{prog, "args", "out.txt"}));
    // Nothing executable however far it grows: the first word stays the program.
    EXPECT_EQ(splitCommandLine(tmp.path("no such") + " x"),
              (QStringList{tmp.path("no"), "such", "x"}));

    int taskId = 0, err = 0;
    PgmShell(0, prog + " args " + tmp.path("grown.txt") + " ok", taskId, err);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(PgmEsp("B", taskId, 10.0), "NOR");
    EXPECT_EQ(tmp.read("grown.txt"), "ok\n");
}

TEST_F(Programs, ArgumentsReachTheProgramAsText) {
    const QString out = tmp.path("args.txt");
    const QString cmd = QString("\"%1\" args \"%2\" \"with blanks\" a;touch %3 \"$(id)\"")
                            .arg(child(), out, tmp.path("injected"));
    const Variant r = PgmShellEsp("B", cmd, 1, 10.0);
    EXPECT_EQ(r.rawString(), "NOR");
    EXPECT_EQ(tmp.read("args.txt"),
              "with blanks\na;touch\n" + tmp.path("injected").toUtf8() + "\n$(id)\n");
    EXPECT_FALSE(QFileInfo::exists(tmp.path("injected")));
}

TEST_F(Programs, BlockingWaitEndsOrTimesOut) {
    int taskId = 0, err = 0;
    PgmShell(std::nullopt, "\"" + child() + "\" exit 3", taskId, err);
    ASSERT_GT(taskId, 0);
    EXPECT_EQ(PgmEsp(" b ", taskId), "NOR"); // whatever the exit code

    const QString marker = tmp.path("late.txt");
    PgmShell(std::nullopt, "\"" + child() + "\" sleep 5000 \"" + marker + "\"", taskId, err);
    ASSERT_GT(taskId, 0);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(PgmEsp("B", taskId, 1.0), "TO");
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_GE(timer.elapsed(), 900);
    EXPECT_FALSE(QFileInfo::exists(marker));
    ::kill(taskId, SIGKILL);

    // No process of that number: the wait fails.
    EXPECT_EQ(PgmEsp("B", 0, 1.0), "ERR");
}

TEST_F(Programs, PollingWaitPumpsEventsUntilTheEnd) {
    const QString marker = tmp.path("done.txt");
    int taskId = 0, err = 0;
    PgmShell(6, "\"" + child() + "\" sleep 400 \"" + marker + "\"", taskId, err);
    ASSERT_GT(taskId, 0);
    auto pump = ctx.headless().pump;
    bool busy = true;
    pump->setHook([&] { busy = busy && pump->isBusy(); });
    EXPECT_EQ(PgmEsp("", taskId, 0.1), "NOR"); // no time-out in this mode
    EXPECT_TRUE(QFileInfo::exists(marker));
    EXPECT_GE(pump->pumpCount(), 4);
    EXPECT_TRUE(busy);
    // A process that is already gone: one pass, "NOR".
    pump->resetCount();
    EXPECT_EQ(PgmEsp("X", taskId), "NOR");
    EXPECT_EQ(pump->pumpCount(), 1);
}

TEST_F(Programs, FailedStartsGiveTheErrorValue) {
    int taskId = 7, err = 0;
    PgmShell(1, tmp.path("missing-program") + " arg", taskId, err);
    EXPECT_EQ(taskId, 0);
    EXPECT_EQ(err, 53 + kObjectErrorBase);
    const Variant r = PgmShellEsp("B", tmp.path("missing-program"), 1);
    EXPECT_EQ(r.varType(), vbLong);
    EXPECT_EQ(r.rawLong(), 53 + kObjectErrorBase);
    const QString notExec = tmp.write("plain.txt", "text");
    PgmShell(1, notExec, taskId, err);
    EXPECT_EQ(err, 70 + kObjectErrorBase);
    int ok = 1;
    PgmExe("", ok);
    EXPECT_EQ(ok, 0);
}

TEST_F(Programs, ChildrenNobodyWaitsForAreReaped) {
    int ok = 0;
    PgmExe("\"" + child() + "\" exit 0", ok);
    ASSERT_EQ(ok, 1);
    int first = 0, second = 0, err = 0;
    PgmShell(1, "\"" + child() + "\" exit 0", first, err);
    PgmShell(1, "\"" + child() + "\" exit 0", second, err);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    // Once they have ended, the next reap leaves no zombie (no /proc entry) behind.
    auto gone = [](int pid) { return !QFileInfo::exists(QString("/proc/%1").arg(pid)); };
    for (int i = 0; i < 200 && !(gone(first) && gone(second)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        ChildProcesses::instance().reap();
    }
    for (pid_t pid : {pid_t(first), pid_t(second)}) {
        EXPECT_TRUE(gone(pid));
        errno = 0;
        EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1);
        EXPECT_EQ(errno, ECHILD);
    }
    // A child reaped before its wait still counts as ended.
    EXPECT_EQ(PgmEsp("B", second, 1.0), "NOR");
}

// However a child's end was first seen (a status check, the periodic reap, a wait), every later
// wait and status check knows it has ended.
TEST_F(ProgramWait, AnEndSeenOnceIsKnownToEveryLaterWait) {
    ChildProcesses& children = ChildProcesses::instance();
    for (const char* seenBy : {"status check", "reap", "blocking wait"}) {
        int taskId = 0, err = 0;
        PgmShell(1, "\"" + child() + "\" exit 0", taskId, err);
        ASSERT_GT(taskId, 0);
        const pid_t pid = taskId;
        const auto gone = [&] { return !QFileInfo::exists(QString("/proc/%1").arg(pid)); };
        if (QString(seenBy) == "status check") {
            while (children.isRunning(pid))
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } else if (QString(seenBy) == "reap") {
            while (!gone()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                children.reap();
            }
        } else {
            ASSERT_EQ(PgmEsp("B", taskId, 10.0), "NOR");
        }
        EXPECT_TRUE(gone()) << seenBy; // reaped: no zombie left
        EXPECT_EQ(PgmEsp("B", taskId, 1.0), "NOR") << seenBy;
        EXPECT_FALSE(children.isRunning(pid)) << seenBy;
        EXPECT_EQ(PgmEsp("", taskId), "NOR") << seenBy;
        EXPECT_EQ(PgmEsp("B", taskId), "NOR") << seenBy; // asking again changes nothing
    }
}

TEST_F(Programs, OpenStartsProgramsAndHandsDocumentsToTheOpener) {
    auto opener = ctx.headless().opener;
    int ok = 0;
    const QString doc = tmp.write("doc.txt", "x");
    PgmAbr(doc, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(opener->opened(), QStringList{doc});

    opener->setResult(false);
    PgmAbr(tmp.path("missing.txt"), ok);
    EXPECT_EQ(ok, 0);

    opener->clear();
    PgmAbr(child(), ok); // an executable is started, not opened
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(opener->opened().isEmpty());
    PgmAbr("", ok);
    EXPECT_EQ(ok, 0);
}

} // namespace
