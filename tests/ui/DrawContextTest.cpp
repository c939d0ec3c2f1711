// The drawing context at exact pixels: what the views' geometry relies on.

#include "platform/ui/DrawContext.h"
#include "platform/ui/AppFonts.h"

#include <QFileInfo>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QImage Canvas(int w = 40, int h = 40)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

// Bounding box of the pixels that are not white.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(DrawContext, ShapesCoverLeftTopUpToButExcludingRightBottom)
{
    struct Case {
        const char* name;
        std::function<void(CDrawContext&)> draw;
    };
    const GdiRect rect{5, 7, 25, 19};
    const Case cases[] = {
        {"Rectangle", [&](CDrawContext& dc) { dc.Rectangle(rect); }},
        {"Rectangle without pen",
         [&](CDrawContext& dc) {
             dc.SelectNullPen();
             dc.SelectBrush(kBlue);
             dc.Rectangle(rect);
         }},
        {"FillRect", [&](CDrawContext& dc) { dc.FillRect(rect, kBlue); }},
        {"RoundRect", [&](CDrawContext& dc) { dc.RoundRect(rect, 6, 6); }},
        {"Ellipse", [&](CDrawContext& dc) { dc.Ellipse(rect); }},
    };
    for (const Case& c : cases) {
        QImage image = Canvas();
        {
            CDrawContext dc(image);
            dc.SelectPen(kRed);
            dc.SelectBrush(kBlue);
            c.draw(dc);
        }
        EXPECT_EQ(InkBox(image), QRect(5, 7, 20, 12)) << c.name;
    }
}

TEST(DrawContext, RectangleOutlineWithPenAndInteriorWithBrush)
{
    QImage image = Canvas();
    {
        CDrawContext dc(image);
        dc.SelectPen(kRed);
        dc.SelectBrush(kBlue);
        dc.Rectangle({0, 0, 10, 10});
    }
    EXPECT_EQ(image.pixelColor(0, 0), kRed);
    EXPECT_EQ(image.pixelColor(9, 9), kRed);
    EXPECT_EQ(image.pixelColor(5, 5), kBlue);
    EXPECT_EQ(image.pixelColor(10, 10), kWhite);
}

TEST(DrawContext, HollowBrushLeavesTheInside)
{
    QImage image = Canvas();
    {
        CDrawContext dc(image);
        dc.SelectPen(kRed);
        dc.SelectHollowBrush();
        dc.Ellipse({0, 0, 21, 21});
    }
    EXPECT_EQ(image.pixelColor(10, 10), kWhite);
    EXPECT_EQ(image.pixelColor(10, 0), kRed); // top of the ellipse
}

TEST(DrawContext, PolygonAndLinesLandOnTheirPoints)
{
    QImage image = Canvas();
    {
        CDrawContext dc(image);
        dc.SelectPen(kRed);
        dc.SelectBrush(kBlue);
        const QPoint triangle[] = {{2, 2}, {20, 2}, {2, 20}};
        dc.Polygon(triangle);
        dc.MoveTo(30, 5);
        dc.LineTo(30, 35);
    }
    EXPECT_EQ(image.pixelColor(2, 2), kRed);
    EXPECT_EQ(image.pixelColor(5, 5), kBlue);
    EXPECT_EQ(image.pixelColor(18, 18), kWhite);
    EXPECT_EQ(image.pixelColor(30, 20), kRed);
    EXPECT_EQ(image.pixelColor(31, 20), kWhite);
}

TEST(DrawContext, ClipRectangleLimitsDrawing)
{
    QImage image = Canvas();
    {
        CDrawContext dc(image);
        dc.SetClipRect({10, 10, 20, 20});
        dc.FillRect({0, 0, 40, 40}, kBlue);
        dc.ClearClip();
        dc.SetPixel(0, 0, kRed);
    }
    EXPECT_EQ(InkBox(image), QRect(0, 0, 20, 20));
    EXPECT_EQ(image.pixelColor(9, 9), kWhite);
    EXPECT_EQ(image.pixelColor(10, 10), kBlue);
    EXPECT_EQ(image.pixelColor(0, 0), kRed);
}

TEST(DrawContext, TransparentBlitLeavesKeyPixelsUntouched)
{
    QImage sprite(4, 4, QImage::Format_RGB32);
    sprite.fill(QColor(255, 0, 255));
    sprite.setPixelColor(1, 1, kRed);
    sprite.setPixelColor(2, 2, kBlue);

    QImage image = Canvas(10, 10);
    image.fill(QColor(0, 255, 0));
    {
        CDrawContext dc(image);
        dc.TransparentBlt({3, 3, 7, 7}, sprite, sprite.rect());
    }
    EXPECT_EQ(image.pixelColor(4, 4), kRed);
    EXPECT_EQ(image.pixelColor(5, 5), kBlue);
    EXPECT_EQ(image.pixelColor(3, 3), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(6, 6), QColor(0, 255, 0));

    // The pre-keyed form draws the same pixels.
    QImage again = Canvas(10, 10);
    again.fill(QColor(0, 255, 0));
    {
        CDrawContext dc(again);
        dc.DrawKeyed(3, 3, MakeColorKeyed(sprite), sprite.rect());
    }
    EXPECT_EQ(again, image);
}

TEST(DrawContext, StretchBlitScalesIntoTheDestination)
{
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, kRed);
    source.setPixelColor(1, 0, kBlue);
    QImage image = Canvas(10, 10);
    {
        CDrawContext dc(image);
        dc.StretchBlt({0, 0, 8, 4}, source, source.rect());
    }
    EXPECT_EQ(image.pixelColor(3, 3), kRed);
    EXPECT_EQ(image.pixelColor(4, 0), kBlue);
    EXPECT_EQ(image.pixelColor(8, 0), kWhite);
}

TEST(DrawContext, PointFontsScaleWithTheDeviceResolution)
{
    struct Case {
        int tenths, dpi, pixels;
    };
    for (const Case c :
         {Case{90, 96, 12}, Case{90, 192, 24}, Case{100, 96, 13}, Case{80, 131, 15}}) {
        EXPECT_EQ(CreatePointFont(c.tenths, c.dpi).font.pixelSize(), c.pixels)
            << c.tenths << " at " << c.dpi;
    }
}

TEST(DrawContext, TextIsPlacedByItsAlignmentAndEscapementTurnsIt)
{
    QImage image = Canvas(100, 100);
    {
        CDrawContext dc(image);
        dc.SelectFont(CreatePixelFont(14));
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.SetTextColor(kRed);
        dc.SetTextAlign(TA_RIGHT | TA_TOP);
        dc.ExtTextOut(50, 10, QStringLiteral("WWW"));
    }
    const QRect box = InkBox(image);
    EXPECT_LE(box.right(), 50);
    EXPECT_GE(box.top(), 10);
    EXPECT_GT(box.width(), box.height());

    QImage turned = Canvas(100, 100);
    {
        CDrawContext dc(turned);
        dc.SelectFont(CreatePixelFont(14, QStringLiteral("Tahoma"), false, 900));
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.SetTextColor(kRed);
        dc.ExtTextOut(20, 80, QStringLiteral("WWW"));
    }
    const QRect up = InkBox(turned);
    EXPECT_GT(up.height(), up.width()); // the text runs upwards from its reference point
    EXPECT_LE(up.bottom(), 80);
    EXPECT_GE(up.left(), 20);
}

TEST(DrawContext, DrawTextCentresInItsBoxAndClips)
{
    QImage image = Canvas(100, 40);
    {
        CDrawContext dc(image);
        dc.SelectFont(CreatePixelFont(12));
        dc.SetBkMode(BackgroundMode::Transparent);
        dc.SetTextColor(kRed);
        dc.DrawText(QStringLiteral("MM"), {0, 0, 100, 40}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.DrawText(QStringLiteral("MMMMMMMMMMMM"), {0, 0, 10, 10}, DT_LEFT | DT_SINGLELINE);
    }
    const QRect centre = InkBox(image.copy(20, 0, 80, 40)).translated(20, 0);
    EXPECT_NEAR(centre.center().x(), 50, 2);
    EXPECT_NEAR(centre.center().y(), 20, 3);
    EXPECT_EQ(InkBox(image.copy(10, 0, 20, 10)), QRect()); // the long text stopped at its box
}

TEST(AppFonts, TahomaRequestsGetTheWineTahoma)
{
    const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (!QFileInfo::exists(tahoma))
        GTEST_SKIP() << "fonts-wine is not installed";
    EXPECT_EQ(LoadApplicationFonts(), QStringLiteral("Tahoma"));
    EXPECT_EQ(QFontInfo(CreatePixelFont(12).font).family(), QStringLiteral("Tahoma"));
}

} // namespace
