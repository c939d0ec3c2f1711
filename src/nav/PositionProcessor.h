#pragma once

#include "nav/MapHooks.h"
#include "nav/Navigation.h"
#include "nav/NavigationSettings.h"
#include "nav/TrackFilter.h"

#include <cstdint>

class CNMEAParser;
class CTrackLog;
class CTripComputer;

// The map window's work for each new fix, as a plain object the window owns and calls: on
// WM_GPS_GGA it feeds the trip computer, hands the fix to waypoint averaging, puts the position
// into the track and the navigation, checks the proximity alarms and the arrival, and tells the
// map windows the marker colour. It borrows the fix state, the trip computer, the navigation
// and the track, which belong to the map window and its view.
class CPositionProcessor {
public:
    static constexpr double kLiveFilterThresholdLimit = 0.25; // km
    static constexpr RgbColour kDifferentialMarker{0, 153, 255};
    static constexpr RgbColour kMarker{0, 255, 0};

    CPositionProcessor(const CNMEAParser& fix, CTripComputer& tripComputer, CNavigation& navigation,
                       CTrackLog& track);

    // Optional windows (not owned; null for none).
    void SetDisplay(IMapDisplay* display) { m_display = display; }
    // Averaging is handed the HDOP threshold now and whenever the settings change.
    void SetAveraging(IPositionAveraging* averaging);
    void SetAlarmOutput(IWaypointAlarmOutput* output) { m_alarmOutput = output; }

    // Start-up: reads the settings of section "Map", applies them as stored and puts the
    // current position where it was left.
    void Start();
    // The map window going away: the current position is stored for the next start.
    void SaveCurrentPosition() const;
    // The map settings dialog confirmed: stores `settings` as entered and applies them, with
    // the position filter threshold limited to kLiveFilterThresholdLimit until the next start.
    void ApplyMapSettings(const NavigationSettings& settings);
    const NavigationSettings& Settings() const { return m_settings; }

    // WM_GPS_GGA. Runs whether or not the fix state holds a fix.
    ArrivalCheck OnGpsGGA();
    // The map view's one-second check timer.
    ArrivalCheck OnCheckTimer();
    // WM_WAYPOINT_ALARM: while there is a fix, shows the queued alarms one by one.
    void OnWaypointAlarm();

    // Moves the current position, puts the point into the track filter and sets the displayed
    // course: `course` when it is 0 or more, else the course computed from the positions.
    void SetPosition(const GeoPosition& position, double course, bool segmentStart, uint32_t time);

    double DisplayedCourse() const { return m_displayedCourse; }
    bool NewSegmentPending() const { return m_newSegmentPending; }
    const CTrackFilter& TrackFilter() const { return m_trackFilter; }
    const CNMEAParser& Fix() const { return m_fix; }
    const CTripComputer& TripComputer() const { return m_tripComputer; }
    const CNavigation& Navigation() const { return m_navigation; }

private:
    void Configure(const NavigationSettings& settings, double filterThreshold);
    void HandThresholdToAveraging() const;

    const CNMEAParser& m_fix;
    CTripComputer& m_tripComputer;
    CNavigation& m_navigation;
    CTrackFilter m_trackFilter;
    IMapDisplay* m_display = nullptr;
    IPositionAveraging* m_averaging = nullptr;
    IWaypointAlarmOutput* m_alarmOutput = nullptr;
    NavigationSettings m_settings;
    double m_displayedCourse = 0.0;
    bool m_newSegmentPending = false;
};
