#include "HeadlessEventPump.h"

namespace zv {

void HeadlessEventPump::pump() {
    ++count_;
    if (hook_) {
        // A copy, so the hook may replace or clear itself while it runs.
        const std::function<void()> hook = hook_;
        hook();
    }
}

} // namespace zv
