// vbsrun FILE.vbs: runs one program through the Script Control and prints what its '@
// directives ask for (see Runner.h). Exit status 0, or 2 when the file cannot be read.

#include "Runner.h"
#include "Text.h"

#include <QFile>
#include <QStringDecoder>
#include <cstdio>

namespace {

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), else Windows-1252.
QString decodeScript(const QByteArray& bytes) {
    QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (!utf8.hasError()) return text;
    QString latin;
    latin.reserve(bytes.size());
    for (char c : bytes)
        latin.append(zv::cp1252ToChar(uint8_t(c)));
    return latin;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vbsrun FILE.vbs\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vbsrun: cannot read %s\n", argv[1]);
        return 2;
    }
    QString output = zv::vbsrun::runProgram(decodeScript(file.readAll()));
    QByteArray bytes = output.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}
