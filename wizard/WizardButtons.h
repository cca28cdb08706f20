#pragma once
// The wizard window's four buttons in one table: what the definition, the window, the engine
// and the scripts call each of them, where the window has it by design, and what its click
// runs. Entries are in the order of their index in PagDef::Tra (1 Back to 4 Cancel).

#include "SupVynDef.h"
#include "WizardWindow.h"

#include <QStringView>
#include <array>

namespace zv {

struct WizardButton {
    TraIdx index;                  // its place in PagDef::Tra
    QStringView ide;               // the "IDE" of its "TRA" zones: "ANT"
    QStringView name;              // the window's control, as scripts name it: "cmAnt"
    QStringView autoPoint;         // the point of its default position: "AUT_TraPosAnt"
    QStringView positionKey;       // the "DEF" key of its position: "TraPosAnt"
    QStringView caption;           // its designed caption
    QStringView word;              // the button as the person knows it, in messages
    int x;                         // its designed left edge, in pixels
    void (WizardEvents::*click)(); // what a click on it runs
};

inline constexpr std::array<WizardButton, 4> kWizardButtons{{
    {TraAnt, u"ANT", u"cmAnt", u"AUT_TraPosAnt", u"TraPosAnt", u"< Anterior", u"Anterior", 280,
     &WizardEvents::TraAnt},
    {TraSeg, u"SEG", u"cmSeg", u"AUT_TraPosSeg", u"TraPosSeg", u"Seguinte >", u"Seguinte", 364,
     &WizardEvents::TraSeg},
    {TraCnf, u"CNF", u"cmCnf", u"AUT_TraPosCnf", u"TraPosCnf", u"Confirmar", u"Confirmar", 460,
     &WizardEvents::TraCnf},
    {TraCan, u"CAN", u"cmCan", u"AUT_TraPosCan", u"TraPosCan", u"Cancelar", u"Cancelar", 547,
     &WizardEvents::TraCan},
}};

// The button of an index of PagDef::Tra (1 to 4).
inline const WizardButton& wizardButton(TraIdx index) {
    return kWizardButtons[size_t(index) - 1];
}
// The button whose IDE is ide, compared exactly; nullptr for any other text.
const WizardButton* wizardButtonOfIde(QStringView ide);
// The button whose control is named name, compared exactly; nullptr for any other name.
const WizardButton* wizardButtonNamed(QStringView name);

} // namespace zv
