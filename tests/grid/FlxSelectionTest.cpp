// Grid support: the cursor and the selection read and set, the cell under the mouse, and the
// host's grid events (a record added through the record source, the display text of values).
#include "Convert.h"
#include "GridTableModel.h"
#include "SupFlxTestSupport.h"

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

struct Records : RecordSource {
    int movedLast = 0;
    void moveLast() override { ++movedLast; }
    long recordCount() const override { return 3; }
    QString fieldName(int) const override { return {}; }
};

struct Callback : FlxCallback {
    QStringList seen;
    void GrvVl(const QString& text, RecordSource*) override { seen << text; }
    void FrmVl(const QString& type, double number, Variant& value) override {
        seen << type + QString::number(number);
        value = Variant(u'<' + toText(value) + u'>');
    }
};

} // namespace

TEST(FlxSelection, CursorAndSelectedRange) {
    FlxForm f(8);
    f.addRows(6);
    f.flx.GrCurPos(4, 2);
    int r = 0, c = 0;
    f.flx.GrCurLC(r, c, 0);
    EXPECT_EQ(std::pair(r, c), std::pair(4, 2));
    f.flx.GrCurLC(r, c, 3);
    EXPECT_EQ(std::pair(r, c), std::pair(5, 3));
    f.flx.GrCurLC(r, c, 2);
    EXPECT_EQ(std::pair(r, c), std::pair(4, 3));
    f.flx.GrCurLi(r);
    EXPECT_EQ(r, 4);

    // An upward selection reads smallest first.
    f.flx.SelLC(2, 3);
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    f.flx.SelConZon(r1, c1, r2, c2);
    EXPECT_EQ((std::array{r1, c1, r2, c2}), (std::array{2, 2, 4, 3}));
    f.flx.SelConLi(r1, r2);
    EXPECT_EQ(std::pair(r1, r2), std::pair(2, 4));
    f.flx.SelConCo(c1, c2);
    EXPECT_EQ(std::pair(c1, c2), std::pair(2, 3));

    f.flx.SelLin(5);
    f.flx.SelConZon(r1, c1, r2, c2);
    EXPECT_EQ((std::array{r1, c1, r2, c2}), (std::array{5, 1, 5, 3}));

    // Outside the grid: an error for the setters; the query traps (values kept).
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.GrCurPos(40, 1); }), 381);
    SupFlx unbound;
    r1 = c1 = r2 = c2 = -7;
    unbound.SelConZon(r1, c1, r2, c2);
    EXPECT_EQ((std::array{r1, c1, r2, c2}), (std::array{-7, -7, -7, -7}));
}

TEST(FlxSelection, CellUnderTheMouse) {
    FlxForm f(8);
    f.addRows(6);
    QTest::mouseMove(f.grid->viewport(),
                     f.grid->visualRect(f.grid->tableModel()->indexOf(3, 2)).center());
    int r = 0, c = 0;
    f.flx.MouLC(r, c, 0);
    EXPECT_EQ(std::pair(r, c), std::pair(3, 2));
    f.flx.MouLC(r, c, 1);
    EXPECT_EQ(std::pair(r, c), std::pair(4, 2));
    f.flx.SelMou();
    EXPECT_EQ(f.grid->row(), 3);
    EXPECT_EQ(f.grid->col(), 2);
    const GridRange s = f.grid->selection();
    EXPECT_EQ((std::array{s.row1, s.col1, s.row2, s.col2}), (std::array{3, 2, 3, 2}));
}

TEST(FlxSelection, HostEventsReachTheCallback) {
    FlxForm f(4);
    Records records;
    Callback callback;
    f.flx.IniCbk(&callback);
    // No record source: nothing.
    f.flx.GrEveAfterInsert();
    EXPECT_TRUE(callback.seen.isEmpty());
    f.flx.IniUsoGr(f.grid, &records, QStringLiteral("GDO"));
    f.flx.GrEveAfterInsert(); // column 1 is no "CBK" column
    EXPECT_EQ(records.movedLast, 1);
    EXPECT_TRUE(callback.seen.isEmpty());
    f.flx.ColRegIni();
    f.flx.ColReg(600, QStringLiteral("Nº"), QStringLiteral("|"), QStringLiteral("CBK:N,7.2"));
    f.flx.ColReg(900, QStringLiteral("Valor"), QStringLiteral(">"), QStringLiteral("X:SN"));
    f.flx.GrEveAfterInsert();
    EXPECT_EQ(records.movedLast, 2);
    EXPECT_EQ(callback.seen, QStringList{QStringLiteral("VDEF")});

    Variant v(QStringLiteral("12"));
    f.flx.GrEveFormatText(0, v);
    EXPECT_EQ(toText(v), u"<12>");
    EXPECT_EQ(callback.seen.last(), u"N7.2");
    Variant yes(true);
    f.flx.GrEveFormatText(1, yes); // formatted by its type
    EXPECT_EQ(toText(yes), u"Sim");
    Variant kept(QStringLiteral("k"));
    f.flx.GrEveFormatText(5, kept); // no such column: trapped
    EXPECT_EQ(toText(kept), u"k");
}
