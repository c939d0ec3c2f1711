#include "map/ui/MapWnd.h"

#include "app/CommandIds.h"
#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "map/ui/MapView.h"
#include "nav/TrackExport.h"
#include "nav/TrackFileCommands.h"
#include "platform/Messages.h"
#include "platform/Prompts.h"
#include "waypoints/WaypointFileCommands.h"

#include <QApplication>
#include <QResizeEvent>

CMapWnd::CMapWnd(ViewContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_view(new CMapView(context, this)), m_selfSink(this),
      m_navigation(m_view->Store(), &m_selfSink),
      m_processor(context.fix, m_tripComputer, m_navigation, m_view->Track())
{
    setObjectName(QStringLiteral("MapWnd"));
    m_view->SetSources(&m_navigation, &m_processor);
    m_processor.SetDisplay(this);
    m_processor.SetAlarmOutput(this);
    m_checkTimer.setInterval(kCheckTimerMs);
    connect(&m_checkTimer, &QTimer::timeout, this, [this] { m_processor.OnCheckTimer(); });
    m_checkTimer.start();
}

CMapWnd::~CMapWnd() = default;

void CMapWnd::LoadFiles()
{
    LoadDatabase(m_view->Store());
    LoadTrack(m_view->Track());
    m_processor.Start();
}

void CMapWnd::SaveState()
{
    SaveTrack(m_view->Track());
    m_processor.SaveCurrentPosition();
}

double CMapWnd::CurrentCrossTrack() const
{
    if (!m_navigation.IsNavigating())
        return 0.0;
    return m_navigation.CrossTrackError(m_navigation.CurrentPosition());
}

void CMapWnd::RunTimersOnce()
{
    m_processor.OnCheckTimer();
}

void CMapWnd::OnArrowKey(bool /*up*/)
{}

bool CMapWnd::HandleCommand(int id)
{
    CTrackLog& track = m_view->Track();
    switch (id) {
    case ID_TRACK_NEW:
        NewTrackFile(track);
        break;
    case ID_TRACK_OPEN:
        OpenTrackFile(track);
        break;
    case ID_TRACK_CLEAR:
        EraseTrack(track);
        break;
    case ID_TRACK_EXPORT_CSV:
        ExportTrack(track, TrackExportFormat::CSV);
        break;
    case ID_TRACK_EXPORT_KML:
        ExportTrack(track, TrackExportFormat::KML);
        break;
    case ID_TRACK_EXPORT_GPX:
        ExportTrack(track, TrackExportFormat::GPX);
        break;
    case ID_MAP_PROPERTIES:
    case ID_WAYPOINT_GOTO:
    case ID_WAYPOINT_CANCEL_GOTO:
    case ID_WAYPOINT_MARK:
    case ID_WAYPOINT_NEW:
    case ID_WAYPOINT_EDIT:
    case ID_WAYPOINT_DELETE:
    case ID_WAYPOINT_SHOW_ON_MAP:
    case ID_AVERAGING_START:
    case ID_AVERAGING_FINISH:
    case ID_AVERAGING_CANCEL:
    case ID_WAYPOINT_MANAGER:
    case ID_WAYPOINT_EXPORT:
    case ID_WAYPOINT_IMPORT:
    case ID_DATABASE_OPEN:
    case ID_DATABASE_NEW:
        Prompts().Ask(tr("This command is not available yet."), tr("Wendrift"), PromptButtons::Ok,
                      PromptIcon::Information);
        break;
    default:
        return false;
    }
    m_view->update();
    return true;
}

bool CMapWnd::event(QEvent* event)
{
    if (event->type() != CPostedMessageEvent::EventType())
        return QWidget::event(event);
    switch (static_cast<CPostedMessageEvent*>(event)->Message()) {
    case WM_GPS_GGA:
        m_processor.OnGpsGGA();
        break;
    case WM_WAYPOINT_ALARM:
        m_processor.OnWaypointAlarm();
        break;
    default:
        break;
    }
    return true;
}

void CMapWnd::resizeEvent(QResizeEvent* event)
{
    m_view->setGeometry(0, 0, event->size().width(), event->size().height());
}

void CMapWnd::SetMarkerColour(RgbColour colour)
{
    const QColor marker(colour.red, colour.green, colour.blue);
    m_view->SetMarkerColour(marker);
    m_view->SetSatelliteGauge(true, m_context.fix.Gga().satellitesUsed - 1, marker,
                              m_view->IsHighResolution() ? 2 : 1);
}

void CMapWnd::AddAltitudeSample(float)
{}

void CMapWnd::RedrawMap()
{
    if (m_view->isVisible())
        m_view->update();
}

void CMapWnd::ShowWaypointAlarm(const CWaypoint&)
{
    QApplication::beep();
}
