#include "DateTime.h"

#include "VbError.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <limits>

namespace zv {

namespace {

// Julian day number of 1899-12-30, day 0 of the serials.
constexpr int64_t kJulianDayZero = 2415019;
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kMinDay = int64_t(kMinDateSerial);
constexpr int64_t kMaxDay = int64_t(kMaxDateSerial);

struct DateTimeState {
    Clock clock;
};

DateTimeState& state() {
    static DateTimeState s;
    return s;
}

[[noreturn]] void invalidCall() {
    vbRaise(err::InvalidCall);
}

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int64_t floorMod(int64_t a, int64_t b) {
    return a - floorDiv(a, b) * b;
}

// A moment as its day number and the second within that day (0..86399).
struct Moment {
    int64_t day = 0;
    int64_t sec = 0;
    int64_t linear() const { return day * kSecondsPerDay + sec; }
};

void checkDay(int64_t day) {
    if (day < kMinDay || day > kMaxDay) invalidCall();
}

Moment momentOf(double serial) {
    if (!std::isfinite(serial) || serial < kMinDateSerial || serial >= kMaxDateSerial + 1.0)
        invalidCall();
    const double whole = std::trunc(serial);
    const double frac = std::fabs(serial - whole);
    Moment m{int64_t(whole), int64_t(std::llround(frac * double(kSecondsPerDay)))};
    // The time of day always counts forward, so rounding up to midnight is the next day, also
    // for negative serials.
    if (m.sec >= kSecondsPerDay) {
        m.sec -= kSecondsPerDay;
        m.day += 1;
    }
    checkDay(m.day);
    return m;
}

Moment momentFromLinear(int64_t seconds) {
    return Moment{floorDiv(seconds, kSecondsPerDay), floorMod(seconds, kSecondsPerDay)};
}

double serialOf(const Moment& m) {
    checkDay(m.day);
    const double t = double(m.sec) / double(kSecondsPerDay);
    return m.day >= 0 ? double(m.day) + t : double(m.day) - t;
}

QDate calendarDate(int64_t day) {
    return QDate::fromJulianDay(day + kJulianDayZero);
}

// Day number of a calendar date; the year must be 1..9999 and the month 1..12; the day may be
// anything (it is counted from the first of the month).
int64_t dayNumber(int year, int month, int64_t day) {
    return QDate(year, month, 1).toJulianDay() - kJulianDayZero + (day - 1);
}

int daysInMonth(int year, int month) {
    return QDate(year, month, 1).daysInMonth();
}

// Year and month after adding months to a year and month; 5 outside the date range.
void addMonths(int& year, int& month, int64_t months) {
    const int64_t total = int64_t(year) * 12 + (month - 1) + months;
    const int64_t y = floorDiv(total, 12);
    if (y < 100 || y > 9999) invalidCall();
    year = int(y);
    month = int(floorMod(total, 12)) + 1;
}

int checkFirstDayOfWeek(int firstDayOfWeek) {
    if (firstDayOfWeek < 0 || firstDayOfWeek > 7) invalidCall();
    // The system's first day of the week is Sunday: nothing is read from the environment.
    return firstDayOfWeek == 0 ? 1 : firstDayOfWeek;
}

// Day 1 (1899-12-31) is a Sunday; weekday k (1 Sunday .. 7 Saturday) falls on days = k mod 7.
int weekdayOf(int64_t day, int firstDayOfWeek) {
    return int(floorMod(day - firstDayOfWeek, 7)) + 1;
}

// The day on which week 1 of a year starts.
int64_t firstWeekStart(int year, int firstDayOfWeek, int firstWeekOfYear) {
    const int64_t jan1 = dayNumber(year, 1, 1);
    const int wd = weekdayOf(jan1, firstDayOfWeek);
    const int64_t weekOfJan1 = jan1 - (wd - 1);
    switch (firstWeekOfYear) {
    case 2:
        return wd <= 4 ? weekOfJan1 : weekOfJan1 + 7; // at least four days in January
    case 3:
        return wd == 1 ? jan1 : weekOfJan1 + 7; // the first whole week
    default:
        return weekOfJan1; // the week of January 1
    }
}

int weekOfYear(int64_t day, int firstDayOfWeek, int firstWeekOfYear) {
    int year = calendarDate(day).year();
    int64_t start = firstWeekStart(year, firstDayOfWeek, firstWeekOfYear);
    if (day < start && year > 1) {
        --year;
        start = firstWeekStart(year, firstDayOfWeek, firstWeekOfYear);
    } else if (firstWeekOfYear == 2 && year < 9999) {
        // With the four-day rule the last days of December may already be week 1 of the next
        // year.
        const int64_t next = firstWeekStart(year + 1, firstDayOfWeek, firstWeekOfYear);
        if (day >= next) return 1;
    }
    return int(floorDiv(day - start, 7)) + 1;
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalOf(QStringView text) {
    const QString t = text.toString().toLower();
    if (t == u"yyyy") return Interval::Year;
    if (t == u"q") return Interval::Quarter;
    if (t == u"m") return Interval::Month;
    if (t == u"y") return Interval::DayOfYear;
    if (t == u"d") return Interval::Day;
    if (t == u"w") return Interval::Weekday;
    if (t == u"ww") return Interval::Week;
    if (t == u"h") return Interval::Hour;
    if (t == u"n") return Interval::Minute;
    if (t == u"s") return Interval::Second;
    invalidCall();
}

// Reading date texts: a small cursor over the text.
struct Scanner {
    QStringView s;
    qsizetype pos = 0;

    bool atEnd() const { return pos >= s.size(); }
    // A run of 1..maxDigits digits; its length in *count.
    std::optional<int> number(int maxDigits, int* count = nullptr) {
        int value = 0, n = 0;
        while (pos < s.size() && n < maxDigits && s[pos] >= u'0' && s[pos] <= u'9') {
            value = value * 10 + (s[pos].unicode() - u'0');
            ++pos;
            ++n;
        }
        if (n == 0 || (pos < s.size() && s[pos] >= u'0' && s[pos] <= u'9')) return std::nullopt;
        if (count) *count = n;
        return value;
    }
    bool take(QChar c) {
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    int skipBlanks() {
        const qsizetype start = pos;
        while (pos < s.size() && (s[pos] == u' ' || s[pos] == u'\t'))
            ++pos;
        return int(pos - start);
    }
};

std::optional<int64_t> scanDate(Scanner& sc) {
    int n1 = 0, n3 = 0;
    const auto a = sc.number(4, &n1);
    if (!a) return std::nullopt;
    const QChar sep = sc.pos < sc.s.size() ? sc.s[sc.pos] : QChar();
    if (sep != u'/' && sep != u'-') return std::nullopt;
    ++sc.pos;
    const auto b = sc.number(2);
    if (!b || !sc.take(sep)) return std::nullopt;
    const auto c = sc.number(4, &n3);
    if (!c) return std::nullopt;
    int year, month, day;
    if (n1 == 4 && n3 <= 2) {
        year = *a, month = *b, day = *c;
    } else if (n1 <= 2 && n3 == 4) {
        day = *a, month = *b, year = *c;
    } else {
        return std::nullopt;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return dayNumber(year, month, day);
}

std::optional<int64_t> scanTime(Scanner& sc) {
    const auto h = sc.number(2);
    if (!h || !sc.take(u':')) return std::nullopt;
    const auto m = sc.number(2);
    if (!m) return std::nullopt;
    int s = 0;
    if (sc.take(u':')) {
        const auto sv = sc.number(2);
        if (!sv) return std::nullopt;
        s = *sv;
    }
    if (*h > 23 || *m > 59 || s > 59) return std::nullopt;
    return int64_t(*h) * 3600 + *m * 60 + s;
}

} // namespace

DateParts dateParts(double serial) {
    const Moment m = momentOf(serial);
    const QDate d = calendarDate(m.day);
    return DateParts{d.year(),       d.month(), d.day(), int(m.sec / 3600), int(m.sec / 60 % 60),
                     int(m.sec % 60)};
}

double dateSerialOf(const DateParts& p) {
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
        p.day > daysInMonth(p.year, p.month) || p.hour < 0 || p.hour > 23 || p.minute < 0 ||
        p.minute > 59 || p.second < 0 || p.second > 59)
        invalidCall();
    return serialOf(Moment{dayNumber(p.year, p.month, p.day),
                           int64_t(p.hour) * 3600 + p.minute * 60 + p.second});
}

double DateSerial(int year, int month, int day) {
    if (year >= 0 && year <= 29)
        year += 2000;
    else if (year >= 30 && year <= 99)
        year += 1900;
    const int64_t total = int64_t(year) * 12 + (int64_t(month) - 1);
    const int64_t y = floorDiv(total, 12);
    // Day overflow may still bring a year just outside back into range, so only years the
    // calendar cannot hold at all are refused here; the final day is checked below.
    if (y < 1 || y > 9999) invalidCall();
    const int64_t d = dayNumber(int(y), int(floorMod(total, 12)) + 1, day);
    checkDay(d);
    return double(d);
}

double TimeSerial(int hour, int minute, int second) {
    const int64_t total = int64_t(hour) * 3600 + int64_t(minute) * 60 + second;
    return serialOf(momentFromLinear(total));
}

int Year(double date) {
    return dateParts(date).year;
}
int Month(double date) {
    return dateParts(date).month;
}
int Day(double date) {
    return dateParts(date).day;
}
int Hour(double date) {
    return dateParts(date).hour;
}
int Minute(double date) {
    return dateParts(date).minute;
}
int Second(double date) {
    return dateParts(date).second;
}

int Weekday(double date, int firstDayOfWeek) {
    const int fdw = checkFirstDayOfWeek(firstDayOfWeek);
    return weekdayOf(momentOf(date).day, fdw);
}

double DateAdd(QStringView interval, double number, double date) {
    const Interval iv = intervalOf(interval);
    if (!std::isfinite(number)) invalidCall();
    const double whole = std::trunc(number);
    // Any count beyond this leaves the date range whatever the interval.
    if (std::fabs(whole) > 1e12) invalidCall();
    const int64_t n = int64_t(whole);
    const Moment m = momentOf(date);
    switch (iv) {
    case Interval::Year:
    case Interval::Quarter:
    case Interval::Month: {
        const int64_t months = iv == Interval::Year ? n * 12 : iv == Interval::Quarter ? n * 3 : n;
        if (std::llabs(months) > 200000) invalidCall();
        const QDate d = calendarDate(m.day);
        int year = d.year(), month = d.month();
        addMonths(year, month, months);
        const int day = std::min(d.day(), daysInMonth(year, month));
        return serialOf(Moment{dayNumber(year, month, day), m.sec});
    }
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        if (std::llabs(n) > 10000000) invalidCall();
        return serialOf(Moment{m.day + n, m.sec});
    case Interval::Week:
        if (std::llabs(n) > 2000000) invalidCall();
        return serialOf(Moment{m.day + 7 * n, m.sec});
    case Interval::Hour:
        return serialOf(momentFromLinear(m.linear() + n * 3600));
    case Interval::Minute:
        return serialOf(momentFromLinear(m.linear() + n * 60));
    case Interval::Second:
        return serialOf(momentFromLinear(m.linear() + n));
    }
    invalidCall();
}

int32_t DateDiff(QStringView interval, double d1, double d2, int firstDayOfWeek) {
    const Interval iv = intervalOf(interval);
    const int fdw = checkFirstDayOfWeek(firstDayOfWeek);
    const Moment a = momentOf(d1);
    const Moment b = momentOf(d2);
    const QDate da = calendarDate(a.day), db = calendarDate(b.day);
    int64_t r = 0;
    switch (iv) {
    case Interval::Year:
        r = db.year() - da.year();
        break;
    case Interval::Quarter:
        r = (int64_t(db.year()) * 4 + (db.month() - 1) / 3) -
            (int64_t(da.year()) * 4 + (da.month() - 1) / 3);
        break;
    case Interval::Month:
        r = (int64_t(db.year()) * 12 + db.month()) - (int64_t(da.year()) * 12 + da.month());
        break;
    case Interval::DayOfYear:
    case Interval::Day:
        r = b.day - a.day;
        break;
    case Interval::Weekday:
        r = (b.day - a.day) / 7;
        break;
    case Interval::Week:
        r = floorDiv(b.day - fdw, 7) - floorDiv(a.day - fdw, 7);
        break;
    case Interval::Hour:
        r = floorDiv(b.linear(), 3600) - floorDiv(a.linear(), 3600);
        break;
    case Interval::Minute:
        r = floorDiv(b.linear(), 60) - floorDiv(a.linear(), 60);
        break;
    case Interval::Second:
        r = b.linear() - a.linear();
        break;
    }
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        vbRaise(err::Overflow);
    return int32_t(r);
}

int DatePart(QStringView interval, double date, int firstDayOfWeek, int firstWeekOfYear) {
    const Interval iv = intervalOf(interval);
    const int fdw = checkFirstDayOfWeek(firstDayOfWeek);
    if (firstWeekOfYear < 0 || firstWeekOfYear > 3) invalidCall();
    const Moment m = momentOf(date);
    const QDate d = calendarDate(m.day);
    switch (iv) {
    case Interval::Year:
        return d.year();
    case Interval::Quarter:
        return (d.month() - 1) / 3 + 1;
    case Interval::Month:
        return d.month();
    case Interval::DayOfYear:
        return d.dayOfYear();
    case Interval::Day:
        return d.day();
    case Interval::Weekday:
        return weekdayOf(m.day, fdw);
    case Interval::Week:
        return weekOfYear(m.day, fdw, firstWeekOfYear);
    case Interval::Hour:
        return int(m.sec / 3600);
    case Interval::Minute:
        return int(m.sec / 60 % 60);
    case Interval::Second:
        return int(m.sec % 60);
    }
    invalidCall();
}

std::optional<double> parseDateText(QStringView text) {
    Scanner sc{text.trimmed()};
    if (sc.atEnd()) return std::nullopt;
    if (auto day = scanDate(sc)) {
        if (sc.atEnd()) return double(*day);
        if (sc.skipBlanks() == 0) return std::nullopt;
        const auto sec = scanTime(sc);
        if (!sec || !sc.atEnd()) return std::nullopt;
        return serialOf(Moment{*day, *sec});
    }
    sc.pos = 0;
    const auto sec = scanTime(sc);
    if (!sec || !sc.atEnd()) return std::nullopt;
    return serialOf(Moment{0, *sec});
}

double DateValue(QStringView text) {
    const auto serial = parseDateText(text);
    if (!serial) vbRaise(err::TypeMismatch);
    return double(momentOf(*serial).day);
}

double TimeValue(QStringView text) {
    const auto serial = parseDateText(text);
    if (!serial) vbRaise(err::TypeMismatch);
    return double(momentOf(*serial).sec) / double(kSecondsPerDay);
}

double serialFromDateTime(const QDateTime& dt) {
    const int64_t day = dt.date().toJulianDay() - kJulianDayZero;
    checkDay(day);
    const double t = double(dt.time().msecsSinceStartOfDay()) / (1000.0 * kSecondsPerDay);
    return day >= 0 ? double(day) + t : double(day) - t;
}

QDateTime dateTimeFromSerial(double serial) {
    const DateParts p = dateParts(serial);
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

double Now() {
    const QDateTime now = clockNow();
    const QTime t = now.time();
    return serialFromDateTime(QDateTime(now.date(), QTime(t.hour(), t.minute(), t.second())));
}

double Date() {
    return double(clockNow().date().toJulianDay() - kJulianDayZero);
}

double Time() {
    return double(clockNow().time().msecsSinceStartOfDay() / 1000) / kSecondsPerDay;
}

double Timer() {
    return double(clockNow().time().msecsSinceStartOfDay()) / 1000.0;
}

void setClock(Clock clock) {
    state().clock = std::move(clock);
}

QDateTime clockNow() {
    const DateTimeState& s = state();
    return s.clock ? s.clock() : QDateTime::currentDateTime();
}

void resetDateTimeState() {
    state() = DateTimeState{};
}

} // namespace zv
