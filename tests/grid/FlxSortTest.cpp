// Grid support: sorting the used rows by one and by several columns, the marks in the headers,
// and the commands of a press on the header row (sort, font dialog), driven with the mouse.
#include "Convert.h"
#include "GridTableModel.h"
#include "SupFlxTestSupport.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QFontDialog>
#include <QHeaderView>

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

// A grid of 9 data rows of which the first rows are used: names and states as given.
struct SortForm : FlxForm {
    explicit SortForm(const QStringList& names, const QStringList& states = {}) : FlxForm(9) {
        addRows(int(names.size()));
        for (int r = 1; r <= names.size(); ++r) {
            flx.ArrReg(r, 2, Variant(names[r - 1]));
            if (r <= states.size()) flx.ArrReg(r, 4, Variant(states[r - 1]));
        }
    }
    // Column c (grid column) of rows 1..n, joined with ",".
    QString column(int c, int n) const {
        QStringList s;
        for (int r = 1; r <= n; ++r)
            s << grid->textMatrix(r, c);
        return s.join(u',');
    }
    QString header(int c) const { return grid->textMatrix(0, c); }
    bool spareRowsEmpty(int from) const {
        for (int r = from; r < grid->rows(); ++r)
            for (int c = 0; c < grid->cols(); ++c)
                if (!grid->textMatrix(r, c).isEmpty()) return false;
        return true;
    }
    // A press on the header of grid column c.
    void pressHeader(int c, Qt::MouseButton button) {
        QHeaderView* top = grid->horizontalHeader();
        const int section = c - grid->fixedCols();
        QTest::mouseClick(top->viewport(), button, {},
                          QPoint(top->sectionViewportPosition(section) + 5, 5));
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(FlxSort, OneColumnSortsTheUsedRowsAndMarksTheHeader) {
    SortForm f({QStringLiteral("delta"), QStringLiteral("alfa"), QStringLiteral("charlie"),
                QStringLiteral("bravo")});
    ASSERT_EQ(f.grid->rows(), 10);
    f.flx.OrdCol(0, 1, QStringLiteral(" + "));
    EXPECT_EQ(f.column(1, 4), u"alfa,bravo,charlie,delta");
    EXPECT_EQ(f.column(2, 4), u"20,40,30,10"); // whole rows move
    EXPECT_EQ(f.grid->rows(), 10);             // the spare rows come back, empty
    EXPECT_TRUE(f.spareRowsEmpty(5));
    EXPECT_EQ(f.header(1), u"[+] Nome");
    EXPECT_EQ(f.grid->row(), 1);

    // No direction: the reverse of the mark.
    f.flx.OrdCol(1, 2);
    EXPECT_EQ(f.column(1, 4), u"delta,charlie,bravo,alfa");
    EXPECT_EQ(f.header(1), u"[-] Nome");
    f.flx.OrdCol(1, 2);
    EXPECT_EQ(f.header(1), u"[+] Nome");

    // Another column takes the mark; the first loses it.
    f.flx.OrdCol(0, 2, QStringLiteral("-"));
    EXPECT_EQ(f.column(1, 4), u"bravo,charlie,alfa,delta");
    EXPECT_EQ(f.header(1), u"Nome");
    EXPECT_EQ(f.header(2), u"[-] Valor");
    QString mark, title;
    f.flx.OrdTipCon(2, mark, title);
    EXPECT_EQ(mark, u"-");
    EXPECT_EQ(title, u"Valor");
}

TEST(FlxSort, NoUsedRowSortsNothing) {
    SortForm f({});
    f.flx.OrdCol(0, 1, QStringLiteral("+"));
    EXPECT_EQ(f.grid->rows(), 10);
    EXPECT_EQ(f.header(1), u"Nome"); // not even marked
    // A failing sort still gives the rows back.
    f.addRows(2);
    EXPECT_NE(zvtest::errorOf([&] { f.flx.OrdCol(0, 99, QStringLiteral("+")); }), 0);
    EXPECT_EQ(f.grid->rows(), 10);
}

TEST(FlxSort, SeveralColumnsKeyedLeftToRightWithSpareRowsBelow) {
    SortForm f(
        {QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")},
        {QStringLiteral("y"), QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("y")});
    f.flx.OrdCol(0, 2, QStringLiteral("+")); // a mark the multi-column sort takes away
    f.flx.OrdMcPrp();
    f.flx.OrdMcReg(1, 4, QStringLiteral("+")); // Estado
    f.flx.OrdMcReg(1, 2, QStringLiteral("-")); // Nome
    f.flx.OrdMcReg(1, 3, QStringLiteral("?")); // Valor: unsorted, unmarked
    const VArray& list = f.flx.OrdMcLst().array();
    EXPECT_EQ(list.ubound(2), 3);
    EXPECT_EQ(CInt(list.at(std::array<int32_t, 2>{0, 0})), 1);
    f.flx.OrdMcVer();
    // Nome (left) first, descending; Estado ascending among equal names.
    EXPECT_EQ(f.column(1, 4), u"b,b,a,a");
    EXPECT_EQ(f.column(3, 4), u"x,y,x,y");
    EXPECT_TRUE(f.spareRowsEmpty(5));
    EXPECT_EQ(f.grid->rows(), 10);
    EXPECT_EQ(f.header(1), u"[-] Nome");
    EXPECT_EQ(f.header(2), u"Valor");
    EXPECT_EQ(f.header(3), u"[+] Estado");
    EXPECT_EQ(f.grid->colSort(2), kSortNone);

    // An empty list clears the marks and sorts nothing, without an error.
    f.grid->setTextMatrix(1, 1, QStringLiteral("z"));
    f.flx.OrdMcPrp();
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.OrdMcVer(); }), 0);
    EXPECT_EQ(f.column(1, 4), u"z,b,a,a");
    EXPECT_EQ(f.header(1), u"Nome");
    EXPECT_EQ(f.header(3), u"Estado");
    EXPECT_EQ(f.grid->colSort(1), kSortNone);

    // With no used row the marks are set, nothing is sorted and the rows stay.
    SortForm empty({});
    empty.flx.OrdMcReg(0, 1, QStringLiteral("+"));
    EXPECT_EQ(zvtest::errorOf([&] { empty.flx.OrdMcVer(); }), 0);
    EXPECT_EQ(empty.header(1), u"[+] Nome");
    EXPECT_EQ(empty.grid->rows(), 10);
}

TEST(FlxHeader, TitlesWithBracketsSurviveSorting) {
    SortForm f({QStringLiteral("b"), QStringLiteral("a")});
    f.grid->setTextMatrix(0, 2, QStringLiteral("Valor [EUR]"));
    f.grid->setTextMatrix(0, 3, QStringLiteral("[x] Estado"));
    f.flx.OrdCol(0, 2, QStringLiteral("+"));
    EXPECT_EQ(f.header(2), u"[+] Valor [EUR]");
    f.flx.OrdCol(0, 2);
    EXPECT_EQ(f.header(2), u"[-] Valor [EUR]");
    f.flx.OrdCol(0, 1, QStringLiteral("+"));
    EXPECT_EQ(f.header(2), u"Valor [EUR]");
    EXPECT_EQ(f.header(3), u"[x] Estado"); // not a sort mark: kept
    QString mark, title;
    f.flx.OrdTipCon(3, mark, title);
    EXPECT_EQ(mark, u"");
    EXPECT_EQ(title, u"[x] Estado");
    QString dir;
    f.flx.OrdTipUsa(1, dir);
    EXPECT_EQ(dir, u"-");
    f.flx.OrdTipUsa(2, dir);
    EXPECT_EQ(dir, u"+");
}

TEST(FlxHeader, PressCodesAndCommands) {
    FlxForm f;
    QString res;
    f.flx.CabPos(QStringLiteral(" tb "), 0, 4, res);
    EXPECT_EQ(res, u"C");
    f.flx.CabPos(QStringLiteral("XX"), 0, 1, res);
    EXPECT_EQ(res, u"S");

    QString action = QStringLiteral("old");
    f.flx.CabFx(0, 1, action);
    EXPECT_EQ(action, u""); // sorting not allowed
    f.flx.setUsaOrd(Variant(QStringLiteral("S")));
    f.flx.CabFx(0, 1, action);
    EXPECT_EQ(action, u"ORD");
    f.flx.CabFx(0, 4, action);
    EXPECT_EQ(action, u"ORD");
    f.flx.CabFx(0, 2, action);
    EXPECT_EQ(action, u"");    // the font not allowed: a right press is no command
    f.flx.CabFx(2, 1, action); // a data row
    EXPECT_EQ(action, u"");
    f.flx.setOpcUsaFon(Variant(1));
    f.flx.CabFx(0, 2, action);
    EXPECT_EQ(action, u"FON");
    f.flx.CabFx(2, 2, action);
    EXPECT_EQ(action, u"");
    // User resizing 1, 3 or 4 also allows the font.
    f.flx.setOpcUsaFon(Variant(0));
    int fon = -1;
    f.grid->setAllowUserResizing(3);
    f.flx.UsaFon(fon);
    EXPECT_EQ(fon, 1);
    f.grid->setAllowUserResizing(2);
    f.flx.UsaFon(fon);
    EXPECT_EQ(fon, 0);
}

TEST(FlxHeader, ClicksOnTheHeaderSortAndReverse) {
    SortForm f({QStringLiteral("delta"), QStringLiteral("alfa"), QStringLiteral("charlie")});
    f.pressHeader(1, Qt::LeftButton);
    EXPECT_EQ(f.column(1, 3), u"delta,alfa,charlie"); // sorting not allowed yet
    f.flx.setUsaOrd(Variant(QStringLiteral("S")));
    f.pressHeader(1, Qt::LeftButton);
    EXPECT_EQ(f.column(1, 3), u"alfa,charlie,delta");
    EXPECT_EQ(f.header(1), u"[+] Nome");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the hourglass is gone
    f.pressHeader(1, Qt::LeftButton);
    EXPECT_EQ(f.column(1, 3), u"delta,charlie,alfa");
    EXPECT_EQ(f.header(1), u"[-] Nome");
    EXPECT_TRUE(f.spareRowsEmpty(4));
    // A press on a data row sorts nothing.
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {},
                      f.grid->visualRect(f.grid->tableModel()->indexOf(2, 2)).center());
    EXPECT_EQ(f.column(1, 3), u"delta,charlie,alfa");
}

TEST(FlxHeader, RightClickChangesTheFontThroughTheDialog) {
    SortForm f({QStringLiteral("b"), QStringLiteral("a")});
    f.flx.setOpcUsaFon(Variant(QStringLiteral("S")));
    bool shown = false;
    zvtest::onModal<QFontDialog>([&](QFontDialog* d) {
        shown = true;
        QFont font(QStringLiteral("DejaVu Serif"), 14);
        d->setCurrentFont(font);
        d->accept();
    });
    f.pressHeader(2, Qt::RightButton);
    ASSERT_TRUE(shown);
    EXPECT_EQ(f.grid->font().family(), u"DejaVu Serif");
    EXPECT_EQ(f.grid->font().pointSize(), 14);
    for (int c = 0; c < f.grid->cols(); ++c) {
        f.grid->setRow(0);
        f.grid->setCol(c);
        EXPECT_EQ(f.grid->cellFontSize(), 14);
        EXPECT_TRUE(f.grid->cellFontBold());
    }
    EXPECT_EQ(f.column(1, 2), u"b,a"); // no sort

    // Cancelled: the font stays.
    zvtest::onModal<QFontDialog>([](QFontDialog* d) { d->reject(); });
    f.pressHeader(2, Qt::RightButton);
    EXPECT_EQ(f.grid->font().pointSize(), 14);
}
