#include "Variant.h"

#include "Dispatch.h"
#include "ValueLimit.h"

#include <algorithm>
#include <utility>

namespace zv {

Variant Variant::currencyScaled(int64_t scaled) noexcept {
    Variant v;
    v.type_ = vbCurrency;
    v.u_.i64 = scaled;
    return v;
}

Variant Variant::error(int32_t code) noexcept {
    Variant v;
    v.type_ = vbError;
    v.u_.i32 = code;
    return v;
}

Variant Variant::array(std::span<const std::pair<int32_t, int32_t>> bounds) {
    std::vector<ArrayDim> dims;
    dims.reserve(bounds.size());
    for (auto [lower, upper] : bounds) {
        const int64_t count = int64_t(upper) - lower + 1;
        if (count < 0) throw VbError(err::SubscriptOutOfRange);
        if (count > INT32_MAX) throw VbError(err::OutOfMemory);
        dims.push_back({lower, int32_t(count)});
    }
    // The storage first: a size that is refused must leave no half-made Variant behind.
    auto storage = std::make_shared<VArray>(std::move(dims));
    Variant v;
    new (&v.u_.a) std::shared_ptr<VArray>(std::move(storage));
    v.type_ = vbArray | vbVariant;
    return v;
}

Variant Variant::array(std::initializer_list<std::pair<int32_t, int32_t>> bounds) {
    return array(std::span<const std::pair<int32_t, int32_t>>(bounds.begin(), bounds.size()));
}

Variant Variant::list(std::vector<Variant> values) {
    Variant v = array({{0, int32_t(values.size()) - 1}});
    v.u_.a->elements() = std::move(values);
    return v;
}

Variant Variant::emptyArray() {
    auto storage = std::make_shared<VArray>();
    Variant v;
    new (&v.u_.a) std::shared_ptr<VArray>(std::move(storage));
    v.type_ = vbArray | vbVariant;
    return v;
}

Variant& Variant::assignSlow(const Variant& other) {
    if (this != &other) {
        // Copy first: other may live inside what this Variant holds (an array element).
        Variant copy(other);
        // An array stored into one of its own elements gets storage of its own: shared, the
        // storage would hold itself and never be freed.
        if ((copy.type_ & vbArray) && copy.u_.a) {
            const std::vector<Variant>& e = copy.u_.a->elements();
            if (!e.empty() && this >= e.data() && this < e.data() + e.size()) {
                auto own = std::make_shared<VArray>(*copy.u_.a);
                own->locks = 0;
                own->fixedSize = false;
                copy.u_.a = std::move(own);
            }
        }
        clear();
        moveFrom(copy);
    }
    return *this;
}

Variant& Variant::moveAssignSlow(Variant& other) noexcept {
    if (this != &other) {
        Variant taken;
        taken.moveFrom(other);
        clear();
        moveFrom(taken);
    }
    return *this;
}

void Variant::copyFrom(const Variant& other) {
    switch (other.type_) {
    case vbString:
        new (&u_.s) QString(other.u_.s);
        break;
    case vbObject:
        new (&u_.o) DispatchPtr(other.u_.o);
        break;
    default:
        if (other.type_ & vbArray) {
            // A locked array has elements bound by reference: a copy must not share them. A
            // fixed array is fixed only where it was declared: its copy is an ordinary array.
            if (other.u_.a && (other.u_.a->locks > 0 || other.u_.a->fixedSize)) {
                auto copy = std::make_shared<VArray>(*other.u_.a);
                copy->locks = 0;
                copy->fixedSize = false;
                new (&u_.a) std::shared_ptr<VArray>(std::move(copy));
            } else {
                new (&u_.a) std::shared_ptr<VArray>(other.u_.a);
            }
        } else {
            u_.i64 = other.u_.i64;
        }
    }
    type_ = other.type_;
}

void Variant::moveFrom(Variant& other) noexcept {
    switch (other.type_) {
    case vbString:
        new (&u_.s) QString(std::move(other.u_.s));
        other.u_.s.~QString();
        break;
    case vbObject:
        new (&u_.o) DispatchPtr(std::move(other.u_.o));
        other.u_.o.~DispatchPtr();
        break;
    default:
        if (other.type_ & vbArray) {
            new (&u_.a) std::shared_ptr<VArray>(std::move(other.u_.a));
            other.u_.a.~shared_ptr<VArray>();
        } else {
            u_.i64 = other.u_.i64;
        }
    }
    type_ = other.type_;
    other.type_ = vbEmpty;
    other.u_.i64 = 0;
}

namespace {

// Freeing a value frees what it holds, and so on down: arrays of arrays, objects whose fields
// hold objects. Up to this many levels that happens in nested calls; the values below are set
// aside and freed one after another by the outermost release, so that a value nested to any
// depth cannot exhaust the native stack.
constexpr int kMaxNestedRelease = 128;

struct ReleaseState {
    int depth = 0;
    bool draining = false;
    std::vector<Variant> deferred;
};

thread_local ReleaseState t_release;

} // namespace

void Variant::release() noexcept {
    if (type_ == vbString) {
        u_.s.~QString();
        return;
    }
    ReleaseState& st = t_release;
    const bool last = type_ == vbObject ? u_.o.use_count() == 1 : u_.a.use_count() == 1;
    if (last && st.depth >= kMaxNestedRelease) {
        try {
            st.deferred.emplace_back().moveFrom(*this);
            return;
        } catch (...) {
            // No room to set it aside: freed here.
        }
    }
    ++st.depth;
    if (type_ == vbObject)
        u_.o.~DispatchPtr();
    else
        u_.a.~shared_ptr<VArray>();
    --st.depth;
    if (st.depth == 0 && !st.draining && !st.deferred.empty()) {
        st.draining = true;
        while (!st.deferred.empty()) {
            Variant next(std::move(st.deferred.back()));
            st.deferred.pop_back();
        }
        st.draining = false;
        if (st.deferred.capacity() > 4096) std::vector<Variant>().swap(st.deferred);
    }
}

void Variant::swap(Variant& other) noexcept {
    Variant tmp;
    tmp.moveFrom(other);
    other.moveFrom(*this);
    moveFrom(tmp);
}

bool Variant::isNumber() const noexcept {
    switch (type_) {
    case vbInteger:
    case vbLong:
    case vbSingle:
    case vbDouble:
    case vbCurrency:
    case vbByte:
        return true;
    default:
        return false;
    }
}

double Variant::numericValue() const noexcept {
    switch (type_) {
    case vbInteger:
        return u_.i16;
    case vbLong:
        return u_.i32;
    case vbByte:
        return u_.u8;
    case vbBoolean:
        return u_.b ? -1.0 : 0.0;
    case vbSingle:
        return u_.f;
    case vbDouble:
    case vbDate:
        return u_.d;
    case vbCurrency:
        return double(u_.i64) / 10000.0;
    default:
        return 0.0;
    }
}

const VArray& Variant::array() const {
    if (!(type_ & vbArray)) throw VbError(err::TypeMismatch);
    return *u_.a;
}

VArray& Variant::arrayMut() {
    if (!(type_ & vbArray)) throw VbError(err::TypeMismatch);
    // A locked array is never shared with another Variant (copies of it are made at once);
    // its other holders are the locks' owners, which must see the writes.
    if (u_.a.use_count() > 1 && u_.a->locks == 0) {
        auto copy = std::make_shared<VArray>(*u_.a);
        copy->locks = 0;
        u_.a = std::move(copy);
    }
    return *u_.a;
}

bool Variant::sameAs(const Variant& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
    case vbEmpty:
    case vbNull:
        return true;
    case vbString:
        return u_.s == other.u_.s;
    case vbObject:
        return u_.o == other.u_.o;
    case vbInteger:
        return u_.i16 == other.u_.i16;
    case vbLong:
    case vbError:
        return u_.i32 == other.u_.i32;
    case vbByte:
        return u_.u8 == other.u_.u8;
    case vbBoolean:
        return u_.b == other.u_.b;
    case vbSingle:
        return u_.f == other.u_.f;
    case vbDouble:
    case vbDate:
        return u_.d == other.u_.d;
    case vbCurrency:
        return u_.i64 == other.u_.i64;
    default:
        if (type_ & vbArray) {
            if (u_.a == other.u_.a) return true;
            const VArray& x = *u_.a;
            const VArray& y = *other.u_.a;
            if (x.dimensions() != y.dimensions() || x.size() != y.size()) return false;
            for (int d = 1; d <= x.dimensions(); ++d)
                if (x.lbound(d) != y.lbound(d) || x.ubound(d) != y.ubound(d)) return false;
            for (size_t i = 0; i < x.size(); ++i)
                if (!x.elements()[i].sameAs(y.elements()[i])) return false;
            return true;
        }
        return false;
    }
}

// ---- VArray ----

namespace {

// The number of elements of an array with these dimensions; 7 when it passes the size limit
// (also when the product of the counts would not even fit in a number).
size_t elementCount(const std::vector<ArrayDim>& dims) {
    int64_t n = dims.empty() ? 0 : 1;
    for (const auto& d : dims) {
        if (__builtin_mul_overflow(n, int64_t(std::max(d.count, 0)), &n))
            throw VbError(err::OutOfMemory);
        checkArrayLength(n);
    }
    return size_t(n);
}

} // namespace

VArray::VArray(std::vector<ArrayDim> dims) : dims_(std::move(dims)) {
    data_.resize(elementCount(dims_));
}

const ArrayDim& VArray::dim(int d) const {
    if (d < 1 || d > int(dims_.size())) throw VbError(err::SubscriptOutOfRange);
    return dims_[size_t(d - 1)];
}

size_t VArray::offset(std::span<const int32_t> idx) const {
    if (idx.size() != dims_.size()) throw VbError(err::SubscriptOutOfRange);
    size_t off = 0;
    size_t stride = 1;
    for (size_t k = 0; k < dims_.size(); ++k) {
        int64_t rel = int64_t(idx[k]) - dims_[k].lower;
        if (rel < 0 || rel >= dims_[k].count) throw VbError(err::SubscriptOutOfRange);
        off += size_t(rel) * stride;
        stride *= size_t(dims_[k].count);
    }
    return off;
}

const Variant& VArray::at(std::span<const int32_t> idx) const {
    return data_[offset(idx)];
}

Variant& VArray::at(std::span<const int32_t> idx) {
    return data_[offset(idx)];
}

const Variant& VArray::at1(int32_t i) const {
    return at(std::span<const int32_t>(&i, 1));
}

Variant& VArray::at1(int32_t i) {
    return at(std::span<const int32_t>(&i, 1));
}

void VArray::redim(std::vector<ArrayDim> dims, bool preserve) {
    if (fixedSize || locks > 0) throw VbError(err::ArrayFixed);
    for (const auto& d : dims)
        if (d.count < 0) throw VbError(err::SubscriptOutOfRange);
    if (!preserve || dims_.empty()) {
        *this = VArray(std::move(dims));
        return;
    }
    if (dims.size() != dims_.size()) throw VbError(err::SubscriptOutOfRange);
    for (size_t k = 0; k + 1 < dims.size(); ++k)
        if (dims[k].lower != dims_[k].lower || dims[k].count != dims_[k].count)
            throw VbError(err::SubscriptOutOfRange);
    // The first index varies fastest, so the elements of the old last-dimension slices keep
    // their offsets; only the count of slices changes. A new lower bound shifts the indexes.
    data_.resize(elementCount(dims));
    dims_ = std::move(dims);
}

void VArray::resetElements() {
    if (locks > 0) throw VbError(err::ArrayFixed);
    for (auto& v : data_)
        v.clear();
}

} // namespace zv
