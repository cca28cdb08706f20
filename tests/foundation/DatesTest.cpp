// Date numbers and texts: every accepted shape, checking, parts and formats by code.

#include "Datas.h"
#include "DateTime.h"
#include "TestSupport.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace zv;

namespace {

constexpr double k7Dec2026 = 202612070000000.0;

class Dates : public ::testing::Test {
protected:
    void TearDown() override { datasReset(); }
};

} // namespace

TEST_F(Dates, ReadsTextsAndChecksThem) {
    struct Case {
        const char* text;
        double number;
        int ok;
    } cases[] = {
        {"2026/12/7", k7Dec2026, 1},
        {"26-12-07", k7Dec2026, 1},
        {" 2026.12.07 ", k7Dec2026, 1},
        {"99.1.1", 199901010000000.0, 1},
        {"20261207", k7Dec2026, 1},
        {"261207", 192612070000000.0, 1}, // 19yymmdd
        {"50/1/1", 205001010000000.0, 1},
        {"51/1/1", 195101010000000.0, 1},
        {"100/1/1", 210001010000000.0, 1},
        {"2000/2/29", 200002290000000.0, 1},
        {"1900/2/29", 190002290000000.0, 0},
        {"2026/4/31", 202604310000000.0, 0},
        {"2026/13/01", 202613010000000.0, 0},
        {"", 0, 0},
        {"0", 0, 0},
        {" / / ", 0, 0},
    };
    for (const Case& c : cases) {
        double number = -1;
        int ok = -1;
        DtaTxVal(c.text, number, ok);
        EXPECT_EQ(number, c.number) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
    DtaTxLer(0);
    EXPECT_EQ(datasState().tx15, QString(15, u' '));
    DtaTxLer(20261207); // yyyymmdd alone is filled on the right
    EXPECT_EQ(datasState().tx15, "202612070000000");
}

TEST_F(Dates, WeekdaysAgreeWithTheCalendar) {
    for (QDate day(1900, 1, 1); day <= QDate(2100, 12, 31); day = day.addDays(1)) {
        double number = 0;
        DtaNum(day.year(), day.month(), day.day(), number);
        DtaCal(number);
        ASSERT_EQ(datasState().diaSem, day.dayOfWeek() % 7 + 1) << day.toString().toStdString();
    }
}

TEST_F(Dates, FormatsByCode) {
    const char* cases[][2] = {
        {"A", "2026"},
        {"A2", "26"},
        {"M", "12"},
        {"D", "07"},
        {"A/M", "2026/12"},
        {"A/T", "2026/T4"},
        {"A/S", "2026/S2"},
        {"M/D", "12/07"},
        {"AMD", "20261207"},
        {"AM", "202612"},
        {"MD", "1207"},
        {"DIA", "Seg"},
        {"MES", "Dezembro"},
        {"MES3", "Dez"},
        {"BAS", "2026/12/07"},
        {"ZZ", "12/07/26"},
        {"EXT", "7 de Dezembro de 2026"},
    };
    for (auto& c : cases)
        EXPECT_EQ(DtaFmt(c[0], Variant(k7Dec2026)), c[1]) << c[0];

    EXPECT_EQ(DtaFmt("A/T", Variant("2026/3/31")) + DtaFmt("A/T", Variant("2026/4/1")),
              "2026/T12026/T2");
    EXPECT_EQ(DtaFmt("A/S", Variant("2026/6/30")), "2026/S1");
    EXPECT_EQ(DtaFmt("DIA", Variant("2026/12/6")), "Dom");
    // A Date counts days: its calendar day is the date.
    EXPECT_EQ(DtaFmt("AMD", Variant::date(DateSerial(2026, 12, 7))), "20261207");
    EXPECT_EQ(DtaFmt("AMD", Variant("2026/2/30")), "");
    QString text;
    DtaSepBar(2, Variant("2026/12/7"), text);
    EXPECT_EQ(text, "26/12/07");
}
