// Grid support: pictures of the row image list in cells, hidden cell data, the use icon and
// notes.
#include "SupFlxTestSupport.h"

using namespace zv;
using namespace gridtest;
using namespace flxtest;

TEST(FlxIcons, HiddenDataKeepsTheTargetsType) {
    FlxForm f;
    f.addRows(2);
    f.flx.AdiReg(1, 2, Variant(12.5));
    EXPECT_EQ(f.grid->cellData(1, 1), u"12.5");
    EXPECT_EQ(f.grid->textMatrix(1, 1), u"a"); // the text is not touched
    Variant number{0.0};
    f.flx.AdiCon(1, 2, number);
    EXPECT_EQ(number.rawDouble(), 12.5);
    Variant text{QString()};
    f.flx.AdiCon(1, 2, text);
    EXPECT_EQ(text.rawString(), u"12.5");
    // The key is the hidden data and the image index.
    f.flx.IcoMap(2, 3, Variant(QStringLiteral("2")));
    EXPECT_EQ(f.grid->cellData(2, 2), u"2");
    EXPECT_EQ(f.grid->cellPictureId(2, 2), f.iconId(2));
    Variant key{QString()};
    f.flx.IcoVop(2, 3, key);
    EXPECT_EQ(key.rawString(), u"2");
    // Cells outside the grid are trapped.
    Variant kept{QStringLiteral("kept")};
    f.flx.AdiCon(1, 9, kept);
    f.flx.AdiReg(99, 1, Variant(QStringLiteral("x")));
    EXPECT_EQ(kept.rawString(), u"kept");
    // Index 0 or below leaves the picture; IcoEli removes it.
    f.flx.IcoVer(2, 3, Variant(0.0));
    f.flx.IcoVer(2, 3, Variant(QStringLiteral("-1")));
    EXPECT_EQ(f.grid->cellPictureId(2, 2), f.iconId(2));
    f.flx.IcoEli(2, 3);
    EXPECT_EQ(f.grid->cellPictureId(2, 2), 0);
    EXPECT_EQ(f.grid->cellData(2, 2), u"2");
}

TEST(FlxIcons, UseIconsToggle) {
    FlxForm f;
    f.addRows(2);
    f.flx.IcoUsaInv(1, 4); // no hidden data: turned on
    EXPECT_EQ(f.grid->cellData(1, 3), u"1");
    EXPECT_EQ(f.grid->cellPictureId(1, 3), f.iconId(2));
    f.flx.IcoUsaInv(1, 4);
    EXPECT_EQ(f.grid->cellData(1, 3), u"0");
    EXPECT_EQ(f.grid->cellPictureId(1, 3), f.iconId(1));
    f.flx.IcoUsaMap(2, 4, Variant(QStringLiteral("1")));
    EXPECT_EQ(f.grid->cellPictureId(2, 3), f.iconId(2));
    // Indexes of the host's choosing; anything but 1 is off.
    f.flx.IcoUsaIdx(3, 1);
    f.flx.IcoUsaMap(2, 4, Variant(QStringLiteral("sim")));
    EXPECT_EQ(f.grid->cellPictureId(2, 3), f.iconId(3));
    f.flx.IcoUsaVer(1, 4);
    EXPECT_EQ(f.grid->cellPictureId(1, 3), f.iconId(3));
    f.flx.IcoUsaInv(1, 4);
    EXPECT_EQ(f.grid->cellPictureId(1, 3), f.iconId(1));
}

TEST(FlxIcons, NotesAreKnownByTheirIcon) {
    FlxForm f;
    f.addRows(3);
    QString text = QStringLiteral("x");
    // Without a note icon a note is kept but shows nothing, and no cell reads as a note.
    f.flx.NotReg(1, 2, QStringLiteral("sem ícone"));
    EXPECT_EQ(f.grid->cellData(1, 1), u"sem ícone");
    EXPECT_EQ(f.flx.NotCon(1, 2, text), 0);
    EXPECT_EQ(text, u"");
    EXPECT_EQ(f.flx.NotCon(2, 2, text), 0);

    f.flx.NotIcoIdx(3);
    f.flx.NotReg(2, 2, QStringLiteral("ligar ao Rui"));
    EXPECT_EQ(f.grid->cellPictureId(2, 1), f.iconId(3));
    EXPECT_EQ(f.flx.NotCon(2, 2, text), 1);
    EXPECT_EQ(text, u"ligar ao Rui");
    f.flx.NotReg(3, 3, QStringLiteral("outra"));
    EXPECT_EQ(f.flx.NotCon(2, 2, text), 1); // every cell with the note icon
    // A use icon is no note, although the cell has hidden data.
    f.flx.IcoUsaMap(1, 4, Variant(int32_t(1)));
    EXPECT_EQ(f.flx.NotCon(1, 4, text), 0);
    EXPECT_EQ(text, u"");
    f.flx.NotEli(2, 2);
    EXPECT_EQ(f.grid->cellData(2, 1), u"");
    EXPECT_EQ(f.grid->cellPictureId(2, 1), 0);
    EXPECT_EQ(f.flx.NotCon(2, 2, text), 0);
    EXPECT_EQ(f.flx.NotCon(99, 2, text), 0); // trapped
}

TEST(FlxIcons, AnIndexOutsideTheListIsTheGridsError) {
    FlxForm f;
    f.addRows(1);
    f.flx.IcoVer(1, 2, Variant(int32_t(2)));
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.IcoVer(1, 2, Variant(int32_t(4))); }), kGridBadIndex);
    EXPECT_EQ(f.grid->cellPictureId(1, 2 - 1), f.iconId(2));
    f.flx.IcoUsaIdx(1, 7);
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.IcoUsaInv(1, 2); }), kGridBadIndex);
    f.flx.NotIcoIdx(5);
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.NotReg(1, 3, QStringLiteral("n")); }), kGridBadIndex);
    EXPECT_EQ(f.grid->cellPictureId(1, 2), 0);
    // No image list.
    f.flx.IcoImg(nullptr);
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.IcoVer(1, 2, Variant(int32_t(1))); }), err::ObjectNotSet);
    EXPECT_EQ(f.grid->cellPictureId(1, 1), f.iconId(2));
    // A cell outside the grid.
    f.flx.IcoImg(&f.icons);
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.IcoVer(9, 2, Variant(int32_t(1))); }), kGridBadIndex);
}
