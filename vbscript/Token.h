#pragma once
// The tokens of the script language. Keywords have kinds of their own; identifiers keep the
// text as written (names are compared case-blind later), literals their value.

#include "Variant.h"

#include <QString>
#include <cstdint>

namespace zv::vbs {

enum class Tok : uint8_t {
    End,     // end of the text
    Newline, // end of a line (comments are dropped before it)
    Colon,   // statement separator
    Ident,   // a name (also a [bracketed] one)
    Number,  // numeric literal
    String,  // string literal
    Date,    // #date# literal
    // punctuation and operators
    LParen,
    RParen,
    Comma,
    Dot,
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Amp,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    // keywords
    KwAnd,
    KwByRef,
    KwByVal,
    KwCall,
    KwCase,
    KwClass,
    KwConst,
    KwDim,
    KwDo,
    KwEach,
    KwElse,
    KwElseIf,
    KwEmpty,
    KwEnd,
    KwEqv,
    KwErase,
    KwError,
    KwExit,
    KwExplicit,
    KwFalse,
    KwFor,
    KwFunction,
    KwGet,
    KwGoTo,
    KwIf,
    KwImp,
    KwIn,
    KwIs,
    KwLet,
    KwLoop,
    KwMe,
    KwMod,
    KwNew,
    KwNext,
    KwNot,
    KwNothing,
    KwNull,
    KwOn,
    KwOption,
    KwOr,
    KwPreserve,
    KwPrivate,
    KwProperty,
    KwPublic,
    KwReDim,
    KwResume,
    KwSelect,
    KwSet,
    KwStep,
    KwStop,
    KwSub,
    KwThen,
    KwTo,
    KwTrue,
    KwUntil,
    KwWend,
    KwWhile,
    KwWith,
    KwXor,
};

struct Token {
    Tok kind = Tok::End;
    int line = 1;             // 1-based physical line
    int column = 0;           // 0-based offset in that line
    QString text;             // identifier or keyword as written, string literal content
    Variant value;            // Number and Date literals
    bool spaceBefore = false; // blanks right before the token ("a .b" is no member access)
};

// Keywords that may still serve as names: after a dot (member names) and, for the contextual
// ones, as plain identifiers.
bool isKeyword(Tok t);
// Keywords that the language does not reserve (Error, Explicit, Step, Property, Get,
// Preserve): they are names wherever a keyword is not expected.
bool isContextualKeyword(Tok t);

} // namespace zv::vbs
