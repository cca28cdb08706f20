// Variant storage: subtypes, value semantics of arrays, bounds, ReDim, late-bound objects.
#include "Variant.h"
#include "Convert.h"
#include "Dispatch.h"
#include "TestSupport.h"
#include "ValueLimit.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

TEST(Variants, CopiesAndMovesKeepSubtypeAndValue) {
    Variant s("texto");
    Variant t = s;
    t.rawStringMut() += "!";
    EXPECT_EQ(s.rawString(), "texto");
    Variant m = std::move(t);
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(m.rawString(), "texto!");
    m = Variant(int16_t(3));
    EXPECT_EQ(m.varType(), vbInteger);
    m = Variant::date(2.5);
    EXPECT_EQ(m.varType(), vbDate);
    EXPECT_EQ(m.rawDate(), 2.5);
    Variant a;
    a.swap(s);
    EXPECT_EQ(a.rawString(), "texto");
    EXPECT_TRUE(s.isEmpty());
}

TEST(Variants, ArraysHaveValueSemantics) {
    Variant a = Variant::array({{0, 2}});
    a.arrayMut().at1(0) = Variant("x");
    Variant b = a; // assignment copies
    b.arrayMut().at1(0) = Variant("y");
    EXPECT_EQ(a.array().at1(0).rawString(), "x");
    EXPECT_EQ(b.array().at1(0).rawString(), "y");
    // An element assigned from its own array is copied before the array changes.
    Variant nest = Variant::list({Variant(1), Variant(2)});
    nest.arrayMut().at1(0) = nest;
    EXPECT_TRUE(nest.array().at1(0).isArray());
    EXPECT_EQ(nest.array().at1(0).array().at1(0).rawLong(), 1);
    EXPECT_EQ(nest.array().at1(0).array().at1(1).rawLong(), 2);
}

TEST(Variants, BoundsAndSubscripts) {
    Variant m = Variant::array({{1, 2}, {0, 3}});
    const VArray& arr = m.array();
    EXPECT_EQ(arr.dimensions(), 2);
    EXPECT_EQ(arr.lbound(1), 1);
    EXPECT_EQ(arr.ubound(2), 3);
    EXPECT_EQ(arr.size(), 8u);
    EXPECT_EQ(errorOf([&] { arr.ubound(3); }), err::SubscriptOutOfRange);
    int32_t bad[] = {3, 0};
    EXPECT_EQ(errorOf([&] { arr.at(bad); }), err::SubscriptOutOfRange);
    int32_t wrongCount[] = {1};
    EXPECT_EQ(errorOf([&] { arr.at(wrongCount); }), err::SubscriptOutOfRange);
    EXPECT_EQ(Variant::emptyArray().array().dimensions(), 0);
    EXPECT_EQ(errorOf([] { Variant::emptyArray().array().ubound(1); }), err::SubscriptOutOfRange);
    EXPECT_EQ(Variant::list({}).array().ubound(1), -1);
}

TEST(Variants, RedimPreserveKeepsValuesOnTheLastDimension) {
    Variant m = Variant::array({{0, 1}, {0, 1}});
    VArray& arr = m.arrayMut();
    for (int32_t i = 0; i <= 1; ++i)
        for (int32_t j = 0; j <= 1; ++j) {
            int32_t idx[] = {i, j};
            arr.at(idx) = Variant(i * 10 + j);
        }
    arr.redim({{0, 2}, {0, 4}}, true);
    for (int32_t i = 0; i <= 1; ++i)
        for (int32_t j = 0; j <= 1; ++j) {
            int32_t idx[] = {i, j};
            EXPECT_EQ(arr.at(idx).rawLong(), i * 10 + j);
        }
    int32_t fresh[] = {1, 3};
    EXPECT_TRUE(arr.at(fresh).isEmpty());
    arr.redim({{0, 2}, {0, 1}}, true); // shrinking the last dimension is allowed
    EXPECT_EQ(arr.ubound(2), 0);
    EXPECT_EQ(errorOf([&] { arr.redim({{0, 3}, {0, 1}}, true); }), err::SubscriptOutOfRange);
    arr.redim({{0, 5}}, false);
    EXPECT_EQ(arr.dimensions(), 1);
    EXPECT_TRUE(arr.at1(0).isEmpty());

    Variant fixed = Variant::array({{0, 2}});
    fixed.arrayMut().fixedSize = true;
    EXPECT_EQ(errorOf([&] { fixed.arrayMut().redim({{0, 5}}, true); }), err::ArrayFixed);
}

TEST(Variants, LockedArraysAreCopiedAtOnce) {
    Variant a = Variant::list({Variant(1)});
    VArray& arr = a.arrayMut();
    arr.locks = 1; // an element is bound by reference somewhere
    Variant b = a;
    arr.at1(0) = Variant(2);
    EXPECT_EQ(b.array().at1(0).rawLong(), 1);
    EXPECT_EQ(errorOf([&] { arr.redim({{0, 3}}, true); }), err::ArrayFixed);
}

// An array whose element count passes the size limit (or does not even fit in a number,
// which once wrapped round to a small array indexed past its end) raises 7.
TEST(Variants, ArraysPastTheSizeLimitRaise7) {
    EXPECT_EQ(errorOf([] { Variant::array({{0, INT32_MAX}}); }), err::OutOfMemory);
    EXPECT_EQ(errorOf([] { Variant::array({{INT32_MIN, INT32_MAX}}); }), err::OutOfMemory);
    EXPECT_EQ(errorOf([] {
                  Variant::array({{0, 65535}, {0, 65535}, {0, 65535}, {0, 65535}});
              }),
              err::OutOfMemory);
    Variant a = Variant::array({{0, 1}, {0, 1}});
    EXPECT_EQ(errorOf([&] { a.arrayMut().redim({{0, 2}, {0, 1 << 30}}, true); }), err::OutOfMemory);
    EXPECT_EQ(a.array().size(), 4u); // left as it was
    setValueSizeLimit(1000 * sizeof(Variant));
    EXPECT_EQ(errorOf([] { Variant::array({{0, 999}}); }), 0);
    EXPECT_EQ(errorOf([] { Variant::array({{0, 1000}}); }), err::OutOfMemory);
    EXPECT_EQ(errorOf([] { Variant::list(std::vector<Variant>(1001)); }), err::OutOfMemory);
    setValueSizeLimit(0);
    EXPECT_EQ(valueSizeLimit(), kDefaultValueSizeLimit);
}

// Arrays nested far deeper than the native stack could free recursively, and a chain of
// objects whose members hold the next, are freed; what is still referred to elsewhere stays.
TEST(Variants, DeeplyNestedValuesAreFreed) {
    Variant inner = Variant::list({Variant(QStringLiteral("kept"))});
    Variant a = inner;
    for (int i = 0; i < 1000000; ++i)
        a = Variant::list({std::move(a)});
    a.clear();
    EXPECT_EQ(inner.array().at1(0).rawString(), u"kept");

    int freed = 0;
    struct Node : SimpleDispatch {
        Variant next;
        int* freed;
        explicit Node(int* f) : SimpleDispatch(QStringLiteral("Node")), freed(f) {}
        ~Node() override { ++*freed; }
    };
    Variant head;
    for (int i = 0; i < 300000; ++i) {
        auto n = std::make_shared<Node>(&freed);
        n->next = std::move(head);
        head = Variant(DispatchPtr(n));
    }
    head.clear();
    EXPECT_EQ(freed, 300000);
}

TEST(Dispatching, SimpleDispatchMembersAreCaseBlind) {
    auto obj = std::make_shared<SimpleDispatch>("Host");
    Variant stored(int16_t(0));
    obj->addProperty(
        "Prop", [&](Args) { return stored; }, [&](Args a) { stored = *a.back(); });
    obj->addMethod("Swap", [](Args a) {
        checkArgCount(a, 2, 2);
        a[0]->swap(*a[1]);
        return Variant();
    });
    obj->setDefaultMember("Prop");

    obj->put("PROP", Variant("açúcar"));
    EXPECT_EQ(obj->get("prop").rawString(), "açúcar");
    EXPECT_EQ(obj->defaultValue().rawString(), "açúcar");

    std::vector<Variant> args{Variant(1), Variant("b")};
    obj->call("swap", args);
    EXPECT_EQ(args[0].rawString(), "b");
    EXPECT_EQ(args[1].rawLong(), 1);

    EXPECT_EQ(errorOf([&] { obj->call("Nope"); }), err::NoSuchMember);
    EXPECT_EQ(errorOf([&] { obj->call("Swap", {Variant(1)}); }), err::WrongArgCount);
    EXPECT_EQ(errorOf([&] { obj->enumerate(); }), err::NotCollection);
    auto noDefault = std::make_shared<SimpleDispatch>();
    EXPECT_EQ(errorOf([&] { noDefault->defaultValue(); }), err::NoSuchMember);
}
