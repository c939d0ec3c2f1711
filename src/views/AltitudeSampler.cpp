#include "views/AltitudeSampler.h"

#include "app/SettingsStore.h"
#include "geo/Geodesy.h"

#include <cmath>

namespace {

const QString kSection = QStringLiteral("Analysis");
const QString kKey = QStringLiteral("Altitude Sample Distance Threshold");

} // namespace

bool CAltitudeSampler::IsValidThreshold(double km)
{
    return std::isfinite(km) && km > 0;
}

void CAltitudeSampler::SetThresholdKm(double km)
{
    m_threshold = IsValidThreshold(km) ? km : kDefaultThresholdKm;
}

int CAltitudeSampler::Add(double latitude, double longitude)
{
    if (m_hasPrevious)
        m_accumulated += HaversineDistance(m_longitude, m_latitude, longitude, latitude);
    m_hasPrevious = true;
    m_latitude = latitude;
    m_longitude = longitude;
    if (!(m_accumulated <= kJumpKm)) {
        m_accumulated = 0;
        return 0;
    }
    int samples = 0;
    while (m_accumulated >= m_threshold) {
        ++samples;
        m_accumulated -= m_threshold;
    }
    return samples;
}

double CAltitudeSampler::ReadThresholdKm()
{
    const QString text = ReadTextSetting(kSection, kKey, QStringLiteral("0.01609344"));
    bool ok = false;
    const double km = text.trimmed().toDouble(&ok);
    return ok && IsValidThreshold(km) ? km : kDefaultThresholdKm;
}

void CAltitudeSampler::WriteThresholdKm(double km)
{
    WriteTextSetting(kSection, kKey, QString::asprintf("%.12f", km));
}
