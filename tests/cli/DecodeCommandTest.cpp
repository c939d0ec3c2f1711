// wendrift-cli decode, run as a process on real recordings.

#include "support/CliRunner.h"
#include "support/TestData.h"

#include "app/SettingsStore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QJsonObject Json(const QByteArray& line)
{
    return QJsonDocument::fromJson(line).object();
}

TEST(DecodeCommand, PrintsOneLinePerSentenceThenTheSummary)
{
    REQUIRE_TESTDATA();
    const CliResult result = RunCli({"decode", TestDataPath("nmea/bu353s4.log")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QList<QByteArray> lines = result.Lines();
    const QJsonObject summary = Json(lines.last()).value("summary").toObject();
    ASSERT_EQ(summary.value("sentences").toInt(), lines.size() - 1);
    EXPECT_EQ(summary.value("gga").toInt(), 25);
    EXPECT_EQ(summary.value("rmc").toInt(), 25);

    const QJsonObject first = Json(lines[0]);
    EXPECT_EQ(first.value("n").toInt(), 1);
    EXPECT_EQ(first.value("sentence").toString(), "GPGGA");
    EXPECT_DOUBLE_EQ(first.value("lat").toDouble(), -(37 + 47.0873 / 60));
    EXPECT_DOUBLE_EQ(first.value("alt").toDouble(), 59.9) << "shortest round-trip numbers";
    for (int i = 0; i < lines.size() - 1; ++i) {
        const QJsonObject line = Json(lines[i]);
        ASSERT_EQ(line.value("n").toInt(), i + 1) << lines[i].toStdString();
        if (line.value("sentence") == "GPGSV") {
            ASSERT_EQ(line.value("sats").toArray().size(), 4);
            EXPECT_TRUE(line.value("sats").toArray()[0].toObject().contains("used"));
        }
        if (line.value("sentence") == "GPGSA") {
            EXPECT_EQ(line.value("prns").toArray().size(), 12);
        }
    }
}

TEST(DecodeCommand, ReadsStandardInputAndMarksIgnoredSatelliteMessages)
{
    const QByteArray input = "$GPGSV,9,1,11,01,40,083,46\r\n"
                             "$GPRMB,A,0.66,L,003,004,4917.24,N,12309.57,W,001.3,052.5,000.5,V\r\n"
                             "$GPZDA,201530.00,04,07,2002,-05,30\r\n$PGRME,15.0,M\r\n";
    const CliResult result = RunCli({"decode"}, input);
    ASSERT_EQ(result.exitCode, 0);
    const QList<QByteArray> lines = result.Lines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(Json(lines[0]).value("ignored").toBool());
    EXPECT_EQ(Json(lines[1]).value("steer").toString(), "L");
    EXPECT_EQ(Json(lines[1]).value("dest").toString(), "004");
    EXPECT_EQ(Json(lines[2]).value("zone_hours").toInt(), -5);
    EXPECT_EQ(Json(lines[3]).keys(), (QStringList{"n", "sentence"}));
}

TEST(DecodeCommand, DemoLogDecodesAsGenerated)
{
    // The generator corrupts one sentence in 400 on purpose (16 of 6,270); everything else,
    // the proprietary sentences included, must be accepted.
    const CliResult result = RunCli({"decode", "--summary", DemoLogPath()});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_EQ(result.Lines().size(), 1);
    const QJsonObject summary = Json(result.Lines()[0]).value("summary").toObject();
    EXPECT_EQ(summary.value("sentences").toInt(), 6270 - 16);
    EXPECT_GE(summary.value("gga").toInt(), 890);
    EXPECT_GE(summary.value("gsv").toInt(), 2680);
    EXPECT_GE(summary.value("rmb").toInt(), 590);
    EXPECT_GE(summary.value("zda").toInt(), 175);
}

TEST(DecodeCommand, EveryTalkerUnlessTheGpsTalkerAloneIsAskedFor)
{
    REQUIRE_TESTDATA();
    QTemporaryDir gpsOnlySettings;
    CSettingsStore(gpsOnlySettings.path())
        .WriteIntSetting(QStringLiteral("Settings"), QStringLiteral("GNSS Talkers"), 0);
    const QString capture = TestDataPath("nmea/sirfstarv-nmea.log");
    const struct {
        QStringList args;
        int gga;
        int rmc;
    } cases[] = {
        {{"decode", "--summary", capture}, 118, 59}, // GPGGA and GLGGA counted, GNRMC
        {{"decode", "--summary", "--gp-only", capture}, 59, 0},
        {{"--config-dir", gpsOnlySettings.path(), "decode", "--summary", capture}, 59, 0},
    };
    for (const auto& c : cases) {
        const CliResult result = RunCli(c.args);
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QJsonObject summary = Json(result.Lines().last()).value("summary").toObject();
        EXPECT_EQ(summary.value("gga").toInt(), c.gga) << c.args.join(' ').toStdString();
        EXPECT_EQ(summary.value("rmc").toInt(), c.rmc) << c.args.join(' ').toStdString();
    }

    const QList<QByteArray> lines = RunCli({"decode", capture}).Lines();
    EXPECT_EQ(Json(lines[0]).value("sentence").toString(), "GPGGA");
    EXPECT_EQ(Json(lines[1]).value("sentence").toString(), "GLGGA");
    EXPECT_TRUE(Json(lines[1]).value("ignored").toBool()) << "the epoch's GPGGA wrote the fix";
    const QJsonArray prns = Json(lines[3]).value("prns").toArray();
    EXPECT_EQ(prns[7].toInt(), 11) << "the last of GPS's eight";
    EXPECT_EQ(prns[8].toInt(), 73) << "GLONASS's after them";
    EXPECT_EQ(Json(lines[4]).value("sentence").toString(), "GNRMC");
    EXPECT_NEAR(Json(lines[4]).value("lat").toDouble(), 44.0689, 1e-4);
    EXPECT_EQ(Json(lines[17]).value("talker").toString(), "GL");
    EXPECT_EQ(Json(lines[17]).value("in_view").toInt(), 22);
}

TEST(DecodeCommand, MissingFileIsAUsageError)
{
    const CliResult result = RunCli({"decode", "/nonexistent/drive.nmea"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_TRUE(result.err.contains("/nonexistent/drive.nmea"));
}

TEST(DecodeCommand, HelpSaysWhatItDoes)
{
    const CliResult top = RunCli({"--help"});
    EXPECT_EQ(top.exitCode, 0);
    EXPECT_TRUE(top.out.contains("decode"));
    const CliResult help = RunCli({"decode", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("128-byte chunks"));
}

} // namespace
