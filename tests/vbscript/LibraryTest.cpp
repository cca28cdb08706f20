// The built-in library beyond the core: text, math, dates, the Format functions, Eval and
// Execute, the clock, and MsgBox/InputBox through the message box service.

#include "DateTime.h"
#include "HeadlessMessageBox.h"
#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;
using zv::Variant;

namespace {

// The cases' texts are "TypeName:text".
using LibraryCase = EvalCase;

class Library : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(Library, Evaluate) {
    const LibraryCase& c = GetParam();
    Engine e;
    expectOutcome(e, c.expr, c.text, c.error, [&] {
        const Variant v = e.sc.eval(QString::fromUtf8(c.expr));
        return zv::TypeName(v) + u':' + shown(v);
    });
}

const LibraryCase kText[] = {
    {"InStrRev(\"a.b.c\", \".\")", "Long:4"},
    {"InStrRev(\"a.b.c\", \".\", 3)", "Long:2"},
    {"InStrRev(\"aXbx\", \"x\", -1, vbTextCompare)", "Long:4"},
    {"InStrRev(Null, \"x\")", nullptr, 94},
    {"InStrRev(\"abc\", \"b\", 0)", nullptr, 5},
    {"String(3, \"ab\") & String(2, 97) & String(1, 353)", "String:aaaaaa"},
    {"String(2, \"\")", nullptr, 5},
    {"String(-1, 65)", nullptr, 5},
    {"StrReverse(\"ação\")", "String:oãça"},
    {"StrReverse(Null)", nullptr, 94},
    {"AscW(\"é\") & \" \" & AscW(ChrW(65535))", "String:233 -1"},
    {"ChrW(-1) = ChrW(65535)", "Boolean:True"},
    {"ChrW(70000)", nullptr, 5},
    {"Join(Filter(Array(\"one\", \"two\", \"three\"), \"o\"), \"+\")", "String:one+two"},
    {"Join(Filter(Array(\"one\", \"two\", \"three\"), \"O\", False, 1), \"+\")", "String:three"},
    {"UBound(Filter(Array(1, 22, 3), \"2\"))", "Long:0"},
    {"Filter(Array(1), \"1\", True, 3)", nullptr, 5},
    {"Filter(5, \"1\")", nullptr, 13},
    {"Hex(-1) & \" \" & Hex(CLng(-1)) & \" \" & Hex(CByte(255)) & \" \" & Hex(1.5)",
     "String:FFFF FFFFFFFF FF 2"},
    {"Oct(64) & \" \" & Oct(CInt(-32768)) & \" \" & Oct(-32768)", "String:100 100000 37777700000"},
    {"Hex(3000000000)", nullptr, 6},
    {"Hex(Null)", "Null:Null"},
};

const LibraryCase kMath[] = {
    {"Round(0.5) & Round(1.5) & Round(2.5) & Round(3.5)", "String:0224"},
    {"Round(2.345, 2) & \" \" & Round(2.355, 2) & \" \" & Round(-2.345, 2)",
     "String:2.34 2.36 -2.34"},
    {"Round(5)", "Integer:5"},
    {"Round(\"3.5\")", "Double:4"},
    {"Round(CCur(0.125), 2)", "Currency:0.12"},
    {"Round(1, -1)", nullptr, 5},
    {"Sgn(-0.1) & Sgn(0) & Sgn(7)", "String:-101"},
    {"Sgn(\"x\")", nullptr, 13},
    {"Sqr(2.25)", "Double:1.5"},
    {"Sqr(-0.01)", nullptr, 5},
    {"Exp(0) + Log(Exp(3))", "Double:4"},
    {"Log(0)", nullptr, 5},
    {"Exp(1000)", nullptr, 6},
    {"Round(Atn(1) * 4, 6) & \" \" & Cos(0) & \" \" & Sin(0) & \" \" & Tan(0)",
     "String:3.141593 1 0 0"},
    {"Cos(Null)", "Null:Null"},
};

const LibraryCase kDates[] = {
    {"DateSerial(2023, 14, 35)", "Date:06/03/2024"},
    {"TimeSerial(1, 2, 3)", "Date:01:02:03"},
    {"DateSerial(2024, 1, 1) + TimeSerial(6, 0, 0)", "Date:01/01/2024 06:00:00"},
    {"Year(#3/4/2021#) & Month(#3/4/2021#) & Day(#3/4/2021#)", "String:202134"},
    {"Hour(\"10:20:30\") & Minute(\"10:20:30\") & Second(\"10:20:30\")", "String:102030"},
    {"Weekday(#1/7/2024#) & Weekday(#1/7/2024#, vbMonday) & Weekday(#1/7/2024#, 0)", "String:171"},
    {"WeekdayName(1) & WeekdayName(7, True) & WeekdayName(1, False, vbWednesday)",
     "String:SundaySatWednesday"},
    {"MonthName(3) & MonthName(11, True)", "String:MarchNov"},
    {"MonthName(13)", nullptr, 5},
    {"WeekdayName(0)", nullptr, 5},
    {"Weekday(Date, 9)", nullptr, 5},
    {"DateAdd(\"d\", -1, #3/1/2024#)", "Date:29/02/2024"},
    {"DateAdd(\"m\", 1, #1/31/2023#)", "Date:28/02/2023"},
    {"DateAdd(\"n\", 90, #1/1/2024 23:00#)", "Date:02/01/2024 00:30:00"},
    {"DateAdd(\"z\", 1, Date)", nullptr, 5},
    {"DateDiff(\"d\", #1/1/2024#, #12/31/2024#)", "Long:365"},
    {"DateDiff(\"yyyy\", #12/31/2024#, #1/1/2024#)", "Long:0"},
    {"DateDiff(\"m\", #3/15/2024#, #1/1/2024#)", "Long:-2"},
    {"DateDiff(\"ww\", #1/1/2024#, #1/15/2024#)", "Long:2"},
    {"DatePart(\"q\", #8/1/2024#) & DatePart(\"y\", #2/1/2024#) & DatePart(\"w\", #1/7/2024#)",
     "String:3321"},
    {"DatePart(\"ww\", #1/1/2021#, vbSunday, vbFirstFourDays)", "Integer:53"},
    {"DateValue(\"15/08/2024 11:00\")", "Date:15/08/2024"},
    {"TimeValue(\"2024-08-15 11:05:00\")", "Date:11:05:00"},
    {"DateValue(\"31/02/2024\")", nullptr, 13},
    {"IsNull(Month(Null))", "Boolean:True"},
    {"DateSerial(Null, 1, 1)", nullptr, 94},
};

const LibraryCase kFormat[] = {
    {"FormatNumber(1234.567)", "String:1,234.57"},
    {"FormatNumber(-1234.5, 0)", "String:-1,235"},
    {"FormatNumber(0.125, 2)", "String:0.13"},
    {"FormatNumber(0.75, 1, vbFalse)", "String:.8"},
    {"FormatNumber(-5, 1, , vbTrue)", "String:(5.0)"},
    {"FormatNumber(98765.4, 1, , , vbFalse)", "String:98765.4"},
    {"FormatNumber(12, 5)", "String:12.00000"},
    {"FormatNumber(\"x\")", nullptr, 13},
    {"FormatNumber(1, -3)", nullptr, 5},
    {"FormatPercent(0.5)", "String:50.00%"},
    {"FormatPercent(0.12345, 2)", "String:12.35%"},
    {"FormatPercent(-0.1, 0, , vbTrue)", "String:(10%)"},
    {"FormatDateTime(#12/25/2024 08:09:10#)", "String:25/12/2024 08:09:10"},
    {"FormatDateTime(#12/25/2024 08:09:10#, vbLongDate)", "String:25 December 2024"},
    {"FormatDateTime(#12/25/2024 08:09:10#, vbShortDate)", "String:25/12/2024"},
    {"FormatDateTime(#12/25/2024 08:09:10#, vbLongTime)", "String:08:09:10"},
    {"FormatDateTime(#12/25/2024 08:09:10#, vbShortTime)", "String:08:09"},
    {"FormatDateTime(#12/25/2024#, -1)", nullptr, 5},
};

const LibraryCase kDynamic[] = {
    {"Eval(\"2 ^ 10\")", "Double:1024"},
    {"Eval(\"x = 1\")", "Boolean:False"}, // a comparison, x being Empty
    {"Eval(\"Eval(\"\"1+1\"\") * 3\")", "Integer:6"},
    {"Eval(\"1 2\")", nullptr, 1025},
    {"Eval(\"\")", nullptr, 1023},
    {"TypeName(Eval(\"Me\"))", "String:Object"},
    {"Eval(\"1 / 0\")", nullptr, 11},
};

INSTANTIATE_TEST_SUITE_P(Text, Library, ::testing::ValuesIn(kText));
INSTANTIATE_TEST_SUITE_P(Math, Library, ::testing::ValuesIn(kMath));
INSTANTIATE_TEST_SUITE_P(Dates, Library, ::testing::ValuesIn(kDates));
INSTANTIATE_TEST_SUITE_P(Format, Library, ::testing::ValuesIn(kFormat));
INSTANTIATE_TEST_SUITE_P(Dynamic, Library, ::testing::ValuesIn(kDynamic));

TEST(LibraryFormat, SeparatorsComeFromTheRuntimesLocale) {
    Engine e;
    zv::setRuntimeLocale({u',', u'.'});
    QString text = e.evalText(QStringLiteral("FormatNumber(1234567.5, 1)"));
    zv::setRuntimeLocale({});
    EXPECT_EQ(text, QStringLiteral("1.234.567,5"));
}

TEST(LibraryClock, NowDateTimeAndTimerReadTheRuntimesClock) {
    Engine e;
    zv::setClock([] { return QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9, 500)); });
    QString now = e.evalText(QStringLiteral("Now & \"|\" & Date & \"|\" & Time"));
    Variant timer = e.sc.eval(QStringLiteral("Timer"));
    zv::resetDateTimeState();
    EXPECT_EQ(now, QStringLiteral("06/05/2024 07:08:09|06/05/2024|07:08:09"));
    EXPECT_EQ(timer.varType(), zv::vbSingle);
    EXPECT_FLOAT_EQ(timer.rawSingle(), 7 * 3600 + 8 * 60 + 9.5f);
}

TEST(LibraryDynamic, ExecuteWorksInTheCallersScope) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("Function F(byRefArg)\n"
                                   "  Dim own : own = 1\n"
                                   "  Execute \"own = own + byRefArg : byRefArg = 0\"\n"
                                   "  F = own\n"
                                   "End Function\n"
                                   "v = 41 : Out.Print F(v) & \" \" & v\n"
                                   "ExecuteGlobal \"Sub G : Out.Print \"\"global\"\" : End Sub\"\n"
                                   "G")),
              QStringLiteral("42 0|global"));
    // An error inside the executed text is one of the statement that ran it.
    EXPECT_EQ(errorOf([&] { e.run(QStringLiteral("\n\nExecute \"a = 1\" & vbLf & \"b = 1/0\"")); }),
              11);
    EXPECT_EQ(e.sc.error().line, 3);
    EXPECT_EQ(e.sc.error().text, QStringLiteral("Execute \"a = 1\" & vbLf & \"b = 1/0\""));
}

// ---- MsgBox and InputBox ----

struct Boxes : ::testing::Test {
    Engine e;
    std::shared_ptr<zv::HeadlessMessageBox> box = std::make_shared<zv::HeadlessMessageBox>();
    Boxes() {
        e.sc.setMessageBoxService(box);
        e.sc.setSiteWindow(77);
    }
};

TEST_F(Boxes, MsgBoxShowsTheStyleAndGivesTheAnswer) {
    box->queueAnswers({zv::MsgAnswer::No, zv::MsgAnswer::Retry});
    EXPECT_EQ(e.run(QStringLiteral("Out.Print MsgBox(\"Go on?\", vbYesNo + vbQuestion + "
                                   "vbDefaultButton2, \"Asking\")\n"
                                   "Out.Print MsgBox(\"Failed\" & vbCrLf & \"again\", 5 + 16)\n"
                                   "Out.Print MsgBox(42)")),
              QStringLiteral("7|4|1"));
    const auto& shown = box->shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].request.title, QStringLiteral("Asking"));
    EXPECT_EQ(shown[0].request.text, QStringLiteral("Go on?"));
    EXPECT_EQ(shown[0].request.buttons, zv::MsgButtons::YesNo);
    EXPECT_EQ(shown[0].request.icon, zv::MsgIcon::Question);
    EXPECT_EQ(shown[0].request.defaultButton, 2);
    EXPECT_EQ(shown[0].request.parent, zv::WindowHandle(77));
    EXPECT_EQ(shown[1].request.icon, zv::MsgIcon::Critical);
    EXPECT_EQ(shown[1].request.text, QStringLiteral("Failed\r\nagain"));
    EXPECT_EQ(shown[2].request.title, QStringLiteral("VBScript"));
    EXPECT_EQ(shown[2].request.text, QStringLiteral("42"));
}

TEST_F(Boxes, MsgBoxRefusesUnknownStylesAndNull) {
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("MsgBox(\"x\", 7)")); }), 5);
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("MsgBox(\"x\", 80)")); }), 5);
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("MsgBox(Null)")); }), 94);
    EXPECT_TRUE(box->shown().empty());
}

TEST_F(Boxes, InputBoxGivesTheTextOrEmptyWhenCancelled) {
    box->queueInput(QStringLiteral("typed"));
    box->queueInput(std::nullopt);
    EXPECT_EQ(e.run(QStringLiteral("a = InputBox(\"Name?\", \"Who\", \"Ann\", 10, 20)\n"
                                   "b = InputBox(\"Again?\")\n"
                                   "c = InputBox(\"Last\", , \"kept\")\n"
                                   "Out.Print a & \"|\" & IsEmpty(b) & \"|\" & c")),
              QStringLiteral("typed|True|kept"));
    const auto& asked = box->inputsShown();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].prompt, QStringLiteral("Name?"));
    EXPECT_EQ(asked[0].title, QStringLiteral("Who"));
    EXPECT_EQ(asked[0].defaultText, QStringLiteral("Ann"));
    EXPECT_EQ(asked[0].parent, zv::WindowHandle(77));
    EXPECT_EQ(asked[1].title, QStringLiteral("VBScript"));
}

} // namespace
