#pragma once
// The command button: a caption ("&" marks the access key), a click handler, and Value, which
// clicks the button when set to True. It never becomes a default button: Enter does not click
// it unless it has the focus.

#include "VbButtonControl.h"

class QPushButton;

namespace zv {

class VbCommandButton : public VbButtonControl {
public:
    explicit VbCommandButton(QWidget* parent);

    QPushButton* button() const;
    // Clicks the button from code: the click handler runs, also while the engine is busy.
    void click();

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
