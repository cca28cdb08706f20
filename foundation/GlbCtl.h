#pragma once
// GlbCtl: starting and ending member objects through their public FxIni and FxFim, called by
// name (late-bound). A member that lacks them, or fails in them, is passed over: the owner goes
// on starting or ending its other members.

#include "Dispatch.h"

#include <memory>

namespace zv {

// res = 1; calls obj.FxIni with no arguments; errors ignored.
void ObIni(const DispatchPtr& obj, int& res);
// res = 1; calls obj.FxFim, then releases obj (it becomes null); errors ignored.
void ObFim(DispatchPtr& obj, int& res);

// The same for a member held by its own class.
template <class T> void ObIni(const std::shared_ptr<T>& obj, int& res) {
    ObIni(DispatchPtr(obj), res);
}
template <class T> void ObFim(std::shared_ptr<T>& obj, int& res) {
    DispatchPtr d = obj;
    obj.reset();
    ObFim(d, res);
}

} // namespace zv
