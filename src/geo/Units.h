#pragma once

#include <QString>

#include <cstdint>

// Conversion of internal values (knots and nautical miles, statute miles, kilometres, metres,
// metres per minute) into the unit system the user chose, the matching labels, and the display
// and entry texts of coordinates. Every call reads its setting afresh from section "Settings", so
// a change in the settings dialog shows on the next redraw without any notification.

// The three unit settings as stored (default 0; out-of-range values are passed on unchanged).
int DistanceSpeedUnits();     // "Distance-SpeedUnits": 0 statute, 1 nautical, 2 metric
int AltitudeElevationUnits(); // "AltitudeElevationUnits": 0 feet, 1 metres
int PositionFormat();         // "PositionFormat": 0 d m.mmmm, 1 d m s.sss, 2 d.dddddd

// A multiplier together with the label of the unit it converts into.
struct UnitScale {
    double factor;
    QString label;
};

// Speeds in knots and long distances in nautical miles.
double SpeedToDisplay(double knots);
QString SpeedUnitName();
double SpeedFactor();
QString LongDistanceUnitName();

// Distances in statute miles.
double MilesToLong(double miles);
double MilesToShort(double miles);
double ShortDistanceFactor();
QString ShortDistanceUnitName();
// Picks the short unit for small distances and the long one otherwise.
double AutoDistance(double miles);
QString AutoDistanceUnitName(double miles);

// Between the user's short or long unit and metres or kilometres.
double MetresToShort(double metres);
double ShortToMetres(double shortUnits);
double LongToKm(double longUnits);
double KmToLong(double km);
double LongToKmPlot(double longUnits);

// Altitudes in metres.
double AltitudeToDisplay(double metres);
QString AltitudeUnitName();
UnitScale AltitudeFactor();
QString AltitudeText(double metres);
// An altitude typed in the user's unit, back in metres.
double AltitudeToMetres(double displayed);

// Vertical speeds in metres per minute.
double VerticalSpeedToDisplay(double metresPerMinute);
QString VerticalSpeedUnitName();
UnitScale VerticalSpeedFactor();

// Accelerations in metres per second squared.
UnitScale AccelerationFactor();

// Coordinate texts in decimal degrees, in the stored or the given position format.
QString FormatLatitude(double degrees);
QString FormatLongitude(double degrees);
QString FormatLatitude(double degrees, int positionFormat);
QString FormatLongitude(double degrees, int positionFormat);

// Masked entry of a coordinate: the edit mask, the initial digits (from the absolute value), and
// the parse of the typed digits back into non-negative microdegrees.
QString LatitudeMask();
QString LongitudeMask();
QString LatitudeMask(int positionFormat);
QString LongitudeMask(int positionFormat);
QString LatitudeFill(double degrees);
QString LongitudeFill(double degrees);
QString LatitudeFill(double degrees, int positionFormat);
QString LongitudeFill(double degrees, int positionFormat);
// Digits with the mask's literals removed and blanks as '0'. The caller negates for S or W.
int32_t ParseCoordinate(const QString& digits);
int32_t ParseCoordinate(const QString& digits, int positionFormat);
// The entry of the hemisphere list ("N","S" or "E","W") that shows a stored coordinate.
int HemisphereIndex(int32_t microdegrees);
