#include "views/LowPassFilter.h"

#include <cmath>

void CLowPassFilter::Init(double dt, double tau)
{
    if (tau != 0.0)
        m_a = std::exp(-dt / tau);
}

double CLowPassFilter::Filter(double x)
{
    m_y = (m_y - x) * m_a + x;
    return m_y;
}
