// Grid support: colours: alternate rows (their text keeps the grid's fore colour), cells, rows
// and columns, and a selected row coloured from a palette (a fake one here).
#include "PaletteSource.h"
#include "SupFlxTestSupport.h"

#include <map>

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

// A palette of named entries, each with a back and a fore colour.
struct FakePalette : PaletteSource {
    std::map<QString, std::pair<qint32, qint32>> entries;
    void CorUsa(const QString& part, const QString& name, Variant& value,
                int& found) const override {
        const auto it = entries.find(name.trimmed().toUpper());
        found = it == entries.end() ? 0 : 1;
        if (!found) {
            value = Variant(int16_t(0));
            return;
        }
        value = Variant(
            int32_t(part.trimmed().toUpper() == u"B" ? it->second.first : it->second.second));
    }
};

constexpr qint32 kLightGreen = 0x80FF80;  // H0080FF80
constexpr qint32 kLightYellow = 0xC0FFFF; // H00C0FFFF

} // namespace

TEST(FlxAppearance, AlternateRowsKeepTheGridsForeColour) {
    FlxForm f(4);
    f.addRows(2);
    f.grid->setForeColor(0x123456);
    f.flx.CorLinAsp(QStringLiteral(" alt "));
    f.flx.CorGr();
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(f.grid->cellBackColorAt(r, 1), r % 2 == 1 ? kLightYellow : kLightGreen) << r;
        EXPECT_EQ(f.grid->cellForeColorAt(r, 2), 0x123456) << r;
    }
    EXPECT_NE(f.grid->cellBackColorAt(1, 0), kLightYellow); // fixed column left alone
    f.flx.CorLinPrp(QStringLiteral("ALT"), 0x0000FF, 0x00FF00);
    f.flx.CorLin(2);
    EXPECT_EQ(f.grid->cellBackColorAt(2, 3), 0x0000FF);
    f.flx.CorLinAsp(QStringLiteral("X"));
    f.flx.CorLin(3);
    EXPECT_EQ(f.grid->cellBackColorAt(3, 3), kLightYellow); // scheme FIX: unchanged

    f.flx.CorCoFg(2, 0xFF0000);
    EXPECT_EQ(f.grid->cellForeColorAt(4, 2), 0xFF0000);
    EXPECT_NE(f.grid->cellForeColorAt(0, 2), 0xFF0000);
    f.flx.CorCxBg(2, 1, 65280);
    EXPECT_EQ(f.grid->row(), 2);
    int ok = 0;
    f.flx.EdiPosOk(2, 1, ok); // a cell coloured green is editable
    EXPECT_EQ(ok, 1);
    EXPECT_TRUE(f.grid->redraw());
}

TEST(FlxAppearance, SelectedRowFromThePalette) {
    FlxForm f(4);
    f.addRows(3);
    FakePalette palette;
    const qint32 before = f.grid->cellBackColorAt(1, 1);
    const qint32 foreBefore = f.grid->cellForeColorAt(1, 1);
    // No entry names, or a first entry not in the palette: the row stays as it is.
    f.flx.CorLinSel(&palette, 1);
    f.flx.CorLinSelNom(QStringLiteral("SelLin"), QStringLiteral("SelSis"));
    f.flx.CorLinSel(&palette, 1);
    EXPECT_EQ(f.grid->cellBackColorAt(1, 1), before);
    EXPECT_EQ(f.grid->cellForeColorAt(1, 1), foreBefore);

    palette.entries[u"SELLIN"_qs] = {0xFF8000, 0x000080};
    f.flx.CorLinSel(&palette, 1);
    EXPECT_EQ(f.grid->cellBackColorAt(1, 3), 0xFF8000);
    EXPECT_EQ(f.grid->cellForeColorAt(1, 3), 0x000080);
    // The system's selection colours: the second entry, a black back colour replaced.
    palette.entries[u"SELLIN"_qs] = {16777203, 16777202};
    palette.entries[u"SELSIS"_qs] = {0, 0xFFFFFF};
    f.flx.CorLinSel(&palette, 2);
    EXPECT_EQ(f.grid->cellBackColorAt(2, 1), 6447714);
    EXPECT_EQ(f.grid->cellForeColorAt(2, 1), 0xFFFFFF);
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.CorLinSel(nullptr, 1); }), 91);
}
