// Finding the definition: the box and exit status 1 when it is missing, "-FP" in any case,
// and the folder globals with the drive part of the definition's folder.
#include "WizardTestSupport.h"

#include <QDir>

using namespace zv;
using namespace zvtest;

namespace {

// An engine that keeps the file it was asked to read, and a window that closes at once.
std::shared_ptr<QString> recordDefinitionRead() {
    auto file = std::make_shared<QString>();
    ZelVynMainHooks& hooks = zelVynMainState().hooks;
    hooks.newWindow = [] { return std::make_shared<FakeWindow>(); };
    hooks.newEngine = [file] {
        auto engine = std::make_shared<FakeEngine>();
        engine->onVynIni = [file, e = engine.get()] { *file = e->file; };
        return engine;
    };
    return file;
}

} // namespace

class StartupRoutine : public StartupTest {};

TEST_F(StartupRoutine, MissingDefinitionShowsTheBoxWithItsPathAndExitsOne) {
    const QString folder = temp.path(QStringLiteral("a folder"));
    QDir().mkpath(folder);
    const QString absent = temp.path(QStringLiteral("nada.par"));
    const QString beside = programFolder + QStringLiteral("/ZelVyn.par");
    const QString notFound = QStringLiteral("Não foi encontrado o ficheiro de opções.");
    const struct {
        QStringList words;
        QString shown, why;
    } cases[] = {
        {{}, beside, notFound},
        {{QStringLiteral("-FP")}, beside, notFound},
        {{QStringLiteral("-FP"), absent}, absent, notFound},
        {{QStringLiteral("-fp"), folder},
         folder,
         QStringLiteral("Não é possível ler o ficheiro de opções: é uma pasta.")},
    };
    for (const auto& [words, shown, why] : cases) {
        resetModules();
        boxes().clear();
        int attempts = 0;
        zelVynMainState().hooks.newWindow = [&] {
            ++attempts;
            return std::make_shared<FakeWindow>();
        };
        setArguments(words);
        EXPECT_EQ(PgmRun(), 1);
        ASSERT_EQ(boxes().shown().size(), 1u);
        const MessageBoxRequest& box = boxes().shown()[0].request;
        EXPECT_EQ(box.title, QStringLiteral("Vynnard"));
        EXPECT_EQ(box.text, why + QStringLiteral("\r\n\r\nFicheiro: ") + shown);
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(attempts, 0);
    }
}

TEST_F(StartupRoutine, FindsTheDefinitionAfterTheSwitchInAnyCase) {
    const QString file = writeDefinition(QStringLiteral("Meu Assistente/def.par"));
    for (const char* sw : {"-FP", "-fp", "-Fp"}) {
        resetModules();
        auto read = recordDefinitionRead();
        setArguments({QStringLiteral("Nome=valor"), QString::fromLatin1(sw), file});
        EXPECT_EQ(PgmRun(), 0) << sw;
        EXPECT_EQ(*read, file) << sw;
        EXPECT_EQ(zelVynGlbState().DirPgm, temp.path(QStringLiteral("Meu Assistente")));
        EXPECT_TRUE(boxes().shown().empty());
    }
    EXPECT_EQ(ficGlbState().FicSepDir, QStringLiteral("/"));
    EXPECT_EQ(zelVynGlbState().regRoot.varType(), vbLong);

    // A relative path is made whole: DirPgm names the real folder, not "".
    resetModules();
    auto read = recordDefinitionRead();
    const QString before = QDir::currentPath();
    QDir::setCurrent(temp.path(QStringLiteral("Meu Assistente")));
    setArguments({QStringLiteral("-FP"), QStringLiteral("def.par")});
    EXPECT_EQ(PgmRun(), 0);
    QDir::setCurrent(before);
    EXPECT_TRUE(read->startsWith(u'/')) << read->toStdString();
    EXPECT_TRUE(QFileInfo(zelVynGlbState().DirPgm).isDir());
}

TEST_F(StartupRoutine, DefinitionBesideTheProgramAndItsDrive) {
    // The temporary folder is a CD of its own in this mount table.
    const QString cd = temp.path(QStringLiteral("cd"));
    ctx->setMountTableFile(
        temp.write(QStringLiteral("mounts"), QStringLiteral("/dev/sda2 / ext4 rw 0 0\n"
                                                            "/dev/sr0 %1 iso9660 ro 0 0\n")
                                                 .arg(cd)
                                                 .toUtf8()));
    ctx->setProgramFolder(cd + QStringLiteral("/Setup"));
    const QString file = writeDefinition(QStringLiteral("cd/Setup/ZelVyn.par"));
    QStringList order;
    recordDefinitionRead();
    zelVynMainState().hooks.showBackground = [&] {
        order << QStringLiteral("shown");
        throw VbError(err::InvalidPropertyValue); // ignored
    };
    zelVynMainState().hooks.unloadBackground = [&] { order << QStringLiteral("unloaded"); };
    EXPECT_EQ(PgmRun(), 0);
    EXPECT_EQ(order, (QStringList{QStringLiteral("shown"), QStringLiteral("unloaded")}));
    const ZelVynGlbState& g = zelVynGlbState();
    EXPECT_EQ(g.VynFpa, file);
    EXPECT_EQ(g.DirPgm, cd + QStringLiteral("/Setup"));
    EXPECT_EQ(g.LtrCd, cd);
    EXPECT_EQ(g.DrvCd, cd);
}

// ---- the drive part of a folder ----

class StartupDrive : public StartupTest {};

TEST_F(StartupDrive, FoldersSplitIntoTheirDrive) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // separator, folder, letter, drive
        {"\\", "D:\\Setup\\Wizard", "D", "D:"},
        {"\\", "D:", "D", "D:"},
        {"\\", "\\\\srv\\share\\setup", "\\\\srv\\share", "\\\\srv\\share"},
        {"\\", "\\\\srv\\share", "\\\\srv\\share", "\\\\srv\\share"},
        {"\\", "\\\\srv", "\\\\srv", "\\\\srv"},
        {"/", "/media/cdrom/setup", "/media/cdrom", "/media/cdrom"},
        {"/", "/media/cdromx/setup", "/", "/"},
        {"/", "/media/My Stick/Assistente", "/media/My Stick", "/media/My Stick"},
        {"/", "/data/x", "/data", "/data"},
        {"/", "//fileserver/share/wizard", "//fileserver/share", "//fileserver/share"},
        {"/", "relative/folder", "", ""},
    };
    ctx->setMountTableFile(dataPath(QStringLiteral("foundation/mounts")));
    for (const auto& [sep, folder, letter, drive] : cases) {
        ficGlbState().FicSepDir = QString::fromLatin1(sep);
        QString l, d;
        FicDirDiv(QString::fromLatin1(folder), l, d);
        EXPECT_EQ(l, QString::fromLatin1(letter)) << folder;
        EXPECT_EQ(d, QString::fromLatin1(drive)) << folder;
    }
}

TEST_F(StartupDrive, OnlyDriveLettersGetAColonAlsoInDebugMode) {
    const std::pair<const char*, const char*> cases[] = {
        {"E", "E:"},
        {"e", "e:"},
        {"//srv/share", "//srv/share"},
        {"/media/cd", "/media/cd"},
        {"", ""},
        {"D:", "D:"},
        {"1", "1"},
    };
    for (const auto& [letter, drive] : cases) {
        debugFoldersApply(QString::fromLatin1(letter), QStringLiteral("/x"));
        EXPECT_EQ(zelVynGlbState().LtrCd, QString::fromLatin1(letter));
        EXPECT_EQ(zelVynGlbState().DrvCd, QString::fromLatin1(drive)) << letter;
        EXPECT_EQ(zelVynGlbState().DirPgm, QStringLiteral("/x"));
    }
}
