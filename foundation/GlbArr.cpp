// GlbArr: helpers on Variant arrays.

#include "GlbArr.h"

#include "GlbVar.h"

#include <vector>

namespace zv {

namespace {

// The upper bound of a one-dimensional array; -1 for an array with no elements at all.
int upperOf(const VArray& a) {
    return a.dimensions() == 0 ? -1 : a.ubound(1);
}

} // namespace

void ArrCop(const Variant& src, Variant& dst, int& ok) {
    // ok is 1, or the number of the error that stopped it
    const VbTrapped failed = vbTrap([&] {
        if (!src.isArray()) vbRaise(err::TypeMismatch);
        const VArray& a = src.array();
        if (a.dimensions() == 0) {
            dst = Variant::emptyArray();
            ok = 1;
            return;
        }
        std::vector<std::pair<int32_t, int32_t>> bounds;
        for (int d = 1; d <= a.dimensions(); ++d)
            bounds.emplace_back(a.lbound(d), a.ubound(d));
        Variant copy = Variant::array(bounds);
        copy.arrayMut().elements() = a.elements();
        dst = copy;
        ok = 1;
    });
    if (failed) ok = failed.number();
}

void ArrLim(const Variant& arr, int& lo, int& hi, int& ok) {
    // ok is 1, or the number of the error that stopped it
    const VbTrapped failed = vbTrap([&] {
        if (!arr.isArray()) vbRaise(err::TypeMismatch);
        const VArray& a = arr.array();
        if (a.dimensions() == 0) {
            // An array with no elements (what Array() gives): 0 to -1.
            lo = 0;
            hi = -1;
            ok = 1;
            return;
        }
        const int l = a.lbound(1);
        const int h = a.ubound(1);
        lo = l;
        hi = h;
        ok = 1;
    });
    if (failed) ok = failed.number();
}

void ArrAdiPre(Variant& arr, const Variant& value) {
    if (!arr.isArray()) vbRaise(err::TypeMismatch);
    const VArray& a = arr.array();
    if (a.dimensions() > 1) vbRaise(err::SubscriptOutOfRange);
    const int upper = upperOf(a);
    Variant grown = Variant::array({{0, upper + 1}});
    VArray& g = grown.arrayMut();
    for (int i = a.dimensions() == 0 ? 0 : qMax(0, a.lbound(1)); i <= upper; ++i)
        g.at1(i) = a.at1(i);
    g.at1(upper + 1) = value;
    arr = grown;
}

void ArrAdiVar(const Variant& value, Variant& list, Variant& count) {
    int n = 1;
    if (value.isArray()) {
        const VArray& a = value.array();
        if (a.dimensions() > 1) vbRaise(err::SubscriptOutOfRange);
        const int upper = upperOf(a);
        n = upper < 0 ? 0 : upper;
        Variant made = Variant::array({{0, n}});
        VArray& m = made.arrayMut();
        for (int i = qMax(1, a.dimensions() == 0 ? 1 : a.lbound(1)); i <= upper; ++i)
            m.at1(i) = a.at1(i);
        list = made;
    } else {
        Variant made = Variant::array({{0, 1}});
        made.arrayMut().at1(1) = value;
        list = made;
    }
    VarAtr(Variant(int32_t(n)), count);
}

} // namespace zv
