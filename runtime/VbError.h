#pragma once
// Errors of the language: a number with its description. Every layer raises them as C++
// exceptions; a step that goes on after a run-time error runs through vbTrap (below).
//
// The numbers and their texts live in one table (VbErrorTable.h). Each error of the table has a
// name in `err::` (run-time errors) or `cerr::` (compile errors of the script engine). A name in
// `err::` is both the number and the error's constructor:
//
//     if (e.number() == err::DiskFull) ...           // the number
//     throw err::ObjectUnloaded();                   // "Object was unloaded"
//     throw err::NoSuchMember(name);                 // "Object doesn't ...: 'name'"
//     throw err::NoSuchControlElement(QString::number(i));  // the name fills the text's '%1'
//
// A number known only at run time (an errno, a number a script gives) is raised with
// vbRaise(number): its standard text comes from the same table.

#include "VbErrorTable.h"

#include <QString>
#include <exception>
#include <optional>
#include <string>
#include <utility>

namespace zv {

class VbError : public std::exception {
public:
    // An empty description takes the table's text for the number (vbErrorText).
    explicit VbError(int number, const QString& description = {}, const QString& source = {});

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const QString& source() const noexcept { return source_; }
    void setSource(const QString& source) { source_ = source; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    QString source_;
    std::string what_;
};

// The end of the program asked for by the language's End statement. Deliberately not a
// std::exception and not a VbError: no error trap may swallow it.
class ProgramEnd {
public:
    explicit ProgramEnd(int exitCode = 0) : exitCode_(exitCode) {}
    int exitCode() const noexcept { return exitCode_; }

private:
    int exitCode_;
};

// The table's entry of a number among the errors of one kind (the first, for a number an
// entry of that kind has twice); nullptr when there is none.
const VbErrorEntry* vbErrorEntry(int number, VbErrorKind kind);

// The description of a run-time error number: the language's text, else the forms layer's,
// else "Application-defined or object-defined error".
QString vbErrorText(int number);
// The text of a compile error number ("" for numbers the language does not name).
QString compileErrorText(int number);
// The text the engine's Err.Raise gives a number: the language's run-time text, else
// "Unknown runtime error".
QString raisedErrorText(int number);
// A text with a name: its "%1" replaced by the name, else ": 'name'" added.
QString vbErrorTextWithName(const QString& text, const QString& name);

// Raises the error of a number with its standard text (or the description given).
[[noreturn]] void vbRaise(int number, const QString& description = {});

// The run-time error that a failed system call with this errno stands for. parentMissing tells
// a missing file (53) from a missing folder on its path (76); isFolder marks operations on a
// folder (a cross-device move of a folder is 74).
int vbErrorFromErrno(int err, bool parentMissing = false, bool isFolder = false);

// ---- The trap: "run this step; on a run-time error keep its number and go on" ----
//
// vbTrap runs one step. A VbError it raises is caught and kept in the result; everything else
// goes through untouched: the program's End (ProgramEnd), memory exhaustion and any other
// exception are faults, not run-time errors of the step.
//
//     vbTrap([&] { control->put(QStringLiteral("FontBold"), Variant(true)); }); // skipped
//     res = vbTrap([&] { copy(src, dst); }).number();                          // 0 or the error
//     if (const auto failed = vbTrap(step)) report(failed->description());

// What a trapped step came to: true when it raised a run-time error, which it keeps.
class VbTrapped {
public:
    VbTrapped() = default;
    explicit VbTrapped(const VbError& e) : error_(e) {}
    explicit operator bool() const noexcept { return error_.has_value(); }
    // The error's number; 0 when the step went through.
    int number() const noexcept { return error_ ? error_->number() : 0; }
    // The error (only when there is one).
    const VbError& operator*() const { return *error_; }
    const VbError* operator->() const { return &*error_; }

private:
    std::optional<VbError> error_;
};

template <class F> VbTrapped vbTrap(F&& step) {
    try {
        std::forward<F>(step)();
        return VbTrapped();
    } catch (const VbError& e) {
        return VbTrapped(e);
    }
}

} // namespace zv
