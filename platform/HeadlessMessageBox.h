#pragma once
// The message box of tests and of runs without a screen: it shows nothing, records every box
// and input box it was asked for, and answers from queues the test fills.

#include "MessageBoxService.h"

#include <deque>
#include <initializer_list>
#include <vector>

namespace zv {

class HeadlessMessageBox : public MessageBoxService {
public:
    // A box as it was asked for, with the answer it got.
    struct Shown {
        MessageBoxRequest request;
        MsgAnswer answer;
    };

    // Answers, in the order the boxes will be shown.
    void queueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
    void queueAnswers(std::initializer_list<MsgAnswer> answers);
    // The answer once the queue is empty; without one, the box's default button (Enter).
    void setDefaultAnswer(std::optional<MsgAnswer> answer) { defaultAnswer_ = answer; }

    // Input box results, in order (no value = cancelled); once they are used up, the input box
    // is accepted with its default text.
    void queueInput(const std::optional<QString>& text) {
        inputs_.push_back({bool(text), text.value_or(QString())});
    }

    const std::vector<Shown>& shown() const { return shown_; }
    const std::vector<InputBoxRequest>& inputsShown() const { return inputsShown_; }
    // Queued answers not used yet (a test usually expects 0 at its end).
    int pendingAnswers() const { return int(answers_.size() + inputs_.size()); }
    // Forgets the records and the queues; the default answer stays.
    void clear();

    MsgAnswer show(const MessageBoxRequest& request) override;
    std::optional<QString> input(const InputBoxRequest& request) override;

private:
    std::deque<MsgAnswer> answers_;
    struct Input {
        bool accepted;
        QString text;
    };
    std::deque<Input> inputs_;
    std::optional<MsgAnswer> defaultAnswer_;
    std::vector<Shown> shown_;
    std::vector<InputBoxRequest> inputsShown_;
};

} // namespace zv
