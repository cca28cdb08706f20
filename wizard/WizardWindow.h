#pragma once
// The wizard window as the start-up and the engine see it, without widgets: the program's
// window is the form ZelVynAsp (widgets/ZelVynAsp.h); tests give their own.
//
// The engine also sets the window's background picture and icon through it (ImgFun, MnuIco).

#include <QString>

namespace zv {

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
