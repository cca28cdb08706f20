// Instance identifiers (DbgFx), member objects (GlbCtl), surfaces and twips (GlbImg), and the
// window operations of ApiDec and FicGlb, against the headless window service.
#include "ApiDec.h"
#include "DbgFx.h"
#include "FicGlb.h"
#include "GlbCtl.h"
#include "GlbImg.h"

#include "ScopedProcessContext.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

// An object with the members the procedures call by name, counting the calls.
std::shared_ptr<SimpleDispatch> member(int* ini, int* fim, bool failingFim = false) {
    auto obj = std::make_shared<SimpleDispatch>("Member");
    if (ini)
        obj->addMethod("FxIni", [ini](Args) {
            ++*ini;
            return Variant();
        });
    if (fim)
        obj->addMethod("FxFim", [fim, failingFim](Args) -> Variant {
            ++*fim;
            if (failingFim) vbRaise(5);
            return Variant();
        });
    return obj;
}

std::shared_ptr<SimpleDispatch> window(int32_t hwnd, int* refreshes = nullptr) {
    auto obj = std::make_shared<SimpleDispatch>("Form");
    obj->addProperty("hwnd", [hwnd](Args) { return Variant(hwnd); });
    obj->addProperty("hdc", [hwnd](Args) { return Variant(hwnd + 1000); });
    if (refreshes)
        obj->addMethod("Refresh", [refreshes](Args) {
            ++*refreshes;
            return Variant();
        });
    return obj;
}

class InstanceHooks : public ::testing::Test {
protected:
    void SetUp() override {
        ctx->setClock([this] { return QDateTime(QDate(2026, 5, 4), now); });
    }
    void TearDown() override { dbgFxReset(); }
    QString nextId() {
        QString id;
        DbgObIni("SupTest", id);
        return id;
    }
    ScopedProcessContext ctx;
    QTime now{10, 20, 30, 123};
};

TEST_F(InstanceHooks, IdentifiersCountCollisionsForEver) {
    QString stamp;
    DbgHor(stamp);
    EXPECT_EQ(stamp, "10:20:30.12");
    EXPECT_EQ(nextId(), "10:20:30.12");
    EXPECT_EQ(nextId(), "10:20:30.12 1");
    EXPECT_EQ(nextId(), "10:20:30.12 2");
    now = QTime(10, 20, 30, 456);
    EXPECT_EQ(nextId(), "10:20:30.45");
    EXPECT_EQ(nextId(), "10:20:30.45 3");
    // The hundredths belong to the second shown.
    now = QTime(10, 20, 59, 999);
    DbgHor(stamp);
    EXPECT_EQ(stamp, "10:20:59.99");
}

TEST_F(InstanceHooks, MembersStartAndEndByName) {
    int ini = 0, fim = 0, res = 0;
    auto obj = member(&ini, &fim);
    ObIni(obj, res);
    EXPECT_EQ(res, 1);
    EXPECT_EQ(ini, 1);
    res = 0;
    ObFim(obj, res);
    EXPECT_EQ(res, 1);
    EXPECT_EQ(fim, 1);
    EXPECT_EQ(obj, nullptr);

    // Without FxIni and FxFim, failing in FxFim, or Nothing: still 1, and released.
    DispatchPtr bare = member(nullptr, nullptr);
    std::weak_ptr<Dispatch> watch = bare;
    res = 0;
    ObIni(bare, res);
    EXPECT_EQ(res, 1);
    ObFim(bare, res);
    EXPECT_EQ(res, 1);
    EXPECT_TRUE(watch.expired());
    auto failing = member(nullptr, &fim, true);
    ObFim(failing, res);
    EXPECT_EQ(res, 1);
    EXPECT_EQ(failing, nullptr);
    DispatchPtr nothing;
    ObFim(nothing, res);
    EXPECT_EQ(res, 1);
}

TEST_F(InstanceHooks, TwipsAndSurfaceCopies) {
    double px = 0, py = 0;
    TwpPix(1500, 300, px, py);
    EXPECT_EQ(px, 100);
    EXPECT_EQ(py, 20);

    auto windows = ctx.headless().windows;
    DeviceContext hdc = 0;
    QString kind;
    ImgHdc(Variant(DispatchPtr(member(nullptr, nullptr))), hdc, kind); // no hdc
    EXPECT_EQ(kind, "O");
    EXPECT_EQ(hdc, 0u);

    // Without destination coordinates the rectangle lands at the same place.
    EXPECT_EQ(ImgCop(Variant(DispatchPtr(window(5))), 3, 4, 10, 20, Variant(int32_t(222))), 1);
    ASSERT_EQ(windows->copies().size(), 1u);
    const auto& c = windows->copies()[0];
    EXPECT_EQ(c.src, 1005u);
    EXPECT_EQ(c.dst, 222u);
    EXPECT_EQ(c.xd, 3);
    EXPECT_EQ(c.yd, 4);
    EXPECT_EQ(c.w, 10);
    EXPECT_EQ(c.h, 20);
    EXPECT_EQ(ImgCop(Variant("S"), 0, 0, 5, 5, Variant(int32_t(222)), 7, 8), 1);
    EXPECT_EQ(windows->copies()[1].src, HeadlessWindowService::kScreen);
    EXPECT_EQ(windows->copies()[1].xd, 7);
    EXPECT_EQ(windows->screensHeld(), 0); // the screen was given back
    windows->setCopyResult(false);
    EXPECT_EQ(ImgBlt(1, 0, 0, 1, 1, 2), 0);
}

TEST_F(InstanceHooks, WindowsOnTopRedrawAndForms) {
    auto windows = ctx.headless().windows;
    WinTopIni(window(42));
    ASSERT_EQ(windows->topmostCalls().size(), 2u);
    EXPECT_EQ(windows->topmostCalls()[0].window, 42u);
    EXPECT_TRUE(windows->topmostCalls()[0].on);
    EXPECT_FALSE(windows->topmostCalls()[1].on);

    int refreshes = 0;
    auto control = window(7, &refreshes);
    WinRedDlg(control);
    WinRedLig(control);
    ASSERT_EQ(windows->redrawCalls().size(), 2u);
    EXPECT_FALSE(windows->redrawCalls()[0].on);
    EXPECT_TRUE(windows->redrawCalls()[1].on);
    EXPECT_EQ(refreshes, 1);
    // No window behind the object: nothing happens, nothing is raised.
    WinTopIni(member(nullptr, nullptr));
    WinRedLig(nullptr);
    EXPECT_EQ(windows->topmostCalls().size(), 2u);

    FicErrFrm(0);
    EXPECT_EQ(windows->unloadCount(), 2);
    EXPECT_THROW(FicErrFrm(1), ProgramEnd);
    FicVerNotepad("/var/log/app.log", 1);
    EXPECT_EQ(ctx.headless().opener->viewed(), QStringList{"/var/log/app.log"});
}

} // namespace
