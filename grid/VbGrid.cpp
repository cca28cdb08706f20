#include "VbGrid.h"

namespace zv {

VbGrid::VbGrid(QWidget* parent) : VbControl(QStringLiteral("VSFlexGrid"), new GridWidget(parent)) {
    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
    addHwndMember();
}

qint32 VbGrid::backColor() const {
    return live<GridWidget>()->backColor();
}

void VbGrid::setBackColor(qint32 color) {
    live<GridWidget>()->setBackColor(color);
}

} // namespace zv
