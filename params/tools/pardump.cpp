// pardump FILE: prints what the parameter-file reader makes of a file; pardump --set, --zones
// and --tbo edit a file, list its zones and its option rows (see ParDump.h).

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
    if (request.verb != zv::ParDumpRequest::Verb::Dump) {
        QTextStream err(stderr);
        return zv::parDumpVerb(request, out, err);
    }
    zv::parDump(request, out);
    return 0;
}
