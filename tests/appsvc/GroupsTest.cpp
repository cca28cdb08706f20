// Accumulator groups and value groups.

#include "AppSvcTestSupport.h"
#include "SupDat.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::arrayOf;
using zvtest::textOf;

namespace {

struct Level {
    int32_t count;
    std::vector<double> totals;
};

Level levelOf(SupDat& store, const Variant& group, int level) {
    Level l{};
    store.AcmGrpCon(group, level, l.totals, l.count);
    return l;
}

Variant row(double a, double b, double c) {
    return arrayOf({Variant(a), Variant(b), Variant(c)});
}

} // namespace

TEST(AccumulatorGroup, RowsIntoGroupAndGrandTotal) {
    SupDat store;
    std::vector<int> created;
    store.setAcmGrpIde([&](int& position) {
        created.push_back(position);
        store.AcmGrpRegIde(position, QStringLiteral("id%1").arg(position));
    });
    store.AcmGrpPrp(2, 1);
    int ok = -1;
    store.AcmGrpExe(QStringLiteral(" norte"), row(1, 2, 3), ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(created, std::vector<int>({1}));
    store.AcmGrpInc(QStringLiteral("NORTE"), row(10, 10, 10), ok);
    EXPECT_EQ(created.size(), 1u);
    for (const Variant& g : {Variant(QStringLiteral("Norte")), Variant(int32_t(0))}) {
        for (int level : {0, 1}) {
            const Level l = levelOf(store, g, level);
            EXPECT_EQ(l.count, 1);
            EXPECT_EQ(l.totals, std::vector<double>({11, 12, 13}));
        }
    }
    levelOf(store, Variant(int32_t(1)), 0);
    EXPECT_EQ(store.AcmGrpNom(), "NORTE");
    EXPECT_EQ(store.AcmGrpIdeTx(), "id1");

    store.AcmGrpLpz(Variant(QStringLiteral("norte")), 1);
    EXPECT_EQ(levelOf(store, Variant(int32_t(1)), 1).totals, std::vector<double>({0, 0, 0}));
    EXPECT_EQ(levelOf(store, Variant(int32_t(1)), 1).count, 1);
    EXPECT_EQ(levelOf(store, Variant(int32_t(1)), 0).totals[0], 11);

    // Walk in name order.
    store.AcmGrpExe(QStringLiteral("sul"), row(0, 0, 0), ok);
    store.AcmGrpExe(QStringLiteral("centro"), row(0, 0, 0), ok);
    int position = -1;
    std::vector<int> walk;
    for (store.AcmGrpPosIni(position); position != 0; store.AcmGrpPosSeg(position))
        walk.push_back(position);
    EXPECT_EQ(walk, std::vector<int>({3, 1, 2}));
}

TEST(AccumulatorGroup, UnknownNamesAndBadRowsChangeNothing) {
    SupDat store;
    int events = 0;
    store.setAcmGrpIde([&](int&) { ++events; });
    store.AcmGrpPrp(2, 1);
    int ok = -1;
    store.AcmGrpExe(QStringLiteral("a"), row(1, 1, 1), ok);

    // A name no group bears is not the grand total.
    const Level missing = levelOf(store, Variant(QStringLiteral("typo")), 0);
    EXPECT_EQ(missing.count, -1);
    EXPECT_EQ(store.AcmGrpNom(), "");
    store.AcmGrpLpz(Variant(QStringLiteral("typo")), -1);
    EXPECT_EQ(levelOf(store, Variant(int32_t(0)), 0).totals[0], 1);
    int position = 0, found = -1;
    store.AcmGrpIdx(Variant(QStringLiteral("typo")), position, found);
    EXPECT_EQ(found, 0);
    store.AcmGrpIdx(Variant(int32_t(2)), position, found);
    EXPECT_EQ(found, 0);

    // A short row, a row that is no array, a column that is no number: no group is made,
    // no total changes.
    store.AcmGrpExe(QStringLiteral("b"), arrayOf({Variant(1.0), Variant(1.0)}), ok);
    EXPECT_EQ(ok, 0);
    store.AcmGrpExe(QStringLiteral("b"), Variant(1.0), ok);
    EXPECT_EQ(ok, 0);
    EXPECT_THROW(store.AcmGrpExe(QStringLiteral("b"),
                                 arrayOf({Variant(1.0), Variant(QStringLiteral("x")), Variant()}),
                                 ok),
                 VbError);
    int groups = 0;
    store.AcmGrpNum(groups);
    EXPECT_EQ(groups, 1);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(levelOf(store, Variant(int32_t(0)), 0).count, 1);

    // Levels outside 0..levels.
    EXPECT_EQ(levelOf(store, Variant(int32_t(1)), 2).count, -1);
    store.AcmGrpLpz(Variant(int32_t(0)), 2);
    EXPECT_EQ(levelOf(store, Variant(int32_t(0)), 1).totals[2], 1);
}

TEST(ValueGroup, KeysByGroup) {
    SupDat store;
    int position = -1, found = -1;
    store.VgrIdxCri(Variant(QStringLiteral("cores")), QStringLiteral(" azul"), position);
    EXPECT_EQ(position, 1);
    store.VgrIdxCri(Variant(QStringLiteral("CORES ")), QStringLiteral("Azul"), position);
    EXPECT_EQ(position, 1);
    store.VgrIdxCri(Variant(QStringLiteral("cores")), QStringLiteral("verde"), position);
    EXPECT_EQ(position, 2);
    Variant key{QString()};
    store.VgrIdxVop(Variant(QStringLiteral("cores")), 2, key, found);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(textOf(key), "VERDE");
    store.VgrIdxVop(Variant(QStringLiteral("cores")), 3, key, found);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(textOf(key), "");
    store.VgrIdxCon(Variant(int32_t(1)), QStringLiteral("verde"), position);
    EXPECT_EQ(position, 2);
    Variant dim{0.0};
    store.GrpDim(Variant(QStringLiteral("cores")), dim);
    EXPECT_EQ(dim.numericValue(), 2);

    // A numeral is a position: a group named "7" is not reached by that name.
    store.GrpReg(Variant(QStringLiteral("7")), QString());
    store.VgrIdxCri(Variant(int32_t(2)), QStringLiteral("x"), position);
    EXPECT_EQ(position, 1);
    store.VgrIdxCon(Variant(QStringLiteral("7")), QStringLiteral("x"), position);
    EXPECT_EQ(position, 0);

    // Values with their own bounds; indexes outside them read empty.
    store.GrpRgv(Variant(int32_t(2)), arrayOf({Variant(QStringLiteral("a")), Variant(9.0)}, 3));
    store.GrpDim(Variant(int32_t(2)), dim);
    EXPECT_EQ(dim.numericValue(), 4);
    Variant value{QStringLiteral("old")};
    store.GrpCon(Variant(int32_t(2)), 3, value);
    EXPECT_EQ(textOf(value), "a");
    store.GrpCon(Variant(int32_t(2)), 0, value);
    EXPECT_EQ(textOf(value), "");
    // Without an element 0 the group cannot count its keys: nothing is added.
    store.VgrIdxCri(Variant(int32_t(2)), QStringLiteral("y"), position);
    EXPECT_EQ(position, 0);
    store.GrpDim(Variant(int32_t(2)), dim);
    EXPECT_EQ(dim.numericValue(), 4);
}
