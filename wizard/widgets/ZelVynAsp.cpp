#include "ZelVynAsp.h"

#include "ApiDec.h"
#include "PageControls.h"
#include "Twips.h"
#include "VbCommandButton.h"
#include "VbError.h"
#include "WindowHandles.h"
#include "WizardButtons.h"

#include <QScreen>

namespace zv {

namespace {

// The buttons along the bottom edge (their places across it are in their table): Back and Next
// side by side, Confirm and Cancel apart at the right.
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 443;

} // namespace

ZelVynAsp::ZelVynAsp(QWidget* parent)
    : VbForm(parent), scVbs_(std::make_shared<vbs::ScriptControl>()) {
    setName(QStringLiteral("ZelVynAsp"));
    setCaption(QStringLiteral("ZelVyn"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(kDesignWidth, kDesignHeight);
    setInputGuard(true);
    for (const WizardButton& design : kWizardButtons) {
        auto b = addControl<VbCommandButton>(design.name.toString());
        b->setCaption(design.caption.toString());
        b->move(pixelsToTwips(design.x), pixelsToTwips(kButtonTop), pixelsToTwips(kButtonWidth),
                pixelsToTwips(kButtonHeight));
        // The clicks go to the engine of the run; outside a run they do nothing.
        b->setClickHandler([this, click = design.click] {
            if (engine_) (engine_->*click)();
        });
    }
    addPageControlArrays(*this);
}

ZelVynAsp::~ZelVynAsp() = default;

std::shared_ptr<VbCommandButton> ZelVynAsp::button(TraIdx index) const {
    return std::dynamic_pointer_cast<VbCommandButton>(control(wizardButton(index).name.toString()));
}

std::shared_ptr<VbCommandButton> ZelVynAsp::cmAnt() const {
    return button(TraAnt);
}
std::shared_ptr<VbCommandButton> ZelVynAsp::cmSeg() const {
    return button(TraSeg);
}
std::shared_ptr<VbCommandButton> ZelVynAsp::cmCnf() const {
    return button(TraCnf);
}
std::shared_ptr<VbCommandButton> ZelVynAsp::cmCan() const {
    return button(TraCan);
}

void ZelVynAsp::FrmPrep(const QString& op) {
    if (op == QLatin1String("INI")) {
    } else if (op == QLatin1String("FIM")) {
    }
}

void ZelVynAsp::onLoad() {
    WinTopIni(object());
}

void ZelVynAsp::onUnload() {
    // The script's closing procedure, while every control still exists; then the engine goes.
    WizardEvents* engine = engine_;
    engine_ = nullptr;
    if (engine) engine->VbsPrcExe(QStringLiteral("FxFim"));
}

WindowHandle ZelVynAsp::hwnd() const {
    return windowHandleOf(const_cast<ZelVynAsp*>(this));
}

void ZelVynAsp::VynExe(WizardEvents& engine) {
    engine_ = &engine;
    struct Release {
        ZelVynAsp* window;
        ~Release() { window->engine_ = nullptr; }
    } release{this};
    try {
        engine.VbsPrcExe(QStringLiteral("FxIni"));
        showWindowModal();
    } catch (const ProgramEnd&) {
        // The program ends here: the window goes without its unload code.
        abandon();
        throw;
    }
}

void ZelVynAsp::loadWindow() {
    load();
}

void ZelVynAsp::unloadWindow() {
    unload(UnloadMode::Code);
}

void ZelVynAsp::showWindowModal() {
    // The window appears in the middle of the screen, at the size the definition gave it.
    if (!isVisible()) {
        if (QScreen* s = screen()) {
            QRect r = frameGeometry();
            r.moveCenter(s->availableGeometry().center());
            QWidget::move(r.topLeft());
        }
    }
    showModal();
}

bool ZelVynAsp::loadPicture(const QString& path) {
    return setPicture(path);
}

bool ZelVynAsp::loadIcon(const QString& path) {
    return setIcon(path);
}

DispatchPtr ZelVynAsp::windowObject() {
    return object();
}

DispatchPtr ZelVynAsp::loadControl(const QString& array, int index) {
    const std::shared_ptr<VbControl> element = loadElement(array, index);
    // A label is drawn on the window's own surface, beneath every control that has a window
    // of its own: it never covers a button, a check box or a panel.
    if (array.compare(QLatin1String("laVyn"), Qt::CaseInsensitive) == 0) element->zOrder(1);
    return element;
}

} // namespace zv
