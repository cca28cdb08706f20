// SupFrm: life cycle, registration of the forms and controls, and the anchored layout.
#include "SupFrm.h"

#include "ApiDec.h"
#include "DbgFx.h"
#include "SupFrmState.h"
#include "TxtGlb.h"
#include "VbControl.h"
#include "VbForm.h"
#include "VbLine.h"

namespace zv {

std::vector<Anchor> splitAnchors(const QString& list) {
    QStringList tokens;
    int count = 0;
    TxArrSep(list, QStringLiteral(","), tokens, count);
    std::vector<Anchor> anchors;
    for (int i = 1; i <= count && i < tokens.size(); ++i)
        anchors.push_back({tokens[i], true});
    return anchors;
}

void SupFrm::State::layoutArea(const VbObjectRef& container, double& cw, double& ch) const {
    cw = container.width();
    ch = container.height();
    if (container.isForm()) {
        cw -= widthCorrection;
        ch -= heightCorrection;
    }
}

// ---- life cycle ----

SupFrm::SupFrm() : s_(std::make_unique<State>()) {
    DbgObIni(s_->className, s_->instanceId);
    // Windows of the Vista generation draw wider borders than the forms were laid out for.
    QString generation, family, code;
    vbTrap([&] { SopIdeFam(generation, family, code); });
    if (generation == QLatin1String("WVI")) {
        s_->heightCorrection = 120;
        s_->widthCorrection = 135;
    }
    FxIni();
}

SupFrm::~SupFrm() {
    DbgObFim(s_->className, s_->instanceId);
    FxFim();
}

const QString& SupFrm::className() const {
    return s_->className;
}

const QString& SupFrm::instanceId() const {
    return s_->instanceId;
}

void SupFrm::FxIni() {
    DbgFxIni(s_->className, s_->instanceId, QStringLiteral("#I"));
    DbgFxIni(s_->className, s_->instanceId, QStringLiteral("#F"));
}

void SupFrm::FxFim() {
    DbgFxFim(s_->className, s_->instanceId, QStringLiteral("#I"));
    s_->controls.clear();
    s_->markers.clear();
    s_->main = VbObjectRef();
    s_->parent = VbObjectRef();
    DbgFxFim(s_->className, s_->instanceId, QStringLiteral("#F"));
}

void SupFrm::setScreen(std::optional<ScreenInfo> screen) {
    s_->screen = screen;
}

ScreenInfo SupFrm::screen() const {
    return s_->currentScreen();
}

int SupFrm::controlCount() const {
    return s_->controls.empty() ? 0 : int(s_->controls.size()) - 1;
}

int SupFrm::markerCount() const {
    return s_->markers.empty() ? 0 : int(s_->markers.size()) - 1;
}

// ---- registration ----

void SupFrm::RegFrm(VbForm* form) {
    s_->main = VbObjectRef(form);
    ObAjt base;
    const VbObjectRef& f = s_->main;
    vbTrap([&] { base.left = f.left(); });
    vbTrap([&] { base.top = f.top(); });
    vbTrap([&] { base.width = f.width(); });
    vbTrap([&] { base.height = f.height(); });
    s_->controls.assign(1, base);
}

void SupFrm::RegFrmPar(VbForm* form) {
    s_->parent = VbObjectRef(form);
}

void SupFrm::RegFrmAjt(int widthCorrection, int heightCorrection) {
    s_->widthCorrection = widthCorrection;
    s_->heightCorrection = heightCorrection;
}

void SupFrm::RegOb(const std::shared_ptr<VbControl>& control, const QString& anchors,
                   const QString& extra) {
    const VbObjectRef item(control);
    QString name;
    vbTrap([&] { name = item.name(); });
    if (name.isEmpty()) return;

    ObAjt r;
    r.anchors = anchors;
    r.control = control;
    r.extra = extra;
    r.tokens = splitAnchors(anchors);
    vbTrap([&] { r.left = item.left(); });
    vbTrap([&] { r.top = item.top(); });
    vbTrap([&] { r.width = item.width(); });
    vbTrap([&] { r.height = item.height(); });

    // Registration measures the container as it is, without border corrections.
    std::optional<double> cw, ch;
    vbTrap([&] {
        const VbObjectRef container = item.container();
        vbTrap([&] { cw = container.width(); });
        vbTrap([&] { ch = container.height(); });
    });
    // A distance needs the container's size; a share needs a size that is not 0. A token whose
    // value cannot be stored is never applied.
    auto distance = [](const std::optional<double>& size, double& stored, bool& usable) {
        if (size)
            stored = *size - stored;
        else
            usable = false;
    };
    auto share = [](const std::optional<double>& size, double& stored, bool& usable) {
        usable = false;
        if (!size || whole(*size) == 0) return;
        stored = double(whole(stored)) / double(whole(*size));
        usable = true;
    };
    for (Anchor& a : r.tokens) {
        vbTrap([&] {
            const QString& t = a.text;
            if (t == QLatin1String("PX"))
                distance(cw, r.left, a.usable);
            else if (t == QLatin1String("PY"))
                distance(ch, r.top, a.usable);
            else if (t == QLatin1String("DX"))
                distance(cw, r.width, a.usable);
            else if (t == QLatin1String("DY"))
                distance(ch, r.height, a.usable);
            else if (t == QLatin1String("PX%"))
                share(cw, r.left, a.usable);
            else if (t == QLatin1String("PY%"))
                share(ch, r.top, a.usable);
            else if (t == QLatin1String("DX%"))
                share(cw, r.width, a.usable);
            else if (t == QLatin1String("DY%"))
                share(ch, r.height, a.usable);
            else if (t == QLatin1String("C")) {
                r.width = item.width();
                r.height = item.height();
            }
        });
    }
    if (s_->controls.empty()) s_->controls.resize(1);
    s_->controls.push_back(std::move(r));
}

// ---- layout ----

void SupFrm::AjtCtl(int disable) {
    if (disable == 1) vbTrap([&] { s_->main.setEnabled(false); });
    // By index: a step may run code that registers again.
    for (size_t i = 1; i < s_->controls.size(); ++i) {
        const ObAjt r = s_->controls[i];
        VbObjectRef item(r.control);
        VbObjectRef container;
        double cw = 0, ch = 0;
        if (vbTrap([&] {
                container = item.container();
                s_->layoutArea(container, cw, ch);
            }))
            continue;
        for (const Anchor& a : r.tokens) {
            if (!a.usable) continue;
            const QString& t = a.text;
            if (t == QLatin1String("PX")) {
                vbTrap([&] { item.setLeft(cw - r.left); });
            } else if (t == QLatin1String("PX%")) {
                vbTrap([&] { item.setLeft(r.left * cw); });
            } else if (t == QLatin1String("PY")) {
                vbTrap([&] { item.setTop(ch - r.top); });
            } else if (t == QLatin1String("PY%")) {
                vbTrap([&] { item.setTop(r.top * ch); });
            } else if (t == QLatin1String("DX")) {
                vbTrap([&] { item.setWidth(cw - r.width); });
            } else if (t == QLatin1String("DX%")) {
                vbTrap([&] { item.setWidth(r.width * cw); });
            } else if (t == QLatin1String("DY")) {
                vbTrap([&] { item.setHeight(ch - r.height); });
            } else if (t == QLatin1String("DY%")) {
                vbTrap([&] { item.setHeight(r.height * ch); });
            } else if (t == QLatin1String("C")) {
                // A form is centred within its inside: less the frame and the title bar.
                int64_t w = 0, h = 0;
                vbTrap([&] {
                    w = whole(cw);
                    h = whole(ch);
                    if (container.isForm()) {
                        w -= int64_t(VbForm::kFrameWidthTwips);
                        h -= int64_t(VbForm::kFrameHeightTwips);
                    }
                    vbTrap([&] { item.setLeft(whole((double(w) - r.width) / 2)); });
                    vbTrap([&] { item.setTop(whole((double(h) - r.height) / 2)); });
                });
            } else if (isMarkerToken(t, QStringLiteral("MPX"))) {
                vbTrap([&] { item.setLeft(whole(MpoPosCalc(markerExpression(t)))); });
            } else if (isMarkerToken(t, QStringLiteral("MDX"))) {
                vbTrap([&] {
                    const int64_t edge = whole(MpoPosCalc(markerExpression(t)));
                    item.setWidth(whole(double(edge - whole(item.left()))));
                });
            } else if (isMarkerToken(t, QStringLiteral("MPY"))) {
                vbTrap([&] { item.setTop(whole(MpoPosCalc(markerExpression(t)))); });
            } else if (isMarkerToken(t, QStringLiteral("MDY"))) {
                vbTrap([&] {
                    const int64_t edge = whole(MpoPosCalc(markerExpression(t)));
                    item.setHeight(whole(double(edge - whole(item.top()))));
                });
            }
        }
    }
    vbTrap([&] { s_->main.setEnabled(true); });
}

} // namespace zv
