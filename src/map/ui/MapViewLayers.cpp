// The layers of the map picture, in the order the view draws them.
#include "map/ui/MapView.h"

#include "app/ui/ViewContext.h"
#include "geo/Geodesy.h"
#include "geo/Units.h"
#include "gps/NMEAParser.h"
#include "map/MapGrid.h"
#include "map/MapWaypoints.h"
#include "map/TrackWalk.h"
#include "map/ui/MapMarkers.h"
#include "map/ui/WaypointIcons.h"
#include "nav/Navigation.h"

#include <cmath>

namespace {

const QColor kGridColour(192, 192, 192);
const QColor kSegmentColour(0, 0, 192);
const QColor kCourseLineColour(192, 0, 0);
const QColor kAveragingColour(0, 0, 128);
constexpr int kPointerCircleRadius = 50;
constexpr int kTrackClipMargin = 5;
constexpr int kWaypointQueryMargin = 16;
constexpr int kCourseUpGridGrowth = 1000;

QLine PixelLine(QPointF a, QPointF b)
{
    return QLine(ToPixel(a), ToPixel(b));
}

} // namespace

void CMapView::DrawGrid(CDrawContext& dc, const MapFrame& frame, const GdiRect& client)
{
    const GridSpacing grid = GridSpacingForScale(m_scale);
    const GdiRect span =
        m_northUp
            ? client
            : GdiRect{client.left - kCourseUpGridGrowth, client.top - kCourseUpGridGrowth,
                      client.right + kCourseUpGridGrowth, client.bottom + kCourseUpGridGrowth};
    const MapBox& box = frame.projection.Box();
    const int64_t spacing = grid.microdegrees;
    m_lines.clear();
    for (int64_t k = box.minLatitude / spacing - 10; k <= box.maxLatitude / spacing + 10; ++k) {
        const double y = frame.projection.ToScreen(int32_t(k * spacing), box.minLongitude).y();
        m_lines.push_back(PixelLine(frame.rotation.Turn({double(span.left), y}),
                                    frame.rotation.Turn({double(span.right), y})));
    }
    for (int64_t k = box.minLongitude / spacing - 10; k <= box.maxLongitude / spacing + 10; ++k) {
        const double x = frame.projection.ToScreen(box.maxLatitude, int32_t(k * spacing)).x();
        m_lines.push_back(PixelLine(frame.rotation.Turn({x, double(span.top)}),
                                    frame.rotation.Turn({x, double(span.bottom)})));
    }
    dc.SelectPen(kGridColour);
    dc.Lines(m_lines);
    if (m_gridLabels && m_northUp)
        DrawGridLabels(dc, frame, client);
}

void CMapView::DrawGridLabels(CDrawContext& dc, const MapFrame& frame, const GdiRect& client) const
{
    const GridSpacing grid = GridSpacingForScale(m_scale);
    const MapBox& box = frame.projection.Box();
    const int64_t spacing = grid.microdegrees;
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SelectFont(CreatePointFont(70, Dpi()));
    const int textHeight = dc.GetTextMetrics().height;
    for (int64_t k = box.minLatitude / spacing - 10; k <= box.maxLatitude / spacing + 10; ++k) {
        const QPoint p = ToPixel(frame.projection.ToScreen(int32_t(k * spacing), box.minLongitude));
        if (p.y() >= client.top && p.y() < client.bottom)
            dc.ExtTextOut(client.left + 3, p.y() - textHeight / 2, grid.Label(k));
    }
    // Written upwards: the text's height lies to the right of its reference point.
    dc.SelectFont(CreatePointFont(70, Dpi(), QStringLiteral("Tahoma"), false, 900));
    for (int64_t k = box.minLongitude / spacing - 10; k <= box.maxLongitude / spacing + 10; ++k) {
        const QPoint p = ToPixel(frame.projection.ToScreen(box.maxLatitude, int32_t(k * spacing)));
        if (p.x() >= client.left && p.x() < client.right)
            dc.ExtTextOut(p.x() - textHeight / 2, client.bottom - 3, grid.Label(k));
    }
}

void CMapView::DrawTrack(CDrawContext& dc, const MapFrame& frame, const GdiRect& client)
{
    m_lines.clear();
    const ScreenRect clip =
        ScreenRect{client.left, client.top, client.right, client.bottom}.Grown(kTrackClipMargin);
    CTrackWalk walk(clip, m_lines);
    CTrackThinning thinning(m_scale);
    for (int i = 0, count = m_track.GetCount(); i < count; ++i) {
        const TrackPoint& point = m_track.PointAt(i);
        bool segmentStart = point.segmentStart != 0;
        if (thinning.Use(i, segmentStart))
            walk.Add(frame.ToScreen(point.position), segmentStart);
    }
    dc.SelectPen(m_trackColour, m_trackWidth);
    dc.Lines(m_lines);
}

void CMapView::DrawWaypoints(CDrawContext& dc, const MapFrame& frame)
{
    const int step = DeclutterStep(m_scale, m_declutter, m_store.GetCount());
    const CMapWaypointQuery query(m_store, frame.projection, frame.rotation);
    if (!m_showIcons) {
        query.Visit(kWaypointQueryMargin, step, [&dc](CWaypoint&, QPointF point) {
            const QPoint c = ToPixel(point);
            for (const QPoint d :
                 {QPoint(0, 0), QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
                dc.SetPixel(c.x() + d.x(), c.y() + d.y(), Qt::black);
        });
        return;
    }
    const CWaypointIcons& icons = Icons();
    const int drawn = icons.Size() * std::max(1, m_iconZoom);
    query.Visit(kWaypointQueryMargin, step, [&](CWaypoint& waypoint, QPointF point) {
        const QImage* strip = nullptr;
        QRect source;
        if (!icons.Locate(waypoint.ResolveIcon(), strip, source))
            return;
        const ScreenRect square = IconSquare(ToPixel(point), drawn);
        if (drawn == icons.Size())
            dc.DrawKeyed(square.left, square.top, *strip, source);
        else
            dc.StretchBlt({square.left, square.top, square.right, square.bottom}, *strip, source);
    });
}

void CMapView::DrawSegments(CDrawContext& dc, const MapFrame& frame)
{
    if (m_segments.empty())
        return;
    m_lines.clear();
    for (const MapSegment& segment : m_segments)
        m_lines.push_back(PixelLine(frame.ToScreen(segment.from), frame.ToScreen(segment.to)));
    dc.SelectPen(kSegmentColour, 2);
    dc.Lines(m_lines);
}

void CMapView::DrawCourseLine(CDrawContext& dc, const MapFrame& frame) const
{
    if (!m_store.IsNavigating())
        return;
    const QLine line = PixelLine(frame.ToScreen(m_store.LegStart()),
                                 frame.ToScreen(m_store.NavigationTarget().position));
    dc.SelectPen(kCourseLineColour, 2);
    dc.Lines({&line, 1});
}

void CMapView::DrawNorthArrow(CDrawContext& dc, const MapFrame& frame, const GdiRect& client) const
{
    const QPoint at(client.left + 30, client.bottom - 30);
    MapMarkers::DrawNorthArrow(dc, at, frame.rotation.Angle(), 56);
    dc.SelectFont(CreatePointFont(130, Dpi()));
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.DrawText(QStringLiteral("N"), {at.x() - 10, at.y() - 10, at.x() + 10, at.y() + 10},
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CMapView::DrawScaleBar(CDrawContext& dc, const MapFrame& frame, const GdiRect& client) const
{
    const int x1 = client.right - client.Width() / 5 - 5, x2 = client.right - 5;
    const int y = client.bottom - 5;
    const GeoPosition a = frame.ToWorld(QPoint(x1, y));
    const GeoPosition b = frame.ToWorld(QPoint(x2, y));
    const double distance = KmToLong(PositionDistance(a, b));
    dc.SelectFont(CreatePointFont(70, Dpi()));
    dc.SetTextColor(Qt::black);
    dc.SetBkColor(Qt::white);
    dc.SetBkMode(BackgroundMode::Opaque);
    dc.DrawText(QString::asprintf("  %.1f %s  ", distance, qPrintable(LongDistanceUnitName())),
                {x1, client.bottom - 25, x2, y}, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
    for (const auto& [offset, colour] : {std::pair{1, QColor(Qt::white)}, {0, QColor(Qt::black)}}) {
        const QLine strokes[3] = {{x1 + offset, y + offset, x1 + offset, y - 20 + offset},
                                  {x2 + offset, y + offset, x2 + offset, y - 20 + offset},
                                  {x1 + offset, y - 10 + offset, x2 + offset, y - 10 + offset}};
        dc.SelectPen(colour);
        dc.Lines(strokes);
    }
}

void CMapView::DrawPointer(CDrawContext& dc, const MapFrame& frame) const
{
    if (!m_navigation || !m_navigation->IsNavigating())
        return;
    const QPoint at = ToPixel(frame.ToScreen(CurrentPosition()));
    dc.SelectPen(Qt::black);
    dc.SelectHollowBrush();
    dc.Ellipse({at.x() - kPointerCircleRadius, at.y() - kPointerCircleRadius,
                at.x() + kPointerCircleRadius + 1, at.y() + kPointerCircleRadius + 1});
    MapMarkers::DrawWaypointPointer(
        dc, at, m_navigation->BearingToTarget() + frame.rotation.Angle(), kPointerCircleRadius - 4);
}

void CMapView::DrawPosition(CDrawContext& dc, const MapFrame& frame) const
{
    const int box = (IsHighResolution() || m_largePositionIcon) ? 48 : 24;
    const bool hasCourse = m_context.fix.Gga().quality != 0;
    MapMarkers::DrawPositionArrow(dc, ToPixel(frame.ToScreen(CurrentPosition())),
                                  Course() + frame.rotation.Angle(), box, m_markerColour,
                                  hasCourse);
}

void CMapView::DrawAveraging(CDrawContext& dc, const MapFrame& frame) const
{
    if (!m_showAveraging)
        return;
    const QPoint at = ToPixel(frame.ToScreen(m_averagingPosition));
    const double east =
        frame.projection.ToScreen(DestinationPoint(m_averagingPosition, m_averagingRadius, 90.0))
            .x();
    const int radius = int(
        std::min(std::abs(east - frame.projection.ToScreen(m_averagingPosition).x()), kFarPixels));
    dc.SelectPen(kAveragingColour);
    dc.SelectHollowBrush();
    dc.Ellipse({at.x() - radius, at.y() - radius, at.x() + radius + 1, at.y() + radius + 1});
    MapMarkers::DrawAveragingMark(dc, at, IsHighResolution() ? 20 : 10);
}

void CMapView::DrawExitPan(CDrawContext& dc, const GdiRect& client) const
{
    const GdiRect box{client.right - 30, client.top, client.right, client.top + 30};
    dc.SelectPen(Qt::black);
    dc.SelectBrush(QColor(255, 255, 0));
    dc.Rectangle(box);
    dc.SelectFont(CreatePointFont(70, Dpi()));
    dc.SetTextColor(Qt::black);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.DrawText(tr("Exit Pan"), {box.left + 3, box.top + 3, box.right - 3, box.bottom - 3},
                DT_CENTER | DT_WORDBREAK);
}

void CMapView::DrawSatelliteGauge(CDrawContext& dc, const GdiRect& client) const
{
    const int left = client.left + 3, top = client.top + 3;
    const int width = 25 * m_gaugeSize, height = 15 * m_gaugeSize;
    const int barWidth = width / 5, step = height / 5;
    dc.SelectPen(
        QColor(m_gaugeColour.red() / 2, m_gaugeColour.green() / 2, m_gaugeColour.blue() / 2));
    for (int i = 0; i < 5; ++i) {
        if (i <= m_gaugeLevel)
            dc.SelectBrush(m_gaugeColour);
        else
            dc.SelectHollowBrush();
        dc.Rectangle({left + i * barWidth, top + (4 - i) * step, left + (i + 1) * barWidth - 1,
                      top + height});
    }
}
