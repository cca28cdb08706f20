#include "Convert.h"

#include "DateTime.h"
#include "Dispatch.h"
#include "Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zv {

namespace {

RuntimeLocale g_locale;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Formats |d| (finite, non-zero) with the given significant digits: fixed notation when the
// decimal exponent lies in [-5, fixedLimit), else the language's exponent form.
QString formatSignificant(double d, int digits, int fixedLimit) {
    if (d == 0) return QStringLiteral("0");
    if (std::isnan(d)) return QStringLiteral("NaN");
    if (std::isinf(d)) return d < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(d), std::chars_format::scientific,
                             digits - 1);
    std::string_view sci(buf, size_t(res.ptr - buf));
    // sci is "d.ddddde+XX" (or "de+XX" for one digit).
    size_t epos = sci.find('e');
    std::string mant;
    for (char c : sci.substr(0, epos))
        if (c != '.') mant.push_back(c);
    int exp = 0;
    std::from_chars(sci.data() + epos + 1 + (sci[epos + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exp);
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();

    std::string out;
    if (d < 0) out.push_back('-');
    if (exp >= -5 && exp < fixedLimit) {
        if (exp < 0) {
            out += "0.";
            out.append(size_t(-exp - 1), '0');
            out += mant;
        } else if (size_t(exp) + 1 >= mant.size()) {
            out += mant;
            out.append(size_t(exp) + 1 - mant.size(), '0');
        } else {
            out += mant.substr(0, size_t(exp) + 1);
            out.push_back('.');
            out += mant.substr(size_t(exp) + 1);
        }
    } else {
        out.push_back(mant[0]);
        if (mant.size() > 1) {
            out.push_back('.');
            out += mant.substr(1);
        }
        out.push_back('E');
        out.push_back(exp < 0 ? '-' : '+');
        int a = std::abs(exp);
        if (a < 10) out.push_back('0');
        out += std::to_string(a);
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

// Reads decimal digits, "." and an exponent from text at i (already past any sign). Returns
// false when no digit was read. Used by the strict parser.
bool scanDecimal(QStringView t, qsizetype& i, std::string& out) {
    bool digits = false;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        out.push_back(char(t[i].unicode()));
        ++i;
        digits = true;
    }
    if (i < t.size() && t[i] == u'.') {
        out.push_back('.');
        ++i;
        while (i < t.size() && t[i].unicode() < 128 && t[i].isDigit()) {
            out.push_back(char(t[i].unicode()));
            ++i;
            digits = true;
        }
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E' || t[i] == u'd' || t[i] == u'D')) {
        qsizetype j = i + 1;
        std::string e = "e";
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-')) e.push_back(char(t[j++].unicode()));
        bool expDigits = false;
        while (j < t.size() && t[j].unicode() < 128 && t[j].isDigit()) {
            e.push_back(char(t[j++].unicode()));
            expDigits = true;
        }
        if (!expDigits) return false;
        out += e;
        i = j;
    }
    return true;
}

// Reads "&H"/"&O" digits at i (just past the "&"), giving the value with the language's
// typing: up to 4 hex (6 octal) digits an Integer, up to 8 hex (11 octal) a Long.
bool scanRadix(QStringView t, qsizetype& i, Variant& out, bool lenient) {
    if (i >= t.size()) return false;
    QChar kind = t[i].toUpper();
    int base = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
    if (!base) return false;
    ++i;
    uint64_t value = 0;
    int count = 0;
    while (i < t.size()) {
        int digit = -1;
        char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0 || digit >= base) break;
        value = value * uint64_t(base) + uint64_t(digit);
        if (value > 0xFFFFFFFFull && !lenient) return false;
        value &= 0xFFFFFFFFull;
        ++count;
        ++i;
    }
    if (count == 0) return false;
    if (value <= 0xFFFF && (base == 16 ? count <= 4 : value <= 0xFFFF && count <= 6))
        out = Variant(int16_t(uint16_t(value)));
    else
        out = Variant(int32_t(uint32_t(value)));
    return true;
}

double checkedDouble(double d) {
    if (std::isinf(d) || std::isnan(d)) throw VbError(err::Overflow);
    return d;
}

constexpr double kDateMin = -657434.0;     // 100-01-01
constexpr double kDateMax = 2958465.99999; // 9999-12-31 23:59:59

} // namespace

const RuntimeLocale& runtimeLocale() {
    return g_locale;
}
void setRuntimeLocale(const RuntimeLocale& locale) {
    g_locale = locale;
}

QString doubleText(double d) {
    return formatSignificant(d, 15, 15);
}

QString singleText(float f) {
    return formatSignificant(double(f), 7, 7);
}

QString currencyText(int64_t scaled) {
    bool neg = scaled < 0;
    uint64_t a = neg ? uint64_t(0) - uint64_t(scaled) : uint64_t(scaled);
    QString s = QString::number(a / 10000);
    uint64_t frac = a % 10000;
    if (frac) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u'.' + f;
    }
    return neg ? u'-' + s : s;
}

namespace {

// The power of ten of the first significant digit of a decimal number text (3 for 5e3, 0.05e5
// and 5000); 0 when it has none. The exponent is read up to a bound far beyond any double.
int64_t decimalMagnitude(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    int64_t magnitude = 0;
    bool found = false;
    int64_t intDigits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (!found && s[i] != '0') {
            found = true;
            magnitude = -intDigits;
        }
        ++intDigits;
    }
    if (found) magnitude += intDigits - 1;
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (int64_t k = 1; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++k)
            if (!found && s[i] != '0') {
                found = true;
                magnitude = -k;
            }
    }
    if (!found) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
        int64_t e = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            e = std::min<int64_t>(e * 10 + (s[i] - '0'), int64_t(1) << 40);
        magnitude += negative ? -e : e;
    }
    return magnitude;
}

} // namespace

DecimalRead readDecimal(std::string_view text, double& d) {
    double value = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(text) >= 0) return DecimalRead::Overflow;
        d = 0;
        return DecimalRead::Ok;
    }
    if (res.ec != std::errc()) return DecimalRead::Invalid;
    d = value;
    return DecimalRead::Ok;
}

std::optional<Variant> parseNumberVariant(QStringView text) {
    qsizetype i = 0, n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    while (n > i && isBlank(text[n - 1]))
        --n;
    QStringView t = text.mid(0, n);
    if (i >= n) return std::nullopt;
    bool neg = false;
    if (t[i] == u'+' || t[i] == u'-') {
        neg = t[i] == u'-';
        ++i;
    }
    if (i < n && t[i] == u'&') {
        ++i;
        Variant v;
        if (!scanRadix(t, i, v, false) || i != n) return std::nullopt;
        if (neg) {
            double d = -v.numericValue();
            if (v.isInteger16() && d >= -32768 && d <= 32767) return Variant(int16_t(d));
            if (d >= -2147483648.0 && d <= 2147483647.0) return Variant(int32_t(d));
            return Variant(d);
        }
        return v;
    }
    std::string s;
    if (neg) s.push_back('-');
    if (!scanDecimal(t, i, s) || i != n) return std::nullopt;
    double d = 0;
    if (readDecimal(s, d) != DecimalRead::Ok) return std::nullopt;
    return Variant(d);
}

std::optional<double> parseNumber(QStringView text) {
    auto v = parseNumberVariant(text);
    if (!v) return std::nullopt;
    return v->numericValue();
}

double Val(QStringView text) {
    // Blanks, tabs and line feeds are skipped wherever they appear. The text is read in place:
    // most texts given to Val hold no number, and their end is never reached.
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < n &&
               (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r'))
            ++i;
    };
    const auto digitAt = [&] { return i < n && text[i].unicode() < 128 && text[i].isDigit(); };
    const auto take = [&](std::string& into) {
        into.push_back(char(text[i].unicode()));
        ++i;
        skipBlanks();
    };
    skipBlanks();
    if (i < n && text[i] == u'&') {
        // The radix forms read the text without its blanks.
        QString t;
        t.reserve(n - i);
        for (qsizetype k = i; k < n; ++k)
            if (text[k] != u' ' && text[k] != u'\t' && text[k] != u'\n' && text[k] != u'\r')
                t.append(text[k]);
        qsizetype at = 1;
        Variant v;
        if (scanRadix(t, at, v, true)) return v.numericValue();
        return 0;
    }
    std::string s;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') s.push_back('-');
        ++i;
        skipBlanks();
    }
    bool digits = false;
    while (digitAt()) {
        take(s);
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        take(s);
        while (digitAt()) {
            take(s);
            digits = true;
        }
    }
    if (!digits) return 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        ++i;
        skipBlanks();
        std::string e = "e";
        if (i < n && (text[i] == u'+' || text[i] == u'-')) take(e);
        bool expDigits = false;
        while (digitAt()) {
            take(e);
            expDigits = true;
        }
        if (expDigits) s += e;
    }
    double d = 0;
    if (readDecimal(s, d) == DecimalRead::Overflow) throw VbError(err::Overflow);
    return d;
}

QString dateText(double serial) {
    DateParts p = dateParts(serial);
    QString dtext = QStringLiteral("%1/%2/%3")
                        .arg(p.day, 2, 10, QLatin1Char('0'))
                        .arg(p.month, 2, 10, QLatin1Char('0'))
                        .arg(p.year, 4, 10, QLatin1Char('0'));
    QString ttext = QStringLiteral("%1:%2:%3")
                        .arg(p.hour, 2, 10, QLatin1Char('0'))
                        .arg(p.minute, 2, 10, QLatin1Char('0'))
                        .arg(p.second, 2, 10, QLatin1Char('0'));
    bool noTime = p.hour == 0 && p.minute == 0 && p.second == 0;
    bool noDate = p.year == 1899 && p.month == 12 && p.day == 30;
    if (noDate && !noTime) return ttext;
    if (noTime) return dtext;
    return dtext + u' ' + ttext;
}

std::optional<double> parseDate(QStringView text) {
    return parseDateText(text);
}

Variant dereference(const Variant& v) {
    if (!v.isObject()) return v;
    if (!v.rawObject()) throw VbError(err::ObjectNotSet);
    return v.rawObject()->defaultValue();
}

QString toText(const Variant& v) {
    switch (v.varType()) {
    case vbEmpty:
        return QString();
    case vbNull:
        throw VbError(err::InvalidNull);
    case vbString:
        return v.rawString();
    case vbBoolean:
        return v.rawBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case vbInteger:
        return QString::number(v.rawInteger());
    case vbLong:
        return QString::number(v.rawLong());
    case vbByte:
        return QString::number(v.rawByte());
    case vbSingle:
        return singleText(v.rawSingle());
    case vbDouble:
        return doubleText(v.rawDouble());
    case vbCurrency:
        return currencyText(v.rawCurrency());
    case vbDate:
        return dateText(v.rawDate());
    case vbObject:
        return toText(dereference(v));
    case vbError:
        return QStringLiteral("Error %1").arg(v.rawError());
    default:
        throw VbError(err::TypeMismatch);
    }
}

QString CStr(const Variant& v) {
    return toText(v);
}

QString Str(const Variant& v) {
    if (v.isNumber() || v.isBoolean() || v.isDate()) {
        QString s = toText(v);
        if (!s.startsWith(u'-')) s.prepend(u' ');
        return s;
    }
    return toText(v);
}

double roundHalfEven(double d) {
    return std::nearbyint(d);
}

double toDouble(const Variant& v) {
    switch (v.varType()) {
    case vbEmpty:
        return 0;
    case vbNull:
        throw VbError(err::InvalidNull);
    case vbString: {
        auto d = parseNumber(v.rawString());
        if (!d) throw VbError(err::TypeMismatch);
        return *d;
    }
    case vbObject:
        return toDouble(dereference(v));
    case vbError:
        throw VbError(err::TypeMismatch);
    default:
        if (v.isArray()) throw VbError(err::TypeMismatch);
        return v.numericValue();
    }
}

Variant toNumber(const Variant& v) {
    switch (v.varType()) {
    case vbEmpty:
        return Variant(int16_t(0));
    case vbString:
        return Variant(toDouble(v));
    case vbObject:
        return toNumber(dereference(v));
    case vbNull:
        throw VbError(err::InvalidNull);
    case vbError:
        throw VbError(err::TypeMismatch);
    case vbBoolean:
        return Variant(int16_t(v.rawBoolean() ? -1 : 0));
    default:
        if (v.isArray()) throw VbError(err::TypeMismatch);
        return v;
    }
}

int16_t CInt(const Variant& v) {
    double d = roundHalfEven(toDouble(v));
    if (!(d >= -32768.0 && d <= 32767.0)) throw VbError(err::Overflow);
    return int16_t(d);
}

int32_t CLng(const Variant& v) {
    double d = roundHalfEven(toDouble(v));
    if (!(d >= -2147483648.0 && d <= 2147483647.0)) throw VbError(err::Overflow);
    return int32_t(d);
}

// True is all bits set, which in a Byte is 255.
uint8_t CByte(const Variant& v) {
    if (v.isBoolean()) return v.rawBoolean() ? 255 : 0;
    double d = roundHalfEven(toDouble(v));
    if (!(d >= 0.0 && d <= 255.0)) throw VbError(err::Overflow);
    return uint8_t(d);
}

float CSng(const Variant& v) {
    double d = toDouble(v);
    if (std::fabs(d) > double(std::numeric_limits<float>::max())) throw VbError(err::Overflow);
    return float(d);
}

double CDbl(const Variant& v) {
    return checkedDouble(toDouble(v));
}

int64_t CCur(const Variant& v) {
    if (v.varType() == vbCurrency) return v.rawCurrency();
    double d = roundHalfEven(toDouble(v) * 10000.0);
    if (!(std::fabs(d) <= 9.2233720368547758e18)) throw VbError(err::Overflow);
    return int64_t(d);
}

std::optional<bool> booleanText(QStringView text) {
    QString t = Trim(text);
    if (equalsNoCase(t, u"True") || equalsNoCase(t, u"#TRUE#")) return true;
    if (equalsNoCase(t, u"False") || equalsNoCase(t, u"#FALSE#")) return false;
    return std::nullopt;
}

bool CBool(const Variant& v) {
    switch (v.varType()) {
    case vbString: {
        const QString& s = v.rawString();
        if (auto b = booleanText(s)) return *b;
        auto d = parseNumber(s);
        if (!d) throw VbError(err::TypeMismatch);
        return *d != 0;
    }
    case vbObject:
        return CBool(dereference(v));
    default:
        return toDouble(v) != 0;
    }
}

double CDate(const Variant& v) {
    if (v.isDate()) return v.rawDate();
    if (v.isString()) {
        auto d = parseDate(v.rawString());
        if (d) return *d;
        auto n = parseNumber(v.rawString());
        if (!n) throw VbError(err::TypeMismatch);
        if (*n < kDateMin || *n > kDateMax) throw VbError(err::Overflow);
        return *n;
    }
    if (v.isObject()) return CDate(dereference(v));
    double d = toDouble(v);
    if (d < kDateMin || d > kDateMax) throw VbError(err::Overflow);
    return d;
}

Variant CIntV(const Variant& v) {
    return Variant(CInt(v));
}
Variant CLngV(const Variant& v) {
    return Variant(CLng(v));
}
Variant CDblV(const Variant& v) {
    return Variant(CDbl(v));
}
Variant CBoolV(const Variant& v) {
    return Variant(CBool(v));
}
Variant CDateV(const Variant& v) {
    return Variant::date(CDate(v));
}

bool IsNumeric(const Variant& v) {
    switch (v.varType()) {
    case vbEmpty:
    case vbBoolean:
        return true;
    case vbNull:
    case vbDate:
    case vbError:
        return false;
    case vbString:
        return parseNumber(v.rawString()).has_value();
    case vbObject: {
        // An object whose default value cannot be read is no number.
        bool numeric = false;
        vbTrap([&] { numeric = v.rawObject() && IsNumeric(v.rawObject()->defaultValue()); });
        return numeric;
    }
    default:
        return v.isNumber();
    }
}

bool IsDate(const Variant& v) {
    if (v.isDate()) return true;
    if (v.isString()) return parseDate(v.rawString()).has_value();
    return false;
}

int VarTypeOf(const Variant& v) {
    return v.varType();
}

QString TypeName(const Variant& v) {
    switch (v.varType()) {
    case vbEmpty:
        return QStringLiteral("Empty");
    case vbNull:
        return QStringLiteral("Null");
    case vbInteger:
        return QStringLiteral("Integer");
    case vbLong:
        return QStringLiteral("Long");
    case vbSingle:
        return QStringLiteral("Single");
    case vbDouble:
        return QStringLiteral("Double");
    case vbCurrency:
        return QStringLiteral("Currency");
    case vbDate:
        return QStringLiteral("Date");
    case vbString:
        return QStringLiteral("String");
    case vbObject:
        return v.rawObject() ? v.rawObject()->typeName() : QStringLiteral("Nothing");
    case vbError:
        return QStringLiteral("Error");
    case vbBoolean:
        return QStringLiteral("Boolean");
    case vbByte:
        return QStringLiteral("Byte");
    default:
        return QStringLiteral("Variant()");
    }
}

} // namespace zv
