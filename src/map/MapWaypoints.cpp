#include "map/MapWaypoints.h"

#include "waypoints/WaypointDB.h"

#include <algorithm>

int DeclutterStep(double scale, bool declutter, int storeCount)
{
    if (!declutter || storeCount <= 200 || scale <= 6.0)
        return 1;
    if (scale < 10.0)
        return 5;
    if (scale < 15.0)
        return 10;
    return 15;
}

ScreenRect IconSquare(QPoint centre, int size)
{
    const int left = centre.x() - size / 2, top = centre.y() - size / 2;
    return {left, top, left + size, top + size};
}

CMapWaypointQuery::CMapWaypointQuery(CWaypointDB& store, const MapProjection& projection,
                                     const MapRotation& rotation)
    : m_store(store), m_projection(projection), m_rotation(rotation)
{}

void CMapWaypointQuery::Visit(int margin, int step, const Visitor& visit) const
{
    const ScreenRect area = m_projection.Client().Grown(margin);
    const QPointF corners[4] = {m_rotation.TurnBack(QPointF(area.left, area.top)),
                                m_rotation.TurnBack(QPointF(area.right, area.top)),
                                m_rotation.TurnBack(QPointF(area.left, area.bottom)),
                                m_rotation.TurnBack(QPointF(area.right, area.bottom))};
    double minX = corners[0].x(), maxX = minX, minY = corners[0].y(), maxY = minY;
    for (const QPointF& c : corners) {
        minX = std::min(minX, c.x());
        maxX = std::max(maxX, c.x());
        minY = std::min(minY, c.y());
        maxY = std::max(maxY, c.y());
    }
    const GeoPosition northWest = m_projection.ToWorld({minX, minY});
    const GeoPosition southEast = m_projection.ToWorld({maxX, maxY});
    CWaypointDB& store = m_store;
    store.BeginRectangle(northWest, southEast);
    for (int cell = store.NextCell(); cell != CWaypointDB::kNoCell; cell = store.NextCell()) {
        const auto records = store.MutableCellWaypoints(cell);
        for (size_t i = 0; i < records.size(); i += size_t(step)) {
            CWaypoint& waypoint = records[i];
            const QPointF point = m_rotation.Turn(m_projection.ToScreen(waypoint.position));
            if (area.Contains(point))
                visit(waypoint, point);
        }
    }
}

std::vector<int> CMapWaypointQuery::IdsUnder(QPoint tap, int iconSize) const
{
    std::vector<int> ids;
    Visit(iconSize, 1, [&](CWaypoint& waypoint, QPointF point) {
        if (IconSquare(ToPixel(point), iconSize).Contains(tap))
            ids.push_back(waypoint.nID);
    });
    return ids;
}
