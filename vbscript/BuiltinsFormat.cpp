// FormatNumber, FormatPercent, FormatCurrency and FormatDateTime. The regional settings they
// would read on Windows are the runtime's own locale (decimal and group separators, default "."
// and ","), two decimals, a leading zero, no parentheses (for currency: "$" and parentheses)
// and grouped digits. Numbers round half away from
// zero on the digits they show. Dates: the general form is the runtime's date text
// ("dd/mm/yyyy hh:mm:ss"); the long date is "dd MMMM yyyy" with the English month name; times
// are 24-hour.

#include "Builtin.h"
#include "Convert.h"
#include "DateTime.h"
#include "DecimalDigits.h"

namespace zv::vbs {

namespace {

using A = std::span<const Variant>;

// A tristate argument (-1 True, 0 False, -2 the default).
bool tristateArg(A a, size_t i, bool byDefault) {
    if (!given(a, i)) return byDefault;
    int v = argLong(a[i]);
    if (v == -2) return byDefault;
    if (v != -1 && v != 0 && v != 1) throw VbError(err::InvalidCall);
    return v != 0;
}

enum class NumberForm { Number, Percent, Currency };

// FormatNumber(x[, decimals[, leadingDigit[, parentheses[, group]]]]), FormatPercent, which
// shows x * 100 followed by "%", and FormatCurrency, with "$" before the digits and negative
// amounts in parentheses unless told otherwise. A Null number is 13, any other Null 94.
QString formatNumber(A a, NumberForm form) {
    if (a[0].isNull()) throw VbError(err::TypeMismatch);
    for (size_t i = 1; i < a.size(); ++i)
        if (a[i].isNull()) throw VbError(err::InvalidNull);
    const bool percent = form == NumberForm::Percent;
    int decimals = given(a, 1) ? argLong(a[1]) : -1;
    if (decimals < -1 || decimals > 255) throw VbError(err::InvalidCall);
    if (decimals == -1) decimals = 2;
    bool leading = tristateArg(a, 2, true);
    bool parens = tristateArg(a, 3, form == NumberForm::Currency);
    bool group = tristateArg(a, 4, true);
    DecimalDigits d = DecimalDigits::of(toDouble(a[0]));
    if (percent) d.shift(2);
    d.round(decimals, false);

    const RuntimeLocale& loc = runtimeLocale();
    std::string whole = d.integerPart();
    QString text;
    if (!(whole == "0" && !leading)) {
        for (size_t i = 0; i < whole.size(); ++i) {
            if (group && i > 0 && (whole.size() - i) % 3 == 0) text += loc.group;
            text += QChar(whole[i]);
        }
    }
    if (decimals > 0) {
        text += loc.decimal;
        text += QString::fromLatin1(d.fractionPart(decimals));
    }
    if (text.isEmpty()) text = QStringLiteral("0");
    if (percent) text += u'%';
    if (form == NumberForm::Currency) text.prepend(u'$');
    if (d.negative && !d.isZero())
        text = parens ? QStringLiteral("(%1)").arg(text) : QStringLiteral("-") + text;
    return text;
}

Variant fnFormatNumber(Interpreter&, A a) {
    return Variant(formatNumber(a, NumberForm::Number));
}

Variant fnFormatPercent(Interpreter&, A a) {
    return Variant(formatNumber(a, NumberForm::Percent));
}

Variant fnFormatCurrency(Interpreter&, A a) {
    return Variant(formatNumber(a, NumberForm::Currency));
}

QString two(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// FormatDateTime(date[, format]): 0 general, 1 long date, 2 short date, 3 long time, 4 short
// time. A Null date is 13, a Null format 94.
Variant fnFormatDateTime(Interpreter&, A a) {
    if (a[0].isNull()) throw VbError(err::TypeMismatch);
    int format = given(a, 1) ? argLong(a[1]) : 0;
    if (format < 0 || format > 4) throw VbError(err::InvalidCall);
    double serial = CDate(a[0]);
    DateParts p = dateParts(serial);
    switch (format) {
    case 1:
        return Variant(QStringLiteral("%1 %2 %3")
                           .arg(two(p.day), QLatin1String(kMonthNames[p.month - 1]))
                           .arg(p.year, 4, 10, QLatin1Char('0')));
    case 2:
        return Variant(QStringLiteral("%1/%2/%3")
                           .arg(two(p.day), two(p.month))
                           .arg(p.year, 4, 10, QLatin1Char('0')));
    case 3:
        return Variant(QStringLiteral("%1:%2:%3").arg(two(p.hour), two(p.minute), two(p.second)));
    case 4:
        return Variant(QStringLiteral("%1:%2").arg(two(p.hour), two(p.minute)));
    default:
        return Variant(dateText(serial));
    }
}

} // namespace

void registerFormatBuiltins(BuiltinRegistry& r) {
    r.function("FormatNumber", 1, 5, fnFormatNumber);
    r.function("FormatPercent", 1, 5, fnFormatPercent);
    r.function("FormatCurrency", 1, 5, fnFormatCurrency);
    r.function("FormatDateTime", 1, 2, fnFormatDateTime);
}

} // namespace zv::vbs
