// RtfReader: tokens, the group stack, destinations and the paragraphs they produce.

#include "RtfReader.h"

#include "Text.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace zv::rtf {

namespace {

constexpr int kMaxWordLength = 32;
constexpr int kMaxDigits = 10;
constexpr int64_t kMaxParameter = 1000000000;
const QChar kLineBreak(0x2028); // a line break inside a paragraph
// The farthest a tab stop or the default tab width may reach: 22 inches, in twips.
constexpr int kMaxTabPosition = 31680;

enum class Dest { Text, FontTable, ColourTable, Skip };

// What a group carries: it is saved at "{" and restored at "}".
struct State {
    int font = -1;      // font table number; -1 = the default font
    int halfPoints = 0; // 0 = the default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int colour = 0; // colour table index; 0 = the default colour
    ParagraphFormat par;
    TabKind tabKind = TabKind::Left; // the kind of the next \txN
    Dest dest = Dest::Text;
    int uc = 1; // fallback characters after \uN
};

// The destinations that hold nothing to show.
bool isSkippedDestination(const QByteArray& word) {
    static const char* const kSkipped[] = {"stylesheet",
                                           "info",
                                           "pict",
                                           "object",
                                           "header",
                                           "headerl",
                                           "headerr",
                                           "headerf",
                                           "footer",
                                           "footerl",
                                           "footerr",
                                           "footerf",
                                           "footnote",
                                           "listtable",
                                           "listoverridetable",
                                           "rsidtbl",
                                           "generator",
                                           "themedata",
                                           "colorschememapping",
                                           "latentstyles",
                                           "datastore",
                                           "xmlnsstbl",
                                           "fldinst",
                                           "filetbl",
                                           "revtbl",
                                           "author",
                                           "operator",
                                           "title",
                                           "subject",
                                           "keywords",
                                           "comment",
                                           "doccomm",
                                           "nonshppict",
                                           "bkmkstart",
                                           "bkmkend",
                                           "pn",
                                           "pntext",
                                           "listtext",
                                           "mmathPr"};
    for (const char* s : kSkipped)
        if (word == s) return true;
    return false;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

class Parser {
public:
    explicit Parser(const QByteArray& in) : in_(in) {}

    Document run() {
        while (pos_ < in_.size()) {
            const char c = in_.at(pos_++);
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                controlWord();
                break;
            case '\r':
            case '\n':
            case '\0':
                break;
            case '\t':
                character(u'\t', false);
                break;
            default:
                character(cp1252ToChar(uint8_t(c)), true);
            }
        }
        if (!para_.runs.empty()) endParagraph();
        return std::move(doc_);
    }

private:
    // ---- groups ----

    void openGroup() {
        skipFallback_ = 0;
        if (stack_.size() >= size_t(kMaxDepth)) {
            ++overflow_; // deeper groups keep the formatting they find
            return;
        }
        stack_.push_back(st_);
    }

    void closeGroup() {
        skipFallback_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.empty()) return; // a stray "}"
        // A font entry that lacks its ";" ends with its group.
        if (st_.dest == Dest::FontTable && !fontName_.isEmpty()) fontEntry();
        st_ = stack_.back();
        stack_.pop_back();
    }

    void setDestination(Dest d) {
        if (overflow_ == 0 && st_.dest != Dest::Skip) st_.dest = d;
    }

    // ---- control words and symbols ----

    void controlWord() {
        if (pos_ >= in_.size()) return;
        const char c = in_.at(pos_);
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        QByteArray word;
        while (pos_ < in_.size() && isLetter(in_.at(pos_))) {
            if (word.size() < kMaxWordLength) word.append(in_.at(pos_));
            ++pos_;
        }
        bool hasParam = false;
        int64_t param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_.at(pos_) == '-' && pos_ + 1 < in_.size() &&
            isDigit(in_.at(pos_ + 1))) {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && isDigit(in_.at(pos_))) {
            if (digits < kMaxDigits) param = param * 10 + (in_.at(pos_) - '0');
            ++digits;
            ++pos_;
            hasParam = true;
        }
        if (pos_ < in_.size() && in_.at(pos_) == ' ') ++pos_; // the delimiter belongs to it
        param = std::min(param, kMaxParameter);
        const int n = int(negative ? -param : param);
        if (word == "bin") {
            // Binary data: skipped whole, never past the end.
            pos_ += std::min<qsizetype>(std::max(n, 0), in_.size() - pos_);
            return;
        }
        if (word == "u") {
            unicode(n);
            return;
        }
        skipFallback_ = 0;
        action(word, hasParam, n);
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(QChar(QLatin1Char(c)), true);
            return;
        case '~':
            character(QChar(0x00A0), true);
            return;
        case '_':
            character(QChar(0x2011), true);
            return;
        case '-':
            return; // an optional hyphen shows nothing
        case '*':
            setDestination(Dest::Skip);
            return;
        case '\'':
            hexCharacter();
            return;
        case '\r':
        case '\n':
            skipFallback_ = 0;
            if (st_.dest == Dest::Text) endParagraph();
            return;
        case '\t':
            character(u'\t', false);
            return;
        default:
            return;
        }
    }

    void hexCharacter() {
        const int hi = pos_ < in_.size() ? hexDigit(in_.at(pos_)) : -1;
        const int lo = pos_ + 1 < in_.size() ? hexDigit(in_.at(pos_ + 1)) : -1;
        if (hi < 0 || lo < 0) return; // no escape: what follows is read as text
        pos_ += 2;
        character(cp1252ToChar(uint8_t(hi * 16 + lo)), true);
    }

    void unicode(int n) {
        skipFallback_ = 0;
        if (n < 0) n += 65536;
        if (n >= 0 && n <= 0xFFFF) put(QChar(char16_t(n)));
        skipFallback_ = std::max(st_.uc, 0);
    }

    void action(const QByteArray& w, bool hasParam, int n) {
        const bool on = !hasParam || n != 0;
        // Destinations.
        if (w == "fonttbl") return setDestination(Dest::FontTable);
        if (w == "colortbl") {
            setDestination(Dest::ColourTable);
            colours_.clear();
            resetColourEntry();
            return;
        }
        if (w == "fldrslt") return setDestination(Dest::Text);
        if (isSkippedDestination(w)) return setDestination(Dest::Skip);
        if (st_.dest == Dest::Skip) return;
        if (st_.dest == Dest::FontTable) {
            if (w == "f") fontNumber_ = n;
            return;
        }
        if (st_.dest == Dest::ColourTable) {
            int* part = w == "red"     ? &red_
                        : w == "green" ? &green_
                        : w == "blue"  ? &blue_
                                       : nullptr;
            if (part) {
                *part = std::clamp(n, 0, 255);
                hasColour_ = true;
            }
            return;
        }
        // Document and character formatting.
        if (w == "deff")
            defaultFont_ = n;
        else if (w == "deftab") {
            if (n > 0) doc_.defaultTab = std::min(n, kMaxTabPosition);
        } else if (w == "plain")
            plain();
        else if (w == "f")
            st_.font = n;
        else if (w == "fs")
            st_.halfPoints = std::clamp(n, 0, 3276);
        else if (w == "b")
            st_.bold = on;
        else if (w == "i")
            st_.italic = on;
        else if (w == "ul")
            st_.underline = on;
        else if (w == "ulnone")
            st_.underline = false;
        else if (w == "strike")
            st_.strike = on;
        else if (w == "cf")
            st_.colour = std::max(n, 0);
        else if (w == "uc")
            st_.uc = std::clamp(n, 0, 16);
        // Paragraph formatting.
        else if (w == "pard") {
            st_.par = ParagraphFormat{};
            st_.tabKind = TabKind::Left;
        } else if (w == "ql")
            st_.par.align = Align::Left;
        else if (w == "qr")
            st_.par.align = Align::Right;
        else if (w == "qc")
            st_.par.align = Align::Centre;
        else if (w == "qj")
            st_.par.align = Align::Justify;
        else if (w == "li")
            st_.par.leftIndent = n;
        else if (w == "ri")
            st_.par.rightIndent = n;
        else if (w == "fi")
            st_.par.firstIndent = n;
        else if (w == "sb")
            st_.par.spaceBefore = std::max(n, 0);
        else if (w == "sa")
            st_.par.spaceAfter = std::max(n, 0);
        // Tab stops: the kind comes first and holds for the next position only.
        else if (w == "tqr")
            st_.tabKind = TabKind::Right;
        else if (w == "tqc")
            st_.tabKind = TabKind::Centre;
        else if (w == "tqdec")
            st_.tabKind = TabKind::Decimal;
        else if (w == "tx")
            tabStop(n);
        else if (w == "tb")
            st_.tabKind = TabKind::Left; // a bar, not a stop: its kind goes with it
        // Breaks and symbols.
        else if (w == "par" || w == "page" || w == "sect" || w == "row")
            endParagraph();
        else if (w == "line")
            put(kLineBreak);
        else if (w == "tab" || w == "cell")
            put(u'\t');
        else if (w == "emdash")
            put(QChar(0x2014));
        else if (w == "endash")
            put(QChar(0x2013));
        else if (w == "bullet")
            put(QChar(0x2022));
        else if (w == "lquote")
            put(QChar(0x2018));
        else if (w == "rquote")
            put(QChar(0x2019));
        else if (w == "ldblquote")
            put(QChar(0x201C));
        else if (w == "rdblquote")
            put(QChar(0x201D));
    }

    void tabStop(int twips) {
        const TabStop stop{std::clamp(twips, 0, kMaxTabPosition), st_.tabKind};
        st_.tabKind = TabKind::Left;
        std::vector<TabStop>& tabs = st_.par.tabs;
        const auto at = std::lower_bound(
            tabs.begin(), tabs.end(), stop,
            [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
        if (at != tabs.end() && at->position == stop.position)
            *at = stop;
        else if (int(tabs.size()) < kMaxTabStops)
            tabs.insert(at, stop);
    }

    void plain() {
        st_.font = -1;
        st_.halfPoints = 0;
        st_.bold = st_.italic = st_.underline = st_.strike = false;
        st_.colour = 0;
    }

    // ---- text ----

    // A character of the input: a fallback character of \uN is dropped.
    void character(QChar c, bool countsAsFallback) {
        if (countsAsFallback && skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        skipFallback_ = 0;
        put(c);
    }

    void put(QChar c) {
        switch (st_.dest) {
        case Dest::Text:
            textCharacter(c);
            return;
        case Dest::FontTable:
            if (c == u';')
                fontEntry();
            else
                fontName_ += c;
            return;
        case Dest::ColourTable:
            if (c == u';') colourEntry();
            return;
        case Dest::Skip:
            return;
        }
    }

    void textCharacter(QChar c) {
        const CharFormat f = currentFormat();
        if (para_.runs.empty() || !(para_.runs.back().format == f)) para_.runs.push_back({{}, f});
        para_.runs.back().text += c;
    }

    CharFormat currentFormat() const {
        CharFormat f;
        const int font = st_.font >= 0 ? st_.font : defaultFont_;
        if (auto it = fonts_.find(font); it != fonts_.end()) f.font = it->second;
        f.size = st_.halfPoints / 2.0;
        f.bold = st_.bold;
        f.italic = st_.italic;
        f.underline = st_.underline;
        f.strike = st_.strike;
        if (st_.colour > 0 && st_.colour < int(colours_.size())) f.colour = colours_[st_.colour];
        return f;
    }

    void endParagraph() {
        static_cast<ParagraphFormat&>(para_) = st_.par;
        doc_.paragraphs.push_back(std::move(para_));
        para_ = Paragraph{};
    }

    // ---- tables ----

    void fontEntry() {
        const QString name = fontName_.trimmed();
        if (fontNumber_ >= 0 && !name.isEmpty()) fonts_[fontNumber_] = name;
        fontName_.clear();
        fontNumber_ = -1;
    }

    void resetColourEntry() {
        red_ = green_ = blue_ = 0;
        hasColour_ = false;
    }

    void colourEntry() {
        if (hasColour_)
            colours_.push_back(Colour{red_, green_, blue_});
        else
            colours_.push_back(std::nullopt); // the "auto" colour
        resetColourEntry();
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    std::vector<State> stack_;
    State st_;
    int overflow_ = 0;
    int skipFallback_ = 0;
    Document doc_;
    Paragraph para_;
    std::map<int, QString> fonts_;
    int defaultFont_ = -1;
    QString fontName_;
    int fontNumber_ = -1;
    std::vector<std::optional<Colour>> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool hasColour_ = false;
};

} // namespace

QString Paragraph::text() const {
    QString t;
    for (const Run& r : runs)
        t += r.text;
    return t;
}

QString Document::text() const {
    QStringList lines;
    for (const Paragraph& p : paragraphs)
        lines << p.text();
    return lines.join(u'\n');
}

bool isRtf(const QByteArray& bytes) {
    qsizetype i = 0;
    // A UTF-8 byte-order mark and blanks may stand before it.
    if (bytes.startsWith("\xEF\xBB\xBF")) i = 3;
    while (i < bytes.size() && (bytes.at(i) == ' ' || bytes.at(i) == '\r' || bytes.at(i) == '\n' ||
                                bytes.at(i) == '\t'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

Document parse(const QByteArray& bytes) {
    return Parser(bytes).run();
}

} // namespace zv::rtf
