#include "Bevel3D.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

namespace zv {

QRect drawBevel(QPainter& painter, const QRect& rect, BevelKind kind, int width,
                const QPalette& palette) {
    if (kind == BevelKind::None || width <= 0) return rect;
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    const QColor& topLeft = kind == BevelKind::Raised ? light : dark;
    const QColor& bottomRight = kind == BevelKind::Raised ? dark : light;
    QRect r = rect;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        painter.setPen(bottomRight);
        painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
        r.adjust(1, 1, -1, -1);
    }
    painter.restore();
    return r;
}

namespace {

class Bevel3DStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_IndicatorCheckBox) {
            drawCheckWell(option, painter);
            return;
        }
        if (element == PE_IndicatorRadioButton) {
            drawRadioWell(option, painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    static QColor wellColor(const QStyleOption* option) {
        const bool enabled = option->state & State_Enabled;
        const bool pressed = option->state & State_Sunken;
        return enabled && !pressed ? option->palette.color(QPalette::Base)
                                   : option->palette.color(QPalette::Button);
    }

    static void drawCheckWell(const QStyleOption* option, QPainter* painter) {
        painter->save();
        // Two-pixel sunken well: shadow and dark shadow outside, light and midlight inside.
        QRect inner = drawBevel(*painter, option->rect, BevelKind::Inset, 1, option->palette);
        QPalette deep = option->palette;
        deep.setColor(QPalette::Dark, option->palette.color(QPalette::Shadow));
        deep.setColor(QPalette::Light, option->palette.color(QPalette::Midlight));
        inner = drawBevel(*painter, inner, BevelKind::Inset, 1, deep);
        painter->fillRect(inner, wellColor(option));
        const bool on = option->state & State_On;
        const bool partly = option->state & State_NoChange;
        if (on || partly) {
            QColor mark = option->palette.color(QPalette::Text);
            if (partly || !(option->state & State_Enabled))
                mark = option->palette.color(QPalette::Dark);
            painter->setRenderHint(QPainter::Antialiasing, true);
            QPen pen(mark, std::max(1.5, inner.width() / 5.0));
            painter->setPen(pen);
            const QRectF m = QRectF(inner).adjusted(inner.width() * 0.18, inner.height() * 0.2,
                                                    -inner.width() * 0.18, -inner.height() * 0.2);
            QPainterPath tick;
            tick.moveTo(m.left(), m.top() + m.height() * 0.5);
            tick.lineTo(m.left() + m.width() * 0.38, m.bottom());
            tick.lineTo(m.right(), m.top());
            painter->drawPath(tick);
        }
        painter->restore();
    }

    static void drawRadioWell(const QStyleOption* option, QPainter* painter) {
        const QRectF r = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        // Shadow on the upper left half, light on the lower right half: a sunken round well.
        painter->setPen(QPen(option->palette.color(QPalette::Dark), 1));
        painter->drawArc(r, 45 * 16, 180 * 16);
        painter->setPen(QPen(option->palette.color(QPalette::Light), 1));
        painter->drawArc(r, 225 * 16, 180 * 16);
        const QRectF inner = r.adjusted(1, 1, -1, -1);
        painter->setPen(Qt::NoPen);
        painter->setBrush(wellColor(option));
        painter->drawEllipse(inner);
        if (option->state & State_On) {
            painter->setBrush(option->palette.color(
                option->state & State_Enabled ? QPalette::Text : QPalette::Dark));
            const qreal d = inner.width() / 3.0;
            painter->drawEllipse(inner.center(), d / 2 + 0.5, d / 2 + 0.5);
        }
        painter->restore();
    }
};

} // namespace

QStyle* bevel3DStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new Bevel3DStyle();
        style->setParent(qApp);
    }
    return style.data();
}

} // namespace zv
