#include "app/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon MakeToolbarIcon(ToolbarPicture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    switch (picture) {
    case ToolbarPicture::MarkWaypoint: // a flag on a pole
        p.drawLine(QPointF(4, 15), QPointF(4, 1.5));
        p.setBrush(QColor(220, 30, 30));
        p.drawPolygon(QPolygonF({{4, 2}, {13, 4.5}, {4, 7.5}}));
        break;
    case ToolbarPicture::GoTo: { // an arrow towards a target
        p.setBrush(QColor(0, 120, 215));
        p.drawPolygon(QPolygonF({{8, 1}, {14, 14}, {8, 11}, {2, 14}}));
        break;
    }
    case ToolbarPicture::MapProperties: // a folded map
        p.setBrush(QColor(250, 235, 170));
        p.drawPolygon(QPolygonF({{1, 3},
                                 {5.5, 1.5},
                                 {10.5, 3},
                                 {15, 1.5},
                                 {15, 13},
                                 {10.5, 14.5},
                                 {5.5, 13},
                                 {1, 14.5}}));
        p.drawLine(QPointF(5.5, 1.5), QPointF(5.5, 13));
        p.drawLine(QPointF(10.5, 3), QPointF(10.5, 14.5));
        break;
    case ToolbarPicture::ConnectDisconnect: // a plug
        p.setBrush(QColor(90, 90, 90));
        p.drawRoundedRect(QRectF(3, 6, 10, 6), 1.5, 1.5);
        p.drawLine(QPointF(6, 6), QPointF(6, 2));
        p.drawLine(QPointF(10, 6), QPointF(10, 2));
        p.drawLine(QPointF(8, 12), QPointF(8, 15));
        break;
    case ToolbarPicture::WaypointManager: // a list
        for (int row = 0; row < 4; ++row) {
            const double y = 2.5 + row * 3.7;
            p.setBrush(QColor(220, 30, 30));
            p.drawEllipse(QPointF(3, y), 1.3, 1.3);
            p.drawLine(QPointF(6, y), QPointF(15, y));
        }
        break;
    }
    return QIcon(pixmap);
}
