#pragma once
// The event pump (the language's DoEvents) and the engine's busy state. Long work runs on the
// GUI thread and pumps events now and then so the windows stay alive; while it does, a click on
// the wizard's buttons or its close box must not start a second piece of work inside the first.
// The work holds a busy token; the window asks isBusy() and ignores such clicks.

namespace zv {

class EventPump {
public:
    // Marks the engine busy for its lifetime. Tokens nest: the engine is busy until the last
    // one ends.
    class [[nodiscard]] BusyToken {
    public:
        explicit BusyToken(EventPump& pump) : pump_(pump) { ++pump_.busy_; }
        ~BusyToken() { --pump_.busy_; }
        BusyToken(const BusyToken&) = delete;
        BusyToken& operator=(const BusyToken&) = delete;

    private:
        EventPump& pump_;
    };

    virtual ~EventPump() = default;

    // Handles the events waiting now and returns.
    virtual void pump() = 0;

    BusyToken busy() { return BusyToken(*this); }
    bool isBusy() const { return busy_ > 0; }

private:
    int busy_ = 0;
};

} // namespace zv
