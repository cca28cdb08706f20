// SupFlx: the grid's size and place in its form, resizing with the form, and scrolling.

#include "SupFlx.h"

#include "Convert.h"
#include "NumFxd.h"
#include "Twips.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <cmath>

namespace zv {

namespace {

// Row and Col given back at the end of the scope, also when a step fails.
class KeptCursor {
public:
    explicit KeptCursor(GridWidget& grid) : grid_(grid), row_(grid.row()), col_(grid.col()) {}
    ~KeptCursor() {
        if (row_ < grid_.rows()) grid_.setRow(row_);
        if (col_ < grid_.cols()) grid_.setCol(col_);
    }
    KeptCursor(const KeptCursor&) = delete;
    KeptCursor& operator=(const KeptCursor&) = delete;

private:
    GridWidget& grid_;
    int row_;
    int col_;
};

bool isCon(const QString& useMode) {
    return TxMai(useMode) == u"CON";
}

// The trimmed, upper-cased text of a value that may be a code or a number.
QString codeOf(const Variant& v) {
    return v.isString() ? TxMai(v.rawString()) : QString();
}

} // namespace

// ---- The grid's place and size in its parent ----

double SupFlx::ctlWidth() const {
    return pixelsToTwips(gr().width());
}

double SupFlx::ctlHeight() const {
    return pixelsToTwips(gr().height());
}

void SupFlx::setCtlLeft(double twips) {
    GridWidget& g = gr();
    g.move(twipsToPixels(twips), g.y());
}

void SupFlx::setCtlWidth(double twips) {
    GridWidget& g = gr();
    if (!(twips >= 0)) throw VbError(err::InvalidPropertyValue);
    g.resize(twipsToPixels(twips), g.height());
}

void SupFlx::setCtlHeight(double twips) {
    GridWidget& g = gr();
    if (!(twips >= 0)) throw VbError(err::InvalidPropertyValue);
    g.resize(g.width(), twipsToPixels(twips));
}

// ---- Size and place ----

void SupFlx::GrAjtLrgCol(int extra) {
    int total = 0;
    GrColLrg(total);
    setCtlWidth(double(total) + 270 + extra);
    gr().setExtendLastCol(true);
}

void SupFlx::GrAjtAltLin(int extra) {
    GridWidget& g = gr();
    setCtlHeight(g.cellHeight() * (double(visibleRows_) + 1) + extra + 75);
}

void SupFlx::GrAjtDimCel(int wextra, int hextra) {
    GrAjtLrgCol(wextra);
    GrAjtAltLin(hextra);
}

void SupFlx::GrAjtPos(const Variant& left, const Variant& width) {
    GridWidget& g = gr();
    if (codeOf(width) == u"DC") {
        GrAjtLrgCol(0);
    } else {
        const double w = NumDbl(width);
        if (w > 0) setCtlWidth(w);
    }
    double l = 0;
    if (codeOf(left) == u"C") {
        QWidget* parent = g.parentWidget();
        if (!parent) throw VbError(err::ObjectNotSet);
        l = (pixelsToTwips(parent->width()) - ctlWidth()) / 2;
    } else {
        l = NumDbl(left);
    }
    if (l > 0) setCtlLeft(l);
}

void SupFlx::AjtAs(const QString& mode) {
    GridWidget& g = gr();
    g.setWordWrap(true);
    const QString m = TxMai(mode);
    if (m == u"C")
        g.setAutoSizeMode(0);
    else if (m == u"L")
        g.setAutoSizeMode(1);
    g.autoSize(0, g.cols() - 1);
}

// ---- Resizing ----

void SupFlx::AjtDimPrp() {
    const GridWidget& g = gr();
    keptWidth_ = ctlWidth();
    keptHeight_ = ctlHeight();
    keptColWidths_.clear();
    for (int c = 0; c < g.cols(); ++c)
        keptColWidths_.push_back(g.colWidth(c));
}

int SupFlx::fittingRows(double k) const {
    const GridWidget& g = gr();
    const double rowHeight = g.rowHeight(1);
    if (rowHeight <= 0) return 0;
    const double n = std::floor((ctlHeight() - g.rowHeight(0)) / rowHeight + k);
    return int(std::clamp(n, 0.0, double(INT32_MAX - 1)));
}

void SupFlx::AjtDimExe(const QString& mode) {
    vbTrap([&] {
        GridWidget& g = gr();
        const QString m = mode.toUpper();
        if (m.contains(u'C') && keptWidth_ > 0) {
            const double ratio = ctlWidth() / keptWidth_;
            const int n = std::min(g.cols(), int(keptColWidths_.size()));
            for (int c = 0; c < n; ++c) {
                const double w = roundHalfEven(keptColWidths_[size_t(c)] * ratio);
                g.setColWidth(c, int(std::clamp(w, 0.0, double(INT32_MAX))));
            }
        }
        if (m.contains(u'L')) {
            const int n = fittingRows(isCon(useMode_) ? 1.0 : -0.1);
            if (n > g.rows()) {
                g.setRows(n);
                visibleRows_ = n;
            }
        }
    });
}

void SupFlx::ResExe(const QString& mode) {
    int n = 0;
    LinVisDim(n);
    AjtDimExe(mode);
}

void SupFlx::LinVisMax(int& n) {
    n = 0;
    vbTrap([&] { n = fittingRows(isCon(useMode_) ? 0.5 : -0.1); });
}

void SupFlx::LinVisDim(int& n) {
    LinVisMax(n);
    GridWidget& g = gr();
    if (n > g.rows() - 1) g.setRows(n + 1);
}

void SupFlx::AjtCntLin(const Variant& target) {
    vbTrap([&] {
        GridWidget& g = gr();
        int wanted = 1;
        if (IsNumeric(target)) {
            wanted = CLng(target) + 1;
        } else {
            const QString code = TxMai(TxCnv(target));
            if (code == u"LGR")
                wanted = g.rows() - 1;
            else if (code == u"MIN")
                wanted = minRows_ + 1;
        }
        lastUsed_ = std::max(0, wanted);
        if (lastUsed_ != g.rows() - 1) g.setRows(lastUsed_ + 1);
    });
}

// ---- Scrolling and positions ----

void SupFlx::CxVer(int row, int col) {
    vbTrap([&] {
        GridWidget& g = gr();
        g.setRow(row);
        g.setCol(col);
        g.cellTop();
        g.cellLeft();
    });
    pump();
}

void SupFlx::LiVer(int row) {
    vbTrap([&] {
        GridWidget& g = gr();
        g.setRow(row);
        g.cellTop();
    });
    pump();
}

void SupFlx::GrZonVis(const QString& mode) {
    GridWidget& g = gr();
    const int top = TxMai(mode) == u"F" ? g.rows() - visibleRows_ + 1 : 1;
    g.setTopRow(std::max(top, 1));
    g.setCol(1);
}

void SupFlx::GrZonVisDp(const QString& mode, int n) {
    GridWidget& g = gr();
    const int step = n == 0 ? visibleRows_ : n;
    int top = g.topRow();
    if (TxMai(mode) == u"A")
        top -= step;
    else
        top = std::min(top + step, g.rows() - visibleRows_ + 1);
    g.setTopRow(std::max(top, 1));
    g.setCol(1);
}

void SupFlx::GrZonVisSit(QString& sit, int& pages) {
    const GridWidget& g = gr();
    const int top = g.topRow();
    sit = QStringLiteral("=");
    if (top == 1) sit = QStringLiteral("<");
    if (top >= g.rows() - visibleRows_) sit = QStringLiteral(">");
    pages = 0;
    if (visibleRows_ > 0) {
        int32_t quotient = 0, remainder = 0, product = 0, last = 0;
        NumDivRes(g.rows() - 1, visibleRows_, quotient, remainder, product, last);
        pages = quotient;
    }
}

void SupFlx::LimZon(double& x1, double& y1, double& x2, double& y2) {
    const GridWidget& g = gr();
    const int top = g.topRow();
    const int bottom = std::min(top + std::max(visibleRows_, 1) - 1, g.rows() - 1);
    const int firstCol = g.fixedCols() < g.cols() ? g.fixedCols() : 0;
    double x = 0, y = 0, w = 0, h = 0;
    CxPD(top, firstCol, x1, y1, w, h);
    CxPD(bottom, g.cols() - 1, x, y, w, h);
    x2 = x + w;
    y2 = y + h;
}

void SupFlx::CxPD(int row, int col, double& x, double& y, double& w, double& h) {
    GridWidget& g = gr();
    const KeptCursor kept(g);
    g.setRow(row);
    g.setCol(col);
    x = g.cellLeft();
    y = g.cellTop();
    w = g.cellWidth();
    h = g.cellHeight();
}

void SupFlx::CxZon(int row, int col, double& x1, double& y1, double& x2, double& y2) {
    double w = 0, h = 0;
    CxPD(row, col, x1, y1, w, h);
    x2 = x1 + w;
    y2 = y1 + h;
}

} // namespace zv
