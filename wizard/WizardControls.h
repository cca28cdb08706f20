#pragma once
// The wizard window as the engine builds the pages' controls on it, besides what WizardWindow
// offers: the window's own properties and its control arrays, both reached late bound, as
// every control is. The program's window ZelVynAsp offers both; a window that does not (a
// test's stand-in) can still run a definition without page controls.
//
// The window holds, from its design, element 0 of four control arrays: "laVyn" (labels),
// "ckVyn" (3D check boxes), "rtfVyn" (rich-text boxes) and "ZelOpc" (option lists).

#include "Dispatch.h"

#include <QString>

namespace zv {

class WizardControls {
public:
    virtual ~WizardControls() = default;

    // The window's properties: Caption, Width, Height, ScaleWidth, ScaleHeight (twips), ...
    virtual DispatchPtr windowObject() = 0;
    // Loads element index of the control array (a hidden copy of its element 0) and returns
    // it. Raises 343 for a name that is no array of the window, 360 for an element that is
    // loaded already.
    virtual DispatchPtr loadControl(const QString& array, int index) = 0;
};

} // namespace zv
