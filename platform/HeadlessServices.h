#pragma once
// The headless set of host services, kept with their own types so that tests can queue answers
// and read the records.

#include "HeadlessDocumentOpener.h"
#include "HeadlessEventPump.h"
#include "HeadlessMessageBox.h"
#include "HeadlessShellOperationUi.h"
#include "HeadlessWindowService.h"
#include "HostServices.h"

namespace zv {

struct HeadlessServices {
    HeadlessServices();

    std::shared_ptr<HeadlessMessageBox> messageBox;
    std::shared_ptr<HeadlessEventPump> pump;
    std::shared_ptr<HeadlessShellOperationUi> shellUi;
    std::shared_ptr<HeadlessDocumentOpener> opener;
    std::shared_ptr<HeadlessWindowService> windows;

    HostServices services() const { return {messageBox, pump, shellUi, opener, windows}; }
};

} // namespace zv
