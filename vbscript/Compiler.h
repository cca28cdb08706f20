#pragma once
// From text to a resolved code unit: lexer, parser, semantic pass. A syntax error is thrown
// as SyntaxErrorException and leaves nothing defined.

#include "Ast.h"
#include "GlobalTable.h"

namespace zv::vbs {

// Procedures, declarations and statements (AddCode, ExecuteStatement). With a frame
// procedure: code that Execute runs inside that procedure (its names come first).
std::shared_ptr<CodeUnit> compileProgram(const QString& text, GlobalTable& globals,
                                         const Procedure* frame = nullptr);
// Exactly one expression (Eval), likewise.
std::shared_ptr<CodeUnit> compileExpression(const QString& text, GlobalTable& globals,
                                            const Procedure* frame = nullptr);

} // namespace zv::vbs
