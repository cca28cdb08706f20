#pragma once
// What the action object "Vyn" needs from the wizard engine that owns it: the access to the
// page controls, the registry key path and values the scripts work with, and the start of a
// program waited for by a numeric mode. The engine implements it and hands itself to the
// action object when it creates it; the action object only forwards to it, so these services
// keep one state (the stored key path) whoever calls them.

#include "Variant.h"

#include <QString>

namespace zv {

class VynEngineAccess {
public:
    virtual ~VynEngineAccess() = default;

    // Reads a page control (its identifier text, a button name, or the control object) into
    // the script variables "cmpIde", "cmpFontName", "opcSel" and "opcSelAdi": 1 done, 0 not.
    virtual Variant CmpVarCon(const Variant& control) = 0;
    // Changes a page control as what says ("POS", "DIM", "FON", "COR", "ALN", "SIT", "TXT",
    // "CHK") with value: 1 done, 0 when the control is not found or a step fails.
    virtual Variant CmpVarAlt(const Variant& control, const Variant& what,
                              const Variant& value) = 0;

    // Mode "A" stores key as the registry key path; any other mode puts the stored path in key.
    virtual void RegChvPrp(const QString& mode, QString& key) = 0;
    // The string value name under the stored key path of HKEY_LOCAL_MACHINE: mode "A" writes
    // value, any other mode reads it into value, cleaned of NUL characters and of the blanks
    // at both ends; found 0 when there is nothing.
    virtual void RegValPrp(const QString& mode, const QString& name, QString& value,
                           int& found) = 0;

    // Starts cmd and waits by mode (-1 blocked without limit, -2 polling with the event pump,
    // > 0 blocked at most mode seconds, anything else opened without waiting): the Integer 1
    // when the program ended normally (or was opened), else 0.
    virtual Variant PgmExeEsp(const QString& cmd, const Variant& mode) = 0;

    // The value of an option of the definition as its page texts show it: a key of its "DEF"
    // zones or a name=value word of the command line (which wins), or a special key such as
    // "USR:DIR"; "" when nothing answers. An engine without a definition knows none.
    virtual QString OpcCon(const QString& /*key*/) { return QString(); }
};

} // namespace zv
