// Anchored layout: controls registered with anchor tokens follow the form (or their frame)
// through several resizes, run from the form's resize handler as programs do.
#include "FormsTestSupport.h"
#include "VbCommandButton.h"
#include "VbFrame3D.h"
#include "VbLabel.h"
#include "VbListBox.h"

using namespace zv;
using zvtest::errorOf;
using zvtest::Geo;
using zvtest::geo;
using zvtest::place;
using zvtest::TestForm;

namespace {

// A 9000 x 6000 form (outer size) with one control of each anchor kind, laid out from its
// resize handler.
struct AnchoredForm {
    TestForm form{9000, 6000};
    SupFrm frm;
    std::shared_ptr<VbCommandButton> corner = form.addControl<VbCommandButton>("cmOk");
    std::shared_ptr<VbListBox> stretch = form.addControl<VbListBox>("lsItens");
    std::shared_ptr<VbFrame3D> share = form.addControl<VbFrame3D>("frParte");
    std::shared_ptr<VbLabel> centred = form.addControl<VbLabel>("laMeio");
    std::shared_ptr<VbLabel> unknown = form.addControl<VbLabel>("laFixo");

    AnchoredForm() {
        place(*corner, {7500, 5100, 1200, 450});
        place(*stretch, {150, 150, 6000, 4500});
        place(*share, {2250, 1500, 4500, 3000});
        place(*centred, {0, 0, 1500, 615});
        place(*unknown, {300, 300, 900, 300});
        frm.RegFrm(&form);
        frm.RegOb(corner, "PX,PY");
        frm.RegOb(stretch, "DX,DY");
        frm.RegOb(share, "PX%,PY%,DX%,DY%");
        frm.RegOb(centred, "C");
        frm.RegOb(unknown, "ZZ,px,PX ,MZX:A=B");
        form.resized = [this] { frm.AjtCtl(0); };
        zvtest::showAndSettle(form);
    }
};

} // namespace

TEST(FormLayout, EveryTokenKindFollowsSeveralResizes) {
    AnchoredForm t;
    EXPECT_EQ(t.frm.controlCount(), 5);

    t.form.resizeTo(12000, 7500);
    EXPECT_EQ(geo(*t.corner), (Geo{10500, 6600, 1200, 450}));
    EXPECT_EQ(geo(*t.stretch), (Geo{150, 150, 9000, 6000}));
    EXPECT_EQ(geo(*t.share), (Geo{3000, 1875, 6000, 3750}));
    // Centred within the inside: 11880 x 7095.
    EXPECT_EQ(geo(*t.centred), (Geo{5190, 3240, 1500, 615}));
    EXPECT_EQ(geo(*t.unknown), (Geo{300, 300, 900, 300}));

    t.form.resizeTo(9000, 6000);
    EXPECT_EQ(geo(*t.corner), (Geo{7500, 5100, 1200, 450}));
    EXPECT_EQ(geo(*t.stretch), (Geo{150, 150, 6000, 4500}));
    EXPECT_EQ(geo(*t.share), (Geo{2250, 1500, 4500, 3000}));
    EXPECT_EQ(geo(*t.centred), (Geo{3690, 2490, 1500, 615}));
    EXPECT_EQ(geo(*t.unknown), (Geo{300, 300, 900, 300}));
}

TEST(FormLayout, ControlsInAFrameFollowTheFrame) {
    TestForm form(9000, 6000);
    auto frame = form.addControl<VbFrame3D>("frDados");
    auto wide = form.addControl<VbLabel>("laLargo", frame);
    auto centred = form.addControl<VbLabel>("laMeio", frame);
    place(*frame, {150, 150, 4500, 3000});
    place(*wide, {150, 300, 4200, 300});
    place(*centred, {0, 0, 900, 300});
    SupFrm frm;
    frm.RegFrm(&form);
    // The frame first, so that its contents see its new size.
    frm.RegOb(frame, "DX,DY");
    frm.RegOb(wide, "DX");
    frm.RegOb(centred, "C");
    form.resizeTo(12000, 7500);
    frm.AjtCtl(0);
    EXPECT_EQ(geo(*frame), (Geo{150, 150, 7500, 4500}));
    EXPECT_EQ(geo(*wide), (Geo{150, 300, 7200, 300}));
    // In a frame there is no title bar or border to leave out.
    EXPECT_EQ(geo(*centred), (Geo{3300, 2100, 900, 300}));
}

TEST(FormLayout, BorderCorrectionsAndRegistration) {
    TestForm form(9000, 6000);
    auto ok = form.addControl<VbCommandButton>("cmOk");
    place(*ok, {7500, 5100, 1200, 450});
    SupFrm frm;
    frm.RegFrm(&form);
    frm.RegFrmAjt(135, 120);
    frm.RegOb(ok, "PX,PY");
    frm.RegOb(nullptr, "PX");
    EXPECT_EQ(frm.controlCount(), 1);
    // Registration measures the whole form, layout the corrected one.
    frm.AjtCtl(0);
    EXPECT_EQ(geo(*ok), (Geo{7365, 4980, 1200, 450}));

    // A second registration of the form forgets the controls. The form is enabled after
    // every layout, whatever the flag.
    frm.RegFrm(&form);
    EXPECT_EQ(frm.controlCount(), 0);
    for (int flag : {0, 1}) {
        form.setEnabled(false);
        frm.AjtCtl(flag);
        EXPECT_TRUE(form.isEnabled()) << flag;
    }
    EXPECT_EQ(geo(*ok), (Geo{7365, 4980, 1200, 450}));
}

// Faults of the 16-bit original: a form wider than 32767 twips (2184 pixels) laid nothing out.
TEST(FormLayout, FormsWiderThan32767TwipsStillCentreAndAnchor) {
    TestForm form(36000, 9000);
    auto ok = form.addControl<VbCommandButton>("cmOk");
    auto centred = form.addControl<VbLabel>("laMeio");
    place(*ok, {33000, 7500, 1200, 450});
    place(*centred, {0, 0, 1500, 615});
    SupFrm frm;
    frm.RegFrm(&form);
    frm.RegOb(ok, "PX,PY");
    frm.RegOb(centred, "C");
    form.resizeTo(40500, 9000);
    frm.AjtCtl(0);
    EXPECT_EQ(geo(*ok), (Geo{37500, 7500, 1200, 450}));
    EXPECT_EQ(geo(*centred), (Geo{19440, 3990, 1500, 615}));
}

// A share registered against a frame of no size would later multiply the raw twips by the
// frame's width and throw the control far off: the token is never applied.
TEST(FormLayout, AShareOfAContainerOfNoSizeIsNeverApplied) {
    TestForm form(9000, 6000);
    auto frame = form.addControl<VbFrame3D>("frVazio");
    auto inner = form.addControl<VbLabel>("laDentro", frame);
    place(*frame, {150, 150, 0, 0});
    place(*inner, {300, 300, 600, 300});
    SupFrm frm;
    frm.RegFrm(&form);
    frm.RegOb(inner, "PX%,PY%,DX");
    place(*frame, {150, 150, 3000, 1500});
    frm.AjtCtl(0);
    EXPECT_EQ(geo(*inner), (Geo{300, 300, 3600, 300}));
}

// A form shrunk below a control's anchored size: the negative width is refused and the control
// keeps the width it had (Qt alone would clamp it to 0).
TEST(FormLayout, ANegativeSizeIsRefusedAndTheOldSizeStays) {
    TestForm form(9000, 6000);
    auto list = form.addControl<VbListBox>("lsItens");
    place(*list, {150, 150, 7800, 4800});
    SupFrm frm;
    frm.RegFrm(&form);
    frm.RegOb(list, "DX,DY");
    form.resized = [&] { frm.AjtCtl(0); };
    zvtest::showAndSettle(form);
    form.resizeTo(3000, 2100);
    EXPECT_EQ(geo(*list), (Geo{150, 150, 1800, 900}));
    form.resizeTo(600, 600);
    EXPECT_EQ(geo(*list), (Geo{150, 150, 1800, 900}));
    EXPECT_EQ(errorOf([&] { list->setWidth(-400); }), 380);
}

TEST(FormLayout, ControlsAndFormsThatAreGoneAreSkipped) {
    auto form = std::make_unique<TestForm>(9000, 6000);
    auto gone = form->addArray<VbLabel>("laLinha");
    auto element = form->loadElement("laLinha", 1);
    auto ok = form->addControl<VbCommandButton>("cmOk");
    place(*element, {150, 150, 900, 300});
    place(*ok, {7500, 5100, 1200, 450});
    SupFrm frm;
    frm.RegFrm(form.get());
    frm.RegOb(element, "PX");
    frm.RegOb(ok, "PX");
    form->unloadElement("laLinha", 1);
    form->resizeTo(12000, 6000);
    frm.AjtCtl(1);
    EXPECT_EQ(ok->left(), 10500);
    // The form deleted while registered (during the event pump, say): nothing to lay out.
    form.reset();
    frm.AjtCtl(1);
    frm.MpoAjt(1);
    frm.DimLim();
    EXPECT_EQ(errorOf([&] { frm.DimBase(); }), 364);
}
