#include "app/ui/drawmarker.h"

#include "app/linestyles.h"

#include <QPainter>
#include <QPoint>
#include <QPolygon>

void DrawMarker(QPainter& dc, const QPoint& at, const int* code, double scale)
{
    const MarkerGeometry g = GetMarkerGeometry(*code, scale);
    const int x = at.x(), y = at.y(), h = g.halfSize;
    switch (g.shape) {
    case MarkerShape::None:
        return;
    case MarkerShape::Circle: {
        // Two arcs: the outline only.
        QBrush brush = dc.brush();
        dc.setBrush(Qt::NoBrush);
        dc.drawEllipse(at, h, h);
        dc.setBrush(brush);
        return;
    }
    case MarkerShape::Square:
        dc.drawRect(x - h, y - h, 2 * h, 2 * h);
        return;
    case MarkerShape::DiagonalCross:
        dc.drawLine(x - h, y - h, x + h, y + h);
        dc.drawLine(x - h, y + h, x + h, y - h);
        return;
    case MarkerShape::UprightCross:
        dc.drawLine(x - h, y, x + h, y);
        dc.drawLine(x, y - h, x, y + h);
        return;
    case MarkerShape::Triangle:
        dc.drawPolygon(QPolygon({QPoint(x, y - h), QPoint(x + h, y + h), QPoint(x - h, y + h)}));
        return;
    case MarkerShape::InvertedTriangle:
        dc.drawPolygon(QPolygon({QPoint(x, y + h), QPoint(x - h, y - h), QPoint(x + h, y - h)}));
        return;
    }
}
