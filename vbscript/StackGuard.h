#pragma once
// A check of the native stack, beside the fixed limit on nested calls: script code that nests
// calls through host methods, or deep expressions inside deep recursion, must raise "Out of
// stack space" (28) rather than overflow the thread's stack, whatever its size.

#include <cstdint>

namespace zv::vbs {

// The address below which the current thread's stack has less than a safe reserve left; 0
// when the thread's stack bounds are unknown.
uintptr_t nativeStackLimit();

// True when the caller's frame lies below the limit (the stack grows downwards).
inline bool belowStackLimit(uintptr_t limit) {
    return limit && reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < limit;
}

} // namespace zv::vbs
