#include "Twips.h"

#include "Convert.h"
#include "VbError.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zv {

int twipsToPixels(double twips) {
    if (!std::isfinite(twips)) return 0;
    const double px = roundHalfEven(twips / kTwipsPerPixel);
    constexpr double limit = QWIDGETSIZE_MAX;
    return int(std::clamp(px, -limit, limit));
}

double checkedPosition(double twips) {
    if (!std::isfinite(twips)) throw VbError(err::InvalidPropertyValue);
    return twips;
}

double checkedLength(double twips) {
    if (!std::isfinite(twips) || twips < 0) throw VbError(err::InvalidPropertyValue);
    return twips;
}

namespace {
QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}
} // namespace

double screenWidthTwips() {
    return pixelsToTwips(screenSize().width());
}
double screenHeightTwips() {
    return pixelsToTwips(screenSize().height());
}

} // namespace zv
