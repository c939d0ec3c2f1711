#include "nav/TrackFileCommands.h"
#include "app/SettingsStore.h"
#include "nav/TrackLog.h"
#include "platform/Locations.h"
#include "support/ScriptedPrompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TrackPoint At(int32_t lat, int32_t lon, uint32_t time, int32_t segmentStart = 0)
{
    return TrackPoint{{lat, lon, 10.0f}, segmentStart, time};
}

class TrackFileCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteTextSetting("Settings", "Track File", "\\My Documents\\Wendrift\\track.trk");
        QFile::remove(DefaultPath());
    }
    static QString DefaultPath() { return QDir(Locations::UserDataDir()).filePath("track.trk"); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    static QString Setting() { return ReadTextSetting("Settings", "Track File", QString()); }
    static CTrackLog TrackOf(std::initializer_list<TrackPoint> points)
    {
        CTrackLog track;
        for (const TrackPoint& point : points)
            track.Append(point);
        return track;
    }

    QTemporaryDir m_dir;
    CScriptedPrompts m_prompts;
};

TEST_F(TrackFileCommands, DefaultTrackFileLivesInTheUserDataFolder)
{
    EXPECT_EQ(TrackFilePath(), DefaultPath());
    WriteTextSetting("Settings", "Track File", Path("mine.trk"));
    EXPECT_EQ(TrackFilePath(), Path("mine.trk"));
}

TEST_F(TrackFileCommands, SavedTrackReloadsWithSegmentsAtBothEnds)
{
    CTrackLog track = TrackOf({At(1000, 2000, 1, 1), At(1001, 2001, 2), At(1002, 2002, 3)});
    ASSERT_EQ(SaveTrack(track), 1); // creates the data folder on first save
    EXPECT_EQ(track.PointAt(2).segmentStart, 1);
    EXPECT_EQ(QFile(DefaultPath()).size(), 64);

    CTrackLog reloaded;
    ASSERT_EQ(LoadTrack(reloaded), 1);
    ASSERT_EQ(reloaded.GetCount(), 3);
    EXPECT_EQ(reloaded.PointAt(0).segmentStart, 1);
    EXPECT_EQ(reloaded.PointAt(1).segmentStart, 0);
    EXPECT_EQ(reloaded.PointAt(2).segmentStart, 1);
}

TEST_F(TrackFileCommands, LoadedTrackAlwaysBeginsASegment)
{
    CTrackLog written = TrackOf({At(1000, 2000, 1, 0), At(1001, 2001, 2, 0)});
    ASSERT_EQ(written.SaveFile(Path("plain.trk")), 1);
    WriteTextSetting("Settings", "Track File", Path("plain.trk"));
    CTrackLog track;
    ASSERT_EQ(LoadTrack(track), 1);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
    EXPECT_EQ(track.PointAt(1).segmentStart, 0);
}

TEST_F(TrackFileCommands, MissingTrackFileLeavesTheTrack)
{
    CTrackLog track = TrackOf({At(5, 6, 7, 1)});
    EXPECT_EQ(LoadTrack(track), 0);
    EXPECT_EQ(track.GetCount(), 1);
}

TEST_F(TrackFileCommands, EmptyTrackSavesAsMagicOnly)
{
    CTrackLog track;
    ASSERT_EQ(SaveTrack(track), 1);
    QFile file(DefaultPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\x02\x00\xAA\x55", 4));
}

TEST_F(TrackFileCommands, OpenSavesTheCurrentTrackThenLoadsTheChosenFile)
{
    const QString other = Path("other.trk");
    ASSERT_EQ(TrackOf({At(3000, 4000, 30, 0), At(3001, 4001, 31)}).SaveFile(other), 1);
    CTrackLog track = TrackOf({At(1000, 2000, 1, 1), At(1001, 2001, 2)});

    EXPECT_FALSE(OpenTrackFile(track)); // cancelled: nothing saved, nothing changed
    EXPECT_FALSE(QFile::exists(DefaultPath()));
    EXPECT_EQ(track.GetCount(), 2);

    m_prompts.ScriptFileNames({other});
    ASSERT_TRUE(OpenTrackFile(track));
    ASSERT_EQ(m_prompts.FileDialogs().size(), 2);
    const FileDialogRequest& dialog = m_prompts.FileDialogs().last();
    EXPECT_EQ(dialog.kind, FileDialogKind::Open);
    EXPECT_EQ(dialog.filter, "Track Files (*.trk);;All Files (*)");
    EXPECT_EQ(dialog.defaultSuffix, "trk");

    EXPECT_EQ(Setting(), other);
    ASSERT_EQ(track.GetCount(), 2);
    EXPECT_EQ(track.PointAt(0).time, 30u);
    EXPECT_EQ(track.PointAt(0).segmentStart, 1);
    CTrackLog previous;
    ASSERT_EQ(previous.LoadFile(DefaultPath()), 1);
    ASSERT_EQ(previous.GetCount(), 2);
    EXPECT_EQ(previous.PointAt(1).time, 2u);
    EXPECT_EQ(previous.PointAt(1).segmentStart, 1);
}

TEST_F(TrackFileCommands, NewFileKeepsThePointsAndReplacesTheChosenFile)
{
    const QString chosen = Path("fresh.trk");
    ASSERT_EQ(TrackOf({At(3000, 4000, 30, 1)}).SaveFile(chosen), 1);
    CTrackLog track = TrackOf({At(1000, 2000, 1, 1), At(1001, 2001, 2)});

    m_prompts.ScriptFileNames({chosen});
    ASSERT_TRUE(NewTrackFile(track));
    const FileDialogRequest& dialog = m_prompts.FileDialogs().last();
    EXPECT_EQ(dialog.kind, FileDialogKind::Save);
    EXPECT_TRUE(dialog.confirmOverwrite);
    EXPECT_TRUE(dialog.startPath.endsWith("/Untitled")) << dialog.startPath.toStdString();

    EXPECT_EQ(Setting(), chosen);
    ASSERT_EQ(track.GetCount(), 2);
    EXPECT_EQ(track.PointAt(0).time, 1u);
    for (const QString& path : {DefaultPath(), chosen}) {
        CTrackLog onDisk;
        ASSERT_EQ(onDisk.LoadFile(path), 1);
        ASSERT_EQ(onDisk.GetCount(), 2) << path.toStdString();
        EXPECT_EQ(onDisk.PointAt(0).time, 1u);
        EXPECT_EQ(onDisk.PointAt(1).time, 2u);
    }
}

TEST_F(TrackFileCommands, ExportAsksForTheFileNameOfItsFormat)
{
    const CTrackLog track = TrackOf({At(33800000, -117800000, 0, 1)});
    EXPECT_EQ(ExportTrack(track, TrackExportFormat::KML), 0); // cancelled
    const QString out = Path("track.kml");
    m_prompts.ScriptFileNames({out});
    ASSERT_EQ(ExportTrack(track, TrackExportFormat::KML), 1);
    const FileDialogRequest& dialog = m_prompts.FileDialogs().last();
    EXPECT_EQ(dialog.kind, FileDialogKind::Save);
    EXPECT_EQ(dialog.filter, "KML File (*.kml);;All Files (*)");
    EXPECT_EQ(dialog.defaultSuffix, "KML");
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("-117.800000,33.800000,10.000000"));
}

} // namespace
