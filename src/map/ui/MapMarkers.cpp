#include "map/ui/MapMarkers.h"

#include "platform/ui/DrawContext.h"

#include <QPointF>

#include <cmath>
#include <vector>

namespace {

// Unit shape points (x right, y down, about the origin) scaled and turned onto the screen.
std::vector<QPoint> Placed(std::initializer_list<QPointF> shape, QPoint at, double angle,
                           double scale)
{
    const double radians = angle * 0.017453292519943295;
    const double s = std::sin(radians), c = std::cos(radians);
    std::vector<QPoint> points;
    points.reserve(shape.size());
    for (const QPointF& p : shape) {
        const double x = p.x() * scale, y = p.y() * scale;
        points.emplace_back(at.x() + int(std::lround(c * x - s * y)),
                            at.y() + int(std::lround(s * x + c * y)));
    }
    return points;
}

} // namespace

namespace MapMarkers {

void DrawPositionArrow(CDrawContext& dc, QPoint at, double angle, int box, const QColor& fill,
                       bool hasCourse)
{
    dc.SelectPen(Qt::black);
    dc.SelectBrush(fill);
    const int half = box / 2;
    if (!hasCourse) {
        const int r = box / 3;
        dc.Ellipse({at.x() - r, at.y() - r, at.x() + r + 1, at.y() + r + 1});
        return;
    }
    // Tip, right wing, notch, left wing; the turned shape stays inside the box.
    const auto points = Placed({{0, -1}, {0.7, 0.7}, {0, 0.35}, {-0.7, 0.7}}, at, angle, half - 1);
    dc.Polygon(points);
}

void DrawNorthArrow(CDrawContext& dc, QPoint at, double angle, int length)
{
    const double scale = length / 2.0;
    dc.SelectPen(Qt::black);
    // The two halves leave the middle free for the letter drawn over it.
    dc.SelectBrush(QColor(255, 0, 0));
    dc.Polygon(Placed({{0, -1}, {0.22, -0.4}, {-0.22, -0.4}}, at, angle, scale));
    dc.SelectBrush(Qt::white);
    dc.Polygon(Placed({{0, 1}, {0.22, 0.4}, {-0.22, 0.4}}, at, angle, scale));
}

void DrawWaypointPointer(CDrawContext& dc, QPoint at, double angle, int length)
{
    dc.SelectPen(Qt::black);
    dc.SelectBrush(QColor(255, 255, 0));
    dc.Polygon(Placed({{0, -1},
                       {0.18, -0.6},
                       {0.06, -0.6},
                       {0.06, 0.3},
                       {-0.06, 0.3},
                       {-0.06, -0.6},
                       {-0.18, -0.6}},
                      at, angle, length));
}

void DrawAveragingMark(CDrawContext& dc, QPoint at, int size)
{
    const int h = size / 2;
    dc.SelectPen(QColor(0, 0, 128));
    dc.SelectBrush(QColor(200, 200, 255));
    dc.Polygon(Placed({{0, -1}, {1, 0}, {0, 1}, {-1, 0}}, at, 0.0, h));
    dc.MoveTo(at.x() - h, at.y());
    dc.LineTo(at.x() + h + 1, at.y());
    dc.MoveTo(at.x(), at.y() - h);
    dc.LineTo(at.x(), at.y() + h + 1);
}

} // namespace MapMarkers
