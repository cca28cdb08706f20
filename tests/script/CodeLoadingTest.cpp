// Loading script code: the comment cut, joining lines, reading files, failures.

#include "ScriptHostSupport.h"
#include "TestSupport.h"

#include "BasFx.h"
#include "FileHandles.h"

#include <QFile>
#include <unistd.h>

using namespace zv;

namespace {

struct CutCase {
    const char* line;
    const char* kept; // nullptr: the line is skipped
};

TEST(CodeLoading, CommentCutRespectsLiterals) {
    const CutCase cases[] = {
        {"MsgBox \"d'\u00e1gua\"", "MsgBox \"d'\u00e1gua\""},
        {"x = 1 ' the count", "x = 1"},
        {"s = \"it's\" & \"x\" 'c", "s = \"it's\" & \"x\""},
        {"s = \"a\"\"b'c\" ' note", "s = \"a\"\"b'c\""},
        {"   y = 2   ", "y = 2"},
        {"' only a comment", nullptr},
        {"    ' indented comment", nullptr},
        {"", nullptr},
        {"     ", nullptr},
        {"s = \"never closed ' here", "s = \"never closed ' here"},
    };
    VbsSup sup;
    for (const CutCase& c : cases) {
        QString text = QStringLiteral("prev");
        sup.PgmTxJun(1, text, QString::fromUtf8(c.line));
        EXPECT_EQ(text, c.kept ? QStringLiteral("prev\r\n") + QString::fromUtf8(c.kept)
                               : QStringLiteral("prev"))
            << c.line;
    }
    // The scanner's own quote setting is left as it was.
    EXPECT_EQ(basFxState().quote, QString());

    // Without the cut every line is appended as it is, empty ones too.
    QString text;
    sup.PgmTxJun(0, text, QStringLiteral("x = 1 ' c"));
    sup.PgmTxJun(0, text, QString());
    EXPECT_EQ(text, QStringLiteral("x = 1 ' c\r\n"));
}

TEST(CodeLoading, FileReadWithCutAndLoaded) {
    shtest::Bound b;
    const int freeBefore = FreeFile();
    QString text;
    int ok = 0;
    b.sup.PgmLer(zvtest::dataPath(QStringLiteral("script/definition.vbs")), 1, text, ok);
    EXPECT_EQ(ok, 1); // the last line is a comment
    EXPECT_EQ(text, QString::fromUtf8("Dim pasta\r\nFunction Sauda(nome)\r\n"
                                      "Sauda = \"Ol\u00e1, \" & nome & \"! d'\u00e1gua\"\r\n"
                                      "End Function"));
    EXPECT_EQ(FreeFile(), freeBefore);
    b.code(text);
    EXPECT_EQ(toText(b.eval(QStringLiteral("Sauda(\"Ana\")"))),
              QString::fromUtf8("Ol\u00e1, Ana! d'\u00e1gua"));
}

TEST(CodeLoading, UnreadableFilesFailAndLeaveNoHandleOpen) {
    zvtest::TempDir tmp;
    VbsSup sup;
    const int freeBefore = FreeFile();
    for (const QString& path : {tmp.path(QStringLiteral("missing.vbs")), tmp.path()}) {
        QString text = QStringLiteral("old");
        int ok = 1;
        sup.PgmLer(path, 1, text, ok);
        EXPECT_EQ(ok, 0) << path.toStdString();
        EXPECT_EQ(text, QString());
        EXPECT_EQ(FreeFile(), freeBefore);
    }
}

TEST(CodeLoading, LineArraysSkipElementZero) {
    shtest::Bound b;
    int ok = 0;
    b.sup.PgmRegArr(1, {QStringLiteral("this is no code")}, ok);
    EXPECT_EQ(ok, 1);
    b.sup.PgmRegArr(1,
                    {QStringLiteral("not code either"), QStringLiteral("' head"),
                     QStringLiteral("Function Um() ' one"), QStringLiteral("  Um = 1"),
                     QStringLiteral("End Function")},
                    ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(b.eval(QStringLiteral("Um()")).rawInteger(), 1);
}

TEST(CodeLoading, SyntaxErrorFailsAndIsWrittenToStandardError) {
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
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(written.contains(QStringLiteral("script code not loaded"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("LIN:2"))) << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("COD:Sub Falta("))) << written.toStdString();
}

TEST(CodeLoading, ProcedureListInDefinitionOrder) {
    shtest::Bound b;
    b.code(QStringLiteral("Sub A\r\nEnd Sub\r\nFunction B(x)\r\nEnd Function\r\nSub C(p, q)\r\nEnd Sub"));
    QStringList names;
    int count = -1;
    b.sup.ConFxReg(names, count);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names, (QStringList{QString(), "A", "B", "C"}));
    QString text;
    b.sup.ConFxRegTx(text, count);
    EXPECT_EQ(text, QStringLiteral("A,B,C"));

    VbsSup unbound;
    unbound.ConFxReg(names, count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(names, QStringList{QString()});
}

} // namespace
