// bench_startup FOLDER [ROUNDS]: the start-up figures. Writes generated wizard definitions of 50,
// 200 and 400 pages (10 controls a page) into FOLDER, then times, in alternation, for 200 pages:
// - ours: the wizard window made and loaded, the engine bound to it, the definition read, every
//   page control built on the window and page 1 entered (ZelVynAsp, SupVyn::RegFrm, VynIni), as
//   the program starts a wizard, up to the moment the window would be shown;
// - plain: a window with its four buttons and the same 2,000 controls as bare Qt widgets of the
//   same kinds (labels, check boxes, text panels, frames with an option button), each given its
//   text, place and size, and hidden.
// The windows are not shown (offscreen platform). Each side's best of 4 x ROUNDS rounds is printed
// as the line "start-up OURS PLAIN". Then:
// - "linear PER-PAGE-AT-400 PER-PAGE-AT-50": ours at 400 and at 50 pages (best rounds), each
//   divided by its number of pages;
// - "pure EACH-TIME ONCE": ours at 200 pages with every position and size expression evaluated
//   where it stands, against with the pure ones evaluated once (SupVyn::setPureValuesKept);
// - "memory OURS-KB PLAIN-KB": the peak resident size of a process that builds the 200-page
//   wizard once against one that builds the bare widgets once (the program run again as
//   "bench_startup --rss ours|plain FOLDER", each printing its own peak).
//
// Every page has 3 buttons and 10 controls: 5 labels, 2 check boxes, a text panel and an option
// list with one option; positions and sizes are script expressions over the definition's
// variables, as wizards write them.

#include "BenchSupport.h"

#include "EventGuard.h"
#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "VbError.h"
#include "ZelVynAsp.h"
#include "ZelVynGlb.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <cstdio>
#include <memory>

namespace {

constexpr int kPages = 200;
constexpr int kFewPages = 50;
constexpr int kManyPages = 400;

QByteArray n(int v) {
    return QByteArray::number(v);
}

void zone(QByteArray& out, const QByteArray& header, const QList<QByteArray>& entries) {
    out += header + "\n";
    for (const QByteArray& e : entries)
        out += e + "\n";
    out += "##\n\n";
}

QByteArray definition(int pages) {
    QByteArray out;
    out += "'Nome       : bench.par\n'Tipo       : vyn\n'Data       : 2026/12/01\n"
           "'Versao     : 1.0\n'Descricao  : Assistente gerado de 200 páginas\n\n";
    zone(out, "#DEF:IDE - Janela",
         {"Título da janela      [TitVyn]=Instalação", "Largura (pixels)      [DimX]=640",
          "Altura (pixels)       [DimY]=480", "Pergunta ao cancelar  [MsgCan]=Quer mesmo sair ?"});
    zone(out, "#VAR:IDE - Variáveis",
         {"Margem                [Margem]=20", "Largura útil          [LargUtil]=xMax - 2 * Margem",
          "Linha                 [Linha]=30"});
    zone(out, "#PON:IDE - Pontos",
         {"Botão Anterior        [AUT_TraPosAnt]=xMax - 270, yMax - 40",
          "Botão Seguinte        [AUT_TraPosSeg]=xMax - 180, yMax - 40",
          "Botão Cancelar        [AUT_TraPosCan]=xMax - 90, yMax - 40",
          "Título                [PtTit]=Margem, Margem"});
    zone(out, "#ZON:IDE - Zonas",
         {"Área do texto         [ZnTxt]=Margem, 240, xMax - Margem, yMax - 60"});
    for (int p = 1; p <= pages; ++p) {
        out += "'----------------------------------------------------------- página " + n(p) + "\n";
        zone(out, "#PAG:IDE - Página " + n(p),
             {"Identificador         [IDE]=P" + n(p), "Descrição             [DES]=Página " + n(p),
              "Ao entrar             [FxPagEnt]=PagEnt"});
        if (p > 1)
            zone(out, "#TRA:IDE - Anterior",
                 {"Botão                 [IDE]=ANT", "Legenda               [DES]=< Anterior"});
        if (p < pages)
            zone(out, "#TRA:IDE - Seguinte",
                 {"Botão                 [IDE]=SEG", "Legenda               [DES]=Seguinte >",
                  "Acção                 [TRATIP]=PAG",
                  "Página                [TRAPAG]=P" + n(p + 1)});
        zone(out, "#TRA:IDE - Cancelar",
             {"Botão                 [IDE]=CAN", "Legenda               [DES]=Cancelar",
              "Acção                 [TRATIP]=FIM"});
        for (int k = 0; k < 5; ++k) {
            QList<QByteArray> e{"Tipo                  [Tip]=LAB",
                                "Nome                  [Ide]=laP" + n(p) + "L" + n(k),
                                "Posição               [Pos]=Margem, Margem + " + n(k) + " * Linha",
                                "Tamanho               [Dim]=LargUtil",
                                "Fundo                 [Fun]=NC",
                                "Texto                 [Txt]=Texto " + n(k) + " da página " + n(p) +
                                    ": o que esta página instala"};
            if (k == 0) {
                e << "Cor                   [Cor]=0,0,128"
                  << "Letra                 [Fon]=DejaVu Sans,14,Bold"
                  << "Alinhamento           [Aln]=centro";
            }
            zone(out, "#CMP:IDE - Etiqueta", e);
        }
        for (int k = 0; k < 2; ++k)
            zone(out, "#CMP:IDE - Caixa",
                 {"Tipo                  [Tip]=CKB",
                  "Nome                  [Ide]=ckP" + n(p) + "C" + n(k),
                  "Posição               [Pos]=Margem, 170 + " + n(k) + " * 24",
                  "Tamanho               [Dim]=300, 20", "Fundo                 [Fun]=NC",
                  "Texto                 [Txt]=Opção " + n(k) + " da página " + n(p)});
        zone(out, "#CMP:IDE - Painel",
             {"Tipo                  [Tip]=RTF", "Nome                  [Ide]=rtfP" + n(p),
              "Posição               [Pos]=ZnTxt_X1, ZnTxt_Y1",
              "Tamanho               [Dim]=(ZnTxt_X2 - ZnTxt_X1) / 2, ZnTxt_Y2 - ZnTxt_Y1",
              "Fundo                 [Fun]=255,255,255",
              "Texto                 [Txt]=O painel da página " + n(p) + " descreve o passo."});
        zone(out, "#CMP:IDE - Lista",
             {"Tipo                  [Tip]=OPC", "Nome                  [Ide]=opcP" + n(p),
              "Posição               [Pos]=xMax / 2, ZnTxt_Y1",
              "Tamanho               [Dim]=280, 100", "Fundo                 [Fun]=7",
              "Cor                   [Cor]=0,0,0"});
        zone(out, "#CMP:IDE - Opção",
             {"Tipo                  [Tip]=OPCTXT", "Texto                 [Txt]=Instalar tudo",
              "Adicional             [Adi]=tudo"});
    }
    zone(out, "#VBS:TX - Script",
         {"Dim Visitas", "Visitas = 0", "Sub PagEnt()", "    Visitas = Visitas + 1", "End Sub"});
    return out;
}

// Ours: the window, the engine, the definition read and built, page 1 entered.
struct Wizard {
    std::shared_ptr<zv::ZelVynAsp> window;
    std::shared_ptr<zv::SupVyn> engine;
};

void buildWizard(Wizard& w, const QString& file, bool pureValuesKept = true) {
    w.window = std::make_shared<zv::ZelVynAsp>();
    w.engine = std::make_shared<zv::SupVyn>();
    w.engine->setPureValuesKept(pureValuesKept);
    w.window->load();
    w.engine->RegFrm(w.window);
    w.engine->VynIni(file);
}

void releaseWizard(Wizard& w) {
    w.engine.reset();
    w.window.reset();
    zv::clearPendingException();
}

// Plain: the same window and controls as bare widgets.
std::unique_ptr<QWidget> buildPlain() {
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("Instalação"));
    window->setFixedSize(640, 480);
    const char* buttons[] = {"< Anterior", "Seguinte >", "Confirmar", "Cancelar"};
    for (int b = 0; b < 4; ++b) {
        auto* button = new QPushButton(QString::fromUtf8(buttons[b]), window.get());
        button->setGeometry(280 + 90 * b, 443, 81, 25);
    }
    QFont title(QStringLiteral("DejaVu Sans"), 14);
    title.setBold(true);
    for (int p = 1; p <= kPages; ++p) {
        for (int k = 0; k < 5; ++k) {
            auto* label = new QLabel(window.get());
            label->setText(
                QStringLiteral("Texto %1 da página %2: o que esta página instala").arg(k).arg(p));
            label->setWordWrap(true);
            label->setGeometry(20, 20 + 30 * k, 600, 24);
            if (k == 0) {
                label->setFont(title);
                label->setAlignment(Qt::AlignHCenter);
            }
            label->hide();
        }
        for (int k = 0; k < 2; ++k) {
            auto* box =
                new QCheckBox(QStringLiteral("Opção %1 da página %2").arg(k).arg(p), window.get());
            box->setGeometry(20, 170 + 24 * k, 300, 20);
            box->hide();
        }
        auto* panel = new QTextEdit(window.get());
        panel->setReadOnly(true);
        panel->setPlainText(QStringLiteral("O painel da página %1 descreve o passo.").arg(p));
        panel->setGeometry(20, 240, 300, 180);
        panel->hide();
        auto* frame = new QFrame(window.get());
        frame->setGeometry(320, 240, 280, 100);
        auto* option = new QRadioButton(QStringLiteral("Instalar tudo"), frame);
        option->setGeometry(8, 8, 260, 20);
        frame->hide();
    }
    return window;
}

// The peak resident size of this process in kB (VmHWM), or 0.
long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    // A file of /proc has no size: it is read whole, not line by line up to an end.
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

bool writeDefinition(const QString& file, int pages) {
    QFile f(file);
    const QByteArray text = definition(pages);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

QString definitionFile(const QString& folder, int pages) {
    return QStringLiteral("%1/assistente-%2.par").arg(folder).arg(pages);
}

// Runs this program again as "--rss SIDE FOLDER" and reads the peak it prints; 0 on failure.
long childPeak(const char* self, const char* side, const QString& folder) {
    int out[2];
    if (::pipe(out) != 0) return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray dir = folder.toLocal8Bit();
    char* argv[] = {const_cast<char*>(self), const_cast<char*>("--rss"), const_cast<char*>(side),
                    const_cast<char*>(dir.constData()), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    QByteArray text;
    char buf[256];
    for (ssize_t n; rc == 0 && (n = ::read(out[0], buf, sizeof buf)) > 0;)
        text.append(buf, n);
    ::close(out[0]);
    int status = 0;
    if (rc != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return 0;
    return text.trimmed().toLong();
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool rss = argc == 4 && QByteArray(argv[1]) == "--rss";
    if (argc < 2 || (QByteArray(argv[1]) == "--rss" && !rss)) {
        std::fputs("usage: bench_startup FOLDER [ROUNDS]\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[rss ? 3 : 1]);
    const int rounds = !rss && argc > 2 ? std::max(1, QByteArray(argv[2]).toInt()) : 5;
    const QString file = definitionFile(folder, kPages);

    zv::ScopedProcessContext context;
    context->setArguments({QStringLiteral("zelvyn")});
    auto prepare = [&](const QString& definitionPath) {
        zv::zelVynGlbReset();
        zv::ZelVynGlbState& g = zv::zelVynGlbState();
        g.DirPgm = folder;
        g.VynFpa = definitionPath;
    };

    if (rss) {
        // One build of one side, its peak printed (the definition is already written).
        if (QByteArray(argv[2]) == "ours") {
            prepare(file);
            Wizard w;
            buildWizard(w, file);
            std::printf("%ld\n", peakResidentKb());
            releaseWizard(w);
        } else {
            const std::unique_ptr<QWidget> window = buildPlain();
            std::printf("%ld\n", peakResidentKb());
        }
        return 0;
    }

    for (const int pages : {kFewPages, kPages, kManyPages}) {
        if (!writeDefinition(definitionFile(folder, pages), pages)) {
            std::fputs("bench_startup: cannot write the definition\n", stderr);
            return 1;
        }
    }

    // A first round of each, untimed: fonts, styles and the code paged in.
    {
        prepare(file);
        Wizard w;
        buildWizard(w, file);
        const int controls = w.engine->CmpNum();
        const int pages = w.engine->PagNum();
        const bool onPage1 = w.engine->PagAtu == 1;
        releaseWizard(w);
        if (controls != 10 * kPages || pages != kPages || !onPage1) {
            std::fprintf(stderr, "bench_startup: the wizard read %d pages and %d controls\n", pages,
                         controls);
            return 1;
        }
        buildPlain();
    }

    // A round takes a few hundredths of a second: four times as many as asked, for a best time
    // that a busy moment of the machine does not decide.
    zvbench::Best ours("ours"), plain("plain");
    for (int r = 0; r < 4 * rounds; ++r) {
        prepare(file);
        Wizard w;
        ours.add(zvbench::timed([&] { buildWizard(w, file); }));
        releaseWizard(w);
        std::unique_ptr<QWidget> window;
        plain.add(zvbench::timed([&] { window = buildPlain(); }));
        window.reset();
    }
    zvbench::report("start-up", ours.seconds(), plain.seconds());

    // The same wizard at 50 and 400 pages, in alternation: the time per page.
    zvbench::Best few("50 pages"), many("400 pages");
    const QString fewFile = definitionFile(folder, kFewPages);
    const QString manyFile = definitionFile(folder, kManyPages);
    for (int r = 0; r < rounds; ++r) {
        for (const bool large : {false, true}) {
            const QString& f = large ? manyFile : fewFile;
            prepare(f);
            Wizard w;
            (large ? many : few).add(zvbench::timed([&] { buildWizard(w, f); }));
            releaseWizard(w);
        }
    }
    zvbench::report("linear", many.seconds() / kManyPages, few.seconds() / kFewPages);

    // What evaluating each pure position and size once saves: the 200 pages built with every
    // expression evaluated where it stands, against as above.
    zvbench::Best each("evaluated each time"), once("evaluated once");
    for (int r = 0; r < rounds; ++r) {
        for (const bool kept : {false, true}) {
            prepare(file);
            Wizard w;
            (kept ? once : each).add(zvbench::timed([&] { buildWizard(w, file, kept); }));
            releaseWizard(w);
        }
    }
    zvbench::report("pure", each.seconds(), once.seconds());

    const long oursKb = childPeak(argv[0], "ours", folder);
    const long plainKb = childPeak(argv[0], "plain", folder);
    if (oursKb <= 0 || plainKb <= 0) {
        std::fputs("bench_startup: no peak resident size from the children\n", stderr);
        return 1;
    }
    zvbench::report("memory", double(oursKb), double(plainKb));
    for (const int pages : {kFewPages, kPages, kManyPages})
        QFile::remove(definitionFile(folder, pages));
    return 0;
}
