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
    : globals_(std::make_unique<GlobalTable>()), err_(std::make_shared<ErrObject>()),
      errDispatch_(err_) {}

Interpreter::~Interpreter() = default;

const DispatchPtr& Interpreter::errObject() const {
    return errDispatch_;
}

ErrObject& Interpreter::err() {
    return *err_;
}

void Interpreter::clear() {
    globals_ = std::make_unique<GlobalTable>();
    memberObjects_.clear();
    err_->clear();
}

void Interpreter::addNamedObject(const QString& name, const DispatchPtr& object) {
    GlobalCell& cell = globals_->obtain(name);
    cell.name = name;
    cell.kind = CellKind::Object;
    cell.value = Variant(object);
}

void Interpreter::raise(int number, const QString& name) {
    QString text = vbErrorText(number);
    if (!name.isEmpty()) text += QStringLiteral(": '%1'").arg(name);
    throw VbError(number, text);
}

// Globals of a unit: a Dim keeps the value of a variable that already exists; a Const, a fixed
// array and a dynamic array start afresh. Locals of a procedure start afresh at each call.
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
        case DeclKind::FixedArray: {
            if (cell) cell->kind = CellKind::Variable;
            Variant a = Variant::array(d.bounds);
            a.arrayMut().fixedSize = true;
            *target = std::move(a);
            break;
        }
        case DeclKind::DynamicArray:
            if (cell && cell->kind == CellKind::Variable && target->isArray()) break;
            if (cell) cell->kind = CellKind::Variable;
            *target = Variant::array(std::span<const std::pair<int32_t, int32_t>>());
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

void Interpreter::onErrorResumed(const VbError& e, Frame&) {
    err_->set(e);
}

} // namespace zv::vbs
