// The page controls built on the wizard window from a definition: kinds, geometry in twips,
// colours, fonts, alignment, rich text from files, option lists with their options, all
// hidden; and the faults a definition can hold.

#include "Convert.h"
#include "FakeVbsHost.h"
#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "TestSupport.h"
#include "Twips.h"
#include "VbCheckBox3D.h"
#include "VbColor.h"
#include "VbForm.h"
#include "VbLabel.h"
#include "VbOptionButton.h"
#include "VbRichTextBox.h"
#include "WizardTestSupport.h"
#include "WizardWindow.h"
#include "ZelOpc.h"
#include "ZelVynAsp.h"
#include "ZelVynGlb.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace zv;

namespace {

class Controls : public zvtest::HeadlessTest {
protected:
    Controls() {
        zvtest::useSampleDefinition(ctx);
        engine.setVbsFactory([this] { return host; });
        engine.RegFrm(window);
    }
    ~Controls() override { zelVynGlbReset(); }

    void buildSample() { engine.VynIni(zelVynGlbState().VynFpa); }
    void buildInline(const QString& zones) {
        const QString path =
            temp.write(QStringLiteral("def.par"), (zvtest::kDefinitionHeader + zones).toUtf8());
        engine.VynIni(path);
    }

    template <class T> std::shared_ptr<T> made(int i) const {
        return std::dynamic_pointer_cast<T>(engine.control(i));
    }

    std::shared_ptr<zvtest::FakeVbsHost> host = std::make_shared<zvtest::FakeVbsHost>();
    std::shared_ptr<ZelVynAsp> window = std::make_shared<ZelVynAsp>();
    SupVyn engine;
};

} // namespace

TEST_F(Controls, SampleBuiltHiddenInTwips) {
    buildSample();
    EXPECT_EQ(window->caption(), QStringLiteral("Instalação do ZelVyn 2.5"));
    EXPECT_EQ(window->width(), 9000);        // DimX 600 pixels
    EXPECT_EQ(window->clientHeight(), 7200); // DimY "AUTO": the designed height
    // Page 1 entered: its two labels shown.
    EXPECT_EQ(engine.PagAtu, 1);
    EXPECT_EQ(engine.PagLst, (std::vector<int16_t>{0, 1}));

    // Every control of the table exists in its array at its own index, hidden but for page 1's.
    for (int i : {1, 2, 3, 10})
        EXPECT_EQ(window->control(QStringLiteral("laVyn"), i), engine.control(i)) << i;
    EXPECT_EQ(window->control(QStringLiteral("rtfVyn"), 4), engine.control(4));
    EXPECT_EQ(window->control(QStringLiteral("ckVyn"), 5), engine.control(5));
    EXPECT_EQ(window->control(QStringLiteral("ZelOpc"), 6), engine.control(6));
    for (int i : {7, 8, 9, 11})
        EXPECT_EQ(engine.control(i), nullptr) << i; // options and the unknown kind
    for (int i : {1, 2, 3, 4, 5, 6, 10})
        EXPECT_EQ(std::static_pointer_cast<VbControl>(engine.control(i))->visible(),
                  i == 2 || i == 3)
            << i;

    // Left, top, width and height in twips, from script expressions over points, zones and
    // variables (a label without a height keeps the one its text gives it).
    const std::pair<int, const char*> places[] = {
        {2, "300 300 8400"},      {3, "300 6750"},           {4, "300 900 8400 4800"},
        {5, "300 5850 4500 300"}, {6, "300 1200 4500 1800"}, {10, "300 3300 * 600"}};
    for (const auto& [i, place] : places) {
        const auto c = std::static_pointer_cast<VbControl>(engine.control(i));
        QStringList got{QString::number(c->left()), QString::number(c->top()),
                        QString::number(c->width()), QString::number(c->height())};
        const QStringList want = QString::fromLatin1(place).split(u' ');
        for (int k = 0; k < want.size(); ++k) {
            if (want[k] == u"*") continue;
            EXPECT_EQ(got[k], want[k]) << i << " part " << k;
        }
    }

    // The title: wrapped at its width, its font, centred, transparent, navy.
    auto title = made<VbLabel>(2);
    EXPECT_TRUE(title->autoSize() && title->wordWrap());
    EXPECT_EQ(title->caption(), QStringLiteral("Bem-vindo à instalação"));
    EXPECT_EQ(title->fontName(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(title->fontSize(), 14);
    EXPECT_TRUE(title->fontBold() && title->fontItalic());
    EXPECT_EQ(title->alignment(), 2);
    EXPECT_EQ(title->backStyle(), 0); // "NC": transparent
    EXPECT_EQ(title->foreColor(), vbRgb(0, 0, 128));
    auto version = made<VbLabel>(3);
    EXPECT_EQ(version->caption(), QStringLiteral("2.5"));
    EXPECT_EQ(version->alignment(), 1);
    EXPECT_EQ(version->backStyle(), 1);
    EXPECT_EQ(version->backColor(), vbRgb(255, 255, 255));
    EXPECT_EQ(version->foreColor(), 0);

    // The licence file, named with a folder key, read as rich text.
    auto licence = made<VbRichTextBox>(4);
    EXPECT_EQ(licence->backColor(), vbRgb(255, 255, 255));
    EXPECT_TRUE(licence->text().startsWith(QStringLiteral("Licença de utilização\n")));
    EXPECT_EQ(licence->document()->blockCount(), 5);

    auto accept = made<VbCheckBox3D>(5);
    EXPECT_EQ(accept->caption(), QStringLiteral("Aceito os termos da licença"));
    EXPECT_EQ(accept->backStyle(), 0);
    EXPECT_EQ(accept->foreColor(), vbRgb(0, 0, 128)); // palette colour 1

    auto note = made<VbLabel>(10);
    EXPECT_FALSE(note->autoSize()); // a given height: no longer sized by its text
    EXPECT_EQ(note->caption(), QStringLiteral("[SemOpcao] fica como está"));
}

TEST_F(Controls, SampleOptionList) {
    buildSample();
    auto list = made<ZelOpc>(6);
    ASSERT_TRUE(list);
    EXPECT_EQ(engine.currentOptionList(), engine.control(6));
    EXPECT_FALSE(list->borderVisible());
    EXPECT_EQ(list->colourScheme(), QStringLiteral("N"));
    EXPECT_EQ(list->backColor(), vbRgb(192, 192, 192)); // palette colour 7
    EXPECT_EQ(list->optionForeColor(), 0);
    EXPECT_EQ(list->OpcNum(), 3);
    EXPECT_EQ(list->opcUsa(), 0);

    const char* captions[] = {"", "Pasta do programa", "Pasta pessoal", "Outra pasta"};
    const char* texts[] = {"", "/opt/zelvyn", "~/zelvyn", ""};
    double w = 0, h = 0;
    list->TxDim(false, QString(), w, h);
    const double step = (1800 - 30 - h) / 3;
    for (int i = 1; i <= 3; ++i) {
        const auto o = list->option(i);
        EXPECT_EQ(o->caption(), QString::fromUtf8(captions[i]));
        EXPECT_EQ(o->tag(), QString::fromUtf8(texts[i]));
        EXPECT_TRUE(o->visible()); // placed inside the list, which stays hidden
        EXPECT_EQ(o->left(), 300);
        // Placed options take the list's colours, painted right of their caption.
        QRadioButton* r = o->radioButton();
        EXPECT_EQ(QColor(r->grab().toImage().pixel(r->width() - 2, r->height() / 2)),
                  QColor(192, 192, 192));
        const double top = roundHalfEven(step / 2 - h / 2 + (i - 1) * step);
        EXPECT_EQ(o->top(), pixelsToTwips(twipsToPixels(top))) << i;
    }
}

TEST_F(Controls, DefaultColoursFontsAndPanelContent) {
    buildInline(QStringLiteral(
        "#PAG:IDE\nId [IDE]=P\n##\n"
        "#CMP:IDE\nT [Tip]=LAB\nI [Ide]=semCor\nX [Txt]=Sem cor\nL [Fon]=,20,bold\n##\n"
        "#CMP:IDE\nT [Tip]=CKB\nI [Ide]=ckNC\nC [Cor]=NC\nX [Txt]=Caixa\n##\n"
        "#CMP:IDE\nT [Tip]=RTF\nI [Ide]=rtfNC\nF [Fun]=NC\nX [Txt]=Linha 1\n##\n"
        "#CMP:IDE\nT [Tip]=RTF\nI [Ide]=rtfFalta\nF [Fun]=1\nX "
        "[Txt]=[[DirPgm]/nao-existe.rtf]\n##\n"
        "#CMP:IDE\nT [Tip]=RTF\nI [Ide]=rtfTxt\nX [Txt]=[[DirPgm]/leiame.txt]\n##\n"
        "#CMP:IDE\nT [Tip]=OPC\nI [Ide]=opc\nF [Fun]=NC\nC [Cor]=16\n##\n"
        "#CMP:IDE\nT [Tip]=LAB\nI [Ide]=largo\nD [Dim]=100\n"
        "X [Txt]=Um texto comprido que não cabe numa só linha de cem pixels\n##\n"));

    // No colour: the default text colour stays (the design element's).
    const auto design = window->control(QStringLiteral("laVyn"), 0);
    auto plain = made<VbLabel>(1);
    EXPECT_EQ(plain->foreColor(), design->foreColor());
    EXPECT_EQ(plain->backStyle(), 0); // an empty "Fun" is transparent too
    // A size without a font name changes nothing.
    EXPECT_EQ(plain->fontSize(), design->fontSize());
    EXPECT_FALSE(plain->fontBold());
    auto box = made<VbCheckBox3D>(2);
    EXPECT_EQ(box->foreColor(), window->control(QStringLiteral("ckVyn"), 0)->foreColor());

    // A panel with background -1 is transparent; plain text shows as it is.
    auto clear = made<VbRichTextBox>(3);
    EXPECT_EQ(clear->backColor(), kNoColor);
    EXPECT_EQ(clear->text(), QStringLiteral("Linha 1"));
    // A file that is missing leaves the panel empty; a plain text file shows as plain text.
    auto missing = made<VbRichTextBox>(4);
    EXPECT_EQ(missing->text(), QString());
    EXPECT_EQ(missing->backColor(), vbRgb(0, 0, 128));
    EXPECT_EQ(made<VbRichTextBox>(5)->text(),
              QStringLiteral("Leia-me\nAtenção: texto simples em Windows-1252.\n"));

    auto list = made<ZelOpc>(6);
    EXPECT_EQ(list->optionForeColor(), 0); // -1 changed nothing
    EXPECT_EQ(list->OpcNum(), 0);

    // A width without a height: wrapped at that width, as high as its text.
    auto wide = made<VbLabel>(7);
    EXPECT_EQ(wide->width(), 1500);
    const QFontMetrics fm(wide->label()->font());
    EXPECT_GT(wide->height(), pixelsToTwips(2 * fm.lineSpacing() - 1));
}

// A control that cannot be built fails the start attempt naming its page, the control (its
// kind when it has no Ide) and the key whose value is at fault.
struct ControlFailure {
    const char* zone;
    const char* error;
};

class ControlFailures : public Controls, public ::testing::WithParamInterface<ControlFailure> {};

TEST_P(ControlFailures, NameThePageTheControlAndTheKey) {
    QString error;
    try {
        buildInline(QStringLiteral("#PAG:IDE\nId [IDE]=P\n##\n"
                                   "#CMP:IDE\nT [Tip]=LAB\nI [Ide]=antes\n##\n#CMP:IDE\n") +
                    QString::fromUtf8(GetParam().zone) + QStringLiteral("\n##\n"));
    } catch (const VbError& e) {
        error = QStringLiteral("%1 %2").arg(e.number()).arg(e.description());
    }
    EXPECT_EQ(error, QString::fromUtf8(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Definition, ControlFailures,
    ::testing::Values(
        // An option before any list: a definition mistake, not a missing component.
        ControlFailure{"T [Tip]=OPCTXT\nI [Ide]=solta\nX [Txt]=Uma",
                       "91 opção \"OPCTXT\" sem lista \"OPC\" antes dela (página 1 \"P\", "
                       "controlo 2 \"solta\")"},
        ControlFailure{"T [Tip]=LAB\nP [Pos]=10, 1e300",
                       "6 Overflow (página 1 \"P\", controlo 2 \"LAB\", chave \"Pos\")"},
        ControlFailure{"T [Tip]=CKB\nI [Ide]=ck\nD [Dim]=99999999999",
                       "6 Overflow (página 1 \"P\", controlo 2 \"ck\", chave \"Dim\")"},
        ControlFailure{"T [Tip]=LAB\nI [Ide]=la\nF [Fon]=DejaVu Sans,99999",
                       "6 Overflow (página 1 \"P\", controlo 2 \"la\", chave \"Fon\")"}));

TEST_F(Controls, OptionsJoinTheLastListAlsoOfAnEarlierPage) {
    // "OPCTXT" adds to the last list, also one of an earlier page.
    buildInline(QStringLiteral("#PAG:IDE\nId [IDE]=A\n##\n"
                               "#CMP:IDE\nT [Tip]=OPC\nI [Ide]=lista\n##\n"
                               "#PAG:IDE\nId [IDE]=B\n##\n"
                               "#CMP:IDE\nT [Tip]=OPCTXT\nX [Txt]=Da página B\n##\n"));
    EXPECT_EQ(made<ZelOpc>(1)->OpcNum(), 1);
    EXPECT_EQ(engine.pageTable()[2].CmpIni, 2);
}

// Controls that share a position or size text get what converting that text on its own gives,
// whatever came before: parts that are not numbers leave 0 (position) or -1 (size), and a text
// met again after others converts as it did the first time.
TEST_F(Controls, SharedPositionsAndSizesConvertAsEachOnItsOwn) {
    struct Place {
        const char* pos;
        const char* dim;
        std::tuple<int32_t, int32_t, int32_t, int32_t> twips; // X, Y, W, H
    };
    const Place places[] = {
        {"10, 20", "30, 40", {150, 300, 450, 600}}, {"abc, 20", "30", {0, 300, 450, -1}},
        {"10, 20", "30, 40", {150, 300, 450, 600}}, {"10, x", "y, 40", {150, 0, -1, 600}},
        {"abc, 20", "30", {0, 300, 450, -1}},       {"10.5, 2", "30, 40", {158, 30, 450, 600}},
        {"10, x", "y, 40", {150, 0, -1, 600}},      {"10.5, 2", "30", {158, 30, 450, -1}}};
    QString zones = QStringLiteral("#PAG:IDE\nId [IDE]=P\n##\n");
    for (const Place& p : places)
        zones += QStringLiteral("#CMP:IDE\nT [Tip]=CKB\nP [Pos]=%1\nD [Dim]=%2\n##\n")
                     .arg(QString::fromLatin1(p.pos), QString::fromLatin1(p.dim));
    buildInline(zones);
    const std::vector<CmpDef>& table = engine.controlTable();
    ASSERT_EQ(table.size(), 1 + std::size(places));
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_EQ(std::tuple(table[i].X, table[i].Y, table[i].W, table[i].H), places[i - 1].twips)
            << i;
}

// A position whose parts are pure is evaluated once while the variables hold; once script code
// that is not pure has run, every position is evaluated again where it stands.
TEST_F(Controls, PurePositionsEvaluatedOnceWhileTheVariablesHold) {
    QString zones = QStringLiteral("#VAR:IDE\nA [A]=10\n##\n#PAG:IDE\nId [IDE]=P\n##\n");
    for (const char* pos : {"A, 20", "A, 20", "Nada, 30", "A, 20"})
        zones += QStringLiteral("#CMP:IDE\nT [Tip]=CKB\nP [Pos]=%1\n##\n").arg(QLatin1String(pos));
    host->calculated.clear();
    buildInline(zones);
    EXPECT_EQ(host->calculated.count(QStringLiteral("A")), 2);
    EXPECT_EQ(host->calculated.count(QStringLiteral(" 20")), 2);
    EXPECT_EQ(host->calculated.count(QStringLiteral("Nada")), 1);
    const std::vector<CmpDef>& table = engine.controlTable();
    ASSERT_EQ(table.size(), 5u);
    for (int i : {1, 2, 4})
        EXPECT_EQ(std::pair(table[i].X, table[i].Y), std::pair(150, 300)) << i;
    EXPECT_EQ(std::pair(table[3].X, table[3].Y), std::pair(0, 450));
}
