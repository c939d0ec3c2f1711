#pragma once

#include "geo/GeoPosition.h"

#include <QPointF>

#include <cstdint>

// A rectangle of the screen with exclusive right and bottom edges (the core's twin of the
// drawing context's rectangle).
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(QPointF p) const
    {
        return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
    }
    ScreenRect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

// The area a map view shows, in microdegrees. ±kNoBound marks a bound that is not set.
struct MapBox {
    static constexpr int32_t kNoBound = 999000000;
    int32_t minLatitude = kNoBound, maxLatitude = -kNoBound;
    int32_t minLongitude = kNoBound, maxLongitude = -kNoBound;
};

// The box around `centre` whose north-east corner lies `scale` km away at 45°, and whose
// south-west corner mirrors it through the centre.
MapBox ViewBox(const GeoPosition& centre, double scale);

// The latitude-corrected equirectangular projection of a map box into the centred square of a
// screen rectangle. Screen points are kept as doubles holding whole pixels, so a point on the
// other side of the earth at the closest zoom stays far outside instead of wrapping into view.
class MapProjection {
public:
    void Setup(const ScreenRect& client, const MapBox& box);

    QPointF ToScreen(int32_t latitude, int32_t longitude) const;
    QPointF ToScreen(const GeoPosition& p) const { return ToScreen(p.latitude, p.longitude); }
    // The inverse, rounded to the nearest microdegree; altitude 0.
    GeoPosition ToWorld(QPointF screen) const;

    double PixelsPerLongitude() const { return m_sx; } // per microdegree
    double PixelsPerLatitude() const { return m_sy; }
    const MapBox& Box() const { return m_box; }
    const ScreenRect& Client() const { return m_client; }
    int OffsetX() const { return m_offsetX; }
    int OffsetY() const { return m_offsetY; }

private:
    ScreenRect m_client;
    MapBox m_box;
    double m_sx = 0.0, m_sy = 0.0;
    int m_offsetX = 0, m_offsetY = 0;
};

// Course-up turning of screen points about the rotation centre by (360 − course) degrees;
// north up turns nothing.
class MapRotation {
public:
    void Setup(bool northUp, double course, QPointF centre);
    bool IsTurning() const { return m_turning; }
    // The angle screen points are turned by, in degrees (0 north up).
    double Angle() const { return m_turning ? m_angle : 0.0; }
    QPointF Turn(QPointF p) const;
    // Back from turned screen coordinates to the projection's.
    QPointF TurnBack(QPointF p) const;

private:
    bool m_turning = false;
    double m_angle = 0.0, m_sin = 0.0, m_cos = 1.0;
    QPointF m_centre;
};

// A screen point made an integer pixel; values far outside any screen are held at ±kFarPixels
// so integer arithmetic on them cannot overflow.
constexpr double kFarPixels = 1 << 24;
QPoint ToPixel(QPointF p);
