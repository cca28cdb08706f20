// The grid as a control of the system's forms: the extender members through the control adapter.
#include "VbGrid.h"
#include "Convert.h"
#include "GridTestSupport.h"
#include "VbColor.h"
#include "VbForm.h"

using namespace zv;
using namespace gridtest;

TEST(GridWidgetControl, OnAFormLikeEveryControl) {
    VbForm form;
    auto control = form.addControl<VbGrid>(QStringLiteral("grTst"));
    GridWidget* g = control->grid();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(control->typeName(), u"VSFlexGrid");
    EXPECT_EQ(g->objectName(), u"grTst");
    EXPECT_EQ(form.control(QStringLiteral("GRTST")), control);

    control->move(1500, 300, 6000, 3000);
    EXPECT_EQ(g->geometry(), QRect(100, 20, 400, 200));
    control->put(QStringLiteral("Width"), Variant(7500.0));
    EXPECT_EQ(g->width(), 500);
    EXPECT_EQ(toDouble(control->get(QStringLiteral("Left"))), 1500);

    // BackColor is the grid's; the font members give the grid its font and row height.
    control->put(QStringLiteral("BackColor"), Variant(int32_t(vbRgb(10, 20, 30))));
    EXPECT_EQ(g->backColor(), vbRgb(10, 20, 30));
    const int before = g->rowHeight(1);
    control->put(QStringLiteral("FontSize"), Variant(18.0));
    EXPECT_EQ(g->font().pointSizeF(), 18);
    EXPECT_GT(g->rowHeight(1), before);
    EXPECT_NE(toDouble(control->get(QStringLiteral("hWnd"))), 0);
}
