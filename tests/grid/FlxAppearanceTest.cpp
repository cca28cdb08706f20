// Grid support: colours: alternate rows (their text keeps the grid's fore colour), cells, rows
// and columns, and a selected row coloured from a palette (a fake one here).
#include "Convert.h"
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

TEST(FlxAppearance, AspectPresetsApplied) {
    FlxForm f(4);
    f.grid->setScrollBars(0);
    f.flx.AspPrpTip(QStringLiteral(" tre "));
    Variant text;
    f.flx.AspOpcCon(QString(), text);
    EXPECT_EQ(toText(text), u"[SCB=V+H][RCO=S][GRL=1][FXC=1]");
    f.flx.AspOpcReg(QStringLiteral("rco"), Variant(QStringLiteral("N"))); // still resizing
    f.flx.AspPrpExe();
    EXPECT_EQ(f.grid->scrollBars(), 3);
    EXPECT_EQ(f.grid->allowUserResizing(), 1);
    EXPECT_EQ(f.grid->gridLines(), 1);
    EXPECT_EQ(f.grid->fixedCols(), 1);

    f.flx.AspPrpTip(QStringLiteral("TRE.ZER"));
    f.flx.AspPrpExe();
    EXPECT_EQ(f.grid->fixedCols(), 0);
    EXPECT_EQ(f.grid->gridLines(), 0);
    f.flx.AspPrpTip(QStringLiteral("other")); // leaves the text
    f.flx.AspOpcCon(QStringLiteral("COR.BG"), text);
    EXPECT_EQ(toText(text), u"15");

    // A value the grid refuses ends the text there.
    f.flx.AspOpcReg(QString(), Variant(QStringLiteral("[EDI=S][GRL=-1][SCB=1]")));
    f.grid->setScrollBars(0);
    f.flx.AspPrpExe();
    EXPECT_TRUE(f.grid->editable());
    EXPECT_EQ(f.grid->scrollBars(), 0);
}

TEST(FlxAppearance, ColumnWidthsAndFonts) {
    FlxForm f(4);
    Variant widths{QString()};
    f.flx.AspDcoCon(widths);
    const QString saved = toText(widths);
    EXPECT_EQ(saved.count(u','), 3);
    for (int c = 0; c < 4; ++c)
        f.grid->setColWidth(c, 300);
    f.flx.AspDcoReg(Variant(saved));
    Variant again{QString()};
    f.flx.AspDcoCon(again);
    EXPECT_EQ(toText(again), saved);
    Variant arr = Variant::list({Variant(int32_t(0))});
    f.flx.AspDcoCon(arr);
    ASSERT_TRUE(arr.isArray());
    EXPECT_EQ(arr.array().ubound(), 3);

    f.flx.FonPrp(QStringLiteral("[NOM=DejaVu Serif][TAM=13][BLD=S][ITA=N]"));
    QString opt;
    f.flx.FonCon(opt);
    EXPECT_EQ(opt, u"[NOM=DejaVu Serif][TAM=13][BLD=S][ITA=N]");
    f.grid->setRow(0);
    f.grid->setCol(2);
    EXPECT_EQ(f.grid->cellFontSize(), 13);
    // A font text without a size leaves the header's size.
    f.flx.FonPrp(QStringLiteral("[NOM=DejaVu Sans]"));
    f.grid->setRow(0);
    f.grid->setCol(2);
    EXPECT_EQ(f.grid->cellFontSize(), 13);
}
