// SupFrm: the main form's size: base size, minimum, limits and the size list.
#include "SupFrm.h"

#include "SupFrmState.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbForm.h"

namespace zv {

namespace {

// The height of the strip kept free below a form for a task bar: 28 pixels.
constexpr int kStripPixels = 28;

} // namespace

int SupFrm::minWidth() const {
    return s_->minWidth;
}
int SupFrm::minHeight() const {
    return s_->minHeight;
}
int SupFrm::maxWidth() const {
    return s_->maxWidth;
}
int SupFrm::maxHeight() const {
    return s_->maxHeight;
}
double SupFrm::baseWidth() const {
    return s_->controls.empty() ? 0 : s_->controls[0].width;
}
double SupFrm::baseHeight() const {
    return s_->controls.empty() ? 0 : s_->controls[0].height;
}

void SupFrm::DimBase() {
    s_->main.setWidth(baseWidth());
    s_->main.setHeight(baseHeight());
}

void SupFrm::DimMin(int width, int height) {
    // The minimum is kept, so that DimLim holds the form to it from then on.
    if (width >= 0) {
        s_->minWidth = width;
        s_->minHeight = height;
    } else {
        vbTrap([&] {
            const int32_t w = whole(baseWidth());
            const int32_t h = whole(baseHeight());
            s_->minWidth = w;
            s_->minHeight = h;
        });
    }
    VbObjectRef& f = s_->main;
    vbTrap([&] {
        if (f.width() < s_->minWidth) f.setWidth(s_->minWidth);
    });
    vbTrap([&] {
        if (f.height() < s_->minHeight) f.setHeight(s_->minHeight);
    });
}

void SupFrm::DimLim() {
    VbObjectRef& f = s_->main;
    int32_t w = 0, h = 0;
    // A size that cannot be read is not compared with anything.
    if (vbTrap([&] {
            w = whole(f.width());
            h = whole(f.height());
        }))
        return;
    if (w < s_->minWidth && s_->minWidth != 0) vbTrap([&] { f.setWidth(s_->minWidth); });
    if (w > s_->maxWidth && s_->maxWidth != 0) vbTrap([&] { f.setWidth(s_->maxWidth); });
    if (h < s_->minHeight && s_->minHeight != 0) vbTrap([&] { f.setHeight(s_->minHeight); });
    if (h > s_->maxHeight && s_->maxHeight != 0) vbTrap([&] { f.setHeight(s_->maxHeight); });
}

void SupFrm::DimLimPrp(const QString& mode, double a, double b, double c, double d) {
    const bool objectMode = mode == QLatin1String("F<") || mode == QLatin1String("F>") ||
                            mode == QLatin1String("O<") || mode == QLatin1String("O>");
    if (objectMode) return;
    vbTrap([&] {
        int32_t minW = 0, minH = 0, maxW = 0, maxH = 0;
        if (mode == QLatin1String("D>")) {
            maxW = whole(a);
            maxH = whole(b);
        } else if (mode == QLatin1String("D<")) {
            minW = whole(a);
            minH = whole(b);
        } else if (mode == QLatin1String("R<")) {
            minW = whole(baseWidth());
            minH = whole(baseHeight());
        } else {
            minW = whole(a);
            minH = whole(b);
            maxW = whole(c);
            maxH = whole(d);
        }
        s_->minWidth = minW;
        s_->minHeight = minH;
        s_->maxWidth = maxW;
        s_->maxHeight = maxH;
    });
}

void SupFrm::DimLimPrp(const QString& mode, const VbObjectRef& object) {
    const bool outer = mode == QLatin1String("O<") || mode == QLatin1String("O>");
    const bool minimum = mode == QLatin1String("F<") || mode == QLatin1String("O<");
    // The base size needs no argument at all.
    if (mode == QLatin1String("R<")) return DimLimPrp(mode);
    if (!outer && !minimum && mode != QLatin1String("F>")) return;
    vbTrap([&] {
        double w = object.width();
        double h = object.height();
        if (outer) {
            w += VbForm::kFrameWidthTwips;
            h += VbForm::kFrameHeightTwips;
        }
        const int32_t ww = whole(w), hh = whole(h);
        s_->minWidth = minimum ? ww : 0;
        s_->minHeight = minimum ? hh : 0;
        s_->maxWidth = minimum ? 0 : ww;
        s_->maxHeight = minimum ? 0 : hh;
    });
}

void SupFrm::DimAjt(const QString& sizeList) {
    const ScreenInfo screen = s_->currentScreen();
    const int64_t sw = screen.width, sh = screen.height;
    const int64_t tx = screen.twipsPerPixelX, ty = screen.twipsPerPixelY;
    const int64_t strip = ty * kStripPixels;
    VbObjectRef& f = s_->main;
    const VbObjectRef& p = s_->parent;
    auto size = [&](double w, double h) {
        vbTrap([&] { f.setWidth(w); });
        vbTrap([&] { f.setHeight(h); });
    };
    // A size of a 32-bit screen computation; beyond 32 bits the step is skipped.
    auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    auto resolution = [&](int64_t px, int64_t py, bool lessStrip) {
        const int64_t w = tx * px;
        const int64_t h = ty * py - (lessStrip ? strip : 0);
        if (fits(w)) vbTrap([&] { f.setWidth(double(w)); });
        if (fits(h)) vbTrap([&] { f.setHeight(double(h)); });
    };

    QStringList tokens;
    int count = 0;
    TxArrSep(UCase(Trim(sizeList)), QStringLiteral(","), tokens, count);
    for (int i = 1; i <= count && i < tokens.size(); ++i) {
        const QString& t = tokens[i];
        if (t == QLatin1String("NOR") || t == QLatin1String("MIN") || t == QLatin1String("MAX")) {
            const int state = t == QLatin1String("NOR") ? 0 : t == QLatin1String("MIN") ? 1 : 2;
            vbTrap([&] {
                VbForm* form = f.form();
                if (!form) throw VbError(err::ObjectNotSet);
                form->setVbWindowState(state);
            });
        } else if (t == QLatin1String("SCR")) {
            size(double(sw), double(sh));
        } else if (t == QLatin1String("SCRT")) {
            size(double(sw), double(sh - strip));
        } else if (t == QLatin1String("MXA")) {
            size(double(sw) * 1.5, double(sh) * 1.5);
        } else if (t == QLatin1String("1024") || t == QLatin1String("1024T")) {
            resolution(1024, 768, t.endsWith(u'T'));
        } else if (t == QLatin1String("800") || t == QLatin1String("800T")) {
            resolution(800, 600, t.endsWith(u'T'));
        } else if (t == QLatin1String("640") || t == QLatin1String("640T")) {
            resolution(640, 480, t.endsWith(u'T'));
        } else if (t == QLatin1String("C") || t == QLatin1String("CT")) {
            centreOnScreen(f, double(sw), double(sh),
                           t == QLatin1String("CT") ? double(strip) / 2 : 0);
        } else if (t == QLatin1String("PC")) {
            centreOn(f, p);
        } else if (t == QLatin1String("PA")) {
            moveToCorner(f, p);
            vbTrap([&] { f.setWidth(p.width()); });
            vbTrap([&] { f.setHeight(p.height()); });
        } else if (t == QLatin1String("PP")) {
            moveToCorner(f, p);
        } else if (t == QLatin1String("BASE")) {
            vbTrap([&] { DimBase(); });
        }
    }
}

} // namespace zv
