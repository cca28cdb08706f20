#include "ProcessContext.h"

#include "HeadlessServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace zv {

namespace {

// The command line as the kernel keeps it, for a process without a Qt application object.
QStringList kernelArguments() {
    QFile f(QStringLiteral("/proc/self/cmdline"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QByteArray all = f.readAll();
    if (all.endsWith('\0')) all.chop(1);
    QStringList args;
    for (const QByteArray& a : all.split('\0'))
        args << QFile::decodeName(a);
    return args;
}

QString passwdName(uid_t uid) {
    long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? size_t(hint) : 1024);
    passwd entry{};
    passwd* found = nullptr;
    int rc;
    while ((rc = getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found)) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return rc == 0 && found && found->pw_name ? QString::fromLocal8Bit(found->pw_name) : QString();
}

QString hostName() {
    long max = sysconf(_SC_HOST_NAME_MAX);
    std::vector<char> buffer(size_t(max > 0 ? max : 255) + 1, '\0');
    if (gethostname(buffer.data(), buffer.size() - 1) != 0) return {};
    return QString::fromLocal8Bit(buffer.data()); // the last byte stays NUL: always terminated
}

// A folder that exists, or is made; its path either way.
QString madeFolder(const QString& path) {
    QDir().mkpath(path);
    return path;
}

} // namespace

ProcessContext* ProcessContext::current_ = nullptr;

ProcessContext::ProcessContext() : services_(HeadlessServices().services()) {}

ProcessContext& ProcessContext::current() {
    if (current_) return *current_;
    static ProcessContext process;
    return process;
}

QString ProcessContext::programFile() const {
    if (programFile_) return *programFile_;
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString ProcessContext::programFolder() const {
    if (programFolder_) return *programFolder_;
    return QFileInfo(programFile()).absolutePath();
}

QStringList ProcessContext::arguments() const {
    if (arguments_) return *arguments_;
    return QCoreApplication::instance() ? QCoreApplication::arguments() : kernelArguments();
}

QString ProcessContext::homeFolder() const {
    return homeFolder_ ? *homeFolder_ : QDir::homePath();
}

QString ProcessContext::dataFolder() const {
    if (dataFolder_) return *dataFolder_;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/zelvyn");
}

QString ProcessContext::windowsFolder() const {
    return madeFolder(dataFolder() + QStringLiteral("/windows"));
}

QString ProcessContext::systemFolder() const {
    return madeFolder(dataFolder() + QStringLiteral("/windows/system"));
}

QString ProcessContext::tempFolder() const {
    QString path = tempFolder_ ? *tempFolder_ : QDir::tempPath();
    // Qt gives "" when TMPDIR names no existing folder; temp files must still go somewhere.
    if (path.isEmpty() || (!tempFolder_ && !QFileInfo(path).isDir())) path = QStringLiteral("/tmp");
    return QDir::cleanPath(path); // also drops a trailing separator, but not the root's
}

QString ProcessContext::registryFile() const {
    if (registryFile_) return *registryFile_;
    const QString env = qEnvironmentVariable("ZELVYN_REGISTRY");
    return env.isEmpty() ? dataFolder() + QStringLiteral("/registry.reg") : env;
}

QString ProcessContext::mountTableFile() const {
    return mountTableFile_ ? *mountTableFile_ : QStringLiteral("/proc/self/mounts");
}

QString ProcessContext::osReleaseFile() const {
    if (osReleaseFile_) return *osReleaseFile_;
    const QString etc = QStringLiteral("/etc/os-release");
    return QFileInfo::exists(etc) ? etc : QStringLiteral("/usr/lib/os-release");
}

UnameInfo ProcessContext::unameInfo() const {
    if (uname_) return *uname_;
    utsname u{};
    if (::uname(&u) != 0) return {};
    return {QString::fromLocal8Bit(u.sysname), QString::fromLocal8Bit(u.nodename),
            QString::fromLocal8Bit(u.release), QString::fromLocal8Bit(u.version),
            QString::fromLocal8Bit(u.machine)};
}

QString ProcessContext::userName() const {
    if (userName_) return *userName_;
    QString name = passwdName(geteuid());
    // A user id without a passwd entry (containers): the login's name from the environment.
    if (name.isEmpty()) name = qEnvironmentVariable("USER");
    if (name.isEmpty()) name = qEnvironmentVariable("LOGNAME");
    return name;
}

QString ProcessContext::computerName() const {
    if (computerName_) return *computerName_;
    QString name = hostName();
    if (name.isEmpty()) name = unameInfo().nodename;
    return name.section(u'.', 0, 0);
}

void ProcessContext::setServices(const HostServices& services) {
    if (services.messageBox) services_.messageBox = services.messageBox;
    if (services.pump) services_.pump = services.pump;
    if (services.shellUi) services_.shellUi = services.shellUi;
    if (services.opener) services_.opener = services.opener;
    if (services.windows) services_.windows = services.windows;
}

} // namespace zv
