#include "VbFrame3D.h"

#include "Bevel3D.h"
#include "VbPicture.h"

#include <QFrame>
#include <QPainter>

namespace zv {

namespace {

struct FrameState {
    QString caption;
    int alignment = 0;
    BevelKind inner = BevelKind::None;
    BevelKind outer = BevelKind::Raised;
    int bevelWidth = 1;
    int borderWidth = 3;
    int font3D = 0;
    QPixmap picture;
    QString picturePath;
    int pictureStyle = 0;
};

class FrameWidget : public QFrame {
public:
    FrameWidget(QWidget* parent, VbFrame3D::Look look) : QFrame(parent), look(look) {
        setAutoFillBackground(true);
        if (look == VbFrame3D::Look::Panel) state.alignment = 7;
    }

    VbFrame3D::Look look;
    FrameState state;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (look == VbFrame3D::Look::Frame)
            paintFrame(p);
        else
            paintPanel(p);
    }

private:
    void paintPicture(QPainter& p, const QRect& inside) {
        if (state.picture.isNull() || inside.isEmpty()) return;
        p.save();
        p.setClipRect(inside);
        switch (state.pictureStyle) {
        case 1:
            p.drawTiledPixmap(inside, state.picture);
            break;
        case 2:
            p.drawPixmap(inside, state.picture);
            break;
        default: {
            QRect r(QPoint(), state.picture.size());
            r.moveCenter(inside.center());
            p.drawPixmap(r, state.picture);
        }
        }
        p.restore();
    }

    void paintFrame(QPainter& p) {
        const QFontMetrics fm(font());
        const bool hasCaption = !state.caption.isEmpty();
        const int top = hasCaption ? fm.height() / 2 : 0;
        const QRect box = rect().adjusted(0, top, 0, 0);
        paintPicture(p, box.adjusted(2, 2, -2, -2));
        // Etched edge: an inset line with a raised line inside it.
        QRect r = drawBevel(p, box, BevelKind::Inset, 1, palette());
        drawBevel(p, r, BevelKind::Raised, 1, palette());
        if (!hasCaption) return;
        const int textWidth = fm.horizontalAdvance(state.caption) + 4;
        int x = 8;
        if (state.alignment == 1) x = width() - 8 - textWidth;
        if (state.alignment == 2) x = (width() - textWidth) / 2;
        const QRect textRect(x, 0, textWidth, fm.height());
        p.fillRect(textRect, palette().color(QPalette::Window));
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::WindowText));
        p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, state.caption);
    }

    void paintPanel(QPainter& p) {
        QRect r = drawBevel(p, rect(), state.outer, state.bevelWidth, palette());
        r.adjust(state.borderWidth, state.borderWidth, -state.borderWidth, -state.borderWidth);
        r = drawBevel(p, r, state.inner, state.bevelWidth, palette());
        paintPicture(p, r);
        if (state.caption.isEmpty()) return;
        static const Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignRight,
                                                    Qt::AlignHCenter};
        static const Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
        const int a = std::clamp(state.alignment, 0, 8);
        const int align = int(kHorizontal[a / 3] | kVertical[a % 3]) | Qt::TextWordWrap;
        const QRect text = r.adjusted(2, 1, -2, -1);
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        auto draw = [&](int dx, int dy, const QColor& c) {
            p.setPen(c);
            p.drawText(text.translated(dx, dy), align, state.caption);
        };
        switch (state.font3D) {
        case 1: // raised, light shading
            draw(-1, -1, light);
            break;
        case 2: // raised, heavy shading
            draw(-1, -1, light);
            draw(1, 1, dark);
            break;
        case 3: // inset, light shading
            draw(1, 1, light);
            break;
        case 4: // inset, heavy shading
            draw(1, 1, light);
            draw(-1, -1, dark);
            break;
        default:
            break;
        }
        draw(0, 0,
             palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                             QPalette::WindowText));
    }
};

int checkedRange(int value, int low, int high) {
    if (value < low || value > high) throw VbError(err::InvalidPropertyValue);
    return value;
}

} // namespace

const MemberTable& VbFrame3D::memberTable(bool panel) {
    auto build = [](const QString& typeName) {
        return controlTable(typeName, kEveryGroup, [](MemberTable& t) {
            Members<VbFrame3D>(t)
                .property<QString>(QStringLiteral("Caption"), &VbFrame3D::caption,
                                   &VbFrame3D::setCaption)
                .defaultMember(QStringLiteral("Caption"))
                .property<int16_t>(QStringLiteral("Alignment"), &VbFrame3D::alignment,
                                   &VbFrame3D::setAlignment)
                .property<int16_t>(QStringLiteral("BevelInner"), &VbFrame3D::bevelInner,
                                   &VbFrame3D::setBevelInner)
                .property<int16_t>(QStringLiteral("BevelOuter"), &VbFrame3D::bevelOuter,
                                   &VbFrame3D::setBevelOuter)
                .property<int16_t>(QStringLiteral("BevelWidth"), &VbFrame3D::bevelWidth,
                                   &VbFrame3D::setBevelWidth)
                .property<int16_t>(QStringLiteral("BorderWidth"), &VbFrame3D::borderWidth,
                                   &VbFrame3D::setBorderWidth)
                .property<int16_t>(QStringLiteral("Font3D"), &VbFrame3D::font3D,
                                   &VbFrame3D::setFont3D)
                .property<int16_t>(QStringLiteral("PictureBackgroundStyle"),
                                   &VbFrame3D::pictureBackgroundStyle,
                                   &VbFrame3D::setPictureBackgroundStyle);
            addPictureFileProperty<VbFrame3D>(
                t, QStringLiteral("PictureBackground"), &VbFrame3D::pictureBackgroundPath,
                &VbFrame3D::setPictureBackground, &VbFrame3D::clearPictureBackground);
        });
    };
    static const MemberTable frame = build(QStringLiteral("SSFrame"));
    static const MemberTable panelTable = build(QStringLiteral("SSPanel"));
    return panel ? panelTable : frame;
}

VbFrame3D::VbFrame3D(QWidget* parent, Look look)
    : VbControl(memberTable(look == Look::Panel), new FrameWidget(parent, look)), look_(look) {}

namespace {
FrameState& stateOf(QWidget* w) {
    return static_cast<FrameWidget*>(w)->state;
}
} // namespace

QString VbFrame3D::caption() const {
    return stateOf(liveWidget()).caption;
}

void VbFrame3D::setCaption(const QString& caption) {
    stateOf(liveWidget()).caption = caption;
    widget()->update();
}

int VbFrame3D::alignment() const {
    return stateOf(liveWidget()).alignment;
}

void VbFrame3D::setAlignment(int alignment) {
    FrameState& s = stateOf(liveWidget());
    s.alignment = checkedRange(alignment, 0, look_ == Look::Frame ? 2 : 8);
    widget()->update();
}

int VbFrame3D::bevelInner() const {
    return int(stateOf(liveWidget()).inner);
}
int VbFrame3D::bevelOuter() const {
    return int(stateOf(liveWidget()).outer);
}
int VbFrame3D::bevelWidth() const {
    return stateOf(liveWidget()).bevelWidth;
}
int VbFrame3D::borderWidth() const {
    return stateOf(liveWidget()).borderWidth;
}
int VbFrame3D::font3D() const {
    return stateOf(liveWidget()).font3D;
}

void VbFrame3D::setBevelInner(int kind) {
    stateOf(liveWidget()).inner = BevelKind(checkedRange(kind, 0, 2));
    widget()->update();
}

void VbFrame3D::setBevelOuter(int kind) {
    stateOf(liveWidget()).outer = BevelKind(checkedRange(kind, 0, 2));
    widget()->update();
}

void VbFrame3D::setBevelWidth(int pixels) {
    stateOf(liveWidget()).bevelWidth = checkedRange(pixels, 0, 30);
    widget()->update();
}

void VbFrame3D::setBorderWidth(int pixels) {
    stateOf(liveWidget()).borderWidth = checkedRange(pixels, 0, 30);
    widget()->update();
}

void VbFrame3D::setFont3D(int style) {
    stateOf(liveWidget()).font3D = checkedRange(style, 0, 4);
    widget()->update();
}

bool VbFrame3D::setPictureBackground(const QString& path) {
    liveWidget();
    return showPictureFile(
        path, [this](const QPixmap& p, const QString& f) { setPictureBackground(p, f); });
}

void VbFrame3D::setPictureBackground(const QPixmap& picture, const QString& path) {
    FrameState& s = stateOf(liveWidget());
    s.picture = picture;
    s.picturePath = path;
    widget()->update();
}

void VbFrame3D::clearPictureBackground() {
    setPictureBackground(QPixmap());
}

QString VbFrame3D::pictureBackgroundPath() const {
    return stateOf(liveWidget()).picturePath;
}
int VbFrame3D::pictureBackgroundStyle() const {
    return stateOf(liveWidget()).pictureStyle;
}

void VbFrame3D::setPictureBackgroundStyle(int style) {
    stateOf(liveWidget()).pictureStyle = checkedRange(style, 0, 2);
    widget()->update();
}

void VbFrame3D::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    if (dynamic_cast<const VbFrame3D*>(&design)) stateOf(liveWidget()) = stateOf(design.widget());
}

} // namespace zv
