#pragma once
// ZelVynGlb's converters: the values of a definition's controls (pixels, colour texts, font
// texts, alignment words) turned into what the controls take (twips, colours, font parts,
// alignment numbers). All write their outputs by reference; a part that does not convert
// leaves its output as the procedure says.

#include <QString>
#include <cstdint>

namespace zv {

// "x, y" in pixels to twips: the part before the first comma and the whole remainder, each
// converted when it is numeric (its value times the twips per pixel, rounded half to even); a
// part that is not numeric leaves its output unchanged.
void PosTwpCon(const QString& text, int32_t& x, int32_t& y);
// "w, h" in pixels to twips: both outputs start at -1 (not given); the trimmed text's first two
// comma-separated parts are converted as in PosTwpCon, a third is ignored.
void DimTwpCon(const QString& text, int32_t& w, int32_t& h);
// A colour text to a colour: -1 (no colour: transparent, or the default text colour) for "",
// for a colour of kind "NC" (0, numbers from 16 up, "NC") and for a negative colour.
void CorCon(const QString& text, int32_t& colour);
// "name,size,style": name as written before the first comma; size -1, or the numeric second
// part rounded half to even to a 16-bit number; style everything after the second comma,
// trimmed and upper-cased.
void FonTxtCon(const QString& text, QString& name, int16_t& size, QString& style);
// An alignment word to a label's Alignment: "ESQUERDA" and "<" 0; "DIREITA" and ">" 1;
// "CENTRO", "|" and "-" 2; anything else 0 (compared trimmed and upper-cased).
void AlnCon(const QString& word, int16_t& alignment);

} // namespace zv
