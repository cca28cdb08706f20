#pragma once
// The services through which the code below the GUI reaches the person: message boxes, the
// event pump, the shell-operation dialogs and the document opener. The process context holds
// one set; the program installs the GUI's set at start, tests work with the headless one.

#include "DocumentOpener.h"
#include "EventPump.h"
#include "MessageBoxService.h"
#include "ShellOperationUi.h"

#include <memory>

namespace zv {

struct HostServices {
    std::shared_ptr<MessageBoxService> messageBox;
    std::shared_ptr<EventPump> pump;
    std::shared_ptr<ShellOperationUi> shellUi;
    std::shared_ptr<DocumentOpener> opener;
};

} // namespace zv
