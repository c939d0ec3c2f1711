#include "waypoints/WaypointManagerList.h"
#include "app/SettingsStore.h"
#include "geo/Geodesy.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointManagerColumns.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

const GeoPosition kHome{35000000, 127000000, 0.0f};

CWaypoint At(const GeoPosition& position, const QString& name)
{
    CWaypoint wp;
    wp.position = position;
    wp.strName = name;
    return wp;
}

QStringList Names(const CWaypointManagerList& list)
{
    QStringList names;
    for (const WaypointListRow& row : list.Rows())
        names.append(row.waypoint->strName);
    return names;
}

TEST(WaypointManagerListTest, NearestTakesWhatLiesWithinTheDistanceBoundaryIncluded)
{
    CWaypointDB db;
    const GeoPosition in = DestinationPoint(kHome, 9.9, 45.0);
    const GeoPosition out = DestinationPoint(kHome, 10.1, 200.0);
    const GeoPosition edge = DestinationPoint(kHome, 10.0, 300.0);
    db.AddByPosition(At(in, QStringLiteral("in")));
    db.AddByPosition(At(out, QStringLiteral("out")));
    db.AddByPosition(At(edge, QStringLiteral("edge")));
    db.AddByPosition(At({-35000000, -53000000, 0}, QStringLiteral("far"))); // a cell alias
    WaypointListFilter filter;
    filter.maxDistanceKm = PositionDistance(kHome, edge); // exactly the edge's distance
    CWaypointManagerList list;
    list.Fill(db, kHome, filter);
    list.Sort(kColumnName);
    EXPECT_EQ(Names(list), (QStringList{QStringLiteral("edge"), QStringLiteral("in")}));
    EXPECT_DOUBLE_EQ(list.Rows()[1].distanceKm, PositionDistance(kHome, in));
    filter.nearestOnly = false;
    list.Fill(db, kHome, filter);
    EXPECT_EQ(list.Count(), 4);
}

TEST(WaypointManagerListTest, SearchWithAndWithoutMatchCase)
{
    CWaypointDB db;
    CWaypoint notes = At(kHome, QStringLiteral("one"));
    notes.strFieldNotes = QStringLiteral("under the ABC sign");
    db.AddByPosition(notes);
    CWaypoint description = At(kHome, QStringLiteral("two"));
    description.strDescription = QStringLiteral("abc");
    db.AddByPosition(description);
    db.AddByPosition(At(kHome, QStringLiteral("xAbCx")));
    db.AddByPosition(At(kHome, QStringLiteral("none")));
    struct Case {
        bool enabled, matchCase;
        int count;
    };
    for (const Case& c : {Case{false, false, 4}, Case{true, false, 3}, Case{true, true, 1}}) {
        WaypointListFilter filter;
        filter.nearestOnly = false;
        filter.searchEnabled = c.enabled;
        filter.matchCase = c.matchCase;
        filter.searchText = QStringLiteral("abc");
        CWaypointManagerList list;
        list.Fill(db, kHome, filter);
        EXPECT_EQ(list.Count(), c.count) << c.enabled << c.matchCase;
    }
}

TEST(WaypointManagerListTest, CellTexts)
{
    WriteIntSetting("Settings", "Distance-SpeedUnits", 2);
    EXPECT_EQ(CWaypointManagerList::DistanceText(9.994), QStringLiteral("9.99 km"));
    EXPECT_EQ(CWaypointManagerList::DistanceText(12.345), QStringLiteral("12.3 km"));
    WriteIntSetting("Settings", "Distance-SpeedUnits", 0);
    EXPECT_EQ(CWaypointManagerList::TimeFoundText(0), QStringLiteral("1970 01/01 00:00:00"));
    CWaypoint wp = At(kHome, QStringLiteral("n"));
    EXPECT_EQ(CWaypointManagerList::CellText({&wp, 1, 0.0, 0}, 9),
              QStringLiteral("ERROR - UNKNOWN FIELD"));
    EXPECT_EQ(CWaypointManagerColumns::Title(9), QStringLiteral("COL ERROR"));
}

// Many equal keys: the order must be a strict weak ordering (equal rows keep list order).
TEST(WaypointManagerListTest, SortingManyEqualKeysIsStableAndAscending)
{
    CWaypointDB db;
    for (int n = 0; n < 10000; ++n) {
        CWaypoint wp = At(kHome, QStringLiteral("Name %1").arg(n % 7));
        wp.timeGeochacheFound = (n % 3) - 1; // -1 sorts last, as an unsigned number
        wp.strDescription = n % 5 ? QStringLiteral("b") : QStringLiteral("A");
        db.AddByPosition(wp);
    }
    WaypointListFilter filter;
    filter.nearestOnly = false;
    CWaypointManagerList list;
    list.Fill(db, kHome, filter);
    for (const int kind : {kColumnName, kColumnNotes, kColumnTimeFound, kColumnDistance,
                           kColumnIcon, kColumnFieldNotes}) {
        SCOPED_TRACE(kind);
        list.Sort(kColumnName);
        list.Sort(kind);
        const auto& rows = list.Rows();
        for (size_t i = 1; i < rows.size(); ++i) {
            const QString a = CWaypointManagerList::CellText(rows[i - 1], kind).toUpper();
            const QString b = CWaypointManagerList::CellText(rows[i], kind).toUpper();
            if (kind == kColumnTimeFound) {
                ASSERT_LE(uint32_t(rows[i - 1].waypoint->timeGeochacheFound),
                          uint32_t(rows[i].waypoint->timeGeochacheFound));
            } else if (kind != kColumnDistance) {
                ASSERT_LE(a, b);
            }
        }
    }
    // Sorting by name and then by a column of equal keys keeps the names in order.
    list.Sort(kColumnName);
    list.Sort(kColumnFieldNotes);
    EXPECT_TRUE(
        std::is_sorted(list.Rows().begin(), list.Rows().end(), [](const auto& a, const auto& b) {
            return a.waypoint->strName < b.waypoint->strName;
        }));
}

TEST(WaypointManagerListTest, NamesSortInCodeUnitOrderOfTheirUpperCase)
{
    // Around the eight code units the sort compares packed: shorter, equal and longer texts.
    const QStringList names = {"wpt 00001", "WPT 0000",        "WPT 000",   "WPT 00000", "Wpt 0000",
                               "",          "WPT 0000\u00e9x", "WPT 0000A", "wpt 00001", "ZZ",
                               "A"};
    CWaypointDB db;
    for (const QString& name : names)
        db.AddByPosition(At(kHome, name));
    WaypointListFilter filter;
    filter.nearestOnly = false;
    CWaypointManagerList list;
    list.Fill(db, kHome, filter);
    list.Sort(kColumnName);
    QStringList expected = names;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return a.toUpper() < b.toUpper(); });
    EXPECT_EQ(Names(list), expected);
}

TEST(WaypointManagerListTest, ColumnSettingsShiftWidthsPastHiddenPositions)
{
    CWaypointManagerColumns columns = CWaypointManagerColumns::Read();
    EXPECT_EQ(columns.ShownPositions(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(columns.ColumnWidths(400), (std::vector<int>{100, 100, 100, 100, 100, 800}));
    columns.SetShown(2, false);
    columns.MoveUp(4); // Field Notes before Notes
    columns.Write();
    CWaypointManagerColumns::WriteWidths({50, 60, 70, 80, 90});
    const CWaypointManagerColumns read = CWaypointManagerColumns::Read();
    EXPECT_EQ(read.Kind(3), kColumnFieldNotes);
    EXPECT_EQ(read.Kind(4), kColumnNotes);
    EXPECT_FALSE(read.IsShown(2));
    EXPECT_EQ(ReadIntSetting("Waypoint Manager Column ID", "Show_2", 1), 0);
    // Five shown columns: widths by list column; position 5 is twice the list.
    EXPECT_EQ(read.ColumnWidths(400), (std::vector<int>{50, 60, 70, 80, 800}));
    CWaypointManagerColumns defaults = read;
    defaults.SetShown(2, true);
    defaults.MoveDown(3);
    defaults.Write();
}

} // namespace
