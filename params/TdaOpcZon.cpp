// TdaOpc: zone copies and templates, on the lines of the loaded file. Zones are found as the
// reader finds them (ParamScan): a header counts only where the reader looks for one, a raw
// zone ends only at a line whose trimmed text is "##", and the lines around a header belong to
// its block only when they are comment lines (the frames the writers put there).

#include "TdaOpc.h"

#include "ParamLine.h"
#include "Text.h"

namespace zv {

namespace {

const QString kTemplatePrefix = QStringLiteral("_MAT");

// lines start..end of source as an array 1..count (element 0 "").
QStringList slice(const ParamEdit& source, int start, int end) {
    QStringList lines{QString()};
    for (int n = start; n >= 1 && n <= end; ++n)
        lines.append(source.line(n));
    return lines;
}

} // namespace

void TdaOpc::ZonLoc(const QString& name, int& start, int& end) {
    zonLoc_ = ZonLocRes{};
    start = end = 0;
    if (!edit_.loaded()) return;
    const ParamScan& scan = edit_.scan();
    if (name.isEmpty()) {
        end = scan.leadingEnd();
        start = end ? 1 : 0;
        return;
    }
    const int z = scan.zone(name);
    if (z < 0) return;
    scan.zoneSpan(z, start, end);
    const ParamScan::Line* header = scan.startingAt(scan.zones()[size_t(z)].header);
    zonLoc_.header = header->record.Txt;
    parline::parseZoneHeader(zonLoc_.header, true, zonLoc_.name, zonLoc_.type, zonLoc_.description);
}

void TdaOpc::writeLines(const QStringList& lines, int start, int end) {
    for (int n = std::max(start, 1); n <= std::min(end, int(lines.size())); ++n)
        write(lines.at(n - 1));
}

void TdaOpc::RegZonCon(QString& name, QStringList& lines, int& count) {
    name.clear();
    int start = 0, end = 0;
    if (count == -1) {
        zoneCursor_ = 0;
        ZonLoc(QString(), start, end);
    } else if (edit_.loaded() && zoneCursor_ < int(edit_.scan().zones().size())) {
        const int z = zoneCursor_++;
        edit_.scan().zoneSpan(z, start, end);
        name = edit_.scan().zones()[size_t(z)].name;
    }
    lines = slice(edit_, start, end);
    count = int(lines.size()) - 1;
}

void TdaOpc::RegZonIdz(QStringList& names, int& count) {
    QStringList result{QString()};
    if (edit_.loaded())
        for (const ParamScan::Zone& z : edit_.scan().zones())
            result.append(z.name);
    names = result;
    count = int(result.size()) - 1;
}

void TdaOpc::RegZonRed(QStringList& lines, int& count) const {
    int n = std::min(count, int(lines.size()) - 1);
    while (n >= 1 && lines.at(n).isEmpty())
        --n;
    count = std::max(n, 0);
    lines.resize(count + 1);
}

void TdaOpc::RegZonCtx(const QString& name, QStringList& lines, int& count) {
    int start = 0, end = 0;
    ZonLoc(name, start, end);
    int bodyStart = 0, bodyEnd = 0;
    if (start && !name.isEmpty())
        edit_.scan().bodySpan(edit_.scan().zone(name), bodyStart, bodyEnd);
    lines = slice(edit_, bodyStart, bodyEnd);
    count = int(lines.size()) - 1;
}

void TdaOpc::RegZonCop(const QString& name) {
    int start = 0, end = 0;
    ZonLoc(name, start, end);
    if (!start) return;
    writeLines(edit_.lines(), start, end);
    RegNls(2);
}

void TdaOpc::RegZonCab(const QString& mode) {
    for (int n = 1; n <= int(header_.size()); ++n)
        header_[size_t(n - 1)] = Trim(edit_.line(n));
    if (mode == u"COP") {
        int start = 0, end = 0;
        ZonLoc(QString(), start, end);
        writeLines(edit_.lines(), start, end);
        RegNls(2);
        return;
    }
    writeLines(edit_.lines(), 1, 6);
    RegGrpCabVer();
    QString version, date;
    CabCon(QStringLiteral("V"), 4, version);
    CabCon(QStringLiteral("V"), 3, date);
    RegGrpVer(version, date, QStringLiteral("Versao ") + version, 0);
}

void TdaOpc::RegZonMatPrp(const QString& name) {
    int start = 0, end = 0;
    ZonLoc(kTemplatePrefix + name, start, end);
    if (!start) {
        template_.release();
        return;
    }
    const QStringList lines = slice(edit_, start, end).mid(1);
    template_.loadLines(zonLoc_.name, lines, edit_.format(), 0);
}

int TdaOpc::RegZonMatAct(const QString& key, const QString& value, int mode) {
    return template_.setValue(key, value, mode);
}

void TdaOpc::RegZonMatReg(const QString& index) {
    if (!template_.loaded() || template_.scan().zones().empty()) return;
    const ParamScan& scan = template_.scan();
    const ParamScan::Zone& zone = scan.zones().front();
    QString name, type, description;
    parline::parseZoneHeader(scan.startingAt(zone.header)->record.Txt, true, name, type,
                             description);
    if (name.startsWith(kTemplatePrefix)) name = name.mid(kTemplatePrefix.size());
    const qsizetype open = description.indexOf(u'[');
    const qsizetype close = open < 0 ? -1 : description.indexOf(u']', open + 1);
    if (close > open)
        description = description.left(open) + (index.isEmpty() ? QStringLiteral("[?]") : index) +
                      description.mid(close + 1);
    RegGrpCab(name, parline::kZoneIde, description);
    int bodyStart = 0, bodyEnd = 0;
    scan.bodySpan(0, bodyStart, bodyEnd);
    writeLines(template_.lines(), bodyStart, zone.endLast ? zone.endLast : template_.count());
    RegNls(2);
}

} // namespace zv
