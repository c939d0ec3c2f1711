#include "map/ui/MapWnd.h"

#include "waypoints/ui/WPAverageStatusWnd.h"

#include "app/SettingsStore.h"
#include "app/ui/ViewContext.h"
#include "gps/NMEAParser.h"
#include "map/MapCommandIds.h"
#include "map/ui/AlertWnd.h"
#include "map/ui/AltitudeProfileWnd.h"
#include "nav/TrackFileCommands.h"
#include "nav/ui/PanelGridWnd.h"
#include "platform/Messages.h"
#include "platform/StringTable.h"
#include "waypoints/WaypointFileCommands.h"

#include <QResizeEvent>

namespace {

const QString kMap = QStringLiteral("Map");
constexpr int kDefaultTrackColour = 0x0000FF; // 0xBBGGRR: red

QColor FromBgr(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

CMapWnd::CMapWnd(ViewContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_view(new CMapView(context, this)),
      m_altitude(new CAltitudeProfileWnd(this)),
      m_navStrip(new CPanelGridWnd(context, QStringLiteral("NavWnd"), QStringLiteral("MapView"),
                                   CPanelGridWnd::kMapStripMenu, this)),
      m_selfSink(this), m_navigation(m_view->Store(), &m_selfSink),
      m_processor(context.fix, m_tripComputer, m_navigation, m_view->Track()),
      m_averageStatus(new CWPAverageStatusWnd(this))
{
    setObjectName(QStringLiteral("MapWnd"));
    m_view->SetSources(&m_navigation, &m_processor);
    m_view->SetStylusHandler(this);
    m_view->SetScale(m_zoom.Scale());
    m_processor.SetDisplay(this);
    m_processor.SetAlarmOutput(this);
    m_processor.SetAveraging(&m_averaging);
    m_averageStatus->hide();
    m_averaging.AddDisplay(this);
    m_averaging.AddDisplay(m_averageStatus);
    m_checkTimer.setInterval(kCheckTimerMs);
    connect(&m_checkTimer, &QTimer::timeout, this, [this] { m_processor.OnCheckTimer(); });
    m_checkTimer.start();
    // The arrival check after a paint runs once the paint is over, never inside it.
    connect(
        m_view, &CMapView::Painted, this, [this] { m_navigation.CheckArrival(); },
        Qt::QueuedConnection);
    connect(m_altitude, &CAltitudeProfileWnd::Command, this, &CMapWnd::HandleCommand);
    m_navStrip->SetLayout(1, 3, false);
    m_navStrip->SetOwnerPopupItems({{ID_NAVIGATION_HIDE, tr("표시 안함(&H)"), false, true, {}}});
    m_navStrip->SetCommandFilter(
        [this](int id) { return id == ID_NAVIGATION_HIDE && HandleCommand(id); });
    ApplyViewSettings();
}

CMapWnd::~CMapWnd()
{
    delete m_alert;
}

void CMapWnd::ApplyViewSettings()
{
    const bool high = m_view->IsHighResolution();
    m_view->SetSatelliteGaugeSize(high ? 2 : 1);
    m_view->SetNorthUp(ReadIntSetting(kMap, QStringLiteral("North Up"), 0) == 1);
    m_view->SetLargeWaypointIcons(
        ReadIntSetting(kMap, QStringLiteral("Enable Large Waypoints"), 0) == 1);
    m_view->SetLargePositionIcon(
        ReadIntSetting(kMap, QStringLiteral("Enable Large Position Icon"), 0) == 1);
    m_view->SetTrackPen(
        FromBgr(ReadIntSetting(kMap, QStringLiteral("Track Pen Color"), kDefaultTrackColour)),
        std::max(1, ReadIntSetting(kMap, QStringLiteral("Track Pen Width"), 2)) * (high ? 2 : 1));
    m_altitude->setVisible(ReadIntSetting(kMap, QStringLiteral("View Altitude Profile"), 0) == 1);
    m_navStrip->setVisible(ReadIntSetting(kMap, QStringLiteral("View Navigation Window"), 1) == 1);
    LayOut();
}

void CMapWnd::LayOut()
{
    // The strip's three cells as wide as in the gauge panel, but never more than a quarter of
    // the height on a wide screen; the profile takes the bottom fifth.
    const int strip = m_navStrip->isVisibleTo(this) ? std::min(width() * 2 / 9, height() / 4) : 0;
    const int profile = m_altitude->isVisibleTo(this) ? height() / 5 : 0;
    m_navStrip->setGeometry(0, 0, width(), strip);
    m_view->setGeometry(0, strip, width(), height() - strip - profile);
    m_altitude->setGeometry(0, height() - profile, width(), profile);
}

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
    m_navStrip->RunTimersOnce();
    if (m_alert)
        m_alert->RunTimersOnce();
}

void CMapWnd::OnArrowKey(bool up)
{
    if (!m_zoom.Step(up))
        return;
    m_view->SetScale(m_zoom.Scale());
    m_view->update();
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

void CMapWnd::resizeEvent(QResizeEvent*)
{
    LayOut();
}

void CMapWnd::SetMarkerColour(RgbColour colour)
{
    const QColor marker(colour.red, colour.green, colour.blue);
    m_view->SetMarkerColour(marker);
    m_view->SetSatelliteGauge(true, m_context.fix.Gga().satellitesUsed - 1, marker);
}

void CMapWnd::AddAltitudeSample(float metres)
{
    m_altitude->Profile().Add(metres);
}

void CMapWnd::RedrawMap()
{
    if (m_view->isVisible())
        m_view->update();
    if (m_altitude->isVisible())
        m_altitude->update();
}

void CMapWnd::ShowWaypointAlarm(const CWaypoint& waypoint)
{
    if (!m_alert)
        m_alert = new CAlertWnd(m_context.fix, m_navigation, m_processor, this);
    m_alert->ShowAlert(LoadString(271), waypoint, waypoint.nActiveWaypointMessageType,
                       kAlarmDisplayMs);
}
