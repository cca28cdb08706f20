// The forms-demo program runs and leaves its two shots in forms-shots/ in the build folder, for
// a person to look at.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

TEST(FormsDemo, SavesAShotAtEachSize) {
    const QString folder = zvtest::binPath(QStringLiteral("forms-shots"));
    const QString small = folder + QStringLiteral("/forms-demo-600x400.png");
    const QString large = folder + QStringLiteral("/forms-demo-840x560.png");
    QFile::remove(small);
    QFile::remove(large);
    QProcess demo;
    demo.start(QStringLiteral(FORMS_DEMO), {QStringLiteral("--shots"), folder});
    ASSERT_TRUE(demo.waitForFinished(60000));
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    const QImage a(small), b(large);
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    EXPECT_EQ(a.size(), QSize(600, 400));
    EXPECT_EQ(b.size(), QSize(840, 560));
    // The header band is white across the whole width at both sizes.
    EXPECT_EQ(QColor(a.pixel(595, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(b.pixel(835, 5)), QColor(Qt::white));
    // The etched band above the buttons follows the bottom edge (57 pixels above it).
    EXPECT_EQ(QColor(a.pixel(5, 343)), QColor(160, 160, 160));
    EXPECT_EQ(QColor(b.pixel(5, 503)), QColor(160, 160, 160));
}
