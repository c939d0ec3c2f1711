// Satellites of several constellations in the status view: which marks appear, where the legend
// goes, and a real multi-constellation receiver's table drawn at the handheld and the desktop
// sizes.

#include "views/ConstellationMarks.h"
#include "views/SatelliteView.h"
#include "views/ui/ConstellationLegend.h"
#include "views/ui/GPSStatusWnd.h"

#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "support/Captures.h"
#include "support/TestData.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

// The letters of a set's constellations in legend order.
QString Letters(const CConstellationSet& set)
{
    QString letters;
    for (const Constellation constellation : set.Members())
        letters += ConstellationLetter(constellation);
    return letters;
}

TEST(ConstellationMarks, OnlySystemsBesideGpsAndSbasMarkTheSatellites)
{
    using C = Constellation;
    struct Case {
        std::vector<C> present;
        bool mixed;
        QString letters; // in legend order
    };
    const Case cases[] = {
        {{}, false, ""},
        {{C::GPS}, false, "G"},
        {{C::SBAS, C::GPS}, false, "GS"},
        {{C::GLONASS}, true, "R"},
        {{C::SBAS, C::BeiDou, C::GPS, C::Galileo, C::GLONASS}, true, "GRECS"},
        {{C::NavIC, C::QZSS}, true, "JI"},
    };
    for (const Case& c : cases) {
        CConstellationSet set;
        for (const C constellation : c.present)
            set.Add(constellation);
        EXPECT_EQ(Letters(set), c.letters);
        EXPECT_EQ(set.IsMixed(), c.mixed) << c.letters.toStdString();
    }
}

TEST(ConstellationMarks, LegendRowsWrapAndCornersRefuseWhatDoesNotFit)
{
    EXPECT_EQ(WrapLegendRows({30, 50, 40, 60}, 10, 100), (std::vector<int>{2, 1, 1}));
    EXPECT_EQ(WrapLegendRows({120, 20}, 10, 100), (std::vector<int>{1, 1}));

    const std::vector<QSize> entries(4, QSize(50, 12));
    const QRect wide(0, 0, 400, 200); // square (100, 0)-(300, 200)
    const std::vector<QPoint> places =
        PlaceLegendInCorners(entries, wide, QRect(100, 0, 200, 200), 6, 20);
    ASSERT_EQ(places.size(), 4u);
    for (size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(places[i], QPoint(2, 12 * static_cast<int>(i))) << "top-left, reading down";
    const QRect square(0, 0, 200, 200); // no room beside the disc
    EXPECT_TRUE(PlaceLegendInCorners(entries, square, square, 6, 20).empty());
}

TEST(SignalBars, EmptySlotsAreSkippedAndUntrackedSatellitesGiveWayWhenCrowded)
{
    SignalTable table;
    table.records = {{1, 30}, {2, 0}, {0, 0}, {3, 45}, {4, 0}, {5, 12}};
    table.count = 6; // one slot empty, as when a receiver counts more than it lists
    EXPECT_EQ(SignalBarRecords(table, 5), (std::vector<int>{0, 1, 3, 4, 5}));
    EXPECT_EQ(SignalBarRecords(table, 4), (std::vector<int>{0, 3, 5}));
}

bool HasColour(const QImage& image, const QRect& area, QRgb colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

// The constellations whose colour shows among the pixels of `area`.
CConstellationSet MarksIn(const QImage& image, const QRect& area)
{
    CConstellationSet found;
    for (int i = 0; i < kConstellationCount; ++i) {
        const auto constellation = static_cast<Constellation>(i);
        if (HasColour(image, area, ConstellationColor(constellation).rgb()))
            found.Add(constellation);
    }
    return found;
}

TEST(StatusView, RealReceiverCapturesAreMarkedByConstellationOnlyWhenMixed)
{
    REQUIRE_TESTDATA();
    struct Case {
        const char* capture;
        GnssTalkers talkers;
        const char* marks; // in the bars and in the sky page's legend and labels
    };
    const Case cases[] = {
        {"ublox-zed-f9p-nmea.log", GnssTalkers::All, "GREC"},
        {"ublox-8.log", GnssTalkers::All, "GRS"},            // with SBAS satellites
        {"ublox-zed-f9p-nmea.log", GnssTalkers::GpOnly, ""}, // the GPS talker only: as always
        {"bu353s4.log", GnssTalkers::All, ""},
    };
    for (const Case& c : cases) {
        CNMEAParser parser;
        parser.SetGnssTalkers(c.talkers);
        FeedInChunks(parser, ReadCapture(QString::fromLatin1(c.capture)), 128);
        ViewContext context{parser};
        CGPSStatusWnd view(context, nullptr);
        const QPoint tap(50, 150);
        for (int page = 0; page < 2; ++page) {
            QMouseEvent press(QEvent::MouseButtonPress, tap, tap, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &press);
        }
        for (const QSize size : {QSize(240, 268), QSize(800, 480)}) {
            SCOPED_TRACE(std::string(c.capture) + " " + std::to_string(size.width()));
            view.resize(size);
            const QImage image = view.Render();
            const int third = size.height() / 3;
            EXPECT_EQ(Letters(MarksIn(image, QRect(0, 0, size.width(), third))), c.marks)
                << "ticks and letters under the bars";
            EXPECT_EQ(Letters(MarksIn(
                          image, QRect(0, third + 3, size.width(), size.height() - third - 3))),
                      c.marks)
                << "legend and PRN letters of the sky";
        }
    }
}

} // namespace
