#pragma once
// The language's built-in functions, constants and objects, found by name (case-blind). The
// resolver binds a name to its entry when the script defines nothing of that name, so a
// built-in costs no lookup when it runs. Topic files register their entries (text,
// conversions, arrays, math...) into one table built on first use.

#include "Operators.h"
#include "Variant.h"

#include <QString>
#include <span>

namespace zv::vbs {

class Interpreter;
struct Frame;

// A built-in function receives its arguments as values (an argument left out in the middle
// is the missing-argument marker; trailing ones are simply absent).
using BuiltinFn = Variant (*)(Interpreter& in, std::span<const Variant> args);
// A built-in that works on the caller's scope (Eval, Execute) also receives the caller's frame.
using BuiltinFrameFn = Variant (*)(Interpreter& in, Frame& caller, std::span<const Variant> args);

struct Builtin {
    enum class Kind : uint8_t { Function, Constant, Object };
    QString name;
    Kind kind = Kind::Function;
    int minArgs = 0;
    int maxArgs = 0;
    BuiltinFn fn = nullptr;           // Function; Object: gives the object
    BuiltinFrameFn frameFn = nullptr; // a Function on the caller's scope (fn is null)
    Variant value;                    // Constant
    // A conversion (CInt, CStr...): called as a statement, once its argument converted, it raises
    // 458, as the language does for a result of a type it will not discard.
    bool conversion = false;
    // A statement (Randomize): used for a value it is 13.
    bool statementOnly = false;
};

class BuiltinRegistry {
public:
    void function(const char* name, int minArgs, int maxArgs, BuiltinFn fn);
    // A conversion function of one argument (see Builtin::conversion).
    void conversion(const char* name, BuiltinFn fn);
    // A function that gives no value (see Builtin::statementOnly).
    void statement(const char* name, int minArgs, int maxArgs, BuiltinFn fn);
    void scopeFunction(const char* name, int minArgs, int maxArgs, BuiltinFrameFn fn);
    void constant(const char* name, Variant value);
    void object(const char* name, BuiltinFn fn);

private:
    friend const Builtin* findBuiltin(const QString& name);
    void add(Builtin b);
};

// The entry of a name, nullptr when the language has none.
const Builtin* findBuiltin(const QString& name);

// Registration of each topic's entries (one function per topic file).
void registerCoreBuiltins(BuiltinRegistry& r);
void registerTextBuiltins(BuiltinRegistry& r);
void registerMathBuiltins(BuiltinRegistry& r);
void registerDateBuiltins(BuiltinRegistry& r);
void registerFormatBuiltins(BuiltinRegistry& r);
void registerHostBuiltins(BuiltinRegistry& r);
void registerConstants(BuiltinRegistry& r);

// Helpers for built-in functions.
bool given(std::span<const Variant> args, size_t i); // present and not left out
// The English month names, January first (MonthName and the long date form).
extern const char* const kMonthNames[12];
int32_t argLong(const Variant& v); // CLng of an argument (Null: 94)
QString argText(const Variant& v); // CStr of an argument (Null: 94)
// A compare-mode argument at i: absent is Binary; 0 and 1 only (else 5).
CompareMode compareArg(std::span<const Variant> args, size_t i);
// Null when any of the given arguments is Null.
bool anyNull(std::span<const Variant> args);

} // namespace zv::vbs
