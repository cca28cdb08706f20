#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <sched.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zvtest {

QString dataPath(const QString& relative) {
    QString base = QStringLiteral(ZV_TEST_DATA);
    return relative.isEmpty() ? base : base + u'/' + relative;
}

QString binPath(const QString& relative) {
    QString base = QStringLiteral(ZV_TEST_BIN);
    return relative.isEmpty() ? base : base + u'/' + relative;
}

TempDir::TempDir() : dir_(QDir::tempPath() + QStringLiteral("/zvtest-XXXXXX")) {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

QString TempDir::path(const QString& relative) const {
    return relative.isEmpty() ? dir_.path() : dir_.path() + u'/' + relative;
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const {
    QString p = path(relative);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
    return p;
}

QByteArray TempDir::read(const QString& relative) const {
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

int runInChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        int code = 125;
        try {
            code = body();
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void limitFileSize(qint64 bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit { rlim_t(bytes), rlim_t(bytes) };
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

bool mountPrivateTmpfs(const QString& folder, int sizeKb) {
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0) return false;
    // Mounts made from here on stay in this namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    const QByteArray options = "size=" + QByteArray::number(sizeKb) + "k";
    return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                   options.constData()) == 0;
}

void fillFileSystem(const QString& folder) {
    QFile filler(folder + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // The last partial block.
    while (filler.write(block.constData(), 1) == 1) {
    }
}

QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace zvtest
