#pragma once

#include "geo/GeoPosition.h"

#include <QString>

// The settings of section "Map" that the per-fix work uses. Read when the map window is created;
// the map settings dialog writes them back when the user confirms a change.
struct NavigationSettings {
    double waypointArrivalDistance = 0.03048; // km, "Waypoint Arrival Distance"
    double posFilterDistThreshold = 0.005;    // km, "Pos Filter Dist Threshold"
    double courseDistThreshold = 0.005;       // km, "Course Dist Threshold"
    bool enablePositionFilter = true;         // "Enable Position Filter"
    bool useCourseFromGps = true;             // "Use Course From GPS"
    bool enableWaypointAvgThreshold = true;   // "Enable Waypoint Avg Threshold"
    int waypointAvgThreshold = 50;            // "Waypoint Avg Threshold", HDOP in tenths
};

NavigationSettings ReadNavigationSettings();
// Distances are stored as "%f" texts, switches as 0 or 1.
void WriteNavigationSettings(const NavigationSettings& settings);

// "Current Position Latitude"/"Current Position Longitude": where the map stands before the
// first fix (altitude 0), saved when the map window goes away.
GeoPosition ReadCurrentPositionSetting();
void WriteCurrentPositionSetting(const GeoPosition& position);

// A stored distance text read as the C library's atof reads it: the leading decimal number of
// the text (at most 127 characters of it), 0 when there is none or it is not finite.
double ParseSettingNumber(const QString& text);
