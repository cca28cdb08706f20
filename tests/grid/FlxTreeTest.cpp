// Grid support: the outline tree: nodes added at the end and in mid-tree, levels and keys,
// collapse and expand, node relations and icons, the move buttons clicked on single and
// multi-row selections with the host form told, and dragging a node onto another.
#include "GridTableModel.h"
#include "SupFlxTestSupport.h"

#include <QPushButton>

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

// The host form: the grid, the six move buttons and the slot the grid support calls.
class Host : public QWidget {
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void cbkFlxTreDes(const QString& grid) { calls << grid; }
};

struct TreeForm {
    Host host;
    GridWidget* grid;
    SupFlx flx;
    ImageList images;
    std::map<QString, QPushButton*> buttons;

    TreeForm() : grid(new GridWidget(&host)) {
        grid->setObjectName(QStringLiteral("grTst"));
        grid->setGeometry(10, 10, 500, 300);
        int x = 10;
        for (const char* key : {"DESES", "DESDI", "DESUP", "DESDN", "DESPR", "DESUL"}) {
            auto* b = new QPushButton(QString::fromLatin1(key).mid(3), &host);
            b->setGeometry(x, 320, 60, 24);
            x += 70;
            flx.TreRegOb(QString::fromLatin1(key).toLower(), b);
            buttons[QString::fromLatin1(key)] = b;
        }
        images.add(QStringLiteral("Folder"), plainPicture(Qt::yellow));
        images.add(QStringLiteral("File"), plainPicture(Qt::gray));
        host.resize(600, 400);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        flx.IniUsoGr(grid, nullptr, QStringLiteral("CON"));
        grid->setCols(3);
        flx.TrePrp(1);
        flx.TreLstIni();
        flx.TreeIcoImg(&images);
    }
    void add(const QString& name, int level, int row = 0) {
        flx.TreLinIns(row, level,
                      Variant::list({Variant(QString()), Variant(QString()), Variant(name)}));
    }
    // The names (column 2) and levels of every row: "A1 a2 ...".
    QString tree() const {
        QStringList s;
        for (int r = 1; r < grid->rows(); ++r)
            s << grid->textMatrix(r, 2) + QString::number(grid->rowOutlineLevel(r));
        return s.join(u' ');
    }
    QString column(int c) const {
        QStringList s;
        for (int r = 1; r < grid->rows(); ++r)
            s << grid->textMatrix(r, c);
        return s.join(u',');
    }
    void click(const char* key) {
        QTest::mouseClick(buttons.at(QString::fromLatin1(key)), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // A, a1, a2 under it, B, b1 under it, C.
    void sample() {
        add(QStringLiteral("A"), 1);
        add(QStringLiteral("a"), 2);
        add(QStringLiteral("b"), 2);
        add(QStringLiteral("B"), 1);
        add(QStringLiteral("c"), 2);
        add(QStringLiteral("C"), 1);
    }
    // The view hides grid row r.
    bool hidden(int r) const { return grid->isRowHidden(r - grid->fixedRows()); }
    QPoint cellCentre(int r, int c) const {
        return grid->visualRect(grid->tableModel()->indexOf(r, c)).center();
    }
};

} // namespace

TEST(FlxTree, NodesAreAddedCellByCellAndTheLastInsertedIsTheRowInserted) {
    TreeForm f;
    const Variant none{QString()};
    f.flx.TreLinIns(0, 1, Variant::list({Variant(u"[CNT]"_qs), none, Variant(u"A"_qs)}));
    f.flx.TreLinIns(99, 1, Variant::list({Variant(u"n[CNT]"_qs), none, Variant(u"B"_qs)}));
    EXPECT_EQ(f.column(0), u"1,n2");
    EXPECT_EQ(f.flx.treeLastRow(), 2);
    EXPECT_TRUE(f.grid->isSubtotal(2));
    // In mid-tree: the row inserted is the last inserted; U and Row are the grid's last row.
    f.flx.TreLinIns(2, 2, Variant::list({none, none, Variant(u"x|y"_qs)}));
    EXPECT_EQ(f.tree(), u"A1 x|y2 B1");
    EXPECT_EQ(f.grid->textMatrix(2, 2), u"x|y"); // a "|" stays in its column
    EXPECT_EQ(f.flx.treeLastRow(), 2);
    EXPECT_EQ(f.flx.lastUsedRow(), 3);
    EXPECT_EQ(f.grid->row(), 3);
    f.flx.TreIcoVer(0, 0, Variant(u"folder"_qs)); // row 0: the last inserted; col 0: column 1
    EXPECT_EQ(f.grid->cellPictureId(2, 1), f.images.picture(1).cacheKey());
    EXPECT_EQ(f.grid->cellPictureId(3, 1), 0);
    f.flx.TreIcoVer(3, 2, Variant(2)); // an index
    EXPECT_EQ(f.grid->cellPictureId(3, 2), f.images.picture(2).cacheKey());
    f.flx.TreIcoVer(1, 2, Variant(u"none"_qs)); // no image with that key
    EXPECT_EQ(f.grid->cellPictureId(1, 2), 0);

    // Beside a row: the row's level; a node at a top-level node followed by children joins
    // the children; a node beside row 1 is always at level 1.
    f.flx.TreLinJun(2, 0, Variant::list({none, none, Variant(u"i"_qs)}));
    EXPECT_EQ(f.tree(), u"A1 i2 x|y2 B1");
    f.flx.TreLinJun(1, 1, Variant::list({none, none, Variant(u"j"_qs)}));
    EXPECT_EQ(f.tree(), u"A1 j1 i2 x|y2 B1");
    f.flx.TreLinJun(2, 0, Variant::list({none, none, Variant(u"k"_qs)}));
    EXPECT_EQ(f.tree(), u"A1 k2 j1 i2 x|y2 B1");
    EXPECT_EQ(f.flx.treeLastRow(), 2);
}

TEST(FlxTree, LevelsMadeGapFreeAndKeysWritten) {
    TreeForm f;
    for (int level : {1, 3, 3, 1})
        f.add(QStringLiteral("n"), level);
    f.flx.TreAjt(0);
    EXPECT_EQ(f.tree(), u"n1 n2 n2 n1");
    EXPECT_EQ(f.column(1), u"1,1.1,1.2,2");

    TreeForm w;
    for (int level : {1, 2, 3, 2})
        w.add(QStringLiteral("n"), level);
    w.flx.TreFrmChv(QStringLiteral("2"), QStringLiteral(" i "));
    w.flx.TreAjt(1);
    EXPECT_EQ(w.column(1), u"01,01.01,01.01.01,01.02");
    EXPECT_EQ(w.column(0), u"1,2,3,4");
    int width = 0;
    w.flx.TreNivNdi(7, width);
    EXPECT_EQ(width, 2);
    QString parent;
    int flag = -1;
    w.flx.TreNivSep(QStringLiteral("01.02.03"), 2, parent, flag);
    EXPECT_EQ(parent, u"01.02");
    EXPECT_EQ(flag, 1);
}

TEST(FlxTree, CollapseExpandAndRelations) {
    TreeForm f;
    f.sample();
    int row = 0;
    f.flx.TreeNoIdx(QStringLiteral("p"), 3, row);
    EXPECT_EQ(row, 1);
    f.flx.TreeNoIdx(QStringLiteral("SS"), 1, row);
    EXPECT_EQ(row, 4);
    f.flx.TreeNoIdx(QStringLiteral("XX"), 1, row);
    EXPECT_EQ(row, -1);
    f.flx.TreeNoIdx(QStringLiteral("SA"), 1, row);
    EXPECT_EQ(row, -1);

    f.flx.TreeNoExp(1, QStringLiteral("c"), 1);
    EXPECT_EQ(f.grid->isCollapsed(1), 2);
    EXPECT_TRUE(f.hidden(2));
    f.flx.TreeNoExp(1, QStringLiteral("X"), 0);
    EXPECT_EQ(f.grid->isCollapsed(1), 1); // not a toggle
    f.flx.TreNivVer(Variant(1));
    EXPECT_TRUE(f.hidden(5));
    f.flx.TreNivVer(Variant(9));
    for (int r = 1; r <= 6; ++r)
        EXPECT_FALSE(f.hidden(r)) << r;
}

TEST(FlxTree, MoveButtonsMoveTheSelectedNodeAndTellTheHost) {
    TreeForm f;
    f.sample();
    f.grid->select(4, 1);
    f.click("DESUP"); // B with its child before A
    EXPECT_EQ(f.tree(), u"B1 c2 A1 a2 b2 C1");
    EXPECT_EQ(f.host.calls, QStringList{u"grTst"_qs});
    EXPECT_EQ(f.grid->row(), 1);
    f.click("DESDN");
    EXPECT_EQ(f.tree(), u"A1 a2 b2 B1 c2 C1");
    f.grid->select(6, 1);
    f.click("DESPR");
    EXPECT_EQ(f.tree(), u"C1 A1 a2 b2 B1 c2");
    f.click("DESUL");
    EXPECT_EQ(f.tree(), u"A1 a2 b2 B1 c2 C1");
    f.click("DESDI"); // C into B, after c
    EXPECT_EQ(f.tree(), u"A1 a2 b2 B1 c2 C2");
    f.click("DESES");
    EXPECT_EQ(f.tree(), u"A1 a2 b2 B1 c2 C1");
    EXPECT_EQ(f.host.calls.size(), 6);

    // A host without the slot is not told, and nothing fails.
    QWidget plain;
    f.grid->setParent(&plain);
    f.grid->select(1, 1);
    f.click("DESDN");
    EXPECT_EQ(f.tree(), u"B1 c2 A1 a2 b2 C1");
    EXPECT_EQ(f.host.calls.size(), 6);
    f.grid->setParent(&f.host);
}

TEST(FlxTree, MultiRowSelectionMovesEachSelectedNodeOnce) {
    TreeForm f;
    for (const char* n : {"A", "B", "C", "D"})
        f.add(QString::fromLatin1(n), 1);
    f.grid->select(1, 1, 2, 1);
    f.click("DESDN");
    EXPECT_EQ(f.tree(), u"C1 A1 B1 D1");
    f.grid->select(3, 1, 2, 1); // selected upwards
    f.click("DESUP");
    EXPECT_EQ(f.tree(), u"A1 B1 C1 D1");
    f.grid->select(2, 1, 3, 1);
    f.click("DESDI"); // B into A, then C into A after B
    EXPECT_EQ(f.tree(), u"A1 B2 C2 D1");
    f.grid->select(2, 1, 3, 1);
    f.click("DESES"); // out, bottom-up: the order kept
    EXPECT_EQ(f.tree(), u"A1 B1 C1 D1");
    f.grid->select(2, 1, 3, 1);
    f.click("DESPR"); // first and last: the selected nodes keep their order
    EXPECT_EQ(f.tree(), u"B1 C1 A1 D1");
    f.grid->select(1, 1, 2, 1);
    f.click("DESUL");
    EXPECT_EQ(f.tree(), u"A1 D1 B1 C1");
    EXPECT_EQ(f.host.calls, QStringList(6, u"grTst"_qs));

    // A selected child moves with its parent only.
    TreeForm g;
    g.sample();
    g.grid->select(1, 1, 2, 1);
    g.click("DESDN");
    EXPECT_EQ(g.tree(), u"B1 c2 A1 a2 b2 C1");
}

TEST(FlxTree, DraggingANodeOntoAnother) {
    TreeForm f;
    f.sample();
    QTest::mouseMove(f.grid->viewport(), f.cellCentre(6, 2));
    f.flx.TreDragPrp(1000, 1000);
    f.flx.TreDragMov(1060, 1040); // exactly 100: no drag
    EXPECT_FALSE(f.flx.treeDragging());
    f.flx.TreDragFim();
    EXPECT_EQ(f.tree(), u"A1 a2 b2 B1 c2 C1");
    const qint32 before = f.grid->cellBackColorAt(6, 0);
    f.flx.TreDragPrp(1000, 1000);
    QTest::mouseMove(f.grid->viewport(), f.cellCentre(1, 2));
    f.flx.TreDragMov(1060, 1041);
    EXPECT_TRUE(f.flx.treeDragging());
    EXPECT_EQ(f.grid->cellBackColorAt(6, 0), 65535);
    EXPECT_EQ(f.grid->mousePointer(), 51);
    f.flx.TreDragFim(); // C becomes A's last child
    EXPECT_EQ(f.tree(), u"A1 a2 b2 C2 B1 c2");
    EXPECT_EQ(f.grid->mousePointer(), 0);
    EXPECT_EQ(f.grid->cellBackColorAt(6, 0), before);
    EXPECT_TRUE(f.host.calls.isEmpty()); // a drop does not tell the host

    // Onto its own child: refused, nothing moves.
    QTest::mouseMove(f.grid->viewport(), f.cellCentre(1, 2));
    f.flx.TreDragPrp(0, 0);
    QTest::mouseMove(f.grid->viewport(), f.cellCentre(2, 2));
    f.flx.TreDragMov(0, 500);
    f.flx.TreDragFim();
    EXPECT_EQ(f.tree(), u"A1 a2 b2 C2 B1 c2");
}

#include "FlxTreeTest.moc"
