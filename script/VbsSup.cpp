// VbsSup: life cycle, binding a form, engine reset and the host-object table.

#include "VbsSup.h"

#include "DbgFx.h"
#include "TxtGlb.h"
#include "VbsSupObject.h"

namespace zv {

VbsSup::VbsSup() {
    DbgObIni(objectName, instanceId);
}

VbsSup::~VbsSup() {
    DbgObFim(objectName, instanceId);
    VbsIni();
    // The engine may keep the host's script object after the host is gone: from now on its
    // members raise instead of reaching a dead host.
    if (object_) object_->detach();
}

void VbsSup::FxIni() {
    DbgFxIni(objectName, instanceId, QStringLiteral("#I"));
    DbgFxIni(objectName, instanceId, QStringLiteral("#F"));
}

void VbsSup::FxFim() {
    DbgFxFim(objectName, instanceId, QStringLiteral("#I"));
    control_.reset();
    document_ = Variant::nothing();
    form_.reset();
    callback_ = Variant::nothing();
    table_.clear();
    table_.emplace_back();
    DbgFxFim(objectName, instanceId, QStringLiteral("#F"));
}

vbs::ScriptControl& VbsSup::engine() const {
    if (!control_) throw VbError(err::ObjectNotSet);
    return *control_;
}

bool VbsSup::engineRunning() const {
    return control_ && control_->isRunning();
}

DispatchPtr VbsSup::object() {
    if (!object_) object_ = std::make_shared<VbsSupObject>(this);
    return object_;
}

// ---- Binding a form ----

void VbsSup::VbsRegFS(const VbsHostFormPtr& form) {
    std::shared_ptr<vbs::ScriptControl> control = form ? form->scriptControl() : nullptr;
    if (!control) throw err::NoSuchMember(QStringLiteral("scVbs"));
    VbsRegSup(form, control);
}

void VbsSup::VbsRegSup(const VbsHostFormPtr& form,
                       const std::shared_ptr<vbs::ScriptControl>& control,
                       const Variant& callback) {
    bind(form, control, callback, true);
}

void VbsSup::VbsSupPrp(const VbsHostFormPtr& form,
                       const std::shared_ptr<vbs::ScriptControl>& control,
                       const Variant& callback) {
    bind(form, control, callback, false);
}

void VbsSup::bind(const VbsHostFormPtr& form, const std::shared_ptr<vbs::ScriptControl>& control,
                  const Variant& callback, bool setSite) {
    control_ = control;
    form_ = form;
    if (!callback.isMissing())
        callback_ = callback;
    else
        callback_ = form ? Variant(form->formObject()) : Variant::nothing();
    if (setSite) engine().setSiteWindow(form ? form->hwnd() : 0);
    int ok = 0;
    RegObPrp(QStringLiteral("N"), QStringLiteral("FxPre"), Variant(object()), ok);
    RegObPrp(QStringLiteral("N"), QStringLiteral("Fxp"), Variant(object()), ok);
    VbsIni();
}

// ---- Engine reset ----

void VbsSup::VbsIni() {
    // A reset under running code would discard the code being run: refused.
    if (engineRunning()) return;
    vbTrap([&] { engine().reset(); });
    vbTrap([&] { engine().setTimeout(-1); });
    Variant value;
    int ok = 0;
    ExeCalc(QStringLiteral("1+1"), value, ok);
    for (size_t i = 1; i < table_.size(); ++i) {
        // Copies: adding an object may run script code that changes the table.
        const QString name = table_[i].name;
        const Variant obj = table_[i].object;
        vbTrap([&] { engine().addObject(name, obj.isObject() ? obj.rawObject() : nullptr); });
    }
}

// ---- Host objects ----

DispatchPtr VbsSup::createObject(const QString& progId) const {
    if (!factory_) return engine().objectRegistry()->create(progId);
    DispatchPtr obj = factory_(progId);
    if (!obj) throw VbError(err::CannotCreateObject);
    return obj;
}

void VbsSup::RegObPrp(const QString& kind, const QString& name, const Variant& object, int& ok) {
    ok = 1;
    Variant obj = object;
    if (TxMai(kind) == u"DLL" && vbTrap([&] { obj = Variant(createObject(TxCnv(object))); })) {
        ok = 0;
        return;
    }
    table_.push_back(VbsObReg{kind, name, obj});
    if (vbTrap([&] { engine().addObject(name, obj.isObject() ? obj.rawObject() : nullptr); }))
        ok = 0;
}

void VbsSup::RegOb(const QString& name, const Variant& object, int& ok) {
    if (object.isString())
        RegObPrp(QStringLiteral("DLL"), name, object, ok);
    else
        RegObPrp(QStringLiteral("ROB"), name, object, ok);
}

int VbsSup::RegObNum() const {
    return int(table_.size()) - 1;
}

int VbsSup::RegObFixPrp() {
    fixed_ = RegObNum();
    return fixed_;
}

void VbsSup::RegObFixRep() {
    RegObLib(fixed_ + 1);
}

void VbsSup::RegObLib(int n) {
    // The entries kept must stay the ones the engine holds: nothing changes while code runs.
    if (n < 1 || n > RegObNum() + 1 || engineRunning()) return;
    table_.resize(size_t(n));
    VbsIni();
}

DispatchPtr VbsSup::RobCo() {
    return engine().codeObject();
}

} // namespace zv
