// A component that can be unregistered but refuses to register (E_FAIL): re-registering it must
// be reported as failed although its unregistering worked.
#include <cstdint>

extern "C" int32_t DllRegisterServer() {
    return int32_t(0x80004005u);
}

extern "C" int32_t DllUnregisterServer() {
    return 0;
}
