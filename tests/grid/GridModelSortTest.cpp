// The grid model's sort: the generic order, the rows and key columns it takes, and rows moving
// whole.
#include "GridModelTestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using namespace gridtest;

namespace {

// A grid whose rows 1.. hold the given texts in column 1 and "#i" (the original position) in
// column 2.
void rowsOf(GridModel& g, const std::vector<const char*>& texts) {
    g.setCols(3);
    g.setRows(1);
    for (size_t i = 0; i < texts.size(); ++i)
        g.addItem(u((std::string("\t") + texts[i] + "\t#" + std::to_string(i + 1)).c_str()));
}

} // namespace

TEST(Sort, GenericOrderIsEmptyThenNumbersThenTextsCaseBlind) {
    GridModel g;
    rowsOf(g, {"pera", "10", "", "Banana", "9", " ", "apple", "-2.5", "banana", "1e1"});
    g.select(1, 1);
    g.sort(kSortAscending);
    // Empty and blank cells first, numbers by value (10 and 1e1 equal: their order stays),
    // texts case-blind and stable.
    EXPECT_EQ(column(g, 1, 1, 10), ", ,-2.5,9,10,1e1,apple,Banana,banana,pera");
    EXPECT_EQ(column(g, 2, 1, 10), "#3,#6,#8,#5,#2,#10,#7,#4,#9,#1");
    g.sort(kSortDescending);
    // The reverse order, equal keys still in their earlier order.
    EXPECT_EQ(column(g, 1, 1, 10), "pera,Banana,banana,apple,10,1e1,9,-2.5,, ");
    EXPECT_EQ(column(g, 2, 1, 10), "#1,#4,#9,#7,#2,#10,#5,#8,#3,#6");
}

TEST(Sort, SelectedRowsOnlyAndKeyColumnsLeftToRight) {
    GridModel g;
    rowsOf(g, {"d", "c", "b", "a", "e"});
    g.select(2, 1, 4, 1); // rows 2..4 only
    g.sort(kSortAscending);
    EXPECT_EQ(column(g, 1, 1, 5), "d,a,b,c,e");

    // By ColSort: column 0 descending first, then column 1 ascending; column 2 (ColSort 0) is
    // no key even inside Col..ColSel.
    GridModel h;
    h.setCols(3);
    h.setRows(1);
    for (const char16_t* t : {u"1\tb\tz", u"2\ta\ty", u"1\ta\tx", u"2\tb\tw"})
        h.addItem(t);
    h.setColSort(0, kSortDescending);
    h.setColSort(1, kSortAscending);
    h.select(1, 0, 1, 2);
    h.sort(kSortByColSort);
    EXPECT_EQ(column(h, 2, 1, 4), "y,w,x,z");
}

TEST(Sort, RowsMoveWholeAndRefusalsChangeNothing) {
    GridModel g;
    rowsOf(g, {"b", "a"});
    g.setCellData(1, 0, u"data of b");
    g.setCellPicture(1, 2, 5);
    g.setCellForeColor(1, 1, 255);
    g.setRowHeight(1, 700);
    g.setRowOutlineLevel(1, 2);
    const uint64_t id = g.rowId(1);
    g.select(1, 1);
    g.sort(kSortAscending);
    EXPECT_EQ(g.textMatrix(2, 1), u"b");
    EXPECT_EQ(g.cellData(2, 0), u"data of b");
    EXPECT_EQ(g.cellPicture(2, 2), 5u);
    EXPECT_EQ(g.cellForeColor(2, 1), 255);
    EXPECT_EQ(g.rowHeight(2), 700);
    EXPECT_EQ(g.rowOutlineLevel(2), 2);
    EXPECT_EQ(g.rowOfId(id), 2);
    EXPECT_EQ(g.row(), 1); // the cursor keeps its place

    EXPECT_EQ(errorOf([&] { g.sort(3); }), kGridBadValue);
    g.sort(kSortNone);
    EXPECT_EQ(column(g, 1, 1, 2), "a,b");
}

TEST(Sort, FoldOfTheCaller) {
    // Case-blind order is the caller's fold: by default only ASCII letters fold.
    GridModel g;
    rowsOf(g, {"\xc9"
               "b",
               "\xe9"
               "a"}); // "Éb", "éa"
    g.select(1, 1);
    g.sort(kSortAscending);
    EXPECT_EQ(g.textMatrix(1, 2), u"#1");
    g.setCharFold([](char16_t c) { return c == 0xE9 ? char16_t(0xC9) : c; });
    g.sort(kSortAscending);
    EXPECT_EQ(g.textMatrix(1, 2), u"#2");
}
