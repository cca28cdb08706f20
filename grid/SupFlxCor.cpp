// SupFlx: colours of the grid, its rows, columns and cells, alternate rows, and a selected row
// coloured from a palette.

#include "SupFlx.h"

#include "Convert.h"
#include "GlbCor.h"
#include "PaletteSource.h"
#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

namespace {

// The default alternate-row colours: "LP" light green, any other kind light yellow.
qint32 CorLinDef(const QString& kind) {
    int32_t colour = 0;
    QString k;
    CorTxCnv(kind == u"LP" ? QStringLiteral("H0080FF80") : QStringLiteral("H00C0FFFF"), colour, k);
    return colour;
}

// Drawing off while it lives, then on and the grid redrawn.
class NoRedraw {
public:
    explicit NoRedraw(GridWidget& g) : g_(g) { g_.setRedraw(false); }
    ~NoRedraw() {
        g_.setRedraw(true);
        g_.viewport()->update();
    }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

private:
    GridWidget& g_;
};

constexpr qint32 kSelectionBack = 16777203;
constexpr qint32 kSelectionFore = 16777202;
constexpr qint32 kBlackBackReplacement = 6447714;

} // namespace

void SupFlx::GrCorPrp(const QString& kind, qint32 color) {
    gridColorKind_ = kind;
    gridColor_ = color;
}

void SupFlx::GrCorAct() {
    if (gridColorKind_ == u"FIX" || gridColorKind_ == u"ALT") gr().setBackColor(gridColor_);
}

void SupFlx::CorLinAsp(const QString& kind) {
    if (TxMai(kind) == u"ALT") {
        rowScheme_ = QStringLiteral("ALT");
        altColor1_ = CorLinDef(QStringLiteral("LP"));
        altColor2_ = CorLinDef(QStringLiteral("LI"));
    } else {
        rowScheme_ = QStringLiteral("FIX");
    }
}

void SupFlx::CorLinPrp(const QString& kind, std::optional<qint32> c1, std::optional<qint32> c2) {
    if (kind == u"NOR") {
        rowScheme_ = kind;
        if (c1) gr().setBackColor(*c1);
        if (c2) gr().setForeColor(*c2);
    } else if (kind == u"ALT") {
        rowScheme_ = kind;
        if (c1) altColor1_ = *c1;
        if (c2) altColor2_ = *c2;
    }
}

void SupFlx::CorCxBg(int row, int col, qint32 color) {
    GridWidget& g = gr();
    g.setRow(row);
    g.setCol(col);
    g.setCellBackColor(color);
}

void SupFlx::CorCxFg(int row, int col, qint32 color) {
    GridWidget& g = gr();
    g.setRow(row);
    g.setCol(col);
    g.setCellForeColor(color);
}

void SupFlx::CorLiBg(int row, qint32 color) {
    GridWidget& g = gr();
    NoRedraw off(g);
    for (int c = g.fixedCols(); c < g.cols(); ++c)
        g.setCellBackColorAt(row, c, color);
}

void SupFlx::CorLiFg(int row, qint32 color) {
    GridWidget& g = gr();
    NoRedraw off(g);
    for (int c = g.fixedCols(); c < g.cols(); ++c)
        g.setCellForeColorAt(row, c, color);
}

void SupFlx::CorCoBg(int col, qint32 color) {
    GridWidget& g = gr();
    NoRedraw off(g);
    for (int r = g.fixedRows(); r < g.rows(); ++r)
        g.setCellBackColorAt(r, col, color);
}

void SupFlx::CorCoFg(int col, qint32 color) {
    GridWidget& g = gr();
    NoRedraw off(g);
    for (int r = g.fixedRows(); r < g.rows(); ++r)
        g.setCellForeColorAt(r, col, color);
}

void SupFlx::CorLinAlt(int row) {
    // Only the back colour: the rows keep the grid's fore colour, so their text stays readable.
    CorLiBg(row, row % 2 == 1 ? altColor2_ : altColor1_);
}

void SupFlx::CorLin(int row) {
    if (rowScheme_ == u"ALT") CorLinAlt(row);
}

void SupFlx::CorGr() {
    if (rowScheme_ != u"ALT") return;
    GridWidget& g = gr();
    NoRedraw off(g);
    for (int r = 1; r < g.rows(); ++r)
        CorLinAlt(r);
}

void SupFlx::CorLinSelNom(const QString& first, const QString& second) {
    selEntry1_ = first;
    selEntry2_ = second;
}

void SupFlx::CorLinSel(const PaletteSource* palette, int row) {
    if (!palette) throw VbError(err::ObjectNotSet);
    if (selEntry1_.trimmed().isEmpty() || selEntry2_.trimmed().isEmpty()) return;
    Variant back{int32_t(0)}, fore{int32_t(0)};
    int foundBack = 0, foundFore = 0;
    palette->CorUsa(QStringLiteral("B"), selEntry1_, back, foundBack);
    palette->CorUsa(QStringLiteral("F"), selEntry1_, fore, foundFore);
    if (foundBack != 1 && foundFore != 1) return;
    if (CLng(back) == kSelectionBack && CLng(fore) == kSelectionFore) {
        palette->CorUsa(QStringLiteral("B"), selEntry2_, back, foundBack);
        palette->CorUsa(QStringLiteral("F"), selEntry2_, fore, foundFore);
        if (foundBack == 1 && CLng(back) == 0) back = Variant(kBlackBackReplacement);
    }
    if (foundBack == 1) CorLiBg(row, CLng(back));
    if (foundFore == 1) CorLiFg(row, CLng(fore));
}

} // namespace zv
