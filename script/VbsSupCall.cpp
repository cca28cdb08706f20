// VbsSup: calling script procedures by name. The arguments reach the procedure as its
// parameters and as the script globals Arg1..ArgN; a function's value comes back through the
// script global "FxRes".

#include "VbsSup.h"

#include "Convert.h"
#include "DateTime.h"
#include "TxtGlb.h"

namespace zv {

namespace {

// Procedures with more parameters than this are never run by the host.
constexpr int kMaxParameters = 9;

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
}

QString dateLiteral(double serial) {
    const DateParts p = dateParts(serial);
    return QStringLiteral("#") + twoDigits(p.month) + u'/' + twoDigits(p.day) + u'/' +
           QStringLiteral("%1").arg(p.year, 4, 10, QChar(u'0')) + u' ' + twoDigits(p.hour) + u':' +
           twoDigits(p.minute) + u':' + twoDigits(p.second) + u'#';
}

QString literalOf(const Variant& value, int depth) {
    switch (value.varType()) {
    case vbEmpty:
        return QStringLiteral("Empty");
    case vbNull:
        return QStringLiteral("Null");
    case vbString:
        return TxVbsAsp(value.rawString());
    case vbBoolean:
        return value.rawBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case vbInteger:
    case vbLong:
    case vbByte:
    case vbSingle:
    case vbDouble:
    case vbCurrency:
        return toText(value);
    case vbDate: {
        QString text = QStringLiteral("Empty");
        vbTrap([&] { text = dateLiteral(value.rawDate()); });
        return text;
    }
    case vbObject: {
        // An object stands for its default value, as it would in any text conversion.
        QString text = QStringLiteral("Empty");
        if (depth < 4 && !value.isNothing())
            vbTrap([&] { text = literalOf(value.rawObject()->defaultValue(), depth + 1); });
        return text;
    }
    default:
        return QStringLiteral("Empty");
    }
}

} // namespace

QString vbsLiteral(const Variant& value) {
    return literalOf(value, 0);
}

Variant VbsSup::SupVbsFx(const Variant& args, QString& kind) {
    // Every step goes on after a failure of the one before.
    int n = 0;
    QString name;
    std::vector<Variant> arguments;
    vbTrap([&] { n = args.array().ubound(1); });
    vbTrap([&] { name = TxCnv(args.array().at1(0)); });
    vbTrap([&] {
        for (int i = 1; i <= n; ++i)
            arguments.push_back(args.array().at1(i));
    });
    kind = PgmFxTip(name);
    Variant result = QString();
    flag_ = 0;
    vbTrap([&] {
        // With no argument, or more than the nine a call can carry, the procedure gets none
        // and the Arg variables keep their values.
        if (n >= 1 && n <= kMaxParameters && int(arguments.size()) == n)
            result = PgmFxExe(name, arguments);
        else
            result = PgmFxExe(name);
    });
    if (kind != u"F") result = Variant(int16_t(flag_));
    return result;
}

Variant VbsSup::PgmFxExe(const QString& name, const std::vector<Variant>& arguments) {
    const int count = FxArgVarReg(arguments);
    int ok = 0;
    PgmFxRun(name, count, ok);
    flag_ = ok;
    return FxResCon();
}

void VbsSup::PgmCmd(const QString& name, int& ok) {
    PgmFxRun(name, 0, ok);
}

QString VbsSup::PgmFxTip(const QString& name) {
    return PgmFxTipCon(name);
}

QString VbsSup::PgmFxTipCon(const QString& name) {
    QString kind = QStringLiteral("?");
    vbTrap([&] {
        kind = engine().procedure(name).hasReturnValue ? QStringLiteral("F") : QStringLiteral("P");
    });
    return kind;
}

int VbsSup::FxArgVarReg(const std::vector<Variant>& arguments) {
    const int count = int(arguments.size());
    args_.assign(size_t(count) + 1, Variant());
    for (int i = 1; i <= count; ++i) {
        args_[size_t(i)] = arguments[size_t(i) - 1];
        int ok = 0;
        ExeCmd(QStringLiteral("Arg") + QString::number(i) + u'=' +
                   vbsLiteral(arguments[size_t(i) - 1]),
               ok);
    }
    return count;
}

void VbsSup::PgmFxRun(const QString& name, int count, int& ok) {
    const QString kind = PgmFxTip(name);
    ok = 1;
    // "FxRes" never carries a value from an earlier call: a function that fails, or whose
    // value cannot be written, leaves it Empty. A sub leaves it alone.
    if (kind != u"P") {
        int cleared = 0;
        ExeCmd(QStringLiteral("FxRes=Empty"), cleared);
    }
    const bool done = !vbTrap([&] {
        const int k = engine().procedure(name).numArgs;
        // A procedure with more parameters than a call can carry is not run: a failure.
        if (k > kMaxParameters) throw VbError(err::WrongArgCount);
        // The work list: the call's arguments fitted to the parameters (extra ones dropped,
        // missing ones Empty). The procedure may change it; the caller never sees that.
        std::vector<Variant> list(static_cast<size_t>(k));
        for (int i = 1; i <= k && i <= count && i < int(args_.size()); ++i)
            list[size_t(i) - 1] = args_[size_t(i)];
        const Variant value = engine().run(name, list);
        if (kind == u"F") {
            int written = 0;
            ExeCmd(QStringLiteral("FxRes=") + vbsLiteral(value), written);
        }
    });
    ok = done ? 1 : 0;
}

Variant VbsSup::FxResCon() {
    return ExeCalcRes(QStringLiteral("FxRes"));
}

} // namespace zv
