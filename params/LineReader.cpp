#include "LineReader.h"

#include "Convert.h"
#include "ParamLine.h"
#include "Text.h"
#include "TxtGlb.h"

#include <cmath>

namespace zv {

void LineReader::resetEscapes() {
    escapeFlag_ = 1;
    zoneOptions_.clear();
}

void LineReader::useZoneOptions(QString& description, int& found) {
    const int open = InStr(description, u"[");
    if (!open) {
        found = 0;
        return;
    }
    found = 1;
    zoneOptions_ = Mid(description, open);
    description = Trim(Left(description, open - 1));

    Variant flag{double(escapeFlag_)};
    zoneOption(QStringLiteral("CnvChr"), flag);
    // The flag is a whole number; expansion happens only when it is exactly 1.
    const double d = flag.isDouble() ? flag.rawDouble() : 0;
    escapeFlag_ = std::fabs(d) < 32768 ? int(roundHalfEven(d)) : 0;
}

void LineReader::zoneOption(const QString& name, Variant& value) const {
    Variant read = value;
    int found = 0;
    PrmCon(UCase(zoneOptions_), UCase(name), read, found);
    if (found == 1) value = read;
}

bool LineReader::readPhysical(QString& line) {
    return source_ && source_(line);
}

void LineReader::readLogical() {
    int ok = 1;
    QString text;
    QString line;
    bool have = readPhysical(line);
    if (!have) ok = 0;
    bool complete = false;
    bool first = true;
    while (have && !complete) {
        // A line whose trimmed text begins with "+" continues the one before: the trimmed text
        // after the "+" is taken; any other line is taken as it stands. A piece that ends with
        // "+" is continued by the next line.
        QStringView piece = line;
        qsizetype a = 0;
        while (a < piece.size() && piece[a] == u' ')
            ++a;
        if (a < piece.size() && piece[a] == u'+') {
            qsizetype b = piece.size();
            while (b > a && piece[b - 1] == u' ')
                --b;
            piece = piece.sliced(a + 1, b - a - 1);
        }
        if (piece.endsWith(u'+'))
            piece.chop(1);
        else
            complete = true;
        if (first && complete && piece.size() == line.size())
            text = line; // the whole line, shared
        else
            text += piece;
        first = false;
        if (!complete) {
            have = readPhysical(line);
            if (!have) ok = 0;
        }
    }
    // A file that ends inside a continuation loses that last line.
    if (ok != 1) text.clear();
    if (escapeFlag_ == 1) TxFxEsc(text);
    parline::fillRecord(record_, text, ok);
}

void LineReader::readRaw() {
    QString line;
    int ok = readPhysical(line) ? 1 : 0;
    if (ok && Trim(line) == u"##") ok = 0;
    if (!ok) line.clear();
    parline::fillRawRecord(record_, line, ok);
}

QString LineReader::nextNonEmpty() {
    do {
        readLogical();
    } while (record_.Ok == 1 && record_.Txt.isEmpty());
    return record_.Ok == 1 ? record_.Tip : QString();
}

QString LineReader::nextEntry() {
    QString type;
    do {
        type = nextNonEmpty();
    } while (record_.Ok == 1 && type != u"=");
    return type;
}

LineReader::ZoneHeader LineReader::nextZoneHeader() {
    resetEscapes();
    QString headerText;
    for (;;) {
        readLogical();
        if (record_.Ok != 1) break;
        if (record_.Tip == u"#") {
            headerText = record_.Txt;
            break;
        }
    }
    ZoneHeader header;
    if (headerText.isEmpty()) {
        header.type = parline::kZoneIde;
        return header;
    }
    parline::parseZoneHeader(headerText, true, header.name, header.type, header.description);
    int found = 0;
    useZoneOptions(header.description, found);
    return header;
}

} // namespace zv
