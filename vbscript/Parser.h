#pragma once
// Builds the syntax tree of a code unit from its tokens. Two forms: a program (procedures,
// declarations and statements: AddCode, ExecuteStatement) and a single expression (Eval). The
// first syntax error is raised as a SyntaxErrorException with the offending token's position.

#include "Ast.h"
#include "Token.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace zv::vbs {

class Parser {
public:
    Parser(std::vector<Token> tokens, SourcePtr source);

    std::shared_ptr<CodeUnit> parseProgram();
    std::shared_ptr<CodeUnit> parseExpressionUnit();

private:
    // ---- token access ----
    const Token& tok() const { return tokens_[pos_]; }
    const Token& peekTok(size_t ahead = 1) const;
    Tok kind() const { return tokens_[pos_].kind; }
    bool at(Tok k) const { return kind() == k; }
    bool accept(Tok k);
    const Token& expect(Tok k, int errorNumber);
    [[noreturn]] void fail(int number) const;
    [[noreturn]] void failAt(int number, const Token& t) const;
    bool atStatementEnd() const;
    bool canStartStatement() const;
    void expectStatementEnd();
    void skipSeparators();
    bool isNameToken() const;
    QString expectName();

    // ---- program structure ----
    void parseTopLevel(CodeUnit& unit);
    std::shared_ptr<Procedure> parseProcedure(bool isPublic, bool isDefault);
    void parseClass(CodeUnit& unit);
    void parseClassFields(ClassDecl& cls, bool isPublic);
    void addClassProcedure(ClassDecl& cls, const std::shared_ptr<Procedure>& proc);
    bool atDefaultModifier() const;
    void parseParams(Procedure& proc);
    void parseBlock(Block& block);
    bool atBlockEnd() const;
    void parseStatementInto(Block& block);
    StmtPtr parseStatement();
    void parseSingleLineBody(Block& block);

    // ---- statements ----
    StmtPtr parseDim();
    void parseConst();
    StmtPtr parseReDim();
    StmtPtr parseErase();
    StmtPtr parseIf();
    StmtPtr parseSelect();
    StmtPtr parseFor();
    StmtPtr parseDo();
    StmtPtr parseWhile();
    StmtPtr parseExit();
    StmtPtr parseWith();
    StmtPtr parseOnError();
    StmtPtr parseCall();
    StmtPtr parseAssignOrCall();
    StmtPtr parseSetOrLet(bool isSet);
    void expectEnd(Tok what, int errorNumber);
    std::unique_ptr<NameExpr> parsePlainName(int errorNumber);

    // ---- expressions ----
    struct ChainInfo {
        bool lastHasParens = false; // the chain ends in "(...)"
        size_t lastArgCount = 0;
        bool lastHasComma = false;
        int commaLine = 0, commaColumn = 0;
    };
    ExprPtr parseChain(ChainInfo* info);
    // The "(args)" and ".member" parts after a head (a name, a parenthesised expression, a new
    // object), first being the head's token.
    ExprPtr continueChain(ExprPtr e, const Token& first, ChainInfo* info);
    ExprPtr parenChain(ExprPtr paren, const Token& first);
    std::vector<ExprPtr> parseArgList(ChainInfo* info); // after "("
    ExprPtr parseArgument();
    ExprPtr parseExpression();
    ExprPtr parseImp();
    ExprPtr parseEqv();
    ExprPtr parseXor();
    ExprPtr parseOr();
    ExprPtr parseAnd();
    ExprPtr parseNot();
    ExprPtr parseCompare();
    ExprPtr parseConcat();
    ExprPtr parseAdditive();
    ExprPtr parseMod();
    ExprPtr parseIntDiv();
    ExprPtr parseMultiplicative();
    ExprPtr parsePower();
    ExprPtr parseSignedPrimary();
    ExprPtr parsePrimary();
    ExprPtr makeBinary(Op op, ExprPtr l, ExprPtr r, const Token& at);
    ExprPtr makeNegation(ExprPtr operand, const Token& at);
    Variant parseConstantValue();
    static void setDepth(Expr* e, std::initializer_list<const Expr*> children);
    static void updateChainDepth(Expr* e);
    void enterNesting();
    // One level of left-associative binary operators: operands parsed by operand, joined while
    // the token is one of ops, each paired with the operator it makes.
    ExprPtr parseBinaryLevel(ExprPtr (Parser::*operand)(),
                             std::initializer_list<std::pair<Tok, Op>> ops);
    // A leading sign and the operand after it, parsed one nesting level deeper; a minus
    // negates it.
    ExprPtr parseSigned(ExprPtr (Parser::*operand)());

    std::vector<Token> tokens_;
    size_t pos_ = 0;
    SourcePtr source_;

    // Context of the statement being parsed.
    Procedure* proc_ = nullptr;  // null in global code
    ClassDecl* class_ = nullptr; // the class whose body is parsed
    CodeUnit* unit_ = nullptr;
    std::vector<Declaration>* decls_ = nullptr; // where Dim/Const of this scope go
    int doDepth_ = 0;
    int forDepth_ = 0;
    int singleLineIf_ = 0;
    std::vector<int> withStack_; // hidden indexes of the enclosing With blocks
    int withCount_ = 0;          // With blocks of the current scope
    int nesting_ = 0;            // nesting of expressions and blocks (stack guard)
    uintptr_t stackLimit_ = 0;   // see StackGuard.h
    bool sawStatement_ = false;  // for Option Explicit, which must come first
    ExprPtr pendingPrimary_;     // a parenthesised first argument, re-read as a primary

    friend struct NestingGuard;
};

// One more level of nesting for the guard's lifetime (refused past the limit).
struct NestingGuard {
    Parser& p;
    explicit NestingGuard(Parser& parser) : p(parser) { p.enterNesting(); }
    ~NestingGuard() { --p.nesting_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

} // namespace zv::vbs
