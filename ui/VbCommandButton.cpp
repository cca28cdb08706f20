#include "VbCommandButton.h"

#include "Convert.h"

#include <QPushButton>

namespace zv {

VbCommandButton::VbCommandButton(QWidget* parent)
    : VbButtonControl(QStringLiteral("CommandButton"), new QPushButton(parent)) {
    auto* b = static_cast<QPushButton*>(widget());
    b->setAutoDefault(false);
    b->setDefault(false);
    setColorRoles(QPalette::Button, {QPalette::ButtonText});

    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
    addHwndMember();
    addCaptionMember();
    addProperty(
        QStringLiteral("Value"),
        [this](Args a) {
            noArgs(a);
            liveWidget();
            return Variant(false);
        },
        [this](Args a) {
            if (CBool(putValue(a))) click();
        });
    setDefaultMember(QStringLiteral("Value"));
}

QPushButton* VbCommandButton::button() const {
    return static_cast<QPushButton*>(widget());
}
void VbCommandButton::click() {
    clickFromCode();
}

} // namespace zv
