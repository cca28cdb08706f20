// SupFrm: placing forms on the screen or on another form, and switching which form shows.
#include "SupFrm.h"

#include "SupFrmState.h"
#include "Text.h"
#include "TxtGlb.h"
#include "VbForm.h"

namespace zv {

namespace {

// The Left that parks a form off screen.
constexpr double kParked = -30000;
// The height of the strip kept free below a form for a task bar: 28 pixels.
constexpr int kStripPixels = 28;

// The form a reference names, raising as a late-bound use of it would: 91 for none, 364 for
// one that is gone.
VbForm* formOf(const VbObjectRef& ref) {
    if (ref.isNothing()) throw VbError(err::ObjectNotSet);
    VbForm* form = ref.form();
    if (!form) throw err::ObjectUnloaded();
    return form;
}

} // namespace

void centreOnScreen(VbObjectRef& f, double sw, double sh, double up) {
    vbTrap([&] { f.setLeft((sw - f.width()) / 2); });
    vbTrap([&] { f.setTop((sh - f.height()) / 2 - up); });
}

void centreOn(VbObjectRef& f, const VbObjectRef& r) {
    vbTrap([&] { f.setLeft((r.width() - f.width()) / 2 + r.left()); });
    vbTrap([&] { f.setTop((r.height() - f.height()) / 2 + r.top()); });
}

void moveToCorner(VbObjectRef& f, const VbObjectRef& r) {
    vbTrap([&] { f.setLeft(r.left()); });
    vbTrap([&] { f.setTop(r.top()); });
}

void SupFrm::PosAjtExe(const QString& mode, VbForm* form, VbForm* reference) {
    const QString m = UCase(Trim(mode));
    const ScreenInfo screen = s_->currentScreen();
    const double sw = screen.width, sh = screen.height;
    const double strip = double(int64_t(screen.twipsPerPixelY) * kStripPixels);
    VbObjectRef f(form);
    const VbObjectRef r(reference);
    if (m == QLatin1String("Z")) {
        vbTrap([&] { f.setLeft(0); });
        vbTrap([&] { f.setTop(0); });
    } else if (m == QLatin1String("I")) {
        vbTrap([&] { f.setLeft(kParked); });
        vbTrap([&] { f.setTop(0); });
    } else if (m == QLatin1String("C") || m == QLatin1String("CT")) {
        centreOnScreen(f, sw, sh, m == QLatin1String("CT") ? strip / 2 : 0);
    } else if (m == QLatin1String("CO")) {
        centreOn(f, r);
    } else if (m == QLatin1String("PO")) {
        moveToCorner(f, r);
    }
}

void SupFrm::PosAjt(const QString& mode, VbForm* reference) {
    PosAjtExe(mode, s_->main.form(), reference);
}

void SupFrm::VisRegFrm(VbForm* main, VbForm* parent, const QString& mode) {
    RegFrm(main);
    RegFrmPar(parent);
    s_->parentLeft = Variant();
    s_->parentTop = Variant();
    vbTrap([&] { s_->parentLeft = Variant(s_->parent.left()); });
    vbTrap([&] { s_->parentTop = Variant(s_->parent.top()); });
    s_->parentSwap = 0;
    PosAjtExe(mode, main, parent);
}

void SupFrm::VisPosPar(const QString& mode) {
    PosAjtExe(mode, s_->main.form(), formOf(s_->parent));
}

void SupFrm::VisSit(const QString& code) {
    const QString c = UCase(Trim(code));
    VbObjectRef& main = s_->main;
    VbObjectRef& parent = s_->parent;
    if (c == QLatin1String("F")) {
        main.setVisible(true);
        parent.setLeft(kParked);
    } else if (c == QLatin1String("P")) {
        // A place never kept (the parent registered by RegFrmPar alone) is 0.
        parent.setLeft(toDouble(s_->parentLeft));
        parent.setTop(toDouble(s_->parentTop));
        parent.setVisible(true);
        main.setVisible(false);
    } else if (c == QLatin1String("IE")) {
        if (s_->parentSwap != 0) return;
        main.setVisible(true);
        parent.setLeft(kParked);
        s_->parentSwap = 1;
    } else if (c == QLatin1String("TE")) {
        s_->parentSwap = 0;
        parent.setVisible(false);
        VisPosPar(QStringLiteral("CO"));
        main.setVisible(false);
        parent.setVisible(true);
    }
}

void SupFrm::VisSitExe(VbForm* form, const Variant& flag) {
    vbTrap([&] {
        const bool show = CInt(TxTipCnv(flag, QStringLiteral("01"))) == 1;
        VbObjectRef(form).setVisible(show);
    });
}

void SupFrm::ResFrc() {
    VbObjectRef& f = s_->main;
    vbTrap([&] {
        const double width = f.width();
        vbTrap([&] { f.setWidth(width + 15); });
        vbTrap([&] { f.setWidth(width); });
    });
}

bool SupFrm::swapped() const {
    return s_->parentSwap != 0;
}

} // namespace zv
