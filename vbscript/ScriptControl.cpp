#include "ScriptControl.h"

#include "CodeObject.h"
#include "Compiler.h"
#include "EngineState.h"
#include "ErrObject.h"
#include "Lexer.h"
#include "ScriptObjects.h"
#include "SyntaxError.h"

namespace zv::vbs {

QString compileErrorSource() {
    return QStringLiteral("Microsoft VBScript compilation error");
}

void EngineState::record(int number, const QString& description, const QString& source, int line,
                         int column, const QString& text) {
    error.number = number;
    error.description = description;
    error.source = source;
    error.line = line;
    error.column = column;
    error.text = text;
}

template <typename T> T EngineState::guarded(const std::function<T()>& body) {
    Interpreter::Entry entry(in);
    try {
        return body();
    } catch (const SyntaxErrorException& e) {
        const SyntaxError& s = e.error;
        record(s.number, s.description, compileErrorSource(), s.line, s.column, QString());
        throw VbError(s.number, s.description, compileErrorSource());
    } catch (const ScriptRuntimeError& e) {
        QString source = e.source().isEmpty() ? runtimeErrorSource() : e.source();
        record(e.number(), e.description(), source, e.line, e.column, e.text);
        throw VbError(e.number(), e.description(), source);
    } catch (const VbError& e) {
        QString source = e.source().isEmpty() ? runtimeErrorSource() : e.source();
        record(e.number(), e.description(), source, 0, 0, QString());
        throw VbError(e.number(), e.description(), source);
    } catch (const std::bad_alloc&) {
        record(err::OutOfMemory, vbErrorText(err::OutOfMemory), runtimeErrorSource(), 0, 0, {});
        throw VbError(err::OutOfMemory);
    }
}

template Variant EngineState::guarded<Variant>(const std::function<Variant()>&);

ProcedurePtr EngineState::findProcedure(const QString& name) const {
    GlobalCell* cell = const_cast<Interpreter&>(in).globals().find(name);
    if (!cell || cell->kind != CellKind::Procedure) throw err::ProcedureNotDefined(name);
    return cell->proc;
}

ProcedureInfo EngineState::procedureInfo(const QString& name) const {
    GlobalCell* cell = const_cast<Interpreter&>(in).globals().find(name);
    if (!cell || cell->kind != CellKind::Procedure) throw err::ElementNotFound(name);
    const Procedure& p = *cell->proc;
    return {p.name, int(p.params.size()), p.isFunction};
}

std::vector<ProcedureInfo> EngineState::procedureList() const {
    std::vector<ProcedureInfo> out;
    for (const GlobalCell* cell : const_cast<Interpreter&>(in).globals().procedures()) {
        const Procedure& p = *cell->proc;
        out.push_back({p.name, int(p.params.size()), p.isFunction});
    }
    return out;
}

namespace {

bool isIdentifier(const QString& name) {
    if (name.isEmpty() || name.size() > 255) return false;
    if (!name[0].isLetter()) return false;
    for (QChar c : name)
        if (!c.isLetterOrNumber() && c != u'_') return false;
    return true;
}

// Syntax errors carry the text of their line too.
void attachLineText(ScriptErrorInfo& error, const QString& code) {
    if (error.line > 0 && error.text.isEmpty()) error.text = SourceText(code).line(error.line);
}

} // namespace

ScriptControl::ScriptControl() : state_(std::make_shared<EngineState>()) {
    state_->in.host().scriptObject = [state = std::weak_ptr<EngineState>(state_)]() {
        auto s = state.lock();
        if (!s->code) s->code = std::make_shared<CodeObject>(s);
        return s->code;
    };
}

ScriptControl::~ScriptControl() = default;

bool ScriptControl::isRunning() const {
    return state_->in.running();
}

// Refused while script code runs: the code being run would be freed under it. Timeout, the
// site window and the host's services stay.
void ScriptControl::reset() {
    if (state_->in.running())
        throw err::InvalidCall(QStringLiteral("Reset while script code runs"));
    auto state = state_;
    state->in.clear();
    state->objects.clear();
    state->error = ScriptErrorInfo{};
}

// The name must be an identifier that no named object and no script global (variable,
// constant, procedure, class) holds yet: 457 otherwise.
void ScriptControl::addObject(const QString& name, const DispatchPtr& object, bool addMembers) {
    if (!isIdentifier(name)) throw err::InvalidCall(name);
    if (!object) throw VbError(err::ObjectRequired);
    GlobalCell* cell = state_->in.globals().find(name);
    if (cell && cell->kind != CellKind::Unset) throw err::DuplicateKey(name);
    state_->in.addNamedObject(name, object);
    state_->objects.emplace_back(name, object);
    if (addMembers) state_->in.addMemberObject(object);
}

void ScriptControl::addCode(const QString& code) {
    auto state = state_; // the engine's state outlives this call even if the host drops it
    try {
        state->guarded<Variant>([&]() -> Variant {
            auto unit = compileProgram(code, state->in.globals());
            state->in.defineUnit(*unit);
            state->in.runUnit(*unit);
            return {};
        });
    } catch (...) {
        attachLineText(state->error, code);
        throw;
    }
}

void ScriptControl::executeStatement(const QString& text) {
    addCode(text);
}

Variant ScriptControl::eval(const QString& expression) {
    auto state = state_;
    try {
        return state->guarded<Variant>([&]() -> Variant {
            auto unit = compileExpression(expression, state->in.globals());
            return state->in.evalUnit(*unit);
        });
    } catch (...) {
        attachLineText(state->error, expression);
        throw;
    }
}

Variant ScriptControl::run(const QString& name, std::span<Variant* const> args) {
    auto state = state_;
    return state->guarded<Variant>([&]() -> Variant {
        ProcedurePtr proc = state->findProcedure(name);
        return state->in.callProcedure(proc, args);
    });
}

Variant ScriptControl::run(const QString& name, std::vector<Variant>& args) {
    std::vector<Variant*> ptrs = argPointers(args);
    return run(name, std::span<Variant* const>(ptrs));
}

std::vector<ProcedureInfo> ScriptControl::procedures() const {
    return state_->procedureList();
}

ProcedureInfo ScriptControl::procedure(const QString& name) const {
    return state_->procedureInfo(name);
}

DispatchPtr ScriptControl::proceduresObject() {
    return makeProceduresObject(state_);
}

DispatchPtr ScriptControl::errorObject() {
    return makeErrorObject(state_);
}

const ScriptErrorInfo& ScriptControl::error() const {
    return state_->error;
}

void ScriptControl::clearError() {
    state_->error = ScriptErrorInfo{};
}

// One object for the engine's life, the same that Me names in global code.
DispatchPtr ScriptControl::codeObject() {
    return state_->in.host().scriptObject();
}

int ScriptControl::timeout() const {
    return state_->in.host().timeout;
}

void ScriptControl::setTimeout(int ms) {
    if (ms < -1) throw VbError(err::InvalidPropertyValue);
    state_->in.host().timeout = ms;
}

uint64_t ScriptControl::stepLimit() const {
    return state_->in.host().stepLimit;
}

void ScriptControl::setStepLimit(uint64_t steps) {
    state_->in.host().stepLimit = steps;
}

WindowHandle ScriptControl::siteWindow() const {
    return state_->in.host().siteWindow;
}

void ScriptControl::setSiteWindow(WindowHandle w) {
    state_->in.host().siteWindow = w;
}

void ScriptControl::setMessageBoxService(std::shared_ptr<MessageBoxService> service) {
    state_->in.host().messageBox = std::move(service);
}

const std::shared_ptr<ObjectRegistry>& ScriptControl::objectRegistry() const {
    return state_->in.host().objects;
}

void ScriptControl::setObjectRegistry(std::shared_ptr<ObjectRegistry> registry) {
    state_->in.host().objects = registry ? std::move(registry) : std::make_shared<ObjectRegistry>();
}

} // namespace zv::vbs
