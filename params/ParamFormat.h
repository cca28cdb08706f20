#pragma once
// The texts that the writers of parameter files put in a file: header lines, frame lines, zone
// headers, version records and option lines, and the escapes that make a value read back as it
// was given.
//
// A value is written as given, except for what the reader would take apart: CR and LF become
// "chr$(13)" and "chr$(10)", a "+" at the end of the line becomes "chr$(43)" (it would join the
// next line), and on a line that begins with "+" the blanks at its end become "chr$(32)" (the
// reader trims such a line). The reader expands these escapes after joining, so it gives back
// the exact value. A "chr$(" or "bin$(" that a caller writes itself stays as it is: it is the
// format's escape and reads back as its characters. In a zone whose options turn escapes off
// ("[CnvChr=0]") nothing can be escaped: the writers refuse such a value there.

#include "TdaReg.h"

#include <QString>

namespace zv::parfmt {

// The deletion mark of an edited file.
inline const QString kDeleted = QStringLiteral("«»");
// The label of an entry added to an existing file.
inline const QString kNewLabel = QStringLiteral("???");

// "'" followed by 79 times c: the frame line of style c ("=", "-" or "#").
QString frameLine(QChar c);
// Header line n (1..5) of a written file: its fixed prefix ("'Nome       : " ...) and text.
QString headerLine(int n, const QString& text);
// "#" & name & ":" & type & " - " & description, the description escaped as a value.
QString zoneHeaderLine(const QString& nameType, const QString& description);
// The version record: the "-" frame with " Versao : " at characters 3..12, the version in
// 6 characters from 13 and the date in 11 characters from 19.
QString versionLine(const QString& version, const QString& date);
// The option line "label [key]=value" with "]" at character column when the label fits (the
// label padded with blanks), else "label [key]"; label and value escaped.
QString optionLine(const QString& key, const QString& label, const QString& value, int column);

// text with CR and LF written as escapes (for labels and texts inside a line).
QString escapeBreaks(const QString& text);
// A value that ends its line: escapeBreaks, and what would continue or be trimmed at the end
// of the line written as escapes; trimmedLine tells that the line begins with "+" (after
// blanks), so that the reader trims its end.
QString escapeValue(const QString& text, bool trimmedLine);
// Whether a key can be written between brackets and read back: not empty after trimming, and
// without "[", "]", CR or LF.
bool keyWritable(const QString& key);

// What the reader makes of one line standing alone, with the escape flag given: false when the
// line would continue on the next one.
bool readAlone(const QString& line, int escapeFlag, TdaReg& record);
// The value the reader gives back for a value written with escapeValue: its escapes expanded
// when the flag is 1.
QString valueReadBack(const QString& value, int escapeFlag);
// Whether line, alone and with the escape flag given, reads as an entry with the key chv (the
// reader's form: upper case, trimmed) and the value value.
bool entryReadsBack(const QString& line, int escapeFlag, const QString& chv, const QString& value);

// The default date of a header: today from the process clock, yyyy/mm/dd.
QString today();

} // namespace zv::parfmt
