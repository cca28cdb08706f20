// GridModel: the outline tree. Nodes are the rows with the subtotal flag; a node's subtree runs
// from it down to the next node whose level is not deeper. The plain rows inside belong to the
// node above them. Only the scrolled rows (below the fixed ones) take part.

#include "GridModel.h"

#include <algorithm>
#include <climits>

namespace zv {

bool GridModel::isSubtotal(int r) const {
    checkRow(r);
    return rows_[size_t(r)].subtotal;
}

void GridModel::setIsSubtotal(int r, bool node) {
    checkRow(r);
    rows_[size_t(r)].subtotal = node;
    hiddenDirty_ = true;
    notify(&GridObserver::outlineChanged);
}

int GridModel::rowOutlineLevel(int r) const {
    checkRow(r);
    return rows_[size_t(r)].level;
}

void GridModel::setRowOutlineLevel(int r, int level) {
    checkRow(r);
    if (level < 0) throw GridError(err::GridOutlineLevel);
    rows_[size_t(r)].level = level;
    hiddenDirty_ = true;
    notify(&GridObserver::outlineChanged);
}

int GridModel::isCollapsed(int r) const {
    checkRow(r);
    return rows_[size_t(r)].collapsed;
}

void GridModel::setIsCollapsed(int r, int state) {
    checkRow(r);
    if (state < kNodeExpanded || state > kNodeCollapsed) throw GridError(err::GridIsCollapsed);
    rows_[size_t(r)].collapsed = uint8_t(state);
    if (state != kNodeExpanded) outlineActive_ = true;
    hiddenDirty_ = true;
    notify(&GridObserver::outlineChanged);
}

void GridModel::outline(int level) {
    bool any = false;
    for (size_t r = size_t(fixedRows_); r < rows_.size(); ++r) {
        Row& row = rows_[r];
        if (!row.subtotal) continue;
        row.collapsed = level < 0 || row.level < level ? kNodeExpanded : kNodeCollapsed;
        any = any || row.collapsed != kNodeExpanded;
    }
    if (any) outlineActive_ = true;
    hiddenDirty_ = true;
    notify(&GridObserver::outlineChanged);
}

void GridModel::setOutlineCol(int c) {
    if (c < -1 || c >= cols_) throw GridError(err::GridOutlineColIndex);
    outlineCol_ = c;
    notify(&GridObserver::lookChanged);
}

void GridModel::setOutlineBar(int style) {
    if (style < 0) throw GridError(err::GridOutlineBar);
    outlineBar_ = style;
    notify(&GridObserver::lookChanged);
}

bool GridModel::isRowHiddenByOutline(int r) const {
    checkRow(r);
    if (!outlineActive_) return false;
    if (hiddenDirty_) {
        // One walk down the rows with the open nodes on a stack (levels rising): a node closes
        // the open nodes of its own level and deeper.
        hidden_.assign(rows_.size(), false);
        struct Open {
            int level;
            int state;
        };
        std::vector<Open> open;
        int collapsed = 0, subtotals = 0;
        for (size_t i = size_t(fixedRows_); i < rows_.size(); ++i) {
            const Row& row = rows_[i];
            if (!row.subtotal) {
                hidden_[i] = collapsed > 0 || subtotals > 0;
                continue;
            }
            while (!open.empty() && open.back().level >= row.level) {
                collapsed -= open.back().state == kNodeCollapsed;
                subtotals -= open.back().state == kNodeSubtotals;
                open.pop_back();
            }
            hidden_[i] = collapsed > 0;
            open.push_back({row.level, row.collapsed});
            collapsed += row.collapsed == kNodeCollapsed;
            subtotals += row.collapsed == kNodeSubtotals;
        }
        hiddenDirty_ = false;
    }
    return hidden_[size_t(r)];
}

// ---- Relations ----

void GridModel::checkNode(int r) const {
    checkRow(r);
    if (r < fixedRows_ || !rows_[size_t(r)].subtotal) throw GridError(err::GridNotANode);
}

int GridModel::subtreeEnd(int r) const {
    checkRow(r);
    if (!rows_[size_t(r)].subtotal) return r;
    const int level = rows_[size_t(r)].level;
    for (int i = r + 1; i < rows(); ++i)
        if (rows_[size_t(i)].subtotal && rows_[size_t(i)].level <= level) return i - 1;
    return rows() - 1;
}

int GridModel::parentOf(int r) const {
    const int level = rows_[size_t(r)].level;
    for (int i = r - 1; i >= fixedRows_; --i)
        if (rows_[size_t(i)].subtotal && rows_[size_t(i)].level < level) return i;
    return -1;
}

// The nodes of a parent's subtree (or of the whole grid, for parent -1) whose parent it is: a
// node is a child when no node between it and the parent is less deep than it.
std::vector<int> GridModel::siblingsOf(int r) const {
    const int parent = parentOf(r);
    const int first = parent < 0 ? fixedRows_ : parent + 1;
    const int last = parent < 0 ? rows() - 1 : subtreeEnd(parent);
    std::vector<int> nodes;
    int least = INT_MAX;
    for (int i = first; i <= last; ++i) {
        const Row& row = rows_[size_t(i)];
        if (!row.subtotal) continue;
        if (row.level <= least) nodes.push_back(i);
        least = std::min(least, row.level);
    }
    return nodes;
}

int GridModel::nodeRow(int r, GridNodeRelation relation) const {
    checkNode(r);
    switch (relation) {
    case GridNodeRelation::Root: {
        int root = r;
        for (int p = parentOf(r); p >= 0; p = parentOf(p))
            root = p;
        return root;
    }
    case GridNodeRelation::Parent:
        return parentOf(r);
    case GridNodeRelation::FirstChild:
    case GridNodeRelation::LastChild: {
        const int end = subtreeEnd(r);
        int least = INT_MAX, firstChild = -1, lastChild = -1;
        for (int i = r + 1; i <= end; ++i) {
            const Row& row = rows_[size_t(i)];
            if (!row.subtotal) continue;
            if (row.level <= least) {
                if (firstChild < 0) firstChild = i;
                lastChild = i;
            }
            least = std::min(least, row.level);
        }
        return relation == GridNodeRelation::FirstChild ? firstChild : lastChild;
    }
    case GridNodeRelation::FirstSibling:
    case GridNodeRelation::LastSibling:
    case GridNodeRelation::PreviousSibling:
    case GridNodeRelation::NextSibling: {
        const std::vector<int> sibs = siblingsOf(r);
        const auto at = std::find(sibs.begin(), sibs.end(), r) - sibs.begin();
        switch (relation) {
        case GridNodeRelation::FirstSibling:
            return sibs.front();
        case GridNodeRelation::LastSibling:
            return sibs.back();
        case GridNodeRelation::PreviousSibling:
            return at > 0 ? sibs[size_t(at - 1)] : -1;
        default:
            return size_t(at + 1) < sibs.size() ? sibs[size_t(at + 1)] : -1;
        }
    }
    }
    throw GridError(err::GridNodeRelation);
}

// ---- Moves ----

int GridModel::moveBlock(int first, int last, int before, int delta) {
    const bool moves = before < first || before > last + 1;
    if (!moves && delta == 0) return first;
    if (moves) notify(&GridObserver::rowsAboutToBeMoved);
    auto at = [this](int i) { return rows_.begin() + i; };
    int newFirst = first;
    if (before < first) {
        std::rotate(at(before), at(first), at(last + 1));
        newFirst = before;
    } else if (before > last + 1) {
        std::rotate(at(first), at(last + 1), at(before));
        newFirst = before - (last - first + 1);
    }
    for (int i = newFirst; i <= newFirst + (last - first); ++i) {
        Row& row = rows_[size_t(i)];
        row.level = std::max(row.level + delta, 0);
    }
    hiddenDirty_ = true;
    if (moves) notify(&GridObserver::rowsMoved);
    notify(&GridObserver::outlineChanged);
    return newFirst;
}

int GridModel::moveNode(int r, GridNodeMove move, int target) {
    checkNode(r);
    const int end = subtreeEnd(r);
    const int level = rows_[size_t(r)].level;
    switch (move) {
    case GridNodeMove::In: {
        const int prev = nodeRow(r, GridNodeRelation::PreviousSibling);
        if (prev < 0) return r;
        // The previous sibling's subtree ends just above: deeper levels put the node inside it.
        return moveBlock(r, end, r, rows_[size_t(prev)].level + 1 - level);
    }
    case GridNodeMove::Out: {
        const int parent = parentOf(r);
        if (parent < 0) return r;
        return moveBlock(r, end, subtreeEnd(parent) + 1, rows_[size_t(parent)].level - level);
    }
    case GridNodeMove::Up: {
        const int prev = nodeRow(r, GridNodeRelation::PreviousSibling);
        return prev < 0 ? r : moveBlock(r, end, prev, 0);
    }
    case GridNodeMove::Down: {
        const int next = nodeRow(r, GridNodeRelation::NextSibling);
        return next < 0 ? r : moveBlock(r, end, subtreeEnd(next) + 1, 0);
    }
    case GridNodeMove::First: {
        const int first = nodeRow(r, GridNodeRelation::FirstSibling);
        return first == r ? r : moveBlock(r, end, first, 0);
    }
    case GridNodeMove::Last: {
        const int lastSibling = nodeRow(r, GridNodeRelation::LastSibling);
        return lastSibling == r ? r : moveBlock(r, end, subtreeEnd(lastSibling) + 1, 0);
    }
    case GridNodeMove::ChildOf: {
        if (target < 0 || target >= rows()) throw GridError(err::GridRowIndex);
        checkNode(target);
        if (target >= r && target <= end) throw GridError(err::GridNodeIntoItself);
        return moveBlock(r, end, subtreeEnd(target) + 1, rows_[size_t(target)].level + 1 - level);
    }
    }
    throw GridError(err::GridNodeMove);
}

} // namespace zv
