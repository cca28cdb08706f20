#pragma once
// The event pump of tests: counts its calls and runs an optional hook on each, so a test can
// make "events" arrive while the code under test pumps (a click during a long wait).

#include "EventPump.h"

#include <functional>

namespace zv {

class HeadlessEventPump : public EventPump {
public:
    void pump() override;

    int pumpCount() const { return count_; }
    void resetCount() { count_ = 0; }
    void setHook(std::function<void()> hook) { hook_ = std::move(hook); }

private:
    int count_ = 0;
    std::function<void()> hook_;
};

} // namespace zv
