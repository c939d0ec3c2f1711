#include "map/MapInteraction.h"

bool CMapZoom::Step(bool in)
{
    if (in ? m_index <= 0 : m_index >= int(kScales.size()) - 1)
        return false;
    m_index += in ? -1 : 1;
    return true;
}

void CMapCentre::PanTo(const GeoPosition& centre, const GeoPosition& current, double course)
{
    if (m_mode != Pan) {
        m_panCentre = current;
        m_panCourse = course;
        m_mode = Pan;
    }
    m_panCentre = centre;
}

GeoPosition CMapCentre::Centre(const GeoPosition& current, const GeoPosition& averaging) const
{
    switch (m_mode) {
    case Averaging:
        return averaging;
    case Pan:
        return m_panCentre;
    case CurrentPosition:
        break;
    }
    return current;
}

void CMapDrag::Down(QPoint point, QPoint viewCentre)
{
    m_tapPoint = point;
    m_tapCentre = viewCentre;
    m_moveCount = 0;
    m_panned = false;
}

std::optional<QPoint> CMapDrag::Move(QPoint point)
{
    if (++m_moveCount <= kMovesBeforePan)
        return std::nullopt;
    const QPoint target = m_tapCentre - (point - m_tapPoint);
    m_tapPoint = point;
    m_panned = true;
    return target;
}

bool CMapDrag::Up()
{
    const bool tap = !m_panned;
    m_panned = false;
    return tap;
}
