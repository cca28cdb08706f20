// The object registry behind CreateObject and GetObject: what the host registers, what it
// refuses (429), and how engines share one registry.

#include "ObjectRegistry.h"
#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;
using zv::DispatchPtr;
using zv::Variant;
using zv::vbs::ObjectRegistry;

namespace {

// A registry with "Test.Counter" (a new object at each creation, its N counting calls of Add)
// and "Test.File", whose opener gives an object that knows its path.
std::shared_ptr<ObjectRegistry> makeRegistry(int& made) {
    auto reg = std::make_shared<ObjectRegistry>();
    reg->add(QStringLiteral("Test.Counter"), [&made]() -> DispatchPtr {
        ++made;
        auto obj = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Counter"));
        auto n = std::make_shared<int>(0);
        obj->addProperty(QStringLiteral("N"), [n](zv::Args) { return Variant(int32_t(*n)); });
        obj->addMethod(QStringLiteral("Add"), [n](zv::Args) {
            ++*n;
            return Variant();
        });
        return obj;
    });
    reg->add(
        QStringLiteral("Test.File"), []() -> DispatchPtr { return nullptr; },
        [](const QString& path) -> DispatchPtr {
            auto obj = std::make_shared<zv::SimpleDispatch>(QStringLiteral("File"));
            obj->addProperty(QStringLiteral("Path"), [path](zv::Args) { return Variant(path); });
            return obj;
        });
    reg->add(QStringLiteral("Test.Failing"),
             []() -> DispatchPtr { throw zv::VbError(70, QStringLiteral("no access")); });
    return reg;
}

class CreateObjects : public ::testing::TestWithParam<EvalCase> {};

TEST_P(CreateObjects, FromTheRegistry) {
    const EvalCase& c = GetParam();
    int made = 0;
    Engine e;
    e.sc.setObjectRegistry(makeRegistry(made));
    expectOutcome(e, c.expr, c.text, c.error,
                  [&] { return e.evalText(QString::fromUtf8(c.expr)); });
}

const EvalCase kCreateCases[] = {
    {"TypeName(CreateObject(\"Test.Counter\"))", "Counter"},
    {"TypeName(CreateObject(\"  test.COUNTER \"))", "Counter"}, // case-blind, blanks around
    {"CreateObject(\"Test.Counter\") Is CreateObject(\"Test.Counter\")", "False"},
    {"TypeName(CreateObject(\"Test.Counter\", \"\"))", "Counter"},
    {"CreateObject(\"Test.Counter\", \"otherhost\")", nullptr, 429},
    {"CreateObject(\"Unknown.Thing\")", nullptr, 429},
    {"CreateObject(\"\")", nullptr, 429},
    {"CreateObject(\"Test.File\")", nullptr, 429}, // the factory gives no object
    {"CreateObject(\"Test.Failing\")", nullptr, 70},
    {"GetObject(\"/tmp/a.txt\", \"Test.File\").Path", "/tmp/a.txt"},
    {"TypeName(GetObject(\"\", \"Test.Counter\"))", "Counter"},
    {"GetObject(, \"Test.Counter\")", nullptr, 429}, // no running instance to find
    {"GetObject(\"/tmp/a.txt\")", nullptr, 429},
    {"GetObject()", nullptr, 429},
    {"GetObject(\"x\", \"Unknown.Thing\")", nullptr, 429},
};

INSTANTIATE_TEST_SUITE_P(Table, CreateObjects, ::testing::ValuesIn(kCreateCases));

TEST(ObjectRegistry, EachEngineStartsEmptyAndKeepsItsRegistryAcrossReset) {
    int made = 0;
    Engine plain;
    EXPECT_TRUE(plain.sc.objectRegistry()->progIds().isEmpty());
    EXPECT_EQ(errorOf([&] { plain.sc.eval(QStringLiteral("CreateObject(\"Test.Counter\")")); }),
              429);
    Engine e;
    auto shared = makeRegistry(made);
    e.sc.setObjectRegistry(shared);
    e.sc.reset();
    EXPECT_EQ(e.sc.objectRegistry(), shared);
    e.sc.executeStatement(QStringLiteral("Set c = CreateObject(\"Test.Counter\") : c.Add : c.Add"));
    EXPECT_EQ(e.evalText(QStringLiteral("c.N")), QStringLiteral("2"));
    // A null registry stands for an empty one of the engine's own.
    e.sc.setObjectRegistry(nullptr);
    ASSERT_TRUE(e.sc.objectRegistry());
    EXPECT_FALSE(e.sc.objectRegistry()->contains(QStringLiteral("Test.Counter")));
}

TEST(ObjectRegistry, OneRegistryServesSeveralEnginesAndChangesReachThemAll) {
    int made = 0;
    auto shared = makeRegistry(made);
    Engine a, b;
    a.sc.setObjectRegistry(shared);
    b.sc.setObjectRegistry(shared);
    a.sc.eval(QStringLiteral("CreateObject(\"Test.Counter\")"));
    b.sc.eval(QStringLiteral("CreateObject(\"Test.Counter\")"));
    EXPECT_EQ(made, 2);
    shared->remove(QStringLiteral("TEST.COUNTER"));
    EXPECT_EQ(errorOf([&] { b.sc.eval(QStringLiteral("CreateObject(\"Test.Counter\")")); }), 429);
    QStringList ids = shared->progIds();
    ids.sort();
    EXPECT_EQ(ids, (QStringList{"Test.Failing", "Test.File"}));
}

} // namespace
