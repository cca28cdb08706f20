#pragma once
// Helpers shared by the runtime tests.

#include "VbError.h"

namespace zvtest {

// Runs f and gives the run-time error number it raised (0 when none).
template <typename F> int errorOf(F f) {
    try {
        f();
    } catch (const zv::VbError& e) {
        return e.number();
    }
    return 0;
}

} // namespace zvtest
