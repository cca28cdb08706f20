#include "QtShellOperationUi.h"

#include "WindowHandles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace zv {

namespace {

constexpr int kSteps = 1000;
// How often the dialog takes a new file and value, and how often it looks for a Cancel.
constexpr qint64 kUpdateMs = 50;

} // namespace

QtShellOperationUi::QtShellOperationUi() = default;

QtShellOperationUi::~QtShellOperationUi() {
    delete dialog_.data();
}

QString QtShellOperationUi::standardTitle(ShellOp op) {
    switch (op) {
    case ShellOp::Move:
        return QStringLiteral("A mover...");
    case ShellOp::Copy:
        return QStringLiteral("A copiar...");
    case ShellOp::Delete:
        return QStringLiteral("A eliminar...");
    case ShellOp::Rename:
        return QStringLiteral("A mudar o nome...");
    }
    return QString();
}

void QtShellOperationUi::begin(const ShellProgressStart& start) {
    end();
    start_ = start;
    if (!start.showProgress) return;
    auto* dialog = new QProgressDialog(dialogParent(start.parent));
    dialog->setWindowTitle(start.title.isEmpty() ? standardTitle(start.op) : start.title);
    dialog->setLabelText(dialog->windowTitle());
    dialog->setCancelButtonText(QStringLiteral("Cancelar"));
    dialog->setRange(0, kSteps);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setMinimumDuration(minimumDuration_);
    dialog->setValue(0);
    dialog_ = dialog;
    sinceUpdate_.invalidate();
    sincePump_.invalidate();
}

void QtShellOperationUi::progress(const QString& from, const QString& to, qint64 filesDone,
                                  qint64 bytesDone) {
    QProgressDialog* dialog = dialog_.data();
    if (!dialog) return;
    if (sinceUpdate_.isValid() && sinceUpdate_.elapsed() < kUpdateMs) return;
    sinceUpdate_.start();
    if (!start_.simpleProgress) {
        QString label = QFileInfo(from).fileName();
        if (label.isEmpty()) label = from;
        label += u'\n' + from;
        if (!to.isEmpty()) label += QStringLiteral("\npara ") + to;
        dialog->setLabelText(label);
    }
    qint64 step = 0;
    if (start_.totalBytes > 0)
        step = std::min<qint64>(kSteps, bytesDone * kSteps / start_.totalBytes);
    else if (start_.totalFiles > 0)
        step = std::min<qint64>(kSteps, filesDone * kSteps / start_.totalFiles);
    // The value must move for the dialog to appear after its delay; it also pumps events.
    dialog->setValue(int(std::max<qint64>(step, dialog->value())));
}

bool QtShellOperationUi::cancelRequested() {
    if (!dialog_) return false;
    if (!sincePump_.isValid() || sincePump_.elapsed() >= kUpdateMs) {
        sincePump_.start();
        QCoreApplication::processEvents();
    }
    return dialog_ && dialog_->wasCanceled();
}

void QtShellOperationUi::end() {
    // Deleted at once: a deferred deletion waits until the event loop it was asked from runs
    // again, and until then the dialog's own delay timer would show it in any nested loop (a
    // message box, a wait that pumps events) for as long as that loop lasts.
    if (QProgressDialog* dialog = dialog_.data()) {
        dialog_ = nullptr;
        delete dialog;
    }
}

QWidget* QtShellOperationUi::boxOwner() {
    QProgressDialog* dialog = dialog_.data();
    if (!dialog || dialog->wasCanceled()) return dialogParent(start_.parent);
    // A dialog still waiting for its delay appears now: appearing later, while the box waits,
    // it would be the newer application-modal window and take every click and key from the
    // box, which could then not be answered.
    if (!dialog->isVisible()) dialog->show();
    return dialog;
}

ShellConfirm QtShellOperationUi::ask(const QString& title, const QString& text, bool withAll) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, boxOwner());
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QMessageBox::Yes);
    QPushButton* yesAll = withAll ? box.addButton(QMessageBox::YesToAll) : nullptr;
    QPushButton* no = box.addButton(QMessageBox::No);
    QPushButton* cancel = withAll ? box.addButton(QMessageBox::Cancel) : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(withAll ? cancel : no);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes) return ShellConfirm::Yes;
    if (clicked && clicked == yesAll) return ShellConfirm::YesToAll;
    if (clicked == no) return ShellConfirm::No;
    return withAll ? ShellConfirm::Cancel : ShellConfirm::No;
}

ShellConfirm QtShellOperationUi::confirmReplace(const QString& source, const QString& target) {
    return ask(QStringLiteral("Confirmar substituição de ficheiro"),
               QStringLiteral("Já existe o ficheiro\n%1\n\nSubstituí-lo pelo ficheiro\n%2 ?")
                   .arg(target, source),
               true);
}

ShellConfirm QtShellOperationUi::confirmMakeDir(const QString& folder) {
    return ask(QStringLiteral("Confirmar criação de pasta"),
               QStringLiteral("A pasta\n%1\nnão existe.\n\nCriar a pasta ?").arg(folder), true);
}

ShellConfirm QtShellOperationUi::confirmDelete(const QStringList& items, bool toTrash) {
    QString what =
        items.size() == 1 ? items.first() : QStringLiteral("estes %1 itens").arg(items.size());
    const QString text = toTrash ? QStringLiteral("Enviar %1 para o lixo ?").arg(what)
                                 : QStringLiteral("Eliminar %1 definitivamente ?").arg(what);
    return ask(QStringLiteral("Confirmar eliminação"), text, false);
}

void QtShellOperationUi::reportError(const QString& path, const QString& message) {
    QMessageBox box(
        QMessageBox::Critical, QStringLiteral("Erro"),
        QStringLiteral("Não foi possível concluir a operação.\n\n%1\n%2").arg(path, message),
        QMessageBox::Ok, boxOwner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace zv
