#pragma once
// SupFrm: the form service of the support library. One instance serves one main form and,
// optionally, its parent form (the window it was opened from). A program registers its form
// and the controls to lay out, each with an anchor list, and calls AjtCtl from the form's
// resize handler (VbForm::onResize); the controls then keep their distance to the container's
// edges, their share of it, or their place against marker lines. The same object sizes the
// form (base size, limits, a size list), places it (on the screen, on the parent, off screen)
// and switches which of the main and parent forms shows.
//
//     SupFrm frm;
//     frm.RegFrm(form);                          // the form and its base size
//     frm.MpoReg(split, "PX%");                  // a vertical marker at a share of the width
//     frm.RegOb(list, "DY,MDX:R=SPLIT:X|-120");  // bottom kept; ends 120 twips left of split
//     frm.RegOb(ok, "PX,PY");                    // kept at the bottom right corner
//     frm.DimLimPrp("D<", 6000, 4500);           // never smaller than this
//     // in onResize: frm.DimLim(); frm.MpoAjt(0); frm.AjtCtl(0);
//
// Units are twips. Coordinate arithmetic is 32-bit, rounding half to even where a value
// becomes whole, so forms and screens of any size centre, anchor and limit (a value beyond 32
// bits leaves that one property as it was).
//
// Anchor list: tokens separated by ",", compared exactly as written (upper case, no blanks),
// applied in the order written. CW and CH are the container's Width and Height; for a form
// container the layout uses Width and Height less the border corrections (RegFrmAjt).
//   "PX" / "PY"     keep the distance from the right / bottom edge (Left = CW - d)
//   "DX" / "DY"     keep the distance of the right / bottom side from the edge (Width = CW - d)
//   "PX%" "PY%" "DX%" "DY%"  keep Left, Top, Width, Height at the same share of CW or CH (a
//                   share registered against a container of no size is never applied)
//   "C"             centre in the container (a form's within Width - 120 and Height - 405)
//   "MPX:e" "MPY:e" Left / Top = the marker expression e
//   "MDX:e" "MDY:e" Width / Height = the marker expression e less the control's Left / Top
//   anything else   nothing
// Marker lines take "PX", "PX%" (vertical), "PY", "PY%" (horizontal), "MPX:e" and "MPY:e".
//
// Marker expression: KIND=references and offset, "|" between them (case does not matter):
//   "PM=a|b|off"    midpoint of a and b, plus off
//   "P%n=a|b|off"   (a + b) x n / 100 plus off (P%50 is the midpoint)
//   "K=a|off"       any other kind: a plus off
// A reference is a marker's name, ":" and "X1" (or "X"), "Y1" (or "Y"), "X2" or "Y2": the live
// line's coordinate. An unknown marker or coordinate is 0; a missing offset is 0. Within an
// anchor list an expression cannot hold a "," (the list is split there).
//
// Errors: the layout, size and placement operations skip a step that fails (a control that is
// gone, a property its kind lacks, a size below 0, a value out of range) and go on with the
// next; nothing is reported. DimBase, MpoPosCalc and MpoPos raise their errors; VisSit and
// VisPosPar raise 91 when no parent form is registered, and 364 for a form that is gone.
//
// The main and parent forms are held weakly: a form deleted while registered (during the
// event pump, say) makes every step that uses it a failed step, never a crash.
//
// On Wayland a program cannot place its top-level windows: Left and Top of a form, and so
// every placement below, have no effect there (X11 and the offscreen platform honour them).

#include "Dispatch.h"
#include "PaletteSource.h"
#include "ScreenInfo.h"
#include "Variant.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace zv {

class PaletteGrid;
class VbControl;
class VbForm;
class VbLine;
class VbListBox;
class VbObjectRef;

class SupFrm : public PaletteSource {
public:
    // A new instance: no forms, no controls, no markers, no limits. The border corrections are
    // 120 (height) and 135 (width) on a system whose generation is "WVI", else 0.
    SupFrm();
    ~SupFrm() override;
    SupFrm(const SupFrm&) = delete;
    SupFrm& operator=(const SupFrm&) = delete;

    const QString& className() const;  // "SupFrm"
    const QString& instanceId() const; // given at creation

    void FxIni();
    // Forgets every control and marker and lets go of the forms.
    void FxFim();

    // The screen that sizes and placements use: a fixed one, or none to read the primary screen
    // at each call (the default).
    void setScreen(std::optional<ScreenInfo> screen);
    ScreenInfo screen() const;

    // ---- Registration and anchored layout ----

    // The main form; forgets every control registered before. Its Left, Top, Width and Height
    // now are its base size (DimBase, "R<").
    void RegFrm(VbForm* form);
    // The parent form (placements "PC", "PA", "PP", "CO" and the visibility switches).
    void RegFrmPar(VbForm* form);
    // The border corrections taken off a form container's Width and Height at layout.
    void RegFrmAjt(int widthCorrection, int heightCorrection);
    // Registers a control with its anchor list: its Left, Top, Width and Height now are stored
    // in the form the tokens need (distances, shares). A control without a name is not
    // registered. extra is kept for the caller and never read.
    void RegOb(const std::shared_ptr<VbControl>& control, const QString& anchors,
               const QString& extra = {});
    // Lays every registered control out again, in registration order. disable 1 disables the
    // main form while it works; the form is enabled afterwards in any case.
    void AjtCtl(int disable = 0);

    // ---- Marker lines ----

    // Registers a line as a marker with its anchor list; its name (trimmed, upper case) is the
    // name expressions use; the first of two lines with one name is the one found. A line
    // without a name is not registered.
    void MpoReg(const std::shared_ptr<VbLine>& line, const QString& anchors,
                const QString& extra = {});
    // Lays the markers out again, from the last registered to the first (so a marker may
    // follow markers registered after it). Call it before AjtCtl. disable as for AjtCtl.
    void MpoAjt(int disable = 0);
    // The value of a marker expression (see above).
    double MpoPosCalc(const QString& expression) const;
    // The coordinate a marker reference names; 0 for an unknown marker or coordinate.
    double MpoPos(const QString& reference) const;
    // The index (1 to n) of the marker with that name; 0 when there is none.
    int MpoIdx(const QString& name) const;

    // ---- Form size ----

    // Width and Height back to the base size. Raises its errors (91 without a main form).
    void DimBase();
    // Stores the minimum size (width, height), or the base size when width is below 0, for
    // DimLim to keep; then widens and heightens the form to it where it is smaller.
    void DimMin(int width, int height);
    // Keeps the form within the stored limits (call it from the resize handler); a limit of 0
    // does not constrain.
    void DimLim();
    // Sets the limits by mode; the limits a mode does not name become 0:
    //   "D<" minimum (a, b)       "D>" maximum (a, b)       "R<" minimum = the base size
    //   any other mode: minimum (a, b) and maximum (c, d)
    // The numbers are rounded to whole twips; the modes are compared exactly.
    void DimLimPrp(const QString& mode, double a = 0, double b = 0, double c = 0, double d = 0);
    // The modes that take the size of an object (a form, or a control such as a frame holding
    // the form's content):
    //   "F<" minimum = its Width, Height          "F>" maximum = its Width, Height
    //   "O<" minimum = its Width + 120, Height + 405 (an inner area made an outer form size)
    //   "O>" maximum likewise
    // A mode that takes numbers, given an object, leaves the limits as they are; so does an
    // object mode given numbers or an object that is Nothing or gone. A form (VbForm*) or a
    // control (its shared pointer) converts to a VbObjectRef (VbObjectRef.h).
    void DimLimPrp(const QString& mode, const VbObjectRef& object);
    // Applies a size list (trimmed, upper case, "," between tokens), token by token:
    //   "NOR" "MIN" "MAX"  the window state normal, minimised, maximised
    //   "SCR"   the screen's size; "SCRT" the same less a 28-pixel strip (a task bar) below
    //   "MXA"   one and a half times the screen's size
    //   "1024" "800" "640"  the size of a 1024 x 768, 800 x 600, 640 x 480 screen ("1024T",
    //           "800T", "640T": less the strip)
    //   "C"     centred on the screen; "CT" centred above the strip
    //   "PC"    centred on the parent form; "PA" the parent's place and size; "PP" its place
    //   "BASE"  DimBase
    // Centring uses the size the form has at that token, so sizes come first ("800T,CT").
    void DimAjt(const QString& sizeList);

    // The stored limits (twips, 0 for none) and the base size.
    int minWidth() const;
    int minHeight() const;
    int maxWidth() const;
    int maxHeight() const;
    double baseWidth() const;
    double baseHeight() const;

    // ---- Placement and visibility ----

    // Places form by mode (trimmed, upper case); its size does not change:
    //   "Z"  at 0, 0                 "I"  parked off screen (Left -30000, Top 0)
    //   "C"  centred on the screen   "CT" centred above the 28-pixel strip
    //   "CO" centred on reference    "PO" at reference's top left corner
    // Any other mode does nothing; so do "CO" and "PO" without a reference.
    void PosAjtExe(const QString& mode, VbForm* form, VbForm* reference);
    // PosAjtExe on the main form.
    void PosAjt(const QString& mode, VbForm* reference);
    // Registers the pair (RegFrm main, so before any RegOb; RegFrmPar parent), keeps the
    // parent's place for "P", ends any swap and places the main form by mode against the parent.
    void VisRegFrm(VbForm* main, VbForm* parent, const QString& mode);
    // PosAjtExe on the main form against the parent.
    void VisPosPar(const QString& mode);
    // Switches which form shows (code trimmed, upper case):
    //   "F"  main shown, parent parked off screen
    //   "P"  parent back at the place kept by VisRegFrm and shown, main hidden
    //   "IE" once until the next "TE": main shown, parent parked
    //   "TE" ends the swap: parent hidden, main centred on it and hidden, parent shown. The
    //        parent stays where it is (parked after "IE"): "P" brings it back.
    // Any other code does nothing.
    void VisSit(const QString& code);
    // Shows form when flag means yes (1, "S", "Sim", True ...), else hides it.
    void VisSitExe(VbForm* form, const Variant& flag);
    // Makes the main form run its resize handler: one pixel wider and back. A form that is not
    // shown gets no resize event from it.
    void ResFrc();

    // ---- Message outputs ----
    //
    // Three places for progress and status messages: the status bar of the main form (its
    // control "sBar", a VbStatusBar, looked up at each call), a message zone (any control with
    // Text or Caption) and a message list (a list box of numbered lines that keeps the newest in
    // view). A message is any value, shown as its text ("" for Empty, numbers trimmed). Every
    // show ends by running the event pump of the process context, so the text is seen at once
    // during long work; a form closed during the pump leaves its controls gone (error 364 on
    // their next use), never dangling.
    //
    // The bar and zone operations, MsgLisCon and MsgLisSbt pass over a failed step: a form
    // without "sBar", a panel that is not there, a zone that is gone or a line outside the list
    // leaves the output as it was and reads back "". MsgLisJun and MsgLisLpz raise: 91 when no
    // list is registered, 364 when its form is gone.

    // panel 1 or more: that panel's text, and the bar in panel style; else the simple text,
    // and the bar in simple style. A panel beyond the bar's panels changes nothing.
    void MsgSbaVer(int panel, const Variant& text);
    // The simple text and every panel emptied; a bar with panels ends in panel style.
    void MsgSbaLpz();
    // A panel's text (panel 1 or more) or the simple text, assigned to value in its own type.
    void MsgSbaCon(int panel, Variant& value) const;
    // The message zone (a label's Caption, a text box's Text), emptied at once.
    void MsgZonReg(const DispatchPtr& control);
    void MsgZonLpz();
    // Sets the zone's Text and its Caption (the one it lacks is passed over).
    void MsgZonVer(const Variant& text);
    // The zone's Text, else its Caption, assigned to value in its own type.
    void MsgZonCon(Variant& value) const;
    // The message list, emptied at once: visibleLines (0: not given) is how many lines it
    // shows; numberWidth 1 or more numbers the lines ("001 - text" for 3; a longer number keeps
    // its last digits), below 1 not.
    void MsgLisReg(const std::shared_ptr<VbListBox>& list, int visibleLines, int numberWidth);
    void MsgLisPrp(const std::shared_ptr<VbListBox>& list, int numberWidth);
    // Forgets the list (the list box itself stays as it is).
    void MsgLisLib();
    void MsgLisLpz();
    // Adds a line at the end and scrolls it into view: with visible lines given, the last that
    // many lines show; without, the new line is the first one shown.
    void MsgLisJun(const Variant& text);
    // Line n (1 the first; none: the last) assigned to value in its own type, or replaced.
    void MsgLisCon(Variant& value, std::optional<int> line = {}) const;
    void MsgLisSbt(const Variant& text, std::optional<int> line = {});

    // ---- Colour palette ----
    //
    // Named entries, stored and found under their names trimmed and upper-cased:
    //   a colour pair        "background+foreground"
    //   a panel appearance   "background+foreground+style,flag,3D text+picture file"
    // Each colour is a colour text (GlbCor.h: "r,g,b", 1..15, "Hhex", "Wnumber", a number),
    // read trimmed; a part that is "-" or empty leaves that colour as it is. Memorised colours
    // are written "rrr,ggg,bbb" with three digits each.
    //
    // The palette file is a parameter file whose zone "COR" holds one entry per name:
    //   Titulo       [SPTIT]=H800000+15+2,1,1+titulo.bmp
    // CorPalIni and CorPalReg raise: the file's error number (70, 75 ...) for a file that is
    // there but cannot be read or written, 53 for CorPalReg on a missing file. CorObBg, CorObFg
    // and the application of entries pass over a control without the colour property.

    // The entry names the form and grid operations use.
    static constexpr const char* kFormEntry = "FRM";         // a form, and the grid "tbOpc"
    static constexpr const char* kTitleEntry = "SPTIT";      // the title panel "spTit"
    static constexpr const char* kInteriorEntry = "SPINT";   // the interior panel "spInt"
    static constexpr const char* kSystemEntry = "SPSIS";     // the system panel "spSis"
    static constexpr const char* kInfoEntry = "INPLB";       // the labels "inplbinf", "inplbmsg"
    static constexpr const char* kGridFixedEntry = "GRDFIX"; // a grid's fixed cells
    static constexpr const char* kGridCellEntry = "GRDCEL";  // its cells (odd rows)
    static constexpr const char* kGridAltEntry = "GRDALT";   // its even rows

    // Empties the palette and loads zone "COR" of file (a missing file: the palette stays
    // empty). A name given twice keeps its last value.
    void CorPalIni(const QString& file);
    // Writes the palette into file, an existing palette file: every line of a name the file
    // holds gets the name's entry (names only memorised are not added); header line 2 becomes
    // "COR", and line 1 header when header is not "". The result goes to target ("" : file
    // itself), replaced whole. An entry the file cannot hold (a character its encoding lacks)
    // keeps its old line and raises 5 after the rest is written.
    void CorPalReg(const QString& file, const QString& target, const QString& header);
    // The entry of name ("" when there is none).
    QString CorPalEnt(const QString& name) const;
    // The palette's names in the order they were first stored.
    QStringList CorPalNom() const;
    // Applies the colour pair of name to control's BackColor and ForeColor.
    void CorRegOb(const QString& name, const DispatchPtr& control);
    void CorUsa(const QString& part, const QString& name, Variant& value,
                int& found) const override;
    // Sets BackColor (ForeColor): a text as a colour text (trimmed; "-" or "" change nothing),
    // any other value as a colour number.
    void CorObBg(const DispatchPtr& control, const Variant& colour);
    void CorObFg(const DispatchPtr& control, const Variant& colour);
    // Memorises a control's colours (as RGB, also where it uses the system's colours), two
    // colour numbers, or an entry text, under name.
    void CorMemOb(const QString& name, const DispatchPtr& control);
    void CorMem(const QString& name, int32_t background, int32_t foreground);
    void CorMemVco(const QString& name, const QString& entry);
    // Colours a grid from the entries kGridFixedEntry, kGridCellEntry and kGridAltEntry (grid
    // lines grey 128,128,128); a colour the palette does not give is left as it is.
    void CorRegGr(PaletteGrid& grid) const;
    // Colours row as an even row (BackColorAlternate) or an odd one (BackColor), all but the
    // last column.
    void CorRepGrLi(PaletteGrid& grid, int32_t row) const;
    // Colours the cells of row from the first column after the fixed ones to column Cols -
    // FixedCols - skip: background, and foreground when it is 0 or more. Leaves the grid's
    // current cell on the row's last coloured cell. Raises the grid's errors.
    void GrdFlxCorLin(PaletteGrid& grid, int32_t row, int32_t background, int32_t foreground,
                      int skip) const;

    // ---- Window positions ----
    //
    // A window-state table is a parameter file holding, in its zone "DEF", one entry per window
    // key: the position text "Left,Top,Width,Height,WindowState" (twips; 0 normal, 1
    // minimised, 2 maximised), or a value stored under the key and a sub-key.
    //   ??? [FRMCLIENTES]=1200,900,9600,7200,0
    // A window key is the form's name (trimmed, upper case), and "_" and its dynamic property
    // "PosChvAdi" (trimmed, as written) when the form has one that is not empty; a sub-key
    // adds "_" and the sub-key. A key or sub-key that is empty, ends in ".", or holds "[", "]",
    // "=", ":" or a control character cannot be told apart from other entries in the file: it
    // is refused (a store does nothing, a read gives "" or the default place).
    // Values are written with the file's escapes and read back exactly. A table that is there
    // but cannot be read is never replaced. A missing form argument means the main form.

    // The form's position text.
    void JanPdiObCon(VbForm* form, QString& text) const;
    // Applies a position text. Width below 1 or Left below -120: the form goes to 0, 0 in the
    // normal state, sized 9600 x 6780 for resolution "640", 12000 x 8600 for "800".
    void JanPdiObAct(VbForm* form, const QString& text, const QString& resolution);
    // The value stored under key; "" when the file or the key is not there.
    void JanPdiRegCon(const QString& file, const QString& key, QString& value) const;
    // Stores value under key, creating the table first when there is no file.
    void JanPdiRegAct(const QString& file, const QString& key, const QString& value);
    // Writes a new, empty table (description "Situacao de janelas") to file.
    void JanPdiRegCri(const QString& file);
    // The size list (DimAjt) that places the main form when no usable position is stored.
    void PosJanVdeReg(const QString& sizeList);
    void PosJanVdeExe();
    // Restores the form's stored position; a missing table, a missing key, Left or Top below
    // -1000, Width below 1 or a minimised state apply the default size list to the main form.
    void PosJanExe(const QString& file, VbForm* form = nullptr);
    // Stores the form's position into an existing table (a missing table: nothing).
    void PosJanReg(const QString& file, VbForm* form = nullptr);
    // The form's window key.
    void PosJanChv(VbForm* form, QString& key) const;
    // A per-window value under subKey in an existing table: mode "R" (trimmed, any case) stores
    // value as text, any other mode reads it into value in its own type.
    void PosJanVop(const QString& mode, const QString& file, const QString& subKey, Variant& value,
                   VbForm* form = nullptr);

    // ---- Panels and pictures ----
    //
    // Panels are 3D panels (VbFrame3D with the panel look, or any control with their members)
    // framed by appearance entries of the palette. The 3D part "style,flag,3D text" sets the
    // bevels (Sp3DExe); the picture is the file "<image folder>/Fun/<picture>", drawn
    // stretched; a file name missing in its exact case is looked up once in any case (names
    // written on Windows). The image folder is "[BUS]" at first: the folder the default image
    // folder provider gives; with no provider, pictures are not found (the panel keeps its
    // picture).
    //
    // AspRegSp, AspFunSp and FrmPrpAsp pass over a failed step (a property the control lacks,
    // a picture that cannot be loaded).

    // Applies the appearance entry name (trimmed and upper-cased in place) to panel: colours,
    // bevels by the 3D part (given back in part3D), and the background picture, or none when
    // the entry names none. An absent or empty entry changes nothing.
    void AspRegSp(QString& name, const DispatchPtr& panel, QString& part3D);
    // The panel's Caption emptied, then AspRegSp.
    void AspFunSp(QString& name, const DispatchPtr& panel, QString& part3D);
    // The parts of an appearance entry (name trimmed and upper-cased in place); an absent entry
    // leaves them as they are.
    void AspUsaSp(QString& name, int32_t& background, int32_t& foreground, QString& part3D,
                  QString& picture) const;
    // Memorises the panel's colours and rest ("3D part+picture") as an appearance entry.
    void AspMemSp(const QString& name, const Variant& rest, const DispatchPtr& panel);
    void AspMemVco(const QString& name, const QString& entry);
    // BevelWidth 1 (2 with flag 1 for styles 1..4), BorderWidth 0; style 1 inner raised and
    // outer inset, 2 the reverse, 3 inner inset, 4 inner raised (no outer bevel); other styles
    // leave the bevels; Font3D = text3D.
    void Sp3DExe(const DispatchPtr& panel, int style, int flag, int text3D);
    // The path of a picture file: image folder, "Fun", file. Raises 424 when the folder is
    // "[BUS]" and no provider is set.
    void ImgFunFic(const QString& file, QString& path) const;
    // Mode "A" (trimmed, any case): the image folder becomes folder; any other mode: folder
    // receives it.
    void ImgDir(const QString& mode, QString& folder);
    // The provider of the default image folder that "[BUS]" stands for.
    void setDefaultImageFolder(std::function<QString()> provider);
    // Prepares form's standard parts: the form's colours (kFormEntry), the panels "spTit",
    // "spInt" and "spSis" (their entries; the last two without caption), the labels "inplbinf"
    // and "inplbmsg" (kInfoEntry) and the grid "tbOpc" (kFormEntry).
    void FrmPrpAsp(VbForm* form);

    // The temporary swap of VisSit ("IE" until "TE") is in force.
    bool swapped() const;
    // Registered controls and markers.
    int controlCount() const;
    int markerCount() const;

private:
    // form, or the main form when it is null.
    VbForm* formOrMain(VbForm* form) const;

    struct State;
    std::unique_ptr<State> s_;
};

} // namespace zv
