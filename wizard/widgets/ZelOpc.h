#pragma once
// ZelOpc: the option-list control of the wizard's pages. A captioned 3D frame (frOpc) with a
// list of option buttons (obOpc) of which one at a time is chosen. The host fills it one option
// at a time, each with a caption and an attached text, lays the options out from a start point
// with fixed or text-relative increments or spreads them evenly over the frame's height, and
// colours it like its container, like its form, not at all, or see-through over the form's
// picture. A click on an option raises OpcSel(Index).
//
// Element 0 of obOpc is the template: never shown, it carries the options' font, and after
// RegIni and RegOpc it holds the choice, so a list whose person has chosen nothing reads
// opcUsa 0. The options are elements 1 to n, contiguous. New options stay hidden until they
// are placed.
//
// Lengths are twips in the control's own coordinates. The options' back and fore colours are
// held apart from the widgets (the measuring box pbDim of the original control) and given to
// each option when it is placed. Colours follow the controls' rule: -1 keeps the colour.
//
// Scripts reach the control through its members (a Dispatch, like every control): opcUsa,
// TitAli, Caption, CapColor, BorderVisible, FontBold, FontName, FontSize, BackColor, ForeColor
// and the methods CorTip, RegIni, RegOpc, ConOpc, RegOpcPos, RegAsp, AjtPosY, OpcNum.

#include "VbControl.h"

#include <QFont>
#include <functional>
#include <memory>
#include <vector>

namespace zv {

class VbFrame3D;
class VbOptionButton;

class ZelOpc : public VbControl {
public:
    explicit ZelOpc(QWidget* parent);
    ~ZelOpc() override;

    // ---- properties ----
    int opcUsa() const;
    void setOpcUsa(int index); // errors ignored: an index without an option changes nothing
    QString TitAli() const;
    void setTitAli(const QString& code);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QFont capFont() const;
    void setCapFont(const QFont& font);
    qint32 capColor() const { return capColor_; }
    void setCapColor(qint32 colour);
    bool borderVisible() const { return borderVisible_; }
    void setBorderVisible(bool on);
    QFont optionFont() const; // the options' font (Font)
    void setOptionFont(const QFont& font);
    bool FontBold() const { return fontBold_; }
    QString FontName() const { return fontName_; }
    float FontSize() const { return fontSize_; }
    qint32 backColor() const override;
    void setBackColor(qint32 colour) override;
    qint32 optionForeColor() const { return foreColor_; }
    void setOptionForeColor(qint32 colour);

    // ---- methods ----
    void CorTip(const QString& code);
    void RegIni();
    void RegOpc(const QString& caption, const QString& text);
    // The option's caption and attached text assigned into the caller's variables by their
    // types; without such an option both are emptied by their types.
    void ConOpc(int index, Variant& caption, Variant& text) const;
    void RegOpcPos(int index, double left, double top);
    // dx and dy: a text adds its number to the sample's width or height ("+30"), any other
    // value is the increment itself.
    void RegAsp(double x, double y, const Variant& dx, const Variant& dy);
    void AjtPosY(double top, double bottom, int centre);
    int16_t OpcNum() const;

    // The event OpcSel(Index): runs after a click on option Index (the event pump runs once
    // first); not while the list is being filled.
    void setOpcSelHandler(std::function<void(int)> handler) { opcSel_ = std::move(handler); }

    // ---- state, for the host and for tests ----
    const QString& colourScheme() const { return scheme_; } // "C", "P", "IP" or "N"
    int busy() const { return busy_; }
    int borderFlag() const { return borderFlag_; }
    // Option i (0 = the template); nullptr outside 0..n.
    std::shared_ptr<VbOptionButton> option(int index) const;
    VbFrame3D& frame() const { return *frOpc_; }
    // The width and height of a text in the options' font (the caption's with capFont true),
    // twips; "" measures the sample "AÃÇ".
    void TxDim(bool capFont, const QString& text, double& width, double& height) const;

protected:
    void contentChanged() override;
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
    void optionClicked(int index);
    void OpcPos(int index, double left, double top);
    void OpcDim(int index);
    bool CapVer() const;
    void AspPrp();
    void AspRef();
    void applyBorder();
    void applyFill();
    void recolourOptions(bool back);
    int n() const { return int(obOpc_.size()) - 1; }

    std::shared_ptr<VbFrame3D> frOpc_;
    std::vector<std::shared_ptr<VbOptionButton>> obOpc_;
    std::function<void(int)> opcSel_;

    bool borderVisible_ = true;
    qint32 capColor_ = 0;
    QString caption_;
    qint32 foreColor_ = 0;
    bool fontBold_ = false;
    QString fontName_;
    float fontSize_ = 0;
    // The colours the options take when placed (the measuring box's).
    qint32 dimBack_ = 0;
    qint32 dimFore_ = 0;
    int busy_ = 0;
    int borderFlag_ = 1;
    QString scheme_ = QStringLiteral("N");
    bool laying_ = false;
};

} // namespace zv
