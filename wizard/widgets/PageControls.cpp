#include "PageControls.h"

#include "RtfDocument.h"
#include "VbCheckBox3D.h"
#include "VbForm.h"
#include "VbLabel.h"
#include "VbRichTextBox.h"
#include "ZelOpc.h"

namespace zv {

void addPageControlArrays(VbForm& form) {
    installRichTextLoader();
    form.addArray<VbLabel>(QStringLiteral("laVyn"))->setVisible(false);
    form.addArray<VbCheckBox3D>(QStringLiteral("ckVyn"))->setVisible(false);
    auto rtf = form.addArray<VbRichTextBox>(QStringLiteral("rtfVyn"));
    rtf->setLocked(true); // the panels show text; the person reads, selects and copies it
    rtf->setVisible(false);
    form.addArray<ZelOpc>(QStringLiteral("ZelOpc"))->setVisible(false);
}

} // namespace zv
