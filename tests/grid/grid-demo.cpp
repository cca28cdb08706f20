// grid-demo [--shot FILE]: shows the grid control as a program would use it: a fixed header row
// and row-number column, the grid's and single cells' colours, pictures in cells, a column of
// amounts through a format mask and an outline tree with a collapsed node; below it a grid
// driven by the grid support (SupFlx): columns registered with their widths, titles,
// alignments and number masks, records added, a row inserted, moved and removed, use icons and
// notes, the grid sized to its columns and rows and centred in its place.
// With --shot, the window is drawn once, saved as a PNG picture in FILE, and the program ends
// (exit 0 when the picture was written).

#include "EventGuard.h"
#include "GridWidget.h"
#include "ImageList.h"
#include "SupFlx.h"
#include "VbColor.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

using namespace zv;

namespace {

// A 16 x 16 state icon: a filled circle with a mark.
QPixmap stateIcon(const QColor& fill, const QString& mark) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(fill.darker(140));
    g.setBrush(fill);
    g.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    g.setPen(QPen(Qt::white, 2));
    QFont f = g.font();
    f.setPixelSize(11);
    f.setBold(true);
    g.setFont(f);
    g.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, mark);
    return p;
}

struct Part {
    int level;
    bool node;
    const char* name;
    int state; // image index
    const char* size;
    const char* version;
    const char* note;
};

// The rows of the demo: the components of an installation.
constexpr Part kParts[] = {
    {1, true, "Aplicação", 1, "48.25", "3.2.1", "Programa e bibliotecas"},
    {2, true, "Programa principal", 1, "12.5", "3.2.1", "Obrigatório"},
    {2, true, "Bibliotecas partilhadas", 1, "30", "3.2.0", "Instaladas em /usr/lib"},
    {3, true, "Motor de relatórios", 2, "4.75", "1.8", "Opcional"},
    {3, true, "Ligação a bases de dados", 1, "1250.5", "2.0", "Inclui controladores"},
    {2, true, "Ajuda e exemplos", 3, "5.75", "3.2", "Falta transferir"},
    {1, true, "Dados de exemplo", 2, "820", "2024.1", "Recolhido: 2 ficheiros"},
    {2, false, "clientes.dat", 2, "512", "", ""},
    {2, false, "artigos.dat", 2, "308", "", ""},
    {1, true, "Tipos de letra", 1, "7.125", "1.0", "DejaVu"},
    {2, true, "Sans", 1, "3.5", "2.37", ""},
    {2, true, "Serif", 1, "2.125", "2.37", ""},
    {2, true, "Mono", 2, "1.5", "2.37", "Opcional"},
};

GridWidget* makeGrid(QWidget* parent, const ImageList& icons) {
    auto* grid = new GridWidget(parent);
    grid->setObjectName(QStringLiteral("grDemo"));
    grid->setCols(6);
    grid->setRows(1);
    grid->setFixedRows(1);
    grid->setFixedCols(1);

    const QStringList titles = {QStringLiteral("Nº"),     QStringLiteral("Componente"),
                                QStringLiteral("Estado"), QStringLiteral("Tamanho (MB)"),
                                QStringLiteral("Versão"), QStringLiteral("Observações")};
    const int widths[] = {450, 3600, 900, 1650, 1050, 3000};
    const int aligns[] = {kAlignCenterCenter, kAlignLeftCenter,   kAlignCenterCenter,
                          kAlignRightCenter,  kAlignCenterCenter, kAlignLeftCenter};
    for (int c = 0; c < 6; ++c) {
        grid->setTextMatrix(0, c, titles[c]);
        grid->setColWidth(c, widths[c]);
        grid->setColAlignment(c, aligns[c]);
        grid->setRow(0);
        grid->setCol(c);
        grid->setCellAlignment(kAlignCenterCenter);
        grid->setCellFontBold(true);
    }
    grid->setColFormat(3, QStringLiteral("###,##0.00"));
    grid->setExtendLastCol(true);
    grid->setBackColorFixed(vbRgb(222, 228, 238));
    grid->setBackColorAlternate(vbRgb(246, 248, 252));
    grid->setGridColor(vbRgb(200, 206, 216));

    grid->setRedraw(false);
    for (const Part& p : kParts) {
        grid->addItem(QStringLiteral("\t%1\t\t%2\t%3\t%4")
                          .arg(QString::fromUtf8(p.name), QString::fromLatin1(p.size),
                               QString::fromLatin1(p.version), QString::fromUtf8(p.note)));
        const int r = grid->rows() - 1;
        grid->setTextMatrix(r, 0, QString::number(r));
        grid->setIsSubtotal(r, p.node);
        grid->setRowOutlineLevel(r, p.level);
        grid->setCellPicture(r, 2, icons.picture(p.state));
        grid->setCellData(r, 2, QString::number(p.state));
    }
    grid->setOutlineCol(1);
    grid->setOutlineBar(1);
    // A missing part in red, an optional one in grey.
    grid->setCellForeColorAt(6, 5, vbRgb(176, 0, 32));
    grid->setCellBackColorAt(6, 2, vbRgb(255, 236, 200));
    grid->setCellForeColorAt(4, 5, vbRgb(110, 110, 110));
    grid->setIsCollapsed(7, kNodeCollapsed);
    grid->setRedraw(true);
    grid->select(2, 1, 2, 5);
    return grid;
}

struct FileRow {
    const char* name;
    const char* size;
    int use;
    const char* note;
};

// The files of the installation.
constexpr FileRow kFiles[] = {
    {"zelvyn", "2450.5", 1, ""},    {"libzelvyn.so", "812.25", 1, "Biblioteca partilhada"},
    {"zelvyn.par", "3.5", 1, ""},   {"LEIAME.txt", "12", 0, "Notas da versão"},
    {"exemplo.par", "4.75", 0, ""}, {"temporario.tmp", "0.5", 0, ""},
};

// The grid of files through the grid support. Icons: 1 on, 2 off, 4 a note.
void fillFiles(SupFlx& flx, GridWidget* grid, ImageList& icons) {
    grid->setObjectName(QStringLiteral("grFic"));
    flx.IniUsoGr(grid, nullptr, QStringLiteral("CON"));
    flx.IniGda(QStringLiteral("ARR"), QString(), QString(), QString());
    flx.ColReg(450, QStringLiteral("Nº"), QStringLiteral("|"), QString());
    flx.ColReg(2700, QStringLiteral("Ficheiro"), QStringLiteral("<"), QString());
    flx.ColReg(1500, QStringLiteral("Tamanho (KB)"), QStringLiteral(">"), QStringLiteral("7.2"));
    flx.ColReg(750, QStringLiteral("Usar"), QStringLiteral("|"), QString());
    flx.ColReg(900, QStringLiteral("Nota"), QStringLiteral("|"), QString());
    flx.GdoCfcGrIni(7);
    flx.IcoImg(&icons);
    flx.IcoUsaIdx(2, 1);
    flx.NotIcoIdx(4);
    for (const FileRow& file : kFiles) {
        flx.GrLstCmp(Variant::list(
            {Variant(QString::fromUtf8(file.name)), Variant(QString::fromLatin1(file.size))}));
        const int r = flx.lastUsedRow();
        flx.IcoUsaMap(r, 4, Variant(int32_t(file.use)));
        if (*file.note) flx.NotReg(r, 5, QString::fromUtf8(file.note));
    }
    // The temporary file goes, a folder comes in at row 3 (the grid keeps its size), the
    // read-me moves up two rows: the icons and notes go with their rows.
    flx.LinEli(6);
    flx.GrLinInc(3);
    flx.ArrReg(3, 2, Variant(QStringLiteral("doc/")));
    flx.ArrReg(3, 3, Variant(QStringLiteral("96")));
    flx.IcoUsaMap(3, 4, Variant(int32_t(1)));
    flx.NotReg(3, 5, QStringLiteral("Pasta nova"));
    flx.LinMov(QStringLiteral("-"), 5);
    flx.LinMov(QStringLiteral("-"), 4);
    // The moves took the numbers along with the rows: number them again.
    flx.LiCnt(flx.lastUsedRow());
    grid->setBackColorFixed(vbRgb(222, 228, 238));
    flx.GrAjtDimCel(0, 0);
    flx.GrZonVis(QString());
}

// The place of the grid of files: the grid stays centred in it.
class FilesPlace : public QWidget {
public:
    SupFlx flx;
    void resizeEvent(QResizeEvent*) override {
        runGuarded([this] {
            if (flx.grid()) flx.GrAjtPos(Variant(QStringLiteral("C")), Variant(0.0));
        });
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString shot;
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--shot"));
    if (at >= 0 && at + 1 < args.size()) shot = args.at(at + 1);

    ImageList icons;
    icons.add(QStringLiteral("OK"), stateIcon(QColor(46, 160, 67), QStringLiteral("✓")));
    icons.add(QStringLiteral("OPC"), stateIcon(QColor(140, 140, 150), QStringLiteral("–")));
    icons.add(QStringLiteral("ERR"), stateIcon(QColor(210, 50, 50), QStringLiteral("!")));
    icons.add(QStringLiteral("NOTA"), stateIcon(QColor(232, 170, 20), QStringLiteral("i")));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Componentes da instalação"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Escolha os componentes a instalar:")));
    GridWidget* grid = makeGrid(&window, icons);
    layout->addWidget(grid);
    layout->addWidget(new QLabel(QStringLiteral("Ficheiros a copiar:")));
    auto* files = new FilesPlace;
    fillFiles(files->flx, new GridWidget(files), icons);
    files->setFixedHeight(files->flx.grid()->height());
    layout->addWidget(files);
    window.resize(760, 620);
    window.show();
    if (shot.isEmpty()) return app.exec();

    QTimer::singleShot(0, [&] {
        const bool ok = window.grab().save(shot, "PNG");
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}
