// Marker lines: their anchors, the expressions controls are placed with, and the order in which
// markers are laid out.
#include "FormsTestSupport.h"
#include "VbCommandButton.h"
#include "VbFrame3D.h"
#include "VbLabel.h"
#include "VbLine.h"
#include "VbListBox.h"

using namespace zv;
using zvtest::Geo;
using zvtest::geo;
using zvtest::place;
using zvtest::TestForm;

namespace {

std::shared_ptr<VbLine> line(VbForm& form, const QString& name, double x1, double y1, double x2,
                             double y2, const std::shared_ptr<VbControl>& container = nullptr) {
    auto l = form.addControl<VbLine>(name, container);
    l->setPoints(x1, y1, x2, y2);
    return l;
}

} // namespace

TEST(MarkerLine, ExpressionsReadTheLiveLines) {
    TestForm form(9000, 6000);
    SupFrm frm;
    frm.RegFrm(&form);
    auto a = line(form, "mpoA", 1000, 0, 1000, 4500);
    auto b = line(form, "mpoB", 3000, 0, 3000, 4500);
    auto base = line(form, "mpoBase", 0, 1500, 9000, 1500);
    frm.MpoReg(a, "");
    frm.MpoReg(b, "");
    frm.MpoReg(base, "");
    frm.MpoReg(nullptr, "PX");
    EXPECT_EQ(frm.markerCount(), 3);

    EXPECT_EQ(frm.MpoPosCalc("PM=mpoA:X|mpoB:X|0"), 2000);
    EXPECT_EQ(frm.MpoPosCalc(" p%25=MPOA:X1|MPOB:X1 "), 1000);
    EXPECT_EQ(frm.MpoPosCalc("R=mpoBase:Y|-60"), 1440);
    EXPECT_EQ(frm.MpoPosCalc("R=mpoBase:Y2"), 1500);
    EXPECT_EQ(frm.MpoPosCalc("R=mpoA:X2|12.5"), 1012.5);
    EXPECT_EQ(frm.MpoPosCalc(""), 0);
    // An unknown marker or coordinate is 0.
    EXPECT_EQ(frm.MpoPosCalc("R=nada:X|30"), 30);
    EXPECT_EQ(frm.MpoPos("mpoA:Z"), 0);
    EXPECT_EQ(frm.MpoIdx(" mpob "), 2);
    EXPECT_EQ(frm.MpoIdx("nada"), 0);

    // The live line, not the place it had at registration.
    a->setX1(1300);
    EXPECT_EQ(frm.MpoPos("MPOA:X"), 1300);
    EXPECT_EQ(frm.MpoPos("MPOA:X2"), 1000);

    // Of two lines with one name (elements of one array), the first registered is found.
    auto first = form.addArray<VbLine>("mpoDup");
    auto second = std::static_pointer_cast<VbLine>(form.loadElement("mpoDup", 1));
    first->setPoints(7000, 0, 7000, 4500);
    second->setPoints(8000, 0, 8000, 4500);
    frm.MpoReg(first, "");
    frm.MpoReg(second, "");
    EXPECT_EQ(frm.MpoIdx("MPODUP"), 4);
    EXPECT_EQ(frm.MpoPos("mpodup:X"), 7000);
}

// A form split by a vertical marker at 40% of its width, closed on the right by a marker kept
// 600 twips from the edge and below by a marker kept 900 twips from the bottom; the controls are
// placed against the markers, and a marker registered first sits midway between two registered
// after it.
TEST(MarkerLine, MarkersFollowTheFormAndControlsFollowTheMarkers) {
    TestForm form(9000, 6000);
    auto middle = line(form, "mpoMeio", 0, 0, 0, 4500);
    auto split = line(form, "mpoDiv", 3600, 0, 3600, 4500);
    auto end = line(form, "mpoFim", 8400, 0, 8400, 4500);
    auto bottom = line(form, "mpoBase", 0, 5100, 9000, 5100);
    auto list = form.addControl<VbListBox>("lsItens");
    auto detail = form.addControl<VbFrame3D>("frDetalhe");
    auto title = form.addControl<VbLabel>("laTitulo");
    auto quarter = form.addControl<VbLabel>("laQuarto");
    auto ok = form.addControl<VbCommandButton>("cmOk");
    place(*list, {150, 150, 1500, 1500});
    place(*detail, {0, 150, 1500, 1500});
    place(*title, {0, 0, 900, 300});
    place(*quarter, {0, 0, 900, 300});
    place(*ok, {7200, 0, 1200, 450});

    SupFrm frm;
    frm.RegFrm(&form);
    frm.MpoReg(middle, "MPX:PM=MPODIV:X|MPOFIM:X|0");
    frm.MpoReg(split, "PX%");
    frm.MpoReg(end, "PX");
    frm.MpoReg(bottom, "PY");
    frm.RegOb(list, "MDX:R=mpoDiv:X|-120,MDY:R=mpoBase:Y|-120");
    // Placed first, then sized from its new Left.
    frm.RegOb(detail, "MPX:R=mpoDiv:X|120,MDX:R=mpoFim:X");
    frm.RegOb(title, "MPX:PM=mpoDiv:X|mpoFim:X|-450");
    frm.RegOb(quarter, "MPX:P%25=mpoDiv:X|mpoFim:X|0");
    frm.RegOb(ok, "MPY:R=mpoBase:Y|120");

    form.resizeTo(12000, 7500);
    frm.MpoAjt(0);
    frm.AjtCtl(0);
    EXPECT_EQ(split->x1(), 4800);
    EXPECT_EQ(split->x2(), 4800);
    EXPECT_EQ(end->x1(), 11400);
    EXPECT_EQ(bottom->y1(), 6600);
    EXPECT_EQ(bottom->y2(), 6600);
    EXPECT_EQ(middle->x1(), 8100);
    EXPECT_EQ(geo(*list), (Geo{150, 150, 4530, 6330}));
    EXPECT_EQ(geo(*detail), (Geo{4920, 150, 6480, 1500}));
    EXPECT_EQ(title->left(), 7650);
    EXPECT_EQ(quarter->left(), 4050);
    EXPECT_EQ(ok->top(), 6720);

    form.resizeTo(15000, 9000);
    frm.MpoAjt(1);
    frm.AjtCtl(1);
    EXPECT_EQ(split->x1(), 6000);
    EXPECT_EQ(middle->x1(), 10200);
    EXPECT_EQ(geo(*list), (Geo{150, 150, 5730, 7830}));
    EXPECT_EQ(geo(*detail), (Geo{6120, 150, 8280, 1500}));
    EXPECT_TRUE(form.isEnabled());
}

// Marker lines keep twips exactly: a share of an odd width is not rounded to a pixel.
TEST(MarkerLine, MarkersKeepTwipsExactly) {
    TestForm form(9000, 6000);
    auto split = line(form, "mpoDiv", 2250, 0, 2250, 4500);
    SupFrm frm;
    frm.RegFrm(&form);
    frm.MpoReg(split, "PX%");
    form.resizeTo(12015, 6000);
    frm.MpoAjt(0);
    EXPECT_EQ(split->x1(), 3003.75);
    EXPECT_EQ(split->x2(), 3003.75);
}

// Faults of the original: 16-bit marker values on wide forms, and a share of a container of no
// size.
TEST(MarkerLine, WideFormsAndContainersOfNoSize) {
    TestForm form(36000, 9000);
    auto end = line(form, "mpoFim", 33000, 0, 33000, 4500);
    auto ok = form.addControl<VbCommandButton>("cmOk");
    auto frame = form.addControl<VbFrame3D>("frVazio");
    auto inside = line(form, "mpoDentro", 300, 0, 300, 600, frame);
    place(*ok, {0, 7500, 1200, 450});
    place(*frame, {150, 150, 0, 0});
    SupFrm frm;
    frm.RegFrm(&form);
    frm.MpoReg(end, "PX");
    frm.MpoReg(inside, "PX%");
    frm.RegOb(ok, "MPX:R=mpoFim:X|-1200");
    form.resizeTo(40500, 9000);
    place(*frame, {150, 150, 3000, 1500});
    frm.MpoAjt(0);
    frm.AjtCtl(0);
    EXPECT_EQ(end->x1(), 37500);
    EXPECT_EQ(ok->left(), 36300);
    EXPECT_EQ(inside->x1(), 300);
}
