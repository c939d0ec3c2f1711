#pragma once

#include "geo/GeoPosition.h"

#include <QString>

#include <cstdint>
#include <vector>

// One recorded point of the track, 20 bytes as in memory and in the track file.
struct TrackPoint {
    GeoPosition position;
    int32_t segmentStart = 0; // 1: the line is not drawn from the previous point to this one
    uint32_t time = 0;        // seconds since 1970-01-01 UTC, 0 when none was recorded
};
static_assert(sizeof(TrackPoint) == 20);

// The record layouts a track file can have, told apart by its first four bytes.
enum class TrackFileLayout {
    Current,     // magic 0x55AA0002, 20-byte records
    Dated,       // magic 0x55AA0001, 28-byte records with a broken-down UTC date
    FirstVersion // no magic, 16-byte records without a time
};

constexpr uint32_t kTrackFileMagic = 0x55AA0002;
constexpr uint32_t kDatedTrackFileMagic = 0x55AA0001;
constexpr uint16_t kTrackLogCapacity = 10000;

// The recorded track: a ring of points, oldest first, of a capacity fixed at construction. A
// point is appended on every fix, so appending never allocates; a full ring drops its oldest.
class CTrackLog {
public:
    explicit CTrackLog(uint16_t capacity = kTrackLogCapacity);

    // Stores `point` as the newest. When the ring is full the oldest is dropped first, and the
    // new oldest begins a segment (the line to the dropped point is gone).
    void Append(const TrackPoint& point);
    void Clear();
    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }

    // Iteration from the oldest point: First() gives it (nullptr when empty), each Next() the
    // following one, nullptr after the newest.
    const TrackPoint* First();
    const TrackPoint* Next();

    // The point `index` places after the oldest (0 <= index < GetCount()).
    const TrackPoint& PointAt(int index) const;
    TrackPoint& PointAt(int index);

    // Replaces the track by the points of the file at `path` (any of the three layouts). 1 when
    // the file could be opened (the track then holds what it contained), 0 when it could not
    // (the track is left as it was). `layout`, when given, receives the layout found.
    int LoadFile(const QString& path, TrackFileLayout* layout = nullptr);
    // Writes the track to `path` in the current layout, replacing the file only once it is
    // completely written. 1 on success, 0 when the file could not be written (any previous file
    // at `path` is then left as it was, and `error`, when given, says why).
    int SaveFile(const QString& path, QString* error = nullptr) const;

private:
    // Takes over the points of `other` (same capacity); the other fields keep their values.
    void TakePointsFrom(CTrackLog& other);

    std::vector<TrackPoint> m_points; // allocated once, m_capacity slots
    uint16_t m_capacity;
    uint16_t m_head = 0; // slot the next point goes to
    uint16_t m_tail = 0; // slot of the oldest point
    uint16_t m_count = 0;
    uint16_t m_cursor = 0; // points after the oldest that Next() has reached
};
