#include "nav/PositionProcessor.h"

#include "geo/Geodesy.h"
#include "gps/NMEAParser.h"
#include "nav/FixTime.h"
#include "nav/TripComputer.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// The receiver's course is shown only when asked for; this value selects the computed one.
constexpr double kNoCourse = -9999.0;

// Altitudes are stored as floats; a value beyond their range stops at its end.
float AltitudeAsFloat(double metres)
{
    return static_cast<float>(std::clamp(metres, -double{FLT_MAX}, double{FLT_MAX}));
}

} // namespace

CPositionProcessor::CPositionProcessor(const CNMEAParser& fix, CTripComputer& tripComputer,
                                       CNavigation& navigation, CTrackLog& track)
    : m_fix(fix), m_tripComputer(tripComputer), m_navigation(navigation), m_trackFilter(track)
{}

void CPositionProcessor::Start()
{
    const NavigationSettings settings = ReadNavigationSettings();
    Configure(settings, settings.posFilterDistThreshold);
    m_navigation.SetCurrentPosition(ReadCurrentPositionSetting());
}

void CPositionProcessor::SaveCurrentPosition() const
{
    WriteCurrentPositionSetting(m_navigation.CurrentPosition());
}

void CPositionProcessor::ApplyMapSettings(const NavigationSettings& settings)
{
    WriteNavigationSettings(settings);
    Configure(settings, std::min(settings.posFilterDistThreshold, kLiveFilterThresholdLimit));
}

void CPositionProcessor::Configure(const NavigationSettings& settings, double filterThreshold)
{
    m_settings = settings;
    m_navigation.SetArrivalRadius(settings.waypointArrivalDistance);
    m_trackFilter.SetFilter(settings.enablePositionFilter);
    m_trackFilter.SetFilterThreshold(filterThreshold);
    m_trackFilter.SetCourseFromDistance(!settings.useCourseFromGps);
    m_trackFilter.SetCourseThreshold(settings.courseDistThreshold);
    m_tripComputer.SetPositionFilter(settings.enablePositionFilter);
    HandThresholdToAveraging();
}

void CPositionProcessor::SetAveraging(IPositionAveraging* averaging)
{
    m_averaging = averaging;
    HandThresholdToAveraging();
}

void CPositionProcessor::HandThresholdToAveraging() const
{
    if (m_averaging)
        m_averaging->SetHdopThreshold(m_settings.enableWaypointAvgThreshold,
                                      m_settings.waypointAvgThreshold * 0.1);
}

ArrivalCheck CPositionProcessor::OnGpsGGA()
{
    const GgaState& gga = m_fix.Gga();
    const RmcState& rmc = m_fix.Rmc();
    const bool fixPresent = gga.quality != 0;
    m_tripComputer.Update(FixTimeOfDay(m_fix), m_navigation.Target().position, gga.latitude,
                          gga.longitude, fixPresent, m_navigation.IsNavigating(), rmc.speed,
                          gga.altitude);

    ArrivalCheck arrival = ArrivalCheck::None;
    if (fixPresent) {
        if (m_averaging && m_averaging->IsAveraging())
            m_averaging->AddSample(gga.latitude, gga.longitude, gga.altitude, gga.hdop);
        const float altitude = AltitudeAsFloat(gga.altitude);
        const GeoPosition position = GeoPositionFromDegrees(gga.latitude, gga.longitude, altitude);
        SetPosition(position, m_settings.useCourseFromGps ? rmc.course : kNoCourse,
                    m_newSegmentPending, FixTimeStamp(m_fix));
        if (m_display)
            m_display->AddAltitudeSample(altitude);
        m_newSegmentPending = false;
        m_navigation.CheckProximityAlarms();
        arrival = m_navigation.CheckArrival();
    } else {
        m_newSegmentPending = true;
    }

    if (m_display) {
        m_display->SetMarkerColour(gga.quality == 2 ? kDifferentialMarker : kMarker);
        m_display->RedrawMap();
    }
    return arrival;
}

ArrivalCheck CPositionProcessor::OnCheckTimer()
{
    const ArrivalCheck arrival = m_navigation.CheckArrival();
    m_navigation.CheckProximityAlarms();
    return arrival;
}

void CPositionProcessor::OnWaypointAlarm()
{
    if (m_fix.Gga().quality == 0 || m_navigation.QueuedAlarmCount() == 0)
        return;
    CWaypoint alarm;
    while (m_navigation.TakeQueuedAlarm(alarm)) {
        if (m_alarmOutput)
            m_alarmOutput->ShowWaypointAlarm(alarm);
    }
}

void CPositionProcessor::SetPosition(const GeoPosition& position, double course, bool segmentStart,
                                     uint32_t time)
{
    m_navigation.SetCurrentPosition(position);
    TrackPoint point;
    point.position = position;
    point.segmentStart = segmentStart ? 1 : 0;
    point.time = time;
    m_trackFilter.AddPosition(point);
    m_displayedCourse = course >= 0.0 ? course : m_trackFilter.Course();
}
