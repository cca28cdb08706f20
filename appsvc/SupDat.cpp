// SupDat: the key index, values by key and by position, and [name] references.

#include "SupDat.h"

#include "DbgFx.h"
#include "GlbVar.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

namespace {

constexpr int kDatSbrMax = 21;
constexpr int kOpcSbrMax = 1000;

bool holdsNul(const QString& key) {
    return key.contains(QChar(0));
}

// The value of a key for the reference replacements: its text, "" when missing.
QString textOf(const SupDat& store, const QString& name) {
    Variant value{QString()};
    int ok = 0;
    store.DtaCon(name, value, ok);
    return value.rawString();
}

} // namespace

SupDat::SupDat() {
    DbgObIni(objectName_, instanceId_);
    acmGroups_.push_back(newGroup(QString()));
    FxIni();
}

SupDat::~SupDat() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
}

void SupDat::FxIni() {
    DbgFxIni(objectName_, instanceId_);
    IdxIni();
    pGrpIni();
}

void SupDat::FxFim() {
    DbgFxFim(objectName_, instanceId_);
    values_.assign(1, Variant());
    keys_.assign(1, QString());
    parallel_.assign(1, Variant());
    acmGroups_.assign(1, newGroup(QString()));
    groupOrder_.clear();
    groupCursor_ = 0;
    pGrpFim();
}

void SupDat::IdxIni() {
    index_.clear();
    firstEntry_.clear();
    keyCount_ = 0;
    lastPosition_ = 0;
    values_.assign(1, Variant());
    keys_.assign(1, QString());
    parallel_.assign(1, Variant());
}

// ---- Key index ----

void SupDat::ChvTipCri(const QString& key, int type, int position, int& ok) {
    ok = 0;
    if (holdsNul(key)) return;
    IdxReg(index_, key, type, position, ok);
    if (ok && !firstEntry_.contains(key)) firstEntry_.insert(key, IndexEntry{type, position});
}

void SupDat::ChvCri(const QString& key, int position, int& ok) {
    ChvTipCri(key, 1, position, ok);
}

void SupDat::ChvTipPos(const QString& key, int& type, int& position) const {
    const auto it = firstEntry_.constFind(key);
    type = it == firstEntry_.cend() ? 0 : it->type;
    position = it == firstEntry_.cend() ? 0 : it->position;
}

void SupDat::ChvPos(const QString& key, int& position) const {
    int type = 0;
    ChvTipPos(key, type, position);
}

void SupDat::ChvCriLista(int& counter, const QString& list, int type) {
    QString rest = list;
    while (!rest.isEmpty()) {
        QString item;
        int found = 0;
        TxSep(rest, QStringLiteral(","), item, found);
        ++counter;
        int ok = 0;
        ChvTipCri(item, type, counter, ok);
    }
}

void SupDat::ChvPosPsq(const QString& mode, int n, QString& key, int& type) const {
    key.clear();
    type = 0;
    const bool byCount = mode == u"C";
    qsizetype pos = 0;
    int kind = 0, code = 0, entries = 0;
    QString name;
    while (IdxEntLer(index_, pos, kind, code, name)) {
        ++entries;
        if (byCount ? entries == n : code == n) {
            key = name;
            type = kind;
            return;
        }
    }
}

void SupDat::ChvIde(QStringList& keys, int& count) const {
    keys = QStringList{QString()};
    qsizetype pos = 0;
    int kind = 0, code = 0;
    QString name;
    while (IdxEntLer(index_, pos, kind, code, name)) {
        ++count;
        while (keys.size() <= count)
            keys.append(QString());
        keys[count] = name;
    }
}

void SupDat::IdxChv(const QString& key, int& position, int& created) {
    created = 0;
    ChvPos(key, position);
    if (position >= 1) return;
    // A key the index cannot take is not counted: the count stays that of the keys it holds.
    int ok = 0;
    ChvCri(key, keyCount_ + 1, ok);
    if (!ok) {
        position = 0;
        return;
    }
    position = ++keyCount_;
    created = 1;
}

// ---- Values by key ----

void SupDat::DatIdx(const QString& key, const Variant& value, int& position) {
    const QString k = Trim(key);
    int created = 0;
    IdxChv(k, position, created);
    if (position < 1) return;
    if (created) {
        const size_t size = size_t(position) + 1;
        if (values_.size() < size) values_.resize(size);
        if (keys_.size() < size) keys_.resize(size);
        keys_[size_t(position)] = k;
    }
    if (!hasValueSlot(position)) {
        position = 0;
        return;
    }
    values_[size_t(position)] = value;
}

void SupDat::DatAct(const QString& key, const Variant& value, int& ok) {
    int position = 0;
    DatIdx(key, value, position);
    ok = position > 0 ? 1 : 0;
    lastPosition_ = position;
}

void SupDat::DatActIx(const QString& key, const Variant& value, int& position) {
    DatIdx(key, value, position);
}

void SupDat::DatConIx(const QString& key, Variant& target, int& position) const {
    ChvPos(Trim(key), position);
    if (!hasValueSlot(position)) {
        position = 0;
        VarIniTip(target);
        return;
    }
    VarAtr(values_[size_t(position)], target);
}

void SupDat::DatCon(const QString& key, Variant& target, int& ok) const {
    int position = 0;
    DatConIx(key, target, position);
    ok = position > 0 ? 1 : 0;
}

void SupDat::DtaAct(const QString& key, const Variant& value, int& ok) {
    DatAct(TxMai(key), value, ok);
}

void SupDat::DtaCon(const QString& key, Variant& target, int& ok) const {
    DatCon(TxMai(key), target, ok);
}

void SupDat::DatOpc(const QString& mode, const QString& key, Variant& target, QString& text) const {
    text = textOf(*this, key);
    if (mode == u"R") DatSbr(text);
    VarAtr(Variant(text), target);
}

// ---- References ----

void SupDat::DatSbr(QString& text) const {
    for (int made = 0; made < kDatSbrMax; ++made) {
        QString before, inside, after;
        TxDlmSep(text, QStringLiteral("[]"), before, inside, after);
        if (inside.isEmpty()) return;
        text = before + textOf(*this, inside) + after;
    }
}

QString SupDat::OpcSbr(const QString& text, const QString& pair) const {
    const QString delimiters = pair.isEmpty() ? QStringLiteral("[]") : pair;
    QString work = text;
    for (int pass = 0; pass < kOpcSbrMax; ++pass) {
        QString before, inside, after;
        TxDlmSep(work, delimiters, before, inside, after);
        work = before + textOf(*this, inside) + after;
        if (inside.isEmpty()) break;
    }
    return work;
}

// ---- Values by position ----

void SupDat::DatArrDim(int& count) const {
    count = int(values_.size()) - 1;
}

void SupDat::DatArrCon(int position, Variant& value) const {
    if (hasValueSlot(position))
        value = values_[size_t(position)];
    else
        VarIniTip(value);
}

void SupDat::DatArrChv(int position, QString& key) const {
    key = position >= 1 && position < int(keys_.size()) ? keys_[size_t(position)] : QString();
}

void SupDat::DatArrAct(int position, const Variant& value) {
    if (hasValueSlot(position)) values_[size_t(position)] = value;
}

void SupDat::CnvPosPtx(int position, QString& text, int& ok) {
    IdxCodTx(position, text, ok);
}

void SupDat::CnvPtxPos(const QString& text, int& position) {
    IdxPosVal(text, position);
}

} // namespace zv
