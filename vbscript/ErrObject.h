#pragma once
// The script's Err object: the last error taken by On Error Resume Next (Number, its default
// member, Description, Source, HelpFile, HelpContext), Clear, and Raise for errors of the
// script's own. Raise leaves out what Err already holds (while it holds an error) and gives a
// system error code (&H8007xxxx) the language's number for it; numbers past 16 bits that are no
// error code are 5. The language's own errors show their standard text alone.

#include "Dispatch.h"

#include <optional>

namespace zv::vbs {

// The Source of the language's own run-time errors.
QString runtimeErrorSource();

class ErrObject : public SimpleDispatch {
public:
    ErrObject();

    // Takes an error that a handler caught (HelpFile and HelpContext those of its Raise, else
    // cleared).
    void set(const VbError& e);
    void clear();

    // What Err holds, kept and put back around code that must not disturb it.
    struct Snapshot {
        int number = 0;
        QString description, source;
    };
    Snapshot snapshot() const { return {number_, description_, source_}; }
    void restore(const Snapshot& s) {
        number_ = s.number;
        description_ = s.description;
        source_ = s.source;
    }
    int number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& source() const { return source_; }

private:
    // What the last Raise gave, until a handler takes its error (set).
    struct Raised {
        int number;
        QString description, source, helpFile;
        int helpContext;
    };
    static int32_t raisedNumber(int32_t n);

    std::optional<Raised> raised_;
    int number_ = 0;
    QString description_;
    QString source_;
    QString helpFile_;
    int helpContext_ = 0;
};

} // namespace zv::vbs
