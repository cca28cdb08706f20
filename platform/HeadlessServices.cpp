#include "HeadlessServices.h"

namespace zv {

HeadlessServices::HeadlessServices()
    : messageBox(std::make_shared<HeadlessMessageBox>()),
      pump(std::make_shared<HeadlessEventPump>()),
      shellUi(std::make_shared<HeadlessShellOperationUi>()),
      opener(std::make_shared<HeadlessDocumentOpener>()),
      windows(std::make_shared<HeadlessWindowService>()) {}

} // namespace zv
