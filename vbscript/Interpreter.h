#pragma once
// The tree-walking evaluator. It runs resolved code units and procedures over the runtime's
// Variant and Dispatch. Control flow (Exit) travels as Flow values; run-time errors are C++
// exceptions (VbError) caught at statement boundaries, where On Error Resume Next takes them
// and where they receive their position. The evaluator is re-entrant: a host method called by
// a running script may run more script code on the same interpreter.

#include "Ast.h"
#include "ClassInstance.h"
#include "Dispatch.h"
#include "FastOps.h"
#include "Frame.h"
#include "GlobalTable.h"
#include "MessageBoxService.h"
#include "ObjectRegistry.h"
#include "StackGuard.h"

#include <deque>
#include <functional>
#include <memory>

namespace zv::vbs {

class ErrObject;

// What the host gives the engine: the objects CreateObject can make, the message box service
// of MsgBox and InputBox (null: the process context's), the window that owns those boxes, the
// time limit (stored only: -1 and 0 mean none) and the step limit (0: none; see
// ScriptControl::setStepLimit).
struct EngineHost {
    std::shared_ptr<ObjectRegistry> objects = std::make_shared<ObjectRegistry>();
    std::shared_ptr<MessageBoxService> messageBox;
    WindowHandle siteWindow = 0;
    int timeout = 10000;
    uint64_t stepLimit = 0;
    // The script's own global object: what Me names outside the methods of a class.
    std::function<DispatchPtr()> scriptObject;
};

inline const Variant* simpleOperand(const Expr* e, const Frame& f);

enum class Flow : uint8_t { Normal, ExitDo, ExitFor, ExitProc };

// A run-time error that has reached a statement boundary, with where it happened: the line
// (1-based, within the text that defined the code), the column of the statement's first
// character and the text of that line.
class ScriptRuntimeError : public VbError {
public:
    ScriptRuntimeError(const VbError& e, int line, int column, QString text)
        : VbError(e), line(line), column(column), text(std::move(text)) {}
    int line;
    int column;
    QString text;
};

// Calls nested deeper than this raise 28 "Out of stack space" (as does a native stack that
// runs low first, see StackGuard.h).
constexpr int kMaxCallDepth = 1000;

class Interpreter {
public:
    Interpreter();
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    GlobalTable& globals() { return *globals_; }
    const DispatchPtr& errObject() const;
    ErrObject& err();
    EngineHost& host() { return host_; }

    // Forgets every global, procedure, class and named object. The caller checks that no code
    // runs. Objects of script classes that the globals held are terminated first.
    void clear();
    // Makes an object a named global (the caller checks that the name is free).
    void addNamedObject(const QString& name, const DispatchPtr& object);
    // Makes the members of an object reachable without its name, after every script global.
    void addMemberObject(const DispatchPtr& object) { memberObjects_.push_back(object); }

    // Declares a compiled unit's globals and defines its procedures and classes.
    void defineUnit(const CodeUnit& unit);
    // Runs a unit's global statements, or gives an Eval unit's value.
    void runUnit(const CodeUnit& unit);
    Variant evalUnit(const CodeUnit& unit);
    // Calls a procedure with host arguments (by reference unless the parameter is ByVal);
    // the count must match the parameters (450).
    Variant callProcedure(const ProcedurePtr& proc, std::span<Variant* const> args);

    // True while script code of this interpreter runs (at any depth).
    bool running() const { return running_ > 0; }

    // ---- classes ----
    // A new object of a script class, after its Class_Initialize.
    DispatchPtr newInstance(const ClassPtr& cls);
    // Calls a method or property procedure of an object with host arguments (as
    // callProcedure).
    Variant callMethod(const ProcedurePtr& proc, ClassInstance* me, std::span<Variant* const> args);
    // An object whose last reference went: its Class_Terminate runs at the next safe point
    // (at once when no engine call is under way).
    void queueTerminate(std::shared_ptr<ClassInstance> obj);
    // True while the engine discards its objects without terminating them.
    bool discarding() const { return discarding_; }

    // Marks a call of the host into the engine (ScriptControl members): objects released
    // meanwhile are terminated when the outermost call ends.
    struct Entry {
        explicit Entry(Interpreter& in) : in(in) { ++in.entered_; }
        ~Entry() {
            if (--in.entered_ == 0 && in.running_ == 0) in.runPendingTerminates();
        }
        Interpreter& in;
    };

    // ---- Eval, Execute, ExecuteGlobal: code compiled while a frame runs ----
    Variant evalDynamic(const QString& text, Frame& caller);
    void executeDynamic(const QString& text, Frame& caller, bool global);

    // The state of Rnd (the language's 24-bit generator), per engine.
    uint32_t& randomState() { return randomState_; }

    // ---- used by the evaluator's parts and the built-ins ----
    Variant eval(const Expr* e, Frame& f);
    // The truth of a condition (Null is False).
    bool condition(const Expr* e, Frame& f) {
        if (e->kind == ExprKind::Compare) {
            auto* c = static_cast<const CompareExpr*>(e);
            const Variant* l = simpleOperand(c->left.get(), f);
            const Variant* r = simpleOperand(c->right.get(), f);
            int o;
            if (l && r && fast::order(*l, *r, o)) return fast::holds(c->op, o);
        }
        return conditionSlow(e, f);
    }
    bool conditionSlow(const Expr* e, Frame& f);
    // eval, with the commonest kinds (operators, calls) dispatched without the extra level.
    Variant evalQuick(const Expr* e, Frame& f) {
        if (e->access == Access::Local) return f.slot(e->accessSlot);
        if (e->kind == ExprKind::Binary) {
            // n + 1, n - 1 of Integer and Long operands read in place: no call at all.
            auto* b = static_cast<const BinaryExpr*>(e);
            if (b->op == Op::Add || b->op == Op::Sub) {
                const Variant* l = simpleOperand(b->left.get(), f);
                const Variant* r = l ? simpleOperand(b->right.get(), f) : nullptr;
                if (r && fast::isIntegral(l->varType()) && fast::isIntegral(r->varType())) {
                    int64_t x = fast::integral(*l), y = fast::integral(*r);
                    bool small = l->varType() == vbInteger && r->varType() == vbInteger;
                    return fast::fromIntegral(b->op == Op::Add ? x + y : x - y, small);
                }
            }
            return evalBinary(b, f);
        }
        if (e->kind == ExprKind::Name) {
            auto* n = static_cast<const NameExpr*>(e);
            if (n->hasParens || !n->args.empty()) {
                RefKind k = n->ref.kind;
                if ((k == RefKind::Global || k == RefKind::LocalOrGlobal) &&
                    n->ref.cell->kind == CellKind::Procedure)
                    return callScript(*n->ref.cell->proc, n->args, f);
                return evalApply(n, f, false);
            }
        }
        return eval(e, f);
    }
    Flow execBlock(const Block& block, Frame& f);
    // Raises the run-time error of a number with its table text, and ": 'name'" when a name
    // is given.
    [[noreturn]] void raise(int number, const QString& name = {});
    // Runs the queued Class_Terminate procedures; never throws. Terminations that keep
    // releasing objects whose Class_Terminate releases more (a chain as deep as the call limit)
    // are cut there: the rest of the chain is freed without them.
    void runPendingTerminates();
    // The same for code that can take an error: a chain that was cut raises 28 "Out of stack
    // space" there, as the nested terminations would have.
    void terminatePending() {
        runPendingTerminates();
        if (terminateOverflow_) [[unlikely]] {
            terminateOverflow_ = false;
            raise(err::OutOfStack);
        }
    }

private:
    friend class CallBinder;
    friend struct RunningGuard;

    // statements
    Flow exec(const Stmt* s, Frame& f);
    [[gnu::always_inline]] inline void execAssign(const AssignStmt* s, Frame& f);
    void execAppend(const AssignStmt* s, Frame& f);
    void execCall(const CallStmt* s, Frame& f);
    [[gnu::always_inline]] inline Flow execIf(const IfStmt* s, Frame& f);
    // The statements of an If arm: one plain assignment runs without a block of its own.
    [[gnu::always_inline]] inline Flow execArm(const Block& body, Frame& f);
    // Called from a statement's catch (...): the system's error (or running out of memory) is
    // taken by On Error Resume Next of this frame, else it leaves with the position of the
    // innermost statement that failed; any other exception is thrown on as it is.
    void statementFailed(const Stmt* s, Frame& f);
    Flow execSelect(const SelectStmt* s, Frame& f);
    Flow execFor(const ForStmt* s, Frame& f);
    Flow execForEach(const ForEachStmt* s, Frame& f);
    Flow execDo(const DoStmt* s, Frame& f);
    Flow execWith(const WithStmt* s, Frame& f);
    void execReDim(const ReDimStmt* s, Frame& f);
    void execErase(const EraseStmt* s, Frame& f);
    void execDimArray(const DimArrayStmt* s, Frame& f);
    void onErrorResumed(const VbError& e, Frame& f);
    // One more statement or block: past the host's step limit, or with the native stack low,
    // an error. Past the step limit no error trap takes errors any more, so the host call ends
    // with it.
    void step() {
        if ((host_.stepLimit && ++steps_ > host_.stepLimit) || belowStackLimit(stackLimit_))
            [[unlikely]]
            stepRefused();
    }
    // One more statement of a block that step() let in: counted against the step limit alone,
    // since the statements of one block all start at the native stack depth the block checked.
    void stepStatement() {
        if (host_.stepLimit && ++steps_ > host_.stepLimit) [[unlikely]]
            stepRefused();
    }
    bool pastStepLimit() const { return host_.stepLimit && steps_ > host_.stepLimit; }
    [[noreturn]] void stepRefused();
    void setupDeclarations(const std::vector<Declaration>& decls, Frame& f, bool global);

    // expressions
    Variant evalName(const NameExpr* n, Frame& f);
    Variant evalApply(const NameExpr* n, Frame& f, bool asStatement);
    Variant evalMember(const MemberExpr* m, Frame& f, Invoke kind);
    Variant evalIndex(const IndexExpr* ix, Frame& f, bool asStatement);
    Variant evalUnary(const UnaryExpr* u, Frame& f);
    Variant evalBinary(const BinaryExpr* b, Frame& f);
    Variant evalCompare(const CompareExpr* c, Frame& f);
    Variant readGlobal(const NameExpr* n, GlobalCell& cell, Frame& f);
    Variant builtinValue(const NameExpr* n, Frame& f);
    Variant memberValue(const NameExpr* n, Frame& f, bool asStatement);
    const ClassMember& memberOf(const NameExpr* n, Frame& f);
    void storeMember(const NameExpr* n, Variant&& value, Frame& f, bool isSet);
    Variant callBuiltin(const NameExpr* n, Frame& f);
    Variant indexValue(const Variant& target, const std::vector<ExprPtr>& args, Frame& f,
                       const QString& name, Invoke kind);
    DispatchPtr objectOf(const MemberExpr* m, Frame& f);

    // variables
    Variant* variable(const NameExpr* n, Frame& f, bool forWrite);
    void store(const Expr* target, Variant value, Frame& f, bool isSet);
    void assignVariable(Variant& target, Variant&& value);
    int32_t subscript(const Expr* e, Frame& f);

    // calls
    Variant callScript(const Procedure& proc, const std::vector<ExprPtr>& args, Frame& f,
                       ClassInstance* me = nullptr);
    // Runs a procedure whose arguments are bound in base; a function's value is moved into
    // result.
    [[gnu::always_inline]] inline void runProcedure(const Procedure& proc, Slot* base,
                                                    ClassInstance* me, Variant& result);
    void discardGlobals();
    Variant runDynamic(const CodeUnit& unit, Frame& caller, bool global);
    Variant invokeHost(const DispatchPtr& obj, DispId id, Invoke kind,
                       const std::vector<ExprPtr>& args, Frame& f, const Variant* value,
                       const QString& name);

    bool hostMember(const QString& name, DispatchPtr& obj, DispId& id);

    std::shared_ptr<GlobalTable> globals_;
    std::vector<DispatchPtr> memberObjects_;
    SlotStack stack_;
    // Procedures redefined while code runs: kept until the outermost run returns, so that no
    // running procedure is freed under its own feet.
    std::vector<ProcedurePtr> retired_;
    std::shared_ptr<ErrObject> err_;
    DispatchPtr errDispatch_;
    EngineHost host_;
    std::shared_ptr<EngineLink> link_;
    // Objects waiting for their Class_Terminate, each with its generation: 1 when ordinary code
    // released it, one more than the Class_Terminate that released it.
    struct PendingTerminate {
        std::shared_ptr<ClassInstance> obj;
        int generation;
    };
    std::deque<PendingTerminate> pendingTerminates_;
    bool terminating_ = false;       // the queue is being run
    int terminateGeneration_ = 0;    // of the Class_Terminate that runs (0: none)
    bool terminateOverflow_ = false; // a chain of terminations was cut (see terminatePending)
    bool discarding_ = false;
    int entered_ = 0;
    int depth_ = 0;
    int running_ = 0;
    uint64_t steps_ = 0;       // statements and blocks run since the outermost run began
    uintptr_t stackLimit_ = 0; // see StackGuard.h; set by every entry
    uint32_t randomState_ = 0x50000;
};

// Counts one script call or entry for the lifetime of the guard.
struct DepthGuard {
    explicit DepthGuard(int& depth) : depth(depth) { ++depth; }
    ~DepthGuard() { --depth; }
    int& depth;
};

// Marks the interpreter as running for the lifetime of the guard.
struct RunningGuard {
    explicit RunningGuard(Interpreter& in) : in(in) {
        if (in.running_++ == 0) in.steps_ = 0; // each outermost run has the whole step budget
        in.stackLimit_ = nativeStackLimit();
    }
    ~RunningGuard() {
        if (--in.running_ == 0) {
            in.retired_.clear();
            if (in.entered_ == 0 && !in.pendingTerminates_.empty()) in.runPendingTerminates();
            in.terminateOverflow_ = false;
        }
    }
    Interpreter& in;
};

// Text of a value with the language's rules for an operand of &: Null as "".
QString concatText(const Variant& v);

// The value of an operand that can be read in place, without evaluating anything: a literal,
// a local variable or a global variable; nullptr for anything else.
inline const Variant* simpleOperand(const Expr* e, const Frame& f) {
    // Tests in order of frequency rather than a jump table: this runs for every operand.
    Access a = e->access;
    if (a == Access::Local) return &f.slot(e->accessSlot);
    if (a == Access::Literal) return e->accessValue;
    if (a == Access::Global && e->accessCell->kind == CellKind::Variable)
        return &e->accessCell->value;
    return nullptr;
}

} // namespace zv::vbs
