#pragma once
// GlbArr: small helpers on Variant arrays. Failures are reported through ok (1, or the
// run-time error number).

#include "Variant.h"

namespace zv {

// dst becomes an array with the bounds of src and a copy of every element.
void ArrCop(const Variant& src, Variant& dst, int& ok);
// The lower and upper bound of a one-dimensional array (13 when arr is no array).
void ArrLim(const Variant& arr, int& lo, int& hi, int& ok);
// Grows the array to 0..old upper bound + 1 and stores value in the new last element.
void ArrAdiPre(Variant& arr, const Variant& value);
// A list used from element 1: a single value gives 0..1 with the value in element 1, an array
// 0..its upper bound with its elements 1..upper bound. count (assigned in its own type) is the
// number of elements used.
void ArrAdiVar(const Variant& value, Variant& list, Variant& count);

} // namespace zv
