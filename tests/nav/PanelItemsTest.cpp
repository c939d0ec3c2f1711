#include "FreshSettings.h"
#include "NmeaFeed.h"

#include "gps/NMEAParser.h"
#include "nav/Navigation.h"
#include "nav/PanelItems.h"
#include "nav/TripComputer.h"
#include "platform/Clock.h"
#include "waypoints/WaypointDB.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

namespace {

const GeoPosition kHere{37394830, 127110250, 0.0f};
constexpr int64_t kMay18Noon = 1716033600; // 2024-05-18 12:00:00 UTC

// TZ for the lifetime of the object.
class CTimeZone {
public:
    explicit CTimeZone(const char* zone) : m_old(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~CTimeZone()
    {
        qputenv("TZ", m_old);
        tzset();
    }

private:
    QByteArray m_old;
};

struct PanelRig {
    CNMEAParser parser;
    CWaypointDB store;
    CNavigation navigation{store};
    CTripComputer trip;
    double course = 0.0;

    PanelRig() { navigation.SetCurrentPosition(kHere); }

    PanelItemTexts Texts(int kind, const QString& powerRoot = QStringLiteral("/nonexistent"))
    {
        return FormatPanelItem(kind, {parser, navigation, trip, course, powerRoot});
    }
    void Receive(double speed, double altitude)
    {
        FixSentence fix;
        fix.latitude = Latitude(kHere);
        fix.longitude = Longitude(kHere);
        fix.speed = speed;
        fix.altitude = altitude;
        Feed(parser, RmcSentence(fix) + GgaSentence(fix));
    }
    void GoTo(const GeoPosition& position)
    {
        CWaypoint target;
        target.strName = QStringLiteral("ORI");
        target.position = position;
        navigation.GoTo(target);
    }
};

void SetUnits(int distanceSpeed, int altitude)
{
    WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("Distance-SpeedUnits"),
                    distanceSpeed);
    WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("AltitudeElevationUnits"), altitude);
}

class PanelItems : public ::testing::Test {
protected:
    void SetUp() override { Clock::Pin(kMay18Noon); }
    void TearDown() override { Clock::Unpin(); }
    CFreshSettings freshSettings;
};

TEST_F(PanelItems, LabelsAndListNamesComeFromTheStringTable)
{
    PanelRig rig;
    EXPECT_EQ(PanelItemListName(kPanelBlank), QStringLiteral("빈 칸"));
    EXPECT_EQ(rig.Texts(kPanelBlank).label, QString());
    EXPECT_EQ(PanelItemListName(kPanelDistanceToTarget), QStringLiteral("거리"));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).label, QStringLiteral("거리"));
    EXPECT_EQ(PanelItemListName(kPanelAverageSpeed), QStringLiteral("평균 속도"));
    EXPECT_EQ(rig.Texts(kPanelAverageSpeed).label, QStringLiteral("평균속도"));
    EXPECT_EQ(PanelItemListName(kPanelBearingToTargetPoint), QStringLiteral("목적지 방위각 기호"));
    EXPECT_EQ(rig.Texts(kPanelBearingToTargetPoint).label, QStringLiteral("목적지 방위각"));
    EXPECT_EQ(rig.Texts(kPanelArrivalTime12).label, QStringLiteral("도착예정시간 (12h)"));
    for (int kind = 1; kind < kPanelItemKindCount; ++kind) {
        EXPECT_FALSE(rig.Texts(kind).label.isEmpty()) << kind;
        EXPECT_FALSE(PanelItemListName(kind).isEmpty()) << kind;
    }
    for (int kind : {31, -1}) {
        const PanelItemTexts unknown = rig.Texts(kind);
        EXPECT_EQ(unknown.value, QStringLiteral("???"));
        EXPECT_EQ(unknown.label, QStringLiteral("???"));
        EXPECT_EQ(unknown.units, QStringLiteral("??"));
        EXPECT_EQ(unknown.detail, QString::number(kind));
    }
}

TEST_F(PanelItems, SpeedsAndAltitudesInTheChosenUnits)
{
    PanelRig rig;
    SetUnits(2, 1);
    rig.Receive(10.0, 45.3);
    EXPECT_EQ(rig.Texts(kPanelSpeed).value, QStringLiteral("18.5")) << "18.52 km/h";
    EXPECT_EQ(rig.Texts(kPanelSpeed).units, QStringLiteral("Km/h"));
    EXPECT_EQ(rig.Texts(kPanelAltitude).value, QStringLiteral("45.3"));
    EXPECT_EQ(rig.Texts(kPanelAltitude).units, QStringLiteral("m"));
    rig.Receive(5.0, 1234.6);
    EXPECT_EQ(rig.Texts(kPanelSpeed).value, QStringLiteral("9.26"));
    EXPECT_EQ(rig.Texts(kPanelAltitude).value, QStringLiteral("1235"));

    SetUnits(0, 0);
    rig.Receive(10.0, 45.3);
    EXPECT_EQ(rig.Texts(kPanelSpeed).value, QStringLiteral("11.5"));
    EXPECT_EQ(rig.Texts(kPanelSpeed).units, QStringLiteral("MPH"));
    EXPECT_EQ(rig.Texts(kPanelAltitude).value, QStringLiteral("148.6"));
    EXPECT_EQ(rig.Texts(kPanelAltitude).units, QStringLiteral("ft"));
}

TEST_F(PanelItems, NavigationItemsWithoutATarget)
{
    PanelRig rig;
    SetUnits(2, 1);
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).value, QStringLiteral("0.00"));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).units, QStringLiteral("m"));
    EXPECT_EQ(rig.Texts(kPanelBearingToTarget).value, QStringLiteral("0.0°"));
    EXPECT_EQ(rig.Texts(kPanelBearingToTargetPoint).value, QStringLiteral("--"));
    EXPECT_EQ(rig.Texts(kPanelCrossTrackError).value, QStringLiteral("0.00"));
    for (int kind : {kPanelTimeToNext, kPanelArrivalTime, kPanelArrivalTime12}) {
        EXPECT_EQ(rig.Texts(kind).value, QStringLiteral("---")) << kind;
        EXPECT_EQ(rig.Texts(kind).units, QStringLiteral("---")) << kind;
    }
}

TEST_F(PanelItems, DistanceBearingAndCrossTrackToTheTarget)
{
    PanelRig rig;
    SetUnits(2, 1);
    rig.navigation.SetCurrentPosition(Offset(kHere, 0, -1500));
    rig.GoTo(kHere);
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).value, QStringLiteral("1.50"));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).units, QStringLiteral("km"));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).detail, QStringLiteral("ORI"));
    EXPECT_EQ(rig.Texts(kPanelBearingToTarget).value, QStringLiteral("90.0°"));
    EXPECT_EQ(rig.Texts(kPanelBearingToTargetPoint).value, QStringLiteral("E"));

    rig.navigation.SetCurrentPosition(Offset(kHere, -150, -500)); // right of the eastward leg
    EXPECT_EQ(rig.Texts(kPanelCrossTrackError).value, QStringLiteral("149.7"));
    EXPECT_EQ(rig.Texts(kPanelCrossTrackError).units, QStringLiteral("m"));
    rig.navigation.SetCurrentPosition(Offset(kHere, 0, -150));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).value, QStringLiteral("150"));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).units, QStringLiteral("m"));
    rig.navigation.SetCurrentPosition(Offset(kHere, 0, -50));
    EXPECT_EQ(rig.Texts(kPanelDistanceToTarget).value, QStringLiteral("50.0"));
}

TEST_F(PanelItems, CourseAsDegreesAndCompassPoint)
{
    PanelRig rig;
    rig.course = 200.04;
    EXPECT_EQ(rig.Texts(kPanelCourse).value, QStringLiteral("200.0"));
    EXPECT_EQ(rig.Texts(kPanelCoursePoint).value, QStringLiteral("S"));
    EXPECT_STREQ(CompassPoint(22.49), "N");
    EXPECT_STREQ(CompassPoint(22.5), "NE");
    EXPECT_STREQ(CompassPoint(157.49), "SE");
    EXPECT_STREQ(CompassPoint(292.5), "NW");
    EXPECT_STREQ(CompassPoint(337.5), "N");
    EXPECT_STREQ(CompassPoint(360.0), "N");
}

TEST_F(PanelItems, DurationsAtTheirEdges)
{
    auto expect = [](DurationTexts texts, const char* value, const char* units) {
        EXPECT_EQ(texts.value, QString::fromUtf8(value));
        EXPECT_EQ(texts.units, QString::fromUtf8(units));
    };
    expect(TimeToNextTexts(59.99), "00:59", "MM:SS");
    expect(TimeToNextTexts(3599.0), "59:59", "MM:SS");
    expect(TimeToNextTexts(3600.0), "01:00", "HH:MM");
    expect(TimeToNextTexts(86399.0), "23:59", "HH:MM");
    expect(TimeToNextTexts(90061.0), "1", "Days");
    expect(TimeToNextTexts(1e15), "9999", "Days");
    expect(ElapsedTexts(3599), "59:59", "MM:SS");
    expect(ElapsedTexts(3661), "01:01", "HH:MM");
    expect(ElapsedTexts(86400), "1", "Days");
    expect(ElapsedTexts(int64_t{86400} * 20000), "9999", "Days");

    PanelRig rig;
    Clock::Pin(kMay18Noon + 3599);
    EXPECT_EQ(rig.Texts(kPanelElapsedTime).value, QStringLiteral("59:59"));
    EXPECT_EQ(rig.Texts(kPanelElapsedTime).units, QStringLiteral("MM:SS"));
}

TEST_F(PanelItems, TimeToNextAndArrivalTimeWhileNavigating)
{
    const CTimeZone seoul("Asia/Seoul");
    Clock::Pin(kMay18Noon + 3 * 60 + 3600); // 13:03:00 UTC, 22:03 in Seoul
    PanelRig rig;
    SetUnits(2, 1);
    const GeoPosition start = Offset(kHere, -1000, 0);
    rig.GoTo(kHere);
    double timeOfDay = 47000.0;
    for (int step = 0; step <= 10; ++step) {
        const GeoPosition at = Offset(start, 10.0 * step, 0);
        rig.trip.Update(timeOfDay++, kHere, Latitude(at), Longitude(at), true, true, 19.4, 50.0);
    }
    // About 101 s to go (see the trip computer's tests): arrival 22:04:41.
    EXPECT_EQ(rig.Texts(kPanelTimeToNext).value, QStringLiteral("01:41"));
    EXPECT_EQ(rig.Texts(kPanelTimeToNext).units, QStringLiteral("MM:SS"));
    EXPECT_EQ(rig.Texts(kPanelArrivalTime).value, QStringLiteral("22:04"));
    EXPECT_EQ(rig.Texts(kPanelArrivalTime).units, QStringLiteral("HH:MM"));
    EXPECT_EQ(rig.Texts(kPanelArrivalTime12).value, QStringLiteral("10:04"));
    EXPECT_EQ(rig.Texts(kPanelArrivalTime12).units, QStringLiteral("(PM)"));
    EXPECT_EQ(rig.Texts(kPanelArrivalTime12).detail, QStringLiteral("ORI"));

    const GeoPosition away = Offset(start, 90, 0);
    rig.trip.Update(timeOfDay++, kHere, Latitude(away), Longitude(away), true, true, 19.4, 50.0);
    EXPECT_EQ(rig.Texts(kPanelTimeToNext).value, QStringLiteral("---")) << "moving away";
    EXPECT_EQ(rig.Texts(kPanelTimeToNext).units, QStringLiteral("---"));
}

TEST_F(PanelItems, TwelveHourClockAroundNoonAndMidnight)
{
    const CTimeZone seoul("Asia/Seoul"); // UTC+9, no daylight saving
    PanelRig rig;
    struct Case {
        int64_t utc;
        const char* value12;
        const char* amPm;
        const char* value24;
    };
    const Case cases[] = {
        {kMay18Noon + 3 * 3600 + 30 * 60 + 15, "12:30", "AM", "00:30"}, // 00:30:15 local
        {kMay18Noon - 9 * 3600 + 30 * 60, "12:30", "PM", "12:30"},
        {kMay18Noon - 8 * 3600 + 5 * 60, "01:05", "PM", "13:05"},
        {kMay18Noon - 20 * 3600 + 11 * 60, "01:11", "AM", "01:11"},
        {kMay18Noon - 10 * 3600 + 59 * 60, "11:59", "AM", "11:59"},
    };
    for (const Case& c : cases) {
        Clock::Pin(c.utc);
        const PanelItemTexts twelve = rig.Texts(kPanelClock12);
        EXPECT_EQ(twelve.value, QString::fromLatin1(c.value12)) << c.value24;
        EXPECT_EQ(twelve.units, QString::fromLatin1(c.amPm)) << c.value24;
        EXPECT_EQ(rig.Texts(kPanelClock).value, QString::fromLatin1(c.value24));
    }
    Clock::Pin(kMay18Noon + 3 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(rig.Texts(kPanelClock12).detail, QStringLiteral("12:30:15"));
    EXPECT_EQ(rig.Texts(kPanelClock).detail, QStringLiteral("00:30:15"));
    EXPECT_EQ(rig.Texts(kPanelClockUtc).value, QStringLiteral("15:30"));
    EXPECT_EQ(rig.Texts(kPanelClockUtc).detail, QStringLiteral("15:30:15"));
}

TEST_F(PanelItems, UtcClockIsRightDuringDaylightSaving)
{
    const CTimeZone newYork("America/New_York");
    PanelRig rig;
    Clock::Pin(1719849600); // 2024-07-01 16:00:00 UTC, 12:00 EDT
    EXPECT_EQ(rig.Texts(kPanelClock).value, QStringLiteral("12:00"));
    EXPECT_EQ(rig.Texts(kPanelClockUtc).value, QStringLiteral("16:00"))
        << "not local time plus the standard bias (17:00)";
}

TEST_F(PanelItems, GradesShowTheirSizeAndDirection)
{
    PanelRig rig;
    for (int step = 0; step <= 17; ++step) {
        const GeoPosition at = Offset(kHere, 6.0 * step, 0);
        rig.trip.Update(43200.0 + step, {}, Latitude(at), Longitude(at), true, false, 3.0,
                        80.0 - 0.192 * step);
    }
    EXPECT_EQ(rig.Texts(kPanelGrade).value, QStringLiteral("3.2%"));
    EXPECT_EQ(rig.Texts(kPanelGrade).units, QStringLiteral("Down"));
    EXPECT_EQ(rig.Texts(kPanelMaximumGrade).value, QStringLiteral("0.0%"));
    EXPECT_EQ(rig.Texts(kPanelMaximumGrade).units, QStringLiteral("Up"));
    EXPECT_EQ(rig.Texts(kPanelAverageDownhillGrade).units, QStringLiteral("Down"));

    SetUnits(2, 1);
    EXPECT_EQ(rig.Texts(kPanelMaximumAltitude).value, QStringLiteral("80.0"));
    EXPECT_EQ(rig.Texts(kPanelMinimumAltitude).value, QStringLiteral("76.7"));
    EXPECT_EQ(rig.Texts(kPanelAltitudeRange).value, QStringLiteral("3.3"));
    EXPECT_EQ(rig.Texts(kPanelTotalDescent).value, QStringLiteral("-3.3"));
    EXPECT_EQ(rig.Texts(kPanelTotalAscent).value, QStringLiteral("0.0"));
    EXPECT_EQ(rig.Texts(kPanelOdometer).value, QStringLiteral("102"));
    EXPECT_EQ(rig.Texts(kPanelOdometer).units, QStringLiteral("m"));
}

// A power supply folder as the kernel lays it out.
void AddSupply(const QString& root, const QString& name,
               std::initializer_list<std::pair<const char*, const char*>> attributes)
{
    QDir(root).mkpath(name);
    for (const auto& [file, text] : attributes) {
        QFile out(root + u'/' + name + u'/' + QString::fromLatin1(file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(text) + '\n');
    }
}

TEST_F(PanelItems, BatteryFromThePowerSupplyFolder)
{
    PanelRig rig;
    auto battery = [&](std::initializer_list<std::pair<const char*, const char*>> attributes) {
        QTemporaryDir root;
        AddSupply(root.path(), QStringLiteral("AC"), {{"type", "Mains"}, {"online", "1"}});
        AddSupply(root.path(), QStringLiteral("hidpp_battery_0"),
                  {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "12"}});
        AddSupply(root.path(), QStringLiteral("BAT0"), attributes);
        const PanelItemTexts texts = rig.Texts(kPanelBattery, root.path());
        return texts.value + u'|' + texts.detail;
    };
    EXPECT_EQ(battery({{"type", "Battery"}, {"status", "Charging"}, {"capacity", "57"}}),
              QStringLiteral("57%|Charging"));
    EXPECT_EQ(battery({{"type", "Battery"},
                       {"status", "Discharging"},
                       {"capacity", "40"},
                       {"capacity_level", "Low"}}),
              QStringLiteral("40%|Battery Low"));
    EXPECT_EQ(battery({{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "3"}}),
              QStringLiteral("3%|Battery Critical"));
    EXPECT_EQ(battery({{"type", "Battery"}, {"status", "Full"}, {"capacity", "100"}}),
              QStringLiteral("100%|Battery Good"));
    EXPECT_EQ(battery({{"type", "Battery"}, {"present", "0"}}), QStringLiteral("---|No Battery"))
        << "an empty bay, a mains supply and a mouse battery: no system battery";
    EXPECT_EQ(battery({{"type", "Battery"}, {"status", "Unknown"}}),
              QStringLiteral("---|Status Unknown"));

    QTemporaryDir empty;
    EXPECT_EQ(rig.Texts(kPanelBattery, empty.path()).detail, QStringLiteral("Status Unknown"));
    EXPECT_EQ(rig.Texts(kPanelBattery, QStringLiteral("/nonexistent")).value,
              QStringLiteral("---"));
    EXPECT_EQ(BatteryFlagText(0), QStringLiteral("Fail"));
    EXPECT_EQ(BatteryFlagText(9), QStringLiteral("Fail"));
}

} // namespace
