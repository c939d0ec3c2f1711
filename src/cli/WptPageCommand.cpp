// wendrift-cli wpt page: the geocache page of one waypoint, built as the program builds it and
// left for the caller to open.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "waypoints/GeocachePage.h"
#include "waypoints/WaypointDB.h"

#include <QDir>

namespace {

const char kPageHelp[] =
    "Usage: wendrift-cli wpt page DB NAME [--out DIR]\n\n"
    "Builds the geocache page and its hint page for the waypoint named NAME in the database DB,\n"
    "in DIR (default: the user's cache folder, Wendrift/HTML), with the images beside them.\n"
    "The page takes turns between gc.htm and gc2.htm. Prints {\"page\": PATH, \"hint\": PATH};\n"
    "nothing is opened.\n";

// The first record of that name in store order.
const CWaypoint* FindByName(const CWaypointDB& db, const QString& name)
{
    for (int cell = 0; cell < CWaypointDB::kCellCount; ++cell)
        for (const CWaypoint& wp : db.CellWaypoints(cell))
            if (wp.strName == name)
                return &wp;
    return nullptr;
}

} // namespace

int RunWptPage(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kPageHelp);
    QStringList positional;
    QString outDir = GeocachePageDir();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--out") && i + 1 < args.size())
            outDir = args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return CliError(QStringLiteral("wpt page: unknown option %1").arg(args[i]));
        else
            positional.append(args[i]);
    }
    if (positional.size() != 2)
        return CliError(QStringLiteral("wpt page: give DB and NAME (see wpt page --help)"));
    CWaypointDB db;
    if (!db.Load(positional[0], false).Succeeded())
        return CliError(QStringLiteral("wpt page: cannot load the database %1").arg(positional[0]));
    const CWaypoint* wp = FindByName(db, positional[1]);
    if (!wp)
        return CliError(QStringLiteral("wpt page: no waypoint named %1").arg(positional[1]));
    const std::optional<GeocachePageFiles> files = BuildGeocachePage(*wp, outDir);
    if (!files)
        return CliError(QStringLiteral("wpt page: cannot build the page in %1").arg(outDir));
    CJsonObject()
        .Add("page", QDir::cleanPath(files->page))
        .Add("hint", QDir::cleanPath(files->hint))
        .Print();
    return kExitOk;
}
