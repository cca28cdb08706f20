#pragma once
// The line: a line from (X1, Y1) to (X2, Y2) in twips on its container, kept exactly as given
// (no rounding to pixels), in BorderColor, BorderWidth pixels wide, BorderStyle 0 transparent,
// 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid. It has no Left, Top,
// Width, Height, Enabled or hWnd (438), as the language's line has none.

#include "VbControl.h"

namespace zv {

class VbLine : public VbControl {
public:
    explicit VbLine(QWidget* parent);

    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setX1(double twips);
    void setY1(double twips);
    void setX2(double twips);
    void setY2(double twips);
    void setPoints(double x1, double y1, double x2, double y2);
    qint32 borderColor() const;
    void setBorderColor(qint32 color); // -1 keeps it; no colour raises 380
    int borderWidth() const;
    void setBorderWidth(int pixels); // 1..8192
    int borderStyle() const;
    void setBorderStyle(int style); // 0..6

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
    void place();
    // Sets one end's coordinate (380 when it is not a finite number) and redraws the line.
    void setCoordinate(double VbLine::*field, double twips);

    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

} // namespace zv
