#pragma once
// Splits script text into tokens: case-blind keywords, names (also [bracketed]), numbers with
// the language's literal typing, strings with "" escapes, #date# literals, operators, line ends
// and ":" separators. Comments (' and Rem) are dropped; " _" at a line end joins two lines.
// The first lexical error is raised as a SyntaxErrorException.

#include "Token.h"

#include <QString>
#include <vector>

namespace zv::vbs {

class Lexer {
public:
    explicit Lexer(const QString& text);

    // Every token of the text, ending with Tok::End.
    std::vector<Token> tokenize();

private:
    QChar peek(qsizetype ahead = 0) const;
    bool atLineEnd(qsizetype at) const;
    int column() const { return int(pos_ - lineStart_); }
    void newline();
    void skipToLineEnd();
    bool tryContinuation();
    Token make(Tok kind, int col);
    Token lexNumber();
    Token lexRadix();
    Token lexString();
    Token lexDate();
    Token lexIdentifier();
    Token lexBracketed();
    bool atStatementStart() const;

    const QString& text_;
    qsizetype pos_ = 0;
    qsizetype lineStart_ = 0;
    int line_ = 1;
    bool spaceBeforeNext_ = false;
    std::vector<Token> out_;
};

// The case-blind key of a name (Windows-1252 upper case).
QString foldName(const QString& name);

} // namespace zv::vbs
