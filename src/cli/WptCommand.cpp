// wendrift-cli wpt: the waypoint database on the command line. Each subcommand is one entry of
// the table below.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "waypoints/HandheldText.h"
#include "waypoints/WaypointDB.h"

#include <charconv>
#include <cstdio>
#include <span>

// Subcommands kept in their own files.
int RunWptImport(const QStringList& args);
int RunWptExport(const QStringList& args);
int RunWptPage(const QStringList& args);

namespace {

const char kDumpHelp[] =
    "Usage: wendrift-cli wpt dump [--codepage NAME] DB\n\n"
    "Reads the waypoint database DB (any version; the file is not changed) and prints a line\n"
    "about the file, {\"file\": {\"version\", \"count\", \"damaged\"}}, then one JSON object\n"
    "per waypoint in store order with every stored field. A damaged file prints the waypoints\n"
    "that could be read and exits with status 1.\n\n"
    "  --codepage NAME  the code page of the 8-bit text in files older than version 5, by its\n"
    "                   iconv name (default CP949, the Korean handheld's)\n";

const char kCopyHelp[] =
    "Usage: wendrift-cli wpt copy [--codepage NAME] IN OUT\n\n"
    "Loads the waypoint database IN (any version; IN is not changed) and saves it as OUT in\n"
    "the current version. Prints {\"loaded\": N}. A damaged IN is copied as far as it could be\n"
    "read and exits with status 1.\n\n"
    "  --codepage NAME  the code page of the 8-bit text in files older than version 5, by its\n"
    "                   iconv name (default CP949); for example CP1252 for a Western handheld\n";

// The float as its shortest decimal text, so 123.45f prints as 123.45 rather than as the
// nearest double.
QByteArray FloatJson(float value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double asDouble = 0.0;
    std::from_chars(text, end, asDouble);
    return JsonNumber(asDouble);
}

QByteArray LogJson(const GeocacheLog& log)
{
    return CJsonObject()
        .Add("strLogText", log.strLogText)
        .Add("nLogType", log.nLogType)
        .Add("bLogTextEncoded", log.bLogTextEncoded)
        .Add("timeLogDate", log.timeLogDate)
        .Add("strLogFinder", log.strLogFinder)
        .Text();
}

QByteArray GeocacheJson(const GeocacheInfo& gc)
{
    CJsonArray logs;
    for (const GeocacheLog& log : gc.logs)
        logs.AddRaw(LogJson(log));
    return CJsonObject()
        .Add("bLongDescriptionHTML", gc.bLongDescriptionHTML)
        .Add("strLongDescription", gc.strLongDescription)
        .Add("bShortDescriptionHTML", gc.bShortDescriptionHTML)
        .Add("strShortDescription", gc.strShortDescription)
        .Add("strEncodedHints", gc.strEncodedHints)
        .Add("bAvailable", gc.bAvailable)
        .Add("bArchived", gc.bArchived)
        .Add("strCacheName", gc.strCacheName)
        .Add("strContainer", gc.strContainer)
        .Add("strCountry", gc.strCountry)
        .Add("strState", gc.strState)
        .Add("strPlacedBy", gc.strPlacedBy)
        .Add("strCacheType", gc.strCacheType)
        .Add("nDifficulty", gc.nDifficulty)
        .Add("nTerrain", gc.nTerrain)
        .AddRaw("logs", logs.Text())
        .Text();
}

void PrintWaypoint(const CWaypoint& wp)
{
    CJsonObject()
        .Add("lat_e6", wp.position.latitude)
        .Add("lon_e6", wp.position.longitude)
        .AddRaw("alt", FloatJson(wp.position.altitude))
        .Add("strName", wp.strName)
        .Add("icon", wp.icon)
        .Add("bActiveWaypoint", wp.bActiveWaypoint)
        .Add("dActiveWPDistance", wp.dActiveWPDistance)
        .Add("strSoundFile", wp.strSoundFile)
        .Add("strDescription", wp.strDescription)
        .Add("nType", wp.nType)
        .Add("nGeocacheState", wp.nGeocacheState)
        .Add("timeGeochacheFound", wp.timeGeochacheFound)
        .Add("bUseGeocacheStateForIconID", wp.bUseGeocacheStateForIconID)
        .Add("strURL", wp.strURL)
        .Add("timeWaypoint", wp.timeWaypoint)
        .Add("nActiveWaypointMessageType", wp.nActiveWaypointMessageType)
        .Add("strFieldNotes", wp.strFieldNotes)
        .Add("nReserved", wp.nReserved)
        .AddRaw("geocache", GeocacheJson(wp.geocache))
        .Print();
}

// Takes "--codepage NAME" out of `args` and selects that code page; false (after reporting)
// when the option is incomplete or the name unknown.
bool TakeCodePageOption(QStringList& args)
{
    const qsizetype at = args.indexOf(QLatin1String("--codepage"));
    if (at < 0)
        return true;
    if (at + 1 >= args.size()) {
        CliError(QStringLiteral("--codepage needs a code page name, such as CP1252"));
        return false;
    }
    const QString name = args.at(at + 1);
    args.remove(at, 2);
    if (!SetHandheldCodePage(name.toLatin1())) {
        CliError(QStringLiteral("unknown code page %1 (see iconv --list)").arg(name));
        return false;
    }
    return true;
}

// Loads `path` into `db` without rewriting it; an error status when nothing could be loaded.
int LoadForReading(CWaypointDB& db, const QString& path, WaypointLoadResult& result)
{
    result = db.Load(path, false);
    switch (result.status) {
    case WaypointLoadStatus::Loaded:
    case WaypointLoadStatus::Damaged:
        return kExitOk;
    case WaypointLoadStatus::CannotOpen:
        return CliError(QStringLiteral("cannot open %1").arg(path));
    case WaypointLoadStatus::UnsupportedVersion:
        return CliError(
            QStringLiteral("%1 is of version %2, newer than this program reads (up to %3)")
                .arg(path)
                .arg(result.version)
                .arg(kWaypointFileVersion));
    }
    return kExitUsage;
}

int ReportDamage(const QString& path, const WaypointLoadResult& result)
{
    if (result.status != WaypointLoadStatus::Damaged)
        return kExitOk;
    std::fprintf(stderr, "wendrift-cli: %s is damaged: %d of %u waypoints could be read\n",
                 qUtf8Printable(path), result.recordsRead, result.statedCount);
    return kExitFailure;
}

int RunDump(const QStringList& arguments)
{
    if (WantsHelp(arguments))
        return PrintHelp(kDumpHelp);
    QStringList args = arguments;
    if (!TakeCodePageOption(args))
        return kExitUsage;
    if (args.size() != 1)
        return CliError(QStringLiteral("wpt dump: give one DB file (see wpt dump --help)"));
    CWaypointDB db;
    WaypointLoadResult result;
    if (const int status = LoadForReading(db, args[0], result); status != kExitOk)
        return status;

    const QByteArray version = result.version == kLegacyWaypointFileVersion
                                   ? JsonString("legacy")
                                   : QByteArray::number(result.version);
    const QByteArray file = CJsonObject()
                                .AddRaw("version", version)
                                .Add("count", result.statedCount)
                                .Add("damaged", result.status == WaypointLoadStatus::Damaged)
                                .Text();
    CJsonObject().AddRaw("file", file).Print();
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& wp : db.CellWaypoints(cell))
            PrintWaypoint(wp);
    return ReportDamage(args[0], result);
}

int RunCopy(const QStringList& arguments)
{
    if (WantsHelp(arguments))
        return PrintHelp(kCopyHelp);
    QStringList args = arguments;
    if (!TakeCodePageOption(args))
        return kExitUsage;
    if (args.size() != 2)
        return CliError(QStringLiteral("wpt copy: give IN and OUT (see wpt copy --help)"));
    CWaypointDB db;
    WaypointLoadResult result;
    if (const int status = LoadForReading(db, args[0], result); status != kExitOk)
        return status;
    if (!db.Save(args[1]))
        return CliError(QStringLiteral("cannot write %1").arg(args[1]));
    CJsonObject().Add("loaded", db.GetCount()).Print();
    return ReportDamage(args[0], result);
}

struct WptSubcommand {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args);
};

// The subcommands of `wpt`. A subcommand kept in another file declares its Run function above
// this table (outside the anonymous namespace) and adds its line here.
const WptSubcommand kWptSubcommands[] = {
    {"dump", "print a waypoint database as JSON lines", &RunDump},
    {"copy", "load a waypoint database of any version and save it in the current one", &RunCopy},
    {"import", "import a GPX, XML, LOC or CSV waypoint file into a database", &RunWptImport},
    {"export", "write the waypoints of a database as a GPX file", &RunWptExport},
    {"page", "build the geocache page of one waypoint", &RunWptPage},
};

int PrintWptUsage()
{
    std::printf("Usage: wendrift-cli wpt SUBCOMMAND [ARGS...]\n\nSubcommands:\n");
    for (const WptSubcommand& sub : kWptSubcommands)
        std::printf("  %-8s %s\n", sub.name, sub.summary);
    std::printf("\nwendrift-cli wpt SUBCOMMAND --help tells about one subcommand.\n");
    return kExitOk;
}

int RunWpt(const QStringList& args)
{
    if (args.isEmpty())
        return CliError(QStringLiteral("wpt: give a subcommand (see wpt --help)"));
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))
        return PrintWptUsage();
    for (const WptSubcommand& sub : std::span(kWptSubcommands))
        if (args.first() == QLatin1String(sub.name))
            return sub.run(args.mid(1));
    return CliError(
        QStringLiteral("wpt: unknown subcommand %1 (see wpt --help)").arg(args.first()));
}

const CliCommandRegistration
    registration({"wpt", "waypoint databases: dump, copy, import, export, page", &RunWpt});

} // namespace
