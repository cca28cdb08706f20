#pragma once
// The script engine as its host sees it: the members of the Script Control. Objects are added
// under names, code is added, statements run and expressions evaluate in the global scope, and
// procedures run by name with arguments passed by reference. Every failing member throws a
// VbError (the host's run-time error); errors of script code are also kept, with their
// position, in error() until the next one.
//
// The engine is re-entrant: a host method called by running script code may call
// executeStatement, eval, run or addCode on the same engine. reset() is refused while code runs.

#include "Dispatch.h"
#include "MessageBoxService.h"
#include "ObjectRegistry.h"
#include "VbError.h"
#include "WindowHandle.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace zv::vbs {

struct EngineState;

// The error of code stopped by the step limit (see setStepLimit): 17 "Can't perform requested
// operation", with ": 'step limit'" after it.
constexpr int kStepLimitError = err::CantPerformOperation;

// The last script error that reached the host.
struct ScriptErrorInfo {
    int number = 0; // 0: none
    QString description;
    QString source;
    int line = 0;   // 1-based, within the text of the call that added the code
    int column = 0; // 0-based: the token of a syntax error, the statement of a run-time error
    QString text;   // the source line
};

struct ProcedureInfo {
    QString name;
    int numArgs = 0;
    bool hasReturnValue = false;
};

class ScriptControl {
public:
    ScriptControl();
    ~ScriptControl();
    ScriptControl(const ScriptControl&) = delete;
    ScriptControl& operator=(const ScriptControl&) = delete;

    // Discards all code, script globals and named objects; refused while code runs.
    void reset();

    // Makes an object a script global under a name (a valid identifier that no named object
    // and no script global holds yet).
    void addObject(const QString& name, const DispatchPtr& object, bool addMembers = false);
    // Compiles the whole text (a syntax error adds nothing and runs nothing), defines its
    // procedures, then runs its global statements.
    void addCode(const QString& code);
    // Runs statements in the global scope; assignments create globals. The same as addCode
    // (procedures the text defines are kept too).
    void executeStatement(const QString& text);
    // The value of one expression in the global scope (objects as themselves).
    Variant eval(const QString& expression);
    // Calls a procedure by name (case-blind); the arguments are bound by reference to the
    // caller's Variants (ByVal parameters copy). Empty for a Sub.
    Variant run(const QString& name, std::span<Variant* const> args);
    Variant run(const QString& name, std::vector<Variant>& args);

    // Procedures in definition order; lookup by name throws 32811 for an unknown one.
    std::vector<ProcedureInfo> procedures() const;
    ProcedureInfo procedure(const QString& name) const;
    // The same as an object: Count, Item(name or index from 1) as its default member, and
    // For Each; every item has Name, NumArgs and HasReturnValue.
    DispatchPtr proceduresObject();

    // The last script error that reached the host: number 0 until there is one; it stays
    // until the next one (successful calls keep it), clearError or reset.
    const ScriptErrorInfo& error() const;
    void clearError();
    // The same as an object (Number, Description, Source, Line, Column, Text, Clear), which
    // always shows the current error.
    DispatchPtr errorObject();

    // The object whose members are the script's globals (get/put) and procedures (calls).
    DispatchPtr codeObject();

    // The time limit of script code in milliseconds: -1 (or 0) none. It is kept, not enforced.
    // Below -1: 380.
    int timeout() const;
    void setTimeout(int ms);
    // The most statements (and loop rounds) one call of the host into the engine may run:
    // 0 (the default) none. Past it the code stops with kStepLimitError, which no On Error
    // Resume Next takes, so the call ends with that error.
    uint64_t stepLimit() const;
    void setStepLimit(uint64_t steps);
    // The window that owns the message boxes of scripts (MsgBox, InputBox).
    WindowHandle siteWindow() const;
    void setSiteWindow(WindowHandle w);
    // The message box service of MsgBox and InputBox; null (the default) is the process
    // context's.
    void setMessageBoxService(std::shared_ptr<MessageBoxService> service);
    // The objects CreateObject and GetObject can make: at first an empty registry of this
    // engine's own, which the host fills, or one the host shares among its engines. Timeout,
    // the site window and these services stay across reset().
    const std::shared_ptr<ObjectRegistry>& objectRegistry() const;
    void setObjectRegistry(std::shared_ptr<ObjectRegistry> registry);

    bool isRunning() const;

private:
    std::shared_ptr<EngineState> state_;
};

} // namespace zv::vbs
