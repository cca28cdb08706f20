// bench_startup FOLDER [ROUNDS]: the start-up figure. Writes a generated wizard definition of 200
// pages and 2,000 controls into FOLDER, then times, in alternation:
// - ours: the wizard window made and loaded, the engine bound to it, the definition read, every
//   page control built on the window and page 1 entered (ZelVynAsp, SupVyn::RegFrm, VynIni), as
//   the program starts a wizard, up to the moment the window would be shown;
// - plain: a window with its four buttons and the same 2,000 controls as bare Qt widgets of the
//   same kinds (labels, check boxes, text panels, frames with an option button), each given its
//   text, place and size, and hidden.
// The windows are not shown (offscreen platform). Each side's best round is printed.
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

QByteArray n(int v) {
    return QByteArray::number(v);
}

void zone(QByteArray& out, const QByteArray& header, const QList<QByteArray>& entries) {
    out += header + "\n";
    for (const QByteArray& e : entries)
        out += e + "\n";
    out += "##\n\n";
}

QByteArray definition() {
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
    for (int p = 1; p <= kPages; ++p) {
        out += "'----------------------------------------------------------- página " + n(p) + "\n";
        zone(out, "#PAG:IDE - Página " + n(p),
             {"Identificador         [IDE]=P" + n(p), "Descrição             [DES]=Página " + n(p),
              "Ao entrar             [FxPagEnt]=PagEnt"});
        if (p > 1)
            zone(out, "#TRA:IDE - Anterior",
                 {"Botão                 [IDE]=ANT", "Legenda               [DES]=< Anterior"});
        if (p < kPages)
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

void buildWizard(Wizard& w, const QString& file) {
    w.window = std::make_shared<zv::ZelVynAsp>();
    w.engine = std::make_shared<zv::SupVyn>();
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

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_startup FOLDER [ROUNDS]\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(1, QByteArray(argv[2]).toInt()) : 5;

    const QString file = folder + QStringLiteral("/assistente.par");
    {
        QFile f(file);
        const QByteArray text = definition();
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
            std::fputs("bench_startup: cannot write the definition\n", stderr);
            return 1;
        }
    }

    zv::ScopedProcessContext context;
    context->setArguments({QStringLiteral("zelvyn")});
    auto prepare = [&] {
        zv::zelVynGlbReset();
        zv::ZelVynGlbState& g = zv::zelVynGlbState();
        g.DirPgm = folder;
        g.VynFpa = file;
    };

    // A first round of each, untimed: fonts, styles and the code paged in.
    {
        prepare();
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

    zvbench::Best ours("ours"), plain("plain");
    for (int r = 0; r < rounds; ++r) {
        prepare();
        Wizard w;
        ours.add(zvbench::timed([&] { buildWizard(w, file); }));
        releaseWizard(w);
        std::unique_ptr<QWidget> window;
        plain.add(zvbench::timed([&] { window = buildPlain(); }));
        window.reset();
    }
    zvbench::report("start-up", ours.seconds(), plain.seconds());
    QFile::remove(file);
    return 0;
}
