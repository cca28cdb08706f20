#pragma once
// RecordSource: the record set of a data control that feeds a grid, as far as the grid's
// support reads it. A host that binds a grid to its data implements it.

#include <QString>

namespace zv {

class RecordSource {
public:
    virtual ~RecordSource() = default;
    // Moves to the last record.
    virtual void moveLast() = 0;
    // The number of records.
    virtual long recordCount() const = 0;
    // The name of field index (from 0); raises VbError for an index beyond the fields.
    virtual QString fieldName(int index) const = 0;
};

} // namespace zv
