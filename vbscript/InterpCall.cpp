// Calls and variables: argument binding (a variable or an array element is passed by
// reference, anything else as a temporary whose changes are dropped), script procedure calls,
// host object calls, and stores into variables, elements and properties.

#include "Builtin.h"
#include "Convert.h"
#include "Interpreter.h"
#include "StackGuard.h"

#include <optional>

namespace zv::vbs {

namespace {

// An array whose element is bound to a parameter: locked (ReDim, Erase and assignment of the
// whole array raise 10) and kept alive until the call returns.
struct ArrayPin {
    std::shared_ptr<VArray> array;
    explicit ArrayPin(std::shared_ptr<VArray> a) : array(std::move(a)) { ++array->locks; }
    ArrayPin(ArrayPin&& o) noexcept : array(std::move(o.array)) {}
    ArrayPin& operator=(ArrayPin&&) = delete;
    ~ArrayPin() {
        if (array) --array->locks;
    }
};

// A readable name of an expression for error messages ("" when it has none).
QString nameOf(const Expr* e) {
    if (!e) return {};
    if (e->kind == ExprKind::Name) return static_cast<const NameExpr*>(e)->name;
    if (e->kind == ExprKind::Member) return static_cast<const MemberExpr*>(e)->name;
    return {};
}

} // namespace

// Binds the arguments of one call: each is the caller's variable (by reference) or a
// temporary of this binder.
class CallBinder {
public:
    explicit CallBinder(Interpreter& in) : in_(in) {}

    Variant* bind(const Expr* a, Frame& f, Variant& temp) {
        if (a->kind == ExprKind::Name) {
            auto* n = static_cast<const NameExpr*>(a);
            if (!n->hasParens && n->args.empty()) {
                if (n->ref.kind == RefKind::Local && !n->ref.constant) return &f.slot(n->ref.slot);
                if (n->ref.kind == RefKind::Member) {
                    if (Variant* field = in_.variable(n, f, false)) return field;
                } else if (n->ref.kind == RefKind::Global ||
                           n->ref.kind == RefKind::LocalOrGlobal) {
                    CellKind k = n->ref.cell->kind;
                    DispatchPtr obj;
                    DispId id;
                    bool member = k == CellKind::Unset && in_.hostMember(n->name, obj, id);
                    if ((k == CellKind::Variable || k == CellKind::Unset) && !member)
                        return in_.variable(n, f, true);
                }
            } else if (n->args.size() >= 1 && n->ref.kind != RefKind::Builtin) {
                if (Variant* element = bindElement(n, f)) return element;
            }
        } else if (a->kind == ExprKind::Missing) {
            temp = Variant::missing();
            return &temp;
        }
        temp = in_.eval(a, f);
        return &temp;
    }

private:
    // name(i, ...) naming an element of an array variable.
    Variant* bindElement(const NameExpr* n, Frame& f) {
        Variant* var = nullptr;
        if (n->ref.kind == RefKind::Local) {
            var = &f.slot(n->ref.slot);
        } else if (n->ref.kind == RefKind::Member) {
            var = in_.variable(n, f, false);
        } else {
            CellKind k = n->ref.cell->kind;
            if (k == CellKind::Variable)
                var = &n->ref.cell->value;
            else if (k == CellKind::Unset && n->ref.kind == RefKind::LocalOrGlobal)
                var = &f.slot(n->ref.slot);
        }
        if (!var || !var->isArray()) return nullptr;
        std::vector<int32_t> idx;
        idx.reserve(n->args.size());
        for (const auto& e : n->args)
            idx.push_back(in_.subscript(e.get(), f));
        if (!var->isArray()) in_.raise(err::TypeMismatch, n->name);
        Variant& element = var->arrayMut().at(idx);
        pins_.emplace_back(var->arrayPtr());
        return &element;
    }

    Interpreter& in_;
    std::vector<ArrayPin> pins_;
};

// A procedure redefined while it runs stays alive in retired_ (see defineUnit), so the
// reference taken from its cell is valid for the whole call.
// Objects released by the call (its locals) are terminated once its frame is gone.
Variant Interpreter::callScript(const Procedure& p, const std::vector<ExprPtr>& args, Frame& f,
                                ClassInstance* me) {
    if (args.size() != p.params.size()) raise(err::WrongArgCount, p.name);
    if (depth_ >= kMaxCallDepth || belowStackLimit(stackLimit_)) raise(err::OutOfStack);
    Variant result;
    {
        FrameStorage storage(stack_, p.slotCount);
        std::optional<CallBinder> binder; // only when a variable may be passed by reference
        for (size_t i = 0; i < args.size(); ++i) {
            const Expr* a = args[i].get();
            Slot& slot = storage.base[i];
            if (a->kind == ExprKind::Name && !p.params[i].byVal) {
                // A local variable is bound at once; other names go through the binder.
                auto* n = static_cast<const NameExpr*>(a);
                if (a->access == Access::Local && !n->ref.constant) {
                    slot.ref = &f.slot(a->accessSlot);
                    continue;
                }
                if (!binder) binder.emplace(*this);
                slot.ref = binder->bind(a, f, slot.value);
            } else if (a->kind == ExprKind::Missing) {
                slot.value = Variant::missing();
            } else {
                // The slot holds Empty: its value is built in place.
                new (&slot.value) Variant(evalQuick(a, f));
            }
        }
        runProcedure(p, storage.base, me, result);
    }
    if (!pendingTerminates_.empty()) [[unlikely]]
        terminatePending();
    return result;
}

Variant Interpreter::invokeHost(const DispatchPtr& obj, DispId id, Invoke kind,
                                const std::vector<ExprPtr>& args, Frame& f, const Variant* value,
                                const QString& name) {
    size_t n = args.size() + (value ? 1 : 0);
    constexpr size_t kInline = 4;
    Variant inlineTemps[kInline];
    Variant* inlinePtrs[kInline];
    std::vector<Variant> heapTemps;
    std::vector<Variant*> heapPtrs;
    Variant* temps = inlineTemps;
    Variant** ptrs = inlinePtrs;
    if (n > kInline) {
        heapTemps.resize(n);
        heapPtrs.resize(n);
        temps = heapTemps.data();
        ptrs = heapPtrs.data();
    }
    CallBinder binder(*this);
    for (size_t i = 0; i < args.size(); ++i)
        ptrs[i] = binder.bind(args[i].get(), f, temps[i]);
    if (value) {
        temps[n - 1] = *value;
        ptrs[n - 1] = &temps[n - 1];
    }
    DispatchPtr hold = obj;
    try {
        return hold->invoke(id, kind, Args(ptrs, n));
    } catch (const ScriptRuntimeError& e) {
        // An error in a method of a script class keeps its place in the class's code; an error
        // of script code that a host method ran is the host's error here.
        if (dynamic_cast<const ClassInstance*>(hold.get())) throw;
        throw VbError(e.number(), e.description(), e.source());
    } catch (const VbError& e) {
        if (e.number() == err::NoSuchMember && e.description() == vbErrorText(err::NoSuchMember))
            raise(err::NoSuchMember, name);
        throw;
    }
}

// A name with arguments (or a call statement): an array element, a call of a script
// procedure or built-in, or the default member of an object.
Variant Interpreter::evalApply(const NameExpr* n, Frame& f, bool asStatement) {
    const NameRef& r = n->ref;
    Invoke kind = asStatement ? Invoke::Method : Invoke::Get;
    switch (r.kind) {
    case RefKind::Local: {
        const Variant& v = f.slot(r.slot);
        if (v.isArray() && n->args.size() == 1) {
            int32_t i = subscript(n->args[0].get(), f);
            return f.slot(r.slot).array().at1(i);
        }
        if (asStatement && n->args.empty() && !v.isObject()) raise(err::TypeMismatch, n->name);
        return indexValue(v, n->args, f, n->name, kind);
    }
    case RefKind::Global:
    case RefKind::LocalOrGlobal: {
        GlobalCell& cell = *r.cell;
        switch (cell.kind) {
        case CellKind::Procedure:
            return callScript(*cell.proc, n->args, f);
        case CellKind::Variable:
        case CellKind::Constant:
        case CellKind::Object:
            if (cell.value.isArray() && n->args.size() == 1) {
                int32_t i = subscript(n->args[0].get(), f);
                if (cell.value.isArray()) return cell.value.array().at1(i);
            }
            if (asStatement && n->args.empty() && !cell.value.isObject())
                raise(err::TypeMismatch, n->name);
            return indexValue(cell.value, n->args, f, n->name, kind);
        case CellKind::Unset: {
            DispatchPtr obj;
            DispId id;
            if (hostMember(n->name, obj, id))
                return invokeHost(obj, id, kind, n->args, f, nullptr, n->name);
            if (r.kind == RefKind::LocalOrGlobal) {
                const Variant& v = f.slot(r.slot);
                if (!v.isEmpty() && !(asStatement && n->args.empty()))
                    return indexValue(v, n->args, f, n->name, kind);
            } else if (r.explicitOnly) {
                raise(err::VariableUndefined, n->name);
            }
            // Calling a name that nothing defines.
            raise(err::TypeMismatch, n->name);
        }
        case CellKind::Class:
            raise(err::TypeMismatch, n->name);
        }
        break;
    }
    case RefKind::Builtin: {
        if (!asStatement && r.builtin->statementOnly) raise(err::TypeMismatch);
        Variant v = callBuiltin(n, f);
        if (asStatement && r.builtin->conversion) raise(err::UnsupportedAutomationType);
        return v;
    }
    case RefKind::Member:
        return memberValue(n, f, asStatement);
    case RefKind::Unresolved:
        break;
    }
    raise(err::TypeMismatch, n->name);
}

const ClassMember& Interpreter::memberOf(const NameExpr* n, Frame& f) {
    if (!f.me) raise(err::ObjectRequired, n->name);
    return f.me->cls().members[size_t(n->ref.slot)];
}

// A member of the running method's own object, named without "Me.": a field (a variable of
// the object), or a call of a method or of a property's Get.
Variant Interpreter::memberValue(const NameExpr* n, Frame& f, bool asStatement) {
    const ClassMember& m = memberOf(n, f);
    ClassInstance* me = f.me;
    switch (m.kind) {
    case MemberKind::Field: {
        const Variant& v = me->field(m.field);
        if (!n->hasParens && n->args.empty()) {
            if (asStatement && !v.isObject()) raise(err::TypeMismatch, n->name);
            return v;
        }
        if (asStatement && n->args.empty() && !v.isObject()) raise(err::TypeMismatch, n->name);
        Variant target = v; // the field may change while the arguments are evaluated
        return indexValue(target, n->args, f, n->name, asStatement ? Invoke::Method : Invoke::Get);
    }
    case MemberKind::Method:
        return callScript(*m.method, n->args, f, me);
    case MemberKind::Property:
        if (!m.get) raise(err::NoSuchMember, n->name);
        return callScript(*m.get, n->args, f, me);
    }
    return {};
}

// target(args): an element of an array, or the default member of an object.
Variant Interpreter::indexValue(const Variant& target, const std::vector<ExprPtr>& args, Frame& f,
                                const QString& name, Invoke kind) {
    if (target.isArray()) {
        if (args.empty()) return target;
        std::vector<int32_t> idx;
        idx.reserve(args.size());
        for (const auto& a : args)
            idx.push_back(subscript(a.get(), f));
        if (!target.isArray()) raise(err::TypeMismatch, name);
        return target.array().at(idx);
    }
    if (target.isObject()) {
        DispatchPtr obj = target.rawObject();
        if (!obj) raise(err::ObjectNotSet, name);
        return invokeHost(obj, kDispIdValue, kind, args, f, nullptr, name);
    }
    if (args.empty()) return target;
    raise(err::TypeMismatch, name);
}

DispatchPtr Interpreter::objectOf(const MemberExpr* m, Frame& f) {
    Variant v;
    if (m->object) {
        v = eval(m->object.get(), f);
    } else {
        if (m->withSlot < 0) raise(err::InvalidReference); // a ".member" outside any With block
        v = f.slot(m->withSlot);
    }
    if (!v.isObject()) raise(err::ObjectRequired, nameOf(m->object.get()));
    if (!v.rawObject()) raise(err::ObjectNotSet, nameOf(m->object.get()));
    return v.rawObject();
}

Variant Interpreter::evalMember(const MemberExpr* m, Frame& f, Invoke kind) {
    DispatchPtr obj = objectOf(m, f);
    DispId id = obj->memberId(m->name);
    if (id == kDispIdUnknown) raise(err::NoSuchMember, m->name);
    return invokeHost(obj, id, kind, m->args, f, nullptr, m->name);
}

Variant Interpreter::evalIndex(const IndexExpr* ix, Frame& f, bool asStatement) {
    Variant target = eval(ix->target.get(), f);
    return indexValue(target, ix->args, f, nameOf(ix->target.get()),
                      asStatement ? Invoke::Method : Invoke::Get);
}

Variant Interpreter::callProcedure(const ProcedurePtr& proc, std::span<Variant* const> args) {
    return callMethod(proc, nullptr, args);
}

Variant Interpreter::callMethod(const ProcedurePtr& proc, ClassInstance* me,
                                std::span<Variant* const> args) {
    RunningGuard running(*this);
    ProcedurePtr hold = proc;
    if (args.size() != hold->params.size()) raise(err::WrongArgCount, hold->name);
    if (depth_ >= kMaxCallDepth || belowStackLimit(stackLimit_)) raise(err::OutOfStack);
    FrameStorage storage(stack_, hold->slotCount);
    for (size_t i = 0; i < args.size(); ++i) {
        if (hold->params[i].byVal)
            storage.base[i].value = *args[i];
        else
            storage.base[i].ref = args[i];
    }
    Variant result;
    runProcedure(*hold, storage.base, me, result);
    return result;
}

void Interpreter::runProcedure(const Procedure& proc, Slot* base, ClassInstance* me,
                               Variant& result) {
    DepthGuard depth(depth_);
    Frame f;
    f.base = base;
    f.count = proc.slotCount;
    f.proc = &proc;
    f.me = me;
    f.source = proc.source.get();
    if (!proc.decls.empty()) setupDeclarations(proc.decls, f, false);
    execBlock(proc.body, f);
    if (proc.returnSlot >= 0) result = std::move(f.slot(proc.returnSlot));
}

// A member of an object added with its members visible as globals (addMembers).
bool Interpreter::hostMember(const QString& name, DispatchPtr& obj, DispId& id) {
    for (const auto& o : memberObjects_) {
        id = o->memberId(name);
        if (id != kDispIdUnknown) {
            obj = o;
            return true;
        }
    }
    return false;
}

} // namespace zv::vbs
