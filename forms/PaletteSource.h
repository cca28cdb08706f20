#pragma once
// The palette a grid takes its colours from: single colours of named palette entries. SupFrm
// is one (its palette file and memorised colours); a grid holds one to colour its cells, its
// selection and its rows by name.

#include "Variant.h"

#include <QString>

namespace zv {

class PaletteSource {
public:
    virtual ~PaletteSource() = default;

    // One colour of the entry name (trimmed, any case): part "B" (trimmed, any case) the
    // background, any other part the foreground. found 1: a text value receives the colour
    // text as written (trimmed), any other value the colour number (0x00BBGGRR) in its own
    // type. found 0, and value emptied ("" or the Integer 0): the name is absent, or that part
    // is empty or "-" (leave the colour as it is).
    virtual void CorUsa(const QString& part, const QString& name, Variant& value,
                        int& found) const = 0;
};

} // namespace zv
