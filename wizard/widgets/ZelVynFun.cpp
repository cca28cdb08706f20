#include "ZelVynFun.h"

#include "ApiDec.h"
#include "Twips.h"
#include "VbImage.h"
#include "ZelVynAsp.h"
#include "ZelVynFunArt.h"
#include "ZelVynMain.h"

#include <QPointer>
#include <QScreen>

namespace zv {

namespace {

// The pieces in the order they are made: later ones lie over earlier ones, so the corners
// cover the ends of the straight pieces.
const char* const kPieces[] = {"Dir",    "Bx",  "Esq", "Top",    "DirBx",
                               "TopEsq", "QOR", "Zel", "aguarde"};

// The design places of the pieces that stay where they are (pixels); the others are placed
// by the layout.
struct DesignPlace {
    const char* name;
    int x;
    int y;
};
const DesignPlace kFixed[] = {{"TopEsq", 0, 0}, {"Top", 28, 0}, {"Esq", 0, 28}, {"Zel", 56, 56}};

constexpr qint32 kBackColor = 0xF7F2EE; // RGB(238, 242, 247)

} // namespace

ZelVynFun::ZelVynFun(QWidget* parent) : VbForm(parent) {
    setName(QStringLiteral("ZelVynFun"));
    setCaption(QStringLiteral("Vynnard"));
    setBackColor(kBackColor);
    for (const char* name : kPieces) {
        auto image = addControl<VbImage>(QString::fromLatin1(name));
        image->setPicture(zelVynFunPicture(QString::fromLatin1(name)));
    }
    for (const DesignPlace& place : kFixed)
        piece(QString::fromLatin1(place.name))
            ->move(pixelsToTwips(place.x), pixelsToTwips(place.y));
}

ZelVynFun::~ZelVynFun() = default;

std::shared_ptr<VbImage> ZelVynFun::piece(const QString& name) const {
    return std::dynamic_pointer_cast<VbImage>(control(name));
}

void ZelVynFun::FrmPrep(const QString& op) {
    if (op == QLatin1String("INI")) {
    } else if (op == QLatin1String("FIM")) {
    }
}

void ZelVynFun::onLoad() {
    // Maximised; with no window manager to do it, the form covers the screen itself.
    if (QScreen* s = screen()) setGeometry(s->availableGeometry());
    setVbWindowState(2);
    WinTopIni(object());
}

void ZelVynFun::onResize() {
    const auto dirBx = piece(QStringLiteral("DirBx"));
    const auto dir = piece(QStringLiteral("Dir"));
    const auto bx = piece(QStringLiteral("Bx"));
    const auto qor = piece(QStringLiteral("QOR"));
    const auto zel = piece(QStringLiteral("Zel"));
    const auto wait = piece(QStringLiteral("aguarde"));
    if (!dirBx || !dir || !bx || !qor || !zel || !wait) return; // still being made
    // The pieces are placed against the client area, where they are seen.
    const double w = clientWidth();
    const double h = clientHeight();
    dirBx->move(w - dirBx->width(), h - dirBx->height());
    dir->move(w - dir->width(), h - dirBx->height() - dir->height());
    bx->move(w - dirBx->width() - bx->width(), h - bx->height());
    qor->move(w / 2 - qor->width() / 2, h / 2 - qor->height() / 2);
    wait->move(w - wait->width() - zel->left(), h - wait->height() - zel->top());
}

int ZelVynFun::startup() {
    if (activated_) return 0;
    activated_ = true;
    ZelVynMainHooks& hooks = zelVynMainState().hooks;
    const QPointer<ZelVynFun> self(this);
    hooks.showBackground = [self] {
        if (self) self->showForm();
    };
    hooks.unloadBackground = [self] {
        if (self) self->unload();
    };
    hooks.newWindow = [] { return std::make_shared<ZelVynAsp>(); };
    const int status = PgmRun();
    hooks.showBackground = nullptr;
    hooks.unloadBackground = nullptr;
    if (isLoaded()) unload();
    return status;
}

} // namespace zv
