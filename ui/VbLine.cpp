#include "VbLine.h"

#include "Convert.h"
#include "Twips.h"
#include "VbColor.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zv {

namespace {

class LineWidget : public QWidget {
public:
    explicit LineWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    QColor color = Qt::black;
    int width = 1;
    int style = 1;
    QPointF from, to; // in the widget's own pixels

protected:
    void paintEvent(QPaintEvent*) override {
        if (style == 0) return;
        static const Qt::PenStyle kStyles[] = {Qt::NoPen,    Qt::SolidLine,   Qt::DashLine,
                                               Qt::DotLine,  Qt::DashDotLine, Qt::DashDotDotLine,
                                               Qt::SolidLine};
        QPainter p(this);
        QPen pen(color, width, kStyles[style]);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(from, to);
    }
};

LineWidget* lineWidget(QWidget* w) {
    return static_cast<LineWidget*>(w);
}

} // namespace

const MemberTable& VbLine::memberTable() {
    static const MemberTable table = controlTable(QStringLiteral("Line"), 0, [](MemberTable& t) {
        Members<VbLine> m(t);
        for (auto [name, field] : {std::pair{QStringLiteral("X1"), &VbLine::x1_},
                                   std::pair{QStringLiteral("Y1"), &VbLine::y1_},
                                   std::pair{QStringLiteral("X2"), &VbLine::x2_},
                                   std::pair{QStringLiteral("Y2"), &VbLine::y2_}})
            // The line must still be there before its value is read.
            m.propertyWithArgs(
                name,
                [field](VbLine& l, Args a) {
                    binder::noArguments(a);
                    l.liveWidget();
                    return Variant(float(l.*field));
                },
                [field](VbLine& l, Args a) { l.setCoordinate(field, CDbl(binder::assigned(a))); });
        m.property<int32_t>(QStringLiteral("BorderColor"), &VbLine::borderColor,
                            &VbLine::setBorderColor)
            .property<int16_t>(QStringLiteral("BorderWidth"), &VbLine::borderWidth,
                               &VbLine::setBorderWidth)
            .property<int16_t>(QStringLiteral("BorderStyle"), &VbLine::borderStyle,
                               &VbLine::setBorderStyle);
    });
    return table;
}

VbLine::VbLine(QWidget* parent) : VbControl(memberTable(), new LineWidget(parent)) {
    place();
}

void VbLine::setCoordinate(double VbLine::*field, double twips) {
    liveWidget();
    this->*field = checkedPosition(twips);
    place();
}

void VbLine::setX1(double twips) {
    setCoordinate(&VbLine::x1_, twips);
}

void VbLine::setY1(double twips) {
    setCoordinate(&VbLine::y1_, twips);
}

void VbLine::setX2(double twips) {
    setCoordinate(&VbLine::x2_, twips);
}

void VbLine::setY2(double twips) {
    setCoordinate(&VbLine::y2_, twips);
}

void VbLine::setPoints(double x1, double y1, double x2, double y2) {
    liveWidget();
    x1_ = checkedPosition(x1);
    y1_ = checkedPosition(y1);
    x2_ = checkedPosition(x2);
    y2_ = checkedPosition(y2);
    place();
}

qint32 VbLine::borderColor() const {
    return qColorToVb(lineWidget(liveWidget())->color);
}

void VbLine::setBorderColor(qint32 color) {
    LineWidget* w = lineWidget(liveWidget());
    checkVbColor(color);
    if (auto c = vbColorToQColor(color)) {
        w->color = *c;
        w->update();
    }
}

int VbLine::borderWidth() const {
    return lineWidget(liveWidget())->width;
}

void VbLine::setBorderWidth(int pixels) {
    LineWidget* w = lineWidget(liveWidget());
    if (pixels < 1 || pixels > 8192) throw VbError(err::InvalidPropertyValue);
    w->width = pixels;
    place();
}

int VbLine::borderStyle() const {
    return lineWidget(liveWidget())->style;
}

void VbLine::setBorderStyle(int style) {
    LineWidget* w = lineWidget(liveWidget());
    if (style < 0 || style > 6) throw VbError(err::InvalidPropertyValue);
    w->style = style;
    w->update();
}

// The widget covers the line's bounding box, widened by the pen on every side.
void VbLine::place() {
    LineWidget* w = lineWidget(liveWidget());
    // Far-off points are held where a widget can still be placed.
    auto px = [](double twips) { return std::clamp(twips / kTwipsPerPixel, -1e7, 1e7); };
    const double px1 = px(x1_), py1 = px(y1_), px2 = px(x2_), py2 = px(y2_);
    const int pad = w->width / 2 + 1;
    const int left = int(std::floor(std::min(px1, px2))) - pad;
    const int top = int(std::floor(std::min(py1, py2))) - pad;
    const int right = int(std::ceil(std::max(px1, px2))) + pad;
    const int bottom = int(std::ceil(std::max(py1, py2))) + pad;
    w->setGeometry(left, top, right - left + 1, bottom - top + 1);
    w->from = QPointF(px1 - left, py1 - top);
    w->to = QPointF(px2 - left, py2 - top);
    w->update();
}

void VbLine::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    const auto* d = dynamic_cast<const VbLine*>(&design);
    if (!d) return;
    LineWidget* w = lineWidget(liveWidget());
    const LineWidget* dw = lineWidget(d->widget());
    w->color = dw->color;
    w->width = dw->width;
    w->style = dw->style;
    setPoints(d->x1_, d->y1_, d->x2_, d->y2_);
}

} // namespace zv
