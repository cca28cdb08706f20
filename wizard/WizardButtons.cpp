#include "WizardButtons.h"

namespace zv {

const WizardButton* wizardButtonOfIde(QStringView ide) {
    for (const WizardButton& b : kWizardButtons)
        if (ide == b.ide) return &b;
    return nullptr;
}

const WizardButton* wizardButtonNamed(QStringView name) {
    for (const WizardButton& b : kWizardButtons)
        if (name == b.name) return &b;
    return nullptr;
}

} // namespace zv
