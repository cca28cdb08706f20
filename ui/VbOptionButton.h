#pragma once
// The option button: one of a group in the same container of which one at a time is chosen.
// Value True chooses it (the others of the group lose the choice); Value False leaves the group
// with no choice, as the language allows. Alignment 0 puts the button left of the caption, 1 on
// its right.

#include "VbControl.h"

class QRadioButton;

namespace zv {

class VbOptionButton : public VbControl {
public:
    explicit VbOptionButton(QWidget* parent);

    QRadioButton* radioButton() const;
    QString caption() const;
    void setCaption(const QString& caption);
    bool value() const;
    void setValue(bool on);
    int alignment() const;
    void setAlignment(int alignment); // 0, 1; else 380

protected:
    void copyFrom(const VbControl& design) override;
};

} // namespace zv
