#pragma once
// RtfReader: a small reader of rich-text files (RTF), for the wizard's rich-text panels. It
// turns the bytes of a file into paragraphs of styled runs; the widgets fill a text document
// from them. It never writes RTF.
//
// What it keeps: paragraphs (\par, and \page, \sect, \row as paragraph ends; \line and \cell as
// a line break and a tab), their alignment, indents, spacing and tab stops (\txN, of the kind
// \tqr, \tqc or \tqdec before it gives); the document's default tab width (\deftab); runs with font
// (from the font table), size, bold, italic, underline, strike-through and colour (from the colour
// table); characters from \'hh (Windows-1252), \uN (with its fallback characters skipped) and the
// named symbols. Destinations that hold no text (style sheet, information, pictures, objects,
// headers, footers, list tables, any group that starts with \*) are skipped; of a field only
// the result is kept.
//
// Malformed input never fails: unbalanced braces are tolerated, groups nested deeper than a
// limit keep the formatting they had, \binN skips at most what is left, numbers are clamped.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zv::rtf {

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Colour&) const = default;
};

struct CharFormat {
    QString font;    // "" = the document's default
    double size = 0; // points; 0 = the default
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<Colour> colour; // none = the default text colour
    bool operator==(const CharFormat&) const = default;
};

struct Run {
    QString text;
    CharFormat format;
};

enum class Align { Left, Right, Centre, Justify };

// A tab stop: the text after a tab starts at it (Left), ends at it (Right), is centred on it
// (Centre) or has its decimal point on it (Decimal).
enum class TabKind { Left, Right, Centre, Decimal };

struct TabStop {
    int position = 0; // twips from the left margin
    TabKind kind = TabKind::Left;
    bool operator==(const TabStop&) const = default;
};

struct ParagraphFormat {
    Align align = Align::Left;
    // Twips.
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    // The paragraph's own tab stops, by position; a stop set again at a position replaces the
    // one there. At most kMaxTabStops: further ones are dropped.
    std::vector<TabStop> tabs;
};

struct Paragraph : ParagraphFormat {
    std::vector<Run> runs;
    QString text() const;
};

struct Document {
    std::vector<Paragraph> paragraphs;
    // The distance between the default tab stops, in twips (720, half an inch, unless the file
    // says otherwise).
    int defaultTab = 720;
    QString text() const; // paragraphs joined with "\n", for tests and plain uses
};

// The limits that keep malformed input harmless.
constexpr int kMaxDepth = 256;
constexpr qsizetype kMaxFileSize = 16 * 1024 * 1024;
constexpr int kMaxTabStops = 64;

// True when the bytes start like a rich-text file ("{\rtf", blanks allowed before it).
bool isRtf(const QByteArray& bytes);
// The document of a rich-text file.
Document parse(const QByteArray& bytes);

} // namespace zv::rtf
