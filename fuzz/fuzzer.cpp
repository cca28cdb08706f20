// libFuzzer entry of every fuzz target: ZV_FUZZ_INPUT names what each input is read as, one of
// the functions of FuzzInputs.h (the build gives each target its own).

#include "FuzzInputs.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zv::fuzz::ZV_FUZZ_INPUT(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
