#include "nav/TrackLog.h"

#include <gtest/gtest.h>

namespace {

TrackPoint PointNumber(int n, int32_t segmentStart = 0)
{
    return TrackPoint{
        {1000 + n, 2000 + n, static_cast<float>(n)}, segmentStart, static_cast<uint32_t>(n)};
}

TEST(TrackLog, AppendsOldestFirstAndIterates)
{
    CTrackLog track;
    EXPECT_EQ(track.First(), nullptr);
    EXPECT_EQ(track.Next(), nullptr);
    for (int n = 0; n < 3; ++n)
        track.Append(PointNumber(n, n == 0));
    ASSERT_EQ(track.GetCount(), 3);
    EXPECT_EQ(track.PointAt(0).time, 0u);
    EXPECT_EQ(track.PointAt(2).time, 2u);

    const TrackPoint* point = track.First();
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->time, 0u);
    EXPECT_EQ(track.Next()->time, 1u);
    EXPECT_EQ(track.Next()->time, 2u);
    EXPECT_EQ(track.Next(), nullptr);
}

TEST(TrackLog, FullRingDropsOldestAndStartsASegmentThere)
{
    CTrackLog track;
    ASSERT_EQ(track.GetCapacity(), 10000);
    for (int n = 0; n < 10000; ++n)
        track.Append(PointNumber(n, n == 0));
    ASSERT_EQ(track.GetCount(), 10000);
    EXPECT_EQ(track.PointAt(1).segmentStart, 0);

    track.Append(PointNumber(10000));
    EXPECT_EQ(track.GetCount(), 10000);
    EXPECT_EQ(track.PointAt(0).time, 1u);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
    EXPECT_EQ(track.PointAt(9999).time, 10000u);
    EXPECT_EQ(track.PointAt(9999).segmentStart, 0);

    // Well past one lap the slots still come out in order.
    for (int n = 10001; n < 25000; ++n)
        track.Append(PointNumber(n));
    int visited = 0;
    uint32_t expected = 15000;
    for (const TrackPoint* point = track.First(); point; point = track.Next(), ++expected) {
        ASSERT_EQ(point->time, expected);
        ++visited;
    }
    EXPECT_EQ(visited, 10000);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
}

TEST(TrackLog, ClearEmptiesAndStartsOver)
{
    CTrackLog track(4);
    for (int n = 0; n < 6; ++n)
        track.Append(PointNumber(n));
    track.Clear();
    EXPECT_EQ(track.GetCount(), 0);
    EXPECT_EQ(track.First(), nullptr);
    track.Append(PointNumber(7, 1));
    ASSERT_EQ(track.GetCount(), 1);
    EXPECT_EQ(track.First()->time, 7u);
}

} // namespace
