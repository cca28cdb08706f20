// Class ... End Class: fields (Dim, Public, Private), methods (Sub, Function) and properties
// (Property Get/Let/Set), each Public (the default) or Private, one of them the Default member,
// and the two event procedures Class_Initialize and Class_Terminate.

#include "Lexer.h"
#include "Parser.h"
#include "SyntaxError.h"

namespace zv::vbs {

namespace {

bool isProcedureKeyword(Tok k) {
    return k == Tok::KwSub || k == Tok::KwFunction || k == Tok::KwProperty;
}

} // namespace

// "Default" is no reserved word: it is a modifier only right before Sub, Function or Property.
bool Parser::atDefaultModifier() const {
    return at(Tok::Ident) && foldName(tok().text) == QLatin1String("DEFAULT") &&
           isProcedureKeyword(peekTok().kind);
}

void Parser::parseClass(CodeUnit& unit) {
    ++pos_; // Class
    auto cls = std::make_shared<ClassDecl>();
    cls->line = tok().line;
    cls->column = tok().column;
    cls->name = expectName();
    cls->source = source_;
    expectStatementEnd();
    class_ = cls.get();
    for (;;) {
        skipSeparators();
        if (at(Tok::KwEnd)) {
            if (peekTok().kind != Tok::KwClass) failAt(cerr::ExpectedClass, peekTok());
            pos_ += 2;
            break;
        }
        if (at(Tok::End)) fail(cerr::ExpectedEnd);
        bool isPublic = true;
        bool isDefault = false;
        bool modifier = false;
        if (at(Tok::KwPublic) || at(Tok::KwPrivate)) {
            isPublic = at(Tok::KwPublic);
            modifier = true;
            ++pos_;
            if (atDefaultModifier()) {
                if (!isPublic) fail(cerr::DefaultMustBePublic);
                isDefault = true;
                ++pos_;
            }
        } else if (atDefaultModifier()) {
            fail(cerr::DefaultMustBePublic);
        }
        if (isProcedureKeyword(kind())) {
            if (at(Tok::KwProperty) && peekTok().kind != Tok::KwGet &&
                peekTok().kind != Tok::KwLet && peekTok().kind != Tok::KwSet)
                failAt(cerr::ExpectedLetSetGet, peekTok());
            addClassProcedure(*cls, parseProcedure(isPublic, isDefault));
        } else if (at(Tok::KwDim) && !modifier) {
            ++pos_;
            parseClassFields(*cls, true);
        } else if (modifier && isNameToken()) {
            parseClassFields(*cls, isPublic);
        } else {
            fail(cerr::ExpectedStatement);
        }
        expectStatementEnd();
    }
    class_ = nullptr;
    unit.classes.push_back(std::move(cls));
}

void Parser::parseClassFields(ClassDecl& cls, bool isPublic) {
    std::vector<Declaration> decls;
    auto* saved = decls_;
    decls_ = &decls;
    parseDim(); // fields are made with each object
    decls_ = saved;
    for (const Declaration& d : decls) {
        QString key = foldName(d.name);
        if (cls.memberIndex.contains(key)) raiseSyntax(cerr::NameRedefined, d.line, d.column);
        ClassField f;
        f.name = d.name;
        f.kind = d.kind;
        f.bounds = d.bounds;
        f.isPublic = isPublic;
        f.line = d.line;
        f.column = d.column;
        ClassMember m;
        m.name = d.name;
        m.kind = MemberKind::Field;
        m.isPublic = isPublic;
        m.field = int(cls.fields.size());
        cls.fields.push_back(std::move(f));
        cls.memberIndex.insert(key, int(cls.members.size()));
        cls.members.push_back(std::move(m));
    }
}

// A method or property joins the member of its name: Get, Let and Set of one property share
// it, with consistent parameters (Let and Set take one more, the value).
void Parser::addClassProcedure(ClassDecl& cls, const std::shared_ptr<Procedure>& proc) {
    QString key = foldName(proc->name);
    bool isProperty = proc->kind >= ProcKind::PropertyGet;
    if (proc->isDefault &&
        (proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet))
        raiseSyntax(cerr::DefaultOnlyOnGet, proc->line, proc->column);
    if ((key == QLatin1String("CLASS_INITIALIZE") || key == QLatin1String("CLASS_TERMINATE")) &&
        proc->kind == ProcKind::Sub) {
        if (!proc->params.empty()) raiseSyntax(cerr::ClassEventArguments, proc->line, proc->column);
        (key.endsWith(QLatin1String("INITIALIZE")) ? cls.initialize : cls.terminate) = proc;
    }
    int index;
    auto it = cls.memberIndex.constFind(key);
    if (it == cls.memberIndex.constEnd()) {
        ClassMember m;
        m.name = proc->name;
        m.kind = isProperty ? MemberKind::Property : MemberKind::Method;
        m.isPublic = proc->isPublic;
        index = int(cls.members.size());
        cls.memberIndex.insert(key, index);
        cls.members.push_back(std::move(m));
    } else {
        index = it.value();
        if (!isProperty || cls.members[size_t(index)].kind != MemberKind::Property)
            raiseSyntax(cerr::NameRedefined, proc->line, proc->column);
    }
    ClassMember& m = cls.members[size_t(index)];
    if (isProperty) {
        ProcedurePtr& slot = proc->kind == ProcKind::PropertyGet   ? m.get
                             : proc->kind == ProcKind::PropertyLet ? m.let
                                                                   : m.set;
        if (slot) raiseSyntax(cerr::NameRedefined, proc->line, proc->column);
        slot = proc;
        // Get takes n parameters, Let and Set n + 1.
        size_t n = m.get ? m.get->params.size() : size_t(-1);
        for (const ProcedurePtr& putter : {m.let, m.set}) {
            if (!putter) continue;
            if (n == size_t(-1)) n = putter->params.size() - 1;
            if (putter->params.size() != n + 1)
                raiseSyntax(cerr::InconsistentPropertyArgs, proc->line, proc->column);
        }
        m.isPublic = m.isPublic || proc->isPublic;
    } else {
        m.method = proc;
    }
    if (proc->isDefault) {
        if (cls.defaultMember >= 0 && cls.defaultMember != index)
            raiseSyntax(cerr::MultipleDefaults, proc->line, proc->column);
        cls.defaultMember = index;
    }
    cls.procedures.push_back(proc);
}

} // namespace zv::vbs
