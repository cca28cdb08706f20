#pragma once
// SupVyn: the wizard engine. It reads the wizard definition (a parameter file of zones "DEF",
// "VAR", "PON", "ZON", "PAG", "TRA", "CMP" and "VBS") into its tables, defines the script
// variables of the definition, loads its script, builds every page control on the wizard
// window (all hidden), and runs the wizard: pages entered and left, the four buttons, the
// history of pages for Back, the script's procedures, and the scripts' access to the controls.
//
// - Reading (SupVynLer.cpp): zones in file order; "TRA" and "CMP" zones belong to the page of
//   the last "PAG" zone (page 0, never shown, before the first). After every zone the
//   variables of the "VAR", "PON" and "ZON" entries are defined again, so later zones can use
//   them. The "DEF" settings go to ZelVynGlb's state.
// - Building (SupVynCmp.cpp): positions and sizes of the controls are script expressions in
//   pixels, evaluated and turned into twips; colours, fonts and alignments are converted; each
//   control is made as element i (its index in the control table) of the window's array of its
//   kind, through the control's own properties.
// - Navigation (SupVynNav.cpp): the buttons' transitions, entering and leaving pages, the
//   buttons of each page, the page history, state lists.
// - Script glue and control access (SupVynAce.cpp): the window and the action object "Vyn"
//   bound to the script host, procedures run by name, and the controls as scripts read and
//   change them (CmpVarCon, CmpVarAlt).
//
// The script host is made on first use by its factory: by default the script host VbsSup
// (VbsSupHost), bound by RegFrm to the window's own script engine; tests may set their own.
// The window is the one RegFrm binds; when it also offers its control arrays
// (WizardControls), the page controls are made on it and reached late bound, as every control
// is.
//
// Run-time errors while the definition is read or the controls are built raise: they make the
// start attempt fail (an error of a control names its page, the control and the key). Script
// failures do not: the expressions and statements of the definition that the script cannot run
// are passed over. A definition that cannot be used at all (no pages, a script that does not
// compile) ends the program with the definition error box and exit status 1. While a button's work,
// a page change or a script procedure runs, the engine is busy (the event pump's busy token): the
// window then ignores the person's clicks on its buttons and its close box.
//
// A transition to a page outside the page table ends the program at once (ProgramEnd), without
// the script's "FxFim"; one line on the standard error stream names the page.

#include "SupVynDef.h"
#include "VbsHost.h"
#include "VynEngine.h"
#include "VynEngineAccess.h"
#include "WizardWindow.h"

#include "CommandLine.h"
#include "Dispatch.h"
#include "OptionStore.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zv {

class SupVynVbs;
class WizardControls;

class SupVyn : public VynEngine, public VynEngineAccess, public WizardEvents {
public:
    using VbsFactory = std::function<std::shared_ptr<VbsHost>()>;

    SupVyn();
    ~SupVyn() override;
    SupVyn(const SupVyn&) = delete;
    SupVyn& operator=(const SupVyn&) = delete;

    const QString objectName = QStringLiteral("SupVyn");
    QString instanceId;

    void FxIni();
    // Releases the current option list, ends the script host (and lets the action object go)
    // and releases the window; errors ignored.
    void FxFim();

    // ---- VynEngine ----
    // Keeps form as the wizard window, notes its designed size, and sets the script host up
    // on the window's script engine with the action object registered as "Vyn".
    void RegFrm(const std::shared_ptr<WizardWindow>& form) override;
    // Reads the definition, applies the window's caption, picture, icon and size, builds every
    // page control (hidden) and enters page 1 (its entry procedure runs).
    void VynIni(const QString& file) override;
    // The window's run: "FxIni", then the window modally until it is unloaded.
    void VynExe() override;

    // Registers a further host object under name (upper-cased and trimmed) and resets the
    // script engine: code loaded before is gone.
    void RegSup(const QString& name, const DispatchPtr& object);
    // The action object the scripts see as "Vyn" (null once the script host has ended).
    const std::shared_ptr<SupVynVbs>& actionObject() const { return vyn_; }

    // ---- Script host ----
    void setVbsFactory(VbsFactory factory) { vbsFactory_ = std::move(factory); }
    // The script host, made when missing; 429 when there is no factory to make one.
    VbsHost& vbs();
    // Calls a script procedure: args(0) its name, args(1..) its arguments; value is the
    // function's value, else the call's success flag (Integer 1 or 0). The engine is busy
    // meanwhile. VbsFx is the same; the engine uses it where the value is a page.
    void VbsExe(const Variant& args, Variant& value);
    void VbsFx(const Variant& args, Variant& value);
    // The value of a script expression (Empty when it cannot be evaluated).
    Variant VbsVar(const QString& expression);

    // ---- Reading the definition ----
    void ParLer(const QString& file);
    void ZpoOpcPrp(const QString& kind, int n);
    void ZpoCalc();
    void PagOpcPrp();
    void TraOpcPrp();
    void CmpOpcPrp();
    // Whether two names are the same name: equal once trimmed of blanks, case aside.
    static bool sameName(QStringView a, QStringView b);
    // The first entry (page) whose Ide (IDE) equals name, compared upper-cased and trimmed;
    // -1 when there is none.
    void ZpoLoc(const QString& name, int& index) const;
    void PagLoc(const QString& name, int& number) const;
    // The "DEF" entry of key, trimmed and upper-cased, assigned by value's type.
    void OpcDefCon(const QString& key, Variant& value) const;
    // A measure of the "DEF" zone: the text "AUTO", or its number of pixels in twips along
    // axis "X" or "Y" (a Double).
    void OpcDefMed(const QString& axis, const QString& key, Variant& value) const;
    // A path of the "DEF" zone with its first bracketed folder key replaced by its folder.
    void OpcDefDir(const QString& key, QString& path) const;
    // The folder of a folder key ("DIRPGM", "LTRCD", "DRVCD", "IMGFUN", ...; others "").
    void OpcDirCon(const QString& key, QString& folder) const;
    // A value that begins with "[key]" becomes the option value of key (the whole value) when
    // the option lookup knows it; any other value stays.
    void OpcDirRes(const QString& value, QString& result) const;

    // ---- Building the controls ----
    void PagCmpPrp();
    void CmpVer(int i);
    // Empties the rich-text box and loads the file into it; errors ignored (a missing file
    // leaves the panel empty).
    void RtfFicCar(const DispatchPtr& box, const QString& path);
    // Left and Top in twips.
    void CmpPosAlt(const DispatchPtr& control, const Variant& x, const Variant& y);
    // Width and Height in twips, each only when above 0.
    void CmpDimAlt(const DispatchPtr& control, const Variant& w, const Variant& h);
    // Background and foreground colours (colour values or colour texts).
    void CmpCorAlt(const DispatchPtr& control, const Variant& back, const Variant& fore);

    // ---- Navigation ----
    // The buttons Back, Next, Confirm and Cancel; run-time errors skip the failing step.
    void TraAnt() override;
    void TraSeg() override;
    void TraCnf() override;
    void TraCan() override;
    void VbsPrcExe(const QString& name) override;
    // Enters a page: a page outside the table ends the program; otherwise the history, the
    // entry procedure, the window's picture and buttons, the page's controls shown by their
    // state lists. A run-time error shows the box "Erro" and leaves the rest undone.
    void PagVer(int page);
    // Leaves a page: its exit procedure, its controls hidden.
    void PagEsc(int page);
    // The window's picture and the four buttons for a page.
    void PagPrp(int page);
    // Pushes page on the history unless it is the last entry already.
    void PagLstSeg(int page);
    // The previous page of the history (the history is cut before it); -1 when there is none.
    void PagLstAnt(int16_t& page);
    // Applies a state list ("INV", "VER", "ACT", "DES", left to right) to a control given by
    // its Ide (or a button name) or as an object; nothing when it is not found or list is "".
    void CmpSitAlt(const Variant& control, const QString& list);

    // ---- Control access (VynEngineAccess) ----
    Variant CmpVarCon(const Variant& control) override;
    Variant CmpVarAlt(const Variant& control, const Variant& what, const Variant& value) override;
    void RegChvPrp(const QString& mode, QString& key) override;
    void RegValPrp(const QString& mode, const QString& name, QString& value, int& found) override;
    Variant PgmExeEsp(const QString& cmd, const Variant& mode) override;
    // The option look-up as it stood when the definition had been read ("" before).
    QString OpcCon(const QString& key) override;
    // Font name, size and style (words "BOLD", "ITALIC"); each failing step is skipped.
    void CmpFonAlt(const DispatchPtr& control, const QString& name, const Variant& size,
                   const QString& style);

    // ---- Tables and state ----
    const std::vector<ZpoDef>& zpoTable() const { return zpo_; }
    const std::vector<PagDef>& pageTable() const { return pag_; }
    const std::vector<CmpDef>& controlTable() const { return cmp_; }
    int ZpoNum() const { return int(zpo_.size()) - 1; }
    int PagNum() const { return int(pag_.size()) - 1; }
    int CmpNum() const { return int(cmp_.size()) - 1; }
    // The window control made for control i (nullptr for kinds that make none).
    DispatchPtr control(int i) const;
    // The option list the next "OPCTXT" control adds to (nullptr before the first "OPC").
    const DispatchPtr& currentOptionList() const { return opcAtu_; }
    const std::shared_ptr<WizardWindow>& window() const { return window_; }
    // The page history (element 0 holds 0 and is never a page) and the current page.
    std::vector<int16_t> PagLst{0};
    int16_t PagAtu = 0;
    // Whether pure expressions (VbsPure.h) are evaluated once while the variables hold (the
    // default) or each time they are met: the results are the same, only the time differs
    // (the start-up bench measures what keeping them saves).
    void setPureValuesKept(bool kept) { pureValuesKept_ = kept; }

private:
    int ZpoAdd(const ZpoDef& z);
    int PagAdd(const PagDef& p);
    int CmpAdd(const CmpDef& c);
    void DefLer();
    // Script variables: the statement name = value, value as a raw expression (mode 0) or as a
    // string literal (mode 1). A statement the script refuses is passed over (false).
    bool VbsVarDef(const QString& name, const Variant& value, int mode);
    void VbsVarReg(const QString& name, const QString& value);
    // Resets the script engine and loads lines as its code; false when the engine refuses it.
    bool VbsPgmReg(const QStringList& lines);
    // The error box text of a script that does not load: the engine's error number and
    // description, the line and column of the code and the line's text.
    QString scriptFault();
    // The error box text of a definition without pages: an empty file, one without zones, one
    // without a "PAG" zone.
    QString noPagesFault(const QString& file) const;
    // Sets the script host up on the window's engine, with the action object as "Vyn".
    void VbsFrmReg();
    // Ends the script host; the action object and the host go.
    void VbsFim();
    // Calls a procedure as VbsExe does; false when the call failed (or there is no such
    // procedure).
    bool VbsCall(const Variant& args, Variant& value);
    // The first control whose Ide is name (compared upper-cased and trimmed); 0 when none.
    void CmpLoc(const QString& name, int& index) const;
    // A button of the window by its exact name, or the window control of a page control by
    // its Ide; found 1 when the Ide names a control.
    void CmpObjNom(const QString& name, DispatchPtr& object, int& found) const;
    // A text through CmpObjNom; an object as itself.
    void CmpObj(const Variant& control, DispatchPtr& object) const;
    // The page record; 9 when page is outside the table.
    const PagDef& pagReg(int number) const;
    // The steps the four buttons share; each is one step: a run-time error skips it.
    // The transition of a button on the current page (an empty one when it cannot be read).
    TraDef transition(TraIdx button) const;
    // Makes the page whose identifier is ide the current page.
    void goToPageNamed(const QString& ide);
    // Leaves the page old and enters the current page. When that is outside the page table (the
    // run then ends), one line on the standard error stream names it: target as the button's
    // transition named it, or for "" the page before the first or after the last.
    void changePage(int16_t old, TraIdx button, const QString& target);
    // Next and Back: to the page the button's transition names; by its function, to the page
    // fxPage makes current from the function's value (it gives the target's text for the error
    // line), nothing when the call failed; else plainStep. Then leaves old and enters the page.
    void stepPage(TraIdx button, const std::function<QString(const Variant&)>& fxPage,
                  const std::function<void()>& plainStep);
    // Calls fx(current page); false when the call failed.
    bool callPageFx(const QString& fx, Variant& value);
    // Runs fx() and drops what it returns.
    void runFx(const QString& fx);
    // The window size in pixels that xMax and yMax stand for.
    double windowPixels(const QString& axis) const;
    DispatchPtr windowObject() const;
    DispatchPtr loadControl(const QString& array, int index);

    // ---- Variables defined once while nothing can change them (SupVynLer.cpp) ----
    // The statements of a ZpoCalc round: each variable with its expression text.
    using ZpoStatements = QList<std::pair<QString, QString>>;
    ZpoStatements zpoStatements() const;
    // Whether the variables still hold what the last ZpoCalc gave them: no script code has run
    // since, other than pure expressions (VbsPure.h).
    bool zpoValuesHold() const;
    // Whether running ZpoCalc again could change nothing: it would run the last round's
    // statements, all of them pure and carried out, and the variables still hold.
    bool zpoRoundHolds() const;
    // ExeCalc through the host; a pure expression (succeeding or not) leaves the variables
    // holding, and its value taken as it comes (an Empty result) is evaluated once while they
    // hold.
    // kept (when given) tells whether the value is a pure one kept for this round.
    void VbsCalc(const QString& expression, Variant& result, int& ok, bool* kept = nullptr);
    // The value of a position or size expression as text ("" when the script cannot evaluate
    // it); a pure one is evaluated once while the variables hold. kept (when given) tells
    // whether the text is a pure expression's successful value kept for this round.
    QString VbsCalcTxt(const QString& expression, bool* kept = nullptr);
    // "a, b" of two expressions separated by the first comma, each through VbsCalcTxt; kept
    // (when given) tells whether both values are kept as VbsCalcTxt says.
    QString evaluatedPair(const QString& text, bool* kept = nullptr);
    // Where control i is, for an error: "(página p "IDE", controlo i "Ide", chave "key")" (the
    // kind when it has no Ide; no key when key is "").
    QString controlPlace(int i, const QString& key) const;

    struct ZpoRound {
        bool made = false;
        // What its statements came from: the table of variables only grows, and xMax and
        // yMax follow the window's size.
        int zpoCount = 0;
        double xPixels = 0;
        double yPixels = 0;
        QSet<QString> names;     // the variables its pure statements defined, upper case
        bool repeatable = false; // every statement pure and carried out
        quint64 uses = 0;        // scriptUses_ when the variables were last known to hold
    };
    ZpoRound zpoRound_;
    // Every use of the script host counts (vbs()), and ending it.
    quint64 scriptUses_ = 0;
    // The texts of the pure expressions evaluated while the last round holds, those that
    // failed, and the last that failed (the failure the host keeps).
    QHash<QString, QString> pureTexts_;
    QHash<QString, Variant> pureValues_; // the pure values VbsCalc gave as they came
    // The default place of each button (by its index) whose point gave pure values: its
    // position text and twips.
    struct ButtonPlace {
        QString POS;
        int32_t X = 0;
        int32_t Y = 0;
    };
    QHash<int, ButtonPlace> pureButtonPlaces_;
    QSet<QString> pureFailures_;
    std::optional<QString> lastPureFailure_;
    bool pureValuesKept_ = true;

    VbsFactory vbsFactory_;
    std::shared_ptr<VbsHost> vbs_;
    std::shared_ptr<SupVynVbs> vyn_;
    std::shared_ptr<WizardWindow> window_;
    WizardControls* controlWindow_ = nullptr; // the same window, when it offers its controls
    std::vector<ZpoDef> zpo_{ZpoDef{}};
    std::vector<PagDef> pag_{PagDef{}};
    std::vector<CmpDef> cmp_{CmpDef{}};
    std::vector<DispatchPtr> controls_{nullptr};
    DispatchPtr opcAtu_;
    // The zones the last reading of the definition found.
    int zoneCount_ = 0;
    // The options of the definition and the command line, kept from the option reader when
    // the reading ends (the reader itself goes), for the scripts' look-ups.
    OptionStore options_;
    CommandLine commandLine_;
    // The window's designed client size in twips, for a width or height the definition does
    // not give.
    double designWidth_ = 9600;
    double designHeight_ = 7200;
};

} // namespace zv
