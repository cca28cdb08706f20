#include "VynEngine.h"

#include "VbError.h"
#include "WizardWindow.h"

namespace zv {

void EmptyWizardEngine::RegFrm(const std::shared_ptr<WizardWindow>& form) {
    form_ = form;
}

void EmptyWizardEngine::VynIni(const QString& file) {
    file_ = file;
}

void EmptyWizardEngine::VynExe() {
    if (!form_) throw VbError(err::ObjectNotSet);
    form_->showWindowModal();
}

} // namespace zv
