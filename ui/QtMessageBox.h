#pragma once
// The message box and input box of the program: QMessageBox and QInputDialog, modal, owned by
// the window the request names (else the active modal window, else the active window).
// The box has the request's icon (or none), its buttons left to right, its default button
// (Enter), and answers Escape and the close box with msgCloseAnswer. The text is shown as plain
// text: CR LF and lone CR become line breaks, tabs stay, nothing is read as markup.

#include "MessageBoxService.h"

namespace zv {

class QtMessageBox : public MessageBoxService {
public:
    MsgAnswer show(const MessageBoxRequest& request) override;
    std::optional<QString> input(const InputBoxRequest& request) override;

    // The text as the box shows it.
    static QString boxText(const QString& text);
};

} // namespace zv
