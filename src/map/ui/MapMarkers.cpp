#include "map/ui/MapMarkers.h"

#include "platform/ui/DrawContext.h"
#include "views/ui/PolyShape.h"

namespace {

// Shapes in hundredths of their half size (x right, y down), pointing up.
constexpr double kUnit = 100.0;

void DrawShape(CDrawContext& dc, CPolyShape shape, QPoint at, double angle, double halfSize)
{
    shape.SetAngle(angle);
    shape.SetScale(halfSize / kUnit);
    shape.Draw(dc, at.x(), at.y());
}

} // namespace

namespace MapMarkers {

void DrawPositionArrow(CDrawContext& dc, QPoint at, double angle, int box, const QColor& fill,
                       bool hasCourse)
{
    if (!hasCourse) {
        const int r = box / 3;
        dc.SelectPen(Qt::black);
        dc.SelectBrush(fill);
        dc.Ellipse({at.x() - r, at.y() - r, at.x() + r + 1, at.y() + r + 1});
        return;
    }
    // Tip, right wing, notch, left wing; turned, it stays inside the box.
    DrawShape(dc, CPolyShape({{0, -100}, {70, 70}, {0, 35}, {-70, 70}}, Qt::black, fill), at, angle,
              box / 2 - 1);
}

void DrawNorthArrow(CDrawContext& dc, QPoint at, double angle, int length)
{
    // The two halves leave the middle free for the letter drawn over it.
    DrawShape(dc, CPolyShape({{0, -100}, {22, -40}, {-22, -40}}, Qt::black, QColor(255, 0, 0)), at,
              angle, length / 2.0);
    DrawShape(dc, CPolyShape({{0, 100}, {22, 40}, {-22, 40}}, Qt::black, Qt::white), at, angle,
              length / 2.0);
}

void DrawWaypointPointer(CDrawContext& dc, QPoint at, double angle, int length)
{
    DrawShape(dc,
              CPolyShape({{0, -100}, {18, -60}, {6, -60}, {6, 30}, {-6, 30}, {-6, -60}, {-18, -60}},
                         Qt::black, QColor(255, 255, 0)),
              at, angle, length);
}

void DrawAveragingMark(CDrawContext& dc, QPoint at, int size)
{
    const int h = size / 2;
    DrawShape(dc,
              CPolyShape({{0, -100}, {100, 0}, {0, 100}, {-100, 0}}, QColor(0, 0, 128),
                         QColor(200, 200, 255)),
              at, 0.0, h);
    dc.MoveTo(at.x() - h, at.y());
    dc.LineTo(at.x() + h + 1, at.y());
    dc.MoveTo(at.x(), at.y() - h);
    dc.LineTo(at.x(), at.y() + h + 1);
}

} // namespace MapMarkers
