#pragma once
// The shell-operation UI of tests: records every call and answers the confirmations from
// queues; it can also play a person who presses Cancel after a number of files.

#include "ShellOperationUi.h"

#include <deque>
#include <vector>

namespace zv {

class HeadlessShellOperationUi : public ShellOperationUi {
public:
    struct Progress {
        QString from;
        QString to;
        qint64 filesDone;
        qint64 bytesDone;
    };
    struct Delete {
        QStringList items;
        bool toTrash;
    };
    struct Error {
        QString path;
        QString message;
    };

    // Answers per kind of question, in order; once a queue is empty, the default answer
    // (Yes unless set).
    void queueReplace(ShellConfirm answer) { replaceAnswers_.push_back(answer); }
    void queueMakeDir(ShellConfirm answer) { makeDirAnswers_.push_back(answer); }
    void queueDelete(ShellConfirm answer) { deleteAnswers_.push_back(answer); }
    void setDefaultConfirm(ShellConfirm answer) { defaultConfirm_ = answer; }
    // cancelRequested() answers true once n progress calls were made since the last begin
    // (n < 0: never).
    void cancelAfter(qint64 files) { cancelAfter_ = files; }

    // Every call by name, in order: "begin", "progress", "cancel?", "end", "replace?",
    // "mkdir?", "delete?", "error".
    const QStringList& calls() const { return calls_; }
    const std::vector<ShellProgressStart>& starts() const { return starts_; }
    const std::vector<Progress>& progressLog() const { return progress_; }
    // (source, target) of each replace question.
    const std::vector<std::pair<QString, QString>>& replaceAsked() const { return replaceAsked_; }
    const QStringList& makeDirAsked() const { return makeDirAsked_; }
    const std::vector<Delete>& deleteAsked() const { return deleteAsked_; }
    const std::vector<Error>& errors() const { return errors_; }
    // Forgets the records and the queues; the defaults stay.
    void clear();

    void begin(const ShellProgressStart& start) override;
    void progress(const QString& from, const QString& to, qint64 filesDone,
                  qint64 bytesDone) override;
    bool cancelRequested() override;
    void end() override;
    ShellConfirm confirmReplace(const QString& source, const QString& target) override;
    ShellConfirm confirmMakeDir(const QString& folder) override;
    ShellConfirm confirmDelete(const QStringList& items, bool toTrash) override;
    void reportError(const QString& path, const QString& message) override;

private:
    ShellConfirm next(std::deque<ShellConfirm>& queue);

    std::deque<ShellConfirm> replaceAnswers_;
    std::deque<ShellConfirm> makeDirAnswers_;
    std::deque<ShellConfirm> deleteAnswers_;
    ShellConfirm defaultConfirm_ = ShellConfirm::Yes;
    qint64 cancelAfter_ = -1;
    qint64 sinceBegin_ = 0;

    QStringList calls_;
    std::vector<ShellProgressStart> starts_;
    std::vector<Progress> progress_;
    std::vector<std::pair<QString, QString>> replaceAsked_;
    QStringList makeDirAsked_;
    std::vector<Delete> deleteAsked_;
    std::vector<Error> errors_;
};

} // namespace zv
