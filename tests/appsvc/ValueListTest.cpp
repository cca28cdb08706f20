// The value list and the accumulators.

#include "AppSvcTestSupport.h"
#include "SupDat.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::textOf;

TEST(ValueList, KeysPositionsAndRemoval) {
    SupDat store;
    int ok = -1;
    store.LvaReg(Variant(QStringLiteral("um")), Variant(1.0), ok);
    EXPECT_EQ(ok, 1);
    store.LvaReg(Variant(QStringLiteral("UM")), Variant(2.0), ok);
    EXPECT_EQ(ok, 0); // keys compare case-blind, also in mode 0
    store.LvaReg1(Variant(QStringLiteral("dois")), ok);
    Variant value{QString()};
    store.LvaCon(Variant(int32_t(2)), value, ok);
    EXPECT_EQ(textOf(value), "dois");
    store.LvaCon(Variant(QStringLiteral("Um")), value, ok);
    EXPECT_EQ(textOf(value), "1");
    store.LvaEli(Variant(int32_t(1)), ok);
    EXPECT_EQ(ok, 1);
    store.LvaCon(Variant(QStringLiteral("um")), value, ok);
    EXPECT_EQ(ok, 0);
    int count = -1;
    store.LvaNrg(count);
    EXPECT_EQ(count, 1);
    store.LvaEli(Variant(QStringLiteral("nada")), ok);
    EXPECT_EQ(ok, 0);

    // Mode 1: text keys upper-cased and trimmed before use.
    store.LvaZer();
    store.LvaPrp(1);
    store.LvaReg(Variant(QStringLiteral("  abc ")), Variant(QStringLiteral("v")), ok);
    store.LvaCon(Variant(QStringLiteral("ABC")), value, ok);
    EXPECT_EQ(ok, 1);
    store.LvaEli(Variant(QStringLiteral(" abc  ")), ok);
    EXPECT_EQ(ok, 1);
    store.LvaNrg(count);
    EXPECT_EQ(count, 0);
}

TEST(ValueList, AllEntries) {
    SupDat store;
    int ok = 0, count = -1;
    for (const char* v : {"b", "", "a"})
        store.LvaReg(Variant(QStringLiteral("k%1").arg(v)), Variant(QString::fromLatin1(v)), ok);
    Variant text{QString()};
    store.LvaUsa(QStringLiteral("x ord"), text, count);
    EXPECT_EQ(textOf(text), "a,b");
    EXPECT_EQ(count, 3);
    Variant arr = zvtest::arrayOf({Variant()});
    store.LvaUsa(QStringLiteral("ORD"), arr, count);
    ASSERT_TRUE(arr.isArray());
    EXPECT_EQ(arr.array().ubound(1), 3);
    EXPECT_TRUE(arr.array().at1(0).isEmpty());
    EXPECT_EQ(textOf(arr.array().at1(1)), "");
    EXPECT_EQ(textOf(arr.array().at1(3)), "b");
    store.LvaUsa(QString(), text, count);
    EXPECT_EQ(textOf(text), "b,a"); // in the order of registration
}

TEST(Accumulator, RunningTotals) {
    SupDat store;
    store.AcmIni();
    int ok = -1;
    store.AcmExe(QStringLiteral("Conta"), Variant(2.0), ok);
    EXPECT_EQ(ok, 0);
    store.AcmExe(QStringLiteral(" conta"), Variant(QStringLiteral("3")), ok);
    EXPECT_EQ(ok, 1);
    Variant total{0.0}, definition{QString()};
    store.AcmCon(Variant(QStringLiteral("CONTA")), total, definition, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(total.numericValue(), 5);
    EXPECT_EQ(textOf(definition), "Conta"); // the name as first given
    store.AcmDef(QStringLiteral("outra"), Variant(QStringLiteral("def")), ok);
    store.AcmCon(Variant(int32_t(2)), total, definition, ok);
    EXPECT_EQ(textOf(definition), "def");
    store.AcmCon(Variant(int32_t(3)), total, definition, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(textOf(definition), "");

    store.AcmExeExi(QStringLiteral("nova"), Variant(1.0), ok);
    EXPECT_EQ(ok, 0);
    int n = 0;
    store.AcmNum(n);
    EXPECT_EQ(n, 2);

    // Totals emptied, names and definitions kept.
    store.AcmLpz();
    store.AcmExeExi(QStringLiteral("conta"), Variant(1.0), ok);
    EXPECT_EQ(ok, 1);
    store.AcmCon(Variant(QStringLiteral("conta")), total, definition, ok);
    EXPECT_EQ(total.numericValue(), 1);
    EXPECT_EQ(textOf(definition), "Conta");

    // An amount that is no number fails before anything is defined.
    EXPECT_THROW(store.AcmExe(QStringLiteral("errada"), Variant(QStringLiteral("abc")), ok),
                 VbError);
    store.AcmNum(n);
    EXPECT_EQ(n, 2);
}
