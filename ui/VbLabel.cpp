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

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLabel::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && clicked)
            clicked();
    }
};

} // namespace

VbLabel::VbLabel(QWidget* parent) : VbControl(QStringLiteral("Label"), new LabelWidget(parent)) {
    auto* w = static_cast<LabelWidget*>(widget());
    w->setTextFormat(Qt::PlainText);
    w->setMargin(0);
    w->setIndent(0);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w->setAutoFillBackground(true);
    w->clicked = [this] { fireClick(); };

    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
    addForeColorMember();
    addProperty(
        QStringLiteral("Caption"),
        [this](Args a) {
            noArgs(a);
            liveWidget();
            return Variant(caption_);
        },
        [this](Args a) { setCaption(CStr(putValue(a))); });
    setDefaultMember(QStringLiteral("Caption"));
    addProperty(
        QStringLiteral("Alignment"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(alignment_));
        },
        [this](Args a) { setAlignment(CInt(putValue(a))); });
    addProperty(
        QStringLiteral("AutoSize"),
        [this](Args a) {
            noArgs(a);
            return Variant(autoSize_);
        },
        [this](Args a) { setAutoSize(CBool(putValue(a))); });
    addProperty(
        QStringLiteral("WordWrap"),
        [this](Args a) {
            noArgs(a);
            return Variant(wordWrap_);
        },
        [this](Args a) { setWordWrap(CBool(putValue(a))); });
    addProperty(
        QStringLiteral("BackStyle"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(backStyle_));
        },
        [this](Args a) { setBackStyle(CInt(putValue(a))); });
    addProperty(
        QStringLiteral("UseMnemonic"),
        [this](Args a) {
            noArgs(a);
            return Variant(useMnemonic_);
        },
        [this](Args a) { setUseMnemonic(CBool(putValue(a))); });
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
    live<QLabel>()->setAlignment(kAlign[alignment] | Qt::AlignTop);
    alignment_ = alignment;
}

void VbLabel::setAutoSize(bool on) {
    liveWidget();
    autoSize_ = on;
    fit();
}

void VbLabel::setWordWrap(bool on) {
    live<QLabel>()->setWordWrap(on);
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
    showCaption();
}

} // namespace zv
