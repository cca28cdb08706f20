// The forms-demo program: it leaves its shots in forms-shots/ in the build folder, for a person
// to look at, and a second start finds its window where the first one left it.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Runs forms-demo with args; its standard output.
QString runDemo(const QStringList& args) {
    QProcess demo;
    demo.start(QStringLiteral(FORMS_DEMO), args);
    EXPECT_TRUE(demo.waitForFinished(60000));
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    return QString::fromUtf8(demo.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(FormsDemo, SavesAShotOfEachForm) {
    zvtest::TempDir data;
    const QString folder = zvtest::binPath(QStringLiteral("forms-shots"));
    const QString small = folder + QStringLiteral("/forms-demo-600x400.png");
    const QString large = folder + QStringLiteral("/forms-demo-840x560.png");
    const QString messages = folder + QStringLiteral("/forms-demo-mensagens.png");
    for (const QString& f : {small, large, messages})
        QFile::remove(f);
    runDemo({QStringLiteral("--data"), data.path(), QStringLiteral("--shots"), folder});
    const QImage a(small), b(large), m(messages);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    ASSERT_FALSE(m.isNull());
    EXPECT_EQ(a.size(), QSize(600, 400));
    EXPECT_EQ(b.size(), QSize(840, 560));
    EXPECT_EQ(m.size(), QSize(560, 360));
    // The header band is white across the whole width at both sizes.
    EXPECT_EQ(QColor(a.pixel(595, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(b.pixel(835, 5)), QColor(Qt::white));
    // The etched band above the buttons follows the bottom edge (57 pixels above it).
    EXPECT_EQ(QColor(a.pixel(5, 343)), QColor(160, 160, 160));
    EXPECT_EQ(QColor(b.pixel(5, 503)), QColor(160, 160, 160));
    // The message form: the title picture (navy at its left end) inside the title panel's
    // bevels, the form's palette colour, and the status bar's first panel.
    const QColor title(m.pixel(10, 30));
    EXPECT_LT(title.red(), 40);
    EXPECT_GT(title.blue(), 100);
    EXPECT_EQ(QColor(m.pixel(4, 63)), QColor(236, 233, 216));
    EXPECT_EQ(QColor(m.pixel(100, 338)).lightness() < 200, true); // the panel's sunken edge
    // Its files: the palette it was made with, the table with both windows.
    EXPECT_TRUE(QFile::exists(data.path(QStringLiteral("Cores.par"))));
    const QByteArray table = data.read(QStringLiteral("Janelas.par"));
    EXPECT_TRUE(table.contains("??? [FRMCOMPONENTES]="));
    EXPECT_TRUE(table.contains("??? [FRMMENSAGENS]="));
}

TEST(FormsDemo, SecondStartRestoresThePlaceTheFirstLeft) {
    zvtest::TempDir data;
    runDemo({QStringLiteral("--data"), data.path(), QStringLiteral("--place"),
             QStringLiteral("1500,1200,10500,7800"), QStringLiteral("--quit")});
    EXPECT_EQ(runDemo({QStringLiteral("--data"), data.path(), QStringLiteral("--report"),
                       QStringLiteral("--quit")}),
              QStringLiteral("1500,1200,10500,7800,0"));
}
