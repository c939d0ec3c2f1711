#pragma once

#include "map/MapInteraction.h"
#include "map/ui/MapView.h"
#include "nav/MapHooks.h"
#include "nav/Navigation.h"
#include "nav/PositionProcessor.h"
#include "nav/TripComputer.h"
#include "platform/MessageSink.h"

#include <QTimer>
#include <QWidget>

#include <vector>

class CAlertWnd;
class CAltitudeProfileWnd;
class CPanelGridWnd;
class QMenu;
struct ViewContext;

// The map tab: it runs the per-fix work (trip computer, track, navigation, alarms) on every
// GGA, the one-second check, zooming and panning, and the waypoint, navigation and track
// commands.
class CMapWnd : public QWidget,
                private IMapDisplay,
                private IWaypointAlarmOutput,
                private IMapStylus {
    Q_OBJECT
public:
    static constexpr int kCheckTimerMs = 1000;
    static constexpr int kAlarmDisplayMs = 60000;

    CMapWnd(ViewContext& context, QWidget* parent);
    ~CMapWnd() override;

    // Loads the waypoint database named by "Database File", then the track of "Track File".
    void LoadFiles();
    // Shut-down: the track and the current position are stored.
    void SaveState();
    // A command of the waypoint, map or track menus. False when it is none of the map window's.
    bool HandleCommand(int id);
    // Snapshots and tests: one run of the check timer and of the map's own timers.
    void RunTimersOnce();
    // Up and Down from the view host: zoom in and out.
    void OnArrowKey(bool up);

    CMapView& View() { return *m_view; }
    CTripComputer& TripComputer() { return m_tripComputer; }
    CNavigation& Navigation() { return m_navigation; }
    CPositionProcessor& Processor() { return m_processor; }
    // The cross-track error of the active leg at the current position (km), 0 without a target.
    double CurrentCrossTrack() const;

    // The tap-and-hold menu (174) for the last stylus-down, with its check marks and states.
    QMenu* CreatePopupMenu(QWidget* parent);
    const std::vector<int>& TapHits() const { return m_tapHits; }
    const CMapZoom& Zoom() const { return m_zoom; }
    CAltitudeProfileWnd& AltitudeProfile() { return *m_altitude; }
    // The navigation strip ("NavWnd", configuration "MapView") over the map.
    CPanelGridWnd& NavigationStrip() { return *m_navStrip; }
    // The alert over the main window, once an alarm has shown it.
    CAlertWnd* Alert() { return m_alert; }
    // Reads the view's settings of section "Map" and lays the window out again.
    void ApplyViewSettings();

    // IMapStylus, public so tests can play the stylus in view coordinates.
    void OnMapStylusDown(QPoint point) override;
    void OnMapStylusMove(QPoint point) override;
    void OnMapStylusUp(QPoint point) override;
    void OnMapPopupMenu(QPoint point, QPoint global) override;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetMarkerColour(RgbColour colour) override;
    void AddAltitudeSample(float metres) override;
    void RedrawMap() override;
    void ShowWaypointAlarm(const CWaypoint& waypoint) override;

    void LayOut();
    void PanToScreenPoint(QPoint point);
    void SetNorthUp(bool northUp);
    bool RunWaypointCommand(int id);
    void MapProperties();
    // The waypoint a "this waypoint" command acts on (asking 270 when several are under the
    // stylus); 0 for none. The tap hit list is emptied.
    int PickTapWaypoint();
    void CreateAtTap();
    void MarkAtPosition();
    void NewWaypoint();
    void EditWaypoint(int id);
    void DeleteWaypoint(int id);
    void GoToWaypoint(int id);
    void ShowOnMap(int id);
    void MarkFound();
    void MarkNotFound();
    void ProjectWaypoint();
    void SaveStore();

    ViewContext& m_context;
    CMapView* m_view;
    CAltitudeProfileWnd* m_altitude;
    CPanelGridWnd* m_navStrip;
    CAlertWnd* m_alert = nullptr;
    CEventMessageSink m_selfSink;
    CTripComputer m_tripComputer;
    CNavigation m_navigation;
    CPositionProcessor m_processor;
    QTimer m_checkTimer;
    CMapZoom m_zoom;
    CMapDrag m_drag;
    std::vector<int> m_tapHits;
};
