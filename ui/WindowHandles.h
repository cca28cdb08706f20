#pragma once
// Window handles (the language's hWnd): the numbers by which code below the GUI names a window,
// a form's or a control's. A handle is given out the first time it is asked for and stays with
// the widget; once the widget is gone the number names nothing (it is never given out again).

#include "WindowHandle.h"

class QWidget;

namespace zv {

// The widget's handle (never 0 for a widget; 0 for nullptr).
WindowHandle windowHandleOf(QWidget* widget);
// The widget a handle names; nullptr for 0, an unknown number or a widget that is gone.
QWidget* widgetOfHandle(WindowHandle handle);
// The owner for a dialog: the window the handle names, else the active modal window, else the
// active window (nullptr when there is none).
QWidget* dialogParent(WindowHandle handle);

} // namespace zv
