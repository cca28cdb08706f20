#include "VbColor.h"

#include "VbError.h"

#include <QApplication>

namespace zv {

namespace {

// The system colours by index, as palette roles of the application.
struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr SystemColor kSystemColors[] = {
    {QPalette::Active, QPalette::Button},          // 0 scroll bars
    {QPalette::Active, QPalette::Window},          // 1 desktop
    {QPalette::Active, QPalette::Highlight},       // 2 active title bar
    {QPalette::Inactive, QPalette::Button},        // 3 inactive title bar
    {QPalette::Active, QPalette::Window},          // 4 menu bar
    {QPalette::Active, QPalette::Base},            // 5 window background
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 title bar text
    {QPalette::Active, QPalette::Mid},             // 10 active border
    {QPalette::Inactive, QPalette::Mid},           // 11 inactive border
    {QPalette::Active, QPalette::Dark},            // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlight text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::WindowText},    // 19 inactive title bar text
    {QPalette::Active, QPalette::Light},           // 20 3D highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 info background
};
constexpr quint32 kSystemBit = 0x80000000u;
constexpr quint32 kSystemCount = sizeof(kSystemColors) / sizeof(kSystemColors[0]);

bool isSystemColor(quint32 v) {
    return (v & kSystemBit) && (v & ~kSystemBit) < kSystemCount;
}

} // namespace

std::optional<QColor> vbColorToQColor(qint32 value) {
    const quint32 v = quint32(value);
    if (value >= 0 && v <= 0xFFFFFFu)
        return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int(v >> 16));
    if (value != kNoColor && isSystemColor(v)) {
        const SystemColor& s = kSystemColors[v & ~kSystemBit];
        return QApplication::palette().color(s.group, s.role);
    }
    return std::nullopt;
}

void checkVbColor(qint32 value) {
    if (value != kNoColor && !vbColorToQColor(value)) throw VbError(err::InvalidPropertyValue);
}

qint32 qColorToVb(const QColor& color) {
    const QColor rgb = color.toRgb();
    return vbRgb(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace zv
