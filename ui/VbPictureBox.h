#pragma once
// The picture box: a container that shows a picture unscaled at its top left, over its
// BackColor, inside a sunken 3D border (BorderStyle 1, the default) or none (0). With AutoSize
// it takes the size of its picture (plus the border). Pictures are named by their file.

#include "VbPictureControl.h"

namespace zv {

class VbPictureBox : public VbPictureControl {
public:
    explicit VbPictureBox(QWidget* parent);

    bool autoSize() const;
    void setAutoSize(bool on);

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
