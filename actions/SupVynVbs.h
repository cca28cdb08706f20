#pragma once
// SupVynVbs: the action object that the wizard's scripts see as "Vyn". Every member is a small
// fixed contract over a procedure of the foundation, of the shell file operation, of the tree
// walker, of the printer module or of the engine: its name, the order of its arguments, its
// result values and their subtypes (result codes Integer, texts String, the two numeric
// conversions Double) are what the wizard definitions are written against.
//
// Arguments come from scripts as Variants by reference. Text arguments are read with TxCnvPrp
// (a String as it is, Empty "", any other value its trimmed text), so a script may pass a
// number where a text is expected. TxSep, NuTxSep and SopIdeCon write their results back into
// the caller's variables.
//
// The functions on files and programs (FxPgmExe, FxDirCop, FxFicCop, FxFicRen, FxFicEli) and
// FxPrtPdfIns never raise: each step's run-time error is passed over and the result says what
// happened. The other members let a run-time error reach the calling script.
//
// With the debug flag 1 the actions show what they did, with their result, in a message box
// that waits for the person ("FxFicCop a para b (Resultado=0)").

#include "Dispatch.h"
#include "Variant.h"

#include <QString>
#include <memory>

namespace zv {

class SupFsys;
class VynEngineAccess;

class SupVynVbs : public BoundDispatch {
public:
    // engine: the wizard engine that owns this object (may be null: the control and registry
    // members then answer 0 or "", FxShell 0). It must outlive the object or be taken back
    // with setEngine(nullptr).
    explicit SupVynVbs(VynEngineAccess* engine = nullptr);
    ~SupVynVbs() override;
    SupVynVbs(const SupVynVbs&) = delete;
    SupVynVbs& operator=(const SupVynVbs&) = delete;

    void setEngine(VynEngineAccess* engine) { engine_ = engine; }
    VynEngineAccess* engine() const { return engine_; }

    const QString& objectName() const { return objectName_; }
    const QString& instanceId() const { return instanceId_; }
    int debugFlag() const { return debug_; }
    int attributeFlag() const { return attributes_; }

    // ---- Life cycle and settings ----
    void FxIni();
    void FxFim();
    // Attribute flag := v as a number; 1 makes copies reset the copied items to normal.
    void OpcRegAltAttr(const Variant& v);
    // Debug flag := v as a number; 1 turns the debug messages on.
    void DbgMsgSit(const Variant& v);
    // With the debug flag 1: text (and, when result is given, " (Resultado=" & result & ")")
    // in a message box with an empty title. result may be the missing-argument marker.
    void DbgMsgVer(const Variant& text, const Variant& result = Variant::missing());

    // ---- Texts and numbers ----
    Variant TxCnv(const Variant& v);
    Variant TxNum(const Variant& v, const Variant& width, const Variant& pad);
    // item := text before the first sep, text := what follows it; without sep (or with an
    // empty sep) item := the whole text and text := "". Both written back as String.
    void TxSep(Variant& text, const Variant& sep, Variant& item);
    Variant TxOpc(const Variant& prm, const Variant& key);
    Variant TxOpcNum(const Variant& prm, const Variant& key);
    Variant NuCnv(const Variant& v);
    // n := the number before the first (one-character) sep as a Double, text := what follows
    // it; an empty sep counts as absent.
    void NuTxSep(Variant& text, const Variant& sep, Variant& n);

    // ---- Messages ----
    void MsgVer(const Variant& title, const Variant& text);
    // 1 OK or Yes, 0 No, -1 Cancel.
    Variant MsgTip(const Variant& codes, const Variant& title, const Variant& text);
    void MsgSba(const Variant& n, const Variant& text);

    // ---- Programs, drives and paths ----
    // 1 started, 0 not, -1 when cmd is "".
    Variant FxPgmExe(const Variant& cmd);
    // 1 when the program ran normally, else 0.
    Variant FxShell(const Variant& cmd, const Variant& mode);
    // The first drive (mount point) of a drive type code; "" when there is none.
    Variant FxDrvUsa(const Variant& type);
    // The program's folder, or its "DRV", "DIR" or "NOM" part.
    Variant FxPgm(const Variant& part);
    Variant FxFicLoc(const Variant& parts);

    // ---- Files and folders ----
    // -1 copied (or an empty argument), 0 not copied.
    Variant FxDirCop(const Variant& src, const Variant& dst);
    // 0 copied, -1 the same file (or an empty argument), else the run-time error number.
    Variant FxFicCop(const Variant& src, const Variant& dst);
    Variant FxFicRen(const Variant& oldPath, const Variant& newPath);
    Variant FxFicEli(const Variant& file);
    Variant FxFicTip(const Variant& path);

    // ---- Components ----
    // "R" re-registers, "E" unregisters: 1 done, 0 not; -1 for any other mode.
    Variant FxCmpRegFic(const Variant& mode, const Variant& file);
    // Every component file of a folder: 1 for "R" and "E", -1 for any other mode.
    Variant FxCmpRegDir(const Variant& mode, const Variant& dir, const Variant& ext);

    // ---- Engine: registry and controls ----
    void FxRegGrpPrp(const Variant& key);
    Variant FxRegVarCon(const Variant& name);
    // The engine's option look-up of key (a "DEF" key, a command-line name=value word or a
    // special key): the String value, "" when nothing answers. The way a script learns what
    // the person asked for on the command line, as "[key]" shows it on a page.
    Variant FxOpcCon(const Variant& key);
    Variant CmpVarCon(const Variant& control);
    Variant CmpVarAlt(const Variant& control, const Variant& what, const Variant& value);

    // ---- Printers and the system ----
    // "OK", "PR_VT_EXI" (the printer exists) or "PR_VT_KO" (it could not be added).
    Variant FxPrtPdfIns(const Variant& printer, const Variant& port, const Variant& driver);
    // name := the system's name, code := its code; both written back as String.
    void SopIdeCon(Variant& name, Variant& code);

private:
    static const MemberTable& memberTable();
    // The debug message of an action, with its result.
    void debugResult(const QString& text, const Variant& result);
    // An action from one path to another: -1 when either path is empty, otherwise what work
    // leaves in its result (0 unless it sets one); the result goes to the debug message
    // "<name> <from> para <to>".
    template <class F>
    Variant pathToPath(const QString& name, const Variant& src, const Variant& dst, F&& work);

    QString objectName_ = QStringLiteral("QorAaVbs");
    QString instanceId_;
    int debug_ = 0;
    int attributes_ = 0;
    std::unique_ptr<SupFsys> walker_;
    VynEngineAccess* engine_ = nullptr;
};

} // namespace zv
