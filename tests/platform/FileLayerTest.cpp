// The file layer: whole-file replacement (kept old file on every failure, permissions, links,
// the in-place case), the error numbers of its failures, and the writers' lock.
#include "FileLayer.h"

#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zv;
using namespace zv::file;

namespace {

class FileLayer : public ::testing::Test {
protected:
    unsigned modeOf(const QString& relative) const {
        struct stat st {};
        ::lstat(QFile::encodeName(tmp.path(relative)).constData(), &st);
        return st.st_mode & 07777;
    }
    zvtest::TempDir tmp;
};

TEST_F(FileLayer, TheOldFileStaysUntilTheNewOneIsCompleteAndAfterAnyFailure) {
    const QString target = tmp.write("data.txt", "old content");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    {
        Replacement r(target);
        ASSERT_EQ(r.open(), 0);
        EXPECT_TRUE(r.replacing());
        ASSERT_EQ(r.write("new"), 0);
        EXPECT_EQ(tmp.read("data.txt"), "old content"); // written beside it
        EXPECT_EQ(zvtest::namesIn(tmp.path()).size(), 2);
    } // never committed: abandoned
    EXPECT_EQ(zvtest::namesIn(tmp.path()), QStringList{"data.txt"});
    EXPECT_EQ(tmp.read("data.txt"), "old content");

    ASSERT_EQ(replaceFile(target, "new"), 0);
    EXPECT_EQ(tmp.read("data.txt"), "new");
    EXPECT_EQ(modeOf("data.txt"), 0640u); // the replaced file's permissions carry over
    EXPECT_EQ(zvtest::namesIn(tmp.path()), QStringList{"data.txt"});

    // Refused outright: an existing target where none may be, a missing folder, a folder.
    ReplaceOptions newOnly;
    newOnly.noReplace = true;
    EXPECT_EQ(replaceFile(target, "other", newOnly), EEXIST);
    EXPECT_EQ(tmp.read("data.txt"), "new");
    EXPECT_EQ(replaceFile(tmp.path("missing/x.txt"), "x"), ENOENT);
    EXPECT_EQ(errorNumber(ENOENT, tmp.path("missing/x.txt")), 76);
    EXPECT_EQ(errorNumber(ENOENT, tmp.path("x.txt")), 53);
    EXPECT_EQ(replaceFile(tmp.path(), "x"), EISDIR);
    EXPECT_EQ(errorNumber(EISDIR, tmp.path()), 75);
    EXPECT_EQ(zvtest::namesIn(tmp.path()), QStringList{"data.txt"});

    // A new file gets the usual permissions of the process.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_EQ(replaceFile(tmp.path("fresh.txt"), "x", newOnly), 0);
    EXPECT_EQ(modeOf("fresh.txt"), 0666u & ~unsigned(mask));
}

// The copy of many files: the source opened with one call, the target known to be missing.
// The copy comes out as through the plain open and a replacement that looks for itself.
TEST_F(FileLayer, AFileCopiedWithoutTheSecondLooksIsTheSameCopy) {
    const QString source = tmp.write("source.bin", QByteArray(70000, 's') + "end");
    const QByteArray src = QFile::encodeName(source);
    ::chmod(src.constData(), 0640);
    const struct timespec times[2] = {{1000000000, 5}, {1200000000, 7}};
    ASSERT_EQ(::utimensat(AT_FDCWD, src.constData(), times, 0), 0);
    struct stat st {};
    ASSERT_EQ(::lstat(src.constData(), &st), 0);
    for (const bool fast : {false, true}) {
        const QString name = fast ? QStringLiteral("fast.bin") : QStringLiteral("plain.bin");
        Fd in;
        ASSERT_EQ(fast ? openReadFile(src, in) : openRead(src, in, false), 0);
        ReplaceOptions options;
        options.followLinks = false;
        Replacement out(tmp.path(name), options);
        if (fast) out.setTargetMissing();
        ASSERT_EQ(copyInto(in.get(), st, out), 0);
        EXPECT_FALSE(out.replacing());
        ASSERT_EQ(out.commit(), 0);
        EXPECT_EQ(tmp.read(name), tmp.read("source.bin"));
        EXPECT_EQ(modeOf(name), 0640u);
        struct stat copy {};
        ASSERT_EQ(::lstat(QFile::encodeName(tmp.path(name)).constData(), &copy), 0);
        EXPECT_EQ(copy.st_mtim.tv_sec, 1200000000);
        EXPECT_EQ(copy.st_mtim.tv_nsec, 7);
    }
    EXPECT_EQ(zvtest::namesIn(tmp.path()).size(), 3); // no temporary file left

    // A link where the file was is refused; a pipe put there reads as empty, without waiting
    // for a writer.
    ASSERT_EQ(::symlink("source.bin", QFile::encodeName(tmp.path("link")).constData()), 0);
    Fd in;
    EXPECT_EQ(openReadFile(QFile::encodeName(tmp.path("link")), in), ELOOP);
    const QByteArray fifo = QFile::encodeName(tmp.path("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ASSERT_EQ(openReadFile(fifo, in), 0);
    QByteArray read;
    EXPECT_EQ(readAll(in.get(), read), 0);
    EXPECT_TRUE(read.isEmpty());

    // A replacement that follows links looks at its target itself, whatever it is told.
    const QString real = tmp.write("real.txt", "real");
    ASSERT_EQ(::symlink("real.txt", QFile::encodeName(tmp.path("to-real")).constData()), 0);
    Replacement through(tmp.path("to-real"));
    through.setTargetMissing();
    ASSERT_EQ(through.open(), 0);
    EXPECT_TRUE(through.replacing());
    ASSERT_EQ(through.write("through"), 0);
    ASSERT_EQ(through.commit(), 0);
    EXPECT_EQ(tmp.read("real.txt"), "through");
    EXPECT_EQ(QFile::symLinkTarget(tmp.path("to-real")), real);
}

// A new file is written without a name and named when complete (from its descriptor, or
// through /proc as a user without the privilege does); the plain ways (a buffer instead of the
// kernel's copy, a passing name) are what a file system without those gets. All give the same
// files, leave nothing behind, and meet a file put at the target meanwhile alike.
TEST_F(FileLayer, NewFilesComeOutTheSameThroughTheUnnamedAndThePlainWays) {
    struct Restore {
        ~Restore() {
            usePlainWays(false);
            useDirectLinks(true);
        }
    } restore;
    const QByteArray content = QByteArray(200000, 'c') + "tail";
    const QString source = tmp.write("source.bin", content);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    for (const QString dir :
         {QStringLiteral("unnamed"), QStringLiteral("proc"), QStringLiteral("plain")}) {
        const bool plain = dir == u"plain";
        usePlainWays(plain);
        useDirectLinks(dir == u"unnamed");
        const QString folder = tmp.path(dir);
        ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0755), 0);
        SCOPED_TRACE(dir.toStdString());

        ASSERT_EQ(replaceFile(folder + "/new.txt", "new"), 0);
        EXPECT_EQ(tmp.read(dir + "/new.txt"), "new");
        EXPECT_EQ(modeOf(dir + "/new.txt"), 0666u & ~unsigned(mask));

        // Uncommitted: only the plain way shows a passing name, and nothing stays after it.
        {
            Replacement r(folder + "/abandoned.txt");
            ASSERT_EQ(r.open(), 0);
            ASSERT_EQ(r.write("x"), 0);
            EXPECT_EQ(zvtest::namesIn(folder).size(), plain ? 2 : 1);
        }
        EXPECT_EQ(zvtest::namesIn(folder), QStringList{"new.txt"});

        // A file put at the target after open found none: replaced, or kept with noReplace.
        for (const bool noReplace : {false, true}) {
            ReplaceOptions options;
            options.noReplace = noReplace;
            Replacement r(folder + "/raced.txt", options);
            ASSERT_EQ(r.open(), 0);
            EXPECT_FALSE(r.replacing());
            ASSERT_EQ(r.write("ours"), 0);
            tmp.write(dir + "/raced.txt", "theirs");
            EXPECT_EQ(r.commit(), noReplace ? EEXIST : 0);
            EXPECT_EQ(tmp.read(dir + "/raced.txt"), noReplace ? "theirs" : "ours");
            ::unlink(QFile::encodeName(folder + "/raced.txt").constData());
        }

        // The rest of a file from where its reading stands, permissions and times with it:
        // also those the umask would cut, and read-only ones.
        for (const mode_t mode : {0604, 0666, 0444}) {
            Fd in;
            ASSERT_EQ(openRead(QFile::encodeName(source), in), 0);
            ASSERT_EQ(::lseek(in.get(), 1000, SEEK_SET), 1000);
            struct stat st {};
            ASSERT_EQ(::fstat(in.get(), &st), 0);
            st.st_mode = S_IFREG | mode;
            st.st_mtim = {1300000000, 3};
            const QString name = QStringLiteral("copy-%1.bin").arg(mode, 0, 8);
            Replacement copy(folder + "/" + name);
            ASSERT_EQ(copyInto(in.get(), st, copy), 0);
            ASSERT_EQ(copy.commit(), 0);
            EXPECT_EQ(tmp.read(dir + "/" + name), content.mid(1000));
            EXPECT_EQ(modeOf(dir + "/" + name), unsigned(mode));
            struct stat out {};
            ASSERT_EQ(::stat(QFile::encodeName(folder + "/" + name).constData(), &out), 0);
            EXPECT_EQ(out.st_mtim.tv_sec, 1300000000);
            EXPECT_EQ(out.st_mtim.tv_nsec, 3);
        }
        EXPECT_EQ(zvtest::namesIn(folder),
                  (QStringList{"copy-444.bin", "copy-604.bin", "copy-666.bin", "new.txt"}));
    }
}

TEST_F(FileLayer, AWriteBeyondTheFileSizeLimitIsADiskFullAndKeepsTheOldFile) {
    const QString target = tmp.write("data.txt", "old content");
    const QByteArray big(64 * 1024, 'n');
    const int number = zvtest::runInChild([&] {
        zvtest::limitFileSize(4096);
        return errorNumber(replaceFile(target, big), target);
    });
    EXPECT_EQ(number, 61);
    EXPECT_EQ(tmp.read("data.txt"), "old content");
    EXPECT_EQ(zvtest::namesIn(tmp.path()), QStringList{"data.txt"});
}

TEST_F(FileLayer, ALinkIsWrittenThroughOrReplacedAsAsked) {
    const QString real = tmp.write("real.txt", "real");
    const QString link = tmp.path("link.txt");
    ASSERT_EQ(::symlink("real.txt", QFile::encodeName(link).constData()), 0);

    ASSERT_EQ(replaceFile(link, "through"), 0);
    EXPECT_EQ(QFile::symLinkTarget(link), real);
    EXPECT_EQ(tmp.read("real.txt"), "through");

    ReplaceOptions itself;
    itself.followLinks = false;
    ASSERT_EQ(replaceFile(link, "itself", itself), 0);
    EXPECT_TRUE(QFile::symLinkTarget(link).isEmpty());
    EXPECT_EQ(tmp.read("link.txt"), "itself");
    EXPECT_EQ(tmp.read("real.txt"), "through");
}

TEST_F(FileLayer, AFolderThatTakesNoNewFileIsWrittenInPlaceOnlyWhenAllowed) {
    const QString folder = tmp.path("locked");
    const QString target = tmp.write("locked/data.txt", "old and long content");
    const QByteArray f = QFile::encodeName(folder), t = QFile::encodeName(target);
    // Root writes into any folder: the check runs as another user.
    const bool root = ::geteuid() == 0;
    if (root) {
        ::chmod(QFile::encodeName(tmp.path()).constData(), 0755);
        ASSERT_EQ(::chown(f.constData(), 65534, 65534), 0);
        ASSERT_EQ(::chown(t.constData(), 65534, 65534), 0);
    }
    ::chmod(f.constData(), 0555);
    const int code = zvtest::runInChild([&] {
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 3;
        if (replaceFile(target, "refused") != EACCES) return 1;
        ReplaceOptions inPlace;
        inPlace.inPlaceIfFolderRefuses = true;
        return replaceFile(target, "new", inPlace) == 0 ? 0 : 2;
    });
    ::chmod(f.constData(), 0755);
    if (code == 3) GTEST_SKIP() << "cannot drop root privileges here";
    EXPECT_EQ(code, 0);
    EXPECT_EQ(tmp.read("locked/data.txt"), "new"); // the longer old content is cut
    EXPECT_EQ(zvtest::namesIn(folder), QStringList{"data.txt"});
    if (!root) return;

    // A sticky folder lets no one replace another user's file, but that file may be writable.
    const QString sticky = tmp.path("sticky");
    const QString shared = tmp.write("sticky/shared.txt", "old and long content");
    ::chmod(QFile::encodeName(sticky).constData(), 01777);
    ASSERT_EQ(::chown(QFile::encodeName(shared).constData(), 65533, 65533), 0);
    ::chmod(QFile::encodeName(shared).constData(), 0666);
    const int stickyCode = zvtest::runInChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 3;
        if (replaceFile(shared, "refused") != EPERM) return 1;
        ReplaceOptions inPlace;
        inPlace.inPlaceIfFolderRefuses = true;
        return replaceFile(shared, "new", inPlace) == 0 ? 0 : 2;
    });
    EXPECT_EQ(stickyCode, 0);
    EXPECT_EQ(tmp.read("sticky/shared.txt"), "new");
    EXPECT_EQ(zvtest::namesIn(sticky), QStringList{"shared.txt"});
}

TEST_F(FileLayer, WritersQueueForTheLockAndAWaitIsBounded) {
    const QString file = tmp.path("store");
    FileLock first;
    ASSERT_EQ(first.lock(file), 0);
    // Another holder (another open of the lock file: a thread or process) waits, within its
    // bound.
    FileLock second;
    EXPECT_EQ(second.lock(file, 50), ETIMEDOUT);
    EXPECT_FALSE(second.locked());

    int waited = -1;
    std::thread writer([&] { waited = second.lock(file, 60000); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    first.unlock();
    writer.join();
    EXPECT_EQ(waited, 0);
    EXPECT_TRUE(second.locked());

    EXPECT_EQ(first.lock(tmp.path("missing/store")), ENOENT);
}

} // namespace
