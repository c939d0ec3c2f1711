#pragma once

#include "nav/MapHooks.h"
#include "nav/Navigation.h"
#include "nav/PositionProcessor.h"
#include "nav/TripComputer.h"
#include "platform/MessageSink.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class CMapView;
struct ViewContext;

// The map tab: it runs the per-fix work (trip computer, track, navigation, alarms) on every
// GGA, the one-second check, and the waypoint, navigation and track commands.
class CMapWnd : public QWidget, private IMapDisplay, private IWaypointAlarmOutput {
    Q_OBJECT
public:
    static constexpr int kCheckTimerMs = 1000;

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
    // Up and Down from the view host.
    void OnArrowKey(bool up);

    CMapView& View() { return *m_view; }
    CTripComputer& TripComputer() { return m_tripComputer; }
    CNavigation& Navigation() { return m_navigation; }
    CPositionProcessor& Processor() { return m_processor; }
    // The cross-track error of the active leg at the current position (km), 0 without a target.
    double CurrentCrossTrack() const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetMarkerColour(RgbColour colour) override;
    void AddAltitudeSample(float metres) override;
    void RedrawMap() override;
    void ShowWaypointAlarm(const CWaypoint& waypoint) override;

    ViewContext& m_context;
    CMapView* m_view;
    CEventMessageSink m_selfSink;
    CTripComputer m_tripComputer;
    CNavigation m_navigation;
    CPositionProcessor m_processor;
    QTimer m_checkTimer;
};
