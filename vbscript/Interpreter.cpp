// The interpreter's entry points and its statement loop, where run-time errors get their
// position and On Error Resume Next takes them.

#include "Interpreter.h"
#include "StackGuard.h"

#include "Convert.h"
#include "ErrObject.h"

namespace zv::vbs {

QString concatText(const Variant& v) {
    return v.isNull() ? QString() : toText(v);
}

Interpreter::Interpreter()
    : globals_(std::make_shared<GlobalTable>()), err_(std::make_shared<ErrObject>()),
      errDispatch_(err_), link_(std::make_shared<EngineLink>()) {
    link_->in = this;
}

// Objects of script classes that outlive the engine no longer reach it, and what the engine
// still holds goes without Class_Terminate.
Interpreter::~Interpreter() {
    discarding_ = true;
    link_->in = nullptr;
    pendingTerminates_.clear();
    globals_->takeValues(true);
    globals_->releaseAll();
    // Objects that refer to each other would keep each other (and their classes) forever.
    std::vector<Variant> fields;
    for (ClassInstance* obj : link_->live)
        obj->takeFields(fields);
    fields.clear();
}

const DispatchPtr& Interpreter::errObject() const {
    return errDispatch_;
}

ErrObject& Interpreter::err() {
    return *err_;
}

void Interpreter::clear() {
    discardGlobals();
    globals_ = std::make_shared<GlobalTable>();
    memberObjects_.clear();
    err_->clear();
}

// Drops what the globals hold: the script's variables first, so that Class_Terminate of their
// objects still finds the code and the named objects; then everything else, without
// terminating. The cells are released too, which breaks the cycle between a table and the
// classes compiled against it.
void Interpreter::discardGlobals() {
    std::shared_ptr<GlobalTable> old = globals_;
    {
        Entry entry(*this);
        for (int pass = 0; pass < 4; ++pass) {
            std::vector<Variant> values = old->takeValues(false);
            if (values.empty()) break;
            values.clear();
            runPendingTerminates();
        }
        discarding_ = true;
        pendingTerminates_.clear();
        old->takeValues(true);
        old->releaseAll();
        discarding_ = false;
    }
}

DispatchPtr Interpreter::newInstance(const ClassPtr& cls) {
    std::shared_ptr<ClassInstance> obj = ClassInstance::create(cls, link_);
    if (cls->initialize) callMethod(cls->initialize, obj.get(), {});
    obj->markInitialized();
    return obj;
}

void Interpreter::queueTerminate(std::shared_ptr<ClassInstance> obj) {
    pendingTerminates_.push_back({std::move(obj), terminateGeneration_ + 1});
    if (running_ == 0 && entered_ == 0) runPendingTerminates();
}

// Runs Class_Terminate of the queued objects, in the order they were released. Their errors go
// nowhere and Err is left as it was: the code that released them goes on undisturbed.
void Interpreter::runPendingTerminates() {
    if (terminating_) return; // the loop below takes what its terminations release
    terminating_ = true;
    while (!pendingTerminates_.empty()) {
        PendingTerminate next = std::move(pendingTerminates_.front());
        pendingTerminates_.pop_front();
        if (next.generation > kMaxCallDepth) {
            terminateOverflow_ = true;
            continue; // freed without its Class_Terminate
        }
        terminateGeneration_ = next.generation;
        ErrObject::Snapshot saved = err_->snapshot();
        try {
            callMethod(next.obj->cls().terminate, next.obj.get(), {});
        } catch (const VbError&) {
        } catch (const std::bad_alloc&) {
        }
        err_->restore(saved);
        // What the object's own fields held is released beside it, not by its Class_Terminate:
        // a long list of objects is no chain of terminations.
        terminateGeneration_ = next.generation - 1;
        next.obj.reset();
        terminateGeneration_ = 0;
    }
    terminating_ = false;
}

void Interpreter::addNamedObject(const QString& name, const DispatchPtr& object) {
    GlobalCell& cell = globals_->obtain(name);
    cell.name = name;
    cell.kind = CellKind::Object;
    cell.value = Variant(object);
}

void Interpreter::raise(int number, const QString& name) {
    if (name.isEmpty()) throw VbError(number);
    throw VbError(number, vbErrorTextWithName(vbErrorText(number), name));
}

// Globals of a unit: a Dim keeps the value of a variable that already exists, a Const starts
// afresh. Arrays are made by their Dim statement when it runs (until then the variable is
// Empty). Locals of a procedure start afresh at each call.
void Interpreter::setupDeclarations(const std::vector<Declaration>& decls, Frame& f, bool global) {
    for (const auto& d : decls) {
        Variant* target = nullptr;
        GlobalCell* cell = nullptr;
        if (global) {
            cell = d.ref.cell;
            cell->name = d.name;
            target = &cell->value;
        } else {
            target = &f.slot(d.ref.slot);
        }
        switch (d.kind) {
        case DeclKind::Variable:
            if (cell && cell->kind != CellKind::Variable) {
                cell->kind = CellKind::Variable;
                target->clear();
            }
            break;
        case DeclKind::Constant:
            if (cell) cell->kind = CellKind::Constant;
            *target = d.value;
            break;
        case DeclKind::FixedArray:
        case DeclKind::DynamicArray:
            if (cell && cell->kind != CellKind::Variable) {
                cell->kind = CellKind::Variable;
                target->clear();
            }
            break;
        }
    }
}

void Interpreter::defineUnit(const CodeUnit& unit) {
    Frame none;
    setupDeclarations(unit.decls, none, true);
    for (const auto& proc : unit.procedures) {
        GlobalCell& cell = globals_->obtain(proc->name);
        if (cell.kind == CellKind::Procedure && running_ > 0) retired_.push_back(cell.proc);
        globals_->defineProcedure(cell, proc);
    }
    for (const auto& cls : unit.classes) {
        cls->globals = globals_;
        globals_->defineClass(globals_->obtain(cls->name), cls);
    }
}

void Interpreter::runUnit(const CodeUnit& unit) {
    RunningGuard running(*this);
    if (depth_ >= kMaxCallDepth || belowStackLimit(stackLimit_)) raise(err::OutOfStack);
    DepthGuard depth(depth_);
    FrameStorage storage(stack_, unit.slotCount);
    Frame f;
    f.base = storage.base;
    f.count = unit.slotCount;
    f.source = unit.source.get();
    execBlock(unit.body, f);
}

Variant Interpreter::evalUnit(const CodeUnit& unit) {
    RunningGuard running(*this);
    if (depth_ >= kMaxCallDepth || belowStackLimit(stackLimit_)) raise(err::OutOfStack);
    DepthGuard depth(depth_);
    FrameStorage storage(stack_, unit.slotCount);
    Frame f;
    f.base = storage.base;
    f.count = unit.slotCount;
    f.source = unit.source.get();
    const Expr* e = unit.expression.get();
    try {
        return eval(e, f);
    } catch (const ScriptRuntimeError&) {
        throw;
    } catch (const VbError& ex) {
        throw ScriptRuntimeError(ex, e->line, e->column, f.source->line(e->line));
    } catch (const std::bad_alloc&) {
        throw ScriptRuntimeError(VbError(err::OutOfMemory), e->line, e->column,
                                 f.source->line(e->line));
    }
}

// Called by the handlers of On Error Resume Next; past the step limit the error goes on up.
void Interpreter::onErrorResumed(const VbError& e, Frame&) {
    if (pastStepLimit()) throw;
    err_->set(e);
}

} // namespace zv::vbs
