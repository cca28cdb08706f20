#include "Resolver.h"

#include "Builtin.h"
#include "Lexer.h"
#include "SyntaxError.h"

namespace zv::vbs {

namespace {

[[noreturn]] void redefined(int line, int column) {
    raiseSyntax(cerr::NameRedefined, line, column);
}

// The leftmost operand of a chain of & operations.
const Expr* concatHead(const Expr* e) {
    while (e->kind == ExprKind::Binary && static_cast<const BinaryExpr*>(e)->op == Op::Concat)
        e = static_cast<const BinaryExpr*>(e)->left.get();
    return e;
}

bool sameVariable(const NameExpr* a, const NameExpr* b) {
    if (a->hasParens || b->hasParens || a->ref.kind != b->ref.kind) return false;
    switch (a->ref.kind) {
    case RefKind::Local:
        return a->ref.slot == b->ref.slot && !a->ref.constant;
    case RefKind::Global:
    case RefKind::LocalOrGlobal:
        return a->ref.cell == b->ref.cell && a->ref.slot == b->ref.slot;
    default:
        return false;
    }
}

} // namespace

void Resolver::resolveUnit(CodeUnit& unit, const Procedure* frame) {
    checkGlobalNames(unit);
    for (const auto& d : unit.decls)
        unitGlobals_.insert(foldName(d.name));
    for (const auto& p : unit.procedures)
        unitGlobals_.insert(foldName(p->name));
    for (const auto& c : unit.classes)
        unitGlobals_.insert(foldName(c->name));
    for (auto& proc : unit.procedures)
        resolveProcedure(*proc, unit.optionExplicit);
    for (auto& cls : unit.classes)
        for (auto& proc : cls->procedures)
            resolveProcedure(*proc, unit.optionExplicit);

    Scope s;
    s.explicitNames = unit.optionExplicit;
    s.frame = frame;
    s.cls = frame ? frame->owner : nullptr;
    s.hiddenBase = frame ? frame->slotCount : 0;
    s.slotCount = s.hiddenBase + unit.hiddenCount;
    for (auto& d : unit.decls) {
        d.ref.kind = RefKind::Global;
        d.ref.cell = &globals_.obtain(d.name);
    }
    resolveBlock(unit.body, s);
    if (unit.expression) resolveExpr(unit.expression.get(), s);
    unit.slotCount = s.slotCount;
}

// Names the unit declares at global level: no name twice among its Dim/Const, none both a
// variable and a procedure, none that is a host object or already means something else.
void Resolver::checkGlobalNames(CodeUnit& unit) {
    QHash<QString, const Declaration*> declared;
    QHash<QString, const Procedure*> procs;
    QSet<QString> classes;
    for (const auto& c : unit.classes) {
        QString key = foldName(c->name);
        if (classes.contains(key)) redefined(c->line, c->column);
        classes.insert(key);
        if (GlobalCell* cell = globals_.find(c->name))
            if (cell->kind != CellKind::Unset && cell->kind != CellKind::Class)
                redefined(c->line, c->column);
    }
    for (const auto& p : unit.procedures) {
        if (classes.contains(foldName(p->name))) redefined(p->line, p->column);
        procs.insert(foldName(p->name), p.get());
    }
    for (const auto& d : unit.decls) {
        QString key = foldName(d.name);
        if (declared.contains(key) || procs.contains(key) || classes.contains(key))
            redefined(d.line, d.column);
        declared.insert(key, &d);
        if (GlobalCell* cell = globals_.find(d.name)) {
            bool clash = cell->kind == CellKind::Object || cell->kind == CellKind::Procedure ||
                         cell->kind == CellKind::Constant || cell->kind == CellKind::Class ||
                         (cell->kind == CellKind::Variable && d.kind == DeclKind::Constant);
            if (clash) redefined(d.line, d.column);
        }
    }
    for (const auto& p : unit.procedures) {
        if (GlobalCell* cell = globals_.find(p->name)) {
            if (cell->kind != CellKind::Unset && cell->kind != CellKind::Procedure)
                redefined(p->line, p->column);
        }
    }
}

void Resolver::resolveProcedure(Procedure& proc, bool explicitNames) {
    Scope s;
    s.proc = &proc;
    s.cls = proc.owner;
    s.procKey = foldName(proc.name);
    s.explicitNames = explicitNames;
    int slot = 0;
    for (const auto& p : proc.params) {
        QString key = foldName(p.name);
        if (s.locals.contains(key)) redefined(p.line, p.column);
        s.locals.insert(key, slot++);
    }
    if (proc.isFunction) proc.returnSlot = slot++;
    for (auto& d : proc.decls) {
        QString key = foldName(d.name);
        if (s.locals.contains(key) || (proc.isFunction && key == s.procKey))
            redefined(d.line, d.column);
        d.ref.kind = RefKind::Local;
        d.ref.slot = slot;
        if (d.kind == DeclKind::Constant) {
            d.ref.constant = true;
            s.constants.insert(slot);
        }
        s.locals.insert(key, slot++);
    }
    s.hiddenBase = slot;
    slot += proc.hiddenCount;
    s.slotCount = slot;
    resolveBlock(proc.body, s);
    proc.slotCount = s.slotCount;

    // The names of the scope, for Eval and Execute inside the procedure.
    for (auto it = s.locals.constBegin(); it != s.locals.constEnd(); ++it) {
        NameRef r;
        r.kind = RefKind::Local;
        r.slot = it.value();
        r.constant = s.constants.contains(r.slot);
        proc.scopeNames.insert(it.key(), r);
    }
    for (auto it = s.implicitLocals.constBegin(); it != s.implicitLocals.constEnd(); ++it)
        proc.scopeNames.insert(it.key(), it.value());
    if (proc.isFunction) {
        NameRef r;
        r.kind = RefKind::Local;
        r.slot = proc.returnSlot;
        proc.scopeNames.insert(s.procKey, r);
    }
}

// A name of the procedure's own scope or of its class; false when it is neither.
bool Resolver::resolveInScope(NameExpr* n, const QString& key, Scope& s) {
    NameRef& r = n->ref;
    if (s.proc) {
        if (s.proc->isFunction && key == s.procKey && !n->hasParens) {
            r.kind = RefKind::Local;
            r.slot = s.proc->returnSlot;
            n->pure = true;
            return true;
        }
        auto it = s.locals.constFind(key);
        if (it != s.locals.constEnd()) {
            r.kind = RefKind::Local;
            r.slot = it.value();
            r.constant = s.constants.contains(r.slot);
            n->pure = !n->hasParens;
            return true;
        }
    } else if (s.frame) {
        auto it = s.frame->scopeNames.constFind(key);
        bool recursiveCall =
            n->hasParens && s.frame->isFunction && it != s.frame->scopeNames.constEnd() &&
            it.value().slot == s.frame->returnSlot && it.value().kind == RefKind::Local;
        if (it != s.frame->scopeNames.constEnd() && !recursiveCall) {
            r = it.value();
            n->pure = r.kind == RefKind::Local && !n->hasParens;
            return true;
        }
    }
    if (s.cls) {
        auto it = s.cls->memberIndex.constFind(key);
        if (it != s.cls->memberIndex.constEnd()) {
            r.kind = RefKind::Member;
            r.slot = it.value();
            return true;
        }
    }
    return false;
}

void Resolver::resolveName(NameExpr* n, Scope& s, bool declares) {
    QString key = foldName(n->name);
    NameRef& r = n->ref;
    if (resolveInScope(n, key, s)) return;
    // The script's own names hide the built-ins of the same name.
    GlobalCell* existing = globals_.find(n->name);
    if ((!existing || existing->kind == CellKind::Unset) && !unitGlobals_.contains(key)) {
        if (const Builtin* b = findBuiltin(key)) {
            r.kind = RefKind::Builtin;
            r.builtin = b;
            return;
        }
    }
    r.cell = existing ? existing : &globals_.obtain(n->name);
    if (s.proc && (!s.explicitNames || declares)) {
        // Without Option Explicit a name that no global defines is an implicit local.
        r.kind = RefKind::LocalOrGlobal;
        auto it = s.implicitLocals.constFind(key);
        if (it == s.implicitLocals.constEnd()) {
            NameRef local = r;
            local.slot = s.slotCount++;
            it = s.implicitLocals.insert(key, local);
        }
        r.slot = it.value().slot;
        return;
    }
    r.kind = RefKind::Global;
    r.explicitOnly = s.explicitNames && !declares;
}

void Resolver::resolveArgs(std::vector<ExprPtr>& args, Scope& s) {
    for (auto& a : args)
        resolveExpr(a.get(), s);
}

void Resolver::resolveExpr(Expr* e, Scope& s) {
    resolveExprKind(e, s);
    // How the value can be read in place.
    switch (e->kind) {
    case ExprKind::Literal:
        e->access = Access::Literal;
        e->accessValue = &static_cast<LiteralExpr*>(e)->value;
        break;
    case ExprKind::Name: {
        auto* n = static_cast<NameExpr*>(e);
        if (n->hasParens || !n->args.empty()) break;
        if (n->ref.kind == RefKind::Local) {
            e->access = Access::Local;
            e->accessSlot = n->ref.slot;
        } else if (n->ref.kind == RefKind::Global) {
            e->access = Access::Global;
            e->accessCell = n->ref.cell;
        }
        break;
    }
    case ExprKind::Paren: {
        const Expr* inner = static_cast<ParenExpr*>(e)->inner.get();
        e->access = inner->access;
        e->accessSlot = inner->accessSlot;
        e->accessValue = inner->accessValue;
        e->accessCell = inner->accessCell;
        break;
    }
    default:
        break;
    }
}

void Resolver::resolveExprKind(Expr* e, Scope& s) {
    switch (e->kind) {
    case ExprKind::Literal:
    case ExprKind::Missing:
    case ExprKind::WithObject:
    case ExprKind::Me:
        return;
    case ExprKind::New: {
        auto* nw = static_cast<NewExpr*>(e);
        nw->cell = &globals_.obtain(nw->name);
        return;
    }
    case ExprKind::Name: {
        auto* n = static_cast<NameExpr*>(e);
        resolveName(n, s);
        resolveArgs(n->args, s);
        return;
    }
    case ExprKind::Member: {
        auto* m = static_cast<MemberExpr*>(e);
        if (m->object)
            resolveExpr(m->object.get(), s);
        else if (m->withSlot >= 0)
            m->withSlot += s.hiddenBase;
        resolveArgs(m->args, s);
        return;
    }
    case ExprKind::Index: {
        auto* ix = static_cast<IndexExpr*>(e);
        resolveExpr(ix->target.get(), s);
        resolveArgs(ix->args, s);
        return;
    }
    case ExprKind::Paren: {
        auto* p = static_cast<ParenExpr*>(e);
        resolveExpr(p->inner.get(), s);
        p->pure = p->inner->pure;
        return;
    }
    case ExprKind::Unary: {
        auto* u = static_cast<UnaryExpr*>(e);
        resolveExpr(u->operand.get(), s);
        u->pure = u->operand->pure;
        return;
    }
    case ExprKind::Binary: {
        auto* b = static_cast<BinaryExpr*>(e);
        resolveExpr(b->left.get(), s);
        resolveExpr(b->right.get(), s);
        b->pure = b->left->pure && b->right->pure;
        return;
    }
    case ExprKind::Compare: {
        auto* c = static_cast<CompareExpr*>(e);
        resolveExpr(c->left.get(), s);
        resolveExpr(c->right.get(), s);
        c->pure = c->left->pure && c->right->pure;
        return;
    }
    case ExprKind::Is: {
        auto* i = static_cast<IsExpr*>(e);
        resolveExpr(i->left.get(), s);
        resolveExpr(i->right.get(), s);
        return;
    }
    }
}

void Resolver::resolveBlock(Block& block, Scope& s) {
    for (auto& st : block.stmts)
        resolveStmt(st.get(), s);
}

void Resolver::resolveStmt(Stmt* stmt, Scope& s) {
    switch (stmt->kind) {
    case StmtKind::Assign: {
        auto* a = static_cast<AssignStmt*>(stmt);
        resolveExpr(a->value.get(), s);
        resolveExpr(a->target.get(), s);
        if (!a->isSet && a->target->kind == ExprKind::Name && a->value->kind == ExprKind::Binary &&
            static_cast<BinaryExpr*>(a->value.get())->op == Op::Concat) {
            const Expr* head = concatHead(a->value.get());
            if (head->kind == ExprKind::Name)
                a->appendInPlace = sameVariable(static_cast<const NameExpr*>(a->target.get()),
                                                static_cast<const NameExpr*>(head));
        }
        return;
    }
    case StmtKind::Call:
        resolveExpr(static_cast<CallStmt*>(stmt)->callee.get(), s);
        return;
    case StmtKind::If: {
        auto* i = static_cast<IfStmt*>(stmt);
        for (auto& arm : i->arms) {
            resolveExpr(arm.condition.get(), s);
            resolveBlock(arm.body, s);
        }
        resolveBlock(i->elseBody, s);
        return;
    }
    case StmtKind::Select: {
        auto* sel = static_cast<SelectStmt*>(stmt);
        resolveExpr(sel->test.get(), s);
        for (auto& arm : sel->arms) {
            resolveArgs(arm.values, s);
            resolveBlock(arm.body, s);
        }
        return;
    }
    case StmtKind::For: {
        auto* f = static_cast<ForStmt*>(stmt);
        resolveName(f->var.get(), s);
        resolveExpr(f->start.get(), s);
        resolveExpr(f->limit.get(), s);
        if (f->step) resolveExpr(f->step.get(), s);
        resolveBlock(f->body, s);
        return;
    }
    case StmtKind::ForEach: {
        auto* f = static_cast<ForEachStmt*>(stmt);
        resolveName(f->var.get(), s);
        resolveExpr(f->collection.get(), s);
        resolveBlock(f->body, s);
        return;
    }
    case StmtKind::Do: {
        auto* d = static_cast<DoStmt*>(stmt);
        if (d->condition) resolveExpr(d->condition.get(), s);
        resolveBlock(d->body, s);
        return;
    }
    case StmtKind::With: {
        auto* w = static_cast<WithStmt*>(stmt);
        resolveExpr(w->object.get(), s);
        w->slot += s.hiddenBase;
        resolveBlock(w->body, s);
        return;
    }
    case StmtKind::ReDim: {
        auto* r = static_cast<ReDimStmt*>(stmt);
        for (auto& item : r->items) {
            resolveName(item.var.get(), s, true);
            resolveArgs(item.bounds, s);
        }
        return;
    }
    case StmtKind::Erase:
        for (auto& v : static_cast<EraseStmt*>(stmt)->vars)
            resolveName(v.get(), s);
        return;
    case StmtKind::DimArray:
        for (auto& item : static_cast<DimArrayStmt*>(stmt)->items)
            resolveName(item.var.get(), s, true);
        return;
    case StmtKind::Exit:
    case StmtKind::OnError:
    case StmtKind::Nothing:
        return;
    }
}

} // namespace zv::vbs
