#include "EventGuard.h"

#include "VbError.h"

#include <QEventLoop>
#include <exception>
#include <vector>

namespace zv {

namespace {

struct GuardState {
    std::exception_ptr pending;
    bool pendingIsEnd = false;
    std::vector<QPointer<QEventLoop>> loops; // innermost last
};

GuardState& state() {
    static GuardState s;
    return s;
}

void keep(std::exception_ptr e, bool isEnd) {
    GuardState& s = state();
    if (!s.pending || (isEnd && !s.pendingIsEnd)) {
        s.pending = std::move(e);
        s.pendingIsEnd = isEnd;
    }
    for (auto it = s.loops.rbegin(); it != s.loops.rend(); ++it) {
        if (*it) {
            (*it)->exit(0);
            break;
        }
    }
}

} // namespace

void runGuarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const ProgramEnd&) {
        keep(std::current_exception(), true);
    } catch (...) {
        keep(std::current_exception(), false);
    }
}

bool hasPendingException() {
    return bool(state().pending);
}

void rethrowPendingException() {
    GuardState& s = state();
    if (!s.pending) return;
    std::exception_ptr e = std::move(s.pending);
    s.pending = nullptr;
    s.pendingIsEnd = false;
    std::rethrow_exception(e);
}

void clearPendingException() {
    state().pending = nullptr;
    state().pendingIsEnd = false;
}

ModalLoopScope::ModalLoopScope(QEventLoop& loop) : loop_(&loop) {
    state().loops.push_back(loop_);
}

ModalLoopScope::~ModalLoopScope() {
    QEventLoop* mine = loop_.data();
    std::erase_if(state().loops, [mine](const QPointer<QEventLoop>& loop) {
        return loop.isNull() || loop.data() == mine;
    });
}

} // namespace zv
