#pragma once
// TxtGlb: the text procedures every other module reads its parameter texts with.
//
// - conversion and case, filling to a width (TxtGlbCnv.cpp);
// - cutting at separators, token arrays, searching, delimited parts, replacing and the
//   character escapes "chr$(" / "bin$(" of parameter texts (TxtGlbTok.cpp);
// - property text "[KEY=value]..." and condition lists (TxtGlbPrm.cpp);
// - character sets, quoting for scripts, lists and lines, error texts (TxtGlbScn.cpp);
// - the command-line word table (TxtGlbArg.cpp);
// - yes/no, typed values and formats by code, outline numbers (TxtGlbTip.cpp).
//
// Positions are 1-based characters. Searches are case-sensitive unless a procedure says
// otherwise. A destructive cut leaves in its text argument what follows the separator.
// Flags are 1 (found, done) or 0.

#include "Variant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace zv {

// Module state: the command-line word table. Element 0 holds the whole command text,
// elements 1..n the words.
struct TxtGlbState {
    QStringList ArgLis;
};
TxtGlbState& txtGlbState();
void txtGlbReset();

// ---- Conversion and case ----

// Text of any value: a String is copied as it is (blanks kept), Empty gives "", any other
// value its text with "." as the decimal separator, trimmed. A value without a text (Null, an
// array) leaves out unchanged.
void TxCnvPrp(const Variant& value, QString& out);
// The same as a function; "" when the value has no text.
QString TxCnv(const Variant& value);
// UCase(Trim(text)).
QString TxMai(const QString& text);
// UCase(Trim(text of value)), where numbers are written with the runtime locale's decimal
// separator; "" when the value has no text.
QString TxMaiVar(const Variant& value);

// ---- Filling to a width ----

// width >= 0: the text left-aligned in width characters (filled with blanks or cut);
// width < 0: right-aligned in |width| characters (filled or cut on the left).
void TxPadExe(const QString& text, int width, QString& out);
QString TxPad(const QString& text, int width);
// TxPad to the larger of width and the length of the text without trailing blanks.
QString TxPadDir(const QString& text, int width);
// Left(text & n copies of ch, n); with ch "" Left(text, n).
QString TxRep(const QString& text, int n, const QString& ch);
// The number's text without its sign position, filled with fill to |width| characters: on the
// right when width < 1, on the left otherwise (cut to |width| either way).
void TxPadChr(double number, int width, const QString& fill, QString& out);

// ---- Searching and cutting ----

// Destructive cut at the first sep: token = text before it, text = text after it, found 1.
// No sep (or an empty sep): token = text, text = "", found 0.
void TxSep(QString& text, const QString& sep, QString& token, int& found);
void TxSepStr(QString& text, const QString& sep, QString& token);
// Destructive cut at a one-character separator.
void TxSepChr(QString& text, const QString& sep, QString& token);
// As TxSep on a copy: text unchanged.
void TxSepRes(const QString& text, const QString& sep, QString& token, QString& rest);
// Before and after the first one-character sep (text unchanged); no sep: before = text.
void TxSepDiv(const QString& text, const QString& sep, QString& before, QString& after);
void TxSepCut(const QString& text, const QString& sep, QString& before, QString& after, int& found);
// TxSepDiv, then token = UCase(Trim(before)) and rest = Trim(after).
void TxSepMai(const QString& text, QString& token, QString& rest, const QString& sep);
void TxSepOpc(const QString& text, QString& token, const QString& sep);
// Destructive TxSepChr; the token read as a number by the leading-number rule.
void TxSepVal(QString& text, const QString& sep, double& number);
// Cut by a position code ("PS", "PE", "SE", "RS", other) with the options "M" (upper case) and
// "T" (trim) after the code.
void TxSepTip(const QString& codes, QString& text, const QString& sep, QString& out);
// All tokens of text into arr(1..count); arr(0) is "". count is not reset: callers pass 0.
// A separator at the very end gives no empty last token.
void TxArrSep(const QString& text, const QString& sep, QStringList& arr, int& count);
// Mode "R": the last position of find; other modes the first (0 when absent).
void TxPsq(const QString& mode, const QString& text, const QString& find, int& pos);
// The first character of text that belongs to set: its position and itself; none: the length
// + 1 and "".
void TxChrPsq(const QString& text, const QString& set, int& pos, QString& ch);
// 1 when item (trimmed, case-blind) is one of the sep-separated items of list, else 0.
int TxLisCon(const QString& list, const QString& item, const QString& sep);
// The first part delimited by the pair's first and last characters: before, inside, after and
// the length of the delimited part with its delimiters. Missing: before = text, len untouched.
void TxDlmExt(const QString& text, QString& before, QString& inside, QString& after, int& len,
              const QString& pair);
void TxDlmSep(const QString& text, const QString& pair, QString& before, QString& inside,
              QString& after);

// ---- Replacing and escapes ----

// Replaces the first occurrence of find (every one with mode "R"); nothing when repl holds find.
void TxSbsTx(const QString& mode, QString& text, const QString& find, const QString& repl);
// Splits text with TxArrSep at sep and joins the tokens with newSep.
void TxSbsSep(QString& text, const QString& sep, const QString& newSep);
// Text from character codes: a text element is a comma list of codes, any other element one
// code. An element with a code that has no character is skipped whole.
QString TxChrLis(const std::vector<Variant>& values);
// Expands the escapes "chr$(" and "bin$(" followed by a comma list of codes and ")".
void TxFxEsc(QString& text);
void TxFxEsc(const QString& text, QString& out);

// ---- Property text and conditions ----

// "[" & UCase(key) & "=" and its length.
void PrmChv(const QString& key, QString& prefix, int& len);
// Locates the top-level entry of key: before its "[", its value, after its "]", found 1.
// Absent: before = prm, value = after = "", found 0.
void PrmPos(const QString& prm, const QString& key, QString& before, QString& value, QString& after,
            int& found);
// The value assigned to target in the target's own type (also when absent: "" or 0).
void PrmCon(const QString& prm, const QString& key, Variant& target, int& found);
// The same with the input number format for a number target.
void PrmConOpc(const QString& prm, const QString& key, Variant& target, int& found);
void PrmRegTx(QString& prm, const QString& key, const QString& value);
// Removes the entry of key (when present) and appends the new one.
void PrmRegExe(QString& prm, const QString& key, const QString& valueText);
void PrmReg(QString& prm, const QString& key, const Variant& value);
// Parses a whole property text: arr[0] the keys (upper-cased, trimmed), arr[1] the values, in
// columns 1..count (column 0 empty). count is not reset: callers pass 0.
void PrmArrLer(const QString& prm, QList<QStringList>& arr, int& count);
// Yes/no entry: mode "A" writes "S" or "N" for value; any other mode reads the entry into
// value's own yes/no form ("S"/"N" for a text, 1/0 for a number).
void PrmSN(const QString& mode, const QString& key, QString& prm, Variant& value);
// Prefix rule: ok 1 when list is "*" or value begins with one of its ","-separated items.
void CndLis(const QString& list, const QString& value, int& ok);
// Equality rule: ok 1 when list is "*" or one item equals value.
void CndLisExe(const QString& list, const QString& value, int& ok);
// Text comparison by operator: "=", ">", "<", ">=", "<=", "<>", "LIKE", "INSTR", ":" (range).
void CndExe(const QString& x, const QString& op, const QString& cond, int& ok);
// Bracket matching from start: start = the opening position, end = the matching close (both 0
// when there is none). An empty pair means two double quotes.
void TxDlmFim(const QString& text, int& start, int& end, const QString& pair);
// The language's Like: "*", "?", "#", "[list]", "[!list]", by character code.
bool TxLike(const QString& text, const QString& pattern);

// ---- Character sets, quoting, replacement ----

// Removes the characters of set: mode 0 everywhere, 1 the leading run, 2 the trailing run,
// 3 both ends; other modes copy.
void TxChrFil(int mode, const QString& text, const QString& set, QString& out);
// Removes one leading and one trailing double quote.
QString TxAspRet(const QString& text);
// A script string expression of the text: outer quotes removed, inner double quotes turned
// into apostrophes, control characters written as Chr(n) pieces.
QString TxVbsAsp(const QString& text);
// At every occurrence of find, the character at its start overwritten by repl's first character.
void TxSbs(const QString& text, const QString& find, const QString& repl, QString& out);
void TxValDbl(const QString& text, double& value, int& ok);
// A text target receives the text, any other the text's leading number as a Double.
void TxValVar(const QString& text, Variant& target, int& ok);
// "Erro : " & Str(|errNum|) & " - " & the error's description, and the error's source.
void ErrTx(int errNum, QString& text, QString& source);

// ---- Lists and lines ----

// Appends the item's text (when not empty) after sep (when text is not empty).
void TxJun(QString& text, const QString& sep, const Variant& item);
// Appends a line (CR LF first when text is not empty).
void TxLinAdi(QString& text, const QString& line);
// Appends the item's text unless it is empty and mode is "T"; before it sep (CR LF for "")
// when text is not empty.
void TxJunLin(const QString& mode, QString& text, const Variant& item, const QString& sep);
void ArrAdi(QStringList& arr, const QString& item);

// ---- Command line ----

// The program's command-line words: its arguments without the program itself, one word per
// argument as the program received it. The shell has already taken the quotes away, so a word
// may hold blanks ("-FP" "/data/My Wizard/x.par" are two words). The start-up's word table,
// the parameter files' command line and the application information all read this list.
QStringList ArgPgm();
// Fills the word table: element 0 = cmd, then the blank-separated words of cmd.
void ArgIni(const QString& cmd, int& count);
// Fills the word table from words already split (the program's argv without the program), so
// that a word holding blanks stays one word; element 0 = the words joined with blanks.
void ArgIni(const QStringList& words, int& count);
void ArgNum(int& n);
// Index of the first word equal to word (opts "M": compared upper-cased); n + 1 when absent.
void ArgPsq(const QString& opts, const QString& word, int& pos);
void ArgConIdx(int i, Variant& target, const Variant& def);
// The word that follows word, or def.
void ArgCon(const QString& opts, const QString& word, Variant& target, const Variant& def);

// ---- Yes/no and typed values ----

// Yes/no of value into target: "Sim"/"Não" for a text target, 1/0 for any other; inv 1
// inverts.
void TxSN(const Variant& value, Variant& target, int inv = 0);
// value converted by a typed-value code: "SN", "TX3", "VOP:no,yes", "TF", other.
Variant TxTipCnv(const Variant& value, const QString& code);
// value replaced by its text for a format code: "DT..." dates, "N..." numbers, "SN" yes/no.
void TxTipFmt(const QString& code, const QString& spec, Variant& value);

// ---- Outline numbers ----

int NivNum(const QString& num);
void NivSep(const QString& num, int n, QString& head, QString& tail);
void NivArrCmp(const QList<int>& widths, int k, int& w);
// Numbers the rows of a tree: levels(1..n) are the rows' depths (element 0 unused); out(1..n)
// receives "1", "1.1", ... (element 0 "").
void NivArrOrd(const QList<int>& widths, const QList<int>& levels, QStringList& out);

} // namespace zv
