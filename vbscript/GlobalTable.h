#pragma once
// The script's global names: variables, constants, procedures and the host's named objects,
// one cell per name. Compiled code points at cells directly, so a name costs no lookup when it
// runs; a name that code uses before anything defines it gets an unset cell, which a later
// ExecuteStatement or AddCode may define. Cells never move and are only dropped all together
// (Reset, which is refused while code runs); code compiled against a table keeps
// it alive through its classes.

#include "Ast.h"

#include <QHash>
#include <deque>
#include <vector>

namespace zv::vbs {

enum class CellKind : uint8_t { Unset, Variable, Constant, Procedure, Object, Class };

struct GlobalCell {
    QString name; // as defined (as first used while unset)
    CellKind kind = CellKind::Unset;
    Variant value;     // Variable, Constant, Object
    ProcedurePtr proc; // Procedure
    ClassPtr cls;      // Class
};

class GlobalTable {
public:
    // The cell of a name (case-blind), nullptr when the name was never seen.
    GlobalCell* find(const QString& name) const;
    // The cell of a name, created unset when missing.
    GlobalCell& obtain(const QString& name);
    // Defines or redefines a procedure; a redefined one keeps its place in the order.
    void defineProcedure(GlobalCell& cell, ProcedurePtr proc);
    // Defines or redefines a class.
    void defineClass(GlobalCell& cell, ClassPtr cls);
    // Procedures in the order of their first definition.
    const std::vector<GlobalCell*>& procedures() const { return procedures_; }

    // Moves out the values of variables and constants (with objects) or of every cell, leaving
    // the cells Empty: a reset drops what the script holds before the code that runs it.
    std::vector<Variant> takeValues(bool namedObjectsToo);
    // Makes every cell unset and drops procedures and classes; the cells themselves stay, for
    // code of this table that still exists (methods of objects that outlive a reset).
    void releaseAll();

private:
    std::deque<GlobalCell> cells_;
    QHash<QString, GlobalCell*> index_;
    std::vector<GlobalCell*> procedures_;
};

} // namespace zv::vbs
