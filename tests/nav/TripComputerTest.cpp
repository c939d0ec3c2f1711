#include "NmeaFeed.h"

#include "nav/TripComputer.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

const GeoPosition kStart{37394830, 127110250, 0.0f};
constexpr int64_t kNow = 1716033600; // 2024-05-18 12:00:00 UTC

// Feeds updates one second apart, as the GGA handler does.
struct TripRig {
    CTripComputer trip;
    GeoPosition target{};
    bool navigating = false;
    double timeOfDay = 43200.0;

    void Fix(const GeoPosition& at, double altitude = 50.0, double speed = 10.0)
    {
        trip.Update(timeOfDay, target, Latitude(at), Longitude(at), true, navigating, speed,
                    altitude);
        timeOfDay += 1.0;
    }
    void Loss()
    {
        trip.Update(timeOfDay, target, 0.0, 0.0, false, navigating, 0.0, 0.0);
        timeOfDay += 1.0;
    }
};

class TripComputer : public ::testing::Test {
protected:
    void SetUp() override { Clock::Pin(kNow); }
    void TearDown() override { Clock::Unpin(); }
};

TEST_F(TripComputer, OdometerSkipsTheFirstFixAfterALossAndMeasuresFromTheLastCounted)
{
    TripRig rig;
    rig.Fix(kStart);
    EXPECT_EQ(rig.trip.Odometer(), 0.0) << "the first fix only sets the reference";
    rig.Fix(Offset(kStart, 100, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.100, 1e-4);
    rig.Loss();
    rig.Loss();
    rig.Fix(Offset(kStart, 400, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.100, 1e-4) << "the first fix after the loss adds nothing";
    rig.Fix(Offset(kStart, 500, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.500, 1e-4) << "straight from the last position counted";
}

TEST_F(TripComputer, AJumpOfMoreThanAKilometreIsNotCountedButBecomesTheReference)
{
    TripRig rig;
    rig.Fix(kStart);
    rig.Fix(Offset(kStart, 1200, 0));
    EXPECT_EQ(rig.trip.Odometer(), 0.0);
    rig.Fix(Offset(kStart, 1300, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.100, 1e-4);
    rig.Loss();
    rig.Fix(Offset(kStart, 3000, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.100, 1e-4) << "1.7 km on after the loss: a jump";
    rig.Fix(Offset(kStart, 3050, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.150, 1e-4) << "measured from the jump's position";
}

TEST_F(TripComputer, FilterHoldsBackSmallStepsUntilTheDriftExceedsFiveMetres)
{
    TripRig rig;
    rig.Fix(kStart);
    for (int metres = 2; metres <= 4; metres += 2)
        rig.Fix(Offset(kStart, metres, 0));
    EXPECT_EQ(rig.trip.Odometer(), 0.0);
    rig.Fix(Offset(kStart, 6, 0));
    EXPECT_NEAR(rig.trip.Odometer(), 0.006, 1e-4);

    TripRig unfiltered;
    unfiltered.trip.SetPositionFilter(false);
    unfiltered.Fix(kStart);
    for (int metres = 2; metres <= 6; metres += 2)
        unfiltered.Fix(Offset(kStart, metres, 0));
    EXPECT_NEAR(unfiltered.trip.Odometer(), 0.006, 1e-4);
}

TEST_F(TripComputer, GradesOverEachHundredMetres)
{
    TripRig rig;
    // 6 m steps: 17 of them make the first 102 m, 3.2 % down, then 17 more at 5 % up.
    auto altitudeAt = [](int step) {
        return step <= 17 ? 80.0 - 0.192 * step : 80.0 - 0.192 * 17 + 0.3 * (step - 17);
    };
    for (int step = 0; step <= 17; ++step)
        rig.Fix(Offset(kStart, 6.0 * step, 0), altitudeAt(step));
    EXPECT_NEAR(rig.trip.Grade(), -3.2, 0.01);
    EXPECT_NEAR(rig.trip.MinimumGrade(), -3.2, 0.01);
    EXPECT_EQ(rig.trip.MaximumGrade(), 0.0);
    EXPECT_NEAR(rig.trip.DescentSum(), -0.192 * 17, 1e-6);
    EXPECT_EQ(rig.trip.AscentSum(), 0.0);
    for (int step = 18; step <= 34; ++step)
        rig.Fix(Offset(kStart, 6.0 * step, 0), altitudeAt(step));
    EXPECT_NEAR(rig.trip.Grade(), 5.0, 0.01);
    EXPECT_NEAR(rig.trip.MaximumGrade(), 5.0, 0.01);
    EXPECT_NEAR(rig.trip.AscentSum(), 0.3 * 17, 1e-6);
    EXPECT_NEAR(rig.trip.AverageGrade(), 0.9, 0.01);
    EXPECT_NEAR(rig.trip.AverageUphillGrade(), 5.0, 0.01);
    EXPECT_NEAR(rig.trip.AverageDownhillGrade(), -3.2, 0.01);
}

TEST_F(TripComputer, AltitudeAndSpeedExtremesIgnoreAZeroAltitude)
{
    TripRig rig;
    rig.Fix(kStart, 0.0, 3.0);
    rig.Fix(kStart, 60.0, 12.0);
    rig.Fix(kStart, 0.0, 4.0);
    rig.Fix(kStart, 45.0, 5.0);
    rig.Fix(kStart, 70.0, 0.0);
    rig.Loss();
    EXPECT_EQ(rig.trip.MaximumAltitude(), 70.0);
    EXPECT_EQ(rig.trip.MinimumAltitude(), 45.0);
    EXPECT_EQ(rig.trip.MaximumSpeed(), 12.0);
    EXPECT_DOUBLE_EQ(rig.trip.AverageSpeed(), 24.0 / 5) << "speeds of fixes only";
}

TEST_F(TripComputer, TimeToNextFromTheClosingSpeedAndMinusOneWhenMovingAway)
{
    TripRig rig;
    rig.navigating = true;
    rig.target = Offset(kStart, 1000, 0);
    // 10 m a second towards the target, 900 m to go at the last fix.
    for (int step = 0; step <= 10; ++step)
        rig.Fix(Offset(kStart, 10.0 * step, 0));
    // The first step only starts the clock, the second has no earlier distance (a decrease of
    // 0 in the 30-value average), then eight steps of 10 m.
    const double averageDecrease = 0.010 * 8 / 9;
    EXPECT_NEAR(rig.trip.TimeToNext(), 0.900 / averageDecrease, 0.5);
    EXPECT_EQ(rig.trip.ArrivalTime(),
              static_cast<uint32_t>(kNow + static_cast<int64_t>(rig.trip.TimeToNext())));

    rig.Fix(Offset(kStart, 90, 0));
    EXPECT_EQ(rig.trip.TimeToNext(), -1.0);
    // The next step closes again, but at the same time of day (no speed can be told): the
    // arrival time is recomputed with the -1 still in place and must not wrap.
    rig.timeOfDay -= 1.0;
    Clock::Pin(kNow + 60);
    rig.Fix(Offset(kStart, 100, 0));
    EXPECT_EQ(rig.trip.TimeToNext(), -1.0);
    EXPECT_EQ(rig.trip.ArrivalTime(), static_cast<uint32_t>(kNow + 60));
}

TEST_F(TripComputer, TimeToNextWaitsOutGapsOfMoreThanTenSeconds)
{
    TripRig rig;
    rig.navigating = true;
    rig.target = Offset(kStart, 1000, 0);
    for (int step = 0; step <= 3; ++step)
        rig.Fix(Offset(kStart, 10.0 * step, 0));
    const double before = rig.trip.TimeToNext();
    rig.timeOfDay += 20.0;
    rig.Fix(Offset(kStart, 40, 0));
    EXPECT_EQ(rig.trip.TimeToNext(), before);
    rig.Fix(Offset(kStart, 50, 0));
    EXPECT_NE(rig.trip.TimeToNext(), before);
}

TEST_F(TripComputer, ResetStartsATripButKeepsTheArrivalEstimate)
{
    TripRig rig;
    rig.navigating = true;
    rig.target = Offset(kStart, 1000, 0);
    rig.trip.SetPositionFilter(false);
    for (int step = 0; step <= 5; ++step)
        rig.Fix(Offset(kStart, 10.0 * step, 0), 50.0 + step, 8.0);
    const double timeToNext = rig.trip.TimeToNext();
    const uint32_t arrival = rig.trip.ArrivalTime();
    Clock::Pin(kNow + 100);
    EXPECT_EQ(rig.trip.ElapsedSeconds(), 100);
    rig.trip.Reset();
    EXPECT_EQ(rig.trip.Odometer(), 0.0);
    EXPECT_EQ(rig.trip.MaximumSpeed(), 0.0);
    EXPECT_EQ(rig.trip.MaximumAltitude(), 0.0);
    EXPECT_EQ(rig.trip.AverageSpeed(), 0.0);
    EXPECT_EQ(rig.trip.ElapsedSeconds(), 0);
    EXPECT_EQ(rig.trip.TimeToNext(), timeToNext);
    EXPECT_EQ(rig.trip.ArrivalTime(), arrival);
    EXPECT_FALSE(rig.trip.PositionFilter());
    Clock::Pin(kNow + 50);
    EXPECT_EQ(rig.trip.ElapsedSeconds(), 0) << "a clock set back shows no negative time";
}

} // namespace
