#pragma once
// The one way the code below the GUI talks to the person: a message box with an icon, a set of
// buttons and a default button, and the input box of the script engine. The GUI layer shows
// real dialogs; tests install HeadlessMessageBox, which answers from a queue.

#include "WindowHandle.h"

#include <QList>
#include <QString>
#include <optional>

namespace zv {

// The values are the language's style numbers, so a style is buttons + icon + default.
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };

enum class MsgButtons {
    OK = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

// The button pressed; the values are the language's answer numbers (vbOK ... vbNo).
enum class MsgAnswer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    QString title;
    QString text; // line breaks as CR LF or LF, tabs as they are
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    int defaultButton = 1; // 1st, 2nd, 3rd (4th) button; one the box lacks means the 1st
    bool beep = false;     // beep before the box appears
    WindowHandle parent = 0;
};

struct InputBoxRequest {
    QString prompt;
    QString title;
    QString defaultText;
    WindowHandle parent = 0;
};

// The buttons of a set, left to right.
QList<MsgAnswer> msgButtonAnswers(MsgButtons buttons);

// The answer of pressing Enter: the default button, or the first one when the box lacks it.
MsgAnswer msgDefaultAnswer(const MessageBoxRequest& request);

// The answer of Escape or the close box: Cancel when the box has it, else No, else Abort,
// else OK; always one of the box's own buttons.
MsgAnswer msgCloseAnswer(MsgButtons buttons);

// The language's style number of a request (buttons + icon + default) and back. Decoding
// ignores the modality and alignment bits; it fails (false, request untouched) when the button
// set or the icon is none the box knows.
int msgStyle(const MessageBoxRequest& request);
bool msgStyleDecode(int style, MessageBoxRequest& request);

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;

    // Shows the box modally and returns the button pressed.
    virtual MsgAnswer show(const MessageBoxRequest& request) = 0;
    // Asks for a line of text; no value when the person cancelled.
    virtual std::optional<QString> input(const InputBoxRequest& request) = 0;
};

} // namespace zv
