// GridWidget: the person's mouse and keys, scrolling, and cell geometry in twips.

#include "GridDelegate.h"
#include "GridTableModel.h"
#include "GridWidget.h"

#include "EventGuard.h"
#include "Twips.h"
#include "VbError.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace zv {

namespace {

int buttonCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

// ---- Mouse ----

void GridWidget::trackMouse(QObject* watched, const QPoint& pos) {
    auto gridRowAt = [this](int vr) { return vr < 0 ? -1 : table_->gridRow(vr); };
    auto gridColAt = [this](int vc) { return vc < 0 ? -1 : table_->gridCol(vc); };
    if (watched == viewport()) {
        mouseRow_ = gridRowAt(rowAt(pos.y()));
        mouseCol_ = gridColAt(columnAt(pos.x()));
    } else if (watched == horizontalHeader()->viewport()) {
        mouseRow_ = 0;
        mouseCol_ = gridColAt(horizontalHeader()->logicalIndexAt(pos.x()));
    } else if (watched == verticalHeader()->viewport()) {
        mouseRow_ = gridRowAt(verticalHeader()->logicalIndexAt(pos.y()));
        mouseCol_ = 0;
    }
}

bool GridWidget::pressOutlineBox(const QPoint& pos) {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !delegate_->drawsOutline(index.column())) return false;
    const int r = table_->gridRow(index.row());
    const QRect box = delegate_->boxRect(r, visualRect(index));
    if (box.isEmpty() || !box.adjusted(-2, -2, 2, 2).contains(pos)) return false;
    grid_->setIsCollapsed(r,
                          grid_->isCollapsed(r) == kNodeExpanded ? kNodeCollapsed : kNodeExpanded);
    return true;
}

bool GridWidget::eventFilter(QObject* watched, QEvent* event) {
    const bool ours = watched == viewport() || watched == horizontalHeader()->viewport() ||
                      watched == verticalHeader()->viewport();
    if (!ours) return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        trackMouse(watched, pos);
        const QPoint at = static_cast<QWidget*>(watched)->mapTo(this, pos);
        bool cancel = false;
        const int button = buttonCode(me->button()), shift = shiftCode(me->modifiers());
        runGuarded([&] {
            emit beforeMouseDown(button, shift, pixelsToTwips(at.x()), pixelsToTwips(at.y()),
                                 cancel);
        });
        if (cancel) return true;
        if (watched == viewport() && me->button() == Qt::LeftButton) {
            bool handled = false;
            runGuarded([&] { handled = pressOutlineBox(pos); });
            if (handled) return true;
        }
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint pos = me->position().toPoint();
        trackMouse(watched, pos);
        const QPoint at = static_cast<QWidget*>(watched)->mapTo(this, pos);
        const bool moved = event->type() == QEvent::MouseMove;
        const int button = buttonCode(moved ? me->buttons() : Qt::MouseButtons(me->button()));
        const int shift = shiftCode(me->modifiers());
        runGuarded([&] {
            if (moved)
                emit mouseMoved(button, shift, pixelsToTwips(at.x()), pixelsToTwips(at.y()));
            else
                emit mouseReleased(button, shift, pixelsToTwips(at.x()), pixelsToTwips(at.y()));
        });
        break;
    }
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}

// ---- The person moves the cursor ----

void GridWidget::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    cursorFromView();
}

void GridWidget::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    cursorFromView();
}

void GridWidget::cursorFromView() {
    if (syncing_) return;
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    // The current index is the end the person moves; the cursor (Row, Col) is the corner of the
    // selected block opposite to it.
    int anchorRow = current.row(), anchorCol = current.column();
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (!range.contains(current)) continue;
        anchorRow = current.row() == range.top() ? range.bottom() : range.top();
        anchorCol = current.column() == range.left() ? range.right() : range.left();
        break;
    }
    ++syncing_;
    runGuarded([&] {
        grid_->select(table_->gridRow(anchorRow), table_->gridCol(anchorCol),
                      table_->gridRow(current.row()), table_->gridCol(current.column()));
    });
    --syncing_;
}

// ---- Scrolling ----

int GridWidget::scrollValueOf(int gridRow) const {
    const int vr = table_->viewRow(gridRow);
    if (vr <= 0) return 0;
    if (!hasHiddenRows_) return vr;
    int value = 0;
    for (int i = 0; i < vr; ++i)
        if (!isRowHidden(i)) ++value;
    return value;
}

void GridWidget::scrollToTopRow() {
    ++syncing_;
    verticalScrollBar()->setValue(scrollValueOf(grid_->topRow()));
    --syncing_;
}

void GridWidget::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dy == 0 || syncing_) return;
    // The view where the model's TopRow puts it (as far as the view can go) is no news.
    QScrollBar* bar = verticalScrollBar();
    if (bar->value() == std::min(scrollValueOf(grid_->topRow()), bar->maximum())) return;
    const int vr = rowAt(0);
    if (vr < 0) return;
    ++syncing_;
    grid_->setTopRow(table_->gridRow(vr));
    --syncing_;
}

void GridWidget::updateGeometries() {
    QTableView::updateGeometries();
    if (!syncing_) scrollToTopRow();
}

// ---- Cell geometry ----

QRect GridWidget::cellRect(int r, int c) {
    call([&] { grid_->textMatrix(r, c); });
    const int vr = table_->viewRow(r), vc = table_->viewCol(c);
    if (vr >= 0 && vc >= 0) {
        scrollTo(table_->index(vr, vc));
    } else if (vr >= 0) {
        // A cell of the row header: only the rows scroll.
        const int top = rowViewportPosition(vr);
        if (top < 0 || top + QTableView::rowHeight(vr) > viewport()->height())
            verticalScrollBar()->setValue(scrollValueOf(r));
    } else if (vc >= 0) {
        // A cell of the column header: only the columns scroll.
        const int left = columnViewportPosition(vc), width = columnWidth(vc);
        QScrollBar* bar = horizontalScrollBar();
        if (left < 0)
            bar->setValue(bar->value() + left);
        else if (left + width > viewport()->width())
            bar->setValue(bar->value() + std::min(left, left + width - viewport()->width()));
    }
    QRect rect;
    if (vc >= 0) {
        rect.setLeft(viewport()->x() + columnViewportPosition(vc));
        rect.setWidth(columnWidth(vc));
    } else {
        rect.setLeft(verticalHeader()->x());
        rect.setWidth(verticalHeader()->width());
    }
    if (vr >= 0) {
        rect.setTop(viewport()->y() + rowViewportPosition(vr));
        rect.setHeight(QTableView::rowHeight(vr));
    } else {
        rect.setTop(horizontalHeader()->y());
        rect.setHeight(horizontalHeader()->height());
    }
    return rect;
}

double GridWidget::cellLeft() {
    return pixelsToTwips(cellRect(grid_->row(), grid_->col()).left());
}

double GridWidget::cellTop() {
    return pixelsToTwips(cellRect(grid_->row(), grid_->col()).top());
}

double GridWidget::cellWidth() {
    return pixelsToTwips(cellRect(grid_->row(), grid_->col()).width());
}

double GridWidget::cellHeight() {
    return pixelsToTwips(cellRect(grid_->row(), grid_->col()).height());
}

void GridWidget::showCell(int r, int c) {
    cellRect(r, c);
}

} // namespace zv
