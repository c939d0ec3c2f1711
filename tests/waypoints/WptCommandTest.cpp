#include "WaypointFileBytes.h"

#include "support/TestData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QList<QJsonObject> lines;
    QByteArray out;
    QByteArray err;
};

class WptCommandTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    CliRun Run(const QStringList& wptArgs) const
    {
        QProcess process;
        process.start(CliPath(), QStringList{"--config-dir", m_dir.path(), "wpt"} + wptArgs);
        EXPECT_TRUE(process.waitForFinished(20000));
        CliRun run{process.exitCode(),
                   {},
                   process.readAllStandardOutput(),
                   process.readAllStandardError()};
        for (const QByteArray& line : run.out.split('\n'))
            if (!line.isEmpty())
                run.lines.append(QJsonDocument::fromJson(line).object());
        return run;
    }

    QTemporaryDir m_dir;
};

TEST_F(WptCommandTest, DumpPrintsTheFileAndEveryField)
{
    CWaypoint wp = FullWaypoint(2);
    wp.strName = QStringLiteral("Cafe");
    WriteTestFile(Path("v4.wpt"), CFileBytes().Header(4, 1).Record(wp, 4).Bytes());
    const CliRun run = Run({"dump", Path("v4.wpt")});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    ASSERT_EQ(run.lines.size(), 2);
    const QJsonObject file = run.lines[0]["file"].toObject();
    EXPECT_EQ(file["version"].toInt(), 4);
    EXPECT_EQ(file["count"].toInt(), 1);
    EXPECT_FALSE(file["damaged"].toBool(true));

    const QJsonObject record = run.lines[1];
    EXPECT_EQ(record.keys().size(), 19);
    EXPECT_EQ(record["strName"].toString(), QStringLiteral("Cafe"));
    EXPECT_EQ(record["lat_e6"].toInteger(), wp.position.latitude);
    EXPECT_EQ(record["lon_e6"].toInteger(), wp.position.longitude);
    EXPECT_EQ(record["alt"].toDouble(), 40.25);
    EXPECT_EQ(record["icon"].toInt(), wp.icon);
    EXPECT_TRUE(record["bActiveWaypoint"].toBool());
    EXPECT_EQ(record["dActiveWPDistance"].toDouble(), wp.dActiveWPDistance);
    EXPECT_EQ(record["timeGeochacheFound"].toInteger(), wp.timeGeochacheFound);
    EXPECT_EQ(record["strFieldNotes"].toString(), wp.strFieldNotes);
    EXPECT_EQ(record["nReserved"].toInt(-1), 0);
    const QJsonObject gc = record["geocache"].toObject();
    EXPECT_EQ(gc.keys().size(), 16);
    EXPECT_EQ(gc["nDifficulty"].toInt(), 15);
    EXPECT_TRUE(gc["bArchived"].toBool());
    const QJsonArray logs = gc["logs"].toArray();
    ASSERT_EQ(logs.size(), 5);
    EXPECT_EQ(logs[3].toObject()["strLogText"].toString(), wp.geocache.logs[3].strLogText);
    EXPECT_EQ(logs[3].toObject()["nLogType"].toInt(), 4);
    EXPECT_EQ(logs[3].toObject()["timeLogDate"].toInteger(), wp.geocache.logs[3].timeLogDate);
}

TEST_F(WptCommandTest, DumpOfDamagedAndUnreadableFiles)
{
    const QByteArray two = CFileBytes().Header(5, 2).Record(FullWaypoint(1)).Bytes();
    WriteTestFile(Path("cut.wpt"), two + "\x01");
    const CliRun cut = Run({"dump", Path("cut.wpt")});
    EXPECT_EQ(cut.exitCode, 1);
    ASSERT_EQ(cut.lines.size(), 2);
    EXPECT_TRUE(cut.lines[0]["file"].toObject()["damaged"].toBool());
    EXPECT_EQ(cut.lines[0]["file"].toObject()["count"].toInt(), 2);
    EXPECT_FALSE(cut.err.isEmpty());

    WriteTestFile(Path("six.wpt"), CFileBytes().Header(6, 0).Bytes());
    for (const QString& path : {Path("six.wpt"), Path("missing.wpt")}) {
        const CliRun bad = Run({"dump", path});
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_TRUE(bad.out.isEmpty());
        EXPECT_FALSE(bad.err.isEmpty());
    }
    EXPECT_EQ(Run({"dump"}).exitCode, 2);
    EXPECT_EQ(Run({"nonsense"}).exitCode, 2);
}

TEST_F(WptCommandTest, CopyConvertsWithoutTouchingTheInput)
{
    const QByteArray legacy = "1.5\x1f"
                              "2.5\x1f"
                              "10\x1fHome\n"
                              "3\x1f"
                              "4\x1f"
                              "5\x1fWork\n";
    WriteTestFile(Path("old.wpt"), legacy);
    const CliRun copy = Run({"copy", Path("old.wpt"), Path("new.wpt")});
    ASSERT_EQ(copy.exitCode, 0) << copy.err.constData();
    ASSERT_EQ(copy.lines.size(), 1);
    EXPECT_EQ(copy.lines[0]["loaded"].toInt(), 2);
    EXPECT_EQ(ReadTestFile(Path("old.wpt")), legacy);

    const CliRun dump = Run({"dump", Path("new.wpt")});
    ASSERT_EQ(dump.lines.size(), 3);
    EXPECT_EQ(dump.lines[0]["file"].toObject()["version"].toInt(), 5);
    const CliRun legacyDump = Run({"dump", Path("old.wpt")});
    EXPECT_EQ(legacyDump.lines[0]["file"].toObject()["version"].toString(),
              QStringLiteral("legacy"));
    EXPECT_EQ(ReadTestFile(Path("old.wpt")), legacy);

    EXPECT_EQ(Run({"copy", Path("old.wpt"), Path("no-such-folder") + "/x.wpt"}).exitCode, 2);
}

TEST_F(WptCommandTest, CodePageOfOlderFilesCanBeChosen)
{
    // A Western handheld's text file: "Café" in CP1252.
    WriteTestFile(Path("west.wpt"), "1\x1f"
                                    "2\x1f"
                                    "3\x1f"
                                    "Caf\xE9\n");
    const CliRun west = Run({"copy", "--codepage", "CP1252", Path("west.wpt"), Path("out.wpt")});
    ASSERT_EQ(west.exitCode, 0) << west.err.constData();
    const CliRun dump = Run({"dump", Path("out.wpt")});
    ASSERT_EQ(dump.lines.size(), 2);
    EXPECT_EQ(dump.lines[1]["strName"].toString(), QStringLiteral("Café"));
    // Read as the default CP949 the lone byte is not a character.
    const CliRun korean = Run({"dump", Path("west.wpt")});
    ASSERT_EQ(korean.lines.size(), 2);
    EXPECT_EQ(korean.lines[1]["strName"].toString(), QStringLiteral("Caf\uFFFD"));

    EXPECT_EQ(Run({"dump", "--codepage", "NO-SUCH-PAGE", Path("west.wpt")}).exitCode, 2);
    EXPECT_EQ(Run({"dump", Path("west.wpt"), "--codepage"}).exitCode, 2);
}

} // namespace
