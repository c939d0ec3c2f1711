#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cmath>

// The dial geometry as the drawing rules state it, for probing rendered images independently of
// the drawing code: the face of a rectangle and the point at an angle and radius in ninetieths.
struct ExpectedDial {
    double cx, cy, radius;

    static ExpectedDial Of(int left, int top, int right, int bottom)
    {
        const int w = right - left - 2, h = bottom - top - 2;
        return {left + 1 + w * 0.5, top + 1 + h * 0.5, (w < h ? w : h) * 0.5};
    }
    QPoint At(double theta, double r) const
    {
        const double a = theta * 0.017453292519944444;
        const double u = radius * 0.011111111111111112;
        return QPoint(static_cast<int>(std::sin(a) * r * u + cx),
                      static_cast<int>(-std::cos(a) * r * u + cy));
    }
};

// Whether any pixel of `colour` lies within `radius` pixels of `centre`.
inline bool HasColourNear(const QImage& image, QPoint centre, int radius, const QColor& colour)
{
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y)
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x)
            if (image.rect().contains(x, y) && image.pixelColor(x, y) == colour)
                return true;
    return false;
}

inline QImage WhiteCanvas(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
