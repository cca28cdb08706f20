#include "CommandLine.h"

#include "Text.h"

namespace zv {

void CommandLine::setText(const QString& text) {
    QStringList args{text};
    for (const QString& w : text.split(u' ', Qt::SkipEmptyParts))
        args.append(w);
    args_ = args;
}

void CommandLine::setWords(const QStringList& words) {
    QStringList args{words.join(u' ')};
    args += words;
    args_ = args;
}

int CommandLine::position(const QString& name) const {
    for (int i = 1; i <= count(); ++i)
        if (equalsNoCase(args_.at(i), name)) return i;
    return 0;
}

bool CommandLine::word(int n, QString& value) const {
    if (n < 1 || n > count()) return false;
    value = args_.at(n);
    return true;
}

bool CommandLine::following(const QString& name, QString& value) const {
    const int p = position(name);
    // An absent switch has no following word (never the first word).
    return p > 0 && word(p + 1, value);
}

QList<QPair<QString, QString>> CommandLine::assignments() const {
    QList<QPair<QString, QString>> result;
    for (int i = 1; i <= count(); ++i) {
        const QString& w = args_.at(i);
        const int eq = InStr(w, u"=");
        if (eq && eq < Len(w)) result.append({Left(w, eq - 1), Mid(w, eq + 1)});
    }
    return result;
}

} // namespace zv
