// BasFx: the separator scanner.

#include "BasFx.h"

#include "ModuleState.h"

namespace zv {

BasFxState& basFxState() {
    return moduleState<BasFxState>();
}

void basFxReset() {
    resetModuleState<BasFxState>();
}

void BasTxScn(int mode, QString& text, const QString& seps, QString& part) {
    qsizetype i = 0;
    if (mode == 0) {
        const QString& quote = basFxState().quote;
        const bool quotes = !quote.isEmpty();
        bool inQuote = false;
        for (; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (quotes && c == quote.at(0))
                inQuote = !inQuote;
            else if (!inQuote && seps.contains(c))
                break;
        }
    } else if (mode == 1) {
        while (i < text.size() && seps.contains(text.at(i)))
            ++i;
    }
    QString p = text.left(i);
    if (!p.isEmpty()) text = text.mid(i);
    part = p;
}

void BasTxSepExe(QString& text, const QString& seps, QString& token, QString& sep) {
    BasTxScn(0, text, seps, token);
    BasTxScn(1, text, seps, sep);
}

void BasTxSepChr(QString& text, const QString& seps, QString& token, QString& sep) {
    BasTxSepExe(text, seps, token, sep);
    if (sep.size() > 1) {
        text = sep.mid(1) + text;
        sep = sep.left(1);
    }
}

} // namespace zv
