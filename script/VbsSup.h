#pragma once
// VbsSup: the VBScript host. It binds the script engine of a form, keeps a table of host objects
// that it adds to the script and adds again after every reset of the engine, loads script code
// from a file or from lines, calls script procedures by name, runs statements and expressions
// in the script's global scope, reports the last script error as text and passes call-backs
// between scripts and two host objects. It registers itself in the script as "FxPre" and "Fxp"
// (see object()), so scripts can call its operations too.
//
// Operations with an ok flag set it to 1 first and to 0 when anything fails; no operation shows
// anything to the user. Operations on a host with no engine bound fail through their flags (or
// do nothing where errors are ignored); the few without a flag raise 91.
//
// While script code runs on the engine, nothing resets it: VbsIni and RegObLib (so also
// RegObFixRep) do nothing then, since a reset would discard the code being run.

#include "Dispatch.h"
#include "ScriptControl.h"
#include "VbsHostForm.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace zv {

class VbsSupObject;

// A record of the host-object table: the kind as given ("N" a plain object from the host,
// "DLL" an object created from a ProgID, "ROB" an object handed over by RegOb), the name
// scripts see it under, and the object.
struct VbsObReg {
    QString kind;
    QString name;
    Variant object;
};

// Creates an object from its ProgID (kind "DLL"); raises 429 when it cannot.
using VbsObjectFactory = std::function<DispatchPtr(const QString& progId)>;

// The value as a script literal, the way the host writes values into "ArgN" and "FxRes": a text
// as a string literal (one pair of surrounding double quotes dropped, inner double quotes
// turned into apostrophes, control characters as Chr(n) pieces), numbers as invariant number
// text, True/False, Empty, Null, a date as #mm/dd/yyyy hh:nn:ss#. An object stands for its
// default value; an array, an error value or anything else without a literal gives Empty.
QString vbsLiteral(const Variant& value);

class VbsSup {
public:
    // Stores the class name, calls the creation hook and empties the host-object table. The
    // owner calls FxIni.
    VbsSup();
    // Calls the closing hook, then VbsIni.
    ~VbsSup();
    VbsSup(const VbsSup&) = delete;
    VbsSup& operator=(const VbsSup&) = delete;

    // The class name and the instance identifier of the creation hook.
    const QString objectName = QStringLiteral("VbsSup");
    QString instanceId;

    // ---- Life cycle ----
    void FxIni();
    // Releases the engine, the document object, the form and the call-back object, and every
    // object of the table (which ends empty). Errors are ignored.
    void FxFim();

    // ---- Binding a form ----
    // Binds the form's own engine (its control "scVbs"); 438 when the form has none.
    void VbsRegFS(const VbsHostFormPtr& form);
    // Keeps the engine, the form and the call-back object (the given one, else the form's
    // object), gives the engine the form's window as its site window, registers the host itself
    // as "FxPre" and "Fxp", then VbsIni. 91 when control is null.
    void VbsRegSup(const VbsHostFormPtr& form, const std::shared_ptr<vbs::ScriptControl>& control,
                   const Variant& callback = Variant::missing());
    // The same without setting the site window.
    void VbsSupPrp(const VbsHostFormPtr& form, const std::shared_ptr<vbs::ScriptControl>& control,
                   const Variant& callback = Variant::missing());

    // ---- Engine reset ----
    // Resets the engine, sets no time limit, evaluates "1+1", then adds every object of the
    // table again, in table order. Every failing step is passed over. The engine holds no code
    // afterwards.
    void VbsIni();

    // ---- Host objects ----
    // Appends a record and adds its object to the script. Kind "DLL" (trimmed, any case): the
    // object argument is a ProgID and a new object is created from it; a creation failure
    // appends nothing. A refused AddObject gives ok 0 but keeps the record.
    void RegObPrp(const QString& kind, const QString& name, const Variant& object, int& ok);
    // A text is a ProgID (kind "DLL"); anything else is the object (kind "ROB").
    void RegOb(const QString& name, const Variant& object, int& ok);
    int RegObNum() const;
    // Records the current number of entries as the fixed count and returns it.
    int RegObFixPrp();
    // Drops every entry added after the last RegObFixPrp.
    void RegObFixRep();
    // Drops entries n to the end, then VbsIni. n outside 1..count + 1 does nothing.
    void RegObLib(int n);
    // The engine's code object (its globals and procedures as members).
    DispatchPtr RobCo();
    // The table, element 0 unused.
    const std::vector<VbsObReg>& objects() const { return table_; }

    // ---- Code ----
    // Joins lines(1) to the last line (element 0 unused) with PgmTxJun, then PgmRegExe.
    void PgmRegArr(int cutComments, const QStringList& lines, int& ok);
    // Appends one line to a code text. cutComments 1: the line is cut at its first apostrophe
    // outside a double-quoted literal and trimmed; a line empty after that is skipped.
    void PgmTxJun(int cutComments, QString& text, const QString& line);
    // Reads a file's lines into text as PgmTxJun does; ok 0 when the file cannot be read (text
    // keeps what was gathered).
    void PgmLer(const QString& file, int cutComments, QString& text, int& ok);
    // Adds code to the engine. A failure also goes to the standard error stream with the
    // error's text, so a script that does not load never fails silently.
    void PgmRegExe(const QString& code, int& ok);
    // The script's procedure names into names(1..count); names(0) is "".
    void ConFxReg(QStringList& names, int& count);
    // The same joined with ",".
    void ConFxRegTx(QString& text, int& count);

    // ---- Procedure calls ----
    // args: an array whose element 0 is the procedure's name and elements 1..n its arguments.
    // kind: "F" function, "P" sub, "?" no such procedure. Returns the function's value for
    // "F", otherwise the Integer 1 (ran without error) or 0.
    Variant SupVbsFx(const Variant& args, QString& kind);
    // Writes the arguments into Arg1..ArgN, calls the procedure and returns "FxRes".
    Variant PgmFxExe(const QString& name, const std::vector<Variant>& arguments = {});
    // Runs the procedure with every parameter Empty; Arg variables and the last call flag stay.
    void PgmCmd(const QString& name, int& ok);
    // "F", "P" or "?".
    QString PgmFxTip(const QString& name);
    // 1 when the last call through PgmFxExe ran without error, else 0.
    int lastCallFlag() const { return flag_; }

    // ---- Statements and expressions ----
    void ExeCmd(const QString& statement, int& ok);
    // The value into result in result's own type (a text result gets the value's text, any
    // other a Double); failure: ok 0 and result emptied by its type ("" or the Integer 0).
    void ExeCalc(const QString& expression, Variant& result, int& ok);
    // As ExeCalc, but result first takes the value's kind (text or number).
    void ExeCalcRa(const QString& expression, Variant& result, int& ok);
    // The value unchanged; Empty on failure.
    Variant ExeCalcRes(const QString& expression);

    // ---- Variables ----
    // A name ending in "$" is a text variable ("A") named without the "$"; others "N".
    void VarIdeAjt(const QString& name, QString& identifier, QString& type);
    void VarReg(const QString& name, const Variant& value);
    void VarCon(const QString& name, Variant& result);
    void VarTipCnv(const QString& type, const Variant& value, Variant& result);
    // "A" when the expression marks a text, else "N"; also into type.
    QString TipVL(const QString& expression, QString& type);

    // ---- Function argument variables (FUNCTION_ARGUMENT) ----
    void FxArgSep(QString& list, Variant& value, QString& type);
    void FxArgReg(const QString& function, const QString& argument, const Variant& value);
    void FxArgSepReg(const QString& function, QString& list, const QString& argument,
                     Variant& result);
    void FxArgCon(const QString& function, const QString& argument, Variant& result);

    // ---- Errors ----
    // The engine's last script error: number 0 gives "Sem erro" and no position; otherwise the
    // description and "LIN:l  COL:c  COD:text".
    void VbsErr(int32_t& number, QString& description, QString& position);

    // ---- Call-backs (late bound; errors ignored unless said otherwise) ----
    // args is an array: it is copied, passed to the call-back object's member, and every
    // element copied back.
    Variant FxPgm(Variant& args);
    void FxDiv(Variant& args);
    void FxDoc(const Variant& args);
    Variant DocConEsp(const QString& type, const QString& name);
    Variant DocConVar(const QString& type, const QString& name);
    Variant DocConOpc(const QString& type, const QString& name);
    Variant DocConOpcEsp(const QString& type, const QString& name);
    Variant SqlCalc(const QString& type, const QString& sql);
    // Joins the arguments with "," and calls the document object's PrExeFx; errors are raised.
    void PrWin(const Variant& args);
    void RegObDoc(const Variant& object);

    // ---- Host side ----
    // The host as scripts see it ("FxPre", "Fxp").
    DispatchPtr object();
    // The bound engine (null when unbound).
    const std::shared_ptr<vbs::ScriptControl>& control() const { return control_; }
    const Variant& callbackObject() const { return callback_; }
    const Variant& documentObject() const { return document_; }
    // The ProgID factory of this host. Without one, ProgIDs are created through the object
    // registry of the bound engine (ScriptControl::objectRegistry), the same one the scripts'
    // CreateObject uses; a ProgID it does not hold raises 429.
    void setObjectFactory(VbsObjectFactory factory) { factory_ = std::move(factory); }

private:
    vbs::ScriptControl& engine() const;
    bool engineRunning() const;
    void bind(const VbsHostFormPtr& form, const std::shared_ptr<vbs::ScriptControl>& control,
              const Variant& callback, bool setSite);
    DispatchPtr createObject(const QString& progId) const;
    // ExeCalc, and with valueKind ExeCalcRa (result first takes the value's kind).
    void calcInto(const QString& expression, Variant& result, int& ok, bool valueKind);

    int FxArgVarReg(const std::vector<Variant>& arguments);
    void PgmFxRun(const QString& name, int count, int& ok);
    Variant FxResCon();
    QString PgmFxTipCon(const QString& name);
    Variant DocCon(const QString& type, const QString& member, const QString& name, bool withFlag);
    void callbackCopy(const QString& member, Variant& args, Variant* result);

    std::shared_ptr<vbs::ScriptControl> control_;
    Variant document_;
    VbsHostFormPtr form_;
    Variant callback_;
    std::vector<Variant> args_{Variant()};
    std::vector<VbsObReg> table_{VbsObReg()};
    int fixed_ = 0;
    int flag_ = 0;
    VbsObjectFactory factory_;
    std::shared_ptr<VbsSupObject> object_;
};

} // namespace zv
