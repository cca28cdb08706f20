// The registry's string values (GlbReg) on the registry-export file store, read back in this
// process and in others.
#include "GlbReg.h"

#include "RegistryStore.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace zv;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\ZelVyn\\Test");

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = tmp.path("store/registry.reg"); // its folder does not exist yet
        ctx->setRegistryFile(file);
    }
    QByteArray run(const QStringList& args, int* exitCode = nullptr) {
        QProcess p;
        p.start(zvtest::binPath("helpers/foundation/zv_regtool"), args);
        p.waitForFinished(20000);
        if (exitCode) *exitCode = p.exitCode();
        return p.readAllStandardOutput();
    }
    ScopedProcessContext ctx;
    zvtest::TempDir tmp;
    QString file;
};

TEST_F(RegistryStoreTest, WritesAndReadsBackWithoutRegardToCase) {
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Path"), ""); // no file yet
    EXPECT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Path", "/opt/Zel Vyn/app"), -1);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, "software\\ZELVYN\\test\\", "PATH"), "/opt/Zel Vyn/app");
    EXPECT_EQ(RegValGra(kHkeyLocalMachine, "SOFTWARE\\zelvyn\\TEST", "path", "  second  "), -1);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Path"), "second"); // trimmed of blanks
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Other"), "");
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, "SOFTWARE\\Nothing", "Path"), "");
    EXPECT_EQ(RegValLer(kHkeyCurrentUser, kKey, "Path"), ""); // another root
    EXPECT_EQ(RegValLer(12345, kKey, "Path"), "");
    EXPECT_EQ(RegValGra(12345, kKey, "Path", "x"), 0);

    // One section, one value line, in the export format a person can read.
    const QString text = QString::fromUtf8(tmp.read("store/registry.reg"));
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n\n"));
    EXPECT_EQ(text.count("[HKEY_LOCAL_MACHINE\\"), 1);
    EXPECT_TRUE(text.contains("\"Path\"=\"  second  \"\n"));
}

TEST_F(RegistryStoreTest, LongAndAwkwardValuesSurvive) {
    const QString big = QString(1000, u'x') + "end";
    const QString quoted = R"(C:\dir\"quoted" ção)";
    const QString lines = "one\r\ntwo";
    ASSERT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Big", big), -1);
    ASSERT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Quoted", quoted), -1);
    ASSERT_EQ(RegValGra(kHkeyLocalMachine, kKey, "", lines), -1);
    const QString got = RegValLer(kHkeyLocalMachine, kKey, "Big");
    EXPECT_EQ(got.size(), 1003);
    EXPECT_EQ(got, big);
    EXPECT_FALSE(got.contains(QChar(0)));
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Quoted"), quoted);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, ""), lines);
    EXPECT_EQ(QString::fromUtf8(tmp.read("store/registry.reg")).count('\n'), 6);
}

TEST_F(RegistryStoreTest, HandWrittenFilesAreReadAndKept) {
    // A file as the registry editor exports it (UTF-16 with CR LF) and edited by hand.
    const QString text = "Windows Registry Editor Version 5.00\r\n\r\n"
                         "; a comment\r\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\ZelVyn\\Test]\r\n"
                         "\"Count\"=dword:00000010\r\n"
                         "\"Name\"=\"Vyn\"\r\n"
                         "\"Hex\"=hex(1):41,00,\\\r\n  42,00,00,00\r\n";
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    tmp.write("store/registry.reg", bytes);

    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Name"), "Vyn");
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Hex"), "AB");
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Count"), ""); // no string
    ASSERT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Name", "Zel"), -1);

    const QByteArray after = tmp.read("store/registry.reg");
    ASSERT_TRUE(after.startsWith("\xFF\xFE"));
    const QString back = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(after.constData() + 2), (after.size() - 2) / 2);
    QString expected = text;
    expected.replace("\"Name\"=\"Vyn\"", "\"Name\"=\"Zel\"");
    EXPECT_EQ(back, expected);
}

TEST_F(RegistryStoreTest, OtherProcessesReadAndWriteTheSameFile) {
    ASSERT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Shared", "from the test"), -1);
    int code = -1;
    EXPECT_EQ(run({"get", file, "HKEY_LOCAL_MACHINE\\" + kKey, "SHARED"}, &code), "from the test");
    EXPECT_EQ(code, 0);
    run({"set", file, "HKEY_LOCAL_MACHINE\\" + kKey, "Back", "from the child"}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "back"), "from the child");
}

// Eight processes writing 500 values each at once: writers queue for the lock, none gives up
// and no value is lost.
TEST_F(RegistryStoreTest, EightWritersAtOnceLoseNoValue) {
    ASSERT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Shared", "from the test"), -1);
    const QString key = "HKEY_LOCAL_MACHINE\\" + kKey;
#ifdef __SANITIZE_ADDRESS__
    // Every write reads the whole store: in the sanitizer build, many times slower, the same
    // race runs with fewer values per writer (that round looks for memory faults).
    constexpr int kValues = 120;
#else
    constexpr int kValues = 500;
#endif
    constexpr int kWriters = 8;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->start(
            zvtest::binPath("helpers/foundation/zv_regtool"),
            {"fill", file, key, QString("w%1-").arg(w), QString::number(kValues)});
    }
    for (auto& p : writers) {
        ASSERT_TRUE(p->waitForFinished(280000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const RegistryStore store(file);
    int missing = 0;
    for (int w = 0; w < kWriters; ++w)
        for (int i = 1; i <= kValues; ++i)
            if (store.readString(key, QString("w%1-%2").arg(w).arg(i)) != QString("v%1").arg(i))
                ++missing;
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Shared"), "from the test");
}

// A write that cannot be stored whole (a full file system) reports failure and leaves the store
// as it was, with no temporary file beside it; also a small one, that a buffered writer would
// only try to store when it closes the file.
TEST_F(RegistryStoreTest, AFullFileSystemKeepsTheStoreAndReportsFailure) {
    const QString folder = tmp.path("full");
    QDir().mkpath(folder);
    const QString store = folder + "/registry.reg";
    const QString key = "HKEY_LOCAL_MACHINE\\" + kKey;
    // 1 the store did not take its first value; 2 the write claimed success; 3 the old content
    // changed; 4 something was left beside it; 5 no full file system could be made.
    const int code = zvtest::runInChild([&] {
        const bool tmpfs = zvtest::mountPrivateTmpfs(folder, 256);
        const RegistryStore reg(store);
        if (!reg.writeString(key, "Kept", "old value")) return 1;
        QByteArray before;
        if (QFile f(store); f.open(QIODevice::ReadOnly)) before = f.readAll();
        if (tmpfs)
            zvtest::fillFileSystem(folder);
        else
            zvtest::limitFileSize(before.size()); // the new store is longer
        if (reg.writeString(key, "Big", "small")) return 2;
        QByteArray after;
        if (QFile f(store); f.open(QIODevice::ReadOnly)) after = f.readAll();
        if (after != before || reg.readString(key, "Kept") != QString("old value")) return 3;
        QStringList names = zvtest::namesIn(folder);
        names.removeAll("filler");
        if (names != QStringList{"registry.reg", "registry.reg.lock"}) return 4;
        return 0;
    });
    EXPECT_EQ(code, 0);
}

TEST_F(RegistryStoreTest, UnwritableStoreFailsHonestly) {
    // The store's folder is a file: nothing can be written, and nothing is claimed.
    tmp.write("blocker", "");
    ctx->setRegistryFile(tmp.path("blocker/registry.reg"));
    EXPECT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Path", "x"), 0);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Path"), "");
}

} // namespace
