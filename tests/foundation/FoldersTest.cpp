// Creating folders and listing a folder (FicGlb).
#include "FicGlb.h"

#include "FileAttributes.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/xattr.h>
#include <unistd.h>

using namespace zv;

namespace {

class Folders : public ::testing::Test {
protected:
    void TearDown() override { ficGlbReset(); }
    ScopedProcessContext ctx;
    zvtest::TempDir tmp;
};

TEST_F(Folders, CreatesEveryLevelFromTheRoot) {
    // An absolute path is made where it says, whatever the current folder is.
    const QString deep = tmp.path("a/b/c");
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tmp.path()));
    int res = 99;
    DirCriNiv(deep, res);
    QDir::setCurrent(cwd);
    EXPECT_EQ(res, 0);
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_FALSE(QFileInfo::exists(tmp.path(tmp.path("a").mid(1))));

    // The deepest folder already there: reported (the levels above are no error).
    DirCriNiv(deep, res);
    EXPECT_EQ(res, 75);
    DirCri(tmp.path("x/y"), res);
    EXPECT_EQ(res, 76);

    DirCriPath(tmp.path("p/q/file.txt"), res);
    EXPECT_EQ(res, 0);
    EXPECT_TRUE(QFileInfo(tmp.path("p/q")).isDir());
    DirCriPath(tmp.path("p/q/file.txt"), res); // already a folder: no error
    EXPECT_EQ(res, 0);
}

TEST_F(Folders, NetworkServerAndShareAreNeverMadeLocally) {
    // "//server/share" would name the local folder "/server/share" on Linux.
    const QString name = QStringLiteral("zvtest-srv-%1").arg(::getpid());
    int res = 0;
    DirCriNiv("//" + name + "/share/dir", res);
    EXPECT_NE(res, 0);
    EXPECT_FALSE(QFileInfo::exists("/" + name));
}

TEST_F(Folders, ListsSortedByNameWithKinds) {
    tmp.write("b.DLL", "");
    tmp.write("a.dll", "");
    tmp.write("C.dll", "");
    tmp.write("notes.txt", "");
    QDir().mkpath(tmp.path("sub.dll"));
    QStringList list;
    int count = -1, res = -1;
    DirLst("F", tmp.path(), "*.dll", list, count, res);
    EXPECT_EQ(res, 0);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(list, (QStringList{"", "a.dll", "b.DLL", "C.dll"}));

    DirLst("D", tmp.path(), "*", list, count, res);
    EXPECT_EQ(list, (QStringList{"", "sub.dll"}));

    QList<int> attrs;
    DirLstRec("FD", 0, tmp.path(), "*.*", list, attrs, count, res);
    EXPECT_EQ(count, 5);
    ASSERT_EQ(attrs.size(), 6);
    EXPECT_EQ(attrs[5] & 16, 16); // sub.dll
    EXPECT_FALSE(list.contains(".") || list.contains(".."));
}

TEST_F(Folders, HiddenEntriesOnlyWhenAsked) {
    const QString f = tmp.write("hidden.txt", "");
    tmp.write("plain.txt", "");
    if (::setxattr(QFile::encodeName(f).constData(), kAttribXattr, "2", 1, 0) != 0)
        GTEST_SKIP() << "no extended attributes on this file system";
    QStringList list;
    QList<int> attrs;
    int count = 0, res = 0;
    DirLstRec("F", 0, tmp.path(), "*", list, attrs, count, res);
    EXPECT_EQ(list, (QStringList{"", "plain.txt"}));
    DirLstRec("F", 2, tmp.path(), "*", list, attrs, count, res);
    EXPECT_EQ(list, (QStringList{"", "hidden.txt", "plain.txt"}));
    EXPECT_EQ(attrs[1] & 2, 2);
}

TEST_F(Folders, ListingAMissingFolderReportsTheError) {
    QStringList list{"stale"};
    int count = 5, res = 0;
    DirLst("F", tmp.path("missing"), "*", list, count, res);
    EXPECT_EQ(res, 76);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(list, QStringList{""});
}

TEST_F(Folders, ListingPumpsEventsAndMarksBusy) {
    tmp.write("1.txt", "");
    tmp.write("2.txt", "");
    auto pump = ctx.headless().pump;
    bool busySeen = false;
    pump->setHook([&] { busySeen = busySeen || pump->isBusy(); });
    QStringList list;
    int count = 0, res = 0;
    DirLst("F", tmp.path(), "*.txt", list, count, res);
    EXPECT_EQ(pump->pumpCount(), 3); // once at the start, once per entry
    EXPECT_TRUE(busySeen);
    EXPECT_FALSE(pump->isBusy());
}

TEST_F(Folders, MakesSureAFileExists) {
    int ok = 0;
    const QString f = tmp.path("new/level/file.log");
    FicCriTst(f, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(QFileInfo(f).isFile());
    tmp.write("keep.log", "content");
    FicCriTst(tmp.path("keep.log"), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(tmp.read("keep.log"), "content");
    // Below a file no folder can be made.
    FicCriTst(tmp.path("keep.log/x.log"), ok);
    EXPECT_EQ(ok, 0);
}

} // namespace
