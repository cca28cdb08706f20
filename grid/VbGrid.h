#pragma once
// VbGrid: the grid as a control of the system's forms. The control adapter gives it what every
// control has (Name, Left, Top, Width, Height in twips in its container, Visible, Enabled, the
// font members, hWnd, Refresh, Parent); the grid's own members are the GridWidget's, reached
// through grid(). BackColor is the grid's BackColor.

#include "GridWidget.h"
#include "VbControl.h"

namespace zv {

class VbGrid : public VbControl {
public:
    explicit VbGrid(QWidget* parent);

    // The grid; nullptr once the control was unloaded.
    GridWidget* grid() const { return static_cast<GridWidget*>(widget()); }

    qint32 backColor() const override;
    void setBackColor(qint32 color) override;

private:
    // The extender's members, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
