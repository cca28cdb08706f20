#pragma once
// What the code below the GUI asks of the application's windows: bring a window to the front
// (on top of the others, and back), switch a control's redrawing off and on, unload every
// open form, and copy rectangles between drawing surfaces ("device contexts": the screen, a
// form, a picture). Windows and surfaces are opaque numbers that only the GUI layer resolves.
// The GUI layer installs its own; tests use HeadlessWindowService, which records the calls.

#include "WindowHandle.h"

namespace zv {

using DeviceContext = quintptr;

class WindowService {
public:
    virtual ~WindowService() = default;

    // Keeps the window above all others (on) or lets others cover it again (off); position
    // and size stay. False when there is no such window.
    virtual bool setTopmost(WindowHandle window, bool on) = 0;
    // Stops (off) or resumes (on) the redrawing of a window or control.
    virtual bool setRedraw(WindowHandle window, bool on) = 0;
    // Unloads every form that is open now, in the order of the application's forms. A form
    // that another form's unloading opens again stays open until the next call.
    virtual void unloadAllForms() = 0;

    // A surface for the whole screen, to be given back with releaseScreen; 0 when the screen
    // cannot be read.
    virtual DeviceContext screen() = 0;
    virtual void releaseScreen(DeviceContext dc) = 0;
    // Copies the w x h rectangle at (xs, ys) of src to (xd, yd) of dst, in pixels. False when
    // either surface is unknown or the copy failed.
    virtual bool copyRect(DeviceContext dst, int xd, int yd, int w, int h, DeviceContext src,
                          int xs, int ys) = 0;
};

} // namespace zv
