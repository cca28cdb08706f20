#pragma once
// NumFxd: numbers out of values and texts, number texts with masks, fill characters and fixed
// decimal layouts (version numbers major.minor), integer division with remainder, and the
// largest and smallest element of an array.
//
// Reading uses the leading-number rule (Val: "." is the only decimal separator, no locale).

#include "Variant.h"

#include <QString>

namespace zv {

// Module state: the input and output number formats, two characters each (group separator,
// decimal separator). Empty: no separator conversion.
struct NumFxdState {
    QString NumFmtEnt;
    QString NumFmtSai;
};
NumFxdState& numFxdState();
void numFxdReset();

// ---- Reading ----

// A String gives the Double of its leading number; any other value is copied unchanged.
void NumVal(const Variant& value, Variant& result);
// NumVal as a Double (Empty 0, Boolean -1/0); Null and values without a number raise.
double NumDbl(const Variant& value);
// With fmt: group separators and blanks removed, the first decimal separator made ".".
void NumFmtEntCnv(const QString& fmt, QString& value);
void NumFmtEntCnv(const QString& fmt, const QString& value, QString& out);
// A text read with the input number format; the overflow of a text too large for a number
// is trapped as NumVal does: result keeps what it had (NumTxValVar gives 0).
void NumTxVal(const QString& text, double& result);
double NumTxValVar(const QString& text);
void NumTxDbl(const QString& text, double& number);

// ---- Writing ----

// The number right-aligned in width characters: filled with fill when not negative, with
// blanks when negative; a longer text keeps its rightmost width characters. A width of 0 or
// less writes the number unfilled.
void NumTxPad(const Variant& value, int width, const QString& fill, QString& out);
// The value's text cut at its first "."; the parts assigned in the targets' own types.
void NumIntDec(const Variant& value, Variant& intPart, Variant& decPart);
// A mask digit layout "i.d": digits, decimals, total width, grouping and groups.
void NumMscCnt(const Variant& spec, int& intDigits, int& decDigits, int& total, int& grouped,
               int& groups);
// A format mask such as "###,##0.00".
void NumMscTx(int intDigits, int decDigits, int grouped, QString& mask);
void NumMscVal(const Variant& spec, QString& mask);
// The number written by such a mask: "0" places give the least number of digits, a "," among the
// integer places turns on thousands grouping, the places after "." give the decimals; the
// separators are the runtime locale's. An empty mask writes the number's plain text.
QString formatByMask(double d, const QString& mask);
// Converts the separators of a number text from one two-character format to another.
void NumFmtCnv(const QString& fromFmt, const QString& toFmt, QString& value);
void NumFmtCnv(const QString& fromFmt, const QString& toFmt, const QString& value, QString& out);
void NumFmtSaiCnv(const QString& fmt, QString& value);
void NumFmtSaiCnv(const QString& fmt, const QString& value, QString& out);
// The value written by the mask of spec; opts "T" trims, a numeric opts is a width for TxPad.
QString NumFmt(const Variant& spec, const Variant& value, const Variant& opts = Variant());
// The value's text cut at "." into two numbers (a decimal part "09" reads as 9).
void NumFxdDig(const Variant& value, double& intPart, double& decPart);
// The text intPart & "." & decPart assigned to value in its own type.
void NumFxdSpc(double intPart, double decPart, Variant& value);
// |value| as integer and decimal parts zero-filled to the widths "i.d" (0: unfilled).
QString NumFxdTx(const Variant& value, const QString& widths);
// A two-part number layout "mode[,widths]" applied to value, the result assigned to out
// in out's own type. Modes "+" and "*.+" add 1 to the decimal part, "+.0" adds 1 to the integer
// part and zeroes the decimal part.
void NumFxdFmt(const QString& spec, const Variant& value, Variant& out);

// ---- Integer arithmetic and arrays ----

// quotient = a \ b, product = b * quotient, lastIndex = product + b - 1, remainder = a - product.
void NumDivInt(int32_t a, int32_t b, int32_t& quotient, int32_t& remainder, int32_t& product,
               int32_t& lastIndex);
// The 1-based form: the row (quotient), column (remainder) and first and last index of the
// row of the a-th cell in rows of b.
void NumDivRes(int32_t a, int32_t b, int32_t& quotient, int32_t& remainder, int32_t& product,
               int32_t& lastIndex);
// The largest / smallest element of an array as a Double; elements without a number are
// skipped; 0 when none is left.
double NumArrMax(const Variant& arr);
double NumArrMin(const Variant& arr);
void VarTroca(Variant& a, Variant& b);

} // namespace zv
