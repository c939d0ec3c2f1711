#pragma once

#include <QColor>
#include <QPoint>

#include <initializer_list>
#include <vector>

class CDrawContext;

// A small polygon in local coordinates (y down) drawn about a centre point, turned clockwise by
// its angle and scaled; filled with its brush and outlined with a 1-pixel pen.
class CPolyShape {
public:
    CPolyShape(std::initializer_list<QPoint> points, const QColor& pen, const QColor& brush);

    void SetAngle(double degrees) { m_angle = degrees; }
    void SetScale(double scale) { m_scale = scale; }
    void SetColors(const QColor& pen, const QColor& brush);
    // The screen points for a centre (px, py).
    std::vector<QPoint> Place(int px, int py) const;
    void Draw(CDrawContext& dc, int px, int py) const;

private:
    std::vector<QPoint> m_points;
    double m_angle = 0.0;
    double m_scale = 1.0;
    QColor m_pen, m_brush;
};
