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
#include "WindowHandle.h"

#include <QString>
#include <memory>
#include <span>
#include <vector>

namespace zv::vbs {

struct EngineState;

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
    // Runs statements in the global scope; assignments create globals.
    void executeStatement(const QString& text);
    // The value of one expression in the global scope (objects as themselves).
    Variant eval(const QString& expression);
    // Calls a procedure by name (case-blind); the arguments are bound by reference to the
    // caller's Variants (ByVal parameters copy). Empty for a Sub.
    Variant run(const QString& name, std::span<Variant* const> args);
    Variant run(const QString& name, std::vector<Variant>& args);

    // Procedures in definition order; lookup by name throws for an unknown one.
    std::vector<ProcedureInfo> procedures() const;
    ProcedureInfo procedure(const QString& name) const;

    const ScriptErrorInfo& error() const;
    void clearError();

    // The object whose members are the script's globals (get/put) and procedures (calls).
    DispatchPtr codeObject();

    // Stored for the host: -1 or 0 is no limit.
    int timeout() const { return timeout_; }
    void setTimeout(int ms) { timeout_ = ms; }
    WindowHandle siteWindow() const { return siteWindow_; }
    void setSiteWindow(WindowHandle w) { siteWindow_ = w; }

    bool isRunning() const;

private:
    std::shared_ptr<EngineState> state_;
    int timeout_ = 10000;
    WindowHandle siteWindow_ = 0;
};

} // namespace zv::vbs
