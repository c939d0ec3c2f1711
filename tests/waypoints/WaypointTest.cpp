#include "WaypointFileBytes.h"

#include "platform/Clock.h"
#include "waypoints/Waypoint.h"

#include <gtest/gtest.h>

namespace {

TEST(Waypoint, DefaultRecord)
{
    const CWaypoint wp;
    EXPECT_EQ(wp.strName, QStringLiteral("Untitled"));
    EXPECT_EQ(wp.icon, 0);
    EXPECT_EQ(wp.dActiveWPDistance, 0.3048);
    EXPECT_EQ(wp.strSoundFile, QStringLiteral("Alarm1.wav"));
    EXPECT_FALSE(wp.strURL.isEmpty());
    EXPECT_TRUE(wp.geocache.bAvailable);
    EXPECT_FALSE(wp.geocache.bArchived);
    EXPECT_FALSE(wp.bAlarmLatched || wp.bArrived || wp.bActiveWaypoint ||
                 wp.bUseGeocacheStateForIconID);
    EXPECT_EQ(wp.position.latitude | wp.position.longitude | wp.nType | wp.nGeocacheState |
                  wp.timeGeochacheFound | wp.timeWaypoint | wp.nActiveWaypointMessageType |
                  wp.nReserved | wp.nID,
              0);
    EXPECT_EQ(wp.position.altitude, 0.0f);
    for (const GeocacheLog& log : wp.geocache.logs) {
        EXPECT_TRUE(log.strLogText.isEmpty() && log.strLogFinder.isEmpty());
        EXPECT_EQ(log.nLogType | log.timeLogDate, 0);
    }
}

TEST(Waypoint, FieldConstructorStartsRunTimeFieldsAtZero)
{
    const CWaypoint wp = FullWaypoint(7);
    EXPECT_EQ(wp.strName, QStringLiteral("Point 7"));
    EXPECT_EQ(wp.strSoundFile, QStringLiteral("Alarm2.wav"));
    EXPECT_EQ(wp.strDescription, QStringLiteral("Description 7"));
    EXPECT_EQ(wp.strFieldNotes, QStringLiteral("Field notes 7"));
    EXPECT_EQ(wp.geocache.logs[4].strLogFinder, QStringLiteral("Finder 4"));
    EXPECT_FALSE(wp.bAlarmLatched || wp.bArrived);
    EXPECT_EQ(wp.nReserved, 0);
    EXPECT_EQ(wp.nID, 0);
}

TEST(Waypoint, CopyKeepsEverythingAssignmentKeepsTheTargetsLatch)
{
    CWaypoint source = FullWaypoint(3);
    source.bAlarmLatched = true;
    source.bArrived = true;
    source.nID = 42;
    source.nReserved = 9;
    source.dDistance = 1.5;

    const CWaypoint copy(source);
    EXPECT_TRUE(copy.bAlarmLatched);
    EXPECT_TRUE(copy.bArrived);
    EXPECT_EQ(copy.nID, 42);
    EXPECT_EQ(copy.dDistance, 1.5);
    EXPECT_TRUE(SameStoredFields(copy, source));

    CWaypoint assigned;
    assigned = source;
    EXPECT_FALSE(assigned.bAlarmLatched);
    EXPECT_TRUE(assigned.bArrived);
    EXPECT_EQ(assigned.nID, 42);
    EXPECT_EQ(assigned.dDistance, 1.5);
    EXPECT_TRUE(SameStoredFields(assigned, source));

    CWaypoint latched;
    latched.bAlarmLatched = true;
    latched = CWaypoint(); // moved in: the same rule
    EXPECT_TRUE(latched.bAlarmLatched);

    CWaypoint& self = source;
    source = self;
    EXPECT_TRUE(source.bAlarmLatched);
    EXPECT_EQ(source.strName, QStringLiteral("Point 3"));
}

TEST(Waypoint, Tables)
{
    const char* const* icons = GetIconTable();
    int count = 0;
    while (icons[count])
        ++count;
    EXPECT_EQ(count, 144);
    EXPECT_STREQ(icons[0], "Waypoint");
    EXPECT_STREQ(icons[26], "Geocache-Attemted");
    EXPECT_STREQ(icons[85], "Geocache-Archived");
    EXPECT_STREQ(icons[129], "Projected Waypoint");
    EXPECT_STREQ(icons[143], "Ferry");

    const char* const* states = GetGeocacheStateTable();
    count = 0;
    while (states[count])
        ++count;
    EXPECT_EQ(count, 17);
    EXPECT_STREQ(states[7], "Geocache My Cache (Mine)");
    EXPECT_STREQ(states[16], "Geocache Bonus");
    EXPECT_STREQ(GetAlarmMessageTypeTable()[5], "Digital Speedometer-Warning");
}

class ResolveIconTest : public ::testing::Test {
protected:
    static constexpr int64_t kNow = 1700000000;
    void SetUp() override { Clock::Pin(kNow); }
    void TearDown() override { Clock::Unpin(); }

    static CWaypoint Cache(int state, int64_t time)
    {
        CWaypoint wp;
        wp.icon = 7;
        wp.nType = kWaypointTypeGeocache;
        wp.bUseGeocacheStateForIconID = true;
        wp.nGeocacheState = state;
        wp.timeWaypoint = static_cast<int32_t>(time);
        return wp;
    }
};

TEST_F(ResolveIconTest, StatesMapToTheirIconsAndAreStored)
{
    const int expected[17] = {0,   25,  26,  84,  85,  83,  86,  88, 94,
                              105, 112, 113, 114, 115, 116, 117, 123};
    for (int state = 1; state < 17; ++state) {
        CWaypoint wp = Cache(state, 0);
        wp.geocache.bArchived = true; // only state 0 looks at availability
        EXPECT_EQ(wp.ResolveIcon(), expected[state]) << state;
        EXPECT_EQ(wp.icon, expected[state]);
    }
}

TEST_F(ResolveIconTest, NotFoundStateDependsOnAvailabilityAndAge)
{
    EXPECT_EQ(Cache(0, 0).ResolveIcon(), 24);                 // no time: long ago
    EXPECT_EQ(Cache(0, kNow + 3600).ResolveIcon(), 87);       // future
    EXPECT_EQ(Cache(0, kNow - 86400).ResolveIcon(), 86);      // one day old
    EXPECT_EQ(Cache(0, kNow - 30 * 86400).ResolveIcon(), 24); // exactly 30 days: no longer new
    EXPECT_EQ(Cache(0, kNow - 30 * 86400 + 1).ResolveIcon(), 86);
    CWaypoint archived = Cache(0, kNow - 86400);
    archived.geocache.bArchived = true;
    EXPECT_EQ(archived.ResolveIcon(), 85);
    CWaypoint unavailable = Cache(0, kNow + 3600);
    unavailable.geocache.bAvailable = false;
    EXPECT_EQ(unavailable.ResolveIcon(), 85);
}

TEST_F(ResolveIconTest, IconIsLeftAloneWhenNotFollowingTheState)
{
    CWaypoint wp = Cache(1, 0);
    wp.bUseGeocacheStateForIconID = false;
    EXPECT_EQ(wp.ResolveIcon(), 7);
    EXPECT_EQ(wp.icon, 7);
    CWaypoint outOfRange = Cache(17, 0);
    EXPECT_EQ(outOfRange.ResolveIcon(), 7);
    outOfRange.nGeocacheState = -1;
    EXPECT_EQ(outOfRange.ResolveIcon(), 7);
}

} // namespace
