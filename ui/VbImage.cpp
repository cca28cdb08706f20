#include "VbImage.h"

#include <QPainter>

namespace zv {

namespace {

class ImageWidget : public PictureControlWidget {
public:
    explicit ImageWidget(QWidget* parent) : PictureControlWidget(parent, 0) {}

    bool stretch = false;

    int border() const override { return borderStyle == 1 ? 1 : 0; }
    bool fitsPicture() const override { return !stretch; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int b = border();
        const QRect inside = rect().adjusted(b, b, -b, -b);
        if (!picture.isNull()) {
            if (stretch)
                p.drawPixmap(inside, picture);
            else
                p.drawPixmap(inside.topLeft(), picture);
        }
        if (b) {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
};

ImageWidget* imageWidget(QWidget* w) {
    return static_cast<ImageWidget*>(w);
}

} // namespace

const MemberTable& VbImage::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("Image"), kPosition | kEnabled, [](MemberTable& t) {
            addPictureMember(t);
            Members<VbImage>(t).property<bool>(QStringLiteral("Stretch"), &VbImage::stretch,
                                               &VbImage::setStretch);
            addBorderStyleMember(t);
        });
    return table;
}

VbImage::VbImage(QWidget* parent) : VbPictureControl(memberTable(), new ImageWidget(parent)) {}

bool VbImage::stretch() const {
    return imageWidget(liveWidget())->stretch;
}

void VbImage::setStretch(bool on) {
    ImageWidget* w = imageWidget(liveWidget());
    w->stretch = on;
    fit();
    w->update();
}

void VbImage::copyFrom(const VbControl& design) {
    VbPictureControl::copyFrom(design);
    if (dynamic_cast<const VbImage*>(&design))
        imageWidget(liveWidget())->stretch = imageWidget(design.widget())->stretch;
}

} // namespace zv
