// Grid support: in-cell editing: editable cells by colour, the walks to the next and previous
// editable cell, and the edit control laid over the current cell wherever its parent is.
#include "SupFlxTestSupport.h"
#include "Twips.h"

#include <QLineEdit>

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

constexpr qint32 kGreen = 65280;

struct EditForm : FlxForm {
    EditForm() : FlxForm(6) {
        addRows(3);
        for (auto [r, c] : {std::pair(1, 2), std::pair(2, 1), std::pair(3, 3)})
            grid->setCellBackColorAt(r, c, kGreen);
    }
    // EdiPos from (row, col); "r,c=found" or "r,c" unchanged with 0.
    QString walk(const QString& code, int row = 0, int col = 0) {
        const int found = flx.EdiPos(code, row, col);
        return QStringLiteral("%1,%2=%3").arg(row).arg(col).arg(found);
    }
};

} // namespace

TEST(FlxEditing, WalksToTheNextAndPreviousEditableCell) {
    EditForm f;
    EXPECT_EQ(f.walk(QStringLiteral("?")), u"1,2=1");
    EXPECT_EQ(f.walk(QStringLiteral(" s "), 1, 3), u"2,1=1"); // from (1, 2), not tested itself
    f.grid->select(2, 1);
    EXPECT_EQ(f.walk(QStringLiteral("SC")), u"3,3=1"); // on into a following row
    f.grid->select(3, 3);
    EXPECT_EQ(f.walk(QStringLiteral("SC"), 7, 7), u"7,7=0"); // ends after the used rows
    EXPECT_EQ(f.walk(QStringLiteral("A"), 3, 4), u"2,1=1");
    f.grid->select(1, 2);
    EXPECT_EQ(f.walk(QStringLiteral("AC"), 7, 7), u"7,7=0");
    EXPECT_EQ(f.walk(QStringLiteral("LC-"), 7, 7), u"1,2=1"); // not above row 1
    f.grid->select(3, 1);
    EXPECT_EQ(f.walk(QStringLiteral("LC+"), 7, 7), u"7,7=0"); // row 3 is the last used row

    int ok = -1;
    f.flx.EdiCorReg(255);
    f.flx.EdiPosOk(1, 2, ok);
    EXPECT_EQ(ok, 0);
    f.grid->setCellBackColorAt(2, 3, 255);
    EXPECT_EQ(f.walk(QStringLiteral("X")), u"2,3=1");
    f.flx.EdiPosOk(99, 1, ok); // outside the grid: 0
    EXPECT_EQ(ok, 0);
}

TEST(FlxEditing, TheEditControlLiesOverTheCellInItsParentsCoordinates) {
    EditForm f;
    f.grid->select(2, 2);
    const QRect cell(twipsToPixels(f.grid->cellLeft()), twipsToPixels(f.grid->cellTop()),
                     twipsToPixels(f.grid->cellWidth()), twipsToPixels(f.grid->cellHeight()));
    ASSERT_GT(cell.width(), 0);

    auto* onForm = new QLineEdit(&f.form);
    onForm->hide();
    f.flx.EdiObPrp(onForm, 1);
    EXPECT_EQ(onForm->geometry(), cell.translated(f.grid->pos()));
    EXPECT_TRUE(onForm->isVisible());
    QTest::mouseMove(f.grid->viewport(), QPoint(1, 1)); // the control covers the cell's place
    EXPECT_EQ(onForm->mapToGlobal(QPoint()), f.grid->mapToGlobal(cell.topLeft()));
    f.flx.EdiObPrp(onForm, 2);
    EXPECT_TRUE(onForm->isVisible());
    f.flx.EdiObPrp(onForm, 0);
    EXPECT_FALSE(onForm->isVisible());

    auto* onGrid = new QLineEdit(f.grid);
    f.flx.EdiObPrp(onGrid, 1);
    EXPECT_EQ(onGrid->geometry(), cell);
    f.flx.EdiObFim(onGrid);
    EXPECT_FALSE(onGrid->isVisible());
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.EdiObFim(nullptr); }), 91);
}
