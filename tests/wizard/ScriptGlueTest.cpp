// Scripts of a running wizard (scripts.par) reading and changing the page controls through the
// action object "Vyn", transition functions that fail, and the person's clicks and close
// request while a script waits with the event pump running.

#include "TestSupport.h"
#include "VbCheckBox3D.h"
#include "VbColor.h"
#include "VbLabel.h"
#include "VbOptionButton.h"
#include "VbRichTextBox.h"
#include "WizardRunSupport.h"
#include "ZelOpc.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace zv;
using zvtest::RunEnd;

namespace {

class ScriptGlue : public zvtest::WizardRun {
protected:
    template <class T> std::shared_ptr<T> made(int i) const {
        return std::dynamic_pointer_cast<T>(engine->control(i));
    }
    QStringList steps(const char* text) const { return QString::fromLatin1(text).split(u' '); }
};

// The controls of page 1 by their index in the control table.
constexpr int kLabel = 1, kCheckBox = 2, kList = 3, kPanel = 6;

} // namespace

TEST_F(ScriptGlue, ScriptsReadTheControlsAsThePersonLeftThem) {
    start(QStringLiteral("scripts.par"));
    // "Ler" before any choice, then after ticking the box and choosing the second option.
    walk(steps("CNF . CNF"), [&](int step) {
        if (step != 1) return;
        QCheckBox* box = made<VbCheckBox3D>(kCheckBox)->checkBox();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QRadioButton* second = made<ZelOpc>(kList)->option(2)->radioButton();
        QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(6, second->height() / 2));
    });
    EXPECT_EQ(log, (QStringList{QStringLiteral("ckOpc 1 ckOpc 0 String"),
                                QStringLiteral("opcLista 1 opcLista 0 "),
                                QStringLiteral("cmSeg 1 []"), QStringLiteral("naoExiste 0 []"),
                                QStringLiteral("ckOpc 1 ckOpc 1 String"),
                                QStringLiteral("opcLista 1 opcLista 2 /opt/b"),
                                QStringLiteral("cmSeg 1 []"), QStringLiteral("naoExiste 0 []")}));
    // The font name of the last control found (the Next button): a control that is not found
    // fails before it.
    EXPECT_EQ(toText(window->scriptControl()->eval(QStringLiteral("cmpFontName"))),
              window->cmSeg()->fontName());
}

TEST_F(ScriptGlue, ScriptsChangeTheControls) {
    start(QStringLiteral("scripts.par"));
    const auto panel = made<VbRichTextBox>(kPanel);
    const double panelHeight = panel->height();
    walk(steps("CAN"));
    // Every change done (1) but for a control not found and a panel asked for a caption (0).
    EXPECT_EQ(log, QStringList{QStringLiteral("Mudar 11111111100")});
    const auto label = made<VbLabel>(kLabel);
    EXPECT_EQ(label->caption(), QStringLiteral("Diz \"olá\"")); // double quotes kept
    // "POS" with no y part: Top 0; the lower-case "pos" changed nothing.
    EXPECT_EQ(label->left(), 450);
    EXPECT_EQ(label->top(), 0);
    EXPECT_EQ(label->fontName(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(label->fontSize(), 13);
    EXPECT_TRUE(label->fontBold());
    EXPECT_EQ(label->backColor(), vbRgb(255, 0, 0));
    EXPECT_EQ(label->alignment(), 1);
    // Only a size above 0 is applied.
    EXPECT_EQ(panel->width(), 3300);
    EXPECT_EQ(panel->height(), panelHeight);
    EXPECT_FALSE(window->cmSeg()->enabled());
    EXPECT_TRUE(window->cmSeg()->visible());
    EXPECT_TRUE(made<VbCheckBox3D>(kCheckBox)->checkBox()->isChecked());
}

TEST_F(ScriptGlue, FailingTransitionFunctionsLeaveThePage) {
    start(QStringLiteral("scripts.par"));
    const zvtest::RunResult r = walk(steps("SEG SEG ANT ANT"));
    // The first call of each fails: the page stays; the second moves.
    EXPECT_EQ(r.pages, (QList<int>{1, 2, 2, 1}));
    EXPECT_EQ(int(r.end), int(RunEnd::StillOpen));
    EXPECT_EQ(log, (QStringList{QStringLiteral("Seguinte 1 1"), QStringLiteral("Seguinte 1 2"),
                                QStringLiteral("Voltar 2 1"), QStringLiteral("Voltar 2 2")}));
    EXPECT_EQ(engine->PagLst, (std::vector<int16_t>{0, 1, 2, 1}));
}

TEST_F(ScriptGlue, ClicksAndCloseWhileAScriptWaitsAreIgnored) {
    start(QStringLiteral("scripts.par"));
    int pumped = 0;
    bool closed = true;
    int pageDuring = 0;
    pump().setHook([&] {
        if (pumped++ > 0) return;
        // The person clicks Back and Cancel (both shown and enabled) and the close box while
        // "Esperar" waits for its program.
        click(QStringLiteral("ANT"));
        click(QStringLiteral("CAN"));
        closed = window->close();
        pageDuring = engine->PagAtu;
    });
    const zvtest::RunResult r = walk(steps("SEG SEG CNF CAN"));
    EXPECT_GT(pumped, 0);
    EXPECT_FALSE(closed);
    EXPECT_EQ(pageDuring, 2);
    EXPECT_EQ(log, (QStringList{QStringLiteral("Seguinte 1 1"), QStringLiteral("Seguinte 1 2"),
                                QStringLiteral("antes"), QStringLiteral("depois 1")}));
    // Once the script is over, the buttons work again: Cancel on the last page closes.
    EXPECT_EQ(r.pages, (QList<int>{1, 2, 2}));
    EXPECT_EQ(int(r.end), int(RunEnd::Closed));
}

TEST_F(ScriptGlue, ActionObjectOutlivesTheEngine) {
    start(QStringLiteral("scripts.par"));
    const QString read = QStringLiteral("Vyn.CmpVarCon(\"laNome\")");
    EXPECT_EQ(toText(window->scriptControl()->eval(read)), QStringLiteral("1"));
    // The window's script engine keeps "Vyn" after the engine has gone: it answers 0.
    engine.reset();
    EXPECT_EQ(toText(window->scriptControl()->eval(read)), QStringLiteral("0"));
}

TEST_F(ScriptGlue, ScriptsLookUpTheDefinitionsOptions) {
    ctx->setArguments({QStringLiteral("zelvyn"), QStringLiteral("-FP"), QStringLiteral("x.par"),
                       QStringLiteral("TitVyn=Outro título"), QStringLiteral("PASTA=/srv/ola")});
    ctx->setHomeFolder(QStringLiteral("/home/pessoa"));
    const auto opc = [&](const char* key) {
        return toText(window->scriptControl()->eval(
            QStringLiteral("Vyn.FxOpcCon(\"%1\")").arg(QString::fromUtf8(key))));
    };
    start(QStringLiteral("scripts.par"));
    // A name=value word wins over the "DEF" key; a key nobody gives is ""; special keys answer.
    EXPECT_EQ(opc("titvyn"), QStringLiteral("Outro título"));
    EXPECT_EQ(opc(" PASTA "), QStringLiteral("/srv/ola"));
    EXPECT_EQ(opc("DimX"), QStringLiteral("600"));
    EXPECT_EQ(opc("nada"), QString());
    EXPECT_EQ(opc("USR:DIR"), QStringLiteral("/home/pessoa"));
    EXPECT_EQ(opc("LC:FP"), QStringLiteral("x.par"));
    EXPECT_EQ(
        toText(window->scriptControl()->eval(QStringLiteral("TypeName(Vyn.FxOpcCon(\"nada\"))"))),
        QStringLiteral("String"));
}
