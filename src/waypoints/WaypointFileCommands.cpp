#include "waypoints/WaypointFileCommands.h"

#include "app/SettingsStore.h"
#include "platform/Locations.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "waypoints/WaypointDB.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kDatabaseFileKey = QStringLiteral("Database File");
const QString kDefaultDatabaseFile = QStringLiteral("\\My Documents\\Wendrift\\WDWaypoint.wpt");
constexpr int kCannotOpenDatabase = 223;
constexpr int kCannotSaveDatabase = 288;

QString AskDatabaseFileName(FileDialogKind kind, const QString& startPath)
{
    FileDialogRequest request;
    request.kind = kind;
    request.filter = QStringLiteral("Waypoint Files (*.wpt);;All Files (*)");
    request.defaultSuffix = QStringLiteral("wpt");
    request.startPath = startPath;
    request.confirmOverwrite = true;
    return Prompts().AskFileName(request);
}

QString BesideDatabaseFile(const QString& name)
{
    return QFileInfo(DatabaseFilePath()).dir().filePath(name);
}

// The default database lives in the user data folder, which does not exist before the first
// save. Other folders are the user's: a missing one is reported, not made.
void MakeUserDataFolderFor(const QString& path)
{
    const QString dataDir = Locations::UserDataDir();
    if (QFileInfo(path).absolutePath() == QDir(dataDir).absolutePath())
        QDir().mkpath(dataDir);
}

WaypointLoadResult LoadAndReport(CWaypointDB& db, const QString& path)
{
    const WaypointLoadResult result = db.Load(path);
    if (result.status == WaypointLoadStatus::Damaged)
        Prompts().Ask(DamagedDatabaseText(path, result), QString(), PromptButtons::Ok,
                      PromptIcon::Warning);
    return result;
}

} // namespace

QString DatabaseFilePath()
{
    return Locations::MapHandheldPath(
        ReadTextSetting(kSection, kDatabaseFileKey, kDefaultDatabaseFile));
}

QString DamagedDatabaseText(const QString& path, const WaypointLoadResult& result)
{
    return QStringLiteral("The waypoint database file %1 is damaged: %2 of %3 waypoints could be "
                          "read. The damaged file is kept as %4 before it is saved over.")
        .arg(QDir::toNativeSeparators(path))
        .arg(result.recordsRead)
        .arg(result.statedCount)
        .arg(QDir::toNativeSeparators(path + QLatin1String(CWaypointDB::kDamagedCopySuffix)));
}

bool SaveDatabase(CWaypointDB& db)
{
    const QString path = DatabaseFilePath();
    MakeUserDataFolderFor(path);
    if (db.Save(path))
        return true;
    while (Prompts().Ask(LoadString(kCannotSaveDatabase), QString(), PromptButtons::YesNo,
                         PromptIcon::Error) == PromptAnswer::Yes) {
        const QString chosen = AskDatabaseFileName(FileDialogKind::Save,
                                                   BesideDatabaseFile(QStringLiteral("Untitled")));
        // The setting follows only a file that was written, so a failed attempt never points
        // the next start at a file that does not hold the database.
        if (!chosen.isEmpty() && db.Save(chosen)) {
            WriteTextSetting(kSection, kDatabaseFileKey, chosen);
            return true;
        }
    }
    return false;
}

WaypointLoadResult LoadDatabase(CWaypointDB& db)
{
    return LoadAndReport(db, DatabaseFilePath());
}

bool OpenDatabase(CWaypointDB& db)
{
    const QString chosen = AskDatabaseFileName(FileDialogKind::Open, DatabaseFilePath());
    if (chosen.isEmpty())
        return false;
    if (db.IsModified())
        SaveDatabase(db);
    // The chosen file becomes the database file only once it has loaded: a file that cannot
    // be read (missing, unreadable, a newer version) must not be saved over with an empty store.
    if (LoadAndReport(db, chosen).Succeeded()) {
        WriteTextSetting(kSection, kDatabaseFileKey, chosen);
        return true;
    }
    Prompts().Ask(LoadString(kCannotOpenDatabase), QString(), PromptButtons::Ok, PromptIcon::Error);
    LoadDatabase(db);
    return true;
}

bool NewDatabase(CWaypointDB& db)
{
    const QString chosen =
        AskDatabaseFileName(FileDialogKind::Save, BesideDatabaseFile(QStringLiteral("Untitled")));
    if (chosen.isEmpty())
        return false;
    if (db.IsModified())
        SaveDatabase(db);
    if (QFileInfo::exists(chosen))
        QFile::remove(chosen);
    WriteTextSetting(kSection, kDatabaseFileKey, chosen);
    db.Load(chosen);
    return true;
}
