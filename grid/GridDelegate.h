#pragma once
// GridDelegate: paints the grid's cells. Cells are drawn the item view's usual way (texts,
// pictures as decorations, colours and fonts from the model); the outline column is indented by
// each row's level, with a box showing + or - before every node that has rows below it, when
// the grid's outline bar is on.

#include <QStyledItemDelegate>

namespace zv {

class GridTableModel;

class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(GridTableModel* table, QObject* parent);

    // Pixels of indentation per outline level.
    static constexpr int kIndent = 14;

    // True when the view column is the outline column and the tree is drawn.
    bool drawsOutline(int viewColumn) const;
    // The +/- box of a grid row in a cell rectangle (empty when the row shows no box).
    QRect boxRect(int gridRow, const QRect& cell) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int indentOf(int gridRow) const;

    GridTableModel* table_;
};

} // namespace zv
