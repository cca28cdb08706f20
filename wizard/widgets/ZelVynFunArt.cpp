// The background form's own artwork: a framed backdrop in blues with gold accents, the product
// name in the middle, the maker's "Z" at the top left and a please-wait label.

#include "ZelVynFunArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zv {

namespace {

constexpr int kBand = 28;    // thickness of the border pieces
constexpr int kStrip = 4096; // length of the straight border pieces (wider than any screen)
const QColor kDeep(0x1F, 0x4E, 0x79);
const QColor kLight(0x6F, 0xA8, 0xDC);
const QColor kGold(0xE0, 0xB0, 0x40);
const QColor kInk(0x33, 0x3D, 0x47);

QPixmap blank(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

QFont pixelFont(int pixels, bool bold) {
    QFont f;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// A straight band: deep blue shading to a lighter edge on the inner side, with a gold line.
// inner: the side that faces the middle of the screen.
QPixmap strip(int w, int h, Qt::Edge inner) {
    QPixmap p = blank(w, h);
    QPainter g(&p);
    const bool horizontal = inner == Qt::TopEdge || inner == Qt::BottomEdge;
    QLinearGradient shade;
    switch (inner) {
    case Qt::BottomEdge:
        shade = QLinearGradient(0, 0, 0, h);
        break;
    case Qt::TopEdge:
        shade = QLinearGradient(0, h, 0, 0);
        break;
    case Qt::RightEdge:
        shade = QLinearGradient(0, 0, w, 0);
        break;
    case Qt::LeftEdge:
        shade = QLinearGradient(w, 0, 0, 0);
        break;
    }
    shade.setColorAt(0, kDeep);
    shade.setColorAt(1, kLight);
    g.fillRect(p.rect(), shade);
    g.setPen(QPen(kGold, 2));
    if (horizontal) {
        const int y = inner == Qt::BottomEdge ? h - 6 : 5;
        g.drawLine(0, y, w, y);
    } else {
        const int x = inner == Qt::RightEdge ? w - 6 : 5;
        g.drawLine(x, 0, x, h);
    }
    return p;
}

// A corner: a deep blue square with a gold diamond.
QPixmap corner() {
    QPixmap p = blank(kBand, kBand);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.fillRect(p.rect(), kDeep);
    QPainterPath diamond;
    const double c = kBand / 2.0;
    diamond.moveTo(c, 5);
    diamond.lineTo(kBand - 5, c);
    diamond.lineTo(c, kBand - 5);
    diamond.lineTo(5, c);
    diamond.closeSubpath();
    g.fillPath(diamond, kGold);
    return p;
}

QPixmap product() {
    QPixmap p = blank(440, 170);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    // A soft card with a shadow.
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0, 0, 0, 40));
    g.drawRoundedRect(QRectF(6, 8, 430, 158), 14, 14);
    g.setBrush(Qt::white);
    g.setPen(QPen(kLight, 1.5));
    g.drawRoundedRect(QRectF(2, 2, 430, 158), 14, 14);
    // The product name and its line.
    g.setPen(kDeep);
    g.setFont(pixelFont(54, true));
    g.drawText(QRect(2, 18, 430, 70), Qt::AlignCenter, QStringLiteral("ZelVyn"));
    g.setPen(kInk);
    g.setFont(pixelFont(17, false));
    g.drawText(QRect(2, 90, 430, 26), Qt::AlignCenter, QStringLiteral("Assistente de instalação"));
    // Three steps of a wizard.
    const QColor steps[] = {kDeep, kLight, kGold};
    for (int i = 0; i < 3; ++i) {
        g.setPen(Qt::NoPen);
        g.setBrush(steps[i]);
        g.drawEllipse(QRectF(175 + i * 34, 126, 16, 16));
    }
    return p;
}

QPixmap logo() {
    QPixmap p = blank(72, 72);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(kGold, 3));
    g.setBrush(kDeep);
    g.drawEllipse(QRectF(2, 2, 68, 68));
    // A "Z" of three strokes.
    g.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath z;
    z.moveTo(22, 22);
    z.lineTo(50, 22);
    z.lineTo(22, 50);
    z.lineTo(50, 50);
    g.setBrush(Qt::NoBrush);
    g.drawPath(z);
    return p;
}

QPixmap pleaseWait() {
    QPixmap p = blank(230, 44);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    g.setPen(QPen(kDeep, 1.5));
    g.setBrush(QColor(0xFF, 0xF8, 0xE6));
    g.drawRoundedRect(QRectF(1, 1, 228, 42), 10, 10);
    g.setPen(kInk);
    g.setFont(pixelFont(15, true));
    g.drawText(QRect(14, 0, 170, 44), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Aguarde, por favor"));
    for (int i = 0; i < 3; ++i) {
        g.setPen(Qt::NoPen);
        g.setBrush(i == 0 ? kDeep : (i == 1 ? kLight : kGold));
        g.drawEllipse(QRectF(180 + i * 13, 18, 8, 8));
    }
    return p;
}

} // namespace

QPixmap zelVynFunPicture(const QString& piece) {
    if (piece == QLatin1String("Top")) return strip(kStrip, kBand, Qt::BottomEdge);
    if (piece == QLatin1String("Bx")) return strip(kStrip, kBand, Qt::TopEdge);
    if (piece == QLatin1String("Esq")) return strip(kBand, kStrip, Qt::RightEdge);
    if (piece == QLatin1String("Dir")) return strip(kBand, kStrip, Qt::LeftEdge);
    if (piece == QLatin1String("TopEsq") || piece == QLatin1String("DirBx")) return corner();
    if (piece == QLatin1String("QOR")) return product();
    if (piece == QLatin1String("Zel")) return logo();
    if (piece == QLatin1String("aguarde")) return pleaseWait();
    return QPixmap();
}

} // namespace zv
