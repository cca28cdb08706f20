#include "ParamScan.h"

#include "LineReader.h"
#include "ParamLine.h"

namespace zv {

ParamScan::ParamScan(const QStringList& lines, int headerLines)
    : text_(lines), count_(int(lines.size())), headerLines_(headerLines),
      startOf_(size_t(lines.size()) + 2, -1) {
    int pos = 0; // physical lines read so far
    LineReader reader([&](QString& line) {
        if (pos >= count_) return false;
        line = text_.at(pos++);
        return true;
    });
    QString skipped;
    for (int i = 0; i < headerLines && reader.readPhysical(skipped); ++i) {
    }

    const TdaReg& rec = reader.record();
    Part part = Part::Between;
    for (;;) {
        Line line;
        line.first = pos + 1;
        line.part = part;
        line.zone = part == Part::Between ? -1 : int(zones_.size()) - 1;
        line.escapeFlag = reader.escapeFlag();
        if (part == Part::Raw) {
            reader.readRaw();
            if (rec.Ok != 1) {
                if (pos < line.first) break; // the end of the file
                Zone& z = zones_.back();     // a line whose trimmed text is "##"
                z.end = z.endLast = pos;
                part = Part::Between;
                reader.resetEscapes();
                continue;
            }
        } else {
            reader.readLogical();
            // The end of the file, or a continuation that the end cuts off: no line.
            if (rec.Ok != 1) break;
        }
        line.last = pos;
        line.record = rec;
        const int index = int(lines_.size());
        startOf_[size_t(line.first)] = index;

        if (part == Part::Between && rec.Tip == u"#") {
            Zone z;
            z.header = line.first;
            z.headerLast = line.last;
            parline::parseZoneHeader(rec.Txt, true, z.name, z.type, z.description);
            int found = 0;
            reader.useZoneOptions(z.description, found);
            zones_.push_back(z);
            line.zone = int(zones_.size()) - 1;
            part = z.type == parline::kZoneZtx ? Part::Raw : Part::Body;
        } else if (part == Part::Body && rec.Tip == u"##") {
            Zone& z = zones_.back();
            z.end = line.first;
            z.endLast = line.last;
            part = Part::Between;
            reader.resetEscapes();
        } else if (part != Part::Raw && rec.Tip == u"=") {
            QString typePart, namePart;
            parline::ParTipVar(rec.Chv, typePart, namePart);
            if (!namePart.isEmpty() && !entries_.contains(namePart))
                entries_.insert(namePart, index);
        }
        lines_.push_back(std::move(line));
    }
}

const ParamScan::Line* ParamScan::startingAt(int n) const {
    if (n < 1 || n > count_) return nullptr;
    const int i = startOf_[size_t(n)];
    return i < 0 ? nullptr : &lines_[size_t(i)];
}

const ParamScan::Line* ParamScan::entry(const QString& nameKey) const {
    const auto it = entries_.constFind(nameKey);
    return it == entries_.constEnd() ? nullptr : &lines_[size_t(*it)];
}

int ParamScan::zone(const QString& name) const {
    for (size_t i = 0; i < zones_.size(); ++i)
        if (zones_[i].name == name) return int(i);
    return -1;
}

int ParamScan::lastNonEmpty(int n) const {
    for (int i = std::min(n, count_); i >= 1; --i)
        if (!text_.at(i - 1).isEmpty()) return i;
    return 0;
}

bool ParamScan::oneLineComment(int n) const {
    const Line* line = startingAt(n);
    return line && line->last == n && line->record.Tip == u"'";
}

void ParamScan::zoneSpan(int z, int& start, int& end) const {
    const Zone& zone = zones_.at(size_t(z));
    const int frame = zone.header - 1;
    start = frame > headerLines_ && oneLineComment(frame) ? frame : zone.header;
    end = zone.endLast ? zone.endLast : count_;
}

void ParamScan::bodySpan(int z, int& start, int& end) const {
    const Zone& zone = zones_.at(size_t(z));
    start = zone.headerLast + 1;
    if (start <= count_) {
        // The frame under the header belongs to the header block; in a raw body it is a raw
        // line, elsewhere it must be a comment line of its own.
        QString type, key;
        parline::ParTpp(physical(start), type, key);
        const bool raw = zone.type == parline::kZoneZtx;
        if (type == u"'" && (raw || oneLineComment(start))) ++start;
    }
    end = zone.end ? zone.end - 1 : count_;
}

int ParamScan::leadingEnd() const {
    if (zones_.empty()) return lastNonEmpty(count_);
    int start = 0, end = 0;
    zoneSpan(0, start, end);
    return lastNonEmpty(start - 1);
}

} // namespace zv
