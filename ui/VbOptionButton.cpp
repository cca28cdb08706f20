#include "VbOptionButton.h"

#include "Bevel3D.h"
#include "Convert.h"

#include <QRadioButton>

namespace zv {

VbOptionButton::VbOptionButton(QWidget* parent)
    : VbControl(QStringLiteral("OptionButton"), new QRadioButton(parent)) {
    auto* r = static_cast<QRadioButton*>(widget());
    r->setStyle(bevel3DStyle());
    r->setAutoFillBackground(true);
    // Buttons fill with the Button role; the BackColor is the Window role, as for every control.
    r->setBackgroundRole(QPalette::Window);
    QObject::connect(r, &QRadioButton::clicked, [this] { fireClick(); });
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
            return Variant(value());
        },
        [this](Args a) { setValue(CBool(putValue(a))); });
    setDefaultMember(QStringLiteral("Value"));
    addProperty(
        QStringLiteral("Alignment"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(alignment()));
        },
        [this](Args a) { setAlignment(CInt(putValue(a))); });
}

QRadioButton* VbOptionButton::radioButton() const {
    return static_cast<QRadioButton*>(widget());
}
QString VbOptionButton::caption() const {
    return live<QRadioButton>()->text();
}
void VbOptionButton::setCaption(const QString& caption) {
    live<QRadioButton>()->setText(caption);
}
bool VbOptionButton::value() const {
    return live<QRadioButton>()->isChecked();
}

void VbOptionButton::setValue(bool on) {
    QRadioButton* r = live<QRadioButton>();
    if (on) {
        r->setChecked(true);
        return;
    }
    // Qt keeps the chosen button of a group chosen; the language may clear it.
    r->setAutoExclusive(false);
    r->setChecked(false);
    r->setAutoExclusive(true);
}

int VbOptionButton::alignment() const {
    return live<QRadioButton>()->layoutDirection() == Qt::RightToLeft ? 1 : 0;
}

void VbOptionButton::setAlignment(int alignment) {
    QRadioButton* r = live<QRadioButton>();
    if (alignment != 0 && alignment != 1) throw VbError(err::InvalidPropertyValue);
    r->setLayoutDirection(alignment == 1 ? Qt::RightToLeft : Qt::LeftToRight);
}

void VbOptionButton::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (const auto* d = dynamic_cast<const VbOptionButton*>(&design)) setCaption(d->caption());
    // A new element is not chosen: it would take the choice from the design element.
}

} // namespace zv
