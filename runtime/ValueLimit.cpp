#include "ValueLimit.h"

#include "Variant.h"

#include <atomic>

namespace zv {

namespace {

std::atomic<int64_t> g_limit{kDefaultValueSizeLimit};

} // namespace

int64_t valueSizeLimit() {
    return g_limit.load(std::memory_order_relaxed);
}

void setValueSizeLimit(int64_t bytes) {
    g_limit.store(bytes > 0 ? bytes : kDefaultValueSizeLimit, std::memory_order_relaxed);
}

void checkTextLength(int64_t chars) {
    if (chars < 0 || chars > valueSizeLimit() / int64_t(sizeof(char16_t)))
        throw VbError(err::OutOfMemory);
}

void checkArrayLength(int64_t elements) {
    if (elements < 0 || elements > valueSizeLimit() / int64_t(sizeof(Variant)))
        throw VbError(err::OutOfMemory);
}

} // namespace zv
