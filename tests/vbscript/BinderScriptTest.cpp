// A class bound through the member binder, used by scripts: what a script sees of it.

#include "Binder.h"
#include "VbsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using zv::Members;
using zv::MemberTable;
using zv::Variant;

// Total (a Long, the default member), Add(n As Integer), Split(text, head, tail) writing both
// results into the script's variables.
class Tally : public zv::BoundDispatch {
public:
    Tally() : BoundDispatch(memberTable()) {}

    static const MemberTable& memberTable() {
        static const MemberTable table = [] {
            MemberTable t(QStringLiteral("Tally"));
            Members<Tally>(t)
                .property<int32_t>(
                    QStringLiteral("Total"), [](Tally& y) { return y.total; },
                    [](Tally& y, int32_t v) { y.total = v; })
                .defaultMember(QStringLiteral("Total"))
                .method(QStringLiteral("Add"), [](Tally& y, int16_t n) { y.total += n; })
                .method(QStringLiteral("Split"),
                        [](Tally&, const QString& text, Variant& head, Variant& tail) {
                            const qsizetype at = text.indexOf(u',');
                            head = Variant(text.left(at));
                            tail = Variant(at < 0 ? QString() : text.mid(at + 1));
                        });
            return t;
        }();
        return table;
    }

    int32_t total = 0;
};

struct BinderInScripts : ::testing::Test {
    vbstest::Engine e;
    std::shared_ptr<Tally> tally = std::make_shared<Tally>();
    BinderInScripts() { e.sc.addObject(QStringLiteral("Tly"), tally); }
};

TEST_F(BinderInScripts, MembersAnswerCaseBlindAndResultsReachTheScriptsVariables) {
    EXPECT_EQ(e.run(QStringLiteral("tly.ADD 5 : TLY.add 2 : Out.Print Tly.total & \" \" & Tly\n"
                                   "Tly.Total = 40 : Tly.Add 2 : Out.Print TypeName(Tly.Total)"
                                   " & \" \" & Tly.Total\n"
                                   "Dim h, t : h = 1 : Tly.Split \"ab,cd\", h, t\n"
                                   "Out.Print h & \"|\" & t & \"|\" & TypeName(h)")),
              QStringLiteral("7 7|Long 42|ab|cd|String"));
    EXPECT_EQ(tally->total, 42);
}

TEST_F(BinderInScripts, ErrorsScriptsSee) {
    const QString trap = QStringLiteral("On Error Resume Next\n");
    const QString report = QStringLiteral("\nOut.Print Err.Number : Err.Clear\n");
    EXPECT_EQ(e.run(trap + "Tly.Nothere 1" + report + "x = Tly.Nothere" + report + "Tly.Add 1, 2" +
                    report + "Tly.Add \"many\"" + report + "Tly.Add 70000" + report +
                    "Tly.Split \"a\", b" + report),
              QStringLiteral("438|438|450|13|6|450"));
    EXPECT_EQ(tally->total, 0);
}

} // namespace
