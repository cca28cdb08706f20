#pragma once
// What the script host needs of the form it serves: the form's script engine (its control
// "scVbs"), the form's window handle, which owns the message boxes of the scripts, and the form
// as a late-bound object, the default receiver of the scripts' call-backs ("cbkVbsFx",
// "FxCbkExe"). The wizard window implements it; tests use a plain object.

#include "Dispatch.h"
#include "ScriptControl.h"
#include "WindowHandle.h"

#include <memory>

namespace zv {

class VbsHostForm {
public:
    virtual ~VbsHostForm() = default;
    // The form's script engine, the control "scVbs"; null when the form has none. The form
    // owns it: it outlives every script that runs on it.
    virtual std::shared_ptr<vbs::ScriptControl> scriptControl() = 0;
    // The form's window handle (0: no window).
    virtual WindowHandle hwnd() const = 0;
    // The form as a late-bound object; null when the form offers no members.
    virtual DispatchPtr formObject() = 0;
};

using VbsHostFormPtr = std::shared_ptr<VbsHostForm>;

} // namespace zv
