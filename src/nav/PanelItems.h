#pragma once

#include "nav/BatteryStatus.h"

#include <QString>

#include <cstdint>

class CNMEAParser;
class CNavigation;
class CTripComputer;

// The values a cell of the digital panel or the navigation strip can show.
enum PanelItemKind : int {
    kPanelBlank = 0,
    kPanelSpeed = 1,
    kPanelDistanceToTarget = 2,
    kPanelCourse = 3,
    kPanelAltitude = 4,
    kPanelBearingToTarget = 5,
    kPanelBearingToTargetPoint = 6,
    kPanelCrossTrackError = 7,
    kPanelCoursePoint = 8,
    kPanelOdometer = 9,
    kPanelTimeToNext = 10,
    kPanelArrivalTime = 11,
    kPanelAverageSpeed = 12,
    kPanelElapsedTime = 13,
    kPanelMaximumAltitude = 14,
    kPanelMinimumAltitude = 15,
    kPanelAltitudeRange = 16,
    kPanelMaximumSpeed = 17,
    kPanelGrade = 18,
    kPanelMaximumGrade = 19,
    kPanelMinimumGrade = 20,
    kPanelAverageGrade = 21,
    kPanelAverageUphillGrade = 22,
    kPanelAverageDownhillGrade = 23,
    kPanelTotalAscent = 24,
    kPanelTotalDescent = 25,
    kPanelClock = 26,
    kPanelClock12 = 27,
    kPanelClockUtc = 28,
    kPanelBattery = 29,
    kPanelArrivalTime12 = 30,
};
constexpr int kPanelItemKindCount = 31;

// The four texts of one cell.
struct PanelItemTexts {
    QString value;
    QString label;
    QString units;
    QString detail;
};

// Where the cell values come from: the fix state, the map window's navigation and displayed
// course, the trip computer, and the folder the battery state is read from.
struct PanelItemSources {
    const CNMEAParser& fix;
    const CNavigation& navigation;
    const CTripComputer& tripComputer;
    double displayedCourse = 0.0;
    QString powerSupplyRoot = QString::fromLatin1(kPowerSupplyRoot);
};

// The texts of a cell of `kind`; units follow the unit settings, clocks Clock::Now() in the
// time zone of TZ. An unknown kind shows "???".
PanelItemTexts FormatPanelItem(int kind, const PanelItemSources& sources);

// The value and units texts of a duration: "MM:SS" below an hour, "HH:MM" below a day, then
// whole days (at most 9999). For the time to next (0 or more) and the elapsed time.
struct DurationTexts {
    QString value;
    QString units;
};
DurationTexts TimeToNextTexts(double seconds);
DurationTexts ElapsedTexts(int64_t seconds);

// The name of `kind` in the list the user picks cell contents from; empty for an unknown kind.
QString PanelItemListName(int kind);

// "N", "NE", ... "NW" for a direction in degrees.
const char* CompassPoint(double degrees);
