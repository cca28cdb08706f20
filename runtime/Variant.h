#pragma once
// Variant: the language's universal value. It carries every subtype with its VarType code;
// Integer (16-bit), Long (32-bit), Single and Double stay distinct because scripts see them
// (TypeName) and callers rely on typed results. Strings are QString (implicitly shared),
// objects a shared Dispatch reference (a null one is Nothing), arrays a shared VArray with
// copy-on-write value semantics.

#include "VbError.h"

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace zv {

class Dispatch;
using DispatchPtr = std::shared_ptr<Dispatch>;
class VArray;

enum VarType : int {
    vbEmpty = 0,
    vbNull = 1,
    vbInteger = 2,
    vbLong = 3,
    vbSingle = 4,
    vbDouble = 5,
    vbCurrency = 6,
    vbDate = 7,
    vbString = 8,
    vbObject = 9,
    vbError = 10,
    vbBoolean = 11,
    vbVariant = 12,
    vbByte = 17,
    vbArray = 8192,
};

// The Error-subtype code that marks an optional argument the caller left out.
constexpr int32_t kMissingArgument = int32_t(0x80020004u);

class Variant {
public:
    Variant() noexcept : type_(vbEmpty) { u_.i64 = 0; }
    Variant(bool b) noexcept : type_(vbBoolean) {
        u_.i64 = 0;
        u_.b = b;
    }
    Variant(int16_t v) noexcept : type_(vbInteger) {
        u_.i64 = 0;
        u_.i16 = v;
    }
    Variant(int32_t v) noexcept : type_(vbLong) {
        u_.i64 = 0;
        u_.i32 = v;
    }
    Variant(uint8_t v) noexcept : type_(vbByte) {
        u_.i64 = 0;
        u_.u8 = v;
    }
    Variant(float v) noexcept : type_(vbSingle) {
        u_.i64 = 0;
        u_.f = v;
    }
    Variant(double v) noexcept : type_(vbDouble) { u_.d = v; }
    Variant(const QString& s) : type_(vbString) { new (&u_.s) QString(s); }
    Variant(QString&& s) noexcept : type_(vbString) { new (&u_.s) QString(std::move(s)); }
    Variant(const char* utf8) : Variant(QString::fromUtf8(utf8)) {}
    Variant(const char16_t* s) : Variant(QString::fromUtf16(s)) {}
    Variant(DispatchPtr o) noexcept : type_(vbObject) { new (&u_.o) DispatchPtr(std::move(o)); }
    Variant(std::nullptr_t) noexcept : Variant(DispatchPtr()) {}

    // Named makers for the subtypes that have no C++ type of their own.
    static Variant null() noexcept {
        Variant v;
        v.type_ = vbNull;
        return v;
    }
    static Variant date(double serial) noexcept {
        Variant v(serial);
        v.type_ = vbDate;
        return v;
    }
    // Currency is held scaled by 10,000, as the language does.
    static Variant currencyScaled(int64_t scaled) noexcept;
    static Variant error(int32_t code) noexcept;
    static Variant missing() noexcept { return error(kMissingArgument); }
    static Variant nothing() noexcept { return Variant(DispatchPtr()); }
    // A new array of Variants with the given bounds (lower, upper) per dimension, elements
    // Empty. An upper bound of lower - 1 gives an empty dimension.
    static Variant array(std::span<const std::pair<int32_t, int32_t>> bounds);
    static Variant array(std::initializer_list<std::pair<int32_t, int32_t>> bounds);
    // A one-dimensional array from 0 holding the given values.
    static Variant list(std::vector<Variant> values);
    // An array with no dimensions at all, as a dynamic array is before its first ReDim
    // (UBound raises 9). Split("") and Array() give list({}) instead: bounds 0 to -1.
    static Variant emptyArray();

    // Copies, moves and destruction of the subtypes that own nothing (numbers, Boolean, Date,
    // Empty, Null, Error) are inline bit copies: the script engine does them for every operand.
    Variant(const Variant& other) : type_(other.type_) {
        if (plain(type_))
            u_.i64 = other.u_.i64;
        else
            copyFrom(other);
    }
    Variant(Variant&& other) noexcept : type_(other.type_) {
        if (plain(type_)) {
            u_.i64 = other.u_.i64;
            other.type_ = vbEmpty;
            other.u_.i64 = 0;
        } else {
            moveFrom(other);
        }
    }
    Variant& operator=(const Variant& other) {
        if (plain(type_) && plain(other.type_)) {
            u_.i64 = other.u_.i64;
            type_ = other.type_;
            return *this;
        }
        return assignSlow(other);
    }
    Variant& operator=(Variant&& other) noexcept {
        if (plain(type_) && plain(other.type_)) {
            u_.i64 = other.u_.i64;
            type_ = other.type_;
            if (this != &other) {
                other.type_ = vbEmpty;
                other.u_.i64 = 0;
            }
            return *this;
        }
        return moveAssignSlow(other);
    }
    ~Variant() {
        if (!plain(type_)) release();
    }

    // The VarType code; arrays give vbArray + vbVariant.
    int varType() const noexcept { return type_; }
    bool isEmpty() const noexcept { return type_ == vbEmpty; }
    bool isNull() const noexcept { return type_ == vbNull; }
    bool isString() const noexcept { return type_ == vbString; }
    bool isObject() const noexcept { return type_ == vbObject; }
    bool isNothing() const noexcept { return type_ == vbObject && !u_.o; }
    bool isArray() const noexcept { return type_ & vbArray; }
    bool isError() const noexcept { return type_ == vbError; }
    bool isMissing() const noexcept { return type_ == vbError && u_.i32 == kMissingArgument; }
    // Integer, Long, Single, Double, Currency, Byte (not Boolean, not Date).
    bool isNumber() const noexcept;
    bool isInteger16() const noexcept { return type_ == vbInteger; }
    bool isLong() const noexcept { return type_ == vbLong; }
    bool isDouble() const noexcept { return type_ == vbDouble; }
    bool isBoolean() const noexcept { return type_ == vbBoolean; }
    bool isDate() const noexcept { return type_ == vbDate; }
    bool isCurrency() const noexcept { return type_ == vbCurrency; }

    // Raw access: valid only for the matching subtype (checked in debug builds).
    int16_t rawInteger() const noexcept { return u_.i16; }
    int32_t rawLong() const noexcept { return u_.i32; }
    float rawSingle() const noexcept { return u_.f; }
    double rawDouble() const noexcept { return u_.d; }
    double rawDate() const noexcept { return u_.d; }
    int64_t rawCurrency() const noexcept { return u_.i64; }
    bool rawBoolean() const noexcept { return u_.b; }
    uint8_t rawByte() const noexcept { return u_.u8; }
    int32_t rawError() const noexcept { return u_.i32; }
    const QString& rawString() const noexcept { return u_.s; }
    QString& rawStringMut() noexcept { return u_.s; }
    const DispatchPtr& rawObject() const noexcept { return u_.o; }

    // The array held (shared, read-only view) or, for writing, this Variant's own copy.
    const VArray& array() const;
    VArray& arrayMut();
    const std::shared_ptr<VArray>& arrayPtr() const noexcept { return u_.a; }

    // Numeric value of Integer, Long, Byte, Boolean, Single, Double, Currency, Date; 0 for
    // Empty. Other subtypes: 0 (callers check first).
    double numericValue() const noexcept;

    void clear() noexcept {
        if (!plain(type_)) release();
        type_ = vbEmpty;
        u_.i64 = 0;
    }
    void swap(Variant& other) noexcept;

    // Exact identity of subtype and value (arrays and objects by reference); for tests and
    // caches, not the language's "=".
    bool sameAs(const Variant& other) const;

private:
    friend class VArray;
    union Storage {
        Storage() {}
        ~Storage() {}
        int16_t i16;
        int32_t i32;
        int64_t i64;
        uint8_t u8;
        bool b;
        float f;
        double d;
        QString s;
        DispatchPtr o;
        std::shared_ptr<VArray> a;
    } u_;
    int type_;
    // Subtypes whose value is the bits of the union alone.
    static bool plain(int type) noexcept {
        // vbString and vbObject are adjacent codes; arrays have the vbArray bit (above all others).
        return unsigned(type) - unsigned(vbString) > 1u && type < vbArray;
    }
    void copyFrom(const Variant& other);
    void moveFrom(Variant& other) noexcept;
    void release() noexcept; // destroys what a String, Object or array holds
    Variant& assignSlow(const Variant& other);
    Variant& moveAssignSlow(Variant& other) noexcept;
};

// One dimension of an array: its lower bound and its number of elements.
struct ArrayDim {
    int32_t lower = 0;
    int32_t count = 0;
    int32_t upper() const { return int32_t(int64_t(lower) + count - 1); }
};

// The storage of an array: dimensions and elements, the first index varying fastest, so that
// growing the last dimension keeps every element where it is.
class VArray {
public:
    VArray() = default;
    explicit VArray(std::vector<ArrayDim> dims);

    int dimensions() const noexcept { return int(dims_.size()); }
    const ArrayDim& dim(int d) const; // d from 1; error 9 outside
    int32_t lbound(int d = 1) const { return dim(d).lower; }
    int32_t ubound(int d = 1) const { return dim(d).upper(); }
    size_t size() const noexcept { return data_.size(); }

    // Element by indexes, one per dimension; error 9 for a wrong count or an index outside.
    const Variant& at(std::span<const int32_t> idx) const;
    Variant& at(std::span<const int32_t> idx);
    // One-dimensional shortcut.
    const Variant& at1(int32_t i) const;
    Variant& at1(int32_t i);

    std::vector<Variant>& elements() noexcept { return data_; }
    const std::vector<Variant>& elements() const noexcept { return data_; }

    // ReDim: new dimensions; with preserve only the last dimension may change (else 9) and the
    // elements that remain keep their values. A fixed array refuses with 10.
    void redim(std::vector<ArrayDim> dims, bool preserve);
    // Erase of a fixed array: every element back to Empty.
    void resetElements();

    // A fixed-size array (declared with its bounds) cannot be re-dimensioned. It is fixed only in
    // the variable that declared it: a copy of it is an ordinary array, made at once.
    bool fixedSize = false;
    // While an element is bound by reference or the array is walked by For Each, the array is
    // locked: it cannot be re-dimensioned or erased (error 10), and copies of it are made at
    // once instead of being shared.
    int locks = 0;

private:
    size_t offset(std::span<const int32_t> idx) const;
    std::vector<ArrayDim> dims_;
    std::vector<Variant> data_;
};

} // namespace zv
