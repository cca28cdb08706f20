#include "HeadlessWindowService.h"

namespace zv {

bool HeadlessWindowService::setTopmost(WindowHandle window, bool on) {
    topmost_.push_back({window, on});
    return window != 0;
}

bool HeadlessWindowService::setRedraw(WindowHandle window, bool on) {
    redraw_.push_back({window, on});
    return window != 0;
}

void HeadlessWindowService::unloadAllForms() {
    ++unloads_;
    if (unloadHook_) unloadHook_();
}

DeviceContext HeadlessWindowService::screen() {
    if (!screenAvailable_) return 0;
    ++screensHeld_;
    return kScreen;
}

void HeadlessWindowService::releaseScreen(DeviceContext dc) {
    if (dc == kScreen && screensHeld_ > 0) --screensHeld_;
}

bool HeadlessWindowService::copyRect(DeviceContext dst, int xd, int yd, int w, int h,
                                     DeviceContext src, int xs, int ys) {
    copies_.push_back({dst, xd, yd, w, h, src, xs, ys});
    return dst != 0 && src != 0 && copyResult_;
}

} // namespace zv
