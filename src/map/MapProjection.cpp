#include "map/MapProjection.h"

#include "geo/Geodesy.h"

#include <QPoint>

#include <algorithm>
#include <cmath>

namespace {

int32_t ClampToBound(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, -MapBox::kNoBound, MapBox::kNoBound));
}

constexpr double kRadiansPerDegree = 0.017453292519943295;

} // namespace

MapBox ViewBox(const GeoPosition& centre, double scale)
{
    const GeoPosition corner = DestinationPoint(centre, scale, 45.0);
    const int64_t mirrorLatitude = 2 * int64_t{centre.latitude} - corner.latitude;
    const int64_t mirrorLongitude = 2 * int64_t{centre.longitude} - corner.longitude;
    MapBox box;
    box.minLatitude = ClampToBound(std::min<int64_t>(corner.latitude, mirrorLatitude));
    box.maxLatitude = ClampToBound(std::max<int64_t>(corner.latitude, mirrorLatitude));
    box.minLongitude = ClampToBound(std::min<int64_t>(corner.longitude, mirrorLongitude));
    box.maxLongitude = ClampToBound(std::max<int64_t>(corner.longitude, mirrorLongitude));
    return box;
}

void MapProjection::Setup(const ScreenRect& client, const MapBox& box)
{
    m_client = client;
    m_box = box;
    const int w = client.Width(), h = client.Height();
    int side = w;
    m_offsetX = m_offsetY = 0;
    if (h < w) {
        m_offsetX = w / 2 - h / 2;
        side = h;
    } else {
        m_offsetY = h / 2 - w / 2;
    }
    const double extent = std::abs(double(box.maxLongitude) - double(box.minLongitude));
    m_sx = extent == 0.0 ? 0.0 : side / extent;
    const double south = box.minLatitude * 1e-6, west = box.minLongitude * 1e-6;
    const double latitudeDegree = HaversineDistance(west, south, west, south + 1.0);
    const double longitudeDegree = HaversineDistance(west, south, west + 1.0, south);
    const double ratio = longitudeDegree == 0.0 ? 1.0 : latitudeDegree / longitudeDegree;
    m_sy = m_sx * ratio;
}

QPointF MapProjection::ToScreen(int32_t latitude, int32_t longitude) const
{
    const double x = m_client.left + m_offsetX -
                     std::trunc((double(m_box.minLongitude) - double(longitude)) * m_sx);
    const double y = m_client.top + m_offsetY -
                     std::trunc((double(latitude) - double(m_box.maxLatitude)) * m_sy);
    return {x, y};
}

GeoPosition MapProjection::ToWorld(QPointF screen) const
{
    GeoPosition p;
    if (m_sx == 0.0 || m_sy == 0.0) {
        p.latitude = m_box.maxLatitude;
        p.longitude = m_box.minLongitude;
        return p;
    }
    const double longitude =
        m_box.minLongitude + std::trunc((screen.x() - m_offsetX - m_client.left) / m_sx + 0.5);
    const double latitude =
        m_box.maxLatitude - std::trunc((screen.y() - m_offsetY - m_client.top) / m_sy + 0.5);
    p.longitude = ClampToBound(static_cast<int64_t>(std::clamp(longitude, -1e9, 1e9)));
    p.latitude = ClampToBound(static_cast<int64_t>(std::clamp(latitude, -1e9, 1e9)));
    return p;
}

void MapRotation::Setup(bool northUp, double course, QPointF centre)
{
    m_turning = !northUp;
    m_angle = 360.0 - course;
    m_sin = std::sin(m_angle * kRadiansPerDegree);
    m_cos = std::cos(m_angle * kRadiansPerDegree);
    m_centre = centre;
}

QPointF MapRotation::Turn(QPointF p) const
{
    if (!m_turning)
        return p;
    const double dx = p.x() - m_centre.x(), dy = p.y() - m_centre.y();
    return {m_centre.x() + std::trunc(m_cos * dx - m_sin * dy),
            m_centre.y() + std::trunc(dy * m_cos + m_sin * dx)};
}

QPointF MapRotation::TurnBack(QPointF p) const
{
    if (!m_turning)
        return p;
    const double dx = p.x() - m_centre.x(), dy = p.y() - m_centre.y();
    return {m_centre.x() + std::round(m_cos * dx + m_sin * dy),
            m_centre.y() + std::round(dy * m_cos - m_sin * dx)};
}

QPoint ToPixel(QPointF p)
{
    return {static_cast<int>(std::clamp(p.x(), -kFarPixels, kFarPixels)),
            static_cast<int>(std::clamp(p.y(), -kFarPixels, kFarPixels))};
}
