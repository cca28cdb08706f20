// The progress dialog of a shell file operation keeps up with it a few times a second rather
// than at every file.
#include "QtShellOperationUi.h"
#include "UiTestSupport.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zv;

TEST(QtShellOperationUi, ProgressFollowsAFewTimesASecond) {
    zvtest::ShownProgress shown(1000);
    QProgressDialog* dialog = shown.ui.progressDialog();
    ASSERT_NE(dialog, nullptr);
    // The first file shows at once; the files right after it do not each relayout the dialog.
    shown.ui.progress(QStringLiteral("/src/f1.txt"), QStringLiteral("/dst"), 0, 0);
    for (int i = 2; i <= 200; ++i)
        shown.ui.progress(QStringLiteral("/src/f%1.txt").arg(i), QStringLiteral("/dst"), i - 1, 0);
    EXPECT_TRUE(dialog->labelText().contains(QStringLiteral("f1.txt")));
    EXPECT_EQ(dialog->value(), 0);
    // A moment later the dialog takes the file of that moment.
    QTest::qWait(80);
    shown.ui.progress(QStringLiteral("/src/f500.txt"), QStringLiteral("/dst"), 499, 0);
    EXPECT_TRUE(dialog->labelText().contains(QStringLiteral("f500.txt")));
    EXPECT_EQ(dialog->value(), 499);
    // A Cancel is seen at the next look, however soon.
    EXPECT_FALSE(shown.ui.cancelRequested());
    QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_TRUE(shown.ui.cancelRequested());
    // A new operation shows its first file at once.
    shown.ui.begin(shown.start);
    shown.ui.progress(QStringLiteral("/src/g1.txt"), QStringLiteral("/dst"), 0, 0);
    EXPECT_TRUE(shown.ui.progressDialog()->labelText().contains(QStringLiteral("g1.txt")));
    shown.ui.end();
}
