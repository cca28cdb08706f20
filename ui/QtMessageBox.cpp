#include "QtMessageBox.h"

#include "WindowHandles.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zv {

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::OK:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Abort:
        return QMessageBox::Abort;
    case MsgAnswer::Retry:
        return QMessageBox::Retry;
    case MsgAnswer::Ignore:
        return QMessageBox::Ignore;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

QString QtMessageBox::boxText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

MsgAnswer QtMessageBox::show(const MessageBoxRequest& request) {
    if (request.beep) QApplication::beep();
    QMessageBox box(qtIcon(request.icon), request.title, boxText(request.text),
                    QMessageBox::NoButton, dialogParent(request.parent));
    box.setTextFormat(Qt::PlainText);
    const QList<MsgAnswer> answers = msgButtonAnswers(request.buttons);
    QList<QAbstractButton*> buttons;
    for (MsgAnswer a : answers)
        buttons << box.addButton(qtButton(a));
    const MsgAnswer defaultAnswer = msgDefaultAnswer(request);
    const MsgAnswer closeAnswer = msgCloseAnswer(request.buttons);
    box.setDefaultButton(static_cast<QPushButton*>(buttons[answers.indexOf(defaultAnswer)]));
    box.setEscapeButton(buttons[answers.indexOf(closeAnswer)]);
    box.exec();
    const qsizetype clicked = buttons.indexOf(box.clickedButton());
    return clicked >= 0 ? answers[clicked] : closeAnswer;
}

std::optional<QString> QtMessageBox::input(const InputBoxRequest& request) {
    QInputDialog dialog(dialogParent(request.parent));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(boxText(request.prompt));
    dialog.setTextValue(request.defaultText);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

} // namespace zv
