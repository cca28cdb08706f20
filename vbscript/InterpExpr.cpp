// Expressions: names, calls, members, array elements and operators.

#include "Builtin.h"
#include "Convert.h"
#include "FastOps.h"
#include "Interpreter.h"
#include "LiteralCompare.h"
#include "RegExp.h"

namespace zv::vbs {

namespace {

// An operand read in place when it is a local variable or a literal, else evaluated into tmp.
inline const Variant& operand(Interpreter& in, const Expr* e, Frame& f, Variant& tmp) {
    if (e->kind == ExprKind::Literal) return static_cast<const LiteralExpr*>(e)->value;
    if (e->kind == ExprKind::Name) {
        auto* n = static_cast<const NameExpr*>(e);
        if (n->ref.kind == RefKind::Local && !n->hasParens) return f.slot(n->ref.slot);
    }
    tmp = in.eval(e, f);
    return tmp;
}

Variant applyBinary(Op op, const Variant& l, const Variant& r) {
    switch (op) {
    case Op::Add:
        return fast::add(l, r);
    case Op::Sub:
        return fast::sub(l, r);
    case Op::Mul:
        return fast::mul(l, r);
    case Op::Div:
        return fast::div(l, r);
    case Op::IntDiv:
        return opIntDiv(l, r);
    case Op::Mod:
        return opMod(l, r);
    case Op::Pow:
        return opPow(l, r);
    case Op::Concat:
        return opConcat(l, r);
    case Op::And:
        return opAnd(l, r);
    case Op::Or:
        return opOr(l, r);
    case Op::Xor:
        return opXor(l, r);
    case Op::Eqv:
        return opEqv(l, r);
    case Op::Imp:
        return opImp(l, r);
    default:
        return {};
    }
}

} // namespace

Variant Interpreter::eval(const Expr* e, Frame& f) {
    switch (e->kind) {
    case ExprKind::Literal:
        return static_cast<const LiteralExpr*>(e)->value;
    case ExprKind::Name: {
        auto* n = static_cast<const NameExpr*>(e);
        if (!n->hasParens && n->args.empty()) {
            if (n->ref.kind == RefKind::Local) return f.slot(n->ref.slot);
            if (n->ref.kind == RefKind::Global && n->ref.cell->kind == CellKind::Variable)
                return n->ref.cell->value;
            return evalName(n, f);
        }
        return evalApply(n, f, false);
    }
    case ExprKind::Member: {
        auto* m = static_cast<const MemberExpr*>(e);
        return evalMember(m, f, m->hasParens ? Invoke::Method : Invoke::Get);
    }
    case ExprKind::Index:
        return evalIndex(static_cast<const IndexExpr*>(e), f, false);
    case ExprKind::Paren:
        return eval(static_cast<const ParenExpr*>(e)->inner.get(), f);
    case ExprKind::Unary:
        return evalUnary(static_cast<const UnaryExpr*>(e), f);
    case ExprKind::Binary:
        return evalBinary(static_cast<const BinaryExpr*>(e), f);
    case ExprKind::Compare:
        return evalCompare(static_cast<const CompareExpr*>(e), f);
    case ExprKind::Is: {
        auto* i = static_cast<const IsExpr*>(e);
        Variant l = eval(i->left.get(), f);
        Variant r = eval(i->right.get(), f);
        return Variant(opIs(l, r));
    }
    case ExprKind::Missing:
        return Variant::missing();
    case ExprKind::New: {
        auto* nw = static_cast<const NewExpr*>(e);
        if (nw->regExp) return Variant(DispatchPtr(std::make_shared<RegExp>()));
        if (nw->cell->kind != CellKind::Class) raise(err::ClassNotDefined, nw->name);
        ClassPtr cls = nw->cell->cls; // the class may be redefined while it initializes
        return Variant(newInstance(cls));
    }
    case ExprKind::Me:
        if (f.me) return Variant(f.me->shared_from_this());
        if (!host_.scriptObject) raise(err::ObjectRequired);
        return Variant(host_.scriptObject());
    case ExprKind::WithObject:
        break;
    }
    raise(err::TypeMismatch);
}

// A name read as a value: a variable, a constant, a named object, or a call without arguments.
Variant Interpreter::evalName(const NameExpr* n, Frame& f) {
    const NameRef& r = n->ref;
    switch (r.kind) {
    case RefKind::Local:
        return f.slot(r.slot);
    case RefKind::Global:
        return readGlobal(n, *r.cell, f);
    case RefKind::LocalOrGlobal:
        if (r.cell->kind != CellKind::Unset || !memberObjects_.empty())
            return readGlobal(n, *r.cell, f);
        return f.slot(r.slot);
    case RefKind::Builtin:
        return builtinValue(n, f);
    case RefKind::Member:
        return memberValue(n, f, false);
    case RefKind::Unresolved:
        break;
    }
    raise(err::VariableUndefined, n->name);
}

Variant Interpreter::readGlobal(const NameExpr* n, GlobalCell& cell, Frame& f) {
    switch (cell.kind) {
    case CellKind::Variable:
    case CellKind::Constant:
    case CellKind::Object:
        return cell.value;
    case CellKind::Procedure:
        return callScript(*cell.proc, n->args, f);
    case CellKind::Class:
        if (n->ref.explicitOnly) raise(err::VariableUndefined, n->name);
        return {};
    case CellKind::Unset: {
        DispatchPtr obj;
        DispId id;
        if (hostMember(n->name, obj, id))
            return invokeHost(obj, id, Invoke::Get, n->args, f, nullptr, n->name);
        if (n->ref.kind == RefKind::LocalOrGlobal) return f.slot(n->ref.slot);
        if (n->ref.explicitOnly) raise(err::VariableUndefined, n->name);
        return {};
    }
    }
    return {};
}

Variant Interpreter::builtinValue(const NameExpr* n, Frame& f) {
    const Builtin* b = n->ref.builtin;
    switch (b->kind) {
    case Builtin::Kind::Constant:
        return b->value;
    case Builtin::Kind::Object:
        return b->fn(*this, {});
    case Builtin::Kind::Function:
        if (b->statementOnly) raise(err::TypeMismatch);
        return callBuiltin(n, f);
    }
    return {};
}

Variant Interpreter::callBuiltin(const NameExpr* n, Frame& f) {
    const Builtin* b = n->ref.builtin;
    const auto& args = n->args;
    if (b->kind != Builtin::Kind::Function) {
        Variant target = builtinValue(n, f);
        return indexValue(target, args, f, n->name, Invoke::Get);
    }
    // The language's own text alone, as for every error of a built-in.
    if (int(args.size()) < b->minArgs || int(args.size()) > b->maxArgs) raise(err::WrongArgCount);
    constexpr size_t kInline = 4;
    if (args.size() <= kInline) {
        Variant values[kInline];
        for (size_t i = 0; i < args.size(); ++i)
            values[i] = eval(args[i].get(), f);
        std::span<const Variant> a(values, args.size());
        return b->fn ? b->fn(*this, a) : b->frameFn(*this, f, a);
    }
    std::vector<Variant> values;
    values.reserve(args.size());
    for (const auto& a : args)
        values.push_back(eval(a.get(), f));
    return b->fn ? b->fn(*this, values) : b->frameFn(*this, f, values);
}

int32_t Interpreter::subscript(const Expr* e, Frame& f) {
    Variant tmp;
    const Variant& v = operand(*this, e, f, tmp);
    if (v.isInteger16()) return v.rawInteger();
    if (v.isLong()) return v.rawLong();
    return CLng(v);
}

Variant Interpreter::evalUnary(const UnaryExpr* u, Frame& f) {
    Variant tmp;
    const Variant& v = operand(*this, u->operand.get(), f, tmp);
    if (u->op == Op::Not) return opNot(v);
    switch (v.varType()) {
    case vbInteger:
        return fast::fromIntegral(-int64_t(v.rawInteger()), true);
    case vbLong:
        return fast::fromIntegral(-int64_t(v.rawLong()), false);
    case vbDouble:
        return Variant(-v.rawDouble());
    default:
        return opNeg(v);
    }
}

// Operands are read in place when the right one cannot change the left one (no calls).
Variant Interpreter::evalBinary(const BinaryExpr* b, Frame& f) {
    // Two names that cannot be read in place (calls, elements, built-ins, as in Fib(n - 1) +
    // Fib(n - 2)): each is evaluated, the left one first, without the tests below.
    if (b->left->access == Access::None && b->right->access == Access::None &&
        b->left->kind == ExprKind::Name && b->right->kind == ExprKind::Name) {
        Variant l = evalQuick(b->left.get(), f);
        Variant r = evalQuick(b->right.get(), f);
        if (b->op == Op::Add) return fast::add(l, r);
        return applyBinary(b->op, l, r);
    }
    const Variant* sl = simpleOperand(b->left.get(), f);
    const Variant* sr = simpleOperand(b->right.get(), f);
    if (sl && sr) {
        switch (b->op) {
        case Op::Add:
            return fast::add(*sl, *sr);
        case Op::Sub:
            return fast::sub(*sl, *sr);
        case Op::Mul:
            return fast::mul(*sl, *sr);
        default:
            return applyBinary(b->op, *sl, *sr);
        }
    }
    if (b->right->pure) {
        Variant lt, rt;
        const Variant& l = operand(*this, b->left.get(), f, lt);
        const Variant& r = operand(*this, b->right.get(), f, rt);
        return applyBinary(b->op, l, r);
    }
    Variant l = evalQuick(b->left.get(), f);
    Variant rt;
    const Variant* r = sr;
    if (!r) {
        rt = evalQuick(b->right.get(), f);
        r = &rt;
    }
    if (b->op == Op::Add) return fast::add(l, *r);
    return applyBinary(b->op, l, *r);
}

bool Interpreter::conditionSlow(const Expr* e, Frame& f) {
    Variant v = eval(e, f);
    return v.isBoolean() ? v.rawBoolean() : truthOf(v);
}

Variant Interpreter::evalCompare(const CompareExpr* c, Frame& f) {
    {
        const Variant* l = simpleOperand(c->left.get(), f);
        const Variant* r = simpleOperand(c->right.get(), f);
        int o;
        if (l && r && fast::order(*l, *r, o)) return Variant(fast::holds(c->op, o));
    }
    Variant lt, rt, lc;
    const Variant* l;
    if (c->right->pure) {
        l = &operand(*this, c->left.get(), f, lt);
    } else {
        lc = eval(c->left.get(), f);
        l = &lc;
    }
    const Variant& r = operand(*this, c->right.get(), f, rt);
    int o;
    if (fast::order(*l, r, o)) return Variant(fast::holds(c->op, o));
    Order ord = literalRuleOrder(*l, r, c->hardLeft, c->hardRight);
    if (ord == Order::Null) return Variant::null();
    return Variant(fast::holds(c->op, int(ord)));
}

} // namespace zv::vbs
