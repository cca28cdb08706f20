// The grid model: shape, cursor, cells and whole rows, with their refusals.
#include "GridModelTestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using namespace gridtest;

namespace {

// A grid of 1 header row and n data rows, 3 columns, column 1 holding "r1".."rn".
void fill(GridModel& g, int n) {
    g.setCols(3);
    g.setRows(1);
    for (int r = 1; r <= n; ++r)
        g.addItem(u(("\tr" + std::to_string(r)).c_str()));
}

} // namespace

TEST(Shape, NewGridAndItsRefusals) {
    GridModel g;
    EXPECT_EQ(g.rows(), 50);
    EXPECT_EQ(g.cols(), 10);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.topRow(), 1);

    // Below the fixed counts, or fixed counts beyond the grid: refused, nothing changed.
    g.setFixedRows(2);
    EXPECT_EQ(errorOf([&] { g.setRows(1); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { g.setCols(0); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { g.setFixedCols(11); }), kGridBadValue);
    EXPECT_EQ(g.rows(), 50);
    EXPECT_EQ(g.cols(), 10);
    EXPECT_EQ(g.fixedCols(), 1);
    // Indexes outside the grid.
    EXPECT_EQ(errorOf([&] { g.textMatrix(50, 0); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { g.setTextMatrix(0, -1, u"x"); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { g.setRow(50); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { g.select(1, 1, 1, 10); }), kGridBadIndex);
    EXPECT_EQ(g.col(), 1); // the refused Select changed nothing
    EXPECT_EQ(errorOf([&] { g.colWidth(10); }), kGridBadIndex);
    // Values the grid cannot take.
    EXPECT_EQ(errorOf([&] { g.setColAlignment(1, 10); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { g.setRowHeight(1, -2); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { g.setCellFontSize(1, 1, -1); }), kGridBadValue);
    EXPECT_EQ(errorOf([&] { g.setRowOutlineLevel(1, -1); }), kGridBadValue);
}

TEST(Shape, ShrinkingDropsRowsWholeAndClampsTheCursor) {
    GridModel g;
    fill(g, 9);
    g.setCellData(8, 1, u"note");
    g.setCellBackColor(8, 1, 255);
    g.setRowHeight(8, 600);
    g.setRowOutlineLevel(8, 2);
    g.select(8, 2, 9, 2);
    g.setTopRow(7);
    g.setRows(6);
    EXPECT_EQ(g.row(), 5);
    EXPECT_EQ(g.rowSel(), 5);
    EXPECT_EQ(g.topRow(), 5);
    // Rows that come back are new: nothing of the dropped rows is left in them.
    g.setRows(10);
    EXPECT_EQ(g.textMatrix(8, 1), u"");
    EXPECT_EQ(g.cellData(8, 1), u"");
    EXPECT_EQ(g.cellBackColor(8, 1), kGridNoColor);
    EXPECT_FALSE(g.rowHasHeight(8));
    EXPECT_EQ(g.rowOutlineLevel(8), 0);

    g.select(1, 2);
    g.setColWidth(2, 2000);
    g.setCols(2);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.colSel(), 1);
    g.setCols(3);
    EXPECT_FALSE(g.colHasWidth(2));
    EXPECT_EQ(g.textMatrix(1, 2), u"");
}

TEST(Cursor, SelectionAndTopRow) {
    GridModel g;
    fill(g, 9);
    g.select(7, 2, 3, 0);
    const GridRange s = g.selection();
    EXPECT_EQ(s.row1, 3);
    EXPECT_EQ(s.col1, 0);
    EXPECT_EQ(s.row2, 7);
    EXPECT_EQ(s.col2, 2);
    EXPECT_EQ(g.row(), 7); // Row and Col stay where the selection started
    g.setRow(4);           // and a new Row collapses it
    EXPECT_EQ(g.rowSel(), 4);
    EXPECT_EQ(g.colSel(), 0);
    g.setRow(0); // fixed cells may be current
    EXPECT_EQ(g.text(), u"");

    // TopRow is kept by the model within FixedRows..Rows - 1, whatever a view can show.
    g.setTopRow(0);
    EXPECT_EQ(g.topRow(), 1);
    g.setTopRow(99);
    EXPECT_EQ(g.topRow(), 9);
    g.setTopRow(7);
    EXPECT_EQ(g.topRow(), 7);
    // With no scrolled rows left TopRow rests on the last row, and comes back with new rows.
    g.setRows(1);
    EXPECT_EQ(g.topRow(), 0);
    g.addItem(u"again");
    EXPECT_EQ(g.topRow(), 1);
}

TEST(Cells, LooksAndTheirDefaults) {
    GridModel g;
    g.setCellBackColor(2, 3, 65280);
    g.setCellBackColor(2, 3, kGridNoColor); // keeps the colour
    EXPECT_EQ(g.cellBackColor(2, 3), 65280);
    g.setCellForeColor(2, 3, 255);
    g.setCellData(2, 3, u"data");
    g.resetCellColors(2, 3); // the cell takes the grid's colours again, keeping the rest
    EXPECT_EQ(g.cellBackColor(2, 3), kGridNoColor);
    EXPECT_EQ(g.cellForeColor(2, 3), kGridNoColor);
    EXPECT_EQ(g.cellData(2, 3), u"data");

    EXPECT_EQ(g.cellAlignment(1, 1), -1);
    EXPECT_EQ(g.colAlignment(1), kAlignGeneral);
    EXPECT_EQ(g.colWidth(1), g.defaultColWidth());
    g.setColWidth(1, 0);
    EXPECT_EQ(g.colWidth(1), 0);
    g.setColWidth(1, -1);
    EXPECT_FALSE(g.colHasWidth(1));
    EXPECT_FALSE(g.cellHasLook(5, 5)); // reading creates nothing
}

TEST(Rows, AddItemSplitsAtTheColumnSeparator) {
    GridModel g;
    g.setCols(3);
    g.setRows(1);
    g.addItem(u"a\tb\tc\td"); // the extra field is dropped
    g.addItem(u"x");          // missing fields stay empty
    EXPECT_EQ(column(g, 0, 1, 2), "a,x");
    EXPECT_EQ(column(g, 2, 1, 2), "c,");
    g.setClipSeparators(u"|");
    g.addItem(u"1|tab\there|3", 1);
    EXPECT_EQ(g.textMatrix(1, 1), u"tab\there");
    EXPECT_EQ(g.clipSeparators(), u"|");
    g.setClipSeparators(u"");
    g.addItem(u"p\tq", 4); // at Rows: appended
    EXPECT_EQ(g.textMatrix(4, 1), u"q");

    // Only FixedRows..Rows take a new row; RemoveItem never takes a fixed one.
    EXPECT_EQ(errorOf([&] { g.addItem(u"h", 0); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { g.addItem(u"h", 6); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { g.removeItem(0); }), kGridBadIndex);
    EXPECT_EQ(errorOf([&] { g.removeItem(5); }), kGridBadIndex);
    EXPECT_EQ(g.rows(), 5);
}

TEST(Rows, RowsTravelWithEveryAttribute) {
    GridModel g;
    fill(g, 3);
    g.setCellData(2, 1, u"note");
    g.setCellPicture(2, 1, 77);
    g.setCellBackColor(2, 1, 65280);
    g.setCellFontBold(2, 1, true);
    g.setRowHeight(2, 500);
    g.setRowOutlineLevel(2, 3);
    g.setIsSubtotal(2, true);
    const uint64_t id = g.rowId(2);

    g.addItem(u"\tnew", 1);
    EXPECT_EQ(column(g, 1, 1, 4), "new,r1,r2,r3");
    EXPECT_EQ(g.cellData(3, 1), u"note");
    EXPECT_EQ(g.cellPicture(3, 1), 77u);
    EXPECT_EQ(g.cellBackColor(3, 1), 65280);
    EXPECT_TRUE(g.cellFontBold(3, 1));
    EXPECT_EQ(g.rowHeight(3), 500);
    EXPECT_EQ(g.rowOutlineLevel(3), 3);
    EXPECT_TRUE(g.isSubtotal(3));
    EXPECT_EQ(g.rowOfId(id), 3);
    EXPECT_FALSE(g.cellHasLook(2, 1));

    g.removeItem(3);
    EXPECT_EQ(column(g, 1, 1, 3), "new,r1,r3");
    EXPECT_EQ(g.rowOfId(id), -1);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g.cellData(r, 1), u"");
}

TEST(Rows, ObserversHearChangesInOrder) {
    GridModel g;
    fill(g, 3);
    Recorder rec;
    g.addObserver(&rec);
    g.addItem(u"x", 2);
    g.select(4, 1);
    g.removeItem(4); // the current row goes: the cursor comes back into the grid afterwards
    g.setRows(2);
    g.setFixedRows(0);
    g.removeObserver(&rec);
    g.setRows(5);
    const std::vector<std::string> expected = {
        "+rows? 2-2", "+rows 2-2",  "cursor",    "-rows? 4-4", "-rows 4-4",
        "cursor",     "-rows? 2-3", "-rows 2-3", "cursor",     "reset"};
    EXPECT_EQ(rec.events, expected);
}

TEST(Cells, NumbersAsTheGridReadsThem) {
    EXPECT_EQ(GridModel::numberOf(u" 12 "), 12.0);
    EXPECT_EQ(GridModel::numberOf(u"-3.5e2"), -350.0);
    EXPECT_EQ(GridModel::numberOf(u"+4"), 4.0);
    EXPECT_EQ(GridModel::numberOf(u".5"), 0.5);
    for (const char16_t* t :
         {u"", u" ", u"1,5", u"1e", u"12a", u"inf", u"nan", u"0x10", u"-", u"."})
        EXPECT_FALSE(GridModel::numberOf(t).has_value());
}
