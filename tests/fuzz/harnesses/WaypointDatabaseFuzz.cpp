// The waypoint database file of any version, or the text format, loaded into a store whose
// records are then looked up as the map, the manager and the proximity alarm look them up.

#include "fuzz/FuzzHarness.h"
#include "waypoints/WaypointDB.h"

#include <set>

void FuzzWaypointDatabase(const uint8_t* data, size_t size)
{
    const QString path = FuzzScratchFile(QStringLiteral("database.wpt"), {data, size});
    std::set<int> cells; // of the records the file holds, as the reader hands them out
    ReadWaypointFile(path, [&cells](CWaypoint&& wp) { cells.insert(CWaypointDB::CellIndex(wp.position)); });
    cells.erase(CWaypointDB::kNoCell);

    CWaypointDB& db = EmptyWaypointStore();
    const WaypointLoadResult result = db.Load(path, /*rewriteLegacy=*/false);
    FuzzCheck(db.GetCount() <= result.recordsRead, "the store holds records the file did not");
    FuzzCheck(result.version == kLegacyWaypointFileVersion ||
                  static_cast<uint32_t>(result.recordsRead) <= result.statedCount,
              "more records read than the header states");

    int seen = 0;
    for (const int cell : cells) {
        for (const CWaypoint& stored : db.CellWaypoints(cell)) {
            CWaypoint copy;
            FuzzCheck(db.GetByID(stored.nID, copy), "a stored record cannot be found by its id");
            copy.ResolveIcon();
            CWaypoint alarm;
            if (seen++ == 0)
                db.FindAlarmWaypoint(stored.position, alarm);
        }
    }
    FuzzCheck(seen == db.GetCount(), "the store does not hold the records in their cells");
    db.MakeUniqueName();
}
