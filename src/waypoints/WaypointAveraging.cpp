#include "waypoints/WaypointAveraging.h"

#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "geo/Units.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointDB.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("Map");

int32_t TruncatedMicrodegrees(double degrees)
{
    return static_cast<int32_t>(std::trunc(degrees * 1000000.0));
}

} // namespace

void RunningStatistic::Add(double x)
{
    sum += x;
    ++count;
    mean = sum / count;
    sumOfSquares += (x - mean) * (x - mean);
    deviation = std::sqrt(sumOfSquares / count);
}

CWaypointAveraging::CWaypointAveraging() = default;

void CWaypointAveraging::AddDisplay(IAveragingDisplay* display)
{
    m_displays.push_back(display);
}

void CWaypointAveraging::RemoveDisplay(IAveragingDisplay* display)
{
    std::erase(m_displays, display);
}

void CWaypointAveraging::Start()
{
    m_latitude = m_longitude = m_altitude = {};
    SetHdopThreshold(ReadIntSetting(kSection, QStringLiteral("Enable Waypoint Avg Threshold"), 1) ==
                         1,
                     ReadIntSetting(kSection, QStringLiteral("Waypoint Avg Threshold"), 50) / 10.0);
    m_averaging = true;
    for (IAveragingDisplay* display : m_displays)
        display->AveragingStarted();
}

void CWaypointAveraging::Stop()
{
    m_averaging = false;
    for (IAveragingDisplay* display : m_displays)
        display->AveragingStopped();
}

void CWaypointAveraging::Cancel()
{
    Stop();
}

std::optional<CWaypoint> CWaypointAveraging::Finish(const CWaypointDB& db)
{
    const bool wasAveraging = m_averaging;
    Stop();
    if (!wasAveraging || m_latitude.count == 0)
        return std::nullopt;
    CWaypoint waypoint;
    waypoint.position = MeanPosition();
    waypoint.strName = db.MakeUniqueName();
    return waypoint;
}

void CWaypointAveraging::SetHdopThreshold(bool enabled, double hdop)
{
    m_thresholdEnabled = enabled;
    m_hdopThreshold = hdop;
}

void CWaypointAveraging::AddSample(double latitude, double longitude, double altitude, double hdop)
{
    if (!m_averaging)
        return;
    if (m_thresholdEnabled && hdop > m_hdopThreshold && hdop != 0.0)
        return;
    m_latitude.Add(latitude);
    m_longitude.Add(longitude);
    m_altitude.Add(altitude);
    const GeoPosition mean = MeanPosition();
    const double deviation = DeviationKm();
    for (IAveragingDisplay* display : m_displays)
        display->AveragingUpdated(mean, deviation, m_latitude.count);
}

GeoPosition CWaypointAveraging::MeanPosition() const
{
    return {TruncatedMicrodegrees(m_latitude.mean), TruncatedMicrodegrees(m_longitude.mean),
            static_cast<float>(m_altitude.mean)};
}

double CWaypointAveraging::DeviationKm() const
{
    const GeoPosition mean = MeanPosition();
    const GeoPosition off{TruncatedMicrodegrees(m_latitude.mean + m_latitude.deviation),
                          TruncatedMicrodegrees(m_longitude.mean + m_longitude.deviation), 0.0f};
    return PositionDistance(mean, off);
}

AveragingStatusText AveragingStatus(const GeoPosition& mean, double deviationKm, uint32_t samples)
{
    AveragingStatusText text;
    text.position =
        QCoreApplication::translate("AveragingStatus", "Avg Lat:\t%1\nAvg Lon:\t%2\nAvg Alt:\t%3")
            .arg(FormatLatitude(mean.latitude * 1e-6), FormatLongitude(mean.longitude * 1e-6),
                 AltitudeText(mean.altitude));
    text.deviation =
        QCoreApplication::translate("AveragingStatus", "Deviation:\t%1 %2\nSamples:\t%3")
            .arg(QString::asprintf("%.02f", KmToLong(deviationKm)), LongDistanceUnitName())
            .arg(samples);
    return text;
}
