#include "Compiler.h"

#include "Lexer.h"
#include "Parser.h"
#include "Resolver.h"

namespace zv::vbs {

std::shared_ptr<CodeUnit> compileProgram(const QString& text, GlobalTable& globals,
                                         const Procedure* frame) {
    auto source = std::make_shared<const SourceText>(text);
    Parser parser(Lexer(text).tokenize(), source);
    auto unit = parser.parseProgram();
    Resolver(globals).resolveUnit(*unit, frame);
    return unit;
}

std::shared_ptr<CodeUnit> compileExpression(const QString& text, GlobalTable& globals,
                                            const Procedure* frame) {
    auto source = std::make_shared<const SourceText>(text);
    Parser parser(Lexer(text).tokenize(), source);
    auto unit = parser.parseExpressionUnit();
    Resolver(globals).resolveUnit(*unit, frame);
    return unit;
}

} // namespace zv::vbs
