#pragma once
// Conversions between Variant subtypes, number text and type information. Two families stay
// apart: the lenient leading-number read (Val: never fails) and the strict conversions
// (CInt, CLng, CDbl...: the whole text must be a number, else 13; overflow 6; rounding half to
// even). Nothing here reads the process locale.

#include "Variant.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>

namespace zv {

// The runtime's own locale setting for the few conversions that are locale-aware by design.
// It is set explicitly (default "." decimal, "," group), never read from the environment.
struct RuntimeLocale {
    QChar decimal = u'.';
    QChar group = u',';
};
const RuntimeLocale& runtimeLocale();
void setRuntimeLocale(const RuntimeLocale& locale);

// Number text: at most 15 significant digits (7 for Single), "." decimal, no leading blank,
// integral values without ".0", fixed notation below 1E+15 and from 1E-05, exponent form
// ("1E+15", "1.5E-07") beyond.
QString doubleText(double d);
QString singleText(float f);
QString currencyText(int64_t scaled);

// Strict parse of a whole text as a number: blanks around, sign, digits, one ".", exponent,
// or "&H"/"&O" forms. nullopt when the text is not a number.
std::optional<double> parseNumber(QStringView text);
// The same, keeping the language's typing of "&H"/"&O" forms (Integer up to 4 hex digits, so
// "&HFFFF" is -1; Long beyond); decimal texts give a Double.
std::optional<Variant> parseNumberVariant(QStringView text);

// A decimal number text as std::from_chars reads it ("-", digits, ".", digits, "e", sign,
// digits) into d. A value too small to hold reads as 0: an underflow is no overflow, for Val,
// the conversions and the script's number literals alike. Overflow when it is too large,
// Invalid when the text is no such number (d is then left alone).
enum class DecimalRead { Ok, Overflow, Invalid };
DecimalRead readDecimal(std::string_view text, double& d);

// Date text: "dd/mm/yyyy", "hh:mm:ss", or both joined by a blank (a date with no time part
// shows only the date; a serial below 1 with a time shows only the time).
QString dateText(double serial);

// CStr: String as is; Empty ""; Boolean "True"/"False"; numbers as above; Date as dateText;
// Null 94; an object gives the text of its default value; arrays 13.
QString toText(const Variant& v);
// Str: numbers with a leading blank when not negative; other subtypes as toText.
QString Str(const Variant& v);

// Val: the leading number of a text (blanks, tabs and line feeds skipped anywhere in it, "&H"
// and "&O" prefixes, exponent); 0 when there is none. Never fails.
double Val(QStringView text);

// Strict conversions.
int16_t CInt(const Variant& v);
int32_t CLng(const Variant& v);
float CSng(const Variant& v);
double CDbl(const Variant& v);
uint8_t CByte(const Variant& v); // True is 255
bool CBool(const Variant& v);
double CDate(const Variant& v);  // the date serial
int64_t CCur(const Variant& v);  // scaled by 10,000
QString CStr(const Variant& v);  // same as toText
Variant CIntV(const Variant& v); // Variant-returning forms with the right subtype
Variant CLngV(const Variant& v);
Variant CDblV(const Variant& v);
Variant CBoolV(const Variant& v);
Variant CDateV(const Variant& v);

// The number a value stands for in arithmetic: numbers as themselves, Boolean -1/0, Date its
// serial, Empty 0, a numeric String its value (else 13), Null 94, objects their default value,
// arrays 13.
double toDouble(const Variant& v);
// The same, as a Variant of a numeric subtype (a String becomes a Double).
Variant toNumber(const Variant& v);

// Rounds half to even to an integer (the rounding of every conversion).
double roundHalfEven(double d);

// Date reading: "yyyy/mm/dd", "yyyy-mm-dd", "dd/mm/yyyy", "dd-mm-yyyy", each with an optional
// time "hh:mm[:ss]", or a time alone. nullopt when the text is no date.
std::optional<double> parseDate(QStringView text);

// The Boolean a text names: "True" or "False", also as "#TRUE#" or "#FALSE#" (case-blind,
// blanks around); nullopt for any other text.
std::optional<bool> booleanText(QStringView text);

bool IsNumeric(const Variant& v);
bool IsDate(const Variant& v);
int VarTypeOf(const Variant& v);
QString TypeName(const Variant& v);

// The default value of an object (91 for Nothing); any other value unchanged.
Variant dereference(const Variant& v);

} // namespace zv
