// Collection: positions, case-blind keys, before/after, errors, and the script-side members.
#include "Collection.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

namespace {

QString texts(Collection& c) {
    QString out;
    auto e = c.enumerate();
    Variant v;
    while (e->next(v))
        out += v.rawString();
    return out;
}

} // namespace

TEST(Collection, PositionsKeysAndErrors) {
    Collection c;
    c.add(Variant("a"), QStringLiteral("ação"));
    c.add(Variant("c"));
    c.add(Variant("b"), Variant("k"), Variant::missing(), Variant(int32_t(1)));
    c.add(Variant("0"), Variant::missing(), Variant("AÇÃO"), Variant::missing());
    EXPECT_EQ(texts(c), u"0abc");
    EXPECT_EQ(c.count(), 4);
    EXPECT_EQ(c.item(QStringLiteral("K")).rawString(), u"b");
    EXPECT_EQ(c.item(Variant(1.5)).rawString(), u"a"); // rounded half to even: 2
    EXPECT_EQ(c.keyAt(2), QStringLiteral("ação"));
    EXPECT_TRUE(c.contains(QStringLiteral("AÇÃO")));

    EXPECT_EQ(errorOf([&] { c.add(Variant("x"), QStringLiteral("AçÃo")); }), err::DuplicateKey);
    EXPECT_EQ(c.count(), 4);
    EXPECT_EQ(errorOf([&] { c.item(QStringLiteral("none")); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { c.item(0); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { c.item(5); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { c.item(Variant::null()); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] {
                  c.add(Variant("x"), Variant(int32_t(1)), Variant::missing(), Variant::missing());
              }),
              err::TypeMismatch);
    EXPECT_EQ(errorOf([&] {
                  c.add(Variant("x"), Variant::missing(), Variant(int32_t(1)), Variant(int32_t(1)));
              }),
              err::InvalidCall);
    EXPECT_EQ(errorOf([&] {
                  c.add(Variant("x"), Variant::missing(), Variant(int32_t(9)), Variant::missing());
              }),
              err::SubscriptOutOfRange);

    c.remove(QStringLiteral("AÇÃO"));
    EXPECT_FALSE(c.contains(QStringLiteral("ação")));
    c.add(Variant("again"), QStringLiteral("ação")); // the key is free again
    c.remove(1);
    EXPECT_EQ(texts(c), u"bcagain");
    EXPECT_EQ(errorOf([&] { c.remove(4); }), err::SubscriptOutOfRange);
}

TEST(Collection, ScriptMembersAndForEach) {
    auto c = Collection::create();
    DispatchPtr d = c;
    EXPECT_EQ(d->typeName(), u"Collection");
    d->call(QStringLiteral("add"), {Variant(int32_t(10)), Variant("ten")});
    d->call(QStringLiteral("Add"), {Variant(int32_t(5)), Variant::missing(), Variant("ten")});
    d->call(QStringLiteral("Add"), {Variant(c)}); // a collection may hold objects, itself too
    EXPECT_EQ(d->get(QStringLiteral("COUNT")).rawLong(), 3);
    EXPECT_EQ(d->get(QString(), {Variant("TEN")}).rawLong(), 10);
    EXPECT_EQ(d->get(QStringLiteral("Item"), {Variant(int32_t(1))}).rawLong(), 5);
    EXPECT_EQ(errorOf([&] { d->call(QStringLiteral("Add")); }), err::WrongArgCount);

    // Removing during For Each does not disturb the walk.
    auto e = d->enumerate();
    Variant v;
    int seen = 0;
    while (e->next(v)) {
        ++seen;
        if (seen == 1) d->call(QStringLiteral("Remove"), {Variant(int32_t(3))});
    }
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(c->count(), 2); // the reference the collection held to itself is gone
}
