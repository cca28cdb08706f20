#include "CodeObject.h"

#include "Convert.h"
#include "EngineState.h"
#include "Lexer.h"

namespace zv::vbs {

CodeObject::CodeObject(std::weak_ptr<EngineState> state) : state_(std::move(state)) {}

std::shared_ptr<EngineState> CodeObject::lockState() const {
    auto s = state_.lock();
    if (!s) throw VbError(err::ObjectNotSet);
    return s;
}

DispId CodeObject::memberId(const QString& name) const {
    auto s = state_.lock();
    if (!s || name.isEmpty()) return kDispIdUnknown;
    GlobalCell* cell = s->in.globals().find(name);
    if (!cell || cell->kind == CellKind::Unset || cell->kind == CellKind::Object ||
        cell->kind == CellKind::Class)
        return kDispIdUnknown;
    QString key = foldName(name);
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == key) return DispId(i + 1);
    names_.push_back(key);
    return DispId(names_.size());
}

Variant CodeObject::invoke(DispId id, Invoke kind, Args args) {
    auto s = lockState();
    if (id < 1 || size_t(id) > names_.size()) throw VbError(err::NoSuchMember);
    const QString& name = names_[size_t(id - 1)];
    GlobalCell* cell = s->in.globals().find(name);
    if (!cell || cell->kind == CellKind::Unset || cell->kind == CellKind::Object ||
        cell->kind == CellKind::Class)
        throw VbError(err::NoSuchMember);
    if (cell->kind == CellKind::Procedure) {
        if (kind == Invoke::Put || kind == Invoke::PutRef) throw VbError(err::IllegalAssignment);
        ProcedurePtr proc = cell->proc;
        return s->guarded<Variant>([&]() -> Variant { return s->in.callProcedure(proc, args); });
    }
    switch (kind) {
    case Invoke::Get:
    case Invoke::Method:
        if (!args.empty()) throw VbError(err::WrongArgCount);
        return cell->value;
    case Invoke::Put:
    case Invoke::PutRef: {
        checkArgCount(args, 1, 1);
        if (cell->kind != CellKind::Variable) throw VbError(err::IllegalAssignment);
        Variant v = *args.back();
        if (kind == Invoke::PutRef && !v.isObject()) throw VbError(err::ObjectRequired);
        if (kind == Invoke::Put && v.isObject()) v = dereference(v);
        if (cell->value.isArray() && cell->value.array().locks > 0) throw VbError(err::ArrayFixed);
        cell->value = std::move(v);
        return {};
    }
    }
    return {};
}

} // namespace zv::vbs
