#pragma once
// The options of a parameter-file object: named text values that outlive the zone walk.
//
// - The fixed table holds what the object sets itself ("ParDir", "ParFic").
// - The user table holds a "DEF" zone's entries, command-line name=value words and values
//   set by callers.
// - The look-up answers the special keys itself: "APP:PATH" (the program's folder), "WIN:DIR"
//   and "WIN:SYS" (the stand-in Windows and system folders), "WIN:TMP" (the temp folder
//   without a trailing separator), "USR:DIR" (the person's home folder, where a definition
//   can put what it installs for that person alone) and "LC:" + name (the command-line word
//   after "-" + name); any other key comes from the fixed table, else the user table, else "".
// - "[name]" references in a text are replaced by the look-up of name, at most 21 times.
// - Option records: a copy of an "OPC" zone's entries, with a selection mark and a cursor.
//
// Option names are stored and looked up upper case and trimmed.

#include "CommandLine.h"
#include "NameValueTable.h"
#include "TdaReg.h"

#include <QString>
#include <vector>

namespace zv {

class OptionStore {
public:
    // The most replacements made in one text.
    static constexpr int kMaxReplacements = 21;

    OptionStore() { clearRecords(); }

    static QString optionName(const QString& key);

    NameValueTable& fixed() { return fixed_; }
    NameValueTable& user() { return user_; }
    const NameValueTable& fixed() const { return fixed_; }
    const NameValueTable& user() const { return user_; }

    void setFixed(const QString& key, const QString& value);
    void setUser(const QString& key, const QString& value);
    bool getFixed(const QString& key, QString& value) const;
    bool getUser(const QString& key, QString& value) const;
    // The fixed table, else the user table; false when neither has the key.
    bool getStored(const QString& key, QString& value) const;

    // The value of any key, special keys included; "" when nothing answers.
    QString lookup(const QString& key, const CommandLine& commandLine) const;
    // text with its "[name]" references replaced (an empty pair met first stops the search).
    QString substitute(const QString& text, const CommandLine& commandLine) const;

    // Option records 1..n (record 0 holds the cursor in its Num).
    void clearRecords();
    void setRecords(std::vector<TdaReg> records) { records_ = std::move(records); }
    const std::vector<TdaReg>& records() const { return records_; }
    // Marks the records whose key name (after a "type:" prefix) begins with one of the
    // selector's ","-separated items ("*" takes all); the number marked. The cursor restarts.
    int selectRecords(const QString& selector);
    // The next marked record after the cursor: label, value and key name; false (and "")
    // when none is left.
    bool nextRecord(QString& label, QString& value, QString& name);

private:
    NameValueTable fixed_;
    NameValueTable user_;
    std::vector<TdaReg> records_;
};

} // namespace zv
