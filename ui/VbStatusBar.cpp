#include "VbStatusBar.h"

#include "Bevel3D.h"
#include "Convert.h"
#include "Twips.h"
#include "VbError.h"

#include <QPainter>
#include <QWidget>

namespace zv {

namespace {

struct Panel {
    QString text;
    int widthPx = 96;
};

struct BarState {
    int style = VbStatusBar::kPanels;
    QString simpleText;
    std::vector<Panel> panels;
};

class BarWidget : public QWidget {
public:
    explicit BarWidget(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }
    BarState state;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor text = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                            QPalette::WindowText);
        auto box = [&](const QRect& r, const QString& caption) {
            const QRect inside = drawBevel(p, r, BevelKind::Inset, 1, palette());
            p.setPen(text);
            p.drawText(inside.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
        };
        const QRect all = rect().adjusted(1, 2, -1, -1);
        if (state.style == VbStatusBar::kSimple) {
            box(all, state.simpleText);
            return;
        }
        int x = all.left();
        for (size_t i = 0; i < state.panels.size(); ++i) {
            const bool last = i + 1 == state.panels.size();
            const int w = last ? std::max(0, all.right() + 1 - x) : state.panels[i].widthPx;
            box(QRect(x, all.top(), w, all.height()), state.panels[i].text);
            x += w + 2;
        }
    }
};

BarState& stateOf(QWidget* w) {
    return static_cast<BarWidget*>(w)->state;
}

// Panel i (1..count) of a bar; 9 outside.
Panel& panelOf(BarState& s, int panel) {
    if (panel < 1 || panel > int(s.panels.size())) throw VbError(err::SubscriptOutOfRange);
    return s.panels[size_t(panel - 1)];
}

// One panel as scripts see it: Text and Width, read from the bar at each use.
DispatchPtr panelObject(const std::shared_ptr<VbStatusBar>& bar, int panel) {
    auto o = std::make_shared<SimpleDispatch>(QStringLiteral("Panel"));
    o->addProperty(
        QStringLiteral("Text"),
        [bar, panel](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(bar->panelText(panel));
        },
        [bar, panel](Args a) { bar->setPanelText(panel, CStr(*a.back())); });
    o->addProperty(
        QStringLiteral("Width"),
        [bar, panel](Args a) {
            checkArgCount(a, 0, 0);
            return Variant(float(bar->panelWidth(panel)));
        },
        [bar, panel](Args a) { bar->setPanelWidth(panel, CDbl(*a.back())); });
    o->setDefaultMember(QStringLiteral("Text"));
    return o;
}

DispatchPtr panelsObject(const std::shared_ptr<VbStatusBar>& bar) {
    auto o = std::make_shared<SimpleDispatch>(QStringLiteral("Panels"));
    o->addProperty(QStringLiteral("Count"), [bar](Args a) {
        checkArgCount(a, 0, 0);
        return Variant(int16_t(bar->panelCount()));
    });
    o->addMethod(QStringLiteral("Item"), [bar](Args a) {
        checkArgCount(a, 1, 1);
        const int panel = CInt(*a[0]);
        bar->panelText(panel); // 9 for a panel that is not there
        return Variant(panelObject(bar, panel));
    });
    o->setDefaultMember(QStringLiteral("Item"));
    return o;
}

} // namespace

const MemberTable& VbStatusBar::memberTable() {
    static const MemberTable table = controlTable(
        QStringLiteral("StatusBar"), kPosition | kEnabled | kFont | kHwnd, [](MemberTable& t) {
            Members<VbStatusBar>(t)
                .property<QString>(QStringLiteral("SimpleText"), &VbStatusBar::simpleText,
                                   &VbStatusBar::setSimpleText)
                .property<int16_t>(QStringLiteral("Style"), &VbStatusBar::style,
                                   &VbStatusBar::setStyle)
                .property<Variant>(QStringLiteral("Panels"), [](VbStatusBar& b) -> Variant {
                    b.liveWidget();
                    return DispatchPtr(
                        panelsObject(std::static_pointer_cast<VbStatusBar>(b.shared_from_this())));
                });
        });
    return table;
}

VbStatusBar::VbStatusBar(QWidget* parent) : VbControl(memberTable(), new BarWidget(parent)) {}

int VbStatusBar::style() const {
    return stateOf(liveWidget()).style;
}

void VbStatusBar::setStyle(int style) {
    if (style != kPanels && style != kSimple) throw VbError(err::InvalidPropertyValue);
    stateOf(liveWidget()).style = style;
    widget()->update();
}

QString VbStatusBar::simpleText() const {
    return stateOf(liveWidget()).simpleText;
}

void VbStatusBar::setSimpleText(const QString& text) {
    stateOf(liveWidget()).simpleText = text;
    widget()->update();
}

int VbStatusBar::panelCount() const {
    return int(stateOf(liveWidget()).panels.size());
}

void VbStatusBar::addPanel(const QString& text, double widthTwips) {
    if (widthTwips < 0) throw VbError(err::InvalidPropertyValue);
    stateOf(liveWidget()).panels.push_back({text, twipsToPixels(widthTwips)});
    widget()->update();
}

QString VbStatusBar::panelText(int panel) const {
    return panelOf(stateOf(liveWidget()), panel).text;
}

void VbStatusBar::setPanelText(int panel, const QString& text) {
    panelOf(stateOf(liveWidget()), panel).text = text;
    widget()->update();
}

double VbStatusBar::panelWidth(int panel) const {
    return pixelsToTwips(panelOf(stateOf(liveWidget()), panel).widthPx);
}

void VbStatusBar::setPanelWidth(int panel, double twips) {
    if (twips < 0) throw VbError(err::InvalidPropertyValue);
    panelOf(stateOf(liveWidget()), panel).widthPx = twipsToPixels(twips);
    widget()->update();
}

void VbStatusBar::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (dynamic_cast<const VbStatusBar*>(&design)) stateOf(liveWidget()) = stateOf(design.widget());
}

} // namespace zv
