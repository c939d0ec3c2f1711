#include "views/ui/SkyView.h"

#include "views/PixelMath.h"
#include "views/SatelliteView.h"
#include "views/ui/ConstellationLegend.h"

namespace {

const QColor kKey(255, 0, 255);
// Without marker bitmaps a satellite is a dot with its PRN this far below its point.
constexpr int kDotLabelOffset = 10;

// A satellite body between two solar panels, a white cross in the middle of the body.
QImage DrawMarker(const QColor& colour)
{
    QImage image(15, 13, QImage::Format_RGB32);
    image.fill(kKey);
    const QColor dark = colour.darker(160);
    for (int y = 3; y <= 9; ++y) {
        for (int x = 0; x <= 14; ++x) {
            const bool panel = x <= 4 || x >= 10;
            const bool body = x >= 5 && x <= 9;
            if (panel)
                image.setPixelColor(x, y, (y == 6 || x == 2 || x == 12) ? dark : colour);
            else if (body)
                image.setPixelColor(x, y, colour);
        }
    }
    for (int x = 5; x <= 9; ++x) {
        image.setPixelColor(x, 2, colour);
        image.setPixelColor(x, 10, colour);
    }
    for (int i = 4; i <= 8; ++i) {
        image.setPixelColor(7, i, Qt::white);
        image.setPixelColor(i + 1, 6, Qt::white);
    }
    return MakeColorKeyed(image, kKey);
}

} // namespace

const QImage& SatelliteMarker(int resourceId)
{
    static const QImage used = DrawMarker(QColor(255, 0, 0));
    static const QImage notUsed = DrawMarker(QColor(128, 128, 128));
    static const QImage none;
    if (resourceId == kUsedSatelliteBitmap)
        return used;
    if (resourceId == kNotUsedSatelliteBitmap)
        return notUsed;
    return none;
}

void CAzimuthElevationWnd::SetSatelliteBitmaps(int used, int notUsed)
{
    m_usedBitmap = used;
    m_notUsedBitmap = notUsed;
}

void CAzimuthElevationWnd::SetSkyColors(const QColor& fill, const QColor& outline)
{
    m_fill = fill;
    m_outline = outline;
}

void CAzimuthElevationWnd::DrawSky(CDrawContext& dc, const GdiRect& rect) const
{
    CConstellationSet present;
    for (const SkySatellite& satellite : m_slots)
        if (satellite.prn != 0)
            present.Add(satellite.constellation);
    const bool marked = present.IsMixed();
    const QImage& marker = SatelliteMarker(m_usedBitmap);
    const CConstellationLegend legend(dc, rect, marked ? present : CConstellationSet{},
                                      marker.isNull() ? kDotLabelOffset : marker.height() / 2);
    const QRect square = SkySquare(legend.SkyRect().ToQRect());
    const GdiRect sq = GdiRect::FromQRect(square);
    const int s = sq.Width();
    if (s <= 0)
        return;

    dc.SelectPen(m_outline);
    dc.SelectBrush(m_fill);
    dc.Ellipse(sq);

    dc.SelectPen(m_grid);
    const int midX = sq.left + (sq.right - sq.left) / 2;
    const int midY = sq.top + (sq.bottom - sq.top) / 2;
    dc.MoveTo(midX, sq.top);
    dc.LineTo(midX, sq.bottom);
    dc.MoveTo(sq.left, midY);
    dc.LineTo(sq.right, midY);
    dc.SelectHollowBrush();
    const double cx = sq.left + s * 0.5, cy = sq.top + (sq.bottom - sq.top) * 0.5;
    const int ring = TruncToPixel(s * 0.5 / 90 * 45);
    dc.Ellipse({TruncToPixel(cx - ring), TruncToPixel(cy - ring), TruncToPixel(cx + ring),
                TruncToPixel(cy + ring)});

    dc.SelectFont(CreatePixelFont(TruncToPixel(0.08 * s + 0.5)));
    dc.SetBkMode(BackgroundMode::Opaque);
    dc.SetBkColor(m_fill);
    dc.SetTextColor(Qt::black);
    static const char kCardinals[] = "NESW";
    for (int i = 0; i < 4; ++i) {
        const QString letter(QLatin1Char(kCardinals[i]));
        const QPoint p = AzElToPoint(square, 90.0 * i, 2);
        const QSize extent = dc.GetTextExtent(letter);
        const int tw = extent.width(), th = extent.height();
        const GdiRect boxes[] = {
            {p.x() - tw / 2, p.y(), p.x() + tw / 2, p.y() + th},
            {p.x() - tw, p.y() - th / 2, p.x(), p.y() + th / 2},
            {p.x() - tw / 2, p.y() - th, p.x() + tw / 2, p.y()},
            {p.x(), p.y() - th / 2, p.x() + tw, p.y() + th / 2},
        };
        dc.DrawText(letter, boxes[i], DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }

    // The legend first, so that a satellite's label near the horizon is never hidden by it.
    const GdiFont skyFont = dc.CurrentFont();
    legend.Draw(dc);
    dc.SelectFont(skyFont);
    dc.SetBkMode(BackgroundMode::Transparent);
    const int textHeight = dc.GetTextMetrics().height;
    for (const SkySatellite& satellite : m_slots)
        if (satellite.prn != 0)
            DrawSatellite(dc, satellite, square, rect.bottom, textHeight, marked);
}

void CAzimuthElevationWnd::DrawSatellite(CDrawContext& dc, const SkySatellite& satellite,
                                         const QRect& square, int bottom, int textHeight,
                                         bool marked) const
{
    const QPoint p = AzElToPoint(square, satellite.azimuth, satellite.elevation);
    const bool used = satellite.used == 1;
    const QColor& colour = used ? m_usedColour : m_notUsedColour;
    const QImage& marker = SatelliteMarker(used ? m_usedBitmap : m_notUsedBitmap);
    int below = kDotLabelOffset; // from the point to the label's top, and to the marker's top
    if (!marker.isNull()) {
        const int bw = marker.width(), bh = marker.height();
        dc.DrawKeyed(p.x() - bw / 2, p.y() - bh / 2, marker, marker.rect());
        below = bh / 2;
    } else {
        dc.SelectPen(colour);
        dc.SelectBrush(colour);
        dc.Ellipse({p.x() - 5, p.y() - 5, p.x() + 5, p.y() + 5});
    }
    // The label hangs below the marker, unless that would cut it off at the bottom of the view
    // (a satellite low in the south): then it stands above the marker.
    int labelTop = p.y() + below;
    if (labelTop + textHeight > bottom)
        labelTop = p.y() - below - textHeight;
    const QString label = QString::number(satellite.prn);
    if (marked) {
        const int width = LetterAndTextWidth(dc, satellite.constellation, label);
        DrawLetterAndText(dc, satellite.constellation, label, colour, p.x() - width / 2, labelTop);
        return;
    }
    dc.SetTextColor(colour);
    const int half = dc.GetTextExtent(label).width() / 2 + 1;
    dc.DrawText(label, {p.x() - half, labelTop, p.x() + half, labelTop + textHeight},
                DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}
