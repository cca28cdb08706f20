// The wizard's run through a definition of four pages (navegacao.par), its buttons clicked
// with QTest inside the modal run: the page history, every kind of transition, the script
// procedures in the order they run, the buttons and controls of each page, the Cancel
// question, the close box, and the end of the run without "FxFim"; and the program's start
// routine running a definition with its engine.

#include "TestSupport.h"
#include "VbCheckBox3D.h"
#include "VbControl.h"
#include "VbLabel.h"
#include "WizardRunSupport.h"
#include "WizardTestSupport.h"

#include <QApplication>

using namespace zv;
using zvtest::RunEnd;

namespace {

struct WalkCase {
    const char* name;
    const char* steps;
    std::vector<int> pages; // after each step that left the run going
    RunEnd end;
    const char* log;       // the procedures that ran, in order
    const char* said = ""; // the line on the standard error when the run ended on a page change
};

std::ostream& operator<<(std::ostream& os, const WalkCase& c) {
    return os << c.name;
}

const char* const kToPage3 = "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3";

const WalkCase kWalks[] = {
    {"BackWalksTheHistoryThenEndsOnTheFirstPage",
     "SEG SEG ANT ANT ANT",
     {2, 3, 2, 1},
     RunEnd::Ended,
     "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3,Sai3,Ent2,Sai2,Ent1,Sai1",
     "zelvyn: não há página anterior (botão Anterior da página 1 \"INICIO\"): o assistente "
     "termina\n"},
    {"PageJumpThenBackReturns",
     "SEG SEG CNF ANT",
     {2, 3, 1, 3},
     RunEnd::StillOpen,
     "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3,Sai3,Ent1,Sai1,Ent3"},
    {"BackFunctionGivesAPageNumber",
     "SEG SEG SEG ANT",
     {2, 3, 4, 2},
     RunEnd::StillOpen,
     "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3,Sai3,Ent4,AntUltima 4,Sai4,Ent2"},
    {"NextOnTheLastPageEndsWithoutFxFim",
     "SEG SEG SEG SEG",
     {2, 3, 4},
     RunEnd::Ended,
     "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3,Sai3,Ent4,Sai4",
     "zelvyn: não há página seguinte (botão Seguinte da página 4 \"ULTIMA\"): o assistente "
     "termina\n"},
    {"JumpToTheCurrentPageLeavesAndEntersIt",
     "SEG SEG CAN",
     {2, 3, 3},
     RunEnd::StillOpen,
     "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3,Sai3,Ent3"},
    {"CancelFimUnloads", "SEG CAN", {2}, RunEnd::Closed, "Ent1,FxIni,Sai1,Ent2,FxFim"},
    {"CancelOnTheLastPageUnloadsWithoutAsking",
     "SEG SEG SEG CAN",
     {2, 3, 4},
     RunEnd::Closed,
     "Ent1,FxIni,Sai1,Ent2,SegDados 2,Sai2,Ent3,Sai3,Ent4,FxFim"},
    {"ConfirmProcedureStays",
     "SEG CNF",
     {2, 2},
     RunEnd::StillOpen,
     "Ent1,FxIni,Sai1,Ent2,CnfDados"},
    {"CloseBoxRunsFxFim", "X", {}, RunEnd::Closed, "Ent1,FxIni,FxFim"},
    {"CloseBoxOnALaterPage", "SEG X", {2}, RunEnd::Closed, "Ent1,FxIni,Sai1,Ent2,FxFim"},
};

class NavigationWalk : public zvtest::WizardRun, public ::testing::WithParamInterface<WalkCase> {};

class Navigation : public zvtest::WizardRun {};

} // namespace

TEST_P(NavigationWalk, PagesAndProcedures) {
    const WalkCase& c = GetParam();
    start(QStringLiteral("navegacao.par"));
    ::testing::internal::CaptureStderr();
    const zvtest::RunResult r = walk(QString::fromLatin1(c.steps).split(u' '));
    // The program's own lines (the platform may add its warnings).
    QString said;
    for (const QString& line :
         QString::fromStdString(::testing::internal::GetCapturedStderr()).split(u'\n'))
        if (line.startsWith(QStringLiteral("zelvyn: "))) said += line + u'\n';
    EXPECT_EQ(said, QString::fromUtf8(c.said));
    EXPECT_EQ(r.pages, QList<int>(c.pages.begin(), c.pages.end()));
    EXPECT_EQ(int(r.end), int(c.end));
    EXPECT_EQ(log.join(u','), QString::fromLatin1(c.log));
    EXPECT_TRUE(boxes().shown().empty()) << "nothing asks";
    // After the program's End, the start routine's unload of the window runs no "FxFim".
    window->unloadWindow();
    EXPECT_EQ(log.join(u','), QString::fromLatin1(c.log));
}

INSTANTIATE_TEST_SUITE_P(Navigation, NavigationWalk, ::testing::ValuesIn(kWalks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Navigation, HistoryHoldsTheWayBack) {
    start(QStringLiteral("navegacao.par"));
    EXPECT_EQ(engine->PagLst, (std::vector<int16_t>{0, 1}));
    std::vector<std::vector<int16_t>> seen;
    walk(QString::fromLatin1("SEG SEG CNF ANT CAN").split(u' '),
         [&](int) { seen.push_back(engine->PagLst); });
    const std::vector<std::vector<int16_t>> want = {
        {0, 1, 2}, {0, 1, 2, 3}, {0, 1, 2, 3, 1}, {0, 1, 2, 3}, {0, 1, 2, 3}};
    EXPECT_EQ(seen, want);
}

TEST_F(Navigation, ButtonsAndControlsOfEachPage) {
    struct Button {
        bool visible;
        bool enabled;
        const char* caption;
        int x, y; // pixels
    };
    // Back, Next, Confirm, Cancel of pages 1 to 4; the default places of Back and Next come
    // from the points "AUT_TraPosAnt" and "AUT_TraPosSeg" (xMax - 270 and xMax - 180); a
    // Confirm without a place sits at 0, 0.
    const Button want[4][4] = {
        {{true, true, "< Anterior", 330, 360},
         {true, true, "Seguinte >", 420, 360},
         {true, false, "Ajuda", 10, 360},
         {true, true, "Cancelar", 510, 360}},
        {{true, true, "< Anterior", 330, 360},
         {true, true, "Seguinte >", 420, 360},
         {true, true, "Aplicar", 10, 360},
         {true, true, "Sair", 510, 360}},
        {{true, true, "< Anterior", 330, 360},
         {true, true, "Seguinte >", 420, 360},
         {true, true, "Início", 0, 0},
         {true, true, "Repetir", 510, 360}},
        {{true, true, "< Anterior", 330, 360},
         {true, true, "Concluir", 420, 360},
         {false, true, nullptr, 0, 0},
         {true, true, "Fechar", 510, 360}},
    };
    // The page controls shown (by table index): each page shows its own, also the controls
    // without a name and the two named alike; "INV" keeps one hidden, "VER,DES" greys one.
    const std::vector<int> shown[4] = {{1, 2, 3}, {4, 5}, {6}, {}};
    const std::vector<int> greyed[4] = {{}, {5}, {}, {}};

    start(QStringLiteral("navegacao.par"));
    const auto look = [&](int page) {
        SCOPED_TRACE(page);
        ASSERT_EQ(engine->PagAtu, page);
        const char* names[] = {"ANT", "SEG", "CNF", "CAN"};
        for (int k = 0; k < 4; ++k) {
            const auto b = button(QString::fromLatin1(names[k]));
            const Button& w = want[page - 1][k];
            EXPECT_EQ(b->visible(), w.visible) << names[k];
            if (!w.visible) continue;
            EXPECT_EQ(b->enabled(), w.enabled) << names[k];
            EXPECT_EQ(b->caption(), QString::fromUtf8(w.caption)) << names[k];
            EXPECT_EQ(b->left(), w.x * 15) << names[k];
            EXPECT_EQ(b->top(), w.y * 15) << names[k];
        }
        for (int i = 1; i <= engine->CmpNum(); ++i) {
            const auto c = std::static_pointer_cast<VbControl>(engine->control(i));
            const bool isShown = std::count(shown[page - 1].begin(), shown[page - 1].end(), i);
            EXPECT_EQ(c->visible(), isShown) << "control " << i;
            const bool isGreyed = std::count(greyed[page - 1].begin(), greyed[page - 1].end(), i);
            if (isShown) {
                EXPECT_EQ(c->enabled(), !isGreyed) << "control " << i;
            }
        }
    };
    look(1);
    int page = 1;
    walk(QString::fromLatin1("SEG SEG SEG").split(u' '), [&](int) { look(++page); });
    EXPECT_EQ(page, 4);
}

TEST_F(Navigation, CancelAsksAndNoKeepsThePage) {
    boxes().queueAnswers({MsgAnswer::No, MsgAnswer::Yes});
    start(QStringLiteral("navegacao.par"));
    const zvtest::RunResult r = walk({QStringLiteral("CAN"), QStringLiteral("CAN")});
    EXPECT_EQ(r.pages, QList<int>{1});
    EXPECT_EQ(int(r.end), int(RunEnd::Closed));
    EXPECT_EQ(log.join(u','), QStringLiteral("Ent1,FxIni,FxFim"));
    ASSERT_EQ(boxes().shown().size(), 2u);
    for (const auto& shown : boxes().shown()) {
        EXPECT_EQ(shown.request.title, QStringLiteral("Terminar"));
        EXPECT_EQ(shown.request.text, QStringLiteral("Quer mesmo sair ?"));
        EXPECT_EQ(shown.request.icon, MsgIcon::Question);
        EXPECT_EQ(shown.request.buttons, MsgButtons::YesNo);
        EXPECT_EQ(shown.request.defaultButton, 2);
        EXPECT_TRUE(shown.request.beep);
    }
}

// The program's own start routine with its engine: the definition runs to its end.
class NavigationProgram : public zvtest::StartupTest {};

TEST_F(NavigationProgram, StartRoutineRunsTheDefinition) {
    ZelVynMainHooks& hooks = zelVynMainState().hooks;
    int failures = 0;
    hooks.attemptFailed = [&](int, int, const QString&) { ++failures; };
    std::shared_ptr<ZelVynAsp> window;
    hooks.newWindow = [&] { return window = std::make_shared<ZelVynAsp>(); };
    int page = 0;
    const auto run = [&](const QString& definition, bool drive) {
        setArguments(
            {QStringLiteral("-FP"), zvtest::dataPath(QStringLiteral("wizard/") + definition)});
        if (drive) {
            QTimer::singleShot(0, [&] {
                // Next twice (the second is greyed on the licence page), then the close box.
                for (int i = 0; i < 2; ++i)
                    QTest::mouseClick(window->cmSeg()->button(), Qt::LeftButton);
                if (auto* e = dynamic_cast<SupVyn*>(zelVynMainState().SupVyn.get()))
                    page = e->PagAtu;
                window->close();
            });
        }
        return PgmRun();
    };
    EXPECT_EQ(run(QStringLiteral("assistente.par"), true), 0);
    EXPECT_EQ(page, 2);
    EXPECT_EQ(failures, 0);
    EXPECT_FALSE(window->isVisible());
    // A definition without pages ends once it has been read, before "FxIni": no failed attempt,
    // no installer, the definition error box and exit status 1.
    window.reset();
    EXPECT_EQ(run(QStringLiteral("sem-paginas.par"), false), 1);
    EXPECT_EQ(failures, 0);
    ASSERT_EQ(boxes().shown().size(), 1u);
    EXPECT_EQ(boxes().shown()[0].request.title, QStringLiteral("Vynnard"));
    EXPECT_TRUE(boxes().shown()[0].request.text.startsWith(
        QStringLiteral("O ficheiro de opções não define nenhuma página")));
    EXPECT_EQ(zelVynMainState().SupVyn, nullptr);
}
