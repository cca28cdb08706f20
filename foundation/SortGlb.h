#pragma once
// SortGlb: in-place comb sorts of text and Variant arrays and an index sort that leaves its
// keys in place. Sorted ranges are 1-based: elements 1..count are sorted and element 0 never
// moves. The sorts are not stable.
//
// The count argument: 0 or more is the count itself, -1 the number held in element 0, -2 the
// array's upper bound. A count beyond the upper bound is taken as the upper bound.

#include "NumFxd.h" // VarTroca
#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zv {

void SrtLim(const QStringList& arr, int n, int& count);
void SrtLimVar(const Variant& arr, int n, int& count);
// The next comb-sort gap: Int(gap / 1.3), at least 1, and 11 instead of 9 or 10.
void SrtMei(int& gap, int& igap);
// Text elements 1..count ascending by character code.
void SrtTx(QStringList& arr, int n);
// Variant elements 1..upper bound ascending by the language's comparison; opts "CI" compares
// the upper-cased texts.
void SrtVar(const QString& opts, Variant& arr);
// idx(0..n) with idx(i) = i.
void SrtArrIni(int n, QList<int>& idx);
// idx ordered so that keys(idx(1)), keys(idx(2)), ... ascend; keys stays as it is.
void SrtVarIdx(const QString& opts, const Variant& keys, QList<int>& idx);

} // namespace zv
