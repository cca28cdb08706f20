// The grid-demo program: it runs and leaves its shots in grid-shots/ in the build folder, for a
// person to look at: the main window, and the tree before and after a move button was clicked.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

TEST(GridWidget, DemoProgramSavesItsShots) {
    const QString folder = zvtest::binPath(QStringLiteral("grid-shots"));
    const QStringList names = {QStringLiteral("grid-demo.png"),
                               QStringLiteral("grid-demo-tree-before.png"),
                               QStringLiteral("grid-demo-tree-after.png")};
    for (const QString& name : names)
        QFile::remove(QDir(folder).filePath(name));
    QProcess demo;
    demo.start(QStringLiteral(GRID_DEMO), {QStringLiteral("--shots"), folder});
    ASSERT_TRUE(demo.waitForFinished(60000));
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();

    const QImage main(QDir(folder).filePath(names[0]));
    ASSERT_FALSE(main.isNull());
    EXPECT_EQ(main.size(), QSize(760, 620));
    // Not one flat colour: the grid was drawn.
    EXPECT_NE(main.pixel(5, 5), main.pixel(main.width() / 2, main.height() / 3));
    const QImage before(QDir(folder).filePath(names[1]));
    const QImage after(QDir(folder).filePath(names[2]));
    ASSERT_FALSE(before.isNull());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NE(after, before); // the move changed the tree
}
