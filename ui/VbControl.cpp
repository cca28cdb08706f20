#include "VbControl.h"

#include "Convert.h"
#include "EventGuard.h"
#include "Twips.h"
#include "VbColor.h"
#include "VbForm.h"
#include "WindowHandles.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace zv {

namespace {

// True when the palette sets colour for the role itself (not inherited) in every colour group:
// setting it again would change nothing, and a palette change costs a walk of the children.
bool setsColour(const QPalette& p, QPalette::ColorRole role, const QColor& colour) {
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        if (!p.isBrushSet(g, role) || p.brush(g, role) != QBrush(colour)) return false;
    return true;
}

} // namespace

// ---- member groups ----

namespace {

void addPositionMembers(MemberTable& t) {
    Members<VbControl>(t)
        .property<Measure>(QStringLiteral("Left"), &VbControl::left, &VbControl::setLeft)
        .property<Measure>(QStringLiteral("Top"), &VbControl::top, &VbControl::setTop)
        .property<Measure>(QStringLiteral("Width"), &VbControl::width, &VbControl::setWidth)
        .property<Measure>(QStringLiteral("Height"), &VbControl::height, &VbControl::setHeight)
        .methodWithArgs(QStringLiteral("Move"), [](VbControl& c, Args a) {
            checkArgCount(a, 1, 4);
            auto opt = [&](size_t i) -> std::optional<double> {
                if (i >= a.size() || a[i]->isMissing()) return std::nullopt;
                return CDbl(*a[i]);
            };
            c.move(CDbl(*a[0]), opt(1), opt(2), opt(3));
            return Variant();
        });
}

void addEnabledMember(MemberTable& t) {
    Members<VbControl>(t).property<bool>(QStringLiteral("Enabled"), &VbControl::enabled,
                                         &VbControl::setEnabled);
}

void addFontMembers(MemberTable& t) {
    Members<VbControl>(t)
        .property<QString>(QStringLiteral("FontName"), &VbControl::fontName,
                           &VbControl::setFontName)
        .property<Measure>(QStringLiteral("FontSize"), &VbControl::fontSize,
                           &VbControl::setFontSize)
        .property<bool>(QStringLiteral("FontBold"), &VbControl::fontBold, &VbControl::setFontBold)
        .property<bool>(QStringLiteral("FontItalic"), &VbControl::fontItalic,
                        &VbControl::setFontItalic)
        .property<bool>(QStringLiteral("FontUnderline"), &VbControl::fontUnderline,
                        &VbControl::setFontUnderline);
}

void addBackColorMember(MemberTable& t) {
    Members<VbControl>(t).property<int32_t>(QStringLiteral("BackColor"), &VbControl::backColor,
                                            &VbControl::setBackColor);
}

void addForeColorMember(MemberTable& t) {
    Members<VbControl>(t).property<int32_t>(QStringLiteral("ForeColor"), &VbControl::foreColor,
                                            &VbControl::setForeColor);
}

void addHwndMember(MemberTable& t) {
    Members<VbControl>(t).property<int32_t>(QStringLiteral("hWnd"),
                                            [](VbControl& c) { return int32_t(c.hwnd()); });
}

} // namespace

VbControl::VbControl(const MemberTable& members, QWidget* widget)
    : BoundDispatch(members), widget_(widget) {}

MemberTable VbControl::controlTable(const QString& typeName, unsigned groups,
                                    const std::function<void(MemberTable&)>& own) {
    MemberTable t(typeName);
    Members<VbControl>(t)
        .property<QString>(QStringLiteral("Name"), &VbControl::name)
        .propertyWithArgs(QStringLiteral("Index"),
                          [](VbControl& c, Args a) {
                              binder::noArguments(a);
                              if (c.index_ < 0) throw err::NotAnArray();
                              return Variant(int16_t(c.index_));
                          })
        .property<QString>(QStringLiteral("Tag"), &VbControl::tag, &VbControl::setTag)
        .property<bool>(QStringLiteral("Visible"), &VbControl::visible, &VbControl::setVisible)
        .property<Variant>(QStringLiteral("Container"),
                           [](VbControl& c) -> Variant {
                               c.liveWidget();
                               if (auto holder = c.container()) return DispatchPtr(holder);
                               if (VbForm* f = c.form()) return f->object();
                               return Variant::nothing();
                           })
        .property<Variant>(QStringLiteral("Parent"),
                           [](VbControl& c) -> Variant {
                               c.liveWidget();
                               if (VbForm* f = c.form()) return f->object();
                               return Variant::nothing();
                           })
        .method(QStringLiteral("Refresh"), &VbControl::refresh)
        .methodWithArgs(QStringLiteral("ZOrder"), [](VbControl& c, Args a) {
            checkArgCount(a, 0, 1);
            c.zOrder(a.empty() || a[0]->isMissing() ? 0 : CInt(*a[0]));
            return Variant();
        });
    if (groups & kPosition) addPositionMembers(t);
    if (groups & kEnabled) addEnabledMember(t);
    if (groups & kFont) addFontMembers(t);
    if (groups & kBackColor) addBackColorMember(t);
    if (groups & kForeColor) addForeColorMember(t);
    if (groups & kHwnd) addHwndMember(t);
    own(t);
    return t;
}

VbControl::~VbControl() {
    release();
}

VbForm* VbControl::form() const {
    return form_.data();
}

void VbControl::attach(VbForm* form, const QString& name, int index,
                       std::weak_ptr<VbControl> container) {
    form_ = form;
    name_ = name;
    index_ = index;
    container_ = std::move(container);
    if (widget_) widget_->setObjectName(name);
}

void VbControl::release() {
    if (!widget_) return;
    QWidget* w = widget_.data();
    widget_ = nullptr;
    w->hide();
    // Later, not now: the release may come from inside one of the widget's own event handlers
    // (a click that unloads its own button).
    if (QCoreApplication::instance())
        w->deleteLater();
    else
        delete w;
}

QWidget* VbControl::liveWidget() const {
    if (!widget_) throw err::ObjectUnloaded();
    return widget_.data();
}

// ---- geometry ----

double VbControl::left() const {
    return pixelsToTwips(liveWidget()->x());
}
double VbControl::top() const {
    return pixelsToTwips(liveWidget()->y());
}
double VbControl::width() const {
    settleLayout();
    return pixelsToTwips(liveWidget()->width());
}
double VbControl::height() const {
    settleLayout();
    return pixelsToTwips(liveWidget()->height());
}

void VbControl::settleLayout() const {
    if (!layoutOwed_) return;
    layoutOwed_ = false;
    if (!widget_.isNull()) const_cast<VbControl*>(this)->runOwedLayout();
}

void VbControl::setLeft(double twips) {
    QWidget* w = liveWidget();
    w->move(twipsToPixels(checkedPosition(twips)), w->y());
}

void VbControl::setTop(double twips) {
    QWidget* w = liveWidget();
    w->move(w->x(), twipsToPixels(checkedPosition(twips)));
}

void VbControl::setWidth(double twips) {
    QWidget* w = liveWidget();
    w->resize(twipsToPixels(checkedLength(twips)), w->height());
    contentChanged();
}

void VbControl::setHeight(double twips) {
    QWidget* w = liveWidget();
    w->resize(w->width(), twipsToPixels(checkedLength(twips)));
    contentChanged();
}

void VbControl::move(double left, std::optional<double> top, std::optional<double> width,
                     std::optional<double> height) {
    QWidget* w = liveWidget();
    // Every value is checked before anything moves, so a bad one changes nothing.
    const int x = twipsToPixels(checkedPosition(left));
    const int y = top ? twipsToPixels(checkedPosition(*top)) : w->y();
    const int cx = width ? twipsToPixels(checkedLength(*width)) : w->width();
    const int cy = height ? twipsToPixels(checkedLength(*height)) : w->height();
    w->setGeometry(x, y, cx, cy);
    contentChanged();
}

// ---- flags ----

bool VbControl::visible() const {
    return !liveWidget()->isHidden();
}
void VbControl::setVisible(bool visible) {
    liveWidget()->setVisible(visible);
}
bool VbControl::enabled() const {
    return !liveWidget()->testAttribute(Qt::WA_ForceDisabled);
}
void VbControl::setEnabled(bool enabled) {
    liveWidget()->setEnabled(enabled);
}

// ---- colours ----

void VbControl::setColorRoles(QPalette::ColorRole back, QList<QPalette::ColorRole> fore) {
    backRole_ = back;
    foreRoles_ = std::move(fore);
}

qint32 VbControl::backColor() const {
    return qColorToVb(liveWidget()->palette().color(backRole_));
}

qint32 VbControl::foreColor() const {
    return qColorToVb(liveWidget()->palette().color(foreRoles_.value(0, QPalette::WindowText)));
}

void VbControl::setBackColor(qint32 color) {
    liveWidget();
    checkVbColor(color);
    if (auto c = vbColorToQColor(color)) applyBackColor(*c);
}

void VbControl::applyBackColor(const QColor& color) {
    QWidget* w = liveWidget();
    if (!setsColour(w->palette(), backRole_, color)) {
        QPalette p = w->palette();
        p.setColor(backRole_, color);
        w->setPalette(p);
    }
    w->setAutoFillBackground(true);
}

void VbControl::setForeColor(qint32 color) {
    QWidget* w = liveWidget();
    checkVbColor(color);
    const auto c = vbColorToQColor(color);
    if (!c) return;
    if (std::all_of(foreRoles_.begin(), foreRoles_.end(),
                    [&](QPalette::ColorRole role) { return setsColour(w->palette(), role, *c); }))
        return;
    QPalette p = w->palette();
    for (QPalette::ColorRole role : foreRoles_)
        p.setColor(role, *c);
    w->setPalette(p);
}

// ---- font ----

QString VbControl::fontName() const {
    return liveWidget()->font().family();
}
double VbControl::fontSize() const {
    return liveWidget()->font().pointSizeF();
}
bool VbControl::fontBold() const {
    return liveWidget()->font().bold();
}
bool VbControl::fontItalic() const {
    return liveWidget()->font().italic();
}
bool VbControl::fontUnderline() const {
    return liveWidget()->font().underline();
}

void VbControl::setFont(const QFont& font) {
    liveWidget()->setFont(font);
    contentChanged();
}

void VbControl::changeFont(const std::function<void(QFont&)>& change) {
    QFont f = liveWidget()->font();
    change(f);
    setFont(f);
}

void VbControl::setFontName(const QString& name) {
    if (name.trimmed().isEmpty()) throw VbError(err::InvalidPropertyValue);
    changeFont([&](QFont& f) { f.setFamily(name); });
}

void VbControl::setFontSize(double points) {
    if (!std::isfinite(points) || points <= 0 || points > 2048)
        throw VbError(err::InvalidPropertyValue);
    changeFont([&](QFont& f) { f.setPointSizeF(points); });
}

void VbControl::setFontBold(bool on) {
    changeFont([&](QFont& f) { f.setBold(on); });
}

void VbControl::setFontItalic(bool on) {
    changeFont([&](QFont& f) { f.setItalic(on); });
}

void VbControl::setFontUnderline(bool on) {
    changeFont([&](QFont& f) { f.setUnderline(on); });
}

// ---- other ----

void VbControl::zOrder(int position) {
    QWidget* w = liveWidget();
    if (position == 0)
        w->raise();
    else if (position == 1)
        w->lower();
    else
        throw VbError(err::InvalidCall);
}

void VbControl::refresh() {
    QWidget* w = liveWidget();
    if (w->isVisible())
        w->repaint();
    else
        w->update();
}

WindowHandle VbControl::hwnd() const {
    return windowHandleOf(liveWidget());
}

void VbControl::fireClick(bool fromCode) {
    if (!click_) return;
    if (VbForm* f = form(); f && !fromCode && !f->acceptsInput()) return;
    // The handler may unload this control or replace itself: keep both alive while it runs.
    auto self = shared_from_this();
    const std::function<void()> handler = click_;
    runGuarded(handler);
}

void VbControl::copyFrom(const VbControl& design) {
    QWidget* w = liveWidget();
    design.settleLayout();
    const QWidget* d = design.liveWidget();
    w->setGeometry(d->geometry());
    w->setFont(d->font());
    w->setPalette(d->palette());
    w->setAutoFillBackground(d->autoFillBackground());
    w->setLayoutDirection(d->layoutDirection());
    w->setEnabled(!d->testAttribute(Qt::WA_ForceDisabled));
    tag_ = design.tag_;
}

} // namespace zv
