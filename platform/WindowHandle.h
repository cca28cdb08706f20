#pragma once
// The owner window of a box or dialog, as the code below the GUI knows it: an opaque number
// (a script's site window, a form's handle) that only the GUI layer turns back into a window.
// 0 means no owner: the dialog is a top-level window of its own.

#include <QtGlobal>

namespace zv {

using WindowHandle = quintptr;

} // namespace zv
