#include "FsysTrash.h"

#include "FileAttributes.h"
#include "FileLayer.h"
#include "ProcessContext.h"
#include "VbError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::fsys {

namespace {

struct Trash {
    QByteArray folder; // holds "files" and "info"
    QByteArray topDir; // for a trash of a mount: the mount's top ("" for the home trash)
};

bool isRealDir(const QByteArray& p, struct stat* out = nullptr) {
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (out) *out = st;
    return true;
}

// Makes folder (and its missing parents) with the given mode; true when it is a folder now.
bool makeFolders(const QByteArray& folder, mode_t mode) {
    if (isRealDir(folder)) return true;
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash > 0 && !makeFolders(folder.left(slash), mode)) return false;
    return ::mkdir(folder.constData(), mode) == 0 || isRealDir(folder);
}

// A trash folder ready to receive: "files" and "info" exist under it.
bool prepare(const QByteArray& folder) {
    return makeFolders(folder + "/files", 0700) && makeFolders(folder + "/info", 0700);
}

QByteArray parentOf(const QByteArray& p) {
    const qsizetype slash = p.lastIndexOf('/');
    if (slash < 0) return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : p.left(slash);
}

// The top of the mount that holds folder: the highest ancestor on the same device.
QByteArray mountTop(const QByteArray& folder, dev_t dev) {
    QByteArray top = folder;
    while (top != "/") {
        const QByteArray up = parentOf(top);
        struct stat st {};
        if (::stat(up.constData(), &st) != 0 || st.st_dev != dev) break;
        top = up;
    }
    return top;
}

// The absolute, cleaned form of a path without resolving its last name (a link stays a link).
QByteArray absolutePath(const QByteArray& path) {
    const QString p = QFile::decodeName(path);
    const QString abs = QDir::isAbsolutePath(p) ? p : QDir::currentPath() + u'/' + p;
    return QFile::encodeName(QDir::cleanPath(abs));
}

// The trash that takes an entry of device dev in folder parent; false when there is none.
bool trashFor(const QByteArray& parent, dev_t dev, Trash& trash) {
    const QByteArray home = homeTrashFolder();
    if (prepare(home)) {
        struct stat st {};
        if (::stat((home + "/files").constData(), &st) == 0 && st.st_dev == dev) {
            trash = {home, {}};
            return true;
        }
    }
    const QByteArray top = mountTop(parent, dev);
    const QByteArray uid = QByteArray::number(uint(::getuid()));
    // The shared trash of the mount: only when it is a real, sticky folder.
    const QByteArray shared = (top == "/" ? QByteArray() : top) + "/.Trash";
    struct stat st {};
    if (isRealDir(shared, &st) && (st.st_mode & S_ISVTX) && prepare(shared + '/' + uid)) {
        trash = {shared + '/' + uid, top};
        return true;
    }
    const QByteArray own = (top == "/" ? QByteArray() : top) + "/.Trash-" + uid;
    if (prepare(own)) {
        struct stat ownSt {};
        if (::lstat(own.constData(), &ownSt) == 0 && ownSt.st_uid == ::getuid() &&
            ::stat((own + "/files").constData(), &st) == 0 && st.st_dev == dev) {
            trash = {own, top};
            return true;
        }
    }
    return false;
}

// The path as the trash records it: every byte but unreserved characters and "/" as %XX.
QByteArray percentEncoded(const QByteArray& path) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            out += c;
        } else {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}

bool writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

QByteArray homeTrashFolder() {
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (data.isEmpty() || !data.startsWith('/'))
        data = QFile::encodeName(QDir::homePath()) + "/.local/share";
    return data + "/Trash";
}

int moveToTrash(const QByteArray& path, QByteArray* trashedAs) {
    if (path.isEmpty()) return err::FileNotFound;
    const QByteArray abs = absolutePath(path);
    struct stat st {};
    if (::lstat(abs.constData(), &st) != 0) return file::errorNumber(errno, QFile::decodeName(abs));
    const QByteArray parent = parentOf(abs);
    if (abs == "/") return err::PermissionDenied;

    Trash trash;
    if (!trashFor(parent, st.st_dev, trash)) return err::PermissionDenied;

    // The original location: absolute for the home trash, relative to the mount's top for a
    // trash of the mount.
    QByteArray original = abs;
    if (!trash.topDir.isEmpty() && trash.topDir != "/")
        original = abs.mid(trash.topDir.size() + 1);
    else if (trash.topDir == "/")
        original = abs.mid(1);
    const QByteArray date =
        ProcessContext::current().now().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1();
    const QByteArray info =
        "[Trash Info]\nPath=" + percentEncoded(original) + "\nDeletionDate=" + date + "\n";

    // A free name: the info file is claimed first (O_EXCL), so two deletes never share one.
    const QByteArray base = abs.mid(abs.lastIndexOf('/') + 1);
    for (int n = 1; n < 100000; ++n) {
        const QByteArray name = n == 1 ? base : base + '.' + QByteArray::number(n);
        const QByteArray infoPath = trash.folder + "/info/" + name + ".trashinfo";
        const QByteArray target = trash.folder + "/files/" + name;
        struct stat existing {};
        if (::lstat(target.constData(), &existing) == 0) continue;
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return vbErrorFromErrno(errno);
        }
        const bool written = writeAll(fd, info);
        const bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            const int e = errno;
            ::unlink(infoPath.constData());
            return vbErrorFromErrno(e);
        }
        if (::rename(abs.constData(), target.constData()) != 0) {
            const int e = errno;
            ::unlink(infoPath.constData());
            return file::errorNumber(e, QFile::decodeName(abs), S_ISDIR(st.st_mode));
        }
        if (trashedAs) *trashedAs = target;
        return 0;
    }
    return err::FileAlreadyExists;
}

} // namespace zv::fsys
