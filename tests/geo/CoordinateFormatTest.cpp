#include "geo/Units.h"

#include "app/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void SetPositionFormat(int value)
{
    ASSERT_TRUE(WriteIntSetting("Settings", "PositionFormat", value));
}

// What the masked field hands back: the fill with the mask's literal characters taken out.
QString DigitsOf(QString fill)
{
    return fill.remove(QLatin1Char('.'));
}

class CoordinateFormatTest : public ::testing::Test {
protected:
    void TearDown() override { SetPositionFormat(0); }
};

TEST_F(CoordinateFormatTest, DegreesAndDecimalMinutes)
{
    EXPECT_EQ(FormatLatitude(33.8, 0), "N 33° 48.0000");
    EXPECT_EQ(FormatLongitude(-117.8, 0), "W 117° 48.0000");
    EXPECT_EQ(FormatLatitude(0, 0), "N 00° 00.0000");
    EXPECT_EQ(FormatLongitude(0, 0), "E 000° 00.0000");
    EXPECT_EQ(FormatLatitude(-5.5, 0), "S 05° 30.0000");
    EXPECT_EQ(FormatLongitude(5.25, 0), "E 005° 15.0000");
}

TEST_F(CoordinateFormatTest, DegreesMinutesAndSeconds)
{
    EXPECT_EQ(FormatLatitude(33.8, 1), "N 33° 48' 00.000");
    EXPECT_EQ(FormatLongitude(-117.8, 1), "W 117° 48' 00.000");
    EXPECT_EQ(FormatLatitude(-45.5125, 1), "S 45° 30' 45.000");
    EXPECT_EQ(FormatLongitude(8.0, 1), "E 008° 00' 00.000");
}

TEST_F(CoordinateFormatTest, DecimalDegrees)
{
    EXPECT_EQ(FormatLatitude(33.8, 2), "N 33.800000°");
    EXPECT_EQ(FormatLongitude(-117.8, 2), "W 117.800000°");
    EXPECT_EQ(FormatLatitude(-5.5, 2), "S 05.500000°");
    EXPECT_EQ(FormatLongitude(5.5, 2), "E 005.500000°");
}

TEST_F(CoordinateFormatTest, HemisphereOfTinyValuesAndZero)
{
    EXPECT_EQ(FormatLatitude(-0.000001, 0), "S 00° 00.0001");
    EXPECT_EQ(FormatLongitude(-0.000001, 2), "W 000.000001°");
    EXPECT_EQ(FormatLatitude(-0.0, 0), "N 00° 00.0000");
    EXPECT_EQ(HemisphereIndex(-1), 1);
    EXPECT_EQ(HemisphereIndex(0), 0);
    EXPECT_EQ(HemisphereIndex(33800000), 0);
}

TEST_F(CoordinateFormatTest, MinutesRoundAndCarryIntoTheDegrees)
{
    const double justUnder = 33.0 + 59.9999 / 60.0;
    EXPECT_EQ(FormatLatitude(justUnder, 0), "N 33° 59.9999");
    EXPECT_EQ(FormatLatitude(justUnder, 1), "N 33° 59' 59.994");
    // Minutes that round up to 60 carry into the degrees instead of showing "33° 60.0000".
    EXPECT_EQ(FormatLatitude(33.99999999, 0), "N 34° 00.0000");
    EXPECT_EQ(FormatLatitude(33.99999999, 1), "N 34° 00' 00.000");
    EXPECT_EQ(FormatLongitude(-179.999999999, 0), "W 180° 00.0000");
    EXPECT_EQ(FormatLatitude(33.99999999, 2), "N 34.000000°");
    // Half a ten-thousandth of a minute rounds up.
    EXPECT_EQ(FormatLongitude(-(117.0 + 0.00005 / 60.0 + 1e-12), 0), "W 117° 00.0001");
}

TEST_F(CoordinateFormatTest, StoredSettingChoosesTheFormat)
{
    SetPositionFormat(1);
    EXPECT_EQ(PositionFormat(), 1);
    EXPECT_EQ(FormatLatitude(33.8), "N 33° 48' 00.000");
    SetPositionFormat(2);
    EXPECT_EQ(FormatLongitude(-117.8), "W 117.800000°");
}

TEST_F(CoordinateFormatTest, UnknownFormatShowsErrorForLatitudeOnly)
{
    for (int format : {3, -1}) {
        EXPECT_EQ(FormatLatitude(33.8, format), "ERROR");
        EXPECT_TRUE(FormatLongitude(-117.8, format).isEmpty());
    }
    SetPositionFormat(7);
    EXPECT_EQ(FormatLatitude(33.8), "ERROR");
    EXPECT_TRUE(FormatLongitude(-117.8).isEmpty());
    EXPECT_EQ(LatitudeMask(), "ERROR");
    EXPECT_EQ(LongitudeMask(), "ERROR");
    EXPECT_EQ(LatitudeFill(33.8), "ERROR");
    EXPECT_EQ(LongitudeFill(-117.8), "ERROR");
}

TEST_F(CoordinateFormatTest, MasksAndFillsOfEachFormat)
{
    SetPositionFormat(0);
    EXPECT_EQ(LatitudeMask(), "99'99.9999");
    EXPECT_EQ(LongitudeMask(), "999'99.9999");
    EXPECT_EQ(LatitudeFill(33.8), "3348.0000");
    EXPECT_EQ(LongitudeFill(-117.8), "11748.0000");

    SetPositionFormat(1);
    EXPECT_EQ(LatitudeMask(), "99\"99'99.999");
    EXPECT_EQ(LongitudeMask(), "999\"99'99.999");
    EXPECT_EQ(LatitudeFill(-33.8), "334800.000");
    EXPECT_EQ(LongitudeFill(8.0125), "0080045.000");

    SetPositionFormat(2);
    EXPECT_EQ(LatitudeMask(), "99.999999");
    EXPECT_EQ(LongitudeMask(), "999.999999");
    EXPECT_EQ(LatitudeFill(-5.5), "05.500000");
    EXPECT_EQ(LongitudeFill(-117.8), "117.800000");
}

TEST_F(CoordinateFormatTest, ParseCoordinateOfEachFormat)
{
    SetPositionFormat(0);
    EXPECT_EQ(ParseCoordinate("33480000"), 33800000);
    EXPECT_EQ(ParseCoordinate("117480000"), 117800000);
    EXPECT_EQ(ParseCoordinate("33600000"), 34000000); // 60 minutes, as a carried-over text shows
    SetPositionFormat(1);
    EXPECT_EQ(ParseCoordinate("334800000"), 33800000);
    EXPECT_EQ(ParseCoordinate("1174800000"), 117800000);
    EXPECT_EQ(ParseCoordinate("453045000"), 45512500);
    SetPositionFormat(2);
    EXPECT_EQ(ParseCoordinate("33800000"), 33800000);
    EXPECT_EQ(ParseCoordinate("117800000"), 117800000);
}

TEST_F(CoordinateFormatTest, ParseCoordinateTruncatesMinutesInFormatZero)
{
    SetPositionFormat(0);
    // 0.0001 minute is 1.67 microdegrees; the fraction is cut, not rounded.
    EXPECT_EQ(ParseCoordinate("00000001"), 1);
    EXPECT_EQ(ParseCoordinate("00000002"), 3);
}

TEST_F(CoordinateFormatTest, ParseCoordinateOfBlankOddAndHugeInput)
{
    for (int format : {0, 1, 2}) {
        SCOPED_TRACE(format);
        SetPositionFormat(format);
        EXPECT_EQ(ParseCoordinate("0000000000"), 0); // a blank field
        EXPECT_EQ(ParseCoordinate(""), 0);
        EXPECT_GE(ParseCoordinate(QString(300, QLatin1Char('9'))), 0);
    }
    SetPositionFormat(2);
    // Reading stops at the first character that is not a digit.
    EXPECT_EQ(ParseCoordinate("33800000x123"), 33800000);
    EXPECT_EQ(ParseCoordinate("338x00000"), 338);
    EXPECT_EQ(ParseCoordinate(QString(300, QLatin1Char('9'))), INT32_MAX);
}

// Stored value -> fill -> typed back unchanged -> parse, across a sweep of both axes.
TEST_F(CoordinateFormatTest, FillParsesBackToTheStoredValue)
{
    struct Case {
        int format;
        int tolerance; // microdegrees the format cannot resolve
    };
    for (const Case c : {Case{0, 2}, Case{1, 1}, Case{2, 0}}) {
        SCOPED_TRACE(c.format);
        SetPositionFormat(c.format);
        for (int32_t stored = -180000000; stored <= 180000000; stored += 1234567) {
            const double degrees = stored * 1e-6;
            if (std::abs(stored) <= 90000000) {
                const int32_t parsed = ParseCoordinate(DigitsOf(LatitudeFill(degrees)));
                EXPECT_LE(std::abs(parsed - std::abs(stored)), c.tolerance) << stored;
            }
            const int32_t parsed = ParseCoordinate(DigitsOf(LongitudeFill(degrees)));
            EXPECT_LE(std::abs(parsed - std::abs(stored)), c.tolerance) << stored;
        }
    }
}

} // namespace
