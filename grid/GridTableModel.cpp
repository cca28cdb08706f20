#include "GridTableModel.h"

#include "NumFxd.h"
#include "VbColor.h"

#include <QApplication>
#include <QPalette>

namespace zv {

namespace {

QString qText(const std::u16string& s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), qsizetype(s.size()));
}

std::u16string_view u16(const QString& s) {
    return {reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())};
}

QVariant colorVariant(GridColor c) {
    if (c == kGridNoColor) return {};
    const auto q = vbColorToQColor(c);
    return q ? QVariant(*q) : QVariant();
}

} // namespace

GridTableModel::GridTableModel(GridModel& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), baseFont_(QApplication::font()) {
    grid_.addObserver(this);
}

GridTableModel::~GridTableModel() {
    grid_.removeObserver(this);
}

QModelIndex GridTableModel::indexOf(int gridRow, int gridCol) const {
    return index(viewRow(gridRow), viewCol(gridCol));
}

uint64_t GridTableModel::addPicture(const QPixmap& picture) {
    if (picture.isNull()) return 0;
    const auto id = uint64_t(picture.cacheKey());
    pictures_.insert(id, picture);
    return id;
}

void GridTableModel::setBaseFont(const QFont& font) {
    baseFont_ = font;
}

QString GridTableModel::displayText(int r, int c) const {
    const std::u16string& text = grid_.textMatrix(r, c);
    if (r >= grid_.fixedRows() && c >= grid_.fixedCols()) {
        const std::u16string& mask = grid_.colFormat(c);
        if (!mask.empty())
            if (const auto n = GridModel::numberOf(text)) return formatByMask(*n, qText(mask));
    }
    return qText(text);
}

Qt::Alignment GridTableModel::alignmentOf(int code, std::u16string_view text) {
    if (code < 0 || code >= kAlignGeneral) {
        const bool number = GridModel::numberOf(text).has_value();
        return Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft);
    }
    static constexpr Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[code / 3] | down[code % 3];
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(grid_.rows() - headerRows(), 0);
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(grid_.cols() - headerCols(), 0);
}

QVariant GridTableModel::cellData(int r, int c, int role) const {
    const bool fixed = r < grid_.fixedRows() || c < grid_.fixedCols();
    switch (role) {
    case Qt::DisplayRole:
        return fixed ? qText(grid_.textMatrix(r, c)) : displayText(r, c);
    case Qt::EditRole:
        return qText(grid_.textMatrix(r, c));
    case Qt::TextAlignmentRole: {
        int code = grid_.cellAlignment(r, c);
        if (code < 0) code = grid_.colAlignment(c);
        return int(alignmentOf(code, grid_.textMatrix(r, c)));
    }
    case Qt::BackgroundRole: {
        GridColor own = grid_.cellBackColor(r, c);
        if (own == kGridNoColor) {
            if (fixed) {
                own = grid_.backColorFixed();
                if (own == kGridNoColor) return QApplication::palette().button();
            } else if (grid_.backColorAlternate() != kGridNoColor &&
                       (r - grid_.fixedRows()) % 2 == 1) {
                own = grid_.backColorAlternate();
            } else {
                own = grid_.backColor();
            }
        }
        return colorVariant(own);
    }
    case Qt::ForegroundRole: {
        GridColor own = grid_.cellForeColor(r, c);
        if (own == kGridNoColor) own = fixed ? grid_.foreColorFixed() : grid_.foreColor();
        return colorVariant(own);
    }
    case Qt::FontRole: {
        if (!grid_.cellHasLook(r, c)) return {};
        const double size = grid_.cellFontSize(r, c);
        const bool bold = grid_.cellFontBold(r, c);
        if (size <= 0 && !bold) return {};
        QFont f = baseFont_;
        if (size > 0) f.setPointSizeF(size);
        if (bold) f.setBold(true);
        return f;
    }
    case Qt::DecorationRole: {
        const uint64_t id = grid_.cellPicture(r, c);
        return id ? QVariant(pictures_.value(id)) : QVariant();
    }
    default:
        return {};
    }
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    return cellData(gridRow(index.row()), gridCol(index.column()), role);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    int r = 0, c = 0;
    if (orientation == Qt::Horizontal) {
        if (!headerRows()) return {};
        c = gridCol(section);
    } else {
        if (!headerCols()) return {};
        r = gridRow(section);
    }
    if (r < 0 || r >= grid_.rows() || c < 0 || c >= grid_.cols()) return {};
    if (role == Qt::BackgroundRole) {
        // Headers keep the style's own look unless a colour was given.
        GridColor own = grid_.cellBackColor(r, c);
        if (own == kGridNoColor) own = grid_.backColorFixed();
        return colorVariant(own);
    }
    return cellData(r, c, role);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable_) f |= Qt::ItemIsEditable;
    return f;
}

bool GridTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !editable_) return false;
    // Called from the view's editor: the grid's refusals end here, as a failed edit.
    try {
        grid_.setTextMatrix(gridRow(index.row()), gridCol(index.column()), u16(value.toString()));
    } catch (const GridError&) {
        return false;
    }
    return true;
}

// ---- GridObserver ----

void GridTableModel::gridAboutToReset() {
    beginResetModel();
}

void GridTableModel::gridReset() {
    endResetModel();
}

void GridTableModel::rowsAboutToBeInserted(int first, int last) {
    beginInsertRows({}, viewRow(first), viewRow(last));
}

void GridTableModel::rowsInserted(int, int) {
    endInsertRows();
}

void GridTableModel::rowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows({}, viewRow(first), viewRow(last));
}

void GridTableModel::rowsRemoved(int, int) {
    endRemoveRows();
}

void GridTableModel::colsAboutToBeInserted(int first, int last) {
    beginInsertColumns({}, viewCol(first), viewCol(last));
}

void GridTableModel::colsInserted(int, int) {
    endInsertColumns();
}

void GridTableModel::colsAboutToBeRemoved(int first, int last) {
    beginRemoveColumns({}, viewCol(first), viewCol(last));
}

void GridTableModel::colsRemoved(int, int) {
    endRemoveColumns();
}

void GridTableModel::rowsAboutToBeMoved() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GridTableModel::rowsMoved() {
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GridTableModel::cellsChanged(int row1, int col1, int row2, int col2) {
    const int hr = headerRows(), hc = headerCols();
    if (hr && row1 == 0 && col2 >= hc)
        emit headerDataChanged(Qt::Horizontal, viewCol(std::max(col1, hc)), viewCol(col2));
    if (hc && col1 == 0 && row2 >= hr)
        emit headerDataChanged(Qt::Vertical, viewRow(std::max(row1, hr)), viewRow(row2));
    const int r1 = std::max(row1, hr), c1 = std::max(col1, hc);
    if (r1 <= row2 && c1 <= col2 && row2 < grid_.rows() && col2 < grid_.cols())
        emit dataChanged(indexOf(r1, c1), indexOf(row2, col2));
}

void GridTableModel::lookChanged() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

} // namespace zv
