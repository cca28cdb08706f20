// The script host's "FxPre"/"Fxp" object: argument conversions and write-back of outputs.

#include "VbsSupObject.h"

#include "Convert.h"
#include "TxtGlb.h"
#include "VbsSup.h"

namespace zv {

namespace {

Variant flag(int ok) {
    return Variant(int16_t(ok));
}

// Runs a host operation that reports through a flag, and gives the flag to the script's
// variable ok as an Integer.
template <class F> void withFlag(Variant& ok, F&& operation) {
    int done = 0;
    operation(done);
    ok = flag(done);
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

// A text argument, read as the host reads its texts (TxCnv: a String as it is, Empty "", any
// other value its trimmed text).
template <> struct ScriptValue<VbsSupObject::Text> {
    static VbsSupObject::Text from(const Variant& v) { return {TxCnv(v)}; }
};

VbsSupObject::VbsSupObject(VbsSup* host) : BoundDispatch(memberTable()), host_(host) {}

VbsSup& VbsSupObject::host() const {
    if (!host_) throw VbError(err::ObjectNotSet);
    return *host_;
}

const MemberTable& VbsSupObject::memberTable() {
    static const MemberTable table = [] {
        MemberTable t(QStringLiteral("VbsSup"));
        Members<VbsSupObject> m(t);
        // Once the argument count is right, the host must still be there.
        m.checkFirst([](VbsSupObject& o) { o.host(); });
        addLifeCycle(m);
        addObjectsAndCode(m);
        addCalls(m);
        addVariables(m);
        addCallbacks(m);
        return t;
    }();
    return table;
}

void VbsSupObject::addLifeCycle(Members<VbsSupObject>& m) {
    m.method(QStringLiteral("FxIni"), [](VbsSupObject& o) { o.host().FxIni(); })
        .method(QStringLiteral("FxFim"), [](VbsSupObject& o) { o.host().FxFim(); })
        .method(QStringLiteral("VbsIni"), [](VbsSupObject& o) { o.host().VbsIni(); });
}

void VbsSupObject::addObjectsAndCode(Members<VbsSupObject>& m) {
    m.method(QStringLiteral("RegObPrp"),
             [](VbsSupObject& o, Text kind, Text name, const Variant& object, Variant& ok) {
                 withFlag(ok, [&](int& done) {
                     o.host().RegObPrp(kind.value, name.value, object, done);
                 });
             })
        .method(QStringLiteral("RegOb"),
                [](VbsSupObject& o, Text name, const Variant& object, Variant& ok) {
                    withFlag(ok, [&](int& done) { o.host().RegOb(name.value, object, done); });
                })
        .method(QStringLiteral("RegObNum"),
                [](VbsSupObject& o) { return int16_t(o.host().RegObNum()); })
        .method(QStringLiteral("RegObFixPrp"),
                [](VbsSupObject& o) { return int16_t(o.host().RegObFixPrp()); })
        .method(QStringLiteral("RegObFixRep"), [](VbsSupObject& o) { o.host().RegObFixRep(); })
        .method(QStringLiteral("RegObLib"),
                [](VbsSupObject& o, int32_t n) { o.host().RegObLib(int(n)); })
        .method(QStringLiteral("RobCo"), [](VbsSupObject& o) { return o.host().RobCo(); })
        .method(QStringLiteral("PgmRegArr"),
                [](VbsSupObject& o, int32_t cutComments, const Variant& code, Variant& ok) {
                    withFlag(ok, [&](int& done) {
                        o.host().PgmRegArr(int(cutComments), lines(code), done);
                    });
                })
        .method(QStringLiteral("PgmTxJun"),
                [](VbsSupObject& o, int32_t cutComments, Variant& code, Text line) {
                    QString joined = TxCnv(code);
                    o.host().PgmTxJun(int(cutComments), joined, line.value);
                    code = Variant(joined);
                })
        .method(QStringLiteral("PgmLer"),
                [](VbsSupObject& o, Text file, int32_t cutComments, Variant& code, Variant& ok) {
                    QString text;
                    int done = 0;
                    o.host().PgmLer(file.value, int(cutComments), text, done);
                    code = Variant(text);
                    ok = flag(done);
                })
        .method(QStringLiteral("PgmRegExe"),
                [](VbsSupObject& o, Text code, Variant& ok) {
                    withFlag(ok, [&](int& done) { o.host().PgmRegExe(code.value, done); });
                })
        .method(QStringLiteral("ConFxReg"),
                [](VbsSupObject& o, Variant& names, Variant& count) {
                    QStringList found;
                    int n = 0;
                    o.host().ConFxReg(found, n);
                    names = textArray(found);
                    count = Variant(int16_t(n));
                })
        .method(QStringLiteral("ConFxRegTx"), [](VbsSupObject& o, Variant& names, Variant& count) {
            QString found;
            int n = 0;
            o.host().ConFxRegTx(found, n);
            names = Variant(found);
            count = Variant(int16_t(n));
        });
}

void VbsSupObject::addCalls(Members<VbsSupObject>& m) {
    m.method(QStringLiteral("SupVbsFx"),
             [](VbsSupObject& o, const Variant& args, Variant& kind) {
                 QString k;
                 Variant result = o.host().SupVbsFx(args, k);
                 kind = Variant(k);
                 return result;
             })
        // The procedure's name, then its arguments, as many as the procedure takes.
        .methodWithArgs(QStringLiteral("PgmFxExe"),
                        [](VbsSupObject& o, Args a) {
                            if (a.empty()) throw VbError(err::WrongArgCount);
                            std::vector<Variant> arguments;
                            for (size_t i = 1; i < a.size(); ++i)
                                arguments.push_back(*a[i]);
                            return o.host().PgmFxExe(TxCnv(*a[0]), arguments);
                        })
        .method(QStringLiteral("PgmCmd"),
                [](VbsSupObject& o, Text name, Variant& ok) {
                    withFlag(ok, [&](int& done) { o.host().PgmCmd(name.value, done); });
                })
        .method(QStringLiteral("PgmFxTip"),
                [](VbsSupObject& o, Text name) { return o.host().PgmFxTip(name.value); });
}

void VbsSupObject::addVariables(Members<VbsSupObject>& m) {
    m.method(QStringLiteral("ExeCmd"),
             [](VbsSupObject& o, Text statement, Variant& ok) {
                 withFlag(ok, [&](int& done) { o.host().ExeCmd(statement.value, done); });
             })
        .method(QStringLiteral("ExeCalc"),
                [](VbsSupObject& o, Text expression, Variant& result, Variant& ok) {
                    withFlag(ok,
                             [&](int& done) { o.host().ExeCalc(expression.value, result, done); });
                })
        .method(QStringLiteral("ExeCalcRa"),
                [](VbsSupObject& o, Text expression, Variant& result, Variant& ok) {
                    withFlag(
                        ok, [&](int& done) { o.host().ExeCalcRa(expression.value, result, done); });
                })
        .method(
            QStringLiteral("ExeCalcRes"),
            [](VbsSupObject& o, Text expression) { return o.host().ExeCalcRes(expression.value); })
        .method(QStringLiteral("VarIdeAjt"),
                [](VbsSupObject& o, Text name, Variant& identifier, Variant& type) {
                    QString id;
                    QString kind;
                    o.host().VarIdeAjt(name.value, id, kind);
                    identifier = Variant(id);
                    type = Variant(kind);
                })
        .method(QStringLiteral("VarReg"),
                [](VbsSupObject& o, Text name, const Variant& value) {
                    o.host().VarReg(name.value, value);
                })
        .method(QStringLiteral("VarCon"),
                [](VbsSupObject& o, Text name, Variant& result) {
                    o.host().VarCon(name.value, result);
                })
        .method(QStringLiteral("VarTipCnv"),
                [](VbsSupObject& o, Text type, const Variant& value, Variant& result) {
                    o.host().VarTipCnv(type.value, value, result);
                })
        .method(QStringLiteral("TipVL"),
                [](VbsSupObject& o, Text expression, Variant& type) {
                    QString kind;
                    const QString code = o.host().TipVL(expression.value, kind);
                    type = Variant(kind);
                    return code;
                })
        .method(QStringLiteral("FxArgSep"),
                [](VbsSupObject& o, Variant& list, Variant& value, Variant& type) {
                    QString rest = TxCnv(list);
                    QString kind;
                    o.host().FxArgSep(rest, value, kind);
                    list = Variant(rest);
                    type = Variant(kind);
                })
        .method(QStringLiteral("FxArgReg"),
                [](VbsSupObject& o, Text function, Text argument, const Variant& value) {
                    o.host().FxArgReg(function.value, argument.value, value);
                })
        .method(QStringLiteral("FxArgSepReg"),
                [](VbsSupObject& o, Text function, Variant& list, Text argument, Variant& value) {
                    QString rest = TxCnv(list);
                    o.host().FxArgSepReg(function.value, rest, argument.value, value);
                    list = Variant(rest);
                })
        .method(QStringLiteral("FxArgCon"),
                [](VbsSupObject& o, Text function, Text argument, Variant& result) {
                    o.host().FxArgCon(function.value, argument.value, result);
                })
        .method(QStringLiteral("VbsErr"),
                [](VbsSupObject& o, Variant& number, Variant& description, Variant& position) {
                    int32_t n = 0;
                    QString text;
                    QString where;
                    o.host().VbsErr(n, text, where);
                    number = Variant(n);
                    description = Variant(text);
                    position = Variant(where);
                });
}

void VbsSupObject::addCallbacks(Members<VbsSupObject>& m) {
    m.method(QStringLiteral("FxPgm"),
             [](VbsSupObject& o, Variant& args) { return o.host().FxPgm(args); })
        .method(QStringLiteral("FxDiv"),
                [](VbsSupObject& o, Variant& args) { o.host().FxDiv(args); })
        .method(QStringLiteral("FxDoc"),
                [](VbsSupObject& o, const Variant& args) { o.host().FxDoc(args); });
    for (auto [name, query] : {std::pair{QStringLiteral("DocConEsp"), &VbsSup::DocConEsp},
                               std::pair{QStringLiteral("DocConVar"), &VbsSup::DocConVar},
                               std::pair{QStringLiteral("DocConOpc"), &VbsSup::DocConOpc},
                               std::pair{QStringLiteral("DocConOpcEsp"), &VbsSup::DocConOpcEsp},
                               std::pair{QStringLiteral("SqlCalc"), &VbsSup::SqlCalc}})
        m.method(name, [query](VbsSupObject& o, Text type, Text text) {
            return (o.host().*query)(type.value, text.value);
        });
    m.method(QStringLiteral("PrWin"), [](VbsSupObject& o, const Variant& args) {
         o.host().PrWin(args);
     }).method(QStringLiteral("RegObDoc"), [](VbsSupObject& o, const Variant& object) {
        o.host().RegObDoc(object);
    });
}

} // namespace zv
