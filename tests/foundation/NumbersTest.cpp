// Reading and writing numbers: leading-number rule, fills, masks, separator formats, fixed
// two-part layouts and version increments, integer division, array extremes.

#include "NumFxd.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

class Numbers : public ::testing::Test {
protected:
    void TearDown() override {
        numFxdReset();
        setRuntimeLocale(RuntimeLocale{});
    }
};

Variant numVal(const Variant& v) {
    Variant r;
    NumVal(v, r);
    return r;
}

QString pad(const Variant& v, int width, const QString& fill) {
    QString out;
    NumTxPad(v, width, fill, out);
    return out;
}

QString mask(int i, int d, int grouped) {
    QString m;
    NumMscTx(i, d, grouped, m);
    return m;
}

QString version(const QString& spec, const Variant& value) {
    Variant out{QString()};
    NumFxdFmt(spec, value, out);
    return out.rawString();
}

} // namespace

TEST_F(Numbers, ReadLeadingNumber) {
    EXPECT_TRUE(numVal(Variant("12,5")).sameAs(Variant(12.0)));
    EXPECT_TRUE(numVal(Variant(" 3.75abc")).sameAs(Variant(3.75)));
    EXPECT_TRUE(numVal(Variant("&HFF")).sameAs(Variant(255.0)));
    EXPECT_TRUE(numVal(Variant(int16_t(7))).sameAs(Variant(int16_t(7)))); // others unchanged
    EXPECT_TRUE(numVal(Variant()).isEmpty());
    EXPECT_EQ(NumDbl(Variant(true)), -1.0);
    EXPECT_THROW(NumDbl(Variant::null()), VbError);

    QString out;
    NumFmtEntCnv(" ,", "1 234,5", out);
    EXPECT_EQ(out, "1234.5");
    EXPECT_EQ(NumTxValVar("1.234,5"), 1.234); // no input format: "." is the decimal point
    numFxdState().NumFmtEnt = ".,";
    EXPECT_EQ(NumTxValVar("1.234,5"), 1234.5);
}

TEST_F(Numbers, PadWithFill) {
    EXPECT_EQ(pad(Variant(7.0), 3, "0"), "007");
    EXPECT_EQ(pad(Variant(-7.0), 3, "0"), " -7");
    EXPECT_EQ(pad(Variant(4567.0), 3, "0"), "567"); // the rightmost digits stay
    EXPECT_EQ(pad(Variant("12abc"), 4, "0"), "0012");

    Variant i{0.0}, d{QString()};
    NumIntDec(Variant(7.2), i, d); // each part in its target's type
    EXPECT_TRUE(i.sameAs(Variant(7.0)));
    EXPECT_TRUE(d.sameAs(Variant("2")));
}

TEST_F(Numbers, MasksAndFormats) {
    EXPECT_EQ(mask(7, 2, 1), "###,##0.00");
    EXPECT_EQ(mask(7, 2, 0), "######0.00");
    EXPECT_EQ(mask(4, 0, 1), "###0");
    EXPECT_EQ(mask(8, 0, 1), "####,##0");
    int i = 0, d = 0, total = 0, grouped = 0, groups = 0;
    NumMscCnt(Variant("-7.2"), i, d, total, grouped, groups);
    EXPECT_EQ((std::vector<int>{i, d, total, grouped, groups}), (std::vector<int>{7, 2, 10, 0, 0}));

    struct Case {
        const char* spec;
        Variant value, opts;
        const char* text;
    } cases[] = {
        {"7.2", Variant(1234567.891), Variant(), "1,234,567.89"},
        {"7.2", Variant(-1234.5), Variant(), "-1,234.50"},
        {"7.2", Variant("1234.5"), Variant(), "1,234.50"},
        {"-7.2", Variant(1234567.25), Variant(), "1234567.25"},
        {"7.2", Variant(0.0), Variant(), "0"}, // a zero keeps its own text
        {"7.2", Variant(), Variant(), ""},
        // Right-aligned in the width of the unformatted text, never cut to it.
        {"7.2", Variant(1.005), Variant(), " 1.01"},
        {"3.0", Variant(1234.4), Variant(), "  1234"},
        {"3.0", Variant(1234.4), Variant("T"), "1234"},
        {"7.2", Variant(12.5), Variant(int16_t(7)), "12.50  "},
        {"7.2", Variant(12.5), Variant("-7"), "  12.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumFmt(Variant(c.spec), c.value, c.opts), c.text) << c.spec;
    setRuntimeLocale(RuntimeLocale{u',', u'.'});
    EXPECT_EQ(NumFmt(Variant("7.2"), Variant(1234.5)), "1.234,50");
}

TEST_F(Numbers, SeparatorFormats) {
    QString out;
    NumFmtCnv(",.", ".,", "1,234.5", out);
    EXPECT_EQ(out, "1.234,5"); // the two separators trade places
    NumFmtCnv(" ,", ".,", "  1 234,5", out);
    EXPECT_EQ(out, "  1.234,5"); // a blank group separator: trimmed first, width kept
}

TEST_F(Numbers, FixedLayoutAndVersionIncrements) {
    EXPECT_EQ(NumFxdTx(Variant(-3.5), "2.0"), "03.5");
    const char* cases[][3] = {
        {"+,1.2", "1.05", "1.06"},
        {"+.0,1.2", "1.05", "2.00"},
        {"+", "1.3", "1.4"},
        // The decimal part carries as a whole number: 1.9 goes to 1.10, never back to 1.1.
        {"+", "1.9", "1.10"},
        {"*.+,1.2", "1.09", "1.10"},
        {"+,1.2", "2.99", "2.100"},
        {"+.0", "1.9", "2.0"},
        {"", " 1.2 ", "1.2"}, // other modes write a text as it is
    };
    for (auto& c : cases)
        EXPECT_EQ(version(c[0], Variant(c[1])), c[2]) << c[0] << " " << c[1];
    EXPECT_EQ(version("+", Variant(1.9)), "1.10");
    EXPECT_EQ(version("=,2.2", Variant(3.5)), "03.05");
    Variant number{0.0};
    NumFxdFmt("+,1.2", Variant(1.05), number);
    EXPECT_TRUE(number.sameAs(Variant(1.06)));
}

TEST_F(Numbers, DivisionAndExtremes) {
    int32_t q = 0, r = 0, p = 0, last = 0;
    NumDivRes(7, 3, q, r, p, last);
    EXPECT_EQ((std::vector<int>{q, r, p, last}), (std::vector<int>{3, 1, 7, 9}));
    NumDivInt(-7, 2, q, r, p, last);
    EXPECT_EQ((std::vector<int>{q, r, p, last}), (std::vector<int>{-3, -1, -6, -5}));
    EXPECT_THROW(NumDivInt(1, 0, q, r, p, last), VbError);
    EXPECT_THROW(NumDivInt(INT32_MIN, -1, q, r, p, last), VbError);

    EXPECT_EQ(NumArrMax(Variant::array({{0, 0}})), 0.0);
    const Variant mixed =
        Variant::list({Variant(5.0), Variant("12abc"), Variant::null(), Variant(int16_t(-3))});
    EXPECT_EQ(NumArrMax(mixed), 12.0); // Null is skipped
    EXPECT_EQ(NumArrMin(mixed), -3.0);
    EXPECT_EQ(NumArrMax(Variant(9.0)), 0.0);
}
