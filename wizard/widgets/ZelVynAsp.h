#pragma once
// ZelVynAsp: the wizard window. A fixed-size window of 640 x 480 pixels (its design size) with
// the four buttons of every page: Back "cmAnt", Next "cmSeg", Confirm "cmCnf" and Cancel
// "cmCan", along its bottom edge. The engine fills it with the pages' controls and gives the
// buttons their work; clicks on them and the close box are ignored while the engine is busy.
//
// As the start-up's WizardWindow it loads, unloads, runs modally (in the middle of the screen)
// and takes a background picture and an icon from files. It holds the design elements of the
// page controls' arrays ("laVyn", "ckVyn", "rtfVyn", "ZelOpc"), whose elements the engine
// loads (WizardControls), and the script engine "scVbs" that the script host binds
// (VbsHostForm).
//
// During the wizard's run (VynExe) the window keeps the engine: its buttons call the engine's
// transitions, and unloading the window (Cancel, the close box) runs the script's "FxFim"
// first; nothing asks before the window closes. When the program's End comes out of the run,
// the window is abandoned: no later unload runs "FxFim".

#include "SupVynDef.h"
#include "VbForm.h"
#include "VbsHostForm.h"
#include "WizardControls.h"
#include "WizardWindow.h"

#include <memory>

namespace zv {

class VbCommandButton;

class ZelVynAsp : public VbForm, public WizardWindow, public WizardControls, public VbsHostForm {
public:
    // The design size of the client area, in pixels.
    static constexpr int kDesignWidth = 640;
    static constexpr int kDesignHeight = 480;

    explicit ZelVynAsp(QWidget* parent = nullptr);
    ~ZelVynAsp() override;

    std::shared_ptr<VbCommandButton> cmAnt() const;
    std::shared_ptr<VbCommandButton> cmSeg() const;
    std::shared_ptr<VbCommandButton> cmCnf() const;
    std::shared_ptr<VbCommandButton> cmCan() const;

    // Kept for the forms' common interface: compares op with "INI" and "FIM", nothing else.
    void FrmPrep(const QString& op);

    // WizardWindow
    void loadWindow() override;
    void unloadWindow() override;
    void showWindowModal() override;
    void VynExe(WizardEvents& engine) override;
    bool loadPicture(const QString& path) override;
    bool loadIcon(const QString& path) override;

    // WizardControls
    DispatchPtr windowObject() override;
    DispatchPtr loadControl(const QString& array, int index) override;

    // VbsHostForm
    std::shared_ptr<vbs::ScriptControl> scriptControl() override { return scVbs_; }
    WindowHandle hwnd() const override;
    DispatchPtr formObject() override { return object(); }

    // Kept for the forms' common interface: does nothing.
    void VynZelOpcIni() {}
    // The engine kept for the run (null outside it).
    WizardEvents* engine() const { return engine_; }

protected:
    void onLoad() override;
    void onUnload() override;

private:
    std::shared_ptr<VbCommandButton> button(TraIdx index) const;

    std::shared_ptr<vbs::ScriptControl> scVbs_;
    WizardEvents* engine_ = nullptr;
};

} // namespace zv
