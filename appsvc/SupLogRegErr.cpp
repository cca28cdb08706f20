// SupLogReg: the error-reporting policy and the object that receives silent messages.

#include "SupLogReg.h"

#include "GlbArr.h"
#include "GlbMsg.h"
#include "NumFxd.h"
#include "TxtGlb.h"

#include <cmath>
#include <limits>
#include <new>

namespace zv {

using namespace loglayout;

namespace {

const QString kBoxTitle = QStringLiteral("Mensagem de Erro");

Variant elementZeroOnly() {
    return Variant::array({{0, 0}});
}

} // namespace

void SupLogReg::ErrInfPrp(const QString& source, const QString& operation, const Variant& number,
                          const QString& description) {
    errSource_ = source;
    errOperation_ = operation;
    errDescription_ = description;
    double n = 0;
    vbTrap([&] { n = NumDbl(number); });
    n = std::nearbyint(n);
    errNumber_ = std::isfinite(n) ? int32_t(qBound(-2147483648.0, n, 2147483647.0)) : 0;
}

void SupLogReg::PrpRegInf() {
    misc_ = elementZeroOnly();
    additional_ = elementZeroOnly();
}

Variant& SupLogReg::infoArray(const QString& which) {
    return TxMai(which) == u"E" ? misc_ : additional_;
}

void SupLogReg::PrpInfArr(const QString& which, const Variant& values) {
    Variant& target = infoArray(which);
    if (values.isMissing()) {
        target = elementZeroOnly();
        return;
    }
    vbTrap([&] {
        Variant list, count;
        ArrAdiVar(values, list, count);
        target = list;
    });
}

void SupLogReg::PrpInfVop(const QString& which, const Variant& value, int index) {
    Variant& target = infoArray(which);
    try {
        vbTrap([&] {
            if (!target.isArray() || target.array().dimensions() != 1) target = elementZeroOnly();
            VArray& a = target.arrayMut();
            const int upper = a.ubound(1);
            const int at = index < 0 ? upper + 1 : index;
            if (at == std::numeric_limits<int>::max()) return; // no array reaches it
            if (at > upper) a.redim({ArrayDim{0, at + 1}}, true);
            a.at1(at) = value;
        });
    } catch (const std::bad_alloc&) {
        // an index far beyond any real list: nothing is stored
    }
}

void SupLogReg::ErrMsg(const QString& kind, const Variant& misc, const Variant& additional) {
    const int level = TipNivCon(kind);
    if (level == 0) return;
    // This call's log, whatever another call selects while this one waits.
    const QString file = fic_;
    const QString lock = lck_;

    PrpRegInf();
    PrpInfArr(QStringLiteral("E"), misc);
    PrpInfArr(QStringLiteral("A"), additional);
    const QString text = errorText(errNumber_, errDescription_);
    const LogStamp now = stamp();
    const QString source = errSource_;
    const QString operation = errOperation_;
    const Variant miscLines = misc_;
    const Variant moreLines = additional_;
    const bool recorded = RegGrv(file, lock, [&](qint64 size) {
        return ErrReg(size, now, text, source, operation)
               << MsgDiv(miscLines) << MsgInfAdi(moreLines);
    });
    if (level < 2) return;

    QString box = text +
                  (recorded ? QStringLiteral("||O erro foi registado no ficheiro : ")
                            : QStringLiteral("||Não foi possível registar o erro no "
                                             "ficheiro : ")) +
                  file;
    QString codes = QStringLiteral("X _B");
    if (level == 2) {
        box += QStringLiteral("||Terminar o programa imediatamente ?");
        codes = QStringLiteral("X _B SN 2");
    }
    int answer = 0;
    if (vbTrap([&] { MsgExe(codes, kBoxTitle, Variant(box), answer); })) return;
    if (level == 2 && answer == 1) {
        RegGrv(file, lock, [](qint64) { return programEnd(QString()); });
        throw err::EndAsked();
    }
}

void SupLogReg::pMsgPgmFim(const QString& reason) {
    RegGrv(fic_, lck_, [&](qint64) { return programEnd(reason); });
}

DispatchPtr SupLogReg::messageLog() {
    auto object = std::make_shared<SimpleDispatch>(QStringLiteral("SupRegLog"));
    const std::shared_ptr<SupLogReg*> self = self_;
    object->addMethod(QStringLiteral("MsgGrpReg"), [self](Args args) {
        checkArgCount(args, 2, 3);
        SupLogReg* log = *self;
        if (!log) throw VbError(err::ObjectNotSet);
        log->MsgGrpReg(TxCnv(*args[0]), TxCnv(*args[1]),
                       args.size() > 2 ? TxCnv(*args[2]) : QString());
        return Variant();
    });
    return object;
}

} // namespace zv
