#pragma once
// SupSysOp: the operating system's version record, read once when the object is made, with
// its fields, tests of the product-suite bits, Windows family flags and display texts.
//
// On this system the record comes from the same reader as the foundation's OS name
// (platform/OsIdentity): platform 0 (no Windows family, so no flag is set), the kernel's
// release numbers as major, minor and build, and the distribution's own name as the system
// name. Platform() then gives that name, so Version() reads e.g. "Debian GNU/Linux 12
// (bookworm) v6.1, Build 0", the same text the foundation reports. A Windows record (platform 1
// or 2) can be given to the constructor; it is described as the Windows versions were.

#include <QString>
#include <cstdint>
#include <functional>

namespace zv {

// A version record as the system reports it.
struct OsVersionRecord {
    int32_t majorVersion = 0;
    int32_t minorVersion = 0;
    int32_t buildNumber = 0;
    // 1 the Windows 9x family, 2 the NT family, 0 a system of its own (this one).
    int32_t platformId = 0;
    // The service-pack text; it ends at its first NUL character.
    QString csdVersion;
    int32_t servicePackMajor = 0;
    int32_t servicePackMinor = 0;
    int32_t suiteMask = 0;
    int32_t productType = 0;
    // The name a system that is no Windows gives itself ("" for Windows records).
    QString systemName;
};

class SupSysOp {
public:
    // The running system's record.
    SupSysOp();
    // The record that reader gives (read by FxIni).
    explicit SupSysOp(std::function<OsVersionRecord()> reader);
    ~SupSysOp();
    SupSysOp(const SupSysOp&) = delete;
    SupSysOp& operator=(const SupSysOp&) = delete;

    // The running system's record: the kernel's release numbers and the distribution's name.
    static OsVersionRecord systemRecord();

    // Reads the record again and sets the flags.
    void FxIni();
    void FxFim() {}

    int32_t MajorVersion() const { return record_.majorVersion; }
    int32_t MinorVersion() const { return record_.minorVersion; }
    int32_t PlatformID() const { return record_.platformId; }
    // The low 16 bits of the build number, signed (32768 and above become negative).
    int16_t BuildNumber() const { return int16_t(uint16_t(record_.buildNumber & 0xFFFF)); }
    // The service-pack text, trimmed.
    const QString& CSDVersion() const { return record_.csdVersion; }
    int16_t ServicePackMajor() const { return int16_t(record_.servicePackMajor); }
    int16_t ServicePackMinor() const { return int16_t(record_.servicePackMinor); }
    int16_t SuiteMask() const { return int16_t(record_.suiteMask); }
    int16_t ProductType() const { return int16_t(record_.productType & 0xFF); }

    // Product-suite bits: Small Business &H1, Advanced Server &H2, BackOffice &H4, Terminal
    // Services &H10, Small Business restricted &H20, DataCenter &H80.
    bool HasSBS() const { return record_.suiteMask & 0x1; }
    bool HasAS() const { return record_.suiteMask & 0x2; }
    bool HasBO() const { return record_.suiteMask & 0x4; }
    bool HasTS() const { return record_.suiteMask & 0x10; }
    bool HasSBSr() const { return record_.suiteMask & 0x20; }
    bool HasDC() const { return record_.suiteMask & 0x80; }

    // Platform 1: 95 always, 98 from minor 10, Me from build 3000. Platform 2: NT always, 2000
    // from major 5, XP from major 5 with minor 1 or more.
    bool IsWinNT() const { return isWinNT_; }
    bool IsWin2K() const { return isWin2K_; }
    bool IsWinXP() const { return isWinXP_; }
    bool IsWin95() const { return isWin95_; }
    bool IsWin98() const { return isWin98_; }
    bool IsWinME() const { return isWinME_; }
    bool IsWin9x() const { return isWin95_ || isWin98_ || isWinME_; }

    // The first flag set, in the order Me, 98, 95, XP, 2000, NT ("Windows Me" ...); with no
    // flag, the system's own name ("" for a Windows record).
    QString Platform() const;
    // Platform & " v" & major & "." & minor & ", Build " & BuildNumber.
    QString Version() const;
    // 0 "Unknown", 1 "NT Workstation", 2 "Domain Controller", 3 "NT Server", others "".
    QString ProductTypeName() const;

    void SysOpIde(QString& platform) const { platform = Platform(); }
    // major & "." & minor & ", Build " & BuildNumber.
    void SysOpVer(QString& version) const;
    // The service-pack text, with "Advanced Server" joined by ", " when HasAS.
    void SysOpOpc(QString& options) const;
    void SysOpUsa(QString& platform, QString& version, QString& options) const;
    void SysOpIdv(QString& version, QString& options) const;

private:
    void OsvLer();

    QString objectName_ = QStringLiteral("SupSysOp");
    QString instanceId_;
    std::function<OsVersionRecord()> reader_;
    OsVersionRecord record_;
    bool isWinNT_ = false;
    bool isWin2K_ = false;
    bool isWinXP_ = false;
    bool isWin95_ = false;
    bool isWin98_ = false;
    bool isWinME_ = false;
};

} // namespace zv
