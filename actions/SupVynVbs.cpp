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
#include "VynArgs.h"
#include "VynEngineAccess.h"

#include <type_traits>
#include <utility>

namespace zv {

namespace {

using vynargs::argText;
using vynargs::integer;

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

// A member function called with the script's arguments, each the caller's Variant (so a
// Variant& parameter writes back); exactly as many arguments as it has parameters.
template <class R, class... P, size_t... I>
Variant invokeMember(SupVynVbs* self, R (SupVynVbs::*f)(P...), Args a, std::index_sequence<I...>) {
    need(a, sizeof...(P), sizeof...(P));
    if constexpr (std::is_void_v<R>) {
        (self->*f)(*a[I]...);
        return Variant();
    } else {
        return (self->*f)(*a[I]...);
    }
}

template <class R, class... P>
SimpleDispatch::Method scriptMember(SupVynVbs* self, R (SupVynVbs::*f)(P...)) {
    return [self, f](Args a) { return invokeMember(self, f, a, std::index_sequence_for<P...>{}); };
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
    // The walker ends (its FxFim runs as it goes).
    walker_.reset();
}

void SupVynVbs::registerMembers() {
    // In the order of the class; Subs answer Empty.
    addMethod(QStringLiteral("FxIni"), scriptMember(this, &SupVynVbs::FxIni));
    addMethod(QStringLiteral("FxFim"), scriptMember(this, &SupVynVbs::FxFim));
    addMethod(QStringLiteral("OpcRegAltAttr"), scriptMember(this, &SupVynVbs::OpcRegAltAttr));
    addMethod(QStringLiteral("DbgMsgSit"), scriptMember(this, &SupVynVbs::DbgMsgSit));
    addMethod(QStringLiteral("DbgMsgVer"), [this](Args a) {
        need(a, 1, 2);
        DbgMsgVer(*a[0], a.size() > 1 ? *a[1] : Variant::missing());
        return Variant();
    });
    addMethod(QStringLiteral("TxCnv"), scriptMember(this, &SupVynVbs::TxCnv));
    addMethod(QStringLiteral("TxNum"), scriptMember(this, &SupVynVbs::TxNum));
    addMethod(QStringLiteral("TxSep"), scriptMember(this, &SupVynVbs::TxSep));
    addMethod(QStringLiteral("TxOpc"), scriptMember(this, &SupVynVbs::TxOpc));
    addMethod(QStringLiteral("TxOpcNum"), scriptMember(this, &SupVynVbs::TxOpcNum));
    addMethod(QStringLiteral("NuCnv"), scriptMember(this, &SupVynVbs::NuCnv));
    addMethod(QStringLiteral("NuTxSep"), scriptMember(this, &SupVynVbs::NuTxSep));
    addMethod(QStringLiteral("MsgVer"), scriptMember(this, &SupVynVbs::MsgVer));
    addMethod(QStringLiteral("MsgTip"), scriptMember(this, &SupVynVbs::MsgTip));
    addMethod(QStringLiteral("MsgSba"), scriptMember(this, &SupVynVbs::MsgSba));
    addMethod(QStringLiteral("FxPgmExe"), scriptMember(this, &SupVynVbs::FxPgmExe));
    addMethod(QStringLiteral("FxShell"), scriptMember(this, &SupVynVbs::FxShell));
    addMethod(QStringLiteral("FxDrvUsa"), scriptMember(this, &SupVynVbs::FxDrvUsa));
    addMethod(QStringLiteral("FxPgm"), scriptMember(this, &SupVynVbs::FxPgm));
    addMethod(QStringLiteral("FxFicLoc"), scriptMember(this, &SupVynVbs::FxFicLoc));
    addMethod(QStringLiteral("FxDirCop"), scriptMember(this, &SupVynVbs::FxDirCop));
    addMethod(QStringLiteral("FxFicCop"), scriptMember(this, &SupVynVbs::FxFicCop));
    addMethod(QStringLiteral("FxFicRen"), scriptMember(this, &SupVynVbs::FxFicRen));
    addMethod(QStringLiteral("FxFicEli"), scriptMember(this, &SupVynVbs::FxFicEli));
    addMethod(QStringLiteral("FxFicTip"), scriptMember(this, &SupVynVbs::FxFicTip));
    addMethod(QStringLiteral("FxCmpRegFic"), scriptMember(this, &SupVynVbs::FxCmpRegFic));
    addMethod(QStringLiteral("FxCmpRegDir"), scriptMember(this, &SupVynVbs::FxCmpRegDir));
    addMethod(QStringLiteral("FxRegGrpPrp"), scriptMember(this, &SupVynVbs::FxRegGrpPrp));
    addMethod(QStringLiteral("FxRegVarCon"), scriptMember(this, &SupVynVbs::FxRegVarCon));
    addMethod(QStringLiteral("FxOpcCon"), scriptMember(this, &SupVynVbs::FxOpcCon));
    addMethod(QStringLiteral("CmpVarCon"), scriptMember(this, &SupVynVbs::CmpVarCon));
    addMethod(QStringLiteral("CmpVarAlt"), scriptMember(this, &SupVynVbs::CmpVarAlt));
    addMethod(QStringLiteral("FxPrtPdfIns"), scriptMember(this, &SupVynVbs::FxPrtPdfIns));
    addMethod(QStringLiteral("SopIdeCon"), scriptMember(this, &SupVynVbs::SopIdeCon));
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

Variant SupVynVbs::FxOpcCon(const Variant& key) {
    return Variant(engine_ ? engine_->OpcCon(argText(key)) : QString());
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
