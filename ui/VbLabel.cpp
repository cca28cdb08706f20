#include "VbLabel.h"

#include "Convert.h"

#include <QLabel>
#include <QMouseEvent>

namespace zv {

namespace {

class LabelWidget : public QLabel {
public:
    explicit LabelWidget(QWidget* parent) : QLabel(parent) {}
    std::function<void()> clicked;
    std::function<void()> shown;

protected:
    bool event(QEvent* e) override {
        // A fit owed while the label was hidden is made before it is painted.
        if (e->type() == QEvent::Show && shown) shown();
        return QLabel::event(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLabel::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && clicked)
            clicked();
    }
};

} // namespace

const MemberTable& VbLabel::memberTable() {
    static const MemberTable table =
        controlTable(QStringLiteral("Label"),
                     kPosition | kEnabled | kFont | kBackColor | kForeColor, [](MemberTable& t) {
                         Members<VbLabel>(t)
                             .property<QString>(
                                 QStringLiteral("Caption"),
                                 [](VbLabel& l) {
                                     l.liveWidget();
                                     return l.caption_;
                                 },
                                 &VbLabel::setCaption)
                             .defaultMember(QStringLiteral("Caption"))
                             .property<int16_t>(QStringLiteral("Alignment"), &VbLabel::alignment,
                                                &VbLabel::setAlignment)
                             .property<bool>(QStringLiteral("AutoSize"), &VbLabel::autoSize,
                                             &VbLabel::setAutoSize)
                             .property<bool>(QStringLiteral("WordWrap"), &VbLabel::wordWrap,
                                             &VbLabel::setWordWrap)
                             .property<int16_t>(QStringLiteral("BackStyle"), &VbLabel::backStyle,
                                                &VbLabel::setBackStyle)
                             .property<bool>(QStringLiteral("UseMnemonic"), &VbLabel::useMnemonic,
                                             &VbLabel::setUseMnemonic);
                     });
    return table;
}

VbLabel::VbLabel(QWidget* parent) : VbControl(memberTable(), new LabelWidget(parent)) {
    auto* w = static_cast<LabelWidget*>(widget());
    w->setTextFormat(Qt::PlainText);
    w->setMargin(0);
    w->setIndent(0);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w->setAutoFillBackground(true);
    w->clicked = [this] { fireClick(); };
    w->shown = [this] { settleLayout(); };
}

QLabel* VbLabel::label() const {
    return static_cast<QLabel*>(widget());
}

QString VbLabel::shownText(const QString& caption, bool useMnemonic) {
    if (!useMnemonic) return caption;
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += caption[i];
    }
    return shown;
}

void VbLabel::showCaption() {
    live<QLabel>()->setText(shownText(caption_, useMnemonic_));
    fit();
}

void VbLabel::setCaption(const QString& caption) {
    liveWidget();
    caption_ = caption;
    showCaption();
}

void VbLabel::setUseMnemonic(bool on) {
    liveWidget();
    useMnemonic_ = on;
    showCaption();
}

void VbLabel::setAlignment(int alignment) {
    static const Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    if (alignment < 0 || alignment > 2) throw VbError(err::InvalidPropertyValue);
    // A fit owed is made with what the label had when it was owed: the alignment, the word wrap
    // and AutoSize change what a fit gives.
    settleLayout();
    live<QLabel>()->setAlignment(kAlign[alignment] | Qt::AlignTop);
    alignment_ = alignment;
}

void VbLabel::setAutoSize(bool on) {
    liveWidget();
    settleLayout();
    autoSize_ = on;
    fit();
}

void VbLabel::setWordWrap(bool on) {
    QLabel* w = live<QLabel>();
    settleLayout();
    w->setWordWrap(on);
    wordWrap_ = on;
    fit();
}

void VbLabel::setBackStyle(int style) {
    if (style != 0 && style != 1) throw VbError(err::InvalidPropertyValue);
    live<QLabel>()->setAutoFillBackground(style == 1);
    backStyle_ = style;
}

void VbLabel::applyBackColor(const QColor& color) {
    QLabel* w = live<QLabel>();
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p); // a transparent label keeps the colour for BackStyle 1
}

void VbLabel::contentChanged() {
    fit();
}

void VbLabel::fit() {
    if (!autoSize_ || fitting_) return;
    if (!live<QLabel>()->isVisible()) {
        oweLayout();
        return;
    }
    fitNow();
}

void VbLabel::runOwedLayout() {
    if (autoSize_ && !fitting_) fitNow();
}

void VbLabel::fitNow() {
    QLabel* w = live<QLabel>();
    fitting_ = true;
    if (wordWrap_) {
        // Keeps its width and grows (or shrinks) downwards to the wrapped text.
        w->resize(w->width(), std::max(0, w->heightForWidth(w->width())));
    } else {
        w->resize(w->sizeHint());
    }
    fitting_ = false;
}

void VbLabel::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    const auto* d = dynamic_cast<const VbLabel*>(&design);
    if (!d) return;
    autoSize_ = false; // no refit while the state is copied
    setWordWrap(d->wordWrap_);
    setAlignment(d->alignment_);
    setBackStyle(d->backStyle_);
    useMnemonic_ = d->useMnemonic_;
    caption_ = d->caption_;
    autoSize_ = d->autoSize_;
    // Not fitted again: the size copied is the design's, already fitted to this same caption,
    // font, width, word wrap and alignment, so a fit would give it once more.
    live<QLabel>()->setText(shownText(caption_, useMnemonic_));
}

} // namespace zv
