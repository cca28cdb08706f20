#include "StackGuard.h"

#include <cstddef>
#include <cstdint>
#include <pthread.h>

namespace zv::vbs {

namespace {

// What one more level of evaluation may need at most (deep expressions, host frames, the
// larger frames of sanitizer builds) before the next check.
constexpr uintptr_t kReserve = 1024 * 1024;

struct ThreadStack {
    bool known = false;
    uintptr_t low = 0; // lowest usable address; 0 when the bounds are unknown
};

thread_local ThreadStack t_stack;

uintptr_t stackLow() {
    if (!t_stack.known) {
        t_stack.known = true;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            void* addr = nullptr;
            size_t size = 0;
            if (pthread_attr_getstack(&attr, &addr, &size) == 0)
                t_stack.low = reinterpret_cast<uintptr_t>(addr);
            pthread_attr_destroy(&attr);
        }
    }
    return t_stack.low;
}

} // namespace

uintptr_t nativeStackLimit() {
    uintptr_t low = stackLow();
    return low ? low + kReserve : 0;
}

} // namespace zv::vbs
