// Eval, Execute and ExecuteGlobal: code compiled while a frame runs. Eval and Execute see the
// scope they are called from (inside a procedure its parameters and variables, inside a method
// its object's members and Me); ExecuteGlobal sees the global scope only. Procedures, classes
// and Dim of such code are global. Names that neither scope defines become globals when
// assigned. A failure (a syntax error included) is a run-time error of the calling statement.

#include "Compiler.h"
#include "Interpreter.h"
#include "SyntaxError.h"

namespace zv::vbs {

namespace {

template <typename T> T asCallersError(const std::function<T()>& body) {
    try {
        return body();
    } catch (const SyntaxErrorException& e) {
        throw VbError(e.error.number, e.error.description);
    } catch (const ScriptRuntimeError& e) {
        throw VbError(e.number(), e.description(), e.source());
    }
}

} // namespace

// The frame the compiled code runs in: the caller's own slots (each pointing at the caller's
// variable) followed by the code's hidden slots.
Variant Interpreter::runDynamic(const CodeUnit& unit, Frame& caller, bool global) {
    const Procedure* scope = global ? nullptr : caller.proc;
    int own = scope ? scope->slotCount : 0;
    if (depth_ >= kMaxCallDepth || belowStackLimit(stackLimit_)) raise(err::OutOfStack);
    DepthGuard depth(depth_);
    FrameStorage storage(stack_, unit.slotCount);
    for (int i = 0; i < own; ++i)
        storage.base[i].ref = &caller.slot(i);
    Frame f;
    f.base = storage.base;
    f.count = unit.slotCount;
    f.proc = scope;
    f.source = unit.source.get();
    f.me = global ? nullptr : caller.me;
    if (unit.expression) return eval(unit.expression.get(), f);
    execBlock(unit.body, f);
    return {};
}

Variant Interpreter::evalDynamic(const QString& text, Frame& caller) {
    return asCallersError<Variant>([&]() -> Variant {
        auto unit = compileExpression(text, *globals_, caller.proc);
        return runDynamic(*unit, caller, false);
    });
}

void Interpreter::executeDynamic(const QString& text, Frame& caller, bool global) {
    asCallersError<int>([&]() -> int {
        auto unit = compileProgram(text, *globals_, global ? nullptr : caller.proc);
        defineUnit(*unit);
        runDynamic(*unit, caller, global);
        return 0;
    });
}

} // namespace zv::vbs
