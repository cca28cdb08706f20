// Reading and writing numbers: leading-number rule, fills, masks, separator formats, fixed
// two-part layouts and version increments, integer division, array extremes.

#include "FoundationTest.h"
#include "NumFxd.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

class NumbersTest : public ::testing::Test {
protected:
    void TearDown() override {
        numFxdReset();
        setRuntimeLocale(RuntimeLocale{});
    }
};

Variant arrayOf(std::vector<Variant> values) {
    return Variant::list(std::move(values));
}

} // namespace

TEST_F(NumbersTest, ReadLeadingNumber) {
    struct Case {
        Variant value;
        Variant expected;
    } cases[] = {
        {Variant("12,5"), Variant(12.0)},
        {Variant(" 3.75abc"), Variant(3.75)},
        {Variant(""), Variant(0.0)},
        {Variant("&HFF"), Variant(255.0)},
        {Variant("-.5"), Variant(-0.5)},
        {Variant(int16_t(7)), Variant(int16_t(7))}, // other values are copied unchanged
        {Variant(), Variant()},
        {Variant(true), Variant(true)},
    };
    for (const Case& c : cases) {
        Variant result;
        NumVal(c.value, result);
        EXPECT_TRUE(result.sameAs(c.expected)) << ::testing::PrintToString(c.value);
    }
    EXPECT_EQ(NumDbl(Variant()), 0.0);
    EXPECT_EQ(NumDbl(Variant(true)), -1.0);
    EXPECT_EQ(NumDbl(Variant("1e3")), 1000.0);
    EXPECT_THROW(NumDbl(Variant::null()), VbError);
}

TEST_F(NumbersTest, InputFormat) {
    QString out;
    NumFmtEntCnv(" ,", "1 234,5", out);
    EXPECT_EQ(out, "1234.5");
    NumFmtEntCnv(".,", "1.234.567,89", out);
    EXPECT_EQ(out, "1234567.89");
    NumFmtEntCnv("", "1,5", out);
    EXPECT_EQ(out, "1,5");

    EXPECT_EQ(NumTxValVar("1.234,5"), 1.234); // no input format: "." is the decimal point
    numFxdState().NumFmtEnt = ".,";
    EXPECT_EQ(NumTxValVar("1.234,5"), 1234.5);
    double d = 0;
    NumTxDbl("2,25", d);
    EXPECT_EQ(d, 2.25);
}

TEST_F(NumbersTest, PadWithFill) {
    struct Case {
        Variant value;
        int width;
        QString fill, text;
    } cases[] = {
        {Variant(7.0), 3, "0", "007"},      {Variant(-7.0), 3, "0", " -7"},
        {Variant(4567.0), 3, "0", "567"},   {Variant(7.0), 0, "0", "7"},
        {Variant("12abc"), 4, "0", "0012"}, {Variant(2.5), 5, "*", "**2.5"},
        {Variant(int16_t(3)), 2, "", " 3"},
    };
    for (const Case& c : cases) {
        QString out;
        NumTxPad(c.value, c.width, c.fill, out);
        EXPECT_EQ(out, c.text) << c.width;
    }
}

TEST_F(NumbersTest, IntegerAndDecimalParts) {
    Variant i{0.0}, d{0.0};
    NumIntDec(Variant(7.2), i, d);
    EXPECT_TRUE(i.sameAs(Variant(7.0)));
    EXPECT_TRUE(d.sameAs(Variant(2.0)));
    Variant ti{QString()}, td{QString()};
    NumIntDec(Variant(15.0), ti, td);
    EXPECT_EQ(ti.rawString(), "15");
    EXPECT_EQ(td.rawString(), "");

    double ip = 0, dp = 0;
    NumFxdDig(Variant("1.09"), ip, dp);
    EXPECT_EQ(ip, 1);
    EXPECT_EQ(dp, 9);
    Variant spc{QString()};
    NumFxdSpc(1, 6, spc);
    EXPECT_EQ(spc.rawString(), "1.6");
    Variant num{0.0};
    NumFxdSpc(1, 6, num);
    EXPECT_TRUE(num.sameAs(Variant(1.6)));
}

TEST_F(NumbersTest, MaskFromDigits) {
    struct Case {
        int intDigits, decDigits, grouped;
        QString mask;
    } cases[] = {
        {7, 2, 1, "###,##0.00"}, {7, 2, 0, "######0.00"}, {4, 0, 1, "###0"},
        {8, 0, 1, "####,##0"},   {3, 0, 1, "##0"},        {0, 2, 1, ".00"},
    };
    for (const Case& c : cases) {
        QString mask;
        NumMscTx(c.intDigits, c.decDigits, c.grouped, mask);
        EXPECT_EQ(mask, c.mask) << c.intDigits << "." << c.decDigits;
    }
    int i = 0, d = 0, total = 0, grouped = 0, groups = 0;
    NumMscCnt(Variant("7.2"), i, d, total, grouped, groups);
    EXPECT_EQ((std::vector<int>{i, d, total, grouped, groups}), (std::vector<int>{7, 2, 10, 1, 2}));
    NumMscCnt(Variant("-7.2"), i, d, total, grouped, groups);
    EXPECT_EQ((std::vector<int>{i, d, total, grouped, groups}), (std::vector<int>{7, 2, 10, 0, 0}));
    NumMscCnt(Variant(5.0), i, d, total, grouped, groups);
    EXPECT_EQ((std::vector<int>{i, d, total, grouped, groups}), (std::vector<int>{5, 0, 5, 1, 2}));
}

TEST_F(NumbersTest, FormatByMask) {
    struct Case {
        QString spec;
        Variant value;
        Variant opts;
        QString text;
    } cases[] = {
        {"7.2", Variant(1234567.891), Variant(), "1,234,567.89"},
        {"7.2", Variant(1.5), Variant(), "1.50"},
        {"7.2", Variant(-1234.5), Variant(), "-1,234.50"},
        {"7.2", Variant(1.005), Variant(), " 1.01"}, // in the width of "1.005"
        {"7.2", Variant("1234.5"), Variant(), "1,234.50"},
        {"-7.2", Variant(1234567.891), Variant(), " 1234567.89"},
        {"7.2", Variant(0.0), Variant(), "0"}, // a zero keeps its own text
        {"7.2", Variant(), Variant(), ""},
        {"7.2", Variant(-0.001), Variant(), "  0.00"},
        // Shorter than the unformatted text: right-aligned in its width...
        {"3.0", Variant(1234.4), Variant(), "  1234"},
        {"7.2", Variant(2.0), Variant(), "2.00"},
        // ...and longer: never cut.
        {"7.2", Variant(1234567.5), Variant(), "1,234,567.50"},
        {"3.0", Variant(1234.4), Variant("T"), "1234"},
        {"7.2", Variant(12.5), Variant(int16_t(8)), "12.50   "},
        {"7.2", Variant(12.5), Variant("-8"), "   12.50"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumFmt(Variant(c.spec), c.value, c.opts), c.text)
            << c.spec << " " << ::testing::PrintToString(c.value);

    setRuntimeLocale(RuntimeLocale{u',', u'.'});
    EXPECT_EQ(NumFmt(Variant("7.2"), Variant(1234.5)), "1.234,50");
}

TEST_F(NumbersTest, SeparatorFormats) {
    QString out;
    NumFmtCnv(",.", ".,", "1,234.5", out);
    EXPECT_EQ(out, "1.234,5"); // the two separators trade places
    NumFmtCnv(" ,", ".,", "  1 234,5", out);
    EXPECT_EQ(out, "  1.234,5"); // a blank group separator: trimmed first, width kept
    NumFmtSaiCnv("", "1,5", out);
    EXPECT_EQ(out, "1,5");
    numFxdState().NumFmtSai = ",.";
    NumFmtSaiCnv(" ,", "12,345.6", out);
    EXPECT_EQ(out, "12 345,6");
}

TEST_F(NumbersTest, FixedTwoPartLayout) {
    EXPECT_EQ(NumFxdTx(Variant(1.05), "1.2"), "1.05");
    EXPECT_EQ(NumFxdTx(Variant(-3.5), "2.0"), "03.5");
    EXPECT_EQ(NumFxdTx(Variant(2.0), "0.0"), "2.0");
}

TEST_F(NumbersTest, VersionIncrements) {
    struct Case {
        QString spec;
        Variant value;
        QString text;
    } cases[] = {
        {"+,1.2", Variant(1.05), "1.06"},
        {"+.0,1.2", Variant(1.05), "2.00"},
        {"+", Variant(1.3), "1.4"},
        {"*.+", Variant(1.3), "1.4"},
        // The decimal part carries as a whole number: 1.9 goes to 1.10, never back to 1.1.
        {"+", Variant("1.9"), "1.10"},
        {"+", Variant(1.9), "1.10"},
        {"*.+,1.2", Variant("1.09"), "1.10"},
        {"+,1.2", Variant("2.99"), "2.100"},
        {"+.0", Variant("1.9"), "2.0"},
        // Other modes only write the value.
        {"=,2.2", Variant(3.5), "03.05"},
        {"", Variant(3.5), "3.5"},
        {"", Variant(" 1.2 "), "1.2"},
    };
    for (const Case& c : cases) {
        Variant out{QString()};
        NumFxdFmt(c.spec, c.value, out);
        EXPECT_TRUE(out.isString());
        EXPECT_EQ(out.rawString(), c.text) << c.spec << " " << ::testing::PrintToString(c.value);
    }
    Variant number{0.0};
    NumFxdFmt("+,1.2", Variant(1.05), number);
    EXPECT_TRUE(number.sameAs(Variant(1.06)));
}

TEST_F(NumbersTest, IntegerDivision) {
    int32_t q = 0, r = 0, p = 0, last = 0;
    NumDivRes(7, 3, q, r, p, last);
    EXPECT_EQ((std::vector<int>{q, r, p, last}), (std::vector<int>{3, 1, 7, 9}));
    NumDivInt(7, 3, q, r, p, last);
    EXPECT_EQ((std::vector<int>{q, r, p, last}), (std::vector<int>{2, 1, 6, 8}));
    NumDivInt(-7, 2, q, r, p, last);
    EXPECT_EQ((std::vector<int>{q, r, p, last}), (std::vector<int>{-3, -1, -6, -5}));
    EXPECT_THROW(NumDivInt(1, 0, q, r, p, last), VbError);
    EXPECT_THROW(NumDivInt(INT32_MIN, -1, q, r, p, last), VbError);
}

TEST_F(NumbersTest, ArrayExtremes) {
    Variant onlyZero = Variant::array({{0, 0}});
    EXPECT_EQ(NumArrMax(onlyZero), 0.0);
    const Variant mixed =
        arrayOf({Variant(5.0), Variant("12abc"), Variant::null(), Variant(int16_t(-3))});
    EXPECT_EQ(NumArrMax(mixed), 12.0);
    EXPECT_EQ(NumArrMin(mixed), -3.0);
    EXPECT_EQ(NumArrMax(arrayOf({Variant::null()})), 0.0);
    EXPECT_EQ(NumArrMax(Variant(9.0)), 0.0);
    EXPECT_EQ(NumArrMin(arrayOf({Variant(-2.0), Variant(-8.0)})), -8.0);

    Variant a{1.0}, b{"x"};
    VarTroca(a, b);
    EXPECT_TRUE(a.sameAs(Variant("x")));
    EXPECT_TRUE(b.sameAs(Variant(1.0)));
}
