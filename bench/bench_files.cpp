// bench_files tree FOLDER            writes the generated tree into FOLDER (which must not exist)
// bench_files copy TREE TARGET [N]   Vyn.FxDirCop of TREE against `cp -a TREE`, N rounds each,
//                                    into TARGET-zv0, TARGET-cp0, ... (left for the caller)
// bench_files copy-ours TREE TARGET  one FxDirCop alone, timed (for profiling)
// bench_files walk TREE [N]          the attribute walk of TREE against `find` with the same visits
//
// The tree: 10,000 small files (1 to 8 KB) in 100 folders of two levels, and 20 files of 20 MB,
// their bytes pseudo-random (nothing a copy could skip as a hole).
//
// The copy is the action object's member as a wizard script calls it, with the progress window
// of the program (Qt's, on the offscreen platform: it appears after its delay and pumps events
// while the copy runs).
//
// The walk is the one the attribute flag of FxDirCop runs on the copied tree: every folder and
// file made normal ("+N"), each entry's mode and marks read (nothing changes on a normal tree).
// `find TREE -mindepth 1 -printf '%m %p\n'` visits the same entries and reads each one's mode;
// its output goes to /dev/null.

#include "BenchSupport.h"

#include "QtShellOperationUi.h"
#include "ScopedProcessContext.h"
#include "SupFsys.h"
#include "SupVynVbs.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

constexpr int kTopFolders = 10;
constexpr int kSubFolders = 10;
constexpr int kFilesPerFolder = 100;
constexpr int kBigFiles = 20;
constexpr qint64 kBigSize = 20 * 1024 * 1024;

bool writeFile(const QString& path, qint64 size, zvbench::Random& random, QByteArray& buffer) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    qint64 left = size;
    while (left > 0) {
        const qint64 n = std::min<qint64>(left, 1 << 20);
        buffer.resize(n);
        random.fill(buffer.data(), size_t(n));
        if (f.write(buffer) != n) return false;
        left -= n;
    }
    return true;
}

int makeTree(const QString& root) {
    if (QFileInfo::exists(root) || !QDir().mkpath(root)) return 1;
    zvbench::Random random(2026);
    QByteArray buffer;
    for (int a = 0; a < kTopFolders; ++a) {
        for (int b = 0; b < kSubFolders; ++b) {
            const QString dir = QStringLiteral("%1/Pasta%2/Sub%3").arg(root).arg(a).arg(b);
            if (!QDir().mkpath(dir)) return 1;
            for (int k = 0; k < kFilesPerFolder; ++k) {
                const qint64 size = 1024 + random.below(7 * 1024);
                if (!writeFile(QStringLiteral("%1/ficheiro%2.txt").arg(dir).arg(k), size, random,
                               buffer))
                    return 1;
            }
        }
    }
    const QString big = root + QStringLiteral("/Grandes");
    if (!QDir().mkpath(big)) return 1;
    for (int k = 0; k < kBigFiles; ++k)
        if (!writeFile(QStringLiteral("%1/dados%2.bin").arg(big).arg(k), kBigSize, random, buffer))
            return 1;
    return 0;
}

// The program's progress window; an error that stops the copy is written out instead of shown
// in a box that would wait for a person nobody is.
class ProgressUi : public zv::QtShellOperationUi {
public:
    void reportError(const QString& path, const QString& message) override {
        std::fputs(("bench_files: " + path + ": " + message + "\n").toLocal8Bit().constData(),
                   stderr);
    }
};

// Every round copies into a target of its own, and the targets stay until the end: a file
// system without a journal (ext4 in that mode) skips the inodes freed in the last minute when it
// makes new files, so deleting a 10,000-file target before each round would slow the next
// rounds down by how many were deleted before them, not by the copy's own work. The pending
// writes of the rounds before are written out (untimed) before each round; the two sides take
// turns at going first.
int copy(const QString& tree, const QString& targetBase, int rounds) {
    zv::SupVynVbs vyn;
    bool failed = false;
    zvbench::Best ours("ours"), plain("plain");
    auto runOurs = [&](const QString& target) {
        ::sync();
        ours.add(zvbench::timed([&] {
            zv::Variant from(tree), to(target);
            const zv::Variant result = vyn.FxDirCop(from, to);
            failed = failed || !(result.isInteger16() && result.rawInteger() == -1);
        }));
    };
    auto runPlain = [&](const QString& target) {
        ::sync();
        plain.add(zvbench::timed([&] {
            if (zvbench::runQuiet({QStringLiteral("cp"), QStringLiteral("-a"), tree, target}) != 0)
                failed = true;
        }));
    };
    for (int r = 0; r < rounds && !failed; ++r) {
        const QString oursTarget = targetBase + QStringLiteral("-zv%1").arg(r);
        const QString plainTarget = targetBase + QStringLiteral("-cp%1").arg(r);
        if (r % 2 == 0) {
            runOurs(oursTarget);
            runPlain(plainTarget);
        } else {
            runPlain(plainTarget);
            runOurs(oursTarget);
        }
    }
    if (failed) {
        std::fputs("bench_files: a copy failed\n", stderr);
        return 1;
    }
    zvbench::report("copy", ours.seconds(), plain.seconds());
    return 0;
}

int copyOurs(const QString& tree, const QString& target) {
    zv::SupVynVbs vyn;
    zvbench::Best ours("ours");
    zv::Variant result;
    ours.add(zvbench::timed([&] {
        zv::Variant from(tree), to(target);
        result = vyn.FxDirCop(from, to);
    }));
    if (!(result.isInteger16() && result.rawInteger() == -1)) return 1;
    zvbench::report("copy-ours", ours.seconds(), 0);
    return 0;
}

int walk(const QString& tree, int rounds) {
    zv::SupFsys walker;
    const QStringList find{QStringLiteral("find"),      tree,
                           QStringLiteral("-mindepth"), QStringLiteral("1"),
                           QStringLiteral("-printf"),   QStringLiteral("%m %p\n")};
    // A first pass of each, untimed: the tree's folders and inodes in the cache.
    walker.ProFsysAtrb(tree, QStringLiteral("+N"), QStringLiteral("*.*"));
    const int64_t visited = walker.NumEntPro;
    if (zvbench::runQuiet(find) != 0 || visited <= 0) {
        std::fputs("bench_files: the walk or find failed\n", stderr);
        return 1;
    }
    zvbench::Best ours("ours"), plain("plain");
    for (int r = 0; r < rounds; ++r) {
        ours.add(zvbench::timed(
            [&] { walker.ProFsysAtrb(tree, QStringLiteral("+N"), QStringLiteral("*.*")); }));
        plain.add(zvbench::timed([&] { zvbench::runQuiet(find); }));
    }
    zvbench::report("walk", ours.seconds(), plain.seconds());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // The progress window of the copy is a real one, on a screen nobody sees.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zv::ScopedProcessContext context;
    zv::HostServices services;
    services.shellUi = std::make_shared<ProgressUi>();
    context->setServices(services);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    auto roundsAt = [&](int i) { return args.size() > i ? std::max(1, args[i].toInt()) : 3; };
    if (command == u"tree" && args.size() == 2) return makeTree(args[1]);
    if (command == u"copy" && args.size() >= 3) return copy(args[1], args[2], roundsAt(3));
    if (command == u"walk" && args.size() >= 2) return walk(args[1], roundsAt(2));
    if (command == u"copy-ours" && args.size() == 3) return copyOurs(args[1], args[2]);
    std::fputs("usage: bench_files tree FOLDER | copy TREE TARGET [ROUNDS] | walk TREE [ROUNDS]\n",
               stderr);
    return 2;
}
