#include "map/TrackWalk.h"

#include <algorithm>

namespace {

constexpr int kGuardPixels = 4096;

// Liang-Barsky: cuts the segment to the rectangle; false when nothing of it lies inside.
bool ClipSegment(QPointF& a, QPointF& b, const ScreenRect& r)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left, r.right - 1 - a.x(), a.y() - r.top, r.bottom - 1 - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + QPointF(dx, dy) * t0;
    b = start + QPointF(dx, dy) * t1;
    return true;
}

} // namespace

CTrackWalk::CTrackWalk(const ScreenRect& clip, std::vector<QLine>& out)
    : m_clip(clip), m_guard(clip.Grown(kGuardPixels)), m_out(out)
{}

void CTrackWalk::Add(QPointF point, bool segmentStart)
{
    if (segmentStart)
        m_state = State::Start;
    const bool inside = m_clip.Contains(point);
    switch (m_state) {
    case State::Start:
        m_current = point;
        if (inside) {
            m_state = State::Inside;
        } else {
            m_state = State::Outside;
            m_remembered = point;
        }
        break;
    case State::Inside:
        Line(m_current, point);
        m_current = point;
        if (!inside) {
            m_state = State::Outside;
            m_remembered = point;
        }
        break;
    case State::Outside:
        if (inside) {
            Line(m_remembered, point);
            m_current = point;
            m_state = State::Inside;
        } else {
            m_remembered = point;
        }
        break;
    }
}

void CTrackWalk::Line(QPointF from, QPointF to)
{
    if (!ClipSegment(from, to, m_guard))
        return;
    m_out.emplace_back(ToPixel(from), ToPixel(to));
}

bool CTrackThinning::Use(int index, bool& segmentStart)
{
    if (index % m_step != 0) {
        m_pendingStart = m_pendingStart || segmentStart;
        return false;
    }
    segmentStart = segmentStart || m_pendingStart;
    m_pendingStart = false;
    return true;
}
