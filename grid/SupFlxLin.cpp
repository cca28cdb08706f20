// SupFlx: the grid's shape and its rows. Every operation keeps the last used row (U) in step.

#include "SupFlx.h"

#include "TxtGlb.h"
#include "VbError.h"

namespace zv {

namespace {

// Drawing off while many cells change, back on at the end (also when a step fails).
class RedrawOff {
public:
    explicit RedrawOff(GridWidget& grid) : grid_(grid) { grid_.setRedraw(false); }
    ~RedrawOff() { grid_.setRedraw(true); }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    GridWidget& grid_;
};

// The grid's clip separators, given back at the end of the scope.
class KeptSeparators {
public:
    explicit KeptSeparators(GridWidget& grid) : grid_(grid), kept_(grid.clipSeparators()) {}
    ~KeptSeparators() { grid_.setClipSeparators(kept_); }
    KeptSeparators(const KeptSeparators&) = delete;
    KeptSeparators& operator=(const KeptSeparators&) = delete;

private:
    GridWidget& grid_;
    QString kept_;
};

} // namespace

// ---- Cell content ----

SupFlx::CellContent SupFlx::cellContent(int r, int c) const {
    const GridWidget& g = gr();
    return {g.textMatrix(r, c), g.cellData(r, c), g.cellPicture(r, c)};
}

void SupFlx::setCellContent(int r, int c, const CellContent& content) {
    GridWidget& g = gr();
    g.setTextMatrix(r, c, content.text);
    g.setCellData(r, c, content.data);
    g.setCellPicture(r, c, content.picture);
}

// ---- Shape ----

void SupFlx::GrDimIni(int rows, int cols) {
    GridWidget& g = gr();
    if (rows >= 0) g.setRows(rows + 1);
    if (cols >= 0) g.setCols(cols);
}

void SupFlx::GrDimLin(int rows) {
    gr().setRows(std::max(rows, minRows_) + 1);
}

void SupFlx::GrDimCon(int& rows, int& cols) {
    rows = gr().rows();
    cols = gr().cols();
}

void SupFlx::linIni(const QString& mode) {
    gr().setRows(1);
    lastUsed_ = 0;
    if (TxMai(mode) != u"Z") GrDimLin(visibleRows_);
}

void SupFlx::GrLpz() {
    lastUsed_ = 0;
    gr().setRows(1);
    GrDimLin(visibleRows_);
    pump();
}

// ---- Grid rows ----

void SupFlx::LiIns(int row) {
    GridWidget& g = gr();
    if (row < 1 || row > g.rows()) return;
    const int oldLast = g.rows() - 1;
    g.setRows(g.rows() + 1);
    LiCop(row, oldLast, row + 1);
    LiLpz(row, 1);
}

void SupFlx::LiJun(int go) {
    GridWidget& g = gr();
    g.setRows(g.rows() + 1);
    if (go > 0) {
        g.setRow(g.rows() - 1);
        g.setCol(1);
    }
}

void SupFlx::LiEli(int row) {
    GridWidget& g = gr();
    const int last = g.rows() - 1;
    if (row < 1 || row > last) return;
    LiCop(row + 1, last, row);
    LiLpz(last, 1);
    g.setRows(std::max({last, minRows_ + 1, 2}));
}

void SupFlx::LiCop(int first, int last, int dest) {
    if (last < first || dest == first) return;
    GridWidget& g = gr();
    const RedrawOff quiet(g);
    const int n = last - first + 1;
    const int cols = g.cols();
    // A block moving down is copied from its far end, so that no row is overwritten before it
    // was copied.
    for (int i = 0; i < n; ++i) {
        const int k = dest > first ? n - 1 - i : i;
        for (int c = 0; c < cols; ++c)
            setCellContent(dest + k, c, cellContent(first + k, c));
    }
}

void SupFlx::LiLpz(int row, int n) {
    GridWidget& g = gr();
    const RedrawOff quiet(g);
    const CellContent empty;
    for (int r = row; r < row + n; ++r)
        for (int c = 0; c < g.cols(); ++c)
            setCellContent(r, c, empty);
}

void SupFlx::LiCnt(std::optional<int> last) {
    vbTrap([&] {
        GridWidget& g = gr();
        const int end = last ? *last : g.rows() - 1;
        for (int r = 1; r <= end; ++r)
            g.setTextMatrix(r, 0, QString::number(r));
    });
}

void SupFlx::LiCnt2(int first, int num, int last) {
    GridWidget& g = gr();
    if (last < 0) last = g.rows() - 1;
    for (int r = first; r <= last; ++r)
        g.setTextMatrix(r, 0, QString::number(qint64(num) + (r - first)));
}

// ---- Used rows ----

void SupFlx::GrLinCri() {
    GridWidget& g = gr();
    const int row = lastUsed_ + 1;
    if (row >= g.rows()) g.addItem(QString());
    lastUsed_ = row;
    g.setRow(row);
}

void SupFlx::GrLinIns(int row) {
    if (row < 1 || row > lastUsed_) return;
    LiIns(row);
    ++lastUsed_;
    LiCnt();
}

void SupFlx::GrLinInc(int row) {
    if (row < 1 || row > lastUsed_) return;
    GrLinIns(row);
    GridWidget& g = gr();
    if (g.rows() - 1 > lastUsed_) g.setRows(g.rows() - 1);
}

void SupFlx::GrLinEli(int row) {
    if (row < 1 || row > lastUsed_) return;
    LiEli(row);
    --lastUsed_;
    LiCnt();
}

void SupFlx::GrLinUsa(const QString& code, int& row, std::optional<int> given) {
    const GridWidget& g = gr();
    const QString c = TxMai(code);
    if (c == u"P")
        row = lastUsed_ > 0 ? 1 : 0;
    else if (c == u"U")
        row = lastUsed_;
    else if (c == u"R")
        row = lastUsed_ > 0 ? std::clamp(given.value_or(0), 1, lastUsed_) : 0;
    else if (c == u"GP")
        row = g.fixedRows();
    else if (c == u"GU")
        row = g.rows() - 1;
    else if (c == u"GR")
        row = g.mouseRow();
    else if (c == u"GC")
        row = g.row();
}

void SupFlx::GrLinVis(int row) {
    CxVer(row, gr().col());
}

void SupFlx::GrLinMov(int src, int dst) {
    const int cols = gr().cols();
    for (int c = 1; c <= cols; ++c) {
        Variant text{QString()};
        ArrVpo(QStringLiteral("C"), src, c, text);
        ArrVpo(QStringLiteral("A"), dst, c, text);
    }
}

void SupFlx::LinIns(int row) {
    int target = row;
    if (row < 1)
        target = lastUsed_;
    else if (row > lastUsed_)
        target = lastUsed_ + 1;
    gr().addItem(QString(), std::max(target, 1));
    ++lastUsed_;
    LiCnt(lastUsed_);
}

void SupFlx::LinEli(int row) {
    // With no used row there is nothing to remove (row 0 would be the header).
    if (row > lastUsed_ || lastUsed_ == 0) return;
    const int target = row < 1 ? lastUsed_ : row;
    GridWidget& g = gr();
    g.removeItem(target);
    lastUsed_ = std::max(lastUsed_ - 1, 0);
    LiCnt(lastUsed_);
    if (g.rows() <= visibleRows_) g.setRows(visibleRows_ + 1);
    if (target > lastUsed_) {
        const int current = std::max(1, lastUsed_);
        if (current < g.rows()) g.setRow(current);
    }
}

void SupFlx::LinInsFx(const QString& stage, int& row) {
    const QString s = TxMai(stage);
    if (s == u"INI") {
        GridWidget& g = gr();
        insOrigin_ = g.row();
        const int target = std::clamp(row, 1, lastUsed_ + 1);
        g.addItem(QString(), target);
        insRow_ = target;
        insPos_ = target;
        CxVer(insPos_, 1);
        ++lastUsed_;
    } else if (s == u"CNF") {
        row = insRow_;
    } else if (s == u"CAN") {
        // The kept row is removed once: a second cancel must not take another row with it.
        if (insRow_ > 0) LinEli(insRow_);
        insRow_ = 0;
        CxVer(insOrigin_, 1);
        LiCnt(lastUsed_);
        row = insOrigin_;
    } else if (s == u"POS") {
        CxVer(insPos_, 1);
        row = insPos_;
    }
}

void SupFlx::LinMov(const QString& dir, int row) {
    int src = -1, dst = -1;
    LinMovPrp(dir, row, src, dst);
    if (src < 1 || dst < 1) return;
    GridWidget& g = gr();
    {
        const RedrawOff quiet(g);
        for (int c = 0; c < g.cols(); ++c) {
            const CellContent a = cellContent(src, c);
            setCellContent(src, c, cellContent(dst, c));
            setCellContent(dst, c, a);
        }
    }
    GrLinPos(dst);
}

void SupFlx::LinMovPrp(const QString& dir, int row, int& src, int& dst) {
    src = row == 0 ? gr().row() : row;
    int step = 1;
    DesUsa(dir, step);
    dst = step < 1 ? src - 1 : src + 1;
    src = std::min(src, lastUsed_);
    if (src < 1 || src > lastUsed_ || dst < 1 || dst > lastUsed_) {
        src = -1;
        dst = -1;
    }
}

void SupFlx::DesUsa(const QString& dir, int& step) {
    step = TxMai(dir) == u"-" ? -1 : 1;
}

void SupFlx::LinTxcIns(const QString& text, const QString& sep, int row) {
    GridWidget& g = gr();
    {
        const KeptSeparators kept(g);
        g.setClipSeparators(sep);
        g.addItem(text, row);
    }
    pump();
}

void SupFlx::linNum(int& n) {
    const int row = gr().row();
    n = row > lastUsed_ ? 0 : row;
}

void SupFlx::LinCur(Variant& values) {
    const int row = gr().row();
    if (!values.isArray()) {
        Variant texts = Variant::array({{1, colCount()}});
        for (Variant& v : texts.arrayMut().elements())
            v = QString();
        values = std::move(texts);
    }
    VArray& a = values.arrayMut();
    const int first = std::max(1, int(a.lbound()));
    const int last = std::min(int(a.ubound()), colCount());
    for (int c = first; c <= last; ++c)
        ArrCon(row, c, a.at1(c));
}

int SupFlx::LinUsa(int row) {
    int r = row == 0 ? gr().row() : row;
    r = std::min(r, lastUsed_);
    return std::max(r, 1);
}

void SupFlx::LinUsaTip(const QString& code, int& row) {
    const QString c = TxMai(code);
    if (c == u"=")
        row = gr().row();
    else if (c == u"<")
        row = gr().row() - 1;
    else if (c == u">")
        row = gr().row() + 1;
    else if (c == u"+")
        row = lastUsed_ + 1;
}

} // namespace zv
