// The evaluator's fast paths against the runtime's operators over every pair of subtypes, with
// the values at the edges of each (where Integer widens to Long and Long to Double, and where
// a Double overflows): the same subtype and value, or the same error.

#include "FastOps.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <vector>

using namespace zv;

namespace {

std::vector<Variant> grid() {
    std::vector<Variant> v = {Variant(), Variant::null()};
    for (int16_t i : {int16_t(-32768), int16_t(-182), int16_t(-1), int16_t(0), int16_t(1),
                      int16_t(181), int16_t(182), int16_t(32767)})
        v.emplace_back(i);
    for (int32_t i : {INT32_MIN, -46341, -1, 0, 1, 46341, 65536, INT32_MAX})
        v.emplace_back(i);
    for (double d : {0.0, -0.0, 0.5, -2.5, 1e308, -1e308, DBL_MAX, -DBL_MAX, 4.9e-324, 32767.5})
        v.emplace_back(d);
    for (float f : {1.5f, -3.4e38f, FLT_MAX})
        v.emplace_back(f);
    v.push_back(Variant::currencyScaled(123450000));
    v.push_back(Variant::currencyScaled(INT64_MAX / 2));
    v.push_back(Variant::date(45000.5));
    v.emplace_back(QStringLiteral("3"));
    v.emplace_back(QStringLiteral("1e308"));
    v.emplace_back(QStringLiteral("x"));
    v.emplace_back(QString());
    v.emplace_back(true);
    v.emplace_back(false);
    v.emplace_back(uint8_t(0));
    v.emplace_back(uint8_t(255));
    v.push_back(Variant::error(5));
    return v;
}

// A result or the number of the error raised.
struct Outcome {
    Variant value;
    int error = 0;
};

Outcome outcomeOf(const std::function<Variant()>& f) {
    try {
        return {f(), 0};
    } catch (const VbError& e) {
        return {Variant(), e.number()};
    }
}

std::string describe(const Variant& v) {
    if (v.isString()) return "String \"" + v.rawString().toStdString() + "\"";
    return "VarType " + std::to_string(v.varType()) + " " + std::to_string(v.numericValue());
}

void expectSame(const Outcome& fast, const Outcome& general, const char* op, const Variant& a,
                const Variant& b) {
    SCOPED_TRACE(std::string(op) + " of " + describe(a) + " and " + describe(b));
    EXPECT_EQ(fast.error, general.error);
    EXPECT_TRUE(fast.value.sameAs(general.value))
        << "fast " << describe(fast.value) << ", general " << describe(general.value);
}

TEST(FastOps, ArithmeticMatchesTheRuntimeOverTheTypeGrid) {
    const std::vector<Variant> values = grid();
    using Fast = Variant (*)(const Variant&, const Variant&);
    const struct {
        const char* name;
        Fast fast;
        Fast general;
    } ops[] = {{"+", vbs::fast::add, opAdd},
               {"-", vbs::fast::sub, opSub},
               {"*", vbs::fast::mul, opMul},
               {"/", vbs::fast::div, opDiv}};
    for (const Variant& a : values)
        for (const Variant& b : values)
            for (const auto& op : ops)
                expectSame(outcomeOf([&] { return op.fast(a, b); }),
                           outcomeOf([&] { return op.general(a, b); }), op.name, a, b);
}

// The For loop's counter step and the negation of an Integer or a Long.
TEST(FastOps, CounterStepAndNegationMatchTheRuntime) {
    const std::vector<Variant> values = grid();
    for (const Variant& a : values) {
        for (const Variant& b : values) {
            Outcome fast = outcomeOf([&] {
                Variant v = a;
                vbs::fast::addInPlace(v, b);
                return v;
            });
            expectSame(fast, outcomeOf([&] { return opAdd(a, b); }), "step", a, b);
        }
        if (a.isInteger16() || a.isLong())
            expectSame(outcomeOf([&] {
                           return vbs::fast::fromIntegral(-vbs::fast::integral(a), a.isInteger16());
                       }),
                       outcomeOf([&] { return opNeg(a); }), "negation", a, a);
    }
}

// Where the fast comparison answers, it gives the runtime's order and so every operator's
// result.
TEST(FastOps, OrderMatchesTheRuntimesComparison) {
    const std::vector<Variant> values = grid();
    for (const Variant& a : values)
        for (const Variant& b : values) {
            int o = 0;
            if (!vbs::fast::order(a, b, o)) continue;
            SCOPED_TRACE(describe(a) + " against " + describe(b));
            EXPECT_EQ(o, int(compare(a, b)));
            EXPECT_TRUE(Variant(vbs::fast::holds(vbs::Op::Lt, o)).sameAs(opLt(a, b)));
            EXPECT_TRUE(Variant(vbs::fast::holds(vbs::Op::Ge, o)).sameAs(opGe(a, b)));
            EXPECT_TRUE(Variant(vbs::fast::holds(vbs::Op::Ne, o)).sameAs(opNe(a, b)));
        }
}

} // namespace
