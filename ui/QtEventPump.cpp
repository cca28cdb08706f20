#include "QtEventPump.h"

#include "EventGuard.h"

#include <QCoreApplication>

namespace zv {

void QtEventPump::pump() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    rethrowPendingException();
}

} // namespace zv
