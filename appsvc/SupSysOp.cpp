#include "SupSysOp.h"

#include "DbgFx.h"
#include "OsIdentity.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

SupSysOp::SupSysOp() : SupSysOp(&SupSysOp::systemRecord) {}

SupSysOp::SupSysOp(std::function<OsVersionRecord()> reader) : reader_(std::move(reader)) {
    DbgObIni(objectName_, instanceId_);
    FxIni();
}

SupSysOp::~SupSysOp() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
}

OsVersionRecord SupSysOp::systemRecord() {
    const ProcessContext& context = ProcessContext::current();
    const KernelVersion kernel = parseKernelRelease(context.unameInfo().release);
    OsVersionRecord r;
    r.majorVersion = kernel.major;
    r.minorVersion = kernel.minor;
    r.buildNumber = kernel.build;
    r.platformId = 0;
    r.systemName = osPrettyName(context.osReleaseFile());
    return r;
}

void SupSysOp::FxIni() {
    OsvLer();
}

void SupSysOp::OsvLer() {
    record_ = reader_ ? reader_() : OsVersionRecord{};
    // The service-pack text ends at its first NUL.
    const qsizetype nul = record_.csdVersion.indexOf(QChar(0));
    if (nul >= 0) record_.csdVersion.truncate(nul);
    record_.csdVersion = Trim(record_.csdVersion);

    isWinNT_ = isWin2K_ = isWinXP_ = isWin95_ = isWin98_ = isWinME_ = false;
    if (record_.platformId == 1) {
        isWin95_ = true;
        isWin98_ = record_.minorVersion >= 10;
        isWinME_ = BuildNumber() >= 3000;
    } else if (record_.platformId == 2) {
        isWinNT_ = true;
        isWin2K_ = record_.majorVersion >= 5;
        isWinXP_ = record_.majorVersion >= 5 && record_.minorVersion >= 1;
    }
}

QString SupSysOp::Platform() const {
    if (isWinME_) return QStringLiteral("Windows Me");
    if (isWin98_) return QStringLiteral("Windows 98");
    if (isWin95_) return QStringLiteral("Windows 95");
    if (isWinXP_) return QStringLiteral("Windows XP");
    if (isWin2K_) return QStringLiteral("Windows 2000");
    if (isWinNT_) return QStringLiteral("Windows NT");
    return record_.systemName;
}

QString SupSysOp::Version() const {
    QString version;
    SysOpVer(version);
    return Platform() + QStringLiteral(" v") + version;
}

QString SupSysOp::ProductTypeName() const {
    switch (ProductType()) {
    case 0:
        return QStringLiteral("Unknown");
    case 1:
        return QStringLiteral("NT Workstation");
    case 2:
        return QStringLiteral("Domain Controller");
    case 3:
        return QStringLiteral("NT Server");
    default:
        return QString();
    }
}

void SupSysOp::SysOpVer(QString& version) const {
    version = QString::number(record_.majorVersion) + u'.' + QString::number(record_.minorVersion) +
              QStringLiteral(", Build ") + QString::number(BuildNumber());
}

void SupSysOp::SysOpOpc(QString& options) const {
    options = record_.csdVersion;
    if (HasAS()) TxJun(options, QStringLiteral(", "), Variant(QStringLiteral("Advanced Server")));
}

void SupSysOp::SysOpUsa(QString& platform, QString& version, QString& options) const {
    SysOpIde(platform);
    SysOpVer(version);
    SysOpOpc(options);
}

void SupSysOp::SysOpIdv(QString& version, QString& options) const {
    version = Version();
    SysOpOpc(options);
}

} // namespace zv
