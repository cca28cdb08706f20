#pragma once
// The line grammar of parameter files: line types, the split of an entry line into label, key
// and value, typed keys, zone header lines, and the record of one logical line. Positions and
// columns are 1-based characters; "trim" removes blanks only.

#include "TdaReg.h"

#include <QString>
#include <cstdint>

namespace zv::parline {

// Zone types.
inline const QString kZoneIde = QStringLiteral("IDE");
inline const QString kZoneTx = QStringLiteral("TX");
inline const QString kZoneZtx = QStringLiteral("ZTX");

// The line type of a logical line taken as it stands (leading blanks count): "" empty, "'"
// comment, "#" zone header, "##" zone end, "$", "$$", "=" entry (its first "=" at character 4
// or later), "?" anything else. For an entry, key is the text between the line's first "[" and
// the next "]", trimmed and upper case ("" without a pair); for every other line key is "".
void ParTpp(const QString& line, QString& type, QString& key);

// The split of an entry line at its "=" (or at the "=" of a "]=" that stands further right):
// label (trimmed, before the first bracket pair of the part before "="), key as written inside
// that pair, value after the "=" with its blanks, and the value's column. A comment line or a
// line whose "=" stands before character 3 gives "" and column 0.
void ParPrep(const QString& line, QString& label, QString& key, QString& value, int32_t& column);

// A key "type:name" cut at its first ":"; without ":" the type is "" and the name the key.
void ParTipVar(const QString& key, QString& typePart, QString& namePart);

// A zone header line "#NAME:TYPE - description": name upper case, type "TX", "ZTX" (only when
// knowsRaw) or "IDE" (every other or missing type), description the trimmed text after the
// first "-" of the part after the first blank.
void parseZoneHeader(const QString& line, bool knowsRaw, QString& name, QString& type,
                     QString& description);

// The key under which the entry table indexes an entry: the key after its first ".", upper
// case and trimmed.
QString indexKey(const QString& chv);

// Fills a record from a logical line: classified, split, its value read as a number.
void fillRecord(TdaReg& record, const QString& text, int ok);

// The record of a raw text line: the line as text, label and value, column 1.
void fillRawRecord(TdaReg& record, const QString& line, int ok);

} // namespace zv::parline
