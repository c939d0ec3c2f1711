#include "StoreContents.h"
#include "WaypointFileBytes.h"

#include "waypoints/GpxExport.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportMerge.h"

#include <QProcess>
#include <QStandardPaths>

#include <expat.h>

#include <gtest/gtest.h>

namespace {

constexpr int64_t kNow = 1194171630; // 2007-11-04T10:20:30Z

const char kHeader[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
                       "<gpx\n"
                       " creator=\"Wendrift - https://wendrift.org\"\n"
                       " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
                       " version=\"1.0\"\n"
                       " xmlns=\"http://www.topografix.com/GPX/1/0\"\n"
                       " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 "
                       "http://www.topografix.com/GPX/1/0/gpx.xsd\">\n"
                       "<desc>GPX Waypoint File Generated with Wendrift</desc>\n"
                       "<author>Orvalis, LLC</author>\n"
                       "<email>wendrift@wendrift.org</email>\n"
                       "<time>2007-11-04T10:20:30Z</time>\n";

// Whether expat reads the text to its end without an error.
bool WellFormed(const QByteArray& text, QString* error = nullptr)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    const bool ok =
        XML_Parse(parser, text.constData(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    if (!ok && error)
        *error = QStringLiteral("%1 at line %2")
                     .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser))))
                     .arg(XML_GetCurrentLineNumber(parser));
    XML_ParserFree(parser);
    return ok;
}

CWaypoint At(int32_t latitude, int32_t longitude, const QString& name)
{
    CWaypoint wp;
    wp.position.latitude = latitude;
    wp.position.longitude = longitude;
    wp.strName = name;
    return wp;
}

class GpxExportTest : public ::testing::Test {
protected:
    // Exports the store to a file, imports it into a new store and returns that one's records.
    std::vector<CWaypoint> RoundTrip()
    {
        const QString path = m_dir.filePath(QStringLiteral("out.gpx"));
        EXPECT_TRUE(ExportWaypointsGPX(m_db, path));
        CWaypointDB back;
        const WaypointImportResult result = ImportWaypointFile(back, path, kImportKeepExisting);
        EXPECT_EQ(result.status, ImportStatus::Completed) << result.message.toStdString();
        return StoreWaypoints(back);
    }

    QTemporaryDir m_dir;
    CWaypointDB m_db;
};

TEST_F(GpxExportTest, AnEmptyStoreHasBoundsThatStartOutsideTheEarth)
{
    EXPECT_EQ(WaypointsGPXText(m_db, kNow),
              QByteArray(kHeader) +
                  "<bounds minlat=\"999.000000\" minlon=\"999.000000\" maxlat=\"-999.000000\" "
                  "maxlon=\"-999.000000\"/>\n</gpx>");
}

TEST_F(GpxExportTest, OneWaypointByteForByte)
{
    CWaypoint wp = At(33800000, -117800000, QStringLiteral("Cam"));
    wp.icon = 55;
    m_db.AddByPosition(wp);
    EXPECT_EQ(WaypointsGPXText(m_db, kNow),
              QByteArray(kHeader) +
                  "<bounds minlat=\"33.800000\" minlon=\"-117.800000\" maxlat=\"33.800000\" "
                  "maxlon=\"-117.800000\"/>\n"
                  " <wpt lat=\"33.800000\" lon=\"-117.800000\">\n"
                  "  <ele> 0.000000 </ele>  <time>1970-01-01T00:00:00.00000+00:00</time>\n"
                  "  <name><![CDATA[Cam]]></name>\n"
                  "  <sym><![CDATA[Camera - Roadside]]></sym>\n"
                  "  <orvalis:waypoint "
                  "xmlns:orvalis=\"https://wendrift.org/xmlschemas/WendriftExtensions/1\">\n"
                  "   <orvalis:icon>55</orvalis:icon>\n"
                  "   <orvalis:nGeocacheState>0</orvalis:nGeocacheState>\n"
                  "   <orvalis:bUseGeocacheStateForIconID>0</orvalis:bUseGeocacheStateForIconID>\n"
                  "   <orvalis:bActiveWaypoint>0</orvalis:bActiveWaypoint>\n"
                  "   <orvalis:dActiveWPDistance>0.304800</orvalis:dActiveWPDistance>\n"
                  "   <orvalis:strSoundFile>Alarm1.wav</orvalis:strSoundFile>\n"
                  "   <orvalis:nActiveWaypointMessageType>0</orvalis:nActiveWaypointMessageType>\n"
                  "   <orvalis:nType>0</orvalis:nType>\n"
                  "   <orvalis:timeGeochacheFound>0</orvalis:timeGeochacheFound>\n"
                  "   <orvalis:strURL><![CDATA[https://wendrift.org/]]></orvalis:strURL>\n"
                  "  </orvalis:waypoint>\n"
                  " </wpt>\n"
                  "</gpx>");
}

TEST_F(GpxExportTest, OptionalLinesTextEncodingAndBounds)
{
    CWaypoint wp = At(-1500000, 2500000, QString::fromUtf8("Caf\u00e9 \U0001F600"));
    wp.strDescription = QStringLiteral("Desc");
    wp.strFieldNotes = QStringLiteral("line 1\r\nline 2");
    wp.strURL.clear();
    wp.timeWaypoint = 1194171630;
    m_db.AddByPosition(wp);
    m_db.AddByPosition(At(3000000, -4000000, QStringLiteral("Other")));
    const QByteArray text = WaypointsGPXText(m_db, kNow);
    EXPECT_TRUE(text.contains("<bounds minlat=\"-1.500000\" minlon=\"-4.000000\" "
                              "maxlat=\"3.000000\" maxlon=\"2.500000\"/>\n"));
    EXPECT_TRUE(text.contains("<name><![CDATA[Caf\xC3\xA9 \xF0\x9F\x98\x80]]></name>\n"));
    EXPECT_TRUE(text.contains("<time>2007-11-04T10:20:30.00000+00:00</time>"));
    EXPECT_TRUE(text.contains("  <desc><![CDATA[Desc]]></desc>\n"));
    EXPECT_TRUE(text.contains(
        "   <orvalis:strFieldNotes><![CDATA[line 1\nline 2]]></orvalis:strFieldNotes>\n"));
    EXPECT_EQ(text.count("<desc>"), 2);           // the header's and the first waypoint's
    EXPECT_EQ(text.count("<orvalis:strURL>"), 1); // only the second has one
    EXPECT_EQ(text.count("strFieldNotes>"), 2);
}

TEST_F(GpxExportTest, MarkupInTextsKeepsTheFileWellFormed)
{
    CWaypoint wp = At(1, 1, QStringLiteral("a]]>b"));
    wp.strDescription = QStringLiteral("]]>]]>");
    wp.strSoundFile = QStringLiteral("<Tom & Jerry>.wav");
    wp.strFieldNotes = QStringLiteral("x]]>");
    wp.strURL = QStringLiteral("https://example.org/?q=]]>");
    wp.strName += QChar(0x0001); // a control character XML cannot hold is left out
    m_db.AddByPosition(wp);
    const QByteArray text = WaypointsGPXText(m_db, kNow);
    EXPECT_TRUE(text.contains("<name><![CDATA[a]]]]><![CDATA[>b]]></name>"));
    EXPECT_TRUE(text.contains("<orvalis:strSoundFile>&lt;Tom &amp; Jerry&gt;.wav<"));
    QString error;
    EXPECT_TRUE(WellFormed(text, &error)) << error.toStdString();

    const std::vector<CWaypoint> back = RoundTrip();
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].strName, QStringLiteral("a]]>b"));
    EXPECT_EQ(back[0].strDescription, wp.strDescription);
    EXPECT_EQ(back[0].strSoundFile, wp.strSoundFile);
    EXPECT_EQ(back[0].strFieldNotes, wp.strFieldNotes);
    EXPECT_EQ(back[0].strURL, wp.strURL);
}

TEST_F(GpxExportTest, ImportGivesBackEveryFieldTheExportWrites)
{
    for (int n = 0; n < 40; ++n) {
        CWaypoint wp = FullWaypoint(n);
        wp.strName += QString::fromUtf8(" \u00e9\u4e2d\U00020000");
        wp.position.latitude = -89999999 + n * 4611111;
        wp.position.longitude = 179999999 - n * 9012345;
        wp.position.altitude = -12.5f + n;
        m_db.AddByPosition(wp);
    }
    const std::vector<CWaypoint> back = RoundTrip();
    const std::vector<CWaypoint> original = StoreWaypoints(m_db);
    ASSERT_EQ(back.size(), original.size());
    for (size_t i = 0; i < back.size(); ++i) {
        const CWaypoint& a = original[i];
        const CWaypoint& b = back[i];
        SCOPED_TRACE(a.strName.toStdString());
        EXPECT_EQ(b.strName, a.strName);
        EXPECT_EQ(b.position.latitude, a.position.latitude);
        EXPECT_EQ(b.position.longitude, a.position.longitude);
        EXPECT_EQ(b.position.altitude, a.position.altitude);
        EXPECT_EQ(b.timeWaypoint, a.timeWaypoint);
        EXPECT_EQ(b.strDescription, a.strDescription);
        EXPECT_EQ(b.icon, a.icon);
        EXPECT_EQ(b.nGeocacheState, a.nGeocacheState);
        EXPECT_EQ(b.bUseGeocacheStateForIconID, a.bUseGeocacheStateForIconID);
        EXPECT_EQ(b.bActiveWaypoint, a.bActiveWaypoint);
        EXPECT_DOUBLE_EQ(b.dActiveWPDistance, a.dActiveWPDistance);
        EXPECT_EQ(b.strSoundFile, a.strSoundFile);
        EXPECT_EQ(b.nActiveWaypointMessageType, a.nActiveWaypointMessageType);
        EXPECT_EQ(b.nType, a.nType);
        EXPECT_EQ(b.timeGeochacheFound, a.timeGeochacheFound);
        EXPECT_EQ(b.strURL, a.strURL);
        EXPECT_EQ(b.strFieldNotes, a.strFieldNotes);
    }
}

TEST_F(GpxExportTest, GpsbabelReadsTheSameWaypoints)
{
    const QString gpsbabel = QStandardPaths::findExecutable(QStringLiteral("gpsbabel"));
    if (gpsbabel.isEmpty())
        GTEST_SKIP() << "gpsbabel is not installed (Debian package gpsbabel)";
    for (int n = 0; n < 25; ++n)
        m_db.AddByPosition(
            At(37000000 + n * 123457, -122000000 - n * 98765, QStringLiteral("P%1 & <x>").arg(n)));
    const QString path = m_dir.filePath(QStringLiteral("out.gpx"));
    ASSERT_TRUE(ExportWaypointsGPX(m_db, path));

    QProcess process;
    process.start(gpsbabel, {"-w", "-i", "gpx", "-f", path, "-o", "unicsv", "-F", "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    ASSERT_GE(lines.size(), 1);
    const QList<QByteArray> header = lines.takeFirst().trimmed().split(',');
    const qsizetype latColumn = header.indexOf("Latitude");
    const qsizetype lonColumn = header.indexOf("Longitude");
    ASSERT_GE(latColumn, 0);
    ASSERT_EQ(lines.size(), m_db.GetCount());
    const std::vector<CWaypoint> stored = StoreWaypoints(m_db);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split(',');
        EXPECT_NEAR(fields[latColumn].toDouble(), stored[i].position.latitude * 1e-6, 5e-7);
        EXPECT_NEAR(fields[lonColumn].toDouble(), stored[i].position.longitude * 1e-6, 5e-7);
    }
}

TEST_F(GpxExportTest, AFileThatCannotBeCreatedIsReported)
{
    m_db.AddByPosition(At(1, 1, QStringLiteral("A")));
    EXPECT_FALSE(ExportWaypointsGPX(m_db, m_dir.filePath(QStringLiteral("no/such/dir/out.gpx"))));
}

} // namespace
