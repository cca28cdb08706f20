#include "Compiler.h"

#include "Lexer.h"
#include "Parser.h"
#include "Resolver.h"

namespace zv::vbs {

namespace {

// Lexes text, parses it into a unit with parse (a program or an expression) and resolves the
// unit's names against globals and frame.
std::shared_ptr<CodeUnit> compile(const QString& text, GlobalTable& globals, const Procedure* frame,
                                  std::shared_ptr<CodeUnit> (Parser::*parse)()) {
    auto source = std::make_shared<const SourceText>(text);
    Parser parser(Lexer(text).tokenize(), source);
    auto unit = (parser.*parse)();
    Resolver(globals).resolveUnit(*unit, frame);
    return unit;
}

} // namespace

std::shared_ptr<CodeUnit> compileProgram(const QString& text, GlobalTable& globals,
                                         const Procedure* frame) {
    return compile(text, globals, frame, &Parser::parseProgram);
}

std::shared_ptr<CodeUnit> compileExpression(const QString& text, GlobalTable& globals,
                                            const Procedure* frame) {
    return compile(text, globals, frame, &Parser::parseExpressionUnit);
}

} // namespace zv::vbs
