// Grid support: the grid's shape and its rows, with the last used row, the row numbers and the
// content of cells (text, hidden data, picture) through inserts, deletes, moves and copies.
#include "SupFlxTestSupport.h"
#include "VbColor.h"

using namespace zv;
using namespace gridtest;
using namespace flxtest;

TEST(FlxRows, InsertAndRemoveUsedRows) {
    FlxForm f(6);
    f.addRows(3);
    EXPECT_EQ(f.names(3), u"abc");
    f.flx.LinIns(2); // at the row given
    f.flx.ArrReg(2, 2, Variant(QStringLiteral("x")));
    f.flx.LinIns(0); // before the last used row
    f.flx.ArrReg(4, 2, Variant(QStringLiteral("y")));
    f.flx.LinIns(99); // after the used rows
    f.flx.ArrReg(6, 2, Variant(QStringLiteral("z")));
    EXPECT_EQ(f.flx.lastUsedRow(), 6);
    EXPECT_EQ(f.names(6), u"axbycz");
    EXPECT_EQ(f.numbers(6), u"1,2,3,4,5,6");
    EXPECT_EQ(f.grid->rows(), 10);

    f.flx.LinEli(2);
    EXPECT_EQ(f.names(5), u"abycz");
    EXPECT_EQ(f.numbers(5), u"1,2,3,4,5");
    f.grid->setRow(5);
    f.flx.LinEli(0); // the last used row; the cursor stays within the used rows
    EXPECT_EQ(f.names(4), u"abyc");
    EXPECT_EQ(f.flx.lastUsedRow(), 4);
    EXPECT_EQ(f.grid->row(), 4);
    f.flx.LinEli(5); // beyond the used rows: nothing
    EXPECT_EQ(f.flx.lastUsedRow(), 4);
    // Emptied, the grid keeps its visible rows.
    for (int i = 0; i < 4; ++i)
        f.flx.LinEli(1);
    EXPECT_EQ(f.flx.lastUsedRow(), 0);
    EXPECT_EQ(f.grid->rows(), 7);
    EXPECT_EQ(f.grid->row(), 1);
}

TEST(FlxRows, RemovingWithNoUsedRowKeepsTheHeader) {
    FlxForm f(4);
    f.flx.LinEli(0);
    f.flx.LinEli(-3);
    EXPECT_EQ(f.grid->rows(), 5);
    EXPECT_EQ(f.grid->textMatrix(0, 1), u"Nome");
    EXPECT_EQ(f.flx.lastUsedRow(), 0);
    // The same after the last used row went.
    f.addRows(1);
    f.flx.LinEli(1);
    f.flx.LinEli(0);
    EXPECT_EQ(f.grid->textMatrix(0, 1), u"Nome");
    EXPECT_EQ(f.grid->rows(), 5);
}

TEST(FlxRows, NotesAndIconsStayWithTheirRowsThroughInsertsAndDeletes) {
    FlxForm f(6);
    f.addRows(4);
    f.flx.NotIcoIdx(3);
    f.flx.NotReg(2, 2, QStringLiteral("nota b"));
    f.flx.IcoUsaMap(3, 4, Variant(int32_t(1)));
    // Colours belong to the position, not to the row.
    f.grid->setCellBackColorAt(2, 1, vbRgb(255, 0, 0));

    f.flx.GrLinIns(2);
    EXPECT_EQ(f.names(5), u"abcd");
    EXPECT_EQ(f.grid->textMatrix(2, 1), u"");
    EXPECT_EQ(f.grid->textMatrix(3, 1), u"b");
    EXPECT_EQ(f.flx.lastUsedRow(), 5);
    EXPECT_EQ(f.numbers(7), u"1,2,3,4,5,6,7");
    QString note;
    EXPECT_EQ(f.flx.NotCon(3, 2, note), 1);
    EXPECT_EQ(note, u"nota b");
    EXPECT_EQ(f.flx.NotCon(2, 2, note), 0);
    EXPECT_EQ(f.grid->cellData(2, 1), u"");
    EXPECT_EQ(f.grid->cellPictureId(2, 1), 0);
    EXPECT_EQ(f.grid->cellData(4, 3), u"1");
    EXPECT_EQ(f.grid->cellPictureId(4, 3), f.iconId(2));
    EXPECT_EQ(f.grid->cellBackColorAt(2, 1), vbRgb(255, 0, 0));
    EXPECT_NE(f.grid->cellBackColorAt(3, 1), vbRgb(255, 0, 0));

    f.flx.GrLinEli(2);
    EXPECT_EQ(f.names(4), u"abcd");
    EXPECT_EQ(f.flx.lastUsedRow(), 4);
    EXPECT_EQ(f.flx.NotCon(2, 2, note), 1);
    EXPECT_EQ(note, u"nota b");
    EXPECT_EQ(f.grid->cellPictureId(3, 3), f.iconId(2));
    EXPECT_EQ(f.grid->cellPictureId(4, 3), 0);
    EXPECT_EQ(f.grid->cellData(5, 1), u""); // the row freed at the end is empty

    // Inserting with one spare row fewer keeps the grid's size.
    const int rows = f.grid->rows();
    f.flx.GrLinInc(1);
    EXPECT_EQ(f.grid->rows(), rows);
    EXPECT_EQ(f.flx.NotCon(3, 2, note), 1);
    EXPECT_EQ(f.grid->cellPictureId(4, 3), f.iconId(2));
    // Rows outside the used ones change nothing.
    f.flx.GrLinIns(9);
    f.flx.GrLinEli(0);
    f.flx.GrLinInc(9);
    EXPECT_EQ(f.flx.lastUsedRow(), 5);
    EXPECT_EQ(f.grid->rows(), rows);
}

TEST(FlxRows, OverlappingCopiesAndClears) {
    FlxForm f(6);
    f.addRows(5);
    f.flx.AdiReg(2, 2, Variant(QStringLiteral("dados b")));
    f.flx.IcoVer(2, 2, Variant(int32_t(1)));
    f.flx.LiCop(1, 3, 2); // down over itself
    EXPECT_EQ(f.names(5), u"aabce");
    EXPECT_EQ(f.grid->cellData(3, 1), u"dados b");
    EXPECT_EQ(f.grid->cellPictureId(3, 1), f.iconId(1));
    f.flx.LiCop(2, 4, 1); // up over itself
    EXPECT_EQ(f.names(5), u"abcce");
    EXPECT_EQ(f.grid->cellData(2, 1), u"dados b");
    EXPECT_EQ(f.grid->cellData(3, 1), u"");
    f.flx.LiLpz(1, 2);
    EXPECT_EQ(f.names(5), u"cce");
    EXPECT_EQ(f.grid->cellData(2, 1), u"");
    EXPECT_EQ(f.grid->cellPictureId(2, 1), 0);
    EXPECT_EQ(f.grid->textMatrix(1, 0), u"");
}

TEST(FlxRows, MovesSwapTheWholeContentOfBothRows) {
    FlxForm f(6);
    f.addRows(3);
    f.flx.NotIcoIdx(3);
    f.flx.NotReg(1, 2, QStringLiteral("n1"));
    f.flx.IcoUsaMap(2, 4, Variant(int32_t(1)));
    f.flx.LinMov(QStringLiteral("+"), 1);
    EXPECT_EQ(f.names(3), u"bac");
    EXPECT_EQ(f.grid->row(), 2);
    QString note;
    EXPECT_EQ(f.flx.NotCon(2, 2, note), 1);
    EXPECT_EQ(note, u"n1");
    EXPECT_EQ(f.flx.NotCon(1, 2, note), 0);
    EXPECT_EQ(f.grid->cellPictureId(1, 3), f.iconId(2));
    EXPECT_EQ(f.grid->cellData(1, 3), u"1");
    EXPECT_EQ(f.grid->cellPictureId(2, 3), 0);
    EXPECT_EQ(f.grid->cellData(2, 3), u"");
    // Row 0 is the current row, "-" the row before.
    f.flx.LinMov(QStringLiteral("-"), 0);
    EXPECT_EQ(f.names(3), u"abc");
    EXPECT_EQ(f.grid->row(), 1);
    EXPECT_EQ(f.flx.NotCon(1, 2, note), 1);
    // No row before the first or after the last used one: nothing moves.
    int src = 0, dst = 0;
    f.flx.LinMovPrp(QStringLiteral("-"), 1, src, dst);
    EXPECT_EQ(src, -1);
    EXPECT_EQ(dst, -1);
    f.flx.LinMov(QStringLiteral("-"), 1);
    f.flx.LinMov(QStringLiteral("+"), 3);
    EXPECT_EQ(f.names(3), u"abc");
    f.flx.LinMovPrp(QStringLiteral(" "), 2, src, dst);
    EXPECT_EQ(src, 2);
    EXPECT_EQ(dst, 3);
}

TEST(FlxRows, RemovingGridRowsKeepsTheMinimum) {
    FlxForm f(3);
    f.addRows(2);
    f.flx.LiEli(1);
    EXPECT_EQ(f.names(2), u"b");
    EXPECT_EQ(f.grid->rows(), 4); // the kept minimum + 1
    f.flx.LiEli(0);
    f.flx.LiEli(9);
    EXPECT_EQ(f.names(2), u"b");

    FlxForm g(0);
    EXPECT_EQ(g.grid->rows(), 1);
    g.flx.LiJun(1);
    EXPECT_EQ(g.grid->rows(), 2);
    EXPECT_EQ(g.grid->row(), 1);
    EXPECT_EQ(g.grid->col(), 1);
    g.flx.LiEli(1);
    EXPECT_EQ(g.grid->rows(), 2); // never below 2
}

TEST(FlxRows, StagedInsertion) {
    FlxForm f(6);
    f.addRows(3);
    f.grid->setRow(2);
    int row = 2;
    f.flx.LinInsFx(QStringLiteral("ini"), row);
    EXPECT_EQ(f.names(4), u"abc");
    EXPECT_EQ(f.grid->textMatrix(2, 1), u"");
    EXPECT_EQ(f.flx.lastUsedRow(), 4);
    EXPECT_EQ(f.grid->row(), 2);
    int got = 0;
    f.flx.LinInsFx(QStringLiteral("CNF"), got);
    EXPECT_EQ(got, 2);
    got = 0;
    f.flx.LinInsFx(QStringLiteral(" pos "), got);
    EXPECT_EQ(got, 2);
    f.flx.LinInsFx(QStringLiteral("CAN"), got);
    EXPECT_EQ(got, 2); // the origin
    EXPECT_EQ(f.names(3), u"abc");
    EXPECT_EQ(f.numbers(3), u"1,2,3");
    EXPECT_EQ(f.flx.lastUsedRow(), 3);
    // A second cancel has nothing left to remove.
    f.flx.LinInsFx(QStringLiteral("CAN"), got);
    EXPECT_EQ(f.names(3), u"abc");
    EXPECT_EQ(f.flx.lastUsedRow(), 3);
    // The row is bounded to 1..U + 1.
    row = 99;
    f.flx.LinInsFx(QStringLiteral("INI"), row);
    EXPECT_EQ(f.names(3), u"abc");
    f.flx.LinInsFx(QStringLiteral("CNF"), got);
    EXPECT_EQ(got, 4);
    f.flx.LinInsFx(QStringLiteral("CAN"), got);
    row = -2;
    f.flx.LinInsFx(QStringLiteral("INI"), row);
    f.flx.LinInsFx(QStringLiteral("CNF"), got);
    EXPECT_EQ(got, 1);
    EXPECT_EQ(f.grid->textMatrix(2, 1), u"a");
}

TEST(FlxRows, RowsNamedByCodesStayWithinTheUsedRows) {
    FlxForm f(6);
    int row = -9;
    f.flx.GrLinUsa(QStringLiteral("P"), row);
    EXPECT_EQ(row, 0); // no used row
    f.flx.GrLinUsa(QStringLiteral("R"), row, 3);
    EXPECT_EQ(row, 0);
    f.addRows(3);
    f.grid->setRow(5);
    f.flx.GrLinUsa(QStringLiteral(" p "), row);
    EXPECT_EQ(row, 1);
    f.flx.GrLinUsa(QStringLiteral("R"), row, 9);
    EXPECT_EQ(row, 3);
    f.flx.GrLinUsa(QStringLiteral("GU"), row);
    EXPECT_EQ(row, 6);
    f.flx.GrLinUsa(QStringLiteral("??"), row);
    EXPECT_EQ(row, 6);
    EXPECT_EQ(f.flx.LinUsa(0), 3); // the current row, bounded
    f.flx.LinUsaTip(QStringLiteral("+"), row);
    EXPECT_EQ(row, 4);
    int n = -1;
    f.flx.linNum(n);
    EXPECT_EQ(n, 0); // the current row is no used row
}

TEST(FlxRows, ShapeClearingAndNumbering) {
    FlxForm f(4);
    f.addRows(3);
    int rows = 0, cols = 0;
    f.flx.GrDimCon(rows, cols);
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(cols, 4);
    f.flx.GrDimLin(2); // not below the kept minimum
    EXPECT_EQ(f.grid->rows(), 5);
    f.flx.GrDimLin(9);
    EXPECT_EQ(f.grid->rows(), 10);
    f.flx.LiCnt2(2, 7, -1);
    EXPECT_EQ(f.numbers(9), u"1,7,8,9,10,11,12,13,14");
    f.flx.LiCnt(3);
    EXPECT_EQ(f.numbers(4), u"1,2,3,9");

    // Rows added through a separator of their own; the grid's separators come back.
    f.grid->setClipSeparators(QStringLiteral(";\n"));
    f.flx.LinTxcIns(QStringLiteral("x|y;1|z"), QStringLiteral("|"), 2);
    EXPECT_EQ(f.grid->textMatrix(2, 1), u"y;1");
    EXPECT_EQ(f.grid->textMatrix(2, 2), u"z");
    EXPECT_EQ(f.grid->clipSeparators(), u";\n");
    EXPECT_EQ(
        zvtest::errorOf([&] { f.flx.LinTxcIns(QStringLiteral("q"), QStringLiteral("|"), 99); }),
        kGridBadIndex);
    EXPECT_EQ(f.grid->clipSeparators(), u";\n");

    f.flx.GrLinMov(1, 3);
    EXPECT_EQ(f.grid->textMatrix(3, 1), u"a");
    EXPECT_EQ(f.grid->textMatrix(3, 2), u"10");

    f.flx.linIni(QStringLiteral("z"));
    EXPECT_EQ(f.grid->rows(), 1);
    EXPECT_EQ(f.flx.lastUsedRow(), 0);
    f.addRows(2);
    f.flx.GrLpz();
    EXPECT_EQ(f.grid->rows(), 5);
    EXPECT_EQ(f.flx.lastUsedRow(), 0);
    EXPECT_EQ(f.grid->textMatrix(1, 1), u"");
    f.flx.linIni(QString());
    EXPECT_EQ(f.grid->rows(), 5);
}
