#pragma once
// The current zone of a parameter file in memory: the entry records of an "IDE" zone with
// their key index, or the lines of a text zone.
//
// Records are numbered 0..n; record 0 is spare, records 1..n are the zone's entries in file
// order. The key index maps each entry's index key (its key after the first ".", upper case,
// trimmed) to the first record stored under it. It has no size limit, and it never holds a
// key whose record is gone.

#include "TdaReg.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace zv {

class EntryTable {
public:
    EntryTable() { clear(); }

    // Back to the spare record 0 alone; the key index emptied.
    void clear();
    void clearIndex() {
        index_.clear();
        indexTop_ = 0;
    }

    // The last record number (0 when only the spare record is there).
    int last() const { return int(records_.size()) - 1; }
    bool has(int i) const { return i >= 0 && i <= last(); }
    const TdaReg& at(int i) const { return records_.at(size_t(i)); }

    // Stores record as number count + 1 (the table is cut or grown to end there) and indexes
    // it; count grows by 1. With keepEmpty 0 a record whose index key is "" is not stored.
    // Returns whether it was stored.
    bool add(const TdaReg& record, int& count, int keepEmpty);
    // Stores record as number n (the table is cut or grown to end there) without indexing it.
    void put(int n, const TdaReg& record);
    // Stores record at the end of the table (number last() + 1), with the rules of add.
    bool append(const TdaReg& record, int keepEmpty);
    // The record number of a key as the index holds it (already upper case and trimmed); -1
    // when absent.
    int find(const QString& indexKey) const;

    // The lines of the current text zone: 0..n, element 0 "".
    const QStringList& lines() const { return lines_; }
    void clearLines() { lines_ = QStringList{QString()}; }
    void addLine(const QString& line) { lines_.append(line); }
    // Empties the records (record 0 alone) without touching the lines.
    void clearRecords();

private:
    std::vector<TdaReg> records_;
    QHash<QString, int> index_;
    // No index entry holds a record number above this one: a record stored above it cuts
    // nothing from the index (a zone read entry by entry never searches the index).
    int indexTop_ = 0;
    QStringList lines_{QString()};
};

} // namespace zv
