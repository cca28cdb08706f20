#include "OptionStore.h"

#include "ApiFsys.h"
#include "ParamLine.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

QString OptionStore::optionName(const QString& key) {
    return UCase(Trim(key));
}

void OptionStore::setFixed(const QString& key, const QString& value) {
    fixed_.set(optionName(key), value);
}

void OptionStore::setUser(const QString& key, const QString& value) {
    user_.set(optionName(key), value);
}

bool OptionStore::getFixed(const QString& key, QString& value) const {
    return fixed_.get(optionName(key), value);
}

bool OptionStore::getUser(const QString& key, QString& value) const {
    return user_.get(optionName(key), value);
}

bool OptionStore::getStored(const QString& key, QString& value) const {
    return getFixed(key, value) || getUser(key, value);
}

QString OptionStore::lookup(const QString& key, const CommandLine& commandLine) const {
    const QString k = optionName(key);
    if (k == u"APP:PATH") return ProcessContext::current().programFolder();
    if (k == u"WIN:DIR") return DirSisWin();
    if (k == u"WIN:SYS") return DirSisSys();
    if (k == u"WIN:TMP") return DirTmp();
    if (k == u"USR:DIR") return ProcessContext::current().homeFolder();
    // Keys from "LC:" up to "LC:z" in binary order name a command-line switch.
    if (k >= QStringLiteral("LC:") && k <= QStringLiteral("LC:z")) {
        QString value;
        commandLine.following(u'-' + Mid(k, InStr(k, u":") + 1), value);
        return value;
    }
    QString value;
    getStored(k, value);
    return value;
}

QString OptionStore::substitute(const QString& text, const CommandLine& commandLine) const {
    QString result = text;
    QString before, inside, after;
    int len = 0;
    TxDlmExt(result, before, inside, after, len, QStringLiteral("[]"));
    for (int rounds = 0; !inside.isEmpty() && rounds < kMaxReplacements; ++rounds) {
        result = before + lookup(inside, commandLine) + after;
        TxDlmExt(result, before, inside, after, len, QStringLiteral("[]"));
    }
    return result;
}

void OptionStore::clearRecords() {
    records_.assign(1, TdaReg{});
}

int OptionStore::selectRecords(const QString& selector) {
    const QString s = UCase(Trim(selector));
    if (records_.empty()) clearRecords();
    int count = 0;
    for (size_t i = 1; i < records_.size(); ++i) {
        QString typePart, namePart;
        parline::ParTipVar(records_[i].Chv, typePart, namePart);
        int ok = 0;
        CndLis(s, namePart, ok);
        records_[i].Num = ok == 1 ? 1 : 0;
        if (ok == 1) ++count;
    }
    records_[0].Num = 0;
    return count;
}

bool OptionStore::nextRecord(QString& label, QString& value, QString& name) {
    if (records_.empty()) clearRecords();
    const int cursor = int(records_[0].Num);
    for (int i = std::max(cursor, 0) + 1; i < int(records_.size()); ++i) {
        if (records_[size_t(i)].Num != 1) continue;
        const TdaReg& r = records_[size_t(i)];
        QString typePart, namePart;
        parline::ParTipVar(r.Chv, typePart, namePart);
        label = r.Nom;
        value = r.Val;
        name = namePart;
        records_[0].Num = i;
        return true;
    }
    label.clear();
    value.clear();
    name.clear();
    return false;
}

} // namespace zv
