#include "nav/TrackLog.h"

#include <algorithm>

CTrackLog::CTrackLog(uint16_t capacity)
    : m_points(std::max<uint16_t>(capacity, 1)), m_capacity(std::max<uint16_t>(capacity, 1))
{}

void CTrackLog::Append(const TrackPoint& point)
{
    if (m_count == m_capacity) {
        m_tail = static_cast<uint16_t>((m_tail + 1) % m_capacity);
        --m_count;
        if (m_count > 0)
            m_points[m_tail].segmentStart = 1;
    }
    m_points[m_head] = point;
    m_head = static_cast<uint16_t>((m_head + 1) % m_capacity);
    ++m_count;
}

void CTrackLog::Clear()
{
    m_head = m_tail = m_count = m_cursor = 0;
}

const TrackPoint* CTrackLog::First()
{
    m_cursor = 0;
    return m_count > 0 ? &m_points[m_tail] : nullptr;
}

const TrackPoint* CTrackLog::Next()
{
    if (m_cursor + 1 >= m_count)
        return nullptr;
    ++m_cursor;
    return &PointAt(m_cursor);
}

const TrackPoint& CTrackLog::PointAt(int index) const
{
    return m_points[(m_tail + index) % m_capacity];
}

TrackPoint& CTrackLog::PointAt(int index)
{
    return m_points[(m_tail + index) % m_capacity];
}

void CTrackLog::TakePointsFrom(CTrackLog& other)
{
    m_points.swap(other.m_points);
    m_capacity = other.m_capacity;
    m_head = other.m_head;
    m_tail = other.m_tail;
    m_count = other.m_count;
    m_cursor = 0;
}
