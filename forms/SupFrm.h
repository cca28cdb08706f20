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

#include "ScreenInfo.h"
#include "Variant.h"

#include <QString>
#include <memory>
#include <optional>

namespace zv {

class VbControl;
class VbForm;
class VbLine;
class VbObjectRef;

class SupFrm {
public:
    // A new instance: no forms, no controls, no markers, no limits. The border corrections are
    // 120 (height) and 135 (width) on a system whose generation is "WVI", else 0.
    SupFrm();
    ~SupFrm();
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

    // The temporary swap of VisSit ("IE" until "TE") is in force.
    bool swapped() const;
    // Registered controls and markers.
    int controlCount() const;
    int markerCount() const;

private:
    struct State;
    std::unique_ptr<State> s_;
};

} // namespace zv
