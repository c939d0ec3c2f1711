#include "views/ui/PolyShape.h"

#include "platform/ui/DrawContext.h"
#include "views/PixelMath.h"

#include <cmath>

CPolyShape::CPolyShape(std::initializer_list<QPoint> points, const QColor& pen, const QColor& brush)
    : m_points(points), m_pen(pen), m_brush(brush)
{}

void CPolyShape::SetColors(const QColor& pen, const QColor& brush)
{
    m_pen = pen;
    m_brush = brush;
}

std::vector<QPoint> CPolyShape::Place(int px, int py) const
{
    const double a = m_angle * 0.017453292519943295;
    const double c = std::cos(a), s = std::sin(a);
    std::vector<QPoint> placed;
    placed.reserve(m_points.size());
    for (const QPoint& p : m_points)
        placed.emplace_back(px + TruncToPixel((p.x() * c - p.y() * s) * m_scale),
                            py + TruncToPixel((p.y() * c + p.x() * s) * m_scale));
    return placed;
}

void CPolyShape::Draw(CDrawContext& dc, int px, int py) const
{
    dc.SelectPen(m_pen);
    dc.SelectBrush(m_brush);
    dc.Polygon(Place(px, py));
}
