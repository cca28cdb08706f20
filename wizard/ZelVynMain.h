#pragma once
// ZelVynMain: the program's start routine. It finds the wizard definition (the word after
// "-FP", else "ZelVyn.par" in the program's folder), shows the background while it works, and
// runs start attempts: each makes a new wizard window and a new engine, binds them, reads the
// definition and runs the wizard modally to its end. When an attempt fails with a run-time
// error, the component installer "Rudex.exe" of the program's folder is started (the first
// time without asking, later only after a question) and the next attempt follows.
//
// The windows are reached through hooks, so the routine runs the same with the program's
// forms (widgets/ZelVynFun.h installs them) and with the test doubles of the tests. A failed
// attempt releases its window and its engine before anything else happens: the next attempt
// starts from nothing, and no window of a failed attempt stays behind.

#include "VynEngine.h"
#include "WizardWindow.h"

#include <QString>
#include <functional>
#include <memory>

namespace zv {

// What the start routine asks of the windows and of the engine's maker.
struct ZelVynMainHooks {
    // Shows the background form (modeless) / unloads it. None: nothing to show.
    std::function<void()> showBackground;
    std::function<void()> unloadBackground;
    // A new wizard window, not loaded yet. None (or a failure to make one) makes the attempt
    // fail, as a window that cannot be created does.
    std::function<std::shared_ptr<WizardWindow>()> newWindow;
    // A new engine. The default makes a SupVyn.
    std::function<std::shared_ptr<VynEngine>()> newEngine;
    // Told why an attempt failed (attempt number from 1, error number, description, which for
    // a fault of a control names its page, the control and the key). The default writes one
    // line to the standard error, so that a fault in a definition is not taken for a missing
    // component.
    std::function<void(int, int, const QString&)> attemptFailed;
};

// Module state.
struct ZelVynMainState {
    ZelVynMainState();
    // The engine of the run: made by each start attempt, released when it fails and at the end.
    std::shared_ptr<VynEngine> SupVyn;
    ZelVynMainHooks hooks;
    // The number of the attempt running (from 1), for the failure report.
    int attempt = 0;
};
ZelVynMainState& zelVynMainState();
void zelVynMainReset();

// The whole start routine; its exit status: 0 for a normal end, the code of the program's End
// otherwise: 1 when the definition is missing, cannot be read or cannot be used (no pages, a
// script that does not compile), and when the wizard could not be started and the person
// declined to try again.
int PgmRun();

// The start routine. Ends through ProgramEnd(1) when the definition cannot be used and when
// the person declines to try again after a failed attempt.
void PgmIni();
// Shows the background and lets it paint (errors ignored) / unloads it (errors ignored).
void FunIni();
void FunFim();
// Finds and checks the definition file and fills VynFpa, DirPgm, LtrCd and DrvCd; when it is
// missing or cannot be read, shows the error box (saying which: not found, a folder, no
// permission, another error) and ends the program (exit status 1).
void FpaLoc();
// The definition file's path and whether it can be read (FicExi: 1 yes).
void FpaNom(QString& path, int& found);
// One start attempt: ok 1 when everything up to the end of the wizard's modal run went
// without a run-time error, else 0 (and then the window and the engine are released).
void AspIni(std::shared_ptr<WizardWindow>& form, int& ok);
// Unloads the window of form (errors ignored) and clears form.
void AspFim(std::shared_ptr<WizardWindow>& form);
// Asks whether to install components: 1 yes, -1 otherwise.
void InsPer(int& answer);
// Starts the component installer of the program's folder and waits for it without a limit.
void InsExe(int& result);

} // namespace zv
