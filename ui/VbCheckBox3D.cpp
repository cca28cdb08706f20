#include "VbCheckBox3D.h"

#include "Bevel3D.h"
#include "Convert.h"

#include <QCheckBox>

namespace zv {

VbCheckBox3D::VbCheckBox3D(QWidget* parent)
    : VbControl(QStringLiteral("SSCheck"), new QCheckBox(parent)) {
    auto* c = static_cast<QCheckBox*>(widget());
    c->setStyle(bevel3DStyle());
    c->setAutoFillBackground(true);
    // Buttons fill with the Button role; the BackColor is the Window role, as for every control.
    c->setBackgroundRole(QPalette::Window);
    QObject::connect(c, &QCheckBox::clicked, [this] { fireClick(); });
    setColorRoles(QPalette::Window, {QPalette::WindowText, QPalette::ButtonText});

    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
    addForeColorMember();
    addHwndMember();
    addProperty(
        QStringLiteral("Caption"),
        [this](Args a) {
            noArgs(a);
            return Variant(caption());
        },
        [this](Args a) { setCaption(CStr(putValue(a))); });
    addProperty(
        QStringLiteral("Value"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(value()));
        },
        [this](Args a) { setValue(CInt(putValue(a))); });
    setDefaultMember(QStringLiteral("Value"));
    addProperty(
        QStringLiteral("Alignment"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(alignment()));
        },
        [this](Args a) { setAlignment(CInt(putValue(a))); });
    addProperty(
        QStringLiteral("BackStyle"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(backStyle()));
        },
        [this](Args a) { setBackStyle(CInt(putValue(a))); });
}

QCheckBox* VbCheckBox3D::checkBox() const {
    return static_cast<QCheckBox*>(widget());
}
QString VbCheckBox3D::caption() const {
    return live<QCheckBox>()->text();
}
void VbCheckBox3D::setCaption(const QString& caption) {
    live<QCheckBox>()->setText(caption);
}

int VbCheckBox3D::value() const {
    switch (live<QCheckBox>()->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void VbCheckBox3D::setValue(int value) {
    QCheckBox* c = live<QCheckBox>();
    if (value < 0 || value > 2) throw VbError(err::InvalidPropertyValue);
    if (value == 2) c->setTristate(true);
    c->setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

int VbCheckBox3D::alignment() const {
    return live<QCheckBox>()->layoutDirection() == Qt::RightToLeft ? 1 : 0;
}

void VbCheckBox3D::setAlignment(int alignment) {
    QCheckBox* c = live<QCheckBox>();
    if (alignment != 0 && alignment != 1) throw VbError(err::InvalidPropertyValue);
    c->setLayoutDirection(alignment == 1 ? Qt::RightToLeft : Qt::LeftToRight);
}

int VbCheckBox3D::backStyle() const {
    return live<QCheckBox>()->autoFillBackground() ? 1 : 0;
}

void VbCheckBox3D::setBackStyle(int style) {
    QCheckBox* c = live<QCheckBox>();
    if (style != 0 && style != 1) throw VbError(err::InvalidPropertyValue);
    c->setAutoFillBackground(style == 1);
}

void VbCheckBox3D::applyBackColor(const QColor& color) {
    QCheckBox* c = live<QCheckBox>();
    QPalette p = c->palette();
    p.setColor(QPalette::Window, color);
    c->setPalette(p);
}

void VbCheckBox3D::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    const auto* d = dynamic_cast<const VbCheckBox3D*>(&design);
    if (!d) return;
    setCaption(d->caption());
    checkBox()->setTristate(d->checkBox()->isTristate());
    setValue(d->value());
}

} // namespace zv
