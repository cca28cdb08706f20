// A component whose entry points never return.
#include <chrono>
#include <cstdint>
#include <thread>

extern "C" int32_t DllRegisterServer() {
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

extern "C" int32_t DllUnregisterServer() {
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
