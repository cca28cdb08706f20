#pragma once
// BasFx: the separator scanner with which script lines are cut into tokens.

#include <QString>

namespace zv {

// Module state: the quote character of the scanner. While it is empty quotes get no special
// treatment; when set, separators between two quote characters are part of the token.
struct BasFxState {
    QString quote;
};
BasFxState& basFxState();
void basFxReset();

// Mode 0: part = the text before its first separator character (outside quotes), text keeps
// everything from that character on. Mode 1: part = the leading run of separator characters,
// text keeps the rest. An empty part leaves text unchanged.
void BasTxScn(int mode, QString& text, const QString& seps, QString& part);
// The next token and the run of separators after it.
void BasTxSepExe(QString& text, const QString& seps, QString& token, QString& sep);
// As BasTxSepExe, keeping only the first separator character; the others go back in front of
// text.
void BasTxSepChr(QString& text, const QString& seps, QString& token, QString& sep);

} // namespace zv
