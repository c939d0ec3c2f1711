// The satellite status view: signal bars, sky view and the pages, probed where the drawing rules
// put them.

#include "views/ui/GPSStatusWnd.h"
#include "views/ui/StatusDrawing.h"

#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "platform/ui/SystemColors.h"
#include "views/ExpectedGeometry.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

const QColor kFrame(192, 192, 192);

SignalTable Table(std::initializer_list<SignalRecord> records, int count)
{
    SignalTable table;
    table.records.assign(records);
    table.records.resize(36);
    table.count = count;
    return table;
}

TEST(SignalBars, BarTopsRiseOneFortyFifthPerDecibelAboveFive)
{
    const SignalTable table =
        Table({{1, 5, 0, 0, 1}, {2, 30, 0, 0, 1}, {3, 50, 0, 0, 0}, {4, 60, 0, 0, 1}}, 4);
    QImage image = WhiteCanvas(400, 200);
    {
        CDrawContext dc(image);
        DrawSignalBars(dc, {0, 0, 400, 200}, table);
    }
    const int th = QFontMetrics(CreatePixelFont(16).font).height(); // 0.04 * 400 + 0.5
    const int top = 3, bottom = 200 - th;
    const double q = (bottom - top) / 45.0;
    const QColor used = GetSysColor(SysColor::Highlight);
    const QColor unused = GetSysColor(SysColor::GrayText);
    struct Case {
        int frame, barTop;
        QColor fill;
    };
    const Case cases[] = {{0, bottom, used},
                          {1, bottom - static_cast<int>(25 * q), used},
                          {2, top, unused},
                          {3, top, used}}; // 60 is clamped to the frame
    for (const Case& c : cases) {
        const int x = 1 + c.frame * 100 + 3; // frame left = trunc(i * p) + 1, p = 100
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(image.pixelColor(1 + c.frame * 100, bottom - 5), kFrame) << "frame edge";
        if (c.barTop < bottom) {
            EXPECT_EQ(image.pixelColor(x, c.barTop + 2), c.fill);
        }
        if (c.barTop > top + 3) {
            EXPECT_EQ(image.pixelColor(x, c.barTop - 2), QColor(Qt::white));
        }
    }
}

TEST(SignalBars, NoSatellitesShowTwelveEmptyFrames)
{
    QImage image = WhiteCanvas(240, 100);
    {
        CDrawContext dc(image);
        DrawSignalBars(dc, {0, 0, 240, 100}, Table({}, 0));
    }
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(image.pixelColor(1 + i * 20, 30), kFrame) << i;
        EXPECT_EQ(image.pixelColor(1 + i * 20 + 9, 30), QColor(Qt::white)) << i;
    }
    EXPECT_EQ(image.pixelColor(239, 30), QColor(Qt::white)) << "no thirteenth frame";
}

TEST(SkyView, SatellitesArePlacedByAzimuthAndElevation)
{
    CAzimuthElevationWnd sky; // no bitmaps: dots in the used and not-used colours
    sky.SetSatellites({{7, 0, 90, 1}, {9, 90, 0, 2}, {11, 180, 45, 0}, {0, 270, 45, 1}});
    QImage image = WhiteCanvas(300, 200);
    {
        CDrawContext dc(image);
        sky.DrawSky(dc, {0, 0, 300, 200});
    }
    // Square (50, 0)-(250, 200): centre (150, 100), 100 pixels from zenith to horizon.
    const QColor used(0, 0, 128), unused(128, 128, 128);
    EXPECT_EQ(image.pixelColor(148, 100), used) << "elevation 90 at the centre";
    EXPECT_EQ(image.pixelColor(248, 100), unused) << "azimuth 90 at the right edge; flag 2";
    EXPECT_EQ(image.pixelColor(150, 148), unused) << "azimuth 180, elevation 45";
    EXPECT_EQ(image.pixelColor(100, 100), QColor(224, 224, 255))
        << "the grid line where PRN 0 would be: an empty slot is not drawn";
}

TEST(SkyView, ALabelThatWouldLeaveTheViewStandsAboveItsSatellite)
{
    CAzimuthElevationWnd sky; // dots: the label's top is 10 pixels from the point
    sky.SetSatellites({{7, 180, 0, 1}, {9, 0, 45, 1}});
    QImage image = WhiteCanvas(300, 200);
    {
        CDrawContext dc(image);
        sky.DrawSky(dc, {0, 0, 300, 200});
    }
    // PRN 7 on the southern horizon (150, 200): its label ends 10 pixels above the point.
    // PRN 9 north at 45 degrees (150, 50) keeps its label below the dot.
    const QColor used(0, 0, 128);
    const auto labelRows = [&](int top, int bottom) {
        int count = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
            for (int x = 135; x < 165; ++x)
                count += image.pixelColor(x, y) == used ? 1 : 0;
        return count;
    };
    EXPECT_GT(labelRows(110, 190), 0) << "PRN 7 above its dot";
    EXPECT_GT(labelRows(60, 60 + 30), 0) << "PRN 9 below its dot";
    EXPECT_EQ(labelRows(30, 45), 0) << "nothing above PRN 9";
}

TEST(SkyView, MarkersAreFifteenByThirteenWithTransparentKey)
{
    for (const int id : {kUsedSatelliteBitmap, kNotUsedSatelliteBitmap}) {
        const QImage& marker = SatelliteMarker(id);
        EXPECT_EQ(marker.size(), QSize(15, 13));
        EXPECT_EQ(qAlpha(marker.pixel(0, 0)), 0);
        EXPECT_EQ(marker.pixelColor(7, 6), QColor(Qt::white)) << "cross in the middle";
    }
    EXPECT_EQ(SatelliteMarker(kUsedSatelliteBitmap).pixelColor(0, 4), QColor(255, 0, 0));
    EXPECT_TRUE(SatelliteMarker(1).isNull());
}

TEST(StatusView, TapsStepThroughThreePagesAndLabelsKeepSevenPoints)
{
    CNMEAParser parser;
    ViewContext context{parser};
    CGPSStatusWnd view(context, nullptr);
    view.resize(240, 268);
    const auto tap = [&] {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(50, 150), QPointF(50, 150),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(50, 150), QPointF(50, 150),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &release);
    };
    // Lower panel from y = 89 + 3 = 92; the first item box from (5, 97), height 176 / 4 = 44.
    const QColor item(224, 224, 224);
    EXPECT_EQ(view.Render().pixelColor(120, 100), item);
    const int pages[] = {1, 2, 0};
    for (const int page : pages) {
        tap();
        EXPECT_EQ(view.Page(), page);
    }
    tap();
    tap();
    const QImage sky = view.Render();
    EXPECT_EQ(sky.pixelColor(120, 180), QColor(0, 0, 255)) << "grid cross at the sky centre";
    EXPECT_EQ(sky.pixelColor(100, 160), QColor(235, 235, 255)) << "disc fill";

    EXPECT_EQ(LabelFontFor(10, 96).font.pixelSize(), 9);   // raised to 7 points
    EXPECT_EQ(LabelFontFor(100, 96).font.pixelSize(), 30); // 22.5 points
    EXPECT_EQ(LabelFontFor(10, 192).font.pixelSize(), 19);
}

} // namespace
