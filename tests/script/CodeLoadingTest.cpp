// Loading script code: the comment cut, joining lines, reading files, failures.

#include "ScriptHostSupport.h"
#include "TestSupport.h"

#include "BasFx.h"
#include "FileHandles.h"

#include <QFile>
#include <unistd.h>

using namespace zv;

namespace {

TEST(CodeLoading, CommentCutRespectsLiterals) {
    const std::pair<const char*, const char*> cases[] = {
        // line, what stays (nullptr: the line is skipped)
        {"MsgBox \"d'\u00e1gua\"", "MsgBox \"d'\u00e1gua\""},
        {"x = 1 ' the count", "x = 1"},
        {"s = \"it's\" & \"x\" 'c", "s = \"it's\" & \"x\""},
        {"s = \"a\"\"b'c\" ' note", "s = \"a\"\"b'c\""},
        {"   y = 2   ", "y = 2"},
        {"    ' indented comment", nullptr},
        {"     ", nullptr},
        {"s = \"never closed ' here", "s = \"never closed ' here"},
    };
    VbsSup sup;
    for (const auto& [line, kept] : cases) {
        QString text = QStringLiteral("prev");
        sup.PgmTxJun(1, text, QString::fromUtf8(line));
        EXPECT_EQ(text, kept ? "prev\r\n" + QString::fromUtf8(kept) : "prev") << line;
    }
    EXPECT_EQ(basFxState().quote, QString()); // the scanner's setting is left alone
    QString text;
    sup.PgmTxJun(0, text, QStringLiteral("x = 1 ' c"));
    sup.PgmTxJun(0, text, QString());
    EXPECT_EQ(text, QStringLiteral("x = 1 ' c\r\n"));
}

TEST(CodeLoading, FilesAreReadAndAlwaysClosed) {
    shtest::Bound b;
    zvtest::TempDir tmp;
    const int freeBefore = FreeFile();
    QString text;
    int ok = 0;
    // Windows-1252 with CR LF; its last line is a comment.
    b.sup.PgmLer(zvtest::dataPath(QStringLiteral("script/definition.vbs")), 1, text, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(text, QString::fromUtf8("Dim pasta\r\nFunction Sauda(nome)\r\n"
                                      "Sauda = \"Ol\u00e1, \" & nome & \"! d'\u00e1gua\"\r\n"
                                      "End Function"));
    EXPECT_EQ(FreeFile(), freeBefore);
    b.code(text);
    EXPECT_EQ(b.text("Sauda(\"Ana\")"), QString::fromUtf8("Ol\u00e1, Ana! d'\u00e1gua"));

    for (const QString& path : {tmp.path(QStringLiteral("missing.vbs")), tmp.path()}) {
        b.sup.PgmLer(path, 1, text, ok);
        EXPECT_EQ(ok, 0);
        EXPECT_EQ(text, QString());
        EXPECT_EQ(FreeFile(), freeBefore);
    }
}

TEST(CodeLoading, LineArrays) {
    shtest::Bound b;
    int ok = 0;
    b.sup.PgmRegArr(1, {QStringLiteral("element 0 is never code")}, ok);
    EXPECT_EQ(ok, 1);
    b.sup.PgmRegArr(1, {"no code", "Function Um() ' one", "  Um = 1", "End Function"}, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(b.text("Um()"), QStringLiteral("1"));
    QString names;
    int count = 0;
    b.code(QStringLiteral("Sub C(p, q)\r\nEnd Sub"));
    b.sup.ConFxRegTx(names, count);
    EXPECT_EQ(names, QStringLiteral("Um,C"));
    EXPECT_EQ(count, 2);
}

TEST(CodeLoading, CodeThatDoesNotLoadIsReportedOnStandardError) {
    shtest::Bound b;
    zvtest::TempDir tmp;
    const QString log = tmp.path(QStringLiteral("stderr.txt"));
    fflush(stderr);
    const int saved = dup(2);
    FILE* f = fopen(log.toLocal8Bit().constData(), "w");
    dup2(fileno(f), 2);
    int ok = 1;
    b.sup.PgmRegArr(1, {QString(), QStringLiteral("x = 1"), QStringLiteral("Sub Falta(")}, ok);
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    fclose(f);
    EXPECT_EQ(ok, 0);
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("script code not loaded: Expected identifier  LIN:2  "
                                        "COL:10  COD:Sub Falta("));
}

} // namespace
