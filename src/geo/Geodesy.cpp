#include "geo/Geodesy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kRadiansToDegrees = 57.29577951308232;
constexpr double kRadiansToMicrodegrees = 57295779.513082325;
constexpr double kEarthRadiusKm = 6378.137;
constexpr double kRadiansPerNauticalMile = 0.0002908882086657216;
constexpr double kKmToNauticalMiles = 0.539956803456;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

double Radians(int32_t microdegrees)
{
    return microdegrees * 1e-6 * kDegreesToRadians;
}

// Truncation toward zero, which is what every stored coordinate has always used. Values beyond
// the 32-bit range saturate and NaN becomes 0 instead of wrapping into an arbitrary position.
int32_t Microdegrees(double scaled)
{
    if (std::isnan(scaled))
        return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(scaled), -2147483648.0, 2147483647.0));
}

// Rounding can push a sine or haversine term a hair past 1, where asin and sqrt give NaN.
double ClampUnit(double value)
{
    return std::clamp(value, -1.0, 1.0);
}

} // namespace

double HaversineDistance(double lon1, double lat1, double lon2, double lat2)
{
    const double phi1 = lat1 * kDegreesToRadians;
    const double phi2 = lat2 * kDegreesToRadians;
    const double deltaPhi = phi2 - phi1;
    const double deltaLambda = (lon2 - lon1) * kDegreesToRadians;
    const double a = std::pow(std::sin(deltaLambda * 0.5), 2.0) * std::cos(phi2) * std::cos(phi1) +
                     std::pow(std::sin(deltaPhi * 0.5), 2.0);
    const double sigma = 2.0 * std::atan2(std::sqrt(a), std::sqrt(std::max(1.0 - a, 0.0)));
    return sigma * kEarthRadiusKm;
}

double PositionDistance(const GeoPosition& p, const GeoPosition& q)
{
    return HaversineDistance(p.longitude * 1e-6, p.latitude * 1e-6, q.longitude * 1e-6,
                             q.latitude * 1e-6);
}

double PositionBearing(const GeoPosition& p, const GeoPosition& q)
{
    const double phiP = Radians(p.latitude);
    const double lambdaP = Radians(p.longitude);
    const double phiQ = Radians(q.latitude);
    const double lambdaQ = Radians(q.longitude);
    const double y = std::cos(phiQ) * std::sin(lambdaP - lambdaQ);
    const double x = std::sin(phiQ) * std::cos(phiP) -
                     std::cos(lambdaP - lambdaQ) * std::cos(phiQ) * std::sin(phiP);
    return 180.0 - std::fmod(std::atan2(y, x), kTwoPi) * kRadiansToDegrees;
}

GeoPosition DestinationPoint(const GeoPosition& start, double km, double bearingDegrees)
{
    const double phi1 = Radians(start.latitude);
    const double lambda1 = Radians(start.longitude);
    const double tc = bearingDegrees * kDegreesToRadians;
    const double d = km * kKmToNauticalMiles * kRadiansPerNauticalMile;
    const double phi = std::asin(
        ClampUnit(std::sin(phi1) * std::cos(d) + std::cos(phi1) * std::sin(d) * std::cos(tc)));
    double lambda = lambda1;
    if (std::cos(phi) != 0.0) {
        // The short-distance form: exact enough for the few kilometres it is used for.
        const double unwrapped =
            lambda1 + std::asin(ClampUnit(std::sin(tc) * std::sin(d) / std::cos(phi)));
        // A sign-keeping remainder alone would leave a westward crossing of the date line
        // below -180 degrees; fold it back into the circle.
        double shifted = std::fmod(unwrapped + std::numbers::pi, kTwoPi);
        if (shifted < 0.0)
            shifted += kTwoPi;
        lambda = shifted - std::numbers::pi;
    }
    GeoPosition result;
    result.latitude = Microdegrees(phi * kRadiansToMicrodegrees);
    result.longitude = Microdegrees(lambda * kRadiansToMicrodegrees);
    return result;
}

double CentralAngle(const GeoPosition& p, const GeoPosition& q)
{
    const double phiP = Radians(p.latitude);
    const double lambdaP = Radians(p.longitude);
    const double phiQ = Radians(q.latitude);
    const double lambdaQ = Radians(q.longitude);
    const double h =
        std::pow(std::sin((phiP - phiQ) * 0.5), 2.0) +
        std::pow(std::sin((lambdaP - lambdaQ) * 0.5), 2.0) * std::cos(phiQ) * std::cos(phiP);
    return 2.0 * std::asin(std::sqrt(ClampUnit(h)));
}

double CrossTrackAngle(const GeoPosition& a, const GeoPosition& b, const GeoPosition& x)
{
    // Both bearings carry the same 180-degree offset, which cancels in their difference.
    const double legBearing = PositionBearing(a, b) * kDegreesToRadians;
    const double pointBearing = PositionBearing(a, x) * kDegreesToRadians;
    return std::asin(std::sin(pointBearing - legBearing) * std::sin(CentralAngle(a, x)));
}

GeoPosition GeoPositionFromDegrees(double latitude, double longitude, float altitude)
{
    GeoPosition result;
    result.latitude = Microdegrees(latitude * 1000000.0);
    result.longitude = Microdegrees(longitude * 1000000.0);
    result.altitude = altitude;
    return result;
}
