#pragma once

#include "geo/GeoPosition.h"
#include "waypoints/Waypoint.h"
#include "waypoints/WaypointFile.h"

#include <QHashFunctions> // std::hash<QString>
#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

// The waypoints of the open database, kept in a grid of 0.1-degree cells so that the map and
// the proximity alarm look only at the cells around a point. Within a cell the records stay in
// insertion order. The store also carries the navigation target.
//
// The grid repeats every 20 degrees: cell = row x 200 + column with
//   column = ((longitude + 180,000,000) / 100,000) mod 200, row likewise from latitude +
//   90,000,000,
// (microdegrees, truncating division), so one cell holds points from several places on earth.
class CWaypointDB {
public:
    static constexpr int kGridSize = 200;
    static constexpr int kCellCount = kGridSize * kGridSize;
    static constexpr int kNoCell = -1;

    CWaypointDB();
    CWaypointDB(const CWaypointDB&) = delete;
    CWaypointDB& operator=(const CWaypointDB&) = delete;

    // The cell of a position, or kNoCell south of -90 or west of -180 degrees.
    static int CellIndex(const GeoPosition& position);

    // Inserts without a name check; the new id, or -1 (nothing added) outside the grid.
    int AddByPosition(CWaypoint waypoint);
    // 0 (nothing added) when the name exists, else as AddByPosition.
    int AddIfNameUnique(CWaypoint waypoint);
    bool NameExists(const QString& name) const;
    // Overwrites the first record of that name (cell order, then array order) with `waypoint`,
    // which is given that record's id first; returns the id, or 0 when no name matches or the
    // new position lies outside the grid. A record whose position moved changes cell with it.
    int ReplaceByName(CWaypoint& waypoint);
    // 1 when the record was removed, 0 when no record has that id.
    int DeleteByID(int id);
    // Copies the record out; a default record when no record has that id. True when found.
    bool GetByID(int id, CWaypoint& out) const;
    int GetCount() const { return m_count; }
    // "WPT 00000", "WPT 00001", ...: the first that no record is named.
    QString MakeUniqueName() const;

    // The proximity alarm: re-arms the latched records the position has left, then visits the
    // armed records (bActiveWaypoint) of the cells within alarm reach of `current` and latches
    // and copies out the first one inside its radius that was not latched yet. 1 when one was
    // found, else 0.
    int FindAlarmWaypoint(const GeoPosition& current, CWaypoint& out);

    // Navigation state. The target is a copy; its bArrived flag records the arrival message.
    void SetNavigationTarget(const CWaypoint& target, const GeoPosition& legStart);
    // Turning navigation off also resets the target to a default record.
    void SetNavigating(bool navigating);
    bool IsNavigating() const { return m_navigating; }
    CWaypoint& NavigationTarget() { return m_target; }
    const CWaypoint& NavigationTarget() const { return m_target; }
    const GeoPosition& LegStart() const { return m_legStart; }

    // Set by add, delete and replace; cleared by Load and by a successful Save.
    bool IsModified() const { return m_modified; }

    // Writes the store as a version 5 file; 1 on success, 0 on failure (the old file is then
    // left as it was). Before saving over a file that loaded as damaged, a copy of it is kept
    // beside it (path + kDamagedCopySuffix); the save fails if that copy cannot be made.
    int Save(const QString& path);
    // Empties the store (ids keep counting) and reads the file, adding each record through
    // AddByPosition. A text-format file is then saved as version 5 under the same path, the
    // original being kept as path + kLegacyBackupSuffix, unless `rewriteLegacy` is false.
    WaypointLoadResult Load(const QString& path, bool rewriteLegacy = true);
    static constexpr const char* kDamagedCopySuffix = ".damaged";
    static constexpr const char* kLegacyBackupSuffix = ".bak";

    // The rectangle walk: every cell from the south-west to the north-east corner of the two
    // positions, both inclusive, across the grid's wrap. NextCell returns kNoCell at the end.
    void BeginRectangle(const GeoPosition& corner1, const GeoPosition& corner2);
    int NextCell();

    // The records of one cell in array order. Changing a record's strName, nID, position or
    // dActiveWPDistance through the mutable view would put it out of step with the store's indexes:
    // use ReplaceByName or DeleteByID and AddByPosition for that.
    std::span<const CWaypoint> CellWaypoints(int cell) const;
    std::span<CWaypoint> MutableCellWaypoints(int cell);

private:
    // A walk over the cells of a rectangle; FindAlarmWaypoint keeps its own, so it never
    // disturbs a walk the map is making.
    struct RectangleWalk {
        int column = 0, row = 0;
        int startColumn = 0, endColumn = 0;
        int startRow = 0, endRow = 0;
        bool done = true;

        static RectangleWalk Over(int64_t latitude1, int64_t longitude1, int64_t latitude2,
                                  int64_t longitude2);
        int Next();
    };

    void Clear();
    // The record with that id, or nullptr; with its cell when `cell` is given.
    const CWaypoint* Find(int id, int* cell = nullptr) const;
    int FirstIDOfName(const QString& name) const;
    // Puts a record into a cell at the place its id gives it.
    void InsertInIDOrder(int cell, CWaypoint&& waypoint);
    void ReleaseLatchesLeft(const GeoPosition& current);
    // Half the height and width (microdegrees) of the box the alarm search walks.
    std::pair<int64_t, int64_t> AlarmSearchHalfBox(const GeoPosition& current) const;
    void WidenAlarmReach(double radius);

    bool m_navigating = false;
    int m_count = 0;
    int m_nextID = 1;
    GeoPosition m_legStart;
    bool m_modified = false;
    std::vector<std::vector<CWaypoint>> m_cells;
    RectangleWalk m_walk;
    CWaypoint m_target;

    // Indexes kept in step with the cells. Within a cell ids grow in array order, so the first
    // record of a name in cell order, array order is the one with the smallest (cell, id).
    std::unordered_map<int, int> m_cellOfID;
    std::unordered_map<QString, std::vector<int>> m_idsOfName;
    // A file that must be copied beside itself before it is first saved over: the original of
    // a text-format or damaged file. Canonical path and the suffix of the copy.
    QString m_keepBeforeSaving;
    QString m_keepSuffix;
    // The largest alarm radius (km) of any record taken in since the last load, so the alarm
    // search reaches every cell a radius can extend into; and the records now latched, so a
    // latch is released wherever the position has gone.
    double m_alarmReach = 0.0;
    std::vector<int> m_latchedIDs;
};
