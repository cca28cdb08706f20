#pragma once
// The wizard window as the start-up and the engine see it, without widgets: the program's
// window is the form ZelVynAsp (widgets/ZelVynAsp.h); tests give their own.
//
// The engine also sets the window's background picture and icon through it (ImgFun, MnuIco),
// and gives it, for the wizard's run, the events it answers (WizardEvents).

#include <QString>

namespace zv {

// The engine as the window's own events reach it while the wizard runs.
class WizardEvents {
public:
    virtual ~WizardEvents() = default;

    // The four buttons: Back, Next, Confirm and Cancel.
    virtual void TraAnt() = 0;
    virtual void TraSeg() = 0;
    virtual void TraCnf() = 0;
    virtual void TraCan() = 0;
    // Runs a script procedure of the definition without arguments ("FxIni" before the window
    // shows, "FxFim" when it unloads). Never raises for a script's failure.
    virtual void VbsPrcExe(const QString& name) = 0;
};

class WizardWindow {
public:
    virtual ~WizardWindow() = default;

    // Loads the window: its load event runs, once.
    virtual void loadWindow() = 0;
    // Unloads it: its unload event runs, it hides and its modal run ends. A window not loaded
    // (or unloaded already) only hides.
    virtual void unloadWindow() = 0;
    // Shows it modally and returns once it has been unloaded. A run-time error or the program's
    // End raised while it ran comes out here.
    virtual void showWindowModal() = 0;
    // The wizard's run: keeps engine for the window's events, runs the script procedure
    // "FxIni", shows the window modally until it is unloaded (the unload runs "FxFim"), then
    // lets the engine go. A window without events of its own runs "FxIni" and shows itself.
    virtual void VynExe(WizardEvents& engine);

    // The background picture and the icon from a file. False when the file gives no picture;
    // the window then keeps the one it had.
    virtual bool loadPicture(const QString& path) = 0;
    virtual bool loadIcon(const QString& path) = 0;
};

// The window's background picture from path, unless path is "". A file that gives no picture,
// or any run-time error on the way, leaves the picture as it was.
void ImgFun(WizardWindow& window, const QString& path);
// The same for the window's icon.
void MnuIco(WizardWindow& window, const QString& path);

} // namespace zv
