#include "NmeaFeed.h"
#include "support/RecordingSink.h"
#include "support/ScriptedPrompts.h"

#include "nav/Navigation.h"
#include "platform/Messages.h"
#include "waypoints/WaypointDB.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const GeoPosition kTarget{37332545, 127116877, 0.0f};

CWaypoint Waypoint(const QString& name, const GeoPosition& position, bool armed = false,
                   double radius = 0.3048)
{
    CWaypoint waypoint;
    waypoint.strName = name;
    waypoint.position = position;
    waypoint.bActiveWaypoint = armed;
    waypoint.dActiveWPDistance = radius;
    return waypoint;
}

struct NavigationRig {
    CWaypointDB store;
    CRecordingSink mapWindow;
    CNavigation navigation{store, &mapWindow};

    void MoveTo(const GeoPosition& position) { navigation.SetCurrentPosition(position); }
};

// Asks like the scripted prompts, but runs `during` while the message is open, as the event
// loop of a real message box would run fix handlers and timer ticks.
class CReenteringPrompts : public CScriptedPrompts {
public:
    PromptAnswer Ask(const QString& text, const QString& caption, PromptButtons buttons,
                     PromptIcon icon) override
    {
        if (during)
            during();
        return CScriptedPrompts::Ask(text, caption, buttons, icon);
    }
    std::function<void()> during;
};

TEST(Navigation, GoToStartsTheLegAtTheCurrentPosition)
{
    NavigationRig rig;
    const GeoPosition start = Offset(kTarget, -1000, 0);
    rig.MoveTo(start);
    EXPECT_EQ(rig.navigation.DistanceToTarget(), 0.0) << "not navigating";
    EXPECT_EQ(rig.navigation.CrossTrackError(Offset(start, 0, 100)), 0.0);

    rig.navigation.GoTo(Waypoint(QStringLiteral("ORI"), kTarget));
    ASSERT_TRUE(rig.navigation.IsNavigating());
    EXPECT_EQ(rig.navigation.LegStart().latitude, start.latitude);
    EXPECT_NEAR(rig.navigation.DistanceToTarget(), 1.0, 0.002);
    EXPECT_NEAR(rig.navigation.BearingToTarget(), 0.0, 0.1);
    EXPECT_GT(rig.navigation.CrossTrackError(Offset(start, 500, 50)), 0.0) << "right of the leg";
    EXPECT_LT(rig.navigation.CrossTrackError(Offset(start, 500, -50)), 0.0);

    rig.navigation.StopNavigation();
    EXPECT_FALSE(rig.navigation.IsNavigating());
    EXPECT_EQ(rig.navigation.Target().strName, QStringLiteral("Untitled"));
}

TEST(Navigation, ArrivalIsAnnouncedOnceAndNavigationEndsBeyondFiveRadii)
{
    CScriptedPrompts prompts;
    NavigationRig rig;
    rig.MoveTo(Offset(kTarget, -500, 0));
    rig.navigation.GoTo(Waypoint(QStringLiteral("ORI"), kTarget));
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::None);

    rig.MoveTo(Offset(kTarget, -25, 0)); // inside 30.48 m
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::Arrived);
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, QStringLiteral("You have arrived at: ORI"));
    EXPECT_EQ(prompts.Asked()[0].buttons, PromptButtons::Ok);

    rig.MoveTo(Offset(kTarget, -10, 0));
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::None);
    rig.MoveTo(Offset(kTarget, -150, 0)); // within 152.4 m
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::None);
    EXPECT_TRUE(rig.navigation.IsNavigating());
    EXPECT_EQ(prompts.Asked().size(), 1) << "announced once per go-to";

    rig.MoveTo(Offset(kTarget, -155, 0));
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::Stopped);
    EXPECT_FALSE(rig.navigation.IsNavigating());

    rig.navigation.GoTo(Waypoint(QStringLiteral("ORI"), kTarget));
    rig.MoveTo(kTarget);
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::Arrived)
        << "a new go-to announces again";
}

TEST(Navigation, ChecksWhileTheArrivalMessageIsOpenDoNothing)
{
    CReenteringPrompts prompts;
    NavigationRig rig;
    rig.MoveTo(Offset(kTarget, -500, 0));
    rig.navigation.GoTo(Waypoint(QStringLiteral("ORI"), kTarget));
    rig.MoveTo(kTarget);
    ArrivalCheck nested = ArrivalCheck::Arrived;
    prompts.during = [&] {
        // The user drives on while the message is open; fixes keep arriving.
        rig.MoveTo(Offset(kTarget, -1000, 0));
        nested = rig.navigation.CheckArrival();
    };
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::Arrived);
    EXPECT_EQ(nested, ArrivalCheck::None);
    EXPECT_EQ(prompts.Asked().size(), 1);
    EXPECT_TRUE(rig.navigation.IsNavigating()) << "not ended under the open message";

    prompts.during = nullptr;
    EXPECT_EQ(rig.navigation.CheckArrival(), ArrivalCheck::Stopped);
}

TEST(Navigation, AlarmOnEntryNotWhileInsideAndAgainAfterReentry)
{
    NavigationRig rig;
    rig.store.AddByPosition(Waypoint(QStringLiteral("CACHE"), kTarget, true, 0.3048));
    rig.store.AddByPosition(Waypoint(QStringLiteral("QUIET"), Offset(kTarget, 50, 0), false));
    CWaypoint alarm;

    rig.MoveTo(Offset(kTarget, -400, 0));
    EXPECT_FALSE(rig.navigation.CheckProximityAlarms());
    rig.MoveTo(Offset(kTarget, -290, 0));
    EXPECT_TRUE(rig.navigation.CheckProximityAlarms());
    EXPECT_EQ(rig.mapWindow.messages, QList<uint32_t>{WM_WAYPOINT_ALARM});
    rig.MoveTo(Offset(kTarget, -100, 0));
    EXPECT_FALSE(rig.navigation.CheckProximityAlarms()) << "still inside";
    rig.MoveTo(Offset(kTarget, 0, 0));
    EXPECT_FALSE(rig.navigation.CheckProximityAlarms()) << "an unarmed waypoint never alarms";

    rig.MoveTo(Offset(kTarget, 320, 0));
    EXPECT_FALSE(rig.navigation.CheckProximityAlarms());
    rig.MoveTo(Offset(kTarget, 250, 0));
    EXPECT_TRUE(rig.navigation.CheckProximityAlarms()) << "entered again";

    ASSERT_EQ(rig.navigation.QueuedAlarmCount(), 2);
    ASSERT_TRUE(rig.navigation.TakeQueuedAlarm(alarm));
    EXPECT_EQ(alarm.strName, QStringLiteral("CACHE"));
    ASSERT_TRUE(rig.navigation.TakeQueuedAlarm(alarm));
    EXPECT_FALSE(rig.navigation.TakeQueuedAlarm(alarm));
    EXPECT_EQ(rig.mapWindow.messages.size(), 2);
}

TEST(Navigation, TwoRadiiEnteredAtOnceAlarmOnePerCheck)
{
    NavigationRig rig;
    rig.store.AddByPosition(Waypoint(QStringLiteral("A"), kTarget, true, 0.2));
    rig.store.AddByPosition(Waypoint(QStringLiteral("B"), Offset(kTarget, 20, 0), true, 0.2));
    rig.MoveTo(Offset(kTarget, 10, 0));
    EXPECT_TRUE(rig.navigation.CheckProximityAlarms());
    EXPECT_TRUE(rig.navigation.CheckProximityAlarms());
    EXPECT_FALSE(rig.navigation.CheckProximityAlarms());
    CWaypoint first, second;
    ASSERT_TRUE(rig.navigation.TakeQueuedAlarm(first));
    ASSERT_TRUE(rig.navigation.TakeQueuedAlarm(second));
    EXPECT_NE(first.strName, second.strName);
}

} // namespace
