#include "map/TrackWalk.h"

#include <gtest/gtest.h>

namespace {

struct Point {
    double x, y;
    bool start;
};

std::vector<QLine> Walk(std::initializer_list<Point> points)
{
    std::vector<QLine> lines;
    CTrackWalk walk({0, 0, 100, 100}, lines);
    for (const Point& p : points)
        walk.Add({p.x, p.y}, p.start);
    return lines;
}

} // namespace

TEST(TrackWalk, LeavingAndReenteringDrawsOnlyTheCrossings)
{
    const auto lines = Walk({{10, 10, true},
                             {50, 10, false},
                             {150, 10, false}, // out
                             {200, 50, false}, // still out: nothing
                             {150, 90, false}, // still out
                             {50, 90, false},  // back in from the last outside point
                             {20, 90, false}});
    const std::vector<QLine> expected = {QLine(10, 10, 50, 10), QLine(50, 10, 150, 10),
                                         QLine(150, 90, 50, 90), QLine(50, 90, 20, 90)};
    EXPECT_EQ(lines, expected);
}

TEST(TrackWalk, SegmentStartsNeverJoin)
{
    EXPECT_EQ(Walk({{10, 10, true}, {20, 20, true}, {30, 30, false}}),
              std::vector<QLine>{QLine(20, 20, 30, 30)});
}

TEST(TrackWalk, FarPointsAreCutAtTheGuardBand)
{
    const auto lines = Walk({{50, 50, true}, {3e9, 50, false}});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].p1(), QPoint(50, 50));
    EXPECT_EQ(lines[0].p2().y(), 50);
    EXPECT_GT(lines[0].p2().x(), 100);
    EXPECT_LT(lines[0].p2().x(), 5000);
}

TEST(TrackThinning, SkippedSegmentStartStillBreaksTheLine)
{
    CTrackThinning thinning(2.0);
    std::vector<int> used, starts;
    const bool flags[11] = {true,  false, false, true,  false, false,
                            false, false, false, false, false};
    for (int i = 0; i < 11; ++i) {
        bool start = flags[i];
        if (thinning.Use(i, start)) {
            used.push_back(i);
            starts.push_back(start);
        }
    }
    EXPECT_EQ(used, (std::vector<int>{0, 5, 10}));
    EXPECT_EQ(starts, (std::vector<int>{1, 1, 0}));

    CTrackThinning close(1.0);
    bool start = false;
    EXPECT_TRUE(close.Use(3, start));
}
