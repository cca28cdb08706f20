// Comb sorts, the index sort, the separator scanner and the Variant-array helpers.

#include "BasFx.h"
#include "GlbArr.h"
#include "SortGlb.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace zv;

namespace {

Variant listOf(std::initializer_list<const char*> texts) {
    std::vector<Variant> values;
    for (const char* t : texts)
        values.emplace_back(t);
    return Variant::list(values);
}

QString joined(const Variant& arr) {
    QStringList parts;
    for (const Variant& v : arr.array().elements())
        parts << toText(v);
    return parts.join(u'|');
}

QString scan(QString text, const QString& seps) {
    QString token, sep;
    BasTxSepChr(text, seps, token, sep);
    return token + u'|' + sep + u'|' + text;
}

} // namespace

TEST(Sorting, CombGaps) {
    const int cases[][2] = {{14, 11}, {1, 1}, {0, 1}, {12, 11}, {13, 11}, {100, 76}};
    for (auto& c : cases) {
        int gap = c[0], igap = 0;
        SrtMei(gap, igap);
        EXPECT_EQ(gap, c[1]) << c[0];
    }
}

TEST(Sorting, TextAndVariantArrays) {
    QStringList arr{"zero", "c", "a", "B"};
    SrtTx(arr, -2); // to the upper bound; element 0 stays
    EXPECT_EQ(arr.join(u'|'), "zero|B|a|c");
    arr = QStringList{"2", "c", "b", "a"};
    SrtTx(arr, -1); // the count held in element 0
    EXPECT_EQ(arr.join(u'|'), "2|b|c|a");
    SrtTx(arr, 10); // a count beyond the array sorts what is there
    EXPECT_EQ(arr.join(u'|'), "2|a|b|c");

    Variant v = listOf({"first", "a", "B", "c"});
    SrtVar("", v);
    EXPECT_EQ(joined(v), "first|B|a|c");
    SrtVar("CI", v);
    EXPECT_EQ(joined(v), "first|a|B|c");
    v = Variant::list({Variant(), Variant(10.0), Variant(9.0), Variant(100.0)});
    SrtVar("", v); // numbers as numbers...
    EXPECT_EQ(joined(v), "|9|10|100");
    v = listOf({"", "10", "9", "100"});
    SrtVar("", v); // ...texts as texts
    EXPECT_EQ(joined(v), "|10|100|9");

    const Variant keys = listOf({"x", "c", "a", "B"});
    QList<int> idx;
    SrtVarIdx("CI", keys, idx);
    EXPECT_EQ(idx, (QList<int>{0, 2, 3, 1}));
    EXPECT_EQ(joined(keys), "x|c|a|B"); // the keys stay in place
}

TEST(Sorting, AgreesWithStandardSort) {
    std::mt19937 rng(7);
    for (int n : {2, 3, 9, 10, 11, 12, 13, 50, 257}) {
        std::vector<double> values;
        std::vector<Variant> elements{Variant(999.0)};
        QStringList texts{"keep"};
        for (int i = 0; i < n; ++i) {
            values.push_back(double(int(rng() % 40) - 20));
            elements.emplace_back(values.back());
            texts << QString::number(values.back() + 50);
        }
        Variant arr = Variant::list(elements);
        SrtVar("", arr);
        SrtTx(texts, -2);
        std::sort(values.begin(), values.end());
        const auto& got = arr.array().elements();
        EXPECT_EQ(got[0].rawDouble(), 999.0);
        EXPECT_EQ(texts.at(0), "keep");
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(got[size_t(i) + 1].rawDouble(), values[size_t(i)]) << n;
            ASSERT_EQ(texts.at(i + 1), QString::number(values[size_t(i)] + 50)) << n;
        }
    }
}

TEST(Scanner, TokensAndSeparators) {
    EXPECT_EQ(scan("a = b", " ="), "a| |= b"); // the other separators go back for the next call
    EXPECT_EQ(scan("abc", ";"), "abc||");
    QString text = " ab", part;
    BasTxScn(0, text, " ", part);
    EXPECT_EQ(part + u'|' + text, "| ab"); // an empty token leaves the text alone
    BasTxScn(1, text, " ", part);
    EXPECT_EQ(part + u'|' + text, " |ab");

    text = "x \"a'b\" 'c";
    BasTxScn(0, text, "'", part); // no quote character: quotes are plain characters
    EXPECT_EQ(part, "x \"a");
    basFxState().quote = "\"";
    text = "x \"a'b\" 'c";
    BasTxScn(0, text, "'", part);
    basFxReset();
    EXPECT_EQ(part + u'|' + text, "x \"a'b\" |'c");
}

TEST(ArrayHelpers, CopyBoundsAppendList) {
    Variant src = Variant::array({{1, 3}});
    src.arrayMut().at1(2) = Variant("b");
    Variant dst;
    int ok = 0, lo = -9, hi = -9;
    ArrCop(src, dst, ok);
    ArrLim(dst, lo, hi, ok);
    EXPECT_EQ((std::vector<int>{ok, lo, hi}), (std::vector<int>{1, 1, 3}));
    dst.arrayMut().at1(2) = Variant("changed");
    EXPECT_EQ(src.array().at1(2).rawString(), "b");
    ArrCop(Variant(5.0), dst, ok);
    EXPECT_EQ(ok, 13);
    ArrLim(Variant::emptyArray(), lo, hi, ok);
    EXPECT_EQ((std::vector<int>{ok, lo, hi}), (std::vector<int>{1, 0, -1}));

    Variant arr = listOf({"a", "b"});
    ArrAdiPre(arr, Variant("c"));
    EXPECT_EQ(joined(arr), "a|b|c");
    Variant notArray;
    EXPECT_THROW(ArrAdiPre(notArray, Variant(1.0)), VbError);

    Variant list, count{QString()};
    ArrAdiVar(Variant(5.0), list, count);
    EXPECT_EQ(joined(list) + u'/' + count.rawString(), "|5/1"); // count in its own type
    Variant number;
    ArrAdiVar(listOf({"a", "b", "c", "d"}), list, number);
    EXPECT_EQ(joined(list), "|b|c|d"); // element 0 of the source is not used
    EXPECT_TRUE(number.sameAs(Variant(3.0)));
}
