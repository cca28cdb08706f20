// TdaOpc: the options, the "DEF" and "OPC" zone steps and the command line.

#include "TdaOpc.h"

#include "FicGlb.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "ParamLine.h"
#include "ProcessContext.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

double leadingNumber(const QString& text) {
    double n = 0;
    vbTrap([&] { n = NumDbl(Variant(text)); });
    return n;
}

} // namespace

// ---- Look-ups ----

void TdaOpc::OpcCon(const QString& key, QString& value) const {
    value = options_.lookup(key, commandLine_);
}

void TdaOpc::OpcCon(const QString& key, double& value) const {
    value = NumTxValVar(options_.lookup(key, commandLine_));
}

void TdaOpc::OpcCon(const QString& key, Variant& value) const {
    VarAtrOpc(QString(), Variant(options_.lookup(key, commandLine_)), value);
}

void TdaOpc::OpcSN(const QString& key, int& result) const {
    Variant v(int16_t(0));
    OpcSN(key, v);
    result = int(v.numericValue());
}

void TdaOpc::OpcSN(const QString& key, Variant& result) const {
    TxSN(Variant(options_.lookup(key, commandLine_)), result);
}

void TdaOpc::OpcVop(const QString& key, QString& value, int& found) const {
    found = options_.getStored(key, value) ? 1 : 0;
}

void TdaOpc::OpcFixCon(const QString& key, QString& value, int& found) const {
    found = options_.getFixed(key, value) ? 1 : 0;
}

void TdaOpc::opcUsa(const QString& key, QString& value, int& found) const {
    found = options_.getUser(key, value) ? 1 : 0;
}

// ---- Setting ----

void TdaOpc::OpcFixAct(const QString& key, const QString& value) {
    options_.setFixed(key, value);
}

void TdaOpc::OpcAct(const QString& key, const QString& value) {
    options_.setUser(key, value);
}

void TdaOpc::OpcIni(const QString& mode) {
    // Every mode leaves a table that later options can be stored in.
    Q_UNUSED(mode);
    options_.user().clear();
}

void TdaOpc::OpcFixIni() {
    options_.fixed().clear();
}

void TdaOpc::OpcPrp(int count) {
    NameValueTable table;
    ZonArr(QStringLiteral("IDE"), count, table);
    NameValueTable& user = options_.user();
    user.clear();
    for (int i = 1; i <= table.count(); ++i)
        user.set(OptionStore::optionName(table.nameAt(i)), table.valueAt(i));
}

void TdaOpc::OpcArr(int count, QStringList& values) const {
    NameValueTable table;
    ZonArr(QStringLiteral("IDE"), count, table);
    QStringList result{QString()};
    for (int i = 1; i <= table.count(); ++i)
        result.append(table.valueAt(i));
    values = result;
}

// ---- References ----

void TdaOpc::OpcSbr(QString& text) const {
    text = options_.substitute(text, commandLine_);
}

void TdaOpc::OpcSbr(const QString& text, QString& out) const {
    out = options_.substitute(text, commandLine_);
}

void TdaOpc::OpcPath(const QString& key, QString& text) const {
    QString value = options_.lookup(key, commandLine_);
    QString before, inside, after;
    int len = 0;
    TxDlmExt(value, before, inside, after, len, QStringLiteral("[]"));
    if (!inside.isEmpty()) value = before + options_.lookup(inside, commandLine_) + after;
    text = options_.substitute(value, commandLine_);
}

void TdaOpc::OpcDbg(const QString& name, Variant& result, int flag) const {
    QString entry;
    int ok = 0;
    MemCon(QStringLiteral("DBG") + UCase(Trim(name)), entry, ok);
    const bool text = result.isString();
    Variant yesNo = text ? Variant(QString()) : Variant(int16_t(0));
    TxSN(Variant(entry), yesNo, flag == 1 ? 1 : 0);
    result = text ? Variant(Left(yesNo.rawString(), 1)) : yesNo;
}

// ---- Option records ----

void TdaOpc::OpcTabPrp(const QString& selector, int& count) {
    count = options_.selectRecords(selector);
}

void TdaOpc::OpcTabCon(QString& label, QString& value, QString& name) {
    options_.nextRecord(label, value, name);
}

// ---- Zone steps ----

void TdaOpc::ZonDefPrp(int count) {
    OpcPrp(count);
    LcIni(QString());
}

void TdaOpc::ZonOpcPrp(int count) {
    std::vector<TdaReg> records(1);
    for (int i = 1; i <= count && table_.has(i); ++i) {
        TdaReg r = table_.at(i);
        r.Num = 0;
        QString typePart, namePart;
        parline::ParTipVar(r.Chv, typePart, namePart);
        if (typePart == u"F") r.Val = options_.substitute(r.Val, commandLine_);
        records.push_back(std::move(r));
    }
    options_.setRecords(std::move(records));
}

// ---- Command line ----

void TdaOpc::LcIni(const QString& defaultName) {
    LcPrpArg(ArgPgm());
    LcPrpFpa(defaultName);
    LcRegVar();
}

void TdaOpc::LcPrpArg(const QString& text) {
    commandLine_.setText(text);
}

void TdaOpc::LcPrpArg(const QStringList& words) {
    commandLine_.setWords(words);
}

void TdaOpc::LcPrpFpa(const QString& defaultName) {
    QString given;
    commandLine_.following(QStringLiteral("-FP"), given);
    QString path;
    if (!given.isEmpty()) {
        QString kind;
        int attr = 0;
        FicTip(given, kind, attr);
        if (kind != u"D")
            path = given;
        else if (!defaultName.isEmpty())
            path = FicPathJun(given, defaultName);
    } else if (!defaultName.isEmpty()) {
        path = FicPathJun(ProcessContext::current().programFolder(), defaultName);
    }
    fpPath_ = path;
}

void TdaOpc::LcCon(int number, QString& value, int& found) const {
    QString word;
    found = commandLine_.word(number, word) ? 1 : 0;
    value = word;
}

void TdaOpc::LcCon(int number, double& value, int& found) const {
    QString word;
    LcCon(number, word, found);
    value = found ? leadingNumber(word) : 0;
}

void TdaOpc::LcCon(const QString& name, QString& value, int& found) const {
    QString word;
    found = commandLine_.following(name, word) ? 1 : 0;
    value = word;
}

void TdaOpc::LcCon(const QString& name, double& value, int& found) const {
    QString word;
    LcCon(name, word, found);
    value = found ? leadingNumber(word) : 0;
}

void TdaOpc::LcCon(const QString& name, Variant& value, int& found) const {
    QString word;
    LcCon(name, word, found);
    if (found)
        VarAtr(Variant(word), value);
    else
        VarIniTip(value);
}

void TdaOpc::LcExi(const QString& name, int& position) const {
    position = commandLine_.position(name);
}

void TdaOpc::LcRegVar() {
    for (const auto& [name, value] : commandLine_.assignments())
        OpcAct(name, value);
}

} // namespace zv
