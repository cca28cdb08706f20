#pragma once
// The 3D check box: a caption beside a sunken 3D box. Value 0 unchecked, 1 checked, 2 greyed
// (the third state exists once it was set). Alignment 0 puts the box on the left of the caption,
// 1 on its right. BackStyle 0 makes it transparent.

#include "VbButtonControl.h"

class QCheckBox;

namespace zv {

class VbCheckBox3D : public VbButtonControl {
public:
    explicit VbCheckBox3D(QWidget* parent);

    using VbButtonControl::alignment;
    using VbButtonControl::setAlignment;

    QCheckBox* checkBox() const;
    int value() const;
    void setValue(int value); // 0, 1, 2; else 380
    int backStyle() const;
    void setBackStyle(int style); // 0, 1; else 380

protected:
    void applyBackColor(const QColor& color) override;
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
