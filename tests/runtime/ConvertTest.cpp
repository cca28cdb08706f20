// Conversions: strict and lenient number reading, number text, type names.
#include "Convert.h"
#include "Dispatch.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

TEST(Conversions, StrictIntegerConversionsRoundHalfToEvenAndCheckRange) {
    EXPECT_EQ(CInt(Variant("2.5")), 2);
    EXPECT_EQ(CInt(Variant("3.5")), 4);
    EXPECT_EQ(CInt(Variant(-2.5)), -2);
    EXPECT_EQ(CInt(Variant(" 7 ")), 7);
    EXPECT_EQ(CInt(Variant()), 0);
    EXPECT_EQ(CInt(Variant(true)), -1);
    EXPECT_EQ(CLng(Variant("&HFFFF")), -1);
    EXPECT_EQ(CLng(Variant("&H10000")), 65536);
    EXPECT_EQ(CLng(Variant(2147483647.0)), 2147483647);
    EXPECT_EQ(CByte(Variant(255.4)), 255);

    EXPECT_EQ(errorOf([] { CInt(Variant("7x")); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { CInt(Variant("")); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { CInt(Variant("12,5")); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { CInt(Variant(int32_t(40000))); }), err::Overflow);
    EXPECT_EQ(errorOf([] { CInt(Variant(32767.5)); }), err::Overflow);
    EXPECT_EQ(errorOf([] { CLng(Variant::null()); }), err::InvalidNull);
    EXPECT_EQ(errorOf([] { CByte(Variant(-1)); }), err::Overflow);
    EXPECT_EQ(errorOf([] { CDbl(Variant::list({})); }), err::TypeMismatch);
}

TEST(Conversions, BooleanAndCurrency) {
    EXPECT_TRUE(CBool(Variant("true")));
    EXPECT_FALSE(CBool(Variant(" FALSE ")));
    EXPECT_TRUE(CBool(Variant("-0.5")));
    EXPECT_FALSE(CBool(Variant(0.0)));
    EXPECT_EQ(errorOf([] { CBool(Variant("yes")); }), err::TypeMismatch);
    EXPECT_EQ(CCur(Variant("1.23456")), 12346);
    EXPECT_EQ(currencyText(CCur(Variant(-2.5))), "-2.5");
}

TEST(Conversions, LenientLeadingNumber) {
    EXPECT_EQ(Val(u"12,5"), 12);
    EXPECT_EQ(Val(u"  &H1F "), 31);
    EXPECT_EQ(Val(u"1e3x"), 1000);
    EXPECT_EQ(Val(u"1 2 3"), 123);
    EXPECT_EQ(Val(u"-1.5.6"), -1.5);
    EXPECT_EQ(Val(u"&O17"), 15);
    EXPECT_EQ(Val(u"&HFFFF"), -1);
    EXPECT_EQ(Val(u"abc"), 0);
    EXPECT_EQ(Val(u""), 0);
    EXPECT_EQ(Val(u"1e"), 1);
    EXPECT_EQ(Val(u".5"), 0.5);
    // Blanks, tabs and line ends between any two characters of the number are passed over.
    const std::pair<const char16_t*, double> blanks[] = {{u" - 1 . 5 e 2", -150},
                                                         {u"\t+\t3\r\n4", 34},
                                                         {u"1 2 . 5x", 12.5},
                                                         {u"- .5", -0.5},
                                                         {u"1.5 E+ 2", 150},
                                                         {u"2 d -1", 0.2},
                                                         {u" & h 1 f", 31},
                                                         {u"1e + x", 1},
                                                         {u"  ", 0},
                                                         {u"- x1", 0},
                                                         {u"Texto 12", 0},
                                                         {u"7 . . 5", 7}};
    for (const auto& [text, value] : blanks)
        EXPECT_EQ(Val(text), value) << QString::fromUtf16(text).toStdString();
}

// A value too small for a Double reads as 0 in Val and in the strict conversions alike (an
// underflow is no overflow), however its digits are written; one too large overflows.
TEST(Conversions, UnderflowReadsAsZeroOverflowRaises) {
    const char16_t* tiny[] = {u"1e-400", u"-1e-400", u"0.0000001e-320", u"1000e-330",
                              u"1e-99999999999999999999"};
    for (const char16_t* text : tiny) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(Val(text), 0);
        EXPECT_EQ(CDbl(Variant(QString::fromUtf16(text))), 0);
        EXPECT_TRUE(IsNumeric(Variant(QString::fromUtf16(text))));
    }
    EXPECT_EQ(Val(u"1e-310"), 1e-310); // a subnormal is kept
    for (const char16_t* text : {u"1e400", u"6e401", u"0.01e311", u"1000000e303"})
        EXPECT_EQ(errorOf([&] { Val(text); }), err::Overflow)
            << QString::fromUtf16(text).toStdString();
    double d = 5;
    EXPECT_EQ(readDecimal("0.000001e+300", d), DecimalRead::Ok);
    EXPECT_EQ(d, 1e294);
    EXPECT_EQ(readDecimal(std::string(400, '0') + "1e-10", d), DecimalRead::Ok);
    EXPECT_EQ(d, 1e-10);
    EXPECT_EQ(readDecimal("0." + std::string(400, '0') + "1e+50", d), DecimalRead::Ok);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(readDecimal("1" + std::string(400, '0'), d), DecimalRead::Overflow);
    EXPECT_EQ(readDecimal("x", d), DecimalRead::Invalid);
}

TEST(Conversions, IsNumericFollowsTheStrictReader) {
    EXPECT_FALSE(IsNumeric(Variant("")));
    EXPECT_TRUE(IsNumeric(Variant()));
    EXPECT_TRUE(IsNumeric(Variant(" -1.5e3 ")));
    EXPECT_TRUE(IsNumeric(Variant("&H1F")));
    EXPECT_TRUE(IsNumeric(Variant(true)));
    EXPECT_FALSE(IsNumeric(Variant("1,5")));
    EXPECT_FALSE(IsNumeric(Variant("1.5.")));
    EXPECT_FALSE(IsNumeric(Variant::null()));
    EXPECT_FALSE(IsNumeric(Variant("e3")));
}

TEST(Conversions, NumberText) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {1.0 / 3, "0.333333333333333"},
        {202612070000000.0, "202612070000000"},
        {1e15, "1E+15"},
        {1.5e-7, "1.5E-07"},
        {0.1 + 0.2, "0.3"},
        {0.00001, "0.00001"},
        {0.000001, "1E-06"},
        {-12.5, "-12.5"},
        {100.0, "100"},
        {123456789012345.6, "123456789012346"},
        {1e100, "1E+100"},
        {0.0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStr(Variant(c.value)), QString::fromLatin1(c.text)) << c.text;
    EXPECT_EQ(CStr(Variant(CSng(Variant(1.0 / 3)))), "0.3333333");
    EXPECT_EQ(CStr(Variant(float(12345678))), "1.234568E+07");
    EXPECT_EQ(CStr(Variant(int16_t(-5))), "-5");
    EXPECT_EQ(CStr(Variant(true)), "True");
    EXPECT_EQ(CStr(Variant()), "");
    EXPECT_EQ(errorOf([] { CStr(Variant::null()); }), err::InvalidNull);
    EXPECT_EQ(Str(Variant(int16_t(5))), " 5");
    EXPECT_EQ(Str(Variant(-5)), "-5");
    EXPECT_EQ(Str(Variant(0.5)), " 0.5");
    EXPECT_EQ(Str(Variant("x")), "x");
}

TEST(Conversions, DateText) {
    EXPECT_EQ(dateText(0), "30/12/1899");
    EXPECT_EQ(dateText(36526), "01/01/2000");
    EXPECT_EQ(dateText(36526.5), "01/01/2000 12:00:00");
    EXPECT_EQ(dateText(0.25), "06:00:00");
    EXPECT_EQ(dateText(-1.5), "29/12/1899 12:00:00");
}

TEST(Conversions, TypeNamesAndVarTypes) {
    EXPECT_EQ(TypeName(Variant()), "Empty");
    EXPECT_EQ(TypeName(Variant::null()), "Null");
    EXPECT_EQ(TypeName(Variant(int16_t(1))), "Integer");
    EXPECT_EQ(TypeName(Variant(1)), "Long");
    EXPECT_EQ(TypeName(Variant(1.0)), "Double");
    EXPECT_EQ(TypeName(Variant(float(1))), "Single");
    EXPECT_EQ(TypeName(Variant::date(1)), "Date");
    EXPECT_EQ(TypeName(Variant("")), "String");
    EXPECT_EQ(TypeName(Variant::nothing()), "Nothing");
    EXPECT_EQ(TypeName(Variant(std::make_shared<SimpleDispatch>("Thing"))), "Thing");
    EXPECT_EQ(TypeName(Variant::list({})), "Variant()");
    EXPECT_EQ(VarTypeOf(Variant::list({})), vbArray + vbVariant);
    EXPECT_EQ(VarTypeOf(Variant(uint8_t(1))), vbByte);
    EXPECT_EQ(VarTypeOf(Variant::missing()), vbError);
    EXPECT_TRUE(Variant::missing().isMissing());
}
