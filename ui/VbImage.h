#pragma once
// The image: a picture without a background of its own (what lies under it shows around the
// picture). With Stretch off it takes the size of its picture; with Stretch on the picture is
// scaled to the control's size. BorderStyle 1 draws a single line around it.

#include "VbControl.h"

#include <QPixmap>

namespace zv {

class VbImage : public VbControl {
public:
    explicit VbImage(QWidget* parent);

    bool setPicture(const QString& path); // false: no picture, the old one stays
    void setPicture(const QPixmap& picture, const QString& path = {});
    void clearPicture();
    QPixmap picture() const;
    QString picturePath() const;
    bool stretch() const;
    void setStretch(bool on);
    int borderStyle() const;
    void setBorderStyle(int style); // 0, 1; else 380

protected:
    void contentChanged() override;
    void copyFrom(const VbControl& design) override;

private:
    void fit();
};

} // namespace zv
