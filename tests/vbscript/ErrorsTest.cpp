// Run-time errors: On Error Resume Next and GoTo 0, the Err object, propagation out of
// procedures, host errors, and the position an unhandled error reports.

#include "VbsTestSupport.h"

#include <gtest/gtest.h>

using namespace vbstest;

namespace {

TEST(Errors, ResumeNextGoesOnWithTheNextStatement) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\n"
                                   "x = 1 / 0\n"
                                   "Out.Print Err.Number & \" \" & Err.Description\n"
                                   "Out.Print \"went on\"")),
              QStringLiteral("11 Division by zero|went on"));
}

TEST(Errors, OnErrorStatementsClearErr) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\nx = 1 / 0\nOn Error GoTo 0\n"
                                   "Out.Print Err.Number\n"
                                   "On Error Resume Next\nx = 1 / 0\nOn Error Resume Next\n"
                                   "Out.Print Err.Number\n"
                                   "x = 1 / 0 : Err.Clear : Out.Print Err.Number")),
              QStringLiteral("0|0|0"));
}

TEST(Errors, GoToZeroEndsResuming) {
    Engine e;
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral("On Error Resume Next\nOn Error GoTo 0\nx = 1 / 0\n"
                                       "Out.Print \"not reached\""));
              }),
              11);
    EXPECT_TRUE(e.printed.isEmpty());
}

TEST(Errors, ErrorInConditionEntersTheBranch) {
    Engine e;
    EXPECT_EQ(
        e.run(QStringLiteral("On Error Resume Next\n"
                             "If 1 / 0 = 3 Then\nOut.Print \"then\"\nElse\n"
                             "Out.Print \"else\"\nEnd If\n"
                             "Do While 1 / 0\nOut.Print \"loop\"\nLoop\nOut.Print \"after\"")),
        QStringLiteral("then|after"));
}

TEST(Errors, ErrorEndsTheProcedureAndReachesTheCallersHandler) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("Sub Inner\nx = 1 / 0\nOut.Print \"inner goes on\"\nEnd Sub\n"
                                   "Sub Outer\nOn Error Resume Next\nInner\n"
                                   "Out.Print \"outer \" & Err.Number\nEnd Sub\n"
                                   "Outer")),
              QStringLiteral("outer 11"));
}

TEST(Errors, ResumeNextBelongsToItsProcedure) {
    Engine e;
    // The callee's handler does not outlive the callee; the caller has none.
    EXPECT_EQ(errorOf([&] {
                  e.run(QStringLiteral("Sub Guarded\nOn Error Resume Next\nx = 1 / 0\nEnd Sub\n"
                                       "Guarded\nOut.Print \"after guarded\"\ny = 1 / 0"));
              }),
              11);
    EXPECT_EQ(e.printed.join(u'|'), QStringLiteral("after guarded"));
}

struct RaiseCase {
    const char* statement;
    int number;
    const char* description;
    const char* source;
};

class ErrRaise : public ::testing::TestWithParam<RaiseCase> {};

TEST_P(ErrRaise, FillsTheErrObject) {
    const RaiseCase& c = GetParam();
    Engine e;
    QString out = e.run(QStringLiteral("On Error Resume Next\n") + QString::fromUtf8(c.statement) +
                        QStringLiteral("\nOut.Print Err.Number\nOut.Print Err.Description\n"
                                       "Out.Print Err.Source"));
    EXPECT_EQ(out, QStringLiteral("%1|%2|%3")
                       .arg(c.number)
                       .arg(QString::fromUtf8(c.description), QString::fromUtf8(c.source)));
}

const RaiseCase kRaises[] = {
    {"Err.Raise 6", 6, "Overflow", "Microsoft VBScript runtime error"},
    {"Err.Raise 1234", 1234, "Unknown runtime error", "Microsoft VBScript runtime error"},
    {"Err.Raise vbObjectError + 1, \"Mine\", \"my text\"", -2147221503, "my text", "Mine"},
    {"Err.Raise 5, , \"custom\"", 5, "custom", "Microsoft VBScript runtime error"},
    {"Err.Raise 0", 5, "Invalid procedure call or argument", "Microsoft VBScript runtime error"},
    {"x = CInt(\"abc\")", 13, "Type mismatch", "Microsoft VBScript runtime error"},
    {"Dim a(1) : a(5) = 1", 9, "Subscript out of range", "Microsoft VBScript runtime error"},
    {"Tst.Nope", 438, "Object doesn't support this property or method",
     "Microsoft VBScript runtime error"},
    {"x = 1 : x.Foo", 424, "Object required", "Microsoft VBScript runtime error"},
};

INSTANTIATE_TEST_SUITE_P(Table, ErrRaise, ::testing::ValuesIn(kRaises));

TEST(Errors, ErrNumberIsTheDefaultMember) {
    Engine e;
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\nErr.Raise 7\n"
                                   "If Err Then Out.Print \"error \" & Err\n"
                                   "Err.Number = 0 : If Not Err Then Out.Print \"none\"")),
              QStringLiteral("error 7|none"));
}

TEST(Errors, HostErrorsReachTheScriptUnchanged) {
    Engine e;
    auto host = std::make_shared<zv::SimpleDispatch>(QStringLiteral("Host"));
    host->addMethod(QStringLiteral("Fail"), [](zv::Args) -> zv::Variant {
        throw zv::VbError(70, QStringLiteral("Permission denied here"), QStringLiteral("Host"));
    });
    e.sc.addObject(QStringLiteral("H"), host);
    EXPECT_EQ(e.run(QStringLiteral("On Error Resume Next\nH.Fail\n"
                                   "Out.Print Err.Number & \"|\" & Err.Description & \"|\" & "
                                   "Err.Source")),
              QStringLiteral("70|Permission denied here|Host"));
    // Unhandled, it fails the host call with the calling statement's position.
    EXPECT_EQ(errorOf([&] { e.sc.addCode(QStringLiteral("x = 1\n  H.Fail")); }), 70);
    EXPECT_EQ(e.sc.error().line, 2);
    EXPECT_EQ(e.sc.error().column, 2);
    EXPECT_EQ(e.sc.error().text, QStringLiteral("  H.Fail"));
}

struct PositionCase {
    const char* code;
    int line;
    int column;
    const char* text;
};

class RunTimePositions : public ::testing::TestWithParam<PositionCase> {};

TEST_P(RunTimePositions, AreThoseOfTheFailingStatement) {
    const PositionCase& c = GetParam();
    Engine e;
    EXPECT_NE(errorOf([&] { e.sc.addCode(QString::fromUtf8(c.code)); }), 0);
    EXPECT_EQ(e.sc.error().line, c.line) << c.code;
    EXPECT_EQ(e.sc.error().column, c.column) << c.code;
    EXPECT_EQ(e.sc.error().text, QString::fromUtf8(c.text)) << c.code;
    EXPECT_EQ(e.sc.error().source, QStringLiteral("Microsoft VBScript runtime error"));
}

const PositionCase kPositions[] = {
    {"x = 1\n    y = 1 / 0", 2, 4, "    y = 1 / 0"},
    {"a = 1 : b = 2 : c = 1 / 0", 1, 16, "a = 1 : b = 2 : c = 1 / 0"},
    {"If True Then x = 1 : y = 1 / 0", 1, 21, "If True Then x = 1 : y = 1 / 0"},
    // Inside a procedure: the line within the text that defined it.
    {"Sub P\n\tz = CLng(\"x\")\nEnd Sub\nP", 2, 1, "\tz = CLng(\"x\")"},
    // A compound statement's own expression: the statement's start.
    {"For i = 1 To \"x\"\nNext", 1, 0, "For i = 1 To \"x\""},
    // A statement continued over lines reports its first line.
    {"q = 1 + _\n  \"a\"", 1, 0, "q = 1 + _"},
};

INSTANTIATE_TEST_SUITE_P(Table, RunTimePositions, ::testing::ValuesIn(kPositions));

TEST(Errors, AddCodeStopsAtTheErrorButKeepsWhatWasDefined) {
    Engine e;
    EXPECT_EQ(errorOf([&] {
                  e.sc.addCode(QStringLiteral("Sub Kept : Out.Print \"kept\" : End Sub\n"
                                              "g = 1\nx = 1 / 0\ng = 2"));
              }),
              11);
    EXPECT_EQ(e.evalText(QStringLiteral("g")), QStringLiteral("1"));
    e.printed.clear();
    e.sc.executeStatement(QStringLiteral("Kept"));
    EXPECT_EQ(e.printed.join(u'|'), QStringLiteral("kept"));
}

TEST(Errors, ErrorRecordStaysUntilTheNextError) {
    Engine e;
    EXPECT_EQ(e.sc.error().number, 0);
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("1 / 0")); }), 11);
    e.sc.eval(QStringLiteral("1 + 1"));
    e.sc.executeStatement(QStringLiteral("On Error Resume Next : x = 1 / 0"));
    EXPECT_EQ(e.sc.error().number, 11); // handled errors do not touch it
    EXPECT_EQ(errorOf([&] { e.sc.eval(QStringLiteral("CInt(\"z\")")); }), 13);
    EXPECT_EQ(e.sc.error().number, 13);
    e.sc.clearError();
    EXPECT_EQ(e.sc.error().number, 0);
}

} // namespace
