#include "FreshSettings.h"
#include "NmeaFeed.h"
#include "support/RecordingSink.h"
#include "support/ScriptedPrompts.h"

#include "app/SettingsStore.h"
#include "gps/NMEAParser.h"
#include "nav/PositionProcessor.h"
#include "nav/TripComputer.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "waypoints/WaypointDB.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const GeoPosition kStart{37394830, 127110250, 0.0f};
constexpr int kNoon = 12 * 3600;

class CDisplayRecorder : public IMapDisplay {
public:
    void SetMarkerColour(RgbColour colour) override { colours.push_back(colour); }
    void AddAltitudeSample(float metres) override { altitudes.push_back(metres); }
    void RedrawMap() override { ++redraws; }

    std::vector<RgbColour> colours;
    std::vector<float> altitudes;
    int redraws = 0;
};

class CAveragingRecorder : public IPositionAveraging {
public:
    bool IsAveraging() const override { return averaging; }
    void AddSample(double latitude, double, double, double hdop) override
    {
        samples.push_back({latitude, hdop});
    }
    void SetHdopThreshold(bool on, double hdop) override
    {
        enabled = on;
        threshold = hdop;
    }

    bool averaging = false;
    std::vector<std::pair<double, double>> samples;
    bool enabled = false;
    double threshold = 0.0;
};

class CAlarmRecorder : public IWaypointAlarmOutput {
public:
    void ShowWaypointAlarm(const CWaypoint& waypoint) override
    {
        shown.push_back(waypoint.strName);
    }
    std::vector<QString> shown;
};

// The objects the map window and its view own, with a receiver feeding the fix state.
struct MapWindowRig {
    CNMEAParser parser;
    CWaypointDB store;
    CTrackLog track{1000};
    CTripComputer trip;
    CRecordingSink mapWindow;
    CNavigation navigation{store, &mapWindow};
    CPositionProcessor processor{parser, trip, navigation, track};
    CDisplayRecorder display;

    MapWindowRig()
    {
        processor.SetDisplay(&display);
        processor.Start();
    }

    // One second of the receiver (RMC then GGA, so both are current) and its WM_GPS_GGA.
    ArrivalCheck Second(FixSentence fix)
    {
        Feed(parser, RmcSentence(fix) + GgaSentence(fix));
        return processor.OnGpsGGA();
    }
    ArrivalCheck FixAt(int second, const GeoPosition& position, double course = 0.0)
    {
        FixSentence fix;
        fix.secondOfDay = second;
        fix.latitude = Latitude(position);
        fix.longitude = Longitude(position);
        fix.course = course;
        return Second(fix);
    }
    void LossAt(int second)
    {
        FixSentence fix;
        fix.secondOfDay = second;
        fix.quality = 0;
        Second(fix);
    }
};

class PositionProcessor : public ::testing::Test {
protected:
    CFreshSettings freshSettings;
};

TEST_F(PositionProcessor, FixesEnterTheTrackThroughTheFilterWithTheirTime)
{
    MapWindowRig rig;
    rig.FixAt(kNoon, kStart);
    rig.FixAt(kNoon + 1, Offset(kStart, 3, 0));
    rig.FixAt(kNoon + 2, Offset(kStart, 6, 0));
    ASSERT_EQ(rig.track.GetCount(), 2);
    EXPECT_EQ(rig.track.PointAt(0).segmentStart, 1);
    EXPECT_EQ(rig.track.PointAt(1).time, 1716033600u + 2) << "2024-05-18 12:00:02 UTC";
    EXPECT_NEAR(rig.track.PointAt(1).position.altitude, 50.0f, 1e-4);
    EXPECT_EQ(rig.navigation.CurrentPosition().latitude, rig.track.PointAt(1).position.latitude);
}

TEST_F(PositionProcessor, FirstPointAfterALossOfFixBeginsASegment)
{
    MapWindowRig rig;
    rig.FixAt(kNoon, kStart);
    rig.FixAt(kNoon + 1, Offset(kStart, 10, 0));
    rig.LossAt(kNoon + 2);
    EXPECT_TRUE(rig.processor.NewSegmentPending());
    rig.LossAt(kNoon + 3);
    rig.FixAt(kNoon + 4, Offset(kStart, 20, 0));
    EXPECT_FALSE(rig.processor.NewSegmentPending());
    rig.FixAt(kNoon + 5, Offset(kStart, 30, 0));
    ASSERT_EQ(rig.track.GetCount(), 4);
    EXPECT_EQ(rig.track.PointAt(1).segmentStart, 0);
    EXPECT_EQ(rig.track.PointAt(2).segmentStart, 1);
    EXPECT_EQ(rig.track.PointAt(3).segmentStart, 0);
}

TEST_F(PositionProcessor, TimeStampTakesTheDayAfterMidnightAndTheClocksDateBeforeAnyRmc)
{
    Clock::Pin(1716080390); // 2024-05-19 00:59:50 UTC
    MapWindowRig rig;
    FixSentence fix;
    fix.latitude = Latitude(kStart);
    fix.longitude = Longitude(kStart);
    fix.secondOfDay = 86399;
    Feed(rig.parser, GgaSentence(fix));
    rig.processor.OnGpsGGA();
    Clock::Unpin();
    EXPECT_EQ(rig.track.PointAt(0).time, 1716076799u)
        << "no RMC yet: the clock's date, less the day the clock has already begun";

    Feed(rig.parser, RmcSentence(fix));
    fix.secondOfDay = 0;
    fix.latitude += 0.001;
    Feed(rig.parser, GgaSentence(fix)); // the new day's GGA before its RMC
    rig.processor.OnGpsGGA();
    ASSERT_EQ(rig.track.GetCount(), 2);
    EXPECT_EQ(rig.track.PointAt(1).time, 1716076800u) << "2024-05-19 00:00:00, not the 18th";
}

TEST_F(PositionProcessor, DisplayedCourseIsTheReceiversUnlessComputedCourseIsChosen)
{
    MapWindowRig rig;
    rig.FixAt(kNoon, kStart, 45.0);
    rig.FixAt(kNoon + 1, Offset(kStart, 0, 10), 0.0);
    EXPECT_EQ(rig.processor.DisplayedCourse(), 0.0) << "a course of 0 from the receiver is shown";
    EXPECT_NEAR(rig.processor.TrackFilter().Course(), 90.0, 0.5) << "computed all the same";

    WriteIntSetting(QStringLiteral("Map"), QStringLiteral("Use Course From GPS"), 0);
    MapWindowRig computed;
    computed.FixAt(kNoon, kStart, 45.0);
    computed.FixAt(kNoon + 1, Offset(kStart, 0, 10), 45.0);
    EXPECT_NEAR(computed.processor.DisplayedCourse(), 90.0, 0.5);
    computed.FixAt(kNoon + 2, Offset(kStart, 4, 10), 45.0);
    EXPECT_NEAR(computed.processor.DisplayedCourse(), 90.0, 0.5) << "moved only 4 m";
}

TEST_F(PositionProcessor, StartUpReadsTheStoredTextsAsLeadingNumbers)
{
    const QString map = QStringLiteral("Map");
    WriteTextSetting(map, QStringLiteral("Pos Filter Dist Threshold"), QStringLiteral(" 0.01km"));
    WriteTextSetting(map, QStringLiteral("Course Dist Threshold"), QStringLiteral("five"));
    WriteTextSetting(map, QStringLiteral("Waypoint Arrival Distance"), QStringLiteral("0.1"));
    WriteIntSetting(map, QStringLiteral("Enable Position Filter"), 2); // only 1 is on
    WriteIntSetting(map, QStringLiteral("Current Position Latitude"), 37000000);
    WriteIntSetting(map, QStringLiteral("Current Position Longitude"), 127000000);

    MapWindowRig rig;
    EXPECT_DOUBLE_EQ(rig.processor.TrackFilter().FilterThreshold(), 0.01);
    EXPECT_EQ(rig.processor.TrackFilter().CourseThreshold(), 0.0);
    EXPECT_DOUBLE_EQ(rig.navigation.ArrivalRadius(), 0.1);
    EXPECT_FALSE(rig.processor.TrackFilter().Filter());
    EXPECT_FALSE(rig.trip.PositionFilter());
    EXPECT_EQ(rig.navigation.CurrentPosition().latitude, 37000000);
    EXPECT_EQ(rig.navigation.CurrentPosition().longitude, 127000000);

    rig.FixAt(kNoon, kStart);
    rig.FixAt(kNoon + 1, kStart);
    EXPECT_EQ(rig.track.GetCount(), 2) << "filter off: the same position again";
    rig.processor.SaveCurrentPosition();
    EXPECT_EQ(ReadIntSetting(map, QStringLiteral("Current Position Latitude"), 0), kStart.latitude);
}

TEST_F(PositionProcessor, DialogFilterThresholdIsLimitedLiveButStoredAsEntered)
{
    MapWindowRig rig;
    NavigationSettings settings = rig.processor.Settings();
    settings.posFilterDistThreshold = 1.0;
    settings.courseDistThreshold = 0.01;
    settings.waypointArrivalDistance = 0.05;
    settings.useCourseFromGps = false;
    rig.processor.ApplyMapSettings(settings);
    EXPECT_DOUBLE_EQ(rig.processor.TrackFilter().FilterThreshold(), 0.25);
    EXPECT_DOUBLE_EQ(rig.processor.TrackFilter().CourseThreshold(), 0.01);
    EXPECT_TRUE(rig.processor.TrackFilter().CourseFromDistance());
    EXPECT_DOUBLE_EQ(rig.navigation.ArrivalRadius(), 0.05);
    const QString map = QStringLiteral("Map");
    EXPECT_EQ(ReadTextSetting(map, QStringLiteral("Pos Filter Dist Threshold"), {}),
              QStringLiteral("1.000000"));
    EXPECT_EQ(ReadTextSetting(map, QStringLiteral("Waypoint Arrival Distance"), {}),
              QStringLiteral("0.050000"));
    EXPECT_EQ(ReadIntSetting(map, QStringLiteral("Use Course From GPS"), 1), 0);

    MapWindowRig restarted;
    EXPECT_DOUBLE_EQ(restarted.processor.TrackFilter().FilterThreshold(), 1.0)
        << "the next start reads the stored value unlimited";
}

TEST_F(PositionProcessor, MarkerColourAltitudeProfileAndRedrawOnEveryUpdate)
{
    MapWindowRig rig;
    FixSentence fix;
    fix.secondOfDay = kNoon;
    fix.latitude = Latitude(kStart);
    fix.longitude = Longitude(kStart);
    fix.quality = 2;
    fix.altitude = 123.4;
    rig.Second(fix);
    rig.LossAt(kNoon + 1);
    fix.quality = 1;
    rig.Second(fix);
    ASSERT_EQ(rig.display.colours.size(), 3u);
    EXPECT_EQ(rig.display.colours[0], (RgbColour{0, 153, 255}));
    EXPECT_EQ(rig.display.colours[1], (RgbColour{0, 255, 0}));
    EXPECT_EQ(rig.display.colours[2], (RgbColour{0, 255, 0}));
    EXPECT_EQ(rig.display.redraws, 3);
    EXPECT_EQ(rig.display.altitudes, (std::vector<float>{123.4f, 123.4f})) << "only with a fix";
}

TEST_F(PositionProcessor, AveragingGetsFixesOnlyWhileItRunsAndTheStoredThreshold)
{
    WriteIntSetting(QStringLiteral("Map"), QStringLiteral("Waypoint Avg Threshold"), 35);
    MapWindowRig rig;
    CAveragingRecorder averaging;
    rig.processor.SetAveraging(&averaging);
    EXPECT_TRUE(averaging.enabled);
    EXPECT_DOUBLE_EQ(averaging.threshold, 3.5);

    rig.FixAt(kNoon, kStart);
    averaging.averaging = true;
    FixSentence fix;
    fix.secondOfDay = kNoon + 1;
    fix.latitude = 37.5;
    fix.longitude = 127.0;
    fix.hdop = 2.5;
    rig.Second(fix);
    rig.LossAt(kNoon + 2);
    ASSERT_EQ(averaging.samples.size(), 1u);
    EXPECT_NEAR(averaging.samples[0].first, 37.5, 1e-6);
    EXPECT_DOUBLE_EQ(averaging.samples[0].second, 2.5);
}

TEST_F(PositionProcessor, AlarmsAreQueuedOnTheFixAndShownOnlyWhileThereIsAFix)
{
    MapWindowRig rig;
    CAlarmRecorder alarms;
    rig.processor.SetAlarmOutput(&alarms);
    CWaypoint cache;
    cache.strName = QStringLiteral("CACHE");
    cache.position = Offset(kStart, 100, 0);
    cache.bActiveWaypoint = true;
    rig.store.AddByPosition(cache);

    rig.FixAt(kNoon, kStart);
    EXPECT_EQ(rig.mapWindow.messages, QList<uint32_t>{WM_WAYPOINT_ALARM});
    rig.LossAt(kNoon + 1);
    rig.processor.OnWaypointAlarm(); // delivered after the fix was lost
    EXPECT_TRUE(alarms.shown.empty());
    rig.FixAt(kNoon + 2, kStart);
    rig.processor.OnWaypointAlarm();
    EXPECT_EQ(alarms.shown, std::vector<QString>{QStringLiteral("CACHE")});
}

TEST_F(PositionProcessor, ArrivalFromTheFixHandlerAndStopFromTheTimer)
{
    CScriptedPrompts prompts;
    MapWindowRig rig;
    CWaypoint target;
    target.strName = QStringLiteral("ORI");
    target.position = Offset(kStart, 200, 0);
    rig.FixAt(kNoon, kStart);
    rig.navigation.GoTo(target);
    EXPECT_EQ(rig.FixAt(kNoon + 1, Offset(kStart, 190, 0)), ArrivalCheck::Arrived);
    EXPECT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(rig.processor.OnCheckTimer(), ArrivalCheck::None);
    rig.navigation.SetCurrentPosition(kStart); // moved by hand, 200 m away
    EXPECT_EQ(rig.processor.OnCheckTimer(), ArrivalCheck::Stopped);
    EXPECT_FALSE(rig.navigation.IsNavigating());
}

} // namespace
