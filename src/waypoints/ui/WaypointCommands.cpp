#include "waypoints/ui/WaypointCommands.h"

#include "app/CommandIds.h"
#include "platform/Prompts.h"
#include "platform/StringTable.h"
#include "platform/ui/DialogSeam.h"
#include "waypoints/GpxExport.h"
#include "waypoints/WaypointAveraging.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointFileCommands.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/ui/EditWaypointPropSheet.h"
#include "waypoints/ui/ImportCSVPropSheet.h"
#include "waypoints/ui/ImportProgressWindow.h"
#include "waypoints/ui/WaypointManagerDialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kNameExistsMessage = 215;
constexpr int kCannotAddMessage = 222;

// The file dialogs match extensions in either case, as the handheld's did.
const char kImportFilter[] = "GPX, XML, LOC and CSV Files (*.gpx *.csv *.xml *.loc *.GPX *.CSV "
                             "*.XML *.LOC);;GPX Files (*.GPX) (*.gpx *.GPX);;XML Files (*.XML) "
                             "(*.xml *.XML);;LOC Files (*.LOC) (*.loc *.LOC);;CSV Files (*.CSV) "
                             "(*.csv *.CSV);;All Files (*.*) (*)";
const char kExportFilter[] = "GPX Files (*.GPX) (*.gpx *.GPX);;XML Files (*.XML) (*.xml *.XML)";

QString AskWaypointFile(FileDialogKind kind, const char* filter)
{
    FileDialogRequest request;
    request.kind = kind;
    request.filter = QString::fromLatin1(filter);
    return Prompts().AskFileName(request);
}

QString Translated(const char* text)
{
    return QCoreApplication::translate("WaypointCommands", text);
}

} // namespace

bool AddWaypointInteractively(CWaypointDB& db, CWaypoint waypoint, QWidget* parent)
{
    for (;;) {
        if (!EditWaypointInSheet(waypoint, 0, parent))
            return false;
        const int id = db.AddIfNameUnique(waypoint);
        if (id > 0)
            break;
        if (id < 0) {
            Prompts().Ask(LoadString(kCannotAddMessage), QString(), PromptButtons::Ok,
                          PromptIcon::Error);
            return false;
        }
        // The name is taken: the user chooses another rather than losing the new point.
        Prompts().Ask(LoadString(kNameExistsMessage), QString(), PromptButtons::Ok,
                      PromptIcon::Error);
    }
    if (db.IsModified())
        SaveDatabase(db);
    return true;
}

void RunWaypointManager(CWaypointDB& db, CNavigation& navigation, IWaypointMapActions& map,
                        const GeoPosition& current, QWidget* parent)
{
    CWaypointManagerDialog dialog(db, navigation, map, current, parent);
    ExecDialog(dialog);
}

void RunImportCommand(CWaypointDB& db, QWidget* parent)
{
    const QString path = AskWaypointFile(FileDialogKind::Open, kImportFilter);
    if (path.isEmpty())
        return;
    CsvImportOptions csvOptions;
    if (QFileInfo(path).suffix().toUpper() == QLatin1String("CSV")) {
        CImportCSVPropSheet sheet(parent);
        if (ExecDialog(sheet) != QDialog::Accepted)
            return;
        csvOptions = sheet.Options();
    }
    CImportProgressWindow progress(path, parent);
    const WaypointImportResult result =
        ::RunImportCommand(db, path, csvOptions, [&progress](int done, int range) {
            return progress.Report(done, range);
        });
    if (result.status != ImportStatus::Completed)
        QApplication::beep();
}

void RunExportCommand(const CWaypointDB& db, QWidget* /*parent*/)
{
    const QString path = AskWaypointFile(FileDialogKind::Save, kExportFilter);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ExportWaypointsGPX(db, path);
    QApplication::restoreOverrideCursor();
    // A file that could not be written is said so, not passed over in silence.
    if (!written)
        Prompts().Ask(
            Translated("Could not write the file %1.").arg(QDir::toNativeSeparators(path)),
            QString(), PromptButtons::Ok, PromptIcon::Error);
}

void FinishAveragingCommand(CWaypointAveraging& averaging, CWaypointDB& db, QWidget* parent)
{
    const std::optional<CWaypoint> waypoint = averaging.Finish(db);
    if (!waypoint) {
        Prompts().Ask(Translated("No position was averaged: no fix came while averaging ran."),
                      QString(), PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    AddWaypointInteractively(db, *waypoint, parent);
}

bool RunWaypointMenuCommand(int commandId, const WaypointCommandContext& context)
{
    switch (commandId) {
    case ID_WAYPOINT_MANAGER:
        RunWaypointManager(context.db, context.navigation, context.map, context.current,
                           context.parent);
        return true;
    case ID_WAYPOINT_IMPORT:
        RunImportCommand(context.db, context.parent);
        return true;
    case ID_WAYPOINT_EXPORT:
        RunExportCommand(context.db, context.parent);
        return true;
    case ID_DATABASE_OPEN:
        OpenDatabase(context.db);
        return true;
    case ID_DATABASE_NEW:
        NewDatabase(context.db);
        return true;
    case ID_AVERAGING_START:
        context.averaging.Start();
        return true;
    case ID_AVERAGING_FINISH:
        FinishAveragingCommand(context.averaging, context.db, context.parent);
        return true;
    case ID_AVERAGING_CANCEL:
        context.averaging.Cancel();
        return true;
    default:
        return false;
    }
}
