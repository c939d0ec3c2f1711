#pragma once

#include "geo/GeoPosition.h"

// Spherical-earth geometry on positions. Pure functions: no state, no settings, no failures.
// Distances use a 6378.137 km sphere; destination points and cross-track errors use the sphere on
// which one nautical mile is one minute of arc. Both are deliberate and must not be unified.

// Great-circle distance in kilometres; degrees, longitude first.
double HaversineDistance(double lon1, double lat1, double lon2, double lat2); // km
double PositionDistance(const GeoPosition& p, const GeoPosition& q);          // km
// TARGET FIRST: PositionBearing(target, origin) is the direction (degrees true, [0, 360]) in which
// target lies as seen from origin; identical positions give exactly 180. Computed as 180 plus the
// initial course from target to origin, so over long distances it is the course on arrival.
double PositionBearing(const GeoPosition& p, const GeoPosition& q);
// Travels km along bearingDegrees from start; coordinates truncated toward zero, altitude 0.
GeoPosition DestinationPoint(const GeoPosition& start, double km, double bearingDegrees);
double CentralAngle(const GeoPosition& p, const GeoPosition& q); // radians, [0, pi]
// Radians off the great circle A->B, positive when x lies to the right of the leg. Multiply by
// kNauticalMilesPerRadian for nautical miles.
double CrossTrackAngle(const GeoPosition& a, const GeoPosition& b, const GeoPosition& x);
// Degrees times 1,000,000, truncated toward zero (not rounded).
GeoPosition GeoPositionFromDegrees(double latitude, double longitude, float altitude = 0);

inline constexpr double kNauticalMilesPerRadian = 3437.7467707849396;
inline constexpr double kKmPerNauticalMile = 1.852;
