// grid-demo [--shots FOLDER] [--palette FILE]: shows the grid control as a program would use
// it.
// - The main window: a grid with a fixed header row and row-number column, the grid's and single
//   cells' colours, pictures in cells, a column of amounts through a format mask and an outline
//   tree with a collapsed node; below it a grid driven by the grid support (SupFlx): columns
//   registered with their widths, titles, alignments and number masks, records added, a row
//   inserted, moved and removed, use icons and notes, the rows sorted by name with the mark in
//   the column's header (a click on a header sorts by that column, a right click changes the
//   font), the grid sized to its columns and rows and centred in its place.
// - The installation order: the grid support's outline tree (a node collapsed) with its six move
//   buttons (the form is told of every move and writes the keys and numbers again), the grid's
//   colours and alternate rows from a palette file (default: grid-demo-cores.par of the test
//   data), and the version of the selected component edited in a line edit laid over its cell.
// With --shots, the main window and the tree before and after one move (the component "Tipos de
// letra" moved up by its button) are saved as PNG pictures in FOLDER (grid-demo.png,
// grid-demo-tree-before.png, grid-demo-tree-after.png) and the program ends (exit 0 when all
// were written).

#include "EventGuard.h"
#include "GridWidget.h"
#include "ImageList.h"
#include "SupFlx.h"
#include "SupFrm.h"
#include "VbColor.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <map>

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
    // Sorted by name; the sort took the numbers along with the rows: number them again.
    flx.setUsaOrd(Variant(QStringLiteral("S")));
    flx.setOpcUsaFon(Variant(QStringLiteral("S")));
    flx.OrdCol(1, 2, QStringLiteral("+"));
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

// The installation order: the components as a tree the person rearranges with six buttons.
// The form is the grid's parent, so the grid support tells it of every move (cbkFlxTreDes).
class TreeForm : public QWidget {
    Q_OBJECT

public:
    // The grid's columns: the row number, the key (the tree), the component, its size, a note
    // and its version (the last, edited in place).
    static constexpr int kNameCol = 2;
    static constexpr int kVersionCol = 5;

    SupFlx flx;
    GridWidget* grid;
    QLineEdit* edit;
    QLabel* status;
    std::map<QString, QPushButton*> buttons;

    TreeForm(const QString& palette, ImageList& icons) : grid(new GridWidget(this)) {
        setWindowTitle(QStringLiteral("Ordem de instalação"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral(
            "Ordem de instalação: selecione um componente e mova-o com os botões.")));
        grid->setObjectName(QStringLiteral("grTre"));
        layout->addWidget(grid);
        auto* row = new QHBoxLayout;
        const std::pair<const char*, const char*> keys[] = {
            {"DESES", "« Sair do grupo"}, {"DESDI", "Entrar no grupo »"}, {"DESUP", "▲ Subir"},
            {"DESDN", "▼ Descer"},        {"DESPR", "⤒ Primeiro"},        {"DESUL", "⤓ Último"}};
        for (const auto& [key, caption] : keys) {
            auto* button = new QPushButton(QString::fromUtf8(caption), this);
            row->addWidget(button);
            flx.TreRegOb(QString::fromLatin1(key), button);
            buttons[QString::fromLatin1(key)] = button;
        }
        layout->addLayout(row);
        status = new QLabel(QStringLiteral(" "), this);
        layout->addWidget(status);
        // The edit control is the form's, not the grid's: the grid support lays it over the
        // cell in the form's coordinates.
        edit = new QLineEdit(this);
        edit->hide();
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            runGuarded([&] { grid->setTextMatrix(grid->row(), kVersionCol, edit->text()); });
        });

        flx.IniUsoGr(grid, nullptr, QStringLiteral("CON"));
        flx.IniGda(QStringLiteral("ARR"), QString(), QString(), QString());
        flx.ColReg(450, QStringLiteral("Nº"), QStringLiteral("|"), QString());
        flx.ColReg(1650, QStringLiteral("Chave"), QStringLiteral("<"), QString());
        flx.ColReg(3000, QStringLiteral("Componente"), QStringLiteral("<"), QString());
        flx.ColReg(1500, QStringLiteral("Tamanho (MB)"), QStringLiteral(">"),
                   QStringLiteral("7.2"));
        flx.ColReg(2250, QStringLiteral("Observações"), QStringLiteral("<"), QString());
        flx.ColReg(1050, QStringLiteral("Versão"), QStringLiteral("|"), QString());
        flx.GdoCfcGrIni(int(std::size(kParts)));
        flx.TrePrp(1);
        // The grid's lines, header, cells and alternate rows in the palette's colours.
        SupFrm colours;
        colours.CorPalIni(palette);
        colours.CorRegGr(*grid);

        flx.TreeIcoImg(&icons);
        flx.TreLstIni();
        for (const Part& p : kParts) {
            flx.TreLinIns(0, p.level,
                          Variant::list({Variant(QString()), Variant(QString()),
                                         Variant(QString::fromUtf8(p.name)),
                                         Variant(QString::fromLatin1(p.size)),
                                         Variant(QString::fromUtf8(p.note)),
                                         Variant(QString::fromLatin1(p.version))}));
            flx.TreIcoVer(0, kNameCol, Variant(int32_t(p.state)));
        }
        flx.TreAjt(1);
        flx.TreeNoExp(rowOf(QStringLiteral("Dados de exemplo")), QStringLiteral("C"), 0);
        // The versions are the editable cells.
        flx.EdiCorReg(vbRgb(255, 248, 214));
        flx.CorCoBg(kVersionCol, flx.editableColor());
    }

    // The edit control loses its focus while the form's widgets go: it no longer writes back.
    ~TreeForm() override { disconnect(edit, nullptr, this, nullptr); }

    // The row of the component called name (0: none).
    int rowOf(const QString& name) const {
        for (int r = 1; r < grid->rows(); ++r)
            if (grid->textMatrix(r, kNameCol) == name) return r;
        return 0;
    }

    // Selects the component's row, the cursor on its version, and lays the edit control over
    // that cell.
    void selectNode(int row) {
        grid->select(row, kVersionCol, row, 0);
        editVersion();
    }

public slots:
    // The grid support moved the selected components: keys and numbers again, and the edit
    // control over the version of the component moved.
    void cbkFlxTreDes(const QString& gridName) {
        flx.TreAjt(1);
        const int row = grid->row();
        status->setText(
            QStringLiteral("Grelha %1: «%2» tem agora a chave %3.")
                .arg(gridName, grid->textMatrix(row, kNameCol), grid->textMatrix(row, 1)));
        editVersion();
    }

private:
    void editVersion() {
        int ok = 0;
        flx.EdiPosOk(grid->row(), kVersionCol, ok);
        if (!ok) return flx.EdiObFim(edit);
        grid->setCol(kVersionCol);
        grid->select(grid->row(), kVersionCol, grid->row(), 0);
        edit->setText(grid->textMatrix(grid->row(), kVersionCol));
        flx.EdiObPrp(edit, 1);
        edit->raise();
        edit->setFocus();
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const char* name) {
        const qsizetype at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
    };
    const QString shots = option("--shots");
    QString palette = option("--palette");
    if (palette.isEmpty()) palette = QStringLiteral(GRID_DEMO_PALETTE);

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

    TreeForm tree(palette, icons);
    tree.resize(760, 440);
    tree.move(window.x() + 40, window.y() + 40);
    tree.show();
    QApplication::processEvents();
    tree.selectNode(tree.rowOf(QStringLiteral("Programa principal")));
    if (shots.isEmpty()) return app.exec();

    QTimer::singleShot(0, [&] {
        QDir().mkpath(shots);
        const QDir folder(shots);
        bool ok = window.grab().save(folder.filePath(QStringLiteral("grid-demo.png")), "PNG");
        tree.selectNode(tree.rowOf(QStringLiteral("Tipos de letra")));
        QApplication::processEvents();
        ok =
            tree.grab().save(folder.filePath(QStringLiteral("grid-demo-tree-before.png")), "PNG") &&
            ok;
        tree.buttons.at(QStringLiteral("DESUP"))->click();
        QApplication::processEvents();
        ok = tree.grab().save(folder.filePath(QStringLiteral("grid-demo-tree-after.png")), "PNG") &&
             ok;
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}

#include "grid-demo.moc"
