#include "window/tool_icons.h"

#include <QPainter>
#include <QPixmap>

namespace pixmosa {

namespace {

QPixmap exitPixmap(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = side / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC6, 0x28, 0x28));
    painter.drawEllipse(QRectF(unit, unit, 14 * unit, 14 * unit));
    painter.setPen(QPen(Qt::white, 2 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5.5 * unit, 5.5 * unit), QPointF(10.5 * unit, 10.5 * unit));
    painter.drawLine(QPointF(10.5 * unit, 5.5 * unit), QPointF(5.5 * unit, 10.5 * unit));
    return pixmap;
}

}  // namespace

QIcon exitIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64}) {
        icon.addPixmap(exitPixmap(side));
    }
    return icon;
}

}  // namespace pixmosa
