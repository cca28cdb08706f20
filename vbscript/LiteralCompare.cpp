#include "LiteralCompare.h"

#include "Convert.h"

namespace zv::vbs {

namespace {

bool numberLike(const Variant& v) {
    return v.isNumber() || v.isBoolean() || v.isDate();
}

} // namespace

Order literalRuleOrder(const Variant& a0, const Variant& b0, bool hardA, bool hardB) {
    Variant ha, hb;
    const Variant* a = &a0;
    const Variant* b = &b0;
    if (a->isObject()) {
        ha = dereference(*a);
        a = &ha;
    }
    if (b->isObject()) {
        hb = dereference(*b);
        b = &hb;
    }
    bool mixed = (a->isString() && numberLike(*b)) || (numberLike(*a) && b->isString());
    if (mixed && (hardA || hardB)) {
        if (hardA && hardB) {
            // Both literals: the string is read as a number.
            if (a->isString())
                ha = Variant(toDouble(*a)), a = &ha;
            else
                hb = Variant(toDouble(*b)), b = &hb;
        } else if (hardA) {
            hb = a->isString() ? Variant(toText(*b)) : Variant(toDouble(*b));
            b = &hb;
        } else {
            ha = b->isString() ? Variant(toText(*a)) : Variant(toDouble(*a));
            a = &ha;
        }
    }
    // A Single beside a Double is compared at the Single's precision: CSng(0.1) = 0.1.
    if (a->varType() == vbSingle && b->isDouble())
        hb = Variant(float(b->rawDouble())), b = &hb;
    else if (b->varType() == vbSingle && a->isDouble())
        ha = Variant(float(a->rawDouble())), a = &ha;
    return compare(*a, *b, CompareMode::Binary);
}

bool literalRuleEquals(const Variant& a, const Variant& b, bool hardA, bool hardB) {
    return literalRuleOrder(a, b, hardA, hardB) == Order::Equal;
}

} // namespace zv::vbs
