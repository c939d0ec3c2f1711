#pragma once

#include "geo/GeoPosition.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class CWaypointDB;
class CWaypoint;

// The store work behind the map window's waypoint commands; questions and dialogs stay with
// the window.

// A default record at `position` under the store's next unique name. Its id, 0 when it could
// not be added.
int CreateWaypoint(CWaypointDB& store, const GeoPosition& position);

// The two units of the projection dialog for a "Distance-SpeedUnits" setting, with the factor
// that turns each into kilometres.
struct ProjectionUnit {
    QString text;
    double kmFactor;
};
std::vector<ProjectionUnit> ProjectionUnits(int distanceSpeedUnits);

// A waypoint `km` from `from` at `bearing` degrees: created as CreateWaypoint does, then given
// the projected-waypoint icon (129) and the time `now`. Its id, 0 when it could not be added.
constexpr int32_t kProjectedWaypointIcon = 129;
int CreateProjectedWaypoint(CWaypointDB& store, const CWaypoint& from, double km, double bearing,
                            int64_t now);

// "Found": state 1 and the found time, unless the cache is in state 5 (found and logged).
// False when nothing changed.
bool MarkGeocacheFound(CWaypointDB& store, int id, int64_t now);
// "Not found": state 0. False when no record has that id.
bool MarkGeocacheNotFound(CWaypointDB& store, int id);

// A number typed into a dialog: the whole text (spaces around it allowed) must be one finite
// decimal number.
std::optional<double> ParseDialogNumber(const QString& text);
