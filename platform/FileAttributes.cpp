#include "FileAttributes.h"

#include "VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <charconv>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace zv {

namespace {

// The folder part of a path, "" for a bare name (the current folder).
QByteArray parentOf(const QByteArray& path) {
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf('/');
    if (slash < 0) return {};
    return slash == 0 ? QByteArray("/") : p.left(slash);
}

} // namespace

int fileErrorNumber(int err, const QString& path, bool isFolder) {
    bool parentMissing = false;
    if (err == ENOENT) {
        const QByteArray parent = parentOf(QFile::encodeName(path));
        struct stat st {};
        parentMissing =
            !parent.isEmpty() && (::stat(parent.constData(), &st) != 0 || !S_ISDIR(st.st_mode));
    }
    return vbErrorFromErrno(err, parentMissing, isFolder);
}

int readFileAttributes(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty()) vbRaise(err::FileNotFound);
    if (::stat(p.constData(), &st) != 0) vbRaise(fileErrorNumber(errno, path));
    int attr = 0;
    const bool folder = S_ISDIR(st.st_mode);
    if (folder)
        attr |= kAttrFolder;
    else if (!(st.st_mode & S_IWUSR))
        attr |= kAttrReadOnly;
    char buf[32];
    const ssize_t n = ::getxattr(p.constData(), kAttribXattr, buf, sizeof buf);
    if (n > 0) {
        int marks = 0;
        const auto r = std::from_chars(buf, buf + n, marks);
        if (r.ec == std::errc()) {
            attr |= marks & (kAttrHidden | kAttrSystem | kAttrArchive);
            if (folder) attr |= marks & kAttrReadOnly;
        }
    }
    return attr;
}

} // namespace zv
