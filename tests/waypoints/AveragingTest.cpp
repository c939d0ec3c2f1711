#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "waypoints/WaypointAveraging.h"
#include "waypoints/WaypointDB.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class RecordingDisplay : public IAveragingDisplay {
public:
    void AveragingStarted() override { ++started; }
    void AveragingUpdated(const GeoPosition& m, double deviationKm, uint32_t count) override
    {
        mean = m;
        deviation = deviationKm;
        samples = count;
    }
    void AveragingStopped() override { ++stopped; }

    int started = 0, stopped = 0;
    GeoPosition mean;
    double deviation = -1.0;
    uint32_t samples = 0;
};

TEST(AveragingTest, RunningStatisticUsesTheNewMean)
{
    RunningStatistic statistic;
    statistic.Add(10.0);
    EXPECT_DOUBLE_EQ(statistic.sumOfSquares, 0.0);
    statistic.Add(12.0);
    EXPECT_EQ(statistic.count, 2u);
    EXPECT_DOUBLE_EQ(statistic.mean, 11.0);
    EXPECT_DOUBLE_EQ(statistic.sumOfSquares, 1.0);
    EXPECT_DOUBLE_EQ(statistic.deviation, std::sqrt(0.5));
}

TEST(AveragingTest, FixesAboveTheHdopThresholdAreLeftOut)
{
    struct Case {
        int enabled;
        double hdop;
        bool used;
    };
    const Case cases[] = {{1, 6.0, false}, {1, 5.0, true}, {1, 0.0, true}, {0, 6.0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hdop);
        WriteIntSetting("Map", "Enable Waypoint Avg Threshold", c.enabled);
        CWaypointAveraging averaging;
        averaging.Start();
        averaging.AddSample(1.0, 2.0, 3.0, c.hdop);
        EXPECT_EQ(averaging.Latitude().count, c.used ? 1u : 0u);
    }
    WriteIntSetting("Map", "Enable Waypoint Avg Threshold", 1);
}

TEST(AveragingTest, FinishingAfterOneSampleGivesThatPositionWithoutDeviation)
{
    CWaypointDB db;
    CWaypointAveraging averaging;
    RecordingDisplay display;
    averaging.AddDisplay(&display);
    averaging.Start();
    averaging.AddSample(33.8, -117.8, 120.5, 1.0);
    EXPECT_EQ(display.samples, 1u);
    EXPECT_DOUBLE_EQ(display.deviation, 0.0);
    EXPECT_EQ(display.mean.latitude, 33800000);
    const std::optional<CWaypoint> waypoint = averaging.Finish(db);
    ASSERT_TRUE(waypoint.has_value());
    EXPECT_EQ(waypoint->position.latitude, 33800000);
    EXPECT_EQ(waypoint->position.longitude, -117800000);
    EXPECT_FLOAT_EQ(waypoint->position.altitude, 120.5f);
    EXPECT_EQ(waypoint->strName, QStringLiteral("WPT 00000"));
    EXPECT_FALSE(averaging.IsAveraging());
    EXPECT_EQ(display.started, 1);
    EXPECT_EQ(display.stopped, 1);
}

TEST(AveragingTest, TheDeviationIsTheDistanceToTheMeanPlusOneDeviation)
{
    CWaypointAveraging averaging;
    averaging.Start();
    averaging.AddSample(10.0, 20.0, 0.0, 1.0);
    averaging.AddSample(10.5, 20.5, 0.0, 1.0);
    // Mean 10.25 and 20.25, deviation sqrt(0.25^2 / 2) in each, truncated to microdegrees.
    const auto off = [](double mean) {
        return static_cast<int32_t>(std::trunc((mean + std::sqrt(0.03125)) * 1e6));
    };
    const double expected = PositionDistance({10250000, 20250000, 0}, {off(10.25), off(20.25), 0});
    EXPECT_NEAR(averaging.DeviationKm(), expected, 1e-9);
}

TEST(AveragingTest, CancellingOrFinishingWithoutAFixCreatesNothing)
{
    CWaypointDB db;
    CWaypointAveraging averaging;
    averaging.Start();
    averaging.AddSample(1.0, 1.0, 1.0, 1.0);
    averaging.Cancel();
    averaging.AddSample(2.0, 2.0, 2.0, 1.0); // not averaging any more: ignored
    EXPECT_EQ(averaging.Latitude().count, 1u);
    EXPECT_FALSE(averaging.Finish(db).has_value()); // no longer running
    averaging.Start();
    EXPECT_FALSE(averaging.Finish(db).has_value()); // no fix taken
    EXPECT_EQ(db.GetCount(), 0);
}

TEST(AveragingTest, StatusTextsInTheUsersUnits)
{
    WriteIntSetting("Settings", "Distance-SpeedUnits", 2);
    WriteIntSetting("Settings", "AltitudeElevationUnits", 1);
    const AveragingStatusText text = AveragingStatus({33800000, -117800000, 12.0f}, 0.0123, 42);
    EXPECT_EQ(text.position.section('\n', 0, 0), QStringLiteral("Avg Lat:\tN 33° 48.0000"));
    EXPECT_TRUE(text.position.section('\n', 2, 2).startsWith(QStringLiteral("Avg Alt:\t12.00")));
    EXPECT_EQ(text.deviation, QStringLiteral("Deviation:\t0.01 km\nSamples:\t42"));
    WriteIntSetting("Settings", "Distance-SpeedUnits", 0);
    WriteIntSetting("Settings", "AltitudeElevationUnits", 0);
}

} // namespace
