#include "PrivateSmbd.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zvtest {

namespace {

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A loopback port nobody listens on now.
int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    sockaddr_in a = loopback(0);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

bool takesConnections(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const sockaddr_in a = loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

// Gone, or a zombie nobody reaps yet: either way it does nothing more.
bool ended(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z";
}

// Ends a process that is not our child (and its group when it leads one): asked first, then
// killed.
void endProcess(pid_t pid) {
    const pid_t target = ::getpgid(pid) == pid ? -pid : pid;
    ::kill(target, SIGTERM);
    for (int i = 0; i < 30 && !ended(pid); ++i)
        QThread::msleep(100);
    ::kill(target, SIGKILL);
}

} // namespace

QString PrivateSmbd::program() {
    QString p = QStandardPaths::findExecutable(QStringLiteral("smbd"));
    if (p.isEmpty())
        p = QStandardPaths::findExecutable(QStringLiteral("smbd"),
                                           {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                            QStringLiteral("/usr/local/sbin")});
    return p;
}

bool PrivateSmbd::start(const QString& root, const QList<Share>& shares, QString& error) {
    root_ = root;
    config_ = root + QStringLiteral("/smb.conf");
    for (const char* dir : {"lock", "state", "cache", "private", "pid", "ncalrpc"})
        QDir().mkpath(root + u'/' + QLatin1String(dir));
    QString sections;
    for (qsizetype i = 0; i < shares.size(); ++i) {
        const QString folder = root + QStringLiteral("/share%1").arg(i);
        QDir().mkpath(folder);
        // A print share spools into its folder, which everyone may write.
        if (shares[i].printable) ::chmod(QFile::encodeName(folder).constData(), 01777);
        sections += QStringLiteral("[%1]\npath = %2\nguest ok = yes\n%3\n")
                        .arg(shares[i].name, folder,
                             shares[i].printable ? QStringLiteral("printable = yes")
                                                 : QStringLiteral("read only = yes"));
    }
    // A port taken by someone else between the look-up and the start makes smbd end: another
    // port is tried.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int port = freePort();
        QFile conf(config_);
        if (!conf.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            error = QStringLiteral("cannot write ") + config_;
            return false;
        }
        conf.write(QStringLiteral("[global]\n"
                                  "smb ports = %1\n"
                                  "interfaces = 127.0.0.1\n"
                                  "bind interfaces only = yes\n"
                                  "disable netbios = yes\n"
                                  "server role = standalone server\n"
                                  "map to guest = Bad User\n"
                                  "load printers = no\n"
                                  "printing = bsd\n"
                                  "printcap name = /dev/null\n"
                                  "lock directory = %2/lock\n"
                                  "state directory = %2/state\n"
                                  "cache directory = %2/cache\n"
                                  "private dir = %2/private\n"
                                  "pid directory = %2/pid\n"
                                  "ncalrpc dir = %2/ncalrpc\n"
                                  "log file = %2/log.%m\n\n")
                       .arg(port)
                       .arg(root)
                       .toUtf8() +
                   sections.toUtf8());
        conf.close();
        if (startOn(port, error)) return true;
        stop();
    }
    return false;
}

bool PrivateSmbd::startOn(int port, QString& error) {
    const QByteArray smbd = QFile::encodeName(program());
    const QByteArray conf = QFile::encodeName(config_);
    const QByteArray log = QFile::encodeName(root_ + QStringLiteral("/smbd.out"));
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = QStringLiteral("fork failed");
        return false;
    }
    if (pid == 0) {
        // A group of its own, so that its helpers go with it; and it dies with the test.
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        const int out = ::open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
        }
        ::execl(smbd.constData(), "smbd", "-F", "--no-process-group", "--debug-stdout", "-s",
                conf.constData(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    pid_ = pid;
    port_ = port;
    for (int i = 0; i < 300; ++i) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            pid_ = -1;
            QFile out(root_ + QStringLiteral("/smbd.out"));
            out.open(QIODevice::ReadOnly);
            error = QStringLiteral("smbd ended at its start (status %1):\n%2")
                        .arg(status)
                        .arg(QString::fromUtf8(out.readAll().right(3000)));
            return false;
        }
        if (takesConnections(port)) return true;
        QThread::msleep(100);
    }
    error = QStringLiteral("smbd takes no connections on port %1 after 30 s").arg(port);
    return false;
}

void PrivateSmbd::stop() {
    if (pid_ > 0) {
        ::kill(-pid_, SIGTERM);
        bool reaped = false;
        for (int i = 0; i < 50 && !reaped; ++i) {
            reaped = ::waitpid(pid_, nullptr, WNOHANG) == pid_;
            if (!reaped) QThread::msleep(100);
        }
        ::kill(-pid_, SIGKILL);
        if (!reaped) ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    // The RPC helper that smbd starts on demand leaves smbd's group: it is found by its pid
    // file, and ended only when it serves this configuration.
    if (root_.isEmpty()) return;
    QFile pidFile(root_ + QStringLiteral("/pid/samba-dcerpcd.pid"));
    if (!pidFile.open(QIODevice::ReadOnly)) return;
    const pid_t helper = pid_t(pidFile.readAll().trimmed().toInt());
    if (helper <= 1) return;
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(helper));
    if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(QFile::encodeName(config_)))
        endProcess(helper);
}

} // namespace zvtest
