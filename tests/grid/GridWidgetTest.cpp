// The grid widget: errors, twips geometry, TopRow, headers, display, colours, outline rows,
// drawing and editing, offscreen.
#include "GridTableModel.h"
#include "GridTestSupport.h"
#include "ImageList.h"
#include "Twips.h"
#include "VbColor.h"

#include <QHeaderView>
#include <QScrollBar>

using namespace zv;
using namespace gridtest;
using zvtest::errorOf;

TEST(GridWidget, RefusalsAreVbErrorsAndChangeNothing) {
    GridForm f;
    f.fill(5);
    EXPECT_EQ(errorOf([&] { f.grid->textMatrix(6, 0); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { f.grid->setRow(-1); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { f.grid->removeItem(0); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { f.grid->setRows(0); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { f.grid->sort(7); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { f.grid->setScrollBars(4); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { f.grid->setCellBackColorAt(1, 1, 0x12345678); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { f.grid->moveNode(1, GridNodeMove::Up); }), kGridBadValue);
    EXPECT_EQ(f.grid->rows(), 6);
    EXPECT_EQ(f.grid->cellBackColorAt(1, 1), f.grid->backColor());
    try {
        f.grid->textMatrix(1, 4);
    } catch (const VbError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Invalid column value"));
    }
}

TEST(GridWidget, SizesInTwips) {
    GridForm f;
    f.fill(20);
    GridWidget* g = f.grid;
    g->setColWidth(1, 1500);
    EXPECT_EQ(g->columnWidth(0), 100);
    g->setRowHeight(2, 450);
    EXPECT_EQ(g->QTableView::rowHeight(1), 30);
    EXPECT_EQ(g->rowHeight(2), 450);
    g->setColWidth(2, 0); // width 0 hides the column
    EXPECT_TRUE(g->isColumnHidden(1));
    g->setColWidth(2, -1);
    EXPECT_FALSE(g->isColumnHidden(1));
    EXPECT_EQ(g->colWidth(2), 960);
    // The fixed row and column are the headers.
    g->setRowHeight(0, 600);
    g->setColWidth(0, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(g->horizontalHeader()->height(), 40);
    EXPECT_EQ(g->verticalHeader()->width(), 60);
    // The default height follows the font: its height and 6 pixels.
    EXPECT_EQ(g->rowHeight(5), int(pixelsToTwips(g->fontMetrics().height() + 6)));
    QFont big = g->font();
    big.setPointSize(20);
    g->setFont(big);
    EXPECT_EQ(g->rowHeight(5), int(pixelsToTwips(g->fontMetrics().height() + 6)));
    EXPECT_EQ(g->rowHeight(2), 450);
}

TEST(GridWidget, CellRectanglesAndScrollingIntoView) {
    GridForm f;
    f.fill(100);
    GridWidget* g = f.grid;
    g->select(3, 2);
    const QModelIndex index = g->tableModel()->indexOf(3, 2);
    const QRect vr = g->visualRect(index);
    const QPoint at = g->viewport()->mapTo(g, vr.topLeft());
    EXPECT_EQ(g->cellLeft(), pixelsToTwips(at.x()));
    EXPECT_EQ(g->cellTop(), pixelsToTwips(at.y()));
    EXPECT_EQ(g->cellWidth(), 960);
    EXPECT_EQ(g->cellHeight(), g->rowHeight(3));
    // A header cell: the header's own place.
    g->setRow(0);
    EXPECT_EQ(g->cellTop(), pixelsToTwips(g->horizontalHeader()->y()));
    EXPECT_EQ(g->cellHeight(), g->rowHeight(0));
    // Reading the rectangle of a cell out of view scrolls to it, and TopRow follows.
    g->select(80, 1);
    EXPECT_EQ(g->topRow(), 1);
    const double top = g->cellTop();
    EXPECT_GT(g->topRow(), 1);
    const int viewRow = g->tableModel()->viewRow(80);
    EXPECT_GE(g->rowViewportPosition(viewRow), 0);
    EXPECT_LE(g->rowViewportPosition(viewRow) + g->QTableView::rowHeight(viewRow),
              g->viewport()->height());
    EXPECT_EQ(top, pixelsToTwips(g->viewport()->y() + g->rowViewportPosition(viewRow)));
}

TEST(GridWidget, TopRowIsKeptByTheModel) {
    GridForm f;
    f.fill(9); // Rows = 10
    GridWidget* g = f.grid;
    // Room for exactly 4 rows below the header.
    const int rowPx = g->QTableView::rowHeight(0);
    g->setScrollBars(0);
    g->resize(g->width(), 2 * g->frameWidth() + g->horizontalHeader()->height() + 4 * rowPx);
    QCoreApplication::processEvents();
    g->setTopRow(7); // further than the view can scroll
    QCoreApplication::processEvents();
    EXPECT_EQ(g->topRow(), 7);
    EXPECT_EQ(g->rowAt(0), g->tableModel()->viewRow(6));
    // The person's scrolling is written back.
    g->setScrollBars(3);
    g->verticalScrollBar()->setValue(2);
    EXPECT_EQ(g->topRow(), 3);
    g->setTopRow(1);
    EXPECT_EQ(g->verticalScrollBar()->value(), 0);
    // Hidden rows do not count in the view's scrolling.
    g->setRowHeight(2, 0);
    g->setRowHeight(3, 0);
    g->setTopRow(5);
    EXPECT_EQ(g->verticalScrollBar()->value(), 2);
    EXPECT_EQ(g->rowAt(0), g->tableModel()->viewRow(5));
}

TEST(GridWidget, FixedRowsAndColumnsAreTheHeaders) {
    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    GridTableModel* t = g->tableModel();
    g->setTextMatrix(0, 2, QStringLiteral("Título"));
    EXPECT_EQ(t->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"Título");
    EXPECT_EQ(t->headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), u"3");
    EXPECT_EQ(t->columnCount(), 3);

    g->setFixedCols(0); // column 0 becomes an ordinary column
    EXPECT_TRUE(g->verticalHeader()->isHidden());
    EXPECT_EQ(t->columnCount(), 4);
    EXPECT_EQ(t->index(0, 0).data().toString(), u"1");
    g->setFixedRows(2); // a second fixed row scrolls, in the fixed colours
    EXPECT_EQ(t->index(0, 1).data().toString(), u"r1c1");
    EXPECT_EQ(t->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
              QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(g->cellBackColorAt(1, 1), g->backColorFixed());
    g->setFixedRows(0);
    EXPECT_TRUE(g->horizontalHeader()->isHidden());
    EXPECT_EQ(t->index(0, 2).data().toString(), u"Título");
}

TEST(GridWidget, DisplayFormatsAlignmentsAndPictures) {
    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    GridTableModel* t = g->tableModel();
    g->setColFormat(2, QStringLiteral("###,##0.00"));
    g->setTextMatrix(1, 2, QStringLiteral("1234.5"));
    g->setTextMatrix(2, 2, QStringLiteral("abc"));
    EXPECT_EQ(t->indexOf(1, 2).data().toString(), u"1,234.50");
    EXPECT_EQ(t->indexOf(2, 2).data().toString(), u"abc");
    EXPECT_EQ(g->textMatrix(1, 2), u"1234.5");
    // General alignment: numbers right, texts left.
    EXPECT_EQ(t->indexOf(1, 2).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(t->indexOf(2, 2).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    g->select(2, 2);
    g->setCellAlignment(kAlignCenterBottom);
    EXPECT_EQ(t->indexOf(2, 2).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignHCenter | Qt::AlignBottom));
    g->setCellFontBold(true);
    g->setCellFontSize(14);
    const QFont font = t->indexOf(2, 2).data(Qt::FontRole).value<QFont>();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pointSizeF(), 14);
    EXPECT_EQ(g->cellFontSize(), 14);

    QPixmap red(8, 8);
    red.fill(Qt::red);
    g->setCellPicture(1, 1, red);
    g->setCellPicture(3, 1, red);
    EXPECT_EQ(g->cellPictureId(1, 1), red.cacheKey());
    EXPECT_EQ(g->cellPictureId(3, 1), g->cellPictureId(1, 1));
    EXPECT_EQ(t->indexOf(1, 1).data(Qt::DecorationRole).value<QPixmap>().size(), QSize(8, 8));
    g->setCellPicture(1, 1, QPixmap());
    EXPECT_EQ(g->cellPictureId(1, 1), 0);
    EXPECT_TRUE(g->cellPicture(1, 1).isNull());
}

TEST(GridWidget, ColoursReadAsShown) {
    GridForm f;
    f.fill(4);
    GridWidget* g = f.grid;
    EXPECT_EQ(g->backColor(), qColorToVb(g->palette().color(QPalette::Base)));
    EXPECT_EQ(g->cellBackColorAt(2, 2), g->backColor());
    g->setBackColor(vbRgb(1, 2, 3));
    g->setBackColorAlternate(vbRgb(9, 9, 9));
    EXPECT_EQ(g->cellBackColorAt(1, 2), vbRgb(1, 2, 3));
    EXPECT_EQ(g->cellBackColorAt(2, 2), vbRgb(9, 9, 9)); // every second data row
    g->select(3, 1);
    g->setCellBackColor(int32_t(0x8000000F)); // the button face: read back as its colour
    EXPECT_EQ(g->cellBackColor(), qColorToVb(QApplication::palette().color(QPalette::Button)));
    g->setCellBackColor(-1); // keeps
    EXPECT_EQ(g->cellBackColor(), qColorToVb(QApplication::palette().color(QPalette::Button)));
    g->setCellForeColor(255);
    EXPECT_EQ(g->tableModel()->indexOf(3, 1).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(255, 0, 0));
    g->resetCellColors(3, 1);
    EXPECT_EQ(g->cellBackColor(), vbRgb(1, 2, 3));
    EXPECT_EQ(g->cellForeColor(), g->foreColor());
    // The colours by property name.
    EXPECT_TRUE(g->setProperty("GridColor", 8421504));
    EXPECT_TRUE(g->setProperty("BackColorFixed", vbRgb(200, 200, 255)));
    EXPECT_EQ(g->gridColor(), 8421504);
    EXPECT_EQ(g->cellBackColorAt(0, 2), vbRgb(200, 200, 255));
    EXPECT_EQ(g->property("BackColor").toInt(), vbRgb(1, 2, 3));
}

TEST(GridWidget, SortFollowsTheSystemsCaseRules) {
    GridForm f;
    f.fill(0, 2);
    GridWidget* g = f.grid;
    g->addItem(QStringLiteral("1\tÉb"));
    g->addItem(QStringLiteral("2\téa"));
    g->addItem(QStringLiteral("3\tzz"));
    g->select(1, 1);
    g->sort(kSortAscending);
    // é and É are one letter (as the system's UCase has it), after Z.
    EXPECT_EQ(g->textMatrix(1, 1), u"zz");
    EXPECT_EQ(g->textMatrix(2, 1), u"éa");
    EXPECT_EQ(g->textMatrix(3, 1), u"Éb");
    // The view shows the sorted rows (the row header moved with them).
    EXPECT_EQ(g->tableModel()->index(1, 0).data().toString(), u"éa");
    EXPECT_EQ(g->tableModel()->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), u"2");
}

TEST(GridWidget, CollapsedNodesHideViewRows) {
    GridForm f;
    f.fill(5);
    GridWidget* g = f.grid;
    for (int r = 1; r <= 5; ++r) {
        g->setIsSubtotal(r, true);
        g->setRowOutlineLevel(r, r == 1 || r == 4 ? 1 : 2);
    }
    g->setIsCollapsed(1, kNodeCollapsed);
    EXPECT_TRUE(g->isRowHidden(1));
    EXPECT_TRUE(g->isRowHidden(2));
    EXPECT_FALSE(g->isRowHidden(3));
    g->outline(-1);
    EXPECT_FALSE(g->isRowHidden(1));
    // A node moved by the view's owner shows in its new place, its id kept.
    const quint64 id = g->rowId(4);
    EXPECT_EQ(g->moveNode(4, GridNodeMove::Up), 1);
    EXPECT_EQ(g->rowOfId(id), 1);
    EXPECT_EQ(g->tableModel()->index(0, 0).data().toString(), u"r4c1");
    g->showNode(1);
    EXPECT_EQ(g->row(), 1);
    EXPECT_EQ(g->rowSel(), 1);
}

TEST(GridWidget, RedrawNestsAndEditingFollowsItsFlag) {
    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    g->setRedraw(false);
    g->setRedraw(false);
    g->setRedraw(true);
    EXPECT_FALSE(g->updatesEnabled());
    EXPECT_FALSE(g->redraw());
    g->setRedraw(true);
    g->setRedraw(true); // one "on" too many changes nothing
    EXPECT_TRUE(g->updatesEnabled());
    EXPECT_TRUE(g->redraw());

    GridTableModel* t = g->tableModel();
    const QModelIndex cell = t->indexOf(2, 1);
    EXPECT_FALSE(t->flags(cell) & Qt::ItemIsEditable);
    EXPECT_FALSE(t->setData(cell, QStringLiteral("x"), Qt::EditRole));
    g->setEditable(true);
    EXPECT_TRUE(t->flags(cell) & Qt::ItemIsEditable);
    EXPECT_TRUE(t->setData(cell, QStringLiteral("edited"), Qt::EditRole));
    EXPECT_EQ(g->textMatrix(2, 1), u"edited");
}

TEST(GridWidget, AutoSizeAndShrinking) {
    GridForm f;
    f.fill(20);
    GridWidget* g = f.grid;
    const QString wide = QStringLiteral("a rather long text that needs a wide column");
    g->setTextMatrix(4, 2, wide);
    g->autoSize(2);
    EXPECT_GE(g->colWidth(2), pixelsToTwips(g->fontMetrics().horizontalAdvance(wide)));
    EXPECT_EQ(g->columnWidth(1), twipsToPixels(g->colWidth(2)));
    g->setAutoSizeMode(1);
    g->setWordWrap(true);
    g->setColWidth(2, 900);
    g->autoSize(1, 3);
    EXPECT_GT(g->rowHeight(4), g->rowHeight(5)); // the wrapped text takes more lines
    EXPECT_EQ(errorOf([&] { g->autoSize(4); }), kGridBadIndex);

    // Fewer rows: the cursor and TopRow come back inside, in the model and in the view.
    g->select(15, 1, 18, 2);
    g->setTopRow(12);
    g->setRows(8);
    EXPECT_EQ(g->row(), 7);
    EXPECT_EQ(g->rowSel(), 7);
    EXPECT_EQ(g->topRow(), 7);
    EXPECT_EQ(g->currentIndex(), g->tableModel()->indexOf(7, 2));
}

TEST(GridWidget, ImageListsAndPointers) {
    // An icon index beyond the list is the grid's error, not a crash.
    ImageList icons;
    QPixmap blue(4, 4);
    blue.fill(Qt::blue);
    EXPECT_EQ(icons.add(QStringLiteral("ON"), blue), 1);
    EXPECT_EQ(icons.key(1), u"ON");
    EXPECT_EQ(icons.picture(1).cacheKey(), blue.cacheKey());
    EXPECT_EQ(errorOf([&] { icons.picture(2); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { icons.key(0); }), kGridBadIndex);

    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    g->setMousePointer(12);
    EXPECT_EQ(g->viewport()->cursor().shape(), Qt::ForbiddenCursor);
    g->setMousePointer(99); // unknown: the default cursor, the value kept
    EXPECT_EQ(g->mousePointer(), 99);
    EXPECT_EQ(g->viewport()->cursor().shape(), Qt::ArrowCursor);
    g->setScrollBars(2);
    EXPECT_EQ(g->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(g->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    g->setGridLines(0);
    EXPECT_FALSE(g->showGrid());
}

TEST(GridWidget, ThePersonsColumnResizingGoesIntoTheModel) {
    GridForm f;
    f.fill(3);
    GridWidget* g = f.grid;
    g->setAllowUserResizing(1);
    QHeaderView* top = g->horizontalHeader();
    const int edge = top->sectionViewportPosition(0) + top->sectionSize(0) - 1;
    QTest::mousePress(top->viewport(), Qt::LeftButton, {}, QPoint(edge, 5));
    QTest::mouseMove(top->viewport(), QPoint(edge + 30, 5));
    QTest::mouseRelease(top->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, 5));
    EXPECT_EQ(g->colWidth(1), pixelsToTwips(top->sectionSize(0)));
    EXPECT_GT(g->colWidth(1), 960);
    // Widths set by the program are not the person's: extending the last column keeps them.
    g->setExtendLastCol(true);
    EXPECT_EQ(g->colWidth(3), 960);
}
