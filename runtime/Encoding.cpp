#include "Encoding.h"

#include "FileLayer.h"

#include "Text.h"
#include "VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

bool startsWithBom(QByteArrayView bytes) {
    return bytes.size() >= 3 && std::memcmp(bytes.data(), kBom, 3) == 0;
}

bool isContinuation(uint8_t b) {
    return (b & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at bytes[i] (1..4) and its code point, or 0 when the
// bytes there are no valid sequence.
int utf8Sequence(QByteArrayView bytes, qsizetype i, char32_t& cp) {
    const auto at = [&](qsizetype k) { return uint8_t(bytes[k]); };
    const uint8_t b0 = at(i);
    const qsizetype left = bytes.size() - i;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    int len;
    uint8_t lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0) lo = 0xA0; // no overlong forms
        if (b0 == 0xED) hi = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (left < len || at(i + 1) < lo || at(i + 1) > hi) return 0;
    for (int k = 2; k < len; ++k)
        if (!isContinuation(at(i + k))) return 0;
    cp = b0 & (0xFF >> (len + 1));
    for (int k = 1; k < len; ++k)
        cp = (cp << 6) | (at(i + k) & 0x3F);
    return len;
}

// The end of the run of ASCII bytes that starts at i: text files are mostly ASCII, so whole
// words are tested for a byte with its high bit set before looking at single bytes.
qsizetype asciiRunEnd(QByteArrayView bytes, qsizetype i) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    while (i + 8 <= n) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ULL) break;
        i += 8;
    }
    while (i < n && uint8_t(p[i]) < 0x80)
        ++i;
    return i;
}

[[noreturn]] void raiseErrno(int e, const QString& path) {
    bool parentMissing = false;
    if (e == ENOENT) parentMissing = !QFileInfo(QFileInfo(path).absolutePath()).isDir();
    vbRaise(vbErrorFromErrno(e, parentMissing));
}

// Why a file could not be replaced: Qt does not keep the system's error, so look at the place.
[[noreturn]] void raiseWriteFailure(const QString& path, int savedErrno) {
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (target.isDir()) vbRaise(err::PathFileAccess);
    if (!QFileInfo(folder).exists()) vbRaise(err::PathNotFound);
    if (!QFileInfo(folder).isDir()) raiseErrno(ENOTDIR, path);
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) raiseErrno(errno, path);
    if (target.exists() && !target.isWritable()) vbRaise(err::PermissionDenied);
    vbRaise(savedErrno != 0 ? vbErrorFromErrno(savedErrno) : err::PathFileAccess);
}

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = cp1252ToChar(uint8_t(bytes[i]));
    return out;
}

QByteArray encodeWindows1252(QStringView text, bool* lost) {
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        int b = charToCp1252(text[i]);
        if (b < 0) {
            b = '?';
            if (lost) *lost = true;
        }
        out[i] = char(b);
    }
    return out;
}

bool isValidUtf8(QByteArrayView bytes, bool* hasMultiByte) {
    bool multi = false;
    char32_t cp;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        i = asciiRunEnd(bytes, i);
        if (i >= n) break;
        const int len = utf8Sequence(bytes, i, cp);
        if (len == 0) return false;
        multi = multi || len > 1;
        i += len;
    }
    if (hasMultiByte) *hasMultiByte = multi;
    return true;
}

QString decodeValidUtf8(QByteArrayView bytes) {
    // QString::fromUtf8 is the fast decoder, but it drops a mark at the start: a text that
    // begins with one goes through a decoder told to keep it.
    if (!startsWithBom(bytes)) return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                     QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

QString decodeScriptText(QByteArrayView bytes) {
    const QByteArrayView body = startsWithBom(bytes) ? bytes.sliced(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (!utf8.hasError()) return text;
    return decodeWindows1252(bytes);
}

QString decodeUtf8(QByteArrayView bytes) {
    // Valid text decodes to the same characters through Qt's vectorised decoder; only invalid
    // text needs the replacement of each bad byte below.
    if (isValidUtf8(bytes)) return decodeValidUtf8(bytes);
    // Never more UTF-16 units than bytes: written in place, then cut to size.
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* to = reinterpret_cast<char16_t*>(out.data());
    const char* from = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype w = 0;
    char32_t cp;
    for (qsizetype i = 0; i < n;) {
        // An ASCII run is widened in one loop over fixed pointers, which the compiler vectorises.
        const qsizetype run = asciiRunEnd(bytes, i) - i;
        const uint8_t* src = reinterpret_cast<const uint8_t*>(from + i);
        char16_t* dst = to + w;
        for (qsizetype k = 0; k < run; ++k)
            dst[k] = src[k];
        i += run;
        w += run;
        if (i >= n) break;
        const int len = utf8Sequence(bytes, i, cp);
        if (len == 0) {
            to[w++] = QChar::ReplacementCharacter;
            ++i;
            continue;
        }
        if (cp < 0x10000) {
            to[w++] = char16_t(cp);
        } else {
            cp -= 0x10000;
            to[w++] = char16_t(0xD800 + (cp >> 10));
            to[w++] = char16_t(0xDC00 + (cp & 0x3FF));
        }
        i += len;
    }
    out.truncate(w);
    return out;
}

QByteArray encodeUtf8(QStringView text, bool* lost) {
    QByteArray out;
    out.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(cp)) {
            out += '?';
            if (lost) *lost = true;
            continue;
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? decodeUtf8(bytes) : decodeWindows1252(bytes);
}

QByteArray encodeText(QStringView text, TextEncoding encoding, bool* lost) {
    return encoding == TextEncoding::Utf8 ? encodeUtf8(text, lost) : encodeWindows1252(text, lost);
}

QString lineEndText(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::CrLf:
        return QStringLiteral("\r\n");
    case LineEnd::Cr:
        return QStringLiteral("\r");
    case LineEnd::Lf:
        break;
    }
    return QStringLiteral("\n");
}

TextFormat detectFormat(QByteArrayView bytes) {
    TextFormat f;
    f.bom = startsWithBom(bytes);
    const QByteArrayView body = f.bom ? bytes.sliced(3) : bytes;
    f.encoding = isValidUtf8(body) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == '\n') {
            f.lineEnd = LineEnd::Lf;
            break;
        }
        if (body[i] == '\r') {
            f.lineEnd = i + 1 < body.size() && body[i + 1] == '\n' ? LineEnd::CrLf : LineEnd::Cr;
            break;
        }
    }
    f.endsWithNewline = body.isEmpty() || body.back() == '\n' || body.back() == '\r';
    return f;
}

QString decodeContent(QByteArrayView bytes, const TextFormat& format) {
    if (format.bom && startsWithBom(bytes)) bytes = bytes.sliced(3);
    return decodeText(bytes, format.encoding);
}

QStringList splitLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r') continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.append(text.sliced(start).toString());
    return lines;
}

QByteArray encodeLines(const QStringList& lines, const TextFormat& format, bool* lost) {
    QByteArray out;
    if (format.bom) out.append(kBom, 3);
    if (lines.isEmpty()) return out;
    const QString end = lineEndText(format.lineEnd);
    QString text = lines.join(end);
    if (format.endsWithNewline) text += end;
    out += encodeText(text, format.encoding, lost);
    return out;
}

QByteArray readFileBytes(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) raiseErrno(errno, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int e = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        raiseErrno(e, path);
    }
    // A regular file is read straight into an array of its size; whatever comes beyond that
    // (a file that grew, or one that is no regular file) is read through a buffer and appended.
    QByteArray bytes;
    if (S_ISREG(st.st_mode) && st.st_size > 0) bytes.resize(qsizetype(st.st_size));
    qsizetype got = 0;
    char buf[65536];
    for (;;) {
        const bool direct = got < bytes.size();
        char* to = direct ? bytes.data() + got : buf;
        const size_t room = direct ? size_t(bytes.size() - got) : sizeof buf;
        const ssize_t n = ::read(fd, to, room);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            raiseErrno(e, path);
        }
        if (direct) {
            got += n;
        } else {
            bytes.append(buf, n);
            got = bytes.size();
        }
    }
    ::close(fd);
    bytes.truncate(got);
    return bytes;
}

TextFileContent readTextFile(const QString& path) {
    const QByteArray bytes = readFileBytes(path);
    TextFileContent content;
    content.format = detectFormat(bytes);
    content.lines = splitLines(decodeContent(bytes, content.format));
    return content;
}

void writeTextFile(const QString& path, const QStringList& lines, const TextFormat& format,
                   bool* lost) {
    writeFileBytes(path, encodeLines(lines, format, lost));
}

void writeFileBytes(const QString& path, QByteArrayView bytes) {
    if (QFileInfo(path).isDir()) vbRaise(err::PathFileAccess);
    // Written beside the file and put in its place when complete (the file layer's
    // replacement); a new file's data too reaches the disk before it is named.
    file::ReplaceOptions options;
    options.durable = true;
    file::Replacement out(path, options);
    if (const int e = out.open()) raiseWriteFailure(path, e);
    int e = out.write(bytes);
    if (e == 0) e = out.commit();
    if (e != 0) vbRaise(vbErrorFromErrno(e));
}

} // namespace zv
