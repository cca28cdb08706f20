#include "VbFormObject.h"

#include "Convert.h"
#include "Text.h"
#include "VbControl.h"
#include "VbControlArray.h"
#include "VbForm.h"

#include <QFont>

namespace zv {

namespace {

constexpr DispId kControlIdBase = 0x40000000;
constexpr int kInvalidPicture = 481;

// The form's Controls collection: Count, Item(number from 0 or name), For Each.
class ControlsCollection : public SimpleDispatch {
public:
    explicit ControlsCollection(VbForm* form)
        : SimpleDispatch(QStringLiteral("Object")), form_(form) {
        addMethod(QStringLiteral("Item"), [this](Args a) -> Variant {
            checkArgCount(a, 1, 1);
            const auto all = list();
            const Variant key = dereference(*a[0]);
            if (key.isString()) {
                for (const auto& c : all)
                    if (equalsNoCase(c->name(), key.rawString())) return DispatchPtr(c);
                throw VbError(err::InvalidCall);
            }
            const int i = CInt(key);
            if (i < 0 || i >= int(all.size())) throw VbError(err::SubscriptOutOfRange);
            return DispatchPtr(all[size_t(i)]);
        });
        setDefaultMember(QStringLiteral("Item"));
        addProperty(QStringLiteral("Count"), [this](Args a) {
            noArgs(a);
            return Variant(int32_t(list().size()));
        });
    }

    std::unique_ptr<Enumerator> enumerate() override {
        class Walk : public Enumerator {
        public:
            explicit Walk(std::vector<std::shared_ptr<VbControl>> all) : all_(std::move(all)) {}
            bool next(Variant& out) override {
                if (pos_ >= all_.size()) return false;
                out = DispatchPtr(all_[pos_++]);
                return true;
            }

        private:
            std::vector<std::shared_ptr<VbControl>> all_;
            size_t pos_ = 0;
        };
        return std::make_unique<Walk>(list());
    }

private:
    std::vector<std::shared_ptr<VbControl>> list() const {
        if (!form_) throw VbError(364, QStringLiteral("Object was unloaded"));
        return form_->controls();
    }
    QPointer<VbForm> form_;
};

} // namespace

VbFormObject::VbFormObject(VbForm* form) : SimpleDispatch(QStringLiteral("Form")), form_(form) {
    auto text = [this](const QString& name, std::function<QString(VbForm*)> get,
                       std::function<void(VbForm*, const QString&)> set) {
        addProperty(
            name,
            [this, get](Args a) {
                noArgs(a);
                return Variant(get(liveForm()));
            },
            set ? Setter([this, set](Args a) { set(liveForm(), CStr(putValue(a))); }) : Setter());
    };
    auto length = [this](const QString& name, double (VbForm::*get)() const,
                         void (VbForm::*set)(double)) {
        addProperty(
            name,
            [this, get](Args a) {
                noArgs(a);
                return Variant(float((liveForm()->*get)()));
            },
            set ? Setter([this, set](Args a) { (liveForm()->*set)(CDbl(putValue(a))); })
                : Setter());
    };
    auto flag = [this](const QString& name, std::function<bool(VbForm*)> get,
                       std::function<void(VbForm*, bool)> set) {
        addProperty(
            name,
            [this, get](Args a) {
                noArgs(a);
                return Variant(get(liveForm()));
            },
            [this, set](Args a) { set(liveForm(), CBool(putValue(a))); });
    };
    auto color = [this](const QString& name, qint32 (VbForm::*get)() const,
                        void (VbForm::*set)(qint32)) {
        addProperty(
            name,
            [this, get](Args a) {
                noArgs(a);
                return Variant(int32_t((liveForm()->*get)()));
            },
            [this, set](Args a) { (liveForm()->*set)(CLng(putValue(a))); });
    };

    text(QStringLiteral("Name"), [](VbForm* f) { return f->name(); }, {});
    text(
        QStringLiteral("Caption"), [](VbForm* f) { return f->caption(); },
        [](VbForm* f, const QString& v) { f->setCaption(v); });
    text(
        QStringLiteral("Tag"), [](VbForm* f) { return f->tag(); },
        [](VbForm* f, const QString& v) { f->setTag(v); });
    length(QStringLiteral("Left"), &VbForm::left, &VbForm::setLeft);
    length(QStringLiteral("Top"), &VbForm::top, &VbForm::setTop);
    length(QStringLiteral("Width"), &VbForm::width, &VbForm::setWidth);
    length(QStringLiteral("Height"), &VbForm::height, &VbForm::setHeight);
    length(QStringLiteral("ScaleWidth"), &VbForm::clientWidth, nullptr);
    length(QStringLiteral("ScaleHeight"), &VbForm::clientHeight, nullptr);
    flag(
        QStringLiteral("Visible"), [](VbForm* f) { return !f->isHidden(); },
        [](VbForm* f, bool on) {
            if (on)
                f->showForm();
            else
                f->hide();
        });
    flag(
        QStringLiteral("Enabled"),
        [](VbForm* f) { return !f->testAttribute(Qt::WA_ForceDisabled); },
        [](VbForm* f, bool on) { f->setEnabled(on); });
    color(QStringLiteral("BackColor"), &VbForm::backColor, &VbForm::setBackColor);
    color(QStringLiteral("ForeColor"), &VbForm::foreColor, &VbForm::setForeColor);
    addProperty(
        QStringLiteral("WindowState"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(liveForm()->vbWindowState()));
        },
        [this](Args a) { liveForm()->setVbWindowState(CInt(putValue(a))); });
    text(
        QStringLiteral("Picture"), [](VbForm* f) { return f->picturePath(); },
        [](VbForm* f, const QString& path) {
            if (path.isEmpty())
                f->clearPicture();
            else if (!f->setPicture(path))
                throw VbError(kInvalidPicture);
        });
    text(
        QStringLiteral("Icon"), [](VbForm* f) { return f->iconPath(); },
        [](VbForm* f, const QString& path) {
            if (!f->setIcon(path)) throw VbError(kInvalidPicture);
        });
    // The drawing surface of a form is named by the same number as its window.
    for (const QString& name : {QStringLiteral("hWnd"), QStringLiteral("hDC")})
        addProperty(name, [this](Args a) {
            noArgs(a);
            return Variant(int32_t(liveForm()->hwnd()));
        });
    text(
        QStringLiteral("FontName"), [](VbForm* f) { return f->font().family(); },
        [](VbForm* f, const QString& v) {
            if (v.trimmed().isEmpty()) throw VbError(err::InvalidPropertyValue);
            QFont font = f->font();
            font.setFamily(v);
            f->setFont(font);
        });
    addProperty(
        QStringLiteral("FontSize"),
        [this](Args a) {
            noArgs(a);
            return Variant(float(liveForm()->font().pointSizeF()));
        },
        [this](Args a) {
            const double size = CDbl(putValue(a));
            if (!(size > 0 && size <= 2048)) throw VbError(err::InvalidPropertyValue);
            QFont font = liveForm()->font();
            font.setPointSizeF(size);
            liveForm()->setFont(font);
        });
    flag(
        QStringLiteral("FontBold"), [](VbForm* f) { return f->font().bold(); },
        [](VbForm* f, bool on) {
            QFont font = f->font();
            font.setBold(on);
            f->setFont(font);
        });
    flag(
        QStringLiteral("FontItalic"), [](VbForm* f) { return f->font().italic(); },
        [](VbForm* f, bool on) {
            QFont font = f->font();
            font.setItalic(on);
            f->setFont(font);
        });
    addProperty(QStringLiteral("Controls"), [this](Args a) -> Variant {
        noArgs(a);
        return DispatchPtr(std::make_shared<ControlsCollection>(liveForm()));
    });
    addMethod(QStringLiteral("Show"), [this](Args a) {
        checkArgCount(a, 0, 2);
        const bool modal = !a.empty() && !a[0]->isMissing() && CInt(*a[0]) == 1;
        if (modal)
            liveForm()->showModal();
        else
            liveForm()->showForm();
        return Variant();
    });
    addMethod(QStringLiteral("Hide"), [this](Args a) {
        noArgs(a);
        liveForm()->hide();
        return Variant();
    });
    addMethod(QStringLiteral("Refresh"), [this](Args a) {
        noArgs(a);
        VbForm* f = liveForm();
        if (f->isVisible())
            f->repaint();
        else
            f->update();
        return Variant();
    });
    addMethod(QStringLiteral("ZOrder"), [this](Args a) {
        checkArgCount(a, 0, 1);
        const int position = a.empty() || a[0]->isMissing() ? 0 : CInt(*a[0]);
        if (position == 0)
            liveForm()->raise();
        else if (position == 1)
            liveForm()->lower();
        else
            throw VbError(err::InvalidCall);
        return Variant();
    });
    addMethod(QStringLiteral("Move"), [this](Args a) {
        checkArgCount(a, 1, 4);
        auto opt = [&](size_t i) -> std::optional<double> {
            if (i >= a.size() || a[i]->isMissing()) return std::nullopt;
            return CDbl(*a[i]);
        };
        liveForm()->move(CDbl(*a[0]), opt(1), opt(2), opt(3));
        return Variant();
    });
}

VbForm* VbFormObject::liveForm() const {
    if (!form_) throw VbError(364, QStringLiteral("Object was unloaded"));
    return form_.data();
}

QString VbFormObject::typeName() const {
    const QString name = form_ ? form_->name() : QString();
    return name.isEmpty() ? QStringLiteral("Form") : name;
}

DispId VbFormObject::memberId(const QString& name) const {
    const DispId id = SimpleDispatch::memberId(name);
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
    if (id < kControlIdBase) return SimpleDispatch::invoke(id, kind, args);
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
    noArgs(args);
    auto c = f->control(name);
    if (!c) throw VbError(err::NoSuchMember);
    return DispatchPtr(c);
}

} // namespace zv
