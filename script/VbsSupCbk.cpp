// VbsSup: call-backs from scripts into two host objects, reached by member name: the call-back
// object (the bound form unless another was given) and the document object (set by RegObDoc).
// Neither has to implement anything: a missing member leaves the answer as it started.

#include "VbsSup.h"

#include "Dispatch.h"
#include "TxtGlb.h"

namespace zv {

namespace {

// The object a late-bound call goes to: 424 for a value that is no object, 91 for Nothing.
Dispatch& target(const Variant& holder) {
    if (!holder.isObject()) throw VbError(err::ObjectRequired);
    if (holder.isNothing()) throw VbError(err::ObjectNotSet);
    return *holder.rawObject();
}

// The starting answer of a document query: the Integer 0 for type "N", else "".
Variant startValue(const QString& type) {
    return TxMai(type) == u"N" ? Variant(int16_t(0)) : Variant(QString());
}

} // namespace

void VbsSup::callbackCopy(const QString& member, Variant& args, Variant* result) {
    // The callee gets a copy indexed from 0 to the upper bound; what it leaves in the copy
    // travels back element by element.
    Variant copy;
    vbTrap([&] {
        const VArray& src = args.array();
        const int32_t upper = src.ubound(1);
        copy = Variant::array({{0, upper}});
        for (int32_t i = std::max(src.lbound(1), 0); i <= upper; ++i)
            copy.arrayMut().at1(i) = src.at1(i);
    });
    std::vector<Variant> callArgs{copy};
    vbTrap([&] {
        Variant value = target(callback_).call(member, callArgs);
        if (result) *result = value;
    });
    copy = callArgs[0];
    int32_t lower = 0;
    int32_t upper = -1;
    vbTrap([&] {
        lower = copy.array().lbound(1);
        upper = copy.array().ubound(1);
    });
    for (int32_t i = lower; i <= upper; ++i)
        vbTrap([&] { args.arrayMut().at1(i) = copy.array().at1(i); });
}

Variant VbsSup::FxPgm(Variant& args) {
    Variant result;
    callbackCopy(QStringLiteral("cbkVbsFx"), args, &result);
    return result;
}

void VbsSup::FxDiv(Variant& args) {
    callbackCopy(QStringLiteral("FxCbkExe"), args, nullptr);
}

void VbsSup::FxDoc(const Variant& args) {
    vbTrap([&] {
        target(document_).call(QStringLiteral("LstFxCall"), {Variant(TxCnv(args.array().at1(0)))});
    });
}

Variant VbsSup::DocCon(const QString& type, const QString& member, const QString& name,
                       bool withFlag) {
    Variant result = startValue(type);
    vbTrap([&] {
        std::vector<Variant> callArgs{Variant(name), result};
        if (withFlag) callArgs.emplace_back(int16_t(1));
        target(document_).call(member, callArgs);
        result = callArgs[1];
    });
    return result;
}

Variant VbsSup::DocConEsp(const QString& type, const QString& name) {
    return DocCon(type, QStringLiteral("VarEspCon"), name, false);
}

Variant VbsSup::DocConVar(const QString& type, const QString& name) {
    return DocCon(type, QStringLiteral("DocExpCalc"), name, true);
}

Variant VbsSup::DocConOpc(const QString& type, const QString& name) {
    return DocCon(type, QStringLiteral("DocVarCon"), name, false);
}

Variant VbsSup::DocConOpcEsp(const QString& type, const QString& name) {
    Variant result = startValue(type);
    vbTrap([&] {
        std::vector<Variant> callArgs{Variant(QStringLiteral("DocEsp")), Variant(QString())};
        target(document_).call(QStringLiteral("DocVarCon"), callArgs);
        int found = 0;
        PrmCon(TxCnv(callArgs[1]), name, result, found);
    });
    return result;
}

Variant VbsSup::SqlCalc(const QString& type, const QString& sql) {
    return DocCon(type, QStringLiteral("SqlCalc"), sql, false);
}

void VbsSup::PrWin(const Variant& args) {
    const VArray& arr = args.array();
    QString list;
    for (int32_t i = 0; i <= arr.ubound(1); ++i) {
        const Variant& item = arr.at1(i);
        TxJun(list, QStringLiteral(","),
              item.isString() ? Variant(TxAspRet(item.rawString())) : item);
    }
    target(document_).call(QStringLiteral("PrExeFx"), {Variant(list)});
}

void VbsSup::RegObDoc(const Variant& object) {
    document_ = object;
}

} // namespace zv
