// GridModel: shape, cursor, cells, columns, rows and the grid's colours. Sorting is in
// GridModelSort.cpp, the outline in GridModelOutline.cpp.

#include "GridModel.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace zv {

namespace {

const std::u16string kEmpty;

char16_t asciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - 0x20) : c;
}

} // namespace

GridModel::GridModel() : fold_(asciiUpper) {
    cols_ = 10;
    columns_.resize(size_t(cols_));
    rows_.reserve(50);
    for (int r = 0; r < 50; ++r)
        rows_.push_back(makeRow());
}

GridModel::~GridModel() = default;

void GridModel::addObserver(GridObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void GridModel::removeObserver(GridObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void GridModel::notify(void (GridObserver::*fn)()) {
    for (GridObserver* o : observers_)
        (o->*fn)();
}

template <class... A> void GridModel::notify(void (GridObserver::*fn)(A...), A... args) {
    for (GridObserver* o : observers_)
        (o->*fn)(args...);
}

GridModel::Row GridModel::makeRow() {
    Row row;
    row.cells.resize(size_t(cols_));
    row.id = nextRowId_++;
    return row;
}

// ---- Checks and access ----

void GridModel::checkRow(int r) const {
    if (r < 0 || r >= rows()) throw GridError(err::GridRowIndex);
}

void GridModel::checkCol(int c) const {
    if (c < 0 || c >= cols_) throw GridError(err::GridColumnIndex);
}

const GridModel::Cell& GridModel::cell(int r, int c) const {
    checkRow(r);
    checkCol(c);
    return rows_[size_t(r)].cells[size_t(c)];
}

GridModel::Cell& GridModel::cell(int r, int c) {
    checkRow(r);
    checkCol(c);
    return rows_[size_t(r)].cells[size_t(c)];
}

GridModel::CellLook& GridModel::look(int r, int c) {
    Cell& x = cell(r, c);
    if (!x.look) x.look = std::make_unique<CellLook>();
    return *x.look;
}

const GridModel::CellLook* GridModel::lookOf(int r, int c) const {
    return cell(r, c).look.get();
}

GridModel::Column& GridModel::column(int c) {
    checkCol(c);
    return columns_[size_t(c)];
}

const GridModel::Column& GridModel::column(int c) const {
    checkCol(c);
    return columns_[size_t(c)];
}

void GridModel::changed(int r, int c) {
    notify(&GridObserver::cellsChanged, r, c, r, c);
}

// ---- Shape ----

void GridModel::setRows(int n) {
    if (n < fixedRows_) throw GridError(err::GridRows);
    const int old = rows();
    if (n > old) {
        // Every new row is made before the observers hear of it: a failure changes nothing.
        std::vector<Row> added;
        added.reserve(size_t(n - old));
        for (int r = old; r < n; ++r)
            added.push_back(makeRow());
        rows_.reserve(size_t(n));
        notify(&GridObserver::rowsAboutToBeInserted, old, n - 1);
        std::move(added.begin(), added.end(), std::back_inserter(rows_));
        hiddenDirty_ = true;
        notify(&GridObserver::rowsInserted, old, n - 1);
        setTopRow(topRow_); // a grid that had no scrolled rows has them now
    } else if (n < old) {
        notify(&GridObserver::rowsAboutToBeRemoved, n, old - 1);
        rows_.erase(rows_.begin() + n, rows_.end());
        hiddenDirty_ = true;
        notify(&GridObserver::rowsRemoved, n, old - 1);
        clampCursor();
    }
}

void GridModel::setCols(int n) {
    if (n < fixedCols_) throw GridError(err::GridCols);
    const int old = cols_;
    if (n == old) return;
    if (n > old) {
        notify(&GridObserver::colsAboutToBeInserted, old, n - 1);
        columns_.resize(size_t(n));
        for (Row& row : rows_)
            row.cells.resize(size_t(n));
        cols_ = n;
        notify(&GridObserver::colsInserted, old, n - 1);
    } else {
        notify(&GridObserver::colsAboutToBeRemoved, n, old - 1);
        columns_.resize(size_t(n));
        for (Row& row : rows_)
            row.cells.resize(size_t(n));
        cols_ = n;
        notify(&GridObserver::colsRemoved, n, old - 1);
        clampCursor();
    }
}

void GridModel::setFixedRows(int n) {
    if (n < 0 || n > rows()) throw GridError(err::GridFixedRows);
    if (n == fixedRows_) return;
    notify(&GridObserver::gridAboutToReset);
    fixedRows_ = n;
    hiddenDirty_ = true;
    notify(&GridObserver::gridReset);
    clampCursor();
}

void GridModel::setFixedCols(int n) {
    if (n < 0 || n > cols_) throw GridError(err::GridFixedCols);
    if (n == fixedCols_) return;
    notify(&GridObserver::gridAboutToReset);
    fixedCols_ = n;
    notify(&GridObserver::gridReset);
}

void GridModel::clampCursor() {
    auto clamp = [](int v, int count) { return std::clamp(v, 0, std::max(count - 1, 0)); };
    const int r = clamp(row_, rows()), rs = clamp(rowSel_, rows());
    const int c = clamp(col_, cols_), cs = clamp(colSel_, cols_);
    if (r != row_ || rs != rowSel_ || c != col_ || cs != colSel_) {
        row_ = r;
        rowSel_ = rs;
        col_ = c;
        colSel_ = cs;
        notify(&GridObserver::cursorChanged);
    }
    setTopRow(topRow_);
}

// ---- Cursor, selection, scrolling ----

void GridModel::setRow(int r) {
    checkRow(r);
    row_ = rowSel_ = r;
    notify(&GridObserver::cursorChanged);
}

void GridModel::setCol(int c) {
    checkCol(c);
    col_ = colSel_ = c;
    notify(&GridObserver::cursorChanged);
}

void GridModel::setRowSel(int r) {
    checkRow(r);
    rowSel_ = r;
    notify(&GridObserver::cursorChanged);
}

void GridModel::setColSel(int c) {
    checkCol(c);
    colSel_ = c;
    notify(&GridObserver::cursorChanged);
}

void GridModel::select(int row1, int col1, std::optional<int> row2, std::optional<int> col2) {
    const int r2 = row2.value_or(row1), c2 = col2.value_or(col1);
    checkRow(row1);
    checkRow(r2);
    checkCol(col1);
    checkCol(c2);
    row_ = row1;
    col_ = col1;
    rowSel_ = r2;
    colSel_ = c2;
    notify(&GridObserver::cursorChanged);
}

GridRange GridModel::selection() const {
    return {std::min(row_, rowSel_), std::min(col_, colSel_), std::max(row_, rowSel_),
            std::max(col_, colSel_)};
}

void GridModel::setTopRow(int r) {
    const int last = std::max(rows() - 1, 0);
    const int t = std::clamp(r, std::min(fixedRows_, last), last);
    if (t == topRow_) return;
    topRow_ = t;
    notify(&GridObserver::topRowChanged);
}

// ---- Cells ----

const std::u16string& GridModel::textMatrix(int r, int c) const {
    return cell(r, c).text;
}

void GridModel::setTextMatrix(int r, int c, std::u16string_view text) {
    cell(r, c).text.assign(text);
    changed(r, c);
}

const std::u16string& GridModel::cellData(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l ? l->data : kEmpty;
}

void GridModel::setCellData(int r, int c, std::u16string_view data) {
    if (data.empty() && !lookOf(r, c)) return;
    look(r, c).data.assign(data);
}

uint64_t GridModel::cellPicture(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l ? l->picture : 0;
}

void GridModel::setCellPicture(int r, int c, uint64_t id) {
    if (id == 0 && !lookOf(r, c)) return;
    look(r, c).picture = id;
    changed(r, c);
}

GridColor GridModel::cellBackColor(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l ? l->back : kGridNoColor;
}

GridColor GridModel::cellForeColor(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l ? l->fore : kGridNoColor;
}

void GridModel::setCellBackColor(int r, int c, GridColor color) {
    cell(r, c);
    if (color == kGridNoColor) return;
    look(r, c).back = color;
    changed(r, c);
}

void GridModel::setCellForeColor(int r, int c, GridColor color) {
    cell(r, c);
    if (color == kGridNoColor) return;
    look(r, c).fore = color;
    changed(r, c);
}

void GridModel::resetCellColors(int r, int c) {
    if (!lookOf(r, c)) return;
    CellLook& l = look(r, c);
    l.back = l.fore = kGridNoColor;
    changed(r, c);
}

int GridModel::cellAlignment(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l ? l->alignment : -1;
}

void GridModel::setCellAlignment(int r, int c, int alignment) {
    cell(r, c);
    if (alignment < -1 || alignment > kAlignGeneral) throw GridError(err::GridAlignment);
    look(r, c).alignment = int8_t(alignment);
    changed(r, c);
}

double GridModel::cellFontSize(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l ? l->fontSize : 0;
}

void GridModel::setCellFontSize(int r, int c, double points) {
    cell(r, c);
    if (!std::isfinite(points) || points < 0 || points > 2048) throw GridError(err::GridFontSize);
    look(r, c).fontSize = float(points);
    changed(r, c);
}

bool GridModel::cellFontBold(int r, int c) const {
    const CellLook* l = lookOf(r, c);
    return l && l->bold;
}

void GridModel::setCellFontBold(int r, int c, bool bold) {
    if (!bold && !lookOf(r, c)) return;
    look(r, c).bold = bold;
    changed(r, c);
}

bool GridModel::cellHasLook(int r, int c) const {
    return lookOf(r, c) != nullptr;
}

// ---- Columns ----

int GridModel::colWidth(int c) const {
    const int w = column(c).width;
    return w >= 0 ? w : defaultColWidth_;
}

bool GridModel::colHasWidth(int c) const {
    return column(c).width >= 0;
}

void GridModel::setColWidth(int c, int twips) {
    Column& col = column(c);
    if (twips < -1) throw GridError(err::GridColWidth);
    col.width = twips;
    notify(&GridObserver::colWidthChanged, c);
}

void GridModel::setDefaultColWidth(int twips) {
    if (twips < 0) throw GridError(err::GridColumnWidth);
    defaultColWidth_ = twips;
    notify(&GridObserver::colWidthChanged, -1);
}

int GridModel::colAlignment(int c) const {
    return column(c).alignment;
}

void GridModel::setColAlignment(int c, int alignment) {
    Column& col = column(c);
    if (alignment < 0 || alignment > kAlignGeneral) throw GridError(err::GridColAlignment);
    col.alignment = int8_t(alignment);
    notify(&GridObserver::cellsChanged, 0, c, std::max(rows() - 1, 0), c);
}

int GridModel::colSort(int c) const {
    return column(c).sort;
}

void GridModel::setColSort(int c, int code) {
    column(c).sort = code;
}

const std::u16string& GridModel::colFormat(int c) const {
    return column(c).format;
}

void GridModel::setColFormat(int c, std::u16string_view mask) {
    column(c).format.assign(mask);
    notify(&GridObserver::cellsChanged, 0, c, std::max(rows() - 1, 0), c);
}

bool GridModel::colHidden(int c) const {
    return column(c).hidden;
}

void GridModel::setColHidden(int c, bool hidden) {
    column(c).hidden = hidden;
    notify(&GridObserver::colWidthChanged, c);
}

// ---- Rows ----

int GridModel::rowHeight(int r) const {
    checkRow(r);
    const int h = rows_[size_t(r)].height;
    return h >= 0 ? h : defaultRowHeight_;
}

bool GridModel::rowHasHeight(int r) const {
    checkRow(r);
    return rows_[size_t(r)].height >= 0;
}

void GridModel::setRowHeight(int r, int twips) {
    checkRow(r);
    if (twips < -1) throw GridError(err::GridRowHeight);
    rows_[size_t(r)].height = twips;
    notify(&GridObserver::rowHeightChanged, r);
}

void GridModel::setDefaultRowHeight(int twips) {
    if (twips < 0) throw GridError(err::GridRowHeightSize);
    defaultRowHeight_ = twips;
    notify(&GridObserver::rowHeightChanged, -1);
}

uint64_t GridModel::rowId(int r) const {
    checkRow(r);
    return rows_[size_t(r)].id;
}

int GridModel::rowOfId(uint64_t id) const {
    for (size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].id == id) return int(r);
    return -1;
}

// ---- Whole rows ----

char16_t GridModel::columnSeparator() const {
    return clipSeparators_.empty() ? u'\t' : clipSeparators_[0];
}

void GridModel::setClipSeparators(std::u16string_view separators) {
    clipSeparators_.assign(separators);
}

void GridModel::addItem(std::u16string_view text, std::optional<int> row) {
    const int at = row.value_or(rows());
    if (at < fixedRows_ || at > rows()) throw GridError(err::GridRowIndex);
    Row added = makeRow();
    const char16_t sep = columnSeparator();
    size_t start = 0;
    for (int c = 0; c < cols_; ++c) {
        const size_t end = text.find(sep, start);
        added.cells[size_t(c)].text.assign(text.substr(start, end - start));
        if (end == std::u16string_view::npos) break;
        start = end + 1;
    }
    // Room first (growing geometrically), so that the insert itself cannot fail.
    if (rows_.size() == rows_.capacity()) rows_.reserve(rows_.size() * 2 + 16);
    notify(&GridObserver::rowsAboutToBeInserted, at, at);
    rows_.insert(rows_.begin() + at, std::move(added));
    hiddenDirty_ = true;
    notify(&GridObserver::rowsInserted, at, at);
    if (outlineActive_) notify(&GridObserver::outlineChanged);
    setTopRow(topRow_);
}

void GridModel::removeItem(int row) {
    if (row < fixedRows_ || row >= rows()) throw GridError(err::GridRowIndex);
    notify(&GridObserver::rowsAboutToBeRemoved, row, row);
    rows_.erase(rows_.begin() + row);
    hiddenDirty_ = true;
    notify(&GridObserver::rowsRemoved, row, row);
    if (outlineActive_) notify(&GridObserver::outlineChanged);
    clampCursor();
}

// ---- The grid's colours ----

void GridModel::setColor(GridColor& member, GridColor c) {
    if (c == kGridNoColor || c == member) return;
    member = c;
    notify(&GridObserver::lookChanged);
}

void GridModel::setBackColor(GridColor c) {
    setColor(backColor_, c);
}
void GridModel::setForeColor(GridColor c) {
    setColor(foreColor_, c);
}
void GridModel::setBackColorFixed(GridColor c) {
    setColor(backColorFixed_, c);
}
void GridModel::setForeColorFixed(GridColor c) {
    setColor(foreColorFixed_, c);
}
void GridModel::setBackColorAlternate(GridColor c) {
    setColor(backColorAlternate_, c);
}
void GridModel::setGridColor(GridColor c) {
    setColor(gridColor_, c);
}

} // namespace zv
