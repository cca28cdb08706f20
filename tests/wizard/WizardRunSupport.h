#pragma once
// Helpers of the wizard-run tests: the real window, engine, script host and action object on a
// definition of tests/data/wizard, a host object "Tst" whose method Nota records what the
// script's procedures say, and a driver that clicks the window's buttons (or its close box)
// with QTest inside the modal run and tells how the run ended.

#include "Convert.h"
#include "EventGuard.h"
#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "TestSupport.h"
#include "VbCommandButton.h"
#include "VbError.h"
#include "ZelVynAsp.h"
#include "ZelVynGlb.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zvtest {

// How a run ended.
enum class RunEnd { Closed, Ended, StillOpen };

struct RunResult {
    QList<int> pages; // the current page after each step that left the run going
    RunEnd end = RunEnd::StillOpen;
};

class WizardRun : public HeadlessTest {
protected:
    WizardRun() {
        zv::zelVynGlbReset();
        zv::ZelVynGlbState& g = zv::zelVynGlbState();
        g.DirPgm = dataPath(QStringLiteral("wizard"));
        ctx->setArguments({QStringLiteral("zelvyn")});
        recorder->addMethod(QStringLiteral("Nota"), [this](zv::Args a) {
            zv::checkArgCount(a, 1, 1);
            log << zv::toText(*a[0]);
            return zv::Variant();
        });
    }
    ~WizardRun() override {
        engine.reset();
        zv::clearPendingException();
        zv::zelVynGlbReset();
    }

    // Binds the window, registers "Tst", reads the definition and enters page 1.
    void start(const QString& definition) {
        zv::zelVynGlbState().VynFpa = dataPath(QStringLiteral("wizard/") + definition);
        window->load();
        engine->RegFrm(window);
        engine->RegSup(QStringLiteral("Tst"), recorder);
        engine->VynIni(zv::zelVynGlbState().VynFpa);
    }

    std::shared_ptr<zv::VbCommandButton> button(const QString& step) const {
        if (step == u"ANT") return window->cmAnt();
        if (step == u"SEG") return window->cmSeg();
        if (step == u"CNF") return window->cmCnf();
        return window->cmCan();
    }
    void click(const QString& step) { QTest::mouseClick(button(step)->button(), Qt::LeftButton); }
    bool running() const { return window->isLoaded() && !zv::hasPendingException(); }

    // Runs the wizard modally; inside the run, each step clicks a button ("ANT", "SEG",
    // "CNF", "CAN") or the close box ("X"), or does nothing ("."), then inspect(step number)
    // looks (and may act). A run still open
    // after the last step is abandoned.
    RunResult walk(const QStringList& steps, const std::function<void(int)>& inspect = {}) {
        RunResult result;
        bool abandoned = false;
        QTimer::singleShot(0, [&] {
            for (int i = 0; i < steps.size() && running(); ++i) {
                if (steps[i] == u"X")
                    window->close();
                else if (steps[i] != u".")
                    click(steps[i]);
                if (running()) result.pages << engine->PagAtu;
                if (inspect) inspect(i);
            }
            if (running()) {
                abandoned = true;
                window->abandon();
            }
        });
        try {
            engine->VynExe();
            result.end = abandoned || window->isLoaded() ? RunEnd::StillOpen : RunEnd::Closed;
        } catch (const zv::ProgramEnd& end) {
            EXPECT_EQ(end.exitCode(), 0);
            result.end = RunEnd::Ended;
        }
        return result;
    }

    QStringList log;
    std::shared_ptr<zv::SimpleDispatch> recorder = std::make_shared<zv::SimpleDispatch>();
    std::shared_ptr<zv::ZelVynAsp> window = std::make_shared<zv::ZelVynAsp>();
    std::shared_ptr<zv::SupVyn> engine = std::make_shared<zv::SupVyn>();
};

} // namespace zvtest
