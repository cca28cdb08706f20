#pragma once
// A widget that keeps a picture that rectangle copies can draw into (a form, a picture box): the
// copied pixels become part of its picture and stay when it repaints.

#include <QPixmap>
#include <QPoint>

namespace zv {

class DrawSurface {
public:
    virtual ~DrawSurface() = default;
    // Draws pixels with their top left at `at` (pixels, in the widget's client area).
    virtual void drawInto(const QPixmap& pixels, const QPoint& at) = 0;
};

} // namespace zv
