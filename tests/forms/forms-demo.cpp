// forms-demo [--data FOLDER] [--place L,T,W,H] [--report] [--quit] [--shots FOLDER]: forms laid
// out by SupFrm as a program would lay out its own.
// - The main form, an installer's page with a header panel, a list of components beside their
//   description, the space figures and a row of buttons, placed against marker lines (a
//   vertical split at 40% of the width, a right margin and a bottom band kept above the
//   buttons), within a minimum size. Resize the window and everything follows.
// - A message form beside it: a title panel with a background picture, an interior panel with
//   a numbered message list, a system panel and a status bar with three panels, their colours
//   and bevels taken from the palette file.
// The program keeps its files in the data folder (default: "forms-demo" in the program's data
// folder): the palette "Cores.par" and the title picture "Fun/Titulo.png", made on the first
// run, and the window-state table "Janelas.par", where both forms leave their place and size
// when they close and find it again at the next start.
// --place puts the main form at Left, Top, Width, Height (twips) after the restore; --report
// writes the main form's position text ("L,T,W,H,state") to the standard output once the forms
// show; --quit closes the forms (so they store their places) and ends.
// With --shots, the main form is shown at 600 x 400 and at 840 x 560 pixels (its inside) and the
// message form as it is, each saved as a PNG picture in FOLDER (forms-demo-600x400.png,
// forms-demo-840x560.png, forms-demo-mensagens.png), and the program ends (exit 0 when all were
// written).

#include "FicGlb.h"
#include "ProcessContext.h"
#include "SupFrm.h"
#include "TdaOpc.h"
#include "VbCheckBox3D.h"
#include "VbColor.h"
#include "VbCommandButton.h"
#include "VbForm.h"
#include "VbFrame3D.h"
#include "VbLabel.h"
#include "VbLine.h"
#include "VbListBox.h"
#include "VbStatusBar.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

using namespace zv;

namespace {

constexpr qint32 kWhite = vbRgb(255, 255, 255);
constexpr qint32 kShadow = vbRgb(160, 160, 160);
constexpr qint32 kDarkText = vbRgb(40, 40, 40);

struct Component {
    const char* name;
    const char* description;
};

constexpr Component kComponents[] = {
    {"Programa principal", "O programa e as bibliotecas de que precisa para correr. É sempre "
                           "instalado."},
    {"Ajuda e manuais", "A ajuda do programa e os manuais em PDF, em português e em inglês."},
    {"Exemplos", "Ficheiros de exemplo para experimentar o programa sem os seus próprios dados."},
    {"Modelos de relatório", "Modelos prontos a usar para os relatórios mensais e anuais."},
    {"Ligação a bases de dados", "Controladores para ligar o programa a bases de dados "
                                 "externas."},
    {"Tipos de letra", "Os tipos de letra que os relatórios usam, se ainda não os tiver."},
};

// The files of the data folder.
struct DemoFiles {
    QString palette, table, pictures;
};

// The palette the program starts with: the colours of its forms and the look of the message
// form's panels ("background+foreground+bevel style,bevel flag,3D text+picture").
void writePalette(const QString& file) {
    TdaOpc par;
    par.tboFic(file);
    par.CabPrp(QStringLiteral("COR"), QString(), QString(), QStringLiteral("Paleta de cores"));
    par.CabCri(0);
    par.RegGrpCab(QStringLiteral("COR"), QStringLiteral("IDE"), QStringLiteral("Paleta de cores"));
    const char* entries[][3] = {
        {"Formulario", "FRM", "236,233,216+000,000,000"},
        {"Titulo", "SPTIT", "H800000+15+2,1,2+titulo.png"},
        {"Interior", "SPINT", "236,233,216+-+1,0,0"},
        {"Sistema", "SPSIS", "212,208,200+64,64,64+3,0,0"},
        {"Informacao", "INPLB", "-+H800000"},
    };
    for (const auto& e : entries)
        par.RegGrpOpc(QLatin1String(e[1]), QLatin1String(e[0]), QLatin1String(e[2]), 16);
    par.RegGrpFim();
    par.RegFim();
}

// The title picture: a band from navy to blue, written with a name in its own case (the palette
// names it in lower case, as a file written on Windows would).
void writeTitlePicture(const QString& folder) {
    QDir().mkpath(folder + QStringLiteral("/Fun"));
    QImage image(400, 60, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient band(0, 0, 400, 0);
    band.setColorAt(0, QColor(0, 0, 128));
    band.setColorAt(1, QColor(70, 130, 200));
    p.fillRect(image.rect(), band);
    p.end();
    image.save(folder + QStringLiteral("/Fun/Titulo.png"), "PNG");
}

DemoFiles prepareData(const QString& folder) {
    QDir().mkpath(folder);
    const DemoFiles files{folder + QStringLiteral("/Cores.par"),
                          folder + QStringLiteral("/Janelas.par"), folder};
    int exists = 0;
    FicExi(files.palette, exists);
    if (exists == 0) writePalette(files.palette);
    if (!QFile::exists(folder + QStringLiteral("/Fun/Titulo.png"))) writeTitlePicture(folder);
    return files;
}

// A form's window: restored from the table when it opens, stored into it when it unloads.
void openTable(SupFrm& frm, const QString& table) {
    int exists = 0;
    FicExi(table, exists);
    if (exists == 0) frm.JanPdiRegCri(table);
    frm.PosJanExe(table);
}

class DemoForm : public VbForm {
public:
    explicit DemoForm(const DemoFiles& files) : files_(files) {
        setName(QStringLiteral("frmComponentes"));
        setCaption(QStringLiteral("Instalação do Olá ZelVyn"));
        setClientSize(600 * 15, 400 * 15);
        build();
        frm.RegFrm(this);
        register_();
        // Never smaller than the page it was designed as.
        frm.DimLimPrp(QStringLiteral("R<"));
        frm.PosJanVdeReg(QStringLiteral("800T,CT"));
        openTable(frm, files_.table);
    }

    SupFrm frm;

protected:
    void onResize() override {
        frm.DimLim();
        frm.MpoAjt(0);
        frm.AjtCtl(0);
    }
    void onUnload() override { frm.PosJanReg(files_.table); }

private:
    template <class T>
    std::shared_ptr<T> add(const QString& name, double left, double top, double width,
                           double height, const std::shared_ptr<VbControl>& in = nullptr) {
        auto c = addControl<T>(name, in);
        c->move(left, top, width, height);
        return c;
    }

    std::shared_ptr<VbLine> marker(const QString& name, double x1, double y1, double x2, double y2,
                                   bool shown, qint32 color = kShadow) {
        auto l = addControl<VbLine>(name);
        l->setPoints(x1, y1, x2, y2);
        l->setBorderColor(color);
        l->setVisible(shown);
        return l;
    }

    std::shared_ptr<VbLabel> label(const QString& name, const QString& caption, double left,
                                   double top, double width, double height,
                                   const std::shared_ptr<VbControl>& in = nullptr) {
        auto l = add<VbLabel>(name, left, top, width, height, in);
        l->setCaption(caption);
        l->setBackStyle(0);
        l->setForeColor(kDarkText);
        return l;
    }

    void build() {
        // The header: a white band with the page's title and what it is for.
        header = addControl<VbFrame3D>(QStringLiteral("spTopo"), nullptr, VbFrame3D::Look::Panel);
        header->move(0, 0, 9000, 900);
        header->setCaption(QString());
        header->setBevelOuter(0);
        header->setBorderWidth(0);
        header->setBackColor(kWhite);
        title = label(QStringLiteral("laTitulo"), QStringLiteral("Componentes a instalar"), 300,
                      165, 8400, 300, header);
        title->setFontBold(true);
        subtitle = label(QStringLiteral("laSubtitulo"),
                         QStringLiteral("Escolha os componentes do Olá ZelVyn que pretende "
                                        "instalar neste computador."),
                         480, 480, 8220, 270, header);

        // The guides: the header's lower edge, the left and right margins, the split between
        // the list and the description (40% of the width) and the band above the buttons,
        // drawn as an etched line across the form.
        top = marker(QStringLiteral("mpoTopo"), 0, 900, 60000, 900, true);
        left = marker(QStringLiteral("mpoEsq"), 240, 0, 240, 6000, false);
        split = marker(QStringLiteral("mpoDiv"), 3600, 0, 3600, 6000, false);
        right = marker(QStringLiteral("mpoFim"), 8760, 0, 8760, 6000, false);
        band = marker(QStringLiteral("mpoBase"), 0, 5145, 60000, 5145, true);
        bandLight = marker(QStringLiteral("mpoBaseLuz"), 0, 5160, 60000, 5160, true, kWhite);

        list = add<VbListBox>(QStringLiteral("lsComp"), 240, 1140, 3240, 3450);
        for (const Component& c : kComponents)
            list->addItem(QString::fromUtf8(c.name));
        list->setListIndex(1);
        needed = label(QStringLiteral("laNecessario"), QStringLiteral("Espaço necessário: 48,3 MB"),
                       240, 4725, 3240, 270);

        detail = add<VbFrame3D>(QStringLiteral("frDescricao"), 3720, 1080, 5040, 3510);
        detail->setCaption(QStringLiteral("Descrição"));
        description =
            label(QStringLiteral("laDescricao"), QString::fromUtf8(kComponents[1].description), 180,
                  360, 4680, 2970, detail);
        description->setWordWrap(true);
        free = label(QStringLiteral("laDisponivel"),
                     QStringLiteral("Espaço disponível no disco: 12,4 GB"), 3720, 4725, 5040, 270);
        free->setAlignment(1);

        shortcut = add<VbCheckBox3D>(QStringLiteral("ckAtalho"), 240, 5430, 4320, 330);
        shortcut->setCaption(QStringLiteral("Criar um atalho no ambiente de trabalho"));
        shortcut->setValue(1);
        back = add<VbCommandButton>(QStringLiteral("cmAnt"), 4800, 5385, 1260, 405);
        back->setCaption(QStringLiteral("< &Anterior"));
        next = add<VbCommandButton>(QStringLiteral("cmSeg"), 6120, 5385, 1260, 405);
        next->setCaption(QStringLiteral("&Seguinte >"));
        cancel = add<VbCommandButton>(QStringLiteral("cmCan"), 7500, 5385, 1260, 405);
        cancel->setCaption(QStringLiteral("Cancelar"));
    }

    void register_() {
        // Markers are laid out from the last registered to the first: the light half of the
        // etched band comes first, so that it follows the band's new place.
        frm.MpoReg(bandLight, QStringLiteral("MPY:R=MPOBASE:Y|15"));
        frm.MpoReg(split, QStringLiteral("PX%"));
        frm.MpoReg(right, QStringLiteral("PX"));
        frm.MpoReg(band, QStringLiteral("PY"));

        frm.RegOb(header, QStringLiteral("DX"));
        frm.RegOb(title, QStringLiteral("DX"));
        frm.RegOb(subtitle, QStringLiteral("DX"));
        frm.RegOb(list, QStringLiteral("MDX:R=MPODIV:X|-120,MDY:R=MPOBASE:Y|-555"));
        frm.RegOb(needed, QStringLiteral("MPY:R=MPOBASE:Y|-420,MDX:R=MPODIV:X|-120"));
        frm.RegOb(detail, QStringLiteral("MPX:R=MPODIV:X|120,MDX:R=MPOFIM:X,MDY:R=MPOBASE:Y|-555"));
        frm.RegOb(description, QStringLiteral("DX,DY"));
        frm.RegOb(free, QStringLiteral("MPX:R=MPODIV:X|120,MDX:R=MPOFIM:X,MPY:R=MPOBASE:Y|-420"));
        frm.RegOb(shortcut, QStringLiteral("PY"));
        for (const auto& button : {back, next, cancel})
            frm.RegOb(button, QStringLiteral("PX,PY"));
    }

    DemoFiles files_;
    std::shared_ptr<VbFrame3D> header, detail;
    std::shared_ptr<VbLabel> title, subtitle, needed, description, free;
    std::shared_ptr<VbLine> top, left, split, right, band, bandLight;
    std::shared_ptr<VbListBox> list;
    std::shared_ptr<VbCheckBox3D> shortcut;
    std::shared_ptr<VbCommandButton> back, next, cancel;
};

// The message form: what an installer shows while it works.
class MessageForm : public VbForm {
public:
    explicit MessageForm(const DemoFiles& files) : files_(files) {
        setName(QStringLiteral("frmMensagens"));
        setCaption(QStringLiteral("Instalação em curso"));
        setClientSize(560 * 15, 360 * 15);
        build();
        frm.RegFrm(this);
        frm.RegOb(title, QStringLiteral("DX"));
        frm.RegOb(interior, QStringLiteral("DX,DY"));
        frm.RegOb(list, QStringLiteral("DX,DY"));
        frm.RegOb(system, QStringLiteral("DX,PY"));
        frm.RegOb(info, QStringLiteral("DX"));
        frm.RegOb(bar, QStringLiteral("DX,PY"));
        frm.DimLimPrp(QStringLiteral("R<"));
        frm.PosJanVdeReg(QStringLiteral("CT"));

        // Colours and panels from the palette; the title picture from the data folder.
        frm.CorPalIni(files_.palette);
        QString folder = files_.pictures;
        frm.ImgDir(QStringLiteral("A"), folder);
        frm.FrmPrpAsp(this);
        title->setCaption(QStringLiteral("Registo da instalação"));
        openTable(frm, files_.table);
    }

    // Fills the outputs as a long piece of work would.
    void work() {
        frm.MsgLisReg(list, 0, 3);
        const char* steps[] = {
            "A preparar a instalação",
            "A verificar o espaço em disco",
            "A copiar o programa principal",
            "A copiar a ajuda e os manuais",
            "A copiar os exemplos",
            "A registar os tipos de ficheiro",
            "A criar os atalhos",
            "A copiar os modelos de relatório",
            "A configurar a ligação à base de dados",
            "A instalar os tipos de letra",
            "A gravar as opções escolhidas",
            "A concluir",
        };
        int n = 0;
        for (const char* step : steps) {
            frm.MsgLisJun(Variant(QString::fromUtf8(step)));
            frm.MsgSbaVer(2, Variant(QStringLiteral("%1 de 12").arg(++n)));
        }
        frm.MsgSbaVer(1, Variant(QStringLiteral("A copiar ficheiros")));
        frm.MsgSbaVer(3, Variant(QStringLiteral("48,3 MB")));
        frm.MsgZonReg(info);
        frm.MsgZonVer(Variant(QStringLiteral("Pode continuar a usar o computador enquanto "
                                             "a instalação decorre.")));
    }

    SupFrm frm;

protected:
    void onResize() override {
        frm.DimLim();
        frm.AjtCtl(0);
    }
    void onUnload() override { frm.PosJanReg(files_.table); }

private:
    void build() {
        title = addControl<VbFrame3D>(QStringLiteral("spTit"), nullptr, VbFrame3D::Look::Panel);
        title->move(0, 0, 8400, 900);
        title->setFontSize(12);
        title->setFontBold(true);
        interior = addControl<VbFrame3D>(QStringLiteral("spInt"), nullptr, VbFrame3D::Look::Panel);
        interior->move(120, 1020, 8160, 3240);
        list = addControl<VbListBox>(QStringLiteral("lsMsg"), interior);
        list->move(120, 120, 7920, 3000);
        system = addControl<VbFrame3D>(QStringLiteral("spSis"), nullptr, VbFrame3D::Look::Panel);
        system->move(120, 4320, 8160, 480);
        info = addControl<VbLabel>(QStringLiteral("inplbinf"), system);
        info->move(120, 105, 7920, 270);
        info->setBackStyle(0);
        bar = addControl<VbStatusBar>(QStringLiteral("sBar"));
        bar->move(0, 5040, 8400, 360);
        bar->addPanel(QString(), 2700);
        bar->addPanel(QString(), 1500);
        bar->addPanel();
    }

    DemoFiles files_;
    std::shared_ptr<VbFrame3D> title, interior, system;
    std::shared_ptr<VbListBox> list;
    std::shared_ptr<VbLabel> info;
    std::shared_ptr<VbStatusBar> bar;
};

// The form at an inside of w x h pixels, saved as FOLDER/forms-demo-WxH.png.
bool shoot(DemoForm& form, const QString& folder, int w, int h) {
    form.setClientSize(w * 15, h * 15);
    QApplication::processEvents();
    const QString file =
        QDir(folder).filePath(QStringLiteral("forms-demo-%1x%2.png").arg(w).arg(h));
    if (!form.grab().save(file, "PNG")) {
        std::fprintf(stderr, "forms-demo: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

} // namespace

QString option(const QStringList& args, const QString& name) {
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QString data = option(args, QStringLiteral("--data"));
    if (data.isEmpty())
        data = ProcessContext::current().dataFolder() + QStringLiteral("/forms-demo");
    const DemoFiles files = prepareData(data);
    DemoForm form(files);
    MessageForm messages(files);
    const QStringList place = option(args, QStringLiteral("--place")).split(u',');
    if (place.size() == 4)
        form.move(place[0].toDouble(), place[1].toDouble(), place[2].toDouble(),
                  place[3].toDouble());
    form.showForm();
    messages.showForm();
    messages.work();
    QApplication::processEvents();

    if (args.contains(QStringLiteral("--report"))) {
        QString text;
        form.frm.JanPdiObCon(&form, text);
        std::printf("%s\n", qPrintable(text));
        std::fflush(stdout);
    }
    if (args.contains(QStringLiteral("--shots"))) {
        const QString folder = option(args, QStringLiteral("--shots"));
        if (folder.isEmpty()) {
            std::fprintf(stderr, "usage: forms-demo [--shots FOLDER]\n");
            return 2;
        }
        QDir().mkpath(folder);
        bool ok = shoot(form, folder, 600, 400) && shoot(form, folder, 840, 560);
        const QString file = QDir(folder).filePath(QStringLiteral("forms-demo-mensagens.png"));
        ok = messages.grab().save(file, "PNG") && ok;
        messages.unload();
        form.unload();
        return ok ? 0 : 1;
    }
    if (args.contains(QStringLiteral("--quit"))) {
        messages.unload();
        form.unload();
        return 0;
    }
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    return QApplication::exec();
}
