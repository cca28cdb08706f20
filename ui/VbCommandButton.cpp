#include "VbCommandButton.h"

#include "Convert.h"

#include <QPushButton>

namespace zv {

const MemberTable& VbCommandButton::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("CommandButton"),
                     kPosition | kEnabled | kFont | kBackColor | kHwnd, [](MemberTable& t) {
                         addCaptionMember(t);
                         // Value reads False; True clicks the button.
                         Members<VbCommandButton>(t)
                             .property<bool>(
                                 QStringLiteral("Value"),
                                 [](VbCommandButton& b) {
                                     b.liveWidget();
                                     return false;
                                 },
                                 [](VbCommandButton& b, bool on) {
                                     if (on) b.click();
                                 })
                             .defaultMember(QStringLiteral("Value"));
                     });
    return table;
}

VbCommandButton::VbCommandButton(QWidget* parent)
    : VbButtonControl(memberTable(), new QPushButton(parent)) {
    auto* b = static_cast<QPushButton*>(widget());
    b->setAutoDefault(false);
    b->setDefault(false);
    setColorRoles(QPalette::Button, {QPalette::ButtonText});
}

QPushButton* VbCommandButton::button() const {
    return static_cast<QPushButton*>(widget());
}
void VbCommandButton::click() {
    clickFromCode();
}

} // namespace zv
