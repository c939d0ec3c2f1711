// wendrift-cli wpt import / wpt export: waypoint files of other programs in and out of a
// waypoint database.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "waypoints/GpxExport.h"
#include "waypoints/WaypointDB.h"
#include "waypoints/WaypointImport.h"
#include "waypoints/WaypointImportMerge.h"

#include <QFileInfo>

#include <cstdio>

namespace {

const char kImportHelp[] =
    "Usage: wendrift-cli wpt import FILE --db DB [--replace] [CSV OPTIONS]\n\n"
    "Imports the waypoints of FILE into the waypoint database DB (created when it does not\n"
    "exist) and saves DB. FILE is read by its extension: .gpx and .xml as GPX, .loc, .csv.\n"
    "A waypoint whose name is already in DB is dropped, or replaces the existing one with\n"
    "--replace (GPX only; without it the \"Waypoint Inport Mode\" setting decides).\n"
    "Prints {\"new\": N, \"replaced\": M}.\n\n"
    "CSV options (one point a line: two coordinates and a name):\n"
    "  --csv-format lonlat|latlon  order of the coordinates (default lonlat)\n"
    "  --csv-skip-first            the first line is a header\n"
    "  --csv-icon N                icon of every point (default 55, Camera - Roadside)\n"
    "  --csv-alarm on|off          arm the proximity alarm of every point (default on)\n"
    "  --csv-radius KM             alarm radius in kilometres (default 0.3048)\n"
    "  --csv-message N             alarm message type 0-5 (default 0)\n\n"
    "A broken file is imported up to the fault, which is reported on standard error; DB is\n"
    "saved and the exit status is 1 (likewise for a CSV position out of range). A file that\n"
    "cannot be read or has another extension exits with status 2 and leaves DB alone.\n";

const char kExportHelp[] =
    "Usage: wendrift-cli wpt export DB --gpx OUT\n\n"
    "Writes every waypoint of the database DB to OUT as a GPX 1.0 file (the program's own\n"
    "fields in its extension block). Prints {\"exported\": N}.\n";

// Loads DB for changing: an empty store when the file does not exist yet.
bool LoadOrStartDatabase(CWaypointDB& db, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    const WaypointLoadResult loaded = db.Load(path, false);
    if (loaded.status == WaypointLoadStatus::Damaged)
        std::fprintf(stderr,
                     "wendrift-cli: %s is damaged: %d of %u waypoints could be read (the file "
                     "is kept beside it as %s%s when saved)\n",
                     qUtf8Printable(path), loaded.recordsRead, loaded.statedCount,
                     qUtf8Printable(path), CWaypointDB::kDamagedCopySuffix);
    return loaded.Succeeded();
}

bool ParseInteger(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

// Reads one import option with its value; an error text when it is not one or is malformed.
QString TakeImportOption(const QString& option, const QString& value, CsvImportOptions& csv)
{
    if (option == QLatin1String("--csv-format")) {
        if (value == QLatin1String("lonlat"))
            csv.format = kCsvLongitudeLatitude;
        else if (value == QLatin1String("latlon"))
            csv.format = kCsvLatitudeLongitude;
        else
            return QStringLiteral("--csv-format takes lonlat or latlon");
    } else if (option == QLatin1String("--csv-icon")) {
        if (!ParseInteger(value, csv.iconID) || csv.iconID < 0 || csv.iconID >= kIconCount)
            return QStringLiteral("--csv-icon takes an icon number 0-%1").arg(kIconCount - 1);
    } else if (option == QLatin1String("--csv-alarm")) {
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return QStringLiteral("--csv-alarm takes on or off");
        csv.alarmOn = value == QLatin1String("on");
    } else if (option == QLatin1String("--csv-radius")) {
        bool ok = false;
        csv.alarmRadius = value.toDouble(&ok);
        if (!ok || csv.alarmRadius < 0)
            return QStringLiteral("--csv-radius takes a distance in kilometres");
    } else if (option == QLatin1String("--csv-message")) {
        if (!ParseInteger(value, csv.messageType) || csv.messageType < 0 ||
            csv.messageType >= kAlarmMessageTypeCount)
            return QStringLiteral("--csv-message takes a message type 0-%1")
                .arg(kAlarmMessageTypeCount - 1);
    } else {
        return QStringLiteral("unknown option %1").arg(option);
    }
    return {};
}

} // namespace

int RunWptImport(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kImportHelp);
    QString file;
    QString dbPath;
    int mode = ReadImportMode();
    CsvImportOptions csv;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--replace")) {
            mode = kImportReplaceExisting;
        } else if (arg == QLatin1String("--csv-skip-first")) {
            csv.skipFirstLine = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            if (i + 1 >= args.size())
                return CliError(QStringLiteral("wpt import: %1 needs a value").arg(arg));
            const QString value = args[++i];
            if (arg == QLatin1String("--db")) {
                dbPath = value;
            } else if (const QString error = TakeImportOption(arg, value, csv); !error.isEmpty()) {
                return CliError(QStringLiteral("wpt import: %1").arg(error));
            }
        } else if (file.isEmpty()) {
            file = arg;
        } else {
            return CliError(QStringLiteral("wpt import: give one FILE (see wpt import --help)"));
        }
    }
    if (file.isEmpty() || dbPath.isEmpty())
        return CliError(QStringLiteral("wpt import: give FILE and --db DB (see --help)"));

    CWaypointDB db;
    if (!LoadOrStartDatabase(db, dbPath))
        return CliError(QStringLiteral("wpt import: cannot load the database %1").arg(dbPath));
    const WaypointImportResult result = ImportWaypointFile(db, file, mode, csv);
    if (result.status == ImportStatus::Unsupported)
        return CliError(QStringLiteral("%1: %2").arg(file, result.message));
    if (result.status == ImportStatus::CannotOpen)
        return CliError(QStringLiteral("wpt import: cannot read %1").arg(file));
    if (db.IsModified() && !db.Save(dbPath))
        return CliError(QStringLiteral("wpt import: cannot save the database %1").arg(dbPath));
    CJsonObject().Add("new", result.newCount).Add("replaced", result.replacedCount).Print();
    if (result.status == ImportStatus::Completed)
        return kExitOk;
    std::fprintf(stderr, "wendrift-cli: %s: %s\n", qUtf8Printable(file),
                 qUtf8Printable(result.message));
    return kExitFailure;
}

int RunWptExport(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kExportHelp);
    if (args.size() != 3 || args[1] != QLatin1String("--gpx"))
        return CliError(QStringLiteral("wpt export: give DB --gpx OUT (see wpt export --help)"));
    CWaypointDB db;
    const WaypointLoadResult loaded = db.Load(args[0], false);
    if (!loaded.Succeeded())
        return CliError(QStringLiteral("wpt export: cannot load the database %1").arg(args[0]));
    if (!ExportWaypointsGPX(db, args[2]))
        return CliError(QStringLiteral("wpt export: cannot write %1").arg(args[2]));
    CJsonObject().Add("exported", db.GetCount()).Print();
    return loaded.status == WaypointLoadStatus::Damaged ? kExitFailure : kExitOk;
}
