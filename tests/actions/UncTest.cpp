// Network paths of SupFsys: conversion and existence over fixture mount tables and a fixture
// Samba configuration; share lists of this machine and of a real SMB server (a private smbd).

#include "ActionsTest.h"
#include "PrivateSmbd.h"
#include "SupFsys.h"
#include "SupFsysShr.h"

#include "FicGlb.h"

#include <QDir>
#include <QElapsedTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zv;
using namespace zvtest;
using namespace Qt::Literals::StringLiterals;

namespace {

// The rows of a share list as "type|name|local path", checking its shape on the way.
QStringList rows(const Variant& list, int n) {
    QStringList out;
    const VArray& a = list.array();
    EXPECT_EQ(a.dimensions(), 2);
    EXPECT_EQ(a.ubound(1), 2);
    EXPECT_EQ(a.ubound(2), n);
    for (int32_t c = 0; c <= 2; ++c) {
        const int32_t at[] = {c, 0};
        EXPECT_TRUE(a.at(at).isEmpty());
    }
    for (int32_t r = 1; r <= n; ++r) {
        QStringList fields;
        for (int32_t c = 0; c <= 2; ++c) {
            const int32_t at[] = {c, r};
            fields << a.at(at).rawString();
        }
        out << fields.join(u'|');
    }
    return out;
}

class UncPaths : public ActionsTest {
protected:
    void SetUp() override {
        for (const char* dir : {"mnt/pub", "mnt/my docs", "mnt/nfs", "data/docs", "data/docsold"})
            QDir().mkpath(path(dir));
        const QString r = path();
        temp.write(u"mounts"_s, u"/dev/sda1 / ext4 rw 0 0\n"
                                "//fileserver/Public %1/mnt/pub cifs rw,relatime 0 0\n"
                                "//fs2/My\\040Docs/ %1/mnt/my\\040docs smb3 rw 0 0\n"
                                "nas:/export/home %1/mnt/nfs nfs4 rw 0 0\n"
                                "//gone/share %1/mnt/gone cifs rw 0 0\n"
                                "/dev/sdb1 %1/data ext4 rw 0 0\n"_s.arg(r)
                                    .toUtf8());
        ctx->setMountTableFile(path("mounts"));
        ctx->setComputerName(u"testhost"_s);
        fsys.UncSmbCnf = temp.write(u"smb.conf"_s, u"# fixture\n"
                                                   "[global]\n"
                                                   "   workgroup = WG\n"
                                                   "[homes]\n"
                                                   "   path = /home\n"
                                                   "[printers]\n"
                                                   "   path = /var/spool/samba\n"
                                                   "   printable = yes\n"
                                                   "[Dados]\n"
                                                   "   comment = the documents\n"
                                                   "   Path = %1/data/docs/\n"
                                                   "[Fila]\n"
                                                   "   path = %1/data/docs\n"
                                                   "   Print OK = Yes\n"
                                                   "[Tudo]\n"
                                                   "   path = \\\n"
                                                   "%1/data\n"
                                                   "[sem caminho]\n"
                                                   "   read only = no\n"
                                                   "[dados]\n"
                                                   "   guest ok = yes\n"_s.arg(r)
                                                       .toUtf8());
    }
    void TearDown() override { ficGlbReset(); }
    QString cnv(const QString& p, int& ok) {
        QString unc = u"junk"_s;
        ok = -1;
        fsys.UncCnv(p, unc, ok);
        return unc;
    }
    SupFsys fsys;
};

} // namespace

TEST_F(UncPaths, ConvertFromMountsAndShares) {
    const QString r = path();
    struct Case {
        QString path, unc;
    } const cases[] = {
        // Network paths stand as they are, without a trailing separator; "//" is never folded.
        {u"//srv/share/dir/"_s, u"//srv/share/dir"_s},
        {u"//srv//share"_s, u"//srv//share"_s},
        {r + u"/mnt/pub"_s, u"//fileserver/Public"_s},
        {r + u"/mnt/pub/a b/c.txt"_s, u"//fileserver/Public/a b/c.txt"_s},
        {r + u"/mnt/my docs/x/"_s, u"//fs2/My Docs/x"_s},
        {r + u"/mnt/nfs/u1/f"_s, u"//nas/export/home/u1/f"_s},
        // On a local mount: the first disk share whose folder holds the path.
        {r + u"/data/docs/a.txt"_s, u"//testhost/Dados/a.txt"_s},
        {r + u"/data/docs"_s, u"//testhost/Dados"_s},
        // A share's folder holds only its own subfolders, not every name that begins like it.
        {r + u"/data/docsold/x"_s, u"//testhost/Tudo/docsold/x"_s},
        {r + u"/mnt/pubs"_s, QString()},
        {u"/usr/share"_s, QString()},
        {u"relative/path"_s, QString()},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        int ok = 0;
        EXPECT_EQ(cnv(c.path, ok), c.unc) << c.path.toStdString();
        EXPECT_EQ(ok, c.unc.isEmpty() ? 0 : 1) << c.path.toStdString();
    }
    int ok = -1;
    fsys.UncOk(u"//a"_s, ok);
    EXPECT_EQ(ok, 1);
    fsys.UncOk(u"/a"_s, ok);
    EXPECT_EQ(ok, 0);

    // Without a Samba configuration only mounts convert.
    fsys.UncSmbCnf = path("none.conf");
    EXPECT_EQ(cnv(r + u"/data/docs/a.txt"_s, ok), QString());
    EXPECT_EQ(cnv(r + u"/mnt/pub/a"_s, ok), u"//fileserver/Public/a"_s);

    // The mountinfo layout of the table reads the same.
    temp.write(u"mountinfo"_s,
               u"22 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n"
               "40 22 0:50 / %1/mnt/my\\040docs rw - cifs //fs2/My\\040Docs rw\n"_s.arg(r)
                   .toUtf8());
    ctx->setMountTableFile(path("mountinfo"));
    EXPECT_EQ(cnv(r + u"/mnt/my docs/y"_s, ok), u"//fs2/My Docs/y"_s);
}

TEST_F(UncPaths, ExistenceFromMountsAndShares) {
    struct Case {
        QString path;
        int exists, isUnc;
    } const cases[] = {
        // Server and share names are case-blind; the rest of the path is not looked at.
        {u"//fileserver/public/any/thing"_s, 1, 1},
        {u"//FILESERVER/Public"_s, 1, 1},
        {u"//fileserver/Public/"_s, 1, 1},
        {u"//fileserver/Other"_s, 0, 1},
        {u"//fileserver"_s, 0, 1},
        {u"//fs2/my docs/x"_s, 1, 1},
        {u"//nas/export/home"_s, 1, 1},
        // Mounted on a folder that is not there.
        {u"//gone/share"_s, 0, 1},
        // This machine's disk shares, not its print shares nor another machine's.
        {u"//TestHost/DADOS/a"_s, 1, 1},
        {u"//testhost/Fila"_s, 0, 1},
        {u"//otherhost/Dados"_s, 0, 1},
        {u"//testhost/homes"_s, 0, 1},
        // A local folder is no network path, whatever "//" + it would name on Linux.
        {u"/"_s + path("mnt"), 0, 1},
        {path("mnt/pub"), 0, 0},
    };
    for (const Case& c : cases) {
        int exists = -1, isUnc = -1;
        fsys.UncExi(c.path, exists, isUnc);
        EXPECT_EQ(exists, c.exists) << c.path.toStdString();
        EXPECT_EQ(isUnc, c.isUnc) << c.path.toStdString();
    }
    // What a local path converts to exists.
    QString unc;
    int ok = 0, exists = 0, isUnc = 0;
    fsys.UncCnv(path("data/docsold"), unc, ok);
    fsys.UncExi(unc, exists, isUnc);
    EXPECT_EQ(exists, 1) << unc.toStdString();
}

TEST_F(UncPaths, ThisMachinesShares) {
    const QString r = path();
    Variant list;
    int n = -1;
    fsys.UncShares(QString(), list, n);
    EXPECT_EQ(rows(list, n),
              (QStringList{u"HD|Dados|%1/data/docs/"_s.arg(r), u"PRT|Fila|%1/data/docs"_s.arg(r),
                           u"HD|Tudo|%1/data"_s.arg(r), u"IPC|IPC$|"_s}));
    EXPECT_EQ(n, 4);

    fsys.UncSmbCnf = path("none.conf");
    fsys.UncShares(u"  "_s, list, n);
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(rows(list, 0).isEmpty());
}

TEST(UncShareTypes, Texts) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "HD"},          {1, "PRT"},         {2, "DEV"}, {3, "IPC"}, {0x80000000u, "IPC"},
        {0x80000003u, "?"}, {0x80000001u, "?"}, {4, "?"},
    };
    for (const auto& [type, text] : cases)
        EXPECT_EQ(unc::shareTypeText(type), QString::fromLatin1(text)) << type;
}

namespace {

class UncServer : public ActionsTest {
protected:
    void SetUp() override {
        if (PrivateSmbd::program().isEmpty())
            GTEST_SKIP() << "smbd is not installed (Debian package samba): no server to list";
        QString error;
        ASSERT_TRUE(smbd.start(
            path("smbd"), {{u"Alpha"_s, false}, {u"beta two"_s, false}, {u"Impressora"_s, true}},
            error))
            << error.toStdString();
        server = u"127.0.0.1:%1"_s.arg(smbd.port());
        // Samba starts its share-list service on the first request, which may take longer than
        // a listing is given: that first request waits as long as it needs.
        std::vector<unc::ShareRecord> shares;
        bool listed = false;
        for (int i = 0; i < 6 && !listed; ++i)
            listed = unc::serverShares(server, 20000, shares);
        ASSERT_TRUE(listed) << "the private smbd does not list its shares";
    }
    PrivateSmbd smbd;
    QString server;
};

} // namespace

TEST_F(UncServer, ListsExactlyItsShares) {
    SupFsys fsys;
    Variant list;
    int n = -1;
    for (const QString& name : {server, u"//"_s + server}) {
        fsys.UncShares(name, list, n);
        QStringList found = rows(list, n);
        found.sort();
        EXPECT_EQ(found, (QStringList{u"HD|Alpha|"_s, u"HD|beta two|"_s, u"IPC|IPC$|"_s,
                                      u"PRT|Impressora|"_s}))
            << name.toStdString();
    }
    // Names that would change the request are refused.
    for (const QString& name : {u"guest@127.0.0.1:%1"_s.arg(smbd.port()), server + u"/Alpha"_s}) {
        fsys.UncShares(name, list, n);
        EXPECT_EQ(n, 0) << name.toStdString();
    }
}

TEST(UncNoServer, SilentOrAbsentServerGivesNothingSoon) {
    // A port that takes connections and never answers.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(fd, 8), 0);
    ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len), 0);
    const QString silent = u"127.0.0.1:%1"_s.arg(ntohs(a.sin_port));

    SupFsys fsys;
    Variant list;
    int n = -1;
    QElapsedTimer clock;
    clock.start();
    fsys.UncShares(silent, list, n);
    EXPECT_EQ(n, 0);
    EXPECT_LT(clock.elapsed(), 10000);
    ::close(fd);
    // Nobody listens there any more.
    fsys.UncShares(silent, list, n);
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(rows(list, 0).isEmpty());
}
