#include "app/qt/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace {
QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    // Plate.
    painter.setPen(QPen(QColor(0x10, 0x3a, 0x70), s / 32));
    painter.setBrush(QColor(0x1f, 0x5f, 0xb0));
    painter.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.18, s * 0.18);

    // Dial with ticks.
    const QPointF centre(s / 2, s / 2);
    const qreal radius = s * 0.33;
    painter.setPen(QPen(Qt::white, s / 16));
    painter.setBrush(QColor(0xe8, 0xee, 0xf6));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(0x10, 0x3a, 0x70), qMax<qreal>(1, s / 32)));
    for (int i = 0; i < 8; ++i) {
        const qreal angle = i * std::numbers::pi / 4;
        const QPointF dir(std::cos(angle), std::sin(angle));
        painter.drawLine(centre + dir * radius * 0.72, centre + dir * radius * 0.92);
    }

    // Pointer.
    const qreal angle = -std::numbers::pi / 4;
    const QPointF tip = centre + QPointF(std::cos(angle), std::sin(angle)) * radius * 0.8;
    painter.setPen(QPen(QColor(0xd0, 0x30, 0x20), s / 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, tip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x10, 0x3a, 0x70));
    painter.drawEllipse(centre, s / 14, s / 14);
    return pixmap;
}
}  // namespace

QIcon TovamoIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(DrawIcon(size));
    return icon;
}
