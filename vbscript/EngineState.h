#pragma once
// The state behind a ScriptControl, shared with the objects the engine hands out (CodeObject),
// and the one place where errors of script code become host errors: the error is kept in the
// error record, then thrown as a plain VbError.

#include "Interpreter.h"
#include "ScriptControl.h"

#include <functional>

namespace zv::vbs {

struct EngineState {
    Interpreter in;
    ScriptErrorInfo error;
    std::vector<std::pair<QString, DispatchPtr>> objects; // named objects, in order added
    DispatchPtr code; // the CodeObject, made on first use (it refers back to the state weakly)

    // Runs body; a syntax or run-time error is recorded and thrown to the host.
    template <typename T> T guarded(const std::function<T()>& body);
    void record(int number, const QString& description, const QString& source, int line, int column,
                const QString& text);

    // The procedure of a name, or 35 "Sub or Function not defined".
    ProcedurePtr findProcedure(const QString& name) const;
    // The Procedures collection: in definition order; lookup of an unknown name 32811.
    std::vector<ProcedureInfo> procedureList() const;
    ProcedureInfo procedureInfo(const QString& name) const;
};

QString compileErrorSource();

} // namespace zv::vbs
