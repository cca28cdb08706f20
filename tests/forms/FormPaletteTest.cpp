// The colour palette: loaded from its file, single colours answered to a grid, applied to
// controls, memorised, and written back into the file it came from (compared with an expected
// file); grids coloured through the interface the grid control implements.
#include "FormsTestSupport.h"
#include "GridWidget.h"
#include "PaletteGrid.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"
#include "VbColor.h"
#include "VbLabel.h"

#include <QFile>
#include <map>

using namespace zv;
using zvtest::errorOf;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A grid of rows x cols cells that records what is set on it.
class FakeGrid : public PaletteGrid {
public:
    FakeGrid(int rows, int cols, int fixed) : rows_(rows), cols_(cols), fixed_(fixed) {}

    std::map<QString, int32_t> set; // whole-grid colours by property name
    std::map<std::pair<int, int>, std::pair<int32_t, int32_t>> cells; // (row, col) -> colours
    int32_t back = 111, alternate = 222;

    void setGridColor(int32_t c) override { set["GridColor"] = c; }
    void setBackColorFixed(int32_t c) override { set["BackColorFixed"] = c; }
    void setForeColorFixed(int32_t c) override { set["ForeColorFixed"] = c; }
    int32_t gridBackColor() const override { return back; }
    void setGridBackColor(int32_t c) override { set["BackColor"] = back = c; }
    void setGridForeColor(int32_t c) override { set["ForeColor"] = c; }
    int32_t backColorAlternate() const override { return alternate; }
    void setBackColorAlternate(int32_t c) override { set["BackColorAlternate"] = alternate = c; }
    int32_t fixedCols() const override { return fixed_; }
    int32_t cols() const override { return cols_; }
    void setRow(int32_t r) override {
        if (r < 0 || r >= rows_) throw VbError(381);
        row_ = r;
    }
    void setCol(int32_t c) override {
        if (c < 0 || c >= cols_) throw VbError(381);
        col_ = c;
    }
    void setCellBackColor(int32_t c) override { cells[{row_, col_}].first = c; }
    void setCellForeColor(int32_t c) override { cells[{row_, col_}].second = c; }

private:
    int rows_, cols_, fixed_;
    int row_ = 0, col_ = 0;
};

struct FormPalette : ::testing::Test {
    ScopedProcessContext context;
    zvtest::TempDir dir;
    SupFrm frm;
    QString palette = dir.write(QStringLiteral("Cores.par"),
                                fileBytes(zvtest::dataPath(QStringLiteral("forms/palette.par"))));
    FormPalette() { frm.CorPalIni(palette); }

    // CorUsa into a number and into a text: found, number, text.
    std::tuple<int, double, QString> colour(const QString& part, const QString& name) {
        Variant number{int32_t(-1)}, text{QStringLiteral("?")};
        int found = -1, foundText = -1;
        frm.CorUsa(part, name, number, found);
        frm.CorUsa(part, name, text, foundText);
        EXPECT_EQ(found, foundText);
        return {found, number.numericValue(), text.rawString()};
    }
};

} // namespace

TEST_F(FormPalette, LoadsZoneCorByNameInAnyCaseTheLastOfTwoWinning) {
    EXPECT_EQ(frm.CorPalNom(),
              (QStringList{"FRM", "SPTIT", "SPINT", "GRDFIX", "GRDCEL", "GRDALT", "INPLB"}));
    EXPECT_EQ(frm.CorPalEnt(QStringLiteral(" sptit ")),
              QStringLiteral("H800000+15+2,1,1+titulo.bmp"));
    EXPECT_EQ(frm.CorPalEnt(QStringLiteral("grdalt")), QStringLiteral("240,240,255+0,0,128"));

    // A file without the zone, or no file, leaves the palette empty.
    const QString other = dir.write(QStringLiteral("outro.par"),
                                    "'1\n'2\n'3\n'4\n'5\n\n#DEF:IDE - x\nA [FRM]=1,2,3\n##\n");
    frm.CorPalIni(other);
    EXPECT_TRUE(frm.CorPalNom().isEmpty());
    frm.CorPalIni(palette);
    frm.CorPalIni(dir.path(QStringLiteral("nenhum.par")));
    EXPECT_TRUE(frm.CorPalNom().isEmpty());
    // A file that is there but cannot be read is an error, not an empty palette.
    EXPECT_NE(errorOf([&] { frm.CorPalIni(dir.path()); }), 0);
}

TEST_F(FormPalette, SingleColoursAsTextOrNumberAndNoneWhereThePaletteGivesNone) {
    EXPECT_EQ(colour("B", "SPTIT"),
              std::make_tuple(1, double(vbRgb(0, 0, 128)), QStringLiteral("H800000")));
    EXPECT_EQ(colour("f", "sptit"),
              std::make_tuple(1, double(vbRgb(255, 255, 255)), QStringLiteral("15")));
    // Parts are trimmed.
    EXPECT_EQ(colour("B", "GRDFIX"), std::make_tuple(1, 12632256.0, QStringLiteral("W12632256")));
    EXPECT_EQ(colour("F", "GRDFIX"), std::make_tuple(1, 0.0, QStringLiteral("0")));
    // "-", an absent name and an absent part give nothing, and the value is emptied.
    EXPECT_EQ(colour("F", "SPINT"), std::make_tuple(0, 0.0, QString()));
    EXPECT_EQ(colour("B", "NENHUM"), std::make_tuple(0, 0.0, QString()));
    EXPECT_EQ(colour("F", "INPLB"), std::make_tuple(0, 0.0, QString()));
}

TEST_F(FormPalette, PairsAppliedToControlsLeaveWhatTheEntryDoesNotGive) {
    zvtest::TestForm form(6000, 4000);
    auto label = form.addControl<VbLabel>(QStringLiteral("laInf"));
    label->setBackColor(vbRgb(1, 2, 3));
    label->setForeColor(vbRgb(4, 5, 6));
    frm.CorRegOb(QStringLiteral("spint"), label); // foreground "-"
    EXPECT_EQ(label->backColor(), vbRgb(192, 192, 192));
    EXPECT_EQ(label->foreColor(), vbRgb(4, 5, 6));
    frm.CorRegOb(QStringLiteral("INPLB"), label); // no foreground at all
    EXPECT_EQ(label->backColor(), vbRgb(0, 0, 128));
    EXPECT_EQ(label->foreColor(), vbRgb(4, 5, 6));
    frm.CorRegOb(QStringLiteral("GRDFIX"), label); // blanks around the parts
    EXPECT_EQ(label->backColor(), 12632256);
    EXPECT_EQ(label->foreColor(), 0);
    frm.CorRegOb(QStringLiteral("NENHUM"), label);
    EXPECT_EQ(label->backColor(), 12632256);

    frm.CorObBg(label, Variant(QStringLiteral(" - ")));
    frm.CorObFg(label, Variant(int32_t(255)));
    EXPECT_EQ(label->backColor(), 12632256);
    EXPECT_EQ(label->foreColor(), vbRgb(255, 0, 0));
    frm.CorObBg(nullptr, Variant(int32_t(255))); // no control: nothing
}

TEST_F(FormPalette, MemorisedColoursAreRgbGroupsOfThreeDigits) {
    frm.CorMem(QStringLiteral(" novo "), vbRgb(255, 0, 0), 0);
    EXPECT_EQ(frm.CorPalEnt(QStringLiteral("NOVO")), QStringLiteral("255,000,000+000,000,000"));
    // A control that uses the system's colours is memorised with the colours it shows.
    zvtest::TestForm form(6000, 4000);
    auto label = form.addControl<VbLabel>(QStringLiteral("laInf"));
    frm.CorMemOb(QStringLiteral("ROTULO"), label);
    const QColor shown = label->widget()->palette().color(QPalette::Window);
    EXPECT_EQ(frm.CorPalEnt(QStringLiteral("ROTULO")).left(11),
              QStringLiteral("%1,%2,%3")
                  .arg(shown.red(), 3, 10, QChar(u'0'))
                  .arg(shown.green(), 3, 10, QChar(u'0'))
                  .arg(shown.blue(), 3, 10, QChar(u'0')));
}

TEST_F(FormPalette, WrittenBackIntoItsFileEqualToTheExpectedFile) {
    frm.CorMem(QStringLiteral("FRM"), vbRgb(255, 0, 0), 0);
    // An appearance memorised without a rest ends in "+", which the file must not read as a
    // line continued on the next.
    frm.AspMemVco(QStringLiteral("SPINT"), QStringLiteral("192,192,192+-+"));
    // A name the file holds twice: both lines change, so the next load cannot bring back the
    // old value.
    frm.CorMemVco(QStringLiteral("GRDALT"), QStringLiteral("250,250,250+000,000,000"));
    frm.CorMemVco(QStringLiteral("NOVO"), QStringLiteral("1,1,1+2,2,2")); // not in the file
    const QString target = dir.path(QStringLiteral("Cores2.par"));
    frm.CorPalReg(palette, target, QStringLiteral("Cores da empresa"));
    EXPECT_EQ(fileBytes(target),
              fileBytes(zvtest::dataPath(QStringLiteral("forms/palette.expected.par"))));
    EXPECT_EQ(fileBytes(palette),
              fileBytes(zvtest::dataPath(QStringLiteral("forms/palette.par")))); // untouched

    SupFrm again;
    again.CorPalIni(target);
    EXPECT_EQ(again.CorPalEnt(QStringLiteral("SPINT")), QStringLiteral("192,192,192+-+"));
    EXPECT_EQ(again.CorPalEnt(QStringLiteral("GRDFIX")), QStringLiteral(" W12632256 + 0 "));
    EXPECT_EQ(again.CorPalEnt(QStringLiteral("GRDALT")), QStringLiteral("250,250,250+000,000,000"));
    EXPECT_EQ(again.CorPalEnt(QStringLiteral("FRM")), QStringLiteral("255,000,000+000,000,000"));
    EXPECT_EQ(again.CorPalEnt(QStringLiteral("NOVO")), QString());

    // Written onto itself; a missing file is an error and nothing is made.
    frm.CorPalReg(target, QString(), QString());
    EXPECT_EQ(fileBytes(target),
              fileBytes(zvtest::dataPath(QStringLiteral("forms/palette.expected.par"))));
    EXPECT_EQ(errorOf([&] { frm.CorPalReg(dir.path("nenhum.par"), QString(), QString()); }), 53);
    EXPECT_FALSE(QFile::exists(dir.path("nenhum.par")));
}

TEST_F(FormPalette, GridTakesOnlyTheColoursThePaletteGives) {
    FakeGrid grid(10, 5, 1);
    frm.CorRegGr(grid);
    EXPECT_EQ(grid.set, (std::map<QString, int32_t>{{"GridColor", 8421504},
                                                    {"BackColorFixed", 12632256},
                                                    {"ForeColorFixed", 0},
                                                    {"BackColor", vbRgb(255, 255, 255)},
                                                    {"ForeColor", 0},
                                                    {"BackColorAlternate", vbRgb(240, 240, 255)}}));
    // Without the entries, only the grid lines are set: no black grid.
    SupFrm empty;
    FakeGrid bare(10, 5, 1);
    empty.CorRegGr(bare);
    EXPECT_EQ(bare.set, (std::map<QString, int32_t>{{"GridColor", 8421504}}));
}

TEST_F(FormPalette, GridRowsEvenAndOddAllColumnsButTheLast) {
    FakeGrid grid(10, 5, 1);
    frm.CorRepGrLi(grid, 4);
    frm.CorRepGrLi(grid, 5);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(grid.cells[std::make_pair(4, c)].first, 222) << c;
        EXPECT_EQ(grid.cells[std::make_pair(5, c)].first, 111) << c;
    }
    EXPECT_EQ(grid.cells.count(std::make_pair(4, 0)), 0u); // fixed column
    EXPECT_EQ(grid.cells.count(std::make_pair(4, 4)), 0u); // last column
    FakeGrid open(10, 5, 0);
    frm.GrdFlxCorLin(open, 2, 7, 8, 0);
    for (int c = 0; c <= 4; ++c)
        EXPECT_EQ(open.cells[std::make_pair(2, c)], std::make_pair(7, 8)) << c;
    EXPECT_EQ(errorOf([&] { frm.GrdFlxCorLin(open, 10, 7, -1, 0); }), 381);
}

TEST_F(FormPalette, RealGridTakesThePaletteColoursAndItsRowsAlternate) {
    QWidget form;
    auto* grid = new GridWidget(&form);
    grid->setCols(5);
    grid->setRows(8);
    grid->setFixedCols(1);
    frm.CorRegGr(*grid);
    EXPECT_EQ(grid->gridColor(), 8421504);
    EXPECT_EQ(grid->backColorFixed(), 12632256);
    EXPECT_EQ(grid->backColor(), vbRgb(255, 255, 255));
    EXPECT_EQ(grid->foreColor(), 0);
    EXPECT_EQ(grid->backColorAlternate(), vbRgb(240, 240, 255));
    grid->setBackColor(vbRgb(1, 2, 3));
    frm.CorRepGrLi(*grid, 4);
    frm.CorRepGrLi(*grid, 5);
    EXPECT_EQ(grid->cellBackColorAt(4, 2), vbRgb(240, 240, 255));
    EXPECT_EQ(grid->cellBackColorAt(5, 2), vbRgb(1, 2, 3));
}
