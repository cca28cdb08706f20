#include "VbFormObject.h"

#include "Binder.h"
#include "Convert.h"
#include "Text.h"
#include "VbControl.h"
#include "VbControlArray.h"
#include "VbForm.h"

#include <QFont>

namespace zv {

namespace {

constexpr DispId kControlIdBase = 0x40000000;

// The form's Controls collection: Count, Item(number from 0 or name), For Each.
class ControlsCollection : public BoundDispatch {
public:
    explicit ControlsCollection(VbForm* form) : BoundDispatch(memberTable()), form_(form) {}

    std::unique_ptr<Enumerator> enumerate() override {
        std::vector<Variant> items;
        for (const auto& control : list())
            items.push_back(DispatchPtr(control));
        return std::make_unique<ListEnumerator>(std::move(items));
    }

private:
    static const MemberTable& memberTable() {
        static const MemberTable table = [] {
            MemberTable t(QStringLiteral("Object"));
            Members<ControlsCollection>(t)
                .method(QStringLiteral("Item"),
                        [](ControlsCollection& c, const Variant& arg) -> DispatchPtr {
                            const auto all = c.list();
                            const Variant key = dereference(arg);
                            if (key.isString()) {
                                for (const auto& control : all)
                                    if (equalsNoCase(control->name(), key.rawString()))
                                        return control;
                                throw VbError(err::InvalidCall);
                            }
                            const int i = CInt(key);
                            if (i < 0 || i >= int(all.size()))
                                throw VbError(err::SubscriptOutOfRange);
                            return all[size_t(i)];
                        })
                .defaultMember(QStringLiteral("Item"))
                .property<int32_t>(QStringLiteral("Count"),
                                   [](ControlsCollection& c) { return int32_t(c.list().size()); });
            return t;
        }();
        return table;
    }

    std::vector<std::shared_ptr<VbControl>> list() const {
        if (!form_) throw err::ObjectUnloaded();
        return form_->controls();
    }
    QPointer<VbForm> form_;
};

QFont withFamily(QFont font, const QString& family) {
    font.setFamily(family);
    return font;
}

} // namespace

const MemberTable& VbFormObject::memberTable() {
    static const MemberTable table = [] {
        MemberTable t(QStringLiteral("Form"));
        // Every member but the methods with optional arguments checks first that the form is
        // still there.
        Members<VbFormObject> m(t);
        m.checkFirst([](VbFormObject& o) { o.liveForm(); });
        auto form = [](VbFormObject& o) { return o.form_.data(); };
        m.property<QString>(QStringLiteral("Name"),
                            [form](VbFormObject& o) { return form(o)->name(); });
        m.property<QString>(
            QStringLiteral("Caption"), [form](VbFormObject& o) { return form(o)->caption(); },
            [form](VbFormObject& o, const QString& v) { form(o)->setCaption(v); });
        m.property<QString>(
            QStringLiteral("Tag"), [form](VbFormObject& o) { return form(o)->tag(); },
            [form](VbFormObject& o, const QString& v) { form(o)->setTag(v); });
        using Length = double (VbForm::*)() const;
        using SetLength = void (VbForm::*)(double);
        for (auto [name, get, set] :
             {std::tuple<QString, Length, SetLength>{QStringLiteral("Left"), &VbForm::left,
                                                     &VbForm::setLeft},
              {QStringLiteral("Top"), &VbForm::top, &VbForm::setTop},
              {QStringLiteral("Width"), &VbForm::width, &VbForm::setWidth},
              {QStringLiteral("Height"), &VbForm::height, &VbForm::setHeight},
              {QStringLiteral("ScaleWidth"), &VbForm::clientWidth, nullptr},
              {QStringLiteral("ScaleHeight"), &VbForm::clientHeight, nullptr}}) {
            auto read = [form, get](VbFormObject& o) { return (form(o)->*get)(); };
            if (set)
                m.property<Measure>(name, read,
                                    [form, set](VbFormObject& o, double v) { (form(o)->*set)(v); });
            else
                m.property<Measure>(name, read);
        }
        m.property<bool>(
            QStringLiteral("Visible"), [form](VbFormObject& o) { return !form(o)->isHidden(); },
            [form](VbFormObject& o, bool on) {
                if (on)
                    form(o)->showForm();
                else
                    form(o)->hide();
            });
        m.property<bool>(
            QStringLiteral("Enabled"),
            [form](VbFormObject& o) { return !form(o)->testAttribute(Qt::WA_ForceDisabled); },
            [form](VbFormObject& o, bool on) { form(o)->setEnabled(on); });
        m.property<int32_t>(
            QStringLiteral("BackColor"), [form](VbFormObject& o) { return form(o)->backColor(); },
            [form](VbFormObject& o, int32_t c) { form(o)->setBackColor(c); });
        m.property<int32_t>(
            QStringLiteral("ForeColor"), [form](VbFormObject& o) { return form(o)->foreColor(); },
            [form](VbFormObject& o, int32_t c) { form(o)->setForeColor(c); });
        m.property<int16_t>(
            QStringLiteral("WindowState"),
            [form](VbFormObject& o) { return form(o)->vbWindowState(); },
            [form](VbFormObject& o, int16_t state) { form(o)->setVbWindowState(state); });
        m.property<QString>(
            QStringLiteral("Picture"), [form](VbFormObject& o) { return form(o)->picturePath(); },
            [form](VbFormObject& o, const QString& path) {
                if (path.isEmpty())
                    form(o)->clearPicture();
                else if (!form(o)->setPicture(path))
                    throw err::InvalidPicture();
            });
        m.property<QString>(
            QStringLiteral("Icon"), [form](VbFormObject& o) { return form(o)->iconPath(); },
            [form](VbFormObject& o, const QString& path) {
                if (!form(o)->setIcon(path)) throw err::InvalidPicture();
            });
        // The drawing surface of a form is named by the same number as its window.
        for (const QString& name : {QStringLiteral("hWnd"), QStringLiteral("hDC")})
            m.property<int32_t>(name, [form](VbFormObject& o) { return int32_t(form(o)->hwnd()); });
        m.property<QString>(
            QStringLiteral("FontName"),
            [form](VbFormObject& o) { return form(o)->font().family(); },
            [form](VbFormObject& o, const QString& v) {
                if (v.trimmed().isEmpty()) throw VbError(err::InvalidPropertyValue);
                form(o)->setFont(withFamily(form(o)->font(), v));
            });
        m.property<Measure>(
            QStringLiteral("FontSize"),
            [form](VbFormObject& o) { return form(o)->font().pointSizeF(); },
            [form](VbFormObject& o, double size) {
                if (!(size > 0 && size <= 2048)) throw VbError(err::InvalidPropertyValue);
                QFont font = form(o)->font();
                font.setPointSizeF(size);
                form(o)->setFont(font);
            });
        m.property<bool>(
            QStringLiteral("FontBold"), [form](VbFormObject& o) { return form(o)->font().bold(); },
            [form](VbFormObject& o, bool on) {
                QFont font = form(o)->font();
                font.setBold(on);
                form(o)->setFont(font);
            });
        m.property<bool>(
            QStringLiteral("FontItalic"),
            [form](VbFormObject& o) { return form(o)->font().italic(); },
            [form](VbFormObject& o, bool on) {
                QFont font = form(o)->font();
                font.setItalic(on);
                form(o)->setFont(font);
            });
        m.property<DispatchPtr>(QStringLiteral("Controls"), [form](VbFormObject& o) {
            return DispatchPtr(std::make_shared<ControlsCollection>(form(o)));
        });
        m.method(QStringLiteral("Hide"), [form](VbFormObject& o) { form(o)->hide(); });
        m.method(QStringLiteral("Refresh"), [form](VbFormObject& o) {
            VbForm* f = form(o);
            if (f->isVisible())
                f->repaint();
            else
                f->update();
        });
        m.methodWithArgs(QStringLiteral("Show"), [](VbFormObject& o, Args a) {
            checkArgCount(a, 0, 2);
            const bool modal = !a.empty() && !a[0]->isMissing() && CInt(*a[0]) == 1;
            if (modal)
                o.liveForm()->showModal();
            else
                o.liveForm()->showForm();
            return Variant();
        });
        m.methodWithArgs(QStringLiteral("ZOrder"), [](VbFormObject& o, Args a) {
            checkArgCount(a, 0, 1);
            const int position = a.empty() || a[0]->isMissing() ? 0 : CInt(*a[0]);
            if (position == 0)
                o.liveForm()->raise();
            else if (position == 1)
                o.liveForm()->lower();
            else
                throw VbError(err::InvalidCall);
            return Variant();
        });
        m.methodWithArgs(QStringLiteral("Move"), [](VbFormObject& o, Args a) {
            checkArgCount(a, 1, 4);
            auto opt = [&](size_t i) -> std::optional<double> {
                if (i >= a.size() || a[i]->isMissing()) return std::nullopt;
                return CDbl(*a[i]);
            };
            o.liveForm()->move(CDbl(*a[0]), opt(1), opt(2), opt(3));
            return Variant();
        });
        return t;
    }();
    return table;
}

VbFormObject::VbFormObject(VbForm* form) : BoundDispatch(memberTable()), form_(form) {}

VbForm* VbFormObject::liveForm() const {
    if (!form_) throw err::ObjectUnloaded();
    return form_.data();
}

QString VbFormObject::typeName() const {
    const QString name = form_ ? form_->name() : QString();
    return name.isEmpty() ? QStringLiteral("Form") : name;
}

DispId VbFormObject::memberId(const QString& name) const {
    const DispId id = BoundDispatch::memberId(name);
    if (id != kDispIdUnknown || name.isEmpty() || !form_) return id;
    if (!form_->control(name, form_->isArray(name) ? 0 : -1) && !form_->isArray(name))
        return kDispIdUnknown;
    const QString key = UCase(name.trimmed());
    qsizetype at = controlNames_.indexOf(key);
    if (at < 0) {
        controlNames_.append(key);
        at = controlNames_.size() - 1;
    }
    return kControlIdBase + DispId(at);
}

Variant VbFormObject::invoke(DispId id, Invoke kind, Args args) {
    if (id < kControlIdBase) return BoundDispatch::invoke(id, kind, args);
    const qsizetype at = id - kControlIdBase;
    if (at >= controlNames_.size()) throw VbError(err::NoSuchMember);
    if (kind == Invoke::Put || kind == Invoke::PutRef) throw VbError(err::WrongArgCount);
    VbForm* f = liveForm();
    const QString& name = controlNames_[at];
    if (f->isArray(name)) {
        auto array = f->controlArray(name);
        if (args.empty()) return DispatchPtr(array);
        checkArgCount(args, 1, 1);
        return DispatchPtr(array->item(CInt(*args[0])));
    }
    binder::noArguments(args);
    auto c = f->control(name);
    if (!c) throw VbError(err::NoSuchMember);
    return DispatchPtr(c);
}

} // namespace zv
