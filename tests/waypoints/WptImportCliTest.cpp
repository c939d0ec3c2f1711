#include "StoreContents.h"
#include "WaypointFileBytes.h"

#include "support/CliRunner.h"
#include "support/TestData.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace {

class WptImportCliTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    CliResult Wpt(const QStringList& args) const
    {
        return RunCli(QStringList{"--config-dir", m_dir.path(), "wpt"} + args);
    }
    static QJsonObject Json(const CliResult& run)
    {
        return run.Lines().isEmpty() ? QJsonObject()
                                     : QJsonDocument::fromJson(run.Lines().last()).object();
    }
    std::unique_ptr<CWaypointDB> Loaded(const char* name) const
    {
        auto db = std::make_unique<CWaypointDB>();
        EXPECT_TRUE(db->Load(Path(name), false).Succeeded());
        return db;
    }

    QTemporaryDir m_dir;
};

TEST_F(WptImportCliTest, ImportCountsNewAndReplacedWaypoints)
{
    const QString gpx = WriteFileIn(m_dir, QStringLiteral("two.gpx"),
                                    "<gpx><wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>"
                                    "<wpt lat=\"3\" lon=\"4\"><name>B</name></wpt></gpx>");
    CliResult run = Wpt({"import", gpx, "--db", Path("new.wpt")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, "{\"new\": 2, \"replaced\": 0}\n");
    EXPECT_EQ(Loaded("new.wpt")->GetCount(), 2);

    run = Wpt({"import", gpx, "--db", Path("new.wpt")});
    EXPECT_EQ(run.out, "{\"new\": 0, \"replaced\": 0}\n");
    run = Wpt({"import", gpx, "--db", Path("new.wpt"), "--replace"});
    EXPECT_EQ(run.out, "{\"new\": 0, \"replaced\": 2}\n");
    EXPECT_EQ(Loaded("new.wpt")->GetCount(), 2);
}

TEST_F(WptImportCliTest, ABrokenFileKeepsWhatCameBeforeAndFails)
{
    const QString gpx = WriteFileIn(m_dir, QStringLiteral("broken.gpx"),
                                    "<gpx>\n<wpt lat=\"1\" lon=\"2\"><name>A</name></wpt>\n"
                                    "<wpt lat=\"3\" lon=\"4\"><name>B</wpt>\n</gpx>\n");
    const CliResult run = Wpt({"import", gpx, "--db", Path("db.wpt")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("XML Parse Error: mismatched tag at line 3"))
        << run.err.constData();
    EXPECT_EQ(Json(run)["new"].toInt(), 1);
    EXPECT_TRUE(Loaded("db.wpt")->NameExists(QStringLiteral("A")));
}

TEST_F(WptImportCliTest, UnreadableOrUnsupportedFilesChangeNothing)
{
    const QString kml = WriteFileIn(m_dir, QStringLiteral("track.kml"), "<kml/>");
    CliResult run = Wpt({"import", kml, "--db", Path("db.wpt")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("지원되지 않는 중요지점 파일")) << run.err.constData();
    run = Wpt({"import", Path("missing.gpx"), "--db", Path("db.wpt")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(QFile::exists(Path("db.wpt")));
}

TEST_F(WptImportCliTest, CsvOptionsReachTheImport)
{
    const QString csv = WriteFileIn(m_dir, QStringLiteral("cams.csv"),
                                    "lat,lon,name\n37.5,127.0,Cam A\n95,0,Bad\n");
    const CliResult run = Wpt({"import", csv, "--db", Path("db.wpt"), "--csv-format", "latlon",
                               "--csv-skip-first", "--csv-icon", "53", "--csv-alarm", "off",
                               "--csv-radius", "0.5", "--csv-message", "2"});
    EXPECT_EQ(run.exitCode, 1); // the out-of-range line stops the import
    EXPECT_TRUE(run.err.contains("위치 범위를 벗어났습니다.")) << run.err.constData();
    EXPECT_EQ(Json(run)["new"].toInt(), 1);
    const CWaypoint cam = WaypointNamed(*Loaded("db.wpt"), QStringLiteral("Cam A"));
    EXPECT_EQ(cam.position.latitude, 37500000);
    EXPECT_EQ(cam.icon, 53);
    EXPECT_FALSE(cam.bActiveWaypoint);
    EXPECT_DOUBLE_EQ(cam.dActiveWPDistance, 0.5);
    EXPECT_EQ(cam.nActiveWaypointMessageType, 2);

    EXPECT_EQ(Wpt({"import", csv, "--db", Path("db.wpt"), "--csv-format", "xy"}).exitCode, 2);
}

TEST_F(WptImportCliTest, ExportThenPage)
{
    REQUIRE_TESTDATA();
    ASSERT_EQ(
        Wpt({"import", TestDataPath(QStringLiteral("gpx/GC7FA4.gpx")), "--db", Path("db.wpt")})
            .exitCode,
        0);
    CliResult run = Wpt({"export", Path("db.wpt"), "--gpx", Path("out.gpx")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.out, "{\"exported\": 1}\n");
    EXPECT_TRUE(ReadTestFile(Path("out.gpx")).contains("<name><![CDATA[GC7FA4]]></name>"));

    run = Wpt({"page", Path("db.wpt"), "GC7FA4", "--out", Path("html")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QJsonObject paths = Json(run);
    // The setting starts at gc.htm as the last page, so the first page made is gc2.htm.
    EXPECT_EQ(paths["page"].toString(), Path("html/gc2.htm"));
    EXPECT_EQ(paths["hint"].toString(), Path("html/hint.htm"));
    EXPECT_TRUE(ReadTestFile(Path("html/gc2.htm")).contains("Points g\xC3\xA9od\xC3\xA9siques"));
    EXPECT_EQ(Json(Wpt({"page", Path("db.wpt"), "GC7FA4", "--out", Path("html")}))["page"],
              Path("html/gc.htm"));
    EXPECT_EQ(Wpt({"page", Path("db.wpt"), "nothing", "--out", Path("html")}).exitCode, 2);
}

} // namespace
