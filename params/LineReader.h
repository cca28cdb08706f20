#pragma once
// The reader of logical lines: physical lines joined by "+" continuation, the escapes
// "chr$(" / "bin$(" expanded while the zone allows it, and each line classified and split into
// the current record. It also finds and parses zone headers with their zone options.
//
// The reader takes its physical lines from a source, so it works the same on the top file of
// the handle stack and on lines held in memory.

#include "TdaReg.h"
#include "Variant.h"

#include <QString>
#include <functional>

namespace zv {

class LineReader {
public:
    // Gives the next physical line; false at the end.
    using Source = std::function<bool(QString& line)>;

    struct ZoneHeader {
        QString name;        // upper case; "" at the end of the file
        QString type;        // "IDE", "TX" or "ZTX"
        QString description; // without the zone options
    };

    explicit LineReader(Source source = {}) : source_(std::move(source)) {}
    void setSource(Source source) { source_ = std::move(source); }

    // Escape expansion on, no zone options.
    void resetEscapes();
    // Splits the zone options off a description: when it holds "[", the description becomes
    // the trimmed text before the first "[" and the options "[" and the rest, found 1, and the
    // option "CnvChr" sets the escape flag. Otherwise found 0 and nothing changes.
    void useZoneOptions(QString& description, int& found);
    // The value of a zone option (name and options compared upper case), assigned to value in
    // its own type; value is left alone when the option is absent.
    void zoneOption(const QString& name, Variant& value) const;

    int escapeFlag() const { return escapeFlag_; }
    void setEscapeFlag(int flag) { escapeFlag_ = flag; }
    const QString& zoneOptions() const { return zoneOptions_; }

    // The current record: the last line read.
    TdaReg& record() { return record_; }
    const TdaReg& record() const { return record_; }

    // One physical line from the source; false at the end.
    bool readPhysical(QString& line);
    // One logical line into the current record. A file that ends inside a continuation gives
    // an empty line with Ok 0.
    void readLogical();
    // One raw line into the current record; Ok 0 at the end or at a line whose trimmed text
    // is "##".
    void readRaw();
    // The next logical line that is not empty; its type ("" at the end).
    QString nextNonEmpty();
    // The next entry line ("=" type); its type ("" at the end).
    QString nextEntry();
    // Finds the next zone header (escapes on while searching) and parses it; the name is ""
    // when the file has no further zone.
    ZoneHeader nextZoneHeader();

private:
    Source source_;
    TdaReg record_;
    int escapeFlag_ = 1;
    QString zoneOptions_;
};

} // namespace zv
