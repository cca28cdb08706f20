#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zv;

namespace {

// Sets (or, with a null value, removes) an environment variable for one scope.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        value ? qputenv(name, value) : qunsetenv(name);
    }
    ~EnvGuard() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace

TEST(ProcessContext, RegistryFileFromEnvironmentElseDataFolder) {
    ScopedProcessContext ctx;
    {
        EnvGuard env("ZELVYN_REGISTRY", nullptr);
        EXPECT_EQ(ctx->registryFile(), ctx->dataFolder() + QStringLiteral("/registry.reg"));
    }
    EnvGuard env("ZELVYN_REGISTRY", "/srv/test/reg file.reg");
    EXPECT_EQ(ctx->registryFile(), QStringLiteral("/srv/test/reg file.reg"));
}

TEST(ProcessContext, TempFolderFromTmpdirWithoutTrailingSeparator) {
    ScopedProcessContext ctx;
    zvtest::TempDir dir;
    const QString real = QFileInfo(dir.path()).canonicalFilePath();
    const QByteArray raw = real.toLocal8Bit();
    const std::pair<QByteArray, QString> cases[] = {
        {raw + "/", real},
        {raw + "//", real},
        {"/", QStringLiteral("/")},
        {raw + "/no-such-folder/", QStringLiteral("/tmp")}, // never ""
    };
    for (const auto& [tmpdir, expected] : cases) {
        EnvGuard env("TMPDIR", tmpdir.constData());
        EXPECT_EQ(ctx->tempFolder(), expected) << tmpdir.constData();
    }
}

TEST(ProcessContext, StandInFoldersAreCreatedAndNeverEmpty) {
    ScopedProcessContext ctx;
    zvtest::TempDir dir;
    ctx->setDataFolder(dir.path(QStringLiteral("data")));
    EXPECT_EQ(ctx->windowsFolder(), dir.path(QStringLiteral("data/windows")));
    EXPECT_TRUE(ctx->systemFolder().startsWith(ctx->windowsFolder() + u'/'));
    EXPECT_TRUE(QFileInfo(ctx->systemFolder()).isDir());
    // A data folder that cannot be made (a file is in the way) still gives the paths.
    ctx->setDataFolder(dir.write(QStringLiteral("blocker"), "x") + QStringLiteral("/data"));
    EXPECT_FALSE(ctx->windowsFolder().isEmpty());
    EXPECT_FALSE(ctx->systemFolder().isEmpty());
}

TEST(ProcessContext, ScopedContextsAreFreshAndNest) {
    ProcessContext& process = ProcessContext::current();
    {
        ScopedProcessContext outer;
        EXPECT_EQ(&ProcessContext::current(), &outer.context());
        EXPECT_NE(outer->dataFolder(), process.dataFolder()) << "tests never use the home";
        ProcessContext::current().messageBox().show({});
        {
            ScopedProcessContext inner;
            EXPECT_TRUE(inner.headless().messageBox->shown().empty());
        }
        EXPECT_EQ(&ProcessContext::current(), &outer.context());
        EXPECT_EQ(outer.headless().messageBox->shown().size(), 1u);
        // Installing services replaces only the ones given.
        outer->setServices({nullptr, std::make_shared<HeadlessEventPump>(), nullptr, nullptr});
        EXPECT_EQ(&outer->messageBox(), outer.headless().messageBox.get());
    }
    EXPECT_EQ(&ProcessContext::current(), &process);
}

TEST(ProcessContext, ProcessIdentity) {
    ScopedProcessContext ctx;
    EXPECT_FALSE(ctx->userName().isEmpty());
    EXPECT_FALSE(ctx->computerName().isEmpty());
    EXPECT_FALSE(ctx->computerName().contains(u'.'));
    EXPECT_EQ(ctx->unameInfo().sysname, QStringLiteral("Linux"));
    EXPECT_FALSE(ctx->unameInfo().release.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(ctx->osReleaseFile()));
    const QStringList args = ctx->arguments();
    ASSERT_FALSE(args.isEmpty());
    EXPECT_EQ(QFileInfo(args[0]).fileName(), QFileInfo(ctx->programFile()).fileName());
    EXPECT_EQ(ctx->programFolder(), QCoreApplication::applicationDirPath());
}
