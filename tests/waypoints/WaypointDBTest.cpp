#include "WaypointFileBytes.h"

#include "geo/Geodesy.h"
#include "waypoints/WaypointDB.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

CWaypoint At(const char* name, double latitude, double longitude)
{
    CWaypoint wp;
    wp.strName = QString::fromUtf8(name);
    wp.position = GeoPositionFromDegrees(latitude, longitude);
    return wp;
}

CWaypoint Armed(const char* name, double latitude, double longitude, double radiusKm = 0.3048)
{
    CWaypoint wp = At(name, latitude, longitude);
    wp.bActiveWaypoint = true;
    wp.dActiveWPDistance = radiusKm;
    return wp;
}

std::vector<QString> NamesInCell(const CWaypointDB& db, int cell)
{
    std::vector<QString> names;
    for (const CWaypoint& wp : db.CellWaypoints(cell))
        names.push_back(wp.strName);
    return names;
}

std::vector<int> Walk(CWaypointDB& db, const GeoPosition& a, const GeoPosition& b)
{
    std::vector<int> cells;
    db.BeginRectangle(a, b);
    for (int cell = db.NextCell(); cell != CWaypointDB::kNoCell; cell = db.NextCell())
        cells.push_back(cell);
    return cells;
}

// A position `km` north of `from`.
GeoPosition North(const GeoPosition& from, double km)
{
    return DestinationPoint(from, km, 0.0);
}

TEST(WaypointDB, GridCells)
{
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(0, 0)), 100 * 200 + 0);
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(-90, -180)), 0);
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(37.56, 126.97)),
              (1275 % 200) * 200 + 3069 % 200);
    // The grid repeats every 20 degrees in both directions.
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(1.05, 10.05)),
              CWaypointDB::CellIndex(GeoPositionFromDegrees(21.05, -9.95)));
    // Just past the edges the truncating division still gives the first row or column...
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(-90.05, -180.05)), 0);
    // ...further out there is no cell.
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(-90.2, 0)), CWaypointDB::kNoCell);
    EXPECT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(0, -180.2)), CWaypointDB::kNoCell);
    EXPECT_GE(CWaypointDB::CellIndex(GeoPositionFromDegrees(89.99, 179.99)), 0);
}

TEST(WaypointDB, AddingHandsOutIdsAndChecksNames)
{
    CWaypointDB db;
    EXPECT_FALSE(db.IsModified());
    EXPECT_EQ(db.AddByPosition(At("A", 1, 1)), 1);
    EXPECT_EQ(db.AddByPosition(At("A", 2, 2)), 2); // no name check
    EXPECT_EQ(db.AddByPosition(At("South", -91, 0)), -1);
    EXPECT_EQ(db.AddIfNameUnique(At("A", 3, 3)), 0);
    EXPECT_EQ(db.AddIfNameUnique(At("a", 3, 3)), 3); // names are case-sensitive
    EXPECT_EQ(db.AddIfNameUnique(At("Nowhere", 0, -181)), -1);
    EXPECT_EQ(db.GetCount(), 3);
    EXPECT_TRUE(db.IsModified());
    EXPECT_TRUE(db.NameExists(QStringLiteral("A")));
    EXPECT_FALSE(db.NameExists(QStringLiteral("A ")));

    CWaypoint out;
    EXPECT_TRUE(db.GetByID(3, out));
    EXPECT_EQ(out.strName, QStringLiteral("a"));
    EXPECT_EQ(out.nID, 3);
    out.bAlarmLatched = true;
    EXPECT_FALSE(db.GetByID(99, out));
    EXPECT_EQ(out.strName, QStringLiteral("Untitled"));
    EXPECT_EQ(out.nID, 0);
    EXPECT_FALSE(out.bAlarmLatched);
}

TEST(WaypointDB, DeletingKeepsTheOrderOfTheRest)
{
    CWaypointDB db;
    const int first = db.AddByPosition(At("One", 5.01, 5.01));
    const int middle = db.AddByPosition(At("Two", 5.02, 5.02));
    const int last = db.AddByPosition(At("Three", 5.03, 5.03));
    const int cell = CWaypointDB::CellIndex(GeoPositionFromDegrees(5.01, 5.01));
    ASSERT_EQ(NamesInCell(db, cell).size(), 3u);

    EXPECT_EQ(db.DeleteByID(middle), 1);
    EXPECT_EQ(NamesInCell(db, cell), (std::vector<QString>{"One", "Three"}));
    EXPECT_EQ(db.GetCount(), 2);
    EXPECT_FALSE(db.NameExists(QStringLiteral("Two")));
    EXPECT_EQ(db.DeleteByID(middle), 0);
    EXPECT_EQ(db.GetCount(), 2);
    CWaypoint out;
    EXPECT_TRUE(db.GetByID(last, out));
    EXPECT_TRUE(db.GetByID(first, out));
    // A name held twice stays known until both are gone.
    db.AddByPosition(At("One", 40, 40));
    EXPECT_EQ(db.DeleteByID(first), 1);
    EXPECT_TRUE(db.NameExists(QStringLiteral("One")));
}

TEST(WaypointDB, ReplaceByNameTakesTheFirstInCellOrder)
{
    CWaypointDB db;
    const int later = db.AddByPosition(At("Dup", 1.05, 1.05)); // higher cell, lower id
    const int earlier = db.AddByPosition(At("Dup", 10.05, 10.05));
    ASSERT_GT(CWaypointDB::CellIndex(GeoPositionFromDegrees(1.05, 1.05)),
              CWaypointDB::CellIndex(GeoPositionFromDegrees(10.05, 10.05)));

    CWaypoint update = At("Dup", 10.06, 10.06);
    update.strDescription = QStringLiteral("new");
    EXPECT_EQ(db.ReplaceByName(update), earlier);
    EXPECT_EQ(update.nID, earlier);
    CWaypoint out;
    db.GetByID(earlier, out);
    EXPECT_EQ(out.strDescription, QStringLiteral("new"));
    db.GetByID(later, out);
    EXPECT_TRUE(out.strDescription.isEmpty());

    CWaypoint nobody = At("Nobody", 0, 0);
    EXPECT_EQ(db.ReplaceByName(nobody), 0);
    CWaypoint offGrid = At("Dup", -95, 0);
    EXPECT_EQ(db.ReplaceByName(offGrid), 0);
    EXPECT_EQ(db.GetCount(), 2);
}

TEST(WaypointDB, ReplacedRecordFollowsItsNewPosition)
{
    CWaypointDB db;
    const int moving = db.AddByPosition(Armed("Moving", 3.05, 3.05));
    db.AddByPosition(At("Resident", 7.05, 7.05));
    const int newer = db.AddByPosition(At("Newer", 7.06, 7.06));
    const GeoPosition there = GeoPositionFromDegrees(7.055, 7.055);

    CWaypoint moved = Armed("Moving", 7.055, 7.055);
    ASSERT_EQ(db.ReplaceByName(moved), moving);
    const int oldCell = CWaypointDB::CellIndex(GeoPositionFromDegrees(3.05, 3.05));
    const int newCell = CWaypointDB::CellIndex(there);
    EXPECT_TRUE(db.CellWaypoints(oldCell).empty());
    // In the new cell it stands in id order, before the record added after it.
    EXPECT_EQ(NamesInCell(db, newCell), (std::vector<QString>{"Moving", "Resident", "Newer"}));
    CWaypoint out;
    EXPECT_TRUE(db.GetByID(moving, out));
    EXPECT_EQ(db.DeleteByID(newer), 1);
    EXPECT_EQ(db.FindAlarmWaypoint(there, out), 1);
    EXPECT_EQ(out.strName, QStringLiteral("Moving"));
}

TEST(WaypointDB, UniqueNames)
{
    CWaypointDB db;
    EXPECT_EQ(db.MakeUniqueName(), QStringLiteral("WPT 00000"));
    db.AddByPosition(At("WPT 00000", 1, 1));
    db.AddByPosition(At("WPT 00001", 1, 1));
    db.AddByPosition(At("WPT 00003", 1, 1));
    EXPECT_EQ(db.MakeUniqueName(), QStringLiteral("WPT 00002"));
}

TEST(WaypointDB, LoadingContinuesTheIds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ids.wpt"));
    CWaypointDB db;
    for (const char* name : {"A", "B", "C"})
        db.AddByPosition(At(name, 1, 1));
    ASSERT_EQ(db.Save(path), 1);
    ASSERT_TRUE(db.Load(path).Succeeded());
    EXPECT_FALSE(db.IsModified());
    EXPECT_EQ(db.GetCount(), 3);
    CWaypoint out;
    EXPECT_FALSE(db.GetByID(1, out));
    EXPECT_TRUE(db.GetByID(4, out));
    EXPECT_EQ(out.strName, QStringLiteral("A"));
    EXPECT_TRUE(db.GetByID(6, out));
    EXPECT_EQ(db.AddByPosition(At("D", 1, 1)), 7);
}

TEST(WaypointDB, RectangleWalk)
{
    CWaypointDB db;
    // Inside one cell.
    const std::vector<int> one =
        Walk(db, GeoPositionFromDegrees(1.01, 1.01), GeoPositionFromDegrees(1.02, 1.02));
    EXPECT_EQ(one, (std::vector<int>{CWaypointDB::CellIndex(GeoPositionFromDegrees(1.01, 1.01))}));

    // Across the column wrap: columns 199, 0 and 1 of one row, corners in either order.
    const std::vector<int> wrapped =
        Walk(db, GeoPositionFromDegrees(0.05, 20.15), GeoPositionFromDegrees(0.01, 19.95));
    const int row = 100 * 200;
    EXPECT_EQ(wrapped, (std::vector<int>{row + 199, row + 0, row + 1}));

    // Wider than the grid: every column once.
    const std::vector<int> wide =
        Walk(db, GeoPositionFromDegrees(0.01, -170), GeoPositionFromDegrees(0.02, 170));
    EXPECT_EQ(wide.size(), 200u);
    EXPECT_EQ(std::set<int>(wide.begin(), wide.end()).size(), 200u);

    // The whole earth, and corners far outside it: every cell once, none out of range.
    GeoPosition extreme1{INT32_MIN, INT32_MIN, 0}, extreme2{INT32_MAX, INT32_MAX, 0};
    for (const auto& [a, b] :
         {std::pair{GeoPositionFromDegrees(-90, -180), GeoPositionFromDegrees(90, 180)},
          std::pair{extreme1, extreme2}}) {
        const std::vector<int> all = Walk(db, a, b);
        const std::set<int> distinct(all.begin(), all.end());
        EXPECT_EQ(all.size(), 40000u);
        EXPECT_EQ(distinct.size(), 40000u);
        EXPECT_GE(*distinct.begin(), 0);
        EXPECT_LT(*distinct.rbegin(), 40000);
    }
    // Near the western edge the walk wraps to the last columns instead of leaving the grid.
    for (const int cell :
         Walk(db, GeoPositionFromDegrees(10, -180.5), GeoPositionFromDegrees(10.05, -179.5)))
        EXPECT_TRUE(cell >= 0 && cell < 40000) << cell;
}

TEST(WaypointDB, AlarmFiresOncePerEntry)
{
    CWaypointDB db;
    const GeoPosition centre = GeoPositionFromDegrees(37.5, 127.05);
    CWaypoint target = Armed("Gate", 37.5, 127.05);
    target.position = centre;
    db.AddByPosition(target);
    db.AddByPosition(At("Unarmed", 37.5, 127.05));

    CWaypoint out;
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 0.5), out), 0);
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 0.2), out), 1);
    EXPECT_EQ(out.strName, QStringLiteral("Gate"));
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 0.1), out), 0); // still inside
    EXPECT_EQ(db.FindAlarmWaypoint(centre, out), 0);
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 0.4), out), 0); // left
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 0.3), out), 1); // entered again
    // Gone far away (other cells) and back: the latch was released on the way.
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 50), out), 0);
    EXPECT_EQ(db.FindAlarmWaypoint(North(centre, 0.1), out), 1);
}

TEST(WaypointDB, TwoEnteredAtOnceAlarmOnSuccessiveChecks)
{
    CWaypointDB db;
    db.AddByPosition(Armed("First", 10.001, 10.001));
    db.AddByPosition(Armed("Second", 10.0012, 10.0012));
    CWaypoint out;
    const GeoPosition here = GeoPositionFromDegrees(10.0011, 10.0011);
    ASSERT_EQ(db.FindAlarmWaypoint(here, out), 1);
    EXPECT_EQ(out.strName, QStringLiteral("First"));
    ASSERT_EQ(db.FindAlarmWaypoint(here, out), 1);
    EXPECT_EQ(out.strName, QStringLiteral("Second"));
    EXPECT_EQ(db.FindAlarmWaypoint(here, out), 0);
}

TEST(WaypointDB, TwinsInOneCellAreToldApartByDistance)
{
    CWaypointDB db;
    db.AddByPosition(Armed("Far twin", 45.05, 30.05));
    db.AddByPosition(Armed("Near", 45.05, 10.05));
    ASSERT_EQ(CWaypointDB::CellIndex(GeoPositionFromDegrees(45.05, 30.05)),
              CWaypointDB::CellIndex(GeoPositionFromDegrees(45.05, 10.05)));
    CWaypoint out;
    ASSERT_EQ(db.FindAlarmWaypoint(GeoPositionFromDegrees(45.0501, 10.05), out), 1);
    EXPECT_EQ(out.strName, QStringLiteral("Near"));
    EXPECT_EQ(db.FindAlarmWaypoint(GeoPositionFromDegrees(45.0501, 10.05), out), 0);
}

TEST(WaypointDB, AlarmRadiusReachesAcrossACellEdge)
{
    // The waypoint lies 150 m west of a cell edge, the position 120 m east of it: 270 m apart,
    // inside the 304.8 m radius, but in the neighbouring cell.
    CWaypointDB db;
    const GeoPosition edge = GeoPositionFromDegrees(20.05, 10.0);
    CWaypoint wp = Armed("Edge", 0, 0);
    wp.position = DestinationPoint(edge, 0.150, 270.0);
    db.AddByPosition(wp);
    const GeoPosition here = DestinationPoint(edge, 0.120, 90.0);
    ASSERT_NE(CWaypointDB::CellIndex(here), CWaypointDB::CellIndex(wp.position));
    CWaypoint out;
    EXPECT_EQ(db.FindAlarmWaypoint(here, out), 1);
}

TEST(WaypointDB, NavigationState)
{
    CWaypointDB db;
    EXPECT_FALSE(db.IsNavigating());
    CWaypoint target = At("Goal", 1, 2);
    target.bArrived = true;
    const GeoPosition start = GeoPositionFromDegrees(3, 4);
    db.SetNavigationTarget(target, start);
    db.SetNavigating(true);
    EXPECT_TRUE(db.IsNavigating());
    EXPECT_EQ(db.NavigationTarget().strName, QStringLiteral("Goal"));
    EXPECT_FALSE(db.NavigationTarget().bArrived);
    EXPECT_EQ(db.LegStart().latitude, start.latitude);
    db.SetNavigating(false);
    EXPECT_FALSE(db.IsNavigating());
    EXPECT_EQ(db.NavigationTarget().strName, QStringLiteral("Untitled"));
    EXPECT_FALSE(db.IsModified());
}

} // namespace
