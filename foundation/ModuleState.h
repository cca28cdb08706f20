#pragma once
// The globals of a module live in one state struct, made on first use and put back to a fresh
// start by the module's reset (tests reset every module they use).

namespace zv {

// The one instance of State.
template <class State> State& moduleState() {
    static State state;
    return state;
}

// Replaces the instance of State by a freshly made one.
template <class State> void resetModuleState() {
    moduleState<State>() = State{};
}

} // namespace zv
