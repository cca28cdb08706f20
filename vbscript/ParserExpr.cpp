// Expressions, by precedence from the loosest: Imp, Eqv, Xor, Or, And, Not, comparisons and
// Is, &, + -, Mod, \, * /, ^, then a signed primary (a leading minus binds tighter than ^:
// -2 ^ 2 is 4) with its call and member chains.

#include "Lexer.h"
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
    NestingGuard nested(*this);
    return parseImp();
}

ExprPtr Parser::parseBinaryLevel(ExprPtr (Parser::*operand)(),
                                 std::initializer_list<std::pair<Tok, Op>> ops) {
    ExprPtr l = (this->*operand)();
    for (;;) {
        const std::pair<Tok, Op>* match = nullptr;
        for (const auto& op : ops)
            if (at(op.first)) {
                match = &op;
                break;
            }
        if (!match) return l;
        const Token& t = tok();
        ++pos_;
        l = makeBinary(match->second, std::move(l), (this->*operand)(), t);
    }
}

ExprPtr Parser::parseSigned(ExprPtr (Parser::*operand)()) {
    const Token& t = tok();
    const bool minus = at(Tok::Minus);
    ++pos_;
    NestingGuard nested(*this);
    ExprPtr e = (this->*operand)();
    return minus ? makeNegation(std::move(e), t) : std::move(e);
}

ExprPtr Parser::parseImp() {
    return parseBinaryLevel(&Parser::parseEqv, {{Tok::KwImp, Op::Imp}});
}

ExprPtr Parser::parseEqv() {
    return parseBinaryLevel(&Parser::parseXor, {{Tok::KwEqv, Op::Eqv}});
}

ExprPtr Parser::parseXor() {
    return parseBinaryLevel(&Parser::parseOr, {{Tok::KwXor, Op::Xor}});
}

ExprPtr Parser::parseOr() {
    return parseBinaryLevel(&Parser::parseAnd, {{Tok::KwOr, Op::Or}});
}

ExprPtr Parser::parseAnd() {
    return parseBinaryLevel(&Parser::parseNot, {{Tok::KwAnd, Op::And}});
}

ExprPtr Parser::parseNot() {
    if (!pendingPrimary_ && at(Tok::KwNot)) {
        const Token& t = tok();
        ++pos_;
        NestingGuard nested(*this);
        ExprPtr operand = parseNot();
        auto u = node<UnaryExpr>(t);
        u->op = Op::Not;
        setDepth(u.get(), {operand.get()});
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
    return parseBinaryLevel(&Parser::parseAdditive, {{Tok::Amp, Op::Concat}});
}

ExprPtr Parser::parseAdditive() {
    return parseBinaryLevel(&Parser::parseMod, {{Tok::Plus, Op::Add}, {Tok::Minus, Op::Sub}});
}

ExprPtr Parser::parseMod() {
    return parseBinaryLevel(&Parser::parseIntDiv, {{Tok::KwMod, Op::Mod}});
}

ExprPtr Parser::parseIntDiv() {
    return parseBinaryLevel(&Parser::parseMultiplicative, {{Tok::Backslash, Op::IntDiv}});
}

ExprPtr Parser::parseMultiplicative() {
    return parseBinaryLevel(&Parser::parsePower, {{Tok::Star, Op::Mul}, {Tok::Slash, Op::Div}});
}

ExprPtr Parser::parsePower() {
    return parseBinaryLevel(&Parser::parseSignedPrimary, {{Tok::Caret, Op::Pow}});
}

// A primary with any leading signs: -2 ^ 2 squares -2, 2 ^ -1 is a half.
ExprPtr Parser::parseSignedPrimary() {
    if (!pendingPrimary_ && (at(Tok::Minus) || at(Tok::Plus)))
        return parseSigned(&Parser::parseSignedPrimary);
    return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
    if (pendingPrimary_) {
        // The parenthesised first argument of a call statement, with any chain after it:
        // "Out.Print (New C).M".
        ExprPtr p = std::move(pendingPrimary_);
        if (!at(Tok::LParen) && !(at(Tok::Dot) && !tok().spaceBefore)) return p;
        const Token& first = tok();
        return parenChain(std::move(p), first);
    }
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
        setDepth(p.get(), {p->inner.get()});
        expect(Tok::RParen, cerr::ExpectedRParen);
        if (!at(Tok::LParen) && !(at(Tok::Dot) && !tok().spaceBefore)) return p;
        return parenChain(std::move(p), t);
    }
    case Tok::KwNot: {
        // A Not inside an operand: 1 + Not x.
        ++pos_;
        auto u = node<UnaryExpr>(t);
        u->op = Op::Not;
        u->operand = parseExpression();
        setDepth(u.get(), {u->operand.get()});
        return u;
    }
    case Tok::KwNew: {
        ++pos_;
        auto n = node<NewExpr>(t);
        n->name = expectName();
        n->regExp = foldName(n->name) == QLatin1String("REGEXP");
        if (!at(Tok::Dot) || tok().spaceBefore) return n;
        // "New C.Init(1)": a member of the new object.
        NestingGuard nested(*this);
        return continueChain(std::move(n), t, nullptr);
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

// A parenthesised expression followed by "(args)" or ".member": "(f)(x)" and "((a))(0)" call or
// index what the parentheses hold, as if they were not there; "(New C).P" uses the value.
ExprPtr Parser::parenChain(ExprPtr p, const Token& first) {
    NestingGuard nested(*this);
    if (at(Tok::LParen)) {
        const Expr* inner = p.get();
        while (inner->kind == ExprKind::Paren)
            inner = static_cast<const ParenExpr*>(inner)->inner.get();
        bool bare =
            (inner->kind == ExprKind::Name && !static_cast<const NameExpr*>(inner)->hasParens) ||
            (inner->kind == ExprKind::Member && !static_cast<const MemberExpr*>(inner)->hasParens);
        if (bare) {
            while (p->kind == ExprKind::Paren)
                p = std::move(static_cast<ParenExpr*>(p.get())->inner);
        }
    }
    return continueChain(std::move(p), first, nullptr);
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
    NestingGuard nested(*this);
    const Token& first = tok();
    ExprPtr e;
    if (at(Tok::KwMe)) {
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
    return continueChain(std::move(e), first, info);
}

ExprPtr Parser::continueChain(ExprPtr e, const Token& first, ChainInfo* info) {
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
