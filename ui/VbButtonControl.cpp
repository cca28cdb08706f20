#include "VbButtonControl.h"

#include "Bevel3D.h"

#include <QAbstractButton>

namespace zv {

VbButtonControl::VbButtonControl(const MemberTable& members, QAbstractButton* button)
    : VbControl(members, button) {
    QObject::connect(button, &QAbstractButton::clicked, [this] { fireClick(codeClick_); });
}

QString VbButtonControl::caption() const {
    return live<QAbstractButton>()->text();
}
void VbButtonControl::setCaption(const QString& caption) {
    live<QAbstractButton>()->setText(caption);
}

void VbButtonControl::addCaptionMember(MemberTable& t) {
    Members<VbButtonControl>(t).property<QString>(
        QStringLiteral("Caption"), &VbButtonControl::caption, &VbButtonControl::setCaption);
}

void VbButtonControl::clickFromCode() {
    QAbstractButton* b = live<QAbstractButton>();
    codeClick_ = true;
    b->click();
    codeClick_ = false;
}

void VbButtonControl::useMarkLook() {
    QWidget* w = liveWidget();
    w->setStyle(bevel3DStyle());
    w->setAutoFillBackground(true);
    // Buttons fill with the Button role; the BackColor is the Window role, as for every control.
    w->setBackgroundRole(QPalette::Window);
    setColorRoles(QPalette::Window, {QPalette::WindowText, QPalette::ButtonText});
}

int VbButtonControl::alignment() const {
    return liveWidget()->layoutDirection() == Qt::RightToLeft ? 1 : 0;
}

void VbButtonControl::setAlignment(int alignment) {
    QWidget* w = liveWidget();
    if (alignment != 0 && alignment != 1) throw VbError(err::InvalidPropertyValue);
    w->setLayoutDirection(alignment == 1 ? Qt::RightToLeft : Qt::LeftToRight);
}

void VbButtonControl::addAlignmentMember(MemberTable& t) {
    Members<VbButtonControl>(t).property<int16_t>(
        QStringLiteral("Alignment"), &VbButtonControl::alignment, &VbButtonControl::setAlignment);
}

void VbButtonControl::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (const auto* d = dynamic_cast<const VbButtonControl*>(&design)) setCaption(d->caption());
}

} // namespace zv
