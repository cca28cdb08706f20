#pragma once
// Running a component's registration entry point ("DllRegisterServer" or
// "DllUnregisterServer"): the module is loaded with dlopen, the entry point (a function with no
// arguments returning a 32-bit result code, negative for failure) runs on a thread of its own,
// and the caller waits for it a limited time without pumping events.
//
// When the entry point has not returned in time, its thread is detached and the module is never
// unloaded (the code still runs). In every other case the module is unloaded before returning.

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace zv {

struct ComponentCall {
    enum class Outcome {
        LoadFailed,   // the file is missing or is no loadable module
        NoEntryPoint, // the module has no such function
        NoThread,     // no thread could be made for it
        TimedOut,     // still running when the wait ended
        Returned,     // returned in time; see result
    };
    Outcome outcome = Outcome::LoadFailed;
    int32_t result = 0; // what the entry point returned
    QString error;      // the loader's message for LoadFailed
};

// Makes the thread that runs the entry point; tests pass one that fails.
using ThreadStarter = std::function<std::thread(std::function<void()>)>;

// Loads file (a name without "/" is taken from the current folder, not searched on the
// library path), looks up symbol and runs it, waiting at most wait.
ComponentCall callComponentEntry(const QString& file, const char* symbol,
                                 std::chrono::milliseconds wait,
                                 const ThreadStarter& startThread = {});

// True while the module at file is loaded in this process (for tests).
bool isComponentLoaded(const QString& file);

} // namespace zv
