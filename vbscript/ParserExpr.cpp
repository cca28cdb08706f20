// Expressions, by precedence from the loosest: Imp, Eqv, Xor, Or, And, Not, comparisons and
// Is, &, + -, Mod, \, * /, unary minus, ^ (which binds tighter than a leading minus:
// -2 ^ 2 is -4), then primaries with their call and member chains.

#include "Operators.h"
#include "Parser.h"
#include "SyntaxError.h"

namespace zv::vbs {

namespace {

// Trees deeper than this are refused (28), so that no recursive walk over them (resolving,
// evaluating, freeing) can exhaust the native stack.
constexpr int kMaxExprDepth = 400;

template <typename T> std::unique_ptr<T> node(const Token& at) {
    auto n = std::make_unique<T>();
    n->line = at.line;
    n->column = at.column;
    return n;
}

} // namespace

void Parser::setDepth(Expr* e, std::initializer_list<const Expr*> children) {
    int d = 0;
    for (const Expr* c : children)
        if (c) d = std::max(d, c->depth);
    e->depth = d + 1;
    if (e->depth > kMaxExprDepth)
        throw SyntaxErrorException{
            SyntaxError{err::OutOfStack, vbErrorText(err::OutOfStack), e->line, e->column}};
}

struct NestingGuard;

ExprPtr Parser::makeBinary(Op op, ExprPtr l, ExprPtr r, const Token& at) {
    auto b = node<BinaryExpr>(at);
    b->line = l->line;
    b->column = l->column;
    b->op = op;
    setDepth(b.get(), {l.get(), r.get()});
    b->left = std::move(l);
    b->right = std::move(r);
    return b;
}

// "-literal" is folded into a literal, which stays a hard literal in comparisons.
ExprPtr Parser::makeNegation(ExprPtr operand, const Token& at) {
    if (operand->kind == ExprKind::Literal) {
        auto* lit = static_cast<LiteralExpr*>(operand.get());
        if (lit->value.isNumber()) {
            lit->value = opNeg(lit->value);
            lit->line = at.line;
            lit->column = at.column;
            return operand;
        }
    }
    auto u = node<UnaryExpr>(at);
    u->op = Op::Neg;
    setDepth(u.get(), {operand.get()});
    u->operand = std::move(operand);
    return u;
}

ExprPtr Parser::parseExpression() {
    enterNesting();
    ExprPtr e;
    try {
        e = parseImp();
    } catch (...) {
        --nesting_;
        throw;
    }
    --nesting_;
    return e;
}

ExprPtr Parser::parseImp() {
    ExprPtr l = parseEqv();
    while (at(Tok::KwImp)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Imp, std::move(l), parseEqv(), t);
    }
    return l;
}

ExprPtr Parser::parseEqv() {
    ExprPtr l = parseXor();
    while (at(Tok::KwEqv)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Eqv, std::move(l), parseXor(), t);
    }
    return l;
}

ExprPtr Parser::parseXor() {
    ExprPtr l = parseOr();
    while (at(Tok::KwXor)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Xor, std::move(l), parseOr(), t);
    }
    return l;
}

ExprPtr Parser::parseOr() {
    ExprPtr l = parseAnd();
    while (at(Tok::KwOr)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Or, std::move(l), parseAnd(), t);
    }
    return l;
}

ExprPtr Parser::parseAnd() {
    ExprPtr l = parseNot();
    while (at(Tok::KwAnd)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::And, std::move(l), parseNot(), t);
    }
    return l;
}

ExprPtr Parser::parseNot() {
    if (!pendingPrimary_ && at(Tok::KwNot)) {
        const Token& t = tok();
        ++pos_;
        enterNesting();
        ExprPtr operand;
        try {
            operand = parseNot();
        } catch (...) {
            --nesting_;
            throw;
        }
        --nesting_;
        auto u = node<UnaryExpr>(t);
        u->op = Op::Not;
        u->operand = std::move(operand);
        return u;
    }
    return parseCompare();
}

ExprPtr Parser::parseCompare() {
    ExprPtr l = parseConcat();
    for (;;) {
        Op op;
        switch (kind()) {
        case Tok::Eq:
            op = Op::Eq;
            break;
        case Tok::Ne:
            op = Op::Ne;
            break;
        case Tok::Lt:
            op = Op::Lt;
            break;
        case Tok::Gt:
            op = Op::Gt;
            break;
        case Tok::Le:
            op = Op::Le;
            break;
        case Tok::Ge:
            op = Op::Ge;
            break;
        case Tok::KwIs: {
            const Token& t = tok();
            ++pos_;
            auto is = node<IsExpr>(t);
            is->line = l->line;
            is->column = l->column;
            is->left = std::move(l);
            is->right = parseConcat();
            setDepth(is.get(), {is->left.get(), is->right.get()});
            l = std::move(is);
            continue;
        }
        default:
            return l;
        }
        const Token& t = tok();
        ++pos_;
        ExprPtr r = parseConcat();
        auto c = node<CompareExpr>(t);
        c->line = l->line;
        c->column = l->column;
        c->op = op;
        c->hardLeft = isHardLiteral(l.get());
        c->hardRight = isHardLiteral(r.get());
        setDepth(c.get(), {l.get(), r.get()});
        c->left = std::move(l);
        c->right = std::move(r);
        l = std::move(c);
    }
}

ExprPtr Parser::parseConcat() {
    ExprPtr l = parseAdditive();
    while (at(Tok::Amp)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Concat, std::move(l), parseAdditive(), t);
    }
    return l;
}

ExprPtr Parser::parseAdditive() {
    ExprPtr l = parseMod();
    while (at(Tok::Plus) || at(Tok::Minus)) {
        const Token& t = tok();
        Op op = at(Tok::Plus) ? Op::Add : Op::Sub;
        ++pos_;
        l = makeBinary(op, std::move(l), parseMod(), t);
    }
    return l;
}

ExprPtr Parser::parseMod() {
    ExprPtr l = parseIntDiv();
    while (at(Tok::KwMod)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Mod, std::move(l), parseIntDiv(), t);
    }
    return l;
}

ExprPtr Parser::parseIntDiv() {
    ExprPtr l = parseMultiplicative();
    while (at(Tok::Backslash)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::IntDiv, std::move(l), parseMultiplicative(), t);
    }
    return l;
}

ExprPtr Parser::parseMultiplicative() {
    ExprPtr l = parseNegation();
    while (at(Tok::Star) || at(Tok::Slash)) {
        const Token& t = tok();
        Op op = at(Tok::Star) ? Op::Mul : Op::Div;
        ++pos_;
        l = makeBinary(op, std::move(l), parseNegation(), t);
    }
    return l;
}

ExprPtr Parser::parseNegation() {
    if (!pendingPrimary_ && (at(Tok::Minus) || at(Tok::Plus))) {
        const Token& t = tok();
        bool minus = at(Tok::Minus);
        ++pos_;
        enterNesting();
        ExprPtr operand;
        try {
            operand = parseNegation();
        } catch (...) {
            --nesting_;
            throw;
        }
        --nesting_;
        return minus ? makeNegation(std::move(operand), t) : std::move(operand);
    }
    return parsePower();
}

ExprPtr Parser::parsePower() {
    ExprPtr l = parsePrimary();
    while (at(Tok::Caret)) {
        const Token& t = tok();
        ++pos_;
        l = makeBinary(Op::Pow, std::move(l), parsePowerOperand(), t);
    }
    return l;
}

// The right side of ^ may carry its own sign: 2 ^ -1.
ExprPtr Parser::parsePowerOperand() {
    if (at(Tok::Minus) || at(Tok::Plus)) {
        const Token& t = tok();
        bool minus = at(Tok::Minus);
        ++pos_;
        enterNesting();
        ExprPtr operand;
        try {
            operand = parsePowerOperand();
        } catch (...) {
            --nesting_;
            throw;
        }
        --nesting_;
        return minus ? makeNegation(std::move(operand), t) : std::move(operand);
    }
    return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
    if (pendingPrimary_) return std::move(pendingPrimary_);
    const Token& t = tok();
    switch (t.kind) {
    case Tok::Number: {
        auto lit = node<LiteralExpr>(t);
        lit->value = t.value;
        lit->hard = true;
        lit->pure = true;
        ++pos_;
        return lit;
    }
    case Tok::String: {
        auto lit = node<LiteralExpr>(t);
        lit->value = Variant(t.text);
        lit->hard = true;
        lit->pure = true;
        ++pos_;
        return lit;
    }
    case Tok::Date:
    case Tok::KwTrue:
    case Tok::KwFalse:
    case Tok::KwEmpty:
    case Tok::KwNull:
    case Tok::KwNothing: {
        auto lit = node<LiteralExpr>(t);
        lit->pure = true;
        if (t.kind == Tok::Date)
            lit->value = t.value;
        else if (t.kind == Tok::KwTrue)
            lit->value = Variant(true);
        else if (t.kind == Tok::KwFalse)
            lit->value = Variant(false);
        else if (t.kind == Tok::KwNull)
            lit->value = Variant::null();
        else if (t.kind == Tok::KwNothing)
            lit->value = Variant::nothing();
        ++pos_;
        return lit;
    }
    case Tok::LParen: {
        ++pos_;
        auto p = node<ParenExpr>(t);
        p->inner = parseExpression();
        expect(Tok::RParen, cerr::ExpectedRParen);
        return p;
    }
    case Tok::KwNot: {
        // A Not inside an operand: 1 + Not x.
        ++pos_;
        auto u = node<UnaryExpr>(t);
        u->op = Op::Not;
        u->operand = parseExpression();
        return u;
    }
    case Tok::KwNew: {
        ++pos_;
        auto n = node<NewExpr>(t);
        n->name = expectName();
        return n;
    }
    case Tok::Ident:
    case Tok::Dot:
    case Tok::KwMe:
        return parseChain(nullptr);
    default:
        if (isContextualKeyword(t.kind)) return parseChain(nullptr);
        fail(cerr::ExpectedExpression);
    }
}

void Parser::updateChainDepth(Expr* e) {
    const Expr* base = nullptr;
    const std::vector<ExprPtr>* args = nullptr;
    if (e->kind == ExprKind::Name) {
        args = &static_cast<NameExpr*>(e)->args;
    } else if (e->kind == ExprKind::Member) {
        base = static_cast<MemberExpr*>(e)->object.get();
        args = &static_cast<MemberExpr*>(e)->args;
    } else if (e->kind == ExprKind::Index) {
        base = static_cast<IndexExpr*>(e)->target.get();
        args = &static_cast<IndexExpr*>(e)->args;
    }
    setDepth(e, {base});
    if (args)
        for (const auto& a : *args)
            e->depth = std::max(e->depth, a->depth + 1);
}

// A name or a With member, followed by any number of "(args)" and ".member" parts.
ExprPtr Parser::parseChain(ChainInfo* info) {
    enterNesting();
    struct Leave {
        int& n;
        ~Leave() { --n; }
    } leave{nesting_};
    const Token& first = tok();
    ExprPtr e;
    if (at(Tok::KwMe)) {
        if (!meAllowed()) fail(cerr::InvalidUseOfMe);
        ++pos_;
        e = node<MeExpr>(first);
    } else if (accept(Tok::Dot)) {
        auto m = node<MemberExpr>(first);
        if (!at(Tok::Ident) && !isKeyword(kind())) fail(cerr::ExpectedIdentifier);
        m->name = tok().text;
        ++pos_;
        m->withSlot = withStack_.empty() ? -1 : withStack_.back();
        e = std::move(m);
    } else {
        auto n = node<NameExpr>(first);
        n->name = expectName();
        e = std::move(n);
    }
    if (info) info->lastHasParens = false;
    for (;;) {
        if (at(Tok::LParen)) {
            ChainInfo local;
            std::vector<ExprPtr> args = parseArgList(&local);
            if (info) {
                *info = local;
                info->lastHasParens = true;
            }
            if (e->kind == ExprKind::Name && !static_cast<NameExpr*>(e.get())->hasParens) {
                auto* n = static_cast<NameExpr*>(e.get());
                n->hasParens = true;
                n->args = std::move(args);
            } else if (e->kind == ExprKind::Member &&
                       !static_cast<MemberExpr*>(e.get())->hasParens) {
                auto* m = static_cast<MemberExpr*>(e.get());
                m->hasParens = true;
                m->args = std::move(args);
            } else {
                auto ix = node<IndexExpr>(first);
                ix->target = std::move(e);
                ix->args = std::move(args);
                e = std::move(ix);
            }
            updateChainDepth(e.get());
            continue;
        }
        if (at(Tok::Dot) && !tok().spaceBefore) {
            ++pos_;
            auto m = node<MemberExpr>(first);
            if (!at(Tok::Ident) && !isKeyword(kind())) fail(cerr::ExpectedIdentifier);
            m->name = tok().text;
            ++pos_;
            m->object = std::move(e);
            e = std::move(m);
            updateChainDepth(e.get());
            if (info) info->lastHasParens = false;
            continue;
        }
        return e;
    }
}

// "(" args ")": an argument may be left out ("F(1, , 3)"); "()" is no argument at all.
std::vector<ExprPtr> Parser::parseArgList(ChainInfo* info) {
    ++pos_; // "("
    std::vector<ExprPtr> args;
    if (accept(Tok::RParen)) {
        info->lastArgCount = 0;
        return args;
    }
    for (;;) {
        if (at(Tok::Comma) || at(Tok::RParen))
            args.push_back(node<MissingExpr>(tok()));
        else
            args.push_back(parseExpression());
        if (at(Tok::Comma)) {
            if (!info->lastHasComma) {
                info->lastHasComma = true;
                info->commaLine = tok().line;
                info->commaColumn = tok().column;
            }
            ++pos_;
            continue;
        }
        expect(Tok::RParen, cerr::ExpectedRParen);
        break;
    }
    info->lastArgCount = args.size();
    return args;
}

// An argument of a call without parentheses; left out before a comma or the end.
ExprPtr Parser::parseArgument() {
    if (at(Tok::Comma) || atStatementEnd()) return node<MissingExpr>(tok());
    return parseExpression();
}

} // namespace zv::vbs
