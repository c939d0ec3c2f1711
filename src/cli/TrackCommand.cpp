// wendrift-cli track: shows what a track file holds and exports it as CSV, KML or GPX.

#include "cli/CliCommand.h"
#include "cli/JsonLine.h"
#include "nav/TrackExport.h"
#include "nav/TrackLog.h"

#include <charconv>

namespace {

const char kHelp[] = "Usage: wendrift-cli track dump FILE\n"
                     "       wendrift-cli track export FILE (--csv | --kml | --gpx) OUT\n\n"
                     "dump    prints the layout and point count of the track file FILE, then one\n"
                     "        JSON object per point as the program loads it\n"
                     "export  writes the track in FILE to OUT as CSV, KML 2.0 or GPX 1.0\n";

const char kDumpHelp[] =
    "Usage: wendrift-cli track dump FILE\n\n"
    "Loads the track file FILE as the program does (any of its layouts; the newest 10000 points)\n"
    "and prints {\"file\": {\"magic\": \"0x55AA0002\" | \"0x55AA0001\" | \"none\", \"points\": "
    "N}},\n"
    "then one line per point, oldest first, with lat_e6 and lon_e6 (microdegrees), alt (metres),\n"
    "segment (1 where a segment begins) and time (seconds since 1970 UTC, 0 when none).\n";

const char kExportHelp[] =
    "Usage: wendrift-cli track export FILE (--csv | --kml | --gpx) OUT\n\n"
    "Loads the track file FILE and writes it to OUT, oldest point first, as comma-separated\n"
    "values (--csv), a KML 2.0 document (--kml) or a GPX 1.0 track (--gpx). OUT is replaced only\n"
    "once it is completely written.\n";

const char* MagicText(TrackFileLayout layout)
{
    switch (layout) {
    case TrackFileLayout::Current:
        return "0x55AA0002";
    case TrackFileLayout::Dated:
        return "0x55AA0001";
    case TrackFileLayout::FirstVersion:
        break;
    }
    return "none";
}

// The altitude as stored: the shortest text that reads back as the same 32-bit float.
QByteArray FloatNumber(float value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value);
    return QByteArray(digits, end.ptr - digits);
}

int RunDump(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kDumpHelp);
    if (args.size() != 1)
        return CliError(QStringLiteral("track dump: give one FILE (see --help)"));
    CTrackLog track;
    TrackFileLayout layout = TrackFileLayout::FirstVersion;
    if (!track.LoadFile(args[0], &layout))
        return CliError(QStringLiteral("track dump: cannot read %1").arg(args[0]));

    CJsonObject file;
    file.Add("magic", MagicText(layout)).Add("points", track.GetCount());
    CJsonObject().AddRaw("file", file.Text()).Print();
    for (int i = 0; i < track.GetCount(); ++i) {
        const TrackPoint& point = track.PointAt(i);
        CJsonObject()
            .Add("lat_e6", point.position.latitude)
            .Add("lon_e6", point.position.longitude)
            .AddRaw("alt", FloatNumber(point.position.altitude))
            .Add("segment", point.segmentStart)
            .Add("time", point.time)
            .Print();
    }
    return kExitOk;
}

int RunExport(const QStringList& args)
{
    if (WantsHelp(args))
        return PrintHelp(kExportHelp);
    QStringList paths;
    QList<TrackExportFormat> formats;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--csv"))
            formats.append(TrackExportFormat::CSV);
        else if (arg == QLatin1String("--kml"))
            formats.append(TrackExportFormat::KML);
        else if (arg == QLatin1String("--gpx"))
            formats.append(TrackExportFormat::GPX);
        else if (arg.startsWith(u'-'))
            return CliError(QStringLiteral("track export: unknown option %1").arg(arg));
        else
            paths.append(arg);
    }
    if (formats.size() != 1 || paths.size() != 2)
        return CliError(
            QStringLiteral("track export: give FILE, one of --csv, --kml, --gpx, and OUT"));
    CTrackLog track;
    if (!track.LoadFile(paths[0]))
        return CliError(QStringLiteral("track export: cannot read %1").arg(paths[0]));
    if (!ExportTrackFile(track, formats[0], paths[1]))
        return CliError(QStringLiteral("track export: cannot write %1").arg(paths[1]));
    return kExitOk;
}

int RunTrack(const QStringList& args)
{
    if (args.isEmpty())
        return CliError(QStringLiteral("track: give dump or export (see --help)"));
    const QString action = args[0];
    if (action == QLatin1String("dump"))
        return RunDump(args.mid(1));
    if (action == QLatin1String("export"))
        return RunExport(args.mid(1));
    if (WantsHelp(args))
        return PrintHelp(kHelp);
    return CliError(QStringLiteral("track: unknown action %1 (see --help)").arg(action));
}

const CliCommandRegistration
    registration({"track", "show a track file or export it as CSV, KML or GPX", &RunTrack});

} // namespace
