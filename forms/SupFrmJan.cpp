// SupFrm: window positions kept in a window-state table file.
#include "SupFrm.h"

#include "FicGlb.h"
#include "GlbVar.h"
#include "NumFxd.h"
#include "SupFrmState.h"
#include "TdaOpc.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbForm.h"

#include <array>

namespace zv {

namespace {

// A key or sub-key that the table can hold as an entry of its own and find again: not empty,
// no "[", "]" (the key's brackets), "=" (the value's start), ":" (a typed key), no control
// character (a line break), and no final "." (an index key that reads back empty).
bool usableKey(const QString& key) {
    if (key.isEmpty() || key.endsWith(u'.')) return false;
    for (const QChar c : key) {
        if (c == u'[' || c == u']' || c == u'=' || c == u':' || c.unicode() < 32 ||
            c.unicode() == 127)
            return false;
    }
    return true;
}

// 1 when file can be read, 0 when there is none, else minus the error number.
int tableState(const QString& file) {
    int res = 0;
    FicExi(file, res);
    return res;
}

// The five numbers of a position text, each its leading number rounded to a whole number;
// missing ones 0.
std::array<int32_t, 5> positionOf(const QString& text) {
    std::array<int32_t, 5> v{};
    QStringList parts;
    int count = 0;
    TxArrSep(text, QStringLiteral(","), parts, count);
    for (int i = 0; i < 5 && i + 1 <= count && i + 1 < parts.size(); ++i)
        vbTrap([&] { v[size_t(i)] = CLng(Variant(NumTxValVar(parts[i + 1]))); });
    return v;
}

void storeValue(const QString& file, const QString& key, const QString& value) {
    TdaOpc par;
    int lines = 0;
    if (par.RegPrp(file, lines) != 0) return;
    if (par.RegVarAlt(key, value, 2) != 0) return;
    par.RegExe(QString(), 0);
}

} // namespace

VbForm* SupFrm::formOrMain(VbForm* form) const {
    return form ? form : s_->main.form();
}

void SupFrm::JanPdiObCon(VbForm* form, QString& text) const {
    const VbObjectRef f(form);
    QString left, top, width, height, state;
    vbTrap([&] { left = TxCnv(Variant(f.left())); });
    vbTrap([&] { top = TxCnv(Variant(f.top())); });
    vbTrap([&] { width = TxCnv(Variant(f.width())); });
    vbTrap([&] { height = TxCnv(Variant(f.height())); });
    vbTrap([&] {
        if (!form) throw VbError(err::ObjectNotSet);
        state = TxCnv(Variant(int16_t(form->vbWindowState())));
    });
    const QString comma = QStringLiteral(",");
    text = left + comma + top + comma + width + comma + height + comma + state;
}

void SupFrm::JanPdiObAct(VbForm* form, const QString& text, const QString& resolution) {
    const std::array<int32_t, 5> p = positionOf(text);
    VbObjectRef f(form);
    auto setState = [&](int state) {
        vbTrap([&] {
            if (!f.form()) throw VbError(err::ObjectNotSet);
            f.form()->setVbWindowState(state);
        });
    };
    if (p[2] < 1 || p[0] < -120) {
        vbTrap([&] { f.setLeft(0); });
        vbTrap([&] { f.setTop(0); });
        if (resolution == QLatin1String("640")) {
            vbTrap([&] { f.setWidth(9600); });
            vbTrap([&] { f.setHeight(6780); });
        } else if (resolution == QLatin1String("800")) {
            vbTrap([&] { f.setWidth(12000); });
            vbTrap([&] { f.setHeight(8600); });
        }
        setState(0);
        return;
    }
    vbTrap([&] { f.setLeft(p[0]); });
    vbTrap([&] { f.setTop(p[1]); });
    vbTrap([&] { f.setWidth(p[2]); });
    vbTrap([&] { f.setHeight(p[3]); });
    setState(p[4]);
}

void SupFrm::JanPdiRegCon(const QString& file, const QString& key, QString& value) const {
    value.clear();
    if (!usableKey(key) || tableState(file) != 1) return;
    vbTrap([&] {
        TdaOpc par;
        par.ZonIni(file);
        QString name, type, description;
        int count = 0;
        par.ZonSeg(name, type, count, description);
        par.OpcCon(key, value);
        par.ZonFim();
    });
}

void SupFrm::JanPdiRegAct(const QString& file, const QString& key, const QString& value) {
    if (!usableKey(key)) return;
    // Only a table that is not there is made: one that is there but cannot be read keeps
    // every position it holds.
    if (tableState(file) == 0) JanPdiRegCri(file);
    if (tableState(file) == 1) storeValue(file, key, value);
}

void SupFrm::JanPdiRegCri(const QString& file) {
    vbTrap([&] {
        TdaOpc par;
        par.tboFic(file);
        par.CabPrp(QString(), QString(), QString(), QStringLiteral("Situacao de janelas"));
        if (par.CabCri(0) != 0) return;
        par.RegGrpCabVer();
        par.RegGrpVer(QString(), QString(), QString(), 0);
        par.RegGrpCabDef();
        par.RegGrpFim();
        par.RegFim();
    });
}

void SupFrm::PosJanVdeReg(const QString& sizeList) {
    s_->defaultPlace = TxMai(sizeList);
}

void SupFrm::PosJanVdeExe() {
    DimAjt(s_->defaultPlace);
}

void SupFrm::PosJanExe(const QString& file, VbForm* form) {
    form = formOrMain(form);
    if (tableState(file) != 1) {
        PosJanVdeExe();
        return;
    }
    QString key, text;
    PosJanChv(form, key);
    JanPdiRegCon(file, key, text);
    const std::array<int32_t, 5> p = positionOf(text);
    if (p[0] < -1000 || p[1] < -1000 || p[4] == 1 || p[2] < 1) {
        PosJanVdeExe();
        return;
    }
    VbObjectRef f(form);
    vbTrap([&] { f.setLeft(p[0]); });
    vbTrap([&] { f.setTop(p[1]); });
    vbTrap([&] { f.setWidth(p[2]); });
    vbTrap([&] { f.setHeight(p[3]); });
    vbTrap([&] {
        if (!form) throw VbError(err::ObjectNotSet);
        form->setVbWindowState(p[4]);
    });
}

void SupFrm::PosJanReg(const QString& file, VbForm* form) {
    form = formOrMain(form);
    if (tableState(file) != 1) return;
    QString key, text;
    PosJanChv(form, key);
    if (!usableKey(key)) return;
    JanPdiObCon(form, text);
    storeValue(file, key, text);
}

void SupFrm::PosJanChv(VbForm* form, QString& key) const {
    key.clear();
    if (!form) return;
    key = TxMai(form->name());
    const QString extra = Trim(form->property("PosChvAdi").toString());
    if (!extra.isEmpty()) key += u'_' + extra;
}

void SupFrm::PosJanVop(const QString& mode, const QString& file, const QString& subKey,
                       Variant& value, VbForm* form) {
    form = formOrMain(form);
    if (tableState(file) != 1) return;
    // An empty sub-key would name the window's position itself.
    if (!usableKey(subKey)) return;
    QString key;
    PosJanChv(form, key);
    if (!usableKey(key)) return;
    key += u'_' + subKey;
    if (TxMai(mode) == QLatin1String("R")) {
        storeValue(file, key, TxCnv(value));
    } else {
        QString stored;
        JanPdiRegCon(file, key, stored);
        VarAtr(Variant(stored), value);
    }
}

} // namespace zv
