#include "VbPictureBox.h"

#include "Bevel3D.h"
#include "DrawSurface.h"

#include <QPainter>

namespace zv {

namespace {

class PictureBoxWidget : public PictureControlWidget, public DrawSurface {
public:
    explicit PictureBoxWidget(QWidget* parent) : PictureControlWidget(parent, 1) {
        setAutoFillBackground(true);
    }

    bool autoSize = false;

    int border() const override { return borderStyle == 1 ? 2 : 0; }
    bool fitsPicture() const override { return autoSize; }

    void drawInto(const QPixmap& pixels, const QPoint& at) override {
        if (picture.isNull()) {
            const QRect inside = rect().adjusted(border(), border(), -border(), -border());
            picture = QPixmap(inside.size().expandedTo(QSize(1, 1)));
            picture.fill(palette().color(QPalette::Window));
        }
        QPainter p(&picture);
        p.drawPixmap(at, pixels);
        p.end();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QRect inside = rect();
        if (borderStyle == 1) {
            inside = drawBevel(p, inside, BevelKind::Inset, 1, palette());
            QPalette deep = palette();
            deep.setColor(QPalette::Dark, palette().color(QPalette::Shadow));
            deep.setColor(QPalette::Light, palette().color(QPalette::Midlight));
            inside = drawBevel(p, inside, BevelKind::Inset, 1, deep);
        }
        if (!picture.isNull()) {
            p.setClipRect(inside);
            p.drawPixmap(inside.topLeft(), picture);
        }
    }
};

PictureBoxWidget* pictureBoxWidget(QWidget* w) {
    return static_cast<PictureBoxWidget*>(w);
}

} // namespace

const MemberTable& VbPictureBox::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("PictureBox"), kEveryGroup, [](MemberTable& t) {
            // The drawing surface is named by the same number as the window.
            Members<VbPictureBox>(t).property<int32_t>(
                QStringLiteral("hDC"), [](VbPictureBox& p) { return int32_t(p.hwnd()); });
            addPictureMember(t);
            Members<VbPictureBox>(t).property<bool>(
                QStringLiteral("AutoSize"), &VbPictureBox::autoSize, &VbPictureBox::setAutoSize);
            addBorderStyleMember(t);
        });
    return table;
}

VbPictureBox::VbPictureBox(QWidget* parent)
    : VbPictureControl(memberTable(), new PictureBoxWidget(parent)) {}

bool VbPictureBox::autoSize() const {
    return pictureBoxWidget(liveWidget())->autoSize;
}

void VbPictureBox::setAutoSize(bool on) {
    pictureBoxWidget(liveWidget())->autoSize = on;
    fit();
}

void VbPictureBox::copyFrom(const VbControl& design) {
    VbPictureControl::copyFrom(design);
    if (dynamic_cast<const VbPictureBox*>(&design))
        pictureBoxWidget(liveWidget())->autoSize = pictureBoxWidget(design.widget())->autoSize;
}

} // namespace zv
