// The shell-operation dialogs (progress with Cancel, the questions, the error box), the window
// service, and the installation of the program's services.
#include "Convert.h"
#include "QtEventPump.h"
#include "QtMessageBox.h"
#include "QtServices.h"
#include "QtShellOperationUi.h"
#include "QtWindowService.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"
#include "UiTestSupport.h"
#include "VbForm.h"
#include "VbPictureBox.h"
#include "XdgDocumentOpener.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zv;
using zvtest::onModal;

TEST(QtShellOperationUi, ProgressShowsTheFilesAndCancelStopsTheOperation) {
    zvtest::ShownProgress shown(4);
    QProgressDialog* dialog = shown.ui.progressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("A copiar..."));
    shown.ui.progress(QStringLiteral("/src/a.txt"), QStringLiteral("/dst"), 1, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->value(), 250);
    EXPECT_TRUE(dialog->labelText().contains(QStringLiteral("a.txt")));
    EXPECT_TRUE(dialog->labelText().contains(QStringLiteral("/dst")));
    EXPECT_FALSE(shown.ui.cancelRequested());

    QPushButton* cancel = dialog->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(shown.ui.cancelRequested());
    shown.ui.end();
    EXPECT_EQ(shown.ui.progressDialog(), nullptr);
    EXPECT_FALSE(shown.ui.cancelRequested());

    // The caller's title, alone with simple progress; silent mode shows nothing at all.
    shown.start.title = QStringLiteral("Instalar ficheiros");
    shown.start.simpleProgress = true;
    shown.start.totalBytes = 1000;
    shown.ui.begin(shown.start);
    shown.ui.progress(QStringLiteral("/src/b.txt"), QStringLiteral("/dst"), 1, 2000);
    EXPECT_EQ(shown.ui.progressDialog()->labelText(), QStringLiteral("Instalar ficheiros"));
    EXPECT_EQ(shown.ui.progressDialog()->value(), 1000);
    shown.start.showProgress = false;
    shown.ui.begin(shown.start);
    EXPECT_EQ(shown.ui.progressDialog(), nullptr);
    shown.ui.progress(QStringLiteral("/a"), QString(), 1, 0);
    EXPECT_FALSE(shown.ui.cancelRequested());
    shown.ui.end();
}

// An operation that ends before its dialog appears, inside the program's event loop, followed by
// a nested one (a message box, a wait that pumps events) that lasts past the dialog's delay: the
// ended dialog must not come up then.
TEST(QtShellOperationUi, AnEndedProgressDialogStaysHiddenInALaterNestedLoop) {
    QtShellOperationUi ui;
    ui.setMinimumDuration(30);
    ShellProgressStart start;
    start.totalFiles = 1;
    bool shown = true;
    QEventLoop outer;
    QTimer::singleShot(0, [&] {
        ui.begin(start);
        QPointer<QProgressDialog> dialog = ui.progressDialog();
        ui.progress(QStringLiteral("/src/a"), QStringLiteral("/dst"), 1, 0);
        ui.end();
        QEventLoop nested;
        QTimer::singleShot(150, &nested, &QEventLoop::quit);
        nested.exec();
        shown = dialog && dialog->isVisible();
        outer.quit();
    });
    outer.exec();
    EXPECT_FALSE(shown);
}

TEST(QtShellOperationUi, QuestionsAndTheirAnswers) {
    QtShellOperationUi ui;
    ui.begin(ShellProgressStart{ShellOp::Copy, {}, false, false, 0, 0, 0});
    const struct {
        const char* what;
        std::function<ShellConfirm()> ask;
        QMessageBox::StandardButton press; // NoButton: Escape
        ShellConfirm expected;
    } rows[] = {
        {"replace, yes to all",
         [&] { return ui.confirmReplace(QStringLiteral("/s/a"), QStringLiteral("/d/a")); },
         QMessageBox::YesToAll, ShellConfirm::YesToAll},
        {"replace, escape",
         [&] { return ui.confirmReplace(QStringLiteral("/s/a"), QStringLiteral("/d/a")); },
         QMessageBox::NoButton, ShellConfirm::Cancel},
        {"make folder, no", [&] { return ui.confirmMakeDir(QStringLiteral("/d/new")); },
         QMessageBox::No, ShellConfirm::No},
        {"delete, yes", [&] { return ui.confirmDelete({QStringLiteral("/d/a")}, true); },
         QMessageBox::Yes, ShellConfirm::Yes},
        {"delete, escape",
         [&] {
             return ui.confirmDelete({QStringLiteral("/d/a"), QStringLiteral("/d/b")}, false);
         },
         QMessageBox::NoButton, ShellConfirm::No},
    };
    for (const auto& r : rows) {
        QString text;
        onModal<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            if (r.press == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(r.press)->click();
        });
        EXPECT_EQ(r.ask(), r.expected) << r.what;
        EXPECT_FALSE(text.isEmpty()) << r.what;
    }

    QString shown;
    onModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        box->close();
    });
    ui.reportError(QStringLiteral("/d/a"), QStringLiteral("Disco cheio"));
    EXPECT_TRUE(shown.contains(QStringLiteral("/d/a")) &&
                shown.contains(QStringLiteral("Disco cheio")));
    ui.end();
}

// A question or an error box that comes before the progress dialog's delay has passed: the
// dialog must not come up over the box later and take its input (the box stays the window that
// gets the clicks and keys until it is answered).
TEST(QtShellOperationUi, ABoxBeforeTheProgressDelayKeepsItsInput) {
    QtShellOperationUi ui;
    ui.setMinimumDuration(30);
    ShellProgressStart start;
    start.totalFiles = 2;
    const std::function<void()> boxes[] = {
        [&] { ui.reportError(QStringLiteral("/d/ro/sub"), QStringLiteral("Permission denied")); },
        [&] { ui.confirmMakeDir(QStringLiteral("/d/new")); },
    };
    for (const auto& box : boxes) {
        ui.begin(start);
        ui.progress(QStringLiteral("/s/a"), QStringLiteral("/d"), 0, 0);
        QWidget* modalAfterDelay = nullptr;
        QWidget* shownBox = nullptr;
        onModal<QMessageBox>([&](QMessageBox* b) {
            shownBox = b;
            QTest::qWait(150);
            modalAfterDelay = QApplication::activeModalWidget();
            b->close();
        });
        box();
        EXPECT_NE(shownBox, nullptr);
        EXPECT_EQ(modalAfterDelay, shownBox);
        ui.end();
    }
}

TEST(QtWindowService, TopmostRedrawAndUnloadingEveryForm) {
    QtWindowService service;
    EXPECT_FALSE(service.setTopmost(0, true));
    EXPECT_FALSE(service.setRedraw(12345, false));

    VbForm form;
    form.setGeometry(50, 60, 200, 100);
    form.showForm();
    EXPECT_TRUE(service.setTopmost(form.hwnd(), true));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(service.setTopmost(form.hwnd(), false));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.geometry(), QRect(50, 60, 200, 100));
    EXPECT_TRUE(service.setRedraw(form.hwnd(), false));
    EXPECT_FALSE(form.updatesEnabled());
    service.setRedraw(form.hwnd(), true);

    class Stubborn : public VbForm {
    protected:
        bool onQueryUnload(UnloadMode) override { return false; }
    };
    Stubborn stays;
    stays.showForm();
    VbForm never; // never loaded: nothing to unload
    service.unloadAllForms();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(stays.isLoaded());
}

TEST(QtWindowService, RectangleCopiesLandInPictures) {
    zvtest::TempDir dir;
    const QString green = dir.path("green.bmp");
    zvtest::writePicture(green, 40, 40, Qt::green);
    VbForm form;
    form.resize(100, 100);
    form.setPicture(green);
    auto pb = form.addControl<VbPictureBox>(QStringLiteral("pbImg"));
    pb->put("BorderStyle", 0);
    pb->widget()->setGeometry(60, 60, 30, 30);
    pb->put("BackColor", int32_t(0xFFFFFF));
    form.showForm();

    QtWindowService service;
    const auto src = DeviceContext(CLng(form.object()->get("hDC")));
    const auto dst = DeviceContext(CLng(pb->get("hDC")));
    EXPECT_TRUE(service.copyRect(dst, 5, 5, 10, 10, src, 0, 0));
    const QImage copied = pb->picture().toImage();
    EXPECT_EQ(copied.size(), QSize(30, 30));
    EXPECT_EQ(copied.pixelColor(10, 10), QColor(Qt::green));
    EXPECT_EQ(copied.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_FALSE(service.copyRect(0x999999, 0, 0, 5, 5, src, 0, 0));
    EXPECT_FALSE(service.copyRect(dst, 0, 0, 0, 5, src, 0, 0));

    const DeviceContext screen = service.screen();
    ASSERT_NE(screen, 0u);
    EXPECT_TRUE(service.copyRect(dst, 0, 0, 5, 5, screen, 0, 0));
    service.releaseScreen(screen);
    EXPECT_FALSE(service.copyRect(dst, 0, 0, 5, 5, screen, 0, 0));
}

TEST(QtServices, InstallGivesTheContextTheQtSet) {
    ScopedProcessContext scope;
    installQtServices();
    EXPECT_NE(dynamic_cast<QtMessageBox*>(&scope->messageBox()), nullptr);
    EXPECT_NE(dynamic_cast<QtEventPump*>(&scope->pump()), nullptr);
    EXPECT_NE(dynamic_cast<QtShellOperationUi*>(&scope->shellUi()), nullptr);
    EXPECT_NE(dynamic_cast<XdgDocumentOpener*>(&scope->opener()), nullptr);
    EXPECT_NE(dynamic_cast<QtWindowService*>(&scope->windows()), nullptr);
}
