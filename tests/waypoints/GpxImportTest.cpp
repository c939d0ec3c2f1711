#include "StoreContents.h"

#include "support/TestData.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportMerge.h"

#include <gtest/gtest.h>

namespace {

QString Utf16(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

WaypointImportResult ImportShared(CWaypointDB& db, const char* relative,
                                  int mode = kImportKeepExisting)
{
    return ImportWaypointFile(db, TestDataPath(QString::fromLatin1(relative)), mode);
}

// A GPX 1.0 document around the given wpt elements.
QByteArray Gpx(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<gpx version=\"1.0\" xmlns=\"http://www.topografix.com/GPX/1/0\">\n" +
           body + "</gpx>\n";
}

class GpxImportTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes, const char* name = "in.gpx")
    {
        return WriteFileIn(m_dir, QString::fromLatin1(name), bytes);
    }
    QTemporaryDir m_dir;
    CWaypointDB m_db;
};

TEST_F(GpxImportTest, SharedFilesGiveTheWaypointsOtherProgramsRead)
{
    REQUIRE_TESTDATA();
    // gpsbabel's counts; expertgps.gpx repeats one name and spb_metro_norm_ru.gpx 15 (stations
    // on two lines), which the store keeps once. Routes and tracks are not waypoints.
    const struct {
        const char* file;
        int added;
    } files[] = {{"gpx/GC7FA4.gpx", 1},
                 {"gpx/GCGCA8.gpx", 1},
                 {"gpx/GCGCA8_2005.gpx", 1},
                 {"gpx/GCGCA8_nasty.gpx", 1},
                 {"gpx/expertgps.gpx", 85},
                 {"gpx/garmin_symbols.gpx", 256},
                 {"gpx/geocaching.gpx", 9},
                 {"gpx/segmented_tracks.gpx", 0},
                 {"gpx/spb_metro_norm_ru.gpx", 68}};
    for (const auto& [file, added] : files) {
        CWaypointDB db;
        const WaypointImportResult result = ImportShared(db, file);
        EXPECT_EQ(result.status, ImportStatus::Completed) << file << result.message.toStdString();
        EXPECT_EQ(result.newCount, added) << file;
        EXPECT_EQ(db.GetCount(), added) << file;
    }
}

TEST_F(GpxImportTest, GeocacheListingFillsTheCacheRecordAndTheFirstFiveLogs)
{
    REQUIRE_TESTDATA();
    ImportShared(m_db, "gpx/GCGCA8.gpx");
    const CWaypoint wp = WaypointNamed(m_db, QStringLiteral("GCGCA8"));
    EXPECT_EQ(wp.position.latitude, 35921667);
    EXPECT_EQ(wp.position.longitude, -86861667);
    EXPECT_EQ(wp.timeWaypoint, 1056844800); // 2003-06-29T00:00:00, no zone: UTC
    EXPECT_EQ(wp.strURL, QStringLiteral("https://www.geocaching.com/geocache/GCGCA8"));
    EXPECT_EQ(wp.strDescription,
              QStringLiteral("Oozy rat in a sanitary zoo by robertlipe, Unknown Cache (3/2)"));
    EXPECT_EQ(wp.icon, 24);
    EXPECT_EQ(wp.nType, kWaypointTypeGeocache);
    EXPECT_TRUE(wp.bUseGeocacheStateForIconID);
    EXPECT_EQ(wp.nGeocacheState, 11); // "Unknown"

    const GeocacheInfo& gc = wp.geocache;
    EXPECT_EQ(gc.strCacheName, QStringLiteral("Oozy rat in a sanitary zoo"));
    EXPECT_EQ(gc.strPlacedBy, QStringLiteral("robertlipe"));
    EXPECT_EQ(gc.strCacheType, QStringLiteral("Unknown Cache"));
    EXPECT_EQ(gc.strContainer, QStringLiteral("Not chosen"));
    EXPECT_EQ(gc.strCountry, QStringLiteral("United States"));
    EXPECT_EQ(gc.strState, QStringLiteral("Tennessee"));
    EXPECT_EQ(gc.nDifficulty, 30);
    EXPECT_EQ(gc.nTerrain, 20);
    EXPECT_FALSE(gc.bAvailable);
    EXPECT_TRUE(gc.bArchived);
    EXPECT_TRUE(gc.bShortDescriptionHTML);
    EXPECT_TRUE(gc.bLongDescriptionHTML);
    EXPECT_TRUE(gc.strShortDescription.startsWith(QStringLiteral("The cache is not at")));
    EXPECT_EQ(gc.strEncodedHints, QStringLiteral("\n      ")); // CR LF read as LF

    // 25 logs in the file; the first five in file order.
    const uint8_t types[] = {0, 5, 0, 0, 0}; // Archive, Temporarily Disable, Maintenance, DNF x2
    for (int slot = 0; slot < kGeocacheLogSlots; ++slot)
        EXPECT_EQ(gc.logs[slot].nLogType, types[slot]) << slot;
    EXPECT_EQ(gc.logs[0].timeLogDate, 1510364654); // 2017-11-11T01:44:14Z
    EXPECT_EQ(gc.logs[0].strLogFinder, QStringLiteral("robertlipe"));
    EXPECT_FALSE(gc.logs[0].bLogTextEncoded);
    EXPECT_TRUE(gc.logs[0].strLogText.startsWith(QStringLiteral("Removed the container")));
    EXPECT_TRUE(gc.logs[0].strLogText.endsWith(QStringLiteral("\n\nThanx to all that hunted it.")));
    EXPECT_EQ(gc.logs[1].strLogText, QStringLiteral("Bye."));
}

TEST_F(GpxImportTest, AccentsOffsetsAndEntitiesOfAnOlderListing)
{
    REQUIRE_TESTDATA();
    ImportShared(m_db, "gpx/GC7FA4.gpx");
    const CWaypoint wp = WaypointNamed(m_db, QStringLiteral("GC7FA4"));
    EXPECT_EQ(wp.position.latitude, 46133333);
    EXPECT_EQ(wp.position.longitude, -73000000);
    EXPECT_EQ(wp.timeWaypoint, 1029394800); // 2002-08-15T00:00:00-07:00 is 07:00 UTC
    EXPECT_EQ(wp.geocache.strCacheName, Utf16("Points géodésiques du Québec"));
    EXPECT_EQ(wp.geocache.strCacheType, QStringLiteral("Locationless (Reverse) Cache"));
    EXPECT_EQ(wp.nGeocacheState, 0);
    EXPECT_EQ(wp.geocache.nDifficulty, 10);
    for (const GeocacheLog& log : wp.geocache.logs)
        EXPECT_EQ(log.nLogType, 1);
    EXPECT_EQ(wp.geocache.logs[0].strLogFinder, QStringLiteral("Christopher R & Pooh B"));
    EXPECT_EQ(wp.geocache.logs[0].timeLogDate, 1121151600); // zone-less: UTC
}

TEST_F(GpxImportTest, LogsAfterTheFifthAreIgnored)
{
    REQUIRE_TESTDATA();
    ImportShared(m_db, "gpx/GCGCA8_2005.gpx");
    const CWaypoint wp = WaypointNamed(m_db, QStringLiteral("GCGCA8"));
    EXPECT_EQ(wp.timeWaypoint, 1056870000); // seven-digit fraction and -07:00
    EXPECT_EQ(wp.geocache.strEncodedHints.trimmed(), QStringLiteral("There Is No Hint"));
    const uint8_t types[] = {1, 2, 1, 2, 1};
    for (int slot = 0; slot < kGeocacheLogSlots; ++slot)
        EXPECT_EQ(wp.geocache.logs[slot].nLogType, types[slot]) << slot;
    EXPECT_EQ(wp.geocache.logs[0].timeLogDate, 1120374000);
}

TEST_F(GpxImportTest, SymbolsMapByTheTableAndExactText)
{
    REQUIRE_TESTDATA();
    ImportShared(m_db, "gpx/garmin_symbols.gpx");
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("Geocache Found")).icon, 25);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("Airport")).icon, 4);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("Multi-Cache")).icon, 110); // its sym: Stadium
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("Dot, White")).icon, 0);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("Light")).icon, 102);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("Summit")).icon, 30);

    CWaypointDB plain;
    ImportShared(plain, "gpx/geocaching.gpx");
    const CWaypoint troll = WaypointNamed(plain, QStringLiteral("GC1A37"));
    EXPECT_EQ(troll.icon, 0); // "geocache" in lower case is not in the table
    EXPECT_EQ(troll.strDescription, QStringLiteral("The Troll by a182pilot & Family"));
    EXPECT_EQ(troll.strURL,
              QStringLiteral("http://www.geocaching.com/seek/cache_details.asp?ID=6711"));
}

TEST_F(GpxImportTest, TypeTextSetsTheGeocacheStateAndNumbersReadLikeC)
{
    const QString path =
        Write(Gpx("<wpt lat=\"1.5\" lon=\"2.5\"><name>F</name><sym>Geocache Found</sym>"
                  "<type>Geocache|Traditional Cache</type></wpt>\n"
                  "<wpt lat=\"1\" "
                  "lon=\"2\"><name>M</name><sym>Geocache</sym><type>Geocache|Multi-cache</type>"
                  "<groundspeak:cache "
                  "xmlns:groundspeak=\"x\"><groundspeak:difficulty>2.5</groundspeak:difficulty>"
                  "<groundspeak:terrain>lots</groundspeak:terrain></groundspeak:cache></wpt>\n"
                  "<wpt lat=\" 10.9999999\" lon=\"-0.0000019\"><ele> 12.5 </ele><name>W</name>"
                  "<type>Waypoint</type><time>2007-11-04T10:20:30Z</time></wpt>\n"));
    ASSERT_EQ(ImportWaypointFile(m_db, path, kImportKeepExisting).newCount, 3);

    const CWaypoint found = WaypointNamed(m_db, QStringLiteral("F"));
    EXPECT_EQ(found.nGeocacheState, 5);
    EXPECT_TRUE(found.bUseGeocacheStateForIconID);
    EXPECT_EQ(found.position.latitude, 1500000);
    const CWaypoint multi = WaypointNamed(m_db, QStringLiteral("M"));
    EXPECT_EQ(multi.nGeocacheState, 8);
    EXPECT_EQ(multi.geocache.nDifficulty, 25);
    EXPECT_EQ(multi.geocache.nTerrain, 0);
    const CWaypoint plain = WaypointNamed(m_db, QStringLiteral("W"));
    EXPECT_EQ(plain.nType, kWaypointTypeOrdinary);
    EXPECT_FALSE(plain.bUseGeocacheStateForIconID);
    EXPECT_EQ(plain.position.latitude, 10999999); // truncated, not rounded
    EXPECT_EQ(plain.position.longitude, -1);
    EXPECT_FLOAT_EQ(plain.position.altitude, 12.5f);
    EXPECT_EQ(plain.timeWaypoint, 1194171630);
}

TEST_F(GpxImportTest, TimeOffsetsAreApplied)
{
    const QString path = Write(Gpx("<wpt lat=\"0\" lon=\"0\"><name>A</name>"
                                   "<time>2008-06-21T00:00:00-07:00</time></wpt>"
                                   "<wpt lat=\"0\" lon=\"0\"><name>B</name>"
                                   "<time>2008-06-21T00:00:00.123+05:30</time></wpt>"
                                   "<wpt lat=\"0\" lon=\"0\"><name>C</name>"
                                   "<time>2008-06-21</time></wpt>"));
    ImportWaypointFile(m_db, path, kImportKeepExisting);
    const int32_t midnight = 1214006400; // 2008-06-21T00:00:00Z
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("A")).timeWaypoint, midnight + 7 * 3600);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("B")).timeWaypoint, midnight - 5 * 3600 - 1800);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("C")).timeWaypoint, midnight);
}

TEST_F(GpxImportTest, CharactersBeyondTheBasicPlaneReadAsSurrogatePairs)
{
    const QString path = Write(Gpx("<wpt lat=\"0\" lon=\"0\"><name>Cafe \xF0\x9F\x98\x80 "
                                   "\xF0\xA0\x80\x8B \xC3\xA9</name></wpt>"));
    ImportWaypointFile(m_db, path, kImportKeepExisting);
    const CWaypoint wp = StoreWaypoints(m_db).at(0);
    EXPECT_EQ(wp.strName, QString::fromUcs4(U"Cafe \U0001F600 \U0002000B \u00E9"));
}

TEST_F(GpxImportTest, Gpx11LinksGiveTheURL)
{
    const QString path =
        Write("<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
              "<wpt lat=\"1\" lon=\"1\"><name>L</name>"
              "<link href=\"https://example.org/a?b=1&amp;c=2\"><text>Page</text></link>"
              "<link href=\"https://example.org/other\"/></wpt>"
              "<rte><rtept lat=\"5\" lon=\"5\"><name>R</name></rtept></rte></gpx>");
    EXPECT_EQ(ImportWaypointFile(m_db, path, kImportKeepExisting).newCount, 1);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("L")).strURL,
              QStringLiteral("https://example.org/a?b=1&c=2"));
}

TEST_F(GpxImportTest, Windows1252FilesFromWindowsProgramsAreRead)
{
    const QString path = Write("<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n<gpx>"
                               "<wpt lat=\"1\" lon=\"1\"><name>Caf\xe9 \x80\x96 \x9c</name></wpt>"
                               "</gpx>");
    EXPECT_EQ(ImportWaypointFile(m_db, path, kImportKeepExisting).newCount, 1);
    EXPECT_EQ(StoreWaypoints(m_db)[0].strName, QString::fromUtf8("Caf\u00e9 \u20ac\u2013 \u0153"));

    const QString unknown = Write("<?xml version=\"1.0\" encoding=\"x-no-such\"?><gpx/>", "u.gpx");
    EXPECT_EQ(ImportWaypointFile(m_db, unknown, kImportKeepExisting).status,
              ImportStatus::ParseError);
}

TEST_F(GpxImportTest, ABrokenFileReportsTheLineAndKeepsTheWaypointsBeforeIt)
{
    const QString path = Write("<?xml version=\"1.0\"?>\n<gpx>\n"
                               "<wpt lat=\"1\" lon=\"1\"><name>First</name></wpt>\n"
                               "<wpt lat=\"2\" lon=\"2\"><name>Second</name></wpt>\n"
                               "<wpt lat=\"3\" lon=\"3\"><name>Broken</desc></wpt>\n"
                               "<wpt lat=\"4\" lon=\"4\"><name>After</name></wpt>\n</gpx>\n");
    const WaypointImportResult result = ImportWaypointFile(m_db, path, kImportKeepExisting);
    EXPECT_EQ(result.status, ImportStatus::ParseError);
    EXPECT_EQ(result.message, QStringLiteral("XML Parse Error: mismatched tag at line 5"));
    EXPECT_EQ(result.newCount, 2);
    ASSERT_EQ(m_db.GetCount(), 2);
    EXPECT_EQ(StoreWaypoints(m_db)[1].strName, QStringLiteral("Second"));
}

TEST_F(GpxImportTest, ImportModeDecidesWhetherExistingNamesAreReplaced)
{
    const QString first = Write(Gpx("<wpt lat=\"1\" lon=\"1\"><name>A</name><desc>old</desc></wpt>"
                                    "<wpt lat=\"2\" lon=\"2\"><name>B</name></wpt>"),
                                "first.gpx");
    const QString second = Write(Gpx("<wpt lat=\"1\" lon=\"1\"><name>A</name><desc>new</desc></wpt>"
                                     "<wpt lat=\"3\" lon=\"3\"><name>C</name></wpt>"),
                                 "second.gpx");
    WaypointImportResult result = ImportWaypointFile(m_db, first, kImportKeepExisting);
    EXPECT_EQ(result.newCount, 2);
    EXPECT_EQ(result.summary,
              QStringLiteral("2 새 중요지점이 추가됩니다.  0 중요지점을 대체합니다."));

    result = ImportWaypointFile(m_db, first, kImportKeepExisting);
    EXPECT_EQ(result.newCount, 0);
    EXPECT_EQ(result.replacedCount, 0);

    result = ImportWaypointFile(m_db, second, kImportReplaceExisting);
    EXPECT_EQ(result.newCount, 1);
    EXPECT_EQ(result.replacedCount, 1);
    EXPECT_EQ(m_db.GetCount(), 3);
    EXPECT_EQ(WaypointNamed(m_db, QStringLiteral("A")).strDescription, QStringLiteral("new"));
}

TEST_F(GpxImportTest, ProgressCountsChunksOfTheFile)
{
    QByteArray body;
    for (int n = 0; n < 400; ++n)
        body += "<wpt lat=\"1\" lon=\"1\"><name>P" + QByteArray::number(n) + "</name></wpt>\n";
    const QByteArray bytes = Gpx(body);
    const QString path = Write(bytes);
    QList<std::pair<int, int>> steps;
    ImportWaypointFile(m_db, path, kImportKeepExisting, {}, [&](int done, int range) {
        steps.append({done, range});
        return true;
    });
    const int range = static_cast<int>(bytes.size() / 8192 + 1);
    ASSERT_EQ(steps.size(), range + 1);
    EXPECT_EQ(steps.first(), std::make_pair(0, range));
    EXPECT_EQ(steps.last(), std::make_pair(range, range));
    EXPECT_EQ(m_db.GetCount(), 400);
}

TEST_F(GpxImportTest, TheExtensionChoosesTheReader)
{
    const QByteArray gpx = Gpx("<wpt lat=\"1\" lon=\"1\"><name>X</name></wpt>");
    EXPECT_EQ(ImportWaypointFile(m_db, Write(gpx, "a.XML"), kImportKeepExisting).newCount, 1);
    EXPECT_EQ(ImportWaypointFile(m_db, Write(gpx, "b.Gpx"), kImportReplaceExisting).replacedCount,
              1);
    const WaypointImportResult other = ImportWaypointFile(m_db, Write(gpx, "c.kml"), 0);
    EXPECT_EQ(other.status, ImportStatus::Unsupported);
    EXPECT_EQ(other.message, QStringLiteral("오류 - 지원되지 않는 중요지점 파일입니다."));
    EXPECT_TRUE(other.summary.isEmpty());
    EXPECT_EQ(ImportWaypointFile(m_db, m_dir.filePath("missing.gpx"), 0).status,
              ImportStatus::CannotOpen);
}

} // namespace
