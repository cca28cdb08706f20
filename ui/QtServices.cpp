#include "QtServices.h"

#include "ProcessContext.h"
#include "QtEventPump.h"
#include "QtMessageBox.h"
#include "QtShellOperationUi.h"
#include "QtWindowService.h"
#include "XdgDocumentOpener.h"

namespace zv {

HostServices qtHostServices() {
    HostServices s;
    s.messageBox = std::make_shared<QtMessageBox>();
    s.pump = std::make_shared<QtEventPump>();
    s.shellUi = std::make_shared<QtShellOperationUi>();
    s.opener = std::make_shared<XdgDocumentOpener>();
    s.windows = std::make_shared<QtWindowService>();
    return s;
}

void installQtServices(ProcessContext& context) {
    context.setServices(qtHostServices());
}

void installQtServices() {
    installQtServices(ProcessContext::current());
}

} // namespace zv
