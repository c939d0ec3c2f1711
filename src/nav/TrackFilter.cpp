#include "nav/TrackFilter.h"

#include "geo/Geodesy.h"

int CTrackFilter::AddPosition(TrackPoint point)
{
    const double fromLastLogged = PositionDistance(point.position, m_lastLogged.position);
    if (m_track.GetCount() == 0 || fromLastLogged >= kSegmentJumpKm)
        point.segmentStart = 1;
    m_current = point;
    if (!m_filter || fromLastLogged > m_filterThreshold) {
        m_track.Append(point);
        m_lastLogged = point;
    }

    // The first position only becomes the reference: a bearing from the zero point the
    // reference starts at would be no direction of travel at all.
    if (!m_haveCourseReference) {
        m_courseReference = point;
        m_haveCourseReference = true;
        return 1;
    }
    const double fromReference = PositionDistance(point.position, m_courseReference.position);
    if (!m_courseFromDistance || fromReference > m_courseThreshold) {
        m_course = PositionBearing(point.position, m_courseReference.position);
        m_courseReference = point;
    }
    return 1;
}
