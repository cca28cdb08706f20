#pragma once
// Dispatch: the late-bound object interface. Host objects ("Vyn", "Fxp"), controls seen by
// scripts, the script engine's own objects and any object a procedure takes as "any object"
// implement it. Members are found by name (case-blind) and called with arguments by reference.

#include "Variant.h"

#include <QHash>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace zv {

enum class Invoke { Method = 1, Get = 2, Put = 4, PutRef = 8 };

using DispId = int32_t;
constexpr DispId kDispIdValue = 0;     // the default member
constexpr DispId kDispIdUnknown = -1;  // no such member

// Arguments of a call: pointers to the caller's Variants, so a callee can write results into
// arguments passed by reference. For Put and PutRef the value assigned is the last element.
using Args = std::span<Variant* const>;

// Walks the elements of a collection (For Each).
class Enumerator {
public:
    virtual ~Enumerator() = default;
    // The next element into out; false when there is none.
    virtual bool next(Variant& out) = 0;
};

class Dispatch : public std::enable_shared_from_this<Dispatch> {
public:
    virtual ~Dispatch() = default;

    // The name TypeName gives for the object.
    virtual QString typeName() const { return QStringLiteral("Object"); }
    // The identifier of a member (case-blind), kDispIdUnknown when there is none. The default
    // member answers to kDispIdValue; the empty name asks for it.
    virtual DispId memberId(const QString& name) const;
    // Invokes a member. Unknown member: 438; wrong use or argument count: 450; the member's
    // own failures as VbError.
    virtual Variant invoke(DispId id, Invoke kind, Args args);
    // For Each over the object; objects that are no collection raise 451.
    virtual std::unique_ptr<Enumerator> enumerate();

    // Conveniences for C++ callers, by name (438 for an unknown member).
    Variant invokeByName(const QString& name, Invoke kind, Args args);
    Variant get(const QString& name);
    Variant get(const QString& name, std::vector<Variant> args);
    void put(const QString& name, const Variant& value);
    void putRef(const QString& name, const Variant& value);
    // A method call whose arguments are passed by reference: the vector holds what the callee
    // wrote back.
    Variant call(const QString& name, std::vector<Variant>& args);
    Variant call(const QString& name, std::vector<Variant>&& args = {});
    // The default member's value (438 when the object has none).
    Variant defaultValue();
};

// Builds the argument span for a vector of Variants.
std::vector<Variant*> argPointers(std::vector<Variant>& values);

// The name index shared by the objects of one type that register the same members in the same
// order (defined in Dispatch.cpp).
struct MemberLayout;

// A Dispatch whose members are registered as functions: the simple way to build host objects.
// Names are matched case-blind with the Windows-1252 rules. Identifiers are given in
// registration order from 1; the default member (if any) is also reachable as kDispIdValue.
//
// Objects of one type nearly always register the same names in the same order. The first
// object of a type that is looked up publishes its name index; later objects of the type follow
// it while their registrations match it, and build an index of their own only from the first
// registration that differs. A wizard builds thousands of controls, so this saves an index (and
// a case-folded copy of every name) per control.
class SimpleDispatch : public Dispatch {
public:
    using Getter = std::function<Variant(Args)>;
    using Setter = std::function<void(Args)>;      // value is the last argument
    using Method = std::function<Variant(Args)>;

    explicit SimpleDispatch(QString typeName = QStringLiteral("Object"));

    QString typeName() const override { return typeName_; }
    DispId memberId(const QString& name) const override;
    Variant invoke(DispId id, Invoke kind, Args args) override;

    // A method (also callable as a property get, as the language allows).
    void addMethod(const QString& name, Method fn);
    // A property with a getter and an optional setter (Let); Set is accepted for objects.
    void addProperty(const QString& name, Getter get, Setter set = {});
    // Makes an already registered member the default one.
    void setDefaultMember(const QString& name);
    // The name a member was registered with ("" for an unknown id).
    QString memberName(DispId id) const;

protected:
    struct Member {
        QString name;
        Method method;
        Getter getter;
        Setter setter;
    };
    const Member* member(DispId id) const;

private:
    // Registers a name: the id it has (a new one or that of the member it already names).
    DispId registerName(const QString& name);
    // Leaves the shared index and builds one of this object's own from the names so far.
    void ownIndex();
    // Publishes this object's index for its type when no other object has done so.
    void publishLayout() const;
    DispId lookUp(QStringView name) const;

    QString typeName_;
    std::vector<Member> members_;
    // The shared index followed while the registrations match it, with how many were made...
    std::shared_ptr<const MemberLayout> layout_;
    size_t registered_ = 0;
    // ...else this object's own index: upper-case name -> id.
    QHash<QString, DispId> byName_;
    // The registrations of the first object of a type, kept until it publishes them.
    mutable std::shared_ptr<std::vector<std::pair<QString, DispId>>> record_;
    DispId default_ = kDispIdUnknown;
};

// Raises 450 unless the argument count is within [min, max].
void checkArgCount(Args args, size_t min, size_t max);

} // namespace zv
