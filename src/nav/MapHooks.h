#pragma once

#include <cstdint>

class CWaypoint;

// What the per-fix work hands to the windows of the map tab. The windows implement these; the
// core never draws, shows or plays anything itself.

struct RgbColour {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const RgbColour&) const = default;
};

// The map view, the altitude profile and the map tab's other windows.
class IMapDisplay {
public:
    virtual ~IMapDisplay() = default;
    virtual void SetMarkerColour(RgbColour colour) = 0;
    virtual void AddAltitudeSample(float metres) = 0;
    // Redraws the map windows that are visible.
    virtual void RedrawMap() = 0;
};

// Waypoint averaging while it runs.
class IPositionAveraging {
public:
    virtual ~IPositionAveraging() = default;
    virtual bool IsAveraging() const = 0;
    virtual void AddSample(double latitude, double longitude, double altitude, double hdop) = 0;
    // Fixes with an HDOP above `hdop` (and not 0) are left out while `enabled`.
    virtual void SetHdopThreshold(bool enabled, double hdop) = 0;
};

// The proximity alarm of one waypoint: the alarm window over the map (titled with string 271)
// and the waypoint's strSoundFile played once.
class IWaypointAlarmOutput {
public:
    virtual ~IWaypointAlarmOutput() = default;
    virtual void ShowWaypointAlarm(const CWaypoint& waypoint) = 0;
};
