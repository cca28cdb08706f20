#pragma once
// The record of one logical line of a parameter file, as the reader leaves it: the whole line,
// its label, line type, key, value, value column, the value as a number and whether a line
// was read at all.

#include <QString>
#include <cstdint>

namespace zv {

struct TdaReg {
    QString Txt;     // the whole logical line after joining and escape expansion
    QString Nom;     // the label
    QString Tip;     // the line type code ("=", "'", "#", "##", "$", "$$", "?", "")
    QString Chv;     // the key, upper case and trimmed ("" when the line is no entry)
    QString Val;     // the value, blanks kept
    int32_t Pos = 0; // the value's column (0 when the line was not split)
    double Num = 0;  // the value's leading number (0 when none)
    int Ok = 0;      // 1 when a line was read, 0 at the end

    bool operator==(const TdaReg&) const = default;
};

} // namespace zv
