#include "ProgramRunner.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zv {

namespace {

bool isExecutableFile(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    return ::stat(p.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(p.constData(), X_OK) == 0;
}

// The errno that starting this program would fail with, for a name that findExecutable did not
// resolve.
int missingProgramErrno(const QString& name) {
    if (!name.contains(u'/')) return ENOENT;
    struct stat st {};
    if (::stat(QFile::encodeName(name).constData(), &st) != 0) return errno;
    return EACCES; // a folder, or a file without the execute permission
}

struct Word {
    int start = 0; // position of its first character in the command
    int end = 0;   // one past its last character
    bool quoted = false;
    QString text; // without its quotes
};

std::vector<Word> words(const QString& cmd) {
    std::vector<Word> out;
    int i = 0;
    const int n = int(cmd.size());
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (i < n) {
        while (i < n && blank(cmd[i]))
            ++i;
        if (i >= n) break;
        Word w;
        w.start = i;
        bool inQuotes = false;
        while (i < n && (inQuotes || !blank(cmd[i]))) {
            if (cmd[i] == u'"') {
                inQuotes = !inQuotes;
                w.quoted = true;
            } else {
                w.text += cmd[i];
            }
            ++i;
        }
        w.end = i;
        out.push_back(w);
    }
    return out;
}

pid_t pidfdOpen(pid_t pid) {
#ifdef SYS_pidfd_open
    return pid_t(::syscall(SYS_pidfd_open, pid, 0));
#else
    errno = ENOSYS;
    return -1;
#endif
}

} // namespace

QString findExecutable(const QString& name) {
    if (name.isEmpty()) return {};
    if (name.contains(u'/')) return isExecutableFile(name) ? name : QString();
    QString path = qEnvironmentVariable("PATH");
    if (path.isEmpty()) path = QStringLiteral("/usr/local/bin:/usr/bin:/bin");
    for (const QString& dir : path.split(u':')) {
        const QString candidate = (dir.isEmpty() ? QStringLiteral(".") : dir) + u'/' + name;
        if (isExecutableFile(candidate)) return candidate;
    }
    return {};
}

QStringList splitCommandLine(const QString& command) {
    const std::vector<Word> ws = words(command);
    if (ws.empty()) return {};
    size_t programWords = 1;
    if (!ws[0].quoted && findExecutable(ws[0].text).isEmpty()) {
        // Grow the program across blanks while the words stay unquoted.
        for (size_t k = 1; k < ws.size() && !ws[k].quoted; ++k) {
            const QString candidate = command.mid(ws[0].start, ws[k].end - ws[0].start);
            if (!findExecutable(candidate).isEmpty()) {
                programWords = k + 1;
                break;
            }
        }
    }
    QStringList argv;
    if (programWords == 1)
        argv << ws[0].text;
    else
        argv << command.mid(ws[0].start, ws[programWords - 1].end - ws[0].start);
    for (size_t k = programWords; k < ws.size(); ++k)
        argv << ws[k].text;
    return argv;
}

ChildProcesses& ChildProcesses::instance() {
    static ChildProcesses children;
    return children;
}

pid_t ChildProcesses::start(const QStringList& argv, int& err) {
    reap();
    err = 0;
    if (argv.isEmpty() || argv[0].isEmpty()) {
        err = ENOENT;
        return 0;
    }
    const QString program = findExecutable(argv[0]);
    if (program.isEmpty()) {
        err = missingProgramErrno(argv[0]);
        return 0;
    }
    std::vector<QByteArray> bytes;
    bytes.reserve(size_t(argv.size()));
    bytes.push_back(QFile::encodeName(argv[0]));
    for (qsizetype i = 1; i < argv.size(); ++i)
        bytes.push_back(argv[i].toLocal8Bit());
    std::vector<char*> args;
    for (QByteArray& b : bytes)
        args.push_back(b.data());
    args.push_back(nullptr);

    // The child starts with the default signal handling and nothing blocked, whatever this
    // process has set up for itself.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const QByteArray path = QFile::encodeName(program);
    const int rc = ::posix_spawn(&pid, path.constData(), nullptr, &attr, args.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        err = rc;
        return 0;
    }
    ended_.removeAll(pid); // a reused process id
    running_.append(pid);
    return pid;
}

bool ChildProcesses::isChild(pid_t pid) const {
    return running_.contains(pid);
}

void ChildProcesses::recordEnd(pid_t pid) {
    running_.removeAll(pid);
    ended_.removeAll(pid);
    ended_.append(pid);
    while (ended_.size() > kEndedKept)
        ended_.removeFirst();
}

bool ChildProcesses::hasEnded(pid_t pid) const {
    return !running_.contains(pid) && ended_.contains(pid);
}

bool ChildProcesses::reapIfEnded(pid_t pid) {
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(pid, &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    // ECHILD: reaped by someone else, so ended all the same.
    if (r == pid || (r < 0 && errno == ECHILD)) {
        recordEnd(pid);
        return true;
    }
    return false;
}

void ChildProcesses::reap() {
    const QList<pid_t> children = running_;
    for (pid_t pid : children)
        reapIfEnded(pid);
}

bool ChildProcesses::isRunning(pid_t pid) {
    if (pid <= 0) return false;
    if (isChild(pid)) return !reapIfEnded(pid);
    if (hasEnded(pid)) return false;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

WaitResult ChildProcesses::wait(pid_t pid, qint64 timeoutMs) {
    if (pid <= 0) return WaitResult::Failed;
    if (hasEnded(pid)) return WaitResult::Ended;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    auto remaining = [&]() -> int {
        if (timeoutMs < 0) return -1;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        return int(std::clamp<qint64>(left, 0, INT_MAX));
    };

    const int fd = pidfdOpen(pid);
    if (fd < 0) {
        if (errno == ESRCH) return WaitResult::Failed;
        // No process descriptors (an old kernel): look every 10 ms.
        if (!isChild(pid) && !isRunning(pid)) return WaitResult::Failed;
        while (isRunning(pid)) {
            if (timeoutMs >= 0 && remaining() == 0) return WaitResult::TimedOut;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return WaitResult::Ended;
    }
    bool ended = false, failed = false;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, remaining());
        if (r > 0) {
            ended = true;
            break;
        }
        if (r < 0 && errno != EINTR) {
            failed = true;
            break;
        }
        if (r == 0 && timeoutMs >= 0 && remaining() == 0) break;
    }
    ::close(fd);
    if (!ended) return failed ? WaitResult::Failed : WaitResult::TimedOut;
    if (isChild(pid)) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        recordEnd(pid);
    }
    return WaitResult::Ended;
}

} // namespace zv
