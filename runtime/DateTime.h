#pragma once
// The language's dates: a Double counting days from 1899-12-30, the fraction being the time of
// day. Before that day the serial is negative and its fraction still counts forward from the
// start of the day (-1.25 is 1899-12-29 06:00). Dates run from 100-01-01 to 9999-12-31; results
// outside raise 5. Parts are read rounded to the nearest second.
//
// "Now" comes from a clock the runtime holds: the system clock unless a test sets its own.

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>

namespace zv {

constexpr double kMinDateSerial = -657434.0; // 100-01-01
constexpr double kMaxDateSerial = 2958465.0; // 9999-12-31 (plus its time of day)

// A date and time split into its parts, exact to the second.
struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The parts of a serial (rounded to the nearest second; 23:59:59.6 is the next day 00:00:00).
// A serial outside the date range raises 5.
DateParts dateParts(double serial);
// The serial of valid parts (month 1..12, day within the month, time within the day); 5 when
// any part is out of its range or the date is outside the date range.
double dateSerialOf(const DateParts& parts);

// DateSerial: month and day overflow carry (month 13 is January of the next year, day 0 the
// last day of the previous month); years 0..29 are 2000..2029 and 30..99 are 1930..1999.
double DateSerial(int year, int month, int day);
// TimeSerial: hours, minutes and seconds carry into each other and into days; a negative total
// counts back from 1899-12-30 00:00 (TimeSerial(-1, 0, 0) is 23:00 of 1899-12-29).
double TimeSerial(int hour, int minute, int second);

int Year(double date);
int Month(double date);
int Day(double date);
int Hour(double date);
int Minute(double date);
int Second(double date);
// 1..7 counted from firstDayOfWeek (1 Sunday .. 7 Saturday; 0 the system's, which is Sunday);
// firstDayOfWeek outside 0..7 raises 5.
int Weekday(double date, int firstDayOfWeek = 1);

// DateAdd with the intervals "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s" (case-blind;
// others raise 5). number is truncated to a whole count. Adding years, quarters or months keeps
// the day within the month (Jan 31 + 1 month is the last day of February).
double DateAdd(QStringView interval, double number, double date);
// DateDiff counts the boundaries crossed from d1 to d2 (negative when d2 is earlier): "yyyy"
// years, "q" quarters, "m" months, "y"/"d" days, "h", "n", "s"; "ww" the firstDayOfWeek days
// passed (d1 itself not counted); "w" whole weeks. Results beyond the Long range raise 6.
int32_t DateDiff(QStringView interval, double d1, double d2, int firstDayOfWeek = 1);
// DatePart: "yyyy", "q", "m", "y" (day of the year), "d", "w" (as Weekday), "ww" (week of the
// year), "h", "n", "s". firstWeekOfYear: 1 (or 0) the week of January 1, 2 the first week with
// four days in the year, 3 the first whole week; others raise 5.
int DatePart(QStringView interval, double date, int firstDayOfWeek = 1, int firstWeekOfYear = 1);

// Reads a date text: "yyyy/mm/dd", "yyyy-mm-dd", "dd/mm/yyyy" or "dd-mm-yyyy" (day and month
// of one or two digits, a four-digit year), optionally followed by blanks and a time
// "hh:mm[:ss]", or a time alone. Blanks around are ignored. nullopt when the text is no valid
// date or time.
std::optional<double> parseDateText(QStringView text);
// DateValue: the date part of a date text; TimeValue: its time part. 13 when the text is no
// date.
double DateValue(QStringView text);
double TimeValue(QStringView text);

// The serial of a local date and time (milliseconds kept as a fraction) and back (to the second).
double serialFromDateTime(const QDateTime& dt);
QDateTime dateTimeFromSerial(double serial);

// Now: date and time to the second; Date: today; Time: the time of day; Timer: the seconds since
// midnight, with fractions.
double Now();
double Date();
double Time();
double Timer();

// The clock behind Now, Date, Time and Timer: local time. An empty function restores the
// system clock.
using Clock = std::function<QDateTime()>;
void setClock(Clock clock);
QDateTime clockNow();
// Back to the system clock (for tests).
void resetDateTimeState();

} // namespace zv
