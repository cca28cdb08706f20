#include "GlobalTable.h"

#include "Lexer.h"

namespace zv::vbs {

GlobalCell* GlobalTable::find(const QString& name) const {
    return index_.value(foldName(name), nullptr);
}

GlobalCell& GlobalTable::obtain(const QString& name) {
    QString key = foldName(name);
    auto it = index_.constFind(key);
    if (it != index_.constEnd()) return *it.value();
    GlobalCell& cell = cells_.emplace_back();
    cell.name = name;
    index_.insert(key, &cell);
    return cell;
}

void GlobalTable::defineProcedure(GlobalCell& cell, ProcedurePtr proc) {
    if (cell.kind != CellKind::Procedure) procedures_.push_back(&cell);
    cell.kind = CellKind::Procedure;
    cell.name = proc->name;
    cell.value.clear();
    cell.proc = std::move(proc);
}

} // namespace zv::vbs
