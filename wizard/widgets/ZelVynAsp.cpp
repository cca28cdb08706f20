#include "ZelVynAsp.h"

#include "ApiDec.h"
#include "PageControls.h"
#include "Twips.h"
#include "VbCommandButton.h"

#include <QScreen>

namespace zv {

namespace {

struct ButtonDesign {
    const char* name;
    const char* caption;
    int x; // pixels
};
// Back and Next side by side, Confirm and Cancel apart at the right.
const ButtonDesign kButtons[] = {{"cmAnt", "< Anterior", 280},
                                 {"cmSeg", "Seguinte >", 364},
                                 {"cmCnf", "Confirmar", 460},
                                 {"cmCan", "Cancelar", 547}};
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 443;

} // namespace

ZelVynAsp::ZelVynAsp(QWidget* parent) : VbForm(parent) {
    setName(QStringLiteral("ZelVynAsp"));
    setCaption(QStringLiteral("ZelVyn"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(kDesignWidth, kDesignHeight);
    setInputGuard(true);
    for (const ButtonDesign& design : kButtons) {
        auto b = addControl<VbCommandButton>(QString::fromLatin1(design.name));
        b->setCaption(QString::fromUtf8(design.caption));
        b->move(pixelsToTwips(design.x), pixelsToTwips(kButtonTop), pixelsToTwips(kButtonWidth),
                pixelsToTwips(kButtonHeight));
    }
    addPageControlArrays(*this);
}

ZelVynAsp::~ZelVynAsp() = default;

std::shared_ptr<VbCommandButton> ZelVynAsp::button(const char* name) const {
    return std::dynamic_pointer_cast<VbCommandButton>(control(QString::fromLatin1(name)));
}

std::shared_ptr<VbCommandButton> ZelVynAsp::cmAnt() const {
    return button("cmAnt");
}
std::shared_ptr<VbCommandButton> ZelVynAsp::cmSeg() const {
    return button("cmSeg");
}
std::shared_ptr<VbCommandButton> ZelVynAsp::cmCnf() const {
    return button("cmCnf");
}
std::shared_ptr<VbCommandButton> ZelVynAsp::cmCan() const {
    return button("cmCan");
}

void ZelVynAsp::FrmPrep(const QString& op) {
    if (op == QLatin1String("INI")) {
    } else if (op == QLatin1String("FIM")) {
    }
}

void ZelVynAsp::onLoad() {
    WinTopIni(object());
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
    return loadElement(array, index);
}

} // namespace zv
