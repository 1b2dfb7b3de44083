#include "window/drawing/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace examora {
namespace {

// The mark drawn in a square of side 1: a graduation cap above three rising stems with heads.
void DrawEmblem(QPainter& p) {
    p.setPen(Qt::NoPen);
    const QColor stems[3] = {QColor(255, 255, 0), QColor(0, 200, 255), QColor(0, 255, 0)};
    const double heights[3] = {0.30, 0.42, 0.55};
    for (int i = 0; i < 3; ++i) {
        const double x = 0.25 + 0.25 * i;
        p.setBrush(Qt::white);
        p.drawRect(QRectF(x - 0.02, 0.95 - heights[i], 0.04, heights[i]));
        p.setBrush(stems[i]);
        p.drawEllipse(QPointF(x, 0.95 - heights[i]), 0.08, 0.08);
    }
    QPainterPath cap;
    cap.moveTo(0.5, 0.05);
    cap.lineTo(0.95, 0.22);
    cap.lineTo(0.5, 0.39);
    cap.lineTo(0.05, 0.22);
    cap.closeSubpath();
    p.setBrush(QColor(20, 20, 20));
    p.setPen(QPen(Qt::white, 0.02));
    p.drawPath(cap);
    p.setPen(QPen(QColor(255, 200, 0), 0.025));
    p.drawLine(QPointF(0.5, 0.22), QPointF(0.86, 0.30));
    p.drawLine(QPointF(0.86, 0.30), QPointF(0.86, 0.45));
}

} // namespace

QImage InfoPicture() {
    QImage image(292, 275, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 275);
    sky.setColorAt(0, QColor(0, 0, 64));
    sky.setColorAt(1, QColor(64, 0, 64));
    p.fillRect(image.rect(), sky);
    p.save();
    p.translate(36, 20);
    p.scale(220, 220);
    DrawEmblem(p);
    p.restore();
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.drawText(QRect(0, 238, 292, 30), Qt::AlignCenter, QStringLiteral("Examora"));
    return image;
}

QImage IconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 64, 0));
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    p.scale(size, size);
    DrawEmblem(p);
    return image;
}

QIcon WindowIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(IconImage(size)));
    return icon;
}

} // namespace examora
