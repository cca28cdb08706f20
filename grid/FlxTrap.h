#pragma once
// Interim: the runtime's step trap is about to land; until then this stands in for it.
#include "VbError.h"
#include <utility>
namespace zv {
template <class F> void vbTrap(F&& step) {
    try {
        std::forward<F>(step)();
    } catch (const VbError&) {
    }
}
} // namespace zv
