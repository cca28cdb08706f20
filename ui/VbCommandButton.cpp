#include "VbCommandButton.h"

#include "Convert.h"

#include <QPushButton>

namespace zv {

VbCommandButton::VbCommandButton(QWidget* parent)
    : VbControl(QStringLiteral("CommandButton"), new QPushButton(parent)) {
    auto* b = static_cast<QPushButton*>(widget());
    b->setAutoDefault(false);
    b->setDefault(false);
    QObject::connect(b, &QPushButton::clicked, [this] { fireClick(codeClick_); });
    setColorRoles(QPalette::Button, {QPalette::ButtonText});

    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
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
QString VbCommandButton::caption() const {
    return live<QPushButton>()->text();
}
void VbCommandButton::setCaption(const QString& caption) {
    live<QPushButton>()->setText(caption);
}
void VbCommandButton::click() {
    QPushButton* b = live<QPushButton>();
    codeClick_ = true;
    b->click();
    codeClick_ = false;
}

void VbCommandButton::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (const auto* d = dynamic_cast<const VbCommandButton*>(&design)) setCaption(d->caption());
}

} // namespace zv
