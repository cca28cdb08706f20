#pragma once
// What the code knows about the process it runs in: the program's folder and arguments, the
// folders that stand in for the Windows folders, the temp folder, the clock, the files that
// stand in for the registry, the drive list and the OS identity, the user and computer names,
// and the host services. Every value comes from the running process unless a test sets it.
//
// The modules that keep module-level state reach the context through current(); a test makes
// a fresh one current for its duration with ScopedProcessContext.

#include "HostServices.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace zv {

// The kernel's identification (uname(2)).
struct UnameInfo {
    QString sysname;
    QString nodename;
    QString release;
    QString version;
    QString machine;
};

class ProcessContext {
public:
    // The running process's values and the headless services.
    ProcessContext();
    ProcessContext(const ProcessContext&) = delete;
    ProcessContext& operator=(const ProcessContext&) = delete;

    // The context in use: the innermost ScopedProcessContext, else the process's own.
    static ProcessContext& current();

    // The executable's path and its folder.
    QString programFile() const;
    QString programFolder() const;
    // The command line, the program itself as the first element.
    QStringList arguments() const;

    // The person's home folder ($HOME).
    QString homeFolder() const;
    // The program's own data folder: the XDG data home (~/.local/share) + "/zelvyn".
    QString dataFolder() const;
    // The stand-ins of the Windows folder and of the system folder: folders under the data
    // folder, created when asked for. Never "" (also when they cannot be created).
    QString windowsFolder() const;
    QString systemFolder() const;
    // The temp folder (TMPDIR, else /tmp), without a trailing separator ("/" stays "/").
    QString tempFolder() const;

    // The local date and time.
    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

    // The file that holds the registry values: ZELVYN_REGISTRY when set, else "registry.reg"
    // in the data folder.
    QString registryFile() const;
    // The table of mounted file systems (the drive list).
    QString mountTableFile() const;
    // The OS identification file: /etc/os-release, else /usr/lib/os-release.
    QString osReleaseFile() const;
    UnameInfo unameInfo() const;

    // The name of the effective user; "" only when the system knows none.
    QString userName() const;
    // The host name up to its first "."; "" only when the system gives none.
    QString computerName() const;

    // Overrides for tests (and for the program's own settings).
    void setProgramFile(const QString& path) { programFile_ = path; }
    void setProgramFolder(const QString& path) { programFolder_ = path; }
    void setArguments(const QStringList& args) { arguments_ = args; }
    void setHomeFolder(const QString& path) { homeFolder_ = path; }
    void setDataFolder(const QString& path) { dataFolder_ = path; }
    void setTempFolder(const QString& path) { tempFolder_ = path; }
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    void setRegistryFile(const QString& path) { registryFile_ = path; }
    void setMountTableFile(const QString& path) { mountTableFile_ = path; }
    void setOsReleaseFile(const QString& path) { osReleaseFile_ = path; }
    void setUnameInfo(const UnameInfo& info) { uname_ = info; }
    void setUserName(const QString& name) { userName_ = name; }
    void setComputerName(const QString& name) { computerName_ = name; }

    const HostServices& services() const { return services_; }
    // Installs services; a member left null keeps the service installed now.
    void setServices(const HostServices& services);
    MessageBoxService& messageBox() const { return *services_.messageBox; }
    EventPump& pump() const { return *services_.pump; }
    ShellOperationUi& shellUi() const { return *services_.shellUi; }
    DocumentOpener& opener() const { return *services_.opener; }
    WindowService& windows() const { return *services_.windows; }

private:
    friend class ScopedProcessContext;
    static ProcessContext* current_;

    std::optional<QString> programFile_;
    std::optional<QString> programFolder_;
    std::optional<QStringList> arguments_;
    std::optional<QString> homeFolder_;
    std::optional<QString> dataFolder_;
    std::optional<QString> tempFolder_;
    std::function<QDateTime()> clock_;
    std::optional<QString> registryFile_;
    std::optional<QString> mountTableFile_;
    std::optional<QString> osReleaseFile_;
    std::optional<UnameInfo> uname_;
    std::optional<QString> userName_;
    std::optional<QString> computerName_;
    HostServices services_;
};

} // namespace zv
