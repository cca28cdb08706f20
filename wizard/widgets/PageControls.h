#pragma once
// The page controls' side of the wizard window: the design elements 0 of its four control
// arrays, which the engine loads one element per page control, and the file loader of its
// rich-text panels.

namespace zv {

class VbForm;

// Adds to form, hidden, element 0 of "laVyn" (labels), "ckVyn" (3D check boxes), "rtfVyn"
// (rich-text boxes, read-only) and "ZelOpc" (option lists), and makes the rich-text reader
// the loader of every rich-text box.
void addPageControlArrays(VbForm& form);

} // namespace zv
