#include "VbGrid.h"

namespace zv {

const MemberTable& VbGrid::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("VSFlexGrid"),
                     kPosition | kEnabled | kFont | kBackColor | kHwnd, [](MemberTable&) {});
    return table;
}

VbGrid::VbGrid(QWidget* parent) : VbControl(memberTable(), new GridWidget(parent)) {}

qint32 VbGrid::backColor() const {
    return live<GridWidget>()->backColor();
}

void VbGrid::setBackColor(qint32 color) {
    live<GridWidget>()->setBackColor(color);
}

} // namespace zv
