// The main form's size: the base size, the size list, the stored limits and the minimum, on
// the 1024 x 768 test screen and on a 3840 x 2160 one.
#include "FormsTestSupport.h"
#include "VbFrame3D.h"
#include "VbObjectRef.h"

using namespace zv;
using zvtest::Geo;
using zvtest::geo;
using zvtest::kScreen1024;
using zvtest::kScreen4k;
using zvtest::TestForm;

namespace {

struct SizedForm {
    TestForm form{9000, 6000};
    SupFrm frm;
    SizedForm() {
        form.setLeft(300);
        form.setTop(150);
        frm.setScreen(kScreen1024);
        frm.RegFrm(&form);
    }

    // Each size list in turn, with the place and size the form has after it.
    struct Step {
        const char* sizes;
        Geo expected;
    };
    void expectSteps(std::initializer_list<Step> steps) {
        for (const Step& s : steps) {
            frm.DimAjt(s.sizes);
            EXPECT_EQ(geo(form), s.expected) << s.sizes;
        }
    }
};

} // namespace

TEST(FormSize, TheSizeListSizesAndCentres) {
    SizedForm t;
    EXPECT_EQ(t.frm.baseWidth(), 9000);
    EXPECT_EQ(t.frm.baseHeight(), 6000);

    t.expectSteps({
        {"", {300, 150, 9000, 6000}},
        // An 800 x 600 screen less the task-bar strip (28 pixels), centred above the strip.
        {" 800t,ct ", {1680, 1260, 12000, 8580}},
        {"640T,C", {2880, 2370, 9600, 6780}},
        {"SCRT", {2880, 2370, 15360, 11100}},
        // Unknown tokens do nothing; a token with a blank is unknown.
        {"XX, C,BASE", {2880, 2370, 9000, 6000}},
    });
    t.form.resizeTo(12000, 7500);
    t.frm.DimBase();
    EXPECT_EQ(geo(t.form), (Geo{2880, 2370, 9000, 6000}));
}

TEST(FormSize, WindowStateTokens) {
    SizedForm t;
    zvtest::showAndSettle(t.form);
    t.frm.DimAjt("MAX");
    EXPECT_EQ(t.form.vbWindowState(), 2);
    // Centred on its maximised size: the outer size passes the screen by the frame allowance.
    t.frm.DimAjt("MAX,C");
    EXPECT_EQ(t.form.left(), -60);
    t.frm.DimAjt("NOR");
    EXPECT_EQ(t.form.vbWindowState(), 0);
}

TEST(FormSize, ParentTokens) {
    SizedForm t;
    t.expectSteps({{"PC,PA,PP", {300, 150, 9000, 6000}}});

    TestForm parent(12000, 9000);
    parent.setLeft(1500);
    parent.setTop(900);
    t.form.resizeTo(6000, 4500);
    t.frm.RegFrmPar(&parent);
    t.expectSteps({
        {"PC", {4500, 3150, 6000, 4500}},
        {"PP", {1500, 900, 6000, 4500}},
        {"PA", {1500, 900, 12000, 9000}},
    });
}

TEST(FormSize, LimitsByMode) {
    SizedForm t;
    auto frame = t.form.addControl<VbFrame3D>("frConteudo");
    frame->move(0, 0, 3000, 1500);
    auto limits = [&] {
        return std::vector(
            {t.frm.minWidth(), t.frm.minHeight(), t.frm.maxWidth(), t.frm.maxHeight()});
    };

    // No limits: nothing changes.
    t.form.resizeTo(4500, 7500);
    t.frm.DimLim();
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 4500, 7500}));
    // A minimum: only the width is below it.
    t.frm.DimLimPrp("D<", 6000, 4500);
    t.frm.DimLim();
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 6000, 7500}));
    t.frm.DimLimPrp("D>", 5400, 6000);
    t.frm.DimLim();
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 5400, 6000}));

    // Modes are compared as written: "d<" is any other mode (minimum, then maximum).
    t.frm.DimLimPrp("d<", 1500.4, 1499.5, 12000, 9000);
    EXPECT_EQ(limits(), std::vector({1500, 1500, 12000, 9000}));
    t.frm.DimLimPrp("F<", VbObjectRef(frame));
    EXPECT_EQ(limits(), std::vector({3000, 1500, 0, 0}));
    // An inside area made an outer form size.
    t.frm.DimLimPrp("O>", frame);
    EXPECT_EQ(limits(), std::vector({0, 0, 3120, 1905}));
    t.frm.DimLimPrp("F>", &t.form);
    EXPECT_EQ(limits(), std::vector({0, 0, 5400, 6000}));
    // An object mode given numbers, or a number mode given an object, changes nothing.
    t.frm.DimLimPrp("O<", 100, 100);
    t.frm.DimLimPrp("D<", frame);
    t.frm.DimLimPrp("F<", VbObjectRef());
    EXPECT_EQ(limits(), std::vector({0, 0, 5400, 6000}));
    t.frm.DimLimPrp("R<");
    EXPECT_EQ(limits(), std::vector({9000, 6000, 0, 0}));
}

// The minimum DimMin sets is kept for DimLim.
TEST(FormSize, TheMinimumIsKept) {
    SizedForm t;
    t.form.resizeTo(6000, 4500);
    t.frm.DimMin(7500, 6000);
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 7500, 6000}));
    t.form.resizeTo(4500, 7500);
    t.frm.DimLim();
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 7500, 7500}));

    // Below 0: the base size, and a larger form is never shrunk.
    t.form.resizeTo(12000, 4500);
    t.frm.DimMin(-1, 0);
    EXPECT_EQ(t.frm.minWidth(), 9000);
    EXPECT_EQ(t.frm.minHeight(), 6000);
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 12000, 6000}));
}

// A 3840 x 2160 screen is wider than 32767 twips: the original's 16-bit arithmetic left the
// screen tokens without effect and shrank a form that wide to its minimum on every resize.
TEST(FormSize, ScreensWiderThan32767Twips) {
    SizedForm t;
    t.frm.setScreen(kScreen4k);
    t.frm.DimLimPrp("D<", 6000, 4500);
    t.expectSteps({{"SCR", {300, 150, 57600, 32400}}});
    t.frm.DimLim();
    EXPECT_EQ(geo(t.form), (Geo{300, 150, 57600, 32400}));
    t.expectSteps({
        {"1024,C", {21120, 10440, 15360, 11520}},
        {"800T,CT", {22800, 11700, 12000, 8580}},
    });
}
