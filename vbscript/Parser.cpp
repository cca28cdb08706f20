#include "Parser.h"

#include "Operators.h"
#include "StackGuard.h"
#include "SyntaxError.h"

namespace zv::vbs {

namespace {
// Deeper nesting of blocks and expressions than this is refused at compile time, so that
// neither the parser nor the evaluator can run out of native stack on a tree.
constexpr int kMaxNesting = 200;
} // namespace

Parser::Parser(std::vector<Token> tokens, SourcePtr source)
    : tokens_(std::move(tokens)), source_(std::move(source)), stackLimit_(nativeStackLimit()) {
    if (tokens_.empty() || tokens_.back().kind != Tok::End) tokens_.push_back(Token{});
}

// One level deeper: refused past the fixed limit, and also when the native stack runs low
// first (code compiled by Execute deep inside recursion, or on a thread with a small stack).
void Parser::enterNesting() {
    if (++nesting_ > kMaxNesting || belowStackLimit(stackLimit_)) {
        --nesting_;
        throw SyntaxErrorException{
            SyntaxError{err::OutOfStack, vbErrorText(err::OutOfStack), tok().line, tok().column}};
    }
}

const Token& Parser::peekTok(size_t ahead) const {
    size_t at = pos_ + ahead;
    return at < tokens_.size() ? tokens_[at] : tokens_.back();
}

bool Parser::accept(Tok k) {
    if (!at(k)) return false;
    ++pos_;
    return true;
}

const Token& Parser::expect(Tok k, int errorNumber) {
    if (!at(k)) fail(errorNumber);
    return tokens_[pos_++];
}

void Parser::fail(int number) const {
    failAt(number, tok());
}

void Parser::failAt(int number, const Token& t) const {
    raiseSyntax(number, t.line, t.column);
}

// A statement also ends right before an End on its line: "x = 1 End Sub".
bool Parser::atStatementEnd() const {
    Tok k = kind();
    return k == Tok::Newline || k == Tok::Colon || k == Tok::End || k == Tok::KwEnd ||
           (singleLineIf_ > 0 && k == Tok::KwElse);
}

bool Parser::canStartStatement() const {
    switch (kind()) {
    case Tok::Ident:
    case Tok::Dot:
    case Tok::KwMe:
    case Tok::KwDim:
    case Tok::KwConst:
    case Tok::KwReDim:
    case Tok::KwErase:
    case Tok::KwIf:
    case Tok::KwSelect:
    case Tok::KwFor:
    case Tok::KwDo:
    case Tok::KwWhile:
    case Tok::KwExit:
    case Tok::KwWith:
    case Tok::KwOn:
    case Tok::KwCall:
    case Tok::KwSet:
    case Tok::KwLet:
    case Tok::KwStop:
        return true;
    default:
        return isContextualKeyword(kind());
    }
}

void Parser::expectStatementEnd() {
    if (!atStatementEnd()) fail(cerr::ExpectedEndOfStatement);
}

void Parser::skipSeparators() {
    while (at(Tok::Newline) || at(Tok::Colon))
        ++pos_;
}

bool Parser::isNameToken() const {
    return at(Tok::Ident) || isContextualKeyword(kind());
}

QString Parser::expectName() {
    if (!isNameToken()) fail(cerr::ExpectedIdentifier);
    return tokens_[pos_++].text;
}

// ---- program structure ----

std::shared_ptr<CodeUnit> Parser::parseProgram() {
    auto unit = std::make_shared<CodeUnit>();
    unit->source = source_;
    unit_ = unit.get();
    decls_ = &unit->decls;
    parseTopLevel(*unit);
    unit->hiddenCount = withCount_;
    return unit;
}

std::shared_ptr<CodeUnit> Parser::parseExpressionUnit() {
    auto unit = std::make_shared<CodeUnit>();
    unit->source = source_;
    unit_ = unit.get();
    decls_ = &unit->decls;
    while (at(Tok::Newline))
        ++pos_;
    if (at(Tok::End) || at(Tok::Colon)) fail(cerr::ExpectedExpression);
    unit->expression = parseExpression();
    while (at(Tok::Newline))
        ++pos_;
    if (!at(Tok::End)) fail(cerr::ExpectedEndOfStatement);
    return unit;
}

void Parser::parseTopLevel(CodeUnit& unit) {
    for (;;) {
        skipSeparators();
        if (at(Tok::End)) return;
        if (at(Tok::KwOption)) {
            if (sawStatement_) fail(cerr::ExpectedStatement);
            ++pos_;
            expect(Tok::KwExplicit, cerr::SyntaxError);
            unit.optionExplicit = true;
            sawStatement_ = true;
            expectStatementEnd();
            continue;
        }
        sawStatement_ = true;
        if (at(Tok::KwClass)) {
            parseClass(unit);
            expectStatementEnd();
            continue;
        }
        bool isPublic = true;
        if ((at(Tok::KwPublic) || at(Tok::KwPrivate)) &&
            (peekTok().kind == Tok::KwSub || peekTok().kind == Tok::KwFunction ||
             peekTok().kind == Tok::KwProperty)) {
            isPublic = at(Tok::KwPublic);
            ++pos_;
        }
        if (at(Tok::KwProperty)) {
            Tok next = peekTok().kind;
            if (next == Tok::KwGet || next == Tok::KwLet || next == Tok::KwSet)
                fail(cerr::MustBeInsideClass);
        }
        if (at(Tok::KwSub) || at(Tok::KwFunction)) {
            unit.procedures.push_back(parseProcedure(isPublic, false));
            expectStatementEnd();
            continue;
        }
        if (atBlockEnd()) {
            if (at(Tok::KwNext)) fail(cerr::UnexpectedNext);
            if (at(Tok::KwLoop)) fail(cerr::LoopWithoutDo);
            fail(cerr::ExpectedStatement);
        }
        parseStatementInto(unit.body);
    }
}

// Sub, Function or (in a class) Property Get/Let/Set, from its keyword to its End line.
std::shared_ptr<Procedure> Parser::parseProcedure(bool isPublic, bool isDefault) {
    auto proc = std::make_shared<Procedure>();
    if (accept(Tok::KwSub)) {
        proc->kind = ProcKind::Sub;
    } else if (accept(Tok::KwFunction)) {
        proc->kind = ProcKind::Function;
    } else {
        ++pos_; // Property
        if (accept(Tok::KwGet))
            proc->kind = ProcKind::PropertyGet;
        else if (accept(Tok::KwLet))
            proc->kind = ProcKind::PropertyLet;
        else if (accept(Tok::KwSet))
            proc->kind = ProcKind::PropertySet;
        else
            fail(cerr::ExpectedLetSetGet);
    }
    bool isProperty = proc->kind >= ProcKind::PropertyGet;
    proc->line = tok().line; // the name, where a redefinition is reported
    proc->column = tok().column;
    proc->isFunction = proc->kind == ProcKind::Function || proc->kind == ProcKind::PropertyGet;
    proc->isPublic = isPublic;
    proc->isDefault = isDefault;
    proc->owner = class_;
    proc->source = source_;
    proc->optionExplicit = unit_->optionExplicit;
    proc->name = expectName();
    bool paramList = false;
    if (accept(Tok::LParen)) {
        paramList = true;
        if (!accept(Tok::RParen)) {
            parseParams(*proc);
            expect(Tok::RParen, cerr::ExpectedRParen);
        }
    }
    if ((proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet) &&
        proc->params.empty())
        raiseSyntax(cerr::PropertyNeedsArgument, proc->line, proc->column);
    // After a parameter list the body may start on the same line: "Sub S() x = 1 End Sub".
    if (!paramList) expectStatementEnd();

    // The procedure is a scope of its own (it may sit inside a block of global code).
    auto* savedDecls = decls_;
    int savedWithCount = withCount_;
    int savedDo = doDepth_, savedFor = forDepth_, savedSingle = singleLineIf_;
    std::vector<int> savedWith = std::move(withStack_);
    proc_ = proc.get();
    decls_ = &proc->decls;
    doDepth_ = forDepth_ = singleLineIf_ = 0;
    withCount_ = 0;
    withStack_.clear();

    parseBlock(proc->body);
    if (!at(Tok::KwEnd)) {
        if (at(Tok::KwNext)) fail(cerr::UnexpectedNext);
        if (at(Tok::KwLoop)) fail(cerr::LoopWithoutDo);
        fail(cerr::ExpectedEnd);
    }
    ++pos_;
    if (isProperty)
        expect(Tok::KwProperty, cerr::ExpectedProperty);
    else if (proc->kind == ProcKind::Function)
        expect(Tok::KwFunction, cerr::ExpectedFunction);
    else
        expect(Tok::KwSub, cerr::ExpectedSub);
    proc->hiddenCount = withCount_;

    proc_ = nullptr;
    decls_ = savedDecls;
    withCount_ = savedWithCount;
    doDepth_ = savedDo;
    forDepth_ = savedFor;
    singleLineIf_ = savedSingle;
    withStack_ = std::move(savedWith);
    return proc;
}

void Parser::parseParams(Procedure& proc) {
    for (;;) {
        Param p;
        if (accept(Tok::KwByVal))
            p.byVal = true;
        else
            accept(Tok::KwByRef);
        p.line = tok().line;
        p.column = tok().column;
        p.name = expectName();
        if (accept(Tok::LParen)) expect(Tok::RParen, cerr::ExpectedRParen);
        proc.params.push_back(std::move(p));
        if (!accept(Tok::Comma)) return;
    }
}

bool Parser::atBlockEnd() const {
    switch (kind()) {
    case Tok::End:
    case Tok::KwEnd:
    case Tok::KwElse:
    case Tok::KwElseIf:
    case Tok::KwCase:
    case Tok::KwNext:
    case Tok::KwLoop:
    case Tok::KwWend:
        return true;
    default:
        return false;
    }
}

void Parser::parseBlock(Block& block) {
    NestingGuard guard(*this);
    for (;;) {
        skipSeparators();
        if (atBlockEnd()) return;
        parseStatementInto(block);
    }
}

void Parser::parseStatementInto(Block& block) {
    StmtPtr s = parseStatement();
    if (s) block.stmts.push_back(std::move(s));
    expectStatementEnd();
}

StmtPtr Parser::parseStatement() {
    const Token& start = tok();
    StmtPtr s;
    switch (kind()) {
    case Tok::KwDim:
        ++pos_;
        s = parseDim();
        if (!s) return nullptr;
        break;
    case Tok::KwSub:
    case Tok::KwFunction:
        // A procedure inside a block of global code is defined whatever the block does.
        if (proc_ || class_) fail(cerr::ExpectedStatement);
        unit_->procedures.push_back(parseProcedure(true, false));
        return nullptr;
    case Tok::KwPublic:
    case Tok::KwPrivate:
        if (proc_) fail(cerr::ExpectedStatement);
        if (peekTok().kind == Tok::KwSub || peekTok().kind == Tok::KwFunction) {
            bool isPublic = at(Tok::KwPublic);
            ++pos_;
            unit_->procedures.push_back(parseProcedure(isPublic, false));
            return nullptr;
        }
        ++pos_;
        if (at(Tok::KwConst)) {
            ++pos_;
            parseConst();
            return nullptr;
        }
        s = parseDim();
        if (!s) return nullptr;
        break;
    case Tok::KwConst:
        ++pos_;
        parseConst();
        return nullptr;
    case Tok::KwReDim:
        s = parseReDim();
        break;
    case Tok::KwErase:
        s = parseErase();
        break;
    case Tok::KwIf:
        s = parseIf();
        break;
    case Tok::KwSelect:
        s = parseSelect();
        break;
    case Tok::KwFor:
        s = parseFor();
        break;
    case Tok::KwDo:
        s = parseDo();
        break;
    case Tok::KwWhile:
        s = parseWhile();
        break;
    case Tok::KwExit:
        s = parseExit();
        break;
    case Tok::KwWith:
        s = parseWith();
        break;
    case Tok::KwOn:
        s = parseOnError();
        break;
    case Tok::KwCall:
        s = parseCall();
        break;
    case Tok::KwSet:
        s = parseSetOrLet(true);
        break;
    case Tok::KwLet:
        s = parseSetOrLet(false);
        break;
    case Tok::KwStop:
        ++pos_;
        s = std::make_unique<NothingStmt>();
        break;
    case Tok::Ident:
    case Tok::Dot:
    case Tok::KwMe:
        s = parseAssignOrCall();
        break;
    default:
        if (isContextualKeyword(kind())) {
            s = parseAssignOrCall();
            break;
        }
        fail(cerr::ExpectedStatement);
    }
    s->line = start.line;
    s->column = start.column;
    return s;
}

// Statements of a one-line If part: up to the line end or (for the Then part) the Else. They
// nest like a block: "If a Then If b Then ..." is one level deeper at each If.
void Parser::parseSingleLineBody(Block& block) {
    NestingGuard guard(*this);
    for (;;) {
        if (accept(Tok::Colon)) continue;
        if (at(Tok::Newline) || at(Tok::End) || at(Tok::KwElse) || at(Tok::KwEnd)) return;
        parseStatementInto(block);
    }
}

// ---- declarations ----

// Names declared by Dim (Public, Private) go to the scope's declarations; arrays also get a
// statement that makes them where the Dim stands (nullptr when there is none).
StmtPtr Parser::parseDim() {
    std::unique_ptr<DimArrayStmt> arrays;
    for (;;) {
        Declaration d;
        d.line = tok().line;
        d.column = tok().column;
        d.name = expectName();
        if (accept(Tok::LParen)) {
            if (accept(Tok::RParen)) {
                d.kind = DeclKind::DynamicArray;
            } else {
                d.kind = DeclKind::FixedArray;
                for (;;) {
                    if (!at(Tok::Number) || !(tok().value.isInteger16() || tok().value.isLong()))
                        fail(cerr::ExpectedIntegerConstant);
                    int32_t upper = int32_t(tok().value.numericValue());
                    ++pos_;
                    d.bounds.emplace_back(0, upper);
                    if (!accept(Tok::Comma)) break;
                }
                expect(Tok::RParen, cerr::ExpectedRParen);
            }
            if (!arrays) arrays = std::make_unique<DimArrayStmt>();
            DimArrayItem item;
            item.var = std::make_unique<NameExpr>();
            item.var->name = d.name;
            item.var->line = d.line;
            item.var->column = d.column;
            item.fixed = d.kind == DeclKind::FixedArray;
            item.bounds = d.bounds;
            arrays->items.push_back(std::move(item));
        }
        decls_->push_back(std::move(d));
        if (!accept(Tok::Comma)) return arrays;
    }
}

Variant Parser::parseConstantValue() {
    bool negate = false;
    if (at(Tok::Minus) || at(Tok::Plus)) {
        negate = at(Tok::Minus);
        ++pos_;
        if (!at(Tok::Number)) fail(cerr::ExpectedLiteralConstant);
    }
    Variant v;
    switch (kind()) {
    case Tok::Number:
        v = negate ? opNeg(tok().value) : tok().value;
        break;
    case Tok::String:
        v = Variant(tok().text);
        break;
    case Tok::Date:
        v = tok().value;
        break;
    case Tok::KwTrue:
        v = Variant(true);
        break;
    case Tok::KwFalse:
        v = Variant(false);
        break;
    case Tok::KwEmpty:
        break;
    case Tok::KwNull:
        v = Variant::null();
        break;
    case Tok::KwNothing:
        v = Variant::nothing();
        break;
    default:
        fail(cerr::ExpectedLiteralConstant);
    }
    ++pos_;
    return v;
}

void Parser::parseConst() {
    for (;;) {
        Declaration d;
        d.kind = DeclKind::Constant;
        d.line = tok().line;
        d.column = tok().column;
        d.name = expectName();
        expect(Tok::Eq, cerr::ExpectedEquals);
        d.value = parseConstantValue();
        decls_->push_back(std::move(d));
        if (!accept(Tok::Comma)) return;
    }
}

std::unique_ptr<NameExpr> Parser::parsePlainName(int errorNumber) {
    if (!isNameToken()) fail(errorNumber);
    auto n = std::make_unique<NameExpr>();
    n->line = tok().line;
    n->column = tok().column;
    n->name = tok().text;
    ++pos_;
    return n;
}

StmtPtr Parser::parseReDim() {
    ++pos_;
    auto s = std::make_unique<ReDimStmt>();
    s->preserve = accept(Tok::KwPreserve);
    for (;;) {
        ReDimItem item;
        item.var = parsePlainName(cerr::ExpectedIdentifier);
        expect(Tok::LParen, cerr::ExpectedLParen);
        for (;;) {
            item.bounds.push_back(parseExpression());
            if (!accept(Tok::Comma)) break;
        }
        expect(Tok::RParen, cerr::ExpectedRParen);
        s->items.push_back(std::move(item));
        if (!accept(Tok::Comma)) break;
    }
    return s;
}

StmtPtr Parser::parseErase() {
    ++pos_;
    auto s = std::make_unique<EraseStmt>();
    for (;;) {
        s->vars.push_back(parsePlainName(cerr::ExpectedIdentifier));
        if (!accept(Tok::Comma)) break;
    }
    return s;
}

// ---- compound statements ----

// After a block: "End <what>"; anything else is reported as the missing word.
void Parser::expectEnd(Tok what, int errorNumber) {
    if (at(Tok::KwEnd)) {
        if (peekTok().kind != what) failAt(errorNumber, peekTok());
        pos_ += 2;
        return;
    }
    fail(cerr::ExpectedEnd);
}

StmtPtr Parser::parseIf() {
    ++pos_;
    auto s = std::make_unique<IfStmt>();
    IfArm first;
    first.condition = parseExpression();
    expect(Tok::KwThen, cerr::ExpectedThen);
    if (!at(Tok::Newline) && !at(Tok::End)) {
        // One-line form: every ":" statement after Then belongs to it, up to Else or the
        // line end.
        ++singleLineIf_;
        parseSingleLineBody(first.body);
        s->arms.push_back(std::move(first));
        if (accept(Tok::KwElse)) parseSingleLineBody(s->elseBody);
        --singleLineIf_;
        // "If c Then a Else b End If" on one line.
        if (at(Tok::KwEnd) && peekTok().kind == Tok::KwIf) pos_ += 2;
        return s;
    }
    int savedSingle = singleLineIf_;
    singleLineIf_ = 0;
    parseBlock(first.body);
    s->arms.push_back(std::move(first));
    for (;;) {
        if (at(Tok::KwElseIf)) {
            ++pos_;
            IfArm arm;
            arm.condition = parseExpression();
            expect(Tok::KwThen, cerr::ExpectedThen);
            parseBlock(arm.body);
            s->arms.push_back(std::move(arm));
            continue;
        }
        if (at(Tok::KwElse)) {
            ++pos_;
            parseBlock(s->elseBody);
        }
        break;
    }
    expectEnd(Tok::KwIf, cerr::ExpectedIf);
    singleLineIf_ = savedSingle;
    return s;
}

StmtPtr Parser::parseSelect() {
    ++pos_;
    expect(Tok::KwCase, cerr::ExpectedCase);
    auto s = std::make_unique<SelectStmt>();
    s->test = parseExpression();
    expectStatementEnd();
    int savedSingle = singleLineIf_;
    singleLineIf_ = 0;
    skipSeparators();
    bool sawElse = false;
    while (at(Tok::KwCase) && !sawElse) {
        ++pos_;
        CaseArm arm;
        if (accept(Tok::KwElse)) {
            sawElse = true;
        } else {
            for (;;) {
                arm.values.push_back(parseExpression());
                if (!accept(Tok::Comma)) break;
            }
        }
        // The first statement of the arm may follow on the same line without ":".
        if (!atStatementEnd() && canStartStatement())
            parseStatementInto(arm.body);
        else
            expectStatementEnd();
        parseBlock(arm.body);
        s->arms.push_back(std::move(arm));
    }
    if (at(Tok::KwEnd))
        expectEnd(Tok::KwSelect, cerr::ExpectedSelect);
    else if (at(Tok::End) || sawElse)
        fail(cerr::ExpectedEnd);
    else
        fail(cerr::ExpectedCase);
    singleLineIf_ = savedSingle;
    return s;
}

StmtPtr Parser::parseFor() {
    ++pos_;
    if (accept(Tok::KwEach)) {
        auto s = std::make_unique<ForEachStmt>();
        s->var = parsePlainName(cerr::ExpectedIdentifier);
        if (at(Tok::LParen) || at(Tok::Dot)) fail(cerr::InvalidForVariable);
        expect(Tok::KwIn, cerr::ExpectedIn);
        s->collection = parseExpression();
        expectStatementEnd();
        ++forDepth_;
        parseBlock(s->body);
        --forDepth_;
        expect(Tok::KwNext, cerr::ExpectedNext);
        return s;
    }
    auto s = std::make_unique<ForStmt>();
    s->var = parsePlainName(cerr::ExpectedIdentifier);
    if (at(Tok::LParen) || at(Tok::Dot)) fail(cerr::InvalidForVariable);
    expect(Tok::Eq, cerr::ExpectedEquals);
    s->start = parseExpression();
    expect(Tok::KwTo, cerr::ExpectedTo);
    s->limit = parseExpression();
    if (accept(Tok::KwStep)) s->step = parseExpression();
    expectStatementEnd();
    ++forDepth_;
    parseBlock(s->body);
    --forDepth_;
    expect(Tok::KwNext, cerr::ExpectedNext);
    return s;
}

StmtPtr Parser::parseDo() {
    ++pos_;
    auto s = std::make_unique<DoStmt>();
    if (at(Tok::KwWhile) || at(Tok::KwUntil)) {
        s->test = at(Tok::KwWhile) ? LoopTest::PreWhile : LoopTest::PreUntil;
        ++pos_;
        s->condition = parseExpression();
    }
    if (!atStatementEnd()) fail(cerr::ExpectedWhileUntilEnd);
    ++doDepth_;
    parseBlock(s->body);
    --doDepth_;
    expect(Tok::KwLoop, cerr::ExpectedLoop);
    if (at(Tok::KwWhile) || at(Tok::KwUntil)) {
        if (s->test != LoopTest::None) fail(cerr::ExpectedEndOfStatement);
        s->test = at(Tok::KwWhile) ? LoopTest::PostWhile : LoopTest::PostUntil;
        ++pos_;
        s->condition = parseExpression();
    } else if (!atStatementEnd()) {
        fail(cerr::ExpectedWhileUntilEnd);
    }
    return s;
}

StmtPtr Parser::parseWhile() {
    ++pos_;
    auto s = std::make_unique<DoStmt>();
    s->test = LoopTest::PreWhile;
    s->whileWend = true;
    s->condition = parseExpression();
    expectStatementEnd();
    // Exit Do does not apply to While...Wend: an enclosing Do keeps its depth.
    parseBlock(s->body);
    expect(Tok::KwWend, cerr::ExpectedWend);
    return s;
}

StmtPtr Parser::parseExit() {
    ++pos_;
    auto s = std::make_unique<ExitStmt>();
    switch (kind()) {
    case Tok::KwDo:
        if (doDepth_ == 0) fail(cerr::InvalidExit);
        s->what = ExitKind::Do;
        break;
    case Tok::KwFor:
        if (forDepth_ == 0) fail(cerr::InvalidExit);
        s->what = ExitKind::For;
        break;
    case Tok::KwSub:
        if (!proc_ || proc_->kind != ProcKind::Sub) fail(cerr::InvalidExit);
        s->what = ExitKind::Sub;
        break;
    case Tok::KwFunction:
        if (!proc_ || proc_->kind != ProcKind::Function) fail(cerr::InvalidExit);
        s->what = ExitKind::Function;
        break;
    case Tok::KwProperty:
        if (!proc_ || proc_->kind < ProcKind::PropertyGet) fail(cerr::InvalidExit);
        s->what = ExitKind::Property;
        break;
    default:
        fail(cerr::SyntaxError);
    }
    ++pos_;
    return s;
}

StmtPtr Parser::parseWith() {
    ++pos_;
    auto s = std::make_unique<WithStmt>();
    s->object = parseExpression();
    expectStatementEnd();
    s->slot = withCount_++;
    withStack_.push_back(s->slot);
    int savedSingle = singleLineIf_;
    singleLineIf_ = 0;
    parseBlock(s->body);
    singleLineIf_ = savedSingle;
    withStack_.pop_back();
    expectEnd(Tok::KwWith, cerr::ExpectedWith);
    return s;
}

StmtPtr Parser::parseOnError() {
    ++pos_;
    expect(Tok::KwError, cerr::SyntaxError);
    auto s = std::make_unique<OnErrorStmt>();
    if (accept(Tok::KwResume)) {
        expect(Tok::KwNext, cerr::SyntaxError);
        s->resumeNext = true;
    } else if (accept(Tok::KwGoTo)) {
        if (!at(Tok::Number) || tok().value.numericValue() != 0) fail(cerr::SyntaxError);
        ++pos_;
    } else {
        fail(cerr::SyntaxError);
    }
    return s;
}

StmtPtr Parser::parseCall() {
    ++pos_;
    auto s = std::make_unique<CallStmt>();
    // "Call (f) (x)", "Call (New C).M": a parenthesised or new object with its chain.
    if (at(Tok::LParen) || at(Tok::KwNew)) {
        s->callee = parsePrimary();
        return s;
    }
    if (!isNameToken() && !at(Tok::Dot) && !at(Tok::KwMe)) fail(cerr::ExpectedIdentifier);
    s->callee = parseChain(nullptr);
    return s;
}

StmtPtr Parser::parseSetOrLet(bool isSet) {
    ++pos_;
    if (!isNameToken() && !at(Tok::Dot) && !at(Tok::KwMe)) fail(cerr::ExpectedIdentifier);
    auto s = std::make_unique<AssignStmt>();
    s->isSet = isSet;
    s->target = parseChain(nullptr);
    expect(Tok::Eq, cerr::ExpectedEquals);
    s->value = parseExpression();
    return s;
}

namespace {

// The arguments attached to the last element of a call chain.
std::vector<ExprPtr>* chainArgs(Expr* e) {
    switch (e->kind) {
    case ExprKind::Name:
        return &static_cast<NameExpr*>(e)->args;
    case ExprKind::Member:
        return &static_cast<MemberExpr*>(e)->args;
    case ExprKind::Index:
        return &static_cast<IndexExpr*>(e)->args;
    default:
        return nullptr;
    }
}

void setHasParens(Expr* e, bool value) {
    if (e->kind == ExprKind::Name)
        static_cast<NameExpr*>(e)->hasParens = value;
    else if (e->kind == ExprKind::Member)
        static_cast<MemberExpr*>(e)->hasParens = value;
}

} // namespace

// A statement that starts with a name: an assignment "target = value" or a call. In a call
// without Call, a parenthesised group right after the name is not an argument list but the
// start of the first argument: "F (a)" passes (a) by value, "M (a + b) * c" passes the whole
// product, and "F(a, b)" is refused (1044).
StmtPtr Parser::parseAssignOrCall() {
    ChainInfo info;
    ExprPtr chain = parseChain(&info);
    if (accept(Tok::Eq)) {
        auto s = std::make_unique<AssignStmt>();
        s->target = std::move(chain);
        s->value = parseExpression();
        return s;
    }
    auto s = std::make_unique<CallStmt>();
    if (atStatementEnd()) {
        if (!info.lastHasParens && at(Tok::KwElse)) fail(cerr::ExpectedExpression);
        if (info.lastHasParens) {
            if (info.lastArgCount >= 2)
                raiseSyntax(cerr::ParenthesesOnSubCall, info.commaLine, info.commaColumn);
            auto* args = chainArgs(chain.get());
            if (info.lastArgCount == 1 && (*args)[0]->kind != ExprKind::Missing) {
                auto paren = std::make_unique<ParenExpr>();
                paren->line = (*args)[0]->line;
                paren->column = (*args)[0]->column;
                paren->inner = std::move((*args)[0]);
                (*args)[0] = std::move(paren);
            }
        }
        s->callee = std::move(chain);
        return s;
    }
    if (info.lastHasParens) {
        if (info.lastArgCount != 1) fail(cerr::ExpectedEndOfStatement);
        auto* args = chainArgs(chain.get());
        auto paren = std::make_unique<ParenExpr>();
        paren->line = (*args)[0]->line;
        paren->column = (*args)[0]->column;
        paren->inner = std::move((*args)[0]);
        args->clear();
        setHasParens(chain.get(), false);
        if (chain->kind == ExprKind::Index)
            chain = std::move(static_cast<IndexExpr*>(chain.get())->target);
        pendingPrimary_ = std::move(paren);
    } else if (chain->kind == ExprKind::Index) {
        fail(cerr::ExpectedEndOfStatement);
    }
    std::vector<ExprPtr> args;
    args.push_back(pendingPrimary_ ? parseExpression() : parseArgument());
    while (accept(Tok::Comma))
        args.push_back(parseArgument());
    auto* target = chainArgs(chain.get());
    if (!target) fail(cerr::ExpectedEndOfStatement);
    *target = std::move(args);
    s->callee = std::move(chain);
    return s;
}

} // namespace zv::vbs
