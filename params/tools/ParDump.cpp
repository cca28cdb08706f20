#include "ParDump.h"

#include "TdaOpc.h"

namespace zv {

namespace {

QString quoted(const QString& text) {
    QString q = QStringLiteral("\"");
    for (QChar c : text) {
        if (c.unicode() < 0x20)
            q += QStringLiteral("\\x%1").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
        else
            q += c;
    }
    return q + u'"';
}

} // namespace

bool parDumpArgs(const QStringList& args, ParDumpRequest& request, QString& error) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if ((a == u"--opc" || a == u"--path") && i + 1 < args.size()) {
            (a == u"--opc" ? request.options : request.paths).append(args.at(++i));
        } else if (request.file.isEmpty() && !a.startsWith(u"--")) {
            request.file = a;
            return true;
        } else {
            error = QStringLiteral("unknown argument: ") + a;
            return false;
        }
    }
    error = QStringLiteral("usage: pardump [--opc KEY]... [--path KEY]... FILE [WORD...]");
    return false;
}

void parDump(const ParDumpRequest& request, QTextStream& out) {
    TdaOpc par;
    par.ZonIni(request.file);
    for (int i = 1; i <= 5; ++i)
        out << "header " << i << ": " << quoted(par.CabLin(i)) << '\n';
    out << "type: " << quoted(par.TipFic()) << '\n';

    for (;;) {
        QString name, type, description;
        int count = 0;
        par.ZonSeg(name, type, count, description);
        if (name.isEmpty()) break;
        out << "zone " << name << " type " << type << " count " << count << " description "
            << quoted(description) << " options " << quoted(par.OpcEsp()) << '\n';
        if (type == u"IDE") {
            for (int i = 1; i <= count; ++i) {
                const TdaReg& r = par.entries().at(i);
                out << "  entry " << i << ": label " << quoted(r.Nom) << " key " << quoted(r.Chv)
                    << " value " << quoted(r.Val) << " column " << r.Pos << '\n';
            }
        } else {
            QStringList lines;
            par.ZonArr(QStringLiteral("TX"), count, lines);
            for (int i = 1; i <= count; ++i)
                out << "  line " << i << ": " << quoted(lines.at(i)) << '\n';
        }
    }
    out << "end\n";
    par.ZonFim();

    for (const QString& key : request.options) {
        QString value;
        par.OpcCon(key, value);
        out << "option " << key << ": " << quoted(value) << '\n';
    }
    for (const QString& key : request.paths) {
        QString value;
        par.OpcPath(key, value);
        out << "path " << key << ": " << quoted(value) << '\n';
    }
}

} // namespace zv
