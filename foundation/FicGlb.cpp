// FicGlb: file operations (type, existence, delete, copy, rename, numbered files, viewing).

#include "FicGlb.h"

#include "Convert.h"
#include "Encoding.h"
#include "FileAttributes.h"
#include "FileHandles.h"
#include "FileLayer.h"
#include "ProcessContext.h"
#include "Text.h"
#include "VbError.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zv {

namespace {

QByteArray enc(const QString& path) {
    return file::nativeName(path);
}

[[noreturn]] void raiseErrno(int err, const QString& path, bool isFolder = false) {
    file::raiseError(err, path, isFolder);
}

bool hasWildcard(const QString& name) {
    return name.contains(u'*') || name.contains(u'?');
}

// The folder and the last part of a real path ("" folder: the current one).
void splitReal(const QString& path, QString& folder, QString& last) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) {
        folder = QStringLiteral(".");
        last = path;
    } else {
        folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
        last = path.mid(slash + 1);
    }
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Copies the bytes, permissions and times of an open file to dst (a copy keeps a read-only
// file read-only, and its modification time, as a file copy does on the original system). The
// copy is written beside dst and put in its place when complete, so a failed copy leaves dst as
// it was. newOnly refuses an existing dst (58).
void copyContent(int in, const struct stat& st, const QString& dst, bool newOnly) {
    file::ReplaceOptions options;
    options.inPlaceIfFolderRefuses = !newOnly;
    options.noReplace = newOnly;
    file::Replacement out(dst, options);
    int e = file::copyInto(in, st, out);
    if (e == 0) e = out.commit();
    if (e != 0) raiseErrno(e, dst);
}

// Copies a file; false (nothing done) when src and dst are the same file.
bool copyFile(const QString& src, const QString& dst) {
    file::Fd in;
    if (const int e = file::openRead(enc(src), in)) raiseErrno(e, src);
    struct stat st {};
    ::fstat(in.get(), &st);
    struct stat dt {};
    const bool dstExists = ::stat(enc(dst).constData(), &dt) == 0;
    if (S_ISDIR(st.st_mode) || (dstExists && S_ISDIR(dt.st_mode))) vbRaise(err::PathFileAccess);
    if (dstExists && sameFile(st, dt)) return false;
    // A file the process may not write is not replaced (70), as the system's copy refuses a
    // read-only target.
    if (dstExists && ::access(enc(dst).constData(), W_OK) != 0) raiseErrno(errno, dst);
    copyContent(in.get(), st, dst, false);
    return true;
}

// A file moved to another file system: copied (a link as a link), then the original deleted.
void moveAcross(const QString& from, const QString& to, const struct stat& st) {
    const QByteArray f = enc(from), t = enc(to);
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(size_t(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(f.constData(), target.data(), target.size() - 1);
        if (n < 0) raiseErrno(errno, from);
        target[size_t(n)] = '\0';
        if (::symlink(target.data(), t.constData()) != 0) raiseErrno(errno, to);
    } else {
        file::Fd in;
        if (const int e = file::openRead(f, in, false)) raiseErrno(e, from);
        copyContent(in.get(), st, to, true);
    }
    if (::unlink(f.constData()) != 0) {
        const int e = errno;
        ::unlink(t.constData());
        raiseErrno(e, from);
    }
}

void renamePath(const QString& from, const QString& to) {
    const QByteArray f = enc(from), t = enc(to);
    struct stat st {};
    if (::lstat(f.constData(), &st) != 0) raiseErrno(errno, from);
    int e = file::renameNoReplace(f, t);
    if (e == 0) return;
    struct stat target {};
    if (e == EEXIST) {
        // The same file under another spelling (a change of case on a file system that ignores
        // case) may be renamed; anything else at the target stays.
        if (::lstat(t.constData(), &target) != 0 || !sameFile(st, target))
            vbRaise(err::FileAlreadyExists);
        if (::rename(f.constData(), t.constData()) == 0) return;
        e = errno;
    }
    if (e == EXDEV) {
        if (S_ISDIR(st.st_mode)) vbRaise(err::RenameOtherDrive);
        if (::lstat(t.constData(), &target) == 0) vbRaise(err::FileAlreadyExists);
        moveAcross(from, to, st);
        return;
    }
    raiseErrno(e, to, S_ISDIR(st.st_mode));
}

// Deletes the files that path names; its last part may hold wildcards.
void killFiles(const QString& path) {
    QString folder, pattern;
    splitReal(path, folder, pattern);
    if (!hasWildcard(pattern)) {
        struct stat st {};
        const QByteArray p = enc(path);
        if (path.isEmpty() || ::lstat(p.constData(), &st) != 0)
            raiseErrno(path.isEmpty() ? ENOENT : errno, path);
        if (S_ISDIR(st.st_mode)) vbRaise(err::PathFileAccess);
        if (::unlink(p.constData()) != 0) raiseErrno(errno, path);
        return;
    }
    DIR* d = ::opendir(enc(folder).constData());
    if (!d) {
        const int e = errno;
        vbRaise(e == ENOENT || e == ENOTDIR ? err::PathNotFound
                                            : file::errorNumber(e, folder, true));
    }
    QStringList matches;
    while (dirent* entry = ::readdir(d)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String("..")) continue;
        if (ficNameMatches(name, pattern)) matches << name;
    }
    ::closedir(d);
    int firstError = 0;
    int deleted = 0;
    for (const QString& name : matches) {
        const QString full = folder == QLatin1String("/") ? u'/' + name : folder + u'/' + name;
        const QByteArray p = enc(full);
        struct stat st {};
        if (::lstat(p.constData(), &st) != 0 || S_ISDIR(st.st_mode)) continue; // files only
        if (::unlink(p.constData()) == 0)
            ++deleted;
        else if (!firstError)
            firstError = file::errorNumber(errno, full);
    }
    if (firstError) vbRaise(firstError);
    if (deleted == 0) vbRaise(err::FileNotFound);
}

} // namespace

bool ficNameMatches(const QString& name, const QString& pattern) {
    if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) return true;
    if (pattern == QLatin1String("*.")) return !name.contains(u'.');
    const QString n = UCase(name), p = UCase(pattern);
    // Wildcard match with backtracking on the last "*".
    qsizetype i = 0, j = 0, star = -1, mark = 0;
    while (i < n.size()) {
        if (j < p.size() && (p[j] == u'?' || p[j] == n[i])) {
            ++i;
            ++j;
        } else if (j < p.size() && p[j] == u'*') {
            star = j++;
            mark = i;
        } else if (star >= 0) {
            j = star + 1;
            i = ++mark;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == u'*')
        ++j;
    return j == p.size();
}

void FicTipAtr(const QString& path, int& attr, QString& type) {
    if (vbTrap([&] { attr = readFileAttributes(path); })) {
        attr = -1;
        type = QStringLiteral("?");
        return;
    }
    type = (attr & kAttrFolder) ? QStringLiteral("D") : QStringLiteral("F");
}

void FicTip(const QString& path, QString& type, int& attr) {
    FicTipAtr(path, attr, type);
}

void FicTipDir(const QString& path, int& isDir) {
    int attr = 0;
    QString type;
    FicTipAtr(path, attr, type);
    isDir = type == QLatin1String("D") ? 1 : 0;
}

void FicExi(const QString& file, int& res) {
    // A folder can be opened for reading on Linux; as a file it does not open.
    const QByteArray p = enc(file);
    struct stat st {};
    if (!file.isEmpty() && ::stat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
        res = -err::PathFileAccess;
        return;
    }
    const int fd = file.isEmpty() ? -1 : ::open(p.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        res = 1;
        return;
    }
    const int n = file::errorNumber(file.isEmpty() ? ENOENT : errno, file);
    res = n == err::FileNotFound ? 0 : -n;
}

void FicEli(const QString& file, int& res) {
    res = vbTrap([&] {
              file::checkName(file);
              killFiles(file);
          }).number();
}

void FicCop(const QString& src, const QString& dst, int& res) {
    if (UCase(src) == UCase(dst)) {
        res = -1;
        return;
    }
    bool copied = true;
    res = vbTrap([&] {
              file::checkName(src);
              file::checkName(dst);
              copied = copyFile(src, dst);
          }).number();
    if (res == 0 && !copied) res = -1;
}

void FicRen(const QString& oldPath, const QString& newPath, int& res) {
    res = vbTrap([&] {
              file::checkName(oldPath);
              file::checkName(newPath);
              renamePath(oldPath, newPath);
          }).number();
}

void FicAbrExe(int fileNum, const QString& file, const QString& mode, const QString& note,
               const QString& operation, int& report) {
    Q_UNUSED(note); // carried for the caller's records, never shown
    const int reportMode = report;
    const VbTrapped failed = vbTrap([&] {
        if (mode == QLatin1String("O")) {
            // Only this very file goes first (never the files a "*" in its name would match,
            // nor a link, which is written through), and not while it is open on another
            // number (the open then fails with 55). The new file keeps the encoding and line
            // end of the one it replaces.
            TextFormat format;
            if (fileNumberOfPath(file) == 0) {
                vbTrap([&] { format = detectFormat(readFileBytes(file)); });
                struct stat st {};
                const QByteArray p = enc(file);
                if (::lstat(p.constData(), &st) == 0 && S_ISREG(st.st_mode))
                    ::unlink(p.constData());
            }
            Open(file, FileMode::Output, fileNum, format);
        } else if (mode == QLatin1String("A")) {
            Open(file, FileMode::Append, fileNum);
        } else {
            Open(file, FileMode::Input, fileNum);
        }
    });
    if (!failed) return;
    const int n = failed.number();
    const QString& description = failed->description();
    report = n;
    if (reportMode == 2 || reportMode == 3) {
        MessageBoxRequest box;
        box.icon = MsgIcon::Critical;
        box.buttons = MsgButtons::OK;
        box.title = QStringLiteral("Erro a abrir ficheiro");
        box.text = QStringLiteral("Erro :") + Str(Variant(int32_t(n))) + QStringLiteral("   ") +
                   description + QStringLiteral("\r\nFicheiro :") + file + QStringLiteral("   (") +
                   operation + u')';
        ProcessContext::current().messageBox().show(box);
    }
    if (reportMode == 1 || reportMode == 3) {
        CloseAll();
        FicErrFrm(1);
    }
}

void FicAbrDef(int fileNum, const QString& file, const QString& mode, int& res) {
    int report = 0;
    FicAbrExe(fileNum, file, mode, QString(), QString(), report);
    res = report == 0 ? 1 : -report;
}

void FicLinLer(int fileNum, QString& line, int& res) {
    if (const VbTrapped failed = vbTrap([&] { line = LineInput(fileNum); })) res = failed.number();
}

void FicCriTst(const QString& file, int& ok) {
    ok = 1;
    int res = 0;
    FicExi(file, res);
    if (res == 1) return;
    QString dir, name;
    FicDirNom(file, dir, name);
    int made = 0;
    DirCriNiv(dir, made);
    const int fd = ::open(enc(file).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0) ::close(fd);
    FicExi(file, res);
    if (res != 1) ok = 0;
}

void FicVerNotepad(const QString& file, int style) {
    Q_UNUSED(style);
    vbTrap([&] { ProcessContext::current().opener().viewText(file); });
}

void FicVerNotepadArg(const QString& file, int style) {
    FicVerNotepad(file, style);
}

void FicErrFrm(int flag) {
    // Two passes: a form that another form's unloading opens again goes in the second.
    WindowService& windows = ProcessContext::current().windows();
    windows.unloadAllForms();
    windows.unloadAllForms();
    if (flag == 1) throw ProgramEnd(1);
}

} // namespace zv
