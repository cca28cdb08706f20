// Built-ins that reach beyond the script: MsgBox and InputBox through the host's message box
// service (owned by the engine's site window), CreateObject and GetObject through the host's
// object registry, and Eval, Execute and ExecuteGlobal, which compile code while it runs.

#include "Builtin.h"
#include "Convert.h"
#include "Interpreter.h"
#include "ProcessContext.h"
#include "RegExp.h"

namespace zv::vbs {

namespace {

using A = std::span<const Variant>;

const QString kBoxTitle = QStringLiteral("VBScript");

MessageBoxService& messageBoxOf(Interpreter& in) {
    const auto& service = in.host().messageBox;
    return service ? *service : ProcessContext::current().messageBox();
}

// MsgBox(prompt[, buttons[, title[, helpfile, context]]]): the answer (vbOK ... vbNo).
Variant fnMsgBox(Interpreter& in, A a) {
    MessageBoxRequest request;
    request.text = toText(a[0]);
    int style = given(a, 1) ? argLong(a[1]) : 0;
    if (!msgStyleDecode(style, request)) throw VbError(err::InvalidCall);
    request.title = given(a, 2) ? toText(a[2]) : kBoxTitle;
    request.parent = in.host().siteWindow;
    return Variant(int16_t(messageBoxOf(in).show(request)));
}

// InputBox(prompt[, title[, default[, x, y[, helpfile, context]]]]): the text typed, Empty
// when the person cancelled.
Variant fnInputBox(Interpreter& in, A a) {
    InputBoxRequest request;
    request.prompt = toText(a[0]);
    request.title = given(a, 1) ? toText(a[1]) : kBoxTitle;
    request.defaultText = given(a, 2) ? toText(a[2]) : QString();
    for (size_t i = 3; i < 5; ++i)
        if (given(a, i)) argLong(a[i]); // positions are accepted and have no effect
    request.parent = in.host().siteWindow;
    std::optional<QString> text = messageBoxOf(in).input(request);
    return text ? Variant(*text) : Variant();
}

// CreateObject(progId[, server]): the language's RegExp, or an object of the host's registry;
// objects of other machines do not exist here.
Variant fnCreateObject(Interpreter& in, A a) {
    QString progId = toText(a[0]);
    if (RegExp::isProgId(progId) && !given(a, 1))
        return Variant(DispatchPtr(std::make_shared<RegExp>()));
    if (given(a, 1) && !toText(a[1]).isEmpty()) throw err::CannotCreateObject(progId);
    return Variant(in.host().objects->create(progId));
}

// GetObject([path][, progId]): without a path it would be an object already running, which
// there is no way to find here.
Variant fnGetObject(Interpreter& in, A a) {
    QString progId = given(a, 1) ? toText(a[1]) : QString();
    if (!given(a, 0)) throw err::CannotCreateObject(progId);
    return Variant(in.host().objects->open(toText(a[0]), progId));
}

// The engine's name and version: the language it runs and the release whose behaviour it
// follows.
Variant fnScriptEngine(Interpreter&, A) {
    return Variant(QStringLiteral("VBScript"));
}
Variant fnScriptEngineMajorVersion(Interpreter&, A) {
    return Variant(int32_t(5));
}
Variant fnScriptEngineMinorVersion(Interpreter&, A) {
    return Variant(int32_t(8));
}
Variant fnScriptEngineBuildVersion(Interpreter&, A) {
    return Variant(int32_t(16384));
}

Variant fnEval(Interpreter& in, Frame& caller, A a) {
    return in.evalDynamic(toText(a[0]), caller);
}

Variant fnExecute(Interpreter& in, Frame& caller, A a) {
    in.executeDynamic(toText(a[0]), caller, false);
    return {};
}

Variant fnExecuteGlobal(Interpreter& in, Frame& caller, A a) {
    in.executeDynamic(toText(a[0]), caller, true);
    return {};
}

} // namespace

void registerHostBuiltins(BuiltinRegistry& r) {
    r.function("MsgBox", 1, 5, fnMsgBox);
    r.function("InputBox", 1, 7, fnInputBox);
    r.function("CreateObject", 1, 2, fnCreateObject);
    r.function("GetObject", 0, 2, fnGetObject);
    r.function("ScriptEngine", 0, 0, fnScriptEngine);
    r.function("ScriptEngineMajorVersion", 0, 0, fnScriptEngineMajorVersion);
    r.function("ScriptEngineMinorVersion", 0, 0, fnScriptEngineMinorVersion);
    r.function("ScriptEngineBuildVersion", 0, 0, fnScriptEngineBuildVersion);
    r.scopeFunction("Eval", 1, 1, fnEval);
    r.scopeFunction("Execute", 1, 1, fnExecute);
    r.scopeFunction("ExecuteGlobal", 1, 1, fnExecuteGlobal);
}

} // namespace zv::vbs
