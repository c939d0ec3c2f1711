#include "map/AltitudeProfile.h"

#include <algorithm>
#include <cmath>

void CAltitudeProfile::Add(float metres)
{
    m_samples[size_t(m_next)] = metres;
    m_next = (m_next + 1) % kCapacity;
    m_count = std::min(m_count + 1, kCapacity);
    m_maximum = std::max<double>(m_maximum, metres);
    m_minimum = std::min<double>(m_minimum, metres);
}

void CAltitudeProfile::Clear()
{
    *this = CAltitudeProfile();
}

float CAltitudeProfile::Sample(int back) const
{
    return m_samples[size_t((m_next - 1 - back + 2 * kCapacity) % kCapacity)];
}

std::vector<int> CAltitudeProfile::Layout(int columns, int height)
{
    const int shown = std::clamp(columns, 0, m_count);
    std::vector<int> bars;
    if (shown == 0 || height <= 0)
        return bars;
    bars.reserve(size_t(shown));
    const double range = m_maximum - m_minimum;
    const double sy = range > 0.0 && std::isfinite(range) ? height / range : 0.0;
    double visibleMaximum = kNoMaximum, visibleMinimum = kNoMinimum;
    for (int i = 0; i < shown; ++i) {
        const double sample = Sample(i);
        visibleMaximum = std::max(visibleMaximum, sample);
        visibleMinimum = std::min(visibleMinimum, sample);
        const double bar = sy > 0.0 ? std::trunc((sample - m_minimum) * sy) : height / 2;
        bars.push_back(int(std::clamp(bar, 0.0, double(height))));
    }
    m_maximum = visibleMaximum;
    m_minimum = visibleMinimum;
    return bars;
}
