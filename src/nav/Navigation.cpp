#include "nav/Navigation.h"

#include "geo/Geodesy.h"
#include "platform/MessageSink.h"
#include "platform/Messages.h"
#include "platform/Prompts.h"
#include "waypoints/WaypointDB.h"

CNavigation::CNavigation(CWaypointDB& store, IMessageSink* mapWindow)
    : m_store(store), m_mapWindow(mapWindow)
{}

void CNavigation::GoTo(const CWaypoint& waypoint)
{
    m_store.SetNavigationTarget(waypoint, m_current);
    m_store.SetNavigating(true);
}

void CNavigation::StopNavigation()
{
    m_store.SetNavigating(false);
}

bool CNavigation::IsNavigating() const
{
    return m_store.IsNavigating();
}

const CWaypoint& CNavigation::Target() const
{
    return m_store.NavigationTarget();
}

const GeoPosition& CNavigation::LegStart() const
{
    return m_store.LegStart();
}

double CNavigation::DistanceToTarget() const
{
    if (!IsNavigating())
        return 0.0;
    return PositionDistance(Target().position, m_current);
}

double CNavigation::BearingToTarget() const
{
    return PositionBearing(Target().position, m_current);
}

double CNavigation::CrossTrackError(const GeoPosition& position) const
{
    if (!IsNavigating())
        return 0.0;
    return CrossTrackAngle(LegStart(), Target().position, position);
}

ArrivalCheck CNavigation::CheckArrival()
{
    // The message box runs an event loop: fixes and timer ticks handled inside it come back
    // here, and must neither ask again nor end the navigation under the open message.
    if (m_showingArrival || !IsNavigating())
        return ArrivalCheck::None;
    const double distance = DistanceToTarget();
    CWaypoint& target = m_store.NavigationTarget();
    if (distance <= m_arrivalRadius && !target.bArrived) {
        target.bArrived = true;
        const QString text = QStringLiteral("You have arrived at: %1").arg(target.strName);
        m_showingArrival = true;
        Prompts().Ask(text, QString(), PromptButtons::Ok, PromptIcon::None);
        m_showingArrival = false;
        return ArrivalCheck::Arrived;
    }
    if (target.bArrived && distance > kLeaveRadii * m_arrivalRadius) {
        StopNavigation();
        return ArrivalCheck::Stopped;
    }
    return ArrivalCheck::None;
}

bool CNavigation::CheckProximityAlarms()
{
    if (!m_store.FindAlarmWaypoint(m_current, m_alarmFound))
        return false;
    m_alarmQueue.push_back(m_alarmFound);
    if (m_mapWindow)
        m_mapWindow->Post(WM_WAYPOINT_ALARM);
    return true;
}

bool CNavigation::TakeQueuedAlarm(CWaypoint& out)
{
    if (m_alarmQueue.empty())
        return false;
    out = std::move(m_alarmQueue.front());
    m_alarmQueue.pop_front();
    return true;
}
