#pragma once
// Text files in the two encodings the system meets: UTF-8 (the Linux default, with or without a
// byte-order mark) and Windows-1252 (files written by the original on Windows). Reading detects
// the encoding and the line end; writing uses the format a file was read with, so a file read
// and written back unchanged keeps every byte. New files are UTF-8 without a mark, with LF.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zv {

enum class TextEncoding { Utf8, Windows1252 };
enum class LineEnd { Lf, CrLf, Cr };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    // The file starts with the UTF-8 byte-order mark (EF BB BF). Normally only with UTF-8; a
    // file that has the mark but is not valid UTF-8 after it is read as Windows-1252 and keeps
    // its mark when written back.
    bool bom = false;
    LineEnd lineEnd = LineEnd::Lf;
    // The last line has a line end after it.
    bool endsWithNewline = true;

    bool operator==(const TextFormat&) const = default;
};

// Windows-1252, every byte to one character and back (the unassigned bytes to U+0081, U+008D,
// U+008F, U+0090, U+009D). Encoding writes "?" for a character the code page lacks and sets
// *lost when that happened.
QString decodeWindows1252(QByteArrayView bytes);
QByteArray encodeWindows1252(QStringView text, bool* lost = nullptr);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
// *hasMultiByte tells whether any character took more than one byte.
bool isValidUtf8(QByteArrayView bytes, bool* hasMultiByte = nullptr);
// Decoding replaces invalid sequences by U+FFFD; encoding writes "?" for a lone surrogate and
// sets *lost.
QString decodeUtf8(QByteArrayView bytes);
// Decodes bytes known to be valid UTF-8 (isValidUtf8) without checking them again; a mark
// (U+FEFF) at the start is kept as a character, as decodeUtf8 keeps it.
QString decodeValidUtf8(QByteArrayView bytes);
QByteArray encodeUtf8(QStringView text, bool* lost = nullptr);

QString decodeText(QByteArrayView bytes, TextEncoding encoding);
QByteArray encodeText(QStringView text, TextEncoding encoding, bool* lost = nullptr);

// The characters of a line end and its bytes (the same in both encodings).
QString lineEndText(LineEnd lineEnd);

// The format of a file's bytes: the mark, the encoding (the mark followed by valid UTF-8, or
// valid UTF-8 throughout, is UTF-8; pure ASCII counts as UTF-8; anything else Windows-1252),
// the first line end seen (LF when there is none) and whether the text ends with one.
TextFormat detectFormat(QByteArrayView bytes);
// The text of a file's bytes in a format (the mark skipped).
QString decodeContent(QByteArrayView bytes, const TextFormat& format);
// The text of a script file's bytes as the script tools read it: UTF-8 when the bytes after
// an optional mark are valid UTF-8 (the mark dropped), else every byte, the mark's too, as
// Windows-1252.
QString decodeScriptText(QByteArrayView bytes);

// Splits text into lines at CR LF, LF or a lone CR. A final line end adds no empty line; ""
// gives no lines.
QStringList splitLines(QStringView text);
// The bytes of lines in a format: the mark, the lines joined by the line end, and a final line
// end when the format asks for one (nothing for no lines).
QByteArray encodeLines(const QStringList& lines, const TextFormat& format, bool* lost = nullptr);

struct TextFileContent {
    QStringList lines;
    TextFormat format;
};

// The bytes of a file; run-time errors for a missing file (53), a missing folder (76), no
// permission (70), a folder (75) and read failures.
QByteArray readFileBytes(const QString& path);
// Lines and format of a text file (errors as readFileBytes). Mixed line ends are all accepted;
// the format records the first one, which a rewrite then uses throughout.
TextFileContent readTextFile(const QString& path);
// Replaces a file atomically with lines in a format: a failed write leaves the old file as it
// was. Errors: 76 for a missing folder, 70 no permission, 75 a folder or read-only file system,
// 61 disk full, 57 other write failures. *lost is set when a character had to become "?".
void writeTextFile(const QString& path, const QStringList& lines,
                   const TextFormat& format = TextFormat{}, bool* lost = nullptr);
// The same for bytes already encoded.
void writeFileBytes(const QString& path, QByteArrayView bytes);

} // namespace zv
