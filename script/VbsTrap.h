#pragma once
// The script host's error trap: runs one step and tells whether it went through. A run-time
// error (or any other failure of the step) is swallowed; the end of the program is not.

#include "VbError.h"

#include <exception>

namespace zv {

template <class F> bool vbsTrap(F&& step) {
    try {
        step();
        return true;
    } catch (const VbError&) {
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace zv
