// The language's named constants: strings, compare modes, VarType codes, message box styles
// and answers, days and weeks, date formats, tristates and colours. Small values are Integers,
// the colours Longs, as the language types them.

#include "Builtin.h"

namespace zv::vbs {

namespace {

struct IntConstant {
    const char* name;
    int32_t value;
};

constexpr IntConstant kIntegers[] = {
    // compare modes
    {"vbBinaryCompare", 0},
    {"vbTextCompare", 1},
    {"vbDatabaseCompare", 2},
    // VarType codes
    {"vbEmpty", 0},
    {"vbNull", 1},
    {"vbInteger", 2},
    {"vbLong", 3},
    {"vbSingle", 4},
    {"vbDouble", 5},
    {"vbCurrency", 6},
    {"vbDate", 7},
    {"vbString", 8},
    {"vbObject", 9},
    {"vbError", 10},
    {"vbBoolean", 11},
    {"vbVariant", 12},
    {"vbDataObject", 13},
    {"vbDecimal", 14},
    {"vbByte", 17},
    {"vbArray", 8192},
    // message box buttons, icons, default button, modality
    {"vbOKOnly", 0},
    {"vbOKCancel", 1},
    {"vbAbortRetryIgnore", 2},
    {"vbYesNoCancel", 3},
    {"vbYesNo", 4},
    {"vbRetryCancel", 5},
    {"vbCritical", 16},
    {"vbQuestion", 32},
    {"vbExclamation", 48},
    {"vbInformation", 64},
    {"vbDefaultButton1", 0},
    {"vbDefaultButton2", 256},
    {"vbDefaultButton3", 512},
    {"vbDefaultButton4", 768},
    {"vbApplicationModal", 0},
    {"vbSystemModal", 4096},
    // message box answers
    {"vbOK", 1},
    {"vbCancel", 2},
    {"vbAbort", 3},
    {"vbRetry", 4},
    {"vbIgnore", 5},
    {"vbYes", 6},
    {"vbNo", 7},
    // days of the week and the first week of the year
    {"vbUseSystemDayOfWeek", 0},
    {"vbSunday", 1},
    {"vbMonday", 2},
    {"vbTuesday", 3},
    {"vbWednesday", 4},
    {"vbThursday", 5},
    {"vbFriday", 6},
    {"vbSaturday", 7},
    {"vbUseSystem", 0},
    {"vbFirstJan1", 1},
    {"vbFirstFourDays", 2},
    {"vbFirstFullWeek", 3},
    // FormatDateTime
    {"vbGeneralDate", 0},
    {"vbLongDate", 1},
    {"vbShortDate", 2},
    {"vbLongTime", 3},
    {"vbShortTime", 4},
    // tristate arguments of the Format functions
    {"vbUseDefault", -2},
    {"vbTrue", -1},
    {"vbFalse", 0},
};

constexpr IntConstant kLongs[] = {
    {"vbObjectError", int32_t(-2147221504)},
    {"vbMsgBoxHelpButton", 16384},
    {"vbMsgBoxSetForeground", 65536},
    {"vbMsgBoxRight", 524288},
    {"vbMsgBoxRtlReading", 1048576},
    {"vbBlack", 0x000000},
    {"vbRed", 0x0000FF},
    {"vbGreen", 0x00FF00},
    {"vbYellow", 0x00FFFF},
    {"vbBlue", 0xFF0000},
    {"vbMagenta", 0xFF00FF},
    {"vbCyan", 0xFFFF00},
    {"vbWhite", 0xFFFFFF},
};

} // namespace

void registerConstants(BuiltinRegistry& r) {
    r.constant("vbCrLf", Variant(QStringLiteral("\r\n")));
    r.constant("vbNewLine", Variant(QStringLiteral("\r\n")));
    r.constant("vbCr", Variant(QStringLiteral("\r")));
    r.constant("vbLf", Variant(QStringLiteral("\n")));
    r.constant("vbTab", Variant(QStringLiteral("\t")));
    r.constant("vbFormFeed", Variant(QStringLiteral("\f")));
    r.constant("vbVerticalTab", Variant(QStringLiteral("\v")));
    r.constant("vbNullChar", Variant(QString(QChar(0))));
    r.constant("vbNullString", Variant(QString()));
    for (const auto& c : kIntegers)
        r.constant(c.name, Variant(int16_t(c.value)));
    for (const auto& c : kLongs)
        r.constant(c.name, Variant(c.value));
}

} // namespace zv::vbs
