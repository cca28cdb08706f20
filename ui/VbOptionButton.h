#pragma once
// The option button: one of a group in the same container of which one at a time is chosen.
// Value True chooses it (the others of the group lose the choice); Value False leaves the group
// with no choice, as the language allows. Alignment 0 puts the button left of the caption, 1 on
// its right. A new array element takes the caption but not the choice, which it would take
// from the design element.

#include "VbButtonControl.h"

class QRadioButton;

namespace zv {

class VbOptionButton : public VbButtonControl {
public:
    explicit VbOptionButton(QWidget* parent);

    using VbButtonControl::alignment;
    using VbButtonControl::setAlignment;

    QRadioButton* radioButton() const;
    bool value() const;
    void setValue(bool on);

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
