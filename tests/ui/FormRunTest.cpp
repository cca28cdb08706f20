// Forms: geometry with the frame allowance, the modal run and its ends (close box, refusal,
// Escape, End), the busy guard on clicks and closing, and exceptions thrown by handlers.
#include "BusyGuard.h"
#include "Convert.h"
#include "EventGuard.h"
#include "QtEventPump.h"
#include "ScopedProcessContext.h"
#include "UiTestSupport.h"
#include "VbCommandButton.h"
#include "VbForm.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zv;

namespace {

// A form that records its events and may refuse to unload.
class TestForm : public VbForm {
public:
    QStringList events;
    bool refuseCloseBox = false;
    std::function<void()> unloadAction;

protected:
    void onLoad() override { events << QStringLiteral("load"); }
    bool onQueryUnload(UnloadMode mode) override {
        events << (mode == UnloadMode::CloseBox ? QStringLiteral("query:closebox")
                                                : QStringLiteral("query:code"));
        return !(refuseCloseBox && mode == UnloadMode::CloseBox);
    }
    void onUnload() override {
        events << QStringLiteral("unload");
        if (unloadAction) unloadAction();
    }
};

// Runs steps one after another from timers while the form's modal run waits.
void afterStart(std::function<void()> step) {
    QTimer::singleShot(0, std::move(step));
}

} // namespace

TEST(UiForm, GeometryCountsTheFrameAllowance) {
    VbForm form;
    form.move(0.0, 0.0, 9600.0, 7200.0);
    EXPECT_EQ(form.size(), QSize(632, 453)); // client: 9600 - 120 and 7200 - 405 twips
    EXPECT_EQ(form.width(), 9600);
    EXPECT_EQ(form.height(), 7200);
    EXPECT_EQ(form.clientWidth(), 9480);
    EXPECT_EQ(toDouble(form.object()->get("ScaleHeight")), 6795);
    form.object()->put("Left", 1500);
    form.object()->put("Top", 750);
    form.showForm();
    EXPECT_EQ(form.pos(), QPoint(100, 50));
    EXPECT_EQ(toDouble(form.object()->get("Left")), 1500);

    // A fixed-size window stays fixed at its new size.
    form.setFixedSize(100, 100);
    form.setWidth(3120);
    EXPECT_EQ(form.minimumSize(), QSize(200, 100));
    EXPECT_EQ(form.maximumSize(), QSize(200, 100));
    EXPECT_THROW(form.setHeight(-1), VbError);

    // Maximised on the test screen: the client area is the screen.
    form.setMinimumSize(0, 0);
    form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form.object()->put("WindowState", 2);
    EXPECT_EQ(CInt(form.object()->get("WindowState")), 2);
    EXPECT_EQ(form.clientWidth(), 15360);
    EXPECT_EQ(form.width(), 15480);
    EXPECT_THROW(form.setVbWindowState(3), VbError);
}

TEST(UiForm, ScriptsReachTheFormAndItsProperties) {
    VbForm form;
    form.setName(QStringLiteral("ZelVynFun"));
    DispatchPtr f = form.object();
    EXPECT_EQ(f->typeName(), QStringLiteral("ZelVynFun"));
    f->put("Caption", QStringLiteral("Vynnard"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vynnard"));
    f->put("BackColor", int32_t(0x00FF00));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(0, 255, 0));
    EXPECT_EQ(CLng(f->get("hWnd")), CLng(f->get("hDC")));
    EXPECT_EQ(f.get(), form.object().get()); // one object per form
    f->put("Visible", true);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isLoaded());
    f->call("Hide");
    EXPECT_FALSE(CBool(f->get("Visible")));
}

TEST(UiForm, TheCloseBoxEndsTheModalRunThroughTheUnloadHooks) {
    TestForm form;
    form.resize(200, 100);
    bool wasModal = false;
    afterStart([&] {
        wasModal = QApplication::activeModalWidget() == &form;
        form.close();
    });
    form.showModal();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(form.events, (QStringList{"load", "query:closebox", "unload"}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(form.isModalRunning());
}

TEST(UiForm, ARefusedCloseAndEscapeKeepTheRunUntilTheCodeUnloads) {
    TestForm form;
    form.refuseCloseBox = true;
    bool visibleAfterClose = false, visibleAfterEscape = false;
    afterStart([&] {
        form.close();
        visibleAfterClose = form.isVisible() && form.isLoaded();
        QTest::keyClick(&form, Qt::Key_Escape);
        visibleAfterEscape = form.isVisible();
        afterStart([&] { EXPECT_TRUE(form.unload()); });
    });
    form.showModal();
    EXPECT_TRUE(visibleAfterClose);
    EXPECT_TRUE(visibleAfterEscape);
    EXPECT_EQ(form.events, (QStringList{"load", "query:closebox", "query:code", "unload"}));
    EXPECT_FALSE(form.isVisible());
}

TEST(UiForm, AbandonEndsTheRunWithoutHooksAndTheFormShowsAgain) {
    TestForm form;
    afterStart([&] { form.abandon(); });
    form.showModal();
    EXPECT_EQ(form.events, QStringList{"load"});
    EXPECT_FALSE(form.isLoaded());
    form.close(); // nothing left to ask
    EXPECT_EQ(form.events, QStringList{"load"});

    // Shown again, the form loads again and can run modally again.
    afterStart([&] { form.unload(); });
    form.showModal();
    EXPECT_EQ(form.events, (QStringList{"load", "load", "query:code", "unload"}));
}

TEST(UiForm, ShowingModallyTwiceRaises400) {
    TestForm form;
    int number = 0;
    afterStart([&] {
        try {
            form.showModal();
        } catch (const VbError& e) {
            number = e.number();
        }
        form.unload();
    });
    form.showModal();
    EXPECT_EQ(number, 400);
}

TEST(UiForm, TheBusyGuardIgnoresClicksAndCloseRequests) {
    ScopedProcessContext scope;
    TestForm form;
    form.setInputGuard(true);
    auto cm = form.addControl<VbCommandButton>(QStringLiteral("cmSeg"));
    cm->widget()->setGeometry(10, 10, 80, 25);
    int clicks = 0;
    cm->setClickHandler([&] { ++clicks; });
    form.showForm();
    {
        auto busy = scope->pump().busy();
        EXPECT_FALSE(clickAllowed());
        EXPECT_FALSE(form.acceptsInput());
        QTest::mouseClick(cm->widget(), Qt::LeftButton);
        form.close();
        EXPECT_EQ(clicks, 0);
        EXPECT_TRUE(form.isLoaded());
        EXPECT_TRUE(form.isVisible());
        cm->put("Value", true); // a click made by the code goes through
        EXPECT_EQ(clicks, 1);
    }
    EXPECT_TRUE(clickAllowed());
    QTest::mouseClick(cm->widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    form.close();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(form.events, (QStringList{"load", "query:closebox", "unload"}));

    // Without the guard a busy engine does not stop the clicks.
    VbForm plain;
    auto other = plain.addControl<VbCommandButton>(QStringLiteral("cm"));
    other->widget()->setGeometry(0, 0, 50, 20);
    other->setClickHandler([&] { ++clicks; });
    plain.showForm();
    auto busy = scope->pump().busy();
    QTest::mouseClick(other->widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, 3);
}

TEST(UiForm, HandlerExceptionsComeOutOfTheModalRun) {
    TestForm form;
    auto cm = form.addControl<VbCommandButton>(QStringLiteral("cm"));
    cm->setClickHandler([] { throw VbError(13); });
    afterStart([&] { cm->button()->click(); });
    try {
        form.showModal();
        ADD_FAILURE() << "no error came out";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(hasPendingException());

    // The program's End wins over an error kept before it, also from an unload hook.
    TestForm ending;
    ending.unloadAction = [] { throw ProgramEnd(0); };
    afterStart([&] {
        runGuarded([] { throw VbError(5); });
        ending.close();
    });
    EXPECT_THROW(ending.showModal(), ProgramEnd);
    EXPECT_FALSE(hasPendingException());
    EXPECT_FALSE(ending.isLoaded());
}

TEST(UiForm, ThePumpRaisesWhatAHandlerThrewWhileItRan) {
    QtEventPump pump;
    QTimer::singleShot(0, [] { runGuarded([] { throw VbError(91); }); });
    QTest::qWait(20);
    EXPECT_TRUE(hasPendingException());
    EXPECT_THROW(pump.pump(), VbError);
    EXPECT_NO_THROW(pump.pump());
}
