#pragma once
// LogLayout: the lines of the log files that SupLogReg writes, as functions of what they show
// and nothing else. The moment and the identity of a record come in a LogStamp, so one call
// always gives the same lines.
//
// Widths count characters. Lines are returned as they are made; the writer removes each line's
// trailing blanks and ends it with the file's line end (so a line of blanks is written empty).
//
// A record header, full mode ("*"):
//     ================================================================================
//     Data       : 2026/12/07  14:03:07
//     Tipo       : INF - Inicio de acesso
//     Utilizador : JSILVA     (PC-ARMAZEM)
//     Programa   : Gestor     (2.1.0 Gestão de stocks)
//     ================================================================================
// In any other mode the "Tipo" and "Programa" lines are left out.

#include "Variant.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace zv::loglayout {

// When a record is written, and by whom.
struct LogStamp {
    QDateTime when;
    QString user;    // upper case
    QString machine; // upper case
    QString program;
    QString version;
    QString comments;
};

// The frame lines of a header are this long whatever the log's width.
constexpr int kFrameWidth = 80;
// At most this many blank lines are written at once.
constexpr int kMaxBlankLines = 20;
// A log shorter than this many bytes gets the title block.
constexpr qint64 kTitleBelowBytes = 5;

// "yyyy/mm/dd" and "HH:MM:SS" (24 hours).
QString dateText(const QDateTime& when);
QString timeText(const QDateTime& when);

// ---- Record parts ----

// The record header. type "" is written "INFO", type "-" as nothing; the type and the trimmed
// text are joined with " - " when both are there.
QStringList CabReg(const LogStamp& stamp, const QString& type, const QString& text,
                   const QString& mode);
// Time, " " and text; then " (" extra ")" when extra is not "".
QString timedLine(const QDateTime& when, const QString& text, const QString& extra = {});
// Time, " ", the identifier in 40 characters, " " and text; then, when text2 is not "", a line
// of two blanks and text2.
QStringList identifiedLines(const QDateTime& when, const QString& id, const QString& text,
                            const QString& text2 = {});
// "OK" when flag reads as yes (typed conversion "01"), else "ERRO".
QString SitTx(const Variant& flag);
// The label in 49 characters, " " and the status: "0" is written "INVALIDO/ERRO", "1" "OK",
// anything else as it is.
QString SitCnv(const QString& label, const QString& status);
// A line of width copies of one character: code -2 "=", -1 "-", any other negative number "*";
// 0 or more, or a text, the first character of its text ("" for an empty text).
QString SepLin(const Variant& code, int width);
// n empty lines, at most 20; none for n below 1.
QStringList LinLpz(int n);
// A separator line of code n when n is below 1, else n empty lines.
QStringList separatorOrBlanks(int n, int width);
// The title block of a log shorter than 5 bytes: the title, then (when there are header lines)
// an empty line and the header lines, then n empty lines. A longer log gets nothing.
QStringList FicTitReg(qint64 logSize, const QString& title, const QStringList& headerLines, int n);
// The separation before a record: n empty lines when the log is not empty.
QStringList FicTitVer(qint64 logSize, int n);

// ---- Column lines ----

// text written over line from column (1-based), never past the line's end; a column outside
// the line changes nothing.
QString overwrite(const QString& line, int column, const QString& text);
// The column line after one edit: a column below 0 resets it to width blanks; 0 appends " "
// and text to the line without its trailing blanks, the result cut or filled to width; 1..width
// writes text over the line from that column; a column above width changes nothing.
QString columnLineEdit(const QString& line, int column, const QString& text, int width);
// One line of values at the columns: starts(1..n) are the columns' first characters (element
// 0 is not used). Column i gets the text of values(i) made exactly as wide as the room up to
// the next column (a negative room right-aligns in its size), the last column up to width. A
// column that starts outside 1..width, and a value that the array lacks, give nothing.
QString columnValues(const QList<int>& starts, const Variant& values, int width);

// ---- Error records ----

// "Erro : " number " - " description; with a description of blanks only, the error's own text
// ("Erro :  53 - File not found").
QString errorText(int number, const QString& description);
// The error block: separation (2) when the log is not empty, a full header of type "ERRO" with
// the error text, then the source and the operation.
QStringList ErrReg(qint64 logSize, const LogStamp& stamp, const QString& errorText,
                   const QString& source, const QString& operation);
// "Diversos       : " element 1, the elements 2..n indented to line up, an empty line; nothing
// for an array without element 1.
QStringList MsgDiv(const Variant& misc);
// "Informação adicional" (" - " and element 0 when that is not ""), a line of 80 "-", the
// elements 1..n numbered "001 - ", an empty line; nothing for an array without element 1.
QStringList MsgInfAdi(const Variant& additional);
// An empty line, "Programa TERMINADO" (" - " reason when there is one), an empty line.
QStringList programEnd(const QString& reason);

// ---- File names ----

// The tokens in braces replaced, the name between them compared upper-cased and trimmed: "MAQ"
// the machine, "UTZ" the user, "DIA" day; any other (and "{}") by "". A replacement may bring
// new tokens; after 21 replacements the name is returned as it stands.
QString FicNomExp(const QString& name, const QString& machine, const QString& user,
                  const QString& day);
// The lock file of a log: the log's path with the extension of its file name (the part after
// the last separator) replaced by "lck", or "lck" added when the name has none; a log whose
// name already ends in ".lck" gets ".lck" added, so the lock is never the log itself.
QString lockPathOf(const QString& file);

} // namespace zv::loglayout
