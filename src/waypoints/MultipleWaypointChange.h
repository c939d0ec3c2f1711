#pragma once

#include <QString>

#include <optional>

class CWaypoint;

// The proximity alarm fields of a waypoint, edited as one group.
struct ActiveWaypointFields {
    bool bActiveWaypoint = false;
    double dActiveWPDistance = 0.3048; // km
    QString strSoundFile;
    int nActiveWaypointMessageType = 0;

    static ActiveWaypointFields Of(const CWaypoint& waypoint);
    void ApplyTo(CWaypoint& waypoint) const;
};

// The geocache state and whether the icon follows it.
struct GeocacheStateFields {
    int nGeocacheState = 0;
    bool bUseGeocacheStateForIconID = false;
};

// What the several-waypoints sheet changes: only the groups whose change box was ticked.
struct MultipleWaypointChange {
    std::optional<int> icon;
    std::optional<GeocacheStateFields> state;
    std::optional<ActiveWaypointFields> active;

    void ApplyTo(CWaypoint& waypoint) const;
};
