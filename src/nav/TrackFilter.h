#pragma once

#include "nav/TrackLog.h"

// Decides which fixes enter the track and derives the course from the positions. Every fix is
// handed in; it is appended only once it lies farther than the filter threshold from the point
// appended last (or always, with the filter off), and a jump of 2.5 km or more, like the first
// point of an empty track, begins a new segment.
class CTrackFilter {
public:
    static constexpr double kSegmentJumpKm = 2.5;

    explicit CTrackFilter(CTrackLog& track) : m_track(track) {}

    // Always 1.
    int AddPosition(TrackPoint point);

    void SetFilter(bool on) { m_filter = on; }
    void SetFilterThreshold(double km) { m_filterThreshold = km; }
    // On: the course changes only after the position has moved more than the course threshold
    // from where the last course was measured. Off: every fix measures a course from the one
    // before.
    void SetCourseFromDistance(bool on) { m_courseFromDistance = on; }
    void SetCourseThreshold(double km) { m_courseThreshold = km; }

    bool Filter() const { return m_filter; }
    double FilterThreshold() const { return m_filterThreshold; }
    bool CourseFromDistance() const { return m_courseFromDistance; }
    double CourseThreshold() const { return m_courseThreshold; }

    // Degrees true, 0 until a second position has given a direction.
    double Course() const { return m_course; }
    const TrackPoint& CurrentPoint() const { return m_current; }
    const TrackPoint& LastLoggedPoint() const { return m_lastLogged; }

private:
    CTrackLog& m_track;
    bool m_filter = true;
    double m_filterThreshold = 0.001;
    bool m_courseFromDistance = false;
    double m_courseThreshold = 0.001;
    TrackPoint m_current;
    TrackPoint m_lastLogged;
    TrackPoint m_courseReference;
    bool m_haveCourseReference = false;
    double m_course = 0.0;
};
