// GridWidget: the members, and the view kept in step with the model. The mouse, scrolling and
// cell geometry are in GridWidgetMouse.cpp.

#include "GridWidget.h"

#include "GridDelegate.h"
#include "GridTableModel.h"
#include "Text.h"
#include "Twips.h"
#include "VbColor.h"
#include "VbError.h"

#include <QApplication>
#include <QHeaderView>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionViewItem>

namespace zv {

namespace {

QString qText(const std::u16string& s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size()));
}

std::u16string_view u16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

char16_t upperCase(char16_t c) {
    return ucaseChar(QChar(c)).unicode();
}

int twips(int pixels) {
    return int(pixelsToTwips(pixels));
}

// The grid-line colour, when the grid has one of its own.
class GridLineStyle : public QProxyStyle {
public:
    QColor color;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_Table_GridLineColor && color.isValid()) return int(color.rgba());
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

constexpr int kDefaultColumnPixels = 64;

} // namespace

GridWidget::GridWidget(QWidget* parent) : QTableView(parent), grid_(std::make_unique<GridModel>()) {
    grid_->setCharFold(upperCase);
    table_ = new GridTableModel(*grid_, this);
    grid_->addObserver(this);
    setModel(table_);
    delegate_ = new GridDelegate(table_, this);
    setItemDelegate(delegate_);

    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setSelectionMode(ContiguousSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(NoEditTriggers);
    setSortingEnabled(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    // Texts stay on one line unless the grid is told to wrap them.
    setWordWrap(false);
    for (QHeaderView* h : {horizontalHeader(), verticalHeader()}) {
        // Headers show the fixed cells; a press on them only raises the grid's event.
        h->setSectionsClickable(false);
        h->setHighlightSections(false);
        h->setSectionResizeMode(QHeaderView::Fixed);
        h->setMinimumSectionSize(0);
        h->viewport()->installEventFilter(this);
        h->viewport()->setMouseTracking(true);
        connect(h, &QHeaderView::sectionResized, this, [this, h](int section, int, int size) {
            // Only the person's resizing (a drag on the header) goes back into the model.
            if (syncing_ || !(QApplication::mouseButtons() & Qt::LeftButton)) return;
            ++syncing_;
            try {
                if (h == horizontalHeader())
                    grid_->setColWidth(table_->gridCol(section), twips(size));
                else
                    grid_->setRowHeight(table_->gridRow(section), twips(size));
            } catch (const GridError&) {
            }
            --syncing_;
        });
    }
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    viewport()->installEventFilter(this);
    viewport()->setMouseTracking(true);

    grid_->setDefaultColWidth(twips(kDefaultColumnPixels));
    applyFontMetrics();
    applyAllSizes();
    applySelection();
}

GridWidget::~GridWidget() {
    grid_->removeObserver(this);
    // The adapter goes before the model it watches.
    setModel(nullptr);
    delete table_;
}

// ---- Shape ----

int GridWidget::rows() const {
    return grid_->rows();
}
void GridWidget::setRows(int n) {
    call([&] { grid_->setRows(n); });
}
int GridWidget::cols() const {
    return grid_->cols();
}
void GridWidget::setCols(int n) {
    call([&] { grid_->setCols(n); });
}
int GridWidget::fixedRows() const {
    return grid_->fixedRows();
}
void GridWidget::setFixedRows(int n) {
    call([&] { grid_->setFixedRows(n); });
}
int GridWidget::fixedCols() const {
    return grid_->fixedCols();
}
void GridWidget::setFixedCols(int n) {
    call([&] { grid_->setFixedCols(n); });
}

// ---- Cursor and selection ----

int GridWidget::row() const {
    return grid_->row();
}
void GridWidget::setRow(int r) {
    call([&] { grid_->setRow(r); });
}
int GridWidget::col() const {
    return grid_->col();
}
void GridWidget::setCol(int c) {
    call([&] { grid_->setCol(c); });
}
int GridWidget::rowSel() const {
    return grid_->rowSel();
}
void GridWidget::setRowSel(int r) {
    call([&] { grid_->setRowSel(r); });
}
int GridWidget::colSel() const {
    return grid_->colSel();
}
void GridWidget::setColSel(int c) {
    call([&] { grid_->setColSel(c); });
}
void GridWidget::select(int row1, int col1, std::optional<int> row2, std::optional<int> col2) {
    call([&] { grid_->select(row1, col1, row2, col2); });
}
GridRange GridWidget::selection() const {
    return grid_->selection();
}
int GridWidget::topRow() const {
    return grid_->topRow();
}
void GridWidget::setTopRow(int r) {
    grid_->setTopRow(r);
}

// ---- Cells ----

QString GridWidget::textMatrix(int r, int c) const {
    return call([&] { return qText(grid_->textMatrix(r, c)); });
}
void GridWidget::setTextMatrix(int r, int c, const QString& text) {
    call([&] { grid_->setTextMatrix(r, c, u16(text)); });
}
QString GridWidget::text() const {
    return textMatrix(grid_->row(), grid_->col());
}
void GridWidget::setText(const QString& text) {
    setTextMatrix(grid_->row(), grid_->col(), text);
}
QString GridWidget::cellData(int r, int c) const {
    return call([&] { return qText(grid_->cellData(r, c)); });
}
void GridWidget::setCellData(int r, int c, const QString& data) {
    call([&] { grid_->setCellData(r, c, u16(data)); });
}
QPixmap GridWidget::cellPicture(int r, int c) const {
    return table_->picture(call([&] { return grid_->cellPicture(r, c); }));
}
qint64 GridWidget::cellPictureId(int r, int c) const {
    return qint64(call([&] { return grid_->cellPicture(r, c); }));
}
void GridWidget::setCellPicture(int r, int c, const QPixmap& picture) {
    call([&] { grid_->cellPicture(r, c); });
    grid_->setCellPicture(r, c, table_->addPicture(picture));
}

qint32 GridWidget::checkedColor(qint32 color) const {
    checkVbColor(color);
    return color;
}

qint32 GridWidget::cellBackColorAt(int r, int c) const {
    const GridColor own = call([&] { return grid_->cellBackColor(r, c); });
    if (own != kGridNoColor) return qColorToVb(vbColorToQColor(own).value_or(QColor()));
    if (r < grid_->fixedRows() || c < grid_->fixedCols()) return backColorFixed();
    if (grid_->backColorAlternate() != kGridNoColor && (r - grid_->fixedRows()) % 2 == 1)
        return backColorAlternate();
    return backColor();
}

qint32 GridWidget::cellForeColorAt(int r, int c) const {
    const GridColor own = call([&] { return grid_->cellForeColor(r, c); });
    if (own != kGridNoColor) return qColorToVb(vbColorToQColor(own).value_or(QColor()));
    return r < grid_->fixedRows() || c < grid_->fixedCols() ? foreColorFixed() : foreColor();
}

void GridWidget::setCellBackColorAt(int r, int c, qint32 color) {
    call([&] { grid_->setCellBackColor(r, c, checkedColor(color)); });
}

void GridWidget::setCellForeColorAt(int r, int c, qint32 color) {
    call([&] { grid_->setCellForeColor(r, c, checkedColor(color)); });
}

void GridWidget::resetCellColors(int r, int c) {
    call([&] { grid_->resetCellColors(r, c); });
}

// ---- The current cell ----

qint32 GridWidget::cellBackColor() const {
    return cellBackColorAt(grid_->row(), grid_->col());
}
void GridWidget::setCellBackColor(qint32 color) {
    setCellBackColorAt(grid_->row(), grid_->col(), color);
}
qint32 GridWidget::cellForeColor() const {
    return cellForeColorAt(grid_->row(), grid_->col());
}
void GridWidget::setCellForeColor(qint32 color) {
    setCellForeColorAt(grid_->row(), grid_->col(), color);
}
int GridWidget::cellAlignment() const {
    return call([&] {
        const int own = grid_->cellAlignment(grid_->row(), grid_->col());
        return own >= 0 ? own : grid_->colAlignment(grid_->col());
    });
}
void GridWidget::setCellAlignment(int alignment) {
    call([&] { grid_->setCellAlignment(grid_->row(), grid_->col(), alignment); });
}
double GridWidget::cellFontSize() const {
    const double own = call([&] { return grid_->cellFontSize(grid_->row(), grid_->col()); });
    return own > 0 ? own : font().pointSizeF();
}
void GridWidget::setCellFontSize(double points) {
    call([&] { grid_->setCellFontSize(grid_->row(), grid_->col(), points); });
}
bool GridWidget::cellFontBold() const {
    return call([&] { return grid_->cellFontBold(grid_->row(), grid_->col()); }) || font().bold();
}
void GridWidget::setCellFontBold(bool bold) {
    call([&] { grid_->setCellFontBold(grid_->row(), grid_->col(), bold); });
}

// ---- Columns and rows ----

int GridWidget::colWidth(int c) const {
    return call([&] { return grid_->colWidth(c); });
}
void GridWidget::setColWidth(int c, int twips) {
    call([&] { grid_->setColWidth(c, twips); });
}
int GridWidget::colAlignment(int c) const {
    return call([&] { return grid_->colAlignment(c); });
}
void GridWidget::setColAlignment(int c, int alignment) {
    call([&] { grid_->setColAlignment(c, alignment); });
}
int GridWidget::colSort(int c) const {
    return call([&] { return grid_->colSort(c); });
}
void GridWidget::setColSort(int c, int code) {
    call([&] { grid_->setColSort(c, code); });
}
QString GridWidget::colFormat(int c) const {
    return call([&] { return qText(grid_->colFormat(c)); });
}
void GridWidget::setColFormat(int c, const QString& mask) {
    call([&] { grid_->setColFormat(c, u16(mask)); });
}
bool GridWidget::colHidden(int c) const {
    return call([&] { return grid_->colHidden(c); });
}
void GridWidget::setColHidden(int c, bool hidden) {
    call([&] { grid_->setColHidden(c, hidden); });
}
int GridWidget::rowHeight(int r) const {
    return call([&] { return grid_->rowHeight(r); });
}
void GridWidget::setRowHeight(int r, int twips) {
    call([&] { grid_->setRowHeight(r, twips); });
}

// ---- Whole rows ----

void GridWidget::addItem(const QString& text, std::optional<int> row) {
    call([&] { grid_->addItem(u16(text), row); });
}
void GridWidget::removeItem(int row) {
    call([&] { grid_->removeItem(row); });
}
void GridWidget::sort(int code) {
    call([&] { grid_->sort(code); });
}
QString GridWidget::clipSeparators() const {
    return qText(grid_->clipSeparators());
}
void GridWidget::setClipSeparators(const QString& separators) {
    grid_->setClipSeparators(u16(separators));
}

// ---- Outline ----

bool GridWidget::isSubtotal(int r) const {
    return call([&] { return grid_->isSubtotal(r); });
}
void GridWidget::setIsSubtotal(int r, bool node) {
    call([&] { grid_->setIsSubtotal(r, node); });
}
int GridWidget::rowOutlineLevel(int r) const {
    return call([&] { return grid_->rowOutlineLevel(r); });
}
void GridWidget::setRowOutlineLevel(int r, int level) {
    call([&] { grid_->setRowOutlineLevel(r, level); });
}
int GridWidget::isCollapsed(int r) const {
    return call([&] { return grid_->isCollapsed(r); });
}
void GridWidget::setIsCollapsed(int r, int state) {
    call([&] { grid_->setIsCollapsed(r, state); });
}
void GridWidget::outline(int level) {
    grid_->outline(level);
}
int GridWidget::nodeRow(int r, GridNodeRelation relation) const {
    return call([&] { return grid_->nodeRow(r, relation); });
}
int GridWidget::moveNode(int r, GridNodeMove move, int target) {
    return call([&] { return grid_->moveNode(r, move, target); });
}
void GridWidget::showNode(int r) {
    call([&] { grid_->select(r, grid_->col(), r, grid_->colSel()); });
    showCell(r, grid_->col());
}
quint64 GridWidget::rowId(int r) const {
    return call([&] { return grid_->rowId(r); });
}
int GridWidget::rowOfId(quint64 id) const {
    return grid_->rowOfId(id);
}
int GridWidget::outlineCol() const {
    return grid_->outlineCol();
}
void GridWidget::setOutlineCol(int c) {
    call([&] { grid_->setOutlineCol(c); });
}
int GridWidget::outlineBar() const {
    return grid_->outlineBar();
}
void GridWidget::setOutlineBar(int style) {
    call([&] { grid_->setOutlineBar(style); });
}

// ---- The grid's colours ----

namespace {
qint32 inUse(GridColor own, const QColor& fallback) {
    if (own != kGridNoColor)
        if (const auto c = vbColorToQColor(own)) return qColorToVb(*c);
    return qColorToVb(fallback);
}
} // namespace

qint32 GridWidget::backColor() const {
    return inUse(grid_->backColor(), palette().color(QPalette::Base));
}
void GridWidget::setBackColor(qint32 color) {
    grid_->setBackColor(checkedColor(color));
}
qint32 GridWidget::foreColor() const {
    return inUse(grid_->foreColor(), palette().color(QPalette::Text));
}
void GridWidget::setForeColor(qint32 color) {
    grid_->setForeColor(checkedColor(color));
}
qint32 GridWidget::backColorFixed() const {
    return inUse(grid_->backColorFixed(), palette().color(QPalette::Button));
}
void GridWidget::setBackColorFixed(qint32 color) {
    grid_->setBackColorFixed(checkedColor(color));
}
qint32 GridWidget::foreColorFixed() const {
    return inUse(grid_->foreColorFixed(), palette().color(QPalette::ButtonText));
}
void GridWidget::setForeColorFixed(qint32 color) {
    grid_->setForeColorFixed(checkedColor(color));
}
qint32 GridWidget::backColorAlternate() const {
    return grid_->backColorAlternate() == kGridNoColor ? backColor()
                                                       : inUse(grid_->backColorAlternate(), {});
}
void GridWidget::setBackColorAlternate(qint32 color) {
    grid_->setBackColorAlternate(checkedColor(color));
}
qint32 GridWidget::gridColor() const {
    QStyleOptionViewItem option;
    option.initFrom(this);
    return inUse(
        grid_->gridColor(),
        QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this))));
}
void GridWidget::setGridColor(qint32 color) {
    grid_->setGridColor(checkedColor(color));
}

// ---- View settings ----

void GridWidget::setScrollBars(int bars) {
    if (bars < 0 || bars > 3) throw VbError(err::InvalidPropertyValue);
    scrollBars_ = bars;
    setHorizontalScrollBarPolicy(bars & 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(bars & 2 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void GridWidget::setGridLines(int style) {
    if (style < 0) throw VbError(err::InvalidPropertyValue);
    gridLines_ = style;
    setShowGrid(style != 0);
}

bool GridWidget::editable() const {
    return table_->editable();
}

void GridWidget::setEditable(bool on) {
    table_->setEditable(on);
    setEditTriggers(on ? DoubleClicked | EditKeyPressed | AnyKeyPressed : NoEditTriggers);
}

void GridWidget::setAllowUserResizing(int mode) {
    if (mode < 0 || mode > 3) throw VbError(err::InvalidPropertyValue);
    userResizing_ = mode;
    horizontalHeader()->setSectionResizeMode(mode & 1 ? QHeaderView::Interactive
                                                      : QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(mode & 2 ? QHeaderView::Interactive
                                                    : QHeaderView::Fixed);
}

bool GridWidget::extendLastCol() const {
    return horizontalHeader()->stretchLastSection();
}

void GridWidget::setExtendLastCol(bool on) {
    ++syncing_;
    horizontalHeader()->setStretchLastSection(on);
    --syncing_;
    if (!on) applyAllSizes();
}

void GridWidget::setAutoSizeMode(int mode) {
    if (mode != 0 && mode != 1) throw VbError(err::InvalidPropertyValue);
    autoSizeMode_ = mode;
}

void GridWidget::autoSize(int c1, int c2) {
    if (c2 < 0) c2 = c1;
    call([&] {
        grid_->colAlignment(c1);
        grid_->colAlignment(c2);
    });
    if (c2 < c1) std::swap(c1, c2);
    if (autoSizeMode_ == 0) {
        for (int c = c1; c <= c2; ++c) {
            const int vc = table_->viewCol(c);
            int px = 0;
            if (vc < 0) {
                px = verticalHeader()->sizeHint().width();
            } else {
                ++syncing_;
                resizeColumnToContents(vc);
                --syncing_;
                px = columnWidth(vc);
            }
            grid_->setColWidth(c, twips(px));
        }
    } else {
        ++syncing_;
        resizeRowsToContents();
        --syncing_;
        if (table_->headerRows())
            grid_->setRowHeight(0, twips(horizontalHeader()->sizeHint().height()));
        for (int vr = 0; vr < table_->rowCount(); ++vr)
            grid_->setRowHeight(table_->gridRow(vr), twips(verticalHeader()->sectionSize(vr)));
    }
}

void GridWidget::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    switch (pointer) {
    case 11:
        viewport()->setCursor(Qt::WaitCursor);
        break;
    case 12:
        viewport()->setCursor(Qt::ForbiddenCursor);
        break;
    case 51:
        viewport()->setCursor(Qt::DragMoveCursor);
        break;
    default:
        viewport()->unsetCursor();
        break;
    }
}

void GridWidget::setRedraw(bool on) {
    if (!on) {
        if (redrawOff_++ == 0) setUpdatesEnabled(false);
    } else if (redrawOff_ > 0 && --redrawOff_ == 0) {
        setUpdatesEnabled(true);
        viewport()->update();
    }
}

// ---- The view kept in step with the model ----

void GridWidget::applyFontMetrics() {
    table_->setBaseFont(font());
    grid_->setDefaultRowHeight(twips(fontMetrics().height() + 6));
}

void GridWidget::applyColWidth(int c) {
    const int px = twipsToPixels(grid_->colWidth(c));
    const bool hidden = px == 0 || grid_->colHidden(c);
    ++syncing_;
    const int vc = table_->viewCol(c);
    if (vc < 0) {
        verticalHeader()->setFixedWidth(px);
        verticalHeader()->setVisible(!hidden);
    } else {
        if (!hidden) horizontalHeader()->resizeSection(vc, px);
        setColumnHidden(vc, hidden);
    }
    --syncing_;
}

void GridWidget::applyRowHeight(int r) {
    const int px = twipsToPixels(grid_->rowHeight(r));
    ++syncing_;
    const int vr = table_->viewRow(r);
    if (vr < 0) {
        horizontalHeader()->setFixedHeight(px);
        horizontalHeader()->setVisible(px > 0);
    } else {
        const bool hidden = px == 0 || grid_->isRowHiddenByOutline(r);
        if (hidden) hasHiddenRows_ = true;
        if (!hidden && verticalHeader()->sectionSize(vr) != px)
            verticalHeader()->resizeSection(vr, px);
        if (isRowHidden(vr) != hidden) setRowHidden(vr, hidden);
    }
    --syncing_;
}

void GridWidget::applyAllSizes() {
    ++syncing_;
    horizontalHeader()->setDefaultSectionSize(twipsToPixels(grid_->defaultColWidth()));
    verticalHeader()->setDefaultSectionSize(twipsToPixels(grid_->defaultRowHeight()));
    horizontalHeader()->setVisible(table_->headerRows() > 0);
    verticalHeader()->setVisible(table_->headerCols() > 0);
    for (int c = 0; c < grid_->cols(); ++c)
        applyColWidth(c);
    if (table_->headerRows()) applyRowHeight(0);
    for (int r = table_->headerRows(); r < grid_->rows(); ++r)
        if (grid_->rowHasHeight(r) || hasHiddenRows_) applyRowHeight(r);
    --syncing_;
    applyHiddenRows();
}

void GridWidget::applyHiddenRows() {
    if (!grid_->outlineHidesRows() && !hasHiddenRows_) return;
    bool any = false;
    ++syncing_;
    for (int r = table_->headerRows(); r < grid_->rows(); ++r) {
        const bool hidden = grid_->rowHeight(r) == 0 || grid_->isRowHiddenByOutline(r);
        const int vr = table_->viewRow(r);
        if (isRowHidden(vr) != hidden) setRowHidden(vr, hidden);
        any = any || hidden;
    }
    --syncing_;
    hasHiddenRows_ = any;
}

void GridWidget::applySelection() {
    ++syncing_;
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    QItemSelectionModel* sm = selectionModel();
    const QModelIndex current = table_->indexOf(grid_->rowSel(), grid_->colSel());
    if (current.isValid())
        sm->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    else
        sm->clearCurrentIndex();
    const GridRange s = grid_->selection();
    const int hr = table_->headerRows(), hc = table_->headerCols();
    const QModelIndex tl = table_->indexOf(std::max(s.row1, hr), std::max(s.col1, hc));
    const QModelIndex br = table_->indexOf(s.row2, s.col2);
    if (tl.isValid() && br.isValid() && tl.row() <= br.row() && tl.column() <= br.column())
        sm->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
    else
        sm->clearSelection();
    setAutoScroll(scrolls);
    --syncing_;
}

void GridWidget::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) applyFontMetrics();
}

// ---- GridObserver ----

void GridWidget::gridReset() {
    applyAllSizes();
    applySelection();
    scrollToTopRow();
}

void GridWidget::rowsInserted(int first, int) {
    if (first <= std::max(grid_->row(), grid_->rowSel())) applySelection();
}

void GridWidget::rowsRemoved(int first, int) {
    if (first <= std::max(grid_->row(), grid_->rowSel())) applySelection();
}

void GridWidget::colsInserted(int first, int last) {
    for (int c = first; c <= last; ++c)
        applyColWidth(c);
}

void GridWidget::rowsMoved() {
    // Heights travel with their rows.
    ++syncing_;
    for (int r = table_->headerRows(); r < grid_->rows(); ++r) {
        const int vr = table_->viewRow(r);
        if (grid_->rowHasHeight(r) ||
            verticalHeader()->sectionSize(vr) != verticalHeader()->defaultSectionSize())
            applyRowHeight(r);
    }
    --syncing_;
    applySelection();
}

void GridWidget::rowHeightChanged(int r) {
    if (r >= 0) {
        applyRowHeight(r);
        return;
    }
    ++syncing_;
    verticalHeader()->setDefaultSectionSize(twipsToPixels(grid_->defaultRowHeight()));
    if (table_->headerRows()) applyRowHeight(0);
    for (int row = table_->headerRows(); row < grid_->rows(); ++row)
        if (grid_->rowHasHeight(row)) applyRowHeight(row);
    --syncing_;
}

void GridWidget::colWidthChanged(int c) {
    if (c >= 0) {
        applyColWidth(c);
        return;
    }
    ++syncing_;
    horizontalHeader()->setDefaultSectionSize(twipsToPixels(grid_->defaultColWidth()));
    for (int col = 0; col < grid_->cols(); ++col)
        applyColWidth(col);
    --syncing_;
}

void GridWidget::outlineChanged() {
    applyHiddenRows();
    viewport()->update();
}

void GridWidget::cursorChanged() {
    if (!syncing_) applySelection();
}

void GridWidget::topRowChanged() {
    if (!syncing_) scrollToTopRow();
}

void GridWidget::lookChanged() {
    const GridColor c = grid_->gridColor();
    if (c != kGridNoColor) {
        auto* lines = dynamic_cast<GridLineStyle*>(style());
        if (!lines) {
            lines = new GridLineStyle;
            lines->setParent(this);
            setStyle(lines);
        }
        lines->color = vbColorToQColor(c).value_or(QColor());
    }
    viewport()->update();
}

} // namespace zv
