#pragma once
// Whether the person's input may start work now. While the engine is busy (a script runs, a
// page changes, a program is waited for) it pumps events so the windows stay alive; a click on
// the wizard's buttons or on a close box arriving then is dropped, not handled inside the work
// that is running. Painting, progress dialogs and message boxes go on as usual.

namespace zv {

class ProcessContext;

// True unless the event pump of the current process context is marked busy.
bool clickAllowed();
bool clickAllowed(const ProcessContext& context);

} // namespace zv
