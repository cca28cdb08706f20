// File operations of FicGlb in a temporary folder: existence, copy, rename, delete, numbered
// files with the error report.
#include "FicGlb.h"

#include "FileHandles.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zv;

namespace {

class FileOps : public ::testing::Test {
protected:
    void TearDown() override {
        resetFileHandles();
        ficGlbReset();
    }
    ScopedProcessContext ctx;
    zvtest::TempDir tmp;
};
class FileLayer : public FileOps {};

TEST_F(FileOps, ExistenceTellsMissingFromOtherFailures) {
    tmp.write("a.txt", "x");
    int res = 99;
    FicExi(tmp.path("a.txt"), res);
    EXPECT_EQ(res, 1);
    FicExi(tmp.path("missing.txt"), res);
    EXPECT_EQ(res, 0);
    FicExi(tmp.path(), res); // a folder is no file
    EXPECT_EQ(res, -75);
    FicExi(tmp.path("nofolder/a.txt"), res);
    EXPECT_EQ(res, -76);

    QString type;
    int attr = 0;
    FicTip(tmp.path(), type, attr);
    EXPECT_EQ(type, "D");
    EXPECT_EQ(attr & 16, 16);
    FicTip(tmp.path("a.txt"), type, attr);
    EXPECT_EQ(type, "F");
    FicTip(tmp.path("missing"), type, attr);
    EXPECT_EQ(type, "?");
    EXPECT_EQ(attr, -1);
}

TEST_F(FileOps, CopyOverwritesButNeverOntoItself) {
    const QString src = tmp.write("src.txt", "new");
    const QString dst = tmp.write("dst.txt", "old old old");
    int res = 99;
    FicCop(src, dst, res);
    EXPECT_EQ(res, 0);
    EXPECT_EQ(tmp.read("dst.txt"), "new");

    // The same name in another case: nothing copied.
    FicCop(src, tmp.path("SRC.TXT"), res);
    EXPECT_EQ(res, -1);
    // The same file reached by another path or a link: -1, and it keeps its content.
    FicCop(src, tmp.path("./src.txt"), res);
    EXPECT_EQ(res, -1);
    ASSERT_EQ(::symlink(QFile::encodeName(src).constData(),
                        QFile::encodeName(tmp.path("link.txt")).constData()),
              0);
    FicCop(tmp.path("link.txt"), src, res);
    EXPECT_EQ(res, -1);
    EXPECT_EQ(tmp.read("src.txt"), "new");

    FicCop(src, tmp.path("nofolder/x"), res);
    EXPECT_EQ(res, 76);
    FicCop(src, tmp.path(), res); // a folder as target
    EXPECT_EQ(res, 75);
}

// A copy over an existing file that cannot be finished (here the file-size limit, as on a full
// disk) reports the disk-full error and leaves the old file whole, and no temporary file.
TEST_F(FileLayer, FicCopThatCannotFinishKeepsTheFileItReplaces) {
    const QString src = tmp.write("src.bin", QByteArray(64 * 1024, 's'));
    const QString dst = tmp.write("dst.txt", "old content");
    const int res = zvtest::runInChild([&] {
        zvtest::limitFileSize(4096);
        int r = 0;
        FicCop(src, dst, r);
        return r;
    });
    EXPECT_EQ(res, 61);
    EXPECT_EQ(tmp.read("dst.txt"), "old content");
    EXPECT_EQ(zvtest::namesIn(tmp.path()), (QStringList{"dst.txt", "src.bin"}));

    // Finished, the copy has the source's bytes, permission bits and time.
    ::chmod(QFile::encodeName(src).constData(), 0604);
    int r = 99;
    FicCop(src, dst, r);
    ASSERT_EQ(r, 0);
    EXPECT_EQ(tmp.read("dst.txt"), QByteArray(64 * 1024, 's'));
    EXPECT_EQ(QFileInfo(dst).lastModified(), QFileInfo(src).lastModified());
    EXPECT_EQ(QFile::permissions(dst), QFile::permissions(src));
}

TEST_F(FileOps, RenameNeverReplacesAnotherFile) {
    const QString a = tmp.write("a.txt", "A");
    const QString b = tmp.write("b.txt", "B");
    int res = 99;
    FicRen(a, b, res);
    EXPECT_EQ(res, 58);
    EXPECT_EQ(tmp.read("a.txt"), "A");
    EXPECT_EQ(tmp.read("b.txt"), "B");

    FicRen(a, tmp.path("c.txt"), res);
    EXPECT_EQ(res, 0);
    EXPECT_FALSE(QFileInfo::exists(a));
    EXPECT_EQ(tmp.read("c.txt"), "A");
    FicRen(tmp.path("c.txt"), tmp.path("nofolder/c.txt"), res);
    EXPECT_EQ(res, 76);
}

TEST_F(FileOps, RenameAcrossFileSystemsCopiesAndDeletes) {
    // /dev/shm is a tmpfs on Linux; the test needs it on another file system than TMPDIR.
    struct stat a {
    }, b{};
    if (::stat("/dev/shm", &b) != 0 || ::stat(QFile::encodeName(tmp.path()).constData(), &a) != 0 ||
        a.st_dev == b.st_dev || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second writable file system (/dev/shm) here";
    const QString src = tmp.write("move.txt", "payload");
    ::chmod(QFile::encodeName(src).constData(), 0640);
    const QString dst = QStringLiteral("/dev/shm/zvtest-move-%1.txt").arg(::getpid());
    int res = 99;
    FicRen(src, dst, res);
    EXPECT_EQ(res, 0);
    EXPECT_FALSE(QFileInfo::exists(src));
    QFile f(dst);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "payload");
    struct stat st {};
    ::stat(QFile::encodeName(dst).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    QFile::remove(dst);
}

TEST_F(FileOps, DeleteByPatternTouchesOnlyMatches) {
    tmp.write("a1.log", "");
    tmp.write("A2.LOG", "");
    tmp.write("keep.txt", "");
    QDir().mkpath(tmp.path("dir.log"));
    int res = 99;
    FicEli(tmp.path("*.log"), res);
    EXPECT_EQ(res, 0);
    EXPECT_FALSE(QFileInfo::exists(tmp.path("a1.log")));
    EXPECT_FALSE(QFileInfo::exists(tmp.path("A2.LOG")));
    EXPECT_TRUE(QFileInfo::exists(tmp.path("keep.txt")));
    EXPECT_TRUE(QFileInfo::exists(tmp.path("dir.log"))); // folders are never deleted
    FicEli(tmp.path("*.log"), res);
    EXPECT_EQ(res, 53);
    FicEli(tmp.path("keep.txt"), res);
    EXPECT_EQ(res, 0);
    FicEli(tmp.path("keep.txt"), res);
    EXPECT_EQ(res, 53);
    FicEli(tmp.path("nofolder/*.x"), res);
    EXPECT_EQ(res, 76);
}

// A name with a null character in it: the system would read only the part before it, so the
// operation must fail (52) rather than reach that shorter path.
TEST_F(FileOps, ANameWithANullCharacterReachesNoOtherFile) {
    const QString keep = tmp.write("keep.txt", "keep");
    const QString other = tmp.write("other.txt", "other");
    const QString cut = QString(QChar(0)) + QStringLiteral("zz");
    const struct {
        const char* what;
        std::function<void(int&)> run;
    } rows[] = {
        {"delete", [&](int& res) { FicEli(keep + cut, res); }},
        {"copy from", [&](int& res) { FicCop(keep + cut, tmp.path("copy.txt"), res); }},
        {"copy onto", [&](int& res) { FicCop(other, keep + cut, res); }},
        {"rename from", [&](int& res) { FicRen(keep + cut, tmp.path("moved.txt"), res); }},
        {"rename to", [&](int& res) { FicRen(other, tmp.path("new.txt") + cut, res); }},
    };
    for (const auto& r : rows) {
        int res = 0;
        r.run(res);
        EXPECT_EQ(res, 52) << r.what;
        EXPECT_EQ(tmp.read("keep.txt"), "keep") << r.what;
        EXPECT_EQ(tmp.read("other.txt"), "other") << r.what;
        EXPECT_FALSE(QFileInfo::exists(tmp.path("copy.txt"))) << r.what;
        EXPECT_FALSE(QFileInfo::exists(tmp.path("moved.txt"))) << r.what;
        EXPECT_FALSE(QFileInfo::exists(tmp.path("new.txt"))) << r.what;
    }
}

TEST_F(FileOps, OpenForOutputDeletesOnlyThatFile) {
    // A "*" is a plain character in a Linux name: the other files must survive.
    tmp.write("data1.txt", "one");
    tmp.write("data2.txt", "two");
    const QString star = tmp.write("data*.txt", "old");
    const int n = FreeFile();
    int report = 0;
    FicAbrExe(n, star, "O", "", "GRV", report);
    ASSERT_EQ(report, 0);
    Print(n, u"fresh");
    Close(n);
    EXPECT_EQ(tmp.read("data*.txt"), "fresh\n");
    EXPECT_EQ(tmp.read("data1.txt"), "one");
    EXPECT_EQ(tmp.read("data2.txt"), "two");
}

TEST_F(FileOps, OpenForOutputKeepsTheFileFormat) {
    const QString f = tmp.write("win.txt", "a\r\nb\r\n");
    int res = 0;
    FicAbrDef(1, f, "O", res);
    ASSERT_EQ(res, 1);
    Print(1, u"c");
    Close(1);
    EXPECT_EQ(tmp.read("win.txt"), "c\r\n");
}

TEST_F(FileOps, ReadingPastTheEndKeepsTheLastLine) {
    int res = 0;
    FicAbrDef(3, tmp.write("lines.txt", "one"), "L", res);
    ASSERT_EQ(res, 1);
    QString line;
    res = 0;
    FicLinLer(3, line, res);
    FicLinLer(3, line, res);
    EXPECT_EQ(res, 62);
    EXPECT_EQ(line, "one");
}

TEST_F(FileOps, OpenErrorReportShowsTheBoxAndCanEndTheProgram) {
    const QString missing = tmp.path("missing.par");
    int report = 2;
    FicAbrExe(4, missing, "L", "note", "LER", report);
    EXPECT_EQ(report, 53);
    auto& boxes = ctx.headless().messageBox->shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.title, "Erro a abrir ficheiro");
    EXPECT_EQ(boxes[0].request.icon, MsgIcon::Critical);
    EXPECT_EQ(boxes[0].request.text,
              "Erro : 53   File not found\r\nFicheiro :" + missing + "   (LER)");

    int res = 0;
    FicAbrDef(5, missing, "", res);
    EXPECT_EQ(res, -53);
    EXPECT_EQ(boxes.size(), 1u); // report mode 0 shows nothing

    // Mode 3: the box, every file closed, the forms unloaded twice, the program ended.
    const QString open = tmp.write("open.txt", "x");
    FicAbrDef(6, open, "", res);
    ASSERT_TRUE(isFileNumberOpen(6));
    report = 3;
    EXPECT_THROW(FicAbrExe(7, tmp.path("nofolder/a.par"), "A", "", "GRV", report), ProgramEnd);
    EXPECT_EQ(report, 76);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_FALSE(isFileNumberOpen(6));
    EXPECT_EQ(ctx.headless().windows->unloadCount(), 2);

    report = 1;
    try {
        FicAbrExe(7, tmp.path("nofolder/x"), "O", "", "GRV", report);
        FAIL() << "the program should end";
    } catch (const ProgramEnd& end) {
        EXPECT_NE(end.exitCode(), 0);
    }
    EXPECT_EQ(report, 76);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(FileOps, PermissionDeniedIsReported) {
    const QString f = tmp.write("secret.txt", "x");
    ::chmod(QFile::encodeName(f).constData(), 0);
    // Root reads everything: the check runs in a child that gives up root first.
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::geteuid() == 0) {
            ::chown(QFile::encodeName(tmp.path()).constData(), 65534, 65534);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        }
        int res = 0;
        FicExi(f, res);
        ::_exit(res == -70 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
