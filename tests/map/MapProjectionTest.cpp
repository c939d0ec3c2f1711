#include "map/MapProjection.h"
#include "geo/Geodesy.h"
#include "map/MapGrid.h"
#include "map/MapInteraction.h"
#include "map/MapWaypoints.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

MapProjection ProjectionAt(double latitude, double longitude, double scale, ScreenRect client)
{
    MapProjection projection;
    projection.Setup(client, ViewBox(GeoPositionFromDegrees(latitude, longitude), scale));
    return projection;
}

} // namespace

TEST(MapProjection, WiderThanTallDrawsIntoACentredSquare)
{
    const ScreenRect client{0, 0, 800, 480};
    const MapProjection projection = ProjectionAt(0.0, 0.0, 10.0, client);
    EXPECT_EQ(projection.OffsetX(), 400 - 240);
    EXPECT_EQ(projection.OffsetY(), 0);
    const MapBox& box = projection.Box();
    const QPointF northWest = projection.ToScreen(box.maxLatitude, box.minLongitude);
    const QPointF southEast = projection.ToScreen(box.minLatitude, box.maxLongitude);
    EXPECT_EQ(northWest, QPointF(160, 0));
    EXPECT_NEAR(southEast.x(), 640, 1);
    EXPECT_NEAR(southEast.y(), 480, 2); // the latitude correction at the equator is about 1

    const MapProjection tall = ProjectionAt(0.0, 0.0, 10.0, {0, 0, 240, 268});
    EXPECT_EQ(tall.OffsetX(), 0);
    EXPECT_EQ(tall.OffsetY(), 134 - 120);
}

TEST(MapProjection, LatitudeCorrectionFollowsTheLatitude)
{
    struct Case {
        double latitude;
        double ratio; // pixels per degree of latitude / of longitude
    };
    for (const Case c : {Case{0.0, 1.0}, Case{60.0, 2.0}}) {
        const MapProjection p = ProjectionAt(c.latitude, 10.0, 50.0, {0, 0, 480, 480});
        EXPECT_NEAR(p.PixelsPerLatitude() / p.PixelsPerLongitude(), c.ratio, 0.02) << c.latitude;
    }
}

TEST(MapProjection, ScreenToWorldInvertsWorldToScreenWithinOnePixel)
{
    // Course up adds one truncated pixel each way.
    for (const bool northUp : {true, false}) {
        const double tolerance = northUp ? 1.0 : 2.0;
        for (const double scale : {0.1, 1.0, 500.0}) {
            const MapProjection p = ProjectionAt(47.5, 8.3, scale, {0, 0, 800, 480});
            MapRotation rotation;
            rotation.Setup(northUp, 33.0, QPointF(400, 240));
            for (const QPointF screen : {QPointF(0, 0), QPointF(400, 240), QPointF(799, 479)}) {
                const QPointF back =
                    rotation.Turn(p.ToScreen(p.ToWorld(rotation.TurnBack(screen))));
                EXPECT_NEAR(back.x(), screen.x(), tolerance) << scale;
                EXPECT_NEAR(back.y(), screen.y(), tolerance) << scale;
            }
        }
    }
}

TEST(MapProjection, FarPointsStayFarInsteadOfWrapping)
{
    const MapProjection p = ProjectionAt(0.0, 0.0, 0.01, {0, 0, 800, 480});
    const QPointF antipode = p.ToScreen(GeoPositionFromDegrees(0.0, 179.9));
    EXPECT_GT(antipode.x(), kFarPixels);
    const QPoint pixel = ToPixel(antipode);
    EXPECT_EQ(pixel.x(), int(kFarPixels));
    EXPECT_EQ(ToPixel(p.ToScreen(GeoPositionFromDegrees(0.0, -179.9))).x(), -int(kFarPixels));
}

TEST(MapProjection, CourseUpTurnsAboutTheCentre)
{
    MapRotation rotation;
    rotation.Setup(false, 90.0, QPointF(100, 100)); // heading east: east is up
    EXPECT_EQ(rotation.Turn(QPointF(150, 100)), QPointF(100, 50));
    EXPECT_EQ(rotation.TurnBack(QPointF(100, 50)), QPointF(150, 100));
    rotation.Setup(true, 90.0, QPointF(100, 100));
    EXPECT_EQ(rotation.Turn(QPointF(150, 100)), QPointF(150, 100));
    EXPECT_EQ(rotation.Angle(), 0.0);
}

TEST(MapGrid, SpacingByScale)
{
    struct Case {
        double scale;
        int32_t spacing;
        QString label; // of k = 123
    };
    for (const Case& c :
         {Case{500.0, 1000000, "123.0"}, Case{60.0001, 1000000, "123.0"},
          Case{60.0, 100000, "12.3"}, Case{5.0, 10000, "1.23"}, Case{0.3, 1000, "0.123"}}) {
        const GridSpacing grid = GridSpacingForScale(c.scale);
        EXPECT_EQ(grid.microdegrees, c.spacing) << c.scale;
        EXPECT_EQ(grid.Label(123), c.label) << c.scale;
    }
}

TEST(MapWaypoints, DeclutterSteps)
{
    struct Case {
        double scale;
        bool declutter;
        int count;
        int step;
    };
    for (const Case c :
         {Case{20.0, true, 200, 1}, Case{20.0, false, 5000, 1}, Case{6.0, true, 201, 1},
          Case{9.9, true, 201, 5}, Case{10.0, true, 201, 10}, Case{14.9, true, 201, 10},
          Case{15.0, true, 201, 15}})
        EXPECT_EQ(DeclutterStep(c.scale, c.declutter, c.count), c.step) << c.scale;
}

TEST(MapInteraction, ZoomStopsAtBothEnds)
{
    CMapZoom zoom;
    EXPECT_EQ(zoom.Scale(), 1.0);
    while (zoom.Step(true)) {
    }
    EXPECT_EQ(zoom.Index(), 0);
    EXPECT_FALSE(zoom.Step(true));
    EXPECT_EQ(zoom.Scale(), 0.01);
    while (zoom.Step(false)) {
    }
    EXPECT_EQ(zoom.Index(), 20);
    EXPECT_EQ(zoom.Scale(), 500.0);
}

TEST(MapInteraction, FourMovesDoNotPanTheFifthDoes)
{
    CMapDrag drag;
    drag.Down({100, 100}, {120, 134});
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(drag.Move({100 + i, 100})) << i;
    const auto target = drag.Move({110, 103});
    ASSERT_TRUE(target);
    EXPECT_EQ(*target, QPoint(110, 131));
    EXPECT_EQ(drag.TapPoint(), QPoint(110, 103));
    EXPECT_FALSE(drag.Up()); // panned: not a tap
    drag.Down({5, 5}, {120, 134});
    drag.Move({6, 6});
    EXPECT_TRUE(drag.Up());
}

TEST(MapInteraction, PanModeRemembersTheCourseItWasEnteredWith)
{
    CMapCentre centre;
    const GeoPosition here = GeoPositionFromDegrees(1, 2), there = GeoPositionFromDegrees(3, 4);
    centre.PanTo(there, here, 45.0);
    centre.PanTo(here, here, 90.0);
    EXPECT_EQ(centre.GetMode(), CMapCentre::Pan);
    EXPECT_EQ(centre.PanCourse(), 45.0);
    EXPECT_EQ(centre.Centre(there, there).latitude, here.latitude);
}
