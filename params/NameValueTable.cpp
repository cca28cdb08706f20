#include "NameValueTable.h"

namespace zv {

void NameValueTable::clear() {
    names_.clear();
    values_.clear();
    positions_.clear();
}

void NameValueTable::set(const QString& name, const QString& value) {
    const auto it = positions_.constFind(name);
    if (it != positions_.constEnd()) {
        values_[*it] = value;
        return;
    }
    positions_.insert(name, int(names_.size()));
    names_.append(name);
    values_.append(value);
}

bool NameValueTable::get(const QString& name, QString& value) const {
    const auto it = positions_.constFind(name);
    if (it == positions_.constEnd()) {
        value.clear();
        return false;
    }
    value = values_.at(*it);
    return true;
}

} // namespace zv
