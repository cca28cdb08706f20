// Date and time built-ins over the runtime's dates: the clock (Date, Time, Now, Timer), parts,
// serials, DateAdd/DateDiff/DatePart, DateValue/TimeValue, and the English month and weekday
// names. A Null date gives Null.

#include "Builtin.h"
#include "Convert.h"
#include "DateTime.h"

namespace zv::vbs {

const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

namespace {

using A = std::span<const Variant>;

const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// Year, Month, Day, Hour, Minute and Second: f of the argument's date as an Integer; Null for
// Null.
template <int (*f)(double)> Variant datePart(Interpreter&, A a) {
    if (a[0].isNull()) return Variant::null();
    return Variant(int16_t(f(CDate(a[0]))));
}

// A first-day-of-week argument: absent is Sunday; 0 (the system's) is Sunday too.
int firstDayArg(A a, size_t i) {
    if (!given(a, i)) return 1;
    int d = argLong(a[i]);
    if (d < 0 || d > 7) throw VbError(err::InvalidCall);
    return d == 0 ? 1 : d;
}

int firstWeekArg(A a, size_t i) {
    if (!given(a, i)) return 1;
    int w = argLong(a[i]);
    if (w < 0 || w > 3) throw VbError(err::InvalidCall);
    return w == 0 ? 1 : w;
}

Variant fnDate(Interpreter&, A) {
    return Variant::date(Date());
}
Variant fnTime(Interpreter&, A) {
    return Variant::date(Time());
}
Variant fnNow(Interpreter&, A) {
    return Variant::date(Now());
}
Variant fnTimer(Interpreter&, A) {
    return Variant(float(Timer()));
}

Variant fnWeekday(Interpreter&, A a) {
    int first = firstDayArg(a, 1);
    if (a[0].isNull()) return Variant::null();
    return Variant(int16_t(Weekday(CDate(a[0]), first)));
}

// MonthName(n[, abbreviate]): a Null abbreviate is 94 before n is read.
Variant fnMonthName(Interpreter&, A a) {
    if (given(a, 1) && a[1].isNull()) throw VbError(err::InvalidNull);
    int m = argLong(a[0]);
    bool abbreviate = given(a, 1) && CBool(a[1]);
    if (m < 1 || m > 12) throw VbError(err::InvalidCall);
    QString name = QString::fromLatin1(kMonthNames[m - 1]);
    return Variant(abbreviate ? name.left(3) : name);
}

// WeekdayName(n[, abbreviate[, firstDayOfWeek]]): n counts from the first day of the week.
Variant fnWeekdayName(Interpreter&, A a) {
    int n = argLong(a[0]);
    bool abbreviate = given(a, 1) && CBool(a[1]);
    int first = firstDayArg(a, 2);
    if (n < 1 || n > 7) throw VbError(err::InvalidCall);
    QString name = QString::fromLatin1(kWeekdays[(n - 1 + first - 1) % 7]);
    return Variant(abbreviate ? name.left(3) : name);
}

// DateSerial and TimeSerial take numbers: Null is 94.
Variant fnDateSerial(Interpreter&, A a) {
    return Variant::date(DateSerial(argLong(a[0]), argLong(a[1]), argLong(a[2])));
}

Variant fnTimeSerial(Interpreter&, A a) {
    return Variant::date(TimeSerial(argLong(a[0]), argLong(a[1]), argLong(a[2])));
}

// DateValue and TimeValue also take dates (their date or time part) and numbers.
Variant fnDateValue(Interpreter&, A a) {
    if (a[0].isNull()) return Variant::null();
    if (a[0].isString()) return Variant::date(DateValue(a[0].rawString()));
    DateParts p = dateParts(CDate(a[0]));
    return Variant::date(DateSerial(p.year, p.month, p.day));
}

Variant fnTimeValue(Interpreter&, A a) {
    if (a[0].isNull()) return Variant::null();
    if (a[0].isString()) return Variant::date(TimeValue(a[0].rawString()));
    DateParts p = dateParts(CDate(a[0]));
    return Variant::date(TimeSerial(p.hour, p.minute, p.second));
}

// DateAdd(interval, number, date): a Null number is 94, a Null date gives Null.
Variant fnDateAdd(Interpreter&, A a) {
    QString interval = toText(a[0]);
    if (a[1].isNull()) throw VbError(err::InvalidNull);
    if (a[2].isNull()) return Variant::null();
    return Variant::date(DateAdd(interval, toDouble(a[1]), CDate(a[2])));
}

Variant fnDateDiff(Interpreter&, A a) {
    QString interval = toText(a[0]);
    int first = firstDayArg(a, 3);
    firstWeekArg(a, 4);
    if (a[1].isNull() || a[2].isNull()) return Variant::null();
    return Variant(DateDiff(interval, CDate(a[1]), CDate(a[2]), first));
}

Variant fnDatePart(Interpreter&, A a) {
    QString interval = toText(a[0]);
    int first = firstDayArg(a, 2);
    int week = firstWeekArg(a, 3);
    if (a[1].isNull()) return Variant::null();
    return Variant(int16_t(DatePart(interval, CDate(a[1]), first, week)));
}

} // namespace

void registerDateBuiltins(BuiltinRegistry& r) {
    r.function("Date", 0, 0, fnDate);
    r.function("Time", 0, 0, fnTime);
    r.function("Now", 0, 0, fnNow);
    r.function("Timer", 0, 0, fnTimer);
    r.function("Year", 1, 1, datePart<Year>);
    r.function("Month", 1, 1, datePart<Month>);
    r.function("Day", 1, 1, datePart<Day>);
    r.function("Hour", 1, 1, datePart<Hour>);
    r.function("Minute", 1, 1, datePart<Minute>);
    r.function("Second", 1, 1, datePart<Second>);
    r.function("Weekday", 1, 2, fnWeekday);
    r.function("MonthName", 1, 2, fnMonthName);
    r.function("WeekdayName", 1, 3, fnWeekdayName);
    r.function("DateSerial", 3, 3, fnDateSerial);
    r.function("TimeSerial", 3, 3, fnTimeSerial);
    r.function("DateValue", 1, 1, fnDateValue);
    r.function("TimeValue", 1, 1, fnTimeValue);
    r.function("DateAdd", 3, 3, fnDateAdd);
    r.function("DateDiff", 3, 5, fnDateDiff);
    r.function("DatePart", 2, 4, fnDatePart);
}

} // namespace zv::vbs
