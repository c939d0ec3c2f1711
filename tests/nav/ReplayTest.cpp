#include "FreshSettings.h"
#include "support/Captures.h"
#include "support/CliRunner.h"
#include "support/TestData.h"

#include "nav/LogReplay.h"
#include "platform/Clock.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray ReadDemoLog()
{
    QFile file(DemoLogPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QJsonObject Json(const QByteArray& line)
{
    return QJsonDocument::fromJson(line).object();
}

class CEventLog : public IReplayEvents {
public:
    void Arrived(const CWaypoint& target, uint32_t n) override
    {
        lines << QStringLiteral("arrived %1 %2").arg(target.strName).arg(n);
    }
    void NavigationStopped(uint32_t n) override { lines << QStringLiteral("stopped %1").arg(n); }
    void Alarm(const CWaypoint& waypoint, uint32_t n) override
    {
        lines << QStringLiteral("alarm %1 %2").arg(waypoint.strName).arg(n);
    }
    QStringList lines;
};

class Replay : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = ReadDemoLog();
        ASSERT_FALSE(log.isEmpty()) << "demo log missing: " << DemoLogPath().toStdString();
        Clock::Pin(FirstFixTimeStamp(log));
    }
    void TearDown() override { Clock::Unpin(); }

    CFreshSettings freshSettings;
    QByteArray log;
};

// The demo: a 300 m walk at 5 km/h, then an 8 km drive with two red lights, a 40 s urban
// canyon with a 2D fix and a 30 s tunnel without one, 2024-05-18 03:40:00-03:54:59 UTC.
TEST_F(Replay, DemoLogGivesAPlausibleTrack)
{
    EXPECT_EQ(FirstFixTimeStamp(log), 1716003600u) << "03:40:00, the first RMC's date";
    CLogReplay replay(true);
    replay.Start();
    replay.Feed(log);
    const CTrackLog& track = replay.Track();
    // The walk adds a point about every 4 s (1.4 m/s against the 5 m filter), the drive nearly
    // every second it moves (about 500), the stops and the tunnel next to nothing.
    EXPECT_GT(track.GetCount(), 470);
    EXPECT_LT(track.GetCount(), 570);
    int segments = 0;
    for (int i = 0; i < track.GetCount(); ++i)
        segments += track.PointAt(i).segmentStart;
    EXPECT_EQ(segments, 2) << "the start and the first fix after the tunnel; the 2D fix is a fix";
    EXPECT_EQ(track.PointAt(0).time, 1716003600u);
    EXPECT_EQ(track.PointAt(track.GetCount() - 1).time / 60, (1716003600u + 899) / 60);

    // The route is 8.30 km long. Metre-level wander adds a little where it passes the 5 m
    // filter, and the tunnel is bridged by the straight line from its entrance (the road is
    // straight there): within 3 %.
    EXPECT_NEAR(replay.TripComputer().Odometer(), 8.30, 0.25);
    EXPECT_NEAR(replay.TripComputer().MaximumSpeed(), 45.9, 1.0) << "85 km/h on the expressway";
    EXPECT_NEAR(replay.TripComputer().MaximumAltitude(), 92.0, 1.5);
    EXPECT_NEAR(replay.TripComputer().MinimumAltitude(), 41.0, 1.5);
    EXPECT_EQ(replay.TripComputer().ElapsedSeconds(), 899);
}

TEST_F(Replay, ArrivalStopAndAlarmOnTheWay)
{
    CLogReplay first(true);
    first.Start();
    first.Feed(log);
    const GeoPosition halfway = first.Track().PointAt(300).position;

    Clock::Pin(FirstFixTimeStamp(log));
    CLogReplay replay(true);
    CEventLog events;
    replay.SetEvents(&events);
    replay.Start();
    CWaypoint mid;
    mid.strName = QStringLiteral("MID");
    mid.position = halfway;
    mid.bActiveWaypoint = true;
    mid.dActiveWPDistance = 0.1;
    replay.Store().AddByPosition(mid);
    replay.Navigation().GoTo(mid);
    replay.Feed(log);

    ASSERT_EQ(events.lines.size(), 3) << events.lines.join(u',').toStdString();
    EXPECT_TRUE(events.lines[0].startsWith(QStringLiteral("alarm MID ")));
    EXPECT_TRUE(events.lines[1].startsWith(QStringLiteral("arrived MID ")));
    EXPECT_TRUE(events.lines[2].startsWith(QStringLiteral("stopped ")));
    EXPECT_FALSE(replay.Navigation().IsNavigating());
}

TEST_F(Replay, ToolPrintsEventsSummaryAndPanelAndKeepsTheTrack)
{
    QTemporaryDir dir;
    CWaypointDB store;
    CWaypoint ori;
    ori.strName = QStringLiteral("ORI");
    // Where the demo's own route ends (its RMB destination), 11 m from the parking place.
    ori.position = GeoPosition{37332545, 127116876, 0.0f};
    ori.bActiveWaypoint = true;
    ori.dActiveWPDistance = 0.2;
    store.AddByPosition(ori);
    const QString db = dir.filePath(QStringLiteral("w.wpt"));
    ASSERT_EQ(store.Save(db), 1);
    const QString trackFile = dir.filePath(QStringLiteral("t.trk"));
    const QStringList args{
        QStringLiteral("--config-dir"), dir.path(), QStringLiteral("replay"), DemoLogPath(),
        QStringLiteral("--db"),         db,         QStringLiteral("--goto"), QStringLiteral("ORI"),
        QStringLiteral("--track"),      trackFile,  QStringLiteral("--panel")};

    const CliResult result = RunCli(args);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QList<QByteArray> lines = result.Lines();
    ASSERT_EQ(lines.size(), 3 + 31) << result.out.toStdString();
    const QJsonObject alarm = Json(lines[0]);
    const QJsonObject arrived = Json(lines[1]);
    EXPECT_EQ(alarm[u"event"].toString(), QStringLiteral("alarm"));
    EXPECT_EQ(alarm[u"name"].toString(), QStringLiteral("ORI"));
    EXPECT_EQ(arrived[u"event"].toString(), QStringLiteral("arrived"));
    EXPECT_EQ(arrived[u"name"].toString(), QStringLiteral("ORI"));
    EXPECT_LT(alarm[u"n"].toInt(), arrived[u"n"].toInt());
    EXPECT_TRUE(result.err.contains("You have arrived at: ORI"));

    const QJsonObject summary = Json(lines[2])[u"summary"].toObject();
    const int points = summary[u"points"].toInt();
    EXPECT_GT(points, 470);
    EXPECT_EQ(summary[u"segments"].toInt(), 2);
    EXPECT_NEAR(summary[u"odometer_km"].toDouble(), 8.30, 0.25);
    for (const char* key : {"avg_speed_kt", "max_speed_kt", "max_alt", "min_alt", "ascent",
                            "descent", "course", "time_to_next"})
        EXPECT_TRUE(summary[QLatin1String(key)].isDouble()) << key;

    for (int kind = 0; kind <= 30; ++kind)
        EXPECT_EQ(Json(lines[3 + kind])[u"kind"].toInt(), kind);
    const QJsonObject elapsed = Json(lines[3 + 13]);
    EXPECT_EQ(elapsed[u"value"].toString(), QStringLiteral("14:59")) << "03:40:00 to 03:54:59";
    EXPECT_EQ(elapsed[u"units"].toString(), QStringLiteral("MM:SS"));
    EXPECT_EQ(Json(lines[3 + 2])[u"detail"].toString(), QStringLiteral("ORI"));

    // The saved track is loaded by the next run, and the run is the same again.
    const CliResult again = RunCli(args);
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_EQ(Json(again.Lines()[2])[u"summary"].toObject()[u"points"].toInt(), 2 * points);
    EXPECT_EQ(again.Lines()[0], lines[0]);
    EXPECT_EQ(again.Lines()[1], lines[1]);
}

TEST_F(Replay, MultiConstellationReceiversGiveOneTrackPointPerEpoch)
{
    REQUIRE_TESTDATA();
    // Every fix enters the track, so an epoch decoded twice would show as two points.
    WriteIntSetting(QStringLiteral("Map"), QStringLiteral("Enable Position Filter"), 0);
    for (const QString& name : MultiConstellationCaptureNames()) {
        const QByteArray capture = ReadCapture(name);
        Clock::Pin(FirstFixTimeStamp(capture));
        CLogReplay replay(true);
        replay.Start();
        replay.Feed(capture);
        const CTrackLog& track = replay.Track();
        EXPECT_GE(track.GetCount(), 3) << name.toStdString();
        for (int i = 1; i < track.GetCount(); ++i)
            EXPECT_LT(track.PointAt(i - 1).time, track.PointAt(i).time)
                << name.toStdString() << " point " << i;
    }
}

TEST_F(Replay, ToolWithAPinnedClockAndBadArguments)
{
    QTemporaryDir dir;
    const QStringList base{QStringLiteral("--config-dir"), dir.path(), QStringLiteral("replay")};
    const CliResult pinned =
        RunCli(base + QStringList{DemoLogPath(), QStringLiteral("--now"),
                                  QStringLiteral("1716004000"), QStringLiteral("--panel")});
    ASSERT_EQ(pinned.exitCode, 0) << pinned.err.toStdString();
    ASSERT_EQ(pinned.Lines().size(), 1 + 31);
    EXPECT_EQ(Json(pinned.Lines()[1 + 13])[u"value"].toString(), QStringLiteral("00:00"));
    EXPECT_EQ(Json(pinned.Lines()[1 + 28])[u"detail"].toString(), QStringLiteral("03:46:40"));

    EXPECT_EQ(RunCli(base + QStringList{dir.filePath(QStringLiteral("none.nmea"))}).exitCode, 2);
    EXPECT_EQ(
        RunCli(base + QStringList{DemoLogPath(), QStringLiteral("--goto"), QStringLiteral("ORI")})
            .exitCode,
        2)
        << "--goto without --db";
    EXPECT_EQ(RunCli(base + QStringList{DemoLogPath(), QStringLiteral("--db"),
                                        dir.filePath(QStringLiteral("none.wpt"))})
                  .exitCode,
              2);
    const CliResult notADate =
        RunCli(base + QStringList{DemoLogPath(), QStringLiteral("--now"), QStringLiteral("x")});
    EXPECT_EQ(notADate.exitCode, 2);
    EXPECT_TRUE(notADate.out.isEmpty());
}

} // namespace
