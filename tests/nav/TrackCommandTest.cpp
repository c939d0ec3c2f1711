#include "nav/TrackExport.h"
#include "nav/TrackLog.h"
#include "support/TestData.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status = -1;
    QList<QByteArray> lines;
    QByteArray errors;
};

CliRun RunCli(const QStringList& args)
{
    QProcess process;
    process.start(CliPath(), args);
    CliRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.status = process.exitCode();
    const QByteArray output = process.readAllStandardOutput();
    if (!output.isEmpty())
        run.lines = output.trimmed().split('\n');
    run.errors = process.readAllStandardError();
    return run;
}

QJsonObject Json(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
    return document.object();
}

class TrackCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_track.Append({{33800000, -117800000, 100.25f}, 1, 1194179696});
        m_track.Append({{33800100, -117800100, 0.0f}, 0, 0});
        m_trackFile = m_dir.filePath("in.trk");
        ASSERT_EQ(m_track.SaveFile(m_trackFile), 1);
    }

    QTemporaryDir m_dir;
    CTrackLog m_track;
    QString m_trackFile;
};

TEST_F(TrackCommand, DumpPrintsTheLayoutThenEveryPoint)
{
    const CliRun run = RunCli({"track", "dump", m_trackFile});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    ASSERT_EQ(run.lines.size(), 3);
    const QJsonObject file = Json(run.lines[0])["file"].toObject();
    EXPECT_EQ(file["magic"].toString(), "0x55AA0002");
    EXPECT_EQ(file["points"].toInt(), 2);
    const QJsonObject first = Json(run.lines[1]);
    EXPECT_EQ(first["lat_e6"].toInt(), 33800000);
    EXPECT_EQ(first["lon_e6"].toInt(), -117800000);
    EXPECT_EQ(first["alt"].toDouble(), 100.25);
    EXPECT_EQ(first["segment"].toInt(), 1);
    EXPECT_EQ(first["time"].toInteger(), 1194179696);
    EXPECT_EQ(Json(run.lines[2])["alt"].toDouble(), 0.0);
}

TEST_F(TrackCommand, DumpNamesTheOlderLayouts)
{
    const QString first = m_dir.filePath("first.trk");
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("40bf0302"
                                   "c083faf8"
                                   "00004842"
                                   "01000000"));
    file.close();
    const CliRun run = RunCli({"track", "dump", first});
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 2);
    EXPECT_EQ(Json(run.lines[0])["file"].toObject()["magic"].toString(), "none");
    EXPECT_EQ(Json(run.lines[1])["alt"].toDouble(), 50.0);
    EXPECT_EQ(Json(run.lines[1])["time"].toInt(), 0);
}

TEST_F(TrackCommand, ExportWritesTheChosenFormat)
{
    const std::pair<const char*, TrackExportFormat> formats[] = {{"--csv", TrackExportFormat::CSV},
                                                                 {"--kml", TrackExportFormat::KML},
                                                                 {"--gpx", TrackExportFormat::GPX}};
    for (const auto& [option, format] : formats) {
        const QString out = m_dir.filePath(QString::fromLatin1(option + 2));
        const CliRun run = RunCli({"track", "export", m_trackFile, option, out});
        ASSERT_EQ(run.status, 0) << run.errors.toStdString();
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << option;
        EXPECT_EQ(file.readAll(), TrackExportText(m_track, format)) << option;
    }
}

TEST_F(TrackCommand, BadUseFailsWithStatusTwo)
{
    const QString out = m_dir.filePath("out.gpx");
    const QList<QStringList> bad = {
        {"track"},
        {"track", "bogus"},
        {"track", "dump"},
        {"track", "dump", m_dir.filePath("absent.trk")},
        {"track", "export", m_trackFile, out},
        {"track", "export", m_trackFile, "--gpx", "--kml", out},
        {"track", "export", m_trackFile, "--xml", out},
        {"track", "export", m_dir.filePath("absent.trk"), "--gpx", out},
        {"track", "export", m_trackFile, "--gpx", m_dir.filePath("no/such/dir/out.gpx")}};
    for (const QStringList& args : bad) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.lines.isEmpty()) << args.join(' ').toStdString();
        EXPECT_FALSE(run.errors.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(TrackCommand, EachActionHasHelp)
{
    for (const QStringList& args : QList<QStringList>{
             {"track", "--help"}, {"track", "dump", "--help"}, {"track", "export", "--help"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 0) << args.join(' ').toStdString();
        ASSERT_FALSE(run.lines.isEmpty());
        EXPECT_TRUE(run.lines.first().startsWith("Usage: wendrift-cli track"));
    }
}

} // namespace
