// SupFlx: the outline tree: adding nodes, levels and keys, showing, icons, and moving nodes by
// the move buttons or by dragging.

#include "SupFlx.h"

#include "Convert.h"
#include "EventGuard.h"
#include "GlbVar.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QMetaObject>
#include <algorithm>
#include <cmath>

namespace zv {

namespace {

// The move-button keys, in the order of SupFlx::treeButtons_, and each button's code.
constexpr const char16_t* kButtonKeys[6] = {u"DESES", u"DESDI", u"DESUP",
                                            u"DESDN", u"DESPR", u"DESUL"};
constexpr const char16_t* kButtonCodes[6] = {u"<", u">", u"+", u"-", u"P", u"U"};

// The node move of a move code; none for any other code.
std::optional<GridNodeMove> moveOf(const QString& code) {
    if (code == u"0" || code == u"<") return GridNodeMove::Out;
    if (code == u"1" || code == u">") return GridNodeMove::In;
    if (code == u"2" || code == u"+") return GridNodeMove::Up;
    if (code == u"3" || code == u"-") return GridNodeMove::Down;
    if (code == u"4" || code == u"P") return GridNodeMove::First;
    if (code == u"5" || code == u"U") return GridNodeMove::Last;
    return std::nullopt;
}

// The distance the mouse must go beyond (twips) before a drag starts.
constexpr double kDragStart = 100;
constexpr qint32 kDragHighlight = 65535; // yellow

} // namespace

// ---- Set-up ----

void SupFlx::TrePrp(int col) {
    GridWidget& g = gr();
    g.setFixedCols(0);
    g.setScrollBars(3);
    g.setAllowUserResizing(1);
    g.setOutlineCol(col);
    g.setOutlineBar(5);
    g.setGridLines(8);
}

void SupFlx::TreAsp(const QString& opt) {
    GridWidget& g = gr();
    Variant v{0.0};
    int found = 0;
    PrmCon(opt, QStringLiteral("GRL"), v, found);
    if (found == 1) g.setGridLines(CInt(v));
    v = Variant(0.0);
    PrmCon(opt, QStringLiteral("FXC"), v, found);
    if (found == 1) g.setFixedCols(CInt(v));
}

void SupFlx::TreRegOb(const QString& key, QAbstractButton* button) {
    const QString k = TxMai(key);
    for (int i = 0; i < 6; ++i) {
        if (k != QStringView(kButtonKeys[i])) continue;
        TreeButton& slot = treeButtons_[i];
        disconnect(slot.clicked);
        slot.button = button;
        if (button) {
            const QString code = QString::fromUtf16(kButtonCodes[i]);
            slot.clicked = connect(button, &QAbstractButton::clicked, this,
                                   [this, code] { runGuarded([&] { TreDesExe(code); }); });
        }
        return;
    }
}

void SupFlx::TreeIcoImg(ImageList* list) {
    treeImages_ = list;
}

void SupFlx::TreLstIni() {
    GrLpz();
    linIni(QStringLiteral("Z"));
}

// ---- Adding nodes ----

void SupFlx::TreLinInsCmp(int row, int level, const Variant& values) {
    insertNode(row, level, values);
}

int SupFlx::insertNode(int row, int level, const Variant& values) {
    int inserted = 0;
    vbTrap([&] {
        GridWidget& g = gr();
        const int last = g.rows() - 1;
        const int target = (row < 1 || row > last) ? last + 1 : row;
        const VArray& a = values.array();
        // The row is added empty and filled cell by cell, so a value holding a separator
        // stays in its own column.
        g.addItem(QString(), target);
        for (int i = a.lbound(); i <= a.ubound() && i < g.cols(); ++i) {
            if (i < 0) continue;
            QString text = TxCnv(a.at1(i));
            if (i == 0) text.replace(QStringLiteral("[CNT]"), QString::number(last + 1));
            g.setTextMatrix(target, i, text);
        }
        g.setIsSubtotal(target, true);
        g.setRowOutlineLevel(target, level);
        lastUsed_ = g.rows() - 1;
        g.setRow(g.rows() - 1);
        inserted = target;
    });
    return inserted;
}

void SupFlx::TreLinIns(int row, int level, const Variant& values) {
    const Variant copy = values;
    if (const int inserted = insertNode(row, level, copy)) treeLastRow_ = inserted;
}

void SupFlx::TreLinJun(int row, int side, const Variant& values) {
    const int r = LinUsa(row);
    const int rows = gr().rows();
    int target = side > 0 ? r + 1 : r;
    target = std::min(std::max(target, 1), rows);
    int level = 1;
    TreNivCmp(r, level);
    TreLinInsCmp(target, level, values);
    LiVer(target);
}

void SupFlx::TreNivCmp(int row, int& level) {
    if (row <= 1) {
        level = 1;
        return;
    }
    GridWidget& g = gr();
    level = std::max(g.rowOutlineLevel(row), 1);
    if (level == 1 && row + 1 < g.rows()) {
        const int next = g.rowOutlineLevel(row + 1);
        if (next > level) level = next;
    }
}

// ---- Levels and keys ----

void SupFlx::TreNivCon(int row, int& level) {
    level = 0;
    vbTrap([&] { level = gr().rowOutlineLevel(row); });
}

void SupFlx::TreNivReg(int row, int level) {
    gr().setRowOutlineLevel(row, level);
}

void SupFlx::TreNivUsa(const QString& code, int& level) {
    int row = 0;
    LinUsaTip(code, row);
    TreNivCon(row, level);
}

void SupFlx::TreConRub(int row, QString& text, int& level) {
    GridWidget& g = gr();
    text = g.textMatrix(row, g.outlineCol());
    level = g.rowOutlineLevel(row);
}

void SupFlx::TreFrmChv(const QString& widths, const QString& mode) {
    int count = 0;
    TxArrSep(widths, QStringLiteral("."), levelWidthTexts_, count);
    const QString m = TxMai(mode);
    if (m == u"I" && count > 0)
        levelWidthTexts_[0] = levelWidthTexts_[1];
    else if (m == u"U" && count > 0)
        levelWidthTexts_[0] = levelWidthTexts_[count];
    else
        levelWidthTexts_[0].clear();
    levelWidths_.clear();
    for (const QString& t : levelWidthTexts_)
        levelWidths_ << int(Val(t));
}

void SupFlx::TreNivRub(const QString& key, int& level) {
    level = NivNum(key);
}

void SupFlx::TreNivSep(const QString& key, int n, QString& parent, int& flag) {
    QString rest;
    NivSep(key, n, parent, rest);
    flag = n == NivNum(key) ? 0 : 1;
}

void SupFlx::TreNivNdi(int k, int& width) {
    NivArrCmp(levelWidths_, k, width);
}

void SupFlx::TreNivLim(int& value, int low, int high) {
    if (value < low) value = low;
    if (value > high) value = high;
}

void SupFlx::TreLinNivAjt(int& count) {
    GridWidget& g = gr();
    // Each row keeps its place relative to the rows above it: a row as deep as an earlier
    // row of its branch becomes that row's sibling, a deeper row its child (one level down),
    // so rows that were siblings stay siblings and no level is skipped.
    struct Seen {
        int level;    // as it was
        int adjusted; // as it is now
    };
    std::vector<Seen> branch;
    for (int r = 1; r < g.rows(); ++r) {
        const int level = g.rowOutlineLevel(r);
        while (!branch.empty() && branch.back().level > level)
            branch.pop_back();
        int adjusted = std::min(level, 1);
        if (!branch.empty()) {
            adjusted =
                branch.back().level == level ? branch.back().adjusted : branch.back().adjusted + 1;
            if (branch.back().level == level) branch.pop_back();
        }
        if (adjusted != level) g.setRowOutlineLevel(r, adjusted);
        branch.push_back({level, adjusted});
    }
    count = g.rows() - 1;
}

void SupFlx::TreLinChv(QStringList& keys) {
    GridWidget& g = gr();
    QList<int> levels{0};
    for (int r = 1; r < g.rows(); ++r)
        levels << g.rowOutlineLevel(r);
    NivArrOrd(levelWidths_, levels, keys);
}

void SupFlx::TreLinChvAjt(int col, int& count) {
    GridWidget& g = gr();
    const int c = col < 0 ? g.outlineCol() : col;
    QStringList keys;
    TreLinChv(keys);
    count = int(keys.size()) - 1;
    for (int r = 1; r <= count; ++r)
        g.setTextMatrix(r, c, keys[r]);
}

void SupFlx::TreAjt(int flag) {
    int count = 0;
    TreLinNivAjt(count);
    TreLinChvAjt(-1, count);
    if (flag == 1) LiCnt(lastUsed_);
}

// ---- Showing ----

void SupFlx::TreNivVer(const Variant& level) {
    vbTrap([&] {
        Variant v;
        VarObLer(level, v);
        int n = CInt(v);
        if (n == 9) n = -1;
        gr().outline(n);
    });
}

void SupFlx::TreeNoExp(int row, const QString& code, int show) {
    vbTrap([&] {
        const QString c = TxMai(code);
        gr().setIsCollapsed(row, c == u"C" ? 2 : c == u"E" ? 0 : 1);
        if (show == 1) LiVer(row);
    });
}

void SupFlx::TreeNoIdx(const QString& code, int row, int& result) {
    static const char16_t* const codes[8] = {u"R", u"P", u"FP", u"FU", u"SP", u"SU", u"SA", u"SS"};
    result = -1;
    const QString c = TxMai(code);
    for (int i = 0; i < 8; ++i) {
        if (c != QStringView(codes[i])) continue;
        vbTrap([&] { result = gr().nodeRow(row, GridNodeRelation(i)); });
        return;
    }
}

void SupFlx::TreIcoVer(int row, int col, const Variant& key) {
    vbTrap([&] {
        const int r = row == 0 ? treeLastRow_ : row;
        const int c = col == 0 ? 1 : col;
        int index = 0;
        IcoLstIdx(treeImages_, key, index);
        if (index > 0) gr().setCellPicture(r, c, treeImages_->picture(index));
    });
}

void SupFlx::IcoLstIdx(const ImageList* list, const Variant& key, int& index) {
    index = 0;
    if (!list) throw VbError(err::ObjectNotSet);
    if (key.isNumber()) {
        index = std::min(CInt(key), int16_t(std::min(list->count(), 32767)));
        return;
    }
    const QString k = TxMaiVar(key);
    for (int i = 1; i <= list->count(); ++i) {
        if (TxMai(list->key(i)) == k) {
            index = i;
            return;
        }
    }
}

// ---- Moving ----

int SupFlx::treeSubtreeEnd(int row) const {
    const GridWidget& g = gr();
    const int level = g.rowOutlineLevel(row);
    int end = row;
    while (end + 1 < g.rows() && g.rowOutlineLevel(end + 1) > level)
        ++end;
    return end;
}

void SupFlx::TreDesExe(const QString& code) {
    const QString c = TxMai(code);
    const std::optional<GridNodeMove> move = moveOf(c);
    const auto failed = vbTrap([&] {
        GridWidget& g = gr();
        int r1 = 0, r2 = 0;
        SelConLi(r1, r2);
        // The selected nodes, taken once each by identity before anything moves; a node inside
        // another selected node's subtree moves with it and not on its own.
        std::vector<quint64> nodes;
        int coveredTo = 0;
        for (int r = std::max(r1, 1); r <= r2 && r < g.rows(); ++r) {
            if (r <= coveredTo) continue;
            nodes.push_back(g.rowId(r));
            coveredTo = treeSubtreeEnd(r);
        }
        if (!move) nodes.clear();
        // The order that keeps the selected nodes in their order: up, in and to the last place
        // top-down, down, out and to the first place bottom-up (each node moved to the first
        // place goes before the one moved there just before it).
        const bool topDown =
            move == GridNodeMove::Up || move == GridNodeMove::Last || move == GridNodeMove::In;
        if (!topDown) std::reverse(nodes.begin(), nodes.end());
        int lastRow = -1;
        for (const quint64 id : nodes) {
            const int r = g.rowOfId(id);
            if (r < 0) continue;
            lastRow = g.moveNode(r, *move);
        }
        if (lastRow >= 0) g.showNode(lastRow);
    });
    if (!failed) exeCbkTreDes();
}

void SupFlx::TreDragPrp(double x, double y) {
    dragX_ = x;
    dragY_ = y;
    dragRow_ = gr().mouseRow();
    dragOn_ = false;
}

void SupFlx::TreDragMov(double x, double y) {
    GridWidget& g = gr();
    if (!dragOn_ && std::abs(x - dragX_) + std::abs(y - dragY_) > kDragStart) {
        dragOn_ = true;
        dragBack_ = g.cellBackColorAt(dragRow_, 0);
    }
    if (!dragOn_) return;
    g.setCellBackColorAt(dragRow_, 0, kDragHighlight);
    const int over = g.mouseRow();
    const int pointer = (over < 1 || over > g.rows() - 1) ? 12 : 51;
    if (g.mousePointer() != pointer) g.setMousePointer(pointer);
}

void SupFlx::TreDragFim() {
    if (!dragOn_) return;
    dragOn_ = false;
    vbTrap([&] {
        GridWidget& g = gr();
        const int target = g.mouseRow();
        // The highlight goes: the cell shows what it showed before the drag.
        g.resetCellColors(dragRow_, 0);
        if (g.cellBackColorAt(dragRow_, 0) != dragBack_)
            g.setCellBackColorAt(dragRow_, 0, dragBack_);
        g.setMousePointer(0);
        const int moved = g.moveNode(dragRow_, GridNodeMove::ChildOf, target);
        g.showNode(moved);
    });
}

void SupFlx::exeCbkTreDes() {
    if (!grid_) return;
    QObject* host = grid_->parent();
    if (!host || host->metaObject()->indexOfMethod("cbkFlxTreDes(QString)") < 0) return;
    QMetaObject::invokeMethod(host, "cbkFlxTreDes", Q_ARG(QString, grid_->objectName()));
}

} // namespace zv
