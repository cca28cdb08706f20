#pragma once
// The 3D frame and panel: a container for other controls with beveled edges and a caption.
//
// - Frame look: an etched border with the caption set into its top edge, aligned left (0),
//   right (1) or centred (2).
// - Panel look: an outer bevel, a border of BorderWidth pixels, an inner bevel (BevelOuter and
//   BevelInner: 0 none, 1 inset, 2 raised; BevelWidth pixels each) and the caption placed by
//   Alignment: 0-2 left (top, middle, bottom), 3-5 right, 6-8 centre (7, centred, is the
//   default). Font3D draws the caption raised (1 light, 2 heavy) or inset (3, 4).
//
// Both can show a background picture (PictureBackground, named by its file) drawn by
// PictureBackgroundStyle: 0 centred, 1 tiled, 2 stretched over the inside.

#include "VbControl.h"

#include <QPixmap>

namespace zv {

class VbFrame3D : public VbControl {
public:
    enum class Look { Frame, Panel };

    VbFrame3D(QWidget* parent, Look look = Look::Frame);

    Look look() const { return look_; }
    QString caption() const;
    void setCaption(const QString& caption);
    int alignment() const;
    void setAlignment(int alignment); // frame 0..2, panel 0..8; else 380
    int bevelInner() const;
    int bevelOuter() const;
    int bevelWidth() const;
    int borderWidth() const;
    int font3D() const;
    void setBevelInner(int kind);                   // 0..2
    void setBevelOuter(int kind);                   // 0..2
    void setBevelWidth(int pixels);                 // 0..30
    void setBorderWidth(int pixels);                // 0..30
    void setFont3D(int style);                      // 0..4
    bool setPictureBackground(const QString& path); // false: no picture, the old one stays
    void setPictureBackground(const QPixmap& picture, const QString& path = {});
    void clearPictureBackground();
    QString pictureBackgroundPath() const;
    int pictureBackgroundStyle() const;
    void setPictureBackgroundStyle(int style); // 0..2

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable(bool panel);
    Look look_;
};

} // namespace zv
