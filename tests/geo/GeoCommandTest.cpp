#include "app/SettingsStore.h"
#include "support/TestData.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out).object(); }
};

class GeoCommandTest : public ::testing::Test {
protected:
    QTemporaryDir configDir;

    CliRun Run(const QStringList& geoArgs) const
    {
        QProcess process;
        process.start(CliPath(), QStringList{"--config-dir", configDir.path(), "geo"} + geoArgs);
        EXPECT_TRUE(process.waitForFinished(10000));
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
};

TEST_F(GeoCommandTest, DistanceProjectAndCrossTrack)
{
    const CliRun distance = Run({"distance", "51.5074", "-0.1278", "48.8566", "2.3522"});
    ASSERT_EQ(distance.exitCode, 0) << distance.err.constData();
    EXPECT_NEAR(distance.Json()["km"].toDouble(), 343.940922938, 1e-6);
    EXPECT_NEAR(distance.Json()["bearing"].toDouble(), 150.021092856, 1e-6);

    const CliRun east = Run({"distance", "0", "0", "0", "0.5"});
    EXPECT_NEAR(east.Json()["bearing"].toDouble(), 90.0, 1e-9);

    const CliRun project = Run({"project", "0", "0", "111.12", "90"});
    ASSERT_EQ(project.exitCode, 0) << project.err.constData();
    EXPECT_EQ(project.Json()["lat_e6"].toInteger(-1), 0);
    EXPECT_EQ(project.Json()["lon_e6"].toInteger(-1), 1000000);

    const CliRun xte = Run({"xte", "0", "0", "1", "0", "0.5", "0.016666666666666666"});
    ASSERT_EQ(xte.exitCode, 0) << xte.err.constData();
    const double radians = xte.Json()["rad"].toDouble();
    EXPECT_GT(radians, 0.0);
    EXPECT_NEAR(xte.Json()["nmi"].toDouble(), radians * 3437.7467707849396, 1e-12);
    EXPECT_NEAR(xte.Json()["nmi"].toDouble(), 1.0, 1e-3);
    EXPECT_NEAR(xte.Json()["km"].toDouble(), xte.Json()["nmi"].toDouble() * 1.852, 1e-12);
}

TEST_F(GeoCommandTest, FormatUsesTheOptionOrTheStoredSetting)
{
    const CliRun given = Run({"format", "33.8", "-117.8", "--position-format", "2"});
    ASSERT_EQ(given.exitCode, 0) << given.err.constData();
    EXPECT_EQ(given.Json()["lat"].toString(), "N 33.800000°");
    EXPECT_EQ(given.Json()["lon"].toString(), "W 117.800000°");

    EXPECT_EQ(Run({"format", "33.8", "-117.8"}).Json()["lat"].toString(), "N 33° 48.0000");
    ASSERT_TRUE(CSettingsStore(configDir.path()).WriteIntSetting("Settings", "PositionFormat", 1));
    const CliRun stored = Run({"format", "33.8", "-117.8"});
    EXPECT_EQ(stored.Json()["lon"].toString(), "W 117° 48' 00.000");

    const CliRun unknown = Run({"format", "33.8", "-117.8", "--position-format", "5"});
    EXPECT_EQ(unknown.Json()["lat"].toString(), "ERROR");
    EXPECT_EQ(unknown.Json()["lon"].toString(), "");
}

TEST_F(GeoCommandTest, BadInputGoesToStandardErrorWithStatusTwo)
{
    const QList<QStringList> bad = {
        {"distance", "51.5", "x", "48.8", "2.3"},
        {"distance", "51.5", "-0.1", "48.8"},
        {"project", "95", "0", "1", "0"},
        {"project", "0", "0", "nan", "0"},
        {"xte", "0", "0", "1", "0", "0.5", "181"},
        {"format", "33.8", "-117.8", "--position-format", "two"},
        {"teleport", "1", "2"},
        {},
    };
    for (const QStringList& args : bad) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliRun run = Run(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(run.err.isEmpty());
    }
    const CliRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("geo distance LAT1 LON1 LAT2 LON2"));
}

} // namespace
