#pragma once
// GridWidget: the grid control. A QTableView over a GridModel, with the grid's members as typed
// C++ calls: lengths in twips, colours as the language's colour numbers (0x00BBGGRR, or a system
// colour), rows and columns from 0 with the fixed ones included (row 0 is the header row).
//
// The model holds the grid's state; the widget shows it: the first fixed row and column are the
// view's headers (they stay while the rest scrolls), further fixed rows and columns are drawn as
// cells in the fixed colours. TopRow is the model's: the view scrolls there as far as it can,
// and the person's scrolling is written back. The person's clicks and keys move Row/Col and the
// selection in the model; a press on the cells or the headers first raises beforeMouseDown,
// whose handler may cancel it.
//
// Refusals raise VbError: 381 for a row, column or picture outside the grid, 380 for a value the
// grid cannot take (a colour that is no colour, a negative width, an unknown code); a refused
// call changes nothing. No exception leaves the widget's own event handling: handlers of its
// signals run through runGuarded.
//
// The extender (name, position and size in the container, visibility, font) is VbGrid's, the
// control adapter that puts a GridWidget on the system's forms.

#include "GridModel.h"
#include "PaletteGrid.h"
#include "VbError.h"

#include <QPixmap>
#include <QTableView>
#include <memory>
#include <optional>

namespace zv {

class GridTableModel;
class GridDelegate;

class GridWidget : public QTableView, public PaletteGrid, private GridObserver {
    Q_OBJECT
    // The grid's colours by name, for callers that colour controls by property name.
    Q_PROPERTY(qint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(qint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(qint32 BackColorFixed READ backColorFixed WRITE setBackColorFixed)
    Q_PROPERTY(qint32 ForeColorFixed READ foreColorFixed WRITE setForeColorFixed)
    Q_PROPERTY(qint32 BackColorAlternate READ backColorAlternate WRITE setBackColorAlternate)
    Q_PROPERTY(qint32 GridColor READ gridColor WRITE setGridColor)

public:
    explicit GridWidget(QWidget* parent = nullptr);
    ~GridWidget() override;

    // The state behind the widget (for reading; changes go through the members below, which
    // raise VbError rather than GridError).
    const GridModel& grid() const { return *grid_; }
    GridTableModel* tableModel() const { return table_; }

    // ---- Shape (Rows, Cols, FixedRows, FixedCols) ----
    int rows() const;
    void setRows(int n); // below FixedRows: 380; fewer rows drop the trailing ones whole
    int cols() const;
    void setCols(int n); // below FixedCols: 380
    int fixedRows() const;
    void setFixedRows(int n); // 0..Rows, else 380
    int fixedCols() const;
    void setFixedCols(int n); // 0..Cols, else 380

    // ---- Cursor and selection (Row, Col, RowSel, ColSel, Select, the selection query) ----
    int row() const;
    void setRow(int r); // RowSel follows; outside the grid: 381
    int col() const;
    void setCol(int c); // ColSel follows
    int rowSel() const;
    void setRowSel(int r);
    int colSel() const;
    void setColSel(int c);
    void select(int row1, int col1, std::optional<int> row2 = {}, std::optional<int> col2 = {});
    // The selected rectangle, smallest row and column first.
    GridRange selection() const;
    // TopRow: the first scrolled row in view; setting clamps to FixedRows..Rows - 1.
    int topRow() const;
    void setTopRow(int r);

    // ---- Cells (TextMatrix, Text, Cell settings) ----
    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& text);
    QString text() const; // the current cell
    void setText(const QString& text);
    // The hidden data text of a cell.
    QString cellData(int r, int c) const;
    void setCellData(int r, int c, const QString& data);
    // The cell's picture (a null pixmap clears it) and its handle (0: none). Two cells showing
    // the same picture have the same handle.
    QPixmap cellPicture(int r, int c) const;
    qint64 cellPictureId(int r, int c) const;
    void setCellPicture(int r, int c, const QPixmap& picture);
    // Colours of any cell: reading gives the colour the cell shows; setting -1 keeps it.
    qint32 cellBackColorAt(int r, int c) const;
    qint32 cellForeColorAt(int r, int c) const;
    void setCellBackColorAt(int r, int c, qint32 color);
    void setCellForeColorAt(int r, int c, qint32 color);
    // The cell takes the grid's colours again (its own colours forgotten).
    void resetCellColors(int r, int c);

    // ---- The current cell's look (CellBackColor, CellForeColor, alignment, font) ----
    qint32 cellBackColor() const;
    void setCellBackColor(qint32 color);
    qint32 cellForeColor() const;
    void setCellForeColor(qint32 color);
    // Alignment code 0..9 (GridAlignment); -1 reads as the column's.
    int cellAlignment() const;
    void setCellAlignment(int alignment);
    double cellFontSize() const;         // points; the grid's size when the cell has none
    void setCellFontSize(double points); // 0 gives the cell the grid's size; below 0: 380
    bool cellFontBold() const;
    void setCellFontBold(bool bold);

    // ---- Columns ----
    // Width in twips; 0 hides the column; -1 gives the default width back. Column 0 with fixed
    // columns is the width of the row header.
    int colWidth(int c) const;
    void setColWidth(int c, int twips);
    int colAlignment(int c) const; // 0..9, new columns 9 (General)
    void setColAlignment(int c, int alignment);
    int colSort(int c) const; // 0 none, 1 ascending, 2 descending
    void setColSort(int c, int code);
    QString colFormat(int c) const; // mask for numbers ("###,##0.00")
    void setColFormat(int c, const QString& mask);
    // Hidden column (the counter column of a grid that hides it).
    bool colHidden(int c) const;
    void setColHidden(int c, bool hidden);

    // ---- Rows ----
    // Height in twips; 0 hides the row; -1 gives the default height back (the font's height
    // and 6 pixels). Row 0 with fixed rows is the height of the column header. (These hide
    // QTableView's rowHeight and setRowHeight, which count view rows in pixels.)
    int rowHeight(int r) const;
    void setRowHeight(int r, int twips);

    // ---- Whole rows (AddItem, RemoveItem, Sort, ClipSeparators) ----
    // text split at the column separator fills the row from column 0; row FixedRows..Rows, not
    // given: appended.
    void addItem(const QString& text, std::optional<int> row = {});
    void removeItem(int row); // FixedRows..Rows - 1
    // 1 ascending, 2 descending, 10 by each key column's ColSort; 0 nothing; else 380. See
    // GridModel::sort for the rows and columns it takes.
    void sort(int code);
    QString clipSeparators() const;
    void setClipSeparators(const QString& separators);

    // ---- Outline ----
    bool isSubtotal(int r) const;
    void setIsSubtotal(int r, bool node);
    int rowOutlineLevel(int r) const;
    void setRowOutlineLevel(int r, int level);
    int isCollapsed(int r) const; // 0 expanded, 1 subtotals only, 2 collapsed
    void setIsCollapsed(int r, int state);
    void outline(int level); // -1 all expanded; n: levels n and deeper collapsed
    // GetNodeRow: the related row, -1 when none; 380 when r is no node.
    int nodeRow(int r, GridNodeRelation relation) const;
    // A node's Move: returns the node's new row. 380 for a refused target.
    int moveNode(int r, GridNodeMove move, int target = -1);
    // The node's row made current and selected and brought into view.
    void showNode(int r);
    // A node's lasting identity: the row id, and the row that has it now (-1 when gone).
    quint64 rowId(int r) const;
    int rowOfId(quint64 id) const;
    int outlineCol() const;
    void setOutlineCol(int c); // -1..Cols - 1
    // Outline bar: 0 draws no tree; any other style draws indentation and +/- boxes (a click on
    // a box collapses or expands the node).
    int outlineBar() const;
    void setOutlineBar(int style);

    // ---- The grid's colours (reading gives the colour in use; setting -1 keeps it) ----
    qint32 backColor() const;
    void setBackColor(qint32 color);
    qint32 foreColor() const;
    void setForeColor(qint32 color);
    qint32 backColorFixed() const;
    void setBackColorFixed(qint32 color);
    qint32 foreColorFixed() const;
    void setForeColorFixed(qint32 color);
    qint32 backColorAlternate() const; // BackColor while alternate rows have none of their own
    void setBackColorAlternate(qint32 color);
    qint32 gridColor() const;
    // The palette's names of BackColor and ForeColor (a form's palette colours the grid).
    qint32 gridBackColor() const override { return backColor(); }
    void setGridBackColor(qint32 color) override { setBackColor(color); }
    void setGridForeColor(qint32 color) override { setForeColor(color); }
    void setGridColor(qint32 color);

    // ---- View settings ----
    int scrollBars() const { return scrollBars_; }
    void setScrollBars(int bars); // 0 none, 1 horizontal, 2 vertical, 3 both; else 380
    int gridLines() const { return gridLines_; }
    void setGridLines(int style); // 0 no lines, any other style lines; below 0: 380
    bool editable() const;
    void setEditable(bool on); // cells take the person's edits
    // Word wrap in cells: QTableView::wordWrap / setWordWrap.
    // Who may resize: 0 nobody, 1 columns, 2 rows, 3 both; else 380.
    int allowUserResizing() const { return userResizing_; }
    void setAllowUserResizing(int mode);
    // The last column takes the spare width.
    bool extendLastCol() const;
    void setExtendLastCol(bool on);
    // What AutoSize fits: 0 column widths, 1 row heights; else 380.
    int autoSizeMode() const { return autoSizeMode_; }
    void setAutoSizeMode(int mode);
    // AutoSize over the columns c1..c2 (c2 -1: only c1).
    void autoSize(int c1, int c2 = -1);
    // MousePointer: 0 default, 11 hourglass, 12 no drop, 51 drag; other values the default
    // cursor. Reading gives the value set.
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);

    // ---- Cell geometry (twips, from the widget's top left) ----
    // The current cell's rectangle; reading brings the cell into view first.
    double cellLeft();
    double cellTop();
    double cellWidth();
    double cellHeight();
    // Brings a cell into view (scrolling as little as needed).
    void showCell(int r, int c);

    // ---- Mouse ----
    // The cell under the mouse's last position over the grid: the header row is row 0, the
    // row header column 0; -1 outside every cell.
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }

    // ---- Drawing ----
    // Drawing off and on, nested: drawing resumes when every "off" had its "on".
    void setRedraw(bool on);
    bool redraw() const { return redrawOff_ == 0; }

signals:
    // A mouse button went down over the cells or the headers (button 1 left, 2 right, 4 middle;
    // shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips from the widget's top left). MouseRow and
    // MouseCol are already those of the press. A handler that sets cancel stops the press.
    void beforeMouseDown(int button, int shift, double x, double y, bool& cancel);
    // The mouse moved (button: those held) or a button went up.
    void mouseMoved(int button, int shift, double x, double y);
    void mouseReleased(int button, int shift, double x, double y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // GridObserver
    void gridReset() override;
    void rowsInserted(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void colsInserted(int first, int last) override;
    void rowsMoved() override;
    void rowHeightChanged(int row) override;
    void colWidthChanged(int col) override;
    void outlineChanged() override;
    void cursorChanged() override;
    void topRowChanged() override;
    void lookChanged() override;

    // Runs a model call, turning its GridError into the VbError callers expect.
    template <class F> decltype(auto) call(F&& f) const;
    qint32 checkedColor(qint32 color) const;
    // Geometry of the view from the model.
    void applyColWidth(int c);
    void applyRowHeight(int r);
    void applyAllSizes();
    void applyHiddenRows();
    void applyFontMetrics();
    void applySelection();
    // The person moved the current cell or the selection: the model's cursor follows.
    void cursorFromView();
    void scrollToTopRow();
    int scrollValueOf(int gridRow) const;
    // A cell's rectangle in widget pixels (headers included), after bringing it into view.
    QRect cellRect(int r, int c);
    // Mouse: the cell under a point of one of the watched viewports, and the event's numbers.
    void trackMouse(QObject* watched, const QPoint& pos);
    bool pressOutlineBox(const QPoint& viewportPos);

    std::unique_ptr<GridModel> grid_;
    GridTableModel* table_ = nullptr;
    GridDelegate* delegate_ = nullptr;
    int scrollBars_ = 3;
    int gridLines_ = 1;
    int userResizing_ = 0;
    int autoSizeMode_ = 0;
    int mousePointer_ = 0;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    int redrawOff_ = 0;
    // Set while the widget itself moves the view (cursor, scroll), so the view's signals are not
    // taken for the person's doing.
    int syncing_ = 0;
    bool hasHiddenRows_ = false;
};

template <class F> decltype(auto) GridWidget::call(F&& f) const {
    try {
        return f();
    } catch (const GridError& e) {
        throw VbError(e.number(), QString::fromLatin1(e.what()));
    }
}

} // namespace zv
