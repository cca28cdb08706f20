// The operating system's version record: Windows records as the system described them, and
// this system's own answer, which is the foundation's.

#include "ApiDec.h"
#include "AppSvcTestSupport.h"
#include "ScopedProcessContext.h"
#include "SupSysOp.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

OsVersionRecord windows(int platform, int major, int minor, int build, int suite = 0,
                        const QString& csd = QString()) {
    OsVersionRecord r;
    r.platformId = platform;
    r.majorVersion = major;
    r.minorVersion = minor;
    r.buildNumber = build;
    r.suiteMask = suite;
    r.csdVersion = csd;
    return r;
}

QString platformOf(const OsVersionRecord& r) {
    return SupSysOp([r] { return r; }).Platform();
}

} // namespace

TEST(OsVersion, WindowsFamilies) {
    const struct {
        OsVersionRecord record;
        const char* platform;
    } cases[] = {
        {windows(2, 5, 1, 2600), "Windows XP"},
        {windows(2, 5, 0, 2195), "Windows 2000"},
        {windows(2, 6, 0, 6002), "Windows 2000"},
        {windows(2, 6, 1, 7601), "Windows XP"},
        {windows(2, 4, 0, 1381), "Windows NT"},
        {windows(1, 4, 10, 2222), "Windows 98"},
        {windows(1, 4, 90, 3000), "Windows Me"},
        {windows(1, 4, 0, 950), "Windows 95"},
        {windows(3, 5, 1, 0), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platformOf(c.record), QString::fromLatin1(c.platform)) << c.platform;

    SupSysOp xp([] { return windows(2, 5, 1, 2600); });
    EXPECT_TRUE(xp.IsWinNT() && xp.IsWin2K() && xp.IsWinXP());
    EXPECT_FALSE(xp.IsWin9x());
    EXPECT_EQ(xp.Version(), "Windows XP v5.1, Build 2600");
    EXPECT_EQ(xp.ProductTypeName(), "Unknown");
    // The build's low word, signed.
    EXPECT_EQ(SupSysOp([] { return windows(1, 4, 10, 0x0A0A9C40); }).BuildNumber(), -25536);
}

TEST(OsVersion, SuiteBitsAndServicePackText) {
    const auto suite = [](int mask, const QString& csd = QString()) {
        return SupSysOp([=] { return windows(2, 5, 0, 2195, mask, csd); });
    };
    EXPECT_TRUE(suite(0x80).HasDC());
    EXPECT_FALSE(suite(0x8000).HasDC());
    EXPECT_FALSE(suite(0x100).HasDC()); // another bit is no DataCenter
    EXPECT_TRUE(suite(0x12).HasTS() && suite(0x12).HasAS() && !suite(0x12).HasSBS());

    QString options;
    suite(0x2).SysOpOpc(options);
    EXPECT_EQ(options, "Advanced Server");
    const SupSysOp sp = suite(0x2, QStringLiteral("  Service Pack 4 ") + QChar(0) + "lixo");
    EXPECT_EQ(sp.CSDVersion(), "Service Pack 4");
    QString platform, version;
    sp.SysOpUsa(platform, version, options);
    EXPECT_EQ(platform, "Windows 2000");
    EXPECT_EQ(version, "5.0, Build 2195");
    EXPECT_EQ(options, "Service Pack 4, Advanced Server");
}

TEST(OsVersion, ThisSystemAnswersAsTheFoundation) {
    ScopedProcessContext ctx;
    zvtest::TempDir temp;
    ctx->setOsReleaseFile(temp.write(QStringLiteral("os-release"),
                                     "NAME=\"Teste\"\nPRETTY_NAME=\"Teste Linux 3 (pinheiro)\"\n"));
    ctx->setUnameInfo(UnameInfo{QStringLiteral("Linux"), QStringLiteral("pc"),
                                QStringLiteral("6.12.40000-amd64"), QString(), QString()});
    const SupSysOp os;
    EXPECT_EQ(os.PlatformID(), 0);
    EXPECT_FALSE(os.IsWinNT() || os.IsWin9x());
    EXPECT_EQ(os.Version(), "Teste Linux 3 (pinheiro) v6.12, Build -25536");
    apiDecReset();
    QString text, number;
    SopVerTx(text, number);
    EXPECT_EQ(os.Version(), text);
    QString name, code;
    SopIdeLer(name, code);
    EXPECT_EQ(os.Platform(), name);
}
