#pragma once
// The syntax tree of a code unit. The parser builds it and the resolver fills in where every
// name lives (NameRef); after that nothing changes it: the evaluator only reads it, so a tree
// may be run by several nested calls at once. Procedures and units are shared (shared_ptr) so
// that redefining or discarding code never frees a tree that is still running.

#include "Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace zv::vbs {

struct GlobalCell;
class GlobalTable;
struct Builtin;
struct ClassDecl;

// The text a unit was compiled from, kept for error reports (the failing line's text).
struct SourceText {
    QString text;
    QStringList lines;
    explicit SourceText(const QString& t);
    QString line(int n) const; // 1-based; "" outside
};
using SourcePtr = std::shared_ptr<const SourceText>;

// Where a name lives, decided by the resolver.
enum class RefKind : uint8_t {
    Unresolved,
    Local,         // a slot of the running frame (parameter, Dim, Const, return value)
    Global,        // a cell of the global table
    LocalOrGlobal, // in a procedure without Option Explicit: the global cell when it is
                   // defined, else an implicit local slot
    Builtin,       // a built-in function, constant or object
    Member,        // a member of the class whose method runs (slot: the member's index)
};

struct NameRef {
    RefKind kind = RefKind::Unresolved;
    bool constant = false;     // a local Const: assignment raises 501
    bool explicitOnly = false; // the code demands declared names (Option Explicit)
    int slot = -1;
    GlobalCell* cell = nullptr;
    const Builtin* builtin = nullptr;
};

// ---- expressions ----

enum class ExprKind : uint8_t {
    Literal,
    Name,       // name, name(), name(args)
    Member,     // object.name, object.name(args); object null = the innermost With
    Index,      // expr(args) where expr is neither a name nor a member
    Paren,      // (expr): a value, never a reference
    Unary,      // - and Not
    Binary,     // arithmetic, &, logic
    Compare,    // = <> < > <= >=
    Is,         // object identity
    Missing,    // an argument left out: F(1, , 3)
    WithObject, // the object of a With block (only as a Member's object)
    New,        // New ClassName
    Me,         // the object whose method runs
};

enum class Op : uint8_t {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    Pow,
    Concat,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Neg,
    Not,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
};

// How the value of an expression can be read without evaluating anything (set by the
// resolver): a literal's value, a frame slot, a global cell's value (while it is a variable).
enum class Access : uint8_t { None, Literal, Local, Global };

struct Expr {
    ExprKind kind;
    Access access = Access::None;
    // No calls and no global names below: evaluating it has no side effects and reads only
    // the frame's own slots (the evaluator may then read operands in place).
    bool pure = false;
    int depth = 1; // height of the tree below (bounded, so walking it cannot exhaust the stack)
    int line = 0;
    int column = 0;
    int accessSlot = -1;
    const Variant* accessValue = nullptr;
    GlobalCell* accessCell = nullptr;
    explicit Expr(ExprKind k) : kind(k) {}
    virtual ~Expr() = default;
};
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr : Expr {
    Variant value;
    // A number or string literal written in the code: a "hard" type in mixed comparisons.
    bool hard = false;
    LiteralExpr() : Expr(ExprKind::Literal) {}
};

struct NameExpr : Expr {
    QString name; // as written
    NameRef ref;
    bool hasParens = false;
    std::vector<ExprPtr> args;
    NameExpr() : Expr(ExprKind::Name) {}
};

struct MemberExpr : Expr {
    ExprPtr object; // null: the With object of withSlot
    int withSlot = -1;
    QString name;
    bool hasParens = false;
    std::vector<ExprPtr> args;
    MemberExpr() : Expr(ExprKind::Member) {}
};

struct IndexExpr : Expr {
    ExprPtr target;
    std::vector<ExprPtr> args;
    IndexExpr() : Expr(ExprKind::Index) {}
};

struct ParenExpr : Expr {
    ExprPtr inner;
    ParenExpr() : Expr(ExprKind::Paren) {}
};

struct UnaryExpr : Expr {
    Op op;
    ExprPtr operand;
    UnaryExpr() : Expr(ExprKind::Unary), op(Op::Neg) {}
};

struct BinaryExpr : Expr {
    Op op;
    ExprPtr left, right;
    BinaryExpr() : Expr(ExprKind::Binary), op(Op::Add) {}
};

struct CompareExpr : Expr {
    Op op;
    ExprPtr left, right;
    bool hardLeft = false, hardRight = false;
    CompareExpr() : Expr(ExprKind::Compare), op(Op::Eq) {}
};

struct IsExpr : Expr {
    ExprPtr left, right;
    IsExpr() : Expr(ExprKind::Is) {}
};

struct MissingExpr : Expr {
    MissingExpr() : Expr(ExprKind::Missing) {}
};

struct NewExpr : Expr {
    QString name;
    bool regExp = false;        // New RegExp: the language's own class, whatever the script defines
    GlobalCell* cell = nullptr; // where the class is defined (set by the resolver)
    NewExpr() : Expr(ExprKind::New) {}
};

struct MeExpr : Expr {
    MeExpr() : Expr(ExprKind::Me) {}
};

// True for a literal written in the code, also in parentheses or negated.
bool isHardLiteral(const Expr* e);

// ---- statements ----

enum class StmtKind : uint8_t {
    Assign,
    Call,
    If,
    Select,
    For,
    ForEach,
    Do,
    Exit,
    With,
    OnError,
    ReDim,
    Erase,
    DimArray, // Dim of arrays: they are made when the statement runs
    Nothing,  // Dim, Const, Stop: their work happens when the scope starts
};

struct Stmt {
    StmtKind kind;
    int line = 0;
    int column = 0;
    explicit Stmt(StmtKind k) : kind(k) {}
    virtual ~Stmt() = default;
};
using StmtPtr = std::unique_ptr<Stmt>;

struct Block {
    std::vector<StmtPtr> stmts;
};

struct AssignStmt : Stmt {
    ExprPtr target; // Name, Member or Index
    ExprPtr value;
    bool isSet = false;
    // "s = s & x [& y...]": the pieces are appended to the variable's own text.
    bool appendInPlace = false;
    AssignStmt() : Stmt(StmtKind::Assign) {}
};

struct CallStmt : Stmt {
    ExprPtr callee; // Name, Member or Index, with its arguments
    CallStmt() : Stmt(StmtKind::Call) {}
};

struct IfArm {
    ExprPtr condition;
    Block body;
};

struct IfStmt : Stmt {
    std::vector<IfArm> arms; // If and ElseIf
    Block elseBody;
    IfStmt() : Stmt(StmtKind::If) {}
};

struct CaseArm {
    std::vector<ExprPtr> values; // empty: Case Else
    Block body;
};

struct SelectStmt : Stmt {
    ExprPtr test;
    std::vector<CaseArm> arms;
    SelectStmt() : Stmt(StmtKind::Select) {}
};

struct ForStmt : Stmt {
    std::unique_ptr<NameExpr> var;
    ExprPtr start, limit, step; // step may be null (1)
    Block body;
    ForStmt() : Stmt(StmtKind::For) {}
};

struct ForEachStmt : Stmt {
    std::unique_ptr<NameExpr> var;
    ExprPtr collection;
    Block body;
    ForEachStmt() : Stmt(StmtKind::ForEach) {}
};

enum class LoopTest : uint8_t { None, PreWhile, PreUntil, PostWhile, PostUntil };

struct DoStmt : Stmt {
    LoopTest test = LoopTest::None;
    bool whileWend = false; // While...Wend: Exit Do passes through it
    ExprPtr condition;
    Block body;
    DoStmt() : Stmt(StmtKind::Do) {}
};

enum class ExitKind : uint8_t { Do, For, Sub, Function, Property };

struct ExitStmt : Stmt {
    ExitKind what = ExitKind::Do;
    ExitStmt() : Stmt(StmtKind::Exit) {}
};

struct WithStmt : Stmt {
    ExprPtr object;
    int slot = -1; // hidden frame slot holding the object
    Block body;
    WithStmt() : Stmt(StmtKind::With) {}
};

struct OnErrorStmt : Stmt {
    bool resumeNext = false;
    OnErrorStmt() : Stmt(StmtKind::OnError) {}
};

struct ReDimItem {
    std::unique_ptr<NameExpr> var;
    std::vector<ExprPtr> bounds; // upper bounds
};

struct ReDimStmt : Stmt {
    bool preserve = false;
    std::vector<ReDimItem> items;
    ReDimStmt() : Stmt(StmtKind::ReDim) {}
};

// "Dim a(3), d()": each array is made when the statement runs, unless the variable holds an
// array already (a Dim run again in a loop keeps it). Before that the variable is Empty.
struct DimArrayItem {
    std::unique_ptr<NameExpr> var;
    bool fixed = false;                              // with bounds
    std::vector<std::pair<int32_t, int32_t>> bounds; // fixed
};

struct DimArrayStmt : Stmt {
    std::vector<DimArrayItem> items;
    DimArrayStmt() : Stmt(StmtKind::DimArray) {}
};

struct EraseStmt : Stmt {
    std::vector<std::unique_ptr<NameExpr>> vars;
    EraseStmt() : Stmt(StmtKind::Erase) {}
};

struct NothingStmt : Stmt {
    NothingStmt() : Stmt(StmtKind::Nothing) {}
};

// ---- declarations, procedures, units ----

enum class DeclKind : uint8_t { Variable, Constant, FixedArray, DynamicArray };

// A Dim/Const/Public/Private name, set up when its scope starts.
struct Declaration {
    QString name;
    DeclKind kind = DeclKind::Variable;
    Variant value;                                   // Constant
    std::vector<std::pair<int32_t, int32_t>> bounds; // FixedArray
    int line = 0;
    int column = 0;
    NameRef ref; // the slot or cell (set by the resolver)
};

struct Param {
    QString name;
    bool byVal = false;
    int line = 0;
    int column = 0;
};

// Sub and Function, and the three kinds of class property procedures.
enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Procedure {
    QString name;
    ProcKind kind = ProcKind::Sub;
    bool isFunction = false; // a value comes back (Function, Property Get)
    bool isPublic = true;    // class members: reachable from outside the class
    bool isDefault = false;  // class members: the default member
    std::vector<Param> params;
    std::vector<Declaration> decls;
    Block body;
    SourcePtr source;
    bool optionExplicit = false;
    int line = 0;
    int column = 0;
    // Filled by the resolver: params occupy slots 0..n-1, a function's value slot n, then
    // the declared locals, implicit locals and hidden slots (With objects).
    int slotCount = 0;
    int returnSlot = -1;
    int hiddenCount = 0; // With blocks (numbered by the parser)
    // The class of a method (null for a global procedure).
    const ClassDecl* owner = nullptr;
    // Every name of the procedure's own scope and where it lives (set by the resolver), for
    // code that Eval and Execute compile while the procedure runs.
    QHash<QString, NameRef> scopeNames;
};
using ProcedurePtr = std::shared_ptr<const Procedure>;

// ---- classes ----

struct ClassField {
    QString name;
    DeclKind kind = DeclKind::Variable; // Variable, FixedArray or DynamicArray
    std::vector<std::pair<int32_t, int32_t>> bounds;
    bool isPublic = true;
    int line = 0;
    int column = 0;
};

enum class MemberKind : uint8_t { Field, Method, Property };

struct ClassMember {
    QString name;
    MemberKind kind = MemberKind::Field;
    bool isPublic = true;
    int field = -1;             // Field: index into the instance's fields
    ProcedurePtr method;        // Method: its Sub or Function
    ProcedurePtr get, let, set; // Property: its procedures (any may be missing)
};

struct ClassDecl {
    QString name;
    int line = 0;
    int column = 0;
    SourcePtr source;
    std::vector<ClassField> fields;
    std::vector<ClassMember> members;
    QHash<QString, int> memberIndex; // folded name -> members
    int defaultMember = -1;
    ProcedurePtr initialize, terminate;                 // Class_Initialize, Class_Terminate
    std::vector<std::shared_ptr<Procedure>> procedures; // every method, for the resolver
    // The global table the methods were compiled against: kept alive as long as the class is
    // (its instances may outlive a reset of the engine).
    std::shared_ptr<GlobalTable> globals;
};
using ClassPtr = std::shared_ptr<const ClassDecl>;

struct CodeUnit {
    SourcePtr source;
    bool optionExplicit = false;
    std::vector<std::shared_ptr<Procedure>> procedures; // in text order
    std::vector<std::shared_ptr<ClassDecl>> classes;    // in text order
    std::vector<Declaration> decls;                     // global Dim/Const
    Block body;                                         // global statements
    ExprPtr expression;                                 // an Eval unit's expression
    int slotCount = 0;                                  // hidden slots of the global code
    int hiddenCount = 0;                                // With blocks of the global code
};
using CodeUnitPtr = std::shared_ptr<const CodeUnit>;

} // namespace zv::vbs
