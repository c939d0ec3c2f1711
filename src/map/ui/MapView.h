#pragma once

#include "map/MapInteraction.h"
#include "map/MapProjection.h"
#include "nav/TrackLog.h"
#include "platform/ui/BufferedView.h"
#include "waypoints/WaypointDB.h"

#include <QColor>

#include <memory>
#include <vector>

class CNavigation;
class CPositionProcessor;
class CWaypointIcons;
struct ViewContext;

// A line the map window lays over the map (two positions).
struct MapSegment {
    GeoPosition from, to;
};

// The stylus on the map, handed to the map window.
class IMapStylus {
public:
    virtual ~IMapStylus() = default;
    virtual void OnMapStylusDown(QPoint point) = 0;
    virtual void OnMapStylusMove(QPoint point) = 0;
    virtual void OnMapStylusUp(QPoint point) = 0;
    virtual void OnMapPopupMenu(QPoint point, QPoint global) = 0;
};

// The projection and turning of one frame of the map.
struct MapFrame {
    MapProjection projection;
    MapRotation rotation;
    // Screen point (turned) of a position, and back.
    QPointF ToScreen(const GeoPosition& p) const { return rotation.Turn(projection.ToScreen(p)); }
    GeoPosition ToWorld(QPoint screen) const
    {
        return projection.ToWorld(rotation.TurnBack(QPointF(screen)));
    }
};

// The map drawing window. It owns the waypoint store (with the navigation state) and the
// track, and draws grid, track, waypoints, overlays and markers from the state the map window
// sets on it.
class CMapView : public CBufferedView {
    Q_OBJECT
public:
    CMapView(ViewContext& context, QWidget* parent);
    ~CMapView() override;

    CWaypointDB& Store() { return m_store; }
    CTrackLog& Track() { return m_track; }

    // Where the current position and the displayed course come from (not owned).
    void SetSources(const CNavigation* navigation, const CPositionProcessor* processor);
    void SetStylusHandler(IMapStylus* handler) { m_stylus = handler; }

    double Scale() const { return m_scale; }
    void SetScale(double scale) { m_scale = scale; }
    CMapCentre& Centre() { return m_centre; }
    const CMapCentre& Centre() const { return m_centre; }
    bool NorthUp() const { return m_northUp; }
    void SetNorthUp(bool northUp) { m_northUp = northUp; }
    void SetGrid(bool lines, bool labels);
    void SetAveraging(bool show, const GeoPosition& position, double radiusKm);
    void SetLargeWaypointIcons(bool large);
    bool LargeWaypointIcons() const { return m_largeIcons; }
    int WaypointIconSize() const;
    void SetIconZoom(int zoom) { m_iconZoom = zoom; }
    void SetLargePositionIcon(bool large) { m_largePositionIcon = large; }
    void SetTrackPen(const QColor& colour, int width);
    void SetMarkerColour(const QColor& colour) { m_markerColour = colour; }
    // The satellite bar gauge: `level` bars beyond the first filled, in `colour`, 25 x 15
    // pixels times `sizeFactor`.
    void SetSatelliteGauge(bool visible, int level, const QColor& colour);
    void SetSatelliteGaugeSize(int sizeFactor) { m_gaugeSize = sizeFactor; }
    void SetSegments(std::vector<MapSegment> segments) { m_segments = std::move(segments); }
    void SetDeclutter(bool declutter) { m_declutter = declutter; }
    void SetShowIcons(bool show) { m_showIcons = show; }

    GeoPosition CurrentPosition() const;
    double Course() const;
    // The projection and turning for the current state and client size.
    MapFrame Frame() const;
    // The 30 x 30 box of "Exit Pan" in the top-right corner.
    GdiRect ExitPanBox() const;
    // Ids of the waypoints whose icon square contains `point`.
    std::vector<int> WaypointsUnder(QPoint point);

Q_SIGNALS:
    // After each paint: the map window checks the arrival (never from within the paint).
    void Painted();

protected:
    void Draw(CDrawContext& dc, const GdiRect& client) override;
    void OnStylusDown(QPoint point) override;
    void OnStylusMove(QPoint point) override;
    void OnStylusUp(QPoint point) override;
    void OnPopupMenu(QPoint point, QPoint global) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawGrid(CDrawContext& dc, const MapFrame& frame, const GdiRect& client);
    void DrawGridLabels(CDrawContext& dc, const MapFrame& frame, const GdiRect& client) const;
    void DrawTrack(CDrawContext& dc, const MapFrame& frame, const GdiRect& client);
    void DrawWaypoints(CDrawContext& dc, const MapFrame& frame);
    void DrawSegments(CDrawContext& dc, const MapFrame& frame);
    void DrawCourseLine(CDrawContext& dc, const MapFrame& frame) const;
    void DrawNorthArrow(CDrawContext& dc, const MapFrame& frame, const GdiRect& client) const;
    void DrawScaleBar(CDrawContext& dc, const MapFrame& frame, const GdiRect& client) const;
    void DrawPointer(CDrawContext& dc, const MapFrame& frame) const;
    void DrawPosition(CDrawContext& dc, const MapFrame& frame) const;
    void DrawAveraging(CDrawContext& dc, const MapFrame& frame) const;
    void DrawExitPan(CDrawContext& dc, const GdiRect& client) const;
    void DrawSatelliteGauge(CDrawContext& dc, const GdiRect& client) const;
    const CWaypointIcons& Icons();

    ViewContext& m_context;
    CWaypointDB m_store;
    CTrackLog m_track;
    const CNavigation* m_navigation = nullptr;
    const CPositionProcessor* m_processor = nullptr;
    IMapStylus* m_stylus = nullptr;

    double m_scale = CMapZoom::kScales[CMapZoom::kStartIndex];
    CMapCentre m_centre;
    bool m_northUp = false;
    bool m_gridLines = true, m_gridLabels = true;
    bool m_showAveraging = false;
    GeoPosition m_averagingPosition;
    double m_averagingRadius = 0.0;
    bool m_largeIcons = false;
    int m_iconZoom = 1;
    bool m_largePositionIcon = false;
    QColor m_trackColour = QColor(255, 0, 0);
    int m_trackWidth = 2;
    QColor m_markerColour = QColor(0, 255, 0);
    bool m_gaugeVisible = true;
    int m_gaugeLevel = -1;
    QColor m_gaugeColour = QColor(0, 255, 0);
    int m_gaugeSize = 1;
    std::vector<MapSegment> m_segments;
    bool m_declutter = true, m_showIcons = true;
    std::unique_ptr<CWaypointIcons> m_icons;
    std::vector<QLine> m_lines; // reused by every frame
};
