#pragma once
// The script's Err object: the last error taken by On Error Resume Next (Number, its default
// member, Description, Source), Clear, and Raise for errors of the script's own.

#include "Dispatch.h"

namespace zv::vbs {

// The Source of the language's own run-time errors.
QString runtimeErrorSource();

class ErrObject : public SimpleDispatch {
public:
    ErrObject();

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
    int number_ = 0;
    QString description_;
    QString source_;
    QString helpFile_;
    int helpContext_ = 0;
};

} // namespace zv::vbs
