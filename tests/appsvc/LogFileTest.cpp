// Log kinds and files: the records as they land in the file, the decisions taken on the log's
// length, files that are no plain log, failures that must not pass for success, clearing, and
// the silent messages of the coded message box.

#include "AppSvcTestSupport.h"
#include "Datas.h"
#include "FileLayer.h"
#include "GlbMsg.h"
#include "ScopedProcessContext.h"
#include "SupLogReg.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zv;
using namespace Qt::Literals::StringLiterals;

namespace {

const Variant kOne(int16_t(1));
const Variant kZero(int16_t(0));

// A message box that, while it is up, looks whether a log's lock could be taken by another
// writer.
class ProbingBox : public HeadlessMessageBox {
public:
    MsgAnswer show(const MessageBoxRequest& request) override {
        if (!lockFile.isEmpty()) {
            file::FileLock probe;
            lockFree.push_back(probe.tryLockFile(file::nativeName(lockFile), 1, 0) == 0);
            probe.unlockAndRemove();
        }
        return HeadlessMessageBox::show(request);
    }
    QString lockFile;
    std::vector<bool> lockFree;
};

class LogFile : public zvtest::HeadlessTest {
protected:
    void SetUp() override {
        ctx->setUserName(u"jsilva"_s);
        ctx->setComputerName(u"pc-armazem"_s);
        at(14, 3, 7);
    }
    void TearDown() override { glbMsgReset(); }

    void at(int h, int m, int s, QDate day = QDate(2026, 12, 7)) {
        const QDateTime when(day, QTime(h, m, s));
        ctx->setClock([when] { return when; });
    }
    static AppIdentity gestor() {
        AppIdentity id;
        id.exeName = u"Gestor"_s;
        id.comments = u"Gestão de stocks"_s;
        id.major = 2;
        id.minor = 1;
        id.revision = 0;
        return id;
    }
    // A log object with kind code writing to file (under the temporary folder).
    void addKind(SupLogReg& log, const QString& code, const QString& file) {
        log.PrpGrp(code, u"Registo "_s + code, temp.path(file), kOne, kOne);
    }
    QByteArray bytes(const QString& file) const { return temp.read(file); }
    bool exists(const QString& file) const { return QFile::exists(temp.path(file)); }
};

} // namespace

TEST_F(LogFile, AnAccessLogAsItIsWritten) {
    SupLogReg log;
    log.PrpApp(gestor());
    log.PrpGrp(u"ace"_s, u"Registo de Acessos"_s, temp.path(u"Logs/LogAce.txt"_s), kOne, kOne);
    log.GrpIde(u"ACE"_s, 1);
    log.RegAceIni(u"ACE"_s);
    at(14, 3, 9);
    log.MsgGrpReg(u"ACE"_s, u"Cópia de ficheiros terminada"_s, u"Dados.mdb"_s);
    at(14, 3, 10);
    log.MsgGrpIdv(u"ACE"_s, u"Registar componente"_s, u"OK"_s, u"segunda linha"_s);
    at(14, 5, 41);
    log.RegAceFim(u"ACE"_s);

    QFile golden(zvtest::dataPath(u"appsvc/log/ace.log"_s));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    EXPECT_EQ(bytes(u"Logs/LogAce.txt"_s), golden.readAll());
    // Between records no lock file is left.
    EXPECT_EQ(zvtest::namesIn(temp.path(u"Logs"_s)), QStringList{u"LogAce.txt"_s});
}

TEST_F(LogFile, DefaultKindsLiveInTheTemporaryFolderOfTheFirstFixedDrive) {
    const QString drive = temp.path(u"drive"_s);
    QDir().mkpath(drive);
    ctx->setMountTableFile(
        temp.write(u"mounts"_s, "/dev/zvtest " + drive.toUtf8() + " ext4 rw 0 0\n"));
    SupLogReg log;
    log.PrpReg(0);
    ASSERT_EQ(log.kindCount(), 3);
    const RegLogTip* ini = log.kind(u" ini "_s);
    ASSERT_NE(ini, nullptr);
    EXPECT_EQ(ini->Fic, drive + u"/Tmp/LogIni.txt"_s);
    EXPECT_EQ(ini->Lck, drive + u"/Tmp/LogIni.lck"_s);
    EXPECT_EQ(ini->Des, u"Registo de Inicialização");
    EXPECT_EQ(ini->Niv, 1);
    EXPECT_EQ(ini->Act, 1);
    EXPECT_EQ(log.kind(u"ERR"_s)->Act, 0);
    EXPECT_EQ(log.kind(u"ACE"_s)->Fic, drive + u"/Tmp/LogAce.txt"_s);

    // Only an active kind is written to.
    log.MsgGrpReg(u"ERR"_s, u"não"_s);
    log.RegIniMsg(u"sim"_s);
    EXPECT_FALSE(QFile::exists(log.kind(u"ERR"_s)->Fic));
    EXPECT_EQ(zvtest::namesIn(drive + u"/Tmp"_s), QStringList{u"LogIni.txt"_s});
    int ok = -1;
    log.CmpRtx(u"x"_s);
    log.cmpReg(u"ERR"_s, ok);
    EXPECT_EQ(ok, 0);
    log.cmpReg(u"NADA"_s, ok);
    EXPECT_EQ(ok, 0);
    log.cmpIni();
    log.cmpReg(u"NADA"_s, ok);
    EXPECT_EQ(ok, 1); // nothing to write

    // Levels outside 0..3 are 1; the active flag reads yes and no.
    log.PrpOpcMre(u"ERR"_s, Variant(int16_t(7)));
    EXPECT_EQ(log.kind(u"ERR"_s)->Niv, 1);
    log.PrpOpcMre(u"ERR"_s, Variant(u"2 níveis"_s));
    EXPECT_EQ(log.kind(u"ERR"_s)->Niv, 2);
    log.PrpOpcMre(u"ERR"_s, Variant(-1.0));
    EXPECT_EQ(log.kind(u"ERR"_s)->Niv, 1);
    log.PrpOpcUso(u"ERR"_s, Variant(u"S"_s));
    EXPECT_EQ(log.kind(u"ERR"_s)->Act, 1);

    // A fresh set of kinds that clears the start-up log.
    SupLogReg again;
    again.PrpReg(1);
    EXPECT_FALSE(QFile::exists(ini->Fic));
}

TEST_F(LogFile, TheHeaderDateIsTodayFromTheClock) {
    // The date module holds another day: the log does not take it from there.
    DtaTxLer(20010101.0 * 1e7);
    SupLogReg log;
    addKind(log, u"K"_s, u"k.log"_s);
    log.MsgGrpCabReg(u"K"_s, u"INF"_s, u"a"_s, QString());
    at(0, 0, 1, QDate(2027, 1, 2));
    log.MsgGrpCabReg(u"K"_s, u"INF"_s, u"b"_s, QString());
    const QList<QByteArray> lines = bytes(u"k.log"_s).split('\n');
    EXPECT_EQ(lines.at(1), "Data       : 2026/12/07  14:03:07");
    EXPECT_EQ(lines.at(5), "Data       : 2027/01/02  00:00:01");
}

TEST_F(LogFile, ALogThatCannotBeOpenedIsReportedAfterItsLockIsReleased) {
    auto box = std::make_shared<ProbingBox>();
    ctx->setServices(HostServices{box, nullptr, nullptr, nullptr});
    QDir().mkpath(temp.path(u"Pasta.txt"_s));
    SupLogReg log;
    addKind(log, u"K"_s, u"Pasta.txt"_s);
    box->lockFile = log.kind(u"K"_s)->Lck;

    log.MsgGrpReg(u"K"_s, u"perdido"_s);
    int ok = -1;
    log.CmpRtx(u"linha"_s);
    log.cmpReg(u"K"_s, ok);
    EXPECT_EQ(ok, 0);
    ASSERT_EQ(box->shown().size(), 2u);
    EXPECT_EQ(box->shown()[0].request.title, u"Mensagem de Erro");
    EXPECT_EQ(box->shown()[0].request.text,
              u"Não foi possivel registar informação no ficheiro : "_s + temp.path(u"Pasta.txt"_s));
    EXPECT_EQ(box->lockFree, (std::vector<bool>{true, true}));
    EXPECT_EQ(zvtest::namesIn(temp.path()), QStringList{u"Pasta.txt"_s});
}

TEST_F(LogFile, WritersLeaveTheCallersBufferAlone) {
    SupLogReg log;
    addKind(log, u"K"_s, u"k.log"_s);
    log.PrpGrp(u"ERR"_s, u"Erros"_s, temp.path(u"err.log"_s), kOne, kOne);
    log.CmpRtx(u"primeira"_s);
    log.CmpRtx(u"segunda"_s);
    log.MsgGrpReg(u"K"_s, u"mensagem"_s);
    log.RegAceIni(u"K"_s);
    log.RtxPa(u"K"_s, {Variant(u"a"_s), Variant(int16_t(2))});
    log.ErrInfPrp(u"m"_s, u"o"_s, Variant(int16_t(5)), QString());
    log.ErrMsg(u"ERR"_s);
    EXPECT_EQ(log.bufferLines(), (QStringList{u"primeira"_s, u"segunda"_s}));

    temp.write(u"k.log"_s, "");
    int ok = 0;
    log.cmpReg(u"K"_s, ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(bytes(u"k.log"_s), "primeira\nsegunda\n");
    EXPECT_EQ(log.bufferLines().size(), 2);
    Variant lines;
    int count = 0;
    log.CmpCon(lines, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(zvtest::textOf(lines.array().at1(2)), u"segunda");
}

TEST_F(LogFile, ACallThatRunsDuringAnotherOnesWaitDisturbsNeither) {
    SupLogReg log;
    addKind(log, u"A"_s, u"a.log"_s);
    addKind(log, u"B"_s, u"b.log"_s);
    const QString lockA = log.kind(u"A"_s)->Lck;
    file::FileLock other;
    ASSERT_EQ(other.tryLockFile(file::nativeName(lockA), 1, 0), 0);

    int pumps = 0;
    bool pumpedWhileHeld = false;
    ctx.headless().pump->setHook([&] {
        ++pumps;
        if (pumps == 1) log.MsgGrpReg(u"B"_s, u"de dentro"_s);
        if (pumps == 2) log.PrpOpcFic(u"A"_s, temp.path(u"outro.log"_s));
        if (pumps == 3) other.unlock();
        if (pumps > 3) {
            // The writer that waited has the lock now: the pump must not run.
            file::FileLock probe;
            pumpedWhileHeld |= probe.tryLockFile(file::nativeName(lockA), 1, 0) != 0;
        }
    });
    log.MsgGrpReg(u"A"_s, u"de fora"_s);
    EXPECT_EQ(bytes(u"a.log"_s), "14:03:07 de fora\n");
    EXPECT_EQ(bytes(u"b.log"_s), "14:03:07 de dentro\n");
    EXPECT_FALSE(exists(u"outro.log"_s));
    EXPECT_FALSE(pumpedWhileHeld);
    EXPECT_GE(pumps, 3);
}

TEST_F(LogFile, ALinkOrAnythingButAPlainFileIsNoLog) {
    SupLogReg log;
    const QString target = temp.write(u"secreto.txt"_s, "intacto\n");
    ASSERT_EQ(
        ::symlink(target.toUtf8().constData(), temp.path(u"ligado.log"_s).toUtf8().constData()), 0);
    addKind(log, u"L"_s, u"ligado.log"_s);
    log.MsgGrpReg(u"L"_s, u"desviado"_s);
    EXPECT_EQ(bytes(u"secreto.txt"_s), "intacto\n");

    ASSERT_EQ(::mkfifo(temp.path(u"fila.log"_s).toUtf8().constData(), 0600), 0);
    addKind(log, u"F"_s, u"fila.log"_s);
    log.MsgGrpReg(u"F"_s, u"nunca"_s); // returns without waiting for a reader
    EXPECT_EQ(boxes().shown().size(), 2u);

    // A lock file that is a link: nothing is written and the link's target is untouched.
    addKind(log, u"K"_s, u"k.log"_s);
    ASSERT_EQ(::symlink(target.toUtf8().constData(), log.kind(u"K"_s)->Lck.toUtf8().constData()),
              0);
    log.MsgGrpReg(u"K"_s, u"sem registo"_s);
    EXPECT_FALSE(exists(u"k.log"_s));
    EXPECT_EQ(bytes(u"secreto.txt"_s), "intacto\n");
}

TEST_F(LogFile, TitleSeparationAndFirstHeaderAreDecidedOnTheLogsLength) {
    SupLogReg log;
    log.PrpCab(1, 10);
    log.PrpTit(u"Não usado"_s);
    addKind(log, u"K"_s, u"k.log"_s);
    log.RtxZonSep(u"K"_s, 3); // empty log: no separation
    EXPECT_EQ(bytes(u"k.log"_s), "");
    temp.write(u"k.log"_s, "abc\n");
    log.GrpIde(u"K"_s, 1); // 4 bytes: the title block is still written
    EXPECT_EQ(bytes(u"k.log"_s), "abc\nRegisto K\n\n\n\n");
    log.GrpIde(u"K"_s, 1);
    log.GrpCab(u"K"_s, 0); // only into an empty log
    log.RtxZonSep(u"K"_s, 2);
    EXPECT_EQ(bytes(u"k.log"_s), "abc\nRegisto K\n\n\n\n\n\n");

    addKind(log, u"C"_s, u"c.log"_s);
    log.PrpApp(gestor());
    log.GrpCab(u"C"_s, 0);
    const QList<QByteArray> lines = bytes(u"c.log"_s).split('\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.at(2), "Tipo       : INFO");
    EXPECT_EQ(lines.at(6), "0000000000");
}

TEST_F(LogFile, ALogKeepsItsLineEndAndEncodingAndARecordStartsOnALineOfItsOwn) {
    SupLogReg log;
    addKind(log, u"W"_s, u"w.log"_s);
    temp.write(u"w.log"_s, "Cora\xe7\xe3o\r\n");
    log.RtxPa(u"W"_s, {Variant(u"Ação"_s), Variant(u"fim"_s)});
    EXPECT_EQ(bytes(u"w.log"_s), "Cora\xe7\xe3o\r\nA\xe7\xe3o\r\nfim\r\n");

    addKind(log, u"U"_s, u"u.log"_s);
    temp.write(u"u.log"_s, "sem fim de linha");
    log.MsgGrpRtx(u"U"_s, u"novo   "_s);
    EXPECT_EQ(bytes(u"u.log"_s), "sem fim de linha\nnovo\n");
}

TEST_F(LogFile, ARecordThatDoesNotFitIsTakenBackAndReportedAsNotWritten) {
    const QString path = temp.write(u"cheio.log"_s, "antes\n");
    const int code = zvtest::runInChild([&] {
        SupLogReg log;
        log.PrpGrp(u"K"_s, u"k"_s, path, kOne, kOne);
        for (int i = 0; i < 100; ++i)
            log.CmpRtx(u"uma linha que não cabe"_s);
        zvtest::limitFileSize(20);
        int ok = -1;
        log.cmpReg(u"K"_s, ok);
        return ok == 0 ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(bytes(u"cheio.log"_s), "antes\n");
    EXPECT_EQ(zvtest::namesIn(temp.path()), QStringList{u"cheio.log"_s});
}

TEST_F(LogFile, ClearingAsksWhenToldAndTakesTheLock) {
    SupLogReg log;
    log.PrpTit(u"Registos"_s);
    addKind(log, u"K"_s, u"k.log"_s);
    log.MsgGrpRtx(u"K"_s, u"a"_s);
    boxes().queueAnswer(MsgAnswer::No);
    EXPECT_FALSE(log.GrpLpz(u"K"_s, 1));
    ASSERT_EQ(boxes().shown().size(), 1u);
    EXPECT_EQ(boxes().shown()[0].request.title, u"Registos");
    EXPECT_EQ(boxes().shown()[0].request.text, u"Limpar registo\r\n\r\nConfirma ?");
    EXPECT_TRUE(exists(u"k.log"_s));
    boxes().queueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(log.GrpLpz(u"K"_s, 1));
    EXPECT_FALSE(exists(u"k.log"_s));
    EXPECT_TRUE(log.GrpLpz(u"K"_s, 0)); // nothing there is cleared too
    EXPECT_FALSE(log.GrpLpz(u"NADA"_s, 0));

    // A held lock keeps the log.
    log.MsgGrpRtx(u"K"_s, u"b"_s);
    file::FileLock other;
    ASSERT_EQ(other.tryLockFile(file::nativeName(log.kind(u"K"_s)->Lck), 1, 0), 0);
    EXPECT_FALSE(log.GrpLpz(u"K"_s, 0));
    EXPECT_EQ(ctx.headless().pump->pumpCount(), 2 * (SupLogReg::kClearAttempts - 1));
    other.unlockAndRemove();
    EXPECT_EQ(bytes(u"k.log"_s), "b\n");
    EXPECT_EQ(zvtest::namesIn(temp.path()), QStringList{u"k.log"_s});

    // The start-up log starts again with its header.
    log.PrpGrp(u"INI"_s, u"Registo de Inicialização"_s, temp.path(u"ini.log"_s), kOne, kOne);
    log.RegIniMsg(u"velho"_s);
    log.RegIniLpz();
    const QList<QByteArray> lines = bytes(u"ini.log"_s).split('\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.at(0), QByteArray(80, '='));
    EXPECT_EQ(lines.at(2), "Tipo       : INF - Registo de Inicialização");
    EXPECT_EQ(lines.at(6), "");
}

TEST_F(LogFile, SilentMessagesOfTheMessageBoxGoToTheLog) {
    ctx->setProgramFile(u"/opt/gestor/gestor"_s);
    auto log = std::make_unique<SupLogReg>();
    addKind(*log, u"ACE"_s, u"ace.log"_s);
    GlbMsgState& st = glbMsgState();
    st.MsgSil = 1;
    st.MsgLogOb = log->messageLog();
    st.MsgLogArg = u"ace"_s;
    int answer = -1;
    MsgExe(u"X"_s, u"Título"_s, Variant(u"Texto"_s), answer);
    EXPECT_EQ(answer, 0);
    const QString line = QString::fromUtf8(bytes(u"ace.log"_s));
    EXPECT_TRUE(line.startsWith(u"14:03:07 "_s)) << line.toStdString();
    EXPECT_TRUE(line.contains(u"[MSG=Texto]"_s)) << line.toStdString();
    EXPECT_TRUE(line.endsWith(u" (gestor)\n"_s)) << line.toStdString();

    // Once the log object is gone the message is dropped.
    log.reset();
    MsgExe(u"X"_s, u"Título"_s, Variant(u"Outro"_s), answer);
    EXPECT_EQ(QString::fromUtf8(bytes(u"ace.log"_s)), line);
    EXPECT_TRUE(boxes().shown().empty());
}

TEST_F(LogFile, ALogIsShownWhenItExistsOrItsKindIsActive) {
    SupLogReg log;
    addKind(log, u"K"_s, u"k.log"_s);
    log.LogVer(u"K"_s); // no file yet
    log.PrpOpcUso(u"K"_s, kZero);
    log.MsgGrpRtx(u"K"_s, u"não escrito"_s);
    log.GrpVer(u"K"_s); // inactive
    EXPECT_TRUE(ctx.headless().opener->viewed().isEmpty());
    temp.write(u"k.log"_s, "x\n");
    log.LogVer(u"K"_s);
    log.PrpOpcUso(u"K"_s, kOne);
    log.GrpVer(u"K"_s);
    EXPECT_EQ(ctx.headless().opener->viewed(), QStringList(2, temp.path(u"k.log"_s)));
}
