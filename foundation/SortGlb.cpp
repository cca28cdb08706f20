// SortGlb: comb sorts of text and Variant arrays.

#include "SortGlb.h"

#include "Convert.h"
#include "Operators.h"
#include "Text.h"
#include "TxtGlb.h"

#include <cmath>

namespace zv {

namespace {

int boundedCount(double wanted, int upper) {
    if (!(wanted > 0)) return 0;
    return wanted > upper ? upper : int(wanted);
}

// Comb sort of positions 1..count: greater(i, j) compares, swap(i, j) exchanges.
template <class Greater, class Swap> void combSort(int count, Greater greater, Swap swap) {
    int gap = count;
    for (;;) {
        int igap = 0;
        SrtMei(gap, igap);
        bool swapped = false;
        for (int i = 1; i <= count - gap; ++i) {
            if (greater(i, i + gap)) {
                swap(i, i + gap);
                swapped = true;
            }
        }
        if (gap == 1 && !swapped) break;
    }
}

// The comparison of two elements: the language's, or the upper-cased texts for "CI".
bool variantGreater(const Variant& a, const Variant& b, bool caseBlind) {
    if (caseBlind) return StrComp(UCase(TxCnv(a)), UCase(TxCnv(b))) > 0;
    return compare(a, b, CompareMode::Binary) == Order::Greater;
}

int upperOf(const Variant& arr) {
    if (!arr.isArray()) vbRaise(err::TypeMismatch);
    return arr.array().dimensions() == 0 ? -1 : arr.array().ubound(1);
}

} // namespace

void SrtLim(const QStringList& arr, int n, int& count) {
    const int upper = int(arr.size()) - 1;
    if (n == -1)
        count = boundedCount(arr.isEmpty() ? 0 : Val(arr.at(0)), upper);
    else if (n == -2)
        count = upper < 0 ? 0 : upper;
    else
        count = boundedCount(n, upper);
}

void SrtLimVar(const Variant& arr, int n, int& count) {
    const int upper = upperOf(arr);
    if (n == -1) {
        const VArray& a = arr.array();
        const bool hasZero = upper >= 0 && a.lbound(1) <= 0;
        count = boundedCount(hasZero ? NumDbl(a.at1(0)) : 0.0, upper);
    } else if (n == -2) {
        count = upper < 0 ? 0 : upper;
    } else {
        count = boundedCount(n, upper);
    }
}

void SrtMei(int& gap, int& igap) {
    int g = int(std::floor(gap / 1.3));
    if (g < 1) g = 1;
    if (g == 9 || g == 10) g = 11;
    gap = g;
    igap = g;
}

void SrtTx(QStringList& arr, int n) {
    int count = 0;
    SrtLim(arr, n, count);
    combSort(
        count, [&](int i, int j) { return arr.at(i).compare(arr.at(j)) > 0; },
        [&](int i, int j) { arr.swapItemsAt(i, j); });
}

void SrtVar(const QString& opts, Variant& arr) {
    int count = 0;
    SrtLimVar(arr, -2, count);
    if (count < 1) return;
    VArray& a = arr.arrayMut();
    if (a.lbound(1) > 1) return; // no element 1 to start from
    const bool caseBlind = opts == u"CI";
    combSort(
        count, [&](int i, int j) { return variantGreater(a.at1(i), a.at1(j), caseBlind); },
        [&](int i, int j) { VarTroca(a.at1(i), a.at1(j)); });
}

void SrtArrIni(int n, QList<int>& idx) {
    idx = QList<int>(n > 0 ? n + 1 : 1, 0);
    for (int i = 1; i <= n; ++i)
        idx[i] = i;
}

void SrtVarIdx(const QString& opts, const Variant& keys, QList<int>& idx) {
    const int upper = upperOf(keys);
    SrtArrIni(upper, idx);
    if (upper < 1 || keys.array().lbound(1) > 1) return;
    const VArray& k = keys.array();
    const bool caseBlind = opts == u"CI";
    combSort(
        upper,
        [&](int i, int j) { return variantGreater(k.at1(idx.at(i)), k.at1(idx.at(j)), caseBlind); },
        [&](int i, int j) { idx.swapItemsAt(i, j); });
}

} // namespace zv
