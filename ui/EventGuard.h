#pragma once
// Exceptions must not cross Qt: every slot and event handler that runs the system's code runs it
// through runGuarded. An exception it catches (a run-time error nobody trapped, the program's
// End) is kept and the innermost modal run is ended, so that the exception surfaces where that
// run was started (VbForm::showModal) or at the next event pump, in the code that waits there.
// When several are caught before one surfaces, the program's End wins, else the first.

#include <QPointer>
#include <functional>

class QEventLoop;

namespace zv {

// Runs fn; an exception it throws is kept (see above), never rethrown here.
void runGuarded(const std::function<void()>& fn);

bool hasPendingException();
// Rethrows the kept exception, if any, and forgets it.
void rethrowPendingException();
// Forgets a kept exception without raising it (tests, or an owner that reports it itself).
void clearPendingException();

// Registers a local event loop of a modal run for its lifetime, so that a kept exception ends it.
class ModalLoopScope {
public:
    explicit ModalLoopScope(QEventLoop& loop);
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;

private:
    QPointer<QEventLoop> loop_;
};

} // namespace zv
