#pragma once
// From text to a resolved code unit: lexer, parser, semantic pass. A syntax error is thrown
// as SyntaxErrorException and leaves nothing defined.

#include "Ast.h"
#include "GlobalTable.h"

namespace zv::vbs {

// Procedures, declarations and statements (AddCode, ExecuteStatement).
std::shared_ptr<CodeUnit> compileProgram(const QString& text, GlobalTable& globals);
// Exactly one expression (Eval).
std::shared_ptr<CodeUnit> compileExpression(const QString& text, GlobalTable& globals);

} // namespace zv::vbs
