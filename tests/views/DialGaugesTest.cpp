// The dial gauges rendered offscreen and probed where the drawing rules put each part.

#include "views/ui/DialGauges.h"
#include "views/ExpectedGeometry.h"

#include <gtest/gtest.h>

namespace {

const QColor kIndicator(0, 0, 255);
const QColor kText(0, 0, 0);
const QColor kFace(255, 255, 255);
const QColor kRed(255, 0, 0);
constexpr int kSide = 201;

QImage Render(CDialGauge& gauge, int w = kSide, int h = kSide)
{
    QImage image = WhiteCanvas(w, h);
    CDrawContext dc(image);
    gauge.SetColors(kIndicator, kText, kFace);
    gauge.Draw(dc, {0, 0, w, h}, 96);
    return image;
}

TEST(DialGauges, FaceIsCentredAndScaledByTheShorterSide)
{
    CAltimeterWnd gauge;
    for (const QSize size : {QSize(301, 201), QSize(201, 301)}) {
        Render(gauge, size.width(), size.height());
        const ExpectedDial dial = ExpectedDial::Of(0, 0, size.width(), size.height());
        EXPECT_DOUBLE_EQ(gauge.Radius(), 99.5);
        EXPECT_EQ(gauge.Face().left, static_cast<int>(dial.cx - dial.radius));
        EXPECT_EQ(gauge.Face().top, static_cast<int>(dial.cy - dial.radius));
        EXPECT_EQ(gauge.Face().Width(), 199);
    }
}

TEST(DialGauges, CompassRoseTurnsWithTheHeadingAndTheNeedlePointsToTheBearing)
{
    struct Case {
        int heading, bearing;
        double northAt, needleAt; // screen angles, clockwise from the top
    };
    const Case cases[] = {{0, 0, 0, 0}, {90, 90, 270, 0}, {90, 180, 270, 90}, {300, 30, 60, 90}};
    const ExpectedDial dial = ExpectedDial::Of(0, 0, kSide, kSide);
    for (const Case& c : cases) {
        CCompassWnd compass;
        compass.SetCompass(c.heading, c.bearing, QStringLiteral("HOME"), 1.5, QStringLiteral("mi"));
        const QImage image = Render(compass);
        SCOPED_TRACE(testing::Message() << "heading " << c.heading << " bearing " << c.bearing);
        EXPECT_TRUE(HasColourNear(image, dial.At(c.northAt, 70), 3, kRed));
        // "E" a quarter turn clockwise from "N"; nothing red opposite "N".
        EXPECT_TRUE(HasColourNear(image, dial.At(c.northAt + 90, 70), 3, kRed));
        EXPECT_TRUE(HasColourNear(image, dial.At(c.needleAt, 45), 1, kIndicator));
        EXPECT_FALSE(HasColourNear(image, dial.At(c.needleAt + 180, 45), 2, kIndicator));
    }
}

TEST(DialGauges, AltimeterHandsLieOnTheirAngles)
{
    CAltimeterWnd altimeter;
    altimeter.SetValue(1234.5, QStringLiteral("ft"));
    const QImage image = Render(altimeter);
    const ExpectedDial dial = ExpectedDial::Of(0, 0, kSide, kSide);
    EXPECT_TRUE(HasColourNear(image, dial.At(84.42, 62), 0, kIndicator));
    EXPECT_TRUE(HasColourNear(image, dial.At(44.42, 38), 0, kIndicator));
    EXPECT_TRUE(HasColourNear(image, dial.At(4.44, 80), 0, kIndicator));
    EXPECT_FALSE(HasColourNear(image, dial.At(84.42 + 20, 62), 1, kIndicator));
    EXPECT_FALSE(HasColourNear(image, dial.At(44.42 - 20, 38), 1, kIndicator));
}

TEST(DialGauges, NeedlesOfSpeedAndVerticalSpeed)
{
    struct Case {
        const char* name;
        double value;
        bool vertical;
        double angle;
    };
    const Case cases[] = {
        {"full scale at the top", 150, false, 0},
        {"half scale at the bottom", 75, false, 180},
        {"a quarter at the right", 37.5, false, 90},
        {"climb pinned at +full scale", 9000, true, 60},
        {"sink pinned at -full scale", -9000, true, 120},
        {"level at nine o'clock", 0, true, 270},
    };
    const ExpectedDial dial = ExpectedDial::Of(0, 0, kSide, kSide);
    for (const Case& c : cases) {
        CSpeedometerWnd speed;
        CVerticalSpeedWnd vertical;
        speed.SetValue(c.value, QStringLiteral("mph"));
        vertical.SetValue(c.value, QStringLiteral("ft"));
        const QImage image = c.vertical ? Render(vertical) : Render(speed);
        EXPECT_TRUE(HasColourNear(image, dial.At(c.angle, 55), 0, kIndicator)) << c.name;
        EXPECT_FALSE(HasColourNear(image, dial.At(c.angle + 45, 55), 1, kIndicator)) << c.name;
    }
}

TEST(DialGauges, SpeedometerRefusesAFullScaleThatWouldDivideByZero)
{
    CSpeedometerWnd speed;
    for (const double bad : {0.0, -10.0, std::nan("")}) {
        speed.SetFullScale(bad);
        EXPECT_EQ(speed.FullScale(), 150.0);
    }
    speed.SetFullScale(60);
    EXPECT_EQ(speed.FullScale(), 60.0);
}

TEST(DialGauges, DamagedValuesDrawWithoutUndefinedConversions)
{
    const double bad[] = {std::nan(""), 1e300, -1e300, std::numeric_limits<double>::infinity()};
    for (const double value : bad) {
        CAltimeterWnd altimeter;
        CSpeedometerWnd speed;
        CVerticalSpeedWnd vertical;
        altimeter.SetValue(value, QStringLiteral("m"));
        speed.SetValue(value, QStringLiteral("km/h"));
        vertical.SetValue(value, QStringLiteral("m"));
        vertical.SetFullScale(0);
        for (CDialGauge* gauge : std::initializer_list<CDialGauge*>{&altimeter, &speed, &vertical})
            EXPECT_FALSE(Render(*gauge).isNull());
    }
}

} // namespace
