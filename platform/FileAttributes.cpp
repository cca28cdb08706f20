#include "FileAttributes.h"

#include "FileLayer.h"
#include "VbError.h"

#include <QFile>

#include <cerrno>
#include <charconv>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace zv {

int readFileAttributes(const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty()) vbRaise(err::FileNotFound);
    if (::stat(p.constData(), &st) != 0) file::raiseError(errno, path);
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
