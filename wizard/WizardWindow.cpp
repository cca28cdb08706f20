#include "WizardWindow.h"

#include "VbError.h"

namespace zv {

void WizardWindow::VynExe(WizardEvents& engine) {
    engine.VbsPrcExe(QStringLiteral("FxIni"));
    showWindowModal();
}

void ImgFun(WizardWindow& window, const QString& path) {
    if (path.isEmpty()) return;
    try {
        window.loadPicture(path);
    } catch (const VbError&) {
        // The picture stays as it was.
    }
}

void MnuIco(WizardWindow& window, const QString& path) {
    if (path.isEmpty()) return;
    try {
        window.loadIcon(path);
    } catch (const VbError&) {
        // The icon stays as it was.
    }
}

} // namespace zv
