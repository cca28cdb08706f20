#pragma once
// A table of named text values in the order the names were first stored. A name stored again
// keeps its place and takes the new value. Names are compared exactly: callers store and look
// them up in one form (the option tables use upper case, trimmed). There is no limit on the
// number of names.

#include <QHash>
#include <QString>
#include <QStringList>

namespace zv {

class NameValueTable {
public:
    void clear();
    void set(const QString& name, const QString& value);
    // The value of a name; false (and value "") when the name is absent.
    bool get(const QString& name, QString& value) const;
    bool contains(const QString& name) const { return positions_.contains(name); }
    int count() const { return int(names_.size()); }
    // Names and values by position 1..count, in the order of first storage.
    const QString& nameAt(int i) const { return names_.at(i - 1); }
    const QString& valueAt(int i) const { return values_.at(i - 1); }

    bool operator==(const NameValueTable& other) const {
        return names_ == other.names_ && values_ == other.values_;
    }

private:
    QStringList names_;
    QStringList values_;
    QHash<QString, int> positions_; // name -> 0-based position
};

} // namespace zv
