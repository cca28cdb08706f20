#include "ZelOpc.h"

#include "Convert.h"
#include "GlbVar.h"
#include "ProcessContext.h"
#include "Text.h"
#include "Twips.h"
#include "TxtGlb.h"
#include "VbColor.h"
#include "VbForm.h"
#include "VbFrame3D.h"
#include "VbOptionButton.h"

#include <QFontMetrics>
#include <QRadioButton>
#include <QResizeEvent>
#include <cmath>
#include <optional>

namespace zv {

namespace {

// The text measured for an empty text: capitals with accents, so the height covers them.
const QString kSample = QStringLiteral("AÃÇ");
// The gap kept between an option's right edge and the control's, and at the frame's bottom.
constexpr double kRightGap = 60;
constexpr double kBottomGap = 30;

// The control's own widget: tells the control when its size changes.
class OpcWidget : public QWidget {
public:
    explicit OpcWidget(QWidget* parent) : QWidget(parent) {}
    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (resized) resized();
    }
};

double wholeTwips(double twips) {
    return std::isfinite(twips) ? roundHalfEven(twips) : 0;
}

qint32 colourOf(const QWidget* w, QPalette::ColorRole role) {
    return qColorToVb(w->palette().color(role));
}

} // namespace

ZelOpc::ZelOpc(QWidget* parent) : VbControl(memberTable(), new OpcWidget(parent)) {
    QWidget* w = widget();
    w->setAutoFillBackground(true);
    static_cast<OpcWidget*>(w)->resized = [this] { AspPrp(); };

    frOpc_ = std::make_shared<VbFrame3D>(w, VbFrame3D::Look::Frame);
    frOpc_->widget()->lower();

    auto tmpl = std::make_shared<VbOptionButton>(w);
    QRadioButton* r = tmpl->radioButton();
    r->resize(r->width(), r->sizeHint().height());
    r->hide();
    obOpc_.push_back(tmpl);
    tmpl->setClickHandler([this] { optionClicked(0); });

    // A new instance: the form's colours, the ambient font, a caption named after the control.
    const qint32 formBack = parent ? colourOf(parent, QPalette::Window) : 0;
    frOpc_->setBackColor(formBack);
    dimBack_ = formBack;
    setCaption(QStringLiteral("ZelOpc"));
    applyBorder();
    AspPrp();
}

ZelOpc::~ZelOpc() = default;

const MemberTable& ZelOpc::memberTable() {
    static const MemberTable table = controlTable(
        QStringLiteral("ZelOpc"), kPosition | kEnabled | kHwnd | kBackColor, [](MemberTable& t) {
            Members<ZelOpc>(t)
                // A choice that is no number, or no option, is passed over.
                .property<Variant>(
                    QStringLiteral("opcUsa"),
                    [](ZelOpc& z) { return Variant(int16_t(z.opcUsa())); },
                    [](ZelOpc& z, const Variant& v) { vbTrap([&] { z.setOpcUsa(CInt(v)); }); })
                .property<QString>(QStringLiteral("TitAli"), &ZelOpc::TitAli, &ZelOpc::setTitAli)
                .property<QString>(QStringLiteral("Caption"), &ZelOpc::caption, &ZelOpc::setCaption)
                .property<int32_t>(QStringLiteral("CapColor"), &ZelOpc::capColor,
                                   &ZelOpc::setCapColor)
                .property<bool>(QStringLiteral("BorderVisible"), &ZelOpc::borderVisible,
                                &ZelOpc::setBorderVisible)
                .property<int32_t>(QStringLiteral("ForeColor"), &ZelOpc::optionForeColor,
                                   &ZelOpc::setOptionForeColor)
                // Kept for whoever reads them back; the options' font is the Font member.
                .property<bool>(QStringLiteral("FontBold"), &ZelOpc::FontBold,
                                [](ZelOpc& z, bool on) { z.fontBold_ = on; })
                .property<QString>(QStringLiteral("FontName"), &ZelOpc::FontName,
                                   [](ZelOpc& z, const QString& name) { z.fontName_ = name; })
                .property<float>(QStringLiteral("FontSize"), &ZelOpc::FontSize,
                                 [](ZelOpc& z, float size) { z.fontSize_ = size; })
                .method(QStringLiteral("CorTip"), &ZelOpc::CorTip)
                .method(QStringLiteral("RegIni"), &ZelOpc::RegIni)
                .method(QStringLiteral("RegOpc"), &ZelOpc::RegOpc)
                .method(QStringLiteral("ConOpc"),
                        [](ZelOpc& z, int16_t index, Variant& caption, Variant& text) {
                            z.ConOpc(index, caption, text);
                        })
                .method(QStringLiteral("RegOpcPos"),
                        [](ZelOpc& z, int16_t index, double left, double top) {
                            z.RegOpcPos(index, left, top);
                        })
                .method(QStringLiteral("RegAsp"), &ZelOpc::RegAsp)
                .method(QStringLiteral("AjtPosY"),
                        [](ZelOpc& z, double top, double bottom, int16_t centre) {
                            z.AjtPosY(top, bottom, centre);
                        })
                .method(QStringLiteral("OpcNum"), &ZelOpc::OpcNum);
        });
    return table;
}

// ---- choosing ----

int ZelOpc::opcUsa() const {
    for (int i = 0; i <= n(); ++i)
        if (obOpc_[i]->value()) return i;
    return -1;
}

void ZelOpc::setOpcUsa(int index) {
    if (auto o = option(index)) o->setValue(true);
}

void ZelOpc::optionClicked(int index) {
    if (busy_ == 1) return;
    ProcessContext::current().pump().pump();
    if (opcSel_) opcSel_(index);
}

// ---- caption, border, fonts and colours ----

QString ZelOpc::TitAli() const {
    switch (frOpc_->alignment()) {
    case 0:
        return QStringLiteral("<");
    case 1:
        return QStringLiteral(">");
    case 2:
        return QStringLiteral("|");
    default:
        return QString();
    }
}

void ZelOpc::setTitAli(const QString& code) {
    const QString c = UCase(Trim(code)).left(1);
    if (c == u"<" || c == u"7")
        frOpc_->setAlignment(0);
    else if (c == u"|" || c == u"8")
        frOpc_->setAlignment(2);
    else if (c == u">" || c == u"9")
        frOpc_->setAlignment(1);
    AspRef();
}

void ZelOpc::setCaption(const QString& caption) {
    caption_ = caption;
    frOpc_->setCaption(caption);
    AspPrp();
    AspRef();
}

QFont ZelOpc::capFont() const {
    return frOpc_->widget()->font();
}

void ZelOpc::setCapFont(const QFont& font) {
    frOpc_->setFont(font);
    AspPrp();
    AspRef();
}

void ZelOpc::setCapColor(qint32 colour) {
    checkVbColor(colour);
    if (colour == kNoColor) return;
    capColor_ = colour;
    frOpc_->setForeColor(colour);
}

void ZelOpc::setBorderVisible(bool on) {
    borderVisible_ = on;
    applyBorder();
    AspPrp();
    AspRef();
}

void ZelOpc::applyBorder() {
    borderFlag_ = borderVisible_ ? 1 : 0;
    frOpc_->setVisible(borderVisible_);
}

QFont ZelOpc::optionFont() const {
    return obOpc_[0]->widget()->font();
}

void ZelOpc::setOptionFont(const QFont& font) {
    obOpc_[0]->setFont(font);
    QRadioButton* r = obOpc_[0]->radioButton();
    r->resize(r->width(), r->sizeHint().height());
    AspPrp();
    AspRef();
}

qint32 ZelOpc::backColor() const {
    return frOpc_->backColor();
}

void ZelOpc::setBackColor(qint32 colour) {
    checkVbColor(colour);
    if (colour == kNoColor) return;
    frOpc_->setBackColor(colour);
    dimBack_ = colour;
    VbControl::setBackColor(colour);
    applyFill();
    recolourOptions(false);
}

void ZelOpc::setOptionForeColor(qint32 colour) {
    checkVbColor(colour);
    if (colour == kNoColor) return;
    foreColor_ = colour;
    dimFore_ = colour;
    recolourOptions(false);
}

void ZelOpc::recolourOptions(bool back) {
    for (auto& o : obOpc_) {
        if (back) o->setBackColor(dimBack_);
        o->setForeColor(dimFore_);
    }
}

// The see-through scheme shows the form's picture under the list: nothing of the list paints
// its own background then. Every other scheme fills with the colours.
void ZelOpc::applyFill() {
    const bool fill = scheme_ != u"IP";
    widget()->setAutoFillBackground(fill);
    frOpc_->widget()->setAutoFillBackground(fill);
    for (auto& o : obOpc_)
        o->widget()->setAutoFillBackground(fill);
}

void ZelOpc::CorTip(const QString& code) {
    vbTrap([&] {
        QString scheme, rest;
        TxSepDiv(UCase(Trim(code)), QStringLiteral("-"), scheme, rest);
        if (scheme == u"C" || scheme == u"P") {
            // The container's colours, or the form's.
            QWidget* source = nullptr;
            if (scheme == u"C")
                source = widget()->parentWidget();
            else
                source = form();
            if (source) {
                frOpc_->setBackColor(colourOf(source, QPalette::Window));
                frOpc_->setForeColor(colourOf(source, QPalette::WindowText));
            }
        } else if (scheme == u"IP") {
            scheme_ = QStringLiteral("IP");
            applyFill();
            widget()->update();
            return;
        } else {
            scheme = QStringLiteral("N");
        }
        scheme_ = scheme;
        applyFill();
        AspRef();
    });
}

// ---- the list ----

void ZelOpc::RegIni() {
    busy_ = 1;
    vbTrap([&] {
        // A released option takes its widget with it.
        while (obOpc_.size() > 1)
            obOpc_.pop_back();
        obOpc_[0]->setValue(true);
    });
    busy_ = 0;
}

void ZelOpc::RegOpc(const QString& caption, const QString& text) {
    busy_ = 1;
    vbTrap([&] {
        const int k = n() + 1;
        auto o = std::make_shared<VbOptionButton>(widget());
        QRadioButton* r = o->radioButton();
        const QWidget* t = obOpc_[0]->widget();
        r->setGeometry(t->geometry());
        r->setFont(t->font());
        r->setPalette(t->palette());
        r->setAutoFillBackground(t->autoFillBackground());
        r->setLayoutDirection(t->layoutDirection());
        r->hide();
        o->setCaption(caption);
        o->setTag(text);
        o->setClickHandler([this, k] { optionClicked(k); });
        r->raise();
        obOpc_.push_back(o);
        obOpc_[0]->setValue(true);
    });
    busy_ = 0;
}

void ZelOpc::ConOpc(int index, Variant& caption, Variant& text) const {
    const auto o = option(index);
    if (!o) {
        VarIniTip(caption);
        VarIniTip(text);
        return;
    }
    VarAtr(Variant(o->caption()), caption);
    VarAtr(Variant(o->tag()), text);
}

void ZelOpc::RegOpcPos(int index, double left, double top) {
    OpcPos(index, left, top);
}

void ZelOpc::OpcPos(int index, double left, double top) {
    vbTrap([&] {
        const auto o = option(index);
        if (!o) return;
        o->setLeft(wholeTwips(left));
        o->setTop(wholeTwips(top));
        o->setVisible(true);
        o->setBackColor(dimBack_);
        o->setForeColor(dimFore_);
        OpcDim(index);
    });
}

void ZelOpc::OpcDim(int index) {
    const auto o = option(index);
    if (!o) return;
    o->setWidth(std::max(0.0, width() - o->left() - kRightGap));
}

void ZelOpc::TxDim(bool capFont, const QString& text, double& w, double& h) const {
    const QFont font = capFont ? this->capFont() : optionFont();
    const QFontMetrics fm(font);
    h = pixelsToTwips(fm.height());
    if (!text.isEmpty()) {
        w = pixelsToTwips(fm.horizontalAdvance(text));
        return;
    }
    // The sample's width is measured once for a font at a resolution (a wizard's lists share
    // theirs, and measuring is the costly part).
    struct Sample {
        QFont font;
        qreal dpi = 0;
        int width = 0;
    };
    static thread_local std::optional<Sample> last;
    if (!last || last->dpi != fm.fontDpi() || !(last->font == font))
        last = Sample{font, fm.fontDpi(), fm.horizontalAdvance(kSample)};
    w = pixelsToTwips(last->width);
}

void ZelOpc::RegAsp(double x, double y, const Variant& dx, const Variant& dy) {
    obOpc_[0]->setLeft(wholeTwips(x));
    double w = 0, h = 0;
    TxDim(false, QString(), w, h);
    const double stepX = dx.isString() ? w + Val(dx.rawString()) : double(CLng(dx));
    const double stepY = dy.isString() ? h + Val(dy.rawString()) : double(CLng(dy));
    for (int i = 1; i <= n(); ++i) {
        OpcPos(i, x, y);
        x += stepX;
        y += stepY;
    }
}

bool ZelOpc::CapVer() const {
    return !caption_.isEmpty() && borderFlag_ == 1;
}

void ZelOpc::AjtPosY(double top, double bottom, int centre) {
    const int count = n();
    // Nothing to spread: no option, no division.
    if (count < 1) return;
    double c = 0, w = 0, h = 0;
    if (CapVer()) TxDim(true, caption_, w, c);
    const double b = frOpc_->height() - kBottomGap;
    TxDim(false, QString(), w, h);
    const double y1 = wholeTwips(top + c);
    const double y2 = wholeTwips(b - bottom);
    const double span = y2 - y1 - h;
    const double step = span / count;
    double y = centre == 1 ? y1 + step / 2 - h / 2 : y1;
    for (int i = 1; i <= count; ++i) {
        vbTrap([&] {
            obOpc_[i]->setTop(wholeTwips(y));
            obOpc_[i]->setVisible(true);
        });
        y += step;
    }
}

int16_t ZelOpc::OpcNum() const {
    return int16_t(std::clamp(n(), 0, 32767));
}

std::shared_ptr<VbOptionButton> ZelOpc::option(int index) const {
    if (index < 0 || index > n()) return nullptr;
    return obOpc_[index];
}

// ---- layout ----

void ZelOpc::AspPrp() {
    if (laying_) return;
    laying_ = true;
    vbTrap([&] {
        QWidget* w = widget();
        if (!w) return;
        frOpc_->widget()->setGeometry(0, 0, w->width(), w->height());
        const double width = pixelsToTwips(w->width());
        for (auto& o : obOpc_)
            vbTrap([&] { o->setWidth(std::max(0.0, width - o->left() - kRightGap)); });
    });
    laying_ = false;
}

void ZelOpc::AspRef() {
    for (auto& o : obOpc_)
        vbTrap([&] { o->refresh(); });
}

void ZelOpc::contentChanged() {
    AspPrp();
}

void ZelOpc::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    const auto* d = dynamic_cast<const ZelOpc*>(&design);
    if (!d) return;
    borderVisible_ = d->borderVisible_;
    capColor_ = d->capColor_;
    foreColor_ = d->foreColor_;
    fontBold_ = d->fontBold_;
    fontName_ = d->fontName_;
    fontSize_ = d->fontSize_;
    dimBack_ = d->dimBack_;
    dimFore_ = d->dimFore_;
    scheme_ = d->scheme_;
    frOpc_->setFont(d->capFont());
    frOpc_->setAlignment(d->frOpc_->alignment());
    frOpc_->setBackColor(d->frOpc_->backColor());
    frOpc_->setForeColor(d->frOpc_->foreColor());
    obOpc_[0]->setFont(d->optionFont());
    obOpc_[0]->widget()->resize(d->obOpc_[0]->widget()->size());
    obOpc_[0]->widget()->move(d->obOpc_[0]->widget()->pos());
    setCaption(d->caption_);
    applyBorder();
    applyFill();
    AspPrp();
}

} // namespace zv
