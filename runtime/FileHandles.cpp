#include "FileHandles.h"

#include "VbError.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

constexpr int kFreeFileLimit = 255;

struct OpenFile {
    QString path;
    FileMode mode = FileMode::Input;
    TextFormat format;
    dev_t device = 0;
    ino_t inode = 0;
    // Output and Append: the descriptor written to.
    int fd = -1;
    // Input: the file's bytes, the read position in them (past the encoding mark, if any) and
    // the file's length in bytes. Each line is decoded when it is read: a line end is the same
    // byte in both encodings and never part of a longer character, so the lines decode to the
    // text of the whole file cut at its line ends.
    QByteArray bytes;
    qsizetype pos = 0;
    int64_t size = 0;

    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
};

struct FileTable {
    std::array<std::unique_ptr<OpenFile>, kMaxFileNumber + 1> files;
};

FileTable& table() {
    static FileTable t;
    return t;
}

[[noreturn]] void raiseErrno(int e, const QString& path) {
    bool parentMissing = false;
    if (e == ENOENT) parentMissing = !QFileInfo(QFileInfo(path).absolutePath()).isDir();
    vbRaise(vbErrorFromErrno(e, parentMissing));
}

void checkNumber(int number) {
    if (number < 1 || number > kMaxFileNumber) vbRaise(err::BadFileNameOrNumber);
}

OpenFile& openFile(int number) {
    checkNumber(number);
    OpenFile* f = table().files[number].get();
    if (!f) vbRaise(err::BadFileNameOrNumber);
    return *f;
}

bool statPath(const QString& path, struct stat& st) {
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

int numberOf(dev_t device, ino_t inode) {
    const FileTable& t = table();
    for (int n = 1; n <= kMaxFileNumber; ++n)
        if (t.files[n] && t.files[n]->device == device && t.files[n]->inode == inode) return n;
    return 0;
}

void writeAll(OpenFile& f, QByteArrayView bytes) {
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(f.fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            raiseErrno(errno, f.path);
        }
        p += n;
        left -= n;
    }
}

std::unique_ptr<OpenFile> openForInput(const QString& path) {
    auto f = std::make_unique<OpenFile>();
    f->bytes = readFileBytes(path);
    f->format = detectFormat(f->bytes);
    // A mark is skipped once, here.
    f->pos = f->format.bom ? 3 : 0;
    f->size = f->bytes.size();
    struct stat st {};
    if (statPath(path, st)) {
        f->device = st.st_dev;
        f->inode = st.st_ino;
    }
    return f;
}

std::unique_ptr<OpenFile> openForWriting(const QString& path, FileMode mode,
                                         const TextFormat& newFileFormat) {
    auto f = std::make_unique<OpenFile>();
    f->format = newFileFormat;
    struct stat st {};
    if (statPath(path, st)) {
        if (S_ISDIR(st.st_mode)) vbRaise(err::PathFileAccess);
        // Checked before anything is truncated: the other number's file must stay intact.
        if (numberOf(st.st_dev, st.st_ino) != 0) vbRaise(err::FileAlreadyOpen);
        // An existing file keeps its format. A file we may write but not read keeps the
        // default one; the open below reports any real obstacle.
        if (S_ISREG(st.st_mode) && st.st_size > 0)
            vbTrap([&] { f->format = detectFormat(readFileBytes(path)); });
    }
    const int flags =
        O_WRONLY | O_CREAT | O_CLOEXEC | (mode == FileMode::Output ? O_TRUNC : O_APPEND);
    f->fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    if (f->fd < 0) raiseErrno(errno, path);
    if (::fstat(f->fd, &st) != 0) raiseErrno(errno, path);
    f->device = st.st_dev;
    f->inode = st.st_ino;
    if (f->format.bom && st.st_size == 0) writeAll(*f, QByteArrayView("\xEF\xBB\xBF", 3));
    return f;
}

} // namespace

int FreeFile() {
    const FileTable& t = table();
    for (int n = 1; n <= kFreeFileLimit; ++n)
        if (!t.files[n]) return n;
    vbRaise(err::TooManyFiles);
}

void Open(const QString& path, FileMode mode, int number, const TextFormat& newFileFormat) {
    checkNumber(number);
    FileTable& t = table();
    if (t.files[number]) vbRaise(err::FileAlreadyOpen);
    std::unique_ptr<OpenFile> f =
        mode == FileMode::Input ? openForInput(path) : openForWriting(path, mode, newFileFormat);
    f->path = path;
    f->mode = mode;
    t.files[number] = std::move(f);
}

QString LineInput(int number) {
    OpenFile& f = openFile(number);
    if (f.mode != FileMode::Input) vbRaise(err::BadFileMode);
    const char* bytes = f.bytes.constData();
    const qsizetype n = f.bytes.size();
    if (f.pos >= n) vbRaise(err::InputPastEnd);
    const qsizetype start = f.pos;
    // The line ends at the first carriage return or line feed: the feed is searched for first,
    // then a return before it.
    const void* feed = std::memchr(bytes + start, '\n', size_t(n - start));
    qsizetype i = feed ? static_cast<const char*>(feed) - bytes : n;
    const void* ret = std::memchr(bytes + start, '\r', size_t(i - start));
    if (ret) i = static_cast<const char*>(ret) - bytes;
    const QByteArrayView line(bytes + start, i - start);
    if (i < n) {
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
        ++i;
    }
    f.pos = i;
    // A file read as UTF-8 was found valid as a whole, so each of its lines is valid.
    return f.format.encoding == TextEncoding::Utf8 ? decodeValidUtf8(line)
                                                   : decodeWindows1252(line);
}

void Print(int number, QStringView text) {
    OpenFile& f = openFile(number);
    if (f.mode == FileMode::Input) vbRaise(err::BadFileMode);
    QString line = text.toString();
    line += lineEndText(f.format.lineEnd);
    writeAll(f, encodeText(line, f.format.encoding));
}

bool Eof(int number) {
    const OpenFile& f = openFile(number);
    return f.mode != FileMode::Input || f.pos >= f.bytes.size();
}

int64_t Lof(int number) {
    const OpenFile& f = openFile(number);
    if (f.mode == FileMode::Input) return f.size;
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) raiseErrno(errno, f.path);
    return int64_t(st.st_size);
}

void Close(int number) {
    checkNumber(number);
    std::unique_ptr<OpenFile> f = std::move(table().files[number]);
    if (!f || f->fd < 0) return;
    const int fd = f->fd;
    f->fd = -1;
    // A failed close can mean lost data (a network file system reports late): say so.
    if (::close(fd) != 0 && errno != EINTR) raiseErrno(errno, f->path);
}

void CloseAll() {
    int firstError = 0;
    for (int n = 1; n <= kMaxFileNumber; ++n) {
        const int failed = vbTrap([&] { Close(n); }).number();
        if (firstError == 0) firstError = failed;
    }
    if (firstError != 0) vbRaise(firstError);
}

bool isFileNumberOpen(int number) {
    checkNumber(number);
    return table().files[number] != nullptr;
}

QString fileNumberPath(int number) {
    return openFile(number).path;
}

FileMode fileNumberMode(int number) {
    return openFile(number).mode;
}

TextFormat fileNumberFormat(int number) {
    return openFile(number).format;
}

int fileNumberOfPath(const QString& path) {
    struct stat st {};
    if (!statPath(path, st)) return 0;
    return numberOf(st.st_dev, st.st_ino);
}

void resetFileHandles() {
    for (auto& f : table().files)
        f.reset();
}

} // namespace zv
