// SupVyn: the script glue (the window and the action object bound to the script host,
// procedures run by name) and the controls as scripts read and change them.

#include "SupVyn.h"

#include "Convert.h"
#include "ProcessContext.h"
#include "SupVynVbs.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbsHostForm.h"
#include "WizardButtons.h"
#include "WizardControls.h"
#include "ZelVynGlb.h"
#include "ZelVynGlbCnv.h"

namespace zv {

namespace {

Variant integer(int v) {
    return Variant(int16_t(v));
}

} // namespace

// ---- binding ----

void SupVyn::VbsFrmReg() {
    VbsHost& host = vbs();
    // A full reset of the host: no object and no code of an earlier binding stays.
    host.FxFim();
    host.VbsIni();
    host.FxIni();
    host.VbsRegFS(std::dynamic_pointer_cast<VbsHostForm>(window_));
    if (!vyn_) {
        vyn_ = std::make_shared<SupVynVbs>(this);
        vyn_->FxIni();
    }
    int ok = 0;
    host.RegObPrp(QStringLiteral("N"), QStringLiteral("Vyn"), Variant(DispatchPtr(vyn_)), ok);
    host.VbsIni();
}

void SupVyn::RegSup(const QString& name, const DispatchPtr& object) {
    VbsHost& host = vbs();
    int ok = 0;
    host.RegObPrp(QStringLiteral("N"), UCase(Trim(name)), Variant(object), ok);
    host.VbsIni();
}

void SupVyn::VbsFim() {
    ++scriptUses_;
    if (vbs_) vbs_->FxFim();
    // The script engine belongs to the window and may keep the object a while: it no longer
    // reaches this engine.
    if (vyn_) vyn_->setEngine(nullptr);
    vyn_.reset();
    vbs_.reset();
}

// ---- procedures and expressions ----

bool SupVyn::VbsCall(const Variant& args, Variant& value) {
    const EventPump::BusyToken busy = ProcessContext::current().pump().busy();
    VbsHost& host = vbs();
    QString kind;
    value = host.SupVbsFx(args, kind);
    return host.lastCallFlag() == 1;
}

void SupVyn::VbsExe(const Variant& args, Variant& value) {
    VbsCall(args, value);
}

void SupVyn::VbsFx(const Variant& args, Variant& value) {
    VbsCall(args, value);
}

void SupVyn::VbsPrcExe(const QString& name) {
    Variant value;
    VbsExe(Variant::list({Variant(name)}), value);
}

Variant SupVyn::VbsVar(const QString& expression) {
    Variant result;
    int ok = 0;
    vbs().ExeCalc(expression, result, ok);
    return result;
}

// ---- finding controls ----

void SupVyn::CmpLoc(const QString& name, int& index) const {
    index = 0;
    for (int i = 1; i < int(cmp_.size()); ++i) {
        if (sameName(cmp_[i].Ide, name)) {
            index = i;
            return;
        }
    }
}

void SupVyn::CmpObjNom(const QString& name, DispatchPtr& object, int& found) const {
    object.reset();
    found = 0;
    if (wizardButtonNamed(name)) {
        if (const DispatchPtr w = windowObject()) {
            const Variant b = w->get(name);
            if (b.isObject()) object = b.rawObject();
        }
        found = object ? 1 : 0;
        return;
    }
    int index = 0;
    CmpLoc(name, index);
    found = index > 0 ? 1 : 0;
    switch (cmp_[index].Kind) {
    case CmpKind::Lab:
    case CmpKind::Ckb:
    case CmpKind::Rtf:
    case CmpKind::Opc:
        object = control(index);
        break;
    case CmpKind::OpcTxt:
    case CmpKind::Other:
        break;
    }
}

void SupVyn::CmpObj(const Variant& control, DispatchPtr& object) const {
    if (control.isString()) {
        int found = 0;
        CmpObjNom(control.rawString(), object, found);
    } else if (control.isObject()) {
        object = control.rawObject();
    } else {
        throw VbError(err::ObjectRequired);
    }
}

// ---- reading and changing controls ----

Variant SupVyn::CmpVarCon(const Variant& control) {
    // 1 when every value was registered; 0 when a run-time error stopped it.
    const VbTrapped failed = vbTrap([&] {
        int index = 0;
        DispatchPtr obj;
        if (control.isObject()) {
            obj = control.rawObject();
        } else {
            const QString name = TxCnv(control);
            CmpLoc(name, index);
            int found = 0;
            CmpObjNom(name, obj, found);
        }
        const CmpDef& c = cmp_[index]; // the empty entry 0 when nothing is found
        VbsVarReg(QStringLiteral("cmpIde"), c.Ide);
        if (!obj) throw VbError(err::ObjectNotSet);
        VbsVarReg(QStringLiteral("cmpFontName"), TxCnv(obj->get(QStringLiteral("FontName"))));
        if (c.Kind == CmpKind::Opc) {
            // The chosen option (0 while none is) and its attached text.
            const Variant chosen = obj->get(QStringLiteral("opcUsa"));
            std::vector<Variant> args{chosen, Variant(QString()), Variant(QString())};
            obj->call(QStringLiteral("ConOpc"), args);
            VbsVarReg(QStringLiteral("opcSel"), TxCnv(chosen));
            VbsVarReg(QStringLiteral("opcSelAdi"), TxCnv(args[2]));
        } else if (c.Kind == CmpKind::Ckb) {
            VbsVarReg(QStringLiteral("opcSel"), TxCnv(obj->get(QStringLiteral("Value"))));
        }
    });
    return integer(failed ? 0 : 1);
}

Variant SupVyn::CmpVarAlt(const Variant& control, const Variant& what, const Variant& value) {
    // 1 when the change was made (or the kind of change is unknown); 0 when the control is
    // missing or a run-time error stopped it.
    const VbTrapped failed = vbTrap([&] {
        DispatchPtr obj;
        CmpObj(control, obj);
        if (!obj) throw VbError(err::ObjectNotSet);
        const QString w = TxCnv(what);
        if (w == u"POS") {
            int32_t x = 0, y = 0;
            PosTwpCon(TxCnv(value), x, y);
            CmpPosAlt(obj, Variant(x), Variant(y));
        } else if (w == u"DIM") {
            int32_t width = -1, height = -1;
            DimTwpCon(TxCnv(value), width, height);
            CmpDimAlt(obj, Variant(width), Variant(height));
        } else if (w == u"FON") {
            QString name, style;
            int16_t size = -1;
            FonTxtCon(TxCnv(value), name, size, style);
            CmpFonAlt(obj, name, Variant(size), style);
        } else if (w == u"COR") {
            int32_t colour = -1;
            CorCon(TxCnv(value), colour);
            CmpCorAlt(obj, Variant(colour), Variant());
        } else if (w == u"ALN") {
            int16_t alignment = 0;
            AlnCon(TxCnv(value), alignment);
            obj->put(QStringLiteral("Alignment"), Variant(alignment));
        } else if (w == u"SIT") {
            CmpSitAlt(Variant(obj), TxCnv(value));
        } else if (w == u"TXT") {
            obj->put(QStringLiteral("Caption"), dereference(value));
        } else if (w == u"CHK") {
            obj->put(QStringLiteral("Value"), dereference(value));
        }
    });
    return integer(failed ? 0 : 1);
}

void SupVyn::CmpFonAlt(const DispatchPtr& control, const QString& name, const Variant& size,
                       const QString& style) {
    vbTrap([&] { control->put(QStringLiteral("FontName"), Variant(name)); });
    vbTrap([&] { control->put(QStringLiteral("FontSize"), size); });
    const QString s = UCase(Trim(style));
    if (s.contains(QStringLiteral("BOLD")))
        vbTrap([&] { control->put(QStringLiteral("FontBold"), Variant(true)); });
    if (s.contains(QStringLiteral("ITALIC")))
        vbTrap([&] { control->put(QStringLiteral("FontItalic"), Variant(true)); });
}

// ---- registry and programs, for the action object ----

void SupVyn::RegChvPrp(const QString& mode, QString& key) {
    zv::RegChvPrp(mode, key);
}

void SupVyn::RegValPrp(const QString& mode, const QString& name, QString& value, int& found) {
    zv::RegValPrp(mode, name, value, found);
}

Variant SupVyn::PgmExeEsp(const QString& cmd, const Variant& mode) {
    return zv::PgmExeEsp(cmd, mode);
}

} // namespace zv
