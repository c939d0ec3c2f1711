#pragma once

#include "map/MapProjection.h"

#include <QPoint>
#include <QPointF>

#include <functional>
#include <vector>

class CWaypoint;
class CWaypointDB;

// How many waypoints of a cell are drawn: with declutter on and more than 200 in the store,
// one in n (n = 1 up to scale 6, 5 below 10, 10 below 15, else 15); otherwise all.
int DeclutterStep(double scale, bool declutter, int storeCount);

// The waypoints in view: the store's cells under the client rectangle grown by `margin`
// pixels (turned back in course-up mode), each record with its projected and turned point.
// Records of other places that share a cell, and those outside the grown rectangle, are left
// out; `step` keeps one record in that many per cell.
class CMapWaypointQuery {
public:
    CMapWaypointQuery(CWaypointDB& store, const MapProjection& projection,
                      const MapRotation& rotation);
    // The records are the store's own: a visitor may resolve a record's icon from its
    // geocache state, which no index of the store depends on.
    using Visitor = std::function<void(CWaypoint&, QPointF)>;
    void Visit(int margin, int step, const Visitor& visit) const;
    // Ids of the waypoints whose icon square of `iconSize` pixels, centred on their point,
    // contains `tap`.
    std::vector<int> IdsUnder(QPoint tap, int iconSize) const;

private:
    CWaypointDB& m_store; // its rectangle cursor walks the cells
    const MapProjection& m_projection;
    const MapRotation& m_rotation;
};

// The square an icon of `size` pixels covers when centred on `centre`: left/top inclusive,
// right/bottom exclusive.
ScreenRect IconSquare(QPoint centre, int size);
