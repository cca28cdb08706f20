#pragma once
// A compile (syntax) error as data: the language's number and text with the position of the
// token where it was found. Parsing stops at the first one.

#include <QString>

namespace zv::vbs {

// The language's compile error numbers.
namespace cerr {
constexpr int SyntaxError = 1002;
constexpr int ExpectedColon = 1003;
constexpr int ExpectedLParen = 1005;
constexpr int ExpectedRParen = 1006;
constexpr int ExpectedRBracket = 1007;
constexpr int ExpectedIdentifier = 1010;
constexpr int ExpectedEquals = 1011;
constexpr int ExpectedIf = 1012;
constexpr int ExpectedTo = 1013;
constexpr int ExpectedEnd = 1014;
constexpr int ExpectedFunction = 1015;
constexpr int ExpectedSub = 1016;
constexpr int ExpectedThen = 1017;
constexpr int ExpectedWend = 1018;
constexpr int ExpectedLoop = 1019;
constexpr int ExpectedNext = 1020;
constexpr int ExpectedCase = 1021;
constexpr int ExpectedSelect = 1022;
constexpr int ExpectedExpression = 1023;
constexpr int ExpectedStatement = 1024;
constexpr int ExpectedEndOfStatement = 1025;
constexpr int ExpectedIntegerConstant = 1026;
constexpr int ExpectedWhileUntil = 1027;
constexpr int ExpectedWhileUntilEnd = 1028;
constexpr int ExpectedWith = 1029;
constexpr int IdentifierTooLong = 1030;
constexpr int InvalidNumber = 1031;
constexpr int InvalidCharacter = 1032;
constexpr int UnterminatedString = 1033;
constexpr int LoopWithoutDo = 1038;
constexpr int InvalidExit = 1039;
constexpr int InvalidForVariable = 1040;
constexpr int NameRedefined = 1041;
constexpr int MustBeFirstStatement = 1042;
constexpr int ParenthesesOnSubCall = 1044;
constexpr int ExpectedLiteralConstant = 1045;
constexpr int ExpectedIn = 1046;
constexpr int InvalidUseOfMe = 1037;
constexpr int ExpectedClass = 1047;
constexpr int MustBeInsideClass = 1048;
constexpr int ExpectedLetSetGet = 1049;
constexpr int ExpectedProperty = 1050;
constexpr int InconsistentPropertyArgs = 1051;
constexpr int MultipleDefaults = 1052;
constexpr int ClassEventArguments = 1053;
constexpr int PropertyNeedsArgument = 1054;
constexpr int DefaultOnlyOnProcedure = 1056;
constexpr int DefaultMustBePublic = 1057;
constexpr int DefaultOnlyOnGet = 1058;
constexpr int UnexpectedNext = 1055;
} // namespace cerr

// The language's text for a compile error number ("" for numbers it does not name).
QString compileErrorText(int number);

struct SyntaxError {
    int number = 0;
    QString description;
    int line = 0;   // 1-based
    int column = 0; // 0-based
};

// Thrown inside the lexer and parser; the compiler turns it into a SyntaxError value.
struct SyntaxErrorException {
    SyntaxError error;
};

[[noreturn]] void raiseSyntax(int number, int line, int column, const QString& detail = {});

} // namespace zv::vbs
