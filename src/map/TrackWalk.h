#pragma once

#include "map/MapProjection.h"

#include <QLine>
#include <QPointF>

#include <vector>

// The track's clipped walk: each point is a move (segment start), or a line from the previous
// one. A run of points outside the clipping rectangle draws nothing but the line out of the
// view and the line back into it. Lines come out as integer segments for one batched draw;
// a line to a point far off screen is first cut at a guard band so no coordinate overflows.
class CTrackWalk {
public:
    CTrackWalk(const ScreenRect& clip, std::vector<QLine>& out);
    void Add(QPointF point, bool segmentStart);

private:
    enum class State { Start, Inside, Outside };
    void Line(QPointF from, QPointF to);

    ScreenRect m_clip;
    ScreenRect m_guard;
    std::vector<QLine>& m_out;
    State m_state = State::Start;
    QPointF m_current;
    QPointF m_remembered;
};

// Thinning of the track when zoomed out: every fifth point above scale 1, every point else. A
// segment start among the skipped points makes the next used point a segment start, so
// separate segments never join.
class CTrackThinning {
public:
    explicit CTrackThinning(double scale) : m_step(scale > 1.0 ? 5 : 1) {}
    // Whether point `index` (from the oldest) is drawn; `segmentStart` becomes true when a
    // skipped point since the last used one began a segment.
    bool Use(int index, bool& segmentStart);

private:
    int m_step;
    bool m_pendingStart = false;
};
