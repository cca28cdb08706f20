// Variables and stores: the storage a name stands for, assignment to variables, array
// elements, default members and properties.

#include "Convert.h"
#include "Interpreter.h"

namespace zv::vbs {

// The storage of a variable named without arguments; nullptr when the name is no variable
// (a constant, a procedure, a named object, a built-in). With create, a name nothing defines
// becomes a variable (or raises 500 under Option Explicit).
Variant* Interpreter::variable(const NameExpr* n, Frame& f, bool create) {
    const NameRef& r = n->ref;
    switch (r.kind) {
    case RefKind::Local:
        return r.constant ? nullptr : &f.slot(r.slot);
    case RefKind::Member: {
        const ClassMember& m = memberOf(n, f);
        return m.kind == MemberKind::Field ? &f.me->field(m.field) : nullptr;
    }
    case RefKind::Global:
    case RefKind::LocalOrGlobal: {
        GlobalCell& cell = *r.cell;
        if (cell.kind == CellKind::Variable) return &cell.value;
        if (cell.kind != CellKind::Unset) return nullptr;
        if (r.kind == RefKind::LocalOrGlobal) return &f.slot(r.slot);
        if (!memberObjects_.empty()) {
            DispatchPtr obj; // a member of an object added with its members: no variable
            DispId id;
            if (hostMember(n->name, obj, id)) return nullptr;
        }
        if (r.explicitOnly) raise(err::VariableUndefined, n->name);
        if (!create) return nullptr;
        cell.kind = CellKind::Variable;
        cell.name = n->name;
        return &cell.value;
    }
    default:
        return nullptr;
    }
}

void Interpreter::assignVariable(Variant& target, Variant&& value) {
    if (target.isArray() && target.array().locks > 0) raise(err::ArrayFixed);
    target = std::move(value);
}

// A member of the running method's own object: a field is a variable; a property is set
// through its Let (or Set) procedure, with the value as the last argument.
void Interpreter::storeMember(const NameExpr* n, Variant&& value, Frame& f, bool isSet) {
    const ClassMember& m = memberOf(n, f);
    if (m.kind == MemberKind::Field) {
        Variant& field = f.me->field(m.field);
        if (n->args.empty()) {
            assignVariable(field, std::move(value));
            return;
        }
        if (field.isArray()) {
            std::vector<int32_t> idx;
            for (const auto& a : n->args)
                idx.push_back(subscript(a.get(), f));
            Variant& again = f.me->field(m.field);
            if (!again.isArray()) raise(err::TypeMismatch, n->name);
            again.arrayMut().at(idx) = std::move(value);
            return;
        }
        if (field.isObject() && field.rawObject()) {
            invokeHost(field.rawObject(), kDispIdValue, isSet ? Invoke::PutRef : Invoke::Put,
                       n->args, f, &value, n->name);
            return;
        }
        raise(err::TypeMismatch, n->name);
    }
    const ProcedurePtr* put = nullptr;
    if (m.kind == MemberKind::Property) put = isSet ? &m.set : &m.let;
    if (!put || !*put)
        raise(m.kind == MemberKind::Property ? err::NoSuchMember : err::IllegalAssignment, n->name);
    // The index arguments and the value are passed by value.
    std::vector<Variant> values;
    values.reserve(n->args.size() + 1);
    for (const auto& a : n->args)
        values.push_back(eval(a.get(), f));
    values.push_back(std::move(value));
    std::vector<Variant*> ptrs = argPointers(values);
    callMethod(*put, f.me, ptrs);
}

void Interpreter::store(const Expr* target, Variant value, Frame& f, bool isSet) {
    switch (target->kind) {
    case ExprKind::Name: {
        auto* n = static_cast<const NameExpr*>(target);
        if (n->ref.kind == RefKind::Member) {
            storeMember(n, std::move(value), f, isSet);
            return;
        }
        if (!n->hasParens && n->args.empty()) {
            DispatchPtr obj;
            DispId id;
            if (n->ref.kind != RefKind::Local && n->ref.kind != RefKind::Builtin &&
                n->ref.cell->kind == CellKind::Unset && hostMember(n->name, obj, id)) {
                invokeHost(obj, id, isSet ? Invoke::PutRef : Invoke::Put, n->args, f, &value,
                           n->name);
                return;
            }
            Variant* var = variable(n, f, true);
            if (!var) raise(err::IllegalAssignment, n->name);
            assignVariable(*var, std::move(value));
            return;
        }
        // An element of an array, or the default member of an object.
        Variant* var = nullptr;
        if (n->ref.kind == RefKind::Builtin) raise(err::IllegalAssignment, n->name);
        if (n->ref.kind == RefKind::Local) {
            var = &f.slot(n->ref.slot);
        } else {
            GlobalCell& cell = *n->ref.cell;
            if (cell.kind == CellKind::Variable || cell.kind == CellKind::Object)
                var = &cell.value;
            else if (cell.kind == CellKind::Unset && n->ref.kind == RefKind::LocalOrGlobal)
                var = &f.slot(n->ref.slot);
            else if (cell.kind == CellKind::Unset && n->ref.explicitOnly)
                raise(err::VariableUndefined, n->name);
            else if (cell.kind != CellKind::Unset)
                raise(err::IllegalAssignment, n->name);
        }
        if (var && var->isArray()) {
            std::vector<int32_t> idx;
            idx.reserve(n->args.size());
            for (const auto& a : n->args)
                idx.push_back(subscript(a.get(), f));
            if (!var->isArray()) raise(err::TypeMismatch, n->name);
            var->arrayMut().at(idx) = std::move(value);
            return;
        }
        if (var && var->isObject()) {
            DispatchPtr obj = var->rawObject();
            if (!obj) raise(err::ObjectNotSet, n->name);
            invokeHost(obj, kDispIdValue, isSet ? Invoke::PutRef : Invoke::Put, n->args, f, &value,
                       n->name);
            return;
        }
        raise(err::TypeMismatch, n->name);
    }
    case ExprKind::Member: {
        auto* m = static_cast<const MemberExpr*>(target);
        DispatchPtr obj = objectOf(m, f);
        DispId id = obj->memberId(m->name);
        if (id == kDispIdUnknown) raise(err::NoSuchMember, m->name);
        invokeHost(obj, id, isSet ? Invoke::PutRef : Invoke::Put, m->args, f, &value, m->name);
        return;
    }
    case ExprKind::Index: {
        auto* ix = static_cast<const IndexExpr*>(target);
        Variant holder = eval(ix->target.get(), f);
        if (holder.isObject() && holder.rawObject()) {
            invokeHost(holder.rawObject(), kDispIdValue, isSet ? Invoke::PutRef : Invoke::Put,
                       ix->args, f, &value, QString());
            return;
        }
        raise(err::TypeMismatch);
    }
    default:
        raise(err::IllegalAssignment);
    }
}

} // namespace zv::vbs
