#include "StoreContents.h"

#include "support/TestData.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportMerge.h"

#include <gtest/gtest.h>

namespace {

const char* const kLocFiles[] = {"loc/geocaching.loc", "loc/gl.loc", "loc/pathaway-geo.loc"};

TEST(LocImportTest, SharedFilesGiveTheNineCaches)
{
    REQUIRE_TESTDATA();
    for (const char* file : kLocFiles) {
        CWaypointDB db;
        const WaypointImportResult result =
            ImportWaypointFile(db, TestDataPath(QString::fromLatin1(file)), kImportKeepExisting);
        EXPECT_EQ(result.status, ImportStatus::Completed) << file;
        EXPECT_EQ(result.newCount, 9) << file;

        const CWaypoint troll = WaypointNamed(db, QStringLiteral("GC1A37"));
        EXPECT_EQ(troll.strDescription, QStringLiteral("The Troll by a182pilot & Family")) << file;
        EXPECT_EQ(troll.position.latitude, 36090683) << file;
        EXPECT_EQ(troll.position.longitude, -86679550) << file;
        // "geocache" in lower case, as geocaching.com writes it.
        EXPECT_EQ(troll.nType, kWaypointTypeGeocache) << file;
        EXPECT_EQ(troll.nGeocacheState, 0) << file;
        EXPECT_TRUE(troll.bUseGeocacheStateForIconID) << file;
    }
}

TEST(LocImportTest, TheLinkTextIsTheURL)
{
    REQUIRE_TESTDATA();
    for (const char* file : {"loc/geocaching.loc", "loc/gl.loc"}) {
        CWaypointDB db;
        ImportWaypointFile(db, TestDataPath(QString::fromLatin1(file)), kImportKeepExisting);
        EXPECT_EQ(WaypointNamed(db, QStringLiteral("GCEBB")).strURL,
                  QStringLiteral("http://www.geocaching.com/seek/cache_details.asp?ID=3771"))
            << file;
    }
    CWaypointDB withoutLinks;
    ImportWaypointFile(withoutLinks, TestDataPath(QStringLiteral("loc/pathaway-geo.loc")),
                       kImportKeepExisting);
    EXPECT_EQ(WaypointNamed(withoutLinks, QStringLiteral("GCEBB")).strURL, CWaypoint().strURL);
}

TEST(LocImportTest, ExistingNamesAreNeverReplaced)
{
    QTemporaryDir dir;
    const QString path = WriteFileIn(
        dir, QStringLiteral("one.loc"),
        "<?xml version=\"1.0\"?><loc version=\"1.0\"><waypoint>"
        "<name id=\"GC1234\"><![CDATA[First & best]]></name><coord lat=\"1.25\" lon=\"-2.5\"/>"
        "<type>Waypoint</type></waypoint></loc>");
    CWaypointDB db;
    EXPECT_EQ(ImportWaypointFile(db, path, kImportReplaceExisting).newCount, 1);
    const CWaypoint wp = WaypointNamed(db, QStringLiteral("GC1234"));
    EXPECT_EQ(wp.strDescription, QStringLiteral("First & best"));
    EXPECT_EQ(wp.position.latitude, 1250000);
    EXPECT_EQ(wp.nType, kWaypointTypeOrdinary);

    const WaypointImportResult again = ImportWaypointFile(db, path, kImportReplaceExisting);
    EXPECT_EQ(again.newCount, 0);
    EXPECT_EQ(again.replacedCount, 0);
}

} // namespace
