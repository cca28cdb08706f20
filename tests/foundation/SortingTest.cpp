// Comb sorts, the index sort, the separator scanner and the Variant-array helpers.

#include "BasFx.h"
#include "FoundationTest.h"
#include "GlbArr.h"
#include "SortGlb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace zv;

namespace {

Variant listOf(std::vector<Variant> values) {
    return Variant::list(std::move(values));
}

std::vector<Variant> elementsOf(const Variant& arr) {
    return arr.array().elements();
}

} // namespace

TEST(Sorting, CombGaps) {
    struct Case {
        int gap, next;
    } cases[] = {{14, 11}, {1, 1}, {0, 1}, {2, 1}, {12, 11}, {13, 11}, {100, 76}, {16, 12}};
    for (const Case& c : cases) {
        int gap = c.gap, igap = 0;
        SrtMei(gap, igap);
        EXPECT_EQ(gap, c.next) << c.gap;
        EXPECT_EQ(igap, c.next);
    }
}

TEST(Sorting, TextCounts) {
    QStringList arr{"zero", "c", "a", "B"};
    SrtTx(arr, -2); // to the upper bound; element 0 stays
    EXPECT_EQ(arr, (QStringList{"zero", "B", "a", "c"}));

    arr = QStringList{"2", "c", "b", "a"};
    SrtTx(arr, -1); // the count held in element 0
    EXPECT_EQ(arr, (QStringList{"2", "b", "c", "a"}));

    arr = QStringList{"x", "b", "a"};
    SrtTx(arr, 10); // a count beyond the array sorts what is there
    EXPECT_EQ(arr, (QStringList{"x", "a", "b"}));
    SrtTx(arr, 0);
    EXPECT_EQ(arr, (QStringList{"x", "a", "b"}));

    int count = -1;
    SrtLim(QStringList{"7", "a"}, -1, count);
    EXPECT_EQ(count, 1);
}

TEST(Sorting, VariantsWithAndWithoutCase) {
    Variant arr = listOf({Variant("first"), Variant("a"), Variant("B"), Variant("c")});
    SrtVar("", arr);
    EXPECT_EQ(elementsOf(arr)[1].rawString(), "B");
    EXPECT_EQ(elementsOf(arr)[2].rawString(), "a");
    SrtVar("CI", arr);
    const auto ci = elementsOf(arr);
    EXPECT_EQ(ci[0].rawString(), "first");
    EXPECT_EQ(ci[1].rawString(), "a");
    EXPECT_EQ(ci[2].rawString(), "B");
    EXPECT_EQ(ci[3].rawString(), "c");

    Variant numbers = listOf({Variant(), Variant(10.0), Variant(9.0), Variant(100.0)});
    SrtVar("", numbers);
    EXPECT_EQ(elementsOf(numbers)[1].rawDouble(), 9.0);
    EXPECT_EQ(elementsOf(numbers)[3].rawDouble(), 100.0);
    Variant texts = listOf({Variant(), Variant("10"), Variant("9"), Variant("100")});
    SrtVar("", texts);
    EXPECT_EQ(elementsOf(texts)[2].rawString(), "100");
    EXPECT_EQ(elementsOf(texts)[3].rawString(), "9");
}

TEST(Sorting, AgreesWithStandardSort) {
    std::mt19937 rng(7);
    for (int n : {1, 2, 3, 9, 10, 11, 12, 13, 50, 257}) {
        std::vector<int> values(static_cast<size_t>(n));
        for (int& v : values)
            v = int(rng() % 40) - 20;
        std::vector<Variant> elements{Variant(999.0)};
        QStringList texts{"keep"};
        for (int v : values) {
            elements.push_back(Variant(double(v)));
            texts << QString::number(v + 50);
        }
        Variant arr = Variant::list(elements);
        SrtVar("", arr);
        QStringList sortedTexts = texts;
        SrtTx(sortedTexts, -2);
        std::sort(values.begin(), values.end());
        const auto got = elementsOf(arr);
        EXPECT_EQ(got[0].rawDouble(), 999.0);
        EXPECT_EQ(sortedTexts.at(0), "keep");
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(got[size_t(i) + 1].rawDouble(), values[size_t(i)]) << n;
            EXPECT_EQ(sortedTexts.at(i + 1), QString::number(values[size_t(i)] + 50)) << n;
        }
    }
}

TEST(Sorting, IndexSortLeavesKeys) {
    const Variant keys = listOf({Variant("x"), Variant("c"), Variant("a"), Variant("B")});
    QList<int> idx;
    SrtVarIdx("", keys, idx);
    EXPECT_EQ(idx, (QList<int>{0, 3, 2, 1}));
    SrtVarIdx("CI", keys, idx);
    EXPECT_EQ(idx, (QList<int>{0, 2, 3, 1}));
    EXPECT_EQ(elementsOf(keys)[1].rawString(), "c");
    SrtArrIni(3, idx);
    EXPECT_EQ(idx, (QList<int>{0, 1, 2, 3}));
}

TEST(Scanner, TokensAndSeparators) {
    QString text = "a = b", token, sep;
    BasTxSepChr(text, " =", token, sep);
    EXPECT_EQ(token, "a");
    EXPECT_EQ(sep, " ");
    EXPECT_EQ(text, "= b"); // the other separators go back for the next call

    text = "a = b";
    BasTxSepExe(text, " =", token, sep);
    EXPECT_EQ(sep, " = ");
    EXPECT_EQ(text, "b");

    QString part;
    text = " ab";
    BasTxScn(0, text, " ", part);
    EXPECT_EQ(part, "");
    EXPECT_EQ(text, " ab"); // an empty token leaves the text alone
    BasTxScn(1, text, " ", part);
    EXPECT_EQ(part, " ");
    EXPECT_EQ(text, "ab");
    text = "abc";
    BasTxScn(0, text, ";", part);
    EXPECT_EQ(part, "abc");
    EXPECT_EQ(text, "");
}

TEST(Scanner, QuoteCharacter) {
    QString text = "x \"a'b\" 'c", part;
    BasTxScn(0, text, "'", part); // no quote character: quotes are plain characters
    EXPECT_EQ(part, "x \"a");
    basFxState().quote = "\"";
    text = "x \"a'b\" 'c";
    BasTxScn(0, text, "'", part);
    basFxReset();
    EXPECT_EQ(part, "x \"a'b\" ");
    EXPECT_EQ(text, "'c");
}

TEST(ArrayHelpers, CopyAndBounds) {
    Variant src = Variant::array({{1, 3}});
    src.arrayMut().at1(2) = Variant("b");
    Variant dst;
    int ok = 0;
    ArrCop(src, dst, ok);
    EXPECT_EQ(ok, 1);
    int lo = -9, hi = -9;
    ArrLim(dst, lo, hi, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 3);
    dst.arrayMut().at1(2) = Variant("changed");
    EXPECT_EQ(src.array().at1(2).rawString(), "b");

    ArrCop(Variant(5.0), dst, ok);
    EXPECT_EQ(ok, 13);
    ArrLim(Variant(), lo, hi, ok);
    EXPECT_EQ(ok, 13);
    ArrLim(Variant::emptyArray(), lo, hi, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, -1);
}

TEST(ArrayHelpers, Append) {
    Variant arr = listOf({Variant("a"), Variant("b")});
    ArrAdiPre(arr, Variant("c"));
    ASSERT_EQ(arr.array().ubound(1), 2);
    EXPECT_EQ(arr.array().at1(2).rawString(), "c");
    EXPECT_EQ(arr.array().at1(0).rawString(), "a");
    Variant none = Variant::emptyArray();
    ArrAdiPre(none, Variant(1.0));
    EXPECT_EQ(none.array().ubound(1), 0);
    Variant notArray;
    EXPECT_THROW(ArrAdiPre(notArray, Variant(1.0)), VbError);
}

TEST(ArrayHelpers, ValueAsList) {
    Variant list, count{QString()};
    ArrAdiVar(Variant(5.0), list, count);
    EXPECT_EQ(list.array().ubound(1), 1);
    EXPECT_TRUE(list.array().at1(1).sameAs(Variant(5.0)));
    EXPECT_TRUE(list.array().at1(0).isEmpty());
    EXPECT_EQ(count.rawString(), "1"); // in the count's own type

    Variant number;
    ArrAdiVar(listOf({Variant("a"), Variant("b"), Variant("c"), Variant("d")}), list, number);
    EXPECT_TRUE(number.sameAs(Variant(3.0)));
    EXPECT_TRUE(list.array().at1(0).isEmpty()); // element 0 of the source is not used
    EXPECT_EQ(list.array().at1(3).rawString(), "d");
}
