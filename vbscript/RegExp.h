#pragma once
// The language's RegExp class: a regular expression in the script's syntax (the one of
// ECMAScript: classes, groups, quantifiers, \d \w \s \b, ^ and $ at the ends of the text or, with
// MultiLine, of each line), and what its methods give scripts.
//
// Members, for scripts and host code alike:
//   Pattern (String), IgnoreCase, Global, MultiLine (Boolean; all False at first);
//   Test(text): True when the pattern occurs in text;
//   Execute(text): the matches, as a collection (TypeName "IMatchCollection2": Count, Item(i)
//     from 0 as its default member, For Each) of Match objects ("IMatch2": Value, the default
//     member, FirstIndex from 0, Length, SubMatches) - only the first one unless Global;
//     SubMatches ("ISubMatches": Count, Item(i), For Each) holds the text of each group, Empty
//     for a group that took no part in the match;
//   Replace(text, with): text with the first match (every match with Global) replaced by with,
//     in which $& stands for the match, $` and $' for the text before and after it, $n and $nn
//     for a group and $$ for "$" (any other "$" stays as it is).
// An empty match is followed by a search one character further on, so a pattern that matches
// nothing ("") matches before each character and at the end.
//
// Errors: 5017 "Syntax error in regular expression" for a pattern that is no expression (when
// it is used, not when it is set); 94 for a Null text; 5 for Item outside 0..Count-1; a result
// of Replace past the size limit (ValueLimit.h) raises 7.

#include "Dispatch.h"

#include <QRegularExpression>
#include <QString>

namespace zv::vbs {

class RegExp : public BoundDispatch {
public:
    RegExp();

    const QString& pattern() const { return pattern_; }
    void setPattern(const QString& p);
    bool ignoreCase() const { return ignoreCase_; }
    void setIgnoreCase(bool on);
    bool global() const { return global_; }
    void setGlobal(bool on) { global_ = on; }
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool on);

    bool test(const QString& text) const;
    DispatchPtr execute(const QString& text) const;
    QString replace(const QString& text, const QString& with) const;

    // True for the ProgID the class also goes by in CreateObject ("VBScript.RegExp").
    static bool isProgId(const QString& progId);

private:
    static const MemberTable& memberTable();
    // The compiled expression (made again after a change of pattern or options).
    const QRegularExpression& compiled() const;
    // The next match at or after from; an empty match when there is none.
    QRegularExpressionMatch matchFrom(const QString& text, qsizetype from) const;

    QString pattern_;
    bool ignoreCase_ = false;
    bool global_ = false;
    bool multiLine_ = false;
    mutable QRegularExpression re_;
    mutable bool stale_ = true;
};

} // namespace zv::vbs
