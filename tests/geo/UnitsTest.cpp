#include "geo/Units.h"

#include "app/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

void SetDistanceUnits(int value)
{
    ASSERT_TRUE(WriteIntSetting("Settings", "Distance-SpeedUnits", value));
}

void SetAltitudeUnits(int value)
{
    ASSERT_TRUE(WriteIntSetting("Settings", "AltitudeElevationUnits", value));
}

class UnitsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetDistanceUnits(0);
        SetAltitudeUnits(0);
    }
};

TEST_F(UnitsTest, StatuteByDefault)
{
    EXPECT_EQ(DistanceSpeedUnits(), 0);
    EXPECT_EQ(AltitudeElevationUnits(), 0);
    EXPECT_EQ(SpeedUnitName(), "MPH");
    EXPECT_EQ(AltitudeUnitName(), "ft");
}

TEST_F(UnitsTest, EachCallReadsTheSettingAfresh)
{
    SetDistanceUnits(2);
    EXPECT_DOUBLE_EQ(SpeedToDisplay(10), 18.52);
    SetDistanceUnits(1);
    EXPECT_DOUBLE_EQ(SpeedToDisplay(10), 10);
    SetAltitudeUnits(1);
    EXPECT_EQ(AltitudeUnitName(), "m");
}

TEST_F(UnitsTest, StatuteDistancesAndSpeeds)
{
    SetDistanceUnits(0);
    EXPECT_DOUBLE_EQ(SpeedToDisplay(10), 11.5077944802);
    EXPECT_DOUBLE_EQ(SpeedFactor(), 1.15077944802);
    EXPECT_EQ(LongDistanceUnitName(), "mi");
    EXPECT_DOUBLE_EQ(MilesToLong(2), 2);
    EXPECT_DOUBLE_EQ(MilesToShort(2), 10560);
    EXPECT_DOUBLE_EQ(ShortDistanceFactor(), 5280);
    EXPECT_EQ(ShortDistanceUnitName(), "ft");
    EXPECT_DOUBLE_EQ(MetresToShort(100), 328.083989501);
    EXPECT_DOUBLE_EQ(ShortToMetres(100), 30.48);
    EXPECT_DOUBLE_EQ(LongToKm(2), 3.218688);
    EXPECT_DOUBLE_EQ(LongToKmPlot(2), 3.218688);
    EXPECT_DOUBLE_EQ(KmToLong(2), 1.242742384474);
    EXPECT_DOUBLE_EQ(AccelerationFactor().factor, 3.28083989501);
    EXPECT_EQ(AccelerationFactor().label, "ft/s/s");
}

TEST_F(UnitsTest, NauticalDistancesAndSpeeds)
{
    SetDistanceUnits(1);
    EXPECT_DOUBLE_EQ(SpeedToDisplay(10), 10);
    EXPECT_EQ(SpeedUnitName(), "KT");
    EXPECT_DOUBLE_EQ(SpeedFactor(), 1.0);
    EXPECT_EQ(LongDistanceUnitName(), "nmi");
    EXPECT_DOUBLE_EQ(MilesToLong(2), 1.737952483802);
    // The short unit of the nautical system is the nautical mile too.
    EXPECT_DOUBLE_EQ(MilesToShort(2), 1.737952483802);
    EXPECT_DOUBLE_EQ(ShortDistanceFactor(), 0.868976241901);
    EXPECT_EQ(ShortDistanceUnitName(), "nmi");
    EXPECT_DOUBLE_EQ(LongToKm(2), 3.704);
    EXPECT_DOUBLE_EQ(LongToKmPlot(2), 3.704);
    EXPECT_DOUBLE_EQ(KmToLong(2), 1.079913606912);
    EXPECT_DOUBLE_EQ(AccelerationFactor().factor, 1.0);
    EXPECT_EQ(AccelerationFactor().label, "m/s/s");
}

TEST_F(UnitsTest, MetricDistancesAndSpeeds)
{
    SetDistanceUnits(2);
    EXPECT_EQ(SpeedUnitName(), "Km/h");
    EXPECT_DOUBLE_EQ(SpeedFactor(), 1.852);
    EXPECT_EQ(LongDistanceUnitName(), "km");
    EXPECT_DOUBLE_EQ(MilesToLong(2), 3.218688);
    EXPECT_DOUBLE_EQ(MilesToShort(2), 3218.688);
    EXPECT_DOUBLE_EQ(ShortDistanceFactor(), 1609.344);
    EXPECT_EQ(ShortDistanceUnitName(), "m");
    EXPECT_DOUBLE_EQ(MetresToShort(123.4), 123.4);
    EXPECT_DOUBLE_EQ(ShortToMetres(123.4), 123.4);
    EXPECT_DOUBLE_EQ(LongToKm(2), 2);
    EXPECT_DOUBLE_EQ(KmToLong(2), 2);
    EXPECT_EQ(AccelerationFactor().label, "m/s/s");
}

TEST_F(UnitsTest, NauticalShortUnitSurvivesShowAndEnter)
{
    SetDistanceUnits(1);
    EXPECT_DOUBLE_EQ(ShortToMetres(1), 1852);
    EXPECT_NEAR(MetresToShort(ShortToMetres(1)), 1.0, 1e-12);
    EXPECT_NEAR(MetresToShort(ShortToMetres(0.25)), 0.25, 1e-12);
}

TEST_F(UnitsTest, DistanceSettingOutOfRange)
{
    for (int value : {3, -1, 99}) {
        SCOPED_TRACE(value);
        SetDistanceUnits(value);
        EXPECT_EQ(DistanceSpeedUnits(), value);
        EXPECT_EQ(SpeedToDisplay(10), 0.0);
        EXPECT_TRUE(SpeedUnitName().isEmpty());
        EXPECT_TRUE(LongDistanceUnitName().isEmpty());
        EXPECT_EQ(SpeedFactor(), 1.0);
        EXPECT_EQ(MilesToLong(2.5), 2.5);
        EXPECT_EQ(MilesToShort(2.5), 2.5);
        EXPECT_EQ(ShortDistanceFactor(), 1.0);
        EXPECT_EQ(ShortDistanceUnitName(), "NA");
        EXPECT_EQ(AutoDistance(2.5), 0.0);
        EXPECT_TRUE(AutoDistanceUnitName(2.5).isEmpty());
        EXPECT_EQ(MetresToShort(2.5), 0.0);
        EXPECT_EQ(ShortToMetres(2.5), 0.0);
        EXPECT_EQ(LongToKm(2.5), 0.0);
        EXPECT_EQ(KmToLong(2.5), 2.5);
        EXPECT_EQ(LongToKmPlot(2.5), 2.5);
        EXPECT_EQ(AccelerationFactor().factor, 1.0);
        EXPECT_EQ(AccelerationFactor().label, "err");
    }
}

TEST_F(UnitsTest, AutoDistanceSwitchesUnitAtTheThresholds)
{
    SetDistanceUnits(0);
    EXPECT_DOUBLE_EQ(AutoDistance(0.2), 1056);
    EXPECT_EQ(AutoDistanceUnitName(0.2), "ft");
    EXPECT_DOUBLE_EQ(AutoDistance(0.25), 0.25);
    EXPECT_EQ(AutoDistanceUnitName(0.25), "mi");
    // The threshold applies to the magnitude, so a negative distance scales alike.
    EXPECT_DOUBLE_EQ(AutoDistance(-0.2), -1056);
    EXPECT_EQ(AutoDistanceUnitName(-0.3), "mi");

    SetDistanceUnits(1);
    EXPECT_DOUBLE_EQ(AutoDistance(0.01), 0.00868976241901);
    EXPECT_EQ(AutoDistanceUnitName(0.01), "nmi");
    EXPECT_EQ(AutoDistanceUnitName(1000), "nmi");

    SetDistanceUnits(2);
    EXPECT_DOUBLE_EQ(AutoDistance(0.6), 965.6064);
    EXPECT_EQ(AutoDistanceUnitName(0.6), "m");
    EXPECT_DOUBLE_EQ(AutoDistance(0.63), 1.01388672);
    EXPECT_EQ(AutoDistanceUnitName(0.63), "km");
    // Kilometres reach the display through miles first.
    EXPECT_NEAR(AutoDistance(5.0 * 0.621371192237), 5.0, 1e-9);
}

TEST_F(UnitsTest, AltitudeInEachSetting)
{
    SetAltitudeUnits(0);
    EXPECT_DOUBLE_EQ(AltitudeToDisplay(100), 328.083989501);
    EXPECT_EQ(AltitudeFactor().label, "ft");
    EXPECT_DOUBLE_EQ(AltitudeFactor().factor, 3.28083989501);
    EXPECT_EQ(AltitudeText(100), "328.08   ft     ");
    EXPECT_DOUBLE_EQ(AltitudeToMetres(1000), 304.8);

    SetAltitudeUnits(1);
    EXPECT_DOUBLE_EQ(AltitudeToDisplay(100), 100);
    EXPECT_EQ(AltitudeFactor().label, "m");
    EXPECT_EQ(AltitudeFactor().factor, 1.0);
    EXPECT_EQ(AltitudeText(-12.346), "-12.35   m     ");
    EXPECT_EQ(AltitudeText(12345.678), "12345.68 m     ");
    EXPECT_DOUBLE_EQ(AltitudeToMetres(1000), 1000);

    SetAltitudeUnits(2);
    EXPECT_EQ(AltitudeToDisplay(100), -1.0);
    EXPECT_EQ(AltitudeUnitName(), "err");
    EXPECT_EQ(AltitudeFactor().factor, 1.0);
    EXPECT_EQ(AltitudeFactor().label, "err");
    EXPECT_EQ(AltitudeText(100), "-1.00    err     ");
    EXPECT_DOUBLE_EQ(AltitudeToMetres(1000), 1000);
}

TEST_F(UnitsTest, VerticalSpeedInEachSetting)
{
    SetAltitudeUnits(0);
    EXPECT_DOUBLE_EQ(VerticalSpeedToDisplay(60), 196.8503937006);
    EXPECT_EQ(VerticalSpeedUnitName(), "X100 ft per min");
    EXPECT_DOUBLE_EQ(VerticalSpeedFactor().factor, 0.054680664916833335);
    EXPECT_EQ(VerticalSpeedFactor().label, "ft/s");

    SetAltitudeUnits(1);
    EXPECT_DOUBLE_EQ(VerticalSpeedToDisplay(60), 1.0);
    EXPECT_EQ(VerticalSpeedUnitName(), "m/s");
    EXPECT_DOUBLE_EQ(VerticalSpeedFactor().factor, 0.016666666666666666);
    EXPECT_EQ(VerticalSpeedFactor().label, "m/s");

    SetAltitudeUnits(-3);
    EXPECT_EQ(VerticalSpeedToDisplay(60), -1.0);
    EXPECT_EQ(VerticalSpeedUnitName(), "err");
    EXPECT_EQ(VerticalSpeedFactor().factor, -1.0);
    EXPECT_TRUE(VerticalSpeedFactor().label.isEmpty());
}

} // namespace
