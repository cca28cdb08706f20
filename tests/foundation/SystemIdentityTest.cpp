// The operating system's identity, user and computer names (ApiDec) and the drives and system
// folders (ApiFsys), from fixture files.
#include "ApiDec.h"
#include "ApiFsys.h"
#include "FicGlb.h"

#include "Convert.h"
#include "MountTable.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zv;

namespace {

class OsIdentity : public ::testing::Test {
protected:
    void SetUp() override {
        ctx->setOsReleaseFile(zvtest::dataPath("foundation/os-release"));
        ctx->setUnameInfo({"Linux", "host", "6.1.0-13-amd64", "#1 SMP", "x86_64"});
    }
    void TearDown() override { apiDecReset(); }
    ScopedProcessContext ctx;
};

TEST_F(OsIdentity, LinuxIsOfTheNtLineWithItsOwnName) {
    QString name, code;
    SopIdeLer(name, code);
    EXPECT_EQ(name, "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(code, "WNT");
    QString text, number;
    SopVerTx(text, number);
    EXPECT_EQ(text, "Debian GNU/Linux 12 (bookworm) v6.1, Build 0");
    EXPECT_EQ(number, "0.6.1.0");
    QString generation, family;
    SopIdeFam(generation, family, code);
    EXPECT_EQ(generation, "WNT");
    EXPECT_EQ(family, "WNT");

    Variant numberTarget; // Empty: receives a Double
    SopPrpCon("V+", numberTarget);
    EXPECT_EQ(numberTarget.varType(), vbDouble);
    EXPECT_EQ(numberTarget.rawDouble(), 6.0);
    Variant textTarget{QString()};
    SopPrpCon("anything", textTarget);
    EXPECT_EQ(textTarget.rawString(), text);

    ctx->setOsReleaseFile(zvtest::dataPath("foundation/os-release-noname"));
    SopIdeLer(name, code);
    EXPECT_EQ(name, "Example OS 1.0 \"Quoted\"");
    ctx->setOsReleaseFile(zvtest::dataPath("foundation/missing"));
    SopIdeLer(name, code);
    EXPECT_EQ(name, "Linux");
}

TEST_F(OsIdentity, WindowsRecordsGiveTheirCodesAndGenerations) {
    struct Case {
        int platform, major, minor;
        const char *code, *name, *generation, *family;
    } cases[] = {
        {1, 4, 0, "W95", "Windows 95", "9X", "9X"},
        {1, 4, 10, "W98", "Windows 98", "9X", "9X"},
        {2, 5, 0, "W2000", "Windows 2000", "W2K", "WNT"},
        {2, 5, 1, "WXP", "Windows XP", "W2K", "WNT"},
        {2, 6, 0, "WVI", "Windows Vista", "WVI", "WNT"},
        {2, 6, 1, "W7", "Windows 7", "WVI", "WNT"},
        {2, 4, 0, "WNT", "Windows NT", "WNT", "WNT"},
        {2, 10, 0, "WNT", "Windows NT", "WNT", "WNT"},
    };
    for (const Case& c : cases) {
        apiDecReset();
        SopVerInfo v;
        v.platformId = c.platform;
        v.major = c.major;
        v.minor = c.minor;
        apiDecState().versionOverride = v;
        QString name, code, generation, family;
        SopIdeLer(name, code);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(name, c.name);
        SopIdeFam(generation, family, code);
        EXPECT_EQ(generation, c.generation) << c.code;
        EXPECT_EQ(family, c.family) << c.code;
    }
    // Flags stay set: after XP, a Windows 7 record still reads as XP.
    apiDecState().versionOverride->minor = 1;
    apiDecState().versionOverride->major = 5;
    QString name, code;
    SopIdeLer(name, code);
    apiDecState().versionOverride->major = 6;
    SopIdeLer(name, code);
    EXPECT_EQ(code, "WXP");
}

TEST_F(OsIdentity, BuildIsTheSignedLowWord) {
    EXPECT_EQ(NuI2Cnv(70000), 4464);
    EXPECT_EQ(NuI2Cnv(40000), -25536);
    EXPECT_EQ(NuI2Cnv(32767), 32767);
    SopVerInfo v;
    v.platformId = 2;
    v.major = 5;
    v.minor = 1;
    v.build = 40000;
    v.servicePack = QString("Service Pack 3") + QChar(0) + "junk";
    apiDecState().versionOverride = v;
    QString text, number;
    SopVerTx(text, number);
    EXPECT_EQ(text, "Windows XP v5.1, Build -25536");
    EXPECT_EQ(number, "2.5.1.-25536");
    Variant sp{QString()};
    SopPrpCon("VC", sp);
    EXPECT_EQ(sp.rawString(), "Service Pack 3");
}

TEST_F(OsIdentity, UserAndComputerNames) {
    QString name;
    int ok = 0;
    ctx->setUserName("jo ão");
    SopUsrNom(name, ok);
    EXPECT_EQ(name, "JOÃO");
    EXPECT_EQ(ok, 1);
    ctx->setUserName("");
    ok = 7;
    SopUsrNom(name, ok);
    EXPECT_EQ(name, "ROOT");
    EXPECT_EQ(ok, 7);
    ctx->setComputerName("build-01");
    SopPcNom(name, ok);
    EXPECT_EQ(name, "BUILD-01");
    ApiStrAjt(QString("a b") + QChar(0) + "c", name, ok, "X");
    EXPECT_EQ(name, "ABC");
}

class Drives : public ::testing::Test {
protected:
    void SetUp() override {
        ctx->setMountTableFile(zvtest::dataPath("foundation/mounts"));
        tmp.write("block/sda/removable", "0\n");
        tmp.write("block/sdb/removable", "1\n");
        apiFsysState().sysBlockFolder = tmp.path("block");
    }
    void TearDown() override {
        apiFsysReset();
        ficGlbReset();
    }
    ScopedProcessContext ctx;
    zvtest::TempDir tmp;
};

TEST_F(Drives, ListFilteredByType) {
    struct Case {
        const char *filter, *list;
    } cases[] = {
        {"", "/,/boot/efi,/data,/media/My Stick,/media/cdrom,/mnt/nfs,/mnt/share,/run"},
        {"HD", "/,/boot/efi,/data,/mnt/nfs,/mnt/share"},
        {"F", "/,/boot/efi,/data"},
        {"A", "/media/My Stick"},
        {"CD", "/media/cdrom"},
        {"R", "/mnt/nfs,/mnt/share"},
        {"RAM", "/run"},
        {"cd", "/,/boot/efi,/data,/media/My Stick,/media/cdrom,/mnt/nfs,/mnt/share,/run"},
    };
    for (const Case& c : cases) {
        QString list = "junk";
        DrvLst(list, c.filter);
        EXPECT_EQ(list, c.list) << c.filter;
    }
    ctx->setMountTableFile(tmp.path("none"));
    QString list = "junk";
    DrvLst(list, "");
    EXPECT_EQ(list, "");
}

TEST_F(Drives, RootsTypesAndTexts) {
    EXPECT_EQ(DrvLet(Variant(int16_t(3))), "C:/");
    EXPECT_EQ(DrvLet(Variant("C")), "C:/");
    EXPECT_EQ(DrvLet(Variant("C:/")), "C:/");
    EXPECT_EQ(DrvLet(Variant(int32_t(27))), "/");
    EXPECT_EQ(DrvLet(Variant("/media/cdrom")), "/media/cdrom/");
    FicSepIni("\\");
    EXPECT_EQ(DrvLet(Variant(3.0)), "C:\\");
    EXPECT_EQ(DrvLet(Variant("C:\\")), "C:\\");
    ficGlbReset();

    struct Case {
        Variant drive;
        int type;
        const char* text;
    } cases[] = {
        {Variant("/"), 3, "Fixo"},
        {Variant("/media/cdrom"), 5, "CD-ROM"},
        {Variant("/mnt/share/"), 4, "Remoto"},
        {Variant("/media/My Stick"), 2, "Amovivél"},
        {Variant("/run"), 6, "RAM Disk"},
        {Variant(int16_t(3)), 1, "Inválido"},
        {Variant("/usr"), 1, "Inválido"},
    };
    for (const Case& c : cases) {
        int type = 0;
        QString text;
        DrvTip(c.drive, type, text);
        EXPECT_EQ(type, c.type) << toText(c.drive).toStdString();
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(Drives, MountPointOfAPath) {
    const auto drives = readMountTable(zvtest::dataPath("foundation/mounts"), tmp.path("block"));
    EXPECT_EQ(mountPointOf(drives, "/media/cdrom/setup/x"), "/media/cdrom");
    EXPECT_EQ(mountPointOf(drives, "/media/cdromx"), "/");
    EXPECT_EQ(mountPointOf(drives, "/data"), "/data");
    EXPECT_EQ(mountPointOf(drives, "//fileserver/share/x"), "");
    EXPECT_EQ(mountPointOf(drives, "relative"), "");
}

TEST_F(Drives, TemporaryDriveSkipsOneThatCannotBeWritten) {
    const QString blocker = tmp.write("blocker", "a file, so nothing can be made below it");
    QDir().mkpath(tmp.path("good"));
    tmp.write("mounts", QString("/dev/x1 %1 ext4 rw 0 0\n/dev/x2 %2 ext4 rw 0 0\n"
                                "tmpfs %3 tmpfs rw 0 0\n")
                            .arg(blocker, tmp.path("good"), tmp.path("ram"))
                            .toUtf8());
    ctx->setMountTableFile(tmp.path("mounts"));
    QString drive, dir;
    DrvTmpPsq("", drive, dir);
    EXPECT_EQ(drive, blocker);
    EXPECT_EQ(dir, blocker + "/Tmp");
    DrvTmpPsq(" v ", drive, dir);
    EXPECT_EQ(drive, tmp.path("good"));
    EXPECT_EQ(dir, tmp.path("good/Tmp"));
    EXPECT_TRUE(QFileInfo(dir).isDir()); // the folder stays
    EXPECT_FALSE(QFileInfo::exists(dir + "/Tmp.xxx"));
    ctx->setMountTableFile(tmp.path("none"));
    DrvTmpPsq("V", drive, dir);
    EXPECT_EQ(drive, "");
    EXPECT_EQ(dir, "");
}

TEST_F(Drives, SystemFoldersAreNeverEmpty) {
    QString win, sys;
    DirSis(win, sys);
    EXPECT_FALSE(win.isEmpty());
    EXPECT_FALSE(sys.isEmpty());
    EXPECT_TRUE(QFileInfo(sys).isDir());
    ctx->setTempFolder(tmp.path() + "/");
    EXPECT_EQ(DirTmp(), tmp.path());
    ctx->setTempFolder("/");
    EXPECT_EQ(DirTmp(), "/");
}

} // namespace
