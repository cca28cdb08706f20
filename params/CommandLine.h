#pragma once
// A parameter-file object's own copy of the program's command line: element 0 the whole
// command text, elements 1..count its words. Answers which word follows a switch and which
// words have the form name=value.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace zv {

class CommandLine {
public:
    // From a command text: the words are separated by blanks.
    void setText(const QString& text);
    // From words already split (the program's arguments): a word holding blanks stays one
    // word; element 0 is the words joined with blanks.
    void setWords(const QStringList& words);

    int count() const { return int(args_.size()) - 1; }
    const QStringList& args() const { return args_; }

    // The position of the first word equal to name ignoring case, from word 1; 0 when none.
    int position(const QString& name) const;
    // Word n when n lies in 1..count.
    bool word(int n, QString& value) const;
    // The word that follows the first word equal to name (ignoring case); false when the name
    // is absent or is the last word.
    bool following(const QString& name, QString& value) const;
    // The words of the form name=value with a value after the first "=": (name, value).
    QList<QPair<QString, QString>> assignments() const;

private:
    QStringList args_{QString()};
};

} // namespace zv
