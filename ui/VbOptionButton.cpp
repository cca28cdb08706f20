#include "VbOptionButton.h"

#include <QRadioButton>

namespace zv {

const MemberTable& VbOptionButton::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("OptionButton"), kEveryGroup, [](MemberTable& t) {
            addCaptionMember(t);
            Members<VbOptionButton>(t)
                .property<bool>(QStringLiteral("Value"), &VbOptionButton::value,
                                &VbOptionButton::setValue)
                .defaultMember(QStringLiteral("Value"));
            addAlignmentMember(t);
        });
    return table;
}

VbOptionButton::VbOptionButton(QWidget* parent)
    : VbButtonControl(memberTable(), new QRadioButton(parent)) {
    useMarkLook();
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
