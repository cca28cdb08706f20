#include "HeadlessMessageBox.h"

namespace zv {

void HeadlessMessageBox::queueAnswers(std::initializer_list<MsgAnswer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void HeadlessMessageBox::clear() {
    answers_.clear();
    inputs_.clear();
    shown_.clear();
    inputsShown_.clear();
}

MsgAnswer HeadlessMessageBox::show(const MessageBoxRequest& request) {
    MsgAnswer answer;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else {
        answer = defaultAnswer_ ? *defaultAnswer_ : msgDefaultAnswer(request);
    }
    shown_.push_back({request, answer});
    return answer;
}

std::optional<QString> HeadlessMessageBox::input(const InputBoxRequest& request) {
    inputsShown_.push_back(request);
    if (inputs_.empty()) return request.defaultText;
    const Input next = inputs_.front();
    inputs_.pop_front();
    if (!next.accepted) return std::nullopt;
    return next.text;
}

} // namespace zv
