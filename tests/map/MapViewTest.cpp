#include "MapFixture.h"
#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "map/ui/AltitudeProfileWnd.h"
#include "platform/ui/ScreenMetrics.h"
#include "support/TestData.h"
#include "waypoints/WaypointImport.h"

#include <gtest/gtest.h>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGrid = qRgb(192, 192, 192);
const QRgb kTrack = qRgb(255, 0, 0);

int CountDark(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 100;
    return count;
}

int CountColour(const QImage& image, QRgb colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return count;
}

// The map centred at `centre`, north up, no fix.
void CentreAt(CMapFixture& f, double latitude, double longitude, double scale)
{
    f.map.Navigation().SetCurrentPosition(GeoPositionFromDegrees(latitude, longitude));
    f.view.SetScale(scale);
    f.view.SetNorthUp(true);
}

} // namespace

TEST(MapView, WiderThanTallKeepsTheSquareCentredAndTheGridInTheMargins)
{
    CMapFixture f;
    CentreAt(f, 10.05, 20.05, 10.0);
    const QImage image = f.Render(800, 480);
    const MapFrame frame = f.view.Frame();
    EXPECT_EQ(frame.projection.OffsetX(), 160);
    // The 0.1° grid lines of longitude 20.0 in the square and of latitude 10.1 into the margin.
    const int x = int(frame.projection.ToScreen(GeoPositionFromDegrees(10.05, 20.0)).x());
    EXPECT_EQ(image.pixel(x, 100), kGrid);
    const int y = int(frame.projection.ToScreen(GeoPositionFromDegrees(10.1, 20.05)).y());
    EXPECT_EQ(image.pixel(100, y), kGrid);
    EXPECT_EQ(image.pixel(700, y), kGrid);
}

TEST(MapView, GridLabelsOnlyNorthUp)
{
    CMapFixture f;
    CentreAt(f, 10.05, 20.05, 10.0);
    const QImage northUp = f.Render(480, 480);
    f.view.SetNorthUp(false);
    const QImage courseUp = f.view.Render();
    // Label text in the left strip (above the north arrow); course up has none there.
    const QRect labels(0, 40, 30, 340);
    EXPECT_GT(CountDark(northUp, labels), 5);
    EXPECT_EQ(CountDark(courseUp, labels), 0);
}

TEST(MapView, SatelliteGaugeFillsOneBarPerSatelliteBeyondTheFirst)
{
    struct Case {
        int used;
        int filledBars;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{5, 5}, Case{9, 5}}) {
        CMapFixture f;
        CentreAt(f, 0, 0, 1.0);
        f.view.SetSatelliteGauge(true, c.used - 1, QColor(0, 255, 0));
        const QImage image = f.Render(240, 268);
        int filled = 0;
        for (int i = 0; i < 5; ++i) // the inside of bar i, one pixel above the box bottom
            filled += image.pixel(3 + i * 5 + 2, 3 + 15 - 2) == qRgb(0, 255, 0);
        EXPECT_EQ(filled, c.filledBars) << c.used;
    }
}

TEST(MapView, IconsAreCentredOnTheirPoints)
{
    CMapFixture f;
    CentreAt(f, 37.0, 127.0, 1.0);
    const GeoPosition at = GeoPositionFromDegrees(37.003, 127.002);
    f.AddWaypoint(QStringLiteral("Box"), at, 32); // a grey square
    const QImage image = f.Render(480, 536);
    const QPoint centre = ToPixel(f.view.Frame().ToScreen(at));
    const QRgb inside = image.pixel(centre.x() - 5, centre.y() - 5);
    EXPECT_NE(inside, kWhite);
    EXPECT_EQ(image.pixel(centre.x() + 5, centre.y() + 5), inside);
    EXPECT_EQ(image.pixel(centre.x() - 9, centre.y()), kWhite);
    EXPECT_EQ(image.pixel(centre.x() + 9, centre.y()), kWhite);
    EXPECT_EQ(f.view.WaypointsUnder(centre + QPoint(7, 7)).size(), 1u);
    EXPECT_TRUE(f.view.WaypointsUnder(centre + QPoint(8, 8)).empty());
}

TEST(MapView, DeclutterThinsCrowdedStoresWhenZoomedOut)
{
    CMapFixture f;
    CentreAt(f, 36.0, 127.0, 20.0);
    // Centred on the waypoints, away from the position marker.
    f.view.Centre().PanTo(GeoPositionFromDegrees(37.04, 127.045), {}, 0.0);
    for (int i = 0; i < 300; ++i) // all in one cell
        f.AddWaypoint(QStringLiteral("W%1").arg(i),
                      GeoPositionFromDegrees(37.001 + (i % 20) * 0.004, 127.001 + (i / 20) * 0.006),
                      0);
    f.view.SetShowIcons(false);
    f.view.SetDeclutter(false);
    const QRect area(100, 60, 280, 360);
    const int all = CountColour(f.Render(480, 480), qRgb(0, 0, 0), area);
    EXPECT_EQ(all, 300 * 5);
    f.view.SetDeclutter(true);
    const int thinned = CountColour(f.view.Render(), qRgb(0, 0, 0), area);
    EXPECT_EQ(thinned, 20 * 5);
}

TEST(MapView, FarTrackPointsDoNotWrapIntoView)
{
    CMapFixture f;
    CentreAt(f, 0.0, 0.0, 0.01);
    TrackPoint near{GeoPositionFromDegrees(0.00005, 0.0), 1, 0};
    TrackPoint far{GeoPositionFromDegrees(0.0, 179.99), 0, 0};
    TrackPoint back{GeoPositionFromDegrees(-0.00005, 0.0), 0, 0};
    for (const TrackPoint& p : {near, far, back})
        f.view.Track().Append(p);
    const QImage image = f.Render(480, 480);
    // Only the two lines out to the east and back: nothing left of the centre.
    EXPECT_GT(CountColour(image, kTrack, QRect(245, 0, 235, 480)), 100);
    EXPECT_EQ(CountColour(image, kTrack, QRect(60, 0, 170, 480)), 0);
}

TEST(MapView, ADemoDriveWithWaypoints)
{
    CMapFixture f;
    f.FeedFile(DemoLogPath());
    ASSERT_GT(f.view.Track().GetCount(), 100);
    const GeoPosition here = f.map.Navigation().CurrentPosition();
    const int icons[] = {24, 25, 26, 83, 94, 117, 1, 14, 16, 19, 60, 129};
    for (int i = 0; i < 12; ++i)
        f.AddWaypoint(QStringLiteral("P%1").arg(i),
                      DestinationPoint(here, 0.15 + 0.05 * i, i * 30.0), icons[i]);
    f.map.Navigation().GoTo([&] {
        CWaypoint target;
        f.view.Store().GetByID(1, target);
        return target;
    }());
    for (const auto& [w, h, large] :
         {std::tuple{240, 268, false}, {480, 536, true}, {800, 480, false}}) {
        f.view.SetLargeWaypointIcons(large);
        const QImage image = f.Render(w, h);
        EXPECT_GT(CountColour(image, kTrack), 50) << w;
        CMapFixture::Keep(image, QStringLiteral("map-%1x%2").arg(w).arg(h));
    }
    // A high-resolution display: fonts, gauge, markers and track pen at twice the size.
    ScreenMetrics::PinDpi(192);
    f.map.ApplyViewSettings();
    f.view.SetLargeWaypointIcons(true);
    const QImage high = f.Render(480, 536);
    ScreenMetrics::PinDpi(0);
    EXPECT_EQ(high.pixel(3 + 5, 3 + 28),
              qRgb(0, 255, 0)); // inside the first bar of a 50 x 30 gauge
    CMapFixture::Keep(high, QStringLiteral("map-480x536-192dpi"));
    // The altitude profile under the map, filled from the drive's altitudes.
    WriteIntSetting(QStringLiteral("Map"), QStringLiteral("View Altitude Profile"), 1);
    f.map.ApplyViewSettings();
    f.map.resize(480, 536);
    const QImage profile = f.map.AltitudeProfile().Render();
    EXPECT_GT(CountColour(profile, qRgb(128, 128, 255)), 1000);
    CMapFixture::Keep(profile, QStringLiteral("altitude-profile"));
    CMapFixture::Keep(f.map.grab().toImage(), QStringLiteral("map-with-profile"));
}

TEST(MapView, AReceiverCaptureSouthOfTheEquatorWithImportedWaypoints)
{
    REQUIRE_TESTDATA();
    CMapFixture f;
    f.FeedFile(TestDataPath(QStringLiteral("nmea/haicom-305N.log")));
    ASSERT_GT(f.view.Track().GetCount(), 2);
    EXPECT_LT(f.map.Navigation().CurrentPosition().latitude, 0);
    // Waypoints of a GPX file, moved next to the drive so they are in view.
    CWaypointDB imported;
    ImportWaypointFile(imported, TestDataPath(QStringLiteral("gpx/garmin_symbols.gpx")), 0);
    ASSERT_GT(imported.GetCount(), 0);
    const GeoPosition here = f.map.Navigation().CurrentPosition();
    int placed = 0;
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (CWaypoint w : imported.CellWaypoints(cell)) {
            w.position = DestinationPoint(here, 0.05 + 0.012 * placed, placed * 23.0);
            f.view.Store().AddByPosition(w);
            ++placed;
        }
    f.view.SetScale(0.5);
    for (const bool northUp : {true, false}) {
        f.view.SetNorthUp(northUp);
        const QImage image = f.Render(240, 268);
        EXPECT_GT(CountColour(image, kTrack), 5);
        CMapFixture::Keep(image, QStringLiteral("haicom-%1").arg(northUp ? "north" : "course"));
    }
}
