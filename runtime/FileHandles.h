#pragma once
// The language's numbered files: FreeFile, Open path For Input/Output/Append As #n, Line Input,
// Print, EOF, LOF and Close, for the modules written with them. The table of open files is one
// process-wide state (the program has one GUI thread); resetFileHandles() closes everything for
// tests.
//
// Text goes through the file's encoding and line end: a file opened for input is decoded as
// readTextFile does (UTF-8 or Windows-1252, lines ending CR LF, LF or a lone CR); a file
// rewritten (Output) or extended (Append) keeps the encoding, byte-order mark and line end it
// already has; a new or empty file gets the format given to Open (by default UTF-8 without a
// mark, LF).

#include "Encoding.h"

#include <QString>
#include <QStringView>
#include <cstdint>

namespace zv {

enum class FileMode { Input, Output, Append };

// Numbers 1..511 are valid (FreeFile hands out 1..255); others raise 52.
constexpr int kMaxFileNumber = 511;

// The lowest number of 1..255 not in use; 67 when none is free.
int FreeFile();

// Opens path on a number. 52 for a number outside 1..511, 55 when the number is in use or, for
// Output and Append, when the same file is already open on another number. Input: 53 for a
// missing file, 76 for a missing folder, 70 no permission, 75 a folder. Output creates or
// empties the file; Append creates it or writes after its end.
void Open(const QString& path, FileMode mode, int number,
          const TextFormat& newFileFormat = TextFormat{});
// The next line without its line end; 62 past the end, 54 for a file not open for input.
QString LineInput(int number);
// Writes text and the file's line end; 54 for a file open for input. A character the file's
// encoding lacks is written as "?".
void Print(int number, QStringView text);
// True when no line is left to read (always true for a file open for writing).
bool Eof(int number);
// The file's length in bytes.
int64_t Lof(int number);
// Closes a number; a number that is not open is left alone (52 only outside 1..511).
void Close(int number);
// Closes every open number.
void CloseAll();

// Questions other modules ask: 52 when the number is not open (isFileNumberOpen never fails
// for numbers in range).
bool isFileNumberOpen(int number);
QString fileNumberPath(int number);
FileMode fileNumberMode(int number);
TextFormat fileNumberFormat(int number);
// The number a file is open on (the same file, whatever the path says), 0 when it is not open.
int fileNumberOfPath(const QString& path);

// Closes every file and empties the table (for tests).
void resetFileHandles();

} // namespace zv
