#include "PageControls.h"

#include "RtfDocument.h"
#include "Twips.h"
#include "VbCheckBox3D.h"
#include "VbForm.h"
#include "VbLabel.h"
#include "VbRichTextBox.h"
#include "ZelOpc.h"

namespace zv {

namespace {

// The design sizes, in pixels, that a page control keeps when its definition gives no "Dim".
constexpr int kCheckBoxSize[] = {200, 20};
constexpr int kRichTextSize[] = {300, 150};
constexpr int kOptionListSize[] = {200, 100};

void designSize(VbControl& c, const int (&size)[2]) {
    c.move(0, 0, pixelsToTwips(size[0]), pixelsToTwips(size[1]));
    c.setVisible(false);
}

} // namespace

void addPageControlArrays(VbForm& form) {
    installRichTextLoader();
    auto label = form.addArray<VbLabel>(QStringLiteral("laVyn"));
    label->setAutoSize(true);
    label->setVisible(false);
    designSize(*form.addArray<VbCheckBox3D>(QStringLiteral("ckVyn")), kCheckBoxSize);
    auto rtf = form.addArray<VbRichTextBox>(QStringLiteral("rtfVyn"));
    rtf->setLocked(true); // the panels show text; the person reads, selects and copies it
    designSize(*rtf, kRichTextSize);
    designSize(*form.addArray<ZelOpc>(QStringLiteral("ZelOpc")), kOptionListSize);
}

} // namespace zv
