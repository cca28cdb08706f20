#pragma once
// What the operating system says about itself, for the OS identification of the system: the
// distribution's name from the os-release file and the kernel's version numbers from uname.
// There is no Windows platform id here: callers treat the system as of the NT line.

#include <QString>

namespace zv {

// PRETTY_NAME of an os-release file; without it NAME and VERSION (or NAME alone); "Linux" when
// the file cannot be read or names nothing.
QString osPrettyName(const QString& osReleaseFile);

// The first three numbers of a kernel release ("6.1.0-13-amd64" gives 6, 1, 0); missing
// numbers are 0.
struct KernelVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
};
KernelVersion parseKernelRelease(const QString& release);

} // namespace zv
