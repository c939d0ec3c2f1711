// The track file in any of its layouts, loaded into the full-size ring and into a tiny one
// that must drop all but its newest points.

#include "fuzz/FuzzHarness.h"
#include "nav/TrackLog.h"

#include <cmath>

void FuzzTrackFile(const uint8_t* data, size_t size)
{
    const QString path = FuzzScratchFile(QStringLiteral("track.trk"), {data, size});
    for (const uint16_t capacity : {kTrackLogCapacity, uint16_t{3}}) {
        CTrackLog track(capacity);
        TrackFileLayout layout;
        FuzzCheck(track.LoadFile(path, &layout) == 1, "a readable file did not load");
        FuzzCheck(track.GetCount() <= track.GetCapacity(), "the ring holds more than its capacity");
        int walked = 0;
        for (const TrackPoint* point = track.First(); point; point = track.Next()) {
            FuzzCheck(std::isfinite(point->position.altitude), "a loaded altitude is not finite");
            ++walked;
        }
        FuzzCheck(walked == track.GetCount(), "the walk does not visit every point");
    }
}
