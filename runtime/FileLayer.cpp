#include "FileLayer.h"

#include "Text.h"
#include "VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid // the C library's headers do not name it yet
#endif

namespace zv::file {

namespace {

// This process's id, asked of the system once and again in a child after fork: each temporary
// file's name holds it.
pid_t ownPid = 0;
pid_t processId() {
    static const bool watched = [] {
        ::pthread_atfork(nullptr, nullptr, [] { ownPid = ::getpid(); });
        ownPid = ::getpid();
        return true;
    }();
    (void)watched;
    return ownPid;
}

// The folder part of a path, "" for a bare name (the current folder).
QByteArray parentOf(const QByteArray& path) {
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf('/');
    if (slash < 0) return {};
    return slash == 0 ? QByteArray("/") : p.left(slash);
}

QByteArray lastPart(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The file a chain of symbolic links ends at (the path itself when it is no link). A dangling
// link gives the path it names, where a new file would be made.
QByteArray followLinks(const QByteArray& path) {
    QByteArray p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::vector<char> buf(PATH_MAX + 1);
        const ssize_t n = ::readlink(p.constData(), buf.data(), buf.size() - 1);
        if (n <= 0) return p;
        const QByteArray link(buf.data(), n);
        if (link.startsWith('/')) {
            p = link;
        } else {
            const QByteArray dir = parentOf(p);
            p = dir.isEmpty() ? link : (dir == "/" ? "/" + link : dir + '/' + link);
        }
    }
    return p; // a loop of links: still a link, which open refuses (ELOOP)
}

// Opens path with access (O_RDONLY, O_RDWR, ...) without following a symbolic link, creating a
// missing file; the file must be a regular one. A file that exists is opened without O_CREAT,
// since a folder that others may write refuses an O_CREAT open of another user's file; a
// missing one is made with O_EXCL (one that another process made first is then opened).
int openRegular(const QByteArray& path, int access, Fd& fd) {
    const int flags = access | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    for (int round = 0; round < 16; ++round) {
        int f = ::open(path.constData(), flags);
        if (f < 0 && errno == ENOENT) {
            f = ::open(path.constData(), flags | O_CREAT | O_EXCL, 0666);
            if (f < 0 && errno == EEXIST) continue; // made (or deleted again) meanwhile
        }
        if (f < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        Fd opened(f);
        struct stat st {};
        if (::fstat(f, &st) != 0) return errno;
        if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::fcntl(f, F_SETFL, ::fcntl(f, F_GETFL) & ~O_NONBLOCK);
        fd = std::move(opened);
        return 0;
    }
    return EEXIST;
}

} // namespace

// ---- Names and errors ----

QByteArray nativeName(const QString& path) {
    return QFile::encodeName(path);
}

bool validName(const QString& path) {
    return !path.contains(QChar(0));
}

void checkName(const QString& path) {
    if (!validName(path)) vbRaise(err::BadFileNameOrNumber);
}

int errorNumber(int err, const QString& path, bool isFolder) {
    if (err == EFBIG) return zv::err::DiskFull;
    bool parentMissing = false;
    if (err == ENOENT) {
        const QByteArray parent = parentOf(nativeName(path));
        struct stat st {};
        parentMissing =
            !parent.isEmpty() && (::stat(parent.constData(), &st) != 0 || !S_ISDIR(st.st_mode));
    }
    return vbErrorFromErrno(err, parentMissing, isFolder);
}

void raiseError(int err, const QString& path, bool isFolder) {
    vbRaise(errorNumber(err, path, isFolder));
}

// ---- Open files ----

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = other.release();
    }
    return *this;
}

int Fd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

int Fd::reset() {
    if (fd_ < 0) return 0;
    // Linux releases the descriptor even when close reports an error: never close it twice.
    const int r = ::close(fd_) == 0 || errno == EINTR ? 0 : errno;
    fd_ = -1;
    return r;
}

int openRead(const QByteArray& path, Fd& fd, bool followLinks) {
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (followLinks ? 0 : O_NOFOLLOW);
    int f;
    do {
        f = ::open(path.constData(), flags);
    } while (f < 0 && errno == EINTR);
    if (f < 0) return errno;
    // Opened without waiting for a pipe's writer; reads wait as usual.
    ::fcntl(f, F_SETFL, ::fcntl(f, F_GETFL) & ~O_NONBLOCK);
    fd = Fd(f);
    return 0;
}

int openReadFile(const QByteArray& path, Fd& fd) {
    int f;
    do {
        f = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY);
    } while (f < 0 && errno == EINTR);
    if (f < 0) return errno;
    fd = Fd(f);
    return 0;
}

int openAppend(const QByteArray& path, Fd& fd) {
    return openRegular(path, O_RDWR | O_APPEND, fd);
}

int readAll(int fd, QByteArray& out) {
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) return 0;
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        out.append(buf, n);
    }
}

int readFile(const QString& path, QByteArray& out) {
    out.clear();
    Fd fd;
    if (const int e = openRead(nativeName(path), fd)) return e;
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return EISDIR;
        if (S_ISREG(st.st_mode) && st.st_size > 0) out.reserve(qsizetype(st.st_size));
    }
    return readAll(fd.get(), out);
}

int writeAll(int fd, QByteArrayView data) {
    const char* p = data.data();
    size_t left = size_t(data.size());
    while (left > 0) {
        const ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (w == 0) return EIO;
        p += w;
        left -= size_t(w);
    }
    return 0;
}

int renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0) return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

namespace {

// Set by usePlainWays: the kernel's copy and files without a name are not used.
std::atomic<bool> plainWays{false};

// The last folder whose file system refused a file without a name (the copies of a tree ask
// folder by folder, so one refusal saves the try for the rest of the folder's files).
thread_local QByteArray refusingFolder;

bool unnamedFilesIn(const QByteArray& dir) {
    // Naming such a file goes through the process's descriptors in /proc.
    static const bool procFds = ::access("/proc/self/fd", X_OK) == 0;
    return procFds && !plainWays.load(std::memory_order_relaxed) && dir != refusingFolder;
}

} // namespace

void usePlainWays(bool plain) {
    plainWays.store(plain);
}

int copyData(int in, int out, off_t sizeHint) {
    for (off_t copied = 0; sizeHint > 0;) {
        ssize_t n;
        if (plainWays.load(std::memory_order_relaxed)) {
            n = -1;
            errno = EXDEV; // as between two file systems that cannot copy in the kernel
        } else {
            n = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        }
        if (n > 0) {
            copied += n;
            continue;
        }
        if (n == 0) {
            // Nothing at all from a file that says it has bytes (/sys): only reading finds
            // them.
            if (copied == 0) break;
            return 0;
        }
        if (errno == EINTR) continue;
        // Not between these files (other file systems, no support): the plain way, from where
        // the copy stands.
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) break;
        return errno;
    }
    std::vector<char> buffer(size_t(1) << 17);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0) return 0;
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (const int e = writeAll(out, QByteArrayView(buffer.data(), n))) return e;
    }
}

Replacement::Replacement(const QString& target, ReplaceOptions options)
    : Replacement(nativeName(target), options) {}

Replacement::Replacement(QByteArray nativeTarget, ReplaceOptions options)
    : target_(std::move(nativeTarget)), options_(options) {
    while (target_.size() > 1 && target_.endsWith('/'))
        target_.chop(1);
}

// ---- Whole-file replacement ----

int Replacement::open() {
    abandon();
    if (target_.isEmpty()) return ENOENT;
    if (options_.followLinks) target_ = followLinks(target_);
    inPlace_ = false;
    modeAtOpen_ = false;
    replacing_ = !targetMissing_ && ::lstat(target_.constData(), &old_) == 0;
    targetMissing_ = false;
    if (replacing_ && S_ISDIR(old_.st_mode)) return EISDIR;
    if (replacing_ && S_ISLNK(old_.st_mode) && options_.followLinks) return ELOOP;
    keepsMode_ = replacing_ && S_ISREG(old_.st_mode);

    const QByteArray dir = parentOf(target_);
    // A new file with no other permissions asked for gets the usual ones (the umask applies);
    // any other starts private and gets its permissions when it is complete.
    const mode_t initial = hasMode_ || keepsMode_ ? S_IRUSR | S_IWUSR : 0666;
    // Nothing to replace: the content goes to a file without a name in the target's folder,
    // named only when complete (one entry made in the folder instead of a passing name made,
    // renamed and removed). A folder whose file system has no such files takes the named way.
    if (!replacing_ && unnamedFilesIn(dir)) {
        // Nobody can open a file without a name: it may have its permissions from the start,
        // where they let the owner write it (the marks are written after the bytes) and have
        // no special bits.
        const bool withMode = hasMode_ && (mode_ & S_IWUSR) && !(mode_ & 07000);
        int f;
        do {
            f = ::open(dir.isEmpty() ? "." : dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC,
                       withMode ? mode_ : initial);
        } while (f < 0 && errno == EINTR);
        if (f >= 0) {
            modeAtOpen_ = withMode;
            out_ = Fd(f);
            unnamed_ = true;
            return 0;
        }
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) refusingFolder = dir;
        // Any other failure (a missing folder, no permission) is the named way's too: its own
        // open below answers it.
    }
    int err = 0;
    for (int k = 0; k < 1000; ++k) {
        temp_ = passingName(k);
        const int f = ::open(temp_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, initial);
        if (f >= 0) {
            out_ = Fd(f);
            return 0;
        }
        err = errno;
        if (err != EEXIST && err != EINTR) break;
    }
    temp_.clear();
    // The folder takes no new file: an existing file that may be written is written in place.
    if ((err == EACCES || err == EPERM) && options_.inPlaceIfFolderRefuses && keepsMode_) {
        const int f = ::open(target_.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
        if (f >= 0) {
            out_ = Fd(f);
            inPlace_ = true;
            return 0;
        }
    }
    return err;
}

void Replacement::setPermissions(mode_t mode) {
    hasMode_ = true;
    mode_ = mode & 07777;
}

void Replacement::setTimes(const struct timespec& accessed, const struct timespec& modified) {
    hasTimes_ = true;
    times_[0] = accessed;
    times_[1] = modified;
}

int Replacement::finish(int fd, bool inPlace) {
    if (inPlace) {
        // The new content may be shorter than the old one.
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (end < 0 || ::ftruncate(fd, end) != 0) return errno;
    } else if (keepsMode_ && (old_.st_uid != ::geteuid() || old_.st_gid != ::getegid())) {
        // The replaced file's owner, where this process may give it (root); before the
        // permissions, which a change of owner would cut.
        [[maybe_unused]] const int ignored = ::fchown(fd, old_.st_uid, old_.st_gid);
    }
    // A file written in place may belong to another user: its permissions and times change as
    // far as the system lets this process change them.
    if (hasMode_ || (keepsMode_ && !inPlace)) {
        const mode_t wanted = hasMode_ ? mode_ : old_.st_mode & 07777;
        // Made with them, the permissions are changed only where the umask or the folder's
        // default access list took some away.
        struct stat now {};
        const bool has = modeAtOpen_ && ::fstat(fd, &now) == 0 && (now.st_mode & 07777) == wanted;
        if (!has && ::fchmod(fd, wanted) != 0 && !inPlace) return errno;
    }
    if (hasTimes_ && ::futimens(fd, times_) != 0 && !inPlace) return errno;
    // The data on the disk before the rename can show the new file: a crash then leaves the old
    // file or the whole new one, never an empty one. (Its permissions and times are journalled
    // before the rename that follows them.)
    if ((replacing_ || options_.durable) && ::fdatasync(fd) != 0) return errno;
    return 0;
}

int Replacement::writeOverTarget() {
    Fd in;
    if (const int e = openRead(temp_, in, false)) return e;
    const Fd out(::open(target_.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!out.isOpen()) return errno;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0) return errno;
    if (const int e = copyData(in.get(), out.get(), st.st_size)) return e;
    return finish(out.get(), true);
}

QByteArray Replacement::passingName(int k) const {
    const QByteArray dir = parentOf(target_);
    const QByteArray name = '.' + lastPart(target_).left(100) + ".zvtmp-" +
                            QByteArray::number(processId()) + '-' + QByteArray::number(k);
    return dir.isEmpty() ? name : (dir == "/" ? "/" + name : dir + '/' + name);
}

namespace {

// Set once naming a file from its descriptor alone was refused (it takes a privilege).
std::atomic<bool> directLinksRefused{false};

// Gives the open file fd, which has no name, the name path: from the descriptor itself where
// the process may (root), else through the descriptor's entry among the process's ones in /proc.
// 0 or errno.
int linkOpenFile(int fd, const QByteArray& path) {
    const bool direct = !directLinksRefused.load(std::memory_order_relaxed);
    if (direct) {
        if (::linkat(fd, "", AT_FDCWD, path.constData(), AT_EMPTY_PATH) == 0) return 0;
        // Refused for want of the privilege, the call says ENOENT, as for a missing folder.
        if (errno != ENOENT && errno != EPERM) return errno;
    }
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) != 0)
        return errno;
    if (direct) directLinksRefused.store(true, std::memory_order_relaxed);
    return 0;
}

} // namespace

void useDirectLinks(bool on) {
    directLinksRefused.store(!on);
}

int Replacement::nameUnnamed() {
    if (const int e = linkOpenFile(out_.get(), target_); e != EEXIST || options_.noReplace)
        return e;
    // Something was put at the target after open found nothing there: it is replaced, as the
    // named way's rename replaces it.
    for (int k = 0; k < 1000; ++k) {
        const QByteArray temp = passingName(k);
        if (const int e = linkOpenFile(out_.get(), temp)) {
            if (e == EEXIST) continue;
            return e;
        }
        if (::rename(temp.constData(), target_.constData()) == 0) return 0;
        const int e = errno;
        ::unlink(temp.constData());
        return e;
    }
    return EEXIST;
}

int Replacement::commit() {
    if (!out_.isOpen()) return EBADF;
    if (unnamed_) {
        int e = finish(out_.get(), false);
        if (e == 0) e = nameUnnamed();
        // A close that reports a failure (a write the file system could not complete) takes
        // the new file away again: nothing was at the target before.
        if (const int c = out_.reset(); e == 0 && c != 0) {
            ::unlink(target_.constData());
            e = c;
        }
        abandon();
        return e;
    }
    int e = finish(out_.get(), inPlace_);
    if (const int c = out_.reset(); e == 0) e = c;
    if (e == 0 && !inPlace_) {
        if (options_.noReplace)
            e = renameNoReplace(temp_, target_);
        else if (::rename(temp_.constData(), target_.constData()) != 0)
            e = errno;
        // A folder that lets no one replace another user's file (the sticky bit of /tmp) may
        // still let the file itself be written.
        if ((e == EPERM || e == EACCES) && options_.inPlaceIfFolderRefuses && keepsMode_) {
            if (writeOverTarget() == 0) e = 0;
        } else if (e == 0) {
            temp_.clear();
        }
    }
    abandon();
    inPlace_ = false;
    return e;
}

void Replacement::abandon() {
    // A file without a name goes with its descriptor.
    out_.reset();
    unnamed_ = false;
    if (!temp_.isEmpty()) {
        ::unlink(temp_.constData());
        temp_.clear();
    }
}

int replaceFile(const QString& path, QByteArrayView bytes, ReplaceOptions options) {
    Replacement r(path, options);
    if (const int e = r.open()) return e;
    if (const int e = r.write(bytes)) return e;
    return r.commit();
}

int copyInto(int in, const struct stat& st, Replacement& out) {
    out.setPermissions(st.st_mode & 07777);
    out.setTimes(st.st_atim, st.st_mtim);
    if (const int e = out.open()) return e;
    return copyData(in, out.fd(), st.st_size);
}

// ---- Locks ----

namespace {

// The signal that ends a lock wait that ran out. Its handler does nothing: the signal only
// interrupts the waiting call.
int lockTimerSignal() {
    static const int sig = [] {
        const int s = SIGRTMIN + 4;
        struct sigaction sa {};
        sa.sa_handler = [](int) {};
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = 0; // no SA_RESTART: the wait must return
        ::sigaction(s, &sa, nullptr);
        return s;
    }();
    return sig;
}

// A timer that sends the lock signal to the calling thread at the deadline and then every
// 20 ms (so that a signal that came just before the wait began is followed by another).
class WaitTimer {
public:
    explicit WaitTimer(int timeoutMs) {
        struct sigevent ev {};
        ev.sigev_notify = SIGEV_THREAD_ID;
        ev.sigev_signo = lockTimerSignal();
        ev.sigev_notify_thread_id = ::gettid();
        if (::timer_create(CLOCK_MONOTONIC, &ev, &timer_) != 0) return;
        armed_ = true;
        struct itimerspec its {};
        its.it_value.tv_sec = timeoutMs / 1000;
        its.it_value.tv_nsec = long(timeoutMs % 1000) * 1000000L + 1;
        its.it_interval.tv_nsec = 20 * 1000000L;
        ::timer_settime(timer_, 0, &its, nullptr);
    }
    ~WaitTimer() {
        if (armed_) ::timer_delete(timer_);
    }
    WaitTimer(const WaitTimer&) = delete;
    WaitTimer& operator=(const WaitTimer&) = delete;
    bool armed() const { return armed_; }

private:
    timer_t timer_{};
    bool armed_ = false;
};

} // namespace

int FileLock::take(const QByteArray& path, bool wait) {
    // A lock taken on a file that was deleted (or replaced) while this one waited for it is no
    // lock: the next holder makes a new file at the path. Let it go and take the new file's.
    for (int round = 0; round < 64; ++round) {
        Fd fd;
        if (const int e = openRegular(path, O_RDONLY, fd)) return e;
        if (::flock(fd.get(), LOCK_EX | (wait ? 0 : LOCK_NB)) != 0)
            return errno == EWOULDBLOCK ? EWOULDBLOCK : errno;
        struct stat held {};
        struct stat now {};
        if (::fstat(fd.get(), &held) != 0) return errno;
        if (::lstat(path.constData(), &now) == 0 && now.st_dev == held.st_dev &&
            now.st_ino == held.st_ino) {
            fd_ = std::move(fd);
            path_ = path;
            return 0;
        }
    }
    return EWOULDBLOCK;
}

int FileLock::waitFor(const QByteArray& path, int timeoutMs) {
    unlock();
    const int first = take(path, false);
    if (first != EWOULDBLOCK) return first;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    const WaitTimer timer(timeoutMs);
    if (!timer.armed()) return errno;
    for (;;) {
        const int e = take(path, true);
        if (e != EINTR) return e;
        if (Clock::now() >= deadline) return ETIMEDOUT;
    }
}

int FileLock::lock(const QString& file, int timeoutMs) {
    return waitFor(nativeName(file) + ".lock", timeoutMs);
}

int FileLock::lockFile(const QByteArray& path, int timeoutMs) {
    return waitFor(path, timeoutMs);
}

int FileLock::tryLockFile(const QByteArray& path, int attempts, int pauseMs,
                          const std::function<void()>& pause) {
    unlock();
    for (int attempt = 1;; ++attempt) {
        const int e = take(path, false);
        if (e != EWOULDBLOCK || attempt >= attempts) return e;
        if (pause) pause();
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        if (pause) pause();
    }
}

void FileLock::unlock() {
    // Closing the only descriptor of the open file description releases its lock.
    fd_.reset();
    path_.clear();
}

void FileLock::unlockAndRemove() {
    if (!fd_.isOpen()) return;
    ::unlink(path_.constData());
    unlock();
}

QString pathIgnoringCase(const QString& path) {
    if (path.isEmpty()) return QString();
    if (QFileInfo::exists(path)) return path;
    const bool absolute = path.startsWith(u'/');
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    QString found = absolute ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        const QString exact = found.isEmpty() ? part : QDir(found).filePath(part);
        if (part == u"." || part == u".." || QFileInfo::exists(exact)) {
            found = exact;
            continue;
        }
        const QDir folder(found.isEmpty() ? QStringLiteral(".") : found);
        const QStringList names = folder.entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        const QString wanted = UCase(part);
        QString match;
        for (const QString& name : names) {
            if (UCase(name) == wanted) {
                match = name;
                break;
            }
        }
        if (match.isEmpty()) return QString();
        found = found.isEmpty() ? match : QDir(found).filePath(match);
    }
    return found;
}

} // namespace zv::file
