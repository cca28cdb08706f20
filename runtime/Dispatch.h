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
constexpr DispId kDispIdValue = 0;    // the default member
constexpr DispId kDispIdUnknown = -1; // no such member

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

// Walks a list of the elements taken when the walk starts: what the collection does later does
// not change the walk.
class ListEnumerator : public Enumerator {
public:
    explicit ListEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}
    bool next(Variant& out) override;

private:
    std::vector<Variant> items_;
    size_t pos_ = 0;
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

// The members of a class of objects: their names (matched case-blind with the Windows-1252
// rules), what each answers to and the functions that do it. A class builds its table once (see
// Binder.h for the typed way to fill one) and every object of the class follows it, so an
// object costs no index of its own and a name is found by one look-up in the class's index.
//
// Identifiers are given in the order the names are added, from 1; a name added again keeps its
// identifier. The default member (if any) is also reachable as kDispIdValue.
class MemberTable {
public:
    // A member's function for one kind of use: it gets the object it is used on (an object of
    // the class the table was built for) and the arguments.
    using Handler = std::function<Variant(Dispatch& self, Args args)>;
    struct Member {
        QString name; // as it was added
        Handler get;  // a property read (also a call, when there is no call)
        Handler let;  // an assignment; the value is the last argument
        Handler set;  // an assignment with Set
        Handler call; // a method call (also a read, when there is no get)
    };

    explicit MemberTable(QString typeName = QStringLiteral("Object"));

    // The name TypeName gives for the objects of the class.
    const QString& typeName() const { return typeName_; }
    // The identifier of a member, kDispIdUnknown when there is none; the empty name asks for
    // the default member.
    DispId find(QStringView name) const;
    // The member an identifier names (kDispIdValue: the default member), nullptr for none.
    const Member* member(DispId id) const;
    // The name a member was added with ("" for an unknown id).
    QString memberName(DispId id) const;
    // Uses a member of self: a call runs the call, else the get; a read the get, else the call;
    // Let and Set their handler. Unknown member: 438; an assignment to a member that takes
    // none, or one without a value: 450.
    Variant invoke(Dispatch& self, DispId id, Invoke kind, Args args) const;

    // The member of that name, added when there is none yet (filling its handlers replaces
    // those it had).
    Member& add(const QString& name);
    // Makes a member the default one (a name that is no member leaves no default).
    void setDefault(const QString& name);

private:
    QString typeName_;
    std::vector<Member> members_;
    QHash<QString, DispId> byName_; // upper-case name -> id
    DispId default_ = kDispIdUnknown;
};

// A Dispatch whose members are those of its class's table. The table must outlive the object
// (a class's table is built once and kept for the program's life).
class BoundDispatch : public Dispatch {
public:
    explicit BoundDispatch(const MemberTable& members) : members_(&members) {}

    QString typeName() const override { return members_->typeName(); }
    DispId memberId(const QString& name) const override { return members_->find(name); }
    Variant invoke(DispId id, Invoke kind, Args args) override {
        return members_->invoke(*this, id, kind, args);
    }
    // The name a member was added with ("" for an unknown id).
    QString memberName(DispId id) const { return members_->memberName(id); }
    const MemberTable& members() const { return *members_; }

private:
    const MemberTable* members_;
};

// An object with a table of its own, filled by the object itself with functions: the way to
// build one-off host objects (a collection, a procedure's description, a test's host). Classes
// with many objects build one table for the class instead (Binder.h).
class SimpleDispatch : public BoundDispatch {
public:
    using Getter = std::function<Variant(Args)>;
    using Setter = std::function<void(Args)>; // value is the last argument
    using Method = std::function<Variant(Args)>;

    explicit SimpleDispatch(QString typeName = QStringLiteral("Object"));
    SimpleDispatch(const SimpleDispatch&) = delete;
    SimpleDispatch& operator=(const SimpleDispatch&) = delete;

    // A method (also callable as a property get, as the language allows).
    void addMethod(const QString& name, Method fn);
    // A property with a getter and an optional setter (Let); Set is accepted too.
    void addProperty(const QString& name, Getter get, Setter set = {});
    // Makes an already registered member the default one.
    void setDefaultMember(const QString& name) { own_.setDefault(name); }

private:
    MemberTable own_;
};

// Raises 450 unless the argument count is within [min, max].
void checkArgCount(Args args, size_t min, size_t max);

} // namespace zv
