// The lines of the log files: headers, message lines, separators, title block and column lines
// against the files under tests/data/appsvc/log, and the file and lock names of a log.

#include "LogLayout.h"
#include "AppSvcTestSupport.h"
#include "SupLogReg.h"
#include "Text.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zv;
using namespace zv::loglayout;
using zvtest::arrayOf;
using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime kMorning(QDate(2026, 12, 7), QTime(9, 5, 0));

LogStamp gestor() {
    return LogStamp{kMorning,
                    QStringLiteral("JSILVA"),
                    QStringLiteral("PC-ARMAZEM"),
                    QStringLiteral("Gestor"),
                    QStringLiteral("2.1.0"),
                    QStringLiteral("Gestão de stocks")};
}

// The lines as the writer puts them in a file: without trailing blanks, each ending in LF.
QString asWritten(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += RTrim(line) + u'\n';
    return text;
}

QString golden(const QString& name) {
    QFile f(zvtest::dataPath(QStringLiteral("appsvc/log/") + name));
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing %1>").arg(name);
    return QString::fromUtf8(f.readAll());
}

} // namespace

TEST(LogLayout, HeadersInEveryForm) {
    LogStamp admin = gestor();
    admin.user = QStringLiteral("ADMINISTRADOR");
    admin.program = QStringLiteral("ProgramaLongo");
    admin.comments.clear();
    const QString star = QStringLiteral("*");
    QStringList lines;
    lines << CabReg(gestor(), QString(), QString(), star)
          << CabReg(gestor(), QStringLiteral("-"), QString(), star)
          << CabReg(gestor(), QStringLiteral("-"), QStringLiteral("Só o texto"), star)
          << CabReg(gestor(), QStringLiteral("AVISO"), QStringLiteral("  espaços  "), star)
          << CabReg(admin, QStringLiteral("X"), QStringLiteral("y"), QString())
          << CabReg(admin, QStringLiteral("X"), QStringLiteral("y"), star);
    EXPECT_EQ(asWritten(lines), golden(QStringLiteral("header.txt")));
}

TEST(LogLayout, MessageLinesSeparatorsTitleAndColumns) {
    const int w = 20;
    QStringList lines;
    lines << timedLine(kMorning, QStringLiteral("Cópia terminada"))
          << timedLine(kMorning, QStringLiteral("Cópia terminada"), QStringLiteral("Dados.mdb"))
          << identifiedLines(kMorning, QStringLiteral("Registar componente"),
                             SitTx(Variant(int16_t(1))))
          << identifiedLines(kMorning,
                             QStringLiteral("Um identificador muito comprido que passa dos "
                                            "quarenta"),
                             QStringLiteral("feito"), QStringLiteral("segunda linha"))
          << SitCnv(QStringLiteral("Estado"), QStringLiteral("0"))
          << SitCnv(QStringLiteral("Estado"), QStringLiteral("1"))
          << SitCnv(QStringLiteral("Estado"), QStringLiteral("talvez"))
          << SepLin(Variant(int16_t(-2)), w) << SepLin(Variant(int16_t(-1)), w)
          << SepLin(Variant(int16_t(-7)), w) << SepLin(Variant(int16_t(0)), w)
          << SepLin(Variant(QStringLiteral("=abc")), w) << SepLin(Variant(int16_t(7)), w)
          << SepLin(Variant(QStringLiteral("abc")), w)
          << FicTitReg(4, QStringLiteral("Título"),
                       {QStringLiteral("Cabeçalho 1"), QStringLiteral("  col")}, 1);
    QString column = columnLineEdit(QString(), 0, QStringLiteral("Nome"), w);
    lines << column;
    column = columnLineEdit(column, 10, QStringLiteral("Preço"), w);
    lines << column << columnLineEdit(column, 18, QStringLiteral("Quantidade"), w);
    lines << columnValues({0, 1, 8, 15},
                          arrayOf({Variant(), Variant(QStringLiteral("ção")),
                                   Variant(QStringLiteral("abcdefghij")), Variant("z")}),
                          w);
    EXPECT_EQ(asWritten(lines), golden(QStringLiteral("lines.txt")));

    EXPECT_EQ(SitTx(Variant(QStringLiteral("N"))), u"ERRO");
    EXPECT_EQ(SepLin(Variant(QString()), w), QString());
}

TEST(LogLayout, BlankLinesAreCappedAndTitleAndSeparationFollowTheLogsLength) {
    EXPECT_EQ(LinLpz(25).size(), 20);
    EXPECT_TRUE(LinLpz(0).isEmpty());
    EXPECT_TRUE(LinLpz(-3).isEmpty());
    EXPECT_EQ(separatorOrBlanks(3, 5), QStringList(3));
    EXPECT_EQ(separatorOrBlanks(0, 5), QStringList{u"00000"_s});
    EXPECT_EQ(separatorOrBlanks(-2, 5), QStringList{u"====="_s});

    // The title block only into a log shorter than 5 bytes; separation only into one that is
    // not empty.
    EXPECT_EQ(FicTitReg(0, u"T"_s, {}, 2), (QStringList{u"T"_s, {}, {}}));
    EXPECT_EQ(FicTitReg(4, u"T"_s, {}, 0), QStringList{u"T"_s});
    EXPECT_TRUE(FicTitReg(5, u"T"_s, {u"h"_s}, 2).isEmpty());
    EXPECT_TRUE(FicTitVer(0, 2).isEmpty());
    EXPECT_EQ(FicTitVer(1, 2).size(), 2);
}

TEST(LogLayout, ErrorTexts) {
    EXPECT_EQ(errorText(53, QString()), u"Erro :  53 - File not found");
    EXPECT_EQ(errorText(53, u"   "_s), u"Erro :  53 - File not found");
    EXPECT_EQ(errorText(53, u"Falta o ficheiro"_s), u"Erro : 53 - Falta o ficheiro");
    EXPECT_EQ(errorText(-7, u"x"_s), u"Erro : -7 - x");
    // An array without element 1 gives no block at all.
    EXPECT_TRUE(MsgDiv(Variant::array({{0, 0}})).isEmpty());
    EXPECT_TRUE(MsgInfAdi(Variant::array({{0, 0}})).isEmpty());
    EXPECT_EQ(MsgInfAdi(arrayOf({Variant(u"Ficheiros"_s), Variant(u"a"_s)})).first(),
              u"Informação adicional - Ficheiros");
    EXPECT_EQ(programEnd(QString()), (QStringList{{}, u"Programa TERMINADO"_s, {}}));
    EXPECT_EQ(programEnd(u"falha"_s).at(1), u"Programa TERMINADO - falha");
}

TEST(LogLayout, FileNameTokensStopAfterTwentyOneRounds) {
    const QString day = u"2026_12_07"_s;
    EXPECT_EQ(FicNomExp(u"/t/{maq}-{ UTZ }-{Dia}.txt"_s, u"PC1"_s, u"ANA"_s, day),
              u"/t/PC1-ANA-2026_12_07.txt");
    EXPECT_EQ(FicNomExp(u"/t/{XYZ}a{}b.txt"_s, u"PC1"_s, u"ANA"_s, day), u"/t/ab.txt");
    EXPECT_EQ(FicNomExp(u"/t/{MAQ.txt"_s, u"PC1"_s, u"ANA"_s, day), u"/t/{MAQ.txt");
    // A machine name that holds its own token would be replaced for ever.
    EXPECT_EQ(FicNomExp(u"{MAQ}"_s, u"{MAQ}x"_s, u"ANA"_s, day), u"{MAQ}"_s + QString(21, u'x'));
}

TEST(LogLayout, TheLockFileReplacesTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(lockPathOf(u"LogIni.txt"_s), u"LogIni.lck");
    EXPECT_EQ(lockPathOf(u"/tmp/Tmp/LogErr.txt"_s), u"/tmp/Tmp/LogErr.lck");
    // A folder with a dot or a blank keeps the lock beside the log.
    EXPECT_EQ(lockPathOf(u"/data/a.b/Log"_s), u"/data/a.b/Log.lck");
    EXPECT_EQ(lockPathOf(u"/data/my dir/Log"_s), u"/data/my dir/Log.lck");
    EXPECT_EQ(lockPathOf(u"/data/.log"_s), u"/data/.log.lck");
    // A log named like its lock would lose its records to the lock.
    EXPECT_EQ(lockPathOf(u"/data/Reg.lck"_s), u"/data/Reg.lck.lck");
    EXPECT_EQ(lockPathOf(QString()), QString());
}

TEST(LogLayout, ColumnsAndHeaderLinesOutOfRangeAreIgnored) {
    // Starts outside the line, and values the array lacks, write nothing.
    EXPECT_EQ(columnValues({0, 0, 25, -3, 4}, arrayOf({Variant(), Variant(u"a"_s)}), 10),
              QString(10, u' '));
    EXPECT_EQ(columnValues({0, 2, 6}, Variant(u"no array"_s), 10), QString(10, u' '));
    EXPECT_EQ(columnLineEdit(u"abc"_s, 11, u"x"_s, 10), u"abc");
    EXPECT_EQ(columnLineEdit(u"abc"_s, -1, u"x"_s, 4), u"    ");
    EXPECT_EQ(overwrite(u"abc"_s, 0, u"x"_s), u"abc");
    EXPECT_EQ(overwrite(u"abc"_s, 4, u"x"_s), u"abc");
    EXPECT_EQ(overwrite(u"abc"_s, 2, u"xyz"_s), u"axy");

    SupLogReg log;
    log.PrpCab(2, 10);
    log.PrpCabCo(3); // no header line 3: the columns are kept, their titles go nowhere
    EXPECT_EQ(log.PrpCabCoReg(2, u"Nome"_s), 1);
    EXPECT_EQ(log.headerLines(), QStringList(2, QString(10, u' ')));
    log.PrpCabCo(1);
    EXPECT_EQ(log.PrpCabCoReg(12, u"Fora"_s), 1);
    EXPECT_EQ(log.PrpCabCoReg(3, u"Preço e mais"_s), 2);
    EXPECT_EQ(log.headerLines().at(0), u"  Preço e ");
    EXPECT_EQ(log.columns(), (QList<int>{1, 12, 3}));

    log.PrpCabTx(0, Variant(int16_t(1)), u"x"_s);
    log.PrpCabTx(3, Variant(int16_t(1)), u"x"_s);
    log.PrpCabTx(2, Variant(int16_t(11)), u"x"_s);
    EXPECT_EQ(log.headerLines().at(1), QString(10, u' '));
    log.PrpCabTx(2, Variant(int16_t(9)), u"xyz"_s);
    EXPECT_EQ(log.headerLines().at(1), u"        xy");
    log.PrpCabTx(2, Variant(u"="_s), QString());
    EXPECT_EQ(log.headerLines().at(1), QString(10, u'='));
    log.PrpCabCoRtx(2, Variant(int16_t(-1)), QString());
    EXPECT_EQ(log.headerLines().at(1), QString(10, u'-'));

    log.PrpCab(40000, -5);
    EXPECT_EQ(log.width(), 0);
    EXPECT_EQ(log.headerLines().size(), 32767);
}
