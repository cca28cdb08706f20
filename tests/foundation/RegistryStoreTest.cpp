// The registry's string values (GlbReg) on the registry-export file store, read back in this
// process and in others.
#include "GlbReg.h"

#include "RegistryStore.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

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

    // Two writers at once: the lock keeps every value.
    QProcess a, b;
    const QString key = "HKEY_LOCAL_MACHINE\\" + kKey;
    a.start(zvtest::binPath("helpers/foundation/zv_regtool"), {"fill", file, key, "a", "40"});
    b.start(zvtest::binPath("helpers/foundation/zv_regtool"), {"fill", file, key, "b", "40"});
    ASSERT_TRUE(a.waitForFinished(60000) && b.waitForFinished(60000));
    EXPECT_EQ(a.exitCode(), 0);
    EXPECT_EQ(b.exitCode(), 0);
    for (int i = 1; i <= 40; ++i) {
        EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, QString("a%1").arg(i)), QString("v%1").arg(i));
        EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, QString("b%1").arg(i)), QString("v%1").arg(i));
    }
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Shared"), "from the test");
}

TEST_F(RegistryStoreTest, UnwritableStoreFailsHonestly) {
    // The store's folder is a file: nothing can be written, and nothing is claimed.
    tmp.write("blocker", "");
    ctx->setRegistryFile(tmp.path("blocker/registry.reg"));
    EXPECT_EQ(RegValGra(kHkeyLocalMachine, kKey, "Path", "x"), 0);
    EXPECT_EQ(RegValLer(kHkeyLocalMachine, kKey, "Path"), "");
}

} // namespace
