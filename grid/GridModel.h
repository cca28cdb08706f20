#pragma once
// GridModel: everything a grid control knows, with no display attached (plain C++, no Qt).
//
// A grid is a table of Rows x Cols cells, indexed from 0. The first FixedRows rows and the first
// FixedCols columns are the fixed ones (headers); row 0 is normally the header row. Every cell
// has a text, a hidden data text, a picture id, its own back and fore colours, alignment, font
// size and bold flag. Every row has an outline level, a subtotal (node) flag, a collapsed state
// and a height; every column a width, an alignment, a sort code, a format mask and a hidden flag.
// Lengths are twips; colours are the language's colour numbers (0x00BBGGRR), with kGridNoColor
// for "none of its own".
//
// Rows travel whole: AddItem, RemoveItem, Sort and the outline's node moves carry a row's cells
// with every attribute, its level, flags, height and identity.
//
// Refusals: an index outside the grid raises GridError 381 ("invalid row" and the like), a value
// the grid cannot take raises GridError 380; nothing is changed by a refused call. Shrinking Rows
// or Cols drops the trailing rows or columns with all their attributes and brings the cursor,
// the selection and TopRow back inside the grid.
//
// Observers (the table adapter, the widget) hear of every change; see GridObserver.

#include "VbErrorTable.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The grid's run-time errors: one of the error table's grid refusals, err::Grid... (its number
// is kGridBadIndex or kGridBadValue; what() is its text).
constexpr int kGridBadIndex = err::BadPropertyIndex;
constexpr int kGridBadValue = err::InvalidPropertyValue;

class GridError : public std::exception {
public:
    explicit GridError(VbErrorId error) : number_(error.number()), text_(error.latin1()) {}
    int number() const noexcept { return number_; }
    const char* what() const noexcept override { return text_; }

private:
    int number_;
    const char* text_;
};

using GridColor = int32_t;
constexpr GridColor kGridNoColor = -1;

// Alignment codes of cells and columns: left, centre and right, each top, centre and bottom;
// General shows numbers on the right and texts on the left.
enum GridAlignment : int {
    kAlignLeftTop = 0,
    kAlignLeftCenter = 1,
    kAlignLeftBottom = 2,
    kAlignCenterTop = 3,
    kAlignCenterCenter = 4,
    kAlignCenterBottom = 5,
    kAlignRightTop = 6,
    kAlignRightCenter = 7,
    kAlignRightBottom = 8,
    kAlignGeneral = 9,
};

// Sort codes (Sort) and column sort codes (ColSort).
constexpr int kSortNone = 0;
constexpr int kSortAscending = 1;  // generic ascending
constexpr int kSortDescending = 2; // generic descending
constexpr int kSortByColSort = 10; // each key column by its ColSort (0 skips the column)

// Collapsed states of an outline node.
constexpr int kNodeExpanded = 0;
constexpr int kNodeSubtotals = 1; // the node's plain rows hidden, its nodes shown
constexpr int kNodeCollapsed = 2; // everything below the node hidden

// Relations asked of GetNodeRow, in the order of the control's codes 0..7.
enum class GridNodeRelation : int {
    Root,
    Parent,
    FirstChild,
    LastChild,
    FirstSibling,
    LastSibling,
    PreviousSibling,
    NextSibling,
};

// Node moves, in the order of the control's codes 0..6.
enum class GridNodeMove : int {
    In,      // last child of its previous sibling
    Out,     // the sibling after its parent
    Up,      // before its previous sibling
    Down,    // after its next sibling
    First,   // before its first sibling
    Last,    // after its last sibling
    ChildOf, // last child of a given node
};

// The selection rectangle, normalised (row1 <= row2, col1 <= col2).
struct GridRange {
    int row1 = 0;
    int col1 = 0;
    int row2 = 0;
    int col2 = 0;
};

// What the model tells its observers. Row and column numbers are the grid's (fixed ones
// included). "About to" calls come before the change, the others after it.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    // FixedRows or FixedCols changed: every row and column may show differently.
    virtual void gridAboutToReset() {}
    virtual void gridReset() {}
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted(int /*first*/, int /*last*/) {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved(int /*first*/, int /*last*/) {}
    virtual void colsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void colsInserted(int /*first*/, int /*last*/) {}
    virtual void colsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void colsRemoved(int /*first*/, int /*last*/) {}
    // Rows change places (sort, node moves); the row count stays.
    virtual void rowsAboutToBeMoved() {}
    virtual void rowsMoved() {}
    // Texts or looks of the cells in the rectangle changed.
    virtual void cellsChanged(int /*row1*/, int /*col1*/, int /*row2*/, int /*col2*/) {}
    // One row's height, or (row -1) the default height of every row.
    virtual void rowHeightChanged(int /*row*/) {}
    // One column's width or hidden flag, or (col -1) the default width of every column.
    virtual void colWidthChanged(int /*col*/) {}
    // Which rows the outline hides may have changed.
    virtual void outlineChanged() {}
    virtual void cursorChanged() {} // Row, Col, RowSel or ColSel
    virtual void topRowChanged() {}
    virtual void lookChanged() {} // the grid's colours, outline column or bar
};

class GridModel {
public:
    // The character fold used by case-blind sorting (upper case); by default ASCII letters only.
    using CharFold = char16_t (*)(char16_t);

    // A new grid: 50 rows, 10 columns, one fixed row and one fixed column, the cursor on (1, 1).
    GridModel();
    ~GridModel();
    GridModel(const GridModel&) = delete;
    GridModel& operator=(const GridModel&) = delete;

    // The number a whole cell text writes, as sorting and the General alignment read it: an
    // optional sign, digits with an optional "." and an optional exponent, blanks around.
    static std::optional<double> numberOf(std::u16string_view text);

    void addObserver(GridObserver* observer);
    void removeObserver(GridObserver* observer);
    void setCharFold(CharFold fold) { fold_ = fold; }

    // ---- Shape ----
    int rows() const { return int(rows_.size()); }
    int cols() const { return cols_; }
    // Below FixedRows (FixedCols) or negative: 380.
    void setRows(int n);
    void setCols(int n);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    // 0..Rows (0..Cols), else 380.
    void setFixedRows(int n);
    void setFixedCols(int n);

    // ---- Cursor, selection, scrolling ----
    // Row and Col are the current cell (fixed cells allowed); setting one collapses RowSel
    // (ColSel) onto it. RowSel and ColSel are the selection's other corner. Out of range: 381.
    int row() const { return row_; }
    int col() const { return col_; }
    int rowSel() const { return rowSel_; }
    int colSel() const { return colSel_; }
    void setRow(int r);
    void setCol(int c);
    void setRowSel(int r);
    void setColSel(int c);
    // Row = row1, Col = col1, RowSel = row2 (row1 when not given), ColSel = col2 (col1).
    void select(int row1, int col1, std::optional<int> row2 = {}, std::optional<int> col2 = {});
    GridRange selection() const;
    // The first scrolled row. Setting clamps it to FixedRows..Rows - 1: the model keeps the
    // value even where a view can scroll less far.
    int topRow() const { return topRow_; }
    void setTopRow(int r);

    // ---- Cells (381 for a cell outside the grid) ----
    const std::u16string& textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, std::u16string_view text);
    const std::u16string& text() const { return textMatrix(row_, col_); }
    void setText(std::u16string_view text) { setTextMatrix(row_, col_, text); }
    // The hidden data text.
    const std::u16string& cellData(int r, int c) const;
    void setCellData(int r, int c, std::u16string_view data);
    // The picture id (0: none); the view keeps the pictures.
    uint64_t cellPicture(int r, int c) const;
    void setCellPicture(int r, int c, uint64_t id);
    // The cell's own colours (kGridNoColor: the grid's apply). Setting kGridNoColor keeps the
    // colour the cell has (the model takes any other number: the display checks colours).
    // resetCellColors gives the cell back the grid's colours.
    GridColor cellBackColor(int r, int c) const;
    GridColor cellForeColor(int r, int c) const;
    void setCellBackColor(int r, int c, GridColor color);
    void setCellForeColor(int r, int c, GridColor color);
    void resetCellColors(int r, int c);
    // The cell's own alignment (-1: the column's); 0..9, else 380.
    int cellAlignment(int r, int c) const;
    void setCellAlignment(int r, int c, int alignment);
    // Font size in points (0: the grid's); below 0 raises 380.
    double cellFontSize(int r, int c) const;
    void setCellFontSize(int r, int c, double points);
    bool cellFontBold(int r, int c) const;
    void setCellFontBold(int r, int c, bool bold);
    // True when the cell has any attribute beyond its text.
    bool cellHasLook(int r, int c) const;

    // ---- Columns (381 for a column outside the grid) ----
    // Width in twips; -1 gives the column the default width back; other values below 0: 380.
    int colWidth(int c) const;
    bool colHasWidth(int c) const;
    void setColWidth(int c, int twips);
    int defaultColWidth() const { return defaultColWidth_; }
    void setDefaultColWidth(int twips);
    // 0..9 (GridAlignment), else 380. New columns are General.
    int colAlignment(int c) const;
    void setColAlignment(int c, int alignment);
    // kSortNone, kSortAscending or kSortDescending; any other value is kept and sorts as none.
    int colSort(int c) const;
    void setColSort(int c, int code);
    // The display mask of numbers ("###,##0.00"); the texts stay as written.
    const std::u16string& colFormat(int c) const;
    void setColFormat(int c, std::u16string_view mask);
    bool colHidden(int c) const;
    void setColHidden(int c, bool hidden);

    // ---- Rows (381 for a row outside the grid) ----
    // Height in twips (0 hides the row); -1 gives the default back; other values below 0: 380.
    int rowHeight(int r) const;
    bool rowHasHeight(int r) const;
    void setRowHeight(int r, int twips);
    int defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(int twips);
    // A number that stays with the row through every move, never given to another row.
    uint64_t rowId(int r) const;
    // The row that has the id now; -1 when it is gone.
    int rowOfId(uint64_t id) const;

    // ---- Whole rows ----
    // Splits text at the column separator into the cells from column 0 (extra fields dropped)
    // and inserts the row at row (FixedRows..Rows; not given: at the end). Else 381.
    void addItem(std::u16string_view text, std::optional<int> row = {});
    // Removes a row (FixedRows..Rows - 1, else 381).
    void removeItem(int row);
    // Sorts rows: all the scrolled rows when Row = RowSel, else the selected rows; the key
    // columns are Col..ColSel from left to right. Generic order: empty cells first, then
    // numbers (the whole trimmed text a number) by value, then texts case-blind; stable.
    // kSortNone does nothing; codes other than 0, 1, 2 and 10 raise 380. Rows move whole.
    void sort(int code);
    // The separators of AddItem: the first character separates columns, the second rows;
    // "" means tab and line feed. Kept as given.
    const std::u16string& clipSeparators() const { return clipSeparators_; }
    void setClipSeparators(std::u16string_view separators);
    char16_t columnSeparator() const;

    // ---- Outline ----
    // A node is a row whose subtotal flag is set; its subtree runs down to the next node of the
    // same or a lower level. Levels below 0 raise 380.
    bool isSubtotal(int r) const;
    void setIsSubtotal(int r, bool node);
    int rowOutlineLevel(int r) const;
    void setRowOutlineLevel(int r, int level);
    // kNodeExpanded, kNodeSubtotals or kNodeCollapsed, else 380.
    int isCollapsed(int r) const;
    void setIsCollapsed(int r, int state);
    // -1 expands every node; n collapses the nodes of level n and deeper and expands the others.
    void outline(int level);
    // The row related to node r, -1 when there is none. A row that is no node raises 380.
    int nodeRow(int r, GridNodeRelation relation) const;
    // Moves node r with its subtree; returns the node's new row. Nothing to move to (no
    // sibling, no parent) changes nothing. ChildOf refuses (380) a target that is the node
    // itself, lies inside its subtree or is no node; r no node: 380.
    int moveNode(int r, GridNodeMove move, int target = -1);
    // The last row of node r's subtree (r when it has none below it).
    int subtreeEnd(int r) const;
    // True when a collapsed node above hides the row.
    bool isRowHiddenByOutline(int r) const;
    // True once any node was collapsed: only then can the outline hide rows.
    bool outlineHidesRows() const { return outlineActive_; }
    // The column that shows the outline tree, and its bar style (0: no tree drawn).
    int outlineCol() const { return outlineCol_; }
    void setOutlineCol(int c); // -1..Cols - 1, else 381
    int outlineBar() const { return outlineBar_; }
    void setOutlineBar(int style); // below 0: 380

    // ---- The grid's colours (kGridNoColor: the display's own) ----
    GridColor backColor() const { return backColor_; }
    GridColor foreColor() const { return foreColor_; }
    GridColor backColorFixed() const { return backColorFixed_; }
    GridColor foreColorFixed() const { return foreColorFixed_; }
    GridColor backColorAlternate() const { return backColorAlternate_; }
    GridColor gridColor() const { return gridColor_; }
    // Setting kGridNoColor keeps the colour.
    void setBackColor(GridColor c);
    void setForeColor(GridColor c);
    void setBackColorFixed(GridColor c);
    void setForeColorFixed(GridColor c);
    void setBackColorAlternate(GridColor c);
    void setGridColor(GridColor c);

private:
    // What a cell has beyond its text; most cells have none of it.
    struct CellLook {
        std::u16string data;
        uint64_t picture = 0;
        GridColor back = kGridNoColor;
        GridColor fore = kGridNoColor;
        int8_t alignment = -1;
        bool bold = false;
        float fontSize = 0;
    };
    struct Cell {
        std::u16string text;
        std::unique_ptr<CellLook> look;
    };
    struct Row {
        std::vector<Cell> cells;
        uint64_t id = 0;
        int32_t height = -1;
        int32_t level = 0;
        bool subtotal = false;
        uint8_t collapsed = kNodeExpanded;
    };
    struct Column {
        int32_t width = -1;
        int8_t alignment = kAlignGeneral;
        bool hidden = false;
        int sort = kSortNone;
        std::u16string format;
    };
    struct SortKey;

    Row makeRow();
    const Cell& cell(int r, int c) const;
    Cell& cell(int r, int c);
    CellLook& look(int r, int c);
    const CellLook* lookOf(int r, int c) const;
    void checkRow(int r) const;
    void checkCol(int c) const;
    Column& column(int c);
    const Column& column(int c) const;
    void clampCursor();
    void changed(int r, int c);
    void setColor(GridColor& member, GridColor c);
    // Sorting.
    void buildKeys(int first, int last, int c, std::vector<SortKey>& keys) const;
    void permuteRows(int first, const std::vector<int>& order);
    // Outline.
    void checkNode(int r) const;
    int parentOf(int r) const;
    std::vector<int> siblingsOf(int r) const;
    // Moves rows [first, last] to before row `before` (outside the block), shifting their levels
    // by delta; returns the block's new first row.
    int moveBlock(int first, int last, int before, int delta);
    void notify(void (GridObserver::*fn)());
    template <class... A> void notify(void (GridObserver::*fn)(A...), A... args);

    std::vector<Row> rows_;
    std::vector<Column> columns_;
    int cols_ = 0;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 1;
    int col_ = 1;
    int rowSel_ = 1;
    int colSel_ = 1;
    int topRow_ = 1;
    int defaultColWidth_ = 960;
    int defaultRowHeight_ = 285;
    uint64_t nextRowId_ = 1;
    std::u16string clipSeparators_;
    int outlineCol_ = 0;
    int outlineBar_ = 0;
    bool outlineActive_ = false;
    GridColor backColor_ = kGridNoColor;
    GridColor foreColor_ = kGridNoColor;
    GridColor backColorFixed_ = kGridNoColor;
    GridColor foreColorFixed_ = kGridNoColor;
    GridColor backColorAlternate_ = kGridNoColor;
    GridColor gridColor_ = kGridNoColor;
    CharFold fold_;
    std::vector<GridObserver*> observers_;
    // Hidden-by-outline flags, worked out again after any change that can alter them.
    mutable std::vector<bool> hidden_;
    mutable bool hiddenDirty_ = true;
};

} // namespace zv
