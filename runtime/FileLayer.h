#pragma once
// FileLayer: how this system opens, reads, writes, copies, replaces and locks files on Linux.
//
// - Every function calls the system directly (no buffering of its own), retries a call that a
//   signal interrupted (EINTR) and goes on after a short write.
// - A failure is answered as the errno of the call that failed (0: success); errorNumber turns
//   it into the run-time error a script sees (53 file not found, 76 path not found, 61 disk
//   full, 70 permission denied, ...).
// - A whole file that is written anew (a copy over an existing file, the registry store, a
//   parameter file, a table, a log rewritten) goes through Replacement: the new content is
//   written to a temporary file in the target's own folder, given its permissions and times,
//   its data synced to the disk and only then renamed over the target. A failure at any step
//   leaves the old file as it was, byte for byte, and no temporary file behind; a crash leaves
//   the old file or the whole new one (the rename reaches the disk with the file system's next
//   commit of its journal).
// - Writers of a file that other processes may write too take its FileLock first.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <ctime>
#include <functional>
#include <sys/stat.h>
#include <sys/types.h>

namespace zv::file {

// ---- Names and errors ----

// The bytes the system reads for path.
QByteArray nativeName(const QString& path);
// False when path holds a null character: the system would stop reading the name there and act
// on another (shorter) path than the one the text names.
bool validName(const QString& path);
// Raises 52 "Bad file name or number" for a name that validName refuses.
void checkName(const QString& path);
// The run-time error that the errno err of a call on path stands for: ENOENT is 53 for a
// missing file and 76 when a folder on its way is missing; a file that may grow no further
// (EFBIG, the process's file-size limit) is 61 like a full disk; isFolder marks operations on a
// folder (a cross-device move of a folder is 74). The other numbers are vbErrorFromErrno's.
int errorNumber(int err, const QString& path, bool isFolder = false);
// Raises errorNumber(err, path, isFolder).
[[noreturn]] void raiseError(int err, const QString& path, bool isFolder = false);

// The path as it stands on the disk when path itself is missing but a path that differs from
// it only in the case of letters is there (names written on a case-blind system): each part
// of the path that is missing is looked up once among its folder's entries without regard to
// case (the first match in name order wins). path itself when it is there; "" when no such
// path is there either.
QString pathIgnoringCase(const QString& path);

// ---- Open files ----

// An open descriptor, closed when the object goes.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Gives the descriptor up without closing it.
    int release();
    // Closes the descriptor (if any): 0 or the errno of close.
    int reset();

private:
    int fd_ = -1;
};

// Opens path for reading. followLinks false refuses a path whose last part is a symbolic link
// (ELOOP). A pipe without a writer does not hang the open (it then reads as empty).
// 0 or errno.
int openRead(const QByteArray& path, Fd& fd, bool followLinks = true);
// Opens path, which the caller has just found to be a regular file, for reading, without
// following a symbolic link in its last part (ELOOP). The descriptor stays non-blocking: that
// changes nothing for a regular file, and whatever took its place meanwhile (a pipe) cannot
// hang the reader. One open and no other call, for copies of many files. 0 or errno.
int openReadFile(const QByteArray& path, Fd& fd);
// Reads what is left of the file into out (appended). 0 or errno.
int readAll(int fd, QByteArray& out);
// Opens path for appending (and for reading what it holds), creating it (0666 less the umask)
// when missing. A symbolic link is refused (ELOOP), and so is anything but a regular file
// (EISDIR for a folder, EINVAL for anything else), so that in a folder others may write nobody
// can send the writes elsewhere. 0 or errno.
int openAppend(const QByteArray& path, Fd& fd);
// The whole content of path. 0 or errno (ENOENT: no such file).
int readFile(const QString& path, QByteArray& out);
// Writes all of data. 0 or errno.
int writeAll(int fd, QByteArrayView data);
// Renames from to to unless to exists (EEXIST): atomically where the file system can, else
// with a look right before. 0 or errno.
int renameNoReplace(const QByteArray& from, const QByteArray& to);
// Copies what is left to read of in into out: in the kernel where the file systems allow it
// (copy_file_range), else through a buffer. sizeHint is the size the source said it has; a
// source that says it is empty is still read (files made as they are read, /proc). 0 or errno.
int copyData(int in, int out, off_t sizeHint);
// Makes copyData and Replacement take the ways a kernel or file system without the faster ones
// gets: copyData through a buffer, as when copy_file_range refuses the pair of files (EXDEV),
// and a new file under a passing name in its folder. For tests of those ways.
void usePlainWays(bool plain);
// Lets (true, the default) or stops a file without a name being named from its descriptor
// alone (a privilege of root): stopped, it is named through /proc, as for other users. For
// tests of that way.
void useDirectLinks(bool on);

// ---- Whole-file replacement ----

struct ReplaceOptions {
    // A target that is a symbolic link: the file it points to is replaced (false: the link
    // itself is replaced by the new file).
    bool followLinks = true;
    // When the target's folder refuses a new file (no write permission), or refuses to replace
    // the target (a sticky folder and another user's file), but the target itself is a
    // writable file, the target is written in place: a failure then may leave it partly
    // written, since there is nowhere else to put the new content. Its permissions and times
    // change as far as this process may change them.
    bool inPlaceIfFolderRefuses = false;
    // commit refuses an existing target (EEXIST) instead of replacing it.
    bool noReplace = false;
    // Also a new file's data is synced to the disk before it is put in place (a replaced
    // file's always is): for stores whose first content must survive a crash too.
    bool durable = false;
};

// One file written anew. The content goes to a temporary file ".<name>.zvtmp-<pid>-<n>" beside
// the target until commit puts it in the target's place; an uncommitted replacement is
// abandoned (its temporary file removed) when the object goes. Where nothing is to be replaced
// and the file system allows it, the temporary file has no name at all (O_TMPFILE) until commit
// gives it the target's: a crash then leaves nothing behind.
class Replacement {
public:
    explicit Replacement(const QString& target, ReplaceOptions options = {});
    // The target as the bytes the system reads (a name that is no valid text stays exact).
    explicit Replacement(QByteArray nativeTarget, ReplaceOptions options = {});
    ~Replacement() { abandon(); }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // Creates the temporary file (or opens the target, in place). 0 or errno: ENOENT when the
    // target's folder is missing, EISDIR for a target that is a folder.
    int open();
    // Tells the next open that the caller has just looked at the target (lstat) and found
    // nothing there, so that open does not look again: the copy is then a new file, exactly
    // as when open finds nothing itself. Only for a replacement that does not follow links.
    void setTargetMissing() { targetMissing_ = !options_.followLinks; }
    // The descriptor to write the new content to (after open).
    int fd() const { return out_.get(); }
    int write(QByteArrayView bytes) { return writeAll(out_.get(), bytes); }
    // The path that is replaced (the target, or the file its link points to).
    const QByteArray& targetPath() const { return target_; }
    // Whether the target existed when open looked at it, and whether it is written in place.
    bool replacing() const { return replacing_; }
    bool inPlace() const { return inPlace_; }

    // The permission bits of the new file. Default: those of the replaced file, or a new file's
    // usual ones (0666 less the umask). Set before open, the temporary file stays private (0600)
    // until commit.
    void setPermissions(mode_t mode);
    // The access and modification times of the new file. Default: the time of writing.
    void setTimes(const struct timespec& accessed, const struct timespec& modified);

    // Applies owner, permissions and times, syncs the file and renames it over the target.
    // 0 or errno; after a failure the target is as it was (unless written in place) and the
    // temporary file is gone.
    int commit();
    // Removes the temporary file; the target stays as it was.
    void abandon();

private:
    // Truncates (in place), gives owner, permissions and times, and syncs the written file.
    int finish(int fd, bool inPlace);
    // Writes the complete temporary file over the target itself, for a folder that refuses the
    // rename.
    int writeOverTarget();
    // The k-th passing name beside the target.
    QByteArray passingName(int k) const;
    // Gives the file without a name the target's name (replacing what appeared there meanwhile,
    // unless noReplace).
    int nameUnnamed();

    QByteArray target_;
    QByteArray temp_;
    ReplaceOptions options_;
    Fd out_;
    struct stat old_ {};
    bool replacing_ = false;
    bool targetMissing_ = false; // the caller found no target (setTargetMissing)
    bool keepsMode_ = false;     // the replaced file's permissions and owner carry over
    bool inPlace_ = false;
    bool unnamed_ = false; // the temporary file has no name (O_TMPFILE)
    bool hasMode_ = false;
    bool modeAtOpen_ = false; // the file was made with mode_
    mode_t mode_ = 0;
    bool hasTimes_ = false;
    struct timespec times_[2]{};
};

// Writes bytes as the whole new content of path. 0 or errno.
int replaceFile(const QString& path, QByteArrayView bytes, ReplaceOptions options = {});
// Opens out and copies the file open as in (whose status is st) into it: its bytes, its
// permission bits and its times (the last two applied when out commits). 0 or errno.
int copyInto(int in, const struct stat& st, Replacement& out);

// ---- Locks ----

// How long a writer waits for another one by default.
constexpr int kLockWaitMs = 30000;

// An exclusive lock held through a lock file: either the companion file "<file>.lock" of the
// file it guards (lock) or a lock file named in full (lockFile, tryLockFile). It is a flock
// lock on an open file description of its own: it excludes other processes and other threads
// of this one alike, and goes with the object or with the process, however it ends (a process
// that crashed or was killed holds nothing). Its descriptor is closed on exec, so programs the
// holder starts do not hold it too.
//
// The lock file is opened without following a symbolic link (ELOOP) and must be a regular file
// (EISDIR for a folder, EINVAL for anything else), created (0666 less the umask) when missing;
// it is opened for reading only, so a lock file that another user made can be locked as well.
// A lock file may be deleted while held (unlockAndRemove): a taker whose lock lands on a file
// that is no longer the one at the path lets it go and tries again on the new one, so a
// deleted file never counts as held.
//
// Waiting: lock and lockFile queue in the kernel, bounded so that a process that keeps the
// lock cannot hang this one (the end of the wait is told to the waiting thread by the
// real-time signal SIGRTMIN+4, whose handler this layer installs: the signal must not be used
// for anything else). tryLockFile never waits in the kernel: it tries a given number of times
// with pauses between, in which no lock is held.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of file (its companion "<file>.lock"), waiting at most timeoutMs. 0,
    // ETIMEDOUT when the wait ran out, or the errno of the failure (the lock file cannot be
    // created: ENOENT when its folder is missing).
    int lock(const QString& file, int timeoutMs = kLockWaitMs);
    // Takes the lock of the lock file path itself, waiting at most timeoutMs. Results as lock.
    int lockFile(const QByteArray& path, int timeoutMs = kLockWaitMs);
    // Takes the lock of the lock file path, trying at most attempts times, pauseMs apart;
    // pause (when given) runs before and after each of these pauses, with no lock held. 0,
    // EWOULDBLOCK when every try found the lock held, or the errno of the failure (see above).
    int tryLockFile(const QByteArray& path, int attempts, int pauseMs,
                    const std::function<void()>& pause = {});
    // Releases the lock (the lock file stays).
    void unlock();
    // Deletes the lock file while still holding it, then releases the lock: between holders no
    // lock file is left. A folder that refuses the deletion (another user's file in a sticky
    // folder) leaves it, which is harmless.
    void unlockAndRemove();
    bool locked() const { return fd_.isOpen(); }

private:
    // One try: opens the lock file and takes the lock, waiting in the kernel when wait is set
    // (until a signal interrupts it). 0, EWOULDBLOCK (held), EINTR (wait interrupted) or the
    // errno of the failure.
    int take(const QByteArray& path, bool wait);
    int waitFor(const QByteArray& path, int timeoutMs);

    Fd fd_;
    QByteArray path_;
};

} // namespace zv::file
