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

void GlobalTable::defineClass(GlobalCell& cell, ClassPtr cls) {
    cell.kind = CellKind::Class;
    cell.name = cls->name;
    cell.value.clear();
    cell.proc.reset();
    cell.cls = std::move(cls);
}

std::vector<Variant> GlobalTable::takeValues(bool namedObjectsToo) {
    std::vector<Variant> values;
    for (GlobalCell& cell : cells_) {
        bool take = cell.kind == CellKind::Variable || cell.kind == CellKind::Constant ||
                    (namedObjectsToo && cell.kind == CellKind::Object);
        if (take && !cell.value.isEmpty()) {
            values.push_back(std::move(cell.value));
            cell.value.clear();
        }
    }
    return values;
}

void GlobalTable::releaseAll() {
    for (GlobalCell& cell : cells_) {
        cell.kind = CellKind::Unset;
        cell.value.clear();
        cell.proc.reset();
        cell.cls.reset();
    }
    procedures_.clear();
}

} // namespace zv::vbs
