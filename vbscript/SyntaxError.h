#pragma once
// A compile (syntax) error as data: the language's number and text with the position of the
// token where it was found. Parsing stops at the first one. The numbers (cerr::) and their texts
// are in the runtime's error table (VbError.h).

#include "VbError.h"

#include <QString>

namespace zv::vbs {

struct SyntaxError {
    int number = 0;
    QString description;
    int line = 0;   // 1-based
    int column = 0; // 0-based
};

// Thrown inside the lexer and parser; the compiler turns it into a SyntaxError value.
struct SyntaxErrorException {
    SyntaxError error;
};

// Raises a compile error: its text, with ": 'detail'" when a detail is given.
[[noreturn]] void raiseSyntax(int number, int line, int column, const QString& detail = {});

} // namespace zv::vbs
