#include "FsysAttr.h"

#include "FileAttributes.h"
#include "FileLayer.h"
#include "VbError.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>

namespace zv::fsys {

namespace {

constexpr int kMarkBits = kAttrHidden | kAttrSystem | kAttrArchive;

bool notSupported(int e) {
    return e == ENOTSUP || e == EOPNOTSUPP;
}

// The marks text read from the entry name in the folder dirFd (getxattrat, Linux 6.13 on: the
// name is looked up in the folder, not walked from the root again); -1 with errno set.
// ENOSYS when the kernel has no such call.
#ifndef SYS_getxattrat
#define SYS_getxattrat 464 // the same number on every architecture
#endif
ssize_t getMarksAt(int dirFd, const char* name, char* buf, size_t size) {
    static std::atomic<bool> missing{false};
    if (missing.load(std::memory_order_relaxed)) {
        errno = ENOSYS;
        return -1;
    }
    struct {
        uint64_t value;
        uint32_t size;
        uint32_t flags;
    } args{uint64_t(reinterpret_cast<uintptr_t>(buf)), uint32_t(size), 0};
    const long n = ::syscall(SYS_getxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW, kAttribXattr, &args,
                             sizeof args);
    if (n < 0 && (errno == ENOSYS || errno == EPERM)) missing.store(true);
    return ssize_t(n);
}

// The marks kept now: -1 when there are none (no attribute, or none possible here). The entry is
// name in the folder dirFd, whose whole path is p.
int readMarks(int dirFd, const QByteArray& name, const QByteArray& p) {
    char buf[32];
    ssize_t n = -1;
    if (dirFd != AT_FDCWD) n = getMarksAt(dirFd, name.constData(), buf, sizeof buf);
    // No such call (or another failure than a missing attribute): read through the path.
    if (dirFd == AT_FDCWD || (n < 0 && errno != ENODATA))
        n = ::lgetxattr(p.constData(), kAttribXattr, buf, sizeof buf);
    if (n <= 0) return -1;
    int marks = 0;
    const auto r = std::from_chars(buf, buf + n, marks);
    return r.ec == std::errc() ? marks : -1;
}

// The process's umask, read without changing it (umask(2) would, for every thread).
unsigned currentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        while (!status.atEnd()) {
            const QByteArray line = status.readLine();
            if (line.startsWith("Umask:")) {
                const QByteArray v = line.mid(6).trimmed();
                unsigned mask = 0;
                const auto r = std::from_chars(v.constData(), v.constData() + v.size(), mask, 8);
                if (r.ec == std::errc()) return mask & 0777;
            }
        }
    }
    return 022;
}

[[noreturn]] void raiseFor(int e, const QByteArray& p, bool folder) {
    vbRaise(file::errorNumber(e, QFile::decodeName(p), folder));
}

} // namespace

unsigned umaskWriteBits() {
    return 0222u & ~currentUmask();
}

void setAttributes(const QString& path, int mask) {
    if (path.isEmpty()) vbRaise(err::FileNotFound);
    setAttributes(QFile::encodeName(path), mask);
}

void setAttributes(const QByteArray& path, int mask) {
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    if (p.isEmpty()) vbRaise(err::FileNotFound);
    setAttributesAt(AT_FDCWD, p, p, mask);
}

void setAttributesAt(int dirFd, const QByteArray& name, const QByteArray& p, int mask,
                     const EntryState* known) {
    if (known && known->statError == 0 && known->st.st_nlink > 1) known = nullptr;
    struct stat st {};
    if (known) {
        if (known->statError != 0) raiseFor(known->statError, p, false);
        st = known->st;
    } else if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        raiseFor(errno, p, false);
    }
    if (S_ISLNK(st.st_mode)) return;
    const bool folder = S_ISDIR(st.st_mode);
    const bool regular = S_ISREG(st.st_mode);

    const mode_t mode = st.st_mode & 07777;
    mode_t wanted = mode;
    if (regular || folder) {
        if (mask & kAttrReadOnly) {
            if (regular) wanted &= ~mode_t(0222);
        } else if (!(mode & S_IWUSR)) {
            wanted |= mode_t(umaskWriteBits()) | S_IWUSR;
        }
    }

    const int marks = (mask & kMarkBits) | (folder ? (mask & kAttrReadOnly) : 0);
    const int current = known && known->marksRead ? known->marks : readMarks(dirFd, name, p);
    const bool marksChange = marks != (current < 0 ? 0 : current);

    // The marks of a file or folder can only be written while the owner may write to it: open
    // it for the moment when the final mode would not.
    mode_t now = mode;
    if (marksChange && (regular || folder) && !(now & S_IWUSR) && !(wanted & S_IWUSR)) {
        if (::fchmodat(dirFd, name.constData(), now | S_IWUSR, 0) != 0) raiseFor(errno, p, folder);
        now |= S_IWUSR;
    } else if (wanted != now && (wanted & S_IWUSR)) {
        // Clearing read-only: writable first, then the marks.
        if (::fchmodat(dirFd, name.constData(), wanted, 0) != 0) raiseFor(errno, p, folder);
        now = wanted;
    }

    if (marksChange) {
        int rc;
        if (marks == 0) {
            rc = ::lremovexattr(p.constData(), kAttribXattr);
            if (rc != 0 && errno == ENODATA) rc = 0;
        } else {
            const QByteArray text = QByteArray::number(marks);
            rc = ::lsetxattr(p.constData(), kAttribXattr, text.constData(), size_t(text.size()), 0);
        }
        // No extended attributes on this file system, or none allowed on this kind of entry
        // (devices, pipes): the marks are simply not kept.
        if (rc != 0 && !notSupported(errno) && !(errno == EPERM && !regular && !folder)) {
            const int e = errno;
            if (now != mode) ::fchmodat(dirFd, name.constData(), mode, 0);
            raiseFor(e, p, folder);
        }
    }

    if (wanted != now && ::fchmodat(dirFd, name.constData(), wanted, 0) != 0)
        raiseFor(errno, p, folder);
}

void copyMarks(int fromFd, int toFd) {
    char buf[32];
    const ssize_t n = ::fgetxattr(fromFd, kAttribXattr, buf, sizeof buf);
    int marks = 0;
    if (n <= 0 || std::from_chars(buf, buf + n, marks).ec != std::errc() || marks <= 0) return;
    const QByteArray text = QByteArray::number(marks);
    ::fsetxattr(toFd, kAttribXattr, text.constData(), size_t(text.size()), 0);
}

void copyMarks(const QByteArray& from, const QByteArray& to) {
    const int marks = readMarks(AT_FDCWD, from, from);
    if (marks <= 0) return;
    const QByteArray text = QByteArray::number(marks);
    ::lsetxattr(to.constData(), kAttribXattr, text.constData(), size_t(text.size()), 0);
}

namespace {

// One entry's status and, when asked, its marks (only where they can be read through the
// folder).
void readEntryState(int dirFd, const QByteArray& name, EntryState& e, bool withMarks) {
    e = EntryState();
    if (::fstatat(dirFd, name.constData(), &e.st, AT_SYMLINK_NOFOLLOW) != 0) {
        e.statError = errno;
        return;
    }
    if (!withMarks) return;
    char buf[32];
    const ssize_t n = getMarksAt(dirFd, name.constData(), buf, sizeof buf);
    if (n < 0 && errno != ENODATA) return; // read through the path when acting
    e.marksRead = true;
    int marks = 0;
    if (n > 0 && std::from_chars(buf, buf + n, marks).ec == std::errc()) e.marks = marks;
}

// Below this many entries a folder is read on the calling thread alone.
constexpr size_t kSharedFolder = 32;
// Entries taken at once by a thread.
constexpr size_t kChunk = 8;

} // namespace

EntryReader::~EntryReader() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    started_.notify_all();
    for (std::thread& t : helpers_)
        t.join();
}

void EntryReader::read(int dirFd, const std::vector<QByteArray>& names,
                       std::vector<EntryState>& out, bool marks) {
    out.resize(names.size());
    if (names.size() < kSharedFolder) {
        for (size_t i = 0; i < names.size(); ++i)
            readEntryState(dirFd, names[i], out[i], marks);
        return;
    }
    if (helpers_.empty()) {
        const unsigned cores = std::thread::hardware_concurrency();
        const unsigned count = cores > 1 ? std::min(cores - 1, 3u) : 0u;
        // Threads the system refuses (a limit reached) are done without: the reading is only
        // shared among fewer.
        try {
            for (unsigned i = 0; i < count; ++i)
                helpers_.emplace_back([this] { helper(); });
        } catch (const std::system_error&) {
        }
    }
    {
        std::lock_guard lock(mutex_);
        dirFd_ = dirFd;
        marks_ = marks;
        names_ = &names;
        out_ = &out;
        next_ = 0;
        helping_ = int(helpers_.size());
        ++round_;
    }
    started_.notify_all();
    readFrom();
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return helping_ == 0; });
    names_ = nullptr;
    out_ = nullptr;
}

void EntryReader::readFrom() {
    for (;;) {
        size_t from, to;
        {
            std::lock_guard lock(mutex_);
            from = next_;
            if (from >= names_->size()) return;
            to = next_ = std::min(names_->size(), from + kChunk);
        }
        for (size_t i = from; i < to; ++i)
            readEntryState(dirFd_, (*names_)[i], (*out_)[i], marks_);
    }
}

void EntryReader::helper() {
    uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            started_.wait(lock, [&] { return stop_ || round_ != seen; });
            if (stop_) return;
            seen = round_;
        }
        readFrom();
        {
            std::lock_guard lock(mutex_);
            --helping_;
        }
        finished_.notify_one();
    }
}

} // namespace zv::fsys
