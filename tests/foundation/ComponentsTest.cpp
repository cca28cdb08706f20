// Component registration (ApiDec) with the test modules: one that registers, one without the
// entry points, one that never returns, one that reports failure.
#include "ApiDec.h"

#include "ComponentLoader.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <system_error>

using namespace zv;

namespace {

QString module(const char* kind) {
    return zvtest::binPath(QStringLiteral("helpers/foundation/zvcomp_%1.dll").arg(kind));
}

class Components : public ::testing::Test {
protected:
    void SetUp() override {
        apiDecState().cmpRegWait = std::chrono::milliseconds(200);
        log = tmp.path("calls.log");
        ::setenv("ZV_COMPONENT_LOG", QFile::encodeName(log).constData(), 1);
    }
    void TearDown() override {
        ::unsetenv("ZV_COMPONENT_LOG");
        apiDecReset();
    }
    QStringList calls() {
        return QString::fromUtf8(tmp.read("calls.log")).split('\n', Qt::SkipEmptyParts);
    }
    ScopedProcessContext ctx;
    zvtest::TempDir tmp;
    QString log;
};

TEST_F(Components, RegistrationResults) {
    EXPECT_EQ(CmpRegExe("", 1), 0);
    EXPECT_EQ(CmpRegExe(tmp.path("missing.dll"), 1), 1);
    EXPECT_EQ(CmpRegExe(tmp.write("fake.dll", "MZ not an ELF module"), 1), 1);
    EXPECT_EQ(CmpRegExe(module("noentry"), 1), 2);
    EXPECT_EQ(CmpRegExe(module("ok"), 3), 2);
    EXPECT_EQ(CmpRegExe(module("ok"), 1), 4);
    EXPECT_EQ(CmpRegExe(module("ok"), 2), 5);
    EXPECT_EQ(calls(), (QStringList{"zvcomp_ok.dll reg", "zvcomp_ok.dll unreg"}));
    // A failure code from the entry point is no success.
    EXPECT_EQ(CmpRegExe(module("fail"), 1), 6);
    EXPECT_EQ(CmpRegExe(module("fail"), 2), 6);
    EXPECT_FALSE(isComponentLoaded(module("ok")));
    EXPECT_TRUE(ctx.headless().messageBox->shown().empty());
}

TEST_F(Components, HangingEntryPointIsLeftRunning) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(CmpRegExe(module("hang"), 1), 3);
    EXPECT_GE(timer.elapsed(), 190);
    EXPECT_LT(timer.elapsed(), 2000);
    // Its code still runs, so the module stays loaded.
    EXPECT_TRUE(isComponentLoaded(module("hang")));
    int ok = 0;
    CmpRegFic("I", module("hang"), ok);
    EXPECT_EQ(ok, 0);
}

TEST_F(Components, NoThreadMeansTheModuleIsUnloaded) {
    const ComponentCall call =
        callComponentEntry(module("ok"), "DllRegisterServer", std::chrono::milliseconds(200),
                           [](std::function<void()>) -> std::thread {
                               throw std::system_error(
                                   std::make_error_code(std::errc::resource_unavailable_try_again));
                           });
    EXPECT_EQ(call.outcome, ComponentCall::Outcome::NoThread);
    EXPECT_FALSE(isComponentLoaded(module("ok")));
    EXPECT_TRUE(calls().isEmpty());
}

TEST_F(Components, OneFileSetsTheFlagOnlyOnSuccess) {
    int ok = 0;
    CmpRegFic("I", module("ok"), ok);
    EXPECT_EQ(ok, 1);
    ok = 0;
    CmpRegFic("R", module("ok"), ok);
    EXPECT_EQ(ok, 1);
    ok = 0;
    CmpRegFic("I", module("fail"), ok);
    EXPECT_EQ(ok, 0);
    ok = 7;
    CmpRegFic("X", module("ok"), ok); // other modes do nothing
    EXPECT_EQ(ok, 7);

    ok = 0;
    CmpRegFic("I", tmp.path("gone.ocx"), ok);
    EXPECT_EQ(ok, 0);
    const auto& boxes = ctx.headless().messageBox->shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.title, "Instalar Componente");
    EXPECT_EQ(boxes[0].request.icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes[0].request.text,
              "O Componente \r\n" + tmp.path("gone.ocx") + "\r\n Não existe!");
}

TEST_F(Components, FolderRegistersDllsThenOcxsByName) {
    const QString dir = tmp.path("components");
    QDir().mkpath(dir);
    for (const char* name : {"b.dll", "A.DLL", "c.ocx", "B.OCX"})
        ASSERT_TRUE(QFile::copy(module("ok"), dir + "/" + name));
    tmp.write("components/readme.txt", "");

    CmpRegDir("I", dir, "");
    EXPECT_EQ(calls(), (QStringList{"A.DLL reg", "b.dll reg", "B.OCX reg", "c.ocx reg"}));
    QFile::remove(log);
    CmpRegDir(" a ", dir, "ocx"); // any other mode: unregister, then register, per file
    EXPECT_EQ(calls(), (QStringList{"B.OCX unreg", "B.OCX reg", "c.ocx unreg", "c.ocx reg"}));
    QFile::remove(log);
    CmpRegDir("r", dir, "Dll");
    EXPECT_EQ(calls(), (QStringList{"A.DLL unreg", "b.dll unreg"}));

    QStringList files;
    int n = -1;
    FicLstExt(dir, "ocx", files, n);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(files, (QStringList{"", "B.OCX", "c.ocx"}));
}

} // namespace
