#pragma once

#include "geo/GeoPosition.h"
#include "waypoints/Waypoint.h"

#include <deque>

class CWaypointDB;
class IMessageSink;

// What an arrival check did.
enum class ArrivalCheck {
    None,
    Arrived, // the arrival message was shown
    Stopped  // navigation ended after the target had been reached and left
};

// The map view's position and navigation: the current position, the go-to target kept in the
// waypoint store, the arrival message and the queue of waypoints whose proximity alarm went off.
class CNavigation {
public:
    static constexpr double kDefaultArrivalRadius = 0.03048; // km, 100 feet
    // Navigation ends automatically once the position is this many arrival radii away after
    // the arrival was announced.
    static constexpr double kLeaveRadii = 5.0;

    // `mapWindow` receives WM_WAYPOINT_ALARM (not owned; may be null).
    explicit CNavigation(CWaypointDB& store, IMessageSink* mapWindow = nullptr);

    void SetMessageSink(IMessageSink* mapWindow) { m_mapWindow = mapWindow; }

    const GeoPosition& CurrentPosition() const { return m_current; }
    // Replaces the current position; also the way the map's "set as current position" commands
    // move it by hand, without touching the track or the trip computer.
    void SetCurrentPosition(const GeoPosition& position) { m_current = position; }

    double ArrivalRadius() const { return m_arrivalRadius; }
    void SetArrivalRadius(double km) { m_arrivalRadius = km; }

    // Makes a copy of `waypoint` the target, with the leg starting at the current position.
    void GoTo(const CWaypoint& waypoint);
    void StopNavigation();
    bool IsNavigating() const;
    const CWaypoint& Target() const;
    const GeoPosition& LegStart() const;

    // Km to the target; 0 when not navigating.
    double DistanceToTarget() const;
    // Degrees true from the current position to the target.
    double BearingToTarget() const;
    // Radians off the leg at `position`, positive to the right; 0 when not navigating.
    double CrossTrackError(const GeoPosition& position) const;

    // Announces the arrival once per go-to through the prompts seam (navigation stays on), and
    // ends navigation when the position has left the target after that. Must not be called
    // from painting. While the arrival message is open, further checks do nothing.
    ArrivalCheck CheckArrival();
    // Queues the first armed waypoint whose alarm radius was newly entered, if any, and posts
    // WM_WAYPOINT_ALARM for it. True when one was queued.
    bool CheckProximityAlarms();
    // The oldest queued alarm; false when none is left.
    bool TakeQueuedAlarm(CWaypoint& out);
    int QueuedAlarmCount() const { return static_cast<int>(m_alarmQueue.size()); }

private:
    CWaypointDB& m_store;
    IMessageSink* m_mapWindow;
    GeoPosition m_current;
    double m_arrivalRadius = kDefaultArrivalRadius;
    bool m_showingArrival = false;
    CWaypoint m_alarmFound; // kept so that a check without an alarm allocates nothing
    std::deque<CWaypoint> m_alarmQueue;
};
