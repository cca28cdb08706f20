#pragma once
// VbsHost: the operations of the script host that the wizard engine calls while it reads a
// definition and builds its pages, with the names and contracts of the script host VbsSup:
//
// - VbsIni: resets the engine (all code and script variables go; the host objects are added
//   again);
// - PgmRegArr: loads code from lines 1..n (element 0 unused), with cutComments 1 cutting each
//   line at its first apostrophe outside a string and dropping empty lines; ok 0 when the
//   engine refuses the code;
// - ExeCmd: runs one statement in the script's global scope; ok 0 when it fails (the
//   variable it assigns is left as it was);
// - ExeCalc: the value of an expression assigned into result by result's own type (a text
//   result gets the value's text, any other a number); on failure ok 0 and result emptied by
//   its type ("" or the Integer 0).
//
// None of them raises: failures come back through ok. The engine owns one host, made on first
// use by the factory it is given; the program's factory makes the real script host, tests give
// their own.

#include "Variant.h"

#include <QString>
#include <QStringList>

namespace zv {

class VbsHost {
public:
    virtual ~VbsHost() = default;

    virtual void VbsIni() = 0;
    virtual void PgmRegArr(int cutComments, const QStringList& lines, int& ok) = 0;
    virtual void ExeCmd(const QString& statement, int& ok) = 0;
    virtual void ExeCalc(const QString& expression, Variant& result, int& ok) = 0;
};

} // namespace zv
