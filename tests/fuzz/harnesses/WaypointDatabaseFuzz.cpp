// The waypoint database file of any version, or the text format, loaded into a store that is
// then walked as the map, the manager and the proximity alarm walk it.

#include "fuzz/FuzzHarness.h"
#include "waypoints/WaypointDB.h"

void FuzzWaypointDatabase(const uint8_t* data, size_t size)
{
    const QString path = FuzzScratchFile(QStringLiteral("database.wpt"), {data, size});
    CWaypointDB db;
    const WaypointLoadResult result = db.Load(path, /*rewriteLegacy=*/false);
    FuzzCheck(db.GetCount() <= result.recordsRead, "the store holds records the file did not");
    FuzzCheck(result.version == kLegacyWaypointFileVersion ||
                  static_cast<uint32_t>(result.recordsRead) <= result.statedCount,
              "more records read than the header states");

    int seen = 0;
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell) {
        for (const CWaypoint& stored : db.CellWaypoints(cell)) {
            CWaypoint copy;
            FuzzCheck(db.GetByID(stored.nID, copy), "a stored record cannot be found by its id");
            copy.ResolveIcon();
            if (seen++ == 0) {
                CWaypoint alarm;
                db.FindAlarmWaypoint(stored.position, alarm);
                db.MakeUniqueName();
            }
        }
    }
    FuzzCheck(seen == db.GetCount(), "the cells do not hold the counted records");
}
