// The language's operators: result subtypes, promotion on overflow, Null and Empty rules,
// comparisons.
#include "Operators.h"
#include "Convert.h"
#include "Dispatch.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

namespace {

Variant I(int16_t v) {
    return Variant(v);
}

// "TypeName:text" of a value, a compact way to check subtype and value together.
QString shape(const Variant& v) {
    return TypeName(v) + u':' + (v.isNull() ? QStringLiteral("Null") : CStr(v));
}

} // namespace

TEST(Operators, ArithmeticSubtypesAndPromotion) {
    struct Case {
        Variant result;
        const char* expected;
    } cases[] = {
        {opAdd(I(32767), I(1)), "Long:32768"},
        {opAdd(I(1), I(2)), "Integer:3"},
        {opMul(Variant(65536), Variant(65536)), "Double:4294967296"},
        {opAdd(Variant(2147483647), I(1)), "Double:2147483648"},
        {opAdd(Variant("1"), I(1)), "Double:2"},
        {opAdd(Variant("1"), Variant("1")), "String:11"},
        {opAdd(Variant(), Variant("a")), "String:a"},
        {opAdd(Variant(), Variant()), "Integer:0"},
        {opAdd(Variant(true), I(1)), "Integer:0"},
        {opAdd(Variant(uint8_t(200)), Variant(uint8_t(100))), "Integer:300"},
        {opAdd(Variant(uint8_t(2)), Variant(uint8_t(3))), "Byte:5"},
        {opSub(Variant(float(1.5)), I(1)), "Single:0.5"},
        {opDiv(I(7), I(2)), "Double:3.5"},
        {opIntDiv(I(7), I(2)), "Integer:3"},
        {opIntDiv(Variant(7.5), I(2)), "Long:4"},
        {opMod(I(-7), I(3)), "Integer:-1"},
        {opMod(Variant(5.5), I(2)), "Long:0"},
        {opPow(opPow(I(2), I(3)), I(2)), "Double:64"},
        {opNeg(I(-32768)), "Long:32768"},
        {opConcat(Variant("1"), Variant(1)), "String:11"},
        {opConcat(Variant::null(), Variant(1.5)), "String:1.5"},
        {opAdd(Variant::date(1), I(1)), "Date:01/01/1900"},
        {opSub(Variant::date(3), Variant::date(1)), "Double:2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shape(c.result), QString::fromLatin1(c.expected));
}

TEST(Operators, NullPropagatesAndErrorsAreRaised) {
    EXPECT_TRUE(opAdd(Variant::null(), I(1)).isNull());
    EXPECT_TRUE(opMul(I(1), Variant::null()).isNull());
    EXPECT_TRUE(opConcat(Variant::null(), Variant::null()).isNull());
    EXPECT_TRUE(opNeg(Variant::null()).isNull());
    EXPECT_TRUE(opNot(Variant::null()).isNull());
    EXPECT_TRUE(opEq(Variant::null(), Variant::null()).isNull());
    EXPECT_EQ(errorOf([] { opAdd(Variant("a"), I(1)); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { opDiv(I(1), I(0)); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { opDiv(I(0), I(0)); }), err::Overflow);
    EXPECT_EQ(errorOf([] { opIntDiv(I(1), Variant(0.2)); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { opMod(Variant(1e12), I(3)); }), err::Overflow);
    EXPECT_EQ(errorOf([] { opMul(Variant(1e300), Variant(1e300)); }), err::Overflow);
    EXPECT_EQ(errorOf([] { opAdd(Variant::list({}), I(1)); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { opIs(I(1), Variant::nothing()); }), err::ObjectRequired);
}

TEST(Operators, LogicalOperatorsAreBitwiseOnNumbers) {
    EXPECT_EQ(shape(opAnd(I(6), I(3))), "Integer:2");
    EXPECT_EQ(shape(opOr(I(6), I(3))), "Integer:7");
    EXPECT_EQ(shape(opXor(I(6), I(3))), "Integer:5");
    EXPECT_EQ(shape(opNot(I(0))), "Integer:-1");
    EXPECT_EQ(shape(opNot(Variant())), "Integer:-1");
    EXPECT_EQ(shape(opNot(Variant(true))), "Boolean:False");
    EXPECT_EQ(shape(opAnd(Variant(true), Variant(false))), "Boolean:False");
    EXPECT_EQ(shape(opAnd(Variant(100000), I(1))), "Long:0");
    EXPECT_EQ(shape(opEqv(Variant(true), Variant(true))), "Boolean:True");
    EXPECT_EQ(shape(opImp(Variant(false), Variant(false))), "Boolean:True");
    // Null decides nothing unless the other side does.
    EXPECT_EQ(shape(opAnd(Variant::null(), Variant(false))), "Boolean:False");
    EXPECT_TRUE(opAnd(Variant::null(), Variant(true)).isNull());
    EXPECT_EQ(shape(opOr(Variant::null(), Variant(true))), "Boolean:True");
    EXPECT_TRUE(opOr(Variant::null(), Variant(false)).isNull());
    EXPECT_EQ(shape(opImp(Variant(false), Variant::null())), "Boolean:True");
    EXPECT_TRUE(opXor(Variant::null(), Variant(true)).isNull());
}

TEST(Operators, Comparisons) {
    auto truth = [](const Variant& v) { return v.isBoolean() && v.rawBoolean(); };
    EXPECT_TRUE(truth(opEq(Variant(), I(0))));
    EXPECT_TRUE(truth(opEq(Variant(), Variant(""))));
    EXPECT_TRUE(truth(opEq(Variant(), Variant())));
    EXPECT_FALSE(truth(opLt(Variant("a"), Variant("B"))));
    EXPECT_TRUE(truth(opLt(Variant("a"), Variant("B"), CompareMode::Text)));
    EXPECT_TRUE(truth(opEq(Variant("ação"), Variant("AÇÃO"), CompareMode::Text)));
    EXPECT_TRUE(truth(opLt(I(1000), Variant("100")))); // a number sorts before a String
    EXPECT_TRUE(truth(opGt(Variant("100"), I(1000))));
    EXPECT_TRUE(truth(opEq(I(1), Variant(1.0))));
    EXPECT_TRUE(truth(opEq(Variant(true), I(-1))));
    EXPECT_TRUE(truth(opLe(Variant(2147483647), Variant(2147483647.0))));
    EXPECT_TRUE(truth(opNe(Variant(0.1 + 0.2), Variant(0.3))));
    EXPECT_EQ(compare(Variant::null(), I(1)), Order::Null);
    EXPECT_FALSE(truthOf(Variant::null()));
    EXPECT_TRUE(truthOf(Variant(" true")));
    EXPECT_TRUE(truthOf(Variant("2")));
    EXPECT_EQ(errorOf([] { truthOf(Variant("x")); }), err::TypeMismatch);
}

TEST(Operators, ObjectsTakeTheirDefaultValue) {
    auto obj = std::make_shared<SimpleDispatch>("Box");
    obj->addProperty("Value", [](Args) { return Variant(int16_t(41)); });
    obj->setDefaultMember("Value");
    Variant o(obj);
    EXPECT_EQ(shape(opAdd(o, I(1))), "Integer:42");
    EXPECT_EQ(shape(opConcat(o, Variant("!"))), "String:41!");
    EXPECT_TRUE(opIs(o, Variant(DispatchPtr(obj))));
    auto plain = std::make_shared<SimpleDispatch>("Plain");
    EXPECT_EQ(errorOf([&] { opAdd(Variant(DispatchPtr(plain)), I(1)); }), err::NoSuchMember);
    EXPECT_EQ(errorOf([] { opAdd(Variant::nothing(), I(1)); }), err::ObjectNotSet);
}
