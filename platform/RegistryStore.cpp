#include "RegistryStore.h"

#include "Encoding.h"
#include "FileLayer.h"
#include "Text.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>

namespace zv {

namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");

// The file's lines and how to write them back.
struct StoreText {
    QStringList lines;
    bool utf16 = false; // UTF-16LE with its mark (the registry editor's own format)
    TextFormat format;
};

bool readStoreText(const QString& file, StoreText& out, bool& exists) {
    QByteArray bytes;
    const int e = file::readFile(file, bytes);
    exists = e != ENOENT;
    if (!exists) return true;
    if (e != 0) return false;
    if (bytes.startsWith("\xFF\xFE")) {
        out.utf16 = true;
        const QByteArray body = bytes.mid(2);
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(body.constData()),
                                                body.size() / 2);
        out.format = TextFormat{};
        out.format.lineEnd = text.contains(u'\r') ? LineEnd::CrLf : LineEnd::Lf;
        out.format.endsWithNewline = text.endsWith(u'\n') || text.endsWith(u'\r');
        out.lines = splitLines(text);
        return true;
    }
    out.format = detectFormat(bytes);
    out.lines = splitLines(decodeContent(bytes, out.format));
    return true;
}

QByteArray storeBytes(const StoreText& st) {
    if (st.utf16) {
        QString text = st.lines.join(lineEndText(st.format.lineEnd));
        if (st.format.endsWithNewline && !st.lines.isEmpty())
            text += lineEndText(st.format.lineEnd);
        QByteArray bytes("\xFF\xFE", 2);
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        return bytes;
    }
    bool lost = false;
    QByteArray bytes = encodeLines(st.lines, st.format, &lost);
    if (lost) {
        // A character the file's code page lacks: the file becomes UTF-8 rather than lose it.
        TextFormat utf8 = st.format;
        utf8.encoding = TextEncoding::Utf8;
        bytes = encodeLines(st.lines, utf8);
    }
    return bytes;
}

// ---- Parsing the lines ----

// A quoted text from position i (at the opening quote): the text with "\\" and "\"" undone;
// i ends after the closing quote. False when the quote is not closed.
bool readQuoted(const QString& s, int& i, QString& out) {
    out.clear();
    ++i;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == u'"') {
            ++i;
            return true;
        }
        if (c == u'\\' && i + 1 < s.size() && (s[i + 1] == u'\\' || s[i + 1] == u'"')) {
            out += s[i + 1];
            i += 2;
            continue;
        }
        out += c;
        ++i;
    }
    return false;
}

QString quoted(const QString& s) {
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        if (c == u'\\' || c == u'"') out += u'\\';
        out += c;
    }
    out += u'"';
    return out;
}

// The characters of a hex(1) list: UTF-16LE bytes, ending at the first NUL character.
std::optional<QString> hexString(const QString& list) {
    QByteArray bytes;
    for (const QString& part : list.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint v = part.trimmed().toUInt(&ok, 16);
        if (!ok || v > 0xFF) return std::nullopt;
        bytes.append(char(v));
    }
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t c = char16_t(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8));
        if (c == 0) break;
        text += QChar(c);
    }
    return text;
}

QString hexLine(const QString& value) {
    QStringList parts;
    for (QChar c : value) {
        parts << QStringLiteral("%1").arg(c.unicode() & 0xFF, 2, 16, QLatin1Char('0'))
              << QStringLiteral("%1").arg(c.unicode() >> 8, 2, 16, QLatin1Char('0'));
    }
    parts << QStringLiteral("00") << QStringLiteral("00");
    return QStringLiteral("hex(1):") + parts.join(u',');
}

bool needsHex(const QString& value) {
    for (QChar c : value)
        if (c.unicode() < 0x20 && c != u'\t') return true;
    return false;
}

QString valueLine(const QString& name, const QString& value) {
    const QString left = name.isEmpty() ? QStringLiteral("@") : quoted(name);
    return left + u'=' + (needsHex(value) ? hexLine(value) : quoted(value));
}

struct Entry {
    int section = -1; // index into Parsed::sections
    QString name;
    int first = 0, last = 0; // the physical lines the value takes
    std::optional<QString> string;
};

struct Section {
    QString key; // normalised; empty for a deletion "[-...]" section, which matches nothing
    int header = 0;
    int end = 0; // one past its last non-blank line
};

struct Parsed {
    std::vector<Section> sections;
    std::vector<Entry> entries;
};

Parsed parse(const QStringList& lines) {
    Parsed p;
    p.entries.reserve(size_t(lines.size()));
    int current = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[')) {
            const int close = line.lastIndexOf(u']');
            QString key = line.mid(1, close > 0 ? close - 1 : -1);
            Section s;
            s.key = key.startsWith(u'-') ? QString() : RegistryStore::normalizeKey(key);
            s.header = i;
            s.end = i + 1;
            p.sections.push_back(s);
            current = int(p.sections.size()) - 1;
            continue;
        }
        if (current < 0) continue; // the header line, or text before the first key
        // A value line, with the continuation lines of a long hex list.
        int last = i;
        QString whole = line;
        while (whole.endsWith(u'\\') && last + 1 < lines.size()) {
            whole.chop(1);
            whole += lines[++last].trimmed();
        }
        p.sections[current].end = last + 1;
        Entry e;
        e.section = current;
        e.first = i;
        e.last = last;
        int pos = 0;
        if (whole.startsWith(u'@')) {
            pos = 1;
        } else if (whole.startsWith(u'"')) {
            if (!readQuoted(whole, pos, e.name)) {
                i = last;
                continue;
            }
        } else {
            i = last;
            continue;
        }
        while (pos < whole.size() && whole[pos] == u' ')
            ++pos;
        if (pos >= whole.size() || whole[pos] != u'=') {
            i = last;
            continue;
        }
        ++pos;
        while (pos < whole.size() && whole[pos] == u' ')
            ++pos;
        const QString rest = whole.mid(pos);
        if (rest.startsWith(u'"')) {
            int q = 0;
            QString text;
            if (readQuoted(rest, q, text)) e.string = text;
        } else if (rest.startsWith(QLatin1String("hex(1):"), Qt::CaseInsensitive)) {
            e.string = hexString(rest.mid(7));
        }
        p.entries.push_back(e);
        i = last;
    }
    return p;
}

bool sameKey(const QString& a, const QString& b) {
    return !a.isEmpty() && equalsNoCase(a, b);
}

} // namespace

QString RegistryStore::normalizeKey(const QString& key) {
    QStringList parts;
    for (const QString& part : key.split(u'\\', Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty()) parts << part;
    return parts.join(u'\\');
}

std::optional<QString> RegistryStore::readString(const QString& key, const QString& name) const {
    StoreText st;
    bool exists = false;
    if (!readStoreText(file_, st, exists) || !exists) return std::nullopt;
    const QString k = normalizeKey(key);
    const Parsed p = parse(st.lines);
    // A value written twice (a hand-edited file) counts as its last line says.
    for (auto it = p.entries.rbegin(); it != p.entries.rend(); ++it) {
        if (sameKey(p.sections[it->section].key, k) && equalsNoCase(it->name, name))
            return it->string;
    }
    return std::nullopt;
}

bool RegistryStore::writeString(const QString& key, const QString& name,
                                const QString& value) const {
    const QString k = normalizeKey(key);
    if (k.isEmpty()) return false;
    QDir().mkpath(QFileInfo(file_).absolutePath());
    file::FileLock lock;
    if (lock.lock(file_) != 0) return false;

    StoreText st;
    bool exists = false;
    if (!readStoreText(file_, st, exists)) return false;
    if (!exists || st.lines.isEmpty()) st.lines = QStringList{kHeader, QString()};

    const Parsed p = parse(st.lines);
    const Entry* found = nullptr;
    for (const Entry& e : p.entries)
        if (sameKey(p.sections[e.section].key, k) && equalsNoCase(e.name, name)) found = &e;
    // A value written again keeps the spelling of its name.
    const QString line = valueLine(found ? found->name : name, value);
    if (found) {
        st.lines.remove(found->first, found->last - found->first + 1);
        st.lines.insert(found->first, line);
    } else {
        const Section* section = nullptr;
        for (const Section& s : p.sections)
            if (sameKey(s.key, k)) section = &s;
        if (section) {
            st.lines.insert(section->end, line);
        } else {
            while (!st.lines.isEmpty() && st.lines.last().trimmed().isEmpty())
                st.lines.removeLast();
            st.lines << QString() << u'[' + k + u']' << line;
        }
    }

    // Written whole or not at all: on a full disk the store keeps its old content.
    file::ReplaceOptions options;
    options.durable = true;
    return file::replaceFile(file_, storeBytes(st), options) == 0;
}

} // namespace zv
