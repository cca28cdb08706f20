// Text functions: Windows-1252 case and code tables, positions, argument errors, Split/Join.
#include "Text.h"
#include "TestSupport.h"
#include "ValueLimit.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

TEST(Text, CaseFollowsWindows1252NotTheLocale) {
    EXPECT_EQ(UCase(u"ação ß ÿ"), u"AÇÃO ß Ÿ");
    EXPECT_EQ(LCase(u"AÇÃO ß Ÿ"), u"ação ß ÿ");
    EXPECT_EQ(UCase(u"šœž×÷µ"), u"ŠŒŽ×÷µ");
    EXPECT_EQ(LCase(u"ŠŒŽ×÷Ð"), u"šœž×÷ð");
    // Letters outside the code page stay as they are.
    EXPECT_EQ(UCase(u"ąǆ"), u"ąǆ");
    EXPECT_TRUE(equalsNoCase(u"Ação", u"AÇÃO"));
    EXPECT_FALSE(equalsNoCase(u"ß", u"SS"));
    EXPECT_EQ(compareText(u"abc", u"ABD", CompareMode::Text), -1);
    EXPECT_EQ(compareText(u"abc", u"ABC", CompareMode::Binary), 1);
    EXPECT_EQ(StrComp(u"ab", u"abc"), -1);
}

TEST(Text, ChrAndAscGoThroughWindows1252) {
    EXPECT_EQ(Chr(128), u"€");
    EXPECT_EQ(Asc(u"€"), 128);
    EXPECT_EQ(Chr(0x8D), QString(QChar(char16_t(0x8D))));
    EXPECT_EQ(Asc(u"Ÿ"), 0x9F);
    EXPECT_EQ(Asc(u"ção"), 0xE7);
    EXPECT_EQ(Asc(u"Ω"), 63);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(Asc(Chr(b)), b) << b;
    EXPECT_EQ(errorOf([] { Chr(256); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { Asc(u""); }), err::InvalidCall);
    EXPECT_EQ(ChrW(-1), QString(QChar(char16_t(0xFFFF))));
    EXPECT_EQ(AscW(u"€"), 0x20AC);
    EXPECT_EQ(errorOf([] { ChrW(65536); }), err::InvalidCall);
}

TEST(Text, MidLeftRightAndTheirArgumentErrors) {
    const QString s = QStringLiteral("abcdef");
    EXPECT_EQ(Mid(s, 2, 3), u"bcd");
    EXPECT_EQ(Mid(s, 5, 10), u"ef");
    EXPECT_EQ(Mid(s, 7), u"");
    EXPECT_EQ(Mid(s, 100, 2), u"");
    EXPECT_EQ(Right(s, 2), u"ef");
    EXPECT_EQ(errorOf([&] { Mid(s, 0); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { Mid(s, 1, -2); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { Left(s, -1); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { Right(s, -1); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { Space(-1); }), err::InvalidCall);
    EXPECT_EQ(Trim(u" \ta b\t "), u"\ta b\t");
}

TEST(Text, InStrEdges) {
    struct Case {
        int start;
        const char16_t* s;
        const char16_t* find;
        CompareMode mode;
        int expected;
    };
    const Case cases[] = {
        {1, u"abcabc", u"bc", CompareMode::Binary, 2},
        {3, u"abcabc", u"bc", CompareMode::Binary, 5},
        {1, u"abcabc", u"BC", CompareMode::Binary, 0},
        {1, u"ABCÇÃ", u"çã", CompareMode::Text, 4},
        {2, u"abc", u"", CompareMode::Binary, 2},
        {4, u"abc", u"", CompareMode::Binary, 4},
        {5, u"abc", u"", CompareMode::Binary, 0},
        {1, u"", u"", CompareMode::Binary, 0},
        {4, u"abc", u"c", CompareMode::Binary, 0},
        {1, u"abc", u"abcd", CompareMode::Binary, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InStr(c.start, c.s, c.find, c.mode), c.expected)
            << QString::fromUtf16(c.s).toStdString() << " " << c.start;
    EXPECT_EQ(errorOf([] { InStr(0, u"a", u"a"); }), err::InvalidCall);

    EXPECT_EQ(InStrRev(u"abcabc", u"bc"), 5);
    EXPECT_EQ(InStrRev(u"abcabc", u"bc", 5), 2);
    EXPECT_EQ(InStrRev(u"abcabc", u"BC", -1, CompareMode::Text), 5);
    EXPECT_EQ(InStrRev(u"abc", u""), 3);
    EXPECT_EQ(InStrRev(u"abc", u"a", 4), 0);
    EXPECT_EQ(errorOf([] { InStrRev(u"abc", u"a", 0); }), err::InvalidCall);
}

TEST(Text, ReplaceDropsThePartBeforeStart) {
    EXPECT_EQ(Replace(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+")), u"a+b+c");
    EXPECT_EQ(Replace(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral("+"), 3),
              u"b+c");
    EXPECT_EQ(Replace(QStringLiteral("a-b-c"), QStringLiteral("-"), QStringLiteral(""), 1, 1),
              u"ab-c");
    EXPECT_EQ(Replace(QStringLiteral("aXbxc"), QStringLiteral("x"), QStringLiteral("_"), 1, -1,
                      CompareMode::Text),
              u"a_b_c");
    EXPECT_EQ(Replace(QStringLiteral("abc"), QStringLiteral(""), QStringLiteral("z"), 2), u"bc");
    EXPECT_EQ(Replace(QStringLiteral("abc"), QStringLiteral("b"), QStringLiteral("z"), 4), u"");
    // A replacement that contains the searched text is not searched again.
    EXPECT_EQ(Replace(QStringLiteral("aa"), QStringLiteral("a"), QStringLiteral("aa")), u"aaaa");
    EXPECT_EQ(errorOf([] { Replace(QStringLiteral("a"), QStringLiteral("a"), {}, 0); }),
              err::InvalidCall);
    EXPECT_EQ(errorOf([] { Replace(QStringLiteral("a"), QStringLiteral("a"), {}, 1, -2); }),
              err::InvalidCall);
}

// Texts built from a count or grown by a function stop at the size limit with 7.
TEST(Text, TextsPastTheSizeLimitRaise7) {
    EXPECT_EQ(errorOf([] { String(1073741824, QChar(u'a')); }), err::OutOfMemory);
    EXPECT_EQ(errorOf([] { Space(2000000000); }), err::OutOfMemory);
    setValueSizeLimit(2000); // 1000 characters
    EXPECT_EQ(Space(1000).size(), 1000);
    EXPECT_EQ(errorOf([] { Space(1001); }), err::OutOfMemory);
    const QString half(500, u'a');
    EXPECT_EQ(opConcat(Variant(half), Variant(half)).rawString().size(), 1000);
    EXPECT_EQ(errorOf([&] { opConcat(Variant(half + u'b'), Variant(half)); }), err::OutOfMemory);
    EXPECT_EQ(errorOf([&] { opAdd(Variant(half + u'b'), Variant(half)); }), err::OutOfMemory);
    EXPECT_EQ(errorOf([&] { opConcat(Variant(half), Variant(501)); }), 0);
    EXPECT_EQ(errorOf([&] { Replace(half, QStringLiteral("a"), QStringLiteral("aaa")); }),
              err::OutOfMemory);
    EXPECT_EQ(Replace(half, QStringLiteral("a"), QStringLiteral("bb"), 1, 500).size(), 1000);
    EXPECT_EQ(errorOf([&] {
                  Join(QStringList{half, half}, QStringLiteral(","));
              }),
              err::OutOfMemory);
    EXPECT_EQ(errorOf([&] {
                  JoinV(Variant::list({Variant(half), Variant(half)}), QStringLiteral("-"));
              }),
              err::OutOfMemory);
    setValueSizeLimit(0);
}

TEST(Text, SplitAndJoin) {
    EXPECT_EQ(Split(QStringLiteral("a b  c")), (QStringList{"a", "b", "", "c"}));
    EXPECT_TRUE(Split(QString()).isEmpty());
    EXPECT_EQ(SplitV(QString()).array().ubound(1), -1); // UBound(Split("")) is -1
    EXPECT_EQ(Split(QStringLiteral("a,b,c"), QStringLiteral(","), 2), (QStringList{"a", "b,c"}));
    EXPECT_TRUE(Split(QStringLiteral("a,b"), QStringLiteral(","), 0).isEmpty());
    EXPECT_EQ(Split(QStringLiteral("a,b"), QString()), (QStringList{"a,b"}));
    EXPECT_EQ(Split(QStringLiteral("1x2X3"), QStringLiteral("x"), -1, CompareMode::Text),
              (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Split(QStringLiteral("a,"), QStringLiteral(",")), (QStringList{"a", ""}));
    EXPECT_EQ(errorOf([] { Split(QStringLiteral("a"), QStringLiteral(","), -2); }),
              err::InvalidCall);

    const Variant parts = SplitV(QStringLiteral("x;y"), QStringLiteral(";"));
    ASSERT_TRUE(parts.isArray());
    EXPECT_EQ(parts.array().lbound(), 0);
    EXPECT_EQ(parts.array().ubound(), 1);
    EXPECT_EQ(parts.array().at1(1).rawString(), u"y");

    const Variant mixed = Variant::list({Variant("a"), Variant(int32_t(2)), Variant(true)});
    EXPECT_EQ(JoinV(mixed, QStringLiteral("-")), u"a-2-True");
    EXPECT_EQ(JoinV(Variant::emptyArray()), u"");
    EXPECT_EQ(errorOf([] { JoinV(Variant("a")); }), err::TypeMismatch);
}
