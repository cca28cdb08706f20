#pragma once
// The typed way to fill a class's MemberTable (Dispatch.h): a class says once which members its
// objects have, of what kind (a property read, assigned with or without Set, a method), and
// with which C++ functions; the binder checks the argument count, converts each argument and
// the result, and passes by-reference arguments as the caller's own variables, so that what the
// function writes into them is what the caller finds there afterwards.
//
//     const MemberTable& VbGrid::memberTable() {
//         static const MemberTable table = [] {
//             MemberTable t = controlTable(QStringLiteral("Grid")); // every control's members
//             addPositionMembers(t);                                // and a group of them
//             Members<VbGrid>(t)
//                 .property<int32_t>(QStringLiteral("Rows"), &VbGrid::rows, &VbGrid::setRows)
//                 .property<QString>(QStringLiteral("Text"), &VbGrid::text, &VbGrid::setText)
//                 .defaultMember(QStringLiteral("Text"))
//                 .method(QStringLiteral("AddItem"), &VbGrid::addItem);
//             return t;
//         }();
//         return table;
//     }
//
// (addItem(const QString&, int16_t) takes a String and an Integer), and each object passes the
// table to BoundDispatch (or to the base class that does).
//
// Conversions. A value of type V goes to and from scripts through ScriptValue<V>: bool
// (Boolean), int16_t (Integer), int32_t (Long), float (Single), double (Double), QString
// (String), Variant (as it is), DispatchPtr (an object; results only) and Measure (below).
// Their errors are the language's (13 type mismatch, 6 overflow, 94 Null). A library adds its
// own by specialising ScriptValue for a type of its own.
//
// Errors the binder raises: 450 when a method gets more or fewer arguments than its function
// has parameters, when a property read gets any or an assignment other than one; 449 for a
// missing argument where the table refuses them (refuseMissing); 438 (from the table) for an
// unknown member or a use the member has not.

#include "Convert.h"
#include "Dispatch.h"
#include "VbError.h"

#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace zv {

// How a C++ value of type V is read from a script's value (from) and given to one (to).
template <class V> struct ScriptValue;

template <> struct ScriptValue<Variant> {
    static const Variant& from(const Variant& v) { return v; }
    static Variant to(Variant v) { return v; }
};
template <> struct ScriptValue<bool> {
    static bool from(const Variant& v) { return CBool(v); }
    static Variant to(bool v) { return Variant(v); }
};
template <> struct ScriptValue<int16_t> {
    static int16_t from(const Variant& v) { return CInt(v); }
    static Variant to(int v) { return Variant(int16_t(v)); }
};
template <> struct ScriptValue<int32_t> {
    static int32_t from(const Variant& v) { return CLng(v); }
    static Variant to(int32_t v) { return Variant(v); }
};
template <> struct ScriptValue<float> {
    static float from(const Variant& v) { return CSng(v); }
    static Variant to(float v) { return Variant(v); }
};
template <> struct ScriptValue<double> {
    static double from(const Variant& v) { return CDbl(v); }
    static Variant to(double v) { return Variant(v); }
};
template <> struct ScriptValue<QString> {
    static QString from(const Variant& v) { return CStr(v); }
    static Variant to(const QString& v) { return Variant(v); }
};
template <> struct ScriptValue<DispatchPtr> {
    static Variant to(DispatchPtr v) { return Variant(std::move(v)); }
};

// A measure (a position, a size, a font size): given to scripts as a Single, read from them as
// a Double, so that the member itself checks the value at its full size.
struct Measure {};
template <> struct ScriptValue<Measure> {
    static double from(const Variant& v) { return CDbl(v); }
    static Variant to(double v) { return Variant(float(v)); }
};

namespace binder {

// The parameters and result of a function bound as a member: a member function of the class
// (or of a base), or a callable whose first parameter is the object.
template <class F> struct Signature : Signature<decltype(&F::operator())> {};
template <class C, class R, class Self, class... P> struct Signature<R (C::*)(Self, P...) const> {
    using Result = R;
    using Params = std::tuple<P...>;
};
template <class R, class Self, class... P> struct Signature<R (*)(Self, P...)> {
    using Result = R;
    using Params = std::tuple<P...>;
};
// A member function's parameters are all the script's arguments (the object is the one it is
// called on); a callable's first parameter is the object.
template <class F> struct MemberSignature : Signature<F> {};
template <class C, class R, class... P> struct MemberSignature<R (C::*)(P...)> {
    using Result = R;
    using Params = std::tuple<P...>;
};
template <class C, class R, class... P> struct MemberSignature<R (C::*)(P...) const> {
    using Result = R;
    using Params = std::tuple<P...>;
};

// What a parameter of type P receives: a Variant parameter the caller's own variable (so a
// Variant& writes back into it), any other the argument converted by ScriptValue.
template <class P>
using Stored = std::conditional_t<std::is_same_v<std::remove_cvref_t<P>, Variant>, Variant&,
                                  decltype(ScriptValue<std::remove_cvref_t<P>>::from(
                                      std::declval<const Variant&>()))>;

template <class P> Stored<P> argument(Variant& v) {
    using D = std::remove_cvref_t<P>;
    static_assert(std::is_same_v<D, Variant> || !std::is_lvalue_reference_v<P> ||
                      std::is_const_v<std::remove_reference_t<P>>,
                  "a by-reference parameter must be a Variant&");
    if constexpr (std::is_same_v<D, Variant>)
        return v;
    else
        return ScriptValue<D>::from(v);
}

// Runs f on self with the arguments converted, left to right, and gives its result to scripts.
template <class R, class... P, class T, class F, size_t... I>
Variant apply(const F& f, T& self, [[maybe_unused]] Args a, std::index_sequence<I...>) {
    std::tuple<Stored<P>...> converted{argument<P>(*a[I])...};
    if constexpr (std::is_void_v<R>) {
        std::apply([&](auto&&... v) { std::invoke(f, self, std::forward<decltype(v)>(v)...); },
                   std::move(converted));
        return Variant();
    } else {
        return ScriptValue<std::remove_cvref_t<R>>::to(std::apply(
            [&](auto&&... v) -> decltype(auto) {
                return std::invoke(f, self, std::forward<decltype(v)>(v)...);
            },
            std::move(converted)));
    }
}

template <class R, class Tuple> struct Applier;
template <class R, class... P> struct Applier<R, std::tuple<P...>> {
    static constexpr size_t count = sizeof...(P);
    template <class T, class F> static Variant run(const F& f, T& self, Args a) {
        return apply<R, P...>(f, self, a, std::index_sequence_for<P...>{});
    }
};

inline void noArguments(Args a) {
    if (!a.empty()) throw VbError(err::WrongArgCount);
}

inline const Variant& assigned(Args a) {
    if (a.size() != 1) throw VbError(err::WrongArgCount);
    return *a[0];
}

} // namespace binder

// Fills a MemberTable with the members of objects of class T (or of a class derived from it).
// Each function added is either a member function of T (or of a base of T) or a callable whose
// first parameter is T& (or const T&).
template <class T> class Members {
public:
    explicit Members(MemberTable& table) : table_(table) {}

    // A property read through get (no arguments) and, when set is given, assigned through it
    // with or without Set (exactly one argument), the value converted as a V.
    template <class V, class G> Members& property(const QString& name, G get) {
        MemberTable::Member& m = table_.add(name);
        m.get = [get, guard = guard_](Dispatch& d, Args a) {
            binder::noArguments(a);
            T& obj = self(d);
            if (guard) guard(obj);
            return ScriptValue<V>::to(std::invoke(get, obj));
        };
        m.let = m.set = {};
        return *this;
    }
    template <class V, class G, class S> Members& property(const QString& name, G get, S set) {
        property<V>(name, std::move(get));
        MemberTable::Member& m = table_.add(name);
        m.let = [set, guard = guard_](Dispatch& d, Args a) {
            const Variant& value = binder::assigned(a);
            T& obj = self(d);
            if (guard) guard(obj);
            std::invoke(set, obj, ScriptValue<V>::from(value));
            return Variant();
        };
        m.set = m.let;
        return *this;
    }

    // A method: exactly as many arguments as the function has parameters (else 450), each
    // converted by its parameter's type; a Variant& parameter is the caller's own variable. The
    // result goes to scripts by its type (a void function gives Empty).
    template <class F> Members& method(const QString& name, F fn) {
        using Sig = binder::MemberSignature<F>;
        using Run = binder::Applier<typename Sig::Result, typename Sig::Params>;
        const bool refuse = refuseMissing_;
        const auto guard = guard_;
        table_.add(name).call = [fn, refuse, guard](Dispatch& d, Args a) {
            checkArgCount(a, Run::count, Run::count);
            if (refuse)
                for (const Variant* v : a)
                    if (v->isMissing()) throw VbError(err::ArgumentNotOptional);
            T& obj = self(d);
            if (guard) guard(obj);
            return Run::run(fn, obj, a);
        };
        return *this;
    }

    // Members that take their arguments as they come and check them themselves: a method
    // fn(T&, Args) -> Variant, a property read get(T&, Args) -> Variant and its assignment
    // let(T&, Args) (with or without Set; the value is the last argument).
    template <class F> Members& methodWithArgs(const QString& name, F fn) {
        table_.add(name).call = [fn](Dispatch& d, Args a) -> Variant {
            return std::invoke(fn, self(d), a);
        };
        return *this;
    }
    template <class G> Members& propertyWithArgs(const QString& name, G get) {
        MemberTable::Member& m = table_.add(name);
        m.get = [get](Dispatch& d, Args a) -> Variant { return std::invoke(get, self(d), a); };
        m.let = m.set = {};
        return *this;
    }
    template <class G, class S> Members& propertyWithArgs(const QString& name, G get, S let) {
        propertyWithArgs(name, std::move(get));
        MemberTable::Member& m = table_.add(name);
        m.let = [let](Dispatch& d, Args a) {
            std::invoke(let, self(d), a);
            return Variant();
        };
        m.set = m.let;
        return *this;
    }

    // Makes an already added member the default one.
    Members& defaultMember(const QString& name) {
        table_.setDefault(name);
        return *this;
    }
    // The methods added after this refuse a missing argument with 449.
    Members& refuseMissing() {
        refuseMissing_ = true;
        return *this;
    }
    // The typed properties and methods added after this run check on the object once their
    // argument count is right and before any argument is converted (an object that must still
    // be usable raises its error before the arguments are looked at).
    Members& checkFirst(std::function<void(T&)> check) {
        guard_ = std::move(check);
        return *this;
    }

private:
    static T& self(Dispatch& d) { return static_cast<T&>(d); }

    MemberTable& table_;
    bool refuseMissing_ = false;
    std::function<void(T&)> guard_;
};

} // namespace zv
