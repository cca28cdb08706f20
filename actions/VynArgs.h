#pragma once
// The two conversions every action of "Vyn" applies: an argument read as text (as the
// parameter files read values), and a result code given back as an Integer.

#include "TxtGlb.h"
#include "Variant.h"

namespace zv::vynargs {

inline QString argText(const Variant& v) {
    QString s;
    TxCnvPrp(v, s);
    return s;
}

inline Variant integer(int v) {
    return Variant(int16_t(v));
}

} // namespace zv::vynargs
