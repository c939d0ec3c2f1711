#include "waypoints/WaypointImport.h"

#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "waypoints/GpxImport.h"
#include "waypoints/LocImport.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFileCommands.h"
#include "waypoints/WaypointImportMerge.h"

#include <QFileInfo>

namespace {

constexpr int kUnsupportedFileMessage = 221;

} // namespace

WaypointImportResult ImportWaypointFile(CWaypointDB& db, const QString& path, int importMode,
                                        const CsvImportOptions& csvOptions,
                                        const ImportProgress& progress)
{
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension == QLatin1String("GPX") || extension == QLatin1String("XML"))
        return ImportGPXFile(db, path, importMode, progress);
    if (extension == QLatin1String("LOC"))
        return ImportLOCFile(db, path, progress);
    if (extension == QLatin1String("CSV"))
        return ImportCSVFile(db, path, csvOptions, progress);
    WaypointImportResult result;
    result.status = ImportStatus::Unsupported;
    result.message = LoadString(kUnsupportedFileMessage);
    return result;
}

WaypointImportResult RunImportCommand(CWaypointDB& db, const QString& path,
                                      const CsvImportOptions& csvOptions,
                                      const ImportProgress& progress)
{
    const WaypointImportResult result =
        ImportWaypointFile(db, path, ReadImportMode(), csvOptions, progress);
    if (!result.message.isEmpty())
        Prompts().Ask(result.message, QString(), PromptButtons::Ok, PromptIcon::Error);
    if (result.status == ImportStatus::Unsupported)
        return result;
    if (db.IsModified())
        SaveDatabase(db);
    Prompts().Ask(result.summary, QString(), PromptButtons::Ok, PromptIcon::Question);
    return result;
}
