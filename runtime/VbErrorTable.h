#pragma once
// The table of error numbers and texts, without Qt: code that cannot use QString (the grid's
// model) takes its numbers and texts from here; every other file includes VbError.h, which
// includes this one.
//
// X(name, number, text). Run-time errors of the language: the engine's Err.Raise knows their
// texts. A number may appear once here.
#define ZV_RUNTIME_ERRORS(X)                                                                       \
    X(ReturnWithoutGoSub, 3, "Return without GoSub")                                               \
    X(InvalidCall, 5, "Invalid procedure call or argument")                                        \
    X(Overflow, 6, "Overflow")                                                                     \
    X(OutOfMemory, 7, "Out of memory")                                                             \
    X(SubscriptOutOfRange, 9, "Subscript out of range")                                            \
    X(ArrayFixed, 10, "This array is fixed or temporarily locked")                                 \
    X(DivisionByZero, 11, "Division by zero")                                                      \
    X(TypeMismatch, 13, "Type mismatch")                                                           \
    X(OutOfStringSpace, 14, "Out of string space")                                                 \
    X(CantPerformOperation, 17, "Can't perform requested operation")                               \
    X(OutOfStack, 28, "Out of stack space")                                                        \
    X(ProcedureNotDefined, 35, "Sub or Function not defined")                                      \
    X(DllLoadError, 48, "Error in loading DLL")                                                    \
    X(InternalError, 51, "Internal error")                                                         \
    X(BadFileNameOrNumber, 52, "Bad file name or number")                                          \
    X(FileNotFound, 53, "File not found")                                                          \
    X(BadFileMode, 54, "Bad file mode")                                                            \
    X(FileAlreadyOpen, 55, "File already open")                                                    \
    X(DeviceIO, 57, "Device I/O error")                                                            \
    X(FileAlreadyExists, 58, "File already exists")                                                \
    X(DiskFull, 61, "Disk full")                                                                   \
    X(InputPastEnd, 62, "Input past end of file")                                                  \
    X(TooManyFiles, 67, "Too many files")                                                          \
    X(DeviceUnavailable, 68, "Device unavailable")                                                 \
    X(PermissionDenied, 70, "Permission denied")                                                   \
    X(DiskNotReady, 71, "Disk not ready")                                                          \
    X(RenameOtherDrive, 74, "Can't rename with different drive")                                   \
    X(PathFileAccess, 75, "Path/File access error")                                                \
    X(PathNotFound, 76, "Path not found")                                                          \
    X(ObjectNotSet, 91, "Object variable not set")                                                 \
    X(ForLoopNotInitialized, 92, "For loop not initialized")                                       \
    X(InvalidNull, 94, "Invalid use of Null")                                                      \
    X(CantCreateTempFile, 322, "Can't create necessary temporary file")                            \
    X(InvalidPropertyValue, 380, "Invalid property value")                                         \
    X(ObjectRequired, 424, "Object required")                                                      \
    X(CannotCreateObject, 429, "ActiveX component can't create object")                            \
    X(NoAutomation, 430, "Class doesn't support Automation")                                       \
    X(AutomationNameNotFound, 432,                                                                 \
      "File name or class name not found during Automation operation")                             \
    X(NoSuchMember, 438, "Object doesn't support this property or method")                         \
    X(AutomationError, 440, "Automation error")                                                    \
    X(ActionNotSupported, 445, "Object doesn't support this action")                               \
    X(NamedArgsNotSupported, 446, "Object doesn't support named arguments")                        \
    X(LocaleNotSupported, 447, "Object doesn't support current locale setting")                    \
    X(NamedArgNotFound, 448, "Named argument not found")                                           \
    X(ArgumentNotOptional, 449, "Argument not optional")                                           \
    X(WrongArgCount, 450, "Wrong number of arguments or invalid property assignment")              \
    X(NotCollection, 451, "Object not a collection")                                               \
    X(DllFunctionNotFound, 453, "Specified DLL function not found")                                \
    X(CodeResourceLock, 455, "Code resource lock error")                                           \
    X(DuplicateKey, 457, "This key is already associated with an element of this collection")      \
    X(UnsupportedAutomationType, 458,                                                              \
      "Variable uses an Automation type not supported in VBScript")                                \
    X(RemoteServerUnavailable, 462, "The remote server machine does not exist or is unavailable")  \
    X(InvalidPicture, 481, "Invalid picture")                                                      \
    X(VariableUndefined, 500, "Variable is undefined")                                             \
    X(IllegalAssignment, 501, "Illegal assignment")                                                \
    X(NotSafeForScripting, 502, "Object not safe for scripting")                                   \
    X(NotSafeForInitializing, 503, "Object not safe for initializing")                             \
    X(NotSafeForCreating, 504, "Object not safe for creating")                                     \
    X(InvalidReference, 505, "Invalid or unqualified reference")                                   \
    X(ClassNotDefined, 506, "Class not defined")                                                   \
    X(ExceptionOccurred, 507, "An exception occurred")                                             \
    X(IllegalAssignmentTo, 5008, "Illegal assignment")                                             \
    X(RegExpSyntax, 5017, "Syntax error in regular expression")                                    \
    X(RegExpQuantifier, 5018, "Unexpected quantifier")                                             \
    X(RegExpExpectedBracket, 5019, "Expected ']' in regular expression")                           \
    X(RegExpExpectedParen, 5020, "Expected ')' in regular expression")                             \
    X(RegExpInvalidRange, 5021, "Invalid range in character set")                                  \
    X(ElementNotFound, 32811, "Element not found")

// Errors of the forms layer and of host objects: numbers the language's Err.Raise does not
// name, and texts of their own for numbers above. A "%1" in a text is filled by the name the
// error is made with.
#define ZV_OBJECT_ERRORS(X)                                                                        \
    X(NoSuchControlElement, 340, "Control array element '%1' doesn't exist")                       \
    X(NotAnArray, 343, "Object not an array")                                                      \
    X(AlreadyLoaded, 360, "Object already loaded")                                                 \
    X(DesignTimeControl, 362, "Can't unload controls created at design time")                      \
    X(ObjectUnloaded, 364, "Object was unloaded")                                                  \
    X(BadPropertyIndex, 381, "Invalid property array index")                                       \
    X(FormAlreadyShown, 400, "Form already displayed; can't show modally")                         \
    X(NameInUse, 5, "The name '%1' is in use")                                                     \
    X(NoSourceFiles, int(0x800403E8u), "No source files specified file operation")                 \
    X(EndAsked, 9999, "Application-defined or object-defined error")

// The grid's refusals: 381 for a row, column or picture outside the grid, 380 for a value the grid
// cannot take, each with a text that names what was refused.
#define ZV_GRID_ERRORS(X)                                                                          \
    X(GridRowIndex, 381, "Invalid row value")                                                      \
    X(GridColumnIndex, 381, "Invalid column value")                                                \
    X(GridOutlineColIndex, 381, "Invalid OutlineCol value")                                        \
    X(GridImageIndex, 381, "Invalid image index")                                                  \
    X(GridRows, 380, "Invalid Rows value")                                                         \
    X(GridCols, 380, "Invalid Cols value")                                                         \
    X(GridFixedRows, 380, "Invalid FixedRows value")                                               \
    X(GridFixedCols, 380, "Invalid FixedCols value")                                               \
    X(GridAlignment, 380, "Invalid alignment value")                                               \
    X(GridColAlignment, 380, "Invalid ColAlignment value")                                         \
    X(GridFontSize, 380, "Invalid font size")                                                      \
    X(GridColWidth, 380, "Invalid ColWidth value")                                                 \
    X(GridColumnWidth, 380, "Invalid column width")                                                \
    X(GridRowHeight, 380, "Invalid RowHeight value")                                               \
    X(GridRowHeightSize, 380, "Invalid row height")                                                \
    X(GridSort, 380, "Invalid Sort value")                                                         \
    X(GridOutlineLevel, 380, "Invalid RowOutlineLevel value")                                      \
    X(GridIsCollapsed, 380, "Invalid IsCollapsed value")                                           \
    X(GridOutlineBar, 380, "Invalid OutlineBar value")                                             \
    X(GridNotANode, 380, "The row is no outline node")                                             \
    X(GridNodeRelation, 380, "Invalid node relation")                                              \
    X(GridNodeIntoItself, 380, "A node cannot move into its own subtree")                          \
    X(GridNodeMove, 380, "Invalid node move")

// Compile errors of the script engine (raised as syntax errors, with a position).
#define ZV_COMPILE_ERRORS(X)                                                                       \
    X(OutOfMemory, 1001, "Out of memory")                                                          \
    X(SyntaxError, 1002, "Syntax error")                                                           \
    X(ExpectedColon, 1003, "Expected ':'")                                                         \
    X(ExpectedLParen, 1005, "Expected '('")                                                        \
    X(ExpectedRParen, 1006, "Expected ')'")                                                        \
    X(ExpectedRBracket, 1007, "Expected ']'")                                                      \
    X(ExpectedIdentifier, 1010, "Expected identifier")                                             \
    X(ExpectedEquals, 1011, "Expected '='")                                                        \
    X(ExpectedIf, 1012, "Expected 'If'")                                                           \
    X(ExpectedTo, 1013, "Expected 'To'")                                                           \
    X(ExpectedEnd, 1014, "Expected 'End'")                                                         \
    X(ExpectedFunction, 1015, "Expected 'Function'")                                               \
    X(ExpectedSub, 1016, "Expected 'Sub'")                                                         \
    X(ExpectedThen, 1017, "Expected 'Then'")                                                       \
    X(ExpectedWend, 1018, "Expected 'Wend'")                                                       \
    X(ExpectedLoop, 1019, "Expected 'Loop'")                                                       \
    X(ExpectedNext, 1020, "Expected 'Next'")                                                       \
    X(ExpectedCase, 1021, "Expected 'Case'")                                                       \
    X(ExpectedSelect, 1022, "Expected 'Select'")                                                   \
    X(ExpectedExpression, 1023, "Expected expression")                                             \
    X(ExpectedStatement, 1024, "Expected statement")                                               \
    X(ExpectedEndOfStatement, 1025, "Expected end of statement")                                   \
    X(ExpectedIntegerConstant, 1026, "Expected integer constant")                                  \
    X(ExpectedWhileUntil, 1027, "Expected 'While' or 'Until'")                                     \
    X(ExpectedWhileUntilEnd, 1028, "Expected 'While', 'Until' or end of statement")                \
    X(ExpectedWith, 1029, "Expected 'With'")                                                       \
    X(IdentifierTooLong, 1030, "Identifier too long")                                              \
    X(InvalidNumber, 1031, "Invalid number")                                                       \
    X(InvalidCharacter, 1032, "Invalid character")                                                 \
    X(UnterminatedString, 1033, "Unterminated string constant")                                    \
    X(UnterminatedComment, 1034, "Unterminated comment")                                           \
    X(InvalidUseOfMe, 1037, "Invalid use of 'Me' keyword")                                         \
    X(LoopWithoutDo, 1038, "'loop' without 'do'")                                                  \
    X(InvalidExit, 1039, "Invalid 'exit' statement")                                               \
    X(InvalidForVariable, 1040, "Invalid 'for' loop control variable")                             \
    X(NameRedefined, 1041, "Name redefined")                                                       \
    X(MustBeFirstStatement, 1042, "Must be first statement on the line")                           \
    X(AssignToByRefArgument, 1043, "Cannot assign to non-ByVal argument")                          \
    X(ParenthesesOnSubCall, 1044, "Cannot use parentheses when calling a Sub")                     \
    X(ExpectedLiteralConstant, 1045, "Expected literal constant")                                  \
    X(ExpectedIn, 1046, "Expected 'In'")                                                           \
    X(ExpectedClass, 1047, "Expected 'Class'")                                                     \
    X(MustBeInsideClass, 1048, "Must be defined inside a Class")                                   \
    X(ExpectedLetSetGet, 1049, "Expected Let or Set or Get in property declaration")               \
    X(ExpectedProperty, 1050, "Expected 'Property'")                                               \
    X(InconsistentPropertyArgs, 1051,                                                              \
      "Number of arguments must be consistent across properties specification")                    \
    X(MultipleDefaults, 1052, "Cannot have multiple default property/method in a Class")           \
    X(ClassEventArguments, 1053, "Class initialize or terminate do not have arguments")            \
    X(PropertyNeedsArgument, 1054, "Property Set or Let must have at least one argument")          \
    X(UnexpectedNext, 1055, "Unexpected 'Next'")                                                   \
    X(DefaultOnlyOnProcedure, 1056,                                                                \
      "'Default' can be specified only on 'Property' or 'Function' or 'Sub'")                      \
    X(DefaultMustBePublic, 1057, "'Default' specification must also specify 'Public'")             \
    X(DefaultOnlyOnGet, 1058, "'Default' specification can only be on Property Get")

class QString;

namespace zv {

class VbError;

// Which part of the table an entry belongs to (the grid's refusals count as host objects').
enum class VbErrorKind : unsigned char { Runtime, Object, Compile };

struct VbErrorEntry {
    int number;
    VbErrorKind kind;
    const char* text; // Latin-1
};

// The name of one error of the table: converts to its number, and makes the error (with
// VbError.h, which defines the error type these members build).
class VbErrorId {
public:
    explicit constexpr VbErrorId(int number, const char* text) : number_(number), text_(text) {}
    constexpr operator int() const noexcept { return number_; }
    constexpr int number() const noexcept { return number_; }
    // The entry's text as the table holds it (Latin-1), for code without Qt.
    constexpr const char* latin1() const noexcept { return text_; }
    // The error with the table's text.
    VbError operator()() const;
    // The error with a name in its text: the text's "%1" becomes the name, or, in a text
    // without one, ": 'name'" follows the text (also for an empty name).
    VbError operator()(const QString& name) const;
    // The entry's text.
    QString text() const;

private:
    int number_;
    const char* text_;
};

namespace err {
#define ZV_ERROR_ID(name, number, text) inline constexpr VbErrorId name{number, text};
ZV_RUNTIME_ERRORS(ZV_ERROR_ID)
ZV_OBJECT_ERRORS(ZV_ERROR_ID)
ZV_GRID_ERRORS(ZV_ERROR_ID)
#undef ZV_ERROR_ID
} // namespace err

namespace cerr {
#define ZV_ERROR_ID(name, number, text) inline constexpr int name = number;
ZV_COMPILE_ERRORS(ZV_ERROR_ID)
#undef ZV_ERROR_ID
} // namespace cerr

} // namespace zv
