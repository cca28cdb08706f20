#pragma once
// Colours as the language writes them: a Long 0x00BBGGRR (red in the low byte), or a system
// colour 0x80000000 + index (button face, window text, ...), resolved through the application's
// palette. -1 is this system's "no colour": setting it keeps the colour the control has.

#include <QColor>
#include <QPalette>
#include <optional>

namespace zv {

constexpr qint32 kNoColor = -1;

// The colour a value stands for; no value for -1 and for values that are no colour.
std::optional<QColor> vbColorToQColor(qint32 value);
// Raises 380 (invalid property value) for a value that is neither a colour nor -1.
void checkVbColor(qint32 value);
// The language's number of an RGB colour (alpha dropped).
qint32 qColorToVb(const QColor& color);
// The colour number of an RGB triple, as the language's RGB function gives it.
constexpr qint32 vbRgb(int red, int green, int blue) {
    return qint32((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

} // namespace zv
