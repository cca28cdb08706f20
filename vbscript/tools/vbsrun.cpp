// vbsrun FILE.vbs: runs one program through the Script Control and prints what its '@
// directives ask for (see Runner.h). Exit status 0, or 2 when the file cannot be read.

#include "Encoding.h"
#include "Runner.h"

#include <QFile>
#include <cstdio>

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
    QString output = zv::vbsrun::runProgram(zv::decodeScriptText(file.readAll()));
    QByteArray bytes = output.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}
