// The sample definition read and built with the real script host and engine: the variables,
// the default button positions and the controls' positions come out of VBScript itself.

#include "Convert.h"
#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "TestSupport.h"
#include "VbLabel.h"
#include "VbRichTextBox.h"
#include "VbsSup.h"
#include "VbsSupHost.h"
#include "WizardTestSupport.h"
#include "ZelVynAsp.h"
#include "ZelVynGlb.h"

#include <gtest/gtest.h>

using namespace zv;

namespace {

class DefinitionScript : public ::testing::Test {
protected:
    DefinitionScript() {
        zvtest::useSampleDefinition(ctx);
        host = std::make_shared<VbsSupHost>();
        engine.setVbsFactory([this] { return host; });
        engine.RegFrm(window);
    }
    ~DefinitionScript() override { zelVynGlbReset(); }

    // The window's own script engine, which the engine binds the host to.
    Variant eval(const QString& expression) { return window->scriptControl()->eval(expression); }

    ScopedProcessContext ctx;
    std::shared_ptr<ZelVynAsp> window = std::make_shared<ZelVynAsp>();
    std::shared_ptr<VbsSupHost> host;
    SupVyn engine;
};

} // namespace

TEST_F(DefinitionScript, SampleReadAndBuiltWithTheScriptEngine) {
    engine.VynIni(zelVynGlbState().VynFpa);
    EXPECT_EQ(toDouble(eval("xMax")), 600);
    EXPECT_EQ(toDouble(eval("yMax")), 480);
    EXPECT_EQ(toText(eval("Produto")), QStringLiteral("ZelVyn 2.5"));
    EXPECT_EQ(toDouble(eval("LargUtil")), 560);
    EXPECT_EQ(toDouble(eval("ZnTxt_Y2")), 420);
    EXPECT_EQ(toText(eval("DirPgm")), zelVynGlbState().DirPgm);
    EXPECT_EQ(toText(eval("TypeName(DirPgm)")), QStringLiteral("String"));
    // The second script replaced the first one's code.
    EXPECT_EQ(toText(eval("LicSeg(2)")), QStringLiteral("PASTA"));
    EXPECT_EQ(toDouble(eval("Instalar()")), 1);

    const PagDef& first = engine.pageTable()[1];
    EXPECT_EQ(first.Tra[TraSeg].POS, QStringLiteral("420, 440"));
    EXPECT_EQ(first.Tra[TraSeg].X, 6300);
    EXPECT_EQ(engine.pageTable()[2].Tra[TraAnt].Y, 6600);

    // Controls placed where the script's values put them.
    auto title = std::dynamic_pointer_cast<VbLabel>(engine.control(2));
    ASSERT_TRUE(title);
    EXPECT_EQ(title->width(), 8400);
    auto licence = std::dynamic_pointer_cast<VbRichTextBox>(engine.control(4));
    ASSERT_TRUE(licence);
    EXPECT_EQ(licence->height(), 4800);
}
