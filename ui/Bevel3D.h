#pragma once
// The 3D look of the system's check boxes, option buttons, frames and panels: light and shadow
// edges ("bevels") around sunken or raised surfaces, as the classic 3D controls drew them.

#include <QPalette>
#include <QRect>

class QPainter;
class QStyle;

namespace zv {

enum class BevelKind { None = 0, Inset = 1, Raised = 2 };

// Draws a bevel of the given width just inside rect; returns the rectangle inside it.
QRect drawBevel(QPainter& painter, const QRect& rect, BevelKind kind, int width,
                const QPalette& palette);

// The style that draws check-box and option-button indicators as sunken 3D wells. Shared by
// every control that uses it; it lives as long as the application.
QStyle* bevel3DStyle();

} // namespace zv
