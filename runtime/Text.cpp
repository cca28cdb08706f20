#include "Text.h"

#include "Convert.h"
#include "ValueLimit.h"

#include <array>

namespace zv {

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the code page leaves unassigned keep their
// own C1 control code so that they survive a decode and encode.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

void raiseInvalidCall() {
    vbRaise(err::InvalidCall);
}

bool sameChar(QChar a, QChar b, CompareMode mode) {
    return a == b || (mode == CompareMode::Text && ucaseChar(a) == ucaseChar(b));
}

bool matchesAt(QStringView s, qsizetype at, QStringView find, CompareMode mode) {
    for (qsizetype k = 0; k < find.size(); ++k)
        if (!sameChar(s[at + k], find[k], mode)) return false;
    return true;
}

// 0-based position of find in s at or after from, -1 when absent. find is not empty.
qsizetype findForward(QStringView s, QStringView find, qsizetype from, CompareMode mode) {
    if (mode == CompareMode::Binary) return s.indexOf(find, from, Qt::CaseSensitive);
    for (qsizetype i = from; i + find.size() <= s.size(); ++i)
        if (matchesAt(s, i, find, mode)) return i;
    return -1;
}

// 0-based position of the last occurrence of find that ends at or before end (exclusive end
// index), -1 when absent. find is not empty.
qsizetype findBackward(QStringView s, QStringView find, qsizetype end, CompareMode mode) {
    for (qsizetype i = end - find.size(); i >= 0; --i)
        if (matchesAt(s, i, find, mode)) return i;
    return -1;
}

} // namespace

QChar cp1252ToChar(uint8_t byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

int charToCp1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == u) return int(0x80 + i);
    return -1;
}

QChar ucaseChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z') return QChar(char16_t(u - 0x20));
    if (u < 0xE0) return c;
    if (u <= 0xFE) return u == 0xF7 ? c : QChar(char16_t(u - 0x20));
    switch (u) {
    case 0x00FF:
        return QChar(char16_t(0x0178)); // ÿ
    case 0x0153:
        return QChar(char16_t(0x0152)); // œ
    case 0x0161:
        return QChar(char16_t(0x0160)); // š
    case 0x017E:
        return QChar(char16_t(0x017D)); // ž
    default:
        return c;
    }
}

QChar lcaseChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z') return QChar(char16_t(u + 0x20));
    if (u < 0xC0) return c;
    if (u <= 0xDE) return u == 0xD7 ? c : QChar(char16_t(u + 0x20));
    switch (u) {
    case 0x0178:
        return QChar(char16_t(0x00FF)); // Ÿ
    case 0x0152:
        return QChar(char16_t(0x0153)); // Œ
    case 0x0160:
        return QChar(char16_t(0x0161)); // Š
    case 0x017D:
        return QChar(char16_t(0x017E)); // Ž
    default:
        return c;
    }
}

QString UCase(QStringView s) {
    QString r(s.size(), Qt::Uninitialized);
    QChar* out = r.data();
    for (qsizetype i = 0; i < s.size(); ++i)
        out[i] = ucaseChar(s[i]);
    return r;
}

QString LCase(QStringView s) {
    QString r(s.size(), Qt::Uninitialized);
    QChar* out = r.data();
    for (qsizetype i = 0; i < s.size(); ++i)
        out[i] = lcaseChar(s[i]);
    return r;
}

bool equalsNoCase(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    return matchesAt(a, 0, b, CompareMode::Text);
}

int compareText(QStringView a, QStringView b, CompareMode mode) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (mode == CompareMode::Text) {
            x = ucaseChar(a[i]).unicode();
            y = ucaseChar(b[i]).unicode();
        }
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

QString Chr(int code) {
    if (code < 0 || code > 255) raiseInvalidCall();
    return QString(cp1252ToChar(uint8_t(code)));
}

int Asc(QStringView s) {
    if (s.isEmpty()) raiseInvalidCall();
    const int b = charToCp1252(s[0]);
    return b < 0 ? int('?') : b;
}

QString ChrW(int code) {
    if (code < -32768 || code > 65535) raiseInvalidCall();
    if (code < 0) code += 65536;
    return QString(QChar(char16_t(code)));
}

int AscW(QStringView s) {
    if (s.isEmpty()) raiseInvalidCall();
    // The language gives a 16-bit signed code: characters from U+8000 on come out negative.
    return int(int16_t(s[0].unicode()));
}

int Len(QStringView s) {
    return int(s.size());
}

QString Mid(const QString& s, int start, int length) {
    if (start < 1 || length < -1) raiseInvalidCall();
    if (start > s.size()) return {};
    return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}

QString Left(const QString& s, int length) {
    if (length < 0) raiseInvalidCall();
    return s.left(length);
}

QString Right(const QString& s, int length) {
    if (length < 0) raiseInvalidCall();
    return s.right(length);
}

int InStr(int start, QStringView s, QStringView find, CompareMode mode) {
    if (start < 1) raiseInvalidCall();
    if (s.isEmpty()) return 0;
    if (find.isEmpty()) return start <= s.size() + 1 ? start : 0;
    if (start > s.size()) return 0;
    return int(findForward(s, find, start - 1, mode) + 1);
}

int InStrRev(QStringView s, QStringView find, int start, CompareMode mode) {
    if (start == 0 || start < -1) raiseInvalidCall();
    if (s.isEmpty()) return 0;
    if (start == -1) start = int(s.size());
    if (start > s.size()) return 0;
    if (find.isEmpty()) return start;
    return int(findBackward(s, find, start, mode) + 1);
}

QString Replace(const QString& s, const QString& find, const QString& with, int start, int count,
                CompareMode mode) {
    if (start < 1 || count < -1) raiseInvalidCall();
    if (start > s.size()) return {};
    const QStringView rest = QStringView(s).mid(start - 1);
    if (find.isEmpty() || count == 0) return rest.toString();
    QString out;
    out.reserve(rest.size());
    qsizetype pos = 0;
    int done = 0;
    while (count < 0 || done < count) {
        const qsizetype at = findForward(rest, find, pos, mode);
        if (at < 0) break;
        // The text so far, this piece and the rest as it stands.
        checkTextLength(int64_t(out.size()) + (at - pos) + with.size() +
                        (rest.size() - at - find.size()));
        out += rest.mid(pos, at - pos);
        out += with;
        pos = at + find.size();
        ++done;
    }
    out += rest.mid(pos);
    return out;
}

QStringView trimBlanks(QStringView s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ')
        ++a;
    while (b > a && s[b - 1] == u' ')
        --b;
    return s.sliced(a, b - a);
}

QString Trim(QStringView s) {
    return trimBlanks(s).toString();
}

QString LTrim(QStringView s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i).toString();
}

QString RTrim(QStringView s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n).toString();
}

QString Space(int n) {
    return String(n, QChar(u' '));
}

QString String(int n, QChar c) {
    if (n < 0) raiseInvalidCall();
    checkTextLength(n);
    return QString(n, c);
}

int StrComp(QStringView a, QStringView b, CompareMode mode) {
    return compareText(a, b, mode);
}

QString StrReverse(QStringView s) {
    QString r(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        r[s.size() - 1 - i] = s[i];
    return r;
}

QStringList Split(const QString& s, const QString& delimiter, int count, CompareMode mode) {
    if (count < -1) raiseInvalidCall();
    QStringList parts;
    if (s.isEmpty() || count == 0) return parts;
    if (delimiter.isEmpty() || count == 1) {
        parts.append(s);
        return parts;
    }
    qsizetype pos = 0;
    while (count < 0 || parts.size() < count - 1) {
        const qsizetype at = findForward(s, delimiter, pos, mode);
        if (at < 0) break;
        checkArrayLength(parts.size() + 2);
        parts.append(s.mid(pos, at - pos));
        pos = at + delimiter.size();
    }
    parts.append(s.mid(pos));
    return parts;
}

QString Join(const QStringList& parts, const QString& delimiter) {
    int64_t total = parts.isEmpty() ? 0 : int64_t(delimiter.size()) * (parts.size() - 1);
    for (const QString& p : parts)
        total += p.size();
    checkTextLength(total);
    return parts.join(delimiter);
}

Variant SplitV(const QString& s, const QString& delimiter, int count, CompareMode mode) {
    const QStringList parts = Split(s, delimiter, count, mode);
    std::vector<Variant> values;
    values.reserve(parts.size());
    for (const QString& p : parts)
        values.emplace_back(p);
    return Variant::list(std::move(values));
}

QString JoinV(const Variant& array, const QString& delimiter) {
    if (!array.isArray()) vbRaise(err::TypeMismatch);
    const VArray& a = array.array();
    if (a.dimensions() == 0) return {};
    if (a.dimensions() != 1) raiseInvalidCall();
    QString out;
    bool first = true;
    for (const Variant& v : a.elements()) {
        const QString text = toText(v);
        checkTextLength(int64_t(out.size()) + (first ? 0 : delimiter.size()) + text.size());
        if (!first) out += delimiter;
        out += text;
        first = false;
    }
    return out;
}

} // namespace zv
