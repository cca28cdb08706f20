// SupDat: accumulator groups and value groups.

#include "SupDat.h"

#include "Convert.h"
#include "GlbArr.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "Operators.h"
#include "SortGlb.h"
#include "Text.h"
#include "TxtGlb.h"

#include <cmath>

namespace zv {

namespace {

// A one-dimensional array holding index i.
bool holdsIndex(const Variant& arr, int i) {
    if (!arr.isArray() || arr.array().dimensions() != 1) return false;
    return i >= arr.array().lbound(1) && i <= arr.array().ubound(1);
}

// The number value of a count or an index kept in a Variant (0 when it has none).
int numberIn(const Variant& value) {
    int n = 0;
    vbTrap([&] { n = int(std::nearbyint(NumDbl(value))); });
    return n;
}

} // namespace

// ---- Accumulator groups ----

SupDat::AcmGroup SupDat::newGroup(const QString& name) const {
    AcmGroup g;
    g.name = name;
    g.levels.assign(size_t(levelCount_) + 1,
                    Level{0, std::vector<double>(size_t(columnCount_) + 1)});
    return g;
}

void SupDat::AcmGrpPrp(int columns, int levels) {
    columnCount_ = qMax(columns, 0);
    levelCount_ = qMax(levels, 0);
    AcmGrpIni();
}

void SupDat::AcmGrpIni() {
    IdxIni();
    acmGroups_.assign(1, newGroup(QString()));
    groupOrder_.clear();
    groupCursor_ = 0;
}

void SupDat::AcmGrpNum(int& count) const {
    count = int(acmGroups_.size()) - 1;
}

int SupDat::AcmGrpChvPos(const QString& name) const {
    int position = 0;
    ChvPos(TxMai(name), position);
    return position;
}

int SupDat::AcmGrpChvCri(const QString& name) {
    const int position = keyCount_ + 1;
    int ok = 0;
    ChvCri(TxMai(name), position, ok);
    if (!ok) return 0;
    keyCount_ = position;
    return position;
}

void SupDat::AcmGrpIdx(const Variant& group, int& position, int& found) const {
    found = 0;
    position = -1;
    // A value that is neither a name nor a number is not found.
    vbTrap([&] {
        // A name no group bears is not found: the grand total is reached by the number 0 only.
        const int p = group.isString() ? AcmGrpChvPos(group.rawString()) : CInt(group);
        if (group.isString() && p < 1) return;
        int count = 0;
        AcmGrpNum(count);
        if (p < 0 || p > count) return;
        position = p;
        found = 1;
    });
}

void SupDat::AcmGrpRegIde(int position, const QString& text) {
    if (position >= 0 && position < int(acmGroups_.size())) acmGroups_[size_t(position)].ide = text;
}

void SupDat::AcmGrpRegAdi(int position, const QString& text) {
    if (position >= 0 && position < int(acmGroups_.size())) acmGroups_[size_t(position)].adi = text;
}

int SupDat::AcmGrpReg(const QString& name) {
    int position = AcmGrpChvPos(name);
    if (position >= 1) return position;
    position = AcmGrpChvCri(name);
    if (position < 1) return 0;
    if (acmGroups_.size() <= size_t(position))
        acmGroups_.resize(size_t(position) + 1, newGroup({}));
    acmGroups_[size_t(position)] = newGroup(TxMai(name));
    AcmGrpEvt(position);
    return position;
}

void SupDat::AcmGrpEvt(int position) {
    if (!onGroupCreated_) return;
    // the handler's errors stay with the handler
    vbTrap([&] {
        int p = position;
        onGroupCreated_(p);
    });
}

void SupDat::AcmGrpAcm(const QString& name, const Variant& row, int& ok) {
    ok = 0;
    // The whole row is checked and read before a group is made or a total changes.
    if (!holdsIndex(row, 0) || !holdsIndex(row, columnCount_)) return;
    std::vector<double> amounts(size_t(columnCount_) + 1);
    for (int i = 0; i <= columnCount_; ++i)
        amounts[size_t(i)] = CDbl(opAdd(row.array().at1(i), Variant(0.0)));
    const int position = AcmGrpReg(name);
    // The creation handler may have changed the table.
    if (position < 1 || position >= int(acmGroups_.size())) return;
    ok = 1;
    for (const int target : {position, 0}) {
        for (Level& level : acmGroups_[size_t(target)].levels) {
            if (countMode_ == 1) ++level.count;
            for (size_t i = 0; i < amounts.size() && i < level.totals.size(); ++i)
                level.totals[i] = amounts[i] + level.totals[i];
        }
    }
}

void SupDat::AcmGrpExe(const QString& name, const Variant& row, int& ok) {
    countMode_ = 1;
    AcmGrpAcm(name, row, ok);
}

void SupDat::AcmGrpInc(const QString& name, const Variant& row, int& ok) {
    countMode_ = 0;
    AcmGrpAcm(name, row, ok);
}

void SupDat::AcmGrpLpz(const Variant& group, int level) {
    int position = 0, found = 0;
    AcmGrpIdx(group, position, found);
    if (!found || level > levelCount_) return;
    std::vector<Level>& levels = acmGroups_[size_t(position)].levels;
    for (int l = 0; l < int(levels.size()); ++l) {
        if (level < 0 || l == level) levels[size_t(l)].totals.assign(size_t(columnCount_) + 1, 0.0);
    }
}

void SupDat::AcmGrpCon(const Variant& group, int level, std::vector<double>& totals,
                       int32_t& count) {
    totals.assign(size_t(columnCount_) + 1, 0.0);
    int position = 0, found = 0;
    AcmGrpIdx(group, position, found);
    if (!found || !levelInRange(level)) {
        count = -1;
        grpName_.clear();
        grpIde_.clear();
        grpAdi_.clear();
        return;
    }
    const AcmGroup& g = acmGroups_[size_t(position)];
    grpName_ = g.name;
    grpIde_ = g.ide;
    grpAdi_ = g.adi;
    const Level& l = g.levels[size_t(level)];
    count = l.count;
    for (size_t i = 0; i < totals.size() && i < l.totals.size(); ++i)
        totals[i] = l.totals[i];
}

void SupDat::AcmGrpPosIni(int& position) {
    int count = 0;
    AcmGrpNum(count);
    Variant names = Variant::array({{0, count}});
    names.arrayMut().at1(0) = Variant(QString());
    for (int i = 1; i <= count; ++i)
        names.arrayMut().at1(i) = Variant(acmGroups_[size_t(i)].name);
    SrtVarIdx(QString(), names, groupOrder_);
    groupCursor_ = 0;
    AcmGrpPosSeg(position);
}

void SupDat::AcmGrpPosSeg(int& position) {
    ++groupCursor_;
    int count = 0;
    AcmGrpNum(count);
    position = groupCursor_ <= count && groupCursor_ < int(groupOrder_.size())
                   ? groupOrder_.at(groupCursor_)
                   : 0;
}

// ---- Value groups ----

Variant SupDat::emptyValues() {
    return Variant::array({{0, 0}});
}

void SupDat::pGrpIni() {
    valueGroups_.assign(1, ValueGroup{QString(), QString(), emptyValues()});
}

void SupDat::pGrpFim() {
    valueGroups_.clear();
}

void SupDat::GrpLib() {
    pGrpFim();
    pGrpIni();
}

void SupDat::VgrIni() {
    GrpLib();
}

int SupDat::GrpIdx(const Variant& group) const {
    double number = 0;
    vbTrap([&] { number = NumDbl(group); });
    const int last = int(valueGroups_.size()) - 1;
    if (number < 1) {
        const QString name = TxMai(TxCnv(group));
        for (int i = 1; i <= last; ++i) {
            if (valueGroups_[size_t(i)].name == name) return i;
        }
        return 0;
    }
    const double position = std::nearbyint(number);
    return position <= last ? int(position) : 0;
}

int SupDat::GrpCri(const Variant& group) {
    if (valueGroups_.empty()) pGrpIni();
    valueGroups_.push_back(ValueGroup{TxMai(TxCnv(group)), QString(), emptyValues()});
    return int(valueGroups_.size()) - 1;
}

void SupDat::GrpReg(const Variant& group, const QString& dir) {
    int position = GrpIdx(group);
    if (position > 0)
        valueGroups_[size_t(position)].values = emptyValues();
    else
        position = GrpCri(group);
    valueGroups_[size_t(position)].dir = dir;
}

void SupDat::GrpRgv(const Variant& group, const Variant& values) {
    const int position = GrpIdx(group);
    if (position < 1) return;
    int ok = 0;
    ArrCop(values, valueGroups_[size_t(position)].values, ok);
}

void SupDat::GrpCon(const Variant& group, int index, Variant& target) const {
    const int position = GrpIdx(group);
    const Variant* values = position > 0 ? &valueGroups_[size_t(position)].values : nullptr;
    if (values && holdsIndex(*values, index))
        VarAtr(values->array().at1(index), target);
    else
        VarIniTip(target);
}

void SupDat::GrpDim(const Variant& group, Variant& target) const {
    const int position = GrpIdx(group);
    const Variant* values = position > 0 ? &valueGroups_[size_t(position)].values : nullptr;
    if (values && values->isArray() && values->array().dimensions() >= 1)
        VarAtr(Variant(int32_t(values->array().ubound(1))), target);
    else
        VarIniTip(target);
}

void SupDat::VgrIdxCri(const Variant& group, const QString& key, int& position) {
    position = 0;
    int g = GrpIdx(group);
    if (g < 1) {
        GrpReg(group, QString());
        g = GrpIdx(group);
        if (g < 1) return;
    }
    const QString k = TxMai(key);
    if (k.contains(QChar(0))) return;
    ValueGroup& record = valueGroups_[size_t(g)];
    int kind = 0, code = 0;
    IdxCon(record.dir, k, kind, code);
    if (code > 0) {
        position = code;
        return;
    }
    if (!holdsIndex(record.values, 0)) return;
    const int next = numberIn(record.values.array().at1(0)) + 1;
    int ok = 0;
    IdxReg(record.dir, k, 1, next, ok);
    if (!ok) return;
    VArray& values = record.values.arrayMut();
    if (values.ubound(1) < next)
        values.redim({ArrayDim{values.lbound(1), next - values.lbound(1) + 1}}, true);
    values.at1(0) = Variant(int16_t(next));
    values.at1(next) = Variant(k);
    position = next;
}

void SupDat::VgrIdxCon(const Variant& group, const QString& key, int& position) const {
    position = 0;
    const int g = GrpIdx(group);
    if (g < 1) return;
    int kind = 0;
    IdxCon(valueGroups_[size_t(g)].dir, TxMai(key), kind, position);
}

void SupDat::VgrIdxVop(const Variant& group, int index, Variant& key, int& found) const {
    found = 0;
    const int g = GrpIdx(group);
    if (g < 1) {
        VarIniTip(key);
        return;
    }
    const Variant& values = valueGroups_[size_t(g)].values;
    const int n = holdsIndex(values, 0) ? numberIn(values.array().at1(0)) : 0;
    if (index >= 1 && index <= n && holdsIndex(values, index)) {
        found = 1;
        VarAtr(values.array().at1(index), key);
    } else {
        VarAtr(Variant(QString()), key);
    }
}

} // namespace zv
