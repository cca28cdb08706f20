// The rich-text reader on real, hand-made and broken files, and the panels' file loader.

#include "RtfReader.h"
#include "RtfDocument.h"
#include "TestSupport.h"
#include "VbError.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace zv;

namespace {

QByteArray dataFile(const QString& name) {
    QFile f(zvtest::dataPath(QStringLiteral("wizard/") + name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

std::string text(const rtf::Document& d) {
    return d.text().toStdString();
}

// The run of a paragraph that holds a piece of text.
const rtf::Run* runWith(const rtf::Paragraph& p, const QString& piece) {
    for (const rtf::Run& r : p.runs)
        if (r.text.contains(piece)) return &r;
    return nullptr;
}

struct Snippet {
    const char* rtf;
    const char* text;
};

void PrintTo(const Snippet& s, std::ostream* os) {
    *os << s.rtf;
}

} // namespace

TEST(RtfReader, RealFileParagraphsAndFormats) {
    const rtf::Document d = rtf::parse(dataFile("licenca.rtf"));
    ASSERT_EQ(d.paragraphs.size(), 5u) << text(d);
    const auto& p = d.paragraphs;
    EXPECT_EQ(p[0].text(), QStringLiteral("Licença de utilização"));
    EXPECT_EQ(p[1].text(),
              QStringLiteral("Este programa é distribuído tal como está, sem garantias."));
    EXPECT_EQ(p[2].text(), QStringLiteral("Leia com atenção: o preço é de 0 €."));
    EXPECT_EQ(p[3].text(), QStringLiteral("Mais informação em zelvyn.example"));
    EXPECT_EQ(p[4].text(), QStringLiteral("\tFim") + QChar(0x2028) + QStringLiteral("do texto."));

    // Title: centred, bold, 14 points, the default font.
    EXPECT_EQ(p[0].align, rtf::Align::Centre);
    ASSERT_FALSE(p[0].runs.empty());
    EXPECT_TRUE(p[0].runs[0].format.bold);
    EXPECT_EQ(p[0].runs[0].format.size, 14.0);
    EXPECT_EQ(p[0].runs[0].format.font, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(p[0].spaceAfter, 200);

    // Italic switched on and off inside a paragraph; \pard left the centring behind.
    EXPECT_EQ(p[1].align, rtf::Align::Left);
    const rtf::Run* italic = runWith(p[1], QStringLiteral("tal como"));
    ASSERT_TRUE(italic);
    EXPECT_TRUE(italic->format.italic);
    EXPECT_FALSE(runWith(p[1], QStringLiteral("sem garantias"))->format.italic);
    EXPECT_EQ(italic->format.size, 10.0);

    // Colours from the table, underline on and off.
    const rtf::Run* warned = runWith(p[2], QStringLiteral("Leia"));
    ASSERT_TRUE(warned && warned->format.colour);
    EXPECT_EQ(*warned->format.colour, (rtf::Colour{192, 0, 0}));
    EXPECT_TRUE(warned->format.underline);
    const rtf::Run* plain = runWith(p[2], QStringLiteral("preço"));
    EXPECT_FALSE(plain->format.colour);
    EXPECT_FALSE(plain->format.underline);

    // The field keeps its result only; the second font comes from its table entry.
    EXPECT_EQ(p[3].leftIndent, 360);
    EXPECT_EQ(runWith(p[3], QStringLiteral("Mais"))->format.font, QStringLiteral("DejaVu Serif"));
    const rtf::Run* link = runWith(p[3], QStringLiteral("zelvyn.example"));
    ASSERT_TRUE(link && link->format.colour);
    EXPECT_EQ(*link->format.colour, (rtf::Colour{0, 0, 255}));
    EXPECT_FALSE(d.text().contains(QStringLiteral("HYPERLINK")));
    EXPECT_FALSE(d.text().contains(QStringLiteral("Riched")));
    EXPECT_FALSE(d.text().contains(QStringLiteral("0100090000")));
}

class RtfSnippets : public ::testing::TestWithParam<Snippet> {};

TEST_P(RtfSnippets, Text) {
    const Snippet& s = GetParam();
    EXPECT_EQ(text(rtf::parse(QByteArray(s.rtf))), std::string(s.text));
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, RtfSnippets,
    ::testing::Values(
        Snippet{R"({\rtf1 a\'e7\'E3o})", "ação"},
        Snippet{R"({\rtf1 \'80\'9c})", "€œ"},             // Windows-1252 upper half
        Snippet{R"({\rtf1 \u-3913?x})", "\xef\x82\xb7x"}, // negative \u plus 65536
        Snippet{R"({\rtf1\uc2 \u8364\'80\'80x})", "€x"},  // two fallbacks skipped
        Snippet{R"({\rtf1\uc0 \u8364 x})", "€x"},
        Snippet{R"({\rtf1 \u55357?\u56832?})", "\xf0\x9f\x98\x80"}, // a surrogate pair
        Snippet{R"({\rtf1 a\\b\{c\}d})", "a\\b{c}d"},
        Snippet{R"({\rtf1 a\~b\-c\_d})", "a\xc2\xa0"
                                         "bc\xe2\x80\x91"
                                         "d"},
        Snippet{R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
                "\xe2\x80\x94\xe2\x80\x93\xe2\x80\xa2\xe2\x80\x98\xe2\x80\x99\xe2\x80\x9c"
                "\xe2\x80\x9d"},
        Snippet{"{\\rtf1 one\\\ntwo}", "one\ntwo"}, // a backslash before a line end
        Snippet{"{\\rtf1 a\r\nb}", "ab"},           // raw line ends are no text
        Snippet{R"({\rtf1 a\cell b\row c\page d\sect e})", "a\tb\nc\nd\ne"},
        Snippet{R"({\rtf1 {\*\unknown hidden}{\stylesheet s}{\info i}{\header h}{\footer f}v})",
                "v"},
        Snippet{R"({\rtf1 x\bin4 {}\}y})", "xy"}, // binary data is no syntax
        Snippet{R"({\rtf1\ansi\deff0{\fonttbl{\f0 A;}}\plain t})", "t"}),
    [](const ::testing::TestParamInfo<Snippet>& info) { return std::to_string(info.index); });

TEST(RtfReader, BrokenFilesGiveWhatTheyHold) {
    // Cut off in the middle of a group and of an escape.
    const rtf::Document cut = rtf::parse(dataFile("partido.rtf"));
    EXPECT_EQ(text(cut), "Texto negrito e itálico");
    ASSERT_EQ(cut.paragraphs.size(), 1u);
    const rtf::Run* bold = runWith(cut.paragraphs[0], QStringLiteral("negrito"));
    ASSERT_TRUE(bold);
    EXPECT_TRUE(bold->format.bold);
    EXPECT_FALSE(runWith(cut.paragraphs[0], QStringLiteral(" e "))->format.bold);

    // Stray closing braces, unclosed groups.
    EXPECT_EQ(text(rtf::parse(dataFile("chavetas.rtf"))), "a b c\nd");

    // Pieces cut anywhere in escapes and control words.
    for (const char* piece :
         {"{\\rtf1 a\\'e", "{\\rtf1 a\\'", "{\\rtf1 a\\u", "{\\rtf1 a\\u-", "{\\rtf1 a\\",
          "{\\rtf1 a\\bin99999999999 xyz", "{\\rtf1 a\\fs-", "{\\rtf1 a\\'zz b", "\\", "{", "}"}) {
        EXPECT_NO_THROW(rtf::parse(QByteArray(piece))) << piece;
    }
    EXPECT_EQ(text(rtf::parse("{\\rtf1 a\\'zz b}")), "azz b");
}

TEST(RtfReader, DeepNestingAndNoiseAreHarmless) {
    // Far deeper than the group limit: the text is still read, formatting stays bounded.
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(100000, '{') + "\\b x" + QByteArray(100000, '}') + " y}";
    const rtf::Document d = rtf::parse(deep);
    EXPECT_EQ(text(d), "x y");

    // Mutations of a real file: bytes replaced, dropped and doubled at random places.
    const QByteArray real = dataFile("licenca.rtf");
    QRandomGenerator random(20261208);
    for (int round = 0; round < 300; ++round) {
        QByteArray b = real;
        for (int k = 0; k < 8; ++k) {
            const int at = int(random.bounded(b.size()));
            switch (random.bounded(3)) {
            case 0:
                b[at] = char(random.bounded(256));
                break;
            case 1:
                b.remove(at, 1 + int(random.bounded(16)));
                break;
            default:
                b.insert(at, b.mid(at, 1 + int(random.bounded(16))));
            }
        }
        const rtf::Document m = rtf::parse(b);
        ASSERT_LE(m.paragraphs.size(), size_t(b.size())) << round;
    }
}

TEST(RtfReader, RecognisesRichText) {
    EXPECT_TRUE(rtf::isRtf("{\\rtf1 x}"));
    EXPECT_TRUE(rtf::isRtf("\xEF\xBB\xBF \r\n{\\rtf1 x}"));
    EXPECT_FALSE(rtf::isRtf("Leia-me"));
    EXPECT_FALSE(rtf::isRtf("{\\rt"));
    EXPECT_FALSE(rtf::isRtf(dataFile("chavetas.rtf")));
}

TEST(RtfLoader, FillsTheDocument) {
    QTextDocument doc;
    loadRichTextFile(zvtest::dataPath(QStringLiteral("wizard/licenca.rtf")), doc);
    EXPECT_EQ(doc.blockCount(), 5);
    const QTextBlock title = doc.firstBlock();
    EXPECT_TRUE(title.blockFormat().alignment() & Qt::AlignHCenter);
    QTextCursor at(title);
    at.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(at.charFormat().fontWeight(), QFont::Bold);

    const QTextBlock warned = title.next().next();
    QTextCursor w(warned);
    w.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(w.charFormat().foreground().color(), QColor(192, 0, 0));
    EXPECT_TRUE(w.charFormat().fontUnderline());
    EXPECT_EQ(warned.next().blockFormat().leftMargin(), 24.0); // 360 twips
}

TEST(RtfLoader, PlainFilesAndFailures) {
    QTextDocument doc;
    loadRichTextFile(zvtest::dataPath(QStringLiteral("wizard/leiame.txt")), doc);
    EXPECT_EQ(doc.toPlainText(),
              QStringLiteral("Leia-me\nAtenção: texto simples em Windows-1252.\n"));

    doc.setPlainText(QStringLiteral("antes"));
    auto errorOf = [&](const QString& path) {
        try {
            loadRichTextFile(path, doc);
        } catch (const VbError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf(zvtest::dataPath(QStringLiteral("wizard/nao-existe.rtf"))), 53);
    EXPECT_EQ(errorOf(zvtest::dataPath(QStringLiteral("wizard"))), 75);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("antes"));
}

TEST(RtfLoader, TabStopsDefaultStopsAndHangingIndents) {
    const QByteArray bytes =
        "{\\rtf1\\ansi\\deftab360\n"
        // explicit stops of each kind, given out of order
        "\\pard\\tx1440\\tqr\\tx4320\\tqc\\tx2880\\tqdec\\tx5760 a\\tab b\\par\n"
        // a hanging indent: the stop at the left indent is implied
        "\\pard\\li360\\fi-360 \\bullet\\tab item\\par\n"
        // an explicit stop before the indent comes first; one left
        // of where the line starts is dropped
        "\\pard\\li720\\fi-360\\tx180\\tx540 1.\\tab item\\par\n"
        // one already at the indent is not doubled; \\pard clears stops
        "\\pard\\li360\\fi-360\\tx360 \\bullet\\tab item\\par\n"
        "\\pard plain\\par\n"
        // stops count from where the line starts: the left indent
        "\\pard\\li720\\tx1440 a\\tab b\\par}";
    QTextDocument doc;
    fillDocument(rtf::parse(bytes), doc);
    EXPECT_EQ(doc.defaultTextOption().tabStopDistance(), 24.0); // 360 twips

    using T = QTextOption::Tab;
    const auto tabs = [&](int block) {
        return doc.findBlockByNumber(block).blockFormat().tabPositions();
    };
    EXPECT_EQ(tabs(0),
              (QList<T>{T(96, QTextOption::LeftTab), T(192, QTextOption::CenterTab),
                        T(288, QTextOption::RightTab), T(384, QTextOption::DelimiterTab, u'.')}));
    EXPECT_EQ(tabs(1), QList<T>{T(24, QTextOption::LeftTab)});
    EXPECT_EQ(tabs(2), (QList<T>{T(12, QTextOption::LeftTab), T(24, QTextOption::LeftTab)}));
    EXPECT_EQ(tabs(3), QList<T>{T(24, QTextOption::LeftTab)});
    EXPECT_TRUE(tabs(4).isEmpty());
    EXPECT_EQ(tabs(5), QList<T>{T(48, QTextOption::LeftTab)});

    // Without \deftab the default stops are half an inch apart (720 twips).
    QTextDocument plain;
    fillDocument(rtf::parse("{\\rtf1 a\\tab b}"), plain);
    EXPECT_EQ(plain.defaultTextOption().tabStopDistance(), 48.0);
}

TEST(RtfLoader, BulletTextLinesUpWithTheLinesBelowIt) {
    // A bullet, a tab and text long enough to wrap: the text after the tab starts where the
    // second line starts, at the left indent.
    QTextDocument doc;
    fillDocument(rtf::parse("{\\rtf1\\pard\\li300\\fi-180 \\bullet\\tab uma frase longa que "
                            "continua na linha seguinte e ainda noutra mais abaixo\\par}"),
                 doc);
    doc.setDocumentMargin(0);
    doc.setTextWidth(160);
    doc.size(); // laid out
    const QTextBlock block = doc.firstBlock();
    const QTextLayout* layout = block.layout();
    ASSERT_GE(layout->lineCount(), 2);
    const int afterTab = block.text().indexOf(u'\t') + 1;
    const QTextLine first = layout->lineAt(0);
    const QTextLine second = layout->lineAt(1);
    EXPECT_NEAR(first.cursorToX(afterTab), second.cursorToX(second.textStart()), 0.5);
    EXPECT_NEAR(second.cursorToX(second.textStart()), 20.0, 0.5); // 300 twips
}

TEST(RtfReader, TabStopsStayBounded) {
    // Stops set again at a position replace it; past the limit further ones are dropped.
    QByteArray many = "{\\rtf1\\pard\\tqr\\tx100\\tx100";
    for (int i = 0; i < 1000; ++i)
        many += "\\tx" + QByteArray::number(200 + i);
    many += " a\\par}";
    const rtf::Document d = rtf::parse(many);
    ASSERT_EQ(d.paragraphs.size(), 1u);
    const auto& tabs = d.paragraphs[0].tabs;
    ASSERT_EQ(tabs.size(), size_t(rtf::kMaxTabStops));
    EXPECT_EQ(tabs[0], (rtf::TabStop{100, rtf::TabKind::Left}));
    EXPECT_EQ(tabs.back().position, 200 + rtf::kMaxTabStops - 2);
}
