#pragma once
// The script host as scripts see it, under the names "FxPre" and "Fxp": one member per public
// operation of VbsSup, with the operation's name and arguments; outputs are written back into
// the script's by-reference arguments (flags as Integer). It points at its host without owning
// it; once the host is gone every member raises 91.

#include "Dispatch.h"

namespace zv {

class VbsSup;

class VbsSupObject : public SimpleDispatch {
public:
    explicit VbsSupObject(VbsSup* host);
    void detach() { host_ = nullptr; }

private:
    VbsSup& host() const;
    void addLifeCycle();
    void addObjectsAndCode();
    void addCalls();
    void addVariables();
    void addCallbacks();

    VbsSup* host_;
};

} // namespace zv
