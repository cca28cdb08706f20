// Grid support: binding, the column registry and its effect on the grid, and cells read and
// written as an array.
#include "NumFxd.h"
#include "RecordSource.h"
#include "SupFlxTestSupport.h"
#include "VbError.h"

using namespace zv;
using namespace gridtest;
using namespace flxtest;

namespace {

class FakeRecords : public RecordSource {
public:
    void moveLast() override {}
    long recordCount() const override { return 42; }
    QString fieldName(int index) const override {
        if (index > 1) throw VbError(err::SubscriptOutOfRange);
        return index == 0 ? QStringLiteral(" codigo ") : QStringLiteral("Nome");
    }
};

QString maskOf(const QString& spec) {
    QString mask;
    NumMscVal(Variant(spec), mask);
    return mask;
}

} // namespace

TEST(FlxColumns, DefinitionTextsAreReadIntoTheRegistry) {
    SupFlx flx;
    flx.ColReg(1200, QStringLiteral("Valor"), QStringLiteral(">"), QStringLiteral("CBK:N,7.2"));
    flx.ColReg(-1, QStringLiteral("*"), QStringLiteral(">"), QStringLiteral("12.2"));
    flx.ColReg(800, QStringLiteral("Tipo"), QStringLiteral("<"), QStringLiteral("TX:T"));
    ASSERT_EQ(flx.colCount(), 3);
    const SupFlx::ColDef& a = flx.ColTab(1);
    EXPECT_EQ(a.kind, u"CBK");
    EXPECT_EQ(a.type, u"N");
    EXPECT_EQ(a.number, 7.2);
    EXPECT_EQ(a.mask, maskOf(QStringLiteral("7.2")));
    // A definition without ":" is all kind.
    const SupFlx::ColDef& b = flx.ColTab(2);
    EXPECT_EQ(b.kind, u"12.2");
    EXPECT_EQ(b.type, u"");
    EXPECT_EQ(b.number, 0);
    EXPECT_EQ(flx.ColTab(3).type, u"T");
    EXPECT_EQ(zvtest::errorOf([&] { flx.ColTab(4); }), err::SubscriptOutOfRange);
    flx.ColRegIni();
    EXPECT_EQ(flx.colCount(), 0);
    EXPECT_EQ(zvtest::errorOf([&] { flx.ColTab(1); }), err::SubscriptOutOfRange);
}

TEST(FlxColumns, RegisteredColumnsShapeTheGrid) {
    GridForm f;
    f.grid->setTextMatrix(0, 2, QStringLiteral("antes"));
    SupFlx flx;
    flx.IniUsoGr(f.grid, nullptr, QStringLiteral("CON"));
    flx.IniGda(QStringLiteral("ARR"), QStringLiteral("x"), QStringLiteral("SELECT *"),
               QStringLiteral("y"));
    EXPECT_EQ(flx.dataKind(), u"ARR");
    EXPECT_EQ(flx.sqlText(), u"SELECT *");
    flx.GdaSqlUsa(QStringLiteral("SELECT a"));
    EXPECT_EQ(flx.sqlText(), u"SELECT a");
    // Header sorting is one flag under two names; the flags take yes/no values.
    EXPECT_EQ(flx.UsaOrd(), 0);
    flx.setOpcUsaOrd(Variant(QStringLiteral("sim")));
    EXPECT_EQ(flx.UsaOrd(), 1);
    flx.setUsaOrd(Variant(QStringLiteral("N")));
    EXPECT_EQ(flx.OpcUsaOrd(), 0);
    flx.setOpcUsaFon(Variant(true));
    EXPECT_EQ(flx.OpcUsaFon(), 1);
    flx.ColReg(600, QStringLiteral("Nº"), QStringLiteral("|"), QString());
    flx.ColReg(2400, QStringLiteral("Nome"), QStringLiteral("<"), QString());
    flx.ColReg(-5, QStringLiteral("*"), QStringLiteral(">"), QStringLiteral("12.2"));
    flx.ColReg(900, QStringLiteral("Estado"), QStringLiteral("?"), QString());
    flx.GdoCfcGrIni(8);

    GridWidget* g = f.grid;
    EXPECT_EQ(g->rows(), 9);
    EXPECT_EQ(g->cols(), 4);
    EXPECT_EQ(flx.lastUsedRow(), 0);
    EXPECT_EQ(flx.minRows(), 8);
    EXPECT_EQ(flx.visibleRows(), 8);
    EXPECT_TRUE(g->extendLastCol());
    EXPECT_EQ(g->textMatrix(0, 1), u"Nome");
    EXPECT_EQ(g->textMatrix(0, 2), u"antes"); // "*" leaves the header cell
    EXPECT_EQ(g->colWidth(1), 2400);
    EXPECT_EQ(g->colWidth(2), 0); // a negative width hides the column
    EXPECT_EQ(g->colAlignment(0), kAlignCenterCenter);
    EXPECT_EQ(g->colAlignment(1), kAlignLeftCenter);
    EXPECT_EQ(g->colAlignment(2), kAlignRightCenter);
    EXPECT_EQ(g->colAlignment(3), kAlignGeneral);
    // The mask comes from the kind; columns without a kind have none.
    EXPECT_EQ(g->colFormat(2), maskOf(QStringLiteral("12.2")));
    EXPECT_FALSE(g->colFormat(2).isEmpty());
    EXPECT_EQ(g->colFormat(1), u"");
    // Header cells centred and bold.
    for (int c = 0; c < 4; ++c) {
        g->setRow(0);
        g->setCol(c);
        EXPECT_EQ(g->cellAlignment(), kAlignCenterCenter);
        EXPECT_TRUE(g->cellFontBold());
    }
}

TEST(FlxColumns, WidthSumsPastTheShortIntegerRange) {
    GridForm f;
    SupFlx flx;
    flx.IniUsoGr(f.grid, nullptr, QStringLiteral("CON"));
    for (int c = 0; c < 4; ++c)
        flx.ColReg(12000, QStringLiteral("c"), QStringLiteral("<"), QString());
    flx.GdoCfcGrIni(3);
    int total = 0;
    flx.GrColLrg(total);
    EXPECT_EQ(total, 48000);
    flx.GrAjtLrgCol(30);
    EXPECT_EQ(f.grid->width() * 15, 48000 + 270 + 30);
}

TEST(FlxColumns, RecordSourceFieldsAndCount) {
    FakeRecords records;
    SupFlx flx;
    QString name = QStringLiteral("antes");
    flx.RstColVar(1, 1, name); // no record source: trapped
    EXPECT_EQ(name, u"antes");
    int n = -1;
    flx.RecNum(n);
    EXPECT_EQ(n, -1);

    GridForm f;
    flx.IniUsoGr(f.grid, &records, QStringLiteral("CON"));
    flx.RstColVar(1, 1, name);
    EXPECT_EQ(name, u"CODIGO");
    flx.RstColVar(0, 1, name);
    EXPECT_EQ(name, u"NOME");
    flx.RstColVar(0, 5, name); // no such field: name unchanged
    EXPECT_EQ(name, u"NOME");
    flx.RecNum(n);
    EXPECT_EQ(n, 42);
}

TEST(FlxColumns, WithoutAGridMembersRaise91) {
    SupFlx flx;
    EXPECT_EQ(zvtest::errorOf([&] { flx.GrLinCri(); }), err::ObjectNotSet);
    {
        GridForm f;
        flx.IniUsoGr(f.grid, nullptr, QStringLiteral("X"));
        EXPECT_EQ(flx.UsoGr(), u"X");
        EXPECT_EQ(flx.grid(), f.grid);
    }
    // The grid went with its form: the object notices instead of using it.
    EXPECT_EQ(flx.grid(), nullptr);
    EXPECT_EQ(zvtest::errorOf([&] { flx.LinIns(1); }), err::ObjectNotSet);
    Variant v{QStringLiteral("x")};
    flx.ArrCon(1, 1, v); // trapped
    EXPECT_EQ(v.rawString(), u"x");
}

TEST(FlxCells, ReadAndWriteByRegisteredAndGridColumn) {
    FlxForm f;
    f.addRows(2);
    // Registered columns count from 1: column 2 is the grid's column 1.
    f.flx.ArrReg(1, 2, Variant(QStringLiteral("Ana")));
    EXPECT_EQ(f.grid->textMatrix(1, 1), u"Ana");
    f.flx.ArrLcReg(2, 2, Variant(12.5));
    EXPECT_EQ(f.grid->textMatrix(2, 2), u"12.5");
    f.grid->setTextMatrix(2, 3, QStringLiteral("7.25 kg"));

    Variant text{QString()};
    f.flx.ArrCon(1, 2, text);
    EXPECT_EQ(text.rawString(), u"Ana");
    // A value that is not a text reads the leading number, as a Double.
    Variant number{int16_t(0)};
    f.flx.ArrCon(2, 4, number);
    ASSERT_TRUE(number.isDouble());
    EXPECT_EQ(number.rawDouble(), 7.25);
    Variant byGrid{int32_t(0)};
    f.flx.ArrLcCon(2, 2, byGrid);
    EXPECT_EQ(byGrid.rawDouble(), 12.5);
    // ArrVpo keeps the target's type through typed assignment; its mode is case-blind.
    Variant on{QStringLiteral("on")};
    f.flx.ArrVpo(QStringLiteral(" a "), 1, 4, on);
    EXPECT_EQ(f.grid->textMatrix(1, 3), u"on");
    Variant read{0.0};
    f.flx.ArrVpo(QStringLiteral("C"), 2, 3, read);
    EXPECT_EQ(read.rawDouble(), 12.5);

    // Cells outside the grid end the call quietly, leaving the value as it was.
    Variant kept{QStringLiteral("kept")};
    f.flx.ArrCon(99, 1, kept);
    f.flx.ArrVpo(QStringLiteral("C"), 1, 9, kept);
    EXPECT_EQ(kept.rawString(), u"kept");
    f.flx.ArrReg(99, 1, Variant(QStringLiteral("x")));
    f.flx.ArrLcReg(1, -1, Variant(QStringLiteral("x")));
    EXPECT_EQ(f.grid->rows(), 7);
}

TEST(FlxCells, RecordsAndRowArrays) {
    FlxForm f(3);
    f.flx.GrLstCmp(Variant::list(
        {Variant(QStringLiteral("Ana")), Variant(12.5), Variant(QStringLiteral("S"))}));
    f.flx.GrLstCmp(Variant::list({Variant(QStringLiteral("Rui")), Variant(3.0)}));
    EXPECT_EQ(f.flx.lastUsedRow(), 2);
    EXPECT_EQ(f.grid->row(), 2);
    EXPECT_EQ(f.grid->textMatrix(1, 0), u"1");
    EXPECT_EQ(f.grid->textMatrix(1, 1), u"Ana");
    EXPECT_EQ(f.grid->textMatrix(1, 2), u"12.5");
    EXPECT_EQ(f.grid->textMatrix(1, 3), u"S");
    EXPECT_EQ(f.grid->textMatrix(2, 0), u"2");
    EXPECT_EQ(f.grid->textMatrix(2, 3), u"");
    // Values beyond the grid's columns are left out.
    f.flx.GrLstLin(
        Variant::list({Variant(QStringLiteral("9")), Variant(QStringLiteral("Eva")), Variant(1.0),
                       Variant(QStringLiteral("N")), Variant(QStringLiteral("extra"))}),
        1);
    EXPECT_EQ(f.flx.lastUsedRow(), 3);
    EXPECT_EQ(f.grid->textMatrix(3, 1), u"Eva");
    EXPECT_EQ(f.grid->textMatrix(3, 3), u"N");
    // A record past the grid's rows makes its row.
    f.flx.GrLstCmp(Variant::list({Variant(QStringLiteral("Zé"))}));
    EXPECT_EQ(f.grid->rows(), 5);
    EXPECT_EQ(f.grid->textMatrix(4, 1), u"Zé");

    Variant row;
    f.flx.ArrLiCon(1, row);
    ASSERT_EQ(row.array().lbound(), 1);
    ASSERT_EQ(row.array().ubound(), 4);
    EXPECT_EQ(row.array().at1(2).rawString(), u"Ana");
    EXPECT_EQ(row.array().at1(3).rawString(), u"12.5");

    // LinCur: a given array keeps each element's type; no array gives texts.
    f.grid->setRow(1);
    Variant typed =
        Variant::list({Variant(), Variant(QString()), Variant(QString()), Variant(0.0)});
    f.flx.LinCur(typed);
    EXPECT_EQ(typed.array().at1(1).rawString(), u"1");
    EXPECT_EQ(typed.array().at1(2).rawString(), u"Ana");
    EXPECT_EQ(typed.array().at1(3).rawDouble(), 12.5);
    EXPECT_TRUE(typed.array().at1(0).isEmpty());
    Variant texts;
    f.flx.LinCur(texts);
    EXPECT_EQ(texts.array().at1(3).rawString(), u"12.5");

    Variant arr;
    f.flx.ArrReDim(5, arr);
    EXPECT_EQ(arr.array().dimensions(), 2);
    EXPECT_EQ(arr.array().ubound(1), 5);
    EXPECT_EQ(arr.array().lbound(2), 0);
    EXPECT_EQ(arr.array().ubound(2), 3);
    int n = 0;
    f.flx.ArrNumLin(n);
    EXPECT_EQ(n, 4);
    // A value that is no array is the grid's error 13.
    EXPECT_EQ(zvtest::errorOf([&] { f.flx.GrLstLin(Variant(1.0), 0); }), err::TypeMismatch);
}
