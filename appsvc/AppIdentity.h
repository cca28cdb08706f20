#pragma once
// The identity of a program as SupApp reads it: product name, executable name, company,
// comment text and the three version numbers.

#include <QString>

namespace zv {

struct AppIdentity {
    QString productName;
    // The executable's file name (no folder).
    QString exeName;
    QString company;
    // Free text; it may hold bracketed properties ("[VER_X=7]") that SupApp reads.
    QString comments;
    int major = 0;
    int minor = 0;
    int revision = 0;

    // This build's identity: the project's name, version, company and description as the
    // build configured them, with the running executable's name.
    static AppIdentity build();
};

} // namespace zv
