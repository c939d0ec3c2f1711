#include "geo/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

GeoPosition At(double latitude, double longitude)
{
    return GeoPositionFromDegrees(latitude, longitude);
}

// Angular difference folded into [0, 180], so 359.9999 and 0 count as close.
double CompassGap(double a, double b)
{
    const double gap = std::fmod(std::fabs(a - b), 360.0);
    return std::min(gap, 360.0 - gap);
}

TEST(GeoPositionFromDegrees, TruncatesTowardZeroInBothHemispheres)
{
    const GeoPosition north = GeoPositionFromDegrees(33.8000009, 117.9999999, 12.5f);
    EXPECT_EQ(north.latitude, 33800000);
    EXPECT_EQ(north.longitude, 117999999);
    EXPECT_FLOAT_EQ(north.altitude, 12.5f);
    const GeoPosition south = GeoPositionFromDegrees(-33.8000009, -117.9999999);
    EXPECT_EQ(south.latitude, -33800000);
    EXPECT_EQ(south.longitude, -117999999);
    EXPECT_FLOAT_EQ(south.altitude, 0.0f);
}

TEST(GeoPositionFromDegrees, ValuesBeyondTheRecordSaturateInsteadOfWrapping)
{
    EXPECT_EQ(GeoPositionFromDegrees(1e9, -1e9).latitude, INT32_MAX);
    EXPECT_EQ(GeoPositionFromDegrees(1e9, -1e9).longitude, INT32_MIN);
    EXPECT_EQ(GeoPositionFromDegrees(std::nan(""), 0).latitude, 0);
}

TEST(HaversineDistance, ZeroAndOneDegreeAlongAMeridian)
{
    EXPECT_EQ(HaversineDistance(0, 0, 0, 0), 0.0);
    EXPECT_NEAR(HaversineDistance(0, 0, 0, 1), 6378.137 * std::numbers::pi / 180.0, 1e-9);
    EXPECT_NEAR(HaversineDistance(0, 0, 0, 1), 111.3195, 1e-4);
    // Longitude comes first: one degree of longitude at 60 N is half a degree of arc or so.
    EXPECT_NEAR(HaversineDistance(0, 60, 1, 60), 55.6595, 1e-3);
}

// Reference values from an independent vector (cross/dot product) computation on the
// 6378.137 km sphere.
TEST(HaversineDistance, CityPairsMatchAnIndependentComputation)
{
    EXPECT_NEAR(HaversineDistance(-0.1278, 51.5074, 2.3522, 48.8566), 343.940922938, 1e-6);
    EXPECT_NEAR(HaversineDistance(-74.0060, 40.7128, -118.2437, 34.0522), 3940.155204699, 1e-6);
    EXPECT_NEAR(HaversineDistance(151.2093, -33.8688, 174.7633, -36.8485), 2158.313432924, 1e-6);
    EXPECT_NEAR(HaversineDistance(139.6503, 35.6762, -118.2437, 34.0522), 8829.272963236, 1e-6);
    // Symmetric.
    EXPECT_DOUBLE_EQ(HaversineDistance(2.3522, 48.8566, -0.1278, 51.5074),
                     HaversineDistance(-0.1278, 51.5074, 2.3522, 48.8566));
}

TEST(HaversineDistance, AntimeridianPolesAndAntipodes)
{
    // A thousandth of a degree apart, across the date line.
    EXPECT_NEAR(HaversineDistance(179.9995, 0, -179.9995, 0), 0.1113195, 1e-6);
    EXPECT_NEAR(HaversineDistance(0, 90, 0, -90), std::numbers::pi * 6378.137, 1e-6);
    // Every meridian meets at the pole.
    EXPECT_NEAR(HaversineDistance(10, 90, -170, 90), 0.0, 1e-9);
    EXPECT_NEAR(HaversineDistance(0, 0, 180, 0), std::numbers::pi * 6378.137, 1e-6);
    EXPECT_NEAR(HaversineDistance(45, 30, -135, -30), std::numbers::pi * 6378.137, 1e-6);
}

TEST(PositionDistance, UsesMicrodegreePositions)
{
    EXPECT_NEAR(PositionDistance(At(33.8, -117.8), At(33.8, -117.799)), 0.0925, 5e-5);
    EXPECT_NEAR(PositionDistance(At(51.5074, -0.1278), At(48.8566, 2.3522)), 343.940922938, 1e-6);
}

TEST(PositionBearing, TargetFirstGivesTheDirectionOfTheTargetFromTheOrigin)
{
    const GeoPosition origin{33800000, -117800000, 0};
    const GeoPosition north{33800001, -117800000, 0};
    const GeoPosition south{33799999, -117800000, 0};
    const GeoPosition east{0, 1, 0};
    const GeoPosition west{0, -1, 0};
    const GeoPosition equatorOrigin{0, 0, 0};
    EXPECT_NEAR(PositionBearing(north, origin), 0.0, 1e-9);
    EXPECT_NEAR(PositionBearing(south, origin), 180.0, 1e-9);
    EXPECT_NEAR(PositionBearing(east, equatorOrigin), 90.0, 1e-9);
    EXPECT_NEAR(PositionBearing(west, equatorOrigin), 270.0, 1e-9);
    // Swapping the arguments gives the way back.
    EXPECT_NEAR(PositionBearing(origin, north), 180.0, 1e-9);
    EXPECT_NEAR(PositionBearing(equatorOrigin, east), 270.0, 1e-9);
}

TEST(PositionBearing, IdenticalPositionsGiveExactly180)
{
    EXPECT_EQ(PositionBearing(At(33.8, -117.8), At(33.8, -117.8)), 180.0);
    EXPECT_EQ(PositionBearing(At(0, 0), At(0, 0)), 180.0);
}

TEST(PositionBearing, ResultStaysWithinACircle)
{
    for (int bearing = 0; bearing < 360; bearing += 7) {
        const GeoPosition origin = At(-41.3, 174.8);
        const GeoPosition target = DestinationPoint(origin, 5.0, bearing);
        const double result = PositionBearing(target, origin);
        EXPECT_GE(result, 0.0);
        EXPECT_LE(result, 360.0);
        EXPECT_LT(CompassGap(result, bearing), 0.05) << "bearing " << bearing;
    }
}

// Over long distances the result is the reciprocal of the target's bearing back to the origin
// (the course on arrival), computed independently here.
TEST(PositionBearing, CityPairsAreTheReciprocalOfTheWayBack)
{
    EXPECT_NEAR(PositionBearing(At(48.8566, 2.3522), At(51.5074, -0.1278)), 150.021092856, 1e-6);
    EXPECT_NEAR(PositionBearing(At(34.0522, -118.2437), At(40.7128, -74.0060)), 245.918839661,
                1e-6);
    EXPECT_NEAR(PositionBearing(At(-36.8485, 174.7633), At(-33.8688, 151.2093)), 91.811761396,
                1e-6);
}

TEST(PositionBearing, AcrossTheAntimeridianAndTowardThePoles)
{
    // The target just east of the date line lies east of an origin just west of it.
    EXPECT_NEAR(PositionBearing(At(0, -179.9995), At(0, 179.9995)), 90.0, 1e-6);
    EXPECT_NEAR(PositionBearing(At(0, 179.9995), At(0, -179.9995)), 270.0, 1e-6);
    EXPECT_LT(CompassGap(PositionBearing(At(90, 10), At(45, 10)), 0.0), 1e-6);
    EXPECT_NEAR(PositionBearing(At(-90, 10), At(45, 10)), 180.0, 1e-6);
}

TEST(DestinationPoint, SixtyNauticalMilesAlongTheEquatorIsOneDegree)
{
    const GeoPosition start{0, 0, 250.0f};
    const GeoPosition end = DestinationPoint(start, 111.12, 90);
    EXPECT_EQ(end.latitude, 0);
    EXPECT_EQ(end.longitude, 1000000);
    EXPECT_EQ(end.altitude, 0.0f);
    const GeoPosition north = DestinationPoint(start, 111.12, 0);
    EXPECT_EQ(north.latitude, 1000000);
    EXPECT_EQ(north.longitude, 0);
}

TEST(DestinationPoint, TruncatesTowardZeroInBothHemispheres)
{
    // 33.9999999 degrees of arc on the sphere where a nautical mile is a minute.
    const double km = 33.9999999 * 60.0 / 0.539956803456;
    const GeoPosition start{0, 0, 0};
    EXPECT_EQ(DestinationPoint(start, km, 0).latitude, 33999999);
    EXPECT_EQ(DestinationPoint(start, km, 180).latitude, -33999999);
    EXPECT_EQ(DestinationPoint(start, km, 90).longitude, 33999999);
    EXPECT_EQ(DestinationPoint(start, km, 270).longitude, -33999999);
}

TEST(DestinationPoint, WrapsAcrossTheAntimeridianInBothDirections)
{
    // 0.2 degrees east of 179.9 E is 179.9 W, and back.
    const GeoPosition end = DestinationPoint(At(0, 179.9), 0.2 * 60 * 1.852, 90);
    EXPECT_NEAR(end.longitude, -179900000, 1);
    const GeoPosition back = DestinationPoint(At(0, -179.9), 0.2 * 60 * 1.852, 270);
    EXPECT_NEAR(back.longitude, 179900000, 1);
}

TEST(DestinationPoint, NearThePoleStaysAValidPosition)
{
    // The short-distance longitude step overshoots here; the result must still be a position.
    const GeoPosition end = DestinationPoint(At(89.5, 0), 200.0, 90);
    EXPECT_GT(end.latitude, 88000000);
    EXPECT_LE(end.latitude, 90000000);
    EXPECT_GE(end.longitude, -180000000);
    EXPECT_LE(end.longitude, 180000000);
    const GeoPosition overPole = DestinationPoint(At(89.5, 0), 111.12, 0);
    EXPECT_LE(overPole.latitude, 90000000);
}

TEST(DestinationPoint, MeasuresOnTheNauticalMileSphere)
{
    // Distances use a larger sphere than projections do; the two are not to be unified.
    const GeoPosition start = At(47.0, 8.0);
    const double measured = PositionDistance(start, DestinationPoint(start, 10.0, 0));
    EXPECT_NEAR(measured, 10.0 * 6378.137 / (3437.7467707849396 * 1.852), 2e-4);
    EXPECT_GT(measured, 10.015);
}

TEST(CentralAngle, AgreesWithTheDistanceAndReachesPi)
{
    const GeoPosition london = At(51.5074, -0.1278);
    const GeoPosition paris = At(48.8566, 2.3522);
    EXPECT_NEAR(CentralAngle(london, paris) * 6378.137, PositionDistance(london, paris), 1e-9);
    EXPECT_EQ(CentralAngle(paris, paris), 0.0);
    EXPECT_NEAR(CentralAngle(At(0, 0), At(0, 180)), std::numbers::pi, 1e-12);
    EXPECT_NEAR(CentralAngle(At(90, 0), At(-90, 0)), std::numbers::pi, 1e-12);
    EXPECT_FALSE(std::isnan(CentralAngle(At(30, 45), At(-30, -135))));
}

TEST(CrossTrackAngle, SignFollowsTheSideOfTheLeg)
{
    const GeoPosition a = At(0, 0);
    const GeoPosition b = At(1, 0);
    // On the great circle through A and B, before, between and beyond them.
    EXPECT_NEAR(CrossTrackAngle(a, b, At(0.5, 0)), 0.0, 1e-12);
    EXPECT_NEAR(CrossTrackAngle(a, b, At(3, 0)), 0.0, 1e-12);
    const double right = CrossTrackAngle(a, b, At(0.5, 0.01));
    const double left = CrossTrackAngle(a, b, At(0.5, -0.01));
    EXPECT_NEAR(right, 0.01 * kDegree, 1e-8);
    EXPECT_NEAR(left, -0.01 * kDegree, 1e-8);
    // Southbound, east is to the left.
    EXPECT_LT(CrossTrackAngle(b, a, At(0.5, 0.01)), 0.0);
    // Eastbound along a parallel's great circle, north is to the left.
    EXPECT_LT(CrossTrackAngle(At(10, 0), At(10, 1), At(10.5, 0.5)), 0.0);
}

TEST(CrossTrackAngle, InNauticalMilesAndAcrossTheDateLine)
{
    // One minute of arc off the leg is one nautical mile.
    const double angle = CrossTrackAngle(At(0, 0), At(1, 0), At(0.5, 1.0 / 60));
    EXPECT_NEAR(angle * kNauticalMilesPerRadian, 1.0, 1e-3);
    EXPECT_NEAR(angle * kNauticalMilesPerRadian * kKmPerNauticalMile, 1.852, 2e-3);
    // Eastbound leg over the antimeridian; a point north of it lies to the left.
    const double north = CrossTrackAngle(At(0, 179.5), At(0, -179.5), At(0.1, 180));
    EXPECT_NEAR(north, -0.1 * kDegree, 1e-7);
}

} // namespace
