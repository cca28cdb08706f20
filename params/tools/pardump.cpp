// pardump FILE: prints what the parameter-file reader makes of a file (see ParDump.h).

#include "ParDump.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zv::ParDumpRequest request;
    QString error;
    if (!zv::parDumpArgs(app.arguments().mid(1), request, error)) {
        QTextStream(stderr) << error << '\n';
        return 2;
    }
    QTextStream out(stdout);
    zv::parDump(request, out);
    return 0;
}
