#pragma once
// The window service of tests: there are no windows; every request is recorded, and the
// answers are what the test sets.

#include "WindowService.h"

#include <functional>
#include <vector>

namespace zv {

class HeadlessWindowService : public WindowService {
public:
    struct Topmost {
        WindowHandle window;
        bool on;
    };
    struct Redraw {
        WindowHandle window;
        bool on;
    };
    struct Copy {
        DeviceContext dst;
        int xd, yd, w, h;
        DeviceContext src;
        int xs, ys;
    };

    // The screen surface handed out (0: the screen cannot be read).
    static constexpr DeviceContext kScreen = 0x5C4EE7;

    const std::vector<Topmost>& topmostCalls() const { return topmost_; }
    const std::vector<Redraw>& redrawCalls() const { return redraw_; }
    const std::vector<Copy>& copies() const { return copies_; }
    int unloadCount() const { return unloads_; }
    // Screen surfaces handed out and not given back.
    int screensHeld() const { return screensHeld_; }

    // Runs on every unloadAllForms (a test's forms).
    void setUnloadHook(std::function<void()> hook) { unloadHook_ = std::move(hook); }
    // What copyRect answers (true unless set); a copy with a 0 surface always fails.
    void setCopyResult(bool ok) { copyResult_ = ok; }
    void setScreenAvailable(bool available) { screenAvailable_ = available; }

    bool setTopmost(WindowHandle window, bool on) override;
    bool setRedraw(WindowHandle window, bool on) override;
    void unloadAllForms() override;
    DeviceContext screen() override;
    void releaseScreen(DeviceContext dc) override;
    bool copyRect(DeviceContext dst, int xd, int yd, int w, int h, DeviceContext src, int xs,
                  int ys) override;

private:
    std::vector<Topmost> topmost_;
    std::vector<Redraw> redraw_;
    std::vector<Copy> copies_;
    int unloads_ = 0;
    int screensHeld_ = 0;
    bool copyResult_ = true;
    bool screenAvailable_ = true;
    std::function<void()> unloadHook_;
};

} // namespace zv
