#include "VbControlArray.h"

#include "Binder.h"
#include "Convert.h"
#include "VbControl.h"
#include "VbForm.h"

namespace zv {

const MemberTable& VbControlArray::memberTable() {
    static const MemberTable table = [] {
        MemberTable t(QStringLiteral("Object"));
        Members<VbControlArray>(t)
            .method(QStringLiteral("Item"),
                    [](VbControlArray& c, int16_t index) { return DispatchPtr(c.item(index)); })
            .defaultMember(QStringLiteral("Item"))
            .property<int32_t>(QStringLiteral("Count"), &VbControlArray::count)
            .property<int16_t>(QStringLiteral("LBound"), &VbControlArray::lbound)
            .property<int16_t>(QStringLiteral("UBound"), &VbControlArray::ubound);
        return t;
    }();
    return table;
}

VbControlArray::VbControlArray(VbForm* form, QString name)
    : BoundDispatch(memberTable()), form_(form), name_(std::move(name)) {}

VbForm* VbControlArray::liveForm() const {
    if (!form_) throw err::ObjectUnloaded();
    return form_.data();
}

std::shared_ptr<VbControl> VbControlArray::item(int index) const {
    auto c = liveForm()->control(name_, index);
    if (!c) throw err::NoSuchControlElement(QString::number(index));
    return c;
}

int VbControlArray::count() const {
    return int(liveForm()->elements(name_).size());
}

int VbControlArray::lbound() const {
    const auto all = liveForm()->elements(name_);
    return all.empty() ? 0 : all.begin()->first;
}

int VbControlArray::ubound() const {
    const auto all = liveForm()->elements(name_);
    return all.empty() ? -1 : all.rbegin()->first;
}

std::unique_ptr<Enumerator> VbControlArray::enumerate() {
    std::vector<Variant> items;
    for (const auto& [index, control] : liveForm()->elements(name_))
        items.push_back(DispatchPtr(control));
    return std::make_unique<ListEnumerator>(std::move(items));
}

} // namespace zv
