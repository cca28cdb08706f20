// bench_params FOLDER [ROUNDS]: the parameter-file figure. Writes a generated parameter file of
// about 10 MB into FOLDER, then times, in alternation, a walk of it through the zone reader
// (TdaOpc: ZonIni, ZonSeg until the zone name is "", ZonFim) and a plain loop that reads its
// lines into texts (QFile::readLine, each line decoded from UTF-8), and prints the best of each.
//
// bench_params escapes FOLDER [ROUNDS]: the escape figure. Two files of one zone whose entry is
// a line of 1 MB: one of escapes ("chr$(65)" and "bin$(66,67)" in turn), the other of plain text
// as long; each walked through the zone reader, in alternation.
//
// The file is what wizard and parameter files hold, in bulk: entry zones of labelled keys with
// texts and numbers, comments, blank lines, continued lines, escapes, zone options, and text
// zones.

#include "BenchSupport.h"

#include "ScopedProcessContext.h"
#include "TdaOpc.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

constexpr qint64 kTargetBytes = 10 * 1024 * 1024;

QByteArray number(qint64 n) {
    return QByteArray::number(n);
}

// One entry zone of 10 to 49 entries or one text zone of 10 to 39 lines.
void writeZone(QByteArray& out, int z, zvbench::Random& random) {
    const bool text = z % 7 == 3;
    if (text) {
        out += "#TXT" + number(z) + ":TX - Texto da zona " + number(z) + "\n";
        const int lines = 10 + random.below(30);
        for (int i = 0; i < lines; ++i) {
            out += "Linha " + number(i) + " do texto: instalação da aplicação, versão " +
                   number(random.below(100)) + "." + number(random.below(10)) + "\n";
            if (i % 9 == 4) out += "\n";
        }
        out += "##\n\n";
        return;
    }
    out += "#ZON" + number(z) + ":IDE - Zona de entradas " + number(z);
    if (z % 11 == 5) out += " [CnvChr=0]";
    out += "\n";
    const int entries = 10 + random.below(40);
    for (int i = 0; i < entries; ++i) {
        const int kind = random.below(10);
        QByteArray label = "Entrada " + number(i) + " da zona";
        label.resize(22, ' ');
        const QByteArray key = "[Chave" + number(i) + "]=";
        if (kind < 4) {
            out += label + key + "Texto do valor número " + number(random.below(100000)) + "\n";
        } else if (kind < 7) {
            out += label + key + number(random.below(1000000)) + "." + number(random.below(100)) +
                   "\n";
        } else if (kind == 7) {
            out += label + key + "[DirPgm]/pasta " + number(i) + "/ficheiro.txt\n";
        } else if (kind == 8) {
            out += label + key + "primeira parte do valor, +\n+ continuação chr$(9) e fim\n";
        } else {
            out += "' Comentário sobre a entrada " + number(i) + "\n\n";
        }
    }
    out += "##\n\n";
}

QString writeFile(const QString& folder) {
    QByteArray out;
    out.reserve(kTargetBytes + 64 * 1024);
    out += "'Nome       : bench.par\n'Tipo       : par\n'Data       : 2026/12/01\n"
           "'Versao     : 1.0\n'Descricao  : Ficheiro de parâmetros gerado\n\n";
    zvbench::Random random(14);
    for (int z = 1; out.size() < kTargetBytes; ++z)
        writeZone(out, z, random);
    const QString path = folder + QStringLiteral("/bench.par");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size()) return {};
    return path;
}

// The zone walk; the entries and lines it found.
qint64 zoneWalk(const QString& path) {
    zv::TdaOpc opc;
    opc.ZonIni(path);
    qint64 total = 0;
    QString name, type, description;
    int count = 0;
    for (;;) {
        opc.ZonSeg(name, type, count, description);
        if (name.isEmpty()) break;
        total += count;
    }
    opc.ZonFim();
    return total;
}

// The plain loop: every line read and decoded; the number of lines.
qint64 plainRead(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    qint64 lines = 0;
    qint64 chars = 0;
    while (!f.atEnd()) {
        QByteArray bytes = f.readLine();
        if (bytes.endsWith('\n')) bytes.chop(1);
        const QString line = QString::fromUtf8(bytes);
        chars += line.size();
        ++lines;
    }
    return chars > 0 ? lines : 0;
}

// A file of one zone whose one entry's value is about 1 MB of piece repeated.
QString writeLineFile(const QString& path, const QByteArray& a, const QByteArray& b) {
    QByteArray out = "'Nome       : linha.par\n'Tipo       : par\n'Data       : 2026/12/01\n"
                     "'Versao     : 1.0\n'Descricao  : Uma linha longa\n\n#ZON:IDE - Linha\n"
                     "Linha                 [Linha]=";
    for (int i = 0; out.size() < 1024 * 1024; ++i)
        out += i % 2 ? b : a;
    out += "\n##\n";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size()) return {};
    return path;
}

int escapes(const QString& folder, int rounds) {
    const QString withEscapes =
        writeLineFile(folder + QStringLiteral("/escapes.par"), "chr$(65)", "bin$(66,67)");
    const QString without =
        writeLineFile(folder + QStringLiteral("/plain.par"), "abcdefgh", "ijklmnopqrs");
    if (withEscapes.isEmpty() || without.isEmpty()) {
        std::fputs("bench_params: cannot write the line files\n", stderr);
        return 1;
    }
    if (zoneWalk(withEscapes) != 1 || zoneWalk(without) != 1) {
        std::fputs("bench_params: the line files read wrong\n", stderr);
        return 1;
    }
    zvbench::Best ours("escapes"), plain("plain");
    for (int r = 0; r < rounds; ++r) {
        ours.add(zvbench::timed([&] { zoneWalk(withEscapes); }));
        plain.add(zvbench::timed([&] { zoneWalk(without); }));
    }
    zvbench::report("escapes", ours.seconds(), plain.seconds());
    QFile::remove(withEscapes);
    QFile::remove(without);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: bench_params [escapes] FOLDER [ROUNDS]\n", stderr);
        return 2;
    }
    zv::ScopedProcessContext context;
    if (QByteArray(argv[1]) == "escapes") {
        if (argc < 3) return 2;
        return escapes(QString::fromLocal8Bit(argv[2]),
                       argc > 3 ? std::max(1, QByteArray(argv[3]).toInt()) : 5);
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(1, QByteArray(argv[2]).toInt()) : 5;

    const QString path = writeFile(folder);
    if (path.isEmpty()) {
        std::fputs("bench_params: cannot write the parameter file\n", stderr);
        return 1;
    }
    // A first pass of each, untimed: the file in the page cache, the code paged in.
    const qint64 entries = zoneWalk(path);
    const qint64 lines = plainRead(path);
    if (entries <= 0 || lines <= 0) {
        std::fputs("bench_params: the walk or the plain read found nothing\n", stderr);
        return 1;
    }
    zvbench::Best ours("ours"), plain("plain");
    for (int r = 0; r < rounds; ++r) {
        ours.add(zvbench::timed([&] { zoneWalk(path); }));
        plain.add(zvbench::timed([&] { plainRead(path); }));
    }
    zvbench::report("params", ours.seconds(), plain.seconds());
    QFile::remove(path);
    return 0;
}
