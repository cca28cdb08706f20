#include "Builtin.h"

#include "Convert.h"
#include "Lexer.h"

#include <QHash>
#include <deque>

namespace zv::vbs {

namespace {

struct Table {
    std::deque<Builtin> entries;
    QHash<QString, const Builtin*> index;
};

Table& table() {
    static Table t;
    return t;
}

void ensureBuilt() {
    static const bool built = [] {
        BuiltinRegistry r;
        registerCoreBuiltins(r);
        registerTextBuiltins(r);
        registerMathBuiltins(r);
        registerDateBuiltins(r);
        registerFormatBuiltins(r);
        registerHostBuiltins(r);
        registerConstants(r);
        return true;
    }();
    (void)built;
}

} // namespace

void BuiltinRegistry::add(Builtin b) {
    Table& t = table();
    QString key = foldName(b.name);
    t.entries.push_back(std::move(b));
    t.index.insert(key, &t.entries.back());
}

namespace {

// A function of the language taking minArgs to maxArgs arguments, its body not yet set.
Builtin functionEntry(const char* name, int minArgs, int maxArgs) {
    Builtin b;
    b.name = QString::fromLatin1(name);
    b.kind = Builtin::Kind::Function;
    b.minArgs = minArgs;
    b.maxArgs = maxArgs;
    return b;
}

} // namespace

void BuiltinRegistry::function(const char* name, int minArgs, int maxArgs, BuiltinFn fn) {
    Builtin b = functionEntry(name, minArgs, maxArgs);
    b.fn = fn;
    add(std::move(b));
}

void BuiltinRegistry::conversion(const char* name, BuiltinFn fn) {
    function(name, 1, 1, fn);
    table().entries.back().conversion = true;
}

void BuiltinRegistry::statement(const char* name, int minArgs, int maxArgs, BuiltinFn fn) {
    function(name, minArgs, maxArgs, fn);
    table().entries.back().statementOnly = true;
}

void BuiltinRegistry::scopeFunction(const char* name, int minArgs, int maxArgs, BuiltinFrameFn fn) {
    Builtin b = functionEntry(name, minArgs, maxArgs);
    b.frameFn = fn;
    add(std::move(b));
}

void BuiltinRegistry::constant(const char* name, Variant value) {
    Builtin b;
    b.name = QString::fromLatin1(name);
    b.kind = Builtin::Kind::Constant;
    b.value = std::move(value);
    add(std::move(b));
}

void BuiltinRegistry::object(const char* name, BuiltinFn fn) {
    Builtin b;
    b.name = QString::fromLatin1(name);
    b.kind = Builtin::Kind::Object;
    b.fn = fn;
    add(std::move(b));
}

const Builtin* findBuiltin(const QString& name) {
    ensureBuilt();
    return table().index.value(foldName(name), nullptr);
}

bool given(std::span<const Variant> args, size_t i) {
    return i < args.size() && !args[i].isMissing();
}

int32_t argLong(const Variant& v) {
    return CLng(v);
}

QString argText(const Variant& v) {
    return toText(v);
}

CompareMode compareArg(std::span<const Variant> args, size_t i) {
    if (!given(args, i)) return CompareMode::Binary;
    int m = argLong(args[i]);
    if (m < 0 || m > 1) throw VbError(err::InvalidCall);
    return CompareMode(m);
}

bool anyNull(std::span<const Variant> args) {
    for (const Variant& v : args)
        if (v.isNull()) return true;
    return false;
}

} // namespace zv::vbs
