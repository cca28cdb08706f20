#pragma once
// GlbCor: colour texts of parameter files turned into colour values, and colours applied to
// the background and foreground of controls and forms.
//
// A colour is a 32-bit value with red in the low byte (0x00BBGGRR). A colour text is read by
// its first character (upper-cased) and its content:
//   "W..."     the number after the "W" (leading-number rule)         kind unchanged
//   "-..."     the whole text as a number ("-" alone is 0)            kind unchanged
//   "H..."     "&" & text as a hexadecimal number; a negative result
//              (four digits with the top bit set) has 65536 added    kind "H"
//   "r,g,b"    RGB of the first three comma-separated numbers        kind "RGB"
//   1 to 15    the classic 16-colour palette (QBColor)               kind "QB"
//   other      the number itself (0 and non-numeric texts give 0)    kind "NC"
// When a colour is applied, a text that is exactly "-" leaves that colour as it is.
//
// Named colours: a name-value table from upper-cased names to texts "background+foreground".
// Nothing in the system fills it; a colour name stands for a pair only where one is
// registered.

#include "Dispatch.h"
#include "Variant.h"

#include <QString>
#include <QStringList>

namespace zv {

// Module state: the colour-name table (a name-value table of GlbVar).
struct GlbCorState {
    QStringList CorNomIdx;
};
GlbCorState& glbCorState();
void glbCorReset();

// The palette colour n (0..15) of the classic 16-colour palette; other n raise 5.
int32_t QBColor(int n);
// The language's RGB: each part rounded, above 255 taken as 255; a negative part raises 5.
int32_t RGB(double red, double green, double blue);

// The colour of a colour text by the table above. Errors are trapped: colour and kind keep
// their values when the text does not give a colour that fits.
void CorTxCnv(const QString& text, int32_t& colour, QString& kind);
// ok 1. A value that is no text: 0..15 the palette colour, any other value the number as a
// 32-bit colour. A text: CorTxCnv, ok 0 when the text is exactly "-".
void CorVal(const Variant& value, int32_t& colour, int& ok);
int32_t CorValCon(const Variant& value);
// The three bytes of a colour, red first (the low byte).
void CorRgbSep(int32_t colour, int& red, int& green, int& blue);
// "rrr,ggg,bbb" (each part zero-filled to three digits) assigned to target by its type.
void CorTxRgb(int32_t colour, Variant& target);
// The "background+foreground" text registered under UCase(Trim(name)); found 1 when there is
// one.
void CorNomVal(const QString& name, QString& spec, int& found);
// The parts before and after the first "+"; without "+" back is the text and fore "".
void CorParSep(const QString& text, QString& back, QString& fore);
// Sets the object's BackColor (ForeColor): a text through CorTxCnv ("-" changes nothing),
// any other value as a 32-bit number. Errors are ignored.
void CorObBgAct(const DispatchPtr& obj, const Variant& colour);
void CorObFgAct(const DispatchPtr& obj, const Variant& colour);
// Applies a background and a foreground: with a foreground both; without one, a registered
// colour name as background gives both parts of its pair; otherwise only the background.
void CorObAct(const DispatchPtr& obj, const Variant& back, const Variant& fore = Variant());

} // namespace zv
