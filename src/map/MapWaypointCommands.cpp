#include "map/MapWaypointCommands.h"

#include "geo/Geodesy.h"
#include "waypoints/WaypointDB.h"

#include <QLocale>

#include <cmath>

namespace {

constexpr int32_t kStateFound = 1;
constexpr int32_t kStateFoundAndLogged = 5;
constexpr int32_t kStateNotFound = 0;

} // namespace

int CreateWaypoint(CWaypointDB& store, const GeoPosition& position)
{
    CWaypoint waypoint;
    waypoint.position = position;
    waypoint.strName = store.MakeUniqueName();
    return std::max(0, store.AddIfNameUnique(waypoint));
}

std::vector<ProjectionUnit> ProjectionUnits(int distanceSpeedUnits)
{
    const ProjectionUnit feet{QStringLiteral("ft"), 0.0003048};
    switch (distanceSpeedUnits) {
    case 1:
        return {feet, {QStringLiteral("nmi"), 1.852}};
    case 2:
        return {{QStringLiteral("m"), 0.001}, {QStringLiteral("km"), 1.0}};
    default:
        return {feet, {QStringLiteral("mi"), 1.609344}};
    }
}

int CreateProjectedWaypoint(CWaypointDB& store, const CWaypoint& from, double km, double bearing,
                            int64_t now)
{
    const int id = CreateWaypoint(store, DestinationPoint(from.position, km, bearing));
    CWaypoint created;
    if (id == 0 || !store.GetByID(id, created))
        return 0;
    created.icon = kProjectedWaypointIcon;
    created.timeWaypoint = static_cast<int32_t>(now);
    return store.ReplaceByName(created);
}

bool MarkGeocacheFound(CWaypointDB& store, int id, int64_t now)
{
    CWaypoint waypoint;
    if (!store.GetByID(id, waypoint) || waypoint.nGeocacheState == kStateFoundAndLogged)
        return false;
    waypoint.nGeocacheState = kStateFound;
    waypoint.timeGeochacheFound = static_cast<int32_t>(now);
    return store.ReplaceByName(waypoint) != 0;
}

bool MarkGeocacheNotFound(CWaypointDB& store, int id)
{
    CWaypoint waypoint;
    if (!store.GetByID(id, waypoint))
        return false;
    waypoint.nGeocacheState = kStateNotFound;
    return store.ReplaceByName(waypoint) != 0;
}

std::optional<double> ParseDialogNumber(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
