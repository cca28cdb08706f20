// Placing forms on the screen and on another form, switching which of the main and parent
// forms shows, and forcing a layout. These tests also run on X11 (under Xvfb), where the
// window system is asked where the window really is.
#include "FormsTestSupport.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QWindow>

using namespace zv;
using zvtest::errorOf;
using zvtest::Geo;
using zvtest::geo;
using zvtest::kScreen1024;
using zvtest::kScreen4k;
using zvtest::TestForm;

namespace {

bool onX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Waits (a few seconds at most) until done() holds, letting events through.
bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 300 && !done(); ++i)
        QTest::qWait(10);
    return done();
}

// Where the window system has the form's window, in pixels: on X11 as the X server answers
// (xwininfo), elsewhere as the platform reports it.
QPoint windowSystemPlace(QWidget& form) {
    if (!onX11()) return form.windowHandle()->framePosition();
    QProcess info;
    info.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(form.winId())});
    if (!info.waitForFinished(10000)) return {INT_MIN, INT_MIN};
    const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
    auto field = [&](const char* name) {
        const auto m = QRegularExpression(QStringLiteral("%1:\\s*(-?\\d+)").arg(name)).match(out);
        return m.hasMatch() ? m.captured(1).toInt() : INT_MIN;
    };
    return {field("Absolute upper-left X"), field("Absolute upper-left Y")};
}

// Places the form by mode and waits until the window system has it where the form says.
void placeAndSettle(SupFrm& frm, const QString& mode, TestForm& form, VbForm* reference) {
    frm.PosAjtExe(mode, &form, reference);
    const QPoint want(int(form.left() / 15), int(form.top() / 15));
    EXPECT_TRUE(waitFor([&] { return windowSystemPlace(form) == want; }))
        << mode.toStdString() << ": the window is at " << windowSystemPlace(form).x() << ", "
        << windowSystemPlace(form).y();
}

struct Pair {
    TestForm main{6000, 4500};
    TestForm parent{12000, 9000};
    SupFrm frm;
    Pair() {
        parent.setLeft(1500);
        parent.setTop(900);
        frm.setScreen(kScreen1024);
    }
};

} // namespace

TEST(FormPlacement, EachModePlacesWithoutResizing) {
    Pair t;
    zvtest::showAndSettle(t.parent);
    zvtest::showAndSettle(t.main);
    placeAndSettle(t.frm, "Z", t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{0, 0, 6000, 4500}));
    placeAndSettle(t.frm, "c", t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{4680, 3510, 6000, 4500}));
    placeAndSettle(t.frm, " CT ", t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{4680, 3300, 6000, 4500}));
    placeAndSettle(t.frm, "CO", t.main, &t.parent);
    EXPECT_EQ(geo(t.main), (Geo{4500, 3150, 6000, 4500}));
    placeAndSettle(t.frm, "PO", t.main, &t.parent);
    EXPECT_EQ(geo(t.main), (Geo{1500, 900, 6000, 4500}));
    // Parked off screen.
    placeAndSettle(t.frm, "I", t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{-30000, 0, 6000, 4500}));

    // Unknown modes, and the reference modes without a reference, change nothing.
    for (const char* mode : {"X", "CO", "PO"})
        t.frm.PosAjtExe(mode, &t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{-30000, 0, 6000, 4500}));
    t.frm.RegFrm(&t.main);
    t.frm.PosAjt("CO", &t.parent);
    EXPECT_EQ(geo(t.main), (Geo{4500, 3150, 6000, 4500}));
}

// The original's 16-bit screen values left every screen mode without effect on such a screen.
TEST(FormPlacement, ScreensWiderThan32767Twips) {
    Pair t;
    t.frm.setScreen(kScreen4k);
    t.frm.PosAjtExe("C", &t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{25800, 13950, 6000, 4500}));
    t.frm.PosAjtExe("CT", &t.main, nullptr);
    EXPECT_EQ(geo(t.main), (Geo{25800, 13740, 6000, 4500}));
}

TEST(FormPlacement, SwitchingBetweenTheMainAndTheParentForm) {
    Pair t;
    zvtest::showAndSettle(t.parent);
    t.frm.VisRegFrm(&t.main, &t.parent, "CO");
    EXPECT_EQ(geo(t.main), (Geo{4500, 3150, 6000, 4500}));
    EXPECT_TRUE(t.main.isHidden());

    t.frm.VisSit("f");
    EXPECT_FALSE(t.main.isHidden());
    EXPECT_EQ(t.parent.left(), -30000);
    t.frm.VisSit("P");
    EXPECT_TRUE(t.main.isHidden());
    EXPECT_FALSE(t.parent.isHidden());
    EXPECT_EQ(geo(t.parent), (Geo{1500, 900, 12000, 9000}));

    // A temporary swap happens once until it ends.
    t.frm.VisSit(" IE ");
    EXPECT_TRUE(t.frm.swapped());
    EXPECT_FALSE(t.main.isHidden());
    EXPECT_EQ(t.parent.left(), -30000);
    t.main.hide();
    t.frm.VisSit("IE");
    EXPECT_TRUE(t.main.isHidden());
    t.main.show();
    t.frm.VisSit("XX");
    EXPECT_FALSE(t.main.isHidden());

    // The end of the swap shows the parent where it is (parked) with the main form centred on
    // it and hidden; "P" brings the parent back.
    t.frm.VisSit("TE");
    EXPECT_FALSE(t.frm.swapped());
    EXPECT_TRUE(t.main.isHidden());
    EXPECT_FALSE(t.parent.isHidden());
    EXPECT_EQ(geo(t.parent), (Geo{-30000, 900, 12000, 9000}));
    EXPECT_EQ(geo(t.main), (Geo{-27000, 3150, 6000, 4500}));
    t.frm.VisSit("P");
    EXPECT_EQ(geo(t.parent), (Geo{1500, 900, 12000, 9000}));
}

TEST(FormPlacement, VisibilityByAYesNoFlag) {
    Pair t;
    t.frm.VisSitExe(&t.main, Variant(QStringLiteral("S")));
    EXPECT_FALSE(t.main.isHidden());
    t.frm.VisSitExe(&t.main, Variant(int16_t(0)));
    EXPECT_TRUE(t.main.isHidden());
    t.frm.VisSitExe(nullptr, Variant(true));
}

// Without a parent the switches raise the object error; a parent deleted while registered is a
// form that is gone, never a dangling pointer.
TEST(FormPlacement, SwitchesWithoutAParentRaise) {
    Pair t;
    t.frm.RegFrm(&t.main);
    EXPECT_EQ(errorOf([&] { t.frm.VisSit("F"); }), 91);
    EXPECT_EQ(errorOf([&] { t.frm.VisPosPar("C"); }), 91);
    EXPECT_EQ(errorOf([&] { t.frm.VisSit("Q"); }), 0);

    auto parent = std::make_unique<TestForm>(9000, 6000);
    t.frm.VisRegFrm(&t.main, parent.get(), "CO");
    parent.reset();
    EXPECT_EQ(errorOf([&] { t.frm.VisSit("P"); }), 364);
    EXPECT_EQ(errorOf([&] { t.frm.VisPosPar("CO"); }), 364);
    t.frm.DimAjt("PC,PA");
    EXPECT_EQ(t.main.width(), 6000);
}

TEST(FormPlacement, AForcedLayoutRunsTheResizeHandlerTwice) {
    Pair t;
    t.frm.RegFrm(&t.main);
    zvtest::showAndSettle(t.main);
    t.main.resizes = 0;
    t.frm.ResFrc();
    EXPECT_TRUE(waitFor([&] { return t.main.resizes >= 2; })) << t.main.resizes;
    EXPECT_EQ(t.main.width(), 6000);
    EXPECT_TRUE(waitFor([&] { return t.main.QWidget::width() == 392; }));
}
