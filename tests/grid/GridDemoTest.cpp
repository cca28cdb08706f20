// The grid-demo program: it runs and leaves its shot in grid-shots/ in the build folder, for a
// person to look at.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

TEST(GridWidget, DemoProgramSavesItsShot) {
    const QString shot = zvtest::binPath(QStringLiteral("grid-shots/grid-demo.png"));
    QDir().mkpath(zvtest::binPath(QStringLiteral("grid-shots")));
    QFile::remove(shot);
    QProcess demo;
    demo.start(QStringLiteral(GRID_DEMO), {QStringLiteral("--shot"), shot});
    ASSERT_TRUE(demo.waitForFinished(60000));
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(760, 620));
    // Not one flat colour: the grid was drawn.
    EXPECT_NE(image.pixel(5, 5), image.pixel(image.width() / 2, image.height() / 3));
}
