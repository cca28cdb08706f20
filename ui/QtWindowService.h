#pragma once
// The window operations of the program on Qt: keeping a window on top, stopping a window's
// redrawing, unloading every open form, and rectangle copies between surfaces. A surface is a
// window handle (a form's or a control's hWnd; their hDC is the same number) or the screen
// surface from screen(), a snapshot of the screen taken when it is asked for. Copies read what
// the source window shows (its picture, its controls); they land in the picture of a form or a
// picture box, so they stay; other widgets cannot be drawn into (false).

#include "WindowService.h"

#include <QHash>
#include <QPixmap>

namespace zv {

class QtWindowService : public WindowService {
public:
    bool setTopmost(WindowHandle window, bool on) override;
    bool setRedraw(WindowHandle window, bool on) override;
    void unloadAllForms() override;
    DeviceContext screen() override;
    void releaseScreen(DeviceContext dc) override;
    bool copyRect(DeviceContext dst, int xd, int yd, int w, int h, DeviceContext src, int xs,
                  int ys) override;

private:
    QHash<DeviceContext, QPixmap> screens_;
    DeviceContext nextScreen_ = 0x7FFF0004;
};

} // namespace zv
