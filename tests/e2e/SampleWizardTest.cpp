// The sample wizard (samples/instalador) walked through as a person does, in-process: the pages
// in order, the boxes that refuse to go on, the files installed into the folder given as
// DESTINO=..., the serial number read from the registry store, and what "FxFim" does when the
// window closes (opens the README, or says that nothing was installed).

#include "SampleRun.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>

using zv::MsgAnswer;
using zv::MsgButtons;
using zv::MsgIcon;
using zvtest::SampleWalk;

namespace {

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll())
                                       : QStringLiteral("<missing>");
}

const QStringList kInstalled = {QStringLiteral("bin/configurar"), QStringLiteral("bin/ola-zelvyn"),
                                QStringLiteral("doc/LEIA-ME.txt"),
                                QStringLiteral("etc/ola-zelvyn.conf"),
                                QStringLiteral("share/mensagens.txt")};

// To the end: Next, tick the licence, Next, a language, Next, Install, Next, Finish.
QStringList fullWalk(int option) {
    return words("SEG ACEITO SEG")
           << QStringLiteral("OPC%1").arg(option) << words("SEG CNF SEG CAN");
}

struct LanguageCase {
    const char* name;
    int option;
    const char* code;
    const char* serial; // "" = no value in the registry store
};

std::ostream& operator<<(std::ostream& os, const LanguageCase& c) {
    return os << c.name;
}

class SampleLanguages : public zvtest::SampleRun,
                        public ::testing::WithParamInterface<LanguageCase> {};

class Sample : public zvtest::SampleRun {
protected:
    QString destinationWord() const { return QStringLiteral("DESTINO=") + destination(); }
};

} // namespace

TEST_P(SampleLanguages, InstallsIntoTheChosenFolder) {
    const LanguageCase& c = GetParam();
    const QString serial = QString::fromLatin1(c.serial);
    if (!serial.isEmpty()) seedSerial(serial);
    const QString dest = destination();

    const SampleWalk w = walk({QStringLiteral("DESTINO=") + dest}, fullWalk(c.option));

    EXPECT_EQ(w.status, 0);
    EXPECT_TRUE(w.closed);
    EXPECT_FALSE(w.abandoned);
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u';').toStdString();
    EXPECT_EQ(w.pages, (QList<int>{2, 2, 3, 3, 4, 4, 5}));
    EXPECT_TRUE(boxes().shown().empty()) << boxTitles().join(u',').toStdString();
    // On the confirm page before and after the installation; then the last page.
    ASSERT_EQ(w.buttons.size(), 7);
    EXPECT_EQ(w.buttons[4], QStringLiteral("< Anterior|Seguinte >-|Instalar|Cancelar"));
    EXPECT_EQ(w.buttons[5], QStringLiteral("< Anterior-|Seguinte >|Instalar-|Cancelar-"));
    EXPECT_EQ(w.buttons[6], QStringLiteral("|||Concluir"));

    // The copied tree with the chosen messages renamed and the others deleted; the program
    // keeps its executable bit.
    EXPECT_EQ(filesUnder(dest), kInstalled);
    EXPECT_EQ(readAll(dest + QStringLiteral("/share/mensagens.txt")),
              readAll(sampleFile(QStringLiteral("programa/share/mensagens.") + c.code)));
    EXPECT_TRUE(QFileInfo(dest + QStringLiteral("/bin/ola-zelvyn")).isExecutable());
    // What the configuration program wrote, started with the folder (blank and all) as one
    // argument and the serial number only when there is one.
    const QString conf = readAll(dest + QStringLiteral("/etc/ola-zelvyn.conf"));
    EXPECT_EQ(conf, QStringLiteral("# Olá ZelVyn: configuração escrita pelo instalador\n"
                                   "pasta=%1\nlingua=%2\nserie=%3\n")
                        .arg(dest, QLatin1String(c.code), serial));

    EXPECT_EQ(w.captions.at(QStringLiteral("laPasta")), dest);
    EXPECT_EQ(w.captions.at(QStringLiteral("laPasso1")),
              QStringLiteral("1. Ficheiros do programa copiados"));
    EXPECT_EQ(w.captions.at(QStringLiteral("laPasso3")),
              serial.isEmpty()
                  ? QStringLiteral("3. Sem número de série no registo (continua sem ele)")
                  : QStringLiteral("3. Número de série: ") + serial);
    EXPECT_EQ(w.captions.at(QStringLiteral("laFeito1")),
              QStringLiteral("O Olá ZelVyn foi instalado em ") + dest + u'.');
    // "FxFim": the README box is ticked by default, so the README is opened.
    EXPECT_EQ(opened(), QStringList{dest + QStringLiteral("/doc/LEIA-ME.txt")});
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleLanguages,
                         ::testing::Values(LanguageCase{"Portuguese", 1, "pt", "ZV-2026-0042"},
                                           LanguageCase{"EnglishWithoutSerial", 2, "en", ""},
                                           LanguageCase{"Spanish", 3, "es", "ZV-7"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Sample, RefusesToGoOnUntilTheBoxIsTickedAndALanguageChosen) {
    const SampleWalk w =
        walk({destinationWord()}, words("SEG SEG ACEITO SEG SEG OPC2 SEG ANT SEG X"));
    EXPECT_EQ(w.status, 0);
    EXPECT_TRUE(w.closed);
    // Next without the tick and Next without a language keep their page; Back from the
    // confirm page and Next again arrive with Next usable on the options page.
    EXPECT_EQ(w.pages, (QList<int>{2, 2, 2, 3, 3, 3, 4, 3, 4}));
    EXPECT_EQ(w.buttons[7], QStringLiteral("< Anterior|Seguinte >||Cancelar"));
    EXPECT_EQ(w.buttons[8], QStringLiteral("< Anterior|Seguinte >-|Instalar|Cancelar"));

    const auto& shown = boxes().shown();
    ASSERT_EQ(shown.size(), 3u) << boxTitles().join(u',').toStdString();
    EXPECT_EQ(shown[0].request.title, QStringLiteral("Licença"));
    EXPECT_EQ(shown[0].request.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(shown[0].request.beep);
    EXPECT_TRUE(shown[0].request.text.startsWith(
        QStringLiteral("Para continuar tem de aceitar os termos da licença.")));
    EXPECT_EQ(shown[1].request.title, QStringLiteral("Opções"));
    EXPECT_EQ(shown[1].request.icon, MsgIcon::Exclamation);
    // The close box before installing: "FxFim" says so.
    EXPECT_EQ(shown[2].request.title, QStringLiteral("Olá ZelVyn"));
    EXPECT_EQ(shown[2].request.icon, MsgIcon::Information);
    EXPECT_TRUE(shown[2].request.text.startsWith(QStringLiteral("A instalação foi cancelada.")));
    EXPECT_FALSE(QFileInfo::exists(destination()));
    EXPECT_TRUE(opened().isEmpty());
}

TEST_F(Sample, CancelAnsweredNoThenYes) {
    boxes().queueAnswers({MsgAnswer::No, MsgAnswer::Yes});
    const SampleWalk w = walk({destinationWord()}, words("SEG CAN CAN"));
    EXPECT_EQ(w.status, 0);
    EXPECT_TRUE(w.closed);
    EXPECT_EQ(w.pages, (QList<int>{2, 2}));
    const auto& shown = boxes().shown();
    ASSERT_EQ(shown.size(), 3u) << boxTitles().join(u',').toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(shown[i].request.title, QStringLiteral("Terminar"));
        EXPECT_EQ(shown[i].request.text, QStringLiteral("Quer mesmo sair da instalação?"));
        EXPECT_EQ(shown[i].request.icon, MsgIcon::Question);
        EXPECT_EQ(shown[i].request.buttons, MsgButtons::YesNo);
        EXPECT_EQ(shown[i].request.defaultButton, 2);
    }
    EXPECT_EQ(shown[2].request.title, QStringLiteral("Olá ZelVyn"));
    EXPECT_EQ(boxes().pendingAnswers(), 0);
    EXPECT_FALSE(QFileInfo::exists(destination()));
}

TEST_F(Sample, CloseBoxAfterInstallingWithTheReadmeUnticked) {
    const SampleWalk w =
        walk({destinationWord()}, words("SEG ACEITO SEG OPC1 SEG CNF SEG LEIAME X"));
    EXPECT_EQ(w.status, 0);
    EXPECT_TRUE(w.closed);
    EXPECT_EQ(w.pages.last(), 5);
    EXPECT_EQ(filesUnder(destination()), kInstalled);
    // "FxFim" ran: installed, box unticked: no README, no box.
    EXPECT_TRUE(opened().isEmpty());
    EXPECT_TRUE(boxes().shown().empty()) << boxTitles().join(u',').toStdString();
}

TEST_F(Sample, WithoutDestinoInstallsUnderTheHomeFolder) {
    const SampleWalk w = walk({}, fullWalk(1));
    EXPECT_EQ(w.status, 0);
    const QString dest = homeFolder() + QStringLiteral("/ZelVynDemo");
    EXPECT_EQ(w.captions.at(QStringLiteral("laPasta")), dest);
    EXPECT_EQ(filesUnder(dest), kInstalled);
    EXPECT_EQ(opened(), QStringList{dest + QStringLiteral("/doc/LEIA-ME.txt")});
}

TEST_F(Sample, InstallingAgainIntoTheSameFolderReplacesTheMessages) {
    walk({destinationWord()}, fullWalk(1));
    const SampleWalk again = walk({destinationWord()}, fullWalk(3));
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.pages.last(), 5);
    EXPECT_TRUE(boxes().shown().empty()) << boxTitles().join(u',').toStdString();
    EXPECT_EQ(filesUnder(destination()), kInstalled);
    EXPECT_EQ(readAll(destination() + QStringLiteral("/share/mensagens.txt")),
              readAll(sampleFile(QStringLiteral("programa/share/mensagens.es"))));
}

namespace {

struct FailureCase {
    const char* name;
    const char* inTheWay; // a file where the installation wants a folder
    const char* stepLabel;
    const char* stepText;
    const char* lastBox; // what "FxFim" says when the window closes
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) {
    return os << c.name;
}

class SampleFailures : public zvtest::SampleRun,
                       public ::testing::WithParamInterface<FailureCase> {};

} // namespace

// A step that fails shows its box and leaves Next off; the close box then says how far the
// installation got.
TEST_P(SampleFailures, AreReportedAndNextStaysOff) {
    const FailureCase& c = GetParam();
    temp.write(QStringLiteral("os meus programas/Olá") + QString::fromUtf8(c.inTheWay), "x");
    const SampleWalk w =
        walk({QStringLiteral("DESTINO=") + destination()}, words("SEG ACEITO SEG OPC1 SEG CNF X"));
    EXPECT_EQ(w.status, 0);
    EXPECT_TRUE(w.closed);
    EXPECT_EQ(w.pages, (QList<int>{2, 2, 3, 3, 4, 4}));
    EXPECT_EQ(w.buttons[5], QStringLiteral("< Anterior|Seguinte >-|Instalar|Cancelar"));
    EXPECT_EQ(w.captions.at(QString::fromLatin1(c.stepLabel)), QString::fromUtf8(c.stepText));
    EXPECT_EQ(boxTitles(), (QStringList{QStringLiteral("Instalar"), QStringLiteral("Olá ZelVyn")}));
    EXPECT_EQ(boxes().shown()[0].request.icon, MsgIcon::Critical);
    EXPECT_TRUE(boxes().shown()[1].request.text.startsWith(QString::fromUtf8(c.lastBox)));
    EXPECT_TRUE(opened().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Sample, SampleFailures,
    ::testing::Values(FailureCase{"Copy", "", "laPasso1",
                                  "1. Copiar os ficheiros do programa - falhou",
                                  "A instalação foi cancelada."},
                      FailureCase{"Configuration", "/etc", "laPasso4",
                                  "4. Correr o programa de configuração - falhou",
                                  "A instalação não terminou."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Sample, RefusesSystemFoldersAndRelativePaths) {
    const char* const refused[] = {"/usr/local/ola", "/etc/ola",     "/",
                                   "/opt",           "relativa/ola", "/home/../usr/ola"};
    for (const char* folder : refused) {
        SCOPED_TRACE(folder);
        boxes().clear();
        boxes().queueAnswers({MsgAnswer::OK, MsgAnswer::Yes});
        const SampleWalk w = walk({QStringLiteral("DESTINO=") + QString::fromLatin1(folder)},
                                  words("SEG ACEITO SEG OPC1 SEG CAN"));
        EXPECT_EQ(w.pages, (QList<int>{2, 2, 3, 3, 3}));
        ASSERT_FALSE(boxes().shown().empty());
        EXPECT_EQ(boxes().shown()[0].request.title, QStringLiteral("Opções"));
        EXPECT_EQ(boxes().shown()[0].request.icon, MsgIcon::Critical);
        EXPECT_TRUE(boxes().shown()[0].request.text.contains(QString::fromLatin1(folder)));
    }
}
