#include "EntryTable.h"

#include "ParamLine.h"

#include <algorithm>

namespace zv {

void EntryTable::clear() {
    clearRecords();
    clearIndex();
}

void EntryTable::clearRecords() {
    records_.assign(1, TdaReg{});
}

bool EntryTable::add(const TdaReg& record, int& count, int keepEmpty) {
    const QString key = parline::indexKey(record.Chv);
    if (keepEmpty == 0 && key.isEmpty()) return false;
    const int n = count < 0 ? 1 : count + 1;
    count = n;
    put(n, record);
    if (!index_.contains(key)) {
        index_.insert(key, n);
        indexTop_ = std::max(indexTop_, n);
    }
    return true;
}

void EntryTable::put(int n, const TdaReg& record) {
    if (n < 1) return;
    // The table ends at the new record; index entries of records cut off (or overwritten)
    // go with them, so a look-up never lands on a record that is not the one indexed.
    if (last() >= n && indexTop_ >= n) {
        for (auto it = index_.begin(); it != index_.end();)
            it = it.value() >= n ? index_.erase(it) : std::next(it);
        indexTop_ = n - 1;
    }
    if (size_t(n) == records_.size()) {
        records_.push_back(record);
        return;
    }
    records_.resize(size_t(n) + 1);
    records_[size_t(n)] = record;
}

bool EntryTable::append(const TdaReg& record, int keepEmpty) {
    int count = last();
    return add(record, count, keepEmpty);
}

int EntryTable::find(const QString& indexKey) const {
    return index_.value(indexKey, -1);
}

} // namespace zv
