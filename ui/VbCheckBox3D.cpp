#include "VbCheckBox3D.h"

#include <QCheckBox>

namespace zv {

const MemberTable& VbCheckBox3D::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("SSCheck"), kEveryGroup, [](MemberTable& t) {
            addCaptionMember(t);
            Members<VbCheckBox3D>(t)
                .property<int16_t>(QStringLiteral("Value"), &VbCheckBox3D::value,
                                   &VbCheckBox3D::setValue)
                .defaultMember(QStringLiteral("Value"));
            addAlignmentMember(t);
            Members<VbCheckBox3D>(t).property<int16_t>(
                QStringLiteral("BackStyle"), &VbCheckBox3D::backStyle, &VbCheckBox3D::setBackStyle);
        });
    return table;
}

VbCheckBox3D::VbCheckBox3D(QWidget* parent)
    : VbButtonControl(memberTable(), new QCheckBox(parent)) {
    useMarkLook();
}

QCheckBox* VbCheckBox3D::checkBox() const {
    return static_cast<QCheckBox*>(widget());
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
    VbButtonControl::copyFrom(design);
    const auto* d = dynamic_cast<const VbCheckBox3D*>(&design);
    if (!d) return;
    checkBox()->setTristate(d->checkBox()->isTristate());
    setValue(d->value());
}

} // namespace zv
