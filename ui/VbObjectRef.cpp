#include "VbObjectRef.h"

#include "VbControl.h"
#include "VbError.h"
#include "VbForm.h"
#include "VbLine.h"

namespace zv {

namespace {

[[noreturn]] void raiseGone() {
    throw err::ObjectUnloaded();
}

} // namespace

VbObjectRef::VbObjectRef(VbForm* form) : form_(form), isForm_(form != nullptr) {}

VbObjectRef::VbObjectRef(std::shared_ptr<VbControl> control) : control_(std::move(control)) {}

bool VbObjectRef::isAlive() const {
    return isForm_ ? !form_.isNull() : control_ && control_->isAlive();
}

VbForm* VbObjectRef::form() const {
    return isForm_ ? form_.data() : nullptr;
}

bool VbObjectRef::sameAs(const VbObjectRef& other) const {
    if (isForm_ != other.isForm_) return false;
    return isForm_ ? form_ == other.form_ : control_ == other.control_;
}

VbForm* VbObjectRef::liveForm() const {
    if (!form_) raiseGone();
    return form_.data();
}

VbControl* VbObjectRef::liveControl() const {
    if (!control_) throw VbError(err::ObjectNotSet);
    if (!control_->isAlive()) raiseGone();
    return control_.get();
}

VbControl* VbObjectRef::placedControl() const {
    VbControl* c = liveControl();
    if (dynamic_cast<VbLine*>(c)) throw VbError(err::NoSuchMember);
    return c;
}

QString VbObjectRef::name() const {
    return isForm_ ? liveForm()->name() : liveControl()->name();
}

double VbObjectRef::left() const {
    return isForm_ ? liveForm()->left() : placedControl()->left();
}
double VbObjectRef::top() const {
    return isForm_ ? liveForm()->top() : placedControl()->top();
}
double VbObjectRef::width() const {
    return isForm_ ? liveForm()->width() : placedControl()->width();
}
double VbObjectRef::height() const {
    return isForm_ ? liveForm()->height() : placedControl()->height();
}

void VbObjectRef::setLeft(double twips) {
    isForm_ ? liveForm()->setLeft(twips) : placedControl()->setLeft(twips);
}
void VbObjectRef::setTop(double twips) {
    isForm_ ? liveForm()->setTop(twips) : placedControl()->setTop(twips);
}
void VbObjectRef::setWidth(double twips) {
    isForm_ ? liveForm()->setWidth(twips) : placedControl()->setWidth(twips);
}
void VbObjectRef::setHeight(double twips) {
    isForm_ ? liveForm()->setHeight(twips) : placedControl()->setHeight(twips);
}

bool VbObjectRef::visible() const {
    return isForm_ ? !liveForm()->isHidden() : liveControl()->visible();
}

void VbObjectRef::setVisible(bool on) {
    isForm_ ? liveForm()->setVisible(on) : liveControl()->setVisible(on);
}

bool VbObjectRef::enabled() const {
    return isForm_ ? !liveForm()->testAttribute(Qt::WA_ForceDisabled) : liveControl()->enabled();
}

void VbObjectRef::setEnabled(bool on) {
    isForm_ ? liveForm()->setEnabled(on) : liveControl()->setEnabled(on);
}

VbObjectRef VbObjectRef::container() const {
    if (isForm_) {
        liveForm();
        throw VbError(err::ObjectNotSet);
    }
    VbControl* c = liveControl();
    if (auto holder = c->container()) return VbObjectRef(std::move(holder));
    if (VbForm* f = c->form()) return VbObjectRef(f);
    raiseGone();
}

} // namespace zv
