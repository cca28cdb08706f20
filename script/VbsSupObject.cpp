// The script host's "FxPre"/"Fxp" object: argument conversions and write-back of outputs.

#include "VbsSupObject.h"

#include "Convert.h"
#include "TxtGlb.h"
#include "VbsSup.h"

namespace zv {

namespace {

QString text(Args a, size_t i) {
    return TxCnv(*a[i]);
}

int number(Args a, size_t i) {
    return int(CLng(*a[i]));
}

Variant flag(int ok) {
    return Variant(int16_t(ok));
}

// A script array as host lines: index i holds element i (elements below the array's lower
// bound are "").
QStringList lines(const Variant& v) {
    const VArray& arr = v.array();
    QStringList out;
    for (int32_t i = 0; i <= arr.ubound(1); ++i)
        out.append(i >= arr.lbound(1) ? TxCnv(arr.at1(i)) : QString());
    return out;
}

Variant textArray(const QStringList& items) {
    Variant arr = Variant::array({{0, int32_t(items.size()) - 1}});
    for (qsizetype i = 0; i < items.size(); ++i)
        arr.arrayMut().at1(int32_t(i)) = Variant(items.at(i));
    return arr;
}

} // namespace

VbsSupObject::VbsSupObject(VbsSup* host) : SimpleDispatch(QStringLiteral("VbsSup")), host_(host) {
    addLifeCycle();
    addObjectsAndCode();
    addCalls();
    addVariables();
    addCallbacks();
}

VbsSup& VbsSupObject::host() const {
    if (!host_) throw VbError(err::ObjectNotSet);
    return *host_;
}

void VbsSupObject::addLifeCycle() {
    addMethod(QStringLiteral("FxIni"), [this](Args a) {
        checkArgCount(a, 0, 0);
        host().FxIni();
        return Variant();
    });
    addMethod(QStringLiteral("FxFim"), [this](Args a) {
        checkArgCount(a, 0, 0);
        host().FxFim();
        return Variant();
    });
    addMethod(QStringLiteral("VbsIni"), [this](Args a) {
        checkArgCount(a, 0, 0);
        host().VbsIni();
        return Variant();
    });
}

void VbsSupObject::addObjectsAndCode() {
    addMethod(QStringLiteral("RegObPrp"), [this](Args a) {
        checkArgCount(a, 4, 4);
        int ok = 0;
        host().RegObPrp(text(a, 0), text(a, 1), *a[2], ok);
        *a[3] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("RegOb"), [this](Args a) {
        checkArgCount(a, 3, 3);
        int ok = 0;
        host().RegOb(text(a, 0), *a[1], ok);
        *a[2] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("RegObNum"), [this](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(int16_t(host().RegObNum()));
    });
    addMethod(QStringLiteral("RegObFixPrp"), [this](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(int16_t(host().RegObFixPrp()));
    });
    addMethod(QStringLiteral("RegObFixRep"), [this](Args a) {
        checkArgCount(a, 0, 0);
        host().RegObFixRep();
        return Variant();
    });
    addMethod(QStringLiteral("RegObLib"), [this](Args a) {
        checkArgCount(a, 1, 1);
        host().RegObLib(number(a, 0));
        return Variant();
    });
    addMethod(QStringLiteral("RobCo"), [this](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(host().RobCo());
    });
    addMethod(QStringLiteral("PgmRegArr"), [this](Args a) {
        checkArgCount(a, 3, 3);
        int ok = 0;
        host().PgmRegArr(number(a, 0), lines(*a[1]), ok);
        *a[2] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("PgmTxJun"), [this](Args a) {
        checkArgCount(a, 3, 3);
        QString code = text(a, 1);
        host().PgmTxJun(number(a, 0), code, text(a, 2));
        *a[1] = Variant(code);
        return Variant();
    });
    addMethod(QStringLiteral("PgmLer"), [this](Args a) {
        checkArgCount(a, 4, 4);
        QString code;
        int ok = 0;
        host().PgmLer(text(a, 0), number(a, 1), code, ok);
        *a[2] = Variant(code);
        *a[3] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("PgmRegExe"), [this](Args a) {
        checkArgCount(a, 2, 2);
        int ok = 0;
        host().PgmRegExe(text(a, 0), ok);
        *a[1] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("ConFxReg"), [this](Args a) {
        checkArgCount(a, 2, 2);
        QStringList names;
        int count = 0;
        host().ConFxReg(names, count);
        *a[0] = textArray(names);
        *a[1] = Variant(int16_t(count));
        return Variant();
    });
    addMethod(QStringLiteral("ConFxRegTx"), [this](Args a) {
        checkArgCount(a, 2, 2);
        QString names;
        int count = 0;
        host().ConFxRegTx(names, count);
        *a[0] = Variant(names);
        *a[1] = Variant(int16_t(count));
        return Variant();
    });
}

void VbsSupObject::addCalls() {
    addMethod(QStringLiteral("SupVbsFx"), [this](Args a) {
        checkArgCount(a, 2, 2);
        QString kind;
        Variant result = host().SupVbsFx(*a[0], kind);
        *a[1] = Variant(kind);
        return result;
    });
    addMethod(QStringLiteral("PgmFxExe"), [this](Args a) {
        if (a.empty()) throw VbError(err::WrongArgCount);
        std::vector<Variant> arguments;
        for (size_t i = 1; i < a.size(); ++i)
            arguments.push_back(*a[i]);
        return host().PgmFxExe(text(a, 0), arguments);
    });
    addMethod(QStringLiteral("PgmCmd"), [this](Args a) {
        checkArgCount(a, 2, 2);
        int ok = 0;
        host().PgmCmd(text(a, 0), ok);
        *a[1] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("PgmFxTip"), [this](Args a) {
        checkArgCount(a, 1, 1);
        return Variant(host().PgmFxTip(text(a, 0)));
    });
}

void VbsSupObject::addVariables() {
    addMethod(QStringLiteral("ExeCmd"), [this](Args a) {
        checkArgCount(a, 2, 2);
        int ok = 0;
        host().ExeCmd(text(a, 0), ok);
        *a[1] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("ExeCalc"), [this](Args a) {
        checkArgCount(a, 3, 3);
        int ok = 0;
        host().ExeCalc(text(a, 0), *a[1], ok);
        *a[2] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("ExeCalcRa"), [this](Args a) {
        checkArgCount(a, 3, 3);
        int ok = 0;
        host().ExeCalcRa(text(a, 0), *a[1], ok);
        *a[2] = flag(ok);
        return Variant();
    });
    addMethod(QStringLiteral("ExeCalcRes"), [this](Args a) {
        checkArgCount(a, 1, 1);
        return host().ExeCalcRes(text(a, 0));
    });
    addMethod(QStringLiteral("VarIdeAjt"), [this](Args a) {
        checkArgCount(a, 3, 3);
        QString identifier;
        QString type;
        host().VarIdeAjt(text(a, 0), identifier, type);
        *a[1] = Variant(identifier);
        *a[2] = Variant(type);
        return Variant();
    });
    addMethod(QStringLiteral("VarReg"), [this](Args a) {
        checkArgCount(a, 2, 2);
        host().VarReg(text(a, 0), *a[1]);
        return Variant();
    });
    addMethod(QStringLiteral("VarCon"), [this](Args a) {
        checkArgCount(a, 2, 2);
        host().VarCon(text(a, 0), *a[1]);
        return Variant();
    });
    addMethod(QStringLiteral("VarTipCnv"), [this](Args a) {
        checkArgCount(a, 3, 3);
        host().VarTipCnv(text(a, 0), *a[1], *a[2]);
        return Variant();
    });
    addMethod(QStringLiteral("TipVL"), [this](Args a) {
        checkArgCount(a, 2, 2);
        QString type;
        const QString code = host().TipVL(text(a, 0), type);
        *a[1] = Variant(type);
        return Variant(code);
    });
    addMethod(QStringLiteral("FxArgSep"), [this](Args a) {
        checkArgCount(a, 3, 3);
        QString list = text(a, 0);
        QString type;
        host().FxArgSep(list, *a[1], type);
        *a[0] = Variant(list);
        *a[2] = Variant(type);
        return Variant();
    });
    addMethod(QStringLiteral("FxArgReg"), [this](Args a) {
        checkArgCount(a, 3, 3);
        host().FxArgReg(text(a, 0), text(a, 1), *a[2]);
        return Variant();
    });
    addMethod(QStringLiteral("FxArgSepReg"), [this](Args a) {
        checkArgCount(a, 4, 4);
        QString list = text(a, 1);
        host().FxArgSepReg(text(a, 0), list, text(a, 2), *a[3]);
        *a[1] = Variant(list);
        return Variant();
    });
    addMethod(QStringLiteral("FxArgCon"), [this](Args a) {
        checkArgCount(a, 3, 3);
        host().FxArgCon(text(a, 0), text(a, 1), *a[2]);
        return Variant();
    });
    addMethod(QStringLiteral("VbsErr"), [this](Args a) {
        checkArgCount(a, 3, 3);
        int32_t number = 0;
        QString description;
        QString position;
        host().VbsErr(number, description, position);
        *a[0] = Variant(number);
        *a[1] = Variant(description);
        *a[2] = Variant(position);
        return Variant();
    });
}

void VbsSupObject::addCallbacks() {
    addMethod(QStringLiteral("FxPgm"), [this](Args a) {
        checkArgCount(a, 1, 1);
        return host().FxPgm(*a[0]);
    });
    addMethod(QStringLiteral("FxDiv"), [this](Args a) {
        checkArgCount(a, 1, 1);
        host().FxDiv(*a[0]);
        return Variant();
    });
    addMethod(QStringLiteral("FxDoc"), [this](Args a) {
        checkArgCount(a, 1, 1);
        host().FxDoc(*a[0]);
        return Variant();
    });
    const auto docQuery = [this](Variant (VbsSup::*query)(const QString&, const QString&)) {
        return [this, query](Args a) {
            checkArgCount(a, 2, 2);
            return (host().*query)(text(a, 0), text(a, 1));
        };
    };
    addMethod(QStringLiteral("DocConEsp"), docQuery(&VbsSup::DocConEsp));
    addMethod(QStringLiteral("DocConVar"), docQuery(&VbsSup::DocConVar));
    addMethod(QStringLiteral("DocConOpc"), docQuery(&VbsSup::DocConOpc));
    addMethod(QStringLiteral("DocConOpcEsp"), docQuery(&VbsSup::DocConOpcEsp));
    addMethod(QStringLiteral("SqlCalc"), docQuery(&VbsSup::SqlCalc));
    addMethod(QStringLiteral("PrWin"), [this](Args a) {
        checkArgCount(a, 1, 1);
        host().PrWin(*a[0]);
        return Variant();
    });
    addMethod(QStringLiteral("RegObDoc"), [this](Args a) {
        checkArgCount(a, 1, 1);
        host().RegObDoc(*a[0]);
        return Variant();
    });
}

} // namespace zv
