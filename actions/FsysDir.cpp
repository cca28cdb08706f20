#include "FsysDir.h"

#include "Text.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace zv::fsys {

int readFolder(const QByteArray& dir, std::vector<Entry>& entries) {
    entries.clear();
    DIR* d = ::opendir(dir.isEmpty() ? "." : dir.constData());
    if (!d) return errno;
    struct Keyed {
        Entry entry;
        QString key;
    };
    std::vector<Keyed> read;
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..") continue;
        bool folder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN) {
            struct stat st {};
            folder = ::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                     S_ISDIR(st.st_mode);
        }
        // The sort key: the name as text, upper-cased in place (one text per entry).
        QString key = text(name);
        QChar* k = key.data();
        for (qsizetype i = 0; i < key.size(); ++i)
            k[i] = ucaseChar(k[i]);
        read.push_back({{name, folder}, std::move(key)});
        errno = 0;
    }
    const int readError = errno;
    ::closedir(d);
    if (readError) return readError;
    std::sort(read.begin(), read.end(), [](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : a.entry.name < b.entry.name;
    });
    entries.reserve(read.size());
    for (Keyed& k : read)
        entries.push_back(std::move(k.entry));
    return 0;
}

QByteArray join(const QByteArray& dir, const QByteArray& name) {
    if (dir.isEmpty()) return name;
    if (dir.endsWith('/')) return dir + name;
    return dir + '/' + name;
}

} // namespace zv::fsys
