// TxtGlb: the command-line word table.

#include "TxtGlb.h"

#include "GlbVar.h"
#include "ProcessContext.h"
#include "Text.h"

namespace zv {

QStringList ArgPgm() {
    return ProcessContext::current().arguments().mid(1);
}

void ArgIni(const QString& cmd, int& count) {
    QStringList& words = txtGlbState().ArgLis;
    words = QStringList{cmd};
    // Blanks only separate; runs of blanks make no empty words.
    for (const QString& word : cmd.split(u' ', Qt::SkipEmptyParts)) {
        words.append(word);
        ++count;
    }
}

void ArgIni(const QStringList& words, int& count) {
    QStringList& table = txtGlbState().ArgLis;
    table = QStringList{words.join(u' ')};
    for (const QString& word : words) {
        table.append(word);
        ++count;
    }
}

void ArgNum(int& n) {
    const QStringList& words = txtGlbState().ArgLis;
    n = words.isEmpty() ? 0 : int(words.size()) - 1;
}

void ArgPsq(const QString& opts, const QString& word, int& pos) {
    const QStringList& words = txtGlbState().ArgLis;
    int n = 0;
    ArgNum(n);
    const bool upper = opts == u"M";
    const QString wanted = upper ? UCase(word) : word;
    for (int i = 1; i <= n; ++i) {
        if ((upper ? UCase(words.at(i)) : words.at(i)) == wanted) {
            pos = i;
            return;
        }
    }
    pos = n + 1;
}

void ArgConIdx(int i, Variant& target, const Variant& def) {
    int n = 0;
    ArgNum(n);
    const Variant value = i >= 1 && i <= n ? Variant(txtGlbState().ArgLis.at(i)) : def;
    VarAtrOpc(QString(), value, target);
}

void ArgCon(const QString& opts, const QString& word, Variant& target, const Variant& def) {
    int pos = 0;
    ArgPsq(opts, word, pos);
    ArgConIdx(pos + 1, target, def);
}

} // namespace zv
