#include "GridDelegate.h"

#include "GridTableModel.h"

#include <QApplication>
#include <QPainter>

namespace zv {

GridDelegate::GridDelegate(GridTableModel* table, QObject* parent)
    : QStyledItemDelegate(parent), table_(table) {}

bool GridDelegate::drawsOutline(int viewColumn) const {
    const GridModel& g = table_->grid();
    return g.outlineBar() != 0 && g.outlineCol() >= 0 &&
           table_->viewCol(g.outlineCol()) == viewColumn;
}

int GridDelegate::indentOf(int gridRow) const {
    return (table_->grid().rowOutlineLevel(gridRow) + 1) * kIndent;
}

QRect GridDelegate::boxRect(int gridRow, const QRect& cell) const {
    const GridModel& g = table_->grid();
    if (!g.isSubtotal(gridRow) || g.subtreeEnd(gridRow) == gridRow) return {};
    constexpr int side = 9;
    const int x = cell.left() + g.rowOutlineLevel(gridRow) * kIndent + (kIndent - side) / 2;
    return {x, cell.center().y() - side / 2, side, side};
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    if (!drawsOutline(index.column())) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const int r = table_->gridRow(index.row());
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* w = option.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, w);

    const QRect box = boxRect(r, option.rect);
    if (!box.isEmpty()) {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(opt.palette.color(QPalette::Mid));
        painter->setBrush(opt.palette.color(QPalette::Base));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        painter->setPen(opt.palette.color(QPalette::Text));
        const QPoint c = box.center();
        painter->drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
        if (table_->grid().isCollapsed(r) != kNodeExpanded)
            painter->drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
        painter->restore();
    }
    opt.rect.setLeft(opt.rect.left() + indentOf(r));
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    if (drawsOutline(index.column())) s.rwidth() += indentOf(table_->gridRow(index.row()));
    return s;
}

} // namespace zv
