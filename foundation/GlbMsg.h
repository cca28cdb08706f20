#pragma once
// GlbMsg: the coded message box, the system's one way of talking to the person. A short code
// string chooses the beep, icon, buttons and default button; "|" in the text is a line break
// and "»" a tab; the answer is 1 (OK, Yes), 0 (No) or -1 (Cancel). The box is shown through
// the message-box service of the process context.

#include "Dispatch.h"
#include "Variant.h"

#include <QString>

namespace zv {

// Module state. While MsgSil is 1 no box is shown and no beep sounds: the message is handed
// to the log object MsgLogOb (its "MsgGrpReg" operation) with MsgLogArg, and the answer is 0.
struct GlbMsgState {
    int MsgSil = 0;
    DispatchPtr MsgLogOb;
    QString MsgLogArg;
};
GlbMsgState& glbMsgState();
void glbMsgReset();

// Shows text with the box chosen by codes: "_B" beep; icons "!", "?", "I", "X" (default
// information); buttons "SN", "CNF", "SNC", "SC" (default OK); default button "2", "3".
// Tokens are found anywhere in codes; within a group the last one tested that is present wins.
void MsgExe(const QString& codes, const QString& title, const Variant& text, int& answer);
// Confirmation: Yes 1, No 0 (No is the default). An empty title is "Executar"; the text "TIT"
// asks the title itself.
void MsgCnf(const QString& title, const QString& text, int& answer);
// Error message with the critical icon; with an error number its error text is added.
void MsgErr(const QString& title, const QString& text, int errNum = 0);
// "|" becomes CR LF.
void MsgTxPrp(QString& text);
void MsgTxPrp(const QString& text, QString& out);
// "»" becomes a tab.
void MsgTabPrp(QString& text);
void MsgTabPrp(const QString& text, QString& out);
// Hands a silent message's record to the log object.
void MsgRegLog(const QString& record);

} // namespace zv
