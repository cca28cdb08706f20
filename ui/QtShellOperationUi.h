#pragma once
// What the person sees of a shell file operation: a progress dialog with a Cancel button (shown
// once the operation has lasted a moment, as the desktop's own file dialogs do), the questions
// before replacing a file, creating a folder or deleting, and the box for the error that stopped
// the operation. The questions offer Yes, Yes to all, No and Cancel (a delete: Yes and No);
// Escape and the close box answer Cancel (a delete: No).

#include "ShellOperationUi.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

namespace zv {

class QtShellOperationUi : public ShellOperationUi {
public:
    QtShellOperationUi();
    ~QtShellOperationUi() override;

    // How long an operation runs before its progress dialog appears (1000 ms unless set).
    void setMinimumDuration(int ms) { minimumDuration_ = ms; }
    // The progress dialog of the running operation (nullptr in silent mode or between them).
    QProgressDialog* progressDialog() const { return dialog_.data(); }

    void begin(const ShellProgressStart& start) override;
    void progress(const QString& from, const QString& to, qint64 filesDone,
                  qint64 bytesDone) override;
    bool cancelRequested() override;
    void end() override;
    ShellConfirm confirmReplace(const QString& source, const QString& target) override;
    ShellConfirm confirmMakeDir(const QString& folder) override;
    ShellConfirm confirmDelete(const QStringList& items, bool toTrash) override;
    void reportError(const QString& path, const QString& message) override;

    // The title of the progress dialog of an operation that gives none of its own.
    static QString standardTitle(ShellOp op);

private:
    // The window a question or error box belongs to: the progress dialog when there is one
    // (shown first if its delay has not passed yet), else the operation's parent window.
    QWidget* boxOwner();
    ShellConfirm ask(const QString& title, const QString& text, bool withAll);

    ShellProgressStart start_;
    QPointer<QProgressDialog> dialog_;
    int minimumDuration_ = 1000;
    // The dialog follows the operation a few times a second, not at every file: laying out
    // its label and pumping events for each of thousands of small files would cost more than
    // copying them. The first report of an operation always shows.
    QElapsedTimer sinceUpdate_;
    QElapsedTimer sincePump_;
};

} // namespace zv
