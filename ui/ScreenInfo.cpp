#include "ScreenInfo.h"

#include "Twips.h"

#include <cmath>

namespace zv {

ScreenInfo ScreenInfo::primary() {
    ScreenInfo s;
    s.width = int(std::lround(screenWidthTwips()));
    s.height = int(std::lround(screenHeightTwips()));
    s.twipsPerPixelX = kTwipsPerPixel;
    s.twipsPerPixelY = kTwipsPerPixel;
    return s;
}

} // namespace zv
