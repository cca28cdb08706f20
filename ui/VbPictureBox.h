#pragma once
// The picture box: a container that shows a picture unscaled at its top left, over its
// BackColor, inside a sunken 3D border (BorderStyle 1, the default) or none (0). With AutoSize
// it takes the size of its picture (plus the border). Pictures are named by their file.

#include "VbControl.h"

#include <QPixmap>

namespace zv {

class VbPictureBox : public VbControl {
public:
    explicit VbPictureBox(QWidget* parent);

    bool setPicture(const QString& path); // false: no picture, the old one stays
    void setPicture(const QPixmap& picture, const QString& path = {});
    void clearPicture();
    QPixmap picture() const;
    QString picturePath() const;
    bool autoSize() const;
    void setAutoSize(bool on);
    int borderStyle() const;
    void setBorderStyle(int style); // 0, 1; else 380

protected:
    void contentChanged() override;
    void copyFrom(const VbControl& design) override;

private:
    void fit();
};

} // namespace zv
