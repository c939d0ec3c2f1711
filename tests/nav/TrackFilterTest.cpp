#include "NmeaFeed.h"

#include "geo/Geodesy.h"
#include "nav/TrackFilter.h"

#include <gtest/gtest.h>

namespace {

const GeoPosition kBase{37394830, 127110250, 0.0f};

TrackPoint At(const GeoPosition& position, uint32_t time = 0)
{
    TrackPoint point;
    point.position = position;
    point.time = time;
    return point;
}

struct FilterRig {
    CTrackLog track{100};
    CTrackFilter filter{track};

    FilterRig()
    {
        filter.SetFilterThreshold(0.005);
        filter.SetCourseThreshold(0.005);
    }
};

TEST(TrackFilter, FilterOnAppendsOnlyBeyondTheThresholdFromTheLastAppendedPoint)
{
    FilterRig rig;
    rig.filter.AddPosition(At(kBase));
    rig.filter.AddPosition(At(Offset(kBase, 3, 0)));
    EXPECT_EQ(rig.track.GetCount(), 1) << "3 m is inside the 5 m filter";
    rig.filter.AddPosition(At(Offset(kBase, 4.5, 0)));
    EXPECT_EQ(rig.track.GetCount(), 1) << "measured from the point appended last, not the last fix";
    rig.filter.AddPosition(At(Offset(kBase, 6, 0)));
    ASSERT_EQ(rig.track.GetCount(), 2);
    EXPECT_EQ(rig.track.PointAt(1).position.latitude, Offset(kBase, 6, 0).latitude);
    EXPECT_EQ(rig.track.PointAt(1).segmentStart, 0);
    EXPECT_EQ(rig.filter.LastLoggedPoint().position.latitude, Offset(kBase, 6, 0).latitude);
    EXPECT_EQ(rig.filter.CurrentPoint().position.latitude, Offset(kBase, 6, 0).latitude);
}

TEST(TrackFilter, FilterOffAppendsEveryFixEvenTheSamePosition)
{
    FilterRig rig;
    rig.filter.SetFilter(false);
    for (int i = 0; i < 3; ++i)
        rig.filter.AddPosition(At(kBase, 100 + i));
    ASSERT_EQ(rig.track.GetCount(), 3);
    EXPECT_EQ(rig.track.PointAt(2).time, 102u);
    EXPECT_EQ(rig.track.PointAt(1).segmentStart, 0);
}

TEST(TrackFilter, FirstPointAndJumpsOfTwoAndAHalfKilometresBeginSegments)
{
    FilterRig rig;
    rig.filter.AddPosition(At(kBase));
    rig.filter.AddPosition(At(Offset(kBase, 2400, 0)));
    rig.filter.AddPosition(At(Offset(kBase, 2400 + 2510, 0)));
    ASSERT_EQ(rig.track.GetCount(), 3);
    EXPECT_EQ(rig.track.PointAt(0).segmentStart, 1) << "first point of an empty track";
    EXPECT_EQ(rig.track.PointAt(1).segmentStart, 0) << "2.4 km is no jump";
    EXPECT_EQ(rig.track.PointAt(2).segmentStart, 1) << "2.51 km is";

    rig.track.Clear();
    rig.filter.AddPosition(At(Offset(kBase, 4910, 10)));
    EXPECT_EQ(rig.track.PointAt(0).segmentStart, 1) << "an erased track starts anew";
}

TEST(TrackFilter, EveryFixMeasuresACourseWhenTheDistanceRuleIsOff)
{
    FilterRig rig;
    rig.filter.AddPosition(At(kBase));
    EXPECT_EQ(rig.filter.Course(), 0.0) << "one position gives no direction yet";
    rig.filter.AddPosition(At(Offset(kBase, 0, 2)));
    EXPECT_NEAR(rig.filter.Course(), 90.0, 0.5);
    rig.filter.AddPosition(At(Offset(kBase, -2, 2)));
    EXPECT_NEAR(rig.filter.Course(), 180.0, 0.5);
}

TEST(TrackFilter, ComputedCourseChangesOnlyAfterLeavingTheReferenceByTheThreshold)
{
    FilterRig rig;
    rig.filter.SetCourseFromDistance(true);
    rig.filter.AddPosition(At(kBase));
    rig.filter.AddPosition(At(Offset(kBase, 0, 6)));
    EXPECT_NEAR(rig.filter.Course(), 90.0, 0.5);
    // Wander within 5 m of the new reference (6 m east): the course stays.
    for (const auto& [north, east] : {std::pair{3.0, 6.0}, {-3.0, 8.0}, {0.0, 10.5}})
        rig.filter.AddPosition(At(Offset(kBase, north, east)));
    EXPECT_NEAR(rig.filter.Course(), 90.0, 0.5);
    rig.filter.AddPosition(At(Offset(kBase, -6, 6)));
    EXPECT_NEAR(rig.filter.Course(), 180.0, 0.5);
}

} // namespace
