#pragma once
// The largest string or array that one value may hold. A text of n characters takes 2n bytes,
// an array of n elements n times the size of a Variant. Whatever builds a text or an array
// from a count it was given (String, Space, ReDim) or grows one (concatenation, Replace, Join)
// checks the size first: past the limit it raises 7 "Out of memory", which a script can trap,
// instead of taking the machine's memory. The limit is one setting for the process, which the
// host may lower (tests, fuzzing) or raise.

#include <cstdint>

namespace zv {

constexpr int64_t kDefaultValueSizeLimit = int64_t(512) << 20; // bytes

int64_t valueSizeLimit();
// A limit of 0 or less restores the default.
void setValueSizeLimit(int64_t bytes);

// Raise 7 when a text of this many characters, or an array of this many elements, would pass
// the limit (or the count is negative, the sign of a size that overflowed).
void checkTextLength(int64_t chars);
void checkArrayLength(int64_t elements);

} // namespace zv
