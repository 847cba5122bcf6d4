#include "buttonmarker.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon selectedButtonMarker()
{
    // A green arrow pointing at the caption, drawn once; large enough to read at a
    // glance, small enough to leave the caption room on an 84-pixel button.
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(3, 2);
    arrow.lineTo(14, 8);
    arrow.lineTo(3, 14);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(0, 90, 0), 1.2));
    painter.setBrush(QColor(0, 190, 0));
    painter.drawPath(arrow);
    painter.end();
    return QIcon(picture);
}
