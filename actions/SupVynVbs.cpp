// SupVynVbs: life cycle, the members as scripts call them, settings, texts and numbers,
// messages, the engine's services and the system's identity. The actions on programs, files,
// components and printers are in SupVynVbsAct.cpp.

#include "SupVynVbs.h"

#include "ApiDec.h"
#include "Convert.h"
#include "DbgFx.h"
#include "GlbMsg.h"
#include "NumFxd.h"
#include "Operators.h"
#include "SupFsys.h"
#include "TxtGlb.h"
#include "VbError.h"
#include "VynEngineAccess.h"

namespace zv {

namespace {

QString argText(const Variant& v) {
    QString s;
    TxCnvPrp(v, s);
    return s;
}

// A flag as the scripts set it: the value as a number, kept as an Integer.
int flagOf(const Variant& v) {
    Variant number;
    NumVal(v, number);
    return CInt(number);
}

// The arguments of a call: between min and max of them (450 otherwise), the first min not left
// out (449).
Args need(Args a, size_t min, size_t max) {
    checkArgCount(a, min, max);
    for (size_t i = 0; i < min; ++i)
        if (a[i]->isMissing()) throw VbError(449);
    return a;
}

// An optional argument: the missing-argument marker when it was not given.
Variant optional(Args a, size_t i) {
    return i < a.size() ? *a[i] : Variant::missing();
}

Variant integer(int v) {
    return Variant(int16_t(v));
}

} // namespace

SupVynVbs::SupVynVbs(VynEngineAccess* engine)
    : SimpleDispatch(QStringLiteral("SupVynVbs")), engine_(engine) {
    DbgObIni(objectName_, instanceId_);
    walker_ = std::make_unique<SupFsys>();
    registerMembers();
    FxIni();
}

SupVynVbs::~SupVynVbs() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
    // The walker ends with its FxFim and is released.
    if (walker_) walker_->FxFim();
    walker_.reset();
}

void SupVynVbs::registerMembers() {
    // Subs answer Empty; every member checks its argument count.
    addMethod(QStringLiteral("FxIni"), [this](Args a) {
        need(a, 0, 0);
        FxIni();
        return Variant();
    });
    addMethod(QStringLiteral("FxFim"), [this](Args a) {
        need(a, 0, 0);
        FxFim();
        return Variant();
    });
    addMethod(QStringLiteral("OpcRegAltAttr"), [this](Args a) {
        need(a, 1, 1);
        OpcRegAltAttr(*a[0]);
        return Variant();
    });
    addMethod(QStringLiteral("DbgMsgSit"), [this](Args a) {
        need(a, 1, 1);
        DbgMsgSit(*a[0]);
        return Variant();
    });
    addMethod(QStringLiteral("DbgMsgVer"), [this](Args a) {
        need(a, 1, 2);
        DbgMsgVer(*a[0], optional(a, 1));
        return Variant();
    });
    addMethod(QStringLiteral("TxCnv"), [this](Args a) { return TxCnv(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("TxNum"), [this](Args a) {
        need(a, 3, 3);
        return TxNum(*a[0], *a[1], *a[2]);
    });
    addMethod(QStringLiteral("TxSep"), [this](Args a) {
        need(a, 3, 3);
        TxSep(*a[0], *a[1], *a[2]);
        return Variant();
    });
    addMethod(QStringLiteral("TxOpc"), [this](Args a) {
        need(a, 2, 2);
        return TxOpc(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("TxOpcNum"), [this](Args a) {
        need(a, 2, 2);
        return TxOpcNum(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("NuCnv"), [this](Args a) { return NuCnv(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("NuTxSep"), [this](Args a) {
        need(a, 3, 3);
        NuTxSep(*a[0], *a[1], *a[2]);
        return Variant();
    });
    addMethod(QStringLiteral("MsgVer"), [this](Args a) {
        need(a, 2, 2);
        MsgVer(*a[0], *a[1]);
        return Variant();
    });
    addMethod(QStringLiteral("MsgTip"), [this](Args a) {
        need(a, 3, 3);
        return MsgTip(*a[0], *a[1], *a[2]);
    });
    addMethod(QStringLiteral("MsgSba"), [this](Args a) {
        need(a, 2, 2);
        MsgSba(*a[0], *a[1]);
        return Variant();
    });
    addMethod(QStringLiteral("FxPgmExe"), [this](Args a) { return FxPgmExe(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("FxShell"), [this](Args a) {
        need(a, 2, 2);
        return FxShell(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("FxDrvUsa"), [this](Args a) { return FxDrvUsa(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("FxPgm"), [this](Args a) { return FxPgm(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("FxFicLoc"), [this](Args a) { return FxFicLoc(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("FxDirCop"), [this](Args a) {
        need(a, 2, 2);
        return FxDirCop(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("FxFicCop"), [this](Args a) {
        need(a, 2, 2);
        return FxFicCop(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("FxFicRen"), [this](Args a) {
        need(a, 2, 2);
        return FxFicRen(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("FxFicEli"), [this](Args a) { return FxFicEli(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("FxFicTip"), [this](Args a) { return FxFicTip(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("FxCmpRegFic"), [this](Args a) {
        need(a, 2, 2);
        return FxCmpRegFic(*a[0], *a[1]);
    });
    addMethod(QStringLiteral("FxCmpRegDir"), [this](Args a) {
        need(a, 3, 3);
        return FxCmpRegDir(*a[0], *a[1], *a[2]);
    });
    addMethod(QStringLiteral("FxRegGrpPrp"), [this](Args a) {
        need(a, 1, 1);
        FxRegGrpPrp(*a[0]);
        return Variant();
    });
    addMethod(QStringLiteral("FxRegVarCon"),
              [this](Args a) { return FxRegVarCon(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("CmpVarCon"), [this](Args a) { return CmpVarCon(*need(a, 1, 1)[0]); });
    addMethod(QStringLiteral("CmpVarAlt"), [this](Args a) {
        need(a, 3, 3);
        return CmpVarAlt(*a[0], *a[1], *a[2]);
    });
    addMethod(QStringLiteral("FxPrtPdfIns"), [this](Args a) {
        need(a, 3, 3);
        return FxPrtPdfIns(*a[0], *a[1], *a[2]);
    });
    addMethod(QStringLiteral("SopIdeCon"), [this](Args a) {
        need(a, 2, 2);
        SopIdeCon(*a[0], *a[1]);
        return Variant();
    });
}

// ---- Life cycle and settings ----

void SupVynVbs::FxIni() {
    DbgFxIni(objectName_, instanceId_);
}

void SupVynVbs::FxFim() {
    DbgFxFim(objectName_, instanceId_);
}

void SupVynVbs::OpcRegAltAttr(const Variant& v) {
    attributes_ = flagOf(v);
}

void SupVynVbs::DbgMsgSit(const Variant& v) {
    debug_ = flagOf(v);
}

void SupVynVbs::DbgMsgVer(const Variant& text, const Variant& result) {
    if (debug_ != 1) return;
    QString message = argText(text);
    if (!result.isMissing())
        message =
            toText(opConcat(Variant(message + QStringLiteral(" (Resultado=")), result)) + u')';
    MsgVer(Variant(QString()), Variant(message));
}

void SupVynVbs::debugResult(const QString& text, const Variant& result) {
    DbgMsgVer(Variant(text), result);
}

// ---- Texts and numbers ----

Variant SupVynVbs::TxCnv(const Variant& v) {
    return Variant(argText(v));
}

Variant SupVynVbs::TxNum(const Variant& v, const Variant& width, const Variant& pad) {
    QString out;
    NumTxPad(v, CInt(width), argText(pad), out);
    return Variant(out);
}

void SupVynVbs::TxSep(Variant& text, const Variant& sep, Variant& item) {
    QString rest = argText(text);
    QString token;
    int found = 0;
    zv::TxSep(rest, argText(sep), token, found);
    text = Variant(rest);
    item = Variant(token);
}

Variant SupVynVbs::TxOpc(const Variant& prm, const Variant& key) {
    Variant value{QString()};
    int found = 0;
    PrmCon(argText(prm), argText(key), value, found);
    return Variant(argText(value));
}

Variant SupVynVbs::TxOpcNum(const Variant& prm, const Variant& key) {
    return Variant(NumDbl(TxOpc(prm, key)));
}

Variant SupVynVbs::NuCnv(const Variant& v) {
    return Variant(NumDbl(v));
}

void SupVynVbs::NuTxSep(Variant& text, const Variant& sep, Variant& n) {
    QString rest = argText(text);
    double number = 0;
    TxSepVal(rest, argText(sep), number);
    text = Variant(rest);
    n = Variant(number);
}

// ---- Messages ----

void SupVynVbs::MsgVer(const Variant& title, const Variant& text) {
    int answer = 0;
    MsgExe(QString(), argText(title), Variant(argText(text)), answer);
}

Variant SupVynVbs::MsgTip(const Variant& codes, const Variant& title, const Variant& text) {
    int answer = 0;
    MsgExe(argText(codes), argText(title), Variant(argText(text)), answer);
    return integer(answer);
}

void SupVynVbs::MsgSba(const Variant& n, const Variant& text) {
    // The arguments are read as the other members read them; nothing is shown.
    Variant number;
    NumVal(n, number);
    argText(text);
}

// ---- The engine's services ----

void SupVynVbs::FxRegGrpPrp(const Variant& key) {
    QString path = argText(key);
    if (engine_) engine_->RegChvPrp(QStringLiteral("A"), path);
}

Variant SupVynVbs::FxRegVarCon(const Variant& name) {
    QString value;
    int found = 0;
    if (engine_) engine_->RegValPrp(QStringLiteral("C"), argText(name), value, found);
    return Variant(value);
}

Variant SupVynVbs::CmpVarCon(const Variant& control) {
    return engine_ ? engine_->CmpVarCon(control) : integer(0);
}

Variant SupVynVbs::CmpVarAlt(const Variant& control, const Variant& what, const Variant& value) {
    return engine_ ? engine_->CmpVarAlt(control, what, value) : integer(0);
}

// ---- The system ----

void SupVynVbs::SopIdeCon(Variant& name, Variant& code) {
    QString n, c;
    SopIdeLer(n, c);
    name = Variant(n);
    code = Variant(c);
}

} // namespace zv
