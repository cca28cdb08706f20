#include "VbPictureBox.h"

#include "Bevel3D.h"
#include "Convert.h"
#include "DrawSurface.h"
#include "VbPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace zv {

namespace {

constexpr int kInvalidPicture = 481;

class PictureWidget : public QWidget, public DrawSurface {
public:
    explicit PictureWidget(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

    QPixmap picture;
    QString path;
    bool autoSize = false;
    int borderStyle = 1;
    std::function<void()> clicked;

    int border() const { return borderStyle == 1 ? 2 : 0; }

    void drawInto(const QPixmap& pixels, const QPoint& at) override {
        if (picture.isNull()) {
            const QRect inside = rect().adjusted(border(), border(), -border(), -border());
            picture = QPixmap(inside.size().expandedTo(QSize(1, 1)));
            picture.fill(palette().color(QPalette::Window));
        }
        QPainter p(&picture);
        p.drawPixmap(at, pixels);
        p.end();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QRect inside = rect();
        if (borderStyle == 1) {
            inside = drawBevel(p, inside, BevelKind::Inset, 1, palette());
            QPalette deep = palette();
            deep.setColor(QPalette::Dark, palette().color(QPalette::Shadow));
            deep.setColor(QPalette::Light, palette().color(QPalette::Midlight));
            inside = drawBevel(p, inside, BevelKind::Inset, 1, deep);
        }
        if (!picture.isNull()) {
            p.setClipRect(inside);
            p.drawPixmap(inside.topLeft(), picture);
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QWidget::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && clicked)
            clicked();
    }
};

PictureWidget* pictureWidget(QWidget* w) {
    return static_cast<PictureWidget*>(w);
}

} // namespace

VbPictureBox::VbPictureBox(QWidget* parent)
    : VbControl(QStringLiteral("PictureBox"), new PictureWidget(parent)) {
    pictureWidget(widget())->clicked = [this] { fireClick(); };
    addPositionMembers();
    addEnabledMember();
    addFontMembers();
    addBackColorMember();
    addForeColorMember();
    addHwndMember();
    // The drawing surface is named by the same number as the window.
    addProperty(QStringLiteral("hDC"), [this](Args a) {
        noArgs(a);
        return Variant(int32_t(hwnd()));
    });
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
        QStringLiteral("AutoSize"),
        [this](Args a) {
            noArgs(a);
            return Variant(autoSize());
        },
        [this](Args a) { setAutoSize(CBool(putValue(a))); });
    addProperty(
        QStringLiteral("BorderStyle"),
        [this](Args a) {
            noArgs(a);
            return Variant(int16_t(borderStyle()));
        },
        [this](Args a) { setBorderStyle(CInt(putValue(a))); });
}

bool VbPictureBox::setPicture(const QString& path) {
    liveWidget();
    auto pixmap = loadPictureFile(path);
    if (!pixmap) return false;
    setPicture(*pixmap, path);
    return true;
}

void VbPictureBox::setPicture(const QPixmap& picture, const QString& path) {
    PictureWidget* w = pictureWidget(liveWidget());
    w->picture = picture;
    w->path = path;
    fit();
    w->update();
}

void VbPictureBox::clearPicture() {
    setPicture(QPixmap());
}
QPixmap VbPictureBox::picture() const {
    return pictureWidget(liveWidget())->picture;
}
QString VbPictureBox::picturePath() const {
    return pictureWidget(liveWidget())->path;
}
bool VbPictureBox::autoSize() const {
    return pictureWidget(liveWidget())->autoSize;
}

void VbPictureBox::setAutoSize(bool on) {
    pictureWidget(liveWidget())->autoSize = on;
    fit();
}

int VbPictureBox::borderStyle() const {
    return pictureWidget(liveWidget())->borderStyle;
}

void VbPictureBox::setBorderStyle(int style) {
    if (style != 0 && style != 1) throw VbError(err::InvalidPropertyValue);
    PictureWidget* w = pictureWidget(liveWidget());
    w->borderStyle = style;
    fit();
    w->update();
}

void VbPictureBox::contentChanged() {
    fit();
}

void VbPictureBox::fit() {
    PictureWidget* w = pictureWidget(liveWidget());
    if (!w->autoSize || w->picture.isNull()) return;
    const QSize size = w->picture.deviceIndependentSize().toSize();
    w->resize(size.width() + 2 * w->border(), size.height() + 2 * w->border());
}

void VbPictureBox::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (!dynamic_cast<const VbPictureBox*>(&design)) return;
    const PictureWidget* d = pictureWidget(design.widget());
    PictureWidget* w = pictureWidget(liveWidget());
    w->picture = d->picture;
    w->path = d->path;
    w->autoSize = d->autoSize;
    w->borderStyle = d->borderStyle;
}

} // namespace zv
