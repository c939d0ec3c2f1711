#include "map/ui/MapView.h"

#include "map/MapWaypoints.h"
#include "map/ui/WaypointIcons.h"
#include "nav/Navigation.h"
#include "nav/PositionProcessor.h"

CMapView::CMapView(ViewContext& context, QWidget* parent)
    : CBufferedView(QStringLiteral("MapView"), parent), m_context(context)
{}

CMapView::~CMapView() = default;

void CMapView::SetSources(const CNavigation* navigation, const CPositionProcessor* processor)
{
    m_navigation = navigation;
    m_processor = processor;
}

void CMapView::SetGrid(bool lines, bool labels)
{
    m_gridLines = lines;
    m_gridLabels = labels;
}

void CMapView::SetAveraging(bool show, const GeoPosition& position, double radiusKm)
{
    m_showAveraging = show;
    m_averagingPosition = position;
    m_averagingRadius = radiusKm;
}

void CMapView::SetLargeWaypointIcons(bool large)
{
    if (large != m_largeIcons)
        m_icons.reset();
    m_largeIcons = large;
}

int CMapView::WaypointIconSize() const
{
    return m_largeIcons ? CWaypointIcons::kLarge : CWaypointIcons::kSmall;
}

void CMapView::SetTrackPen(const QColor& colour, int width)
{
    m_trackColour = colour;
    m_trackWidth = width;
}

void CMapView::SetSatelliteGauge(bool visible, int level, const QColor& colour)
{
    m_gaugeVisible = visible;
    m_gaugeLevel = level;
    m_gaugeColour = colour;
}

GeoPosition CMapView::CurrentPosition() const
{
    return m_navigation ? m_navigation->CurrentPosition() : GeoPosition{};
}

double CMapView::Course() const
{
    return m_processor ? m_processor->DisplayedCourse() : 0.0;
}

MapFrame CMapView::Frame() const
{
    const QSize size = ClientPixels();
    const ScreenRect client{0, 0, size.width(), size.height()};
    const GeoPosition current = CurrentPosition();
    MapFrame frame;
    frame.projection.Setup(client, ViewBox(m_centre.Centre(current, m_averagingPosition), m_scale));
    const bool panning = m_centre.GetMode() == CMapCentre::Pan;
    const GeoPosition& rotationCentre = panning ? m_centre.PanCentre() : current;
    frame.rotation.Setup(m_northUp, panning ? m_centre.PanCourse() : Course(),
                         frame.projection.ToScreen(rotationCentre));
    return frame;
}

GdiRect CMapView::ExitPanBox() const
{
    const int right = ClientPixels().width();
    return {right - 30, 0, right, 30};
}

std::vector<int> CMapView::WaypointsUnder(QPoint point)
{
    const MapFrame frame = Frame();
    return CMapWaypointQuery(m_store, frame.projection, frame.rotation)
        .IdsUnder(point, WaypointIconSize());
}

const CWaypointIcons& CMapView::Icons()
{
    if (!m_icons)
        m_icons = std::make_unique<CWaypointIcons>(m_largeIcons);
    return *m_icons;
}

void CMapView::Draw(CDrawContext& dc, const GdiRect& client)
{
    dc.FillRect(client, Qt::white);
    const MapFrame frame = Frame();
    if (m_gridLines)
        DrawGrid(dc, frame, client);
    DrawTrack(dc, frame, client);
    DrawWaypoints(dc, frame);
    DrawSegments(dc, frame);
    DrawCourseLine(dc, frame);
    DrawNorthArrow(dc, frame, client);
    DrawScaleBar(dc, frame, client);
    DrawPointer(dc, frame);
    DrawPosition(dc, frame);
    DrawAveraging(dc, frame);
    if (m_centre.GetMode() == CMapCentre::Pan)
        DrawExitPan(dc, client);
    if (m_gaugeVisible)
        DrawSatelliteGauge(dc, client);
}

void CMapView::paintEvent(QPaintEvent* event)
{
    CBufferedView::paintEvent(event);
    Q_EMIT Painted();
}

void CMapView::OnStylusDown(QPoint point)
{
    if (m_stylus)
        m_stylus->OnMapStylusDown(point);
}

void CMapView::OnStylusMove(QPoint point)
{
    if (m_stylus)
        m_stylus->OnMapStylusMove(point);
}

void CMapView::OnStylusUp(QPoint point)
{
    if (m_stylus)
        m_stylus->OnMapStylusUp(point);
}

void CMapView::OnPopupMenu(QPoint point, QPoint global)
{
    if (m_stylus)
        m_stylus->OnMapPopupMenu(point, global);
}
