#pragma once
// Run-time errors of the language: a number with its description. Every layer raises them as
// C++ exceptions; "trapping" an error means catching VbError at the boundary that reports it.

#include <QString>
#include <exception>
#include <string>

namespace zv {

class VbError : public std::exception {
public:
    // An empty description takes the language's standard text for the number.
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

// The standard description of a run-time error number ("Application-defined or
// object-defined error" for numbers the language does not name).
QString vbErrorText(int number);

[[noreturn]] void vbRaise(int number, const QString& description = {});

// The run-time error that a failed system call with this errno stands for. parentMissing tells
// a missing file (53) from a missing folder on its path (76); isFolder marks operations on a
// folder (a cross-device move of a folder is 74).
int vbErrorFromErrno(int err, bool parentMissing = false, bool isFolder = false);

// Well-known numbers, for readability at the raise sites.
namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int ArrayFixed = 10;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int OutOfStringSpace = 14;
constexpr int OutOfStack = 28;
constexpr int BadFileNameOrNumber = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIO = 57;
constexpr int FileAlreadyExists = 58;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int TooManyFiles = 67;
constexpr int PermissionDenied = 70;
constexpr int RenameOtherDrive = 74;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;
constexpr int InvalidNull = 94;
constexpr int InvalidPropertyValue = 380;
constexpr int ObjectRequired = 424;
constexpr int CannotCreateObject = 429;
constexpr int NoSuchMember = 438;
constexpr int WrongArgCount = 450;
constexpr int NotCollection = 451;
constexpr int DuplicateKey = 457;
constexpr int VariableUndefined = 500;
constexpr int IllegalAssignment = 501;
} // namespace err

} // namespace zv
