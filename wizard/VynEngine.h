#pragma once
// The wizard engine as the start-up drives it: one start attempt binds the window (RegFrm),
// reads the definition and builds its pages (VynIni), then runs the wizard modally (VynExe).
// Any of the three may raise a run-time error, which makes the attempt fail; the program's End
// (ProgramEnd) ends the program instead. The program's engine is SupVyn.

#include <QString>
#include <memory>

namespace zv {

class WizardWindow;

class VynEngine {
public:
    virtual ~VynEngine() = default;

    // Keeps form as the wizard window (and prepares what works on it).
    virtual void RegFrm(const std::shared_ptr<WizardWindow>& form) = 0;
    // Reads the definition file, builds the pages and enters page 1.
    virtual void VynIni(const QString& file) = 0;
    // Runs the wizard: shows the window modally and returns once it has been unloaded.
    virtual void VynExe() = 0;
};

} // namespace zv
