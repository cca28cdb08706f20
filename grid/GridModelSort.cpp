// GridModel: sorting rows by their key columns.
//
// Every key cell is classed once before the sort (empty, number or text, with the number's value
// or the text folded to upper case), so the comparisons do no parsing and no folding. Classes
// order empty < number < text, which keeps the order a strict one even where numbers and texts
// meet in a column. The rows are then moved whole, in one pass, only after the new order is
// known: a failure while sorting leaves the grid as it was.

#include "GridModel.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace zv {

struct GridModel::SortKey {
    int kind = 0; // 0 empty, 1 number, 2 text
    double number = 0;
    std::u16string text;
};

namespace {

std::u16string_view trimBlanks(std::u16string_view s) {
    while (!s.empty() && s.front() == u' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

// Never the process locale: the digits are read by from_chars.
std::optional<double> GridModel::numberOf(std::u16string_view text) {
    const std::u16string_view s = trimBlanks(text);
    if (s.empty() || s.size() > 64) return std::nullopt;
    char buf[65];
    size_t n = 0, i = 0;
    if (s[0] == u'+' || s[0] == u'-') {
        if (s[0] == u'-') buf[n++] = '-';
        ++i;
    }
    bool digits = false, dot = false;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= u'0' && c <= u'9') {
            digits = true;
        } else if (c == u'.' && !dot) {
            dot = true;
        } else {
            break;
        }
        buf[n++] = char(c);
    }
    if (!digits) return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        buf[n++] = 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) buf[n++] = char(s[i++]);
        bool exponent = false;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
            buf[n++] = char(s[i]);
            exponent = true;
        }
        if (!exponent) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(buf, buf + n, value);
    if (ec != std::errc() || end != buf + n) return std::nullopt;
    return value;
}

void GridModel::buildKeys(int first, int last, int c, std::vector<SortKey>& keys) const {
    keys.resize(size_t(last - first + 1));
    for (int r = first; r <= last; ++r) {
        SortKey& k = keys[size_t(r - first)];
        const std::u16string_view t = trimBlanks(rows_[size_t(r)].cells[size_t(c)].text);
        if (t.empty()) continue;
        if (const auto n = numberOf(t)) {
            k.kind = 1;
            k.number = *n;
        } else {
            k.kind = 2;
            k.text.resize(t.size());
            std::transform(t.begin(), t.end(), k.text.begin(), fold_);
        }
    }
}

void GridModel::permuteRows(int first, const std::vector<int>& order) {
    std::vector<Row> sorted;
    sorted.reserve(order.size());
    notify(&GridObserver::rowsAboutToBeMoved);
    for (int i : order)
        sorted.push_back(std::move(rows_[size_t(first + i)]));
    std::move(sorted.begin(), sorted.end(), rows_.begin() + first);
    hiddenDirty_ = true;
    notify(&GridObserver::rowsMoved);
    if (outlineActive_) notify(&GridObserver::outlineChanged);
}

void GridModel::sort(int code) {
    if (code == kSortNone) return;
    if (code != kSortAscending && code != kSortDescending && code != kSortByColSort)
        throw GridError(err::GridSort);
    int first = fixedRows_, last = rows() - 1;
    if (row_ != rowSel_) {
        first = std::max(std::min(row_, rowSel_), fixedRows_);
        last = std::max(row_, rowSel_);
    }
    if (last - first < 1) return;

    struct KeyColumn {
        bool descending;
        std::vector<SortKey> keys;
    };
    std::vector<KeyColumn> columns;
    const GridRange sel = selection();
    for (int c = sel.col1; c <= sel.col2 && c < cols_; ++c) {
        int direction = code;
        if (code == kSortByColSort) direction = columns_[size_t(c)].sort;
        if (direction != kSortAscending && direction != kSortDescending) continue;
        KeyColumn k{direction == kSortDescending, {}};
        buildKeys(first, last, c, k.keys);
        columns.push_back(std::move(k));
    }
    if (columns.empty()) return;

    auto compare = [](const SortKey& a, const SortKey& b) {
        if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
        if (a.kind == 1) return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
        if (a.kind == 2) return a.text.compare(b.text);
        return 0;
    };
    std::vector<int> order(size_t(last - first + 1));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (const KeyColumn& k : columns) {
            const int c = compare(k.keys[size_t(a)], k.keys[size_t(b)]);
            if (c != 0) return k.descending ? c > 0 : c < 0;
        }
        return false;
    });
    permuteRows(first, order);
}

} // namespace zv
