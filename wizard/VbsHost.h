#pragma once
// VbsHost: the operations of the script host that the wizard engine calls, with the names and
// contracts of the script host VbsSup:
//
// - FxIni, FxFim: the host's life cycle (FxFim lets go of the engine, the form and every host
//   object);
// - VbsRegFS: binds the form's own script engine (its control "scVbs") and registers the host
//   itself as "FxPre" and "Fxp"; raises 438 when the form has no engine;
// - RegObPrp: adds a host object to the script (and again after every reset) under a name;
// - VbsIni: resets the engine (all code and script variables go; the host objects are added
//   again);
// - PgmRegArr: loads code from lines 1..n (element 0 unused), with cutComments 1 cutting each
//   line at its first apostrophe outside a string and dropping empty lines; ok 0 when the
//   engine refuses the code;
// - ExeCmd: runs one statement in the script's global scope; ok 0 when it fails (the
//   variable it assigns is left as it was);
// - ExeCalc: the value of an expression assigned into result by result's own type (a text
//   result gets the value's text, any other a number); on failure ok 0 and result emptied by
//   its type ("" or the Integer 0);
// - SupVbsFx: calls a script procedure by name: args is an array whose element 0 is the name
//   and whose further elements are the arguments; kind "F" function, "P" sub, "?" none; the
//   function's value, else the Integer 1 or 0; lastCallFlag tells whether the call ran
//   without error (0 also when there is no such procedure);
// - lastError: the engine's last script error (number 0 when there is none or no engine), with
//   the line (from 1) and column (from 0) of the code given to it, and that line's text.
//
// Apart from VbsRegFS, none of them raises: failures come back through ok and the flag. The engine
// owns one host, made on first use by the factory it is given; the program's factory makes the real
// script host, tests give their own.

#include "ScriptControl.h"
#include "Variant.h"
#include "VbsHostForm.h"

#include <QString>
#include <QStringList>

namespace zv {

class VbsHost {
public:
    virtual ~VbsHost() = default;

    virtual void FxIni() = 0;
    virtual void FxFim() = 0;
    virtual void VbsRegFS(const VbsHostFormPtr& form) = 0;
    virtual void RegObPrp(const QString& kind, const QString& name, const Variant& object,
                          int& ok) = 0;
    virtual void VbsIni() = 0;
    virtual void PgmRegArr(int cutComments, const QStringList& lines, int& ok) = 0;
    virtual void ExeCmd(const QString& statement, int& ok) = 0;
    virtual void ExeCalc(const QString& expression, Variant& result, int& ok) = 0;
    virtual Variant SupVbsFx(const Variant& args, QString& kind) = 0;
    virtual int lastCallFlag() const = 0;
    virtual vbs::ScriptErrorInfo lastError() const { return {}; }
};

} // namespace zv
