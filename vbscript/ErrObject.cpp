#include "ErrObject.h"

#include "Convert.h"

namespace zv::vbs {

QString runtimeErrorSource() {
    return QStringLiteral("Microsoft VBScript runtime error");
}

ErrObject::ErrObject() : SimpleDispatch(QStringLiteral("ErrObject")) {
    addProperty(
        QStringLiteral("Number"),
        [this](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(int32_t(number_));
        },
        [this](Args a) { number_ = CLng(*a.back()); });
    addProperty(
        QStringLiteral("Description"),
        [this](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(description_);
        },
        [this](Args a) { description_ = toText(*a.back()); });
    addProperty(
        QStringLiteral("Source"),
        [this](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(source_);
        },
        [this](Args a) { source_ = toText(*a.back()); });
    addProperty(
        QStringLiteral("HelpFile"), [this](Args) { return Variant(helpFile_); },
        [this](Args a) { helpFile_ = toText(*a.back()); });
    addProperty(
        QStringLiteral("HelpContext"), [this](Args) { return Variant(int32_t(helpContext_)); },
        [this](Args a) { helpContext_ = CLng(*a.back()); });
    addMethod(QStringLiteral("Clear"), [this](Args a) {
        checkArgCount(a, 0, 0);
        clear();
        return Variant();
    });
    // Raise number[, source[, description[, helpfile[, helpcontext]]]]: what is left out keeps
    // what Err holds while it holds an error, else takes the number's own text and source.
    addMethod(QStringLiteral("Raise"), [this](Args a) -> Variant {
        checkArgCount(a, 1, 5);
        auto given = [&](size_t i) { return i < a.size() && !a[i]->isMissing(); };
        if (!given(0)) throw VbError(err::ArgumentNotOptional);
        int32_t n = raisedNumber(CLng(*a[0]));
        const bool holding = number_ != 0;
        QString source = given(1) ? toText(*a[1]) : holding ? source_ : runtimeErrorSource();
        QString description = given(2) ? toText(*a[2]) : holding ? description_ : QString();
        if (description.isEmpty()) description = raisedErrorText(n);
        Raised r{n, description, source, holding ? helpFile_ : QString(),
                 holding ? helpContext_ : 0};
        if (given(3)) r.helpFile = toText(*a[3]);
        if (given(4)) r.helpContext = CLng(*a[4]);
        raised_ = r;
        throw VbError(n, description, source);
    });
    setDefaultMember(QStringLiteral("Number"));
}

// The number Raise gives Err: 0 and numbers past 16 bits that are no error code are 5; codes of
// system errors (facility 7) are the language's error for the same failure.
int32_t ErrObject::raisedNumber(int32_t n) {
    if (n == 0 || (n > 0xFFFF)) return err::InvalidCall;
    if ((uint32_t(n) & 0xFFFF0000u) == 0x80070000u) {
        switch (n & 0xFFFF) {
        case 2: // file not found
            return err::FileNotFound;
        case 3: // path not found
            return err::PathNotFound;
        case 5: // access denied
            return err::PermissionDenied;
        case 8: // not enough memory
        case 14:
            return err::OutOfMemory;
        case 0x57: // invalid parameter
            return err::InvalidCall;
        case 0x70: // disk full
            return err::DiskFull;
        default:
            break;
        }
    }
    return n;
}

// The language's own errors show their text alone here (the host's error record keeps the
// name some of them add); HelpFile and HelpContext are those of Raise, or cleared.
void ErrObject::set(const VbError& e) {
    const bool raised = raised_ && raised_->number == e.number() &&
                        raised_->description == e.description() && raised_->source == e.source();
    helpFile_ = raised ? raised_->helpFile : QString();
    helpContext_ = raised ? raised_->helpContext : 0;
    raised_.reset();
    number_ = e.number();
    description_ = e.description();
    const QString text = vbErrorText(e.number());
    if (description_.startsWith(text + QStringLiteral(": '"))) description_ = text;
    source_ = e.source().isEmpty() ? runtimeErrorSource() : e.source();
}

void ErrObject::clear() {
    number_ = 0;
    description_.clear();
    source_.clear();
    helpFile_.clear();
    helpContext_ = 0;
}

} // namespace zv::vbs
