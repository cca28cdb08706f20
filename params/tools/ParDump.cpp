#include "ParDump.h"

#include "ParamWriter.h"
#include "TdaOpc.h"
#include "VbError.h"

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
    using Verb = ParDumpRequest::Verb;
    bool modeGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if ((a == u"--opc" || a == u"--path") && hasValue) {
            (a == u"--opc" ? request.options : request.paths).append(args.at(++i));
        } else if (a == u"--set" && hasValue && args.at(i + 1).contains(u'=')) {
            const QString kv = args.at(++i);
            request.verb = Verb::Set;
            request.key = kv.section(u'=', 0, 0);
            request.value = kv.section(u'=', 1);
        } else if (a == u"--mode" && hasValue) {
            bool ok = false;
            request.mode = args.at(++i).toInt(&ok);
            if (!ok) {
                error = QStringLiteral("--mode takes a number: ") + args.at(i);
                return false;
            }
            modeGiven = true;
        } else if (a == u"--zones") {
            request.verb = Verb::Zones;
        } else if (a == u"--tbo" && hasValue) {
            request.verb = Verb::Rows;
            request.selector = args.at(++i);
        } else if (request.file.isEmpty() && !a.startsWith(u"--")) {
            request.file = a;
            if (modeGiven && request.verb != Verb::Set) {
                error = QStringLiteral("--mode goes with --set");
                return false;
            }
            return true;
        } else {
            error = QStringLiteral("unknown argument: ") + a;
            return false;
        }
    }
    error = QStringLiteral("usage: pardump [--opc KEY]... [--path KEY]... FILE [WORD...]\n"
                           "       pardump --set KEY=VALUE [--mode N] FILE\n"
                           "       pardump --zones FILE\n"
                           "       pardump --tbo PATTERN FILE");
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

namespace {

int failed(QTextStream& err, const QString& file, const QString& what, int number) {
    err << "pardump: " << file << ": " << what;
    if (number) err << ": " << vbErrorText(number) << " (" << number << ')';
    err << '\n';
    return 1;
}

int setEntry(const ParDumpRequest& request, QTextStream& out, QTextStream& err) {
    TdaOpc par;
    int count = 0;
    if (const int e = par.RegPrp(request.file, count))
        return failed(err, request.file, QStringLiteral("cannot be read"), e);
    const bool had = par.edited().find(request.key) != nullptr;
    if (const int e = par.RegVarAlt(request.key, request.value, request.mode))
        return failed(err, request.file,
                      request.key + QStringLiteral(": refused, the file would not read it back"),
                      e);
    const bool added = par.edited().count() != count;
    if (const int e = par.RegExe(QString(), 0))
        return failed(err, request.file, QStringLiteral("not written, the file is as it was"), e);
    out << request.key << ": "
        << (had     ? "changed"
            : added ? "added"
                    : "no entry, none added in this mode")
        << '\n';
    return 0;
}

} // namespace

int parDumpVerb(const ParDumpRequest& request, QTextStream& out, QTextStream& err) {
    using Verb = ParDumpRequest::Verb;
    if (request.verb == Verb::Set) return setEntry(request, out, err);
    if (pathKind(request.file) != PathKind::Regular)
        return failed(err, request.file, QStringLiteral("no such file"), 0);
    TdaOpc par;
    if (request.verb == Verb::Zones) {
        int count = 0;
        if (const int e = par.RegPrp(request.file, count))
            return failed(err, request.file, QStringLiteral("cannot be read"), e);
        QStringList names;
        par.RegZonIdz(names, count);
        for (int i = 1; i <= count; ++i)
            out << names.at(i) << '\n';
        return 0;
    }
    int count = 0;
    par.tbOpcPrp(request.file, request.selector, QString(), count);
    for (int i = 1; i <= count; ++i) {
        const OpcRow& r = par.tbOpcRows().at(size_t(i));
        out << "row " << i << ": label " << quoted(r.label) << " a " << quoted(r.a) << " b "
            << quoted(r.b) << " value " << quoted(r.value) << '\n';
    }
    return 0;
}

} // namespace zv
