#include "VbError.h"

#include <cerrno>

namespace zv {

namespace {

#define ZV_RUNTIME_ENTRY(name, number, text) {number, VbErrorKind::Runtime, text},
#define ZV_OBJECT_ENTRY(name, number, text) {number, VbErrorKind::Object, text},
#define ZV_COMPILE_ENTRY(name, number, text) {number, VbErrorKind::Compile, text},
constexpr VbErrorEntry kTable[] = {ZV_RUNTIME_ERRORS(ZV_RUNTIME_ENTRY) ZV_OBJECT_ERRORS(
    ZV_OBJECT_ENTRY) ZV_GRID_ERRORS(ZV_OBJECT_ENTRY) ZV_COMPILE_ERRORS(ZV_COMPILE_ENTRY)};
#undef ZV_RUNTIME_ENTRY
#undef ZV_OBJECT_ENTRY
#undef ZV_COMPILE_ENTRY

// A number names one run-time error and one compile error at most: a lookup by number could
// not tell two apart.
constexpr bool numbersUnique(VbErrorKind kind) {
    for (const auto& a : kTable)
        for (const auto& b : kTable)
            if (&a != &b && a.kind == kind && b.kind == kind && a.number == b.number) return false;
    return true;
}
static_assert(numbersUnique(VbErrorKind::Runtime) && numbersUnique(VbErrorKind::Compile));

QString latin1(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

const VbErrorEntry* vbErrorEntry(int number, VbErrorKind kind) {
    for (const auto& e : kTable)
        if (e.number == number && e.kind == kind) return &e;
    return nullptr;
}

QString vbErrorText(int number) {
    const VbErrorEntry* e = vbErrorEntry(number, VbErrorKind::Runtime);
    if (!e) e = vbErrorEntry(number, VbErrorKind::Object);
    return e ? latin1(e->text) : QStringLiteral("Application-defined or object-defined error");
}

QString compileErrorText(int number) {
    const VbErrorEntry* e = vbErrorEntry(number, VbErrorKind::Compile);
    return e ? latin1(e->text) : QString();
}

QString raisedErrorText(int number) {
    const VbErrorEntry* e = vbErrorEntry(number, VbErrorKind::Runtime);
    return e ? latin1(e->text) : QStringLiteral("Unknown runtime error");
}

QString vbErrorTextWithName(const QString& text, const QString& name) {
    const qsizetype at = text.indexOf(QLatin1String("%1"));
    if (at < 0) return text + QStringLiteral(": '") + name + u'\'';
    QString out = text;
    return out.replace(at, 2, name);
}

QString VbErrorId::text() const {
    return QString::fromLatin1(text_);
}

VbError VbErrorId::operator()() const {
    return VbError(number_, text());
}

VbError VbErrorId::operator()(const QString& name) const {
    return VbError(number_, vbErrorTextWithName(text(), name));
}

VbError::VbError(int number, const QString& description, const QString& source)
    : number_(number), description_(description.isEmpty() ? vbErrorText(number) : description),
      source_(source) {
    what_ = QStringLiteral("%1: %2").arg(number_).arg(description_).toStdString();
}

void vbRaise(int number, const QString& description) {
    throw VbError(number, description);
}

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
