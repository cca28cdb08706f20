// Character sets, quoting for scripts, lists, error texts, command-line words, yes/no, typed
// values and formats, outline numbers.

#include "ScopedProcessContext.h"
#include "TestSupport.h"
#include "TxtGlb.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

class CommandWords : public ::testing::Test {
protected:
    void TearDown() override { txtGlbReset(); }
    static QString after(const QString& opts, const QString& word) {
        Variant target{QString()};
        ArgCon(opts, word, target, Variant("dflt"));
        return target.rawString();
    }
};

QString filtered(int mode, const QString& text, const QString& set) {
    QString out;
    TxChrFil(mode, text, set, out);
    return out;
}

} // namespace

TEST(CharacterSets, FilterQuoteAndJoin) {
    const QString nulBlank = QString(" ") + QChar(0);
    EXPECT_EQ(filtered(3, "ab  " + nulBlank + nulBlank, nulBlank), "ab");
    EXPECT_EQ(filtered(0, " a b ", " "), "ab");
    EXPECT_EQ(filtered(1, "  a ", " ") + u'|' + filtered(2, "  a ", " "), "a |  a");
    QString out;
    TxSbs("banana", "a", "bc", out);
    EXPECT_EQ(out, "bbnbnb"); // one character written per hit

    EXPECT_EQ(TxVbsAsp("\"say \"hi\"\""), "\"say 'hi'\""); // one pair of quotes, ' inside
    // A literal cannot hold line breaks or other control characters: Chr pieces instead.
    EXPECT_EQ(TxVbsAsp("a\r\nb"), "\"a\" & Chr(13) & Chr(10) & \"b\"");
    EXPECT_EQ(TxVbsAsp("\tx"), "\"\" & Chr(9) & \"x\"");

    QString t;
    for (const Variant& item : {Variant("a"), Variant(""), Variant(1.5)})
        TxJun(t, ",", item);
    EXPECT_EQ(t, "a,1.5");
    TxJunLin("", t, Variant(""), "");
    TxLinAdi(t, "z");
    EXPECT_EQ(t, "a,1.5\r\n\r\nz");

    QString text, source;
    ErrTx(53, text, source);
    EXPECT_EQ(text, "Erro :  53 - File not found");
    ErrTx(0, text, source);
    EXPECT_EQ(text, "Erro :  5 - Invalid procedure call or argument");
}

TEST_F(CommandWords, FromCommandText) {
    int count = 0;
    ArgIni("prog  -FP  file.par", count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(txtGlbState().ArgLis.join(u'|'), "prog  -FP  file.par|prog|-FP|file.par");
    EXPECT_EQ(after("M", "-fp"), "file.par");
    EXPECT_EQ(after("", "-fp"), "dflt"); // case counts without "M"
    count = 0;
    ArgIni("x -FP", count);
    EXPECT_EQ(after("M", "-FP"), "dflt"); // the last word has no word after it
    txtGlbReset();
    int n = -1;
    ArgNum(n);
    EXPECT_EQ(n, 0);
}

TEST_F(CommandWords, FromProgramArgumentsKeepBlanksAndQuotes) {
    ScopedProcessContext scope;
    scope->setArguments({"/opt/zelvyn/zelvyn", "-FP", "/tmp/My Files/a.par", "\"x\"", "n"});
    int count = 0;
    ArgIni(scope->arguments().mid(1), count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(after("M", "-fp"), "/tmp/My Files/a.par");
    EXPECT_EQ(after("", "/tmp/My Files/a.par"), "\"x\"");
    Variant number{0.0};
    ArgConIdx(9, number, Variant("5"));
    EXPECT_TRUE(number.sameAs(Variant(5.0)));
}

TEST(YesNo, Values) {
    struct Case {
        Variant value;
        int inv;
        const char* asText;
        int asNumber;
    } cases[] = {
        {Variant("sim "), 0, "Sim", 1},
        {Variant("Não"), 0, "Não", 0},
        {Variant("1"), 0, "Sim", 1},
        {Variant("2"), 0, "Não", 0},
        {Variant(2.0), 0, "Não", 0},
        {Variant(true), 0, "Sim", 1},
        {Variant(), 0, "Não", 0},
        {Variant("S"), 1, "Não", 0},
        // Beyond the 16-bit range and Null mean no, instead of an error.
        {Variant(40000.0), 0, "Não", 0},
        {Variant("99999"), 0, "Não", 0},
        {Variant::null(), 0, "Não", 0},
    };
    for (const Case& c : cases) {
        Variant text{QString()}, number{0.0};
        TxSN(c.value, text, c.inv);
        TxSN(c.value, number, c.inv);
        EXPECT_EQ(text.rawString(), c.asText) << ::testing::PrintToString(c.value);
        EXPECT_TRUE(number.sameAs(Variant(int16_t(c.asNumber))));
    }
}

TEST(TypedValues, ConversionsAndFormats) {
    const Variant yes{"S"}, no{0.0};
    EXPECT_TRUE(TxTipCnv(yes, " sn ").sameAs(Variant("S")));
    EXPECT_TRUE(TxTipCnv(no, "TX3").sameAs(Variant("Não")));
    EXPECT_TRUE(TxTipCnv(yes, "VOP:Off,On").sameAs(Variant("On"))); // no first, yes second
    EXPECT_TRUE(TxTipCnv(no, "vop: Desligado , Ligado").sameAs(Variant("Desligado")));
    EXPECT_TRUE(TxTipCnv(yes, "VOP:0,5").sameAs(Variant(5.0)));
    EXPECT_TRUE(TxTipCnv(yes, "TF").sameAs(Variant(true)));
    EXPECT_TRUE(TxTipCnv(no, "OTHER").sameAs(Variant(int16_t(0))));

    const char* formats[][4] = {
        {"DTAMD", "", "2026/12/7", "20261207"}, // the date code after "DT"
        {"dtext", "", "2026/12/7", "7 de Dezembro de 2026"},
        {"DT", "", "26-12-07", "12/07/26"},
        {"N", "7.2", "1234.5", "1,234.50"},
        {"SN", "", "s", "Sim"},
        {"XYZ", "", "as is", "as is"},
    };
    for (auto& f : formats) {
        Variant value{f[2]};
        TxTipFmt(f[0], f[1], value);
        EXPECT_TRUE(value.sameAs(Variant(f[3]))) << f[0];
    }
}

TEST(Outline, LevelsAndNumbering) {
    EXPECT_EQ(NivNum("1.2.3"), 3);
    EXPECT_EQ(NivNum(""), 0);
    QString head, tail;
    NivSep("1.2.3", 1, head, tail);
    EXPECT_EQ(head + u'|' + tail, "1|2.3");
    NivSep("1.2.3", 4, head, tail);
    EXPECT_EQ(head + u'|' + tail, "|");
    int w = -1;
    NivArrCmp({4, 2}, 5, w);
    EXPECT_EQ(w, 4); // beyond the list: entry 0

    QStringList out;
    NivArrOrd({0}, {0, 1, 2, 2, 1, 2}, out);
    EXPECT_EQ(out.join(u' '), " 1 1.1 1.2 2 2.1");
    NivArrOrd({0, 2, 3}, {0, 1, 2, 1, 3}, out); // level 3 lies beyond the widths: entry 0
    EXPECT_EQ(out.join(u' '), " 01 01.001 02 02.001.1");
    NivArrOrd({0}, {0, 2, 3, 1}, out); // a row above the first row's level: its own level
    EXPECT_EQ(out.join(u' '), " 1 1.1 1");
}
