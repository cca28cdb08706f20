#pragma once
// FlxCallback: what a host form offers the grid support (SupFlx) for columns whose values it
// supplies itself (column kind "CBK"). The host implements it and hands it over with IniCbk.

#include "Variant.h"

#include <QString>

namespace zv {

class RecordSource;

class FlxCallback {
public:
    virtual ~FlxCallback() = default;
    // A record was added to the data that feeds the grid: text says what to do ("VDEF": give
    // the new record its default values); records is the grid's record source.
    virtual void GrvVl(const QString& text, RecordSource* records) = 0;
    // The display text of a value of a "CBK" column: type and number are the column
    // definition's; value may be changed in place.
    virtual void FrmVl(const QString& type, double number, Variant& value) = 0;
};

} // namespace zv
