#pragma once
// The language's text functions. Positions are 1-based characters. Case rules are those of
// Windows-1252 (ASCII, the Latin-1 letters except the multiplication and division signs, and
// š œ ž ÿ), never the process locale: ß and other letters stay as they are. Trim removes blanks
// (U+0020) only.

#include "Operators.h"
#include "Variant.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace zv {

// Windows-1252 code page: byte -> character and back. The five bytes the code page leaves
// unassigned map to U+0081, U+008D, U+008F, U+0090 and U+009D, so every byte round-trips.
QChar cp1252ToChar(uint8_t byte);
// The byte of a character, or -1 when the code page has none for it.
int charToCp1252(QChar c);

QChar ucaseChar(QChar c);
QChar lcaseChar(QChar c);
QString UCase(QStringView s);
QString LCase(QStringView s);
// Case-blind equality and ordering with the same rules.
bool equalsNoCase(QStringView a, QStringView b);
int compareText(QStringView a, QStringView b, CompareMode mode); // -1, 0, 1

// Chr/Asc go through Windows-1252 for codes 0..255 (Chr(128) is "€"); Chr outside 0..255
// raises 5. Asc of "" raises 5; a character outside the code page gives 63 ("?").
QString Chr(int code);
int Asc(QStringView s);
QString ChrW(int code); // -32768..65535, negative as 65536 + code; else 5
int AscW(QStringView s);

int Len(QStringView s);
// Mid(s, start) and Mid(s, start, length): start from 1 (5 when below 1); length -1 (the
// default) takes the rest, other negative lengths raise 5; beyond the end gives "".
QString Mid(const QString& s, int start, int length = -1);
QString Left(const QString& s, int length);  // 5 when length < 0
QString Right(const QString& s, int length); // 5 when length < 0
// InStr: the position of find in s from start (1-based), 0 when absent; an empty find gives
// start when start <= Len(s) + 1 (else 0); an empty s gives 0; start < 1 raises 5.
int InStr(int start, QStringView s, QStringView find, CompareMode mode = CompareMode::Binary);
inline int InStr(QStringView s, QStringView find) {
    return InStr(1, s, find);
}
// InStrRev: the last occurrence that ends at or before start (-1 = the end; 0 or below -1
// raise 5); an empty find gives start, start beyond the end gives 0.
int InStrRev(QStringView s, QStringView find, int start = -1,
             CompareMode mode = CompareMode::Binary);
// Replace: the text from start on (the part before start is dropped, as the language does),
// at most count replacements (-1 all).
QString Replace(const QString& s, const QString& find, const QString& with, int start = 1,
                int count = -1, CompareMode mode = CompareMode::Binary);
QString Trim(QStringView s);
// Trim as a view into s, without a copy.
QStringView trimBlanks(QStringView s);
QString LTrim(QStringView s);
QString RTrim(QStringView s);
QString Space(int n);           // 5 when n < 0
QString String(int n, QChar c); // 5 when n < 0
int StrComp(QStringView a, QStringView b, CompareMode mode = CompareMode::Binary);
QString StrReverse(QStringView s);
// Split: at most count pieces (-1 all); an empty delimiter gives the whole text as one piece;
// "" gives no pieces at all.
QStringList Split(const QString& s, const QString& delimiter = QStringLiteral(" "), int count = -1,
                  CompareMode mode = CompareMode::Binary);
QString Join(const QStringList& parts, const QString& delimiter = QStringLiteral(" "));
// Variant forms the script engine uses: Split gives a 0-based array of Strings; Join takes an
// array of any values (each turned into text).
Variant SplitV(const QString& s, const QString& delimiter = QStringLiteral(" "), int count = -1,
               CompareMode mode = CompareMode::Binary);
QString JoinV(const Variant& array, const QString& delimiter = QStringLiteral(" "));

} // namespace zv
