// A component whose entry points report failure (E_FAIL).
#include <cstdint>

extern "C" int32_t DllRegisterServer() {
    return int32_t(0x80004005u);
}

extern "C" int32_t DllUnregisterServer() {
    return int32_t(0x80004005u);
}
