#pragma once
// The script host as scripts see it, under the names "FxPre" and "Fxp": one member per public
// operation of VbsSup, with the operation's name and arguments; outputs are written back into
// the script's by-reference arguments (flags as Integer). It points at its host without owning
// it; once the host is gone every member raises 91.

#include "Binder.h"

namespace zv {

class VbsSup;

class VbsSupObject : public BoundDispatch {
public:
    explicit VbsSupObject(VbsSup* host);
    void detach() { host_ = nullptr; }

    // A text argument as the host reads it (see ScriptValue<Text> in the source).
    struct Text {
        QString value;
    };

private:
    // 91 once the host is gone.
    VbsSup& host() const;
    static const MemberTable& memberTable();
    static void addLifeCycle(Members<VbsSupObject>& m);
    static void addObjectsAndCode(Members<VbsSupObject>& m);
    static void addCalls(Members<VbsSupObject>& m);
    static void addVariables(Members<VbsSupObject>& m);
    static void addCallbacks(Members<VbsSupObject>& m);

    VbsSup* host_;
};

} // namespace zv
