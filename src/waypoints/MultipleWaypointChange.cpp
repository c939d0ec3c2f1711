#include "waypoints/MultipleWaypointChange.h"

#include "waypoints/Waypoint.h"

ActiveWaypointFields ActiveWaypointFields::Of(const CWaypoint& waypoint)
{
    return {waypoint.bActiveWaypoint, waypoint.dActiveWPDistance, waypoint.strSoundFile,
            waypoint.nActiveWaypointMessageType};
}

void ActiveWaypointFields::ApplyTo(CWaypoint& waypoint) const
{
    waypoint.bActiveWaypoint = bActiveWaypoint;
    waypoint.dActiveWPDistance = dActiveWPDistance;
    waypoint.strSoundFile = strSoundFile;
    waypoint.nActiveWaypointMessageType = nActiveWaypointMessageType;
}

void MultipleWaypointChange::ApplyTo(CWaypoint& waypoint) const
{
    if (icon)
        waypoint.icon = *icon;
    if (state) {
        waypoint.nGeocacheState = state->nGeocacheState;
        waypoint.bUseGeocacheStateForIconID = state->bUseGeocacheStateForIconID;
    }
    if (active)
        active->ApplyTo(waypoint);
}
