#pragma once
// The event pump of the program (the language's DoEvents): handles the events waiting now and
// returns. An exception that a handler threw while the pump ran (see EventGuard.h) comes out of
// pump(), in the code that waits. Whether a click may start work is clickAllowed (BusyGuard.h).

#include "EventPump.h"

namespace zv {

class QtEventPump : public EventPump {
public:
    void pump() override;
};

} // namespace zv
