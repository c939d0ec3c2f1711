#pragma once

#include <QColor>
#include <QPoint>

class CDrawContext;

// The map's marker shapes, each drawn about a point and turned clockwise by an angle in
// degrees (0 points up).
namespace MapMarkers {

// The current position: an arrow that fits a box of `box` pixels, or a filled circle when
// there is no course.
void DrawPositionArrow(CDrawContext& dc, QPoint at, double angle, int box, const QColor& fill,
                       bool hasCourse);
// The north arrow, a narrow two-coloured needle of `length` pixels.
void DrawNorthArrow(CDrawContext& dc, QPoint at, double angle, int length);
// The pointer to the active waypoint: a long thin arrow of `length` pixels.
void DrawWaypointPointer(CDrawContext& dc, QPoint at, double angle, int length);
// The waypoint-averaging position: a cross in a small diamond.
void DrawAveragingMark(CDrawContext& dc, QPoint at, int size);

} // namespace MapMarkers
