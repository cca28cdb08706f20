// SupVynVbs: life cycle, the members as scripts call them, settings, texts and numbers,
// messages, the engine's services and the system's identity. The actions on programs, files,
// components and printers are in SupVynVbsAct.cpp.

#include "SupVynVbs.h"

#include "ApiDec.h"
#include "Binder.h"
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

} // namespace

SupVynVbs::SupVynVbs(VynEngineAccess* engine) : BoundDispatch(memberTable()), engine_(engine) {
    DbgObIni(objectName_, instanceId_);
    walker_ = std::make_unique<SupFsys>();
    FxIni();
}

SupVynVbs::~SupVynVbs() {
    DbgObFim(objectName_, instanceId_);
    FxFim();
    // The walker ends (its FxFim runs as it goes).
    walker_.reset();
}

const MemberTable& SupVynVbs::memberTable() {
    // In the order of the class; Subs answer Empty. Every argument is required (449 when one is
    // left out) but DbgMsgVer's result.
    static const MemberTable table = [] {
        MemberTable t(QStringLiteral("SupVynVbs"));
        Members<SupVynVbs>(t)
            .refuseMissing()
            .method(QStringLiteral("FxIni"), &SupVynVbs::FxIni)
            .method(QStringLiteral("FxFim"), &SupVynVbs::FxFim)
            .method(QStringLiteral("OpcRegAltAttr"), &SupVynVbs::OpcRegAltAttr)
            .method(QStringLiteral("DbgMsgSit"), &SupVynVbs::DbgMsgSit)
            .methodWithArgs(QStringLiteral("DbgMsgVer"),
                            [](SupVynVbs& vyn, Args a) {
                                checkArgCount(a, 1, 2);
                                if (a[0]->isMissing()) throw VbError(err::ArgumentNotOptional);
                                vyn.DbgMsgVer(*a[0], a.size() > 1 ? *a[1] : Variant::missing());
                                return Variant();
                            })
            .method(QStringLiteral("TxCnv"), &SupVynVbs::TxCnv)
            .method(QStringLiteral("TxNum"), &SupVynVbs::TxNum)
            .method(QStringLiteral("TxSep"), &SupVynVbs::TxSep)
            .method(QStringLiteral("TxOpc"), &SupVynVbs::TxOpc)
            .method(QStringLiteral("TxOpcNum"), &SupVynVbs::TxOpcNum)
            .method(QStringLiteral("NuCnv"), &SupVynVbs::NuCnv)
            .method(QStringLiteral("NuTxSep"), &SupVynVbs::NuTxSep)
            .method(QStringLiteral("MsgVer"), &SupVynVbs::MsgVer)
            .method(QStringLiteral("MsgTip"), &SupVynVbs::MsgTip)
            .method(QStringLiteral("MsgSba"), &SupVynVbs::MsgSba)
            .method(QStringLiteral("FxPgmExe"), &SupVynVbs::FxPgmExe)
            .method(QStringLiteral("FxShell"), &SupVynVbs::FxShell)
            .method(QStringLiteral("FxDrvUsa"), &SupVynVbs::FxDrvUsa)
            .method(QStringLiteral("FxPgm"), &SupVynVbs::FxPgm)
            .method(QStringLiteral("FxFicLoc"), &SupVynVbs::FxFicLoc)
            .method(QStringLiteral("FxDirCop"), &SupVynVbs::FxDirCop)
            .method(QStringLiteral("FxFicCop"), &SupVynVbs::FxFicCop)
            .method(QStringLiteral("FxFicRen"), &SupVynVbs::FxFicRen)
            .method(QStringLiteral("FxFicEli"), &SupVynVbs::FxFicEli)
            .method(QStringLiteral("FxFicTip"), &SupVynVbs::FxFicTip)
            .method(QStringLiteral("FxCmpRegFic"), &SupVynVbs::FxCmpRegFic)
            .method(QStringLiteral("FxCmpRegDir"), &SupVynVbs::FxCmpRegDir)
            .method(QStringLiteral("FxRegGrpPrp"), &SupVynVbs::FxRegGrpPrp)
            .method(QStringLiteral("FxRegVarCon"), &SupVynVbs::FxRegVarCon)
            .method(QStringLiteral("FxOpcCon"), &SupVynVbs::FxOpcCon)
            .method(QStringLiteral("CmpVarCon"), &SupVynVbs::CmpVarCon)
            .method(QStringLiteral("CmpVarAlt"), &SupVynVbs::CmpVarAlt)
            .method(QStringLiteral("FxPrtPdfIns"), &SupVynVbs::FxPrtPdfIns)
            .method(QStringLiteral("SopIdeCon"), &SupVynVbs::SopIdeCon);
        return t;
    }();
    return table;
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
