#pragma once
// GridTableModel: a GridModel seen as a Qt table model, for a QTableView.
//
// The grid's first fixed row is the view's horizontal header and its first fixed column the
// vertical header, so both stay in place while the rest scrolls; further fixed rows and columns
// are ordinary view rows and columns in the fixed colours. Without fixed rows (columns) the
// header is not used and grid row (column) 0 is the view's row (column) 0.
//
// Display: texts of numeric cells in a column with a format mask are shown through the mask;
// cell pictures are the decoration; colours, alignment, font size and bold come from the cell,
// else from its column and the grid. The edit role is the raw text; an edit writes the text
// back into the grid.

#include "GridModel.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QPixmap>

namespace zv {

class GridTableModel : public QAbstractTableModel, private GridObserver {
public:
    // The adapter listens to the model for its lifetime; the model must outlive it.
    explicit GridTableModel(GridModel& grid, QObject* parent = nullptr);
    ~GridTableModel() override;

    GridModel& grid() const { return grid_; }

    // How many grid rows (columns) the header takes: 1 with fixed rows (columns), else 0.
    int headerRows() const { return grid_.fixedRows() > 0 ? 1 : 0; }
    int headerCols() const { return grid_.fixedCols() > 0 ? 1 : 0; }
    int gridRow(int viewRow) const { return viewRow + headerRows(); }
    int gridCol(int viewCol) const { return viewCol + headerCols(); }
    int viewRow(int gridRow) const { return gridRow - headerRows(); }
    int viewCol(int gridCol) const { return gridCol - headerCols(); }
    // The view index of a grid cell; invalid for a cell in the headers.
    QModelIndex indexOf(int gridRow, int gridCol) const;

    // The pictures by id (the model keeps ids only).
    uint64_t addPicture(const QPixmap& picture);
    QPixmap picture(uint64_t id) const { return pictures_.value(id); }

    // The font the cells' own sizes and bold flags start from (the view's font).
    void setBaseFont(const QFont& font);
    // Whether cells take edits.
    void setEditable(bool on) { editable_ = on; }
    bool editable() const { return editable_; }

    // The display text of a cell: the raw text, through the column's mask for numbers.
    QString displayText(int gridRow, int gridCol) const;
    // Qt alignment flags of a grid alignment code for a cell text (General: numbers right).
    static Qt::Alignment alignmentOf(int code, std::u16string_view text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    QVariant cellData(int r, int c, int role) const;

    // GridObserver
    void gridAboutToReset() override;
    void gridReset() override;
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void colsAboutToBeInserted(int first, int last) override;
    void colsInserted(int first, int last) override;
    void colsAboutToBeRemoved(int first, int last) override;
    void colsRemoved(int first, int last) override;
    void rowsAboutToBeMoved() override;
    void rowsMoved() override;
    void cellsChanged(int row1, int col1, int row2, int col2) override;
    void lookChanged() override;

    GridModel& grid_;
    QHash<uint64_t, QPixmap> pictures_;
    QFont baseFont_;
    bool editable_ = false;
};

} // namespace zv
