#pragma once
// Helpers of the grid widget's tests: a host form with a grid on it, shown offscreen.

#include "GridWidget.h"
#include "TestSupport.h"
#include "VbError.h"

#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace gridtest {

// A form of 800 x 600 pixels with the grid "grTst" on it (fixed at 10, 10, 600 x 300 pixels),
// already shown. fill(n, cols) gives the grid a header row, a row-number column and n rows of
// texts "r<row>c<col>".
struct GridForm {
    QWidget form;
    zv::GridWidget* grid;
    GridForm() : grid(new zv::GridWidget(&form)) {
        grid->setObjectName(QStringLiteral("grTst"));
        grid->setGeometry(10, 10, 600, 300);
        form.resize(800, 600);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    void fill(int n, int cols = 4) {
        grid->setCols(cols);
        grid->setRows(1);
        for (int r = 1; r <= n; ++r) {
            QStringList cells{QString::number(r)};
            for (int c = 1; c < cols; ++c)
                cells << QStringLiteral("r%1c%2").arg(r).arg(c);
            grid->addItem(cells.join(u'\t'));
        }
        QCoreApplication::processEvents();
    }
};

} // namespace gridtest
