// Dates: serials and parts, DateSerial/TimeSerial normalising, DateAdd/DateDiff/DatePart
// counting rules, date texts and the settable clock.
#include "DateTime.h"

#include "TestSupport.h"
#include "VbError.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::errorOf;

namespace {

double at(int y, int m, int d, int h = 0, int n = 0, int s = 0) {
    return dateSerialOf(DateParts{y, m, d, h, n, s});
}

void expectParts(double serial, DateParts p) {
    const DateParts got = dateParts(serial);
    EXPECT_EQ(got.year, p.year) << serial;
    EXPECT_EQ(got.month, p.month) << serial;
    EXPECT_EQ(got.day, p.day) << serial;
    EXPECT_EQ(got.hour, p.hour) << serial;
    EXPECT_EQ(got.minute, p.minute) << serial;
    EXPECT_EQ(got.second, p.second) << serial;
}

} // namespace

TEST(DateTime, SerialsAndPartsIncludingNegativeDays) {
    EXPECT_EQ(at(1899, 12, 30), 0.0);
    EXPECT_EQ(at(1900, 1, 1), 2.0);
    EXPECT_EQ(at(2000, 1, 1), 36526.0);
    EXPECT_EQ(at(100, 1, 1), kMinDateSerial);
    EXPECT_EQ(at(9999, 12, 31), kMaxDateSerial);
    // Before 1899-12-30 the time still counts forward from the start of the day.
    EXPECT_DOUBLE_EQ(at(1899, 12, 29, 6), -1.25);
    expectParts(-1.25, {1899, 12, 29, 6, 0, 0});
    expectParts(-0.5, {1899, 12, 30, 12, 0, 0});
    expectParts(36526.75, {2000, 1, 1, 18, 0, 0});
    // Parts are read to the nearest second; rounding up to midnight is the next day.
    expectParts(at(2024, 2, 29, 23, 59, 59) + 0.6 / 86400, {2024, 3, 1, 0, 0, 0});
    expectParts(-1.0 - (86399.6 / 86400), {1899, 12, 30, 0, 0, 0});
    // Every second of a day survives the trip through a serial.
    for (int s = 0; s < 86400; s += 7) {
        const double serial = at(1850, 6, 15, s / 3600, s / 60 % 60, s % 60);
        const DateParts p = dateParts(serial);
        ASSERT_EQ(p.hour * 3600 + p.minute * 60 + p.second, s);
        ASSERT_EQ(p.day, 15);
    }
    EXPECT_EQ(errorOf([] { dateParts(kMaxDateSerial + 1); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { at(2023, 2, 29); }), err::InvalidCall);
}

TEST(DateTime, DateSerialAndTimeSerialNormalise) {
    EXPECT_EQ(DateSerial(2024, 13, 1), at(2025, 1, 1));
    EXPECT_EQ(DateSerial(2024, 3, 0), at(2024, 2, 29));
    EXPECT_EQ(DateSerial(2024, 0, 1), at(2023, 12, 1));
    EXPECT_EQ(DateSerial(2024, 1, 366), at(2024, 12, 31));
    EXPECT_EQ(DateSerial(2024, -1, -1), at(2023, 10, 30));
    EXPECT_EQ(DateSerial(29, 1, 1), at(2029, 1, 1));
    EXPECT_EQ(DateSerial(30, 1, 1), at(1930, 1, 1));
    EXPECT_EQ(DateSerial(0, 1, 1), at(2000, 1, 1));
    EXPECT_EQ(errorOf([] { DateSerial(10000, 1, 1); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { DateSerial(100, 1, 0); }), err::InvalidCall);

    expectParts(TimeSerial(12 - 6, -15, 0), {1899, 12, 30, 5, 45, 0});
    expectParts(TimeSerial(25, 0, 0), {1899, 12, 31, 1, 0, 0});
    expectParts(TimeSerial(0, 0, 90), {1899, 12, 30, 0, 1, 30});
    expectParts(TimeSerial(-1, 0, 0), {1899, 12, 29, 23, 0, 0});
}

TEST(DateTime, WeekdayWithFirstDayOfWeek) {
    const double mon = at(2026, 12, 7);
    EXPECT_EQ(Weekday(mon), 2);
    EXPECT_EQ(Weekday(mon, 2), 1);
    EXPECT_EQ(Weekday(mon, 0), 2);
    EXPECT_EQ(Weekday(0.0), 7);  // 1899-12-30 was a Saturday
    EXPECT_EQ(Weekday(-1.5), 6); // 1899-12-29, a Friday
    EXPECT_EQ(Weekday(mon, 7), 3);
    EXPECT_EQ(errorOf([&] { Weekday(mon, 8); }), err::InvalidCall);
    EXPECT_EQ(Year(mon) * 10000 + Month(mon) * 100 + Day(mon), 20261207);
}

TEST(DateTime, DateAddClampsMonthEnds) {
    struct Case {
        const char16_t* interval;
        double number;
        double date;
        double expected;
    };
    const double t = at(2024, 1, 31, 10, 30, 0);
    const Case cases[] = {
        {u"m", 1, t, at(2024, 2, 29, 10, 30, 0)},
        {u"m", 1, at(2023, 1, 31), at(2023, 2, 28)},
        {u"M", -1, at(2024, 3, 31), at(2024, 2, 29)},
        {u"yyyy", 1, at(2024, 2, 29), at(2025, 2, 28)},
        {u"q", 1, at(2024, 11, 30), at(2025, 2, 28)},
        {u"d", 1.9, t, at(2024, 2, 1, 10, 30, 0)},
        {u"y", -31, t, at(2023, 12, 31, 10, 30, 0)},
        {u"w", 2, t, at(2024, 2, 2, 10, 30, 0)},
        {u"ww", 1, t, at(2024, 2, 7, 10, 30, 0)},
        {u"h", 14, t, at(2024, 2, 1, 0, 30, 0)},
        {u"n", -31, t, at(2024, 1, 31, 9, 59, 0)},
        {u"s", 86400, -1.25, at(1899, 12, 30, 6)},
        {u"h", -7, at(1899, 12, 30, 6), at(1899, 12, 29, 23)},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(DateAdd(c.interval, c.number, c.date), c.expected)
            << QString::fromUtf16(c.interval).toStdString() << " " << c.number;
    EXPECT_EQ(errorOf([] { DateAdd(u"x", 1, 0); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { DateAdd(u"yyyy", 1, kMaxDateSerial); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { DateAdd(u"d", -1, kMinDateSerial); }), err::InvalidCall);
}

TEST(DateTime, DateDiffCountsBoundaries) {
    struct Case {
        const char16_t* interval;
        double d1;
        double d2;
        int firstDayOfWeek;
        int expected;
    };
    const double sat = at(2026, 12, 5), sun = at(2026, 12, 6), mon = at(2026, 12, 7);
    const Case cases[] = {
        {u"yyyy", at(2000, 12, 31), at(2001, 1, 1), 1, 1},
        {u"yyyy", at(2001, 1, 1), at(2000, 12, 31), 1, -1},
        {u"q", at(2024, 3, 31), at(2024, 4, 1), 1, 1},
        {u"m", at(2024, 1, 31), at(2024, 2, 1), 1, 1},
        {u"d", at(2024, 1, 1, 23, 59, 59), at(2024, 1, 2), 1, 1},
        {u"y", at(2024, 1, 1), at(2024, 12, 31), 1, 365},
        {u"h", at(2024, 1, 1, 10, 59, 59), at(2024, 1, 1, 11), 1, 1},
        {u"n", at(2024, 1, 1, 10, 0, 59), at(2024, 1, 1, 10, 1, 0), 1, 1},
        {u"s", -1.25, 0.0, 1, 64800},
        {u"h", -0.75, -1.25, 1, -36}, // 1899-12-30 18:00 back to 1899-12-29 06:00
        {u"ww", sat, sun, 1, 1},      // a Sunday is crossed
        {u"ww", sun, sat + 7, 1, 0},  // d1 itself is not counted
        {u"ww", sun, mon, 2, 1},      // weeks starting on Monday
        {u"ww", mon, sun, 2, -1},
        {u"w", sat, sun, 1, 0}, // whole weeks only
        {u"w", sat, sat + 13, 1, 1},
        {u"w", sat + 13, sat, 1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DateDiff(c.interval, c.d1, c.d2, c.firstDayOfWeek), c.expected)
            << QString::fromUtf16(c.interval).toStdString() << " " << c.d1 << " " << c.d2;
    EXPECT_EQ(errorOf([] { DateDiff(u"s", kMinDateSerial, kMaxDateSerial); }), err::Overflow);
    EXPECT_EQ(errorOf([] { DateDiff(u"d", 0, 1, 9); }), err::InvalidCall);
}

TEST(DateTime, DatePartWeeksOfTheYear) {
    const double d = at(2026, 12, 7, 13, 14, 15);
    EXPECT_EQ(DatePart(u"q", d), 4);
    EXPECT_EQ(DatePart(u"y", d), 341);
    EXPECT_EQ(DatePart(u"w", d, 2), 1);
    EXPECT_EQ(DatePart(u"h", d) * 10000 + DatePart(u"n", d) * 100 + DatePart(u"s", d), 131415);
    // 2000-01-01 was a Saturday: week 1 by January 1, the last week of 1999 by the other rules.
    EXPECT_EQ(DatePart(u"ww", at(2000, 1, 1)), 1);
    EXPECT_EQ(DatePart(u"ww", at(2000, 1, 2)), 2);
    EXPECT_EQ(DatePart(u"ww", at(2000, 12, 31)), 54);
    EXPECT_EQ(DatePart(u"ww", at(2000, 1, 1), 2, 2), 52);
    EXPECT_EQ(DatePart(u"ww", at(2000, 1, 3), 2, 2), 1);
    EXPECT_EQ(DatePart(u"ww", at(2000, 1, 1), 1, 3), 52);
    // With four days in the year, 2003-12-29 (a Monday) is already week 1 of 2004.
    EXPECT_EQ(DatePart(u"ww", at(2003, 12, 29), 2, 2), 1);
    EXPECT_EQ(DatePart(u"ww", at(2004, 12, 31), 2, 2), 53);
    EXPECT_EQ(errorOf([] { DatePart(u"ww", 0, 1, 4); }), err::InvalidCall);
}

TEST(DateTime, DateTexts) {
    struct Case {
        const char16_t* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {u"2024/02/29", at(2024, 2, 29)},
        {u"2024-2-9", at(2024, 2, 9)},
        {u" 07/12/2026 13:05 ", at(2026, 12, 7, 13, 5)},
        {u"7-12-2026 13:05:09", at(2026, 12, 7, 13, 5, 9)},
        {u"01/01/1800 06:00", at(1800, 1, 1, 6)},
        {u"23:59:59", at(1899, 12, 30, 23, 59, 59)},
        {u"29/02/2023", std::nullopt},
        {u"2024/13/01", std::nullopt},
        {u"2024/01-01", std::nullopt},
        {u"1/1/24", std::nullopt},
        {u"24:00", std::nullopt},
        {u"07/12/202613:05", std::nullopt},
        {u"2024/01/01 x", std::nullopt},
        {u"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = parseDateText(c.text);
        ASSERT_EQ(got.has_value(), c.expected.has_value())
            << QString::fromUtf16(c.text).toStdString();
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.expected) << QString::fromUtf16(c.text).toStdString();
        }
    }
    EXPECT_EQ(DateValue(u"01/01/1800 06:00"), at(1800, 1, 1));
    EXPECT_DOUBLE_EQ(TimeValue(u"01/01/1800 06:00"), 0.25);
    EXPECT_EQ(errorOf([] { DateValue(u"amanhã"); }), err::TypeMismatch);
}

TEST(DateTime, ClockIsSettable) {
    setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(13, 14, 15, 500)); });
    EXPECT_EQ(Date(), at(2026, 12, 7));
    EXPECT_DOUBLE_EQ(Now(), at(2026, 12, 7, 13, 14, 15));
    EXPECT_DOUBLE_EQ(Time(), at(1899, 12, 30, 13, 14, 15));
    EXPECT_DOUBLE_EQ(Timer(), 13 * 3600 + 14 * 60 + 15.5);
    EXPECT_EQ(dateTimeFromSerial(Now()), QDateTime(QDate(2026, 12, 7), QTime(13, 14, 15)));
    resetDateTimeState();
    EXPECT_GT(Now(), at(2020, 1, 1));
}
