#include "QtWindowService.h"

#include "DrawSurface.h"
#include "VbForm.h"
#include "WindowHandles.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zv {

bool QtWindowService::setTopmost(WindowHandle window, bool on) {
    QWidget* w = widgetOfHandle(window);
    if (!w) return false;
    w = w->window();
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != on) {
        // Changing a window's flags hides it; it comes back where it was.
        const bool wasVisible = w->isVisible();
        const QRect geometry = w->geometry();
        w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (wasVisible) {
            w->setGeometry(geometry);
            w->show();
        }
    }
    if (w->isVisible()) {
        w->raise();
        if (on) w->activateWindow();
    }
    return true;
}

bool QtWindowService::setRedraw(WindowHandle window, bool on) {
    QWidget* w = widgetOfHandle(window);
    if (!w) return false;
    w->setUpdatesEnabled(on);
    return true;
}

void QtWindowService::unloadAllForms() {
    // A form that the unloading of another one opens again stays open until the next call.
    const std::vector<QPointer<VbForm>> forms = VbForm::forms();
    for (const QPointer<VbForm>& form : forms)
        if (form && form->isLoaded()) form->unload(UnloadMode::Code);
}

DeviceContext QtWindowService::screen() {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return 0;
    const QPixmap shot = s->grabWindow(0);
    if (shot.isNull()) return 0;
    const DeviceContext dc = nextScreen_;
    nextScreen_ += 4;
    screens_.insert(dc, shot);
    return dc;
}

void QtWindowService::releaseScreen(DeviceContext dc) {
    screens_.remove(dc);
}

bool QtWindowService::copyRect(DeviceContext dst, int xd, int yd, int w, int h, DeviceContext src,
                               int xs, int ys) {
    if (w <= 0 || h <= 0) return false;
    QPixmap pixels;
    if (screens_.contains(src)) {
        pixels = screens_.value(src).copy(xs, ys, w, h);
    } else if (QWidget* from = widgetOfHandle(src)) {
        pixels = from->grab(QRect(xs, ys, w, h));
    }
    if (pixels.isNull()) return false;
    auto* to = dynamic_cast<DrawSurface*>(widgetOfHandle(dst));
    if (!to) return false;
    to->drawInto(pixels, QPoint(xd, yd));
    return true;
}

} // namespace zv
