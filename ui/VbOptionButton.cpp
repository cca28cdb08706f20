#include "VbOptionButton.h"

#include <QRadioButton>

namespace zv {

VbOptionButton::VbOptionButton(QWidget* parent)
    : VbButtonControl(QStringLiteral("OptionButton"), new QRadioButton(parent)) {
    useMarkLook();

    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
    addForeColorMember();
    addHwndMember();
    addCaptionMember();
    addBooleanProperty(
        QStringLiteral("Value"), [this] { return value(); }, [this](bool on) { setValue(on); });
    setDefaultMember(QStringLiteral("Value"));
    addAlignmentMember();
}

QRadioButton* VbOptionButton::radioButton() const {
    return static_cast<QRadioButton*>(widget());
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

} // namespace zv
