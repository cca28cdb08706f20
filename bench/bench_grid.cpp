// bench_grid [ROUNDS]: the grid figure. Times, in alternation, the same work on two grids of 10
// columns shown in a window of 800 x 600 pixels (offscreen platform), with the same column
// widths, row heights and header height, so both draw the same cells:
// - ours: GridWidget, 100,000 rows added one by one through AddItem (each row one text with the
//   10 cells separated by tabs), a sort by a text column (generic ascending), and the view
//   scrolled from the top to the bottom a page at a time, each page drawn;
// - plain: QTableView over a QStandardItemModel, the same 100,000 rows appended one by one (10
//   items each), the same sort (QStandardItemModel::sort) and the same scrolling.
// The texts are made before the clock starts. Each round of each side runs in a process of its
// own ("bench_grid ours" or "bench_grid plain" prints its seconds) that ends without freeing its
// grid: freeing a sorted QStandardItemModel of a million items takes minutes (each item looks
// for its place among all the others), which would only slow the benchmark down. Each side's
// best round is printed.

#include "BenchSupport.h"

#include "GridWidget.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;
constexpr int kSortColumn = 3;
// Every column in view: 10 columns of 75 pixels in the window's 800.
constexpr int kColumnPixels = 75;

const char* const kWords[] = {"instalação", "ficheiro", "pasta",    "Programa",
                              "biblioteca", "registo",  "Ajuda",    "exemplo",
                              "serviço",    "Atalho",   "controlo", "Relatório"};

// The cells of every row, and each row as one tab-separated text.
struct Data {
    std::vector<QStringList> cells;
    QStringList lines;
};

Data makeData() {
    Data d;
    zvbench::Random random(27);
    d.cells.reserve(kRows);
    d.lines.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        QStringList row;
        row << QString::number(r + 1);
        for (int c = 1; c < kCols; ++c) {
            if (c == kSortColumn)
                row << QStringLiteral("%1 %2").arg(QString::fromUtf8(kWords[random.below(12)]),
                                                   QString::number(random.below(1000000)));
            else if (c % 2 == 0)
                row << QString::number(random.below(100000)) + QStringLiteral(".25");
            else
                row << QString::fromUtf8(kWords[random.below(12)]);
        }
        d.lines << row.join(u'\t');
        d.cells.push_back(std::move(row));
    }
    return d;
}

// Scrolls a view from the top to the bottom a page at a time, drawing each page. The view is
// first let settle, so that its scroll bar shows (as a person sees it).
void scrollThrough(QTableView& view) {
    QScrollBar* bar = view.verticalScrollBar();
    for (int i = 0; i < 10 && bar->isVisible() != (bar->maximum() > 0); ++i)
        QCoreApplication::processEvents();
    for (int v = 0;; v += bar->pageStep()) {
        bar->setValue(v);
        view.viewport()->repaint();
        if (v >= bar->maximum()) break;
    }
}

QWidget* showIn(QTableView* view) {
    auto* window = view->parentWidget();
    window->resize(800, 600);
    view->setGeometry(0, 0, window->width(), window->height());
    window->show();
    QCoreApplication::processEvents();
    return window;
}

double ours(const Data& data) {
    auto* grid = new zv::GridWidget(new QWidget);
    grid->setCols(kCols);
    grid->setRows(1);
    grid->setFixedCols(0);
    for (int c = 0; c < kCols; ++c) {
        grid->setTextMatrix(0, c, QStringLiteral("Coluna %1").arg(c));
        grid->setColWidth(c, kColumnPixels * 15);
    }
    showIn(grid);
    return zvbench::timed([&] {
        for (const QString& line : data.lines)
            grid->addItem(line);
        grid->select(1, kSortColumn);
        grid->sort(zv::kSortAscending);
        QCoreApplication::processEvents();
        scrollThrough(*grid);
    });
}

double plain(const Data& data) {
    auto* view = new QTableView(new QWidget);
    auto* model = new QStandardItemModel(0, kCols);
    for (int c = 0; c < kCols; ++c)
        model->setHorizontalHeaderItem(c, new QStandardItem(QStringLiteral("Coluna %1").arg(c)));
    view->setModel(model);
    view->verticalHeader()->hide();
    // The grid's sizes: its columns, its rows and its header row (the font's height and 6
    // pixels).
    const int rowPixels = view->fontMetrics().height() + 6;
    view->horizontalHeader()->setDefaultSectionSize(kColumnPixels);
    view->horizontalHeader()->setFixedHeight(rowPixels);
    view->verticalHeader()->setMinimumSectionSize(0);
    view->verticalHeader()->setDefaultSectionSize(rowPixels);
    showIn(view);
    return zvbench::timed([&] {
        for (const QStringList& row : data.cells) {
            QList<QStandardItem*> items;
            items.reserve(kCols);
            for (const QString& text : row)
                items << new QStandardItem(text);
            model->appendRow(items);
        }
        model->sort(kSortColumn);
        QCoreApplication::processEvents();
        scrollThrough(*view);
    });
}

// One round of one side in a process of its own: its seconds, or -1.
double runRound(const char* side) {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return -1;
    self[n] = 0;
    int out[2];
    if (pipe(out) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {self, const_cast<char*>(side), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    QByteArray text;
    char buf[256];
    for (ssize_t got; rc == 0 && (got = read(out[0], buf, sizeof buf)) > 0;)
        text.append(buf, got);
    close(out[0]);
    int status = 0;
    if (rc != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    bool ok = false;
    const double s = text.trimmed().toDouble(&ok);
    return ok ? s : -1;
}

} // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "ours" || mode == "plain") {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        const Data data = makeData();
        const double s = mode == "ours" ? ours(data) : plain(data);
        std::fputs((QByteArray::number(s, 'f', 6) + '\n').constData(), stdout);
        std::fflush(stdout);
        std::_Exit(0); // the grids are left to the end of the process (see the head)
    }
    const int rounds = argc > 1 ? std::max(1, mode.toInt()) : 5;
    zvbench::Best our("ours"), theirs("plain");
    for (int r = 0; r < rounds; ++r) {
        const double a = runRound("ours"), b = runRound("plain");
        if (a < 0 || b < 0) {
            std::fputs("bench_grid: a round failed\n", stderr);
            return 1;
        }
        our.add(a);
        theirs.add(b);
    }
    zvbench::report("grid", our.seconds(), theirs.seconds());
    return 0;
}
