#include "StoreContents.h"

#include "support/TestData.h"
#include "waypoints/WaypointImport.h"

#include <gtest/gtest.h>

namespace {

class CsvImportTest : public ::testing::Test {
protected:
    WaypointImportResult Import(const QByteArray& bytes, const CsvImportOptions& options = {})
    {
        const QString path = WriteFileIn(m_dir, QStringLiteral("in%1.csv").arg(m_files++), bytes);
        return ImportCSVFile(m_db, path, options);
    }
    static CsvImportOptions LatitudeFirst()
    {
        CsvImportOptions options;
        options.format = kCsvLatitudeLongitude;
        return options;
    }

    QTemporaryDir m_dir;
    CWaypointDB m_db;
    int m_files = 0;
};

TEST_F(CsvImportTest, EachLineIsARoadsideCameraWithAnArmedAlarm)
{
    const WaypointImportResult result = Import("-117.8,33.8,Cam1\n");
    EXPECT_EQ(result.status, ImportStatus::Completed);
    EXPECT_EQ(result.newCount, 1);
    const CWaypoint wp = WaypointNamed(m_db, QStringLiteral("Cam1"));
    EXPECT_EQ(wp.position.latitude, 33800000);
    EXPECT_EQ(wp.position.longitude, -117800000);
    EXPECT_EQ(wp.icon, 55);
    EXPECT_TRUE(wp.bActiveWaypoint);
    EXPECT_DOUBLE_EQ(wp.dActiveWPDistance, 0.3048);
    EXPECT_EQ(wp.nActiveWaypointMessageType, 0);
}

TEST_F(CsvImportTest, TheOptionsApplyToEveryPoint)
{
    CsvImportOptions options = LatitudeFirst();
    options.alarmOn = false;
    options.alarmRadius = 1.5;
    options.messageType = 4;
    options.iconID = 7;
    options.skipFirstLine = true;
    EXPECT_EQ(Import("lat,lon,name\n10,20,A\n11,21,B\n", options).newCount, 2);
    EXPECT_FALSE(m_db.NameExists(QStringLiteral("name")));
    const CWaypoint b = WaypointNamed(m_db, QStringLiteral("B"));
    EXPECT_EQ(b.position.latitude, 11000000);
    EXPECT_EQ(b.position.longitude, 21000000);
    EXPECT_FALSE(b.bActiveWaypoint);
    EXPECT_DOUBLE_EQ(b.dActiveWPDistance, 1.5);
    EXPECT_EQ(b.nActiveWaypointMessageType, 4);
    EXPECT_EQ(b.icon, 7);
}

TEST_F(CsvImportTest, APositionOutOfRangeStopsTheImportKeepingEarlierPoints)
{
    const WaypointImportResult wrongOrder = Import("-117.8,33.8,Cam1\n", LatitudeFirst());
    EXPECT_EQ(wrongOrder.status, ImportStatus::OutOfRange);
    EXPECT_EQ(wrongOrder.message,
              QStringLiteral("위치 범위를 벗어났습니다. 이 명령을 중단합니다."));
    EXPECT_EQ(m_db.GetCount(), 0);

    const WaypointImportResult partly =
        Import("90,180,Edge\n-90,-180,Other edge\n90.5,0,Past the pole\n1,1,Never read\n",
               LatitudeFirst());
    EXPECT_EQ(partly.status, ImportStatus::OutOfRange);
    EXPECT_EQ(partly.newCount, 2);
    EXPECT_EQ(m_db.GetCount(), 2);
    EXPECT_FALSE(m_db.NameExists(QStringLiteral("Never read")));
}

TEST_F(CsvImportTest, QuotesBlanksAndLineEnds)
{
    Import("1,1,\"Quoted\"\n"
           "2,2,\"Smith, John\"\n" // commas always separate: the name is cut at the comma
           "3,3, Spaced out \r\n"  // blanks around the name and a CR LF line end
           "4,4\n"                 // no name: nothing added
           "\n"
           "5,5,Caf\xC3\xA9\n", // UTF-8
           LatitudeFirst());
    EXPECT_TRUE(m_db.NameExists(QStringLiteral("Quoted")));
    EXPECT_TRUE(m_db.NameExists(QStringLiteral("Smith")));
    EXPECT_TRUE(m_db.NameExists(QStringLiteral("Spaced out")));
    EXPECT_TRUE(m_db.NameExists(QString::fromUtf8("Café")));
    EXPECT_EQ(m_db.GetCount(), 4);
}

TEST_F(CsvImportTest, OlderFilesInTheHandheldCodePage)
{
    Import("37.5,127,\xC4\xAB\xB8\xDE\xB6\xF3\n", LatitudeFirst()); // "카메라" in CP949
    EXPECT_TRUE(m_db.NameExists(QString::fromUtf8("카메라")));
}

TEST_F(CsvImportTest, LongLinesAndFieldsAreCut)
{
    const QByteArray longName(300, 'n');
    Import("1,1," + longName + "\n", LatitudeFirst());
    EXPECT_TRUE(m_db.NameExists(QString(255, u'n')));

    // A line of more than 1,023 bytes goes on as the next line.
    CWaypointDB db;
    const QByteArray head = "2,2,Head,";
    const QByteArray line = head + QByteArray(1023 - head.size(), 'x') + "3,3,Tail\n";
    const QString path = WriteFileIn(m_dir, QStringLiteral("long.csv"), line);
    EXPECT_EQ(ImportCSVFile(db, path, LatitudeFirst()).newCount, 2);
    EXPECT_EQ(WaypointNamed(db, QStringLiteral("Tail")).position.latitude, 3000000);
}

TEST_F(CsvImportTest, ProgressEveryHundredLines)
{
    QByteArray bytes;
    for (int n = 0; n < 250; ++n)
        bytes += "1,1,P" + QByteArray::number(n) + "\n";
    const QString path = WriteFileIn(m_dir, QStringLiteral("many.csv"), bytes);
    QList<int> done;
    ImportCSVFile(m_db, path, {}, [&](int step, int range) {
        EXPECT_EQ(range, 250);
        done.append(step);
        return true;
    });
    EXPECT_EQ(done, (QList<int>{0, 100, 200, 250}));
}

TEST_F(CsvImportTest, SharedFilesInBothOrders)
{
    REQUIRE_TESTDATA();
    EXPECT_EQ(ImportCSVFile(m_db, TestDataPath(QStringLiteral("csv/csvb.csv"))).newCount, 9);
    const CWaypoint heaven =
        WaypointNamed(m_db, QStringLiteral("Mountain Bike Heaven by susy1313"));
    EXPECT_EQ(heaven.position.latitude, 35972030);
    EXPECT_EQ(heaven.position.longitude, -87134700);

    CWaypointDB radius;
    EXPECT_EQ(ImportCSVFile(radius, TestDataPath(QStringLiteral("csv/radius.csv")), LatitudeFirst())
                  .newCount,
              3);
    EXPECT_TRUE(radius.NameExists(QStringLiteral("GittyUp by JoGPS / Warner Parks")));

    CWaypointDB route;
    EXPECT_EQ(ImportCSVFile(route, TestDataPath(QStringLiteral("csv/route1.csv")), LatitudeFirst())
                  .newCount,
              1); // six lines, all named "myroute"
}

} // namespace
