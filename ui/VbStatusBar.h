#pragma once
// The status bar: a strip (normally along the bottom of its form) that shows either one simple
// text across its width (Style 1) or a row of panels (Style 0), each a sunken box with a text of
// its own. Panels are numbered from 1 and have a width in twips; the last panel takes the width
// the others leave.
//
// Scripts see SimpleText, Style and Panels: a collection with Count and Item(i) (the default
// member), whose items have Text and Width.
//
// Errors: a panel number outside 1..count raises 9; a Style other than 0 or 1 and a width below
// 0 raise 380; every member of a bar whose widget is gone raises 364.

#include "VbControl.h"

namespace zv {

class VbStatusBar : public VbControl {
public:
    static constexpr int kPanels = 0;
    static constexpr int kSimple = 1;

    // A bar without panels, in panel style.
    explicit VbStatusBar(QWidget* parent);

    int style() const;
    void setStyle(int style);
    QString simpleText() const;
    void setSimpleText(const QString& text);

    int panelCount() const;
    // Adds a panel after the last one.
    void addPanel(const QString& text = {}, double widthTwips = 1440);
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);
    double panelWidth(int panel) const;
    void setPanelWidth(int panel, double twips);

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
};

} // namespace zv
