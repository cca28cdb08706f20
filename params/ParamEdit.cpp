#include "ParamEdit.h"

#include "FicGlb.h"
#include "FileLayer.h"
#include "ParamFormat.h"
#include "ParamLine.h"
#include "ParamWriter.h"
#include "Text.h"
#include "VbError.h"

namespace zv {

namespace {

// The piece that the reader takes from a physical line, as the offset of its first character
// in the line and its length; continues tells that it ends with "+" (left out of the piece).
struct Piece {
    qsizetype offset = 0;
    qsizetype size = 0;
    bool continues = false;
};

Piece pieceOf(QStringView line) {
    Piece p;
    p.size = line.size();
    qsizetype a = 0;
    while (a < line.size() && line[a] == u' ')
        ++a;
    if (a < line.size() && line[a] == u'+') {
        qsizetype b = line.size();
        while (b > a && line[b - 1] == u' ')
            --b;
        p.offset = a + 1;
        p.size = b - a - 1;
    }
    if (p.size > 0 && line[p.offset + p.size - 1] == u'+') {
        p.continues = true;
        --p.size;
    }
    return p;
}

bool sameLine(const ParamScan::Line& a, const ParamScan::Line& b, int shift) {
    return a.first + shift == b.first && a.last + shift == b.last && a.part == b.part &&
           a.zone == b.zone && a.escapeFlag == b.escapeFlag && a.record == b.record;
}

// Whether every logical line of before outside the physical lines from..to is in after as it
// was, those past to moved by shift lines.
bool othersKept(const ParamScan& before, const ParamScan& after, int from, int to, int shift) {
    for (const ParamScan::Line& old : before.lines()) {
        if (old.first >= from && old.first <= to) continue;
        const int s = old.first > to ? shift : 0;
        const ParamScan::Line* now = after.startingAt(old.first + s);
        if (!now || !sameLine(old, *now, s)) return false;
    }
    return before.zones().size() == after.zones().size();
}

} // namespace

int ParamEdit::load(const QString& file) {
    release();
    if (Trim(file).isEmpty() || !file::validName(file)) return err::BadFileNameOrNumber;
    switch (pathKind(file)) {
    case PathKind::Missing:
        return file::errorNumber(ENOENT, file);
    case PathKind::Other:
        return err::PathFileAccess;
    case PathKind::Regular:
        break;
    }
    QByteArray bytes;
    if (const int e = file::readFile(file, bytes)) return file::errorNumber(e, file);
    const TextFormat format = detectFormat(bytes);
    loadLines(file, splitLines(decodeContent(bytes, format)), format, 5);
    return 0;
}

void ParamEdit::loadLines(const QString& name, const QStringList& lines, const TextFormat& format,
                          int headerLines) {
    name_ = name;
    lines_ = lines;
    format_ = format;
    headerLines_ = headerLines;
    scan_ = ParamScan(lines_, headerLines_);
    loaded_ = true;
}

void ParamEdit::release() {
    loaded_ = false;
    name_.clear();
    lines_.clear();
    format_ = TextFormat{};
    scan_ = ParamScan();
}

QString ParamEdit::indexKey(const QString& key) const {
    const QString k = UCase(Trim(key));
    if (scan_.entry(k)) return k;
    QString typePart, namePart;
    parline::ParTipVar(k, typePart, namePart);
    return scan_.entry(namePart) ? namePart : QString();
}

const ParamScan::Line* ParamEdit::find(const QString& key) const {
    const QString k = indexKey(key);
    return k.isEmpty() ? nullptr : scan_.entry(k);
}

bool ParamEdit::encodable(const QString& text) const {
    bool lost = false;
    encodeText(text, format_.encoding, &lost);
    return !lost;
}

int ParamEdit::take(const QStringList& candidate, int at, const QString& chv,
                    const QString& value) {
    ParamScan scan(candidate, headerLines_);
    const ParamScan::Line* line = scan.startingAt(at);
    if (!line || line->last != at || line->part == ParamScan::Part::Raw ||
        line->record.Tip != u"=" || line->record.Chv != chv ||
        line->record.Val != parfmt::valueReadBack(value, line->escapeFlag) ||
        !encodable(candidate.at(at - 1)))
        return err::InvalidCall;
    const ParamScan::Line* old = scan_.startingAt(at);
    const bool inserted = candidate.size() > lines_.size();
    const int to = inserted ? at - 1 : (old ? old->last : at);
    if (!othersKept(scan_, scan, at, to, inserted ? 1 : 0)) return err::InvalidCall;
    lines_ = candidate;
    scan_ = std::move(scan);
    return 0;
}

int ParamEdit::replace(const ParamScan::Line& entry, const QString& value) {
    // The reader's cut of the joined pieces (escapes not expanded, so that the label stays as
    // written): when it falls in the first line, that line keeps its text up to it.
    QString joined;
    Piece first;
    for (int n = entry.first; n <= entry.last; ++n) {
        const QString line = lines_.at(n - 1);
        const Piece p = pieceOf(line);
        if (n == entry.first) first = p;
        joined += QStringView(line).sliced(p.offset, p.size);
    }
    QString label, key, rest;
    int32_t column = 0;
    parline::ParPrep(joined, label, key, rest, column);
    if (column == 0) return err::InvalidCall;
    const qsizetype eq = column - 2; // 0-based, in the joined text
    const QString prefix = eq < first.size ? lines_.at(entry.first - 1).left(first.offset + eq + 1)
                                           : joined.left(eq + 1);
    const bool trimmed = first.offset > 0 && eq < first.size;

    QStringList candidate = lines_;
    candidate[entry.first - 1] = prefix + parfmt::escapeValue(value, trimmed);
    for (int n = entry.first + 1; n <= entry.last; ++n)
        candidate[n - 1] = QString();
    return take(candidate, entry.first, entry.record.Chv, value);
}

int ParamEdit::insertionPoint() const {
    const std::vector<ParamScan::Zone>& zones = scan_.zones();
    for (auto z = zones.rbegin(); z != zones.rend(); ++z)
        if (z->type == parline::kZoneIde && z->end && z->end == z->endLast &&
            Trim(lines_.at(z->end - 1)) == u"##")
            return z->end;
    return 0;
}

int ParamEdit::setValue(const QString& key, const QString& value, int mode) {
    if (!loaded_ || !parfmt::keyWritable(key)) return err::InvalidCall;
    if (const ParamScan::Line* entry = find(key)) return replace(*entry, value);

    int at = 0;
    if (mode == 1)
        at = count() + 1;
    else if (mode == 2)
        at = insertionPoint();
    // Nothing to add: the file stays as it is.
    if (at == 0) return 0;
    QStringList candidate = lines_;
    candidate.insert(at - 1, parfmt::kNewLabel + QStringLiteral(" [") + key + QStringLiteral("]=") +
                                 parfmt::escapeValue(value, false));
    return take(candidate, at, UCase(Trim(key)), value);
}

int ParamEdit::setEvery(const QString& key, const QString& value, int mode) {
    if (!loaded_ || !parfmt::keyWritable(key)) return err::InvalidCall;
    const QString k = indexKey(key);
    if (k.isEmpty()) return setValue(key, value, mode);
    // Replacing keeps the number of lines, so the lines found stay where they are.
    QList<int> firsts;
    for (const ParamScan::Line& line : scan_.lines()) {
        if (line.part == ParamScan::Part::Raw || line.record.Tip != u"=") continue;
        QString typePart, namePart;
        parline::ParTipVar(line.record.Chv, typePart, namePart);
        if (namePart == k) firsts.append(line.first);
    }
    for (int first : firsts)
        if (const int e = replace(*scan_.startingAt(first), value)) return e;
    return 0;
}

int ParamEdit::remove(const QString& key) {
    if (!loaded_) return err::InvalidCall;
    const ParamScan::Line* entry = find(key);
    if (!entry) return 0;
    for (int n = entry->first; n <= entry->last; ++n)
        lines_[n - 1] = parfmt::kDeleted;
    scan_ = ParamScan(lines_, headerLines_);
    return 0;
}

int ParamEdit::setHeader(int n, const QString& text) {
    if (!loaded_ || n < 1 || n > std::min(headerLines_, count()) || text.contains(u'\r') ||
        text.contains(u'\n'))
        return err::InvalidCall;
    const QString& line = lines_.at(n - 1);
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) return 0;
    const QString changed = line.left(colon) + QStringLiteral(": ") + text;
    if (!encodable(changed)) return err::InvalidCall;
    lines_[n - 1] = changed;
    scan_ = ParamScan(lines_, headerLines_);
    return 0;
}

QByteArray ParamEdit::bytes(int mode, bool* lost) const {
    QStringList kept;
    kept.reserve(lines_.size());
    for (const QString& line : lines_)
        if (mode != 1 || line != parfmt::kDeleted) kept.append(line);
    return encodeLines(kept, format_, lost);
}

int ParamEdit::write(const QString& file, int mode) {
    if (!loaded_) return err::InvalidCall;
    const QString target = Trim(file).isEmpty() ? name_ : file;
    if (!file::validName(target)) return err::BadFileNameOrNumber;
    if (pathKind(target) == PathKind::Other) return err::PathFileAccess;
    int made = 0;
    DirCriPath(target, made);
    bool lost = false;
    const QByteArray data = bytes(mode, &lost);
    if (lost) return err::InvalidCall;
    if (const int e = file::replaceFile(target, data)) return file::errorNumber(e, target);
    release();
    return 0;
}

} // namespace zv
