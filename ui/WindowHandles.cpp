#include "WindowHandles.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace zv {

namespace {

const char* const kHandleProperty = "zvWindowHandle";

struct HandleTable {
    QHash<WindowHandle, QPointer<QWidget>> widgets;
    // Numbers in steps of 4 from an arbitrary base, like the handles of the original platform.
    WindowHandle next = 0x10004;
};

HandleTable& table() {
    static HandleTable t;
    return t;
}

} // namespace

WindowHandle windowHandleOf(QWidget* widget) {
    if (!widget) return 0;
    const QVariant known = widget->property(kHandleProperty);
    if (known.isValid()) return known.value<WindowHandle>();
    HandleTable& t = table();
    const WindowHandle handle = t.next;
    t.next += 4;
    t.widgets.insert(handle, widget);
    widget->setProperty(kHandleProperty, QVariant::fromValue(handle));
    QObject::connect(widget, &QObject::destroyed, [handle] { table().widgets.remove(handle); });
    return handle;
}

QWidget* widgetOfHandle(WindowHandle handle) {
    if (handle == 0) return nullptr;
    return table().widgets.value(handle).data();
}

QWidget* dialogParent(WindowHandle handle) {
    if (QWidget* w = widgetOfHandle(handle)) return w->window();
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

} // namespace zv
