// Colour texts, the palette and colours applied to objects.

#include "Dispatch.h"
#include "GlbCor.h"
#include "GlbVar.h"
#include "TestSupport.h"

#include <QMap>
#include <array>

#include <gtest/gtest.h>

using namespace zv;

namespace {

struct ColourCase {
    const char* text;
    int32_t colour;
    const char* kind; // "?" = the kind passed in stays
};

void PrintTo(const ColourCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

constexpr int32_t rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

// An object with BackColor and ForeColor that records what was set.
class ColourObject : public SimpleDispatch {
public:
    ColourObject() {
        for (const char* name : {"BackColor", "ForeColor"}) {
            const QString n = QString::fromLatin1(name);
            addProperty(
                n, [this, n](Args) { return values.value(n); },
                [this, n](Args a) {
                    values[n] = CLng(*a.back());
                    ++puts;
                });
        }
    }
    QMap<QString, Variant> values;
    int puts = 0;
    int32_t back() const { return values.value("BackColor").rawLong(); }
    int32_t fore() const { return values.value("ForeColor").rawLong(); }
};

} // namespace

class ColourTextTable : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourTextTable, ColourAndKind) {
    const ColourCase& c = GetParam();
    int32_t colour = -7;
    QString kind = "?";
    CorTxCnv(QString::fromUtf8(c.text), colour, kind);
    EXPECT_EQ(colour, c.colour) << c.text;
    EXPECT_EQ(kind, QString::fromLatin1(c.kind)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ColourTextTable,
    ::testing::Values(ColourCase{"255,0,0", rgb(255, 0, 0), "RGB"},
                      ColourCase{"000,128,064", rgb(0, 128, 64), "RGB"},
                      ColourCase{"300,0,0", rgb(255, 0, 0), "RGB"}, // parts above 255 clamp
                      ColourCase{"10,20", rgb(10, 20, 0), "RGB"},   // a missing part is 0
                      ColourCase{"12", rgb(255, 0, 0), "QB"},
                      ColourCase{"15", rgb(255, 255, 255), "QB"}, ColourCase{"0", 0, "NC"},
                      ColourCase{"16", 16, "NC"}, ColourCase{"NC", 0, "NC"},
                      ColourCase{"", 0, "NC"}, ColourCase{"W255", 255, "?"},
                      ColourCase{"w0", 0, "?"}, ColourCase{"-", 0, "?"}, ColourCase{"-5", -5, "?"},
                      ColourCase{"HFF", 255, "H"}, ColourCase{"hFF0000", rgb(0, 0, 255), "H"},
                      ColourCase{"H8000", 32768, "H"}, // four digits, top bit set: +65536
                      ColourCase{"HFFFF", 65535, "H"}));

TEST(ColourText, FailedConversionKeepsColourAndKind) {
    // A negative RGB part and a number beyond 32 bits give no colour.
    for (const char* text : {"W99999999999", "1,-2,3", "99999999999"}) {
        int32_t colour = 4242;
        QString kind = "old";
        CorTxCnv(QString::fromLatin1(text), colour, kind);
        EXPECT_EQ(colour, 4242) << text;
        EXPECT_EQ(kind, "old") << text;
    }
}

TEST(ColourText, ValuesOfEveryType) {
    int32_t colour = 0;
    int ok = -1;
    CorVal(Variant(int16_t(12)), colour, ok); // a number 0..15 is a palette colour
    EXPECT_EQ(colour, rgb(255, 0, 0));
    EXPECT_EQ(ok, 1);
    CorVal(Variant(int32_t(16)), colour, ok);
    EXPECT_EQ(colour, 16);
    CorVal(Variant(int32_t(rgb(1, 2, 3))), colour, ok);
    EXPECT_EQ(colour, rgb(1, 2, 3));
    CorVal(Variant("9"), colour, ok); // a text goes through the colour-text table
    EXPECT_EQ(colour, rgb(0, 0, 255));
    EXPECT_EQ(ok, 1);
    CorVal(Variant("-"), colour, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(CorValCon(Variant("0,255,0")), rgb(0, 255, 0));
    EXPECT_EQ(CorValCon(Variant(3.0)), rgb(0, 128, 128));

    int r = 0, g = 0, b = 0;
    CorRgbSep(rgb(10, 20, 30), r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array{10, 20, 30}));

    // The RGB text, zero-filled, reads back as the same colour.
    Variant text{QString()};
    CorTxRgb(rgb(7, 200, 33), text);
    EXPECT_EQ(text.rawString(), "007,200,033");
    EXPECT_EQ(CorValCon(text), rgb(7, 200, 33));
}

TEST(ColourText, PairsAndNames) {
    QString back, fore;
    CorParSep("1+15", back, fore);
    EXPECT_EQ(back, "1");
    EXPECT_EQ(fore, "15");
    CorParSep("255,0,0", back, fore);
    EXPECT_EQ(back, "255,0,0");
    EXPECT_EQ(fore, "");

    glbCorReset();
    QString spec;
    int found = -1;
    CorNomVal("Aviso", spec, found);
    EXPECT_EQ(found, 0); // the table starts empty
    IdxArrReg(glbCorState().CorNomIdx, "AVISO", "14+4");
    CorNomVal("  aviso ", spec, found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(spec, "14+4");
    glbCorReset();
}

TEST(ColourTextApply, BackgroundAndForeground) {
    auto obj = std::make_shared<ColourObject>();
    CorObBgAct(obj, Variant("255,0,0"));
    CorObFgAct(obj, Variant(int32_t(rgb(0, 0, 9))));
    EXPECT_EQ(obj->back(), rgb(255, 0, 0));
    EXPECT_EQ(obj->fore(), rgb(0, 0, 9));

    // "-" leaves a colour as it was.
    CorObAct(obj, Variant("-"), Variant("12"));
    EXPECT_EQ(obj->back(), rgb(255, 0, 0));
    EXPECT_EQ(obj->fore(), rgb(255, 0, 0));

    // An empty foreground and a background that is no registered name: only the background.
    const int before = obj->puts;
    CorObAct(obj, Variant("0,255,0"), Variant(""));
    EXPECT_EQ(obj->puts, before + 1);
    EXPECT_EQ(obj->back(), rgb(0, 255, 0));
    EXPECT_EQ(obj->fore(), rgb(255, 0, 0));
}

TEST(ColourTextApply, RegisteredNameGivesBothColours) {
    glbCorReset();
    IdxArrReg(glbCorState().CorNomIdx, "TITULO", "1+14");
    auto obj = std::make_shared<ColourObject>();
    CorObAct(obj, Variant("titulo"), Variant());
    EXPECT_EQ(obj->back(), rgb(0, 0, 128));
    EXPECT_EQ(obj->fore(), rgb(255, 255, 0));
    glbCorReset();
}

TEST(ColourTextApply, ObjectsThatRefuseAreLeftAlone) {
    // An object without the members, and Nothing: no error comes out.
    auto plain = std::make_shared<SimpleDispatch>();
    EXPECT_NO_THROW(CorObAct(plain, Variant("1"), Variant("2")));
    EXPECT_NO_THROW(CorObAct(nullptr, Variant("1"), Variant("2")));
    // A colour value that is no number is ignored as well.
    auto obj = std::make_shared<ColourObject>();
    EXPECT_NO_THROW(CorObBgAct(obj, Variant::null()));
    EXPECT_EQ(obj->puts, 0);
}
