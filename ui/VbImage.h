#pragma once
// The image: a picture without a background of its own (what lies under it shows around the
// picture). With Stretch off it takes the size of its picture; with Stretch on the picture is
// scaled to the control's size. BorderStyle 1 draws a single line around it.

#include "VbPictureControl.h"

namespace zv {

class VbImage : public VbPictureControl {
public:
    explicit VbImage(QWidget* parent);

    bool stretch() const;
    void setStretch(bool on);

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
