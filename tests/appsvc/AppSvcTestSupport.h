#pragma once
// Shared helpers of the application-services tests.

#include "TestSupport.h"
#include "Variant.h"

#include <QString>
#include <ostream>
#include <vector>

namespace zvtest {

// A Variant array lower..lower + n - 1 holding values.
inline zv::Variant arrayOf(std::vector<zv::Variant> values, int32_t lower = 0) {
    zv::Variant a = zv::Variant::array({{lower, lower + int32_t(values.size()) - 1}});
    for (size_t i = 0; i < values.size(); ++i)
        a.arrayMut().at1(lower + int32_t(i)) = values[i];
    return a;
}

inline QString textOf(const zv::Variant& v) {
    return v.isString() ? v.rawString() : QStringLiteral("<not text>");
}

} // namespace zvtest
