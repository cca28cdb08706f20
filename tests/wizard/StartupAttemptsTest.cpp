// The attempt loop: a failed attempt releases its window and its engine, the first failure
// starts the installer (quoted, from the program's folder) without a question, later ones ask,
// No ends the program with exit status 1, and the program's End is no failure.
#include "WizardTestSupport.h"

#include <stdexcept>

using namespace zv;
using namespace zvtest;

namespace {

enum class Outcome { Runs, NoWindow, FailsReading, FailsRunning, InternalError, Ends };

class StartupAttempts : public StartupTest {
protected:
    // Runs the start routine, attempt n behaving as outcomes[n] (the last one repeats).
    int run(const std::vector<Outcome>& outcomes) {
        writeDefinition(QStringLiteral("prog dir/ZelVyn.par"));
        const auto now = [this, outcomes] {
            return outcomes[std::min(size_t(attempts), outcomes.size()) - 1];
        };
        ZelVynMainHooks& hooks = zelVynMainState().hooks;
        hooks.newWindow = [this, now]() -> std::shared_ptr<WizardWindow> {
            ++attempts;
            // Nothing of the attempt before is left when a new one starts.
            for (const auto& w : windows)
                EXPECT_TRUE(w.expired());
            for (const auto& e : engines)
                EXPECT_TRUE(e.expired());
            if (now() == Outcome::NoWindow) return nullptr;
            auto w = std::make_shared<FakeWindow>();
            if (now() == Outcome::FailsRunning)
                w->onModal = [] { throw VbError(err::ObjectRequired); };
            windows.push_back(w);
            return w;
        };
        hooks.newEngine = [this, now] {
            auto e = std::make_shared<FakeEngine>();
            e->onVynIni = [o = now()] {
                if (o == Outcome::FailsReading) throw VbError(err::CannotCreateObject);
                if (o == Outcome::InternalError) throw std::runtime_error("broken");
                if (o == Outcome::Ends) throw ProgramEnd(0);
            };
            engines.push_back(e);
            return e;
        };
        hooks.attemptFailed = [this](int attempt, int number, const QString&) {
            failures << QStringLiteral("%1:%2").arg(attempt).arg(number);
        };
        return PgmRun();
    }

    int attempts = 0;
    std::vector<std::weak_ptr<WizardWindow>> windows;
    std::vector<std::weak_ptr<VynEngine>> engines;
    QStringList failures;
};

} // namespace

TEST_F(StartupAttempts, AttemptLoop) {
    struct Case {
        std::vector<Outcome> outcomes;
        std::vector<MsgAnswer> answers;
        int attempts, installerRuns;
        QStringList failures;
        int status = 0;
    };
    using O = Outcome;
    const Case cases[] = {
        {{O::Runs}, {}, 1, 0, {}},
        {{O::NoWindow, O::Runs}, {}, 2, 1, {"1:429"}},
        {{O::FailsReading}, {MsgAnswer::No}, 2, 1, {"1:429", "2:429"}, 1},
        {{O::FailsRunning, O::NoWindow, O::Runs}, {MsgAnswer::Yes}, 3, 2, {"1:424", "2:429"}},
        {{O::InternalError},
         {MsgAnswer::Yes, MsgAnswer::Cancel},
         3,
         2,
         {"1:51", "2:51", "3:51"},
         1},
        {{O::Ends}, {}, 1, 0, {}},
        {{O::NoWindow, O::Ends}, {}, 2, 1, {"1:429"}},
    };
    const QString mark = temp.path(QStringLiteral("installer-runs"));
    writeScript(QStringLiteral("prog dir/Rudex.exe"),
                QStringLiteral("echo run >> '%1'\n").arg(mark));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(++n);
        resetModules();
        boxes().clear();
        QFile::remove(mark);
        attempts = 0;
        windows.clear();
        engines.clear();
        failures.clear();
        for (MsgAnswer a : c.answers)
            boxes().queueAnswer(a);

        EXPECT_EQ(run(c.outcomes), c.status);
        EXPECT_EQ(attempts, c.attempts);
        EXPECT_EQ(temp.read(QStringLiteral("installer-runs")).count('\n'), c.installerRuns);
        EXPECT_EQ(failures, c.failures);
        // A question before every installer run but the first.
        ASSERT_EQ(boxes().shown().size(), c.answers.size());
        for (const auto& shown : boxes().shown()) {
            EXPECT_EQ(shown.request.title, QStringLiteral("ZelVyn"));
            EXPECT_EQ(shown.request.text,
                      QStringLiteral("Ocorreu um erro a iniciar o programa\r\n\r\n"
                                     "Provavelmente falta instalar componentes\r\nInstalar ?"
                                     "\r\n\r\nConfirma ?"));
            EXPECT_EQ(shown.request.buttons, MsgButtons::YesNo);
            EXPECT_EQ(shown.request.defaultButton, 2);
        }
        EXPECT_EQ(zelVynMainState().SupVyn, nullptr);
        for (const auto& e : engines)
            EXPECT_TRUE(e.expired());
    }
}

TEST_F(StartupAttempts, FailedWindowGoesWithoutItsUnloadAndTheLastIsUnloaded) {
    std::vector<std::shared_ptr<FakeWindow>> made;
    ZelVynMainHooks& hooks = zelVynMainState().hooks;
    hooks.attemptFailed = nullptr;
    hooks.newEngine = [] { return std::make_shared<FakeEngine>(); };
    hooks.newWindow = [&] {
        made.push_back(std::make_shared<FakeWindow>());
        if (made.size() == 1) made[0]->onModal = [] { throw VbError(err::TypeMismatch); };
        return made.back();
    };
    writeDefinition(QStringLiteral("prog dir/ZelVyn.par")); // no installer: its start fails
    EXPECT_EQ(PgmRun(), 0);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0]->events, (QStringList{QStringLiteral("load"), QStringLiteral("modal")}));
    EXPECT_EQ(made[1]->events, (QStringList{QStringLiteral("load"), QStringLiteral("modal"),
                                            QStringLiteral("unload")}));
    EXPECT_TRUE(boxes().shown().empty());
}
