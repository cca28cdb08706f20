#pragma once
// The physical lines of a parameter file seen through the reader's own rules: which physical
// lines each logical line joins, where each zone's header and end stand, and which line holds
// each entry key. The editing and zone-copy operations work on physical lines and ask this
// scan where the reader cuts, so that they change or copy exactly what the reader reads.
//
// The rules are the zone walk's: the header lines are taken whole; between zones logical lines
// are read with escapes on until a zone header ("#"); a zone's body is read with the escapes its
// options allow until a logical line of type "##" (a raw "ZTX" body: physical lines until one
// whose trimmed text is "##"). A continuation cut by the end of the file is no line.

#include "TdaReg.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace zv {

class ParamScan {
public:
    // Where a line stands.
    enum class Part { Between, Body, Raw };

    struct Line {
        int first = 0; // its physical lines first..last (1-based)
        int last = 0;
        Part part = Part::Between;
        int zone = -1;      // the zone whose header or body holds it (-1 between zones)
        int escapeFlag = 1; // the escape flag it was read with
        TdaReg record;      // what the reader made of it
    };

    struct Zone {
        int header = 0; // the physical lines of its header line
        int headerLast = 0;
        int end = 0; // the physical lines of its end line; 0 when the file ends first
        int endLast = 0;
        QString name; // upper case
        QString type; // "IDE", "TX" or "ZTX"
        QString description;
    };

    ParamScan() = default;
    // lines holds the physical lines 1..n at positions 0..n-1; the first headerLines of them
    // are the file's header.
    ParamScan(const QStringList& lines, int headerLines);

    int count() const { return count_; }
    const std::vector<Line>& lines() const { return lines_; }
    const std::vector<Zone>& zones() const { return zones_; }

    // The logical line that begins at physical line n; nullptr when none does (a header line,
    // a continuation piece, a zone end of a raw body, a line past the end).
    const Line* startingAt(int n) const;
    // The first entry line whose key, without its "type:" prefix, is nameKey (upper case,
    // trimmed); nullptr when none.
    const Line* entry(const QString& nameKey) const;
    // The first zone named name (compared exactly); -1 when none.
    int zone(const QString& name) const;
    // Physical line n (1..count); "" outside.
    QString physical(int n) const { return n >= 1 && n <= count_ ? text_.at(n - 1) : QString(); }
    // The last physical line at or before n that is not ""; 0 when none.
    int lastNonEmpty(int n) const;

    // The physical lines of a zone from its frame line (the one-line comment before its header,
    // when there is one) through its end line (or the last line).
    void zoneSpan(int z, int& start, int& end) const;
    // The physical lines of a zone's body: after its header and the one-line comment that
    // frames it, up to the line before its end.
    void bodySpan(int z, int& start, int& end) const;
    // The last line of the file's leading part (header and what precedes the first zone's
    // frame line), trailing empty lines left out; the whole file when it has no zone.
    int leadingEnd() const;

private:
    bool oneLineComment(int n) const;

    QStringList text_;
    int count_ = 0;
    int headerLines_ = 0;
    std::vector<Line> lines_;
    std::vector<Zone> zones_;
    std::vector<int> startOf_;    // physical line -> index in lines_, -1 when none begins there
    QHash<QString, int> entries_; // key name part -> index in lines_ (the first)
};

} // namespace zv
