// Statements: assignment, calls, If, Select Case, the loops, With, On Error, ReDim, Erase.

#include "Convert.h"
#include "ErrObject.h"
#include "FastOps.h"
#include "Interpreter.h"
#include "LiteralCompare.h"
#include "ScriptControl.h"
#include "ValueLimit.h"

namespace zv::vbs {

namespace {

// Unlocks an array walked by For Each when the loop ends.
struct ArrayLock {
    std::shared_ptr<VArray> array;
    ~ArrayLock() {
        if (array) --array->locks;
    }
};

} // namespace

Flow Interpreter::exec(const Stmt* s, Frame& f) {
    switch (s->kind) {
    case StmtKind::Assign: {
        auto* a = static_cast<const AssignStmt*>(s);
        if (a->appendInPlace)
            execAppend(a, f);
        else
            execAssign(a, f);
        return Flow::Normal;
    }
    case StmtKind::Call:
        execCall(static_cast<const CallStmt*>(s), f);
        return Flow::Normal;
    case StmtKind::If:
        return execIf(static_cast<const IfStmt*>(s), f);
    case StmtKind::Select:
        return execSelect(static_cast<const SelectStmt*>(s), f);
    case StmtKind::For:
        return execFor(static_cast<const ForStmt*>(s), f);
    case StmtKind::ForEach:
        return execForEach(static_cast<const ForEachStmt*>(s), f);
    case StmtKind::Do:
        return execDo(static_cast<const DoStmt*>(s), f);
    case StmtKind::With:
        return execWith(static_cast<const WithStmt*>(s), f);
    case StmtKind::Exit:
        switch (static_cast<const ExitStmt*>(s)->what) {
        case ExitKind::Do:
            return Flow::ExitDo;
        case ExitKind::For:
            return Flow::ExitFor;
        default:
            return Flow::ExitProc;
        }
    case StmtKind::OnError:
        f.resumeNext = static_cast<const OnErrorStmt*>(s)->resumeNext;
        err().clear();
        return Flow::Normal;
    case StmtKind::ReDim:
        execReDim(static_cast<const ReDimStmt*>(s), f);
        return Flow::Normal;
    case StmtKind::Erase:
        execErase(static_cast<const EraseStmt*>(s), f);
        return Flow::Normal;
    case StmtKind::DimArray:
        execDimArray(static_cast<const DimArrayStmt*>(s), f);
        return Flow::Normal;
    case StmtKind::Nothing:
        return Flow::Normal;
    }
    return Flow::Normal;
}

void Interpreter::execAssign(const AssignStmt* s, Frame& f) {
    const Expr* target = s->target.get();
    // Fast path: a local variable gets a plain value.
    if (target->kind == ExprKind::Name && !s->isSet) {
        auto* n = static_cast<const NameExpr*>(target);
        Variant* fastTarget = nullptr;
        if (!n->hasParens && n->args.empty()) {
            if (n->ref.kind == RefKind::Local && !n->ref.constant)
                fastTarget = &f.slot(n->ref.slot);
            else if (n->ref.kind == RefKind::Global && n->ref.cell->kind == CellKind::Variable)
                fastTarget = &n->ref.cell->value;
        }
        if (fastTarget) {
            const Expr* value = s->value.get();
            Variant v = evalQuick(value, f);
            if (v.isObject()) v = dereference(v);
            Variant& dst = *fastTarget;
            if (dst.isArray())
                assignVariable(dst, std::move(v));
            else
                dst = std::move(v);
            return;
        }
    }
    Variant v = eval(s->value.get(), f);
    if (s->isSet) {
        if (!v.isObject()) raise(err::ObjectRequired);
    } else if (v.isObject()) {
        v = dereference(v);
    }
    store(target, std::move(v), f, s->isSet);
}

// "s = s & a & b": the pieces are evaluated first (so the variable's old text is what they
// follow, whatever they do), then appended to the variable's own string, which grows in
// place instead of being copied at every step.
void Interpreter::execAppend(const AssignStmt* s, Frame& f) {
    auto* target = static_cast<const NameExpr*>(s->target.get());
    Variant* var = variable(target, f, true);
    if (!var || !var->isString()) {
        execAssign(s, f);
        return;
    }
    auto* top = static_cast<const BinaryExpr*>(s->value.get());
    if (top->left->kind != ExprKind::Binary) {
        // One piece that is read without evaluating anything: appended at once.
        const Variant* p = simpleOperand(top->right.get(), f);
        if (p && p != var) {
            QString& text = var->rawStringMut();
            if (p->isString()) {
                checkTextLength(int64_t(text.size()) + p->rawString().size());
                text.append(p->rawString().constData(), p->rawString().size());
            } else {
                const QString piece = concatText(*p);
                checkTextLength(int64_t(text.size()) + piece.size());
                text.append(piece);
            }
            return;
        }
    }
    QString before = var->rawString();
    QString piece;
    const auto add = [&](const QString& text) {
        checkTextLength(int64_t(before.size()) + piece.size() + text.size());
        piece += text;
    };
    if (top->left->kind != ExprKind::Binary) {
        add(concatText(eval(top->right.get(), f)));
    } else {
        // Walk down the left spine, then evaluate the right operands in source order.
        const BinaryExpr* chain[64];
        int count = 0;
        const Expr* e = top;
        while (e->kind == ExprKind::Binary && static_cast<const BinaryExpr*>(e)->op == Op::Concat &&
               count < 64) {
            chain[count++] = static_cast<const BinaryExpr*>(e);
            e = chain[count - 1]->left.get();
        }
        if (e->kind == ExprKind::Binary) { // a chain too long to walk here
            execAssign(s, f);
            return;
        }
        for (int i = count - 1; i >= 0; --i)
            add(concatText(eval(chain[i]->right.get(), f)));
    }
    if (var->isString() && var->rawString().constData() == before.constData() &&
        var->rawString().size() == before.size()) {
        before = QString();
        var->rawStringMut().append(piece);
    } else {
        assignVariable(*var, Variant(before + piece));
    }
}

void Interpreter::execCall(const CallStmt* s, Frame& f) {
    const Expr* callee = s->callee.get();
    switch (callee->kind) {
    case ExprKind::Name:
        evalApply(static_cast<const NameExpr*>(callee), f, true);
        return;
    case ExprKind::Member:
        evalMember(static_cast<const MemberExpr*>(callee), f, Invoke::Method);
        return;
    case ExprKind::Index:
        evalIndex(static_cast<const IndexExpr*>(callee), f, true);
        return;
    default:
        eval(callee, f);
    }
}

// Under On Error Resume Next an error in a condition goes on with that branch's statements.
Flow Interpreter::execIf(const IfStmt* s, Frame& f) {
    for (const auto& arm : s->arms) {
        bool taken;
        try {
            taken = condition(arm.condition.get(), f);
        } catch (const VbError& e) {
            if (!f.resumeNext) throw;
            onErrorResumed(e, f);
            taken = true;
        }
        if (taken) return execArm(arm.body, f);
    }
    if (s->elseBody.stmts.empty()) return Flow::Normal;
    return execArm(s->elseBody, f);
}

// The same steps as a block of one statement (counted as a block and as a statement, its
// error at its own position), for the commonest arm: a function's value or a variable set.
Flow Interpreter::execArm(const Block& body, Frame& f) {
    if (body.stmts.size() != 1 || body.stmts[0]->kind != StmtKind::Assign)
        return execBlock(body, f);
    const auto* a = static_cast<const AssignStmt*>(body.stmts[0].get());
    if (a->appendInPlace) return execBlock(body, f);
    step();
    try {
        stepStatement();
        execAssign(a, f);
        if (!pendingTerminates_.empty()) [[unlikely]]
            terminatePending();
    } catch (...) {
        statementFailed(a, f);
    }
    return Flow::Normal;
}

// The test value is held in a temporary, so it is never a literal in the comparisons: a Case
// literal decides the type ("1" matches Case 1; 3 does not match Case "test", and no error).
Flow Interpreter::execSelect(const SelectStmt* s, Frame& f) {
    Variant test = eval(s->test.get(), f);
    for (const auto& arm : s->arms) {
        if (arm.values.empty()) return execBlock(arm.body, f);
        for (const auto& value : arm.values) {
            Variant v = eval(value.get(), f);
            if (literalRuleEquals(test, v, false, isHardLiteral(value.get())))
                return execBlock(arm.body, f);
        }
    }
    return Flow::Normal;
}

Flow Interpreter::execFor(const ForStmt* s, Frame& f) {
    Variant start = toNumber(eval(s->start.get(), f));
    Variant limit = toNumber(eval(s->limit.get(), f));
    Variant step = s->step ? toNumber(eval(s->step.get(), f)) : Variant(int16_t(1));
    Variant* var = variable(s->var.get(), f, true);
    if (!var) raise(err::IllegalAssignment, s->var->name);
    bool up = step.numericValue() >= 0;
    assignVariable(*var, std::move(start));
    for (;;) {
        int o;
        if (!fast::order(*var, limit, o)) {
            double x = toDouble(*var), y = limit.numericValue();
            o = x < y ? -1 : x > y ? 1 : 0;
        }
        if (up ? o > 0 : o < 0) break;
        Flow fl = execBlock(s->body, f);
        if (fl == Flow::ExitFor) break;
        if (fl != Flow::Normal) return fl;
        fast::addInPlace(*var, step);
    }
    return Flow::Normal;
}

// Over an array held by a variable, the loop walks that array itself, locked (10 for ReDim or
// Erase inside the loop); the loop variable receives a copy of each element.
Flow Interpreter::execForEach(const ForEachStmt* s, Frame& f) {
    const Expr* ce = s->collection.get();
    ArrayLock lock;
    Variant holder;
    if (ce->kind == ExprKind::Name) {
        auto* n = static_cast<const NameExpr*>(ce);
        if (!n->hasParens && n->args.empty()) {
            Variant* v = variable(n, f, false);
            if (v && v->isArray()) {
                v->arrayMut();
                lock.array = v->arrayPtr();
                ++lock.array->locks;
            }
        }
    }
    if (!lock.array) holder = eval(ce, f);
    Variant* var = variable(s->var.get(), f, true);
    if (!var) raise(err::IllegalAssignment, s->var->name);
    const VArray* arr =
        lock.array ? lock.array.get() : (holder.isArray() ? &holder.array() : nullptr);
    if (arr) {
        for (size_t k = 0; k < arr->size(); ++k) {
            assignVariable(*var, Variant(arr->elements()[k]));
            Flow fl = execBlock(s->body, f);
            if (fl == Flow::ExitFor) break;
            if (fl != Flow::Normal) return fl;
        }
        return Flow::Normal;
    }
    if (!holder.isObject()) raise(err::NotCollection);
    if (!holder.rawObject()) raise(err::ObjectNotSet);
    DispatchPtr obj = holder.rawObject();
    std::unique_ptr<Enumerator> en = obj->enumerate();
    Variant item;
    while (en->next(item)) {
        assignVariable(*var, std::move(item));
        Flow fl = execBlock(s->body, f);
        if (fl == Flow::ExitFor) return Flow::Normal;
        if (fl != Flow::Normal) return fl;
    }
    // A collection that has no more elements leaves the variable Empty.
    assignVariable(*var, Variant());
    return Flow::Normal;
}

Flow Interpreter::execDo(const DoStmt* s, Frame& f) {
    for (;;) {
        if (s->test == LoopTest::PreWhile || s->test == LoopTest::PreUntil) {
            bool c = condition(s->condition.get(), f);
            if (c != (s->test == LoopTest::PreWhile)) break;
        }
        Flow fl = execBlock(s->body, f);
        if (fl == Flow::ExitDo && !s->whileWend) break;
        if (fl != Flow::Normal) return fl;
        if (s->test == LoopTest::PostWhile || s->test == LoopTest::PostUntil) {
            bool c = condition(s->condition.get(), f);
            if (c != (s->test == LoopTest::PostWhile)) break;
        }
    }
    return Flow::Normal;
}

Flow Interpreter::execWith(const WithStmt* s, Frame& f) {
    Variant obj = eval(s->object.get(), f);
    Variant& slot = f.slot(s->slot);
    Variant saved = std::move(slot); // a recursive use of the same frame slot
    slot = std::move(obj);
    struct Restore {
        Variant& slot;
        Variant& saved;
        ~Restore() { slot = std::move(saved); }
    } restore{slot, saved};
    return execBlock(s->body, f);
}

// Without Preserve a fixed or locked array refuses (10) before its new bounds are read; with
// it the bounds come first.
void Interpreter::execReDim(const ReDimStmt* s, Frame& f) {
    for (const auto& item : s->items) {
        if (Variant* var = s->preserve ? nullptr : variable(item.var.get(), f, true);
            var && var->isArray() && (var->array().fixedSize || var->array().locks > 0))
            raise(err::ArrayFixed);
        std::vector<ArrayDim> dims;
        std::vector<std::pair<int32_t, int32_t>> bounds;
        for (const auto& b : item.bounds) {
            int32_t upper = CLng(eval(b.get(), f));
            if (upper < -1) raise(err::SubscriptOutOfRange);
            if (upper == INT32_MAX) raise(err::OutOfMemory);
            dims.push_back({0, upper + 1});
            bounds.emplace_back(0, upper);
        }
        Variant* var = variable(item.var.get(), f, true);
        if (!var) raise(err::IllegalAssignment, item.var->name);
        if (var->isArray())
            var->arrayMut().redim(std::move(dims), s->preserve);
        else
            *var = Variant::array(bounds);
    }
}

void Interpreter::execDimArray(const DimArrayStmt* s, Frame& f) {
    for (const auto& item : s->items) {
        Variant* var = variable(item.var.get(), f, true);
        if (!var || var->isArray()) continue;
        if (item.fixed) {
            Variant a = Variant::array(item.bounds);
            a.arrayMut().fixedSize = true;
            *var = std::move(a);
        } else {
            *var = Variant::array(std::span<const std::pair<int32_t, int32_t>>());
        }
    }
}

void Interpreter::execErase(const EraseStmt* s, Frame& f) {
    for (const auto& n : s->vars) {
        Variant* var = variable(n.get(), f, false);
        if (!var || !var->isArray()) raise(err::TypeMismatch, n->name);
        if (var->array().fixedSize) {
            var->arrayMut().resetElements();
            continue;
        }
        if (var->array().locks > 0) raise(err::ArrayFixed);
        *var = Variant::array(std::span<const std::pair<int32_t, int32_t>>());
    }
}

// Runs statements in order. A run-time error gets the position of the statement that failed
// (the innermost one) and is taken by On Error Resume Next of this frame, if active, which
// goes on with the next statement of this block.
Flow Interpreter::execBlock(const Block& block, Frame& f) {
    step(); // also for an empty block: the body of a loop
    for (const auto& sp : block.stmts) {
        const Stmt* s = sp.get();
        try {
            stepStatement();
            // The commonest statements are dispatched here without a further call.
            if (s->kind == StmtKind::Assign && !static_cast<const AssignStmt*>(s)->appendInPlace) {
                execAssign(static_cast<const AssignStmt*>(s), f);
            } else {
                Flow fl =
                    s->kind == StmtKind::If ? execIf(static_cast<const IfStmt*>(s), f) : exec(s, f);
                if (fl != Flow::Normal) return fl;
            }
            // Objects the statement released are terminated before the next one runs.
            if (!pendingTerminates_.empty()) [[unlikely]]
                terminatePending();
            continue;
        } catch (...) {
            statementFailed(s, f);
        }
    }
    return Flow::Normal;
}

void Interpreter::statementFailed(const Stmt* s, Frame& f) {
    const auto taken = [&](const VbError& e) {
        if (!f.resumeNext) throw ScriptRuntimeError(e, s->line, s->column, f.source->line(s->line));
        onErrorResumed(e, f);
    };
    try {
        throw;
    } catch (const ScriptRuntimeError& e) {
        // Already placed by the innermost statement that failed.
        if (!f.resumeNext) throw;
        onErrorResumed(e, f);
    } catch (const VbError& e) {
        taken(e);
    } catch (const std::bad_alloc&) {
        taken(VbError(err::OutOfMemory));
    }
    // Any other exception (End, the host's own) leaves as it came.
}

// Past the step limit the code stops (see onErrorResumed); a native stack that runs low raises
// 28 (nested blocks deep inside recursion).
void Interpreter::stepRefused() {
    if (belowStackLimit(stackLimit_)) raise(err::OutOfStack);
    raise(kStepLimitError, QStringLiteral("step limit"));
}

} // namespace zv::vbs
