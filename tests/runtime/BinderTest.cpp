#include "Binder.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using zvtest::errorOf;

// A class bound the typed way: a counter with a read-only name, a Long count (the default
// member), a measure, a method that swaps through its by-reference arguments and one that
// takes converted arguments. closed makes the object refuse every checked member with 91.
class Counter : public BoundDispatch {
public:
    explicit Counter(QString name) : BoundDispatch(memberTable()), name_(std::move(name)) {}

    static const MemberTable& memberTable() {
        static const MemberTable table = [] {
            MemberTable t(QStringLiteral("Counter"));
            Members<Counter>(t)
                .property<QString>(QStringLiteral("Name"), &Counter::name)
                .property<int32_t>(QStringLiteral("Count"), &Counter::count, &Counter::setCount)
                .defaultMember(QStringLiteral("Count"))
                .property<Measure>(
                    QStringLiteral("Size"), [](Counter& c) { return c.size_; },
                    [](Counter& c, double v) { c.size_ = v; })
                .method(QStringLiteral("Swap"), [](Counter&, Variant& a, Variant& b) { a.swap(b); })
                .method(QStringLiteral("AddTimes"), &Counter::addTimes)
                .methodWithArgs(QStringLiteral("Sum"),
                                [](Counter&, Args a) {
                                    int32_t sum = 0;
                                    for (const Variant* v : a)
                                        sum += CLng(*v);
                                    return Variant(sum);
                                })
                .checkFirst([](Counter& c) {
                    if (c.closed) throw VbError(err::ObjectNotSet);
                })
                .method(QStringLiteral("Add"), [](Counter& c, int16_t n) { c.count_ += n; })
                .property<bool>(
                    QStringLiteral("Even"), [](Counter& c) { return c.count_ % 2 == 0; },
                    [](Counter& c, bool on) { c.count_ = on ? 0 : 1; });
            return t;
        }();
        return table;
    }

    const QString& name() const { return name_; }
    int32_t count() const { return count_; }
    void setCount(int32_t n) { count_ = n; }
    // Adds n times step; answers the new count as a Long.
    int32_t addTimes(int16_t n, double step) { return count_ += int32_t(n * step); }

    bool closed = false;

private:
    QString name_;
    int32_t count_ = 0;
    double size_ = 0;
};

int putError(Dispatch& d, DispId id, Invoke kind, std::vector<Variant> args) {
    auto ptrs = argPointers(args);
    return errorOf([&] { d.invoke(id, kind, ptrs); });
}

TEST(Binder, MembersAreFoundByNameCaseBlindAndByTheSameIdsInEveryObject) {
    Counter a(QStringLiteral("a")), b(QStringLiteral("b"));
    // One table for the class: the objects share it and its ids.
    EXPECT_EQ(&a.members(), &b.members());
    const DispId count = a.memberId(QStringLiteral("count"));
    ASSERT_NE(count, kDispIdUnknown);
    EXPECT_EQ(a.memberId(QStringLiteral("COUNT")), count);
    EXPECT_EQ(b.memberId(QStringLiteral("Count")), count);
    EXPECT_EQ(a.memberName(count), QStringLiteral("Count"));
    EXPECT_EQ(a.typeName(), QStringLiteral("Counter"));

    // By id and by name reach the same member, each on its own object.
    a.put(QStringLiteral("count"), Variant(int32_t(5)));
    Variant seven(int32_t(7));
    Variant* p = &seven;
    b.invoke(count, Invoke::Put, Args(&p, 1));
    EXPECT_EQ(CLng(a.invoke(count, Invoke::Get, {})), 5);
    EXPECT_EQ(CLng(b.get(QStringLiteral("COUNT"))), 7);
    EXPECT_EQ(CStr(b.get(QStringLiteral("name"))), QStringLiteral("b"));

    // The default member, by the empty name and by kDispIdValue.
    EXPECT_EQ(a.memberId(QString()), kDispIdValue);
    EXPECT_EQ(CLng(a.defaultValue()), 5);
}

TEST(Binder, UnknownMembersRaise438WithTheirName) {
    Counter c(QStringLiteral("c"));
    EXPECT_EQ(c.memberId(QStringLiteral("Nope")), kDispIdUnknown);
    try {
        c.get(QStringLiteral("Nope"));
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 438);
        EXPECT_TRUE(e.description().endsWith(QStringLiteral(": 'Nope'")))
            << e.description().toStdString();
    }
    EXPECT_EQ(errorOf([&] { c.invoke(99, Invoke::Get, {}); }), 438);
    EXPECT_EQ(errorOf([&] { c.invoke(-5, Invoke::Method, {}); }), 438);

    // A table without a default member has none to give.
    MemberTable bare;
    EXPECT_EQ(bare.find(QString()), kDispIdUnknown);
    EXPECT_EQ(bare.find(QStringLiteral("x")), kDispIdUnknown);
}

TEST(Binder, KindsGetLetSetAndCall) {
    Counter c(QStringLiteral("c"));
    const DispId name = c.memberId(QStringLiteral("Name"));
    const DispId count = c.memberId(QStringLiteral("Count"));
    const DispId swap = c.memberId(QStringLiteral("Swap"));

    // A read-only property refuses an assignment, with or without Set.
    EXPECT_EQ(putError(c, name, Invoke::Put, {Variant(QStringLiteral("x"))}), 450);
    EXPECT_EQ(putError(c, name, Invoke::PutRef, {Variant(QStringLiteral("x"))}), 450);
    // A read takes no arguments; an assignment exactly its value.
    EXPECT_EQ(putError(c, count, Invoke::Get, {Variant(int16_t(1))}), 450);
    EXPECT_EQ(putError(c, count, Invoke::Put, {Variant(int16_t(1)), Variant(int16_t(2))}), 450);
    EXPECT_EQ(putError(c, count, Invoke::Put, {}), 450);
    // Set assigns a property as Let does.
    EXPECT_EQ(putError(c, count, Invoke::PutRef, {Variant(int16_t(3))}), 0);
    EXPECT_EQ(c.count(), 3);
    // A property is also reached as a call, a method as a read; a method is never assigned.
    EXPECT_EQ(CLng(c.call(QStringLiteral("Count"))), 3);
    EXPECT_EQ(CLng(c.get(QStringLiteral("AddTimes"), {Variant(int16_t(2)), Variant(1.5)})), 6);
    EXPECT_EQ(putError(c, swap, Invoke::Put, {Variant(), Variant()}), 450);
    // The results keep their subtypes: a Long, a Single for a measure, Empty for a Sub.
    EXPECT_EQ(c.get(QStringLiteral("Count")).varType(), vbLong);
    c.put(QStringLiteral("Size"), Variant(2.75));
    EXPECT_EQ(c.get(QStringLiteral("Size")).varType(), vbSingle);
    EXPECT_FLOAT_EQ(CSng(c.get(QStringLiteral("Size"))), 2.75f);
    std::vector<Variant> two{Variant(int16_t(1)), Variant(int16_t(2))};
    EXPECT_TRUE(c.call(QStringLiteral("Swap"), two).isEmpty());
}

TEST(Binder, ByReferenceArgumentsAreWrittenBackAndConvertedOnesAreNot) {
    Counter c(QStringLiteral("c"));
    std::vector<Variant> args{Variant(QStringLiteral("left")), Variant(int32_t(9))};
    c.call(QStringLiteral("Swap"), args);
    EXPECT_EQ(CLng(args[0]), 9);
    EXPECT_EQ(CStr(args[1]), QStringLiteral("left"));

    // Converted arguments are copies: the caller's "2" stays a String.
    std::vector<Variant> times{Variant(QStringLiteral("2")), Variant(QStringLiteral("3"))};
    EXPECT_EQ(CLng(c.call(QStringLiteral("AddTimes"), times)), 6);
    EXPECT_EQ(times[0].varType(), vbString);

    // Members that take their arguments as they come get all of them.
    EXPECT_EQ(CLng(c.call(QStringLiteral("Sum"),
                          {Variant(int16_t(1)), Variant(int16_t(2)), Variant(int16_t(3))})),
              6);
}

TEST(Binder, ArgumentCountAndConversionErrors) {
    Counter c(QStringLiteral("c"));
    // Exactly as many arguments as the function has parameters.
    EXPECT_EQ(errorOf([&] { c.call(QStringLiteral("AddTimes"), {Variant(int16_t(1))}); }), 450);
    EXPECT_EQ(errorOf([&] {
                  c.call(QStringLiteral("AddTimes"),
                         {Variant(int16_t(1)), Variant(1.0), Variant(int16_t(1))});
              }),
              450);
    // Each argument converted by its parameter's type, with the language's errors.
    EXPECT_EQ(errorOf([&] {
                  c.call(QStringLiteral("AddTimes"), {Variant("x"), Variant(1.0)});
              }),
              13);
    EXPECT_EQ(errorOf([&] {
                  c.call(QStringLiteral("AddTimes"), {Variant(int32_t(40000)), Variant(1.0)});
              }),
              6);
    EXPECT_EQ(errorOf([&] { c.put(QStringLiteral("Count"), Variant::null()); }), 94);
    EXPECT_EQ(errorOf([&] { c.put(QStringLiteral("Even"), Variant("maybe")); }), 13);
    // A failed conversion leaves the object as it was.
    EXPECT_EQ(c.count(), 0);
    c.put(QStringLiteral("Even"), Variant("False"));
    EXPECT_EQ(c.count(), 1);
}

TEST(Binder, ObjectCheckComesAfterTheCountAndBeforeConversions) {
    Counter c(QStringLiteral("c"));
    c.closed = true;
    EXPECT_EQ(errorOf([&] { c.call(QStringLiteral("Add"), {}); }), 450);
    EXPECT_EQ(errorOf([&] { c.call(QStringLiteral("Add"), {Variant("x")}); }), 91);
    EXPECT_EQ(errorOf([&] { c.get(QStringLiteral("Even")); }), 91);
    EXPECT_EQ(errorOf([&] { c.put(QStringLiteral("Even"), Variant("x")); }), 91);
    // Members added before the check do not make it.
    EXPECT_EQ(errorOf([&] { c.get(QStringLiteral("Count")); }), 0);
    c.closed = false;
    c.call(QStringLiteral("Add"), {Variant(int16_t(4))});
    EXPECT_EQ(c.count(), 4);
}

TEST(Binder, RefusingMissingArguments) {
    MemberTable t(QStringLiteral("Strict"));
    Members<Counter>(t)
        .method(QStringLiteral("Loose"), [](Counter&, const Variant& v) { return v.isMissing(); })
        .refuseMissing()
        .method(QStringLiteral("Strict"), [](Counter&, const Variant&) { return true; });
    Counter c(QStringLiteral("c"));
    std::vector<Variant> missing{Variant::missing()};
    auto ptrs = argPointers(missing);
    EXPECT_TRUE(CBool(t.invoke(c, t.find(QStringLiteral("loose")), Invoke::Method, ptrs)));
    EXPECT_EQ(errorOf([&] { t.invoke(c, t.find(QStringLiteral("strict")), Invoke::Method, ptrs); }),
              449);
}

} // namespace
} // namespace zv
