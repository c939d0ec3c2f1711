#pragma once

#include "nav/NavigationSettings.h"

#include <optional>

// The record the map settings sheet edits: the per-fix settings and the map's own switches,
// all of section "Map".
struct MapSettings {
    NavigationSettings navigation;
    bool northUp = false;             // "North Up"
    bool viewNavigationWindow = true; // "View Navigation Window"
    bool viewAltitudeProfile = false; // "View Altitude Profile"
    bool largeWaypoints = false;      // "Enable Large Waypoints"
    bool largePositionIcon = false;   // "Enable Large Position Icon"
    int trackPenColour = 0x0000FF;    // "Track Pen Color", 0xBBGGRR
    int trackPenWidth = 2;            // "Track Pen Width", pixels on a standard display
};

// `navigation` as the map window runs with it; the rest read from the settings.
MapSettings ReadMapSettings(const NavigationSettings& navigation);
// Writes the map's own switches (the navigation part is stored by the position processor).
void WriteMapViewSettings(const MapSettings& settings);

// The texts of the sheet's distance fields and back. Arrival distance: "%f" in the user's
// short distance unit; thresholds: "%G" metres. The readers refuse text that is not a number.
QString ArrivalDistanceText(double km);
std::optional<double> ArrivalDistanceFromText(const QString& text);
QString ThresholdText(double km);
std::optional<double> ThresholdFromText(const QString& text);
// The averaging HDOP threshold is kept in tenths: "%.01f" on the page.
QString HdopText(int tenths);
std::optional<int> HdopFromText(const QString& text);
