#include "VbPictureControl.h"

#include "VbPicture.h"

#include <QMouseEvent>

namespace zv {

void PictureControlWidget::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && clicked)
        clicked();
}

VbPictureControl::VbPictureControl(const MemberTable& members, PictureControlWidget* widget)
    : VbControl(members, widget) {
    widget->clicked = [this] { fireClick(); };
}

PictureControlWidget* VbPictureControl::pictureWidget() const {
    return live<PictureControlWidget>();
}

void VbPictureControl::addPictureMember(MemberTable& t) {
    addPictureFileProperty<VbPictureControl>(
        t, QStringLiteral("Picture"), &VbPictureControl::picturePath, &VbPictureControl::setPicture,
        &VbPictureControl::clearPicture);
    t.setDefault(QStringLiteral("Picture"));
}

void VbPictureControl::addBorderStyleMember(MemberTable& t) {
    Members<VbPictureControl>(t).property<int16_t>(QStringLiteral("BorderStyle"),
                                                   &VbPictureControl::borderStyle,
                                                   &VbPictureControl::setBorderStyle);
}

bool VbPictureControl::setPicture(const QString& path) {
    liveWidget();
    return showPictureFile(path, [this](const QPixmap& p, const QString& f) { setPicture(p, f); });
}

void VbPictureControl::setPicture(const QPixmap& picture, const QString& path) {
    PictureControlWidget* w = pictureWidget();
    w->picture = picture;
    w->path = path;
    fit();
    w->update();
}

void VbPictureControl::clearPicture() {
    setPicture(QPixmap());
}
QPixmap VbPictureControl::picture() const {
    return pictureWidget()->picture;
}
QString VbPictureControl::picturePath() const {
    return pictureWidget()->path;
}
int VbPictureControl::borderStyle() const {
    return pictureWidget()->borderStyle;
}

void VbPictureControl::setBorderStyle(int style) {
    if (style != 0 && style != 1) throw VbError(err::InvalidPropertyValue);
    PictureControlWidget* w = pictureWidget();
    w->borderStyle = style;
    fit();
    w->update();
}

void VbPictureControl::contentChanged() {
    fit();
}

void VbPictureControl::fit() {
    PictureControlWidget* w = pictureWidget();
    if (!w->fitsPicture() || w->picture.isNull()) return;
    const int b = w->border();
    const QSize size = w->picture.deviceIndependentSize().toSize();
    w->resize(size.width() + 2 * b, size.height() + 2 * b);
}

void VbPictureControl::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (!dynamic_cast<const VbPictureControl*>(&design)) return;
    const auto* d = static_cast<const PictureControlWidget*>(design.widget());
    PictureControlWidget* w = pictureWidget();
    w->picture = d->picture;
    w->path = d->path;
    w->borderStyle = d->borderStyle;
}

} // namespace zv
