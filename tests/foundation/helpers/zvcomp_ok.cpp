// A component whose entry points succeed. Each call appends "<module file name> reg" or
// "... unreg" to the file named by ZV_COMPONENT_LOG, so tests see what ran and in which order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {
void logCall(const char* what, void* self) {
    const char* log = std::getenv("ZV_COMPONENT_LOG");
    if (!log) return;
    Dl_info info{};
    const char* name = "?";
    if (dladdr(self, &info) && info.dli_fname) {
        const char* slash = std::strrchr(info.dli_fname, '/');
        name = slash ? slash + 1 : info.dli_fname;
    }
    if (FILE* f = std::fopen(log, "a")) {
        std::fprintf(f, "%s %s\n", name, what);
        std::fclose(f);
    }
}
} // namespace

extern "C" int32_t DllRegisterServer() {
    logCall("reg", reinterpret_cast<void*>(&DllRegisterServer));
    return 0;
}

extern "C" int32_t DllUnregisterServer() {
    logCall("unreg", reinterpret_cast<void*>(&DllUnregisterServer));
    return 0;
}
