#pragma once
// The command button: a caption ("&" marks the access key), a click handler, and Value, which
// clicks the button when set to True. It never becomes a default button: Enter does not click
// it unless it has the focus.

#include "VbControl.h"

class QPushButton;

namespace zv {

class VbCommandButton : public VbControl {
public:
    explicit VbCommandButton(QWidget* parent);

    QPushButton* button() const;
    QString caption() const;
    void setCaption(const QString& caption);
    // Clicks the button from code: the click handler runs, also while the engine is busy.
    void click();

protected:
    void copyFrom(const VbControl& design) override;

private:
    bool codeClick_ = false;
};

} // namespace zv
