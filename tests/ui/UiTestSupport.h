#pragma once
// Helpers of the widget tests: acting on a modal dialog from a timer while the code under test
// waits in the dialog's own event loop, small pictures written to a temporary folder, and a
// shell operation's progress dialog shown at once.

#include "QtShellOperationUi.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace zvtest {

// Once a modal widget of type W is active, runs action on it (once). When none appears within
// the time limit, the test fails and every modal widget is closed, so nothing hangs.
template <class W> void onModal(std::function<void(W*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action, timeoutMs] {
        if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(w);
            return;
        }
        *waited += timer->interval();
        if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal " << W::staticMetaObject.className() << " appeared";
            while (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    timer->start(10);
}

// The shell-operation UI with no delay before its progress dialog, begun (with start) for an
// operation of files files.
struct ShownProgress {
    explicit ShownProgress(qint64 files) {
        ui.setMinimumDuration(0);
        start.totalFiles = files;
        ui.begin(start);
    }
    zv::QtShellOperationUi ui;
    zv::ShellProgressStart start;
};

// A one-colour picture of w x h pixels saved as BMP at path.
inline void writePicture(const QString& path, int w, int h, const QColor& color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(path, "BMP")) << path.toStdString();
}

} // namespace zvtest
