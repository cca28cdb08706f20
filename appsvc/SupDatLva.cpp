// SupDat: the value list and the accumulators.

#include "SupDat.h"

#include "Convert.h"
#include "GlbVar.h"
#include "Operators.h"
#include "SortGlb.h"
#include "Text.h"
#include "TxtGlb.h"

namespace zv {

// ---- Value list ----

void SupDat::LvaPrp(int mode) {
    listMode_ = mode;
}

void SupDat::LvaZer() {
    list_.reset();
}

void SupDat::LvaNrg(int& count) const {
    count = list_ ? list_->count() : 0;
}

Variant SupDat::LvaIdx(const Variant& key) const {
    if (key.isString() && listMode_ == 1) return Variant(TxMai(key.rawString()));
    return key;
}

void SupDat::LvaReg(const Variant& key, const Variant& value, int& ok) {
    ok = vbTrap([&] {
        const QString k = toText(LvaIdx(key));
        if (!list_) list_ = Collection::create();
        list_->add(value, k);
    })
             ? 0
             : 1;
}

void SupDat::LvaReg1(const Variant& value, int& ok) {
    LvaReg(value, value, ok);
}

void SupDat::LvaEli(const Variant& key, int& ok) {
    ok = vbTrap([&] {
        if (!list_) vbRaise(err::InvalidCall);
        list_->remove(LvaIdx(key));
    })
             ? 0
             : 1;
}

void SupDat::LvaCon(const Variant& key, Variant& value, int& ok) const {
    ok = vbTrap([&] {
        if (!list_) vbRaise(err::InvalidCall);
        VarAtr(list_->item(LvaIdx(key)), value);
    })
             ? 0
             : 1;
}

void SupDat::LvaUsa(const QString& options, Variant& target, int& count) const {
    const bool sorted = TxLisCon(options, QStringLiteral("ORD"), QStringLiteral(" ")) == 1;
    LvaNrg(count);
    QStringList entries{QString()};
    for (int i = 1; i <= count; ++i) {
        Variant entry{QString()};
        int ok = 0;
        LvaCon(Variant(int32_t(i)), entry, ok);
        entries.append(entry.rawString());
    }
    if (sorted) SrtTx(entries, count);
    if (!target.isArray()) {
        QString joined;
        for (int i = 1; i <= count; ++i)
            TxJun(joined, QStringLiteral(","), Variant(entries.at(i)));
        target = Variant(joined);
        return;
    }
    Variant all = Variant::array({{0, count}});
    for (int i = 1; i <= count; ++i)
        all.arrayMut().at1(i) = Variant(entries.at(i));
    target = all;
}

// ---- Accumulators ----

void SupDat::AcmIni() {
    IdxIni();
}

void SupDat::AcmNum(int& count) const {
    DatArrDim(count);
}

void SupDat::AcmDef(const QString& name, const Variant& definition, int& ok) {
    DtaAct(name, Variant(int16_t(0)), ok);
    if (!ok) return;
    const size_t position = size_t(lastPosition_);
    if (parallel_.size() <= position) parallel_.resize(position + 1);
    parallel_[position] = definition;
}

void SupDat::AcmExe(const QString& name, const Variant& amount, int& ok) {
    Variant total{0.0};
    DtaCon(name, total, ok);
    // The sum first: an amount that is no number raises before anything is defined or stored.
    const Variant sum = Variant(CDbl(opAdd(total, amount)));
    if (!ok) {
        int defined = 0;
        AcmDef(name, Variant(name), defined);
    }
    int stored = 0;
    DtaAct(name, sum, stored);
}

void SupDat::AcmExeExi(const QString& name, const Variant& amount, int& ok) {
    int position = 0;
    ChvPos(TxMai(name), position);
    ok = hasValueSlot(position) ? 1 : 0;
    if (ok) AcmExe(name, amount, ok);
}

void SupDat::AcmLpz() {
    values_.assign(values_.size(), Variant());
}

void SupDat::AcmCon(const Variant& nameOrPosition, Variant& total, Variant& definition,
                    int& ok) const {
    ok = 0;
    // A position that is no number counts as not found.
    const VbTrapped failed = vbTrap([&] {
        int count = 0;
        AcmNum(count);
        int position = 0;
        if (nameOrPosition.isString())
            ChvPos(TxMai(nameOrPosition.rawString()), position);
        else
            position = CInt(nameOrPosition);
        if (position < 1 || position > count) {
            VarIniTip(total);
            VarIniTip(definition);
            return;
        }
        ok = 1;
        VarAtr(values_[size_t(position)], total);
        VarIniTip(definition);
        if (size_t(position) < parallel_.size()) VarAtr(parallel_[size_t(position)], definition);
    });
    if (failed) {
        VarIniTip(total);
        VarIniTip(definition);
    }
}

} // namespace zv
