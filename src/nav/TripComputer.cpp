#include "nav/TripComputer.h"

#include "geo/Geodesy.h"
#include "platform/Clock.h"

#include <cmath>

namespace {

constexpr double kOdometerFilterKm = 0.005;
constexpr double kOdometerJumpKm = 1.0;
constexpr double kGradeSampleKm = 0.1;
constexpr double kLongestClosingGap = 10.0; // seconds between two time-to-next computations

// Now plus the whole seconds of `timeToNext`, as a 32-bit time. A negative time to next (moving
// away) adds nothing, and a time beyond the 32-bit range stops at its end.
uint32_t ArrivalAfter(double timeToNext)
{
    const double now = static_cast<double>(Clock::Now());
    const double seconds = timeToNext > 0.0 ? std::trunc(timeToNext) : 0.0;
    const double arrival = std::fmin(std::fmax(now + seconds, 0.0), 4294967295.0);
    return static_cast<uint32_t>(arrival);
}

} // namespace

double CSlidingAverage::Add(double value)
{
    if (m_held == kWindow)
        m_sum -= m_values[m_next];
    else
        ++m_held;
    m_values[m_next] = value;
    m_sum += value;
    m_next = (m_next + 1) % kWindow;
    return m_sum / m_held;
}

CTripComputer::CTripComputer() : m_startTime(Clock::Now())
{}

void CTripComputer::Reset()
{
    const double lastTimeOfDay = m_lastTimeOfDay;
    const double timeToNext = m_timeToNext;
    const uint32_t arrivalTime = m_arrivalTime;
    const bool positionFilter = m_positionFilter;
    *this = CTripComputer();
    m_lastTimeOfDay = lastTimeOfDay;
    m_timeToNext = timeToNext;
    m_arrivalTime = arrivalTime;
    m_positionFilter = positionFilter;
}

int64_t CTripComputer::ElapsedSeconds() const
{
    const int64_t elapsed = Clock::Now() - m_startTime;
    return elapsed > 0 ? elapsed : 0;
}

void CTripComputer::Update(double timeOfDay, const GeoPosition& target, double latitude,
                           double longitude, bool fixPresent, bool navigating, double speed,
                           double altitude)
{
    if (fixPresent)
        SampleGrade(latitude, longitude, altitude);
    if (AdvanceOdometer(latitude, longitude, fixPresent) && navigating)
        UpdateTimeToNext(timeOfDay, target, latitude, longitude);
    if (fixPresent)
        UpdateExtremes(speed, altitude);
}

void CTripComputer::SampleGrade(double latitude, double longitude, double altitude)
{
    if (m_gradeLongitude != 0.0 && m_gradeLatitude != 0.0) {
        m_gradeDistance +=
            HaversineDistance(m_gradeLongitude, m_gradeLatitude, longitude, latitude);
        m_altitudeChange += altitude - m_lastAltitude;
    }
    m_gradeLongitude = longitude;
    m_gradeLatitude = latitude;
    m_lastAltitude = altitude;
    if (m_gradeDistance < kGradeSampleKm)
        return;
    m_grade = m_altitudeChange / (m_gradeDistance * 1000.0) * 100.0;
    if (m_grade > m_maximumGrade)
        m_maximumGrade = m_grade;
    if (m_grade < m_minimumGrade)
        m_minimumGrade = m_grade;
    m_gradeAverage.Add(m_grade);
    if (m_grade > 0.0) {
        m_gradeUpAverage.Add(m_grade);
        m_ascentSum += m_altitudeChange;
    }
    if (m_grade < 0.0) {
        m_gradeDownAverage.Add(m_grade);
        m_descentSum += m_altitudeChange;
    }
    m_gradeDistance = 0.0;
    m_altitudeChange = 0.0;
}

bool CTripComputer::AdvanceOdometer(double latitude, double longitude, bool fixPresent)
{
    bool advanced = false;
    if (fixPresent) {
        const double step =
            HaversineDistance(m_odometerLongitude, m_odometerLatitude, longitude, latitude);
        if (step > kOdometerFilterKm || !m_positionFilter) {
            if (step > kOdometerJumpKm) {
                m_odometerLatitude = latitude;
                m_odometerLongitude = longitude;
            } else if (m_previousFixPresent && m_fixCounter > 0) {
                m_odometer += step;
                m_odometerLatitude = latitude;
                m_odometerLongitude = longitude;
                advanced = true;
            }
        }
    } else {
        m_fixCounter = 0;
    }
    m_previousFixPresent = fixPresent;
    if (m_fixCounter == 0 && fixPresent) {
        m_odometerLatitude = latitude;
        m_odometerLongitude = longitude;
    }
    ++m_fixCounter;
    return advanced;
}

void CTripComputer::UpdateTimeToNext(double timeOfDay, const GeoPosition& target, double latitude,
                                     double longitude)
{
    const double distance = PositionDistance(target, GeoPositionFromDegrees(latitude, longitude));
    const double dt = std::fabs(timeOfDay - m_lastTimeOfDay);
    m_lastTimeOfDay = timeOfDay;
    if (dt > kLongestClosingGap)
        return;
    const double decrease = m_lastTargetDistance != 0.0 ? m_lastTargetDistance - distance : 0.0;
    m_lastTargetDistance = distance;
    if (decrease < 0.0) {
        m_timeToNext = -1.0;
        return;
    }
    const double average = m_closingAverage.Add(decrease);
    if (dt != 0.0) {
        const double closingSpeed = average / dt * 3600.0; // km/h
        if (closingSpeed != 0.0)
            m_timeToNext = distance / closingSpeed * 3600.0;
    }
    m_arrivalTime = ArrivalAfter(m_timeToNext);
}

void CTripComputer::UpdateExtremes(double speed, double altitude)
{
    m_speedAverage.Add(speed);
    if (m_firstAltitudePending && altitude != 0.0) {
        m_maximumAltitude = altitude;
        m_minimumAltitude = altitude;
        m_firstAltitudePending = false;
    } else if (altitude > m_maximumAltitude) {
        m_maximumAltitude = altitude;
    } else if (altitude < m_minimumAltitude && altitude != 0.0) {
        m_minimumAltitude = altitude;
    }
    if (speed > m_maximumSpeed)
        m_maximumSpeed = speed;
}
