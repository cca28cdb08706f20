// Grid support: the grid sized and placed in its form, resized with it, and scrolled.
#include "SupFlxTestSupport.h"
#include "Twips.h"

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

// The rows that fit a grid's height with the constant k.
int fitting(const GridWidget* g, double k) {
    return int(std::floor((g->height() * 15.0 - g->rowHeight(0)) / g->rowHeight(1) + k));
}

std::vector<int> widths(const GridWidget* g) {
    std::vector<int> w;
    for (int c = 0; c < g->cols(); ++c)
        w.push_back(g->colWidth(c));
    return w;
}

} // namespace

TEST(FlxSizing, FitsTheGridToItsColumnsAndRowsAndPlacesIt) {
    FlxForm f(6);
    GridWidget* g = f.grid;
    const double cellHeight = g->cellHeight();
    f.flx.GrAjtDimCel(0, 30);
    EXPECT_EQ(g->width() * 15, 600 + 2400 + 1500 + 900 + 270);
    EXPECT_EQ(g->height(), twipsToPixels(cellHeight * 7 + 30 + 75));
    EXPECT_TRUE(g->extendLastCol());

    // Centred in its parent (800 pixels wide), fitted to its columns.
    g->resize(100, g->height());
    f.flx.GrAjtPos(Variant(QStringLiteral(" c ")), Variant(QStringLiteral("dc")));
    EXPECT_EQ(g->width(), 378);
    EXPECT_EQ(g->x(), (800 - 378) / 2);
    f.flx.GrAjtPos(Variant(1500.0), Variant(9000.0));
    EXPECT_EQ(g->geometry().topLeft().x(), 100);
    EXPECT_EQ(g->width(), 600);
    // Left is set only when above 0: a grid wider than its parent keeps its place.
    f.flx.GrAjtPos(Variant(QStringLiteral("C")), Variant(15000.0));
    EXPECT_EQ(g->width(), 1000);
    EXPECT_EQ(g->x(), 100);
    f.flx.GrAjtPos(Variant(0.0), Variant(0.0));
    EXPECT_EQ(g->x(), 100);
    EXPECT_EQ(g->width(), 1000);

    // Columns fitted to their texts, which may wrap.
    f.addRows(1);
    f.flx.ArrReg(1, 2, Variant(QStringLiteral("um nome bastante mais comprido do que a coluna")));
    f.flx.AjtAs(QStringLiteral("c"));
    EXPECT_TRUE(g->wordWrap());
    EXPECT_GT(g->colWidth(1), 2400);
}

TEST(FlxSizing, ColumnsKeepTheirProportionsThroughSeveralResizes) {
    FlxForm f(6);
    GridWidget* g = f.grid;
    g->resize(400, 200);
    f.flx.AjtDimPrp();
    g->resize(800, 200);
    f.flx.AjtDimExe(QStringLiteral("C"));
    EXPECT_EQ(widths(g), (std::vector<int>{1200, 4800, 3000, 1800}));
    // Each resize scales the kept widths, so no rounding builds up.
    g->resize(600, 200);
    f.flx.AjtDimExe(QStringLiteral("c"));
    EXPECT_EQ(widths(g), (std::vector<int>{900, 3600, 2250, 1350}));
    g->resize(300, 200);
    f.flx.ResExe(QStringLiteral("C"));
    EXPECT_EQ(widths(g), (std::vector<int>{450, 1800, 1125, 675}));
    g->resize(400, 200);
    f.flx.AjtDimExe(QStringLiteral("C"));
    EXPECT_EQ(widths(g), (std::vector<int>{600, 2400, 1500, 900}));

    // A taller grid gets the rows that fill it; a shorter one keeps them.
    g->resize(400, 600);
    const int n = fitting(g, 1.0);
    ASSERT_GT(n, g->rows());
    f.flx.AjtDimExe(QStringLiteral("L"));
    EXPECT_EQ(g->rows(), n);
    EXPECT_EQ(f.flx.visibleRows(), n);
    g->resize(400, 100);
    f.flx.AjtDimExe(QStringLiteral("CL"));
    EXPECT_EQ(g->rows(), n);
    EXPECT_EQ(widths(g), (std::vector<int>{600, 2400, 1500, 900}));
}

TEST(FlxSizing, ResizingWithNothingToDivideByChangesNothing) {
    FlxForm f(6);
    GridWidget* g = f.grid;
    // No snapshot yet.
    const std::vector<int> before = widths(g);
    g->resize(900, 500);
    f.flx.AjtDimExe(QStringLiteral("C"));
    EXPECT_EQ(widths(g), before);
    // A snapshot of a grid without width.
    g->resize(0, 300);
    f.flx.AjtDimPrp();
    g->resize(500, 300);
    f.flx.AjtDimExe(QStringLiteral("C"));
    EXPECT_EQ(widths(g), before);
    // A snapshot of more columns than the grid has now.
    f.flx.AjtDimPrp();
    g->setCols(2);
    g->resize(1000, 300);
    f.flx.AjtDimExe(QStringLiteral("C"));
    EXPECT_EQ(widths(g), (std::vector<int>{1200, 4800}));
    // Rows of no height, and a grid without data rows.
    g->setRowHeight(1, 0);
    int n = -1;
    f.flx.LinVisMax(n);
    EXPECT_EQ(n, 0);
    const int rows = g->rows();
    f.flx.AjtDimExe(QStringLiteral("L"));
    EXPECT_EQ(g->rows(), rows);
    g->setRows(1);
    f.flx.LinVisMax(n);
    EXPECT_EQ(n, 0);
    f.flx.AjtDimExe(QStringLiteral("L"));
    EXPECT_EQ(g->rows(), 1);
}

TEST(FlxSizing, RowsThatFitAndRowCountTargets) {
    FlxForm f(2);
    GridWidget* g = f.grid;
    g->resize(400, 300);
    int n = 0;
    f.flx.LinVisMax(n);
    EXPECT_EQ(n, fitting(g, 0.5));
    f.flx.LinVisDim(n);
    EXPECT_EQ(g->rows(), n + 1);
    SupFlx other;
    other.IniUsoGr(g, nullptr, QStringLiteral("TAB"));
    other.LinVisMax(n);
    EXPECT_EQ(n, fitting(g, -0.1));

    f.flx.AjtCntLin(Variant(int32_t(3)));
    EXPECT_EQ(f.flx.lastUsedRow(), 4);
    EXPECT_EQ(g->rows(), 5);
    f.flx.AjtCntLin(Variant(QStringLiteral("MIN")));
    EXPECT_EQ(f.flx.lastUsedRow(), 3);
    EXPECT_EQ(g->rows(), 4);
    f.flx.AjtCntLin(Variant(QStringLiteral("lgr")));
    EXPECT_EQ(f.flx.lastUsedRow(), 3);
    EXPECT_EQ(g->rows(), 4);
    f.flx.AjtCntLin(Variant(QStringLiteral("x")));
    EXPECT_EQ(f.flx.lastUsedRow(), 1);
    EXPECT_EQ(g->rows(), 2);
    f.flx.AjtCntLin(Variant(-7.0));
    EXPECT_EQ(f.flx.lastUsedRow(), 0);
    EXPECT_EQ(g->rows(), 1);
}

TEST(FlxScroll, PagesThroughTheRows) {
    FlxForm f(4);
    GridWidget* g = f.grid;
    f.flx.GrDimIni(9, -1); // a grid of 10 rows, 4 of them visible
    ASSERT_EQ(g->rows(), 10);
    f.flx.GrZonVis(QStringLiteral("F"));
    EXPECT_EQ(g->topRow(), 7);
    EXPECT_EQ(g->col(), 1);
    f.flx.GrZonVis(QString());
    EXPECT_EQ(g->topRow(), 1);
    QString sit;
    int pages = 0;
    f.flx.GrZonVisSit(sit, pages);
    EXPECT_EQ(sit, u"<");
    EXPECT_EQ(pages, 3);
    f.flx.GrZonVisDp(QString(), 0);
    EXPECT_EQ(g->topRow(), 5);
    f.flx.GrZonVisSit(sit, pages);
    EXPECT_EQ(sit, u"=");
    f.flx.GrZonVisDp(QString(), 0);
    EXPECT_EQ(g->topRow(), 7);
    f.flx.GrZonVisSit(sit, pages);
    EXPECT_EQ(sit, u">");
    f.flx.GrZonVisDp(QStringLiteral("A"), 0);
    EXPECT_EQ(g->topRow(), 3);
    f.flx.GrZonVisDp(QStringLiteral("a"), 9);
    EXPECT_EQ(g->topRow(), 1);
    f.flx.GrZonVisDp(QString(), 2);
    EXPECT_EQ(g->topRow(), 3);
}

TEST(FlxScroll, NoVisibleRowsGiveNoPages) {
    FlxForm f(0);
    f.grid->setRows(8);
    QString sit;
    int pages = -1;
    f.flx.GrZonVisSit(sit, pages);
    EXPECT_EQ(pages, 0);
    EXPECT_EQ(sit, u"<");
}

TEST(FlxScroll, CellPlacesAndBringingRowsIntoView) {
    FlxForm f(6);
    GridWidget* g = f.grid;
    f.addRows(60);
    g->select(2, 1);
    double x = 0, y = 0, w = 0, h = 0;
    f.flx.CxPD(5, 2, x, y, w, h);
    EXPECT_EQ(g->row(), 2);
    EXPECT_EQ(g->col(), 1);
    EXPECT_EQ(w, 1500);
    EXPECT_EQ(h, g->rowHeight(5));
    g->select(5, 2);
    EXPECT_EQ(x, g->cellLeft());
    EXPECT_EQ(y, g->cellTop());
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    f.flx.CxZon(5, 2, x1, y1, x2, y2);
    EXPECT_EQ(x2, x + 1500);
    EXPECT_EQ(y2, y + h);
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.CxPD(99, 1, x, y, w, h); }), kGridBadIndex);
    EXPECT_EQ(g->row(), 5);

    // Rows brought into view scroll the grid; a row outside it is trapped.
    f.flx.CxVer(50, 2);
    EXPECT_EQ(g->row(), 50);
    EXPECT_GT(g->topRow(), 30);
    f.flx.LiVer(1);
    EXPECT_EQ(g->topRow(), 1);
    f.flx.GrLinVis(40);
    EXPECT_EQ(g->row(), 40);
    EXPECT_EQ(g->col(), 2);
    f.flx.CxVer(999, 1);
    f.flx.GrLinPos(999);
    EXPECT_EQ(g->row(), 40);

    // The visible zone runs from the first scrolled cell to the last visible row's last cell.
    f.flx.LiVer(1);
    g->setCol(2);
    f.flx.LimZon(x1, y1, x2, y2);
    EXPECT_EQ(g->row(), 1);
    EXPECT_EQ(g->col(), 2);
    g->select(1, 1);
    EXPECT_EQ(x1, g->cellLeft());
    EXPECT_EQ(y1, g->cellTop());
    EXPECT_GT(y2, y1 + 5 * g->rowHeight(1));
    EXPECT_GT(x2, x1 + 2400 + 1500);
}
