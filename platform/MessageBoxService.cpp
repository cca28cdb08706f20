#include "MessageBoxService.h"

namespace zv {

QList<MsgAnswer> msgButtonAnswers(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK:
        return {MsgAnswer::OK};
    case MsgButtons::OKCancel:
        return {MsgAnswer::OK, MsgAnswer::Cancel};
    case MsgButtons::AbortRetryIgnore:
        return {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore};
    case MsgButtons::YesNoCancel:
        return {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
    case MsgButtons::YesNo:
        return {MsgAnswer::Yes, MsgAnswer::No};
    case MsgButtons::RetryCancel:
        return {MsgAnswer::Retry, MsgAnswer::Cancel};
    }
    return {MsgAnswer::OK};
}

MsgAnswer msgDefaultAnswer(const MessageBoxRequest& request) {
    const QList<MsgAnswer> answers = msgButtonAnswers(request.buttons);
    const int index = request.defaultButton - 1;
    return index >= 0 && index < answers.size() ? answers[index] : answers.first();
}

MsgAnswer msgCloseAnswer(MsgButtons buttons) {
    const QList<MsgAnswer> answers = msgButtonAnswers(buttons);
    for (MsgAnswer a : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Abort}) {
        if (answers.contains(a)) return a;
    }
    return answers.first();
}

int msgStyle(const MessageBoxRequest& request) {
    const int def = request.defaultButton >= 2 && request.defaultButton <= 4
                        ? (request.defaultButton - 1) * 256
                        : 0;
    return int(request.buttons) + int(request.icon) + def;
}

bool msgStyleDecode(int style, MessageBoxRequest& request) {
    const int buttons = style & 0x0F;
    const int icon = style & 0x70;
    if (buttons > int(MsgButtons::RetryCancel) || icon > int(MsgIcon::Information)) return false;
    request.buttons = MsgButtons(buttons);
    request.icon = MsgIcon(icon);
    request.defaultButton = ((style & 0x300) >> 8) + 1;
    return true;
}

} // namespace zv
