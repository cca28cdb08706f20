// Several real processes on one log: the lock excludes them, records stay whole and in order
// and are in the log exactly when reported written, clearing under load leaves whole records,
// a holder that keeps the lock makes a writer give up within its tries, a killed holder blocks
// nobody, and a program started by a holder does not hold its lock.

#include "AppSvcTestSupport.h"
#include "FileLayer.h"
#include "LogLayout.h"
#include "ScopedProcessContext.h"
#include "SupLogReg.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace zv;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kWriters = 8;
constexpr int kRecords = 50;
constexpr int kLines = 200;

// A started program whose standard output the test reads.
struct Child {
    pid_t pid = -1;
    int out = -1;
};

// Starts program with args. Its standard input reads stdinFd (nothing when -1).
Child spawn(const char* program, const QStringList& args, int stdinFd = -1) {
    Child child;
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdinFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdinFd, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    std::vector<QByteArray> words{QByteArray(program)};
    for (const QString& a : args)
        words.push_back(a.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&child.pid, program, &actions, nullptr, argv.data(), environ) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    child.out = out[0];
    return child;
}

Child applog(const QStringList& args, int stdinFd = -1) {
    return spawn(ZV_APPLOG_TOOL, args, stdinFd);
}

// One line of the child's output, waiting at most ms; "" at its end or when none came.
QByteArray readLine(int fd, int ms) {
    QByteArray line;
    QElapsedTimer clock;
    clock.start();
    char c = 0;
    while (clock.elapsed() < ms) {
        struct pollfd p {
            fd, POLLIN, 0
        };
        if (::poll(&p, 1, 50) <= 0) continue;
        if (::read(fd, &c, 1) != 1) break;
        if (c == '\n') break;
        line += c;
    }
    return line;
}

QByteArray readAllOf(int fd) {
    QByteArray all;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0) all.append(buf, n);
    return all;
}

// The child's exit status; -1 when it did not exit normally.
int waitExit(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Makes `count` children wait for one moment to start: they read the pipe's read end as
// their standard input until the test closes the write end.
class StartLine {
public:
    StartLine() {
        if (::pipe2(fds_, O_CLOEXEC) != 0) fds_[0] = fds_[1] = -1;
    }
    ~StartLine() {
        closeRead();
        go();
    }
    int readEnd() const { return fds_[0]; }
    void closeRead() {
        if (fds_[0] >= 0) ::close(fds_[0]);
        fds_[0] = -1;
    }
    void go() {
        if (fds_[1] >= 0) ::close(fds_[1]);
        fds_[1] = -1;
    }

private:
    int fds_[2];
};

QString filler() {
    return u"abcdefghijklmnopqrstuvwxyz0123456789"_s.repeated(3).left(80);
}

struct Writer {
    Child child;
    QString id;
    QSet<int> reportedOk;
};

// Starts the stress writers, all at once.
std::vector<Writer> startWriters(const QString& log) {
    StartLine start;
    std::vector<Writer> writers(kWriters);
    for (int w = 0; w < kWriters; ++w) {
        writers[w].id = u"W"_s + QString::number(w + 1);
        writers[w].child = applog({u"stress"_s, u"--log"_s, log, u"--id"_s, writers[w].id,
                                   u"--records"_s, QString::number(kRecords), u"--lines"_s,
                                   QString::number(kLines), u"--wait-stdin"_s},
                                  start.readEnd());
    }
    start.closeRead();
    start.go();
    return writers;
}

// Reads what each writer reported (until it ends its output).
void readReports(std::vector<Writer>& writers) {
    for (Writer& w : writers) {
        const QList<QByteArray> lines = readAllOf(w.child.out).split('\n');
        ::close(w.child.out);
        for (const QByteArray& line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 3 && parts[2] == "ok") w.reportedOk.insert(parts[1].toInt());
        }
    }
}

// The records in a log, checked line by line: each whole (BEGIN, its lines, END, nothing else
// inside) and each writer's in increasing order. present(writer id) receives the records
// found; failure describes the first fault.
bool parseLog(const QByteArray& bytes, std::map<QString, QSet<int>>& present, QString& failure) {
    const QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && !lines.last().isEmpty()) {
        failure = u"the log does not end with a line end"_s;
        return false;
    }
    std::map<QString, int> last;
    const QString fill = filler();
    qsizetype i = 0;
    while (i + 1 < lines.size()) {
        const QString begin = QString::fromUtf8(lines[i]);
        const QStringList head = begin.split(u' ');
        if (head.size() != 3 || head[0] != u"BEGIN") {
            failure = u"line %1 starts no record: %2"_s.arg(i + 1).arg(begin);
            return false;
        }
        const QString w = head[1];
        const int r = head[2].toInt();
        const QString tag = w + u' ' + QString::number(r);
        if (i + kLines + 2 >= lines.size()) {
            failure = u"record %1 is cut short"_s.arg(tag);
            return false;
        }
        for (int j = 1; j <= kLines; ++j) {
            if (QString::fromUtf8(lines[i + j]) != tag + u' ' + QString::number(j) + u' ' + fill) {
                failure = u"record %1: line %2 is foreign"_s.arg(tag).arg(i + j + 1);
                return false;
            }
        }
        if (QString::fromUtf8(lines[i + kLines + 1]) != u"END "_s + tag) {
            failure = u"record %1 has no end"_s.arg(tag);
            return false;
        }
        if (last.count(w) && last[w] >= r) {
            failure = u"record %1 comes after record %2"_s.arg(tag).arg(last[w]);
            return false;
        }
        last[w] = r;
        present[w].insert(r);
        i += kLines + 2;
    }
    return true;
}

qint64 recordBytes(const QString& id, int r) {
    const QString tag = id + u' ' + QString::number(r);
    qint64 n = (u"BEGIN "_s + tag).size() + (u"END "_s + tag).size() + 2;
    for (int j = 1; j <= kLines; ++j)
        n += tag.size() + 1 + QString::number(j).size() + 1 + 80 + 1;
    return n;
}

class MultiProcess : public ::testing::Test {
protected:
    QString logPath() const { return tmp.path(u"stress.log"_s); }
    QByteArray lockPath() const { return file::nativeName(loglayout::lockPathOf(logPath())); }

    zvtest::TempDir tmp;
};

class LogLockMultiProcess : public MultiProcess {};
class LogFileMultiProcess : public MultiProcess {};

// A log object writing kind "K" to the test's log.
std::unique_ptr<SupLogReg> writerOf(const QString& log) {
    auto reg = std::make_unique<SupLogReg>();
    reg->PrpGrp(u"K"_s, u"Ensaio"_s, log, Variant(int16_t(1)), Variant(int16_t(1)));
    return reg;
}

} // namespace

TEST_F(LogLockMultiProcess, EightProcessesCountToSixteenHundredWithoutLosingAnUpdate) {
    const QByteArray counter = file::nativeName(tmp.write(u"counter"_s, "0"));
    const QByteArray lck = lockPath();
    StartLine start;
    std::vector<pid_t> pids;
    for (int p = 0; p < kWriters; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            start.go(); // this copy of the write end would keep the line closed for ever
            char c;
            while (::read(start.readEnd(), &c, 1) > 0) {
            }
            for (int i = 0; i < 200; ++i) {
                // A writer gives up after its tries; this one comes back until it has the
                // lock, since what is counted here is the updates the lock lets through.
                file::FileLock lock;
                int e = EWOULDBLOCK;
                for (int round = 0; round < 30 && e == EWOULDBLOCK; ++round)
                    e = lock.tryLockFile(lck, SupLogReg::kLockAttempts, SupLogReg::kAttemptPauseMs);
                if (e) ::_exit(2);
                const int fd = ::open(counter.constData(), O_RDWR | O_CLOEXEC);
                char buf[32] = {};
                if (fd < 0 || ::pread(fd, buf, sizeof buf - 1, 0) < 0) ::_exit(3);
                const long n = std::strtol(buf, nullptr, 10);
                ::usleep(200);
                const int len = std::snprintf(buf, sizeof buf, "%ld", n + 1);
                if (::pwrite(fd, buf, size_t(len), 0) != len || ::ftruncate(fd, len) != 0)
                    ::_exit(4);
                ::close(fd);
                lock.unlockAndRemove();
            }
            ::_exit(0);
        }
        pids.push_back(pid);
    }
    start.closeRead();
    start.go();
    for (pid_t pid : pids)
        EXPECT_EQ(waitExit(pid), 0);
    EXPECT_EQ(tmp.read(u"counter"_s), "1600");
    EXPECT_EQ(zvtest::namesIn(tmp.path()), QStringList{u"counter"_s});
}

TEST_F(LogLockMultiProcess, AKilledHolderBlocksNobody) {
    Child holder = applog({u"hold"_s, u"--log"_s, logPath(), u"--seconds"_s, u"60"_s});
    ASSERT_EQ(readLine(holder.out, 10000), "locked");
    ::kill(holder.pid, SIGKILL);
    EXPECT_EQ(waitExit(holder.pid), -1);
    ::close(holder.out);
    EXPECT_TRUE(QFile::exists(QString::fromUtf8(lockPath()))); // its lock file is still there

    ScopedProcessContext ctx;
    auto reg = writerOf(logPath());
    reg->CmpRtx(u"depois"_s);
    QElapsedTimer clock;
    clock.start();
    int ok = 0;
    reg->cmpReg(u"K"_s, ok);
    EXPECT_LT(clock.elapsed(), 300);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(tmp.read(u"stress.log"_s), "depois\n");
}

TEST_F(LogLockMultiProcess, AProgramStartedByAHolderDoesNotHoldItsLock) {
    file::FileLock lock;
    ASSERT_EQ(lock.tryLockFile(lockPath(), 1, 0), 0);
    Child sleeper = spawn("sleep", {u"5"_s});
    ASSERT_GT(sleeper.pid, 0);
    lock.unlock(); // the lock file stays, so a lock the sleeper kept would still count

    // Another open of the lock file has it within a second (ten tries, 100 ms apart)...
    file::FileLock again;
    EXPECT_EQ(again.tryLockFile(lockPath(), 10, 100), 0);
    again.unlock();
    // ...and so has another program.
    Child taker = applog({u"hold"_s, u"--log"_s, logPath(), u"--seconds"_s, u"0"_s});
    EXPECT_EQ(readLine(taker.out, 20000), "locked");
    EXPECT_EQ(waitExit(taker.pid), 0);
    ::close(taker.out);
    ::kill(sleeper.pid, SIGKILL);
    waitExit(sleeper.pid);
    ::close(sleeper.out);
}

TEST_F(LogFileMultiProcess, RecordsOfEightWritersStayWholeInOrderAndPresentExactlyWhenReported) {
    std::vector<Writer> writers = startWriters(logPath());
    readReports(writers);
    for (const Writer& w : writers)
        EXPECT_EQ(waitExit(w.child.pid), 0);

    std::map<QString, QSet<int>> present;
    QString failure;
    const QByteArray bytes = tmp.read(u"stress.log"_s);
    ASSERT_TRUE(parseLog(bytes, present, failure)) << failure.toStdString();
    qint64 expected = 0;
    int written = 0;
    for (const Writer& w : writers) {
        EXPECT_EQ(present[w.id], w.reportedOk) << w.id.toStdString();
        for (int r : w.reportedOk)
            expected += recordBytes(w.id, r);
        written += int(w.reportedOk.size());
    }
    EXPECT_EQ(bytes.size(), expected);
    EXPECT_GT(written, 0);
    RecordProperty("records_written", written);
    EXPECT_EQ(zvtest::namesIn(tmp.path()), QStringList{u"stress.log"_s});
}

TEST_F(LogFileMultiProcess, ClearingUnderLoadLeavesOnlyWholeRecords) {
    ScopedProcessContext ctx;
    auto reg = writerOf(logPath());
    std::vector<Writer> writers = startWriters(logPath());
    int clears = 0;
    for (;;) {
        bool running = false;
        for (const Writer& w : writers)
            running |= ::kill(w.child.pid, 0) == 0 && ::waitpid(w.child.pid, nullptr, WNOHANG) == 0;
        if (!running) break;
        clears += reg->GrpLpz(u"K"_s, 0) ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    readReports(writers); // the writers have ended and were reaped above
    std::map<QString, QSet<int>> present;
    QString failure;
    const QByteArray bytes = QFile::exists(logPath()) ? tmp.read(u"stress.log"_s) : QByteArray();
    ASSERT_TRUE(parseLog(bytes, present, failure)) << failure.toStdString();
    for (const Writer& w : writers)
        EXPECT_TRUE(w.reportedOk.contains(present[w.id])) << w.id.toStdString();
    EXPECT_GT(clears, 0);
    RecordProperty("clears", clears);
    const QStringList left = zvtest::namesIn(tmp.path());
    EXPECT_FALSE(left.contains(u"stress.lck"_s));
}

TEST_F(LogFileMultiProcess, AWriterGivesUpOnALockHeldTooLongAndLeavesTheLogAsItWas) {
    ScopedProcessContext ctx;
    tmp.write(u"stress.log"_s, "antes\n");
    Child holder = applog({u"hold"_s, u"--log"_s, logPath(), u"--seconds"_s, u"3"_s});
    ASSERT_EQ(readLine(holder.out, 10000), "locked");

    auto reg = writerOf(logPath());
    reg->CmpRtx(u"durante"_s);
    QElapsedTimer clock;
    clock.start();
    int ok = -1;
    reg->cmpReg(u"K"_s, ok);
    const qint64 waited = clock.elapsed();
    EXPECT_EQ(ok, 0);
    EXPECT_GE(waited, 1800);
    EXPECT_LE(waited, 4000);
    EXPECT_EQ(tmp.read(u"stress.log"_s), "antes\n");

    EXPECT_EQ(waitExit(holder.pid), 0);
    ::close(holder.out);
    reg->cmpReg(u"K"_s, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(tmp.read(u"stress.log"_s), "antes\ndurante\n");
}
