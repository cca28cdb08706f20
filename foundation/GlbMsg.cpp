// GlbMsg: the coded message box.

#include "GlbMsg.h"

#include "ModuleState.h"
#include "ProcessContext.h"
#include "TxtGlb.h"

#include <QFileInfo>

namespace zv {

GlbMsgState& glbMsgState() {
    return moduleState<GlbMsgState>();
}

void glbMsgReset() {
    resetModuleState<GlbMsgState>();
}

namespace {

// text with every sep replaced by with.
QString separatorsReplaced(const QString& text, const QString& sep, const QString& with) {
    QString t = text;
    TxSbsSep(t, sep, with);
    return t;
}

} // namespace

void MsgTxPrp(const QString& text, QString& out) {
    out = separatorsReplaced(text, QStringLiteral("|"), QStringLiteral("\r\n"));
}

void MsgTxPrp(QString& text) {
    MsgTxPrp(text, text);
}

void MsgTabPrp(const QString& text, QString& out) {
    out = separatorsReplaced(text, QStringLiteral("»"), QStringLiteral("\t"));
}

void MsgTabPrp(QString& text) {
    MsgTabPrp(text, text);
}

void MsgRegLog(const QString& record) {
    const GlbMsgState& st = glbMsgState();
    if (!st.MsgLogOb) vbRaise(err::ObjectNotSet);
    const QString exeName = QFileInfo(ProcessContext::current().programFile()).completeBaseName();
    std::vector<Variant> args{Variant(st.MsgLogArg), Variant(record), Variant(exeName)};
    st.MsgLogOb->call(QStringLiteral("MsgGrpReg"), args);
}

void MsgExe(const QString& codes, const QString& title, const Variant& text, int& answer) {
    QString shown;
    TxCnvPrp(text, shown);
    const QString given = shown;
    MsgTxPrp(shown);
    MsgTabPrp(shown);

    const GlbMsgState& st = glbMsgState();
    const bool silent = st.MsgSil == 1;

    // Each group is tested in this order; within a group the last token present wins.
    MsgIcon icon = MsgIcon::Information;
    if (codes.contains(u'!')) icon = MsgIcon::Exclamation;
    if (codes.contains(u'?')) icon = MsgIcon::Question;
    if (codes.contains(u'I')) icon = MsgIcon::Information;
    if (codes.contains(u'X')) icon = MsgIcon::Critical;
    MsgButtons buttons = MsgButtons::OK;
    if (codes.contains(u"SN")) buttons = MsgButtons::YesNo;
    if (codes.contains(u"CNF")) buttons = MsgButtons::OK;
    if (codes.contains(u"SNC")) buttons = MsgButtons::YesNoCancel;
    if (codes.contains(u"SC")) buttons = MsgButtons::OKCancel;
    int defaultButton = 1;
    if (codes.contains(u'2')) defaultButton = 2;
    if (codes.contains(u'3')) defaultButton = 3;

    if (silent) {
        answer = 0;
        // a silent message that cannot be recorded is dropped
        vbTrap([&] {
            QString record;
            PrmReg(record, QStringLiteral("TPM"), Variant(codes));
            PrmReg(record, QStringLiteral("TIT"), Variant(title));
            PrmReg(record, QStringLiteral("MSG"), Variant(given));
            PrmReg(record, QStringLiteral("RES"), Variant(int16_t(answer)));
            MsgRegLog(record);
        });
        return;
    }

    MessageBoxRequest request;
    request.title = title;
    request.text = shown;
    request.icon = icon;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    request.beep = codes.contains(u"_B");
    switch (ProcessContext::current().messageBox().show(request)) {
    case MsgAnswer::OK:
    case MsgAnswer::Yes:
        answer = 1;
        break;
    case MsgAnswer::Cancel:
        answer = -1;
        break;
    default:
        answer = 0;
        break;
    }
}

void MsgCnf(const QString& title, const QString& text, int& answer) {
    const QString question = text == u"TIT" ? title : text;
    const QString shownTitle = title.isEmpty() ? QStringLiteral("Executar") : title;
    MsgExe(QStringLiteral("? SN 2 _B"), shownTitle,
           Variant(question + QStringLiteral("||Confirma ?")), answer);
}

void MsgErr(const QString& title, const QString& text, int errNum) {
    const QString shownTitle = title.isEmpty() ? QStringLiteral("Mensagem de Erro") : title;
    QString message = text;
    if (errNum != 0) {
        QString errText, source;
        ErrTx(errNum, errText, source);
        message += QStringLiteral("||") + errText;
    }
    int answer = 0;
    MsgExe(QStringLiteral("X _B"), shownTitle, Variant(message), answer);
}

} // namespace zv
