// Property texts "[KEY=value]..." with nested entries, and condition lists.

#include "TestSupport.h"
#include "TxtGlb.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

// The value read into a text target and the found flag: "value/found".
QString read(const QString& prm, const QString& key) {
    Variant target{QString("old")};
    int found = -1;
    PrmCon(prm, key, target, found);
    return target.rawString() + u'/' + QString::number(found);
}

QString set(QString prm, const QString& key, const Variant& value) {
    PrmReg(prm, key, value);
    return prm;
}

} // namespace

TEST(PropertyText, ReadsTopLevelEntries) {
    const char* cases[][3] = {
        {"[FON=[NOM=Arial][TAM=9]][COR=1]", "fon", "[NOM=Arial][TAM=9]/1"}, // nested value whole
        {"[A=1][A=2]", "A", "1/1"},                     // the first entry counts
        {"[a=1]", "a", "/0"},                           // keys are stored upper-case
        {"junk [B=2] more", "B", "2/1"},                // text between entries is no entry
        {"[X=1[B=2]", "B", "2/1"},                      // an entry left open hides nothing
        {"[FON=[NOM=Arial]][NOM=Doc]", "NOM", "Doc/1"}, // a key inside a nested value is
        {"[FON=[TAM=9]]", "TAM", "/0"},                 // part of that value
    };
    for (auto& c : cases)
        EXPECT_EQ(read(c[0], c[1]), c[2]) << c[0];

    Variant number{7.0};
    int found = -1;
    PrmCon("[A=1]", "B", number, found); // absent: the target is still assigned
    EXPECT_TRUE(number.sameAs(Variant(0.0)));
    PrmConOpc("[N=12,5]", "N", number, found);
    EXPECT_TRUE(number.sameAs(Variant(12.0)));
}

TEST(PropertyText, SettingMovesTheEntryToTheEnd) {
    EXPECT_EQ(set("[A=1][B=x]", "A", Variant(int16_t(2))), "[B=x][A=2]");
    EXPECT_EQ(set("[A=1][A=2]", "a", Variant(" 3 ")), "[A=2][A= 3 ]"); // only the first goes
    EXPECT_EQ(set("", "d", Variant(1.5)), "[D=1.5]");
    // Setting a key never rewrites the nested value of another entry.
    EXPECT_EQ(set("[FON=[NOM=Arial][TAM=9]][NOM=Doc]", "NOM", Variant("X")),
              "[FON=[NOM=Arial][TAM=9]][NOM=X]");
    EXPECT_EQ(set("[FON=[TAM=9]]", "tam", Variant(10.0)), "[FON=[TAM=9]][TAM=10]");
}

TEST(PropertyText, ParsesWholeTextAndYesNo) {
    QList<QStringList> arr;
    int count = 0;
    PrmArrLer("[a = 1][B=x=y] [FON=[NOM=A]]", arr, count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(arr.at(0).join(u'|'), "|A|B|FON");
    EXPECT_EQ(arr.at(1).join(u'|'), "| 1|x=y|[NOM=A]");

    QString prm;
    Variant yes{"sim"}, off{0.0};
    PrmSN("A", "ATV", prm, yes);
    PrmSN("A", "VIS", prm, off);
    EXPECT_EQ(prm, "[ATV=S][VIS=N]");
    Variant text{QString()}, number{0.0};
    PrmSN("", "ATV", prm, text);
    PrmSN("", "ATV", prm, number);
    EXPECT_TRUE(text.sameAs(Variant("S")));
    EXPECT_TRUE(number.sameAs(Variant(int16_t(1))));
}

TEST(Conditions, ListsAndOperators) {
    // list, value, prefix rule, equality rule
    const char* lists[][4] = {
        {"AB,C", "ABC", "1", "0"}, {"AB,C", "CD", "1", "0"}, {"AB,C", "B", "0", "0"},
        {"AB,C", "C", "1", "1"},   {"*", "", "1", "1"},      {"A,,B", "x", "1", "0"},
    };
    for (auto& c : lists) {
        int prefix = -1, equal = -1;
        CndLis(c[0], c[1], prefix);
        CndLisExe(c[0], c[1], equal);
        EXPECT_EQ(QString::number(prefix) + QString::number(equal), QString(c[2]) + c[3])
            << c[0] << " " << c[1];
    }
    const char* ops[][4] = {
        {"b", "=", "B", "0"},       {"10", "<", "9", "1"},        {"a", ">=", "a", "1"},
        {"b", "<=", "a", "0"},      {"a", "<>", "A", "1"},        {"abc", "LIKE", "a*", "1"},
        {"a1", "like", "a#", "1"},  {"ax", "LIKE", "a[!x]", "0"}, {"b", "LIKE", "[a-c]", "1"},
        {"abc", "LIKE", "*b", "0"}, {"bc", "INSTR", "abcd", "1"}, {"C", ":", "B:D", "1"},
        {"E", ":", "B:D", "0"},     {"a", "??", "a", "0"},
    };
    for (auto& c : ops) {
        int ok = -1;
        CndExe(c[0], c[1], c[2], ok);
        EXPECT_EQ(QString::number(ok), c[3]) << c[0] << " " << c[1] << " " << c[2];
    }
}

TEST(Conditions, BracketMatching) {
    struct Case {
        const char* text;
        int from;
        const char* pair;
        int start, end;
    } cases[] = {
        {"[A=[B=1]]x", 1, "[]", 1, 9},  {"[F=[a][b]]", 1, "[]", 1, 10},
        {"[A=1][B=2]", 2, "[]", 6, 10}, {"say \"hi\" now", 1, "", 5, 8}, // "": double quotes
        {"[open", 1, "[]", 0, 0},
    };
    for (const Case& c : cases) {
        int start = c.from, end = -1;
        TxDlmFim(c.text, start, end, c.pair);
        EXPECT_EQ(std::make_pair(start, end), std::make_pair(c.start, c.end)) << c.text;
    }
}
