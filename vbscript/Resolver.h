#pragma once
// The semantic pass: decides where every name of a parsed unit lives (frame slot, global cell,
// built-in), gives procedures their slot layout, and refuses names declared twice (1041). It
// creates unset cells for global names it meets but defines nothing: a unit is defined only
// once it has compiled whole.

#include "Ast.h"
#include "GlobalTable.h"

#include <QHash>
#include <QSet>

namespace zv::vbs {

class Resolver {
public:
    explicit Resolver(GlobalTable& globals) : globals_(globals) {}

    // Throws SyntaxErrorException (1041) for a name declared twice. With a frame procedure,
    // the unit is code that Eval or Execute compiled while that procedure runs: its names
    // resolve to the procedure's own variables (and its class's members) first.
    void resolveUnit(CodeUnit& unit, const Procedure* frame = nullptr);

private:
    struct Scope {
        Procedure* proc = nullptr;
        const Procedure* frame = nullptr; // Eval/Execute code: the procedure that runs it
        const ClassDecl* cls = nullptr;   // the class whose members the code sees
        QString procKey;
        QHash<QString, int> locals;
        QHash<QString, NameRef> implicitLocals;
        QSet<int> constants;
        int slotCount = 0;
        int hiddenBase = 0;
        bool explicitNames = false;
    };

    void checkGlobalNames(CodeUnit& unit);
    void resolveProcedure(Procedure& proc, bool explicitNames);
    void resolveBlock(Block& block, Scope& s);
    void resolveStmt(Stmt* stmt, Scope& s);
    void resolveExpr(Expr* e, Scope& s);
    void resolveExprKind(Expr* e, Scope& s);
    void resolveArgs(std::vector<ExprPtr>& args, Scope& s);
    void resolveName(NameExpr* n, Scope& s, bool declares = false);
    bool resolveInScope(NameExpr* n, const QString& key, Scope& s);

    GlobalTable& globals_;
    QSet<QString> unitGlobals_; // names the unit itself declares at global level
};

} // namespace zv::vbs
