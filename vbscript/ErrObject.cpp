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
    // Raise number[, source[, description[, helpfile[, helpcontext]]]]
    addMethod(QStringLiteral("Raise"), [this](Args a) -> Variant {
        checkArgCount(a, 1, 5);
        auto given = [&](size_t i) { return i < a.size() && !a[i]->isMissing(); };
        if (!given(0)) throw VbError(err::ArgumentNotOptional);
        int32_t n = CLng(*a[0]);
        if (n == 0) throw VbError(err::InvalidCall);
        QString source = given(1) ? toText(*a[1]) : runtimeErrorSource();
        QString description = given(2) ? toText(*a[2]) : raisedErrorText(n);
        if (given(3)) helpFile_ = toText(*a[3]);
        if (given(4)) helpContext_ = CLng(*a[4]);
        throw VbError(n, description.isEmpty() ? raisedErrorText(n) : description, source);
    });
    setDefaultMember(QStringLiteral("Number"));
}

void ErrObject::set(const VbError& e) {
    number_ = e.number();
    description_ = e.description();
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
