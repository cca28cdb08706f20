// The log's lock within one process: a holder that lands on a deleted lock file, and lock files
// that are no plain file.

#include "AppSvcTestSupport.h"
#include "FileLayer.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zv;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray native(const QString& path) {
    return file::nativeName(path);
}

} // namespace

TEST(LogLock, AWaiterThatLandsOnADeletedLockFileDoesNotCountAsHolder) {
    zvtest::TempDir tmp;
    const QByteArray lck = native(tmp.path(u"Log.lck"_s));
    file::FileLock first;
    ASSERT_EQ(first.tryLockFile(lck, 1, 0), 0);

    // One waits in the kernel on the file the first holder has open...
    file::FileLock waiter;
    int waited = -1;
    std::thread t([&] { waited = waiter.lockFile(lck, 1500); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // ...which is deleted as the holder lets go; another one comes for the new file.
    first.unlockAndRemove();
    file::FileLock other;
    const int took = other.tryLockFile(lck, 5, 1);
    t.join();
    // Exactly one of them holds the lock.
    EXPECT_NE(waiter.locked(), other.locked()) << "waiter " << waited << ", other " << took;
    EXPECT_EQ(waited == 0, waiter.locked());
    EXPECT_EQ(took == 0, other.locked());
}

TEST(LogLock, OnlyAPlainFileServesAsLockFile) {
    zvtest::TempDir tmp;
    const QString target = tmp.write(u"alvo.txt"_s, "intacto");
    ASSERT_EQ(::symlink(target.toUtf8().constData(), tmp.path(u"link.lck"_s).toUtf8().constData()),
              0);
    QDir().mkpath(tmp.path(u"pasta.lck"_s));
    ASSERT_EQ(::mkfifo(tmp.path(u"fila.lck"_s).toUtf8().constData(), 0600), 0);

    file::FileLock lock;
    int pauses = 0;
    const auto count = [&] { ++pauses; };
    EXPECT_EQ(lock.tryLockFile(native(tmp.path(u"link.lck"_s)), 20, 100, count), ELOOP);
    EXPECT_EQ(lock.tryLockFile(native(tmp.path(u"pasta.lck"_s)), 20, 100, count), EISDIR);
    EXPECT_EQ(lock.tryLockFile(native(tmp.path(u"fila.lck"_s)), 20, 100, count), EINVAL);
    EXPECT_EQ(lock.tryLockFile(native(tmp.path(u"nada/x.lck"_s)), 20, 100, count), ENOENT);
    EXPECT_EQ(pauses, 0); // such a failure is not waited out
    EXPECT_FALSE(lock.locked());
    EXPECT_EQ(tmp.read(u"alvo.txt"_s), "intacto");

    // A lock file this process may only read (another user's, left by a writer that crashed)
    // is locked all the same.
    const QString readOnly = tmp.write(u"alheio.lck"_s, "");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    EXPECT_EQ(lock.tryLockFile(native(readOnly), 1, 0), 0);
    EXPECT_EQ(lock.lockFile(native(readOnly), 100), 0);
}
