#pragma once
// The state of one SupFrm and the small helpers its operations share (not part of the public
// interface: SupFrm.h is).

#include "Convert.h"
#include "NameValueTable.h"
#include "ScreenInfo.h"
#include "SupFrm.h"
#include "VbError.h"
#include "VbObjectRef.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace zv {

class VbControl;
class VbLine;
class VbListBox;

// One token of an anchor list. A token whose stored value could not be computed at
// registration (a share of a container of no size) is never applied.
struct Anchor {
    QString text;
    bool usable = true;
};

// A registered control: its anchor list, its geometry as the tokens store it, the control.
struct ObAjt {
    QString anchors;
    double left = 0, top = 0, width = 0, height = 0;
    std::shared_ptr<VbControl> control;
    QString extra;
    std::vector<Anchor> tokens;
};

// A registered marker line.
struct MpoDef {
    QString name; // trimmed, upper case
    QString anchors;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::shared_ptr<VbLine> line;
    QString extra;
    std::vector<Anchor> tokens;
};

struct SupFrm::State {
    QString className = QStringLiteral("SupFrm");
    QString instanceId;
    VbObjectRef main;
    VbObjectRef parent;
    // Element 0 is the main form with its base geometry; the controls follow.
    std::vector<ObAjt> controls = std::vector<ObAjt>(1);
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    // Element 0 holds no marker.
    std::vector<MpoDef> markers = std::vector<MpoDef>(1);
    int heightCorrection = 0, widthCorrection = 0;
    int parentSwap = 0;
    Variant parentLeft, parentTop; // the parent's place kept by VisRegFrm
    std::optional<ScreenInfo> screen;

    // Message outputs.
    DispatchPtr zone;
    std::shared_ptr<VbListBox> list;
    int listVisible = 0;
    int listNumberWidth = 0;

    // The palette, and the default size list of window positions.
    NameValueTable palette;
    QString defaultPlace;

    // Panels and pictures.
    QString imageFolder = QStringLiteral("[BUS]");
    std::function<QString()> defaultImageFolder;

    ScreenInfo currentScreen() const { return screen ? *screen : ScreenInfo::primary(); }
    // The size a layout works in: a form container's Width and Height less the border
    // corrections, any other container's own. Raises when the container cannot be read.
    void layoutArea(const VbObjectRef& container, double& cw, double& ch) const;
};

// A coordinate made whole: rounded half to even; beyond 32 bits raises 6 (overflow).
inline int32_t whole(double v) {
    return CLng(Variant(v));
}

// The parts of a palette entry "background+foreground+3D part+picture" (the picture is all
// that follows the third "+"); parts the entry lacks are "".
struct EntryParts {
    QString background, foreground, part3D, picture;
};
EntryParts splitEntry(const QString& entry);

// Placing steps of the size list and of the placements; each coordinate is a trapped step of its
// own (a refused Left still lets Top through): f centred on a screen of sw x sh twips and up
// twips higher; f centred on r; f moved to r's top-left corner.
void centreOnScreen(VbObjectRef& f, double sw, double sh, double up);
void centreOn(VbObjectRef& f, const VbObjectRef& r);
void moveToCorner(VbObjectRef& f, const VbObjectRef& r);

// The tokens of an anchor list, split at ",".
std::vector<Anchor> splitAnchors(const QString& list);

// Whether token is of the marker kind prefix ("MPX", "MDX", "MPY", "MDY"): it lies between
// prefix and prefix + ":z", by character codes. The expression is the token from its fifth
// character on.
inline bool isMarkerToken(const QString& token, const QString& prefix) {
    return token >= prefix && token <= prefix + QStringLiteral(":z");
}
inline QString markerExpression(const QString& token) {
    return token.mid(4);
}

} // namespace zv
