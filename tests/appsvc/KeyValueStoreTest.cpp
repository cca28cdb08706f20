// The key/value store: keys, values by key and by position, references, and the limits of the
// key index.

#include "AppSvcTestSupport.h"
#include "GlbVar.h"
#include "SupDat.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::textOf;

namespace {

// Fills the store with keys K1..Kn through DatAct, the value of Ki being i.
void fill(SupDat& store, int n) {
    int ok = 0;
    for (int i = 1; i <= n; ++i)
        store.DatAct(QStringLiteral("K%1").arg(i), Variant(int32_t(i)), ok);
}

} // namespace

TEST(KeyValueStore, KeysByCaseAndPosition) {
    SupDat store;
    int dim = -1, ok = -1;
    store.DatArrDim(dim);
    EXPECT_EQ(dim, 0);
    Variant text{QStringLiteral("old")}, number{3.5};
    store.DtaCon(QStringLiteral("nada"), text, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(textOf(text), "");
    store.DtaCon(QStringLiteral("nada"), number, ok);
    EXPECT_EQ(number.numericValue(), 0);

    // DtaAct upper-cases; DatAct and DatCon only trim.
    store.DtaAct(QStringLiteral("  abc "), Variant(int32_t(5)), ok);
    store.DtaCon(QStringLiteral("ABC"), number, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(number.numericValue(), 5);
    store.DatCon(QStringLiteral("abc"), number, ok);
    EXPECT_EQ(ok, 0);
    store.DatCon(QStringLiteral(" ABC"), text, ok);
    EXPECT_EQ(textOf(text), "5");

    // Storing again keeps the position; values and keys by position.
    int first = 0, second = 0;
    store.DatActIx(QStringLiteral("x "), Variant(QStringLiteral("um")), first);
    store.DatActIx(QStringLiteral("x"), Variant(QStringLiteral("dois")), second);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 2);
    Variant value;
    store.DatArrCon(2, value);
    EXPECT_EQ(textOf(value), "dois");
    store.DatArrAct(2, Variant(QStringLiteral("tres")));
    QString key;
    store.DatArrChv(2, key);
    EXPECT_EQ(key, "x");
    store.DatArrChv(9, key);
    EXPECT_EQ(key, "");
    store.DatOpc(QString(), QStringLiteral(" x "), text, key);
    EXPECT_EQ(textOf(text), ""); // "x" was stored in small letters: DatOpc upper-cases
}

TEST(KeyValueStore, IndexEntriesAndWalks) {
    SupDat store;
    int counter = 0;
    store.ChvCriLista(counter, QStringLiteral("um, dois,,tres"), 3);
    EXPECT_EQ(counter, 4);
    QString key;
    int type = -1;
    store.ChvPosPsq(QStringLiteral("C"), 2, key, type);
    EXPECT_EQ(key, " dois"); // items are not trimmed
    EXPECT_EQ(type, 3);
    store.ChvPosPsq(QStringLiteral("P"), 4, key, type);
    EXPECT_EQ(key, "tres");
    store.ChvPosPsq(QStringLiteral("C"), 5, key, type);
    EXPECT_EQ(key, "");
    EXPECT_EQ(type, 0);
    QStringList keys;
    int count = 0;
    store.ChvIde(keys, count);
    EXPECT_EQ(keys, QStringList({"", "um", " dois", "", "tres"}));
}

TEST(KeyValueStore, OneCharacterKeysNeverTakeAnotherKeysValue) {
    // Regression: with 300 keys, the position characters of keys 49, 65 and 256 spell "1", "A"
    // and "" between NULs; a look-up must still match whole keys only.
    SupDat store;
    fill(store, 300);
    int ok = 0;
    store.DtaAct(QStringLiteral("a"), Variant(QStringLiteral("letra")), ok);
    store.DatAct(QStringLiteral("1"), Variant(QStringLiteral("digito")), ok);
    store.DatAct(QString(), Variant(QStringLiteral("vazio")), ok);
    int dim = 0;
    store.DatArrDim(dim);
    EXPECT_EQ(dim, 303);
    Variant value{0.0};
    store.DatCon(QStringLiteral("K1"), value, ok);
    EXPECT_EQ(value.numericValue(), 1);
    for (const char* k : {"A", "1", ""}) {
        Variant text{QString()};
        store.DatCon(QString::fromLatin1(k), text, ok);
        EXPECT_EQ(ok, 1) << k;
        EXPECT_NE(textOf(text), "1") << k;
    }
    // The store answers as the foundation's look-up of its index text does, for every key.
    for (int i = 1; i <= 300; i += 7) {
        const QString k = QStringLiteral("K%1").arg(i);
        int kind = 0, code = 0, position = 0;
        IdxCon(store.ChvIdxTx(), k, kind, code);
        store.ChvPos(k, position);
        EXPECT_EQ(position, code);
        EXPECT_EQ(position, i);
    }
}

TEST(KeyValueStore, FullIndexRefusesTheNextKey) {
    SupDat store;
    fill(store, SupDat::kMaxPosition);
    int ok = -1, position = -1, created = -1;
    store.DatAct(QStringLiteral("mais"), Variant(1.0), ok);
    EXPECT_EQ(ok, 0);
    store.IdxChv(QStringLiteral("outra"), position, created);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(created, 0);
    int dim = 0;
    store.DatArrDim(dim);
    EXPECT_EQ(dim, SupDat::kMaxPosition); // nothing grew
    Variant value{QString()};
    store.DatCon(QStringLiteral("mais"), value, ok);
    EXPECT_EQ(ok, 0);
    // The keys already there still work.
    store.DatActIx(QStringLiteral("K32000"), Variant(QStringLiteral("ultimo")), position);
    EXPECT_EQ(position, 32000);
}

TEST(KeyValueStore, PositionsOutsideTheValuesAreNeverReadOrWritten) {
    SupDat store;
    fill(store, 2);
    Variant text{QStringLiteral("x")}, number{7.0};
    for (int p : {0, -1, 3, 40000}) {
        store.DatArrCon(p, text);
        EXPECT_EQ(textOf(text), "") << p;
        store.DatArrCon(p, number);
        EXPECT_EQ(number.numericValue(), 0) << p;
        store.DatArrAct(p, Variant(1.0));
    }
    int dim = 0;
    store.DatArrDim(dim);
    EXPECT_EQ(dim, 2);

    // A key made by ChvCriLista beyond the values has no slot: it reads empty, and a value
    // stored under it is refused, not stored elsewhere.
    int counter = 10, ok = -1;
    store.ChvCriLista(counter, QStringLiteral("LISTA"), 1);
    store.DatCon(QStringLiteral("LISTA"), text, ok);
    EXPECT_EQ(ok, 0);
    store.DatAct(QStringLiteral("LISTA"), Variant(QStringLiteral("v")), ok);
    EXPECT_EQ(ok, 0);
    store.DatArrDim(dim);
    EXPECT_EQ(dim, 2);

    // A key holding a NUL would break the index: refused.
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    const QString before = store.ChvIdxTx();
    store.DatAct(withNul, Variant(1.0), ok);
    EXPECT_EQ(ok, 0);
    store.ChvCri(withNul, 5, ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(store.ChvIdxTx(), before);
}

TEST(KeyValueStore, References) {
    SupDat store;
    int ok = 0;
    store.DtaAct(QStringLiteral("A"), Variant(QStringLiteral("x")), ok);
    QString text = QStringLiteral("[a]-[B]");
    store.DatSbr(text);
    EXPECT_EQ(text, "x-");
    text = QStringLiteral("[]-[A]");
    store.DatSbr(text);
    EXPECT_EQ(text, "[]-[A]"); // an empty pair ends the replacing

    // A value that refers to itself: 21 replacements, or 1000 passes.
    store.DtaAct(QStringLiteral("R"), Variant(QStringLiteral("[R]+")), ok);
    text = QStringLiteral("[R]");
    store.DatSbr(text);
    EXPECT_EQ(text, QStringLiteral("[R]") + QString(21, u'+'));
    EXPECT_EQ(store.OpcSbr(QStringLiteral("[R]")), QStringLiteral("[R]") + QString(1000, u'+'));
    EXPECT_EQ(store.OpcSbr(QStringLiteral("<a>[A]"), QStringLiteral("<>")), "x[A]");

    Variant target{QString()};
    store.DtaAct(QStringLiteral("C"), Variant(QStringLiteral("[A][A]")), ok);
    store.DatOpc(QStringLiteral("R"), QStringLiteral(" c"), target, text);
    EXPECT_EQ(textOf(target), "xx");
    store.DatOpc(QString(), QStringLiteral("C"), target, text);
    EXPECT_EQ(textOf(target), "[A][A]");
}
