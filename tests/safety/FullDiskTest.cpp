// A disk that fills up during a save, for every kind of file the program writes: the user is
// told (the message of the command where it has one), and the file on disk stays as it was.

#include "app/SettingsStore.h"
#include "gps/NMEALog.h"
#include "gps/NMEAParser.h"
#include "nav/TrackFileCommands.h"
#include "nav/TrackLog.h"
#include "platform/StringTable.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedPrompts.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFileCommands.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

namespace {

constexpr rlim_t kRoomLeft = 1024; // bytes a file may still grow to

QString TooLarge()
{
    return QString::fromLocal8Bit(std::strerror(EFBIG));
}

CTrackLog FullTrack()
{
    CTrackLog track;
    for (uint32_t i = 0; i < kTrackLogCapacity; ++i)
        track.Append(TrackPoint{{static_cast<int32_t>(37000000 + i), 127000000, 40.0f}, 0, i});
    return track;
}

// Every file under a folder with its bytes.
using FolderContents = std::map<QString, QByteArray>;

FolderContents Contents(const QString& folder)
{
    FolderContents files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files[file.fileName()] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    return files;
}

// The user's cache folder (where geocache pages go) moved for a while.
class CCacheFolder {
public:
    explicit CCacheFolder(const QString& path) : m_previous(qgetenv("XDG_CACHE_HOME"))
    {
        qputenv("XDG_CACHE_HOME", path.toUtf8());
    }
    ~CCacheFolder() { qputenv("XDG_CACHE_HOME", m_previous); }
    CCacheFolder(const CCacheFolder&) = delete;
    CCacheFolder& operator=(const CCacheFolder&) = delete;

private:
    QByteArray m_previous;
};

// One kind of file: `before` writes its old version into the folder while there is room, `save`
// saves the new one on the full disk (answering with `prompts`); the user must then have been
// told `message(folder)`, once.
struct FullDiskCase {
    const char* kind;
    std::function<void(const QDir& folder)> before;
    std::function<void(const QDir& folder, CScriptedPrompts& prompts)> save;
    std::function<QString(const QDir& folder)> message;
};

void PrintTo(const FullDiskCase& file, std::ostream* out)
{
    *out << file.kind;
}

// The files that differ, by name, rather than a dump of their bytes.
std::string Differences(const FolderContents& now, const FolderContents& old)
{
    std::string names;
    for (const auto& [name, bytes] : now)
        if (!old.contains(name) || old.at(name) != bytes)
            names += " " + name.toStdString();
    for (const auto& [name, bytes] : old)
        if (!now.contains(name))
            names += " " + name.toStdString() + " (gone)";
    return names;
}

class FullDisk : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDisk, TellsTheUserAndKeepsTheOldFile)
{
    const FullDiskCase& file = GetParam();
    const QTemporaryDir dir;
    const QDir folder(dir.path());
    const CCacheFolder cache(folder.path());
    file.before(folder);
    const FolderContents old = Contents(folder.path());
    ASSERT_FALSE(old.empty());

    CScriptedPrompts prompts;
    {
        const CFileSizeLimit full(kRoomLeft);
        file.save(folder, prompts);
    }
    EXPECT_EQ(Differences(Contents(folder.path()), old), "")
        << "the old file changed, or a partial one stayed";
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text, file.message(folder));
}

QString Native(const QDir& folder, const char* name)
{
    return QDir::toNativeSeparators(folder.filePath(QString::fromLatin1(name)));
}

const FullDiskCase kFiles[] = {
    {"WaypointDatabase",
     [](const QDir& folder) {
         CWaypointDB db;
         db.AddByPosition(CWaypoint());
         ASSERT_EQ(db.Save(folder.filePath("db.wpt")), 1);
         WriteTextSetting("Settings", "Database File", folder.filePath("db.wpt"));
     },
     [](const QDir&, CScriptedPrompts&) {
         CWaypointDB db;
         for (int i = 0; i < 100; ++i)
             db.AddByPosition(CWaypoint());
         EXPECT_FALSE(SaveDatabase(db)); // asked whether to save elsewhere: not Yes
     },
     [](const QDir&) { return LoadString(288); }},
    {"TrackFile",
     [](const QDir& folder) {
         CTrackLog track;
         track.Append(TrackPoint{{1, 2, 3.0f}, 1, 4});
         ASSERT_EQ(track.SaveFile(folder.filePath("track.trk")), 1);
     },
     [](const QDir& folder, CScriptedPrompts&) {
         CTrackLog track = FullTrack();
         EXPECT_EQ(SaveTrack(track, folder.filePath("track.trk")), 0);
     },
     [](const QDir& folder) {
         return LoadString(1301).arg(Native(folder, "track.trk"), TooLarge());
     }},
    {"TrackExport",
     [](const QDir& folder) {
         ASSERT_EQ(ExportTrackFile(CTrackLog(), TrackExportFormat::KML, folder.filePath("t.kml")),
                   1);
     },
     [](const QDir& folder, CScriptedPrompts& prompts) {
         prompts.ScriptFileNames({folder.filePath("t.kml")});
         EXPECT_EQ(ExportTrack(FullTrack(), TrackExportFormat::KML), 0);
     },
     [](const QDir& folder) { return LoadString(1302).arg(Native(folder, "t.kml"), TooLarge()); }},
    {"Settings",
     [](const QDir& folder) {
         ASSERT_TRUE(CSettingsStore(folder.path()).WriteIntSetting("Settings", "Port", 3));
     },
     [](const QDir& folder, CScriptedPrompts&) {
         CSettingsStore store(folder.path());
         EXPECT_FALSE(store.WriteTextSetting("Settings", "Note", QString(4000, u'x')));
         EXPECT_FALSE(store.WriteTextSetting("Settings", "Other", QString(4000, u'y')))
             << "told only once";
     },
     [](const QDir& folder) { return LoadString(1303).arg(Native(folder, "Wendrift.ini")); }},
    {"GeocachePage",
     [](const QDir&) {
         CWaypoint wp;
         wp.geocache.strPlacedBy = QStringLiteral("someone"); // the cache page
         wp.geocache.strLongDescription = QString(4000, u'd');
         ASSERT_TRUE(BuildGeocachePage(wp)); // gc.htm and its hint page
         ASSERT_TRUE(BuildGeocachePage(wp)); // gc2.htm
     },
     [](const QDir&, CScriptedPrompts&) {
         CWaypointDB db;
         CWaypoint wp;
         wp.geocache.strPlacedBy = QStringLiteral("someone");
         wp.geocache.strLongDescription = QString(4000, u'n');
         EXPECT_FALSE(ShowGeocachePage(db, db.AddByPosition(wp)));
     },
     [](const QDir&) { return QStringLiteral("ERROR\nCould not show Geocache information"); }},
};

INSTANTIATE_TEST_SUITE_P(EveryFile, FullDisk, ::testing::ValuesIn(kFiles),
                         [](const ::testing::TestParamInfo<FullDiskCase>& file) {
                             return std::string(file.param.kind);
                         });

// The log is not saved over an old one but grows: on a full disk it keeps what it could write,
// a prefix of what was received, and adds nothing once the disk has room again.
TEST(FullDiskLog, KeepsThePrefixItCouldWriteAndTellsTheUser)
{
    const QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("log.nmea"));
    QByteArray received;
    for (int i = 0; received.size() < 3000; ++i)
        received += "$GPXYZ," + QByteArray::number(i) + "*00\r\n";
    const auto* bytes = reinterpret_cast<const uint8_t*>(received.constData());

    CScriptedPrompts prompts;
    CNMEAParser parser;
    ASSERT_EQ(StartLogging(parser, path), 1);
    {
        const CFileSizeLimit full(kRoomLeft);
        parser.ProcessBytes(bytes, 1500);
        parser.ProcessBytes(bytes + 1500, 500);
    }
    parser.ProcessBytes(bytes + 2000, static_cast<size_t>(received.size() - 2000));
    StopLogging(parser);

    QFile log(path);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), received.first(kRoomLeft));
    ASSERT_EQ(prompts.Asked().size(), 1);
    EXPECT_EQ(prompts.Asked()[0].text,
              LoadString(1304).arg(QDir::toNativeSeparators(path), TooLarge()));
}

} // namespace
