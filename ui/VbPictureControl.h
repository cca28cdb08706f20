#pragma once
// The base of the controls that show a picture named by its file: the picture box and the image.
// The widget keeps the picture, its file and BorderStyle (0 none, 1 the kind's border); the kind
// paints them and says how wide its border is and when the control takes its picture's size
// (the picture plus the border on each side). A left click released inside is the control's
// Click.

#include "VbControl.h"

#include <QPixmap>

namespace zv {

class PictureControlWidget : public QWidget {
public:
    PictureControlWidget(QWidget* parent, int borderStyle)
        : QWidget(parent), borderStyle(borderStyle) {}

    QPixmap picture;
    QString path;
    int borderStyle;
    std::function<void()> clicked;

    // Pixels the border takes on each side.
    virtual int border() const = 0;
    // True when the control sizes itself to the picture.
    virtual bool fitsPicture() const = 0;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class VbPictureControl : public VbControl {
public:
    bool setPicture(const QString& path); // false: no picture, the old one stays
    void setPicture(const QPixmap& picture, const QString& path = {});
    void clearPicture();
    QPixmap picture() const;
    QString picturePath() const;
    int borderStyle() const;
    void setBorderStyle(int style); // 0, 1; else 380

protected:
    VbPictureControl(const MemberTable& members, PictureControlWidget* widget);

    // The widget, or the error 364 when it is gone.
    PictureControlWidget* pictureWidget() const;
    static void addPictureMember(MemberTable& t); // Picture, the default member
    static void addBorderStyleMember(MemberTable& t);
    // Takes the picture's size when the kind asks for it.
    void fit();

    void contentChanged() override;
    void copyFrom(const VbControl& design) override;
};

} // namespace zv
