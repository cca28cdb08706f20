// The window-state table: a new table against an expected file (date fixed), positions and
// per-window values stored and restored, the default place where nothing usable is stored, and
// the keys, values and files that must never damage the table.
#include "FormsTestSupport.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

using namespace zv;
using zvtest::Geo;
using zvtest::TestForm;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct WindowState : ::testing::Test {
    ScopedProcessContext context;
    zvtest::TempDir dir;
    QString table = dir.path(QStringLiteral("Janelas.par"));
    TestForm main{9000, 6000};
    SupFrm frm;

    WindowState() {
        context->setClock([] { return QDateTime(QDate(2026, 12, 7), QTime(10, 30)); });
        main.setName(QStringLiteral("frmPrincipal"));
        frm.setScreen(zvtest::kScreen1024);
        frm.RegFrm(&main);
        frm.PosJanVdeReg(QStringLiteral(" 800t,ct "));
    }
    QString stored(const QString& key) {
        QString value;
        frm.JanPdiRegCon(table, key, value);
        return value;
    }
    // Where the default list "800T,CT" puts the main form on the 1024 x 768 screen.
    static constexpr Geo kDefault{1680, 1260, 12000, 8580};
};

} // namespace

TEST_F(WindowState, NewTableAndItsEntriesAreTheExpectedFiles) {
    frm.JanPdiRegCri(table);
    EXPECT_EQ(fileBytes(table), fileBytes(zvtest::dataPath("forms/window-state-new.par")));

    TestForm clients(9600, 7200), invoice(6000, 4000);
    clients.setName(QStringLiteral(" frmClientes "));
    clients.move(1200, 900);
    invoice.setName(QStringLiteral("frmFactura"));
    invoice.setProperty("PosChvAdi", QStringLiteral(" Loja1 "));
    QString key;
    frm.PosJanChv(&invoice, key);
    EXPECT_EQ(key, QStringLiteral("FRMFACTURA_Loja1"));

    frm.PosJanReg(table, &clients);
    frm.JanPdiRegAct(table, key, QStringLiteral("0,0,15480,11640,2"));
    Variant columns{int16_t(3)};
    frm.PosJanVop(QStringLiteral(" r "), table, QStringLiteral("Colunas"), columns, &clients);
    // A value with a line break and a final "+" goes through the file's escapes.
    Variant note{QStringLiteral("linha 1\r\nlinha 2 e +")};
    frm.PosJanVop(QStringLiteral("R"), table, QStringLiteral("Nota"), note, &clients);
    EXPECT_EQ(fileBytes(table), fileBytes(zvtest::dataPath("forms/window-state-filled.par")));

    // Read back exactly, the other keys intact.
    Variant back{QString()}, number{0.0};
    frm.PosJanVop(QStringLiteral("L"), table, QStringLiteral("Nota"), back, &clients);
    EXPECT_EQ(back.rawString(), QStringLiteral("linha 1\r\nlinha 2 e +"));
    frm.PosJanVop(QString(), table, QStringLiteral("colunas"), number, &clients);
    EXPECT_EQ(number.numericValue(), 3.0);
    EXPECT_EQ(stored(QStringLiteral("frmfactura_LOJA1")), QStringLiteral("0,0,15480,11640,2"));
    EXPECT_EQ(stored(QStringLiteral("FRMCLIENTES")), QStringLiteral("1200,900,9600,7200,0"));
}

TEST_F(WindowState, APositionStoredIsRestoredOnAnotherStart) {
    frm.JanPdiRegCri(table);
    main.move(2400, 1500, 7500, 5250);
    frm.PosJanReg(table);
    // Moved again and stored again: the entry is replaced, not added.
    main.move(2415, 1515, 7515, 5265);
    frm.PosJanReg(table);
    EXPECT_EQ(fileBytes(table).count("[FRMPRINCIPAL]"), 1);

    TestForm next(3000, 3000);
    next.setName(QStringLiteral("FRMPRINCIPAL"));
    SupFrm other;
    other.RegFrm(&next);
    other.PosJanExe(table);
    EXPECT_EQ(zvtest::geo(next), (Geo{2415, 1515, 7515, 5265}));
    EXPECT_EQ(next.vbWindowState(), 0);
}

TEST_F(WindowState, NothingUsableStoredGivesTheMainFormTheDefaultPlace) {
    TestForm other(3000, 3000);
    other.setName(QStringLiteral("frmOutra"));
    other.move(600, 600);
    // No table at all.
    frm.PosJanExe(table, &other);
    EXPECT_EQ(zvtest::geo(main), kDefault);
    frm.JanPdiRegCri(table);
    for (const char* text : {"", "-5000,0,9000,6000,0", "0,-1001,9000,6000,0",
                             "100,100,9000,6000,1", "100,100,0,6000,0"}) {
        main.move(0, 0, 3000, 3000);
        frm.JanPdiRegAct(table, QStringLiteral("FRMOUTRA"), QLatin1String(text));
        frm.PosJanExe(table, &other);
        EXPECT_EQ(zvtest::geo(main), kDefault) << text;
        EXPECT_EQ(zvtest::geo(other), (Geo{600, 600, 3000, 3000})) << text;
    }
}

TEST_F(WindowState, PositionTextsReadAndApplied) {
    main.move(1200, 900, 9600, 7200);
    QString text;
    frm.JanPdiObCon(&main, text);
    EXPECT_EQ(text, QStringLiteral("1200,900,9600,7200,0"));
    // Missing parts are 0 (a form is never lower than its frame: 405).
    frm.JanPdiObAct(&main, QStringLiteral("300,150.4,6000"), QString());
    EXPECT_EQ(zvtest::geo(main), (Geo{300, 150, 6000, 405}));
    // Sizes are whole pixels of 15 twips: 8600 is 8595.
    frm.JanPdiObAct(&main, QStringLiteral("-500,0,9000,6000,0"), QStringLiteral("800"));
    EXPECT_EQ(zvtest::geo(main), (Geo{0, 0, 12000, 8595}));
    frm.JanPdiObAct(&main, QStringLiteral("0,0,0,0,0"), QStringLiteral("640"));
    EXPECT_EQ(zvtest::geo(main), (Geo{0, 0, 9600, 6780}));
}

TEST_F(WindowState, OnlyTheValueStoreMakesAMissingTable) {
    frm.PosJanReg(table);
    Variant v{QStringLiteral("x")};
    frm.PosJanVop(QStringLiteral("R"), table, QStringLiteral("Sub"), v);
    EXPECT_FALSE(QFile::exists(table));
    EXPECT_EQ(stored(QStringLiteral("FRMPRINCIPAL")), QString());
    frm.JanPdiRegAct(table, QStringLiteral("Chave"), QStringLiteral("valor"));
    EXPECT_EQ(stored(QStringLiteral("CHAVE")), QStringLiteral("valor"));
}

TEST_F(WindowState, KeysThatCannotBeToldApartAreRefused) {
    frm.JanPdiRegCri(table);
    frm.JanPdiRegAct(table, QStringLiteral("A"), QStringLiteral("1"));
    const QByteArray before = fileBytes(table);
    for (const char* key : {"A]B", "A[B", "A=B", "LC:A", "APP:PATH", "A.", "", "A\nB", "A\tB"}) {
        frm.JanPdiRegAct(table, QLatin1String(key), QStringLiteral("2"));
        EXPECT_EQ(stored(QLatin1String(key)), QString()) << key;
    }
    EXPECT_EQ(fileBytes(table), before);
    EXPECT_EQ(stored(QStringLiteral("A")), QStringLiteral("1"));

    // A form whose extra key or sub-key is refused stores nothing and restores the default.
    main.setProperty("PosChvAdi", QStringLiteral("x]y"));
    main.move(600, 600, 3000, 3000);
    frm.PosJanReg(table);
    Variant value{QStringLiteral("v")};
    main.setProperty("PosChvAdi", QVariant());
    for (const char* sub : {"", "a:b", "fim."})
        frm.PosJanVop(QStringLiteral("R"), table, QLatin1String(sub), value);
    EXPECT_EQ(fileBytes(table), before);
    main.setProperty("PosChvAdi", QStringLiteral("x]y"));
    frm.PosJanExe(table);
    EXPECT_EQ(zvtest::geo(main), kDefault);
}

TEST_F(WindowState, ATableThatCannotBeReadIsNeverReplaced) {
    // A folder where the table should be.
    QDir().mkpath(table);
    frm.JanPdiRegAct(table, QStringLiteral("A"), QStringLiteral("1"));
    EXPECT_TRUE(QFileInfo(table).isDir());
    EXPECT_EQ(context.headless().messageBox->shown().size(), 0u);
    QDir(table).removeRecursively();

    // A table its reader may not read, in a folder everyone may write: as another user, the
    // store leaves it as it is.
    frm.JanPdiRegCri(table);
    frm.JanPdiRegAct(table, QStringLiteral("A"), QStringLiteral("1"));
    const QByteArray before = fileBytes(table);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(table).constData(), 0), 0);
    const int result = zvtest::runInChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
        if (::access(QFile::encodeName(table).constData(), R_OK) == 0) return 3;
        SupFrm own;
        own.JanPdiRegAct(table, QStringLiteral("B"), QStringLiteral("2"));
        return 0;
    });
    if (result == 3) GTEST_SKIP() << "the table can be read by every user here";
    ASSERT_EQ(result, 0);
    ::chmod(QFile::encodeName(table).constData(), 0644);
    EXPECT_EQ(fileBytes(table), before);
}
