// The grid widget under the mouse and keys: MouseRow and MouseCol, the before-mouse-down event
// and its cancel, the person's selection, the outline boxes, and exceptions kept inside.
#include "EventGuard.h"
#include "GridTableModel.h"
#include "GridTestSupport.h"
#include "Twips.h"

#include <QHeaderView>

using namespace zv;
using namespace gridtest;
using zvtest::errorOf;

namespace {

QPoint cellCentre(GridWidget* g, int r, int c) {
    return g->visualRect(g->tableModel()->indexOf(r, c)).center();
}

struct Press {
    int button = 0, shift = 0, row = 0, col = 0;
    double x = 0, y = 0;
};

} // namespace

TEST(GridWidgetMouse, RowAndColumnUnderTheMouse) {
    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    QTest::mouseMove(g->viewport(), cellCentre(g, 2, 3));
    EXPECT_EQ(g->mouseRow(), 2);
    EXPECT_EQ(g->mouseCol(), 3);
    QHeaderView* top = g->horizontalHeader();
    QTest::mouseMove(top->viewport(), QPoint(top->sectionViewportPosition(1) + 5, 5));
    EXPECT_EQ(g->mouseRow(), 0);
    EXPECT_EQ(g->mouseCol(), 2);
    QHeaderView* left = g->verticalHeader();
    QTest::mouseMove(left->viewport(), QPoint(5, left->sectionViewportPosition(2) + 3));
    EXPECT_EQ(g->mouseRow(), 3);
    EXPECT_EQ(g->mouseCol(), 0);
    // Below the last row and right of the last column: no cell.
    QTest::mouseMove(g->viewport(),
                     QPoint(g->viewport()->width() - 2, g->viewport()->height() - 2));
    EXPECT_EQ(g->mouseRow(), -1);
    EXPECT_EQ(g->mouseCol(), -1);
}

TEST(GridWidgetMouse, BeforeMouseDownComesFirstAndMayCancel) {
    GridForm f;
    f.fill(8);
    GridWidget* g = f.grid;
    g->select(1, 1);
    Press seen;
    bool cancel = false;
    QObject::connect(g, &GridWidget::beforeMouseDown,
                     [&](int button, int shift, double x, double y, bool& c) {
                         seen = {button, shift, g->mouseRow(), g->mouseCol(), x, y};
                         c = cancel;
                     });
    // A right press on the header: row 0, the column under it, the point in twips.
    QHeaderView* top = g->horizontalHeader();
    const QPoint onHeader(top->sectionViewportPosition(2) + 4, 6);
    QTest::mousePress(top->viewport(), Qt::RightButton, Qt::ShiftModifier, onHeader);
    EXPECT_EQ(seen.button, 2);
    EXPECT_EQ(seen.shift, 1);
    EXPECT_EQ(seen.row, 0);
    EXPECT_EQ(seen.col, 3);
    const QPoint inGrid = top->viewport()->mapTo(g, onHeader);
    EXPECT_EQ(seen.x, pixelsToTwips(inGrid.x()));
    EXPECT_EQ(seen.y, pixelsToTwips(inGrid.y()));
    QTest::mouseRelease(top->viewport(), Qt::RightButton, {}, onHeader);

    // A cancelled press does not move the cursor; an ordinary one does.
    cancel = true;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 4, 2));
    EXPECT_EQ(seen.button, 1);
    EXPECT_EQ(seen.row, 4);
    EXPECT_EQ(g->row(), 1);
    cancel = false;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 4, 2));
    EXPECT_EQ(g->row(), 4);
    EXPECT_EQ(g->col(), 2);
    // Shift extends: Row and Col stay at the start, RowSel and ColSel follow the mouse.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(g, 6, 3));
    EXPECT_EQ(g->row(), 4);
    EXPECT_EQ(g->col(), 2);
    EXPECT_EQ(g->rowSel(), 6);
    EXPECT_EQ(g->colSel(), 3);
    // Keys move the cursor too.
    QTest::keyClick(g, Qt::Key_Down);
    EXPECT_EQ(g->row(), 7);
    EXPECT_EQ(g->rowSel(), 7);
}

TEST(GridWidgetMouse, MovesAndReleasesInTwips) {
    GridForm f;
    f.fill(4);
    GridWidget* g = f.grid;
    std::vector<std::pair<int, double>> moves, releases;
    QObject::connect(g, &GridWidget::mouseMoved, [&](int button, int, double x, double) {
        moves.push_back({button, x});
    });
    QObject::connect(g, &GridWidget::mouseReleased, [&](int button, int, double x, double) {
        releases.push_back({button, x});
    });
    const QPoint from = cellCentre(g, 1, 1), to = cellCentre(g, 3, 2);
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, g->viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(g->viewport(), &move);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, to);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().first, 1);
    EXPECT_EQ(moves.back().second, pixelsToTwips(g->viewport()->mapTo(g, to).x()));
    ASSERT_EQ(releases.size(), 1u);
    EXPECT_EQ(releases[0].first, 1);
    EXPECT_EQ(g->mouseRow(), 3);
}

TEST(GridWidgetMouse, OutlineBoxesCollapseAndExpand) {
    GridForm f;
    f.fill(4);
    GridWidget* g = f.grid;
    const int levels[] = {0, 1, 2, 2, 1};
    for (int r = 1; r <= 4; ++r) {
        g->setIsSubtotal(r, true);
        g->setRowOutlineLevel(r, levels[r]);
    }
    g->setOutlineCol(1);
    g->setOutlineBar(1);
    const QRect cell = g->visualRect(g->tableModel()->indexOf(1, 1));
    // The box of a level-1 node sits in the second indentation step.
    const QPoint box(cell.left() + 14 + 7, cell.center().y());
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, box);
    EXPECT_EQ(g->isCollapsed(1), kNodeCollapsed);
    EXPECT_TRUE(g->isRowHidden(1));
    EXPECT_TRUE(g->isRowHidden(2));
    EXPECT_FALSE(g->isRowHidden(3));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, box);
    EXPECT_EQ(g->isCollapsed(1), kNodeExpanded);
    EXPECT_FALSE(g->isRowHidden(1));
    // A click on the text of a node only selects it.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      QPoint(cell.right() - 4, cell.center().y()));
    EXPECT_EQ(g->isCollapsed(1), kNodeExpanded);
    EXPECT_EQ(g->row(), 1);
}

TEST(GridWidgetMouse, ExceptionsOfHandlersStayInsideTheGrid) {
    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    QObject::connect(g, &GridWidget::beforeMouseDown,
                     [](int, int, double, double, bool&) { throw VbError(5); });
    clearPendingException();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 2, 1));
    EXPECT_TRUE(hasPendingException());
    EXPECT_EQ(errorOf([] { rethrowPendingException(); }), 5);
}
