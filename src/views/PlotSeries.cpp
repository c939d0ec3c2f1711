#include "views/PlotSeries.h"

#include <algorithm>
#include <cmath>

CPlotSeries::CPlotSeries(int capacity) : m_samples(static_cast<size_t>(std::max(1, capacity)), 0.0)
{}

void CPlotSeries::AddSample(double value)
{
    m_samples[static_cast<size_t>(m_head)] = value;
    m_head = (m_head + 1) % Capacity();
    ++m_count;
}

void CPlotSeries::ClearSamples(double fill)
{
    std::fill(m_samples.begin(), m_samples.end(), fill);
    m_head = 0;
    m_count = 0;
}

void CPlotSeries::SetRanges(double yMax, double yMin, double floorMax, double floorMin)
{
    m_yMax = yMax;
    m_yMin = yMin;
    m_floorMax = floorMax;
    m_floorMin = floorMin;
}

double CPlotSeries::Scaled(int i) const
{
    const int capacity = Capacity();
    const int index = ((m_head - 1 - i) % capacity + capacity) % capacity;
    return m_samples[static_cast<size_t>(index)] * m_yFactor;
}

int CPlotSeries::VisibleCount(double span) const
{
    if (!(span > 0))
        return 0;
    const double limit =
        std::min({span, static_cast<double>(Capacity()), static_cast<double>(m_count)});
    return static_cast<int>(limit);
}

void CPlotSeries::Autoscale(int visible)
{
    if (visible <= 0) {
        m_yMax = m_floorMax;
        m_yMin = m_floorMin;
        return;
    }
    double largest = Scaled(0), smallest = largest;
    for (int i = 1; i < visible; ++i) {
        largest = std::max(largest, Scaled(i));
        smallest = std::min(smallest, Scaled(i));
    }
    if (smallest >= m_floorMin && largest <= m_floorMax) {
        m_yMax = m_floorMax;
        m_yMin = m_floorMin;
        return;
    }
    const double m = m_margin * std::fabs(largest - smallest);
    if (m == 0) {
        m_yMax = largest;
        m_yMin = smallest;
        return;
    }
    if (largest >= m_yMax || largest < m_yMax - m)
        m_yMax = largest + m;
    if (smallest <= m_yMin || smallest > m_yMin + m)
        m_yMin = smallest - m;
}

std::vector<double> CPlotSeries::YLabelValues(int divisions) const
{
    double span = std::fabs(m_yMax - m_yMin);
    if (!(span > 0) || !std::isfinite(span) || divisions <= 0)
        return {};
    if (span >= 1) {
        double p = 10;
        while (span > p)
            p *= 10;
        p *= 0.1;
        span = std::trunc(span / p) * p;
    }
    const double step = span / divisions * 2;
    std::vector<double> values;
    for (double v = std::floor(m_yMin / span) * span; v < m_yMax; v += step)
        values.push_back(v);
    return values;
}

int CPlotSeries::XLabelStep(int textHeight, double pixelsPerSample)
{
    // With no pixels per sample the doubling would never end.
    if (!(pixelsPerSample > 0))
        return 0;
    int k = 5;
    while (textHeight > static_cast<long long>(k * pixelsPerSample) * 0.5) {
        if (k > (1 << 28))
            return 0;
        k *= 2;
    }
    return k;
}
