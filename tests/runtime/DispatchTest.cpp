#include "Dispatch.h"
#include "Convert.h"
#include "TestSupport.h"
#include "VbError.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

// An object whose members are those named, each property answering its own name and the
// object's tag; a name given twice registers a second getter over the first.
class Named : public SimpleDispatch {
public:
    Named(const QString& type, const QString& tag, const QStringList& names)
        : SimpleDispatch(type) {
        for (const QString& name : names)
            addProperty(name, [name, tag](Args) { return Variant(tag + u':' + name); });
    }
    QString read(const QString& name) { return CStr(get(name)); }
};

using zvtest::errorOf;

// Objects of one type each fill a table of their own; these check that every object answers
// exactly its own members, whatever the order its registrations take.
TEST(SimpleDispatch, ObjectsOfOneTypeAnswerTheirOwnMembers) {
    const QString type = QStringLiteral("SharedIndexProbe");
    Named first(type, "a", {"Left", "Top", "Caption", "Left"});
    EXPECT_EQ(first.read("caption"), "a:Caption");
    EXPECT_EQ(first.read("LEFT"), "a:Left"); // the second registration replaced the first
    EXPECT_EQ(first.memberId("left"), 1);

    // The same registrations: the same ids, its own functions.
    Named same(type, "b", {"Left", "Top", "Caption", "Left"});
    EXPECT_EQ(same.read("Caption"), "b:Caption");
    EXPECT_EQ(same.memberId("Caption"), first.memberId("Caption"));

    // Fewer: the names it never registered are unknown to it.
    Named fewer(type, "c", {"Left", "Top"});
    EXPECT_EQ(fewer.read("top"), "c:Top");
    EXPECT_EQ(fewer.memberId("Caption"), kDispIdUnknown);
    EXPECT_EQ(errorOf([&] { fewer.read("Caption"); }), 438);

    // Different from the second registration on, and more.
    Named other(type, "d", {"Left", "Width", "Top", "Extra"});
    EXPECT_EQ(other.read("width"), "d:Width");
    EXPECT_EQ(other.read("Extra"), "d:Extra");
    EXPECT_EQ(other.memberId("Top"), 3);
    EXPECT_EQ(other.memberId("Caption"), kDispIdUnknown);

    // The same start, then one more than the first had.
    Named longer(type, "e", {"Left", "Top", "Caption", "Left", "Height"});
    EXPECT_EQ(longer.read("HEIGHT"), "e:Height");
    EXPECT_EQ(first.memberId("Height"), kDispIdUnknown);

    // Registrations made after the first look-ups stay the object's own.
    first.addProperty(QStringLiteral("Late"), [](Args) { return Variant(QStringLiteral("late")); });
    EXPECT_EQ(first.read("late"), "late");
    EXPECT_EQ(same.memberId("Late"), kDispIdUnknown);
    EXPECT_EQ(first.read("caption"), "a:Caption");
}

TEST(SimpleDispatch, NamesAreMatchedCaseBlindAndLongNamesToo) {
    const QString longName = QString(100, u'x') + QStringLiteral("ação");
    Named o(QStringLiteral("CaseProbe"), "t", {"Ação", longName});
    EXPECT_EQ(o.read("AÇÃO"), "t:Ação");
    EXPECT_EQ(o.read(longName.toUpper()), "t:" + longName);
    o.setDefaultMember(QStringLiteral("ação"));
    EXPECT_EQ(CStr(o.defaultValue()), "t:Ação");
}

} // namespace
} // namespace zv
