// Text conversion, filling, separators, token arrays, delimiters, replacing and escapes.

#include "FoundationTest.h"
#include "TxtGlb.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

QStringList tokensOf(const QString& text, const QString& sep) {
    QStringList arr;
    int count = 0;
    TxArrSep(text, sep, arr, count);
    EXPECT_EQ(arr.size(), count + 1);
    EXPECT_EQ(arr.at(0), QString());
    return arr.mid(1);
}

} // namespace

TEST(TextConvert, ValuesToText) {
    EXPECT_EQ(TxCnv(Variant(1.5)), "1.5"); // a point whatever the process locale
    EXPECT_EQ(TxCnv(Variant(-0.25)), "-0.25");
    EXPECT_EQ(TxCnv(Variant(202612070000000.0)), "202612070000000");
    EXPECT_EQ(TxCnv(Variant(int16_t(7))), "7");
    EXPECT_EQ(TxCnv(Variant(true)), "True");
    EXPECT_EQ(TxCnv(Variant()), "");
    EXPECT_EQ(TxCnv(Variant(" x ")), " x "); // texts keep their blanks
}

TEST(TextConvert, FailedConversionGivesEmptyTextAndKeepsOutput) {
    const Variant none = TxCnv(Variant::null());
    EXPECT_EQ(none.varType(), vbString);
    EXPECT_EQ(none.rawString(), "");
    QString out = "kept";
    TxCnvPrp(Variant::null(), out);
    EXPECT_EQ(out, "kept");
    TxCnvPrp(Variant::list({Variant(1.0)}), out);
    EXPECT_EQ(out, "kept");
}

TEST(TextConvert, UpperCase) {
    EXPECT_EQ(TxMai("  não ç "), "NÃO Ç");
    EXPECT_EQ(TxMaiVar(Variant(" abc ")), "ABC");
    EXPECT_EQ(TxMaiVar(Variant::null()), "");
    // The locale-aware form uses the runtime's decimal separator, set explicitly.
    const RuntimeLocale saved = runtimeLocale();
    setRuntimeLocale(RuntimeLocale{u',', u'.'});
    EXPECT_EQ(TxMaiVar(Variant(1.5)), "1,5");
    setRuntimeLocale(saved);
    EXPECT_EQ(TxMaiVar(Variant(1.5)), "1.5");
}

TEST(TextPad, Widths) {
    struct Case {
        QString text;
        int width;
        QString padded;
    } cases[] = {
        {"ab", -5, "   ab"}, {"ab", 1, "a"}, {"ab", 4, "ab  "}, {"abcdef", -3, "def"}, {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TxPad(c.text, c.width), c.padded) << c.width;
    EXPECT_EQ(TxPadDir("ab", 4), "ab  ");
    EXPECT_EQ(TxPadDir("abcdef  ", 3), "abcdef");
    EXPECT_EQ(TxRep("ab", 5, "-"), "ab---");
    EXPECT_EQ(TxRep("abcdef", 3, "x"), "abc");
    EXPECT_EQ(TxRep("abc", 2, ""), "ab");
}

TEST(TextPad, NumberWithoutSign) {
    QString out;
    TxPadChr(5, 3, "0", out);
    EXPECT_EQ(out, "005");
    TxPadChr(-5, 3, "0", out);
    EXPECT_EQ(out, "005");
    TxPadChr(5, -3, "*", out);
    EXPECT_EQ(out, "5**");
    TxPadChr(123456, 3, "0", out);
    EXPECT_EQ(out, "456");
}

TEST(TextTokens, SepCutsAndKeepsTheRest) {
    struct Case {
        QString text, sep, token, rest;
        int found;
    } cases[] = {
        {"a=b=c", "=", "a", "b=c", 1},
        {"abc", "=", "abc", "", 0},
        {"a::b", "::", "a", "b", 1},
        {"=x", "=", "", "x", 1},
        {"", "=", "", "", 0},
        // An empty separator counts as absent instead of cutting empty tokens for ever.
        {"abc", "", "abc", "", 0},
    };
    for (const Case& c : cases) {
        QString text = c.text, token = "old";
        int found = -1;
        TxSep(text, c.sep, token, found);
        EXPECT_EQ(token, c.token) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
        EXPECT_EQ(found, c.found) << c.text;
    }
}

TEST(TextTokens, SepVariants) {
    QString text = "a::b", token;
    TxSepChr(text, ":", token);
    EXPECT_EQ(token, "a");
    EXPECT_EQ(text, ":b"); // one character skipped

    text = "a;b";
    TxSepStr(text, "", token);
    EXPECT_EQ(token, "a;b");
    EXPECT_EQ(text, "");

    QString rest;
    TxSepRes("k=v=w", "=", token, rest);
    EXPECT_EQ(token, "k");
    EXPECT_EQ(rest, "v=w");

    QString before, after;
    int found = -1;
    TxSepCut("key", "=", before, after, found);
    EXPECT_EQ(before, "key");
    EXPECT_EQ(after, "");
    EXPECT_EQ(found, 0);

    TxSepMai(" ab : cd ", token, rest, ":");
    EXPECT_EQ(token, "AB");
    EXPECT_EQ(rest, "cd");
    TxSepOpc("nome=x", token, "=");
    EXPECT_EQ(token, "NOME");

    text = "12.5;x";
    double number = 0;
    TxSepVal(text, ";", number);
    EXPECT_DOUBLE_EQ(number, 12.5);
    EXPECT_EQ(text, "x");
}

TEST(TextTokens, SepByPositionCode) {
    struct Case {
        QString codes, text, out, rest;
    } cases[] = {
        {"PS", "a:b", "a", "b"}, {"PS", "ab", "", "ab"},          {"PE", "a:b", "b", "a"},
        {"PE", "ab", "ab", ""},  {"SE", "a:b", "b", "a"},         {"SE", "ab", "", "ab"},
        {"RS", "a:b", "b", "a"}, {"RS", "ab", "", "ab"},          {"XX", "a:b", "a", "b"},
        {"", "ab", "ab", ""},    {"PS M T", " a : b ", "A", "B"}, {"PS T", " a : b ", "a", "b"},
    };
    for (const Case& c : cases) {
        QString text = c.text, out = "old";
        TxSepTip(c.codes, text, ":", out);
        EXPECT_EQ(out, c.out) << c.codes << " " << c.text;
        EXPECT_EQ(text, c.rest) << c.codes << " " << c.text;
    }
    // A grid header "[mark]title" split at "]".
    QString header = "[MRK] Title", out;
    TxSepTip("PE T", header, "]", out);
    EXPECT_EQ(out, "Title");
    EXPECT_EQ(header, "[MRK");
}

TEST(TextTokens, ArraySplit) {
    struct Case {
        QString text, sep;
        QStringList tokens;
    } cases[] = {
        {"a,b,c", ",", {"a", "b", "c"}},
        {",a", ",", {"", "a"}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a,b,", ",", {"a", "b"}}, // no empty last token
        {"", ",", {}},
        {"abc", "", {"abc"}},
        {"a--b--", "--", {"a", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tokensOf(c.text, c.sep), c.tokens) << c.text;
}

TEST(TextTokens, ArraySplitKeepsGivenCountAndGrows) {
    QStringList arr{"stale", "stale"};
    int count = 2;
    TxArrSep("x,y", ",", arr, count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(arr, (QStringList{"", "", "", "x", "y"}));

    QStringList many;
    for (int i = 0; i < 25; ++i)
        many << QString::number(i);
    count = 0;
    TxArrSep(many.join(';'), ";", arr, count);
    EXPECT_EQ(count, 25);
    EXPECT_EQ(arr.size(), 26);
    EXPECT_EQ(arr.at(25), "24");
}

TEST(TextTokens, Searching) {
    int pos = -1;
    TxPsq("R", "a.b.c", ".", pos);
    EXPECT_EQ(pos, 4);
    TxPsq("", "a.b.c", ".", pos);
    EXPECT_EQ(pos, 2);
    TxPsq("R", "abc", ".", pos);
    EXPECT_EQ(pos, 0);

    QString ch;
    TxChrPsq("abc;d", ",;", pos, ch);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(ch, ";");
    TxChrPsq("abc", ",;", pos, ch);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(ch, "");
}

TEST(TextTokens, ListMembershipItemByItem) {
    struct Case {
        QString list, item, sep;
        int member;
    } cases[] = {
        {"AB,A", "a", ",", 1}, // "A" is an item even though "AB" comes first
        {"XA", "a", ",", 0},   // a hit inside an item is no hit
        {"AB,C", "a", ",", 0}, {" b , c ", "C ", ",", 1}, {"a;b", "b", ";", 1}, {"", "a", ",", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TxLisCon(c.list, c.item, c.sep), c.member) << c.list << " " << c.item;
}

TEST(TextTokens, DelimitedParts) {
    QString before, inside, after;
    int len = -1;
    TxDlmExt("x(ab)y", before, inside, after, len, "()");
    EXPECT_EQ(before, "x");
    EXPECT_EQ(inside, "ab");
    EXPECT_EQ(after, "y");
    EXPECT_EQ(len, 4);

    len = -1;
    TxDlmExt("x(ab", before, inside, after, len, "()");
    EXPECT_EQ(before, "x(ab");
    EXPECT_EQ(inside, "");
    EXPECT_EQ(after, "");
    EXPECT_EQ(len, -1); // untouched

    TxDlmExt("a(b(c)d)", before, inside, after, len, "()"); // no nesting
    EXPECT_EQ(inside, "b(c");
    EXPECT_EQ(after, "d)");

    TxDlmSep("k[v]r", "[]", before, inside, after);
    EXPECT_EQ(before, "k");
    EXPECT_EQ(inside, "v");
    EXPECT_EQ(after, "r");
    TxDlmSep("say \"hi\" now", "\"\"", before, inside, after);
    EXPECT_EQ(inside, "hi");
    EXPECT_EQ(after, " now");
}

TEST(TextReplace, FirstOrEveryOccurrence) {
    QString t = "a-b-c";
    TxSbsTx("", t, "-", "+");
    EXPECT_EQ(t, "a+b-c");
    t = "a-b-c";
    TxSbsTx("R", t, "-", "+");
    EXPECT_EQ(t, "a+b+c");
    t = "a-b";
    TxSbsTx("R", t, "-", "--"); // the replacement holds find: nothing happens
    EXPECT_EQ(t, "a-b");
    TxSbsTx("R", t, "", "x");
    EXPECT_EQ(t, "a-b");

    t = "a|b|";
    TxSbsSep(t, "|", "\r\n");
    EXPECT_EQ(t, "a\r\nb");
    t = "a|b";
    TxSbsSep(t, "", "x");
    EXPECT_EQ(t, "a|b");
}

TEST(TextReplace, CharacterCodes) {
    EXPECT_EQ(TxChrLis({Variant("65, 66"), Variant(int16_t(67))}), "ABC");
    EXPECT_EQ(TxChrLis({Variant("65,300"), Variant("66")}), "B"); // bad element skipped whole
    EXPECT_EQ(TxChrLis({Variant::null(), Variant(int16_t(68))}), "D");
    EXPECT_EQ(TxChrLis({Variant("128")}), QString(QChar(0x20AC)));
}

TEST(TextReplace, Escapes) {
    struct Case {
        QString text, expanded;
    } cases[] = {
        {"Achr$(13,10)B", "A\r\nB"},
        {"bin$( 65, 66)", "AB"},
        {"xchr$(65", "xA"},      // no ")": the whole rest is the list
        {"a bin$(300)b", "a b"}, // a code without a character is skipped
        {"chr$(72)i chr$(33)", "Hi !"},
        {"plain", "plain"},
        {"CHR$(65)", "CHR$(65)"}, // the escape is written in lower case
        {"end bin$(", "end "},
    };
    for (const Case& c : cases) {
        QString out;
        TxFxEsc(c.text, out);
        EXPECT_EQ(out, c.expanded) << c.text;
        QString inPlace = c.text;
        TxFxEsc(inPlace);
        EXPECT_EQ(inPlace, c.expanded) << c.text;
    }
}
