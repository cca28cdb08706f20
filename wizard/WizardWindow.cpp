#include "WizardWindow.h"

#include "VbError.h"

namespace zv {

void WizardWindow::VynExe(WizardEvents& engine) {
    engine.VbsPrcExe(QStringLiteral("FxIni"));
    showWindowModal();
}

void ImgFun(WizardWindow& window, const QString& path) {
    if (path.isEmpty()) return;
    vbTrap([&] { window.loadPicture(path); }); // a failure leaves the picture as it was
}

void MnuIco(WizardWindow& window, const QString& path) {
    if (path.isEmpty()) return;
    vbTrap([&] { window.loadIcon(path); }); // a failure leaves the icon as it was
}

} // namespace zv
