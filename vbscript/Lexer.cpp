#include "Lexer.h"

#include "Convert.h"
#include "DateTime.h"
#include "SyntaxError.h"
#include "Text.h"

#include <QHash>
#include <cmath>
#include <cstdint>
#include <string>

namespace zv::vbs {

namespace {

constexpr int kMaxIdentifierLength = 255;

const QHash<QString, Tok>& keywordTable() {
    static const QHash<QString, Tok> table = {
        {QStringLiteral("AND"), Tok::KwAnd},
        {QStringLiteral("BYREF"), Tok::KwByRef},
        {QStringLiteral("BYVAL"), Tok::KwByVal},
        {QStringLiteral("CALL"), Tok::KwCall},
        {QStringLiteral("CASE"), Tok::KwCase},
        {QStringLiteral("CLASS"), Tok::KwClass},
        {QStringLiteral("CONST"), Tok::KwConst},
        {QStringLiteral("DIM"), Tok::KwDim},
        {QStringLiteral("DO"), Tok::KwDo},
        {QStringLiteral("EACH"), Tok::KwEach},
        {QStringLiteral("ELSE"), Tok::KwElse},
        {QStringLiteral("ELSEIF"), Tok::KwElseIf},
        {QStringLiteral("EMPTY"), Tok::KwEmpty},
        {QStringLiteral("END"), Tok::KwEnd},
        {QStringLiteral("EQV"), Tok::KwEqv},
        {QStringLiteral("ERASE"), Tok::KwErase},
        {QStringLiteral("ERROR"), Tok::KwError},
        {QStringLiteral("EXIT"), Tok::KwExit},
        {QStringLiteral("EXPLICIT"), Tok::KwExplicit},
        {QStringLiteral("FALSE"), Tok::KwFalse},
        {QStringLiteral("FOR"), Tok::KwFor},
        {QStringLiteral("FUNCTION"), Tok::KwFunction},
        {QStringLiteral("GET"), Tok::KwGet},
        {QStringLiteral("GOTO"), Tok::KwGoTo},
        {QStringLiteral("IF"), Tok::KwIf},
        {QStringLiteral("IMP"), Tok::KwImp},
        {QStringLiteral("IN"), Tok::KwIn},
        {QStringLiteral("IS"), Tok::KwIs},
        {QStringLiteral("LET"), Tok::KwLet},
        {QStringLiteral("LOOP"), Tok::KwLoop},
        {QStringLiteral("ME"), Tok::KwMe},
        {QStringLiteral("MOD"), Tok::KwMod},
        {QStringLiteral("NEW"), Tok::KwNew},
        {QStringLiteral("NEXT"), Tok::KwNext},
        {QStringLiteral("NOT"), Tok::KwNot},
        {QStringLiteral("NOTHING"), Tok::KwNothing},
        {QStringLiteral("NULL"), Tok::KwNull},
        {QStringLiteral("ON"), Tok::KwOn},
        {QStringLiteral("OPTION"), Tok::KwOption},
        {QStringLiteral("OR"), Tok::KwOr},
        {QStringLiteral("PRESERVE"), Tok::KwPreserve},
        {QStringLiteral("PRIVATE"), Tok::KwPrivate},
        {QStringLiteral("PROPERTY"), Tok::KwProperty},
        {QStringLiteral("PUBLIC"), Tok::KwPublic},
        {QStringLiteral("REDIM"), Tok::KwReDim},
        {QStringLiteral("RESUME"), Tok::KwResume},
        {QStringLiteral("SELECT"), Tok::KwSelect},
        {QStringLiteral("SET"), Tok::KwSet},
        {QStringLiteral("STEP"), Tok::KwStep},
        {QStringLiteral("STOP"), Tok::KwStop},
        {QStringLiteral("SUB"), Tok::KwSub},
        {QStringLiteral("THEN"), Tok::KwThen},
        {QStringLiteral("TO"), Tok::KwTo},
        {QStringLiteral("TRUE"), Tok::KwTrue},
        {QStringLiteral("UNTIL"), Tok::KwUntil},
        {QStringLiteral("WEND"), Tok::KwWend},
        {QStringLiteral("WHILE"), Tok::KwWhile},
        {QStringLiteral("WITH"), Tok::KwWith},
        {QStringLiteral("XOR"), Tok::KwXor},
    };
    return table;
}

bool isAsciiDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Letters of the Windows-1252 repertoire start and continue names.
bool isNameLetter(QChar c) {
    char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')) return true;
    return u >= 0x80 && c.isLetter() && charToCp1252(c) >= 0;
}

bool isNameChar(QChar c) {
    return isNameLetter(c) || isAsciiDigit(c) || c == u'_';
}

int hexDigit(QChar c) {
    char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Reads "m/d/yyyy", "m/d/yy", "yyyy-mm-dd" and an optional "h:mm[:ss] [AM|PM]" (or a time
// alone): the US order of the language's date literals. Throws VbError(5) for impossible dates.
std::optional<double> parseDateLiteral(const QString& body) {
    QString t = body.trimmed();
    if (t.isEmpty()) return std::nullopt;
    DateParts p;
    bool hasDate = false;
    QString timePart = t;
    qsizetype blank = t.indexOf(u' ');
    QString datePart = blank < 0 ? t : t.left(blank);
    if (datePart.contains(u'/') || datePart.contains(u'-')) {
        QChar sep = datePart.contains(u'/') ? u'/' : u'-';
        QStringList parts = datePart.split(sep);
        if (parts.size() != 3) return std::nullopt;
        bool ok1 = false, ok2 = false, ok3 = false;
        int a = parts[0].toInt(&ok1), b = parts[1].toInt(&ok2), c = parts[2].toInt(&ok3);
        if (!ok1 || !ok2 || !ok3) return std::nullopt;
        if (parts[0].size() == 4) { // yyyy-mm-dd
            p.year = a;
            p.month = b;
            p.day = c;
        } else {
            p.month = a;
            p.day = b;
            p.year = c;
            if (parts[2].size() <= 2) p.year += c < 30 ? 2000 : 1900;
        }
        hasDate = true;
        timePart = blank < 0 ? QString() : t.mid(blank + 1).trimmed();
    }
    if (!timePart.isEmpty()) {
        QString tp = timePart.toUpper();
        int add = 0;
        bool ampm = false;
        if (tp.endsWith(QStringLiteral("AM")) || tp.endsWith(QStringLiteral("PM"))) {
            ampm = true;
            add = tp.endsWith(QStringLiteral("PM")) ? 12 : 0;
            tp.chop(2);
            tp = tp.trimmed();
        }
        QStringList hms = tp.split(u':');
        if (hms.size() < 1 || hms.size() > 3) return std::nullopt;
        int vals[3] = {0, 0, 0};
        for (qsizetype i = 0; i < hms.size(); ++i) {
            bool ok = false;
            vals[i] = hms[i].toInt(&ok);
            if (!ok) return std::nullopt;
        }
        if (hms.size() == 1 && !ampm) return std::nullopt;
        if (ampm) {
            if (vals[0] < 1 || vals[0] > 12) return std::nullopt;
            vals[0] = vals[0] % 12 + add;
        }
        p.hour = vals[0];
        p.minute = vals[1];
        p.second = vals[2];
    }
    if (!hasDate) {
        p.year = 1899;
        p.month = 12;
        p.day = 30;
    }
    return dateSerialOf(p);
}

} // namespace

bool isKeyword(Tok t) {
    return t >= Tok::KwAnd;
}

bool isContextualKeyword(Tok t) {
    switch (t) {
    case Tok::KwError:
    case Tok::KwExplicit:
    case Tok::KwStep:
    case Tok::KwProperty:
    case Tok::KwGet:
    case Tok::KwPreserve:
        return true;
    default:
        return false;
    }
}

QString foldName(const QString& name) {
    return UCase(name);
}

Lexer::Lexer(const QString& text) : text_(text) {}

QChar Lexer::peek(qsizetype ahead) const {
    qsizetype at = pos_ + ahead;
    return at < text_.size() ? text_[at] : QChar();
}

bool Lexer::atLineEnd(qsizetype at) const {
    return at >= text_.size() || text_[at] == u'\n' || text_[at] == u'\r';
}

void Lexer::newline() {
    // pos_ is at a line end character.
    if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
    ++pos_;
    ++line_;
    lineStart_ = pos_;
}

void Lexer::skipToLineEnd() {
    while (!atLineEnd(pos_))
        ++pos_;
}

// " _" followed only by blanks up to the line end continues the statement on the next line.
bool Lexer::tryContinuation() {
    qsizetype at = pos_ + 1;
    while (at < text_.size() && (text_[at] == u' ' || text_[at] == u'\t'))
        ++at;
    if (at >= text_.size() || !atLineEnd(at)) return false;
    pos_ = at;
    if (pos_ < text_.size()) newline();
    return true;
}

Token Lexer::make(Tok kind, int col) {
    Token t;
    t.kind = kind;
    t.line = line_;
    t.column = col;
    t.spaceBefore = spaceBeforeNext_;
    spaceBeforeNext_ = false;
    return t;
}

bool Lexer::atStatementStart() const {
    if (out_.empty()) return true;
    Tok k = out_.back().kind;
    return k == Tok::Newline || k == Tok::Colon || k == Tok::KwThen || k == Tok::KwElse;
}

std::vector<Token> Lexer::tokenize() {
    while (pos_ < text_.size()) {
        QChar c = text_[pos_];
        int col = column();
        switch (c.unicode()) {
        case u' ':
        case u'\t':
        case u'\f':
        case u'\v':
        case 0xA0:
            ++pos_;
            spaceBeforeNext_ = true;
            continue;
        case u'\r':
        case u'\n':
            out_.push_back(make(Tok::Newline, col));
            newline();
            continue;
        case u'\'':
            skipToLineEnd();
            continue;
        case u':':
            out_.push_back(make(Tok::Colon, col));
            ++pos_;
            continue;
        case u'"':
            out_.push_back(lexString());
            continue;
        case u'#':
            out_.push_back(lexDate());
            continue;
        case u'[':
            out_.push_back(lexBracketed());
            continue;
        case u'_':
            if (tryContinuation()) {
                spaceBeforeNext_ = true;
                continue;
            }
            raiseSyntax(cerr::InvalidCharacter, line_, col);
        case u'&':
            if ((peek(1) == u'h' || peek(1) == u'H') && hexDigit(peek(2)) >= 0) {
                out_.push_back(lexRadix());
                continue;
            }
            if ((peek(1) == u'o' || peek(1) == u'O') && isAsciiDigit(peek(2))) {
                out_.push_back(lexRadix());
                continue;
            }
            out_.push_back(make(Tok::Amp, col));
            ++pos_;
            continue;
        case u'.':
            if (isAsciiDigit(peek(1))) {
                out_.push_back(lexNumber());
                continue;
            }
            out_.push_back(make(Tok::Dot, col));
            ++pos_;
            continue;
        case u'(':
            out_.push_back(make(Tok::LParen, col));
            ++pos_;
            continue;
        case u')':
            out_.push_back(make(Tok::RParen, col));
            ++pos_;
            continue;
        case u',':
            out_.push_back(make(Tok::Comma, col));
            ++pos_;
            continue;
        case u'+':
            out_.push_back(make(Tok::Plus, col));
            ++pos_;
            continue;
        case u'-':
            out_.push_back(make(Tok::Minus, col));
            ++pos_;
            continue;
        case u'*':
            out_.push_back(make(Tok::Star, col));
            ++pos_;
            continue;
        case u'/':
            out_.push_back(make(Tok::Slash, col));
            ++pos_;
            continue;
        case u'\\':
            out_.push_back(make(Tok::Backslash, col));
            ++pos_;
            continue;
        case u'^':
            out_.push_back(make(Tok::Caret, col));
            ++pos_;
            continue;
        case u'=':
            if (peek(1) == u'<') {
                out_.push_back(make(Tok::Le, col));
                pos_ += 2;
            } else if (peek(1) == u'>') {
                out_.push_back(make(Tok::Ge, col));
                pos_ += 2;
            } else {
                out_.push_back(make(Tok::Eq, col));
                ++pos_;
            }
            continue;
        case u'<':
            if (peek(1) == u'=') {
                out_.push_back(make(Tok::Le, col));
                pos_ += 2;
            } else if (peek(1) == u'>') {
                out_.push_back(make(Tok::Ne, col));
                pos_ += 2;
            } else {
                out_.push_back(make(Tok::Lt, col));
                ++pos_;
            }
            continue;
        case u'>':
            if (peek(1) == u'=') {
                out_.push_back(make(Tok::Ge, col));
                pos_ += 2;
            } else if (peek(1) == u'<') {
                out_.push_back(make(Tok::Ne, col));
                pos_ += 2;
            } else {
                out_.push_back(make(Tok::Gt, col));
                ++pos_;
            }
            continue;
        default:
            break;
        }
        if (isAsciiDigit(c)) {
            out_.push_back(lexNumber());
            continue;
        }
        if (isNameLetter(c)) {
            Token t = lexIdentifier();
            if (t.kind == Tok::Ident && t.text.size() == 3 &&
                foldName(t.text) == QLatin1String("REM") && atStatementStart()) {
                skipToLineEnd();
                continue;
            }
            out_.push_back(std::move(t));
            continue;
        }
        raiseSyntax(cerr::InvalidCharacter, line_, col);
    }
    out_.push_back(make(Tok::End, column()));
    return std::move(out_);
}

Token Lexer::lexNumber() {
    int col = column();
    qsizetype start = pos_;
    std::string digits;
    bool isReal = false;
    while (isAsciiDigit(peek()))
        digits.push_back(char(text_[pos_++].unicode()));
    if (peek() == u'.' && isAsciiDigit(peek(1))) {
        isReal = true;
        digits.push_back('.');
        ++pos_;
        while (isAsciiDigit(peek()))
            digits.push_back(char(text_[pos_++].unicode()));
    } else if (peek() == u'.' && !isNameLetter(peek(1))) {
        // "1." is a Double.
        isReal = true;
        ++pos_;
    }
    if ((peek() == u'e' || peek() == u'E') &&
        (isAsciiDigit(peek(1)) ||
         ((peek(1) == u'+' || peek(1) == u'-') && isAsciiDigit(peek(2))))) {
        isReal = true;
        digits.push_back('e');
        ++pos_;
        if (peek() == u'+' || peek() == u'-') digits.push_back(char(text_[pos_++].unicode()));
        while (isAsciiDigit(peek()))
            digits.push_back(char(text_[pos_++].unicode()));
    }
    if (isNameLetter(peek()) || peek() == u'_')
        raiseSyntax(cerr::ExpectedEndOfStatement, line_, column());
    Q_UNUSED(start);
    double d = 0;
    if (readDecimal(digits, d) != DecimalRead::Ok) raiseSyntax(cerr::InvalidNumber, line_, col);
    Token t = make(Tok::Number, col);
    if (!isReal && d <= 32767)
        t.value = Variant(int16_t(d));
    else if (!isReal && d <= 2147483647.0)
        t.value = Variant(int32_t(d));
    else
        t.value = Variant(d);
    return t;
}

// &Hxx and &Oxx literals: up to 4 hex digits (or an octal value up to &O177777) are a 16-bit
// value, so &HFFFF is -1; longer forms and those with a trailing "&" are a 32-bit value
// (&HFFFF& is 65535, &HFFFFFFFF& is -1). Either is an Integer when it fits 16 bits.
Token Lexer::lexRadix() {
    int col = column();
    pos_ += 1; // "&"
    bool hex = text_[pos_].toUpper() == u'H';
    ++pos_;
    uint64_t value = 0;
    int count = 0;
    int base = hex ? 16 : 8;
    while (pos_ < text_.size()) {
        int d = hexDigit(text_[pos_]);
        if (d < 0 || d >= base) break;
        value = value * uint64_t(base) + uint64_t(d);
        if (value > 0xFFFFFFFFull) raiseSyntax(cerr::InvalidNumber, line_, col);
        ++count;
        ++pos_;
    }
    bool longSuffix = false;
    if (peek() == u'&') {
        longSuffix = true;
        ++pos_;
    }
    // A letter right after the digits starts the next token: "&h01or&h02".
    Token t = make(Tok::Number, col);
    bool wraps16 = !longSuffix && value <= 0xFFFF && (hex ? count <= 4 : true);
    int32_t v = wraps16 ? int32_t(int16_t(uint16_t(value))) : int32_t(uint32_t(value));
    if (v >= INT16_MIN && v <= INT16_MAX)
        t.value = Variant(int16_t(v));
    else
        t.value = Variant(v);
    return t;
}

Token Lexer::lexString() {
    int col = column();
    int line = line_;
    ++pos_;
    QString s;
    for (;;) {
        if (atLineEnd(pos_)) raiseSyntax(cerr::UnterminatedString, line, col);
        QChar c = text_[pos_];
        if (c == u'"') {
            if (peek(1) == u'"') {
                s.append(u'"');
                pos_ += 2;
                continue;
            }
            ++pos_;
            break;
        }
        s.append(c);
        ++pos_;
    }
    Token t = make(Tok::String, col);
    t.text = std::move(s);
    return t;
}

Token Lexer::lexDate() {
    int col = column();
    qsizetype start = pos_ + 1;
    qsizetype at = start;
    while (!atLineEnd(at) && text_[at] != u'#')
        ++at;
    if (atLineEnd(at)) raiseSyntax(cerr::InvalidCharacter, line_, col);
    QString body = text_.mid(start, at - start);
    std::optional<double> serial;
    try {
        serial = parseDateLiteral(body);
    } catch (const VbError&) {
        serial.reset();
    }
    if (!serial) raiseSyntax(cerr::SyntaxError, line_, col);
    pos_ = at + 1;
    Token t = make(Tok::Date, col);
    t.value = Variant::date(*serial);
    return t;
}

Token Lexer::lexIdentifier() {
    int col = column();
    qsizetype start = pos_;
    while (pos_ < text_.size() && isNameChar(text_[pos_]))
        ++pos_;
    if (pos_ - start > kMaxIdentifierLength) raiseSyntax(cerr::IdentifierTooLong, line_, col);
    QString name = text_.mid(start, pos_ - start);
    Token t = make(Tok::Ident, col);
    if (name.size() <= 8) {
        auto it = keywordTable().constFind(foldName(name));
        if (it != keywordTable().constEnd()) t.kind = it.value();
    }
    t.text = std::move(name);
    return t;
}

Token Lexer::lexBracketed() {
    int col = column();
    qsizetype start = pos_ + 1;
    qsizetype at = start;
    while (!atLineEnd(at) && text_[at] != u']')
        ++at;
    if (atLineEnd(at)) raiseSyntax(cerr::ExpectedRBracket, line_, int(at - lineStart_));
    if (at - start > kMaxIdentifierLength) raiseSyntax(cerr::IdentifierTooLong, line_, col);
    Token t = make(Tok::Ident, col);
    t.text = text_.mid(start, at - start);
    pos_ = at + 1;
    return t;
}

} // namespace zv::vbs
