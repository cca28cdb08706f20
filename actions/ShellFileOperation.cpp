#include "ShellFileOperation.h"

#include "FicGlb.h"
#include "FileLayer.h"
#include "FsysAttr.h"
#include "FsysDir.h"
#include "FsysTrash.h"
#include "ProcessContext.h"
#include "VbError.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zv {

namespace {

namespace fs = std::filesystem;

// Unwinds the operation after an error or a cancel; the result already says which.
struct Stop {};

const QString kSameFile = QStringLiteral("A origem e o destino são o mesmo ficheiro");
const QString kInsideSource = QStringLiteral("A pasta de destino está dentro da pasta de origem");
const QString kNameTaken = QStringLiteral("Já existe um ficheiro ou uma pasta com esse nome");
const QString kNotAFile = QStringLiteral("Não é um ficheiro nem uma pasta");
const QString kNoDestination = QStringLiteral("Não foi indicado o destino");
const QString kListsDiffer = QStringLiteral("As origens e os destinos não formam pares");

bool hasWildcard(const QByteArray& name) {
    return name.contains('*') || name.contains('?');
}

QByteArray withoutTrailingSeparator(QByteArray p) {
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p;
}

void splitLast(const QByteArray& p, QByteArray& dir, QByteArray& name) {
    const qsizetype slash = p.lastIndexOf('/');
    if (slash < 0) {
        dir.clear();
        name = p;
    } else {
        dir = slash == 0 ? QByteArrayLiteral("/") : p.left(slash);
        name = p.mid(slash + 1);
    }
}

std::string native(const QByteArray& p) {
    return std::string(p.constData(), size_t(p.size()));
}

// The path with every link and "..", "." resolved as far as it exists, for the test whether a
// destination lies inside a source folder.
QByteArray resolved(const QByteArray& p) {
    std::error_code ec;
    const fs::path r = fs::weakly_canonical(fs::path(native(p.isEmpty() ? "." : p)), ec);
    if (ec) return p;
    return QByteArray::fromStdString(r.native());
}

bool isSameOrInside(const QByteArray& child, const QByteArray& parent) {
    if (child == parent) return true;
    const QByteArray prefix = parent.endsWith('/') ? parent : parent + '/';
    return child.startsWith(prefix);
}

bool sameEntry(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QByteArray freeName(const QByteArray& dir, const QByteArray& name, bool isFolder) {
    QByteArray base = name, ext;
    const qsizetype dot = name.lastIndexOf('.');
    if (!isFolder && dot > 0) {
        base = name.left(dot);
        ext = name.mid(dot);
    }
    for (int n = 1;; ++n) {
        const QByteArray candidate =
            base + " - Copy" + (n == 1 ? QByteArray() : " (" + QByteArray::number(n) + ")") + ext;
        struct stat st {};
        if (::lstat(fsys::join(dir, candidate).constData(), &st) != 0) return candidate;
    }
}

class Engine {
public:
    Engine(const ShellFileRequest& rq, ShellOperationUi& ui)
        : rq_(rq), ui_(ui), show_(!(rq.flags & fof::Silent)) {}

    ShellFileResult run();

private:
    struct Source {
        QByteArray path;
        QByteArray name;
    };
    struct Pair {
        QByteArray from;
        QByteArray to;
    };
    enum class Clash { Replace, Skip, Renamed };

    bool flag(int f) const { return rq_.flags & f; }

    void plan();
    void count(const QByteArray& path);
    void copyOrMove(bool move);
    void checkPairs(const std::vector<Pair>& pairs);
    void remove();
    void rename();

    // fresh: to lies in a folder this copy has just made, so nothing should be there; it is
    // not looked at first, and when something is there after all the usual way takes over.
    void copyEntry(const QByteArray& from, QByteArray to, bool fresh = false);
    void copyFile(const QByteArray& from, QByteArray to, const struct stat& st, bool fresh);
    void copyLink(const QByteArray& from, QByteArray to);
    void copyFolder(const QByteArray& from, QByteArray to, const struct stat& st,
                    bool fresh = false);
    // targetMissing: the caller has just found nothing at to. fresh: nothing was looked at, and
    // the copy is put in place only where nothing is (false, with nothing done, when something
    // is there).
    bool writeCopy(const QByteArray& from, const QByteArray& to, const struct stat& st,
                   bool targetMissing = false, bool fresh = false);
    void writeLink(const QByteArray& from, const QByteArray& to);
    void moveEntry(const QByteArray& from, QByteArray to);
    void moveByCopy(const QByteArray& from, const QByteArray& to, const struct stat& s);
    void removeTree(const QByteArray& path, bool report);

    Clash resolveClash(const QByteArray& from, QByteArray& to, bool isFolder);
    void ensureFolder(const QByteArray& dir);
    void step(const QByteArray& from, const QByteArray& to);
    void done(qint64 bytes) {
        ++res_.filesDone;
        res_.bytesDone += bytes;
    }
    [[noreturn]] void fail(int number, const QByteArray& path, const QString& text = {});
    [[noreturn]] void failErrno(int e, const QByteArray& path, bool folder = false) {
        fail(file::errorNumber(e, fsys::text(path), folder), path);
    }
    [[noreturn]] void cancel() {
        res_.aborted = true;
        throw Stop{};
    }

    const ShellFileRequest& rq_;
    ShellOperationUi& ui_;
    const bool show_;
    // The process number in the passing names of copies and links.
    const QByteArray pid_ = QByteArray::number(::getpid());
    bool replaceAll_ = false;
    ShellFileResult res_;

    std::vector<Source> sources_;
    bool patterned_ = false;
    int planError_ = 0;
    QByteArray planErrorPath_;
    qint64 totalFiles_ = 0;
    qint64 totalBytes_ = 0;
    std::unique_ptr<fsys::EntryReader> reader_; // for the count, made by its first folder
};

ShellFileResult Engine::run() {
    plan();
    if (show_ && !planError_)
        for (const Source& s : sources_)
            count(s.path);

    ShellProgressStart start;
    start.op = rq_.op;
    start.title = rq_.title;
    start.showProgress = show_;
    start.simpleProgress = flag(fof::SimpleProgress);
    start.totalFiles = totalFiles_;
    start.totalBytes = totalBytes_;
    start.parent = rq_.parent;

    // The progress window may pump events: the wizard must not start other work meanwhile.
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    ui_.begin(start);
    struct EndGuard {
        ShellOperationUi& ui;
        ~EndGuard() { ui.end(); }
    } guard{ui_};
    try {
        if (planError_) fail(planError_, planErrorPath_);
        switch (rq_.op) {
        case ShellOp::Copy:
            copyOrMove(false);
            break;
        case ShellOp::Move:
            copyOrMove(true);
            break;
        case ShellOp::Delete:
            remove();
            break;
        case ShellOp::Rename:
            rename();
            break;
        }
    } catch (const Stop&) {
    }
    return res_;
}

void Engine::plan() {
    // A name holding a null character would be cut there by the system, and the operation
    // would reach another file or folder than the one named.
    for (const QStringList* list : {&rq_.from, &rq_.to}) {
        for (const QString& entry : *list) {
            if (!file::validName(entry)) {
                planError_ = err::BadFileNameOrNumber;
                return;
            }
        }
    }
    for (const QString& entry : rq_.from) {
        // An empty name names nothing (the shell's list would end there): the operation fails
        // rather than succeed with nothing done.
        if (entry.isEmpty()) {
            planError_ = err::BadFileNameOrNumber;
            return;
        }
        const QByteArray p = withoutTrailingSeparator(QFile::encodeName(entry));
        QByteArray dir, name;
        splitLast(p, dir, name);
        if (name.isEmpty()) {
            planError_ = err::BadFileNameOrNumber;
            planErrorPath_ = p;
            return;
        }
        if (!hasWildcard(name)) {
            struct stat st {};
            if (::lstat(p.constData(), &st) != 0) {
                planError_ = file::errorNumber(errno, fsys::text(p));
                planErrorPath_ = p;
                return;
            }
            sources_.push_back({p, name});
            continue;
        }
        patterned_ = true;
        std::vector<fsys::Entry> entries;
        if (const int e = fsys::readFolder(dir, entries)) {
            planError_ =
                e == ENOENT || e == ENOTDIR ? err::PathNotFound : vbErrorFromErrno(e, false, true);
            planErrorPath_ = dir;
            return;
        }
        const QString pattern = fsys::text(name);
        for (const fsys::Entry& e : entries) {
            if (e.folder && flag(fof::FilesOnly)) continue;
            if (ficNameMatches(fsys::text(e.name), pattern))
                sources_.push_back({fsys::join(dir, e.name), e.name});
        }
    }
}

// Files and bytes under path, for the progress window (links and folders are not followed).
void Engine::count(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return;
    if (!S_ISDIR(st.st_mode)) {
        ++totalFiles_;
        if (S_ISREG(st.st_mode)) totalBytes_ += st.st_size;
        return;
    }
    if (rq_.op == ShellOp::Rename || (rq_.op == ShellOp::Delete && flag(fof::AllowUndo))) {
        ++totalFiles_;
        return;
    }
    std::vector<fsys::Entry> entries;
    if (fsys::readFolder(path, entries) != 0) return;
    // The files' status read through the folder, many at once; the folders counted in turn.
    std::vector<QByteArray> files;
    for (const fsys::Entry& e : entries) {
        if (e.folder)
            count(fsys::join(path, e.name));
        else
            files.push_back(e.name);
    }
    if (files.empty()) return;
    const file::Fd dir(::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dir.isOpen()) return;
    if (!reader_) reader_ = std::make_unique<fsys::EntryReader>();
    std::vector<fsys::EntryState> states;
    reader_->read(dir.get(), files, states, false);
    for (const fsys::EntryState& st : states) {
        // An entry gone meanwhile is not counted; one that became a folder is counted whole.
        if (st.statError != 0) continue;
        if (S_ISDIR(st.st.st_mode)) {
            count(fsys::join(path, files[size_t(&st - states.data())]));
            continue;
        }
        ++totalFiles_;
        if (S_ISREG(st.st.st_mode)) totalBytes_ += st.st.st_size;
    }
}

void Engine::copyOrMove(bool move) {
    if (sources_.empty()) return; // a pattern that matches nothing: nothing to do
    QList<QByteArray> to;
    for (const QString& t : rq_.to)
        if (!t.isEmpty()) to << withoutTrailingSeparator(QFile::encodeName(t));

    std::vector<Pair> pairs;
    QByteArray folderToMake;
    if (flag(fof::MultiDestFiles) && rq_.to.size() > 1) {
        if (patterned_ || to.size() != qsizetype(sources_.size()))
            fail(err::InvalidCall, {}, kListsDiffer);
        for (size_t i = 0; i < sources_.size(); ++i)
            pairs.push_back({sources_[i].path, to[qsizetype(i)]});
    } else {
        if (to.isEmpty()) fail(err::PathNotFound, {}, kNoDestination);
        const QByteArray dest = to.first();
        struct stat st {};
        const bool destIsFolder = ::stat(dest.constData(), &st) == 0 && S_ISDIR(st.st_mode);
        if (patterned_ || sources_.size() > 1 || destIsFolder) {
            folderToMake = dest;
            for (const Source& s : sources_)
                pairs.push_back({s.path, fsys::join(dest, s.name)});
        } else {
            QByteArray dir, name;
            splitLast(dest, dir, name);
            folderToMake = dir;
            pairs.push_back({sources_.front().path, dest});
        }
    }

    checkPairs(pairs);
    ensureFolder(folderToMake);
    for (const Pair& p : pairs) {
        if (move)
            moveEntry(p.from, p.to);
        else
            copyEntry(p.from, p.to);
    }
}

// Refused before anything is done: a folder copied or moved into itself or below itself (it
// would copy its own copy until the disk is full), and a file copied onto itself (the copy
// would start by emptying the source).
void Engine::checkPairs(const std::vector<Pair>& pairs) {
    for (const Pair& p : pairs) {
        struct stat s {
        }, d{};
        if (::lstat(p.from.constData(), &s) != 0) failErrno(errno, p.from);
        if (S_ISDIR(s.st_mode)) {
            const QByteArray to = resolved(p.to), from = resolved(p.from);
            // Onto itself with RenameOnCollision, a copy gets a name of its own beside it.
            const bool renamed =
                to == from && flag(fof::RenameOnCollision) && rq_.op == ShellOp::Copy;
            if (isSameOrInside(to, from) && !renamed)
                fail(err::PathFileAccess, p.to, kInsideSource);
        } else if (::lstat(p.to.constData(), &d) == 0 && sameEntry(s, d) &&
                   !(flag(fof::RenameOnCollision) && rq_.op == ShellOp::Copy)) {
            fail(err::PathFileAccess, p.to, kSameFile);
        }
    }
}

void Engine::copyEntry(const QByteArray& from, QByteArray to, bool fresh) {
    struct stat st {};
    if (::lstat(from.constData(), &st) != 0) failErrno(errno, from);
    if (S_ISDIR(st.st_mode))
        copyFolder(from, to, st, fresh);
    else if (S_ISLNK(st.st_mode))
        copyLink(from, to);
    else if (S_ISREG(st.st_mode))
        copyFile(from, to, st, fresh);
    else
        fail(err::PathFileAccess, from, kNotAFile);
}

void Engine::copyFile(const QByteArray& from, QByteArray to, const struct stat& st, bool fresh) {
    if (fresh) {
        step(from, to);
        if (writeCopy(from, to, st, true, true)) {
            done(st.st_size);
            return;
        }
        // Something was put there since the folder was made: looked at as any target is.
    }
    struct stat d {};
    const bool exists = ::lstat(to.constData(), &d) == 0;
    const bool targetMissing = !exists && errno == ENOENT;
    if (exists) {
        if (sameEntry(st, d)) {
            if (!flag(fof::RenameOnCollision)) fail(err::PathFileAccess, to, kSameFile);
            QByteArray dir, name;
            splitLast(to, dir, name);
            to = fsys::join(dir, freeName(dir, name, false));
        } else if (S_ISDIR(d.st_mode)) {
            fail(err::FileAlreadyExists, to, kNameTaken);
        } else if (resolveClash(from, to, false) == Clash::Skip) {
            return;
        }
    }
    step(from, to);
    writeCopy(from, to, st, targetMissing);
    done(st.st_size);
}

// The copy is written beside the target under a passing name and then renamed into place: the
// target is replaced whole or not at all, also when it is read-only or a link. Only where the
// folder takes no new file is a writable target written in place.
bool Engine::writeCopy(const QByteArray& from, const QByteArray& to, const struct stat& st,
                       bool targetMissing, bool fresh) {
    file::Fd in;
    if (const int e = file::openReadFile(from, in)) failErrno(e, from);
    file::ReplaceOptions options;
    options.followLinks = false;
    options.inPlaceIfFolderRefuses = true;
    options.noReplace = fresh;
    file::Replacement out(to, options);
    // Nothing was at the target when copyFile looked: the replacement need not look again.
    if (targetMissing || fresh) out.setTargetMissing();
    // The bytes, then the marks (while the owner may still write the copy); the permission bits
    // and the times go on when it is put in place.
    int e = file::copyInto(in.get(), st, out);
    if (e == 0) {
        fsys::copyMarks(in.get(), out.fd());
        e = out.commit();
    }
    if (e == EEXIST && fresh) return false;
    if (e != 0) {
        out.abandon();
        // Reading the source or writing the target: the error names the side that failed.
        const bool sourceSide = ::access(from.constData(), R_OK) != 0;
        failErrno(e, sourceSide ? from : to);
    }
    return true;
}

void Engine::copyLink(const QByteArray& from, QByteArray to) {
    struct stat d {};
    if (::lstat(to.constData(), &d) == 0) {
        if (S_ISDIR(d.st_mode)) fail(err::FileAlreadyExists, to, kNameTaken);
        if (resolveClash(from, to, false) == Clash::Skip) return;
    }
    step(from, to);
    writeLink(from, to);
    done(0);
}

void Engine::writeLink(const QByteArray& from, const QByteArray& to) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(native(from), ec);
    if (ec) failErrno(ec.value(), from);
    QByteArray dir, name;
    splitLast(to, dir, name);
    const QByteArray stem = "." + name.left(64) + ".zvlink-" + pid_ + '-';
    for (int k = 0;; ++k) {
        const QByteArray tmp = fsys::join(dir, stem + QByteArray::number(k));
        if (::symlink(target.c_str(), tmp.constData()) != 0) {
            if (errno == EEXIST && k < 1000) continue;
            failErrno(errno, to);
        }
        if (::rename(tmp.constData(), to.constData()) != 0) {
            const int e = errno;
            ::unlink(tmp.constData());
            failErrno(e, to);
        }
        return;
    }
}

void Engine::copyFolder(const QByteArray& from, QByteArray to, const struct stat& st, bool fresh) {
    // The owner can always write into the copy (a folder from read-only media would otherwise
    // refuse its own content); what the source keeps from group and others stays kept, and the
    // umask applies.
    const mode_t mode = (st.st_mode & 0777) | S_IRWXU;
    bool made = false;
    if (fresh) {
        made = ::mkdir(to.constData(), mode) == 0;
        if (!made && errno != EEXIST) failErrno(errno, to, true);
    }
    struct stat d {};
    bool create = !made;
    if (!made && ::lstat(to.constData(), &d) == 0) {
        if (!S_ISDIR(d.st_mode)) fail(err::FileAlreadyExists, to, kNameTaken);
        if (sameEntry(st, d) && !flag(fof::RenameOnCollision))
            fail(err::PathFileAccess, to, kInsideSource);
        switch (resolveClash(from, to, true)) {
        case Clash::Skip:
            return;
        case Clash::Replace:
            create = false; // merge into the folder that is there
            break;
        case Clash::Renamed:
            break;
        }
    }
    if (create) {
        if (::mkdir(to.constData(), mode) != 0) failErrno(errno, to, true);
        made = true;
    }
    if (made) fsys::copyMarks(from, to);
    std::vector<fsys::Entry> entries;
    if (const int e = fsys::readFolder(from, entries)) failErrno(e, from, true);
    for (const fsys::Entry& e : entries)
        copyEntry(fsys::join(from, e.name), fsys::join(to, e.name), made);
}

void Engine::moveEntry(const QByteArray& from, QByteArray to) {
    struct stat s {};
    if (::lstat(from.constData(), &s) != 0) failErrno(errno, from);
    const bool folder = S_ISDIR(s.st_mode);
    struct stat d {};
    if (::lstat(to.constData(), &d) == 0) {
        if (sameEntry(s, d)) fail(err::PathFileAccess, to, kSameFile);
        if (folder != S_ISDIR(d.st_mode)) fail(err::FileAlreadyExists, to, kNameTaken);
        const Clash clash = resolveClash(from, to, folder);
        if (clash == Clash::Skip) return;
        if (clash == Clash::Replace && folder) {
            // Merge: the content moves into the folder that is there, then the source goes.
            std::vector<fsys::Entry> entries;
            if (const int e = fsys::readFolder(from, entries)) failErrno(e, from, true);
            for (const fsys::Entry& e : entries)
                moveEntry(fsys::join(from, e.name), fsys::join(to, e.name));
            if (::rmdir(from.constData()) != 0 && !res_.aborted) failErrno(errno, from, true);
            return;
        }
        if (clash == Clash::Replace) {
            step(from, to);
            if (::rename(from.constData(), to.constData()) == 0) {
                done(S_ISREG(s.st_mode) ? s.st_size : 0);
                return;
            }
            if (errno != EXDEV) failErrno(errno, from);
            moveByCopy(from, to, s);
            return;
        }
    }
    if (folder) {
        if (const int e = file::renameNoReplace(from, to); e == 0)
            return;
        else if (e != EXDEV)
            failErrno(e, e == EEXIST ? to : from, true);
        // Another file system: copy the tree, then delete the source.
        copyFolder(from, to, s);
        removeTree(from, false);
        return;
    }
    step(from, to);
    if (const int e = file::renameNoReplace(from, to); e == 0) {
        done(S_ISREG(s.st_mode) ? s.st_size : 0);
        return;
    } else if (e != EXDEV) {
        failErrno(e, e == EEXIST ? to : from);
    }
    moveByCopy(from, to, s);
}

// A file or link moved to another file system: written at to, then the source deleted.
void Engine::moveByCopy(const QByteArray& from, const QByteArray& to, const struct stat& s) {
    if (S_ISLNK(s.st_mode))
        writeLink(from, to);
    else if (S_ISREG(s.st_mode))
        writeCopy(from, to, s);
    else
        fail(err::PathFileAccess, from, kNotAFile);
    if (::unlink(from.constData()) != 0) failErrno(errno, from);
    done(S_ISREG(s.st_mode) ? s.st_size : 0);
}

void Engine::remove() {
    if (sources_.empty()) return;
    const bool toTrash = flag(fof::AllowUndo);
    if (!flag(fof::NoConfirmation)) {
        QStringList items;
        for (const Source& s : sources_)
            items << fsys::text(s.path);
        switch (ui_.confirmDelete(items, toTrash)) {
        case ShellConfirm::Yes:
        case ShellConfirm::YesToAll:
            break;
        case ShellConfirm::No:
            res_.aborted = true;
            return;
        case ShellConfirm::Cancel:
            cancel();
        }
    }
    for (const Source& s : sources_) {
        if (toTrash) {
            step(s.path, {});
            if (const int e = fsys::moveToTrash(s.path)) fail(e, s.path);
            done(0);
        } else {
            removeTree(s.path, true);
        }
    }
}

void Engine::removeTree(const QByteArray& path, bool report) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) failErrno(errno, path);
    if (S_ISDIR(st.st_mode)) {
        // A folder without write permission for its owner cannot lose its entries.
        if ((st.st_mode & S_IRWXU) != S_IRWXU)
            ::chmod(path.constData(), (st.st_mode & 07777) | S_IRWXU);
        std::vector<fsys::Entry> entries;
        if (const int e = fsys::readFolder(path, entries)) failErrno(e, path, true);
        for (const fsys::Entry& e : entries)
            removeTree(fsys::join(path, e.name), report);
        if (::rmdir(path.constData()) != 0) failErrno(errno, path, true);
        return;
    }
    if (report) step(path, {});
    if (::unlink(path.constData()) != 0) failErrno(errno, path);
    if (report) done(S_ISREG(st.st_mode) ? st.st_size : 0);
}

void Engine::rename() {
    if (sources_.empty()) return;
    QByteArray to;
    for (const QString& t : rq_.to)
        if (!t.isEmpty()) {
            to = withoutTrailingSeparator(QFile::encodeName(t));
            break;
        }
    if (to.isEmpty()) fail(err::PathNotFound, {}, kNoDestination);
    if (patterned_ || sources_.size() != 1) fail(err::InvalidCall, {}, kListsDiffer);
    const QByteArray& from = sources_.front().path;
    struct stat s {};
    if (::lstat(from.constData(), &s) != 0) failErrno(errno, from);
    step(from, to);
    if (const int e = file::renameNoReplace(from, to))
        failErrno(e, e == EEXIST ? to : from, S_ISDIR(s.st_mode));
    done(0);
}

Engine::Clash Engine::resolveClash(const QByteArray& from, QByteArray& to, bool isFolder) {
    if (flag(fof::RenameOnCollision)) {
        QByteArray dir, name;
        splitLast(to, dir, name);
        to = fsys::join(dir, freeName(dir, name, isFolder));
        return Clash::Renamed;
    }
    if (flag(fof::NoConfirmation) || replaceAll_) return Clash::Replace;
    switch (ui_.confirmReplace(fsys::text(from), fsys::text(to))) {
    case ShellConfirm::Yes:
        return Clash::Replace;
    case ShellConfirm::YesToAll:
        replaceAll_ = true;
        return Clash::Replace;
    case ShellConfirm::No:
        res_.aborted = true;
        return Clash::Skip;
    case ShellConfirm::Cancel:
        break;
    }
    cancel();
}

void Engine::ensureFolder(const QByteArray& dir) {
    if (dir.isEmpty()) return;
    struct stat st {};
    if (::stat(dir.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return;
        fail(err::FileAlreadyExists, dir, kNameTaken);
    }
    if (!flag(fof::NoConfirmMkDir) && !flag(fof::NoConfirmation)) {
        switch (ui_.confirmMakeDir(fsys::text(dir))) {
        case ShellConfirm::Yes:
        case ShellConfirm::YesToAll:
            break;
        case ShellConfirm::No:
        case ShellConfirm::Cancel:
            cancel();
        }
    }
    std::error_code ec;
    fs::create_directories(native(dir), ec);
    if (ec) failErrno(ec.value(), dir, true);
}

void Engine::step(const QByteArray& from, const QByteArray& to) {
    if (!show_) return;
    if (ui_.cancelRequested()) cancel();
    ui_.progress(fsys::text(from), fsys::text(to), res_.filesDone, res_.bytesDone);
}

void Engine::fail(int number, const QByteArray& path, const QString& text) {
    res_.error = number;
    res_.errorPath = fsys::text(path);
    res_.errorText = text.isEmpty() ? vbErrorText(number) : text;
    if (!flag(fof::Silent)) ui_.reportError(res_.errorPath, res_.errorText);
    throw Stop{};
}

} // namespace

ShellFileResult runShellFileOperation(const ShellFileRequest& request, ShellOperationUi& ui) {
    return Engine(request, ui).run();
}

ShellFileResult refuseCopyIntoItself(const QString& source, const QString& target, int flags,
                                     ShellOperationUi& ui) {
    ShellFileResult res;
    if (!file::validName(source) || !file::validName(target)) return res; // the copy refuses it
    const QByteArray from = resolved(withoutTrailingSeparator(QFile::encodeName(source)));
    const QByteArray to = resolved(withoutTrailingSeparator(QFile::encodeName(target)));
    if (!isSameOrInside(to, from)) return res;
    res.error = err::PathFileAccess;
    res.errorPath = target;
    res.errorText = kInsideSource;
    if (!(flags & fof::Silent)) ui.reportError(res.errorPath, res.errorText);
    return res;
}

QString collisionName(const QString& folder, const QString& name, bool isFolder) {
    return fsys::text(freeName(QFile::encodeName(folder), QFile::encodeName(name), isFolder));
}

} // namespace zv
