#include "HeadlessShellOperationUi.h"

namespace zv {

void HeadlessShellOperationUi::clear() {
    replaceAnswers_.clear();
    makeDirAnswers_.clear();
    deleteAnswers_.clear();
    calls_.clear();
    starts_.clear();
    progress_.clear();
    replaceAsked_.clear();
    makeDirAsked_.clear();
    deleteAsked_.clear();
    errors_.clear();
}

ShellConfirm HeadlessShellOperationUi::next(std::deque<ShellConfirm>& queue) {
    if (queue.empty()) return defaultConfirm_;
    const ShellConfirm answer = queue.front();
    queue.pop_front();
    return answer;
}

void HeadlessShellOperationUi::begin(const ShellProgressStart& start) {
    calls_ << QStringLiteral("begin");
    starts_.push_back(start);
    sinceBegin_ = 0;
}

void HeadlessShellOperationUi::progress(const QString& from, const QString& to, qint64 filesDone,
                                        qint64 bytesDone) {
    calls_ << QStringLiteral("progress");
    progress_.push_back({from, to, filesDone, bytesDone});
    ++sinceBegin_;
}

bool HeadlessShellOperationUi::cancelRequested() {
    calls_ << QStringLiteral("cancel?");
    return cancelAfter_ >= 0 && sinceBegin_ >= cancelAfter_;
}

void HeadlessShellOperationUi::end() {
    calls_ << QStringLiteral("end");
}

ShellConfirm HeadlessShellOperationUi::confirmReplace(const QString& source,
                                                      const QString& target) {
    calls_ << QStringLiteral("replace?");
    replaceAsked_.emplace_back(source, target);
    return next(replaceAnswers_);
}

ShellConfirm HeadlessShellOperationUi::confirmMakeDir(const QString& folder) {
    calls_ << QStringLiteral("mkdir?");
    makeDirAsked_ << folder;
    return next(makeDirAnswers_);
}

ShellConfirm HeadlessShellOperationUi::confirmDelete(const QStringList& items, bool toTrash) {
    calls_ << QStringLiteral("delete?");
    deleteAsked_.push_back({items, toTrash});
    return next(deleteAnswers_);
}

void HeadlessShellOperationUi::reportError(const QString& path, const QString& message) {
    calls_ << QStringLiteral("error");
    errors_.push_back({path, message});
}

} // namespace zv
