#pragma once
// The services through which the code below the GUI reaches the person: message boxes, the
// event pump, the shell-operation dialogs, the document opener and the window operations. The
// process context holds one set; the program installs the GUI's set at start, tests work with the
// headless one.

#include "DocumentOpener.h"
#include "EventPump.h"
#include "MessageBoxService.h"
#include "ShellOperationUi.h"
#include "WindowService.h"

#include <memory>

namespace zv {

struct HostServices {
    std::shared_ptr<MessageBoxService> messageBox;
    std::shared_ptr<EventPump> pump;
    std::shared_ptr<ShellOperationUi> shellUi;
    std::shared_ptr<DocumentOpener> opener;
    std::shared_ptr<WindowService> windows = nullptr; // callers may leave the last one out
};

} // namespace zv
