#pragma once
// The base of the controls made of a Qt button: the command button, the option button and the 3D
// check box. The caption is the button's text ("&" marks the access key), a click of the button
// is the control's Click, and a new array element takes the design element's caption.

#include "VbControl.h"

class QAbstractButton;

namespace zv {

class VbButtonControl : public VbControl {
public:
    QString caption() const;
    void setCaption(const QString& caption);

protected:
    VbButtonControl(const MemberTable& members, QAbstractButton* button);

    static void addCaptionMember(MemberTable& t);
    // Clicks the button from code: the click handler runs, also while the engine is busy.
    void clickFromCode();

    // For the kinds with a mark beside the caption (the option button and the check box):
    // - the 3D look, the BackColor filling the whole control and the ForeColor the caption;
    void useMarkLook();
    // - Alignment 0 puts the mark on the left of the caption, 1 on its right.
    int alignment() const;
    void setAlignment(int alignment); // 0, 1; else 380
    static void addAlignmentMember(MemberTable& t);

    void copyFrom(const VbControl& design) override;

private:
    bool codeClick_ = false;
};

} // namespace zv
