// forms-demo [--shots FOLDER]: a form laid out by SupFrm as a program would lay out its own: an
// installer's page with a header panel, a list of components beside their description, the
// space figures and a row of buttons, placed against marker lines (a vertical split at 40% of
// the width, a right margin and a bottom band kept above the buttons), within a minimum size.
// Resize the window and everything follows.
// With --shots, the form is shown at 600 x 400 and at 840 x 560 pixels (its inside), each
// saved as a PNG picture in FOLDER (forms-demo-600x400.png, forms-demo-840x560.png), and the
// program ends (exit 0 when both were written).

#include "SupFrm.h"
#include "VbCheckBox3D.h"
#include "VbColor.h"
#include "VbCommandButton.h"
#include "VbForm.h"
#include "VbFrame3D.h"
#include "VbLabel.h"
#include "VbLine.h"
#include "VbListBox.h"

#include <QApplication>
#include <QDir>
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

class DemoForm : public VbForm {
public:
    DemoForm() {
        setName(QStringLiteral("frmComponentes"));
        setCaption(QStringLiteral("Instalação do Olá ZelVyn"));
        setClientSize(600 * 15, 400 * 15);
        build();
        frm.RegFrm(this);
        register_();
        // Never smaller than the page it was designed as.
        frm.DimLimPrp(QStringLiteral("R<"));
    }

protected:
    void onResize() override {
        frm.DimLim();
        frm.MpoAjt(0);
        frm.AjtCtl(0);
    }

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

    SupFrm frm;
    std::shared_ptr<VbFrame3D> header, detail;
    std::shared_ptr<VbLabel> title, subtitle, needed, description, free;
    std::shared_ptr<VbLine> top, left, split, right, band, bandLight;
    std::shared_ptr<VbListBox> list;
    std::shared_ptr<VbCheckBox3D> shortcut;
    std::shared_ptr<VbCommandButton> back, next, cancel;
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

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--shots"));
    DemoForm form;
    form.showForm();
    if (at < 0) return QApplication::exec();
    if (at + 1 >= args.size()) {
        std::fprintf(stderr, "usage: forms-demo [--shots FOLDER]\n");
        return 2;
    }
    const QString folder = args[at + 1];
    QDir().mkpath(folder);
    const bool ok = shoot(form, folder, 600, 400) && shoot(form, folder, 840, 560);
    return ok ? 0 : 1;
}
