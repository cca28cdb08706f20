#include "VbError.h"

#include <cerrno>

namespace zv {

namespace {

struct ErrorText {
    int number;
    const char* text;
};

// The language's standard descriptions of its run-time errors.
constexpr ErrorText kErrorTexts[] = {
    {3, "Return without GoSub"},
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {10, "This array is fixed or temporarily locked"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {17, "Can't perform requested operation"},
    {28, "Out of stack space"},
    {35, "Sub or Function not defined"},
    {48, "Error in loading DLL"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {74, "Can't rename with different drive"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {91, "Object variable not set"},
    {92, "For loop not initialized"},
    {94, "Invalid use of Null"},
    {322, "Can't create necessary temporary file"},
    {380, "Invalid property value"},
    {424, "Object required"},
    {429, "ActiveX component can't create object"},
    {430, "Class doesn't support Automation"},
    {432, "File name or class name not found during Automation operation"},
    {438, "Object doesn't support this property or method"},
    {440, "Automation error"},
    {445, "Object doesn't support this action"},
    {446, "Object doesn't support named arguments"},
    {447, "Object doesn't support current locale setting"},
    {448, "Named argument not found"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {451, "Object not a collection"},
    {453, "Specified DLL function not found"},
    {455, "Code resource lock error"},
    {457, "This key is already associated with an element of this collection"},
    {458, "Variable uses an Automation type not supported in VBScript"},
    {462, "The remote server machine does not exist or is unavailable"},
    {481, "Invalid picture"},
    {500, "Variable is undefined"},
    {501, "Illegal assignment"},
    {502, "Object not safe for scripting"},
    {503, "Object not safe for initializing"},
    {504, "Object not safe for creating"},
    {505, "Invalid or unqualified reference"},
    {506, "Class not defined"},
    {507, "An exception occurred"},
    {5008, "Illegal assignment"},
    {5017, "Syntax error in regular expression"},
    {5018, "Unexpected quantifier"},
    {5019, "Expected ']' in regular expression"},
    {5020, "Expected ')' in regular expression"},
    {5021, "Invalid range in character set"},
    {32811, "Element not found"},
};

} // namespace

QString vbErrorText(int number) {
    for (const auto& e : kErrorTexts)
        if (e.number == number)
            return QString::fromLatin1(e.text);
    return QStringLiteral("Application-defined or object-defined error");
}

VbError::VbError(int number, const QString& description, const QString& source)
    : number_(number), description_(description.isEmpty() ? vbErrorText(number) : description),
      source_(source) {
    what_ = QStringLiteral("%1: %2").arg(number_).arg(description_).toStdString();
}

void vbRaise(int number, const QString& description) { throw VbError(number, description); }

int vbErrorFromErrno(int e, bool parentMissing, bool isFolder) {
    switch (e) {
    case ENOENT:
        return parentMissing ? err::PathNotFound : err::FileNotFound;
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
        return err::PermissionDenied;
    case EEXIST:
        return err::FileAlreadyExists;
    case ENOSPC:
    case EDQUOT:
        return err::DiskFull;
    case EIO:
        return err::DeviceIO;
    case EMFILE:
    case ENFILE:
        return err::TooManyFiles;
    case ENAMETOOLONG:
        return err::BadFileNameOrNumber;
    case EISDIR:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case ENOTEMPTY:
        return err::PathFileAccess;
    case EXDEV:
        return isFolder ? err::RenameOtherDrive : err::PathFileAccess;
    case ENOMEM:
        return err::OutOfMemory;
    default:
        return err::PathFileAccess;
    }
}

} // namespace zv
