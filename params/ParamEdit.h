#pragma once
// One parameter file loaded whole for editing: its physical lines as read (no joining, no
// trimming), the encoding and line end it was read with, and an index of its entry keys; the
// changes of an edit session; the whole file written back through a replacement.
//
// Every change is checked against the reader before it is taken: the changed line must read
// back as an entry with the same key and exactly the value given, and must leave every other
// logical line as it was. A change that would not is refused (result 5) and changes nothing.
// Entry keys are found as the reader finds them (after joining and escapes, in zones read as
// logical lines) under their name part (the key after a "type:" prefix), the first line of a
// key winning.
//
// Results: 0, or the run-time error number (5 a refused change or no file loaded).

#include "Encoding.h"
#include "ParamScan.h"

#include <QString>
#include <QStringList>

namespace zv {

class ParamEdit {
public:
    // Loads file (a regular file, never a pipe or device: 75). 0, or the error number of the
    // failure (53 missing, 76 missing folder, 70 no permission, 75 no regular file); the array
    // is then empty and not loaded.
    int load(const QString& file);
    // Takes lines held in memory (a zone of another array); headerLines of them are a header.
    void loadLines(const QString& name, const QStringList& lines, const TextFormat& format,
                   int headerLines);
    // Back to nothing loaded.
    void release();

    bool loaded() const { return loaded_; }
    const QString& name() const { return name_; }
    const TextFormat& format() const { return format_; }
    int count() const { return int(lines_.size()); }
    // Physical line n (1..count); "" outside.
    QString line(int n) const { return scan_.physical(n); }
    const QStringList& lines() const { return lines_; }
    const ParamScan& scan() const { return scan_; }

    // The entry line of key: key as given (upper case, trimmed), else its part after ":".
    const ParamScan::Line* find(const QString& key) const;

    // Sets the value of key's entry: the line keeps its text up to the reader's "=" and takes
    // the value (escaped); the continuation lines that the reader joined to it become "".
    // A key without an entry gets the line "??? [key]=value": mode 1 after the last line, mode
    // 2 before the "##" that ends the last entry zone, any other mode nowhere (nothing
    // changes). Refused: a key with "[", "]", CR or LF or empty, a value that the zone cannot
    // read back, a character the file's encoding lacks.
    int setValue(const QString& key, const QString& value, int mode);
    // setValue on every entry line of key (a key given twice in a file keeps one value).
    int setEvery(const QString& key, const QString& value, int mode);
    // Marks key's entry line and its continuation lines deleted ("«»"); nothing without one.
    int remove(const QString& key);
    // Header line n (1..5): its text before the first ":" & ": " & text; a line without ":"
    // stays. Refused: n outside the header, text with CR or LF.
    int setHeader(int n, const QString& text);

    // The file's bytes: every line (mode 1 without the lines "«»") in its encoding, with its
    // byte-order mark and line end. *lost when a character had to become "?".
    QByteArray bytes(int mode, bool* lost) const;
    // Writes the lines to file (the loaded file when "") through a replacement, its folder
    // made when missing; then releases the array. Refused when nothing is loaded; a failure
    // keeps the old file and the array.
    int write(const QString& file, int mode);

private:
    // Puts candidate in place when the logical line at physical line at reads as an entry
    // with chv and value and nothing else moved; else 5.
    int take(const QStringList& candidate, int at, const QString& chv, const QString& value);
    int replace(const ParamScan::Line& entry, const QString& value);
    // The physical line before which mode 2 inserts; 0 when there is none.
    int insertionPoint() const;
    bool encodable(const QString& text) const;
    // The key under which the index finds key ("" when neither form is there).
    QString indexKey(const QString& key) const;

    bool loaded_ = false;
    QString name_;
    QStringList lines_;
    TextFormat format_;
    int headerLines_ = 5;
    ParamScan scan_;
};

} // namespace zv
