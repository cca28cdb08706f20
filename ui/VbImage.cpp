#include "VbImage.h"

#include "Convert.h"
#include "VbPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace zv {

namespace {

constexpr int kInvalidPicture = 481;

class ImageWidget : public QWidget {
public:
    explicit ImageWidget(QWidget* parent) : QWidget(parent) {}

    QPixmap picture;
    QString path;
    bool stretch = false;
    int borderStyle = 0;
    std::function<void()> clicked;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int b = borderStyle == 1 ? 1 : 0;
        const QRect inside = rect().adjusted(b, b, -b, -b);
        if (!picture.isNull()) {
            if (stretch)
                p.drawPixmap(inside, picture);
            else
                p.drawPixmap(inside.topLeft(), picture);
        }
        if (b) {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QWidget::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && clicked)
            clicked();
    }
};

ImageWidget* imageWidget(QWidget* w) {
    return static_cast<ImageWidget*>(w);
}

} // namespace

VbImage::VbImage(QWidget* parent) : VbControl(QStringLiteral("Image"), new ImageWidget(parent)) {
    imageWidget(widget())->clicked = [this] { fireClick(); };
    addPositionMembers();
    addEnabledMember();
    addProperty(
        QStringLiteral("Picture"),
        [this](Args a) {
            noArgs(a);
            return Variant(picturePath());
        },
        [this](Args a) {
            const QString path = CStr(putValue(a));
            if (path.isEmpty())
                clearPicture();
            else if (!setPicture(path))
                throw VbError(kInvalidPicture);
        });
    setDefaultMember(QStringLiteral("Picture"));
    addProperty(
        QStringLiteral("Stretch"),
        [this](Args a) {
            noArgs(a);
            return Variant(stretch());
        },
        [this](Args a) { setStretch(CBool(putValue(a))); });
    addProperty(
        QStringLiteral("BorderStyle"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(borderStyle()));
        },
        [this](Args a) { setBorderStyle(CInt(putValue(a))); });
}

bool VbImage::setPicture(const QString& path) {
    liveWidget();
    auto pixmap = loadPictureFile(path);
    if (!pixmap) return false;
    setPicture(*pixmap, path);
    return true;
}

void VbImage::setPicture(const QPixmap& picture, const QString& path) {
    ImageWidget* w = imageWidget(liveWidget());
    w->picture = picture;
    w->path = path;
    fit();
    w->update();
}

void VbImage::clearPicture() {
    setPicture(QPixmap());
}
QPixmap VbImage::picture() const {
    return imageWidget(liveWidget())->picture;
}
QString VbImage::picturePath() const {
    return imageWidget(liveWidget())->path;
}
bool VbImage::stretch() const {
    return imageWidget(liveWidget())->stretch;
}

void VbImage::setStretch(bool on) {
    ImageWidget* w = imageWidget(liveWidget());
    w->stretch = on;
    fit();
    w->update();
}

int VbImage::borderStyle() const {
    return imageWidget(liveWidget())->borderStyle;
}

void VbImage::setBorderStyle(int style) {
    if (style != 0 && style != 1) throw VbError(err::InvalidPropertyValue);
    ImageWidget* w = imageWidget(liveWidget());
    w->borderStyle = style;
    fit();
    w->update();
}

void VbImage::contentChanged() {
    fit();
}

void VbImage::fit() {
    ImageWidget* w = imageWidget(liveWidget());
    if (w->stretch || w->picture.isNull()) return;
    const int b = w->borderStyle == 1 ? 1 : 0;
    const QSize size = w->picture.deviceIndependentSize().toSize();
    w->resize(size.width() + 2 * b, size.height() + 2 * b);
}

void VbImage::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (!dynamic_cast<const VbImage*>(&design)) return;
    const ImageWidget* d = imageWidget(design.widget());
    ImageWidget* w = imageWidget(liveWidget());
    w->picture = d->picture;
    w->path = d->path;
    w->stretch = d->stretch;
    w->borderStyle = d->borderStyle;
}

} // namespace zv
