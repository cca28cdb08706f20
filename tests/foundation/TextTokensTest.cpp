// Text conversion, filling, separators, token arrays, delimiters, replacing and escapes.

#include "Convert.h"
#include "TestSupport.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

// The outputs of one cut joined with "|": token|rest|found.
QString sep(QString text, const QString& s) {
    QString token;
    int found = -1;
    TxSep(text, s, token, found);
    return token + u'|' + text + u'|' + QString::number(found);
}

QString sepTip(const QString& codes, QString text) {
    QString out = "old";
    TxSepTip(codes, text, ":", out);
    return out + u'|' + text;
}

QString tokens(const QString& text, const QString& s) {
    QStringList arr;
    int count = 0;
    TxArrSep(text, s, arr, count);
    EXPECT_EQ(arr.size(), count + 1);
    EXPECT_EQ(arr.at(0), "");
    return arr.mid(1).join(u'|');
}

QString escapes(const QString& text) {
    QString out;
    TxFxEsc(text, out);
    return out;
}

} // namespace

TEST(TextConvert, ValuesToText) {
    EXPECT_EQ(TxCnv(Variant(1.5)), "1.5"); // a point whatever the process locale
    EXPECT_EQ(TxCnv(Variant(202612070000000.0)), "202612070000000");
    EXPECT_EQ(TxCnv(Variant(" x ")), " x "); // texts keep their blanks
    // A value without a text: TxCnv gives an empty String, TxCnvPrp leaves its output.
    EXPECT_TRUE(Variant(TxCnv(Variant::null())).sameAs(Variant("")));
    QString out = "kept";
    TxCnvPrp(Variant::null(), out);
    EXPECT_EQ(out, "kept");

    EXPECT_EQ(TxMai("  não ç "), "NÃO Ç");
    EXPECT_EQ(TxMaiVar(Variant::null()), "");
    setRuntimeLocale(RuntimeLocale{u',', u'.'}); // the locale-aware form, set explicitly
    EXPECT_EQ(TxMaiVar(Variant(1.5)), "1,5");
    setRuntimeLocale(RuntimeLocale{});
}

TEST(TextPad, Widths) {
    EXPECT_EQ(TxPad("ab", -5), "   ab");
    EXPECT_EQ(TxPad("abcdef", -3), "def");
    EXPECT_EQ(TxPadDir("abcdef  ", 3), "abcdef");
    EXPECT_EQ(TxRep("ab", 5, "-"), "ab---");
    QString out;
    TxPadChr(-5, 3, "0", out); // the sign position is dropped
    EXPECT_EQ(out, "005");
}

TEST(TextTokens, SepCutsAndKeepsTheRest) {
    EXPECT_EQ(sep("a=b=c", "="), "a|b=c|1");
    EXPECT_EQ(sep("abc", "="), "abc||0");
    EXPECT_EQ(sep("a::b", "::"), "a|b|1");
    EXPECT_EQ(sep("abc", ""), "abc||0"); // an empty separator is absent, not an endless cut

    QString text = "a::b", token, rest;
    TxSepChr(text, ":", token);
    EXPECT_EQ(token + u'|' + text, "a|:b"); // one character skipped
    TxSepMai(" ab : cd ", token, rest, ":");
    EXPECT_EQ(token + u'|' + rest, "AB|cd");
    text = "12.5;x";
    double number = 0;
    TxSepVal(text, ";", number);
    EXPECT_EQ(number, 12.5);
    EXPECT_EQ(text, "x");
}

TEST(TextTokens, SepByPositionCode) {
    const char* cases[][3] = {
        {"PS", "a:b", "a|b"},         {"PS", "ab", "|ab"},        {"PE", "a:b", "b|a"},
        {"PE", "ab", "ab|"},          {"SE", "a:b", "b|a"},       {"SE", "ab", "|ab"},
        {"RS", "ab", "|ab"},          {"XX", "a:b", "a|b"},       {"", "ab", "ab|"},
        {"PS M T", " a : b ", "A|B"}, {"PS T", " a : b ", "a|b"},
    };
    for (auto& c : cases)
        EXPECT_EQ(sepTip(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(TextTokens, ArraySplit) {
    EXPECT_EQ(tokens("a,b,c", ","), "a|b|c");
    EXPECT_EQ(tokens("a,,b", ","), "a||b");
    EXPECT_EQ(tokens("a,b,", ","), "a|b"); // no empty last token
    EXPECT_EQ(tokens("abc", ""), "abc");

    QStringList arr{"stale"};
    int count = 2; // not reset: the tokens follow the given count
    TxArrSep("x,y", ",", arr, count);
    EXPECT_EQ(arr, (QStringList{"", "", "", "x", "y"}));
    count = 0;
    TxArrSep(QString("t;").repeated(25), ";", arr, count);
    EXPECT_EQ(count, 25);
    EXPECT_EQ(arr.size(), 26);
}

TEST(TextTokens, SearchingAndLists) {
    int pos = -1;
    TxPsq("R", "a.b.c", ".", pos);
    EXPECT_EQ(pos, 4);
    TxPsq("", "a.b.c", ".", pos);
    EXPECT_EQ(pos, 2);
    QString ch;
    TxChrPsq("abc", ",;", pos, ch);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(ch, "");

    EXPECT_EQ(TxLisCon("AB,A", "a", ","), 1); // "A" is an item though "AB" comes first
    EXPECT_EQ(TxLisCon("XA", "a", ","), 0);   // a hit inside an item is no hit
    EXPECT_EQ(TxLisCon(" b , c ", "C ", ","), 1);
    EXPECT_EQ(TxLisCon("AB,C", "a", ","), 0);
}

TEST(TextTokens, DelimitedParts) {
    QString before, inside, after;
    int len = -1;
    TxDlmExt("x(ab)y", before, inside, after, len, "()");
    EXPECT_EQ(QStringList({before, inside, after}).join(u'|'), "x|ab|y");
    EXPECT_EQ(len, 4);
    len = -1;
    TxDlmExt("x(ab", before, inside, after, len, "()");
    EXPECT_EQ(QStringList({before, inside, after}).join(u'|'), "x(ab||");
    EXPECT_EQ(len, -1);                                     // untouched
    TxDlmExt("a(b(c)d)", before, inside, after, len, "()"); // no nesting
    EXPECT_EQ(inside + u'|' + after, "b(c|d)");
}

TEST(TextReplace, ReplacingAndCharacterCodes) {
    QString t = "a-b-c";
    TxSbsTx("", t, "-", "+");
    EXPECT_EQ(t, "a+b-c");
    TxSbsTx("R", t, "-", "+");
    EXPECT_EQ(t, "a+b+c");
    TxSbsTx("R", t, "+", "++"); // the replacement holds find: nothing happens
    EXPECT_EQ(t, "a+b+c");
    t = "a|b|";
    TxSbsSep(t, "|", "\r\n");
    EXPECT_EQ(t, "a\r\nb");

    EXPECT_EQ(TxChrLis({Variant("65, 66"), Variant(int16_t(67))}), "ABC");
    EXPECT_EQ(TxChrLis({Variant("65,300"), Variant::null(), Variant("66")}), "B");
}

TEST(TextReplace, Escapes) {
    EXPECT_EQ(escapes("Achr$(13,10)B"), "A\r\nB");
    EXPECT_EQ(escapes("bin$( 65, 66)"), "AB");
    EXPECT_EQ(escapes("xchr$(65"), "xA"); // no ")": the whole rest is the list
    EXPECT_EQ(escapes("a bin$(300)b"), "a b");
    EXPECT_EQ(escapes("chr$(128)"), QString(QChar(0x20AC)));
    EXPECT_EQ(escapes("CHR$(65)"), "CHR$(65)"); // the escape is written in lower case
    QString inPlace = "chr$(72)i";
    TxFxEsc(inPlace);
    EXPECT_EQ(inPlace, "Hi");
    // Inside the codes a "chr$(" reads as "bin$(": "&hbin" is the hexadecimal B.
    EXPECT_EQ(escapes("bin$(&hchr$(66)x"), "\x0Bx");
    // The codes run to the first ")" or the end, whatever they hold.
    EXPECT_EQ(escapes("chrchr$(65)$(bin$(bin$(66)"), QStringLiteral("chrA$(") + QChar(0));
    EXPECT_EQ(escapes("a$(chr$(b$(bin$("), QStringLiteral("a$(") + QChar(0));
}

// Plain digits are read without Val; every other spelling goes through Val, CInt and Chr. Both
// give the character Chr(CInt(Val(code))), and a code without one drops its whole escape.
TEST(TextReplace, EscapeCodesReadAsValReadsThem) {
    const auto viaVal = [](const QString& code) -> QString {
        try {
            return Chr(CInt(Variant(Val(code))));
        } catch (const VbError&) {
            return QStringLiteral("<none>");
        }
    };
    for (int v = 0; v <= 1000; v += v < 300 ? 1 : 97) {
        const QString n = QString::number(v);
        const QStringList forms = {n,
                                   QStringLiteral(" ") + n + QStringLiteral("  "),
                                   QStringLiteral("00") + n,
                                   QStringLiteral("+") + n,
                                   n + QStringLiteral(".4"),
                                   QStringLiteral("&H") + QString::number(v, 16),
                                   QStringLiteral("\t") + n,
                                   n + QStringLiteral("e0"),
                                   QStringLiteral("1") + n,
                                   QStringLiteral("-") + n};
        for (const QString& form : forms) {
            const QString expected = viaVal(form);
            const QString got = escapes(QStringLiteral("<chr$(65,") + form + QStringLiteral(")>"));
            EXPECT_EQ(got, expected == u"<none>"
                               ? QStringLiteral("<>")
                               : QStringLiteral("<A") + expected + QStringLiteral(">"))
                << form.toStdString();
        }
    }
    EXPECT_EQ(escapes("chr$(65,)"), "A"); // a last empty code is no code
    EXPECT_EQ(escapes("chr$(,65)"), QString(QChar(0)) + QStringLiteral("A")); // an empty code is 0
}

// A line of many escapes expands to what each escape gives on its own.
TEST(TextReplace, ManyEscapesOnOneLine) {
    QString line, expected;
    for (int i = 0; i < 100000; ++i) {
        line += i % 3 ? QStringLiteral("chr$(65)") : QStringLiteral("x bin$(66, 67)");
        expected += i % 3 ? QStringLiteral("A") : QStringLiteral("x BC");
    }
    line += QStringLiteral("bin$(300)tail chr$(68");
    expected += QStringLiteral("tail D");
    EXPECT_EQ(escapes(line), expected);
}
